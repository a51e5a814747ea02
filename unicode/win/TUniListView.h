// The Unicode list view: a Unicode "SysListView32" window that asks for its texts in their wide form. Its
// items (TUniListItems) are TUniListItem objects with a wide caption and wide sub-items, its columns
// (TUniListColumns) TUniListColumn objects with a wide caption. Both belong to the control and the window
// only asks them for their texts, so a window made again shows every wide text as before: nothing needs
// saving meanwhile.
//
// The window sends its notifications in their wide form; those the library handles (display texts, label
// editing) are handed to it in their 8-bit form and answered with the wide texts.
#pragma once
#include <vector>

#include "classlib/win/TListView.h"
#include "unicode/core/TUniStringList.h"
#include "unicode/win/UniStdControl.h"

class TUniListItem;

// The wide sub-item texts of an item: every change is made on the item's 8-bit sub-items too.
class TWideSubItems : public TUniStringList {
    CLASSLIB_CLASS(TWideSubItems, TUniStringList)
public:
    explicit TWideSubItems(TUniListItem* item) : item_(item) {}
    void Put(int index, const WideString& s) override;
    void Delete(int index) override;
    void Clear() override;

protected:
    void InsertItem(int index, const WideString& s, TObject* obj) override;

private:
    TUniListItem* item_;
};

class TUniListItem : public TListItem {
    CLASSLIB_COMPONENT(TUniListItem, TListItem)
public:
    explicit TUniListItem(TComponent* listView);
    ~TUniListItem() override;

    // Kept beside the 8-bit caption; when the library changed that, its widened form.
    WideString Caption();
    void SetCaption(const WideString& value);
    using TListItem::SetCaption;
    TWideSubItems* SubItems() const { return subItems_.get(); }
    // The wide text of column (0 the caption, k the sub-item k - 1, empty past the last).
    WideString ColumnText(int column);
    // Caption, data, images, indent, states, sub-items and check state, wide texts included.
    void Assign(TPersistent* source) override;

private:
    WideString caption_;
    TObjectPtr<TWideSubItems> subItems_;
};

// The items of a Unicode list view, all of them TUniListItem.
class TUniListItems : public TListItems {
    CLASSLIB_CLASS(TUniListItems, TListItems)
public:
    explicit TUniListItems(TCustomListView* owner) : TListItems(owner) {}
    TUniListItem* Item(int index) const;
    TUniListItem* operator[](int index) const { return Item(index); }
    TUniListItem* Add();
};

// A report column with a wide caption, kept beside the library column's 8-bit one.
class TUniListColumn : public TListColumn {
    CLASSLIB_CLASS(TUniListColumn, TListColumn)
public:
    explicit TUniListColumn(TCollection* collection) : TListColumn(collection) {}
    // When the library changed the 8-bit caption, its widened form.
    WideString Caption() const;
    void SetCaption(const WideString& value);
    using TListColumn::SetCaption;

private:
    WideString caption_;
};

class TUniListColumns : public TListColumns {
    CLASSLIB_CLASS(TUniListColumns, TListColumns)
public:
    explicit TUniListColumns(TCustomListView* owner)
        : TListColumns(owner, TCollectionItemClass::Of<TUniListColumn>()) {}
    TUniListColumn* Add() { return static_cast<TUniListColumn*>(TListColumns::Add()); }
    TUniListColumn* Items(int index) const { return static_cast<TUniListColumn*>(TListColumns::Items(index)); }
};

class TUniCustomListView : public uni::TUniWindowed<TCustomListView> {
    CLASSLIB_COMPONENT(TUniCustomListView, TCustomListView)
    CLASSLIB_MESSAGES(TUniCustomListView, CLASSLIB_ON(CN_NOTIFY, &TUniCustomListView::CNNotify))
    explicit TUniCustomListView(TComponent* owner);

    TUniListItems* Items() const { return static_cast<TUniListItems*>(TCustomListView::Items()); }
    TUniListColumns* Columns() const { return static_cast<TUniListColumns*>(TCustomListView::Columns()); }
    // The item at index as a wide item.
    TUniListItem* Item(int index) const { return Items()->Item(index); }
    // A new item with a wide caption.
    TUniListItem* AddItem(const WideString& caption);

    // The library's 8-bit column texts reach the window as the columns' wide captions.
    void WndProc(TMessage& message) override;

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    // Raises EUniInternalError when OnCreateItemClass picks a class that is not a TUniListItem.
    TListItemClass CreateItemClass() override;
    // OnCompare, else the wide captions in the system's wide order.
    int CompareItems(TListItem* item1, TListItem* item2, std::intptr_t data) override;
    void CNNotify(TMessage& message);

private:
    void DisplayInfo(TMessage& message, NMLVDISPINFOW& info);
    void EndLabelEdit(TMessage& message, NMLVDISPINFOW& info);
    // Hands a notification to the library with the 8-bit code (text not translated).
    void PassAsAnsi(TMessage& message, NMLVDISPINFOW& info, UINT ansiCode);
};

class TUniListView : public TUniCustomListView {
    CLASSLIB_COMPONENT(TUniListView, TUniCustomListView)
    explicit TUniListView(TComponent* owner) : TUniCustomListView(owner) {}
};
