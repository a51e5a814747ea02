// A toolbar: the dockable window that shows the children of its root item (Items) through a toolbar view.
// It tells its dock how long it would like to be, how far it may shrink and how (ShrinkMode: wrapping into
// more lines, or hiding the items it has no room for behind a chevron button whose menu lists them), and
// lays its items out for whatever length the dock grants.
//
// Input: a press on a button runs the menu loop from the mouse (a press on empty space drags the toolbar);
// a menu bar (MenuBar) takes Alt, Alt+letter and F10 through SC_KEYMENU; an ordinary toolbar answers the
// accelerators of its items; with ProcessShortCuts (always for a menu bar) its items' shortcuts work
// anywhere on its form (toolbar/win/ToolbarShortCuts.h).
#pragma once
#include <memory>
#include <vector>

#include "classlib/core/Method.h"
#include "toolbar/core/TBItemOptions.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/ToolbarSizing.h"
#include "toolbar/win/TTBCustomDockableWindow.h"
#include "toolbar/win/TTBToolbarView.h"

class TCustomImageList;
class TTBChevronItem;
class TTBCustomItem;
class TTBCustomToolbar;
class TTBRootItem;

enum TTBChevronPriorityForNewItems { tbcpHighest, tbcpLowest };

// OnShortCut: asked before the items' shortcuts; handled ends the search.
using TTBShortCutEvent = Method<void(TMessage& message, bool& handled)>;

class TTBCustomToolbar : public TTBCustomDockableWindow, public ITBItems {
    CLASSLIB_COMPONENT(TTBCustomToolbar, TTBCustomDockableWindow)
    CLASSLIB_MESSAGES(TTBCustomToolbar, CLASSLIB_ON(CM_COLORCHANGED, &TTBCustomToolbar::CMColorChanged),
                      CLASSLIB_ON(CM_FONTCHANGED, &TTBCustomToolbar::CMFontChanged),
                      CLASSLIB_ON(CM_WININICHANGE, &TTBCustomToolbar::CMWinIniChange),
                      CLASSLIB_ON(CM_SHOWHINTCHANGED, &TTBCustomToolbar::CMShowHintChanged),
                      CLASSLIB_ON(CM_HINTSHOW, &TTBCustomToolbar::CMHintShow),
                      CLASSLIB_ON(WM_GETOBJECT, &TTBCustomToolbar::WMGetObject),
                      CLASSLIB_ON(WM_SETCURSOR, &TTBCustomToolbar::WMSetCursor),
                      CLASSLIB_ON(CM_DIALOGKEY, &TTBCustomToolbar::CMDialogKey),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TTBCustomToolbar::CMDialogChar),
                      CLASSLIB_ON(WM_SYSCOMMAND, &TTBCustomToolbar::WMSysCommand),
                      CLASSLIB_ON(CM_MOUSELEAVE, &TTBCustomToolbar::CMMouseLeave),
                      CLASSLIB_ON(WM_MOUSELEAVE, &TTBCustomToolbar::WMMouseLeave),
                      CLASSLIB_ON(WM_NCMOUSEMOVE, &TTBCustomToolbar::WMNCMouseMove),
                      CLASSLIB_ON(WM_CONTEXTMENU, &TTBCustomToolbar::WMContextMenu),
                      CLASSLIB_ON(WM_CANCELMODE, &TTBCustomToolbar::WMCancelMode),
                      CLASSLIB_ON(CM_CONTROLCHANGE, &TTBCustomToolbar::CMControlChange),
                      CLASSLIB_ON(CM_CONTROLLISTCHANGE, &TTBCustomToolbar::CMControlListChange))

    explicit TTBCustomToolbar(TComponent* owner);
    ~TTBCustomToolbar() override;

    // The classes a toolbar family builds its chevron item and view from (each null: the framework's).
    struct TParts {
        TTBChevronItem* (*makeChevron)() = nullptr;
        TTBToolbarView* (*makeView)(TTBCustomToolbar* toolbar, TTBCustomItem* root, bool usePriorityList) = nullptr;
    };
    void BeforeDestruction() override;

    TTBRootItem* Items() const { return items_.get(); }
    TTBToolbarView* View() const { return view_.get(); }
    TTBChevronItem* ChevronItem() const { return chevron_.get(); }
    TTBCustomItem* GetItems() override;

    // Properties.
    TTBShrinkMode ShrinkMode() const { return shrinkMode_; }
    void SetShrinkMode(TTBShrinkMode value);
    bool MenuBar() const { return menuBar_; }
    void SetMenuBar(bool value);
    bool ProcessShortCuts() const { return processShortCuts_; }
    void SetProcessShortCuts(bool value);
    bool SystemFont() const { return systemFont_; }
    void SetSystemFont(bool value);
    bool UpdateActions() const { return updateActions_; }
    void SetUpdateActions(bool value) { updateActions_ = value; }
    bool ChevronMoveItems() const { return chevronMoveItems_; }
    void SetChevronMoveItems(bool value);
    TTBChevronPriorityForNewItems ChevronPriorityForNewItems() const { return chevronPriorityForNewItems_; }
    void SetChevronPriorityForNewItems(TTBChevronPriorityForNewItems value);
    WideString ChevronHint() const;
    void SetChevronHint(const WideString& value);
    TCustomImageList* Images() const;
    void SetImages(TCustomImageList* value);
    TTBCustomItem* LinkSubitems() const;
    void SetLinkSubitems(TTBCustomItem* value);
    TTBItemOptions Options() const;
    void SetOptions(TTBItemOptions value);
    // The width a floating toolbar wraps at (0: one line).
    int FloatingWidth() const { return floatingWidth_; }
    void SetFloatingWidth(int value);
    void BeginUpdate();
    void EndUpdate();

    TTBShortCutEvent OnShortCut;

    // Opens the toolbar by key as the keyboard does: key 0 selects the first item in keyboard mode; another
    // key looks for the item with that accelerator (or first letter unless acceleratorsOnly). True when an
    // item was found.
    bool OpenByKey(char16_t key, bool acceleratorsOnly);
    // Whether the toolbar is in the list of shortcut-processing toolbars.
    bool Registered() const { return registered_; }
    // Every floating size at which the wrapped layout differs (see toolbar/core/ToolbarSizing.h).
    std::vector<tb::TFloatingSize> CollectFloatingSizes();

    // The dockable window's contract.
    TTBShrinkMode GetShrinkMode() override { return shrinkMode_; }
    void GetMinShrinkSize(int& size) override;
    void GetBaseSize(TSize& size) override;
    void OrderControls(bool canMoveControls, TTBDockType wasDockedTo, TTBDock* dockingTo,
                       TSize& newClientSize) override;
    void ControlExistsAtPos(TPoint point, bool& exists) override;
    void InitiateAction() override;
    // Streaming lists the items (the root item's children) before the controls; an item's order is the root's.
    void GetChildren(TGetChildProc proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    // A floating resize by a border jumps between the sizes of the distinct wrapped layouts.
    void SizingStarted(int handle) override;
    void SizingRect(TRect& rect, const TRect& startRect) override;
    void SizingEnded(bool accepted) override;
    // The floating wrap width, as "FloatRightX" (0 when missing).
    void ReadPositionData(const TTBPositionReadIntProc& read) override;
    void WritePositionData(const TTBPositionWriteIntProc& write) override;

protected:
    TTBCustomToolbar(TComponent* owner, const TParts& parts);

    // The extra items a descendant shows at the ends of the view: an MDI child's system menu in front of the
    // items and its buttons (the children of the second) after them. The descendant owns them; setting one
    // rebuilds the view's viewers.
    TTBCustomItem* MDISystemMenuItem() const { return mdiSystemMenuItem_; }
    void SetMDISystemMenuItem(TTBCustomItem* value);
    TTBCustomItem* MDIButtonsItem() const { return mdiButtonsItem_; }
    void SetMDIButtonsItem(TTBCustomItem* value);

    void Loaded() override;
    // The wide "ChevronHint", only when it differs from the default.
    void DefineProperties(TFiler* filer) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void PaintWindow(HDC dc) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void GetTabOrderList(std::vector<TWinControl*>& list) override;

    void CMColorChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMWinIniChange(TMessage& message);
    void CMShowHintChanged(TMessage& message);
    void CMHintShow(TMessage& message);
    void WMGetObject(TMessage& message);
    void WMSetCursor(TMessage& message);
    void CMDialogKey(TMessage& message);
    void CMDialogChar(TMessage& message);
    void WMSysCommand(TMessage& message);
    void CMMouseLeave(TMessage& message);
    void WMMouseLeave(TMessage& message);
    void WMNCMouseMove(TMessage& message);
    void WMContextMenu(TMessage& message);
    void WMCancelMode(TMessage& message);
    void CMControlChange(TMessage& message);
    void CMControlListChange(TMessage& message);

private:
    friend class TTBToolbarView;
    // The sizes a floating resize steps through (frame sizes, sorted along the dragged axis).
    struct TFloatingResize {
        int handle = 0;
        bool byHeight = false;
        std::vector<TSize> sizes;
        std::vector<int> lengths;
        TSize unwrapped;  // the single-line layout's frame size
        TSize nc;         // the frame around the toolbar
        int current = 0;
        int threshold = 0;
        int savedWidth = 0;
    };

    // Arranges unless an arrangement runs already.
    void ArrangeOnce();
    void ClearHover();
    void UpdateShortCutRegistration();
    void WrapControl(TControl* control);
    void WrapAllControls();
    bool HasControlItem(const TControl* control) const;
    // The offsets of the view for a dock (the current one when canMove), as the shrink mode says.
    void OffsetsFor(TTBDockType type, TTBDock* dock, bool current, int& wrap, int& chevron);

    TObjectPtr<TTBRootItem> items_;
    TObjectPtr<TTBChevronItem> chevron_;
    TObjectPtr<TTBToolbarView> view_;
    TTBCustomItem* mdiSystemMenuItem_ = nullptr;
    TTBCustomItem* mdiButtonsItem_ = nullptr;
    TTBShrinkMode shrinkMode_ = tbsmChevron;
    bool menuBar_ = false;
    bool processShortCuts_ = false;
    bool systemFont_ = true;
    bool updateActions_ = true;
    bool chevronMoveItems_ = true;
    TTBChevronPriorityForNewItems chevronPriorityForNewItems_ = tbcpHighest;
    int floatingWidth_ = 0;
    bool registered_ = false;
    bool inMouseDown_ = false;
    int arranging_ = 0;       // a layout of the toolbar runs: view changes must not arrange again
    bool baseValid_ = false;  // the recorded layout state: the base size below is current
    TSize baseSize_;
    TPoint arrangedSize_;
    int updateCount_ = 0;
    std::unique_ptr<TFloatingResize> resize_;
    // False once the toolbar is gone: code that ran a menu loop or a click checks it before going on.
};
