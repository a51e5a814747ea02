#include "themed/win/TSkinToolbar.h"

#include "classlib/core/ScopeGuard.h"
#include "themed/core/SkinToolbarRules.h"
#include "themed/win/SkinNonClient.h"
#include "themed/win/TSkinChevronItem.h"
#include "themed/win/TSkinFloatingWindowParent.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinDock.h"
#include "toolbar/win/TTBControlItem.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBItemViewer.h"

namespace {

// Boolean metrics of the themes about toolbar backgrounds.
constexpr int kNCOpaqueMetric = 6;
constexpr int kOpaqueMetric = 7;

TTBToolbarView* MakeView(TTBCustomToolbar* toolbar, TTBCustomItem* root, bool usePriorityList) {
    return Create<TSkinToolbarView>(toolbar, root, usePriorityList);
}

TTBChevronItem* MakeChevron() { return Create<TSkinChevronItem>(nullptr); }

}  // namespace

void TSkinToolbarView::GetMargins(TTBViewOrientation orientation, TRect& margins) {
    if (!SkinNexus()) {
        TTBToolbarView::GetMargins(orientation, margins);
        return;
    }
    const std::int32_t type = skin::MarginsViewType(GetWinViewType(Toolbar()), Toolbar()->Floating());
    const skin::TViewMargins m = skin::ViewMarginsFromTheme(CurrentTheme().GetViewMargins(type));
    margins = TRect{m.Left, m.Top, m.Right, m.Bottom};
}

TSkinToolbar::TSkinToolbar(TComponent* owner) : TTBCustomToolbar(owner, TParts{&MakeChevron, &MakeView}) {
    TControlStyle style = ControlStyle();
    style.Exclude(csOpaque);
    style.Exclude(csParentBackground);
    SetControlStyle(style);
    SetDblClickUndock(false);
    SetParentColor(false);
    AddThemeNotification(this);
    UpdateThemeColor();
}

TSkinToolbar::~TSkinToolbar() { RemoveThemeNotification(this); }

void TSkinToolbar::SetItemTransparency(skin::TSkinItemTransparency value) {
    if (itemTransparency_ == value) return;
    itemTransparency_ = value;
    Invalidate();
}

void TSkinToolbar::SetSnapDistance(int value) {
    snapDistance_ = value < 0 ? 0 : value;
    if (auto* frame = dynamic_cast<TSkinFloatingWindowParent*>(FloatingParent())) frame->SetSnapDistance(snapDistance_);
}

void TSkinToolbar::SetUseThemeColor(bool value) {
    if (useThemeColor_ == value) return;
    useThemeColor_ = value;
    UpdateThemeColor();
    Invalidate();
}

void TSkinToolbar::UpdateThemeColor() {
    if (!useThemeColor_ || !SkinNexus()) return;
    settingThemeColor_ = true;
    TScopeExit done([this] { settingThemeColor_ = false; });
    SetColor(CurrentTheme().GetViewColor(ViewType()));
}

std::int32_t TSkinToolbar::ViewType() const {
    skin::TToolbarViewFacts facts;
    facts.menuBar = MenuBar();
    facts.floating = Floating();
    // The resizable flag describes a floating frame.
    facts.resizable = Floating() && Resizable();
    facts.docked = Docked();
    facts.transparency = itemTransparency_;
    return skin::ToolbarViewType(facts);
}

void TSkinToolbar::CMViewType(TMessage& message) { message.Result = ViewType(); }

void TSkinToolbar::CMThemeChanged(TMessage& message) {
    if (!View()) return;  // going
    switch (message.WParam) {
        case 3: {
            // Sizes and colours may all have changed: measure again, recolour, refresh the frame.
            View()->InvalidatePositions();
            UpdateThemeColor();
            if (TTBFloatingWindowParent* frame = FloatingParent())
                RefreshFrame(frame);
            else
                RefreshFrame(this);
            Arrange();
            if (TTBDock* dock = CurrentDock()) dock->ArrangeToolbars();
            Invalidate();
            break;
        }
        case 4:
        case 5:
            // The menu bar's text follows the application's activation.
            if (MenuBar()) Invalidate();
            break;
        default: break;
    }
}

void TSkinToolbar::CMColorChanged(TMessage& message) {
    if (!settingThemeColor_) useThemeColor_ = false;
    DispatchInherited<TSkinToolbar>(this, message);
}

bool TSkinToolbar::DockBackgroundOnToolbars() {
    TTBDock* dock = CurrentDock();
    return Docked() && dock && dock->Background() && dock->UsingBackground() && dock->BackgroundOnToolbars();
}

void TSkinToolbar::WMEraseBkgnd(TMessage& message) {
    message.Result = 1;
    if (!SkinNexus()) return;
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    TSkinTheme& theme = CurrentTheme();
    skin::TToolbarBackgroundFacts facts;
    facts.useThemeColor = useThemeColor_;
    facts.color = Color();
    facts.opaqueMetric = theme.GetBooleanMetrics(kOpaqueMetric);
    facts.docked = Docked();
    facts.dockBitmapOnToolbars = DockBackgroundOnToolbars();
    const skin::TToolbarBackground background = skin::ToolbarBackground(facts);
    const TRect client = ClientRect();
    if (background.parentBackground) {
        // The parent paints relative to the window's corner; the client area starts inside the frame.
        const TRect inWindow = skin::ClientRectInWindow(Handle());
        const int saved = ::SaveDC(dc);
        ::OffsetWindowOrgEx(dc, inWindow.Left, inWindow.Top, nullptr);
        DrawParentBackground(this, dc, TRect{inWindow.Left, inWindow.Top, inWindow.Right, inWindow.Bottom});
        ::RestoreDC(dc, saved);
    }
    TRect paint = client;
    if (TTBDock* dock = Docked() ? CurrentDock() : nullptr) {
        // The dock's client area in the toolbar's client coordinates, so that gradients line up.
        const TRect inWindow = skin::ClientRectInWindow(Handle());
        const TRect dockClient = dock->ClientRect();
        paint = Bounds(-Left() - inWindow.Left, -Top() - inWindow.Top, dockClient.Width(), dockClient.Height());
    }
    theme.PaintBackgnd(dc, paint, client, background.fill, ViewType());
}

skin::TSkinWindowFrameInfo TSkinToolbar::GetToolbarInfo() {
    skin::TSkinWindowFrameInfo frame;
    frame.ViewType = ViewType();
    TTBDock* dock = CurrentDock();
    const bool allowDrag = dock && dock->AllowDrag();
    frame.IsVertical = dock && dock->IsVertical();
    if (SkinNexus()) {
        const TSize border = CurrentTheme().GetViewBorder(frame.ViewType);
        frame.BorderWidth = border.cx;
        frame.BorderHeight = border.cy;
    }
    frame.DragHandle = allowDrag ? static_cast<int>(DragHandleStyle()) + 1 : 0;
    skin::SetCloseButtonState(frame, skin::DockedCloseButtonState(allowDrag, CloseButtonWhenDocked(), CloseButtonHot(),
                                                                  CloseButtonPressed()));
    frame.ShowCaption = false;
    return frame;
}

void TSkinToolbar::DrawNCArea(bool drawToDC, HDC dc, HRGN clip) {
    if (!Docked() || !HandleAllocated() || !SkinNexus()) return;
    TSkinTheme& theme = CurrentTheme();
    const skin::TSkinWindowFrameInfo frame = GetToolbarInfo();
    const bool parentFirst =
        skin::NCParentBackground(theme.GetBooleanMetrics(kNCOpaqueMetric), DockBackgroundOnToolbars(), useThemeColor_,
                                 theme.GetBooleanMetrics(kOpaqueMetric));
    skin::PaintFrame(Handle(), drawToDC, dc, clip, [&](HDC target, const TRect& whole) {
        if (parentFirst) DrawParentBackground(this, target, whole);
        theme.PaintToolbarNCArea(target, whole, frame);
    });
}

TSize TSkinToolbar::GetFloatingBorderSize() {
    if (!SkinNexus()) return TTBCustomToolbar::GetFloatingBorderSize();
    skin::TToolbarViewFacts facts;
    facts.menuBar = MenuBar();
    facts.floating = true;
    facts.resizable = Resizable();
    facts.transparency = itemTransparency_;
    return CurrentTheme().GetViewBorder(skin::ToolbarViewType(facts));
}

TTBFloatingWindowParent* TSkinToolbar::CreateFloatingParent() {
    auto* frame = Create<TSkinFloatingWindowParent>(nullptr);
    frame->SetSnapDistance(snapDistance_);
    return frame;
}

void TSkinToolbar::RepaintItemsOnBackground() {
    if (!HandleAllocated()) return;
    TTBToolbarView* view = View();
    std::vector<RECT> items;
    for (int i = 0; i < view->ViewerCount(); ++i) {
        TTBItemViewer* viewer = view->Viewers(i);
        const TRect b = viewer->BoundsRect();
        if (!viewer->Show() || b.IsEmpty() || dynamic_cast<TTBControlItem*>(viewer->Item())) continue;
        items.push_back(RECT{b.Left, b.Top, b.Right, b.Bottom});
    }
    for (const RECT& r : items) ::InvalidateRect(Handle(), &r, TRUE);
    ::UpdateWindow(Handle());
    for (const RECT& r : items) ::ValidateRect(Handle(), &r);
}

void TSkinToolbar::WMSize(TMessage& message) {
    DispatchInherited<TSkinToolbar>(this, message);
    auto* dock = dynamic_cast<TSkinDock*>(CurrentDock());
    if (Docked() && dock && dock->UsingBackground() && !dock->Resizing()) RepaintItemsOnBackground();
}
