// The combo box: an edit or a fixed field over a drop-down list of items, optionally drawn by the program.
// Its items live in the window and survive re-creation of the window; the edit and list parts of the
// window get window procedures of the control, so keys typed into the edit part reach the control's key
// events.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/win/ObjectInstance.h"
#include "classlib/win/TControlCanvas.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/TWindowStrings.h"

class TCustomComboBox;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

using TDrawItemEvent = Method<void(TWinControl* control, int index, TRect rect, TOwnerDrawState state)>;
using TMeasureItemEvent = Method<void(TWinControl* control, int index, int& height)>;

// The items of a combo box (CB_ messages while the window exists).
class TComboBoxStrings : public TWindowStrings {
    CLASSLIB_CLASS(TComboBoxStrings, TWindowStrings)
public:
    explicit TComboBoxStrings(TCustomComboBox* comboBox) : comboBox_(comboBox) {}
    TCustomComboBox* ComboBox() const { return comboBox_; }
    int IndexOf(const AnsiString& s) const override;

protected:
    bool InWindow() const override;
    int WindowCount() const override;
    AnsiString WindowGet(int index) const override;
    TObject* WindowGetObject(int index) const override;
    void WindowPutObject(int index, TObject* obj) override;
    void WindowInsert(int index, const AnsiString& s, TObject* obj) override;
    void WindowDelete(int index) override;
    void WindowClear() override;

private:
    std::intptr_t Send(UINT msg, WPARAM wParam, LPARAM lParam) const;
    TCustomComboBox* comboBox_;
};

class TCustomComboBox : public TWinControl {
    CLASSLIB_COMPONENT(TCustomComboBox, TWinControl)
    CLASSLIB_MESSAGES(TCustomComboBox, CLASSLIB_ON(WM_SETFOCUS, &TCustomComboBox::WMFocus),
                      CLASSLIB_ON(WM_KILLFOCUS, &TCustomComboBox::WMFocus),
                      CLASSLIB_ON(CN_COMMAND, &TCustomComboBox::CNCommand),
                      CLASSLIB_ON(CN_DRAWITEM, &TCustomComboBox::CNDrawItem),
                      CLASSLIB_ON(CN_MEASUREITEM, &TCustomComboBox::CNMeasureItem))

    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    // Another style makes the window again (the items stay).
    void SetStyle(TComboBoxStyle value);
    TStrings* Items() const { return items_.get(); }
    // Replaces the items by those of value.
    void SetItems(TStrings* value);
    // The selected item, -1 for none. Setting it raises no events.
    int ItemIndex();
    void SetItemIndex(int value);
    // Items shown at once in the dropped-down list (at least 1).
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value);
    // Height of an item; owner-drawn boxes use the stored value, the others ask the window.
    int ItemHeight();
    void SetItemHeight(int value);
    bool DroppedDown();
    void SetDroppedDown(bool value);

    // Typing looks up the items (see KeyPress).
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool value) { autoDropDown_ = value; }
    bool AutoCloseUp() const { return autoCloseUp_; }
    void SetAutoCloseUp(bool value) { autoCloseUp_ = value; }

    // The canvas owner drawing paints on.
    TCanvas* Canvas() const { return canvas_.get(); }
    // The edit part (null for the list styles) and the list part of the window.
    HWND EditHandle() const { return editHandle_; }
    HWND ListHandle() const { return listHandle_; }
    // The procedures the edit and list parts had before the control took them over.
    WNDPROC DefEditProc() const { return defEditProc_; }
    WNDPROC DefListProc() const { return defListProc_; }

    // The text changed by typing, or the selection changed.
    TNotifyEvent OnChange;
    // An item was chosen from the list or by typing.
    TNotifyEvent OnSelect;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DestroyWindowHandle() override;
    // With AutoComplete: in the list styles typed characters (collected for 1250 ms) select the first item
    // they begin; in the edit styles the text typed so far is completed with the first item it begins and
    // the completed part is selected. With AutoDropDown typing opens the list and Tab closes it; with
    // AutoCloseUp finding an item that matches the typed text exactly closes it.
    void KeyPress(char& key) override;
    // OnChange.
    virtual void Change();
    // OnSelect, then Change.
    virtual void Select();
    // Draws one item: OnDrawItem, or the item's text on the selection colours.
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    virtual void MeasureItem(int index, int& height);
    // The edit and list parts' messages; unhandled ones go to their previous procedures.
    virtual void EditWndProc(TMessage& message);
    virtual void ListWndProc(TMessage& message);

    // With an edit part the combo box window only hands the focus on to it: the edit part's focus is the
    // control's (see EditWndProc).
    void WMFocus(TMessage& message);
    void CNCommand(TMessage& message);
    void CNDrawItem(TMessage& message);
    void CNMeasureItem(TMessage& message);

private:
    bool IsListStyle() const { return style_ >= csDropDownList; }
    void SubclassParts();
    void RestoreParts();
    void ApplyDropDownCount();
    // Makes index the selection after typing (closing the list when AutoCloseUp and typed is an item).
    void SelectTyped(int index, const AnsiString& typed);
    // An item was chosen: OnClick, then Select.
    void Chosen();
    void EditMainWndProc(TMessage& message);
    void ListMainWndProc(TMessage& message);
    static void PassOn(WNDPROC proc, HWND wnd, TMessage& message);

    TObjectPtr<TComboBoxStrings> items_;
    TObjectPtr<TControlCanvas> canvas_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;  // kept while there is no window
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    bool autoComplete_ = true;
    bool autoDropDown_ = false;
    bool autoCloseUp_ = false;
    AnsiString searchText_;
    DWORD lastKeyTime_ = 0;
    HWND editHandle_ = nullptr;
    HWND listHandle_ = nullptr;
    WNDPROC defEditProc_ = nullptr;
    WNDPROC defListProc_ = nullptr;
    TObjectInstance editInstance_;
    TObjectInstance listInstance_;
};

class TComboBox : public TCustomComboBox {
    CLASSLIB_COMPONENT(TComboBox, TCustomComboBox)
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
