#include "classlib/win/TListView.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"

namespace {

UINT StateImageOf(bool checkboxes, bool checked, int stateIndex) {
    // With check boxes the window's own state images are 1 (clear) and 2 (checked).
    if (checkboxes) return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return stateIndex >= 0 ? INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateIndex) + 1) : 0;
}

UINT OverlayOf(int overlayIndex) {
    return overlayIndex >= 0 ? INDEXTOOVERLAYMASK(static_cast<UINT>(overlayIndex) + 1) : 0;
}

}  // namespace

// ---- TListItem ----

TListItem::TListItem(TComponent* listView) : listView_(dynamic_cast<TCustomListView*>(listView)) {
    subItems_ = MakeObject<TStringList>();
    subItems_->OnChange = MakeMethod<&TListItem::SubItemsChanged>(this);
}

TListItem::~TListItem() = default;

int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : position_; }

void TListItem::SetCaption(const AnsiString& value) {
    if (value == caption_) return;
    caption_ = value;
    if (!owner_ || !listView_->HandleAllocated()) return;
    // The window asks for the new text (LVN_GETDISPINFO) when it shows it.
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = LPSTR_TEXTCALLBACKA;
    listView_->Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
    listView_->SortIfNeeded();
}

void TListItem::SubItemsChanged(TObject*) {
    if (!owner_ || !listView_->HandleAllocated()) return;
    const int index = Index();
    for (int column = 1; column <= subItems_->Count(); ++column) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = LPSTR_TEXTCALLBACKA;
        listView_->Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    listView_->Send(LVM_UPDATE, static_cast<WPARAM>(index), 0);
}

void TListItem::UpdateWindowItem() {
    if (!owner_ || !listView_->HandleAllocated()) return;
    const int index = Index();
    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_INDENT;
    item.iItem = index;
    item.iImage = imageIndex_;
    item.iIndent = indent_;
    listView_->Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA state{};
    state.state = OverlayOf(overlayIndex_) | StateImageOf(listView_->Checkboxes(), checked_, stateIndex_);
    state.stateMask = LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;
    listView_->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

void TListItem::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    UpdateWindowItem();
}

void TListItem::SetIndent(int value) {
    if (value == indent_) return;
    indent_ = value;
    UpdateWindowItem();
}

void TListItem::SetOverlayIndex(int value) {
    if (value == overlayIndex_) return;
    overlayIndex_ = value;
    UpdateWindowItem();
}

void TListItem::SetStateIndex(int value) {
    if (value == stateIndex_) return;
    stateIndex_ = value;
    UpdateWindowItem();
}

bool TListItem::Checked() const {
    if (owner_ && listView_->HandleAllocated() && listView_->Checkboxes()) {
        const auto state =
            static_cast<UINT>(listView_->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_STATEIMAGEMASK));
        return (state >> 12) == 2;
    }
    return checked_;
}

void TListItem::SetChecked(bool value) {
    checked_ = value;
    UpdateWindowItem();
}

bool TListItem::Selected() const {
    if (owner_ && listView_->HandleAllocated())
        return listView_->Send(LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) != 0;
    return selected_;
}

void TListItem::SetSelected(bool value) {
    selected_ = value;
    if (!owner_) return;
    if (listView_->HandleAllocated()) {
        LVITEMA item{};
        item.state = value ? LVIS_SELECTED : 0;
        item.stateMask = LVIS_SELECTED;
        listView_->Send(LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
    } else if (value && !listView_->MultiSelect()) {
        for (TListItem* other : owner_->items_)
            if (other != this) other->selected_ = false;
    }
}

void TListItem::Delete() {
    if (owner_) owner_->Delete(Index());
}

void TListItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TListItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    SetCaption(other->Caption());
    data_ = other->data_;
    imageIndex_ = other->imageIndex_;
    indent_ = other->indent_;
    overlayIndex_ = other->overlayIndex_;
    stateIndex_ = other->stateIndex_;
    checked_ = other->Checked();
    subItems_->Assign(other->SubItems());
    UpdateWindowItem();
}

// ---- TListItems ----

TListItems::~TListItems() {
    for (TListItem* item : items_) Free(item);
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
    return items_[static_cast<std::size_t>(index)];
}

int TListItems::IndexOf(const TListItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TListItem* TListItems::MakeItem() {
    TObject* made = owner_->CreateItemClass().Create(owner_);
    auto* item = dynamic_cast<TListItem*>(made);
    if (!item) {
        Free(made);
        throw EInvalidCast("The item class must be TListItem or derived from it");
    }
    item->owner_ = this;
    item->listView_ = owner_;
    return item;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count()) throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
    TListItem* item = MakeItem();
    items_.insert(items_.begin() + index, item);
    TScopeExit undo([&] {
        items_.erase(items_.begin() + index);
        Free(item);
    });
    InsertIntoWindow(item, index);
    undo.Dismiss();
    return item;
}

void TListItems::InsertIntoWindow(TListItem* item, int index) {
    if (!owner_->HandleAllocated() || owner_->OwnerData()) return;
    LVITEMA lvi{};
    lvi.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_INDENT | LVIF_STATE;
    lvi.iItem = index;
    lvi.pszText = LPSTR_TEXTCALLBACKA;
    lvi.lParam = reinterpret_cast<LPARAM>(item);
    lvi.iImage = item->imageIndex_;
    lvi.iIndent = item->indent_;
    lvi.state = OverlayOf(item->overlayIndex_) | StateImageOf(owner_->Checkboxes(), item->checked_, item->stateIndex_) |
                (item->selected_ ? LVIS_SELECTED : 0);
    lvi.stateMask = LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK | LVIS_SELECTED;
    if (owner_->Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)) < 0)
        throw EOutOfResources("Unable to insert an item");
    // Some systems give a new item of a list with check boxes a clear box whatever it asked for.
    item->UpdateWindowItem();
    item->SubItemsChanged(nullptr);
}

void TListItems::Delete(int index) {
    TListItem* item = Item(index);
    items_.erase(items_.begin() + index);
    if (owner_->HandleAllocated() && !owner_->OwnerData()) owner_->Send(LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    Free(item);
}

void TListItems::Clear() {
    if (owner_->HandleAllocated() && !owner_->OwnerData()) owner_->Send(LVM_DELETEALLITEMS, 0, 0);
    std::vector<TListItem*> gone;
    gone.swap(items_);
    for (TListItem* item : gone) Free(item);
}

void TListItems::BeginUpdate() {
    if (updateCount_++ == 0 && owner_->HandleAllocated()) owner_->Send(WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && owner_->HandleAllocated()) {
        owner_->Send(WM_SETREDRAW, TRUE, 0);
        owner_->Invalidate();
    }
}

void TListItems::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TListItems*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    TUpdateGuard update(*this);
    Clear();
    for (TListItem* item : other->items_) Add()->Assign(item);
}

// ---- columns ----

void TListColumn::SetCaption(const AnsiString& value) {
    caption_ = value;
    Changed(false);
}

void TListColumn::SetWidth(int value) {
    width_ = value;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment value) {
    alignment_ = value;
    Changed(false);
}

void TListColumn::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TListColumn*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = other->caption_;
    width_ = other->width_;
    alignment_ = other->alignment_;
    Changed(false);
}

TListColumns::TListColumns(TCustomListView* owner) : TListColumns(owner, TCollectionItemClass::Of<TListColumn>()) {}

TListColumns::TListColumns(TCustomListView* owner, TCollectionItemClass itemClass)
    : TCollection(itemClass), owner_(owner) {}

TPersistent* TListColumns::GetOwner() { return owner_; }

void TListColumns::Update(TCollectionItem*) { owner_->UpdateColumns(); }

// ---- TCustomListView ----

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    items_ = MakeObject<TListItems>(this);
    columns_ = MakeObject<TListColumns>(this);
    imageLink_ = MakeObject<TChangeLink>();
    imageLink_->OnChange = MakeMethod<&TCustomListView::ImagesChanged>(this);
    SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
}

TCustomListView::~TCustomListView() {
    // The window must not ask for texts of items that are going.
    if (HandleAllocated()) DestroyHandle();
    for (TCustomImageList* list : {largeImages_, smallImages_, stateImages_})
        if (list) list->RemoveFreeNotification(this);
}

std::intptr_t TCustomListView::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(WindowHandle(), msg, wParam, lParam);
}

void TCustomListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_LISTVIEWA);
    // The image lists belong to their components, not to the window.
    params.Style |= LVS_SHAREIMAGELISTS | WS_CLIPCHILDREN;
    switch (viewStyle_) {
        case vsIcon: params.Style |= LVS_ICON; break;
        case vsSmallIcon: params.Style |= LVS_SMALLICON; break;
        case vsList: params.Style |= LVS_LIST; break;
        case vsReport: params.Style |= LVS_REPORT; break;
    }
    if (!multiSelect_) params.Style |= LVS_SINGLESEL;
    if (!readOnly_) params.Style |= LVS_EDITLABELS;
    if (ownerData_) params.Style |= LVS_OWNERDATA;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, checkboxes_ ? LVS_EX_CHECKBOXES : 0);
    UpdateImages();
    UpdateColumns();
    if (ownerData_) {
        Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(ownerDataCount_), 0);
        return;
    }
    Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(items_->Count()), 0);
    for (int i = 0; i < items_->Count(); ++i) items_->InsertIntoWindow(items_->items_[static_cast<std::size_t>(i)], i);
}

void TCustomListView::DestroyWnd() {
    if (!ComponentState().Contains(csDestroying) && HandleAllocated() && !ownerData_) {
        // What only the window knows: what the user selected and checked.
        for (TListItem* item : items_->items_) {
            item->selected_ = item->Selected();
            item->checked_ = item->Checked();
        }
    }
    TWinControl::DestroyWnd();
}

void TCustomListView::ReplaceItems(TObjectPtr<TListItems> items) { items_ = std::move(items); }

void TCustomListView::ReplaceColumns(TObjectPtr<TListColumns> columns) { columns_ = std::move(columns); }

TControlActionLinkClass TCustomListView::GetActionLinkClass() {
    return TControlActionLinkClass::Of<TListViewActionLink>();
}

TListItemClass TCustomListView::CreateItemClass() {
    TListItemClass itemClass = TListItemClass::Of<TListItem>();
    if (OnCreateItemClass) OnCreateItemClass(this, itemClass);
    if (!itemClass) itemClass = TListItemClass::Of<TListItem>();
    return itemClass;
}

void TCustomListView::SetViewStyle(TViewStyle value) {
    if (value == viewStyle_) return;
    viewStyle_ = value;
    if (!HandleAllocated()) return;
    static constexpr DWORD kTypes[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(WindowHandle(), GWL_STYLE));
    ::SetWindowLongPtrA(WindowHandle(), GWL_STYLE,
                        static_cast<LONG_PTR>((style & ~static_cast<DWORD>(LVS_TYPEMASK)) | kTypes[value]));
}

void TCustomListView::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    RecreateWnd();
}

void TCustomListView::SetCheckboxes(bool value) {
    if (value == checkboxes_) return;
    checkboxes_ = value;
    RecreateWnd();
}

void TCustomListView::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    RecreateWnd();
}

void TCustomListView::SetOwnerData(bool value) {
    if (value == ownerData_) return;
    items_->Clear();
    ownerData_ = value;
    RecreateWnd();
}

void TCustomListView::SetOwnerDataCount(int value) {
    ownerDataCount_ = std::max(0, value);
    if (ownerData_ && HandleAllocated()) Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(ownerDataCount_), 0);
}

// ---- image lists ----

void TCustomListView::SetImageList(TCustomImageList*& slot, TCustomImageList* value) {
    if (slot == value) return;
    if (slot) slot->RemoveFreeNotification(this);
    slot = value;
    if (slot) slot->FreeNotification(this);
    // One link follows every list this view shows: any of them changing refreshes all three.
    for (TCustomImageList* list : {largeImages_, smallImages_, stateImages_})
        if (list) list->RegisterChanges(imageLink_.get());
    UpdateImages();
}

void TCustomListView::SetLargeImages(TCustomImageList* value) { SetImageList(largeImages_, value); }
void TCustomListView::SetSmallImages(TCustomImageList* value) { SetImageList(smallImages_, value); }
void TCustomListView::SetStateImages(TCustomImageList* value) { SetImageList(stateImages_, value); }

void TCustomListView::ImagesChanged(TObject*) { UpdateImages(); }

void TCustomListView::UpdateImages() {
    if (!HandleAllocated()) return;
    Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_ ? largeImages_->Handle() : nullptr));
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
    if (!checkboxes_)
        Send(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    bool changed = false;
    for (TCustomImageList** slot : {&largeImages_, &smallImages_, &stateImages_})
        if (*slot == component) {
            *slot = nullptr;
            changed = true;
        }
    if (changed && !ComponentState().Contains(csDestroying)) UpdateImages();
}

void TCustomListView::UpdateColumns() {
    if (!HandleAllocated()) return;
    while (Send(LVM_DELETECOLUMN, 0, 0)) {}
    for (int i = 0; i < columns_->Count(); ++i) {
        TListColumn* column = columns_->Items(i);
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        static constexpr int kFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
        lvc.fmt = kFormats[column->Alignment()];
        lvc.cx = column->Width();
        lvc.pszText = const_cast<char*>(column->Caption().c_str());
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&lvc));
    }
}

// ---- selection ----

int TCustomListView::ItemIndex() const {
    if (HandleAllocated()) return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->items_[static_cast<std::size_t>(i)]->selected_) return i;
    return -1;
}

void TCustomListView::SetItemIndex(int value) {
    for (TListItem* item : items_->items_) item->SetSelected(false);
    if (value < 0 || value >= items_->Count()) return;
    items_->Item(value)->SetSelected(true);
    if (HandleAllocated()) {
        LVITEMA item{};
        item.state = LVIS_FOCUSED;
        item.stateMask = LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(value), reinterpret_cast<LPARAM>(&item));
        Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(value), FALSE);
    }
}

TListItem* TCustomListView::Selected() const {
    const int index = ItemIndex();
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

int TCustomListView::SelCount() const {
    if (HandleAllocated()) return static_cast<int>(Send(LVM_GETSELECTEDCOUNT, 0, 0));
    return static_cast<int>(std::count_if(items_->items_.begin(), items_->items_.end(),
                                          [](const TListItem* item) { return item->selected_; }));
}

// ---- sorting ----

int TCustomListView::CompareItems(TListItem* item1, TListItem* item2, std::intptr_t data) {
    int result = 0;
    if (OnCompare) {
        OnCompare(this, item1, item2, data, result);
        return result;
    }
    if (sortType_ != stData) result = CompareTextSystem(item1->Caption(), item2->Caption());
    if (result == 0 && (sortType_ == stData || sortType_ == stBoth)) {
        const auto a = reinterpret_cast<std::uintptr_t>(item1->Data());
        const auto b = reinterpret_cast<std::uintptr_t>(item2->Data());
        result = a < b ? -1 : a > b ? 1 : 0;
    }
    return result;
}

int CALLBACK TCustomListView::CompareThunk(LPARAM item1, LPARAM item2, LPARAM self) {
    auto* view = reinterpret_cast<TCustomListView*>(self);
    try {
        return view->CompareItems(reinterpret_cast<TListItem*>(item1), reinterpret_cast<TListItem*>(item2), 0);
    } catch (...) {
        HandleCallbackException(view);
        return 0;
    }
}

bool TCustomListView::AlphaSort() { return CustomSort(nullptr, 0); }

bool TCustomListView::CustomSort(PFNLVCOMPARE compare, std::intptr_t data) {
    if (ownerData_ || sorting_) return false;
    PFNLVCOMPARE function = compare ? compare : &TCustomListView::CompareThunk;
    const LPARAM sortData = compare ? static_cast<LPARAM>(data) : reinterpret_cast<LPARAM>(this);
    sorting_ = true;
    TScopeExit sorted([this] { sorting_ = false; });
    if (HandleAllocated()) {
        // Sorted by the window (whatever handles the request there), then the order is read back.
        Send(LVM_SORTITEMS, static_cast<WPARAM>(sortData), reinterpret_cast<LPARAM>(function));
        ReadOrderFromWindow();
    } else {
        std::stable_sort(items_->items_.begin(), items_->items_.end(), [&](TListItem* a, TListItem* b) {
            return function(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), sortData) < 0;
        });
    }
    return true;
}

void TCustomListView::ReadOrderFromWindow() {
    const int count = static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0));
    if (count != items_->Count()) return;
    std::vector<TListItem*> order;
    order.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        LVITEMA lvi{};
        lvi.mask = LVIF_PARAM;
        lvi.iItem = i;
        Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
        order.push_back(reinterpret_cast<TListItem*>(lvi.lParam));
    }
    // Only a true reordering of our own items is taken over.
    if (!std::is_permutation(order.begin(), order.end(), items_->items_.begin())) return;
    items_->items_ = std::move(order);
}

void TCustomListView::SetSortType(TSortType value) {
    if (value == sortType_) return;
    sortType_ = value;
    SortIfNeeded();
}

void TCustomListView::SortIfNeeded() {
    if (sortType_ != stNone && !sorting_) AlphaSort();
}

// ---- notifications ----

bool TCustomListView::CanEdit(TListItem* item) {
    bool allow = true;
    if (OnEditing) OnEditing(this, item, allow);
    return allow;
}

void TCustomListView::Edited(TListItem* item, AnsiString& s) {
    if (OnEdited) OnEdited(this, item, s);
}

void TCustomListView::Change() {
    if (OnChange) OnChange(this);
}

void TCustomListView::GetDisplayInfo(NMLVDISPINFOA& info) {
    const int index = info.item.iItem;
    TListItem* item = nullptr;
    if (ownerData_) {
        if (index < 0 || index >= ownerDataCount_) return;
        if (!ownerDataItem_) ownerDataItem_.reset(items_->MakeItem());
        ownerDataItem_->owner_ = nullptr;
        ownerDataItem_->position_ = index;
        if (OnData) OnData(this, ownerDataItem_.get());
        item = ownerDataItem_.get();
        if (info.item.mask & LVIF_IMAGE) info.item.iImage = item->ImageIndex();
    } else {
        if (index < 0 || index >= items_->Count()) return;
        item = items_->items_[static_cast<std::size_t>(index)];
    }
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
    const int column = info.item.iSubItem;
    if (column == 0)
        dispText_ = item->Caption();
    else
        dispText_ = column - 1 < item->SubItems()->Count() ? item->SubItems()->Get(column - 1) : AnsiString();
    const std::size_t room = static_cast<std::size_t>(info.item.cchTextMax) - 1;
    const std::size_t n = std::min(room, dispText_.size());
    std::memcpy(info.item.pszText, dispText_.data(), n);
    info.item.pszText[n] = '\0';
}

void TCustomListView::CNNotify(TMessage& message) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(message.LParam);
    message.Result = 0;
    switch (hdr->code) {
        case LVN_GETDISPINFOA: GetDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(message.LParam)); break;
        case LVN_BEGINLABELEDITA: {
            const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(message.LParam);
            const int index = info->item.iItem;
            const bool allowed = !ownerData_ && index >= 0 && index < items_->Count() && CanEdit(items_->Item(index));
            message.Result = allowed ? 0 : 1;
            break;
        }
        case LVN_ENDLABELEDITA: {
            const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(message.LParam);
            const int index = info->item.iItem;
            if (!info->item.pszText || ownerData_ || index < 0 || index >= items_->Count()) break;
            AnsiString s = info->item.pszText;
            TListItem* item = items_->Item(index);
            Edited(item, s);
            item->SetCaption(s);  // the item keeps its own text; the window asks for it again
            break;
        }
        case LVN_ITEMCHANGED: Change(); break;
        default: break;
    }
}
