// The list view: items with a caption, sub-items, images and states, shown as icons, small icons, a list or
// a report with columns. The items are objects of the control and keep everything while the window is made
// again; the window asks for their texts when it shows them.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/TCollection.h"
#include "classlib/core/TStringList.h"
#include "classlib/win/TControlActionLink.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TWinControl.h"

class TCustomListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TSortType { stNone, stData, stText, stBoth };

class TListItem : public TPersistent {
    CLASSLIB_COMPONENT(TListItem, TPersistent)
public:
    // Items are made by their list (TListItems::Add, Insert), through the item class the list view picks.
    explicit TListItem(TComponent* listView);
    ~TListItem() override;

    TListItems* Owner() const { return owner_; }
    TCustomListView* ListView() const { return listView_; }
    int Index() const;

    const AnsiString& Caption() const { return caption_; }
    virtual void SetCaption(const AnsiString& value);
    // Texts of the report view's further columns.
    TStrings* SubItems() const { return subItems_.get(); }
    void SetSubItems(TStrings* value) { subItems_->Assign(value); }
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int value);
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int value);
    // The check box of a list view with Checkboxes.
    bool Checked() const;
    void SetChecked(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    void Delete();

    // Caption, data, images, indent, states, sub-items and check state of another item.
    void Assign(TPersistent* source) override;

private:
    friend class TListItems;
    friend class TCustomListView;
    void SubItemsChanged(TObject* sender);
    // Sends the images, indent and states to the window.
    void UpdateWindowItem();

    TListItems* owner_ = nullptr;
    TCustomListView* listView_ = nullptr;
    AnsiString caption_;
    TObjectPtr<TStringList> subItems_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int indent_ = 0;
    int overlayIndex_ = -1;
    int stateIndex_ = -1;
    bool checked_ = false;   // kept while there is no window
    bool selected_ = false;  // kept while there is no window
    int position_ = 0;       // the index of an owner-data item
};

using TListItemClass = TClassOf<TListItem>;

// The items of a list view, in the order the window shows them.
class TListItems : public TPersistent {
    CLASSLIB_CLASS(TListItems, TPersistent)
public:
    explicit TListItems(TCustomListView* owner) : owner_(owner) {}
    ~TListItems() override;

    TCustomListView* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError "List index out of bounds (%d)".
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    TListItem* Add();
    // A new item before index (0..Count).
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int IndexOf(const TListItem* item) const;
    // Window updates are held back between these.
    void BeginUpdate();
    void EndUpdate();
    // Copies the items of another list.
    void Assign(TPersistent* source) override;

private:
    friend class TListItem;
    friend class TCustomListView;
    TListItem* MakeItem();
    void InsertIntoWindow(TListItem* item, int index);

    TCustomListView* owner_;
    std::vector<TListItem*> items_;
    int updateCount_ = 0;
};

class TListColumn : public TCollectionItem {
    CLASSLIB_CLASS(TListColumn, TCollectionItem)
public:
    explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    AnsiString GetDisplayName() override { return caption_; }
    void Assign(TPersistent* source) override;

private:
    AnsiString caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

// The report view's columns; every change is shown at once.
class TListColumns : public TCollection {
    CLASSLIB_CLASS(TListColumns, TCollection)
public:
    explicit TListColumns(TCustomListView* owner);
    // Columns of a class derived from TListColumn.
    TListColumns(TCustomListView* owner, TCollectionItemClass itemClass);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
    TCustomListView* Owner() const { return owner_; }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomListView* owner_;
};

using TLVCompareEvent =
    Method<void(TObject* sender, TListItem* item1, TListItem* item2, std::intptr_t data, int& compare)>;
using TLVCreateItemClassEvent = Method<void(TCustomListView* sender, TListItemClass& itemClass)>;
using TLVEditingEvent = Method<void(TObject* sender, TListItem* item, bool& allowEdit)>;
using TLVEditedEvent = Method<void(TObject* sender, TListItem* item, AnsiString& s)>;
using TLVOwnerDataEvent = Method<void(TObject* sender, TListItem* item)>;
using TLVOwnerDataFindEvent = Method<void(TObject* sender, int find, const AnsiString& findString, TPoint findPosition,
                                          void* findData, int startIndex, int direction, bool wrap, int& index)>;

class TCustomListView : public TWinControl {
    CLASSLIB_COMPONENT(TCustomListView, TWinControl)
    CLASSLIB_MESSAGES(TCustomListView, CLASSLIB_ON(CN_NOTIFY, &TCustomListView::CNNotify))

    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListItems* Items() const { return items_.get(); }
    void SetItems(TListItems* value) { items_->Assign(value); }
    TListColumns* Columns() const { return columns_.get(); }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle value);
    TCustomImageList* LargeImages() const { return largeImages_; }
    void SetLargeImages(TCustomImageList* value);
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* value);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* value);

    // stText and stBoth keep the items sorted by caption (or OnCompare) whenever one is added or renamed.
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType value);
    // Sorts by OnCompare, or by caption ignoring case; true when sorted.
    bool AlphaSort();
    // Sorts with compare (null: as AlphaSort) given data.
    bool CustomSort(PFNLVCOMPARE compare, std::intptr_t data);

    // The first selected item, -1 for none; setting it selects only that item.
    int ItemIndex() const;
    void SetItemIndex(int value);
    TListItem* Selected() const;
    int SelCount() const;
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool value);
    // Without ReadOnly a click on a selected item's caption edits it.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    // Owner data: the program keeps the items; the window only knows their number (see OnData).
    bool OwnerData() const { return ownerData_; }
    void SetOwnerData(bool value);
    int OwnerDataCount() const { return ownerDataCount_; }
    void SetOwnerDataCount(int value);

    TLVCompareEvent OnCompare;
    // Lets the program choose the class of new items (which must be TListItem or derived).
    TLVCreateItemClassEvent OnCreateItemClass;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVOwnerDataEvent OnData;
    TLVOwnerDataFindEvent OnDataFind;
    TNotifyEvent OnChange;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    TControlActionLinkClass GetActionLinkClass() override;
    // The class of a new item: TListItem unless OnCreateItemClass says otherwise.
    virtual TListItemClass CreateItemClass();
    // Replace the item list and the columns by lists of derived classes, from a derived list view's
    // constructor (while both are empty).
    void ReplaceItems(TObjectPtr<TListItems> items);
    void ReplaceColumns(TObjectPtr<TListColumns> columns);
    // OnCompare, or the captions compared ignoring case.
    virtual int CompareItems(TListItem* item1, TListItem* item2, std::intptr_t data);
    // Whether the caption of item may be edited: OnEditing (default yes).
    virtual bool CanEdit(TListItem* item);
    // An edited caption: OnEdited may change s; the item then takes it.
    virtual void Edited(TListItem* item, AnsiString& s);
    virtual void Change();
    void CNNotify(TMessage& message);

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumns;
    std::intptr_t Send(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void UpdateColumns();
    void UpdateImages();
    void ImagesChanged(TObject* sender);
    void SetImageList(TCustomImageList*& slot, TCustomImageList* value);
    // Reads the item order back from the window after it sorted them.
    void ReadOrderFromWindow();
    void SortIfNeeded();
    void GetDisplayInfo(NMLVDISPINFOA& info);
    static int CALLBACK CompareThunk(LPARAM item1, LPARAM item2, LPARAM self);

    TObjectPtr<TListItems> items_;
    TObjectPtr<TListColumns> columns_;
    TObjectPtr<TChangeLink> imageLink_;
    TCustomImageList* largeImages_ = nullptr;
    TCustomImageList* smallImages_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    TViewStyle viewStyle_ = vsIcon;
    TSortType sortType_ = stNone;
    bool multiSelect_ = false;
    bool checkboxes_ = false;
    bool readOnly_ = false;
    bool ownerData_ = false;
    int ownerDataCount_ = 0;
    bool sorting_ = false;
    TObjectPtr<TListItem> ownerDataItem_;
    AnsiString dispText_;  // the text last handed to the window
};

class TListView : public TCustomListView {
    CLASSLIB_COMPONENT(TListView, TCustomListView)
    explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};

// The action link of list views (the Unicode layer links wide captions and hints through it).
class TListViewActionLink : public TWinControlActionLink {
    CLASSLIB_COMPONENT(TListViewActionLink, TWinControlActionLink)
    explicit TListViewActionLink(TObject* client) : TWinControlActionLink(client) {}
};
