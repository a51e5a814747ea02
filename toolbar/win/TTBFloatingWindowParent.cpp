#include "toolbar/win/TTBFloatingWindowParent.h"

#include "classlib/win/GdiHandle.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "toolbar/core/DockableGeometry.h"
#include "toolbar/win/FloatingWindows.h"
#include "toolbar/win/TTBCustomDockableWindow.h"
#include "toolbar/win/WindowPainting.h"
#include "toolbar/win/WindowRects.h"

namespace {

using TDrawCaptionTempW = BOOL(WINAPI*)(HWND, HDC, const RECT*, HFONT, HICON, LPCWSTR, UINT);

// Bound by name: the import libraries do not all list it.
TDrawCaptionTempW DrawCaptionTempWProc() {
    static const auto proc = reinterpret_cast<TDrawCaptionTempW>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "DrawCaptionTempW")));
    return proc;
}

using tb::ToRECT;

TPoint WindowPointOf(HWND wnd, LPARAM lParam) {
    const TPoint screen = tb::PointOfLParam(lParam);
    const TRect window = tb::ScreenRectOf(wnd);
    return Point(screen.X - window.Left, screen.Y - window.Top);
}

}  // namespace

TTBFloatingWindowParent::TTBFloatingWindowParent(TComponent* owner) : TCustomForm(owner, NoBuilders) {}

void TTBFloatingWindowParent::CreateParams(TCreateParams& params) {
    TCustomForm::CreateParams(params);
    params.Style &=
        ~static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_DLGFRAME);
    params.Style |= WS_POPUP | WS_BORDER;
    if (window_ && window_->Resizable()) params.Style |= WS_THICKFRAME;
    params.ExStyle = (params.ExStyle & ~static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME)) |
                     WS_EX_TOOLWINDOW;
    params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW);
}

void TTBFloatingWindowParent::AlignControls(TControl*, TRect&) {}

void TTBFloatingWindowParent::SetParentForm(TCustomForm* form) {
    if (form == parentForm_) return;
    if (parentForm_) parentForm_->RemoveFreeNotification(this);
    parentForm_ = form;
    if (parentForm_) parentForm_->FreeNotification(this);
}

void TTBFloatingWindowParent::Notification(TComponent* component, TOperation operation) {
    TCustomForm::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == parentForm_) parentForm_ = nullptr;
    if (component == window_) window_ = nullptr;
}

void TTBFloatingWindowParent::SetCaptionW(const WideString& value) {
    if (value == caption_) return;
    caption_ = value;
    Perform(CM_TEXTCHANGED);
}

void TTBFloatingWindowParent::SetCloseButtonDown(bool value) {
    if (value == closeButtonDown_) return;
    closeButtonDown_ = value;
    RedrawNCArea(kCloseButton);
}

void TTBFloatingWindowParent::WMGetMinMaxInfo(TMessage& message) {
    DispatchInherited<TTBFloatingWindowParent>(this, message);
    auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
    info->ptMinTrackSize = POINT{1, 1};
    info->ptMaxTrackSize = POINT{32767, 32767};
}

void TTBFloatingWindowParent::WMNCCalcSize(TMessage& message) {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    if (window_) {
        const tb::TNCExtents e = tb::FloatingNCExtents(window_->GetFloatingBorderSize(), window_->ShowCaption(),
                                                       ::GetSystemMetrics(SM_CYSMCAPTION));
        RECT& r = params->rgrc[0];
        r.left += e.TopLeft.cx;
        r.top += e.TopLeft.cy;
        r.right -= e.BottomRight.cx;
        r.bottom -= e.BottomRight.cy;
    }
    message.Result = 0;
}

void TTBFloatingWindowParent::RedrawNCArea(int parts) {
    if (HandleAllocated() && ::IsWindowVisible(Handle())) DrawNCArea(false, nullptr, nullptr, parts);
}

void TTBFloatingWindowParent::DrawNCArea(bool drawToDC, HDC dc, HRGN clip, int parts) {
    if (!HandleAllocated() || !window_) return;
    std::unique_ptr<TWindowDC> own;
    if (!drawToDC) {
        own = std::make_unique<TWindowDC>(Handle(), true);
        dc = own->Get();
        tb::SelectNCUpdateRgn(Handle(), dc, clip);
    }
    const int saved = ::SaveDC(dc);
    RECT wr;
    ::GetWindowRect(Handle(), &wr);
    const RECT whole{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    ::IntersectClipRect(dc, 0, 0, whole.right, whole.bottom);
    BOOL gradient = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    const TSize border = window_->GetFloatingBorderSize();
    const int h = ::GetSystemMetrics(SM_CYSMCAPTION);
    RECT client;
    ::GetClientRect(Handle(), &client);

    if (parts & kBorder) {
        RECT edge = whole;
        ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
        const int s = ::SaveDC(dc);
        ::ExcludeClipRect(dc, border.cx, border.cy, whole.right - border.cx, whole.bottom - border.cy);
        RECT inner{2, 2, whole.right - 2, whole.bottom - 2};
        ::FillRect(dc, &inner, ::GetSysColorBrush(COLOR_BTNFACE));
        ::RestoreDC(dc, s);
    }
    if (window_->ShowCaption()) {
        const bool closeButton = window_->CloseButton();
        const tb::TFloatingCaptionRects rects = tb::FloatingCaptionRects(border, client.right, h, closeButton);
        const bool active = !window_->CaptionInactive();
        if (parts & kCaption) {
            const int s = ::SaveDC(dc);
            if (closeButton && (parts & kCloseButton))
                ::ExcludeClipRect(dc, rects.CloseButton.Left, rects.CloseButton.Top, rects.CloseButton.Right,
                                  rects.CloseButton.Bottom);
            const RECT cr = ToRECT(rects.Caption);
            UINT flags = DC_TEXT | DC_SMALLCAP | (active ? DC_ACTIVE : 0) | (gradient ? DC_GRADIENT : 0);
            if (auto draw = DrawCaptionTempWProc())
                draw(Handle(), dc, &cr, nullptr, nullptr, WideCStr(caption_), flags);
            ::RestoreDC(dc, s);
            const RECT line{rects.FullCaption.Left, rects.FullCaption.Bottom, rects.FullCaption.Right,
                            rects.FullCaption.Bottom + 1};
            ::FillRect(dc, &line, ::GetSysColorBrush(COLOR_BTNFACE));
        }
        if (closeButton) {
            RECT face = ToRECT(rects.CloseButton);
            face.top += 2;
            face.bottom -= 2;
            face.right -= 2;
            if (parts & kCaption) {
                const int s = ::SaveDC(dc);
                ::ExcludeClipRect(dc, face.left, face.top, face.right, face.bottom);
                const int colour = gradient ? (active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)
                                            : (active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
                const RECT square = ToRECT(rects.CloseButton);
                ::FillRect(dc, &square, ::GetSysColorBrush(colour));
                ::RestoreDC(dc, s);
            }
            if (parts & kCloseButton)
                ::DrawFrameControl(dc, &face, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closeButtonDown_ ? DFCS_PUSHED : 0));
        }
    }
    ::RestoreDC(dc, saved);
}

void TTBFloatingWindowParent::PaintNC(HWND, HDC dc, TObject* control) {
    static_cast<TTBFloatingWindowParent*>(control)->DrawNCArea(true, dc, nullptr, kAllParts);
}

void TTBFloatingWindowParent::WMNCPaint(TMessage& message) {
    DrawNCArea(false, nullptr, reinterpret_cast<HRGN>(message.WParam), kAllParts);
    message.Result = 0;
}

void TTBFloatingWindowParent::WMPrint(TMessage& message) { tb::HandleWMPrint(Handle(), message, &PaintNC, this); }

void TTBFloatingWindowParent::WMNCHitTest(TMessage& message) {
    if (!window_) {
        DispatchInherited<TTBFloatingWindowParent>(this, message);
        return;
    }
    RECT wr;
    ::GetWindowRect(Handle(), &wr);
    tb::TFloatingHitInput in;
    in.WindowSize = TSize{wr.right - wr.left, wr.bottom - wr.top};
    in.Border = window_->GetFloatingBorderSize();
    in.SmallCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
    in.ShowCaption = window_->ShowCaption();
    in.CloseButton = window_->CloseButton();
    in.Resizable = window_->Resizable();
    in.CornerSizing = window_->CornerSizing();
    message.Result = tb::FloatingHitTest(in, WindowPointOf(Handle(), message.LParam));
}

void TTBFloatingWindowParent::WMNCLButtonDown(TMessage& message) {
    if (!window_) {
        DispatchInherited<TTBFloatingWindowParent>(this, message);
        return;
    }
    const int hit = static_cast<int>(message.WParam);
    if (const int handle = tb::SizingHandleOfHitCode(hit); handle >= 0) {
        window_->BeginSizing(handle);
    } else if (hit == tb::kHitCloseButton) {
        if (window_->TrackCloseButton(true)) window_->Close();
    } else if (hit == tb::kHitFloatingCaption) {
        POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
        ::ScreenToClient(window_->Handle(), &p);
        window_->BeginMoving(p.x, p.y);
    } else {
        DispatchInherited<TTBFloatingWindowParent>(this, message);
        return;
    }
    message.Result = 0;
}

void TTBFloatingWindowParent::WMNCLButtonDblClk(TMessage& message) {
    if (window_ && static_cast<int>(message.WParam) == tb::kHitFloatingCaption) {
        window_->DoubleClick();
        message.Result = 0;
        return;
    }
    DispatchInherited<TTBFloatingWindowParent>(this, message);
}

void TTBFloatingWindowParent::WMNCRButtonUp(TMessage& message) {
    if (window_ && window_->HandleAllocated()) ::SendMessageA(window_->Handle(), WM_CONTEXTMENU, 0, message.LParam);
    message.Result = 0;
}

void TTBFloatingWindowParent::WMNCActivate(TMessage& message) {
    // The frame paints its own caption state; the system's caption drawing would paint over it.
    message.Result = 1;
}

void TTBFloatingWindowParent::WMActivate(TMessage& message) {
    DispatchInherited<TTBFloatingWindowParent>(this, message);
    if (!window_) return;
    TCustomForm* top = window_->TopForm();
    const bool activating = LOWORD(message.WParam) != WA_INACTIVE;
    if (top && top->HandleAllocated()) ::SendMessageA(top->Handle(), WM_NCACTIVATE, activating ? 1 : 0, 0);
    if (!activating) return;
    if (!::IsWindowVisible(Handle())) {
        // Activated while hidden: hand the activation to another window of the thread.
        if (HWND other = tb::FindOtherThreadWindow(Handle())) ::SetActiveWindow(other);
    } else if (top && top->HandleAllocated() && top->Handle() != reinterpret_cast<HWND>(message.LParam)) {
        ::SetActiveWindow(top->Handle());
    }
}

void TTBFloatingWindowParent::WMMouseActivate(TMessage& message) {
    message.Result = MA_NOACTIVATE;
    ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    if (!window_ || window_->FloatingMode() == fmOnTopOfAllForms || !window_->ActivateParent()) return;
    TCustomForm* top = window_->TopForm();
    if (!top || !top->HandleAllocated() || ::GetActiveWindow() == Handle()) return;
    ::SetActiveWindow(top->Handle());
    TCustomForm* own = window_->WindowForm();
    if (own && own != top && own->HandleAllocated())
        ::SetWindowPos(own->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void TTBFloatingWindowParent::WMMove(TMessage& message) {
    DispatchInherited<TTBFloatingWindowParent>(this, message);
    if (window_ && window_->OnMove && !ComponentState().Contains(csLoading)) window_->OnMove(window_);
}

void TTBFloatingWindowParent::WMClose(TMessage& message) {
    // Closing the frame closes the form the window belongs to.
    TCustomForm* form = window_ ? window_->TopForm() : nullptr;
    if (form && form->HandleAllocated()) ::PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    message.Result = 0;
}

void TTBFloatingWindowParent::CMShowingChanged(TMessage& message) {
    if (!HandleAllocated()) return;
    const bool show = Showing() && shouldShow_;
    ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    message.Result = 0;
}

void TTBFloatingWindowParent::CMDialogKey(TMessage& message) {
    const bool plainEsc = message.WParam == VK_ESCAPE && ::GetKeyState(VK_SHIFT) >= 0 &&
                          ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
    if (plainEsc && parentForm_) {
        // Esc in a floating toolbar's control gives the focus back to the form.
        if (parentForm_->CanFocus()) parentForm_->SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TTBFloatingWindowParent>(this, message);
}

void TTBFloatingWindowParent::CMTextChanged(TMessage& message) {
    DispatchInherited<TTBFloatingWindowParent>(this, message);
    RedrawNCArea(kCaption);
}
