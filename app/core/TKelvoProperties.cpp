#include "app/core/TKelvoProperties.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Checked.h"

TKelvoCustomProperties::~TKelvoCustomProperties() = default;

TKelvoProperties::~TKelvoProperties() {
    // FreeValue is ours only while this part of the object exists.
    Clear();
}

void TKelvoProperties::FreeValue(TKelvoPropertyItem& item) {
    if (item.Type == kpInterface) item.Interface.reset();
}

TKelvoPropertyItem& TKelvoCustomProperties::Slot(std::int32_t id) {
    const std::int32_t index = IndexOf(id);
    if (index >= 0) {
        TKelvoPropertyItem& item = items_[std::size_t(index)];
        FreeValue(item);
        item.Interface.reset();
        return item;
    }
    if (!items_.empty() && id <= items_.back().Id) idsAscending_ = false;
    items_.emplace_back();
    items_.back().Id = id;
    return items_.back();
}

void TKelvoCustomProperties::SetValue(std::int32_t id, std::int32_t type, std::uint32_t size, const void* data) {
    const Byte* bytes = static_cast<const Byte*>(data);
    std::vector<Byte> copy(bytes, bytes + (data ? size : 0));
    copy.resize(size);
    TKelvoPropertyItem& item = Slot(id);
    item.Type = type;
    item.Data = std::move(copy);
}

void TKelvoCustomProperties::SetInteger(std::int32_t id, std::int32_t value) { SetValue(id, kpInteger, 4, &value); }

void TKelvoCustomProperties::SetDouble(std::int32_t id, double value) { SetValue(id, kpDouble, 8, &value); }

void TKelvoCustomProperties::SetString(std::int32_t id, const AnsiString& text) {
    SetValue(id, kpString, CheckedCast<std::uint32_t>(text.size()), text.data());
}

void TKelvoCustomProperties::SetInterface(std::int32_t id, IPtr<IInterface> value) {
    IInterface* raw = value.get();
    TKelvoPropertyItem& item = Slot(id);
    item.Type = kpInterface;
    item.Data.assign(reinterpret_cast<const Byte*>(&raw), reinterpret_cast<const Byte*>(&raw) + sizeof raw);
    item.Interface = std::move(value);
}

bool TKelvoCustomProperties::GetValue(std::int32_t id, void* data, std::int32_t type, std::uint32_t size) const {
    const TKelvoPropertyItem* item;
    if (!FindItem(id, item) || item->Type != type || item->Size() != size) return false;
    if (size > 0) std::memcpy(data, item->Data.data(), size);
    return true;
}

bool TKelvoCustomProperties::GetValueSize(std::int32_t id, std::uint32_t& size, std::int32_t type) const {
    const TKelvoPropertyItem* item;
    if (!FindItem(id, item) || item->Type != type) return false;
    size = item->Size();
    return true;
}

IPtr<IInterface> TKelvoCustomProperties::GetInterface(std::int32_t id) const {
    const TKelvoPropertyItem* item;
    if (!FindItem(id, item) || item->Type != kpInterface) return nullptr;
    return item->Interface;
}

std::int32_t TKelvoCustomProperties::IndexOf(std::int32_t id) const {
    if (idsAscending_) {
        const auto at = std::lower_bound(items_.begin(), items_.end(), id,
                                         [](const TKelvoPropertyItem& item, std::int32_t v) { return item.Id < v; });
        return at != items_.end() && at->Id == id ? std::int32_t(at - items_.begin()) : -1;
    }
    for (std::int32_t i = GetCount() - 1; i >= 0; --i)
        if (items_[std::size_t(i)].Id == id) return i;
    return -1;
}

bool TKelvoCustomProperties::FindItem(std::int32_t id, const TKelvoPropertyItem*& item) const {
    const std::int32_t index = IndexOf(id);
    if (index < 0) return false;
    item = &items_[std::size_t(index)];
    return true;
}

const TKelvoPropertyItem& TKelvoCustomProperties::GetItem(std::int32_t index) const {
    return items_[std::size_t(CheckedIndex(index, GetCount()))];
}

TVariant TKelvoCustomProperties::GetAsVariant(std::int32_t index) const {
    if (index < 0 || index >= GetCount()) return TVariant();
    const TKelvoPropertyItem& item = items_[std::size_t(index)];
    switch (item.Type) {
        case kpInteger:
            if (item.Size() == 4) {
                std::int32_t v;
                std::memcpy(&v, item.Data.data(), 4);
                return TVariant(v);
            }
            break;
        case kpDouble:
            if (item.Size() == 8) {
                double v;
                std::memcpy(&v, item.Data.data(), 8);
                return TVariant(v);
            }
            break;
        case kpString: return TVariant(AnsiString(item.Data.begin(), item.Data.end()));
        default: break;
    }
    return TVariant();
}

void TKelvoCustomProperties::Delete(std::int32_t id) {
    const std::int32_t index = IndexOf(id);
    if (index < 0) return;
    FreeValue(items_[std::size_t(index)]);
    items_.erase(items_.begin() + index);
}

void TKelvoCustomProperties::Clear() {
    for (TKelvoPropertyItem& item : items_) FreeValue(item);
    items_.clear();
    idsAscending_ = true;
}

void TKelvoCustomProperties::Assign(const TKelvoCustomProperties& source) {
    if (&source == this) return;
    // Copy first: the source's references stay valid while ours are dropped.
    std::vector<TKelvoPropertyItem> copy = source.items_;
    Clear();
    for (TKelvoPropertyItem& item : copy) {
        if (item.Type == kpInterface && item.Interface)
            SetInterface(item.Id, std::move(item.Interface));
        else
            SetValue(item.Id, item.Type, item.Size(), item.Data.data());
    }
}
