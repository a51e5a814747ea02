// The base of every window that sits in a dock (TTBDock) or floats in a small tool-window frame of its own
// (TTBFloatingWindowParent): toolbars, menu bars and tool panels. It draws its docked frame with a drag
// handle and an optional close button, moves between docks and floating without re-creating its window (its
// HWND and its children's stay), runs the modal drag loop that decides where it lands (Ctrl keeps it from
// docking, Esc cancels) and the modal resize loop of its floating frame, and keeps a floating frame shown
// exactly while its form is (toolbar/core/FloatingVisibility.h).
//
// Non-client hit codes: 2000 the drag handle, 2001 a close button, 2002 the floating caption.
//
// The loops hold the mouse capture; losing it, Esc, a second button press, WM_QUIT (posted again) or the
// window's destruction ends them, and every way out releases the capture and the cursor clip and puts back
// what the loop changed.
//
// What a descendant lays out inside itself is reached through GetBaseSize and OrderControls.
#pragma once
#include <memory>
#include <vector>

#include "classlib/core/Method.h"
#include "classlib/core/Types.h"
#include "classlib/win/TCustomControl.h"
#include "toolbar/core/DockableGeometry.h"
#include "toolbar/core/HookTable.h"

class TTBDock;
class TTBFloatingWindowParent;
class TCustomForm;

using TTBDockableTo = TSet<TTBDockPosition>;
enum TTBDockableBorderStyle { dbsNone, dbsSingle };
using TTBDockChangingEvent = Method<void(TObject* sender, bool floating, TTBDock* newDock)>;
using TTBCloseQueryEvent = Method<void(TObject* sender, bool& canClose)>;
// The storage of position data: section (the window's Name), key, and the value (reading: the default).
using TTBPositionReadIntProc = Method<int(const AnsiString& section, const AnsiString& key, int defaultValue)>;
using TTBPositionWriteIntProc = Method<void(const AnsiString& section, const AnsiString& key, int value)>;

class TTBCustomDockableWindow : public TCustomControl {
    CLASSLIB_COMPONENT(TTBCustomDockableWindow, TCustomControl)
    CLASSLIB_MESSAGES(TTBCustomDockableWindow, CLASSLIB_ON(WM_NCCALCSIZE, &TTBCustomDockableWindow::WMNCCalcSize),
                      CLASSLIB_ON(WM_NCPAINT, &TTBCustomDockableWindow::WMNCPaint),
                      CLASSLIB_ON(WM_PRINT, &TTBCustomDockableWindow::WMPrint),
                      CLASSLIB_ON(WM_NCHITTEST, &TTBCustomDockableWindow::WMNCHitTest),
                      CLASSLIB_ON(WM_SETCURSOR, &TTBCustomDockableWindow::WMSetCursor),
                      CLASSLIB_ON(WM_NCLBUTTONDOWN, &TTBCustomDockableWindow::WMNCLButtonDown),
                      CLASSLIB_ON(WM_NCLBUTTONDBLCLK, &TTBCustomDockableWindow::WMNCLButtonDblClk),
                      CLASSLIB_ON(WM_NCMOUSEMOVE, &TTBCustomDockableWindow::WMNCMouseMove),
                      CLASSLIB_ON(WM_NCMOUSELEAVE, &TTBCustomDockableWindow::WMNCMouseLeave),
                      CLASSLIB_ON(WM_MOUSEMOVE, &TTBCustomDockableWindow::WMMouseMove),
                      CLASSLIB_ON(CM_MOUSELEAVE, &TTBCustomDockableWindow::CMMouseLeave),
                      CLASSLIB_ON(WM_LBUTTONDOWN, &TTBCustomDockableWindow::WMLButtonDown),
                      CLASSLIB_ON(WM_LBUTTONDBLCLK, &TTBCustomDockableWindow::WMLButtonDown),
                      CLASSLIB_ON(WM_NCRBUTTONUP, &TTBCustomDockableWindow::WMNCRButtonUp),
                      CLASSLIB_ON(WM_ERASEBKGND, &TTBCustomDockableWindow::WMEraseBkgnd),
                      CLASSLIB_ON(WM_MOVE, &TTBCustomDockableWindow::WMMove),
                      CLASSLIB_ON(WM_ENABLE, &TTBCustomDockableWindow::WMEnable),
                      CLASSLIB_ON(CM_TEXTCHANGED, &TTBCustomDockableWindow::CMTextChanged),
                      CLASSLIB_ON(CM_VISIBLECHANGED, &TTBCustomDockableWindow::CMVisibleChanged),
                      CLASSLIB_ON(CM_SHOWINGCHANGED, &TTBCustomDockableWindow::CMShowingChanged))

    explicit TTBCustomDockableWindow(TComponent* owner);
    ~TTBCustomDockableWindow() override;
    void BeforeDestruction() override;

    // Properties.
    bool AutoResize() const { return autoResize_; }
    void SetAutoResize(bool value);
    const WideString& Caption() const { return caption_; }
    void SetCaption(const WideString& value);
    bool DblClickUndock() const { return dblClickUndock_; }
    void SetDblClickUndock(bool value) { dblClickUndock_ = value; }
    int DockPos() const { return dockPos_; }
    void SetDockPos(int value);
    int DockRow() const { return dockRow_; }
    void SetDockRow(int value);
    TTBDock* CurrentDock() const { return currentDock_; }
    void SetCurrentDock(TTBDock* value);
    TTBDock* DefaultDock() const { return defaultDock_; }
    void SetDefaultDock(TTBDock* value);
    TTBDock* LastDock() const { return lastDock_; }
    void SetLastDock(TTBDock* value);
    bool ActivateParent() const { return activateParent_; }
    void SetActivateParent(bool value) { activateParent_ = value; }
    bool HideWhenInactive() const { return hideWhenInactive_; }
    void SetHideWhenInactive(bool value);
    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool value);
    bool CloseButtonWhenDocked() const { return closeButtonWhenDocked_; }
    void SetCloseButtonWhenDocked(bool value);
    bool FullSize() const { return fullSize_; }
    void SetFullSize(bool value);
    bool Resizable() const { return resizable_; }
    void SetResizable(bool value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool UseLastDock() const { return useLastDock_; }
    void SetUseLastDock(bool value);
    TTBDockableBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TTBDockableBorderStyle value);
    TTBDockMode DockMode() const { return dockMode_; }
    void SetDockMode(TTBDockMode value) { dockMode_ = value; }
    TTBDragHandleStyle DragHandleStyle() const { return dragHandleStyle_; }
    void SetDragHandleStyle(TTBDragHandleStyle value);
    TTBDockableTo DockableTo() const { return dockableTo_; }
    void SetDockableTo(TTBDockableTo value) { dockableTo_ = value; }
    TTBFloatingMode FloatingMode() const { return floatingMode_; }
    void SetFloatingMode(TTBFloatingMode value);
    bool SmoothDrag() const { return smoothDrag_; }
    void SetSmoothDrag(bool value) { smoothDrag_ = value; }
    bool CornerSizing() const { return cornerSizing_; }
    void SetCornerSizing(bool value) { cornerSizing_ = value; }
    bool ConfineCursorWhileSizing() const { return confineCursor_; }
    void SetConfineCursorWhileSizing(bool value) { confineCursor_ = value; }
    bool Floating() const { return floating_; }
    void SetFloating(bool value);
    bool Docked() const { return docked_; }
    // The kind of place the window is in now: its dock's type, floating, or neither.
    TTBDockType CurrentDockType() const;
    TPoint FloatingPosition() const { return floatingPosition_; }
    void SetFloatingPosition(TPoint value);
    // The frame the window floats in, or null.
    TTBFloatingWindowParent* FloatingParent() const;

    // Forms whose docks the drag loop also offers, after the window's own form.
    void AddDockForm(TCustomForm* form);
    void RemoveDockForm(TCustomForm* form);

    TNotifyEvent OnClose;
    TNotifyEvent OnDockChanged;
    TNotifyEvent OnMove;
    TNotifyEvent OnRecreated;
    TNotifyEvent OnRecreating;
    TNotifyEvent OnVisibleChanged;
    TTBCloseQueryEvent OnCloseQuery;
    TTBDockChangingEvent OnDockChanging;
    TTBDockChangingEvent OnDockChangingHidden;

    // Effective place from the last dock layout, and what the layout recorded.
    int EffectiveRow() const { return effectiveRow_; }
    int EffectivePos() const { return effectivePos_; }
    int DockedThickness() const { return dockedThickness_; }
    int ShrunkLength() const { return shrunkLength_; }

    // Asks OnCloseQuery, then hides the window and raises OnClose.
    void Close();
    // Lays the contents out and takes the size they need.
    void Arrange();
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    // Docked: the dock's layout (or floating: the frame's size) follows; the window keeps its wishes.
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* value) override;
    // A floating frame moved onto the work area of its monitor (only when it lies wholly outside with
    // onlyIfFullyOffscreen).
    void MoveOnScreen(bool onlyIfFullyOffscreen);
    // The double-click action: dock a floating window back, float a docked one.
    void DoubleClick();
    // The form the window belongs to (for a floating window, the form its frame belongs to), and its top form.
    TCustomForm* WindowForm() const;
    TCustomForm* TopForm() const;
    // Floating visibility (see toolbar/core/FloatingVisibility.h).
    bool ShouldBeVisible();
    void UpdateVisibility();
    void UpdateCaptionState();
    void UpdateTopmostFlag();
    bool CaptionInactive() const { return captionInactive_; }
    // The docked close button's look.
    bool CloseButtonHot() const { return closeHot_; }
    bool CloseButtonPressed() const { return closePressed_; }

    // The modal loops; the press point is in client coordinates, the handle 0 left .. 7 bottom-right.
    void BeginMoving(int initX, int initY);
    void BeginSizing(int handle);
    // Tracks a press on a close button (the docked one, or the frame's): true for a click on it.
    bool TrackCloseButton(bool floatingButton);

    // Virtual operations of the descendants.
    virtual tb::TNCExtents GetDockedNCArea();
    virtual bool CanDockTo(TTBDock* dock);
    virtual void ControlExistsAtPos(TPoint point, bool& exists);
    // Lays the contents out for a dock type (0 none, 1 floating, 2 top/bottom, 3 left/right) and answers the
    // client size needed.
    virtual void OrderControls(bool canMoveControls, TTBDockType wasDockedTo, TTBDock* dockingTo,
                               TSize& newClientSize) = 0;
    virtual void DrawNCArea(bool drawToDC, HDC dc, HRGN clip);
    virtual void GetBaseSize(TSize& size) = 0;
    virtual TRect GetDockedCloseButtonRect(bool leftRight);
    virtual void GetMinShrinkSize(int& size) {}
    virtual void GetMinMaxSize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) {}
    virtual TTBShrinkMode GetShrinkMode() { return tbsmNone; }
    virtual void SizeChanging(int newWidth, int newHeight) {}
    // The resize loop of the floating frame: started with a sizing handle, then each new frame rectangle (screen
    // coordinates) may be adjusted, and ended before the result is applied (not accepted when cancelled or
    // when the loop fails).
    virtual void SizingStarted(int handle) {}
    virtual void SizingRect(TRect& rect, const TRect& startRect) {}
    virtual void SizingEnded(bool accepted) {}
    virtual TSize GetFloatingBorderSize();
    // The frame the window floats in, unowned; the framework's plain one here.
    virtual TTBFloatingWindowParent* CreateFloatingParent();
    // Values a descendant keeps with the saved positions of the windows; none here.
    virtual void ReadPositionData(const TTBPositionReadIntProc& read) {}
    virtual void WritePositionData(const TTBPositionWriteIntProc& write) {}

    // State the dock's layout reads and writes.
    bool Dragging() const { return dragging_; }
    bool KeepPlace() const { return keepPlace_; }
    bool InsertAsNewRow() const { return insertAsNewRow_; }
    bool Destroying() const { return ComponentState().Contains(csDestroying); }

protected:
    // Held by a call that may free the window on the way: false once it is gone.
    const std::shared_ptr<bool>& AliveFlag() const { return alive_; }
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;
    // "SavedAtRunTime" (written always True) and the wide "Caption".
    void DefineProperties(TFiler* filer) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Hooks for descendants; the base raises OnDockChangingHidden from the first.
    virtual void DockChangingHidden(bool floating, TTBDock* newDock);

    void WMNCCalcSize(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMPrint(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMSetCursor(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    void WMNCLButtonDblClk(TMessage& message);
    void WMNCMouseMove(TMessage& message);
    void WMNCMouseLeave(TMessage& message);
    void WMMouseMove(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void WMLButtonDown(TMessage& message);
    void WMNCRButtonUp(TMessage& message);
    void WMEraseBkgnd(TMessage& message);
    void WMMove(TMessage& message);
    void WMEnable(TMessage& message);
    void CMTextChanged(TMessage& message);
    void CMVisibleChanged(TMessage& message);
    void CMShowingChanged(TMessage& message);

private:
    friend class TTBDock;
    friend class TTBFloatingWindowParent;
    struct TDragState;

    bool IsMovable();
    void RedrawNCArea();
    void SetCloseButtonState(bool hot, bool pressed);
    void ResizeToClientSize(TSize client);
    void DrawDockedNC(HDC dc);
    static void PaintNC(HWND window, HDC dc, TObject* control);
    void ApplyDragRect(TDragState& st, const TRect& rect);
    void DragStep(TDragState& st, bool firstStep);
    void ApplySizingRect(const TRect& rect);
    static void HookProc(TTBHookKind kind, HWND window, WPARAM wParam, LPARAM lParam);
    void JoinFloatingWindows();
    void LeaveFloatingWindows();

    bool autoResize_ = true;
    WideString caption_;
    bool dblClickUndock_ = true;
    int dockPos_ = -1;
    int dockRow_ = 0;
    TTBDock* currentDock_ = nullptr;
    TTBDock* defaultDock_ = nullptr;
    TTBDock* lastDock_ = nullptr;
    bool activateParent_ = true;
    bool hideWhenInactive_ = true;
    bool closeButton_ = true;
    bool closeButtonWhenDocked_ = false;
    bool fullSize_ = false;
    bool resizable_ = true;
    bool showCaption_ = true;
    bool stretch_ = false;
    bool useLastDock_ = true;
    TTBDockableBorderStyle borderStyle_ = dbsSingle;
    TTBDockMode dockMode_ = dmCanFloat;
    TTBDragHandleStyle dragHandleStyle_ = dhSingle;
    TTBDockableTo dockableTo_{dpTop, dpBottom, dpLeft, dpRight};
    TTBFloatingMode floatingMode_ = fmOnTopOfParentForm;
    bool smoothDrag_ = true;
    bool cornerSizing_ = true;
    bool confineCursor_ = true;
    TPoint floatingPosition_;

    bool docked_ = false;
    bool floating_ = false;
    int effectiveRow_ = -1;
    int effectivePos_ = 0;
    int shrunkLength_ = 0;
    int dockedThickness_ = 0;
    int updateCount_ = 0;
    bool arrangeNeeded_ = false;
    int sizingCount_ = 0;
    int hideCount_ = 0;       // visibility updates suspended while the parent changes
    int moveReportsOff_ = 0;  // move reports suspended while the parent changes
    bool dragging_ = false;
    bool keepPlace_ = false;
    bool canSplit_ = false;
    bool insertAsNewRow_ = false;
    bool smoothDragging_ = false;
    bool settingCaption_ = false;
    bool captionInactive_ = false;
    bool closeHot_ = false;
    bool closePressed_ = false;
    bool savedAtRunTime_ = false;
    TTBFloatingWindowParent* floatParent_ = nullptr;  // the remembered frame (may be set aside during a drag)
    std::vector<TCustomForm*> dockForms_;
    // False once the window goes: a loop or call still on the stack that holds a copy touches it no more.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
