// A view shows the children of one item in one window (a toolbar or a popup menu window): one viewer per
// child, laid out by the layout pass of toolbar/core/ViewLayout.h, painted in order with the selected viewer
// last. It keeps the interactive state of its window: the selection, the open submenu (a popup window
// with a view of its own, whose parent view is this one), the hover timers of popup windows, and, on the
// root view of a running menu loop, the done action that ends the loop.
//
// The view follows the item's change notifications and rebuilds or remeasures its viewers.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/TComponent.h"
#include "classlib/core/TObject.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/Win32.h"
#include "toolbar/core/NotifyList.h"
#include "toolbar/core/ViewLayout.h"

class TTBCustomAccObject;
class TTBCustomItem;
class TTBItemViewer;
class TTBPopupWindow;
class TTBModalHandler;
class TWinControl;

using TTBViewOrientation = tb::TTBViewOrientation;

// What ended a menu loop; carried out after every menu is closed.
enum class TTBDoneActionKind { None, Cancel, ClickItem, SysMenu, Help };
struct TTBDoneAction {
    TTBDoneActionKind kind = TTBDoneActionKind::None;
    TTBCustomItem* clickItem = nullptr;
    bool sound = false;  // the clicked viewer was in a popup: the command sound may play
    HWND sysMenuWindow = nullptr;
    char16_t sysMenuKey = 0;
    std::int32_t helpContext = 0;
};

// View state bits.
constexpr unsigned kVsModal = 1u << 0;
constexpr unsigned kVsDrawInOrder = 1u << 2;
constexpr unsigned kVsShowAccels = 1u << 5;
constexpr unsigned kVsMouseInTb = 1u << 6;      // toolbars: menus follow the pointer
constexpr unsigned kVsDropDownMenus = 1u << 7;  // toolbars: a drop-down was just closed
// View style bits.
constexpr unsigned kVssMenuBar = 1u << 0;
constexpr unsigned kVssHideAccels = 1u << 1;
constexpr unsigned kVssShowHints = 1u << 2;

// Popup timers (window timers 9000 + id).
constexpr int kTimerOpen = 0;
constexpr int kTimerClose = 1;
constexpr int kTimerScrollUp = 2;
constexpr int kTimerScrollDown = 3;
constexpr UINT_PTR kTimerIdBase = 9000;

class TTBView : public TComponent {
    CLASSLIB_CLASS(TTBView, TComponent)

    TTBView(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, TWinControl* window, bool isToolbar,
            bool customizing = false, bool usePriorityList = false);
    ~TTBView() override;
    void BeforeDestruction() override;

    // Structure.
    TTBView* ParentView() const { return parentView_; }
    TTBCustomItem* ParentItem() const { return parentItem_; }
    TTBCustomItem* SourceItem() const { return sourceItem_; }
    TWinControl* Window() const { return window_; }
    bool IsToolbar() const { return isToolbar_; }
    bool IsPopup() const { return !isToolbar_; }
    bool Customizing() const { return customizing_; }
    int ViewerCount() const { return static_cast<int>(viewers_.size()); }
    TTBItemViewer* Viewers(int index) const { return viewers_.at(static_cast<std::size_t>(index)).get(); }
    int IndexOf(const TTBItemViewer* viewer) const;
    // Raises ETBItemError 65200 when no viewer shows item.
    TTBItemViewer* Find(const TTBCustomItem* item) const;
    TTBView* GetRootView();
    // The nearest view up the parent chain (this one included) that is a toolbar; none when there is none.
    TTBView* ToolbarView();

    TTBViewOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTBViewOrientation value);
    unsigned State() const { return state_; }
    unsigned Style() const { return style_; }
    void SetStyle(unsigned value) { style_ = value; }
    void SetWrapOffset(int value);
    void SetMaxHeight(int value) {
        maxHeight_ = value;
        InvalidatePositions();
    }
    int MaxHeight() const { return maxHeight_; }
    bool ShowsUpArrow() const { return upArrow_; }
    bool ShowsDownArrow() const { return downArrow_; }
    // Set when this view's popup opened to the left of its parent: its own submenus try the left first.
    bool OpenedLeft() const { return openedLeft_; }
    void SetOpenedLeft(bool value) { openedLeft_ = value; }
    // A chevron's popup view shows only the items behind the chevron of this view (the toolbar's).
    TTBView* ChevronParentView() const { return chevronParentView_; }
    void SetChevronParentView(TTBView* value);
    TRect MonitorRect() const { return monitorRect_; }
    void SetMonitorRect(const TRect& value) { monitorRect_ = value; }

    // Chevron. The toolbar view returns its chevron item (none here); a view that has one calls
    // RebuildViewers once it is constructed. The priority list orders the viewers for the chevron: the
    // front goes behind it last.
    virtual TTBCustomItem* GetChevronItem() { return nullptr; }
    // Extra items of a toolbar view: one shown in front of the items (an MDI child's system menu) and one
    // whose children are shown after them, before the chevron (an MDI child's buttons). None here.
    virtual TTBCustomItem* GetMDISystemMenuItem() { return nullptr; }
    virtual TTBCustomItem* GetMDIButtonsItem() { return nullptr; }
    // How many viewers in front belong to the extra items; the source item's children follow them.
    int InternalAtFront() const { return internalAtFront_; }
    void RebuildViewers();
    // Whether the viewers enter the priority list (rebuilds them), and whether new ones enter at its front.
    void SetUsePriorityList(bool value);
    void SetNewViewersFirst(bool value) { newViewersFirst_ = value; }
    // Where the chevron starts along the view (its client length less the chevron's size) and its size.
    void SetChevron(int offset, int size);
    void PromoteViewer(TTBItemViewer* viewer);
    TTBItemViewer* TopPriorityViewer();
    int PriorityIndexOf(const TTBItemViewer* viewer) const;

    // Layout.
    virtual void AutoSize(int width, int height) {}
    virtual void GetMargins(TTBViewOrientation orientation, TRect& margins);
    virtual HFONT GetFont();
    virtual void InvalidatePositions() { validated_ = false; }
    // The least size of the view (a full-size toolbar's row length).
    void SetBaseSize(TPoint value);
    // Runs the layout; returns the view's size.
    TPoint UpdatePositions();
    // The size the layout would give with these settings; the viewers keep their places.
    TPoint MeasurePositions(TTBViewOrientation orientation, int wrapOffset, int chevronOffset, int chevronSize,
                            TPoint baseSize);
    void ValidatePositions();
    bool Validated() const { return validated_; }
    TPoint Size() const { return size_; }
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // Painting.
    void PaintAllViewers(HDC dc);
    void PaintViewer(HDC dc, TTBItemViewer* viewer, bool throughBitmap);
    // Marks the viewer for a repaint through a bitmap and invalidates its bounds without erasing.
    void Invalidate(TTBItemViewer* viewer);

    // Selection and popups.
    TTBItemViewer* Selected() const { return selected_; }
    bool MouseOverSelected() const { return mouseOverSelected_; }
    void Select(TTBItemViewer* viewer, bool byMouse);
    TTBItemViewer* ViewerAtPoint(TPoint clientPoint) const;
    TTBItemViewer* OpenViewer() const { return openViewer_; }
    TTBView* OpenView() const { return openView_; }
    TTBPopupWindow* OpenWindow() const { return openWindow_; }
    bool OpenChildPopup(bool selectFirst);
    void CloseChildPopups();
    void CancelChildPopups();
    void ScrollSelectedIntoView();
    void ScrollStep(bool down);
    void RevealSelected();
    void ShowAccelMarks(bool show);
    // The selected-by-keyboard search of a typed character (see toolbar/core/KeySearch.h).
    TTBItemViewer* FindViewerByKey(TTBItemViewer* from, char16_t key, bool& onlyMatch, bool acceleratorsOnly);
    TTBItemViewer* NextSelectable(TTBItemViewer* from, bool forward);
    // Keyboard navigation of the view that has the keyboard; a handled key becomes 0.
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    // Executes the selected item as Enter does.
    void ExecuteSelected(bool allowSelectFirst);

    // Capture by a press inside the view (the viewer's button part).
    bool Capture() const { return capture_; }
    void SetCapture(bool value) { capture_ = value; }
    bool MouseDownOnMenu() const { return mouseDownOnMenu_; }
    void SetMouseDownOnMenu(bool value) { mouseDownOnMenu_ = value; }
    // Updates the selection and the pointer-over flag from a screen point.
    void UpdateMouseOver(TPoint screen, bool hoverTiming);

    // Timers (popup windows only).
    void StartTimer(int id, UINT ms);
    void StopTimer(int id);
    void StopAllTimers();
    bool TimerRunning(int id) const { return (timers_ & (1u << id)) != 0; }
    void HandleTimer(int id);

    // EVENT_OBJECT_FOCUS for the selected viewer (child id: its place among the accessible viewers), or the
    // parent view's when this view has no accessible selection; only while the loop runs and shows the view.
    void NotifyFocusEvent();

    // The menu loop: options bit 0 started by a mouse press, bit 1 execute the selection at once, bit 2
    // passed on. Returns what ended it (None when the view did not survive it or a loop already runs).
    TTBDoneActionKind RunMenuLoop(unsigned options);
    bool IsModalEnding();
    void EndModal();
    void EndModalWithItem(TTBItemViewer* viewer);
    void EndModalWithSystemMenu(HWND window, char16_t key);
    void EndModalWithHelp(std::int32_t context);
    void CancelMode();
    const TTBDoneAction& DoneAction() const { return done_; }
    void ClearDoneAction() { done_ = TTBDoneAction{}; }
    // The chosen item runs without the command sound (a list line picked is no menu command).
    void ClearDoneSound() { done_.sound = false; }
    void SetModal(bool value);
    // Records the submenu just opened from viewer (the popup window's view is view); a toolbar repaints the
    // viewer pressed. ForgetOpenPopup drops it again when window is the open one (the window is going).
    void SetOpenPopup(TTBItemViewer* viewer, TTBView* view, TTBPopupWindow* window);
    void ForgetOpenPopup(TTBPopupWindow* window);
    // The window the running loop holds the capture with (root view only).
    HWND CaptureWnd() const { return captureWnd_; }

    // The view's accessibility object while it lives (a weak link, changed under that object's lock).
    TTBCustomAccObject*& AccObjectSlot() { return accObject_; }
    void SetCaptureWnd(HWND value) { captureWnd_ = value; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTBItemViewer;
    void ItemNotification(TTBCustomItem* sender, bool relayed, TTBItemChangedAction action, int index,
                          TTBCustomItem* item);
    // Adds item's viewers (and those of an embedded group's children) at index; with usePriority they
    // enter the priority list at its front or its end.
    void AddItemViewers(std::size_t& index, TTBCustomItem* item, int groupLevel, bool toFront, bool usePriority);
    void AddInternalViewer(TTBCustomItem* item, bool chevron);
    void FreeViewers();
    void InsertItemViewers(TTBCustomItem* item);
    bool NeedsPaintThroughBitmap(const TTBItemViewer* viewer) const;
    // The viewers measured for the layout pass.
    std::vector<tb::TLayoutItem> MeasureViewers();
    void FillLayoutInput(tb::TLayoutInput& in);
    void ClearSelectionFor(TTBItemViewer* viewer);

    TTBView* parentView_;
    TTBCustomItem* parentItem_;
    TTBCustomItem* sourceItem_ = nullptr;
    TWinControl* window_;
    bool isToolbar_;
    bool customizing_;
    std::vector<TObjectPtr<TTBItemViewer>> viewers_;
    std::vector<bool> paintThroughBitmap_;
    bool usePriority_;
    bool newViewersFirst_ = true;  // new viewers get the highest priority
    std::vector<TTBItemViewer*> priority_;
    int internalAtFront_ = 0;
    int internalAtEnd_ = 0;
    int chevronOffset_ = 0;
    int chevronSize_ = 0;
    TTBViewOrientation orientation_ = TTBViewOrientation::Horizontal;
    unsigned state_ = 0;
    unsigned style_ = 0;
    unsigned timers_ = 0;
    int updateCount_ = 0;
    bool validated_ = false;
    TPoint size_;
    int wrapOffset_ = 0;
    int maxHeight_ = 0;
    int scrollOffset_ = 0;
    bool upArrow_ = false;
    bool downArrow_ = false;
    bool openedLeft_ = false;
    TRect monitorRect_;
    TTBItemViewer* selected_ = nullptr;
    bool selectedByMouse_ = false;
    bool mouseOverSelected_ = false;
    bool capture_ = false;
    bool mouseDownOnMenu_ = false;
    TTBItemViewer* openViewer_ = nullptr;
    TTBView* openView_ = nullptr;
    TTBPopupWindow* openWindow_ = nullptr;
    TTBDoneAction done_;
    HWND captureWnd_ = nullptr;
    TTBCustomAccObject* accObject_ = nullptr;
    TTBView* chevronParentView_ = nullptr;
    TPoint baseSize_;
    bool destroying_ = false;
    // False once the view is destroyed: a loop running on it checks this before it touches the view again.
    std::shared_ptr<bool> alive_;
};

namespace tb {

// The program's menu font from the system's non-client metrics; null when the system gives none.
HFONT GetMenuFont();
// Makes the menu font again from the current metrics (after the system's menu font changed).
void RecreateMenuFont();

}  // namespace tb
