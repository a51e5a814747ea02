// A toolbar or menu bar under the theme: colours from the theme (view type 0x101, 0x102 for the menu bar,
// with the floating, resizable and opaque-items flags) until its colour is set from outside, background
// and docked frame painted by the theme, margins from the theme, a themed floating frame that snaps to the
// work area, and the theme-change steps of message 1338.
#pragma once
#include "classlib/core/MessageDispatch.h"
#include "themed/win/TSkinNexus.h"
#include "themed/core/SkinViewTypes.h"
#include "toolbar/win/TTBCustomToolbar.h"
#include "toolbar/win/TTBToolbarView.h"

class TSkinToolbarView : public TTBToolbarView {
    CLASSLIB_CLASS(TSkinToolbarView, TTBToolbarView)
public:
    using TTBToolbarView::TTBToolbarView;
    // The theme's view margins for the toolbar's view type (floating flag only while floating).
    void GetMargins(TTBViewOrientation orientation, TRect& margins) override;
};

class TSkinToolbar : public TTBCustomToolbar {
    CLASSLIB_COMPONENT(TSkinToolbar, TTBCustomToolbar)
    CLASSLIB_MESSAGES(TSkinToolbar, CLASSLIB_ON(CM_SKINVIEWTYPE, &TSkinToolbar::CMViewType),
                      CLASSLIB_ON(CM_SKINTHEMECHANGED, &TSkinToolbar::CMThemeChanged),
                      CLASSLIB_ON(CM_COLORCHANGED, &TSkinToolbar::CMColorChanged),
                      CLASSLIB_ON(WM_ERASEBKGND, &TSkinToolbar::WMEraseBkgnd),
                      CLASSLIB_ON(WM_SIZE, &TSkinToolbar::WMSize))

    explicit TSkinToolbar(TComponent* owner);
    ~TSkinToolbar() override;

    skin::TSkinItemTransparency ItemTransparency() const { return itemTransparency_; }
    void SetItemTransparency(skin::TSkinItemTransparency value);
    int SnapDistance() const { return snapDistance_; }
    // A negative distance is kept as 0 (no snapping).
    void SetSnapDistance(int value);
    bool UseThemeColor() const { return useThemeColor_; }
    void SetUseThemeColor(bool value);
    bool ColorStored() const { return !useThemeColor_ && !ParentColor(); }

    std::int32_t ViewType() const;
    // The docked frame as the theme paints it.
    skin::TSkinWindowFrameInfo GetToolbarInfo();

    void DrawNCArea(bool drawToDC, HDC dc, HRGN clip) override;
    TSize GetFloatingBorderSize() override;
    TTBFloatingWindowParent* CreateFloatingParent() override;
    // On a dock background: the items are painted again on the background as it now lies under them.
    void RepaintItemsOnBackground();

protected:
    void CMViewType(TMessage& message);
    void CMThemeChanged(TMessage& message);
    void CMColorChanged(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMSize(TMessage& message);

private:
    void UpdateThemeColor();
    bool DockBackgroundOnToolbars();

    skin::TSkinItemTransparency itemTransparency_ = skin::itAuto;
    int snapDistance_ = 0;
    bool useThemeColor_ = true;
    bool settingThemeColor_ = false;
};
