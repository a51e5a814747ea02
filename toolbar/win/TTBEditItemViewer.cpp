#include "toolbar/win/TTBEditItemViewer.h"

#include <vector>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Messages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/FileSystem.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/WideChars.h"
#include "toolbar/core/Captions.h"
#include "toolbar/win/TTBEditItem.h"
#include "toolbar/win/TTBPopupWindow.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/TextDrawing.h"

namespace {

[[noreturn]] void RaiseLastError(const char* what) {
    const DWORD error = ::GetLastError();
    throw EOSError(AnsiString(what) + SysErrorMessage(error), error);
}

bool IsButtonDown(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONDBLCLK: return true;
        default: return false;
    }
}

// Alt with keypad digits types a character by its code: those keys stay in the field. The scan code is
// compared, so that the digits count with NumLock off too.
bool IsKeypadDigitScan(LPARAM lParam) {
    if (lParam & (1 << 24)) return false;  // extended keys are the separate cursor block
    const UINT scan = (static_cast<UINT>(lParam) >> 16) & 0xFF;
    for (UINT vk = VK_NUMPAD0; vk <= VK_NUMPAD9; ++vk)
        if (::MapVirtualKeyW(vk, 0) == scan) return true;
    return false;
}

}  // namespace

TTBEditItemViewer::TTBEditItemViewer(TTBView* view, TTBCustomItem* item, int groupLevel)
    : TTBItemViewer(view, item, groupLevel) {}

TTBEditItemViewer::~TTBEditItemViewer() {
    if (editWnd_) {
        ::SetWindowLongPtrW(editWnd_, GWLP_USERDATA, 0);
        ::SetWindowLongPtrW(editWnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        ::DestroyWindow(editWnd_);
    }
    if (!itemGone_ && EditItem() && EditItem()->EditingViewer() == this) EditItem()->SetEditingViewer(nullptr);
}

TTBEditItem* TTBEditItemViewer::EditItem() const { return static_cast<TTBEditItem*>(Item()); }

void TTBEditItemViewer::ItemGone() {
    itemGone_ = true;
    state_ = esCancelled;
}

WideString TTBEditItemViewer::ReadEditText() const {
    if (!editWnd_) return {};
    const int length = ::GetWindowTextLengthW(editWnd_);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int got = ::GetWindowTextW(editWnd_, buffer.data(), length + 1);
    return WideString(buffer.begin(), buffer.begin() + got);
}

void TTBEditItemViewer::WriteEditText(const WideString& text) {
    if (!editWnd_) return;
    const bool was = settingText_;
    settingText_ = true;
    TScopeExit restore([&] { settingText_ = was; });
    ::SetWindowTextW(editWnd_, WideCStr(text));
}

void TTBEditItemViewer::PushText(const WideString& text) {
    if (settingText_ || ReadEditText() == text) return;
    WriteEditText(text);
}

int TTBEditItemViewer::CaptionWidth(HDC dc) const {
    const WideString& caption = EditItem()->EditCaption();
    return caption.empty() ? 0 : tb::GetTextWidthW(dc, caption, true) + 4;
}

void TTBEditItemViewer::CalcSize(HDC dc, int& width, int& height) {
    width = CaptionWidth(dc) + EditItem()->EditWidth();
    height = tb::GetTextHeight(dc) + 6;
}

TRect TTBEditItemViewer::GetEditRect() const {
    TWindowDC dc(nullptr);
    const HGDIOBJ old = ::SelectObject(dc.Get(), View()->GetFont());
    const int caption = CaptionWidth(dc.Get());
    ::SelectObject(dc.Get(), old);
    const TRect b = BoundsRect();
    return TRect{b.Left + caption, b.Top, b.Right, b.Bottom};
}

bool TTBEditItemViewer::IsPtInButtonPart(int x, int y) const {
    const TRect field = GetEditRect();
    return x >= field.Left - BoundsRect().Left;
}

void TTBEditItemViewer::Paint(HDC dc, const TRect& client, bool isSelected, bool, bool) {
    const bool enabled = Item()->Enabled() || View()->Customizing();
    const int caption = CaptionWidth(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (caption > 0) {
        RECT r{client.Left, client.Top, client.Left + caption, client.Bottom};
        tb::DrawTextWide(dc, EditItem()->EditCaption(), r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    RECT field{client.Left + caption, client.Top, client.Right, client.Bottom};
    ::FillRect(dc, &field, ::GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    ::DrawEdge(dc, &field, isSelected ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
    ::InflateRect(&field, -3, -2);
    ::SetTextColor(dc, ::GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    tb::DrawTextWide(dc, EditItem()->Text(), field, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

bool TTBEditItemViewer::GetAccValue(WideString& value) const {
    value = EditItem()->Text();
    return true;
}

bool TTBEditItemViewer::DoExecute() {
    View()->CloseChildPopups();
    if (Edit(View()->GetRootView()->CaptureWnd())) View()->EndModal();
    return false;
}

void TTBEditItemViewer::MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu) {
    if (!IsPtInButtonPart(x, y)) {
        TTBItemViewer::MouseDown(shift, x, y, mouseDownOnMenu);
        return;
    }
    if (Item()->Enabled())
        Execute(true);
    else if (!View()->ParentView() && View()->IsToolbar())
        View()->EndModal();
}

void TTBEditItemViewer::MouseUp(int x, int y, bool mouseWasDownOnMenu) {
    if (!IsPtInButtonPart(x, y)) {
        TTBItemViewer::MouseUp(x, y, mouseWasDownOnMenu);
        return;
    }
    if (Item()->Enabled())
        Execute(true);
    else if (!View()->ParentView() && View()->IsToolbar())
        View()->EndModal();
}

void TTBEditItemViewer::PrepareEditWindow(HWND edit) {
    ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(EditItem()->MaxLength()), 0);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

bool TTBEditItemViewer::Edit(HWND captureWnd) {
    TTBEditItem* item = EditItem();
    TRect r = GetEditRect();
    if (r.Width() <= 0 || r.Height() <= 0) return false;
    HWND viewWnd = View()->Window()->Handle();
    const HWND activeWnd = ::GetActiveWindow();
    const HWND focusWnd = ::GetFocus();
    const TRect m = GetEditMargins();
    r = TRect{r.Left + m.Left, r.Top + m.Top, r.Right - m.Right, r.Bottom - m.Bottom};

    static constexpr DWORD kCaseStyle[] = {0, ES_UPPERCASE, ES_LOWERCASE};
    DWORD style = kCaseStyle[item->CharCase()] | WS_CHILD | ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    DWORD exStyle = 0;
    editColor_ = clWindow;
    GetEditStyle(style, exStyle, editColor_);
    LOGFONTW log{};
    ::GetObjectW(View()->GetFont(), sizeof log, &log);
    AdjustEditFont(log);

    state_ = esEditing;
    inLoop_ = true;
    WideString text;
    {
        // Ends the edit on every way out; a window that cannot be destroyed is raised from here.
        TScopeExit cleanUp([&] { EndEdit(); });
        brush_ = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(editColor_)));
        font_ = ::CreateFontIndirectW(&log);
        editWnd_ = ::CreateWindowExW(exStyle, L"EDIT", WideCStr(item->Text()), style, r.Left, r.Top, r.Width(),
                                     r.Height(), viewWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (!editWnd_) RaiseLastError("Cannot create the edit window: ");
        ::SetWindowLongPtrW(editWnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        oldProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(editWnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TTBEditItemViewer::EditWndProc)));
        ::SendMessageW(editWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
        PrepareEditWindow(editWnd_);
        ::ShowWindow(editWnd_, SW_SHOWNOACTIVATE);
        ::SetFocus(editWnd_);
        ::UpdateWindow(editWnd_);
        // The window the user was working in keeps its active caption while the field has the focus.
        if (activeWnd && activeWnd != ::GetAncestor(editWnd_, GA_ROOT))
            ::SendMessageW(activeWnd, WM_NCACTIVATE, TRUE, 0);
        item->SetEditingViewer(this);
        RunLoop(viewWnd, captureWnd);
        text = ReadEditText();
    }
    if (itemGone_) return true;
    if (state_ == esEditing && item->ExtendedAccept()) item->AcceptText(text);
    Finish(viewWnd, captureWnd, activeWnd, focusWnd);
    if (state_ == esSystem || state_ == esEnter) return true;
    if (state_ == esTab && captureWnd && ::GetCapture() == captureWnd) {
        const bool back = ::GetKeyState(VK_SHIFT) < 0;
        if (TTBItemViewer* next = View()->NextSelectable(this, !back)) View()->Select(next, false);
    }
    return false;
}

void TTBEditItemViewer::EndEdit() {
    if (font_) ::DeleteObject(font_);
    if (brush_) ::DeleteObject(brush_);
    font_ = nullptr;
    brush_ = nullptr;
    inLoop_ = false;
    if (!itemGone_ && EditItem()->EditingViewer() == this) EditItem()->SetEditingViewer(nullptr);
    if (!editWnd_) return;
    HWND edit = editWnd_;
    ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    ::SetWindowLongPtrW(edit, GWLP_USERDATA, 0);
    editWnd_ = nullptr;
    if (!::DestroyWindow(edit)) RaiseLastError("Cannot destroy the edit window: ");
}

void TTBEditItemViewer::RunLoop(HWND viewWnd, HWND captureWnd) {
    TTBCustomItem* item = Item();
    while (state_ == esEditing && !itemGone_ && !View()->IsModalEnding() && ::GetFocus() == editWnd_ &&
           item->Enabled()) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) break;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            if (captureWnd) {
                POINT pt;
                ::GetCursorPos(&pt);
                const HWND under = ::WindowFromPoint(pt);
                const bool overEdit = under == editWnd_ || ::IsChild(editWnd_, under);
                const HWND capture = ::GetCapture();
                if (capture == captureWnd && overEdit)
                    ::ReleaseCapture();
                else if (!capture && !overEdit)
                    ::SetCapture(captureWnd);
                if (::GetCapture() == captureWnd) ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
            }
        } else if (IsButtonDown(msg.message)) {
            // Leaves the press in the queue for the window it was meant for.
            if (msg.hwnd != editWnd_) break;
        } else if (msg.message == WM_SYSKEYDOWN) {
            const bool passes = msg.wParam == VK_MENU || msg.wParam == VK_SHIFT || msg.wParam == VK_KANJI ||
                                IsKeypadDigitScan(msg.lParam);
            if (!passes) {
                state_ = esSystem;
                break;
            }
        } else if (msg.message == WM_SYSKEYUP && msg.wParam == VK_MENU) {
            state_ = esSystem;
            break;
        }
        ::PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        if (msg.hwnd == viewWnd && msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSEWHEEL) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // The characters of the key that ended the edit must not reach the view.
    MSG leftover;
    while (::PeekMessageW(&leftover, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {}
    while (::PeekMessageW(&leftover, nullptr, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {}
}

void TTBEditItemViewer::Finish(HWND viewWnd, HWND captureWnd, HWND activeWnd, HWND focusWnd) {
    ::UpdateWindow(viewWnd);
    if (::GetActiveWindow()) {
        if (focusWnd && ::IsWindow(focusWnd)) ::SetFocus(focusWnd);
        if (captureWnd && !::GetCapture()) ::SetCapture(captureWnd);
    }
    if (activeWnd && ::IsWindow(activeWnd))
        ::SendMessageW(activeWnd, WM_NCACTIVATE, ::GetActiveWindow() == activeWnd, 0);
    if (dynamic_cast<TTBPopupWindow*>(View()->Window()))
        ::SetWindowPos(viewWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    View()->Invalidate(this);
}

LRESULT CALLBACK TTBEditItemViewer::EditWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* viewer = reinterpret_cast<TTBEditItemViewer*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!viewer || viewer->editWnd_ != wnd) return ::DefWindowProcW(wnd, msg, wParam, lParam);
    return viewer->HandleEditMessage(msg, wParam, lParam);
}

LRESULT TTBEditItemViewer::HandleEditMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (EditMessageHook(msg, wParam, lParam, result)) return result;
    if (msg == WM_CHAR && (wParam == VK_TAB || wParam == VK_RETURN)) {
        state_ = wParam == VK_TAB ? esTab : esEnter;
        if (!itemGone_) EditItem()->AcceptText(ReadEditText());
        return 0;
    }
    if (msg == WM_CHAR && wParam == VK_ESCAPE) {
        state_ = esCancelled;
        return 0;
    }
    if (msg == CN_CTLCOLOREDIT || msg == CN_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(EditTextColor())));
        ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(editColor_)));
        return reinterpret_cast<LRESULT>(brush_);
    }
    HWND edit = editWnd_;
    result = ::IsWindowUnicode(edit) ? ::CallWindowProcW(oldProc_, edit, msg, wParam, lParam)
                                     : ::CallWindowProcA(oldProc_, edit, msg, wParam, lParam);
    if (msg == WM_KILLFOCUS && editWnd_ == edit) {
        // The focus went elsewhere (another program, a dialog): the menus give up as well.
        TTBView* root = View()->GetRootView();
        if (root->State() & kVsModal) root->CancelMode();
        state_ = esSystem;
    }
    return result;
}
