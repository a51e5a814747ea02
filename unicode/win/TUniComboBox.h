// The Unicode combo box: a Unicode "COMBOBOX" window whose items and text are wide. The wide items, the
// item index and the wide text are kept while the window is made again, and items added before there is a
// window keep their wide text until it exists.
#pragma once
#include <memory>
#include <vector>

#include "classlib/core/TGUID.h"
#include "classlib/win/TComboBox.h"
#include "unicode/core/AutoCompleteMatch.h"
#include "unicode/core/TUniStringsOverAnsi.h"
#include "unicode/win/UniStdControl.h"

class TUniCustomComboBox;

// A control whose item list takes wide items with an object.
class IWideItemList {
public:
    static constexpr TGUID IID = TGUID::Parse("{C1801F41-51E9-4DB5-8DB8-58AC86698C2E}");
    virtual void AddItem(const WideString& item, TObject* object) = 0;

protected:
    virtual ~IWideItemList() = default;
};

// The wide items: CB_ messages (W) while the window exists; the library's 8-bit list (with the wide texts
// beside it) while there is none. Count, objects and the update state are the 8-bit list's.
class TUniComboBoxStrings : public TUniStringsOverAnsi {
    CLASSLIB_CLASS(TUniComboBoxStrings, TUniStringsOverAnsi)
public:
    explicit TUniComboBoxStrings(TUniCustomComboBox* comboBox) : comboBox_(comboBox) {}

    WideString Get(int index) const override;
    void Put(int index, const WideString& s) override;
    // Raises EOutOfResources "Unable to insert a line" when the window refuses it.
    void Insert(int index, const WideString& s) override;
    void Delete(int index) override;
    // Keeps the wide text of the box.
    void Clear() override;
    int IndexOf(const WideString& s) const override;

protected:
    TStrings* AnsiItems() const override;

private:
    TUniCustomComboBox* comboBox_;
};

class TUniCustomComboBox : public uni::TUniWindowed<TCustomComboBox>, public IWideItemList {
    CLASSLIB_COMPONENT(TUniCustomComboBox, TCustomComboBox)
    CLASSLIB_MESSAGES(TUniCustomComboBox, CLASSLIB_ON(WM_CHAR, &TUniCustomComboBox::WMChar))
    explicit TUniCustomComboBox(TComponent* owner);

    TUniStrings* Items() const { return wideItems_.get(); }
    void AddItem(const WideString& item, TObject* object) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    // The library's 8-bit completion would look up characters it cannot represent: it is off while the
    // library handles the key, and the wide completion runs instead (see WideAutoComplete).
    void KeyPress(char& key) override;
    void WMChar(TMessage& message);

private:
    friend class TUniComboBoxStrings;
    bool InWindow() const;
    // The wide text of each 8-bit item while there is no window (empty entries: the 8-bit text rules).
    WideString PendingItem(int index) const;

    // With AutoComplete, in UTF-16 units: a drop-down list looks up the characters typed within 1250 ms as
    // an item's beginning; an edit style completes the text before the selection with the first item it
    // begins and selects the completed rest. True when the character was used.
    bool WideAutoComplete(WideChar ch);
    // Makes index the item; OnClick and OnSelect when the index changed.
    void SelectFound(int index, const WideString& typed);
    std::vector<WideString> WideItemList() const;
    void WidenParts();
    void WideEditProc(TMessage& message);
    void WideListProc(TMessage& message);

    TObjectPtr<TUniComboBoxStrings> wideItems_;
    TObjectInstance wideEditInstance_;
    TObjectInstance wideListInstance_;
    WNDPROC previousEditProc_ = nullptr;
    WNDPROC previousListProc_ = nullptr;
    std::vector<WideString> pending_;
    int savedIndex_ = -1;
    WideString savedText_;
    uni::TAutoCompleteSearch search_;
    WideChar typed_ = 0;  // the character of the WM_CHAR being handled
};

class TUniComboBox : public TUniCustomComboBox {
    CLASSLIB_COMPONENT(TUniComboBox, TUniCustomComboBox)
    explicit TUniComboBox(TComponent* owner) : TUniCustomComboBox(owner) {}
};
