#include "themed/win/TSkinPopupWindow.h"

#include <algorithm>
#include <cstring>
#include <versionhelpers.h>

#include "classlib/win/TCreateParams.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/WindowDC.h"
#include "themed/win/SkinNonClient.h"
#include "themed/win/TShadow.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinItemViewer.h"
#include "themed/win/TSkinNexus.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/WindowPainting.h"

namespace {

constexpr std::uint8_t kShadowOpacity = 61;
constexpr int kShadowSize = 4;

TTBPopupView* MakeView(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, TTBPopupWindow* window,
                       bool customizing) {
    return Create<TSkinPopupView>(owner, parentView, parentItem, window, customizing);
}

TRect ScreenRect(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return TRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace

int TSkinPopupView::PopupMargin() const {
    int widest = 0;
    for (int i = 0; i < ViewerCount(); ++i)
        if (TCustomImageList* images = Viewers(i)->GetImageList()) widest = std::max(widest, images->Width());
    return skin::SkinPopupMargin(widest);
}

TSkinPopupWindow::TSkinPopupWindow(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, bool customizing)
    : TTBPopupWindow(owner, parentView, parentItem, customizing, &MakeView) {
    if (SkinNexus()) SetColor(CurrentTheme().GetViewColor(ViewType()));
}

TSkinPopupWindow::~TSkinPopupWindow() = default;

void TSkinPopupWindow::BeforeDestruction() {
    destroying_ = true;
    DestroyShadow();
    TTBPopupWindow::BeforeDestruction();
}

skin::TPopupKind TSkinPopupWindow::PopupKind() const {
    TTBCustomItem* parent = View() ? View()->ParentItem() : nullptr;
    if (!parent) return skin::TPopupKind::Menu;
    if (parent->Count() == 1) {
        auto* only = dynamic_cast<ISkinPopupKind*>(parent->Items(0));
        if (only && only->IsSkinList()) return skin::TPopupKind::List;
    }
    if (auto* kind = dynamic_cast<ISkinPopupKind*>(parent)) return kind->SkinPopupKind();
    return skin::TPopupKind::Menu;
}

std::int32_t TSkinPopupWindow::ViewType() const { return skin::PopupViewType(PopupKind()); }

void TSkinPopupWindow::CMViewType(TMessage& message) { message.Result = ViewType(); }

TPoint TSkinPopupWindow::BorderSize() const {
    if (!SkinNexus()) return TTBPopupWindow::BorderSize();
    const TSize border = CurrentTheme().GetViewBorder(ViewType());
    return TPoint{border.cx, border.cy};
}

int TSkinPopupWindow::ShadowType() const { return SkinNexus() ? CurrentTheme().GetPopupShadowType() : 0; }

bool TSkinPopupWindow::ShadowAllowed() const { return ViewType() != skin::vtListPopup; }

void TSkinPopupWindow::CreateParams(TCreateParams& params) {
    TTBPopupWindow::CreateParams(params);
    params.WindowClass.style &= ~static_cast<UINT>(CS_DROPSHADOW | CS_SAVEBITS);
    if (ShadowAllowed() && ShadowType() == 1 && IsWindowsXPOrGreater()) {
        params.WindowClass.style |= CS_DROPSHADOW;
        const std::size_t length = std::strlen(params.WinClassName);
        if (length + 1 < sizeof params.WinClassName) {
            params.WinClassName[length] = 'S';
            params.WinClassName[length + 1] = '\0';
        }
    }
}

TRect TSkinPopupWindow::OpenerRect() const {
    TTBView* parent = View() ? View()->ParentView() : nullptr;
    TTBItemViewer* opener = parent ? parent->OpenViewer() : nullptr;
    if (!opener || !parent->Window() || !parent->Window()->HandleAllocated()) return TRect{};
    // Only a themed opener or a chevron's: their themes know how the two meet.
    if (!dynamic_cast<TSkinItemViewer*>(opener) && PopupKind() != skin::TPopupKind::Chevron) return TRect{};
    const TRect b = opener->BoundsRect();
    const TPoint topLeft = parent->Window()->ClientToScreen(b.TopLeft());
    return TRect{topLeft.X, topLeft.Y, topLeft.X + b.Width(), topLeft.Y + b.Height()};
}

void TSkinPopupWindow::DrawNCArea(bool drawToDC, HDC dc, HRGN clip) {
    if (!SkinNexus() || !HandleAllocated()) return;
    skin::TSkinPopupFrameInfo frame;
    frame.ViewType = ViewType();
    const TPoint border = BorderSize();
    frame.BorderWidth = border.X;
    frame.BorderHeight = border.Y;
    const TRect window = ScreenRect(WindowHandle());
    const TRect opener = OpenerRect();
    // The edge stays open where the opener sits right on top of the popup.
    if (!opener.IsEmpty() && opener.Bottom == window.Top) {
        frame.OpenerLeft = std::max(opener.Left, window.Left) - window.Left;
        frame.OpenerRight = std::min(opener.Right, window.Right) - window.Left;
    }
    skin::PaintFrame(WindowHandle(), drawToDC, dc, clip,
                     [&](HDC target, const TRect& whole) { CurrentTheme().PaintPopupNCArea(target, whole, frame); });
}

void TSkinPopupWindow::PaintNC(HWND, HDC dc, TObject* control) {
    static_cast<TSkinPopupWindow*>(control)->DrawNCArea(true, dc, nullptr);
}

void TSkinPopupWindow::CreateShadow() {
    const int type = ShadowType();
    if (shadows_ || destroying_ || !ShadowAllowed() || (type != 2 && type != 3) || !HandleAllocated()) return;
    TRect opener;
    if (type == 2) {
        TTBView* parent = View() ? View()->ParentView() : nullptr;
        const bool fromPopupMenu = parent && GetViewType(parent) == skin::vtPopupMenu;
        if (!fromPopupMenu || PopupKind() == skin::TPopupKind::Chevron) opener = OpenerRect();
    }
    const TWindowDC screen;
    const bool lowColour = ::GetDeviceCaps(screen.Get(), BITSPIXEL) * ::GetDeviceCaps(screen.Get(), PLANES) < 12;
    shadows_ = MakeObject<TShadows>(ScreenRect(WindowHandle()), opener, lowColour, kShadowOpacity, kShadowSize);
    shadows_->SetZOrder(WindowHandle());
}

void TSkinPopupWindow::DestroyShadow() { shadows_.reset(); }

void TSkinPopupWindow::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_NCPAINT:
            DrawNCArea(false, nullptr, reinterpret_cast<HRGN>(message.WParam));
            message.Result = 0;
            return;
        case WM_PRINT: tb::HandleWMPrint(WindowHandle(), message, &TSkinPopupWindow::PaintNC, this); return;
        case WM_ERASEBKGND:
            if (SkinNexus()) {
                const std::int32_t type = ViewType();
                const TRect client = ClientRect();
                const TColor color = CurrentTheme().GetViewColor(type);
                CurrentTheme().PaintBackgnd(reinterpret_cast<HDC>(message.WParam), client, client, color, type);
                message.Result = 1;
                return;
            }
            break;
        case tb::kPopupShowMessage:
            // 1 asks before an animated show: the animation may run. 2 and 3: the window is on screen.
            if (message.WParam == 2 || message.WParam == 3) CreateShadow();
            message.Result = 0;
            return;
        case WM_WINDOWPOSCHANGED: {
            TTBPopupWindow::WndProc(message);
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
            const bool showOrHide = (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0;
            const bool movedOrSized = (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
            if (shadows_ && !showOrHide && movedOrSized) {
                DestroyShadow();
                CreateShadow();
            }
            return;
        }
        default: break;
    }
    TTBPopupWindow::WndProc(message);
}
