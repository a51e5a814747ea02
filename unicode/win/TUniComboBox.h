// The Unicode combo box: a Unicode "COMBOBOX" window whose items and text are wide. The wide items, the
// item index and the wide text are kept while the window is made again, and items added before there is a
// window keep their wide text until it exists.
#pragma once
#include <memory>
#include <vector>

#include "classlib/core/TGUID.h"
#include "classlib/win/TComboBox.h"
#include "unicode/core/TUniStrings.h"
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
class TUniComboBoxStrings : public TUniStrings {
    CLASSLIB_CLASS(TUniComboBoxStrings, TUniStrings)
public:
    explicit TUniComboBoxStrings(TUniCustomComboBox* comboBox) : comboBox_(comboBox) {}

    WideString Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* obj) override;
    void Put(int index, const WideString& s) override;
    // Raises EOutOfResources "Unable to insert a line" when the window refuses it.
    void Insert(int index, const WideString& s) override;
    void Delete(int index) override;
    // Keeps the wide text of the box.
    void Clear() override;
    int IndexOf(const WideString& s) const override;
    void SetUpdateState(bool updating) override;

private:
    TUniCustomComboBox* comboBox_;
};

class TUniCustomComboBox : public uni::TUniWindowed<TCustomComboBox>, public IWideItemList {
    CLASSLIB_COMPONENT(TUniCustomComboBox, TCustomComboBox)
    explicit TUniCustomComboBox(TComponent* owner);

    TUniStrings* Items() const { return wideItems_.get(); }
    void AddItem(const WideString& item, TObject* object) override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    // The library's 8-bit completion would look up characters it cannot represent: it is off while the
    // library handles the key.
    void KeyPress(char& key) override;

private:
    friend class TUniComboBoxStrings;
    bool InWindow() const;
    // The wide text of each 8-bit item while there is no window (empty entries: the 8-bit text rules).
    WideString PendingItem(int index) const;

    void WidenParts();
    void WideEditProc(TMessage& message);
    void WideListProc(TMessage& message);

    std::unique_ptr<TUniComboBoxStrings, TFreeDeleter> wideItems_;
    TObjectInstance wideEditInstance_;
    TObjectInstance wideListInstance_;
    WNDPROC previousEditProc_ = nullptr;
    WNDPROC previousListProc_ = nullptr;
    std::vector<WideString> pending_;
    int savedIndex_ = -1;
    WideString savedText_;
    bool restoring_ = false;
};

class TUniComboBox : public TUniCustomComboBox {
    CLASSLIB_COMPONENT(TUniComboBox, TUniCustomComboBox)
    explicit TUniComboBox(TComponent* owner) : TUniCustomComboBox(owner) {}
};
