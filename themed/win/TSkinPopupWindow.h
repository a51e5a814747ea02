// Popup menus under the theme: the window's border, frame, background and view type come from the theme.
// Shadows: a theme of shadow type 1 gets the system's drop shadow through the window class (its name then
// ends in "S"); types 2 and 3 get the theme layer's shadow windows once the window is shown (message 1578
// with 2 or 3), made again when it moves or changes size, freed before it goes. List popups have none.
#pragma once
#include "classlib/core/MessageDispatch.h"
#include "themed/win/TSkinNexus.h"
#include "themed/core/SkinViewTypes.h"
#include "toolbar/win/TTBPopupWindow.h"

class TShadows;

class TSkinPopupView : public TTBPopupView {
    CLASSLIB_CLASS(TSkinPopupView, TTBPopupView)
public:
    using TTBPopupView::TTBPopupView;
    // The width of the image column: from the widest image list of the viewers (16 without one).
    int PopupMargin() const;
};

class TSkinPopupWindow : public TTBPopupWindow {
    CLASSLIB_CLASS(TSkinPopupWindow, TTBPopupWindow)
    CLASSLIB_MESSAGES(TSkinPopupWindow, CLASSLIB_ON(CM_SKINVIEWTYPE, &TSkinPopupWindow::CMViewType))
public:
    TSkinPopupWindow(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, bool customizing);
    ~TSkinPopupWindow() override;
    void BeforeDestruction() override;

    std::int32_t ViewType() const;
    TPoint BorderSize() const override;
    // The shadow windows while they exist.
    TShadows* Shadows() const { return shadows_.get(); }

    virtual void CreateShadow();
    virtual void DestroyShadow();
    // Every view type but list popups.
    virtual bool ShadowAllowed() const;

protected:
    // What kind of popup this is (a chevron's answers so).
    virtual skin::TPopupKind PopupKind() const;
    // The theme's shadow type.
    virtual int ShadowType() const;
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void CMViewType(TMessage& message);

private:
    static void PaintNC(HWND window, HDC dc, TObject* control);
    void DrawNCArea(bool drawToDC, HDC dc, HRGN clip);
    // The opener's screen rectangle, when the theme should leave its edge open; empty otherwise.
    TRect OpenerRect() const;

    TObjectPtr<TShadows> shadows_;
    bool destroying_ = false;
};

class TSkinChevronPopupWindow : public TSkinPopupWindow {
    CLASSLIB_CLASS(TSkinChevronPopupWindow, TSkinPopupWindow)
public:
    using TSkinPopupWindow::TSkinPopupWindow;

protected:
    skin::TPopupKind PopupKind() const override { return skin::TPopupKind::Chevron; }
};
