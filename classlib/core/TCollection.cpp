#include "classlib/core/TCollection.h"

#include <algorithm>
#include <string>

#include "classlib/core/ScopeGuard.h"
namespace {
[[noreturn]] void RaiseIndex(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

// TCollectionItem

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* value) {
    if (value == collection_) return;
    if (collection_) collection_->RemoveItem(this);
    if (value) value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    auto& items = collection_->items_;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int value) {
    if (!collection_ || value == Index()) return;
    collection_->MoveItem(this, value);
    Changed(true);
}

AnsiString TCollectionItem::GetDisplayName() { return ClassName(); }

void TCollectionItem::SetDisplayName(const AnsiString&) { Changed(false); }

TPersistent* TCollectionItem::GetOwner() { return collection_; }

AnsiString TCollectionItem::GetNamePath() {
    if (!collection_) return ClassName();
    return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

// TCollection

TCollection::TCollection(TCollectionItemClass itemClass) : itemClass_(itemClass) {}

TCollection::~TCollection() {
    // No change reports from a collection that is going away (its overrides are gone already).
    updateCount_ = 1;
    while (!items_.empty()) Free(items_.back());
}

TCollectionItem* TCollection::Add() {
    if (!itemClass_.Make) throw EInvalidOperation("Collection without an item class");
    TCollectionItem* item = itemClass_.Make(this);
    // An item class whose constructor did not join the collection joins here.
    if (item->collection_ != this) item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) RaiseIndex(index);
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    Free(item);
}

void TCollection::Clear() {
    if (items_.empty()) return;
    TUpdateGuard update(*this);
    while (!items_.empty()) Free(items_.back());
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) RaiseIndex(index);
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    TUpdateGuard update(*this);
    while (!items_.empty()) Free(items_.back());
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end()) items_.erase(it);
    item->collection_ = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem* item, int newIndex) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    newIndex = std::clamp(newIndex, 0, Count());
    items_.insert(items_.begin() + newIndex, item);
}
