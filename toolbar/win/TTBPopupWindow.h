// The top-level window of an open menu or submenu: a topmost tool window without activation, framed by a
// 3-pixel raised border, owning the popup view that lays out and paints its items. CreatePopup opens one
// for a viewer's submenu and places it beside the viewer (toolbar/core/PopupPosition.h).
//
// Message 1578 is the show hand-shake with descendants (the themed popup answers it): wParam 1 asks
// before an animated show (non-zero cancels the animation), 2 tells that an animation ended, 3 that the
// window was shown without one. This window shows at once and sends 3.
#pragma once
#include "classlib/win/TCustomControl.h"
#include "toolbar/core/PopupPosition.h"
#include "toolbar/win/TTBView.h"

class TTBPopupWindow;

class TTBPopupView : public TTBView {
    CLASSLIB_CLASS(TTBPopupView, TTBView)

    TTBPopupView(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, TTBPopupWindow* window,
                 bool customizing);
    // The window takes the view's size plus its border, at its current place.
    void AutoSize(int width, int height) override;
    HFONT GetFont() override;
};

class TTBPopupWindow : public TCustomControl {
    CLASSLIB_CLASS(TTBPopupWindow, TCustomControl)

    TTBPopupWindow(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, bool customizing);
    ~TTBPopupWindow() override;
    void BeforeDestruction() override;

    TTBPopupView* View() const { return view_.get(); }
    // The non-client border on each side.
    virtual TPoint BorderSize() const { return TPoint{3, 3}; }
    unsigned SlideDirection() const { return slide_; }
    void SetSlideDirection(unsigned value) { slide_ = value; }

protected:
    // A family of popup windows with a view class of its own.
    using TViewMaker = TTBPopupView* (*)(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem,
                                         TTBPopupWindow* window, bool customizing);
    TTBPopupWindow(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, bool customizing,
                   TViewMaker makeView);

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    void WndProc(TMessage& message) override;
    void PaintWindow(HDC dc) override;

private:
    static void PaintFrame(HWND window, HDC dc, TObject* control);

    TObjectPtr<TTBPopupView> view_;
    TTBView* parentView_;
    unsigned slide_ = 0;
    bool uiStateInitialised_ = false;
};

namespace tb {

// The show hand-shake message (see above).
constexpr UINT kPopupShowMessage = 1578;

// Opens the submenu of parentViewer's item from parentView: runs the items' OnPopup, makes the window,
// lays out its view within the work area of the parent's monitor, places it (as a submenu of a popup
// menu when asSubmenu, else as a drop-down of a toolbar), records it as parentView's open popup and shows
// it. Anything that fails frees the window and passes on.
TTBPopupWindow* CreatePopup(TTBView* parentView, TTBItemViewer* parentViewer, bool asSubmenu, bool selectFirst);

// Shows item's children as a popup menu at a screen point (its left, right or centre there; never over
// keepClear, above which it opens when it does not fit below) and runs the menu loop on it until it closes.
// The chosen item's click is posted and runs with the menu gone. Returns whether an item was chosen.
bool PopupMenuAt(TTBCustomItem* item, TPoint point, TTBPopupAlignment alignment, const TRect& keepClear = TRect{});

}  // namespace tb
