// The small tool-window frame a floating dockable window lives in. It draws its own non-client area (a
// raised frame, a small caption with the window's caption and a close button), answers the hit codes of its
// caption (2002), close button (2001) and sizing borders, and never takes the activation from its form: a
// click into it activates the form it belongs to instead.
#pragma once
#include "classlib/core/Types.h"
#include "classlib/win/TCustomForm.h"

class TTBCustomDockableWindow;

class TTBFloatingWindowParent : public TCustomForm {
    CLASSLIB_COMPONENT(TTBFloatingWindowParent, TCustomForm)
    CLASSLIB_MESSAGES(TTBFloatingWindowParent, CLASSLIB_ON(WM_GETMINMAXINFO, &TTBFloatingWindowParent::WMGetMinMaxInfo),
                      CLASSLIB_ON(WM_NCCALCSIZE, &TTBFloatingWindowParent::WMNCCalcSize),
                      CLASSLIB_ON(WM_NCPAINT, &TTBFloatingWindowParent::WMNCPaint),
                      CLASSLIB_ON(WM_PRINT, &TTBFloatingWindowParent::WMPrint),
                      CLASSLIB_ON(WM_NCHITTEST, &TTBFloatingWindowParent::WMNCHitTest),
                      CLASSLIB_ON(WM_NCLBUTTONDOWN, &TTBFloatingWindowParent::WMNCLButtonDown),
                      CLASSLIB_ON(WM_NCLBUTTONDBLCLK, &TTBFloatingWindowParent::WMNCLButtonDblClk),
                      CLASSLIB_ON(WM_NCRBUTTONUP, &TTBFloatingWindowParent::WMNCRButtonUp),
                      CLASSLIB_ON(WM_NCACTIVATE, &TTBFloatingWindowParent::WMNCActivate),
                      CLASSLIB_ON(WM_ACTIVATE, &TTBFloatingWindowParent::WMActivate),
                      CLASSLIB_ON(WM_MOUSEACTIVATE, &TTBFloatingWindowParent::WMMouseActivate),
                      CLASSLIB_ON(WM_MOVE, &TTBFloatingWindowParent::WMMove),
                      CLASSLIB_ON(WM_CLOSE, &TTBFloatingWindowParent::WMClose),
                      CLASSLIB_ON(CM_SHOWINGCHANGED, &TTBFloatingWindowParent::CMShowingChanged),
                      CLASSLIB_ON(CM_DIALOGKEY, &TTBFloatingWindowParent::CMDialogKey),
                      CLASSLIB_ON(CM_TEXTCHANGED, &TTBFloatingWindowParent::CMTextChanged))

    // An empty form, no builders.
    explicit TTBFloatingWindowParent(TComponent* owner);

    // Painting parts.
    static constexpr int kBorder = 1, kCaption = 2, kCloseButton = 4, kAllParts = 7;

    TTBCustomDockableWindow* DockableWindow() const { return window_; }
    TCustomForm* ParentForm() const { return parentForm_; }
    void SetParentForm(TCustomForm* form);
    const WideString& CaptionW() const { return caption_; }
    void SetCaptionW(const WideString& value);
    bool CloseButtonDown() const { return closeButtonDown_; }
    void SetCloseButtonDown(bool value);
    bool ShouldShow() const { return shouldShow_; }
    void SetShouldShow(bool value) { shouldShow_ = value; }

    // Repaints the given parts now (with a handle and visible only).
    void RedrawNCArea(int parts);
    // The frame's painting: into dc when printing, else into its window DC clipped to clip.
    virtual void DrawNCArea(bool drawToDC, HDC dc, HRGN clip, int parts);

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

    void WMGetMinMaxInfo(TMessage& message);
    void WMNCCalcSize(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMPrint(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    void WMNCLButtonDblClk(TMessage& message);
    void WMNCRButtonUp(TMessage& message);
    void WMNCActivate(TMessage& message);
    void WMActivate(TMessage& message);
    void WMMouseActivate(TMessage& message);
    void WMMove(TMessage& message);
    void WMClose(TMessage& message);
    void CMShowingChanged(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMTextChanged(TMessage& message);

private:
    friend class TTBCustomDockableWindow;
    static void PaintNC(HWND window, HDC dc, TObject* control);

    WideString caption_;
    bool closeButtonDown_ = false;
    TTBCustomDockableWindow* window_ = nullptr;
    TCustomForm* parentForm_ = nullptr;
    bool shouldShow_ = false;
};
