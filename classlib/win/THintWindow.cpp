#include "classlib/win/THintWindow.h"

#include <algorithm>

#include "classlib/win/TApplication.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/WindowDC.h"

namespace {
// Space between the border and the text.
constexpr int kTextMarginX = 2;
constexpr int kTextMarginY = 2;
constexpr UINT kDrawFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

// Measures text with font on a screen DC: the size DrawTextA gives it wrapped to maxWidth.
TRect MeasureText(TFont* font, int maxWidth, const AnsiString& text) {
    RECT r{0, 0, maxWidth, 0};
    const TWindowDC dc;
    if (!dc) return TRect{};
    HGDIOBJ old = ::SelectObject(dc.Get(), font->Handle());
    ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, kDrawFlags | DT_CALCRECT);
    ::SelectObject(dc.Get(), old);
    return TRect{r.left, r.top, r.right, r.bottom};
}
}  // namespace

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    SetParentFont(false);
    if (Screen && Screen->HintFont()) Font()->Assign(Screen->HintFont());
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::Paint() {
    TRect r = ClientRect();
    r.Left += kTextMarginX;
    r.Top += kTextMarginY;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(Screen && Screen->HintFont() ? Screen->HintFont()->Color() : clInfoText);
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    HDC dc = canvas->Handle();
    ::SetBkMode(dc, TRANSPARENT);
    ::DrawTextA(dc, hintText_.c_str(), static_cast<int>(hintText_.size()), &rc, kDrawFlags);
}

TRect THintWindow::CalcHintRect(int maxWidth, const AnsiString& hint, void*) {
    TRect r = MeasureText(Font(), maxWidth, hint);
    // Room for the border and the text margins.
    r.Right += 2 * kTextMarginX + 2;
    r.Bottom += kTextMarginY + 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const AnsiString& hint) { ActivateHintData(rect, hint, nullptr); }

void THintWindow::ActivateHintData(TRect rect, const AnsiString& hint, void*) {
    // Owned by the application window, so that it never shows on the task bar and goes with the application.
    if (Application && Application->Handle()) SetParentWindow(Application->Handle());
    hintText_ = hint;
    SetCaption(hint);
    // Keep the whole hint on the monitor it starts on.
    POINT corner{rect.Left, rect.Top};
    HMONITOR monitor = ::MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    if (monitor && ::GetMonitorInfoA(monitor, &mi)) {
        const int width = rect.Width();
        const int height = rect.Height();
        rect.Left = std::max<int>(mi.rcMonitor.left, std::min<int>(rect.Left, mi.rcMonitor.right - width));
        rect.Top = std::max<int>(mi.rcMonitor.top, std::min<int>(rect.Top, mi.rcMonitor.bottom - height));
        rect.Right = rect.Left + width;
        rect.Bottom = rect.Top + height;
    }
    SetBoundsRect(rect);
    // Shown the way every window is shown as Visible changes, without taking the activation.
    if (Visible())
        UpdateShowing();  // visible already, but its window may have been made again
    else
        SetVisible(true);
    HWND wnd = WindowHandle();
    if (!wnd) return;
    // Showing keeps the window's place in the z-order: the hint goes above everything, topmost windows too.
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(wnd, nullptr, TRUE);
    ::UpdateWindow(wnd);
}

bool THintWindow::IsHintMsg(const MSG& msg) {
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_ACTIVATEAPP: return true;
        default: return false;
    }
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    DestroyHandle();
}

bool THintWindow::CanAutoSize(int&, int&) { return false; }

bool THintWindow::CanResize(int&, int&) { return true; }

void THintWindow::CMTextChanged(TMessage& message) {
    DispatchInherited<THintWindow>(this, message);
    // Sized to the text on one line; an activation places the window afterwards.
    const TRect r = MeasureText(Font(), ::GetSystemMetrics(SM_CXSCREEN), Caption());
    SetBounds(Left(), Top(), r.Width() + 2 * kTextMarginX + 2, r.Height() + kTextMarginY + 2);
}

void THintWindow::WMNCHitTest(TMessage& message) {
    // The pointer passes through to whatever lies below.
    message.Result = HTTRANSPARENT;
}

void THintWindow::WMNCPaint(TMessage& message) {
    HWND wnd = WindowHandle();
    message.Result = 0;
    const TWindowDC dc(wnd, true);
    if (!dc) return;
    RECT r;
    ::GetWindowRect(wnd, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    ::FrameRect(dc.Get(), &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}
