// A dock: a control aligned to one edge of its form that holds dockable windows (toolbars, menu bars, tool
// panels) in rows. Each docked window wishes a row and a position along it; ArrangeToolbars turns the wishes
// into places (toolbar/core/DockLayout.h), sizes every window to its row and gives the dock its thickness,
// 0 when it holds no visible window. Bound lines are one-pixel lines in the dock's non-client area; a
// background painter, when assigned, paints the dock and the windows on it as one surface.
//
//   TTBDock* top = Create<TTBDock>(form);
//   top->SetParent(form);                 // Position dpTop: aligned to the top
//   window->SetCurrentDock(top);          // the window joins the dock's lists and the layout runs
#pragma once
#include <vector>

#include "classlib/core/Method.h"
#include "classlib/win/TCustomControl.h"
#include "toolbar/core/DockLayout.h"

class TTBCustomDockableWindow;
class TTBDock;

enum TTBDockBoundLinesValues { blTop, blBottom, blLeft, blRight };
using TTBDockBoundLines = TSet<TTBDockBoundLinesValues>;

// Painter of a dock's background. A change notification repaints the dock and the windows on it.
class TTBBasicBackground : public TComponent {
    CLASSLIB_COMPONENT(TTBBasicBackground, TComponent)
    explicit TTBBasicBackground(TComponent* owner) : TComponent(owner) {}
    virtual void Draw(HDC dc, const TRect& rect) = 0;
    virtual HPALETTE GetPalette() = 0;
    virtual void RegisterChanges(TNotifyEvent proc) = 0;
    virtual void SysColorChanged() = 0;
    virtual void UnregisterChanges(TNotifyEvent proc) = 0;
    virtual bool UsingBackground() = 0;
};

using TInsertRemoveEvent = Method<void(TObject* sender, bool inserting, TTBCustomDockableWindow* bar)>;
using TRequestDockEvent = Method<void(TObject* sender, TTBCustomDockableWindow* bar, bool& accept)>;

class TTBDock : public TCustomControl {
    CLASSLIB_COMPONENT(TTBDock, TCustomControl)
    CLASSLIB_MESSAGES(TTBDock, CLASSLIB_ON(WM_ERASEBKGND, &TTBDock::WMEraseBkgnd),
                      CLASSLIB_ON(WM_NCCALCSIZE, &TTBDock::WMNCCalcSize), CLASSLIB_ON(WM_NCPAINT, &TTBDock::WMNCPaint),
                      CLASSLIB_ON(WM_MOVE, &TTBDock::WMMove), CLASSLIB_ON(WM_SYSCOMMAND, &TTBDock::RelayToFloating),
                      CLASSLIB_ON(CM_DIALOGKEY, &TTBDock::RelayToFloating),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TTBDock::RelayToFloating))

    explicit TTBDock(TComponent* owner);
    ~TTBDock() override;

    TTBDockPosition Position() const { return position_; }
    // Raises EInvalidOperation while the dock holds controls.
    void SetPosition(TTBDockPosition value);
    bool AllowDragField() const { return allowDrag_; }
    void SetAllowDrag(bool value);
    TTBDockBoundLines BoundLines() const { return boundLines_; }
    void SetBoundLines(TTBDockBoundLines value);
    TTBBasicBackground* Background() const { return background_; }
    void SetBackground(TTBBasicBackground* value);
    bool BackgroundOnToolbars() const { return backgroundOnToolbars_; }
    void SetBackgroundOnToolbars(bool value);
    bool FixAlign() const { return fixAlign_; }
    void SetFixAlign(bool value);
    bool LimitToOneRow() const { return limitToOneRow_; }
    void SetLimitToOneRow(bool value);

    TInsertRemoveEvent OnInsertRemoveBar;
    TRequestDockEvent OnRequestDock;

    // Windows may be dragged by their handle.
    virtual bool AllowDrag() { return allowDrag_; }
    virtual void DrawBackground(HDC dc, const TRect& drawRect);
    virtual bool UsingBackground();
    virtual void ArrangeToolbars();

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // The visible windows on the dock, in the layout's order.
    int GetToolbarCount() const { return static_cast<int>(visible_.size()); }
    TTBCustomDockableWindow* GetToolbar(int index) const;
    // Every window whose current dock (or last dock) this is.
    const std::vector<TTBCustomDockableWindow*>& Windows() const { return windows_; }
    int GetHighestRow(bool effective) const;
    // The thickness of an effective row (0 for a negative one); whether a FullSize window is in it.
    int GetRowSize(int row, bool& containsFullSize) const;
    int GetRowThicknessExcept(int row, TTBCustomDockableWindow* except) const;
    int GetDesiredRow(int offset) const;
    // Bound lines across (width) and along (height).
    TSize NonClientSize() const { return ncSize_; }
    void ChangeWidthHeight(int newWidth, int newHeight);
    bool IsVertical() const { return tb::IsVerticalDock(position_); }

    void SetParent(TWinControl* value) override;

    // Called by dockable windows.
    void AddWindow(TTBCustomDockableWindow* window);
    void RemoveWindow(TTBCustomDockableWindow* window);
    void UpdateVisibleList(TTBCustomDockableWindow* window);
    // At the end of the next layout the effective places become the wishes and the list takes the order.
    void SetCommitPositions() { commitPositions_ = true; }

protected:
    // The layout proper: ArrangeToolbars runs it outside of updates and loading, once the windows being
    // destroyed have left the lists. A dock that places its windows its own way replaces it.
    virtual void LayOutWindows();
    // For such a dock: the place its layout gave a window (row, position along the dock, client thickness).
    static void SetEffectivePlace(TTBCustomDockableWindow* window, int row, int pos, int thickness);
    void CreateParams(TCreateParams& params) override;
    // The dock is opaque: without a background it fills its client with its colour here.
    void Paint() override;
    void Loaded() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

    void WMEraseBkgnd(TMessage& message);
    void WMNCCalcSize(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMMove(TMessage& message);
    void RelayToFloating(TMessage& message);

private:
    void BackgroundChanged(TObject* sender);
    void InvalidateAll();
    void UpdateNCSize();
    void DrawBoundLines(HDC dc);
    static void PaintNC(HWND window, HDC dc, TObject* control);

    TTBDockPosition position_ = dpTop;
    bool allowDrag_ = true;
    TTBDockBoundLines boundLines_;
    TTBBasicBackground* background_ = nullptr;
    bool backgroundOnToolbars_ = true;
    bool fixAlign_ = false;
    bool limitToOneRow_ = false;
    int updateCount_ = 0;
    bool arrangeNeeded_ = false;
    bool commitPositions_ = false;
    TSize ncSize_;
    std::vector<TTBCustomDockableWindow*> windows_;
    std::vector<TTBCustomDockableWindow*> visible_;
};
