#include "scan/core/TTwnContainer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "classlib/core/Checked.h"
#include "scan/core/TwnTypes.h"

using namespace twn;

namespace {

bool IsListType(std::uint16_t containerType) {
    return containerType == TWON_ARRAY || containerType == TWON_ENUMERATION;
}

// A slot large enough for any item type, for values that live in a range's 4-byte fields.
constexpr std::size_t kWideSlot = 1028;

}  // namespace

Byte* TTwnFrame::Item() const { return owner_->FrameItem(index_); }

TTwnContainer::TTwnContainer() : containerType_(TWON_ONEVALUE), itemType_(TWTY_UINT16) {
    oneValue_.assign(kOneValueBlockSize, 0);
    WriteU16(oneValue_, 0, TWTY_UINT16);
}

TTwnContainer::~TTwnContainer() = default;

TTwnRecord* TTwnContainer::ListRecord() {
    if (containerType_ == TWON_ARRAY) return array_.empty() ? nullptr : &array_;
    if (containerType_ == TWON_ENUMERATION) return enum_.empty() ? nullptr : &enum_;
    return nullptr;
}

const TTwnRecord* TTwnContainer::ListRecord() const { return const_cast<TTwnContainer*>(this)->ListRecord(); }

std::uint32_t TTwnContainer::NumItems() const {
    const TTwnRecord* record = ListRecord();
    return record ? ReadU32(*record, kNumItemsOffset) : 0;
}

const TTwnRecord& TTwnContainer::Record() const {
    static const TTwnRecord none;
    switch (containerType_) {
        case TWON_ARRAY: return array_;
        case TWON_ENUMERATION: return enum_;
        case TWON_ONEVALUE: return oneValue_;
        case TWON_RANGE: return range_;
        default: return none;
    }
}

void TTwnContainer::EnsureOneValueRoom() {
    const std::size_t need = kOneValueHeader + ItemStride(ReadU16(oneValue_, 0));
    if (oneValue_.size() < need) oneValue_.resize(need, 0);
}

void TTwnContainer::ResetOneValue(bool minusOne) {
    EnsureOneValueRoom();
    std::fill(oneValue_.begin() + kOneValueHeader, oneValue_.end(), Byte(0));
    if (minusOne && ReadU16(oneValue_, 0) <= TWTY_FIX32) WriteU32(oneValue_, kOneValueHeader, 0xFFFFFFFFu);
}

TVariant TTwnContainer::OneValueItem() const {
    return ItemToValue(ReadU16(oneValue_, 0), oneValue_.data() + kOneValueHeader, oneValue_.size() - kOneValueHeader);
}

TVariant TTwnContainer::RangeField(std::size_t offset) const {
    Byte slot[kWideSlot] = {};
    const std::uint32_t raw = ReadU32(range_, offset);
    std::memcpy(slot, &raw, 4);
    return ItemToValue(ReadU16(range_, 0), slot, sizeof slot);
}

void TTwnContainer::SetCapability(std::uint16_t capability) {
    if (capability == capability_) return;
    capability_ = capability;
    const std::uint16_t type = DefaultItemType(capability);
    if (type != TWTY_UNKNOWN) SetItemType(type);
    Clear();
}

void TTwnContainer::SetContainerType(std::uint16_t containerType) {
    if (HeaderSize(containerType) == 0 || containerType == containerType_) return;
    Clear();
    containerType_ = containerType;
    Allocate(10);
}

void TTwnContainer::SetItemType(std::uint16_t itemType) {
    if (!IsKnownItemType(itemType)) return;
    const std::size_t stride = ItemStride(itemType);
    for (std::uint16_t type : {TWON_ARRAY, TWON_ENUMERATION}) {
        TTwnRecord& record = type == TWON_ARRAY ? array_ : enum_;
        if (record.empty()) continue;
        const std::size_t need = RecordSize(type, itemType, ReadU32(record, kNumItemsOffset));
        try {
            if (record.size() < need) record.resize(need, 0);
        } catch (const std::bad_alloc&) {
            throw EOutOfMemory("Out of memory");
        }
        WriteU16(record, 0, itemType);
    }
    if (!range_.empty()) WriteU16(range_, 0, itemType);
    WriteU16(oneValue_, 0, itemType);
    if (oneValue_.size() < kOneValueHeader + stride) oneValue_.resize(kOneValueHeader + stride, 0);
    itemType_ = itemType;
}

TTwnRecord TTwnContainer::CurrentAsOneValue() const {
    TTwnRecord result(kOneValueHeader + ItemStride(itemType_), 0);
    WriteU16(result, 0, itemType_);
    Byte* slot = result.data() + kOneValueHeader;
    if (containerType_ == TWON_ENUMERATION && !enum_.empty()) {
        const std::uint32_t index = ReadU32(enum_, kCurrentIndexOffset);
        if (index < NumItems()) std::memcpy(slot, ItemSlot(TWON_ENUMERATION, enum_, index), ItemStride(itemType_));
    } else if (containerType_ == TWON_RANGE && !range_.empty()) {
        WriteU32(result, kOneValueHeader, ReadU32(range_, kRangeCurrentOffset));
    } else {
        const std::size_t n = std::min(oneValue_.size(), result.size());
        std::memcpy(result.data() + kOneValueHeader, oneValue_.data() + kOneValueHeader, n - kOneValueHeader);
    }
    return result;
}

bool TTwnContainer::SetContainer(std::uint16_t capability, std::uint16_t containerType, TTwnRecord record) {
    if (record.empty() || !IsValidRecord(containerType, record)) return false;
    array_.clear();
    enum_.clear();
    range_.clear();
    capability_ = capability;
    containerType_ = containerType;
    const std::uint16_t itemType = ReadU16(record, 0);
    switch (containerType) {
        case TWON_ARRAY:
            array_ = std::move(record);
            WriteU16(oneValue_, 0, itemType);
            ResetOneValue(false);
            break;
        case TWON_ENUMERATION: {
            enum_ = std::move(record);
            WriteU16(oneValue_, 0, itemType);
            ResetOneValue(false);
            // The current index comes from the source: copy only an item that exists.
            const std::uint32_t index = ReadU32(enum_, kCurrentIndexOffset);
            if (index < ReadU32(enum_, kNumItemsOffset))
                std::memcpy(oneValue_.data() + kOneValueHeader, ItemSlot(TWON_ENUMERATION, enum_, index),
                            ItemStride(itemType));
            break;
        }
        case TWON_ONEVALUE: oneValue_ = std::move(record); break;
        default:  // TWON_RANGE
            range_ = std::move(record);
            WriteU16(oneValue_, 0, itemType);
            ResetOneValue(false);
            WriteU32(oneValue_, kOneValueHeader, ReadU32(range_, kRangeCurrentOffset));
            break;
    }
    itemType_ = ReadU16(oneValue_, 0);
    SyncFrames();
    return true;
}

Byte* TTwnContainer::Allocate(std::uint32_t count) {
    Byte* result = nullptr;
    try {
        if (IsListType(containerType_)) {
            TTwnRecord& record = containerType_ == TWON_ARRAY ? array_ : enum_;
            const std::size_t need = RecordSize(containerType_, itemType_, count);
            if (record.empty())
                record.assign(need, 0);
            else if (record.size() < need)
                record.resize(need, 0);
            WriteU32(record, kNumItemsOffset, count);
            WriteU16(record, 0, itemType_);
            result = record.data();
        } else if (containerType_ == TWON_RANGE) {
            if (range_.empty()) range_.assign(kRangeSize, 0);
            WriteU16(range_, 0, itemType_);
            result = range_.data();
        } else {
            WriteU16(oneValue_, 0, itemType_);
            EnsureOneValueRoom();
            result = oneValue_.data();
        }
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory");
    }
    if (capability_ == ICAP_FRAMES) {
        SyncFrames();
        return nullptr;
    }
    return result;
}

std::int32_t TTwnContainer::IndexOf(const TVariant& value) const {
    const TTwnRecord* record = ListRecord();
    if (!record) return -1;
    const std::uint32_t count = NumItems();
    const std::size_t stride = ItemStride(itemType_);
    for (std::uint32_t i = 0; i < count && i < 0x7FFFFFFFu; ++i) {
        if (ItemToValue(itemType_, ItemSlot(containerType_, *record, i), stride) == value) return std::int32_t(i);
    }
    return -1;
}

void TTwnContainer::SetFrameCount(std::int32_t n) {
    if (capability_ != ICAP_FRAMES) return;
    n = std::max(n, 0);
    while (std::int32_t(frames_.size()) > n) frames_.pop_back();
    frames_.reserve(std::size_t(n));
    while (std::int32_t(frames_.size()) < n)
        frames_.push_back(std::make_unique<TTwnFrame>(*this, std::int32_t(frames_.size())));
}

TTwnFrame& TTwnContainer::Frame(std::int32_t index) const {
    return *frames_[std::size_t(CheckedIndex(index, std::int64_t(frames_.size())))];
}

void TTwnContainer::SyncFrames() {
    if (capability_ != ICAP_FRAMES) {
        frames_.clear();
        return;
    }
    const std::int32_t count = Count();
    SetFrameCount(count < 0 ? 0 : count);
}

Byte* TTwnContainer::FrameItem(std::int32_t index) {
    if (itemType_ != TWTY_FRAME || index < 0) return nullptr;
    if (containerType_ == TWON_ENUMERATION) {
        if (enum_.empty() || std::uint32_t(index) >= NumItems()) return nullptr;
        return ItemSlot(TWON_ENUMERATION, enum_, std::uint32_t(index));
    }
    if (oneValue_.size() < kOneValueHeader + ItemSize(TWTY_FRAME)) return nullptr;
    return oneValue_.data() + kOneValueHeader;
}

void TTwnContainer::Clear() {
    array_.clear();
    enum_.clear();
    range_.clear();
    frames_.clear();
    ResetOneValue(true);
}

void TTwnContainer::Assign(const TTwnContainer& other) {
    if (&other == this) return;
    Clear();
    capability_ = other.capability_;
    containerType_ = other.containerType_;
    itemType_ = other.itemType_;
    array_ = other.array_;
    enum_ = other.enum_;
    oneValue_ = other.oneValue_;
    range_ = other.range_;
    SyncFrames();
}

TVariant TTwnContainer::GetCurrent() const {
    switch (containerType_) {
        case TWON_ENUMERATION:
            if (!enum_.empty()) {
                const std::uint32_t index = ReadU32(enum_, kCurrentIndexOffset);
                if (index < NumItems())
                    return ItemToValue(itemType_, ItemSlot(TWON_ENUMERATION, enum_, index), ItemStride(itemType_));
            }
            break;
        case TWON_ONEVALUE: return OneValueItem();
        case TWON_RANGE:
            if (!range_.empty()) return RangeField(kRangeCurrentOffset);
            break;
        default: break;
    }
    return IsStringType(itemType_) ? TVariant(AnsiString()) : TVariant(std::int32_t(-1));
}

void TTwnContainer::SetCurrent(const TVariant& value) {
    switch (containerType_) {
        case TWON_ENUMERATION: {
            const std::int32_t index = IndexOf(value);
            if (index >= 0) WriteU32(enum_, kCurrentIndexOffset, std::uint32_t(index));
            break;
        }
        case TWON_ONEVALUE:
            EnsureOneValueRoom();
            ValueToItem(ReadU16(oneValue_, 0), value, oneValue_.data() + kOneValueHeader,
                        oneValue_.size() - kOneValueHeader);
            break;
        case TWON_RANGE: {
            if (range_.empty()) break;
            const double minimum = RangeField(kRangeMinOffset).AsDouble();
            const double maximum = RangeField(kRangeMaxOffset).AsDouble();
            const double step = RangeField(kRangeStepOffset).AsDouble();
            double v = value.AsDouble();
            v = std::min(std::max(v, minimum), maximum);
            if (step != 0) v = std::min(minimum + std::nearbyint((v - minimum) / step) * step, maximum);
            Byte slot[kWideSlot] = {};
            ValueToItem(itemType_, TVariant(v), slot, sizeof slot);
            std::uint32_t raw;
            std::memcpy(&raw, slot, 4);
            WriteU32(range_, kRangeCurrentOffset, raw);
            break;
        }
        default: break;
    }
}

TVariant TTwnContainer::Extreme(bool largest) const {
    const TVariant none(std::int32_t(-1));
    if (itemType_ > TWTY_FIX32) return none;
    switch (containerType_) {
        case TWON_ARRAY:
        case TWON_ENUMERATION: {
            const TTwnRecord* record = ListRecord();
            const std::uint32_t count = NumItems();
            if (!record || count == 0) return none;
            const std::size_t stride = ItemStride(itemType_);
            TVariant best = ItemToValue(itemType_, ItemSlot(containerType_, *record, 0), stride);
            double bestNumber = best.AsDouble();
            for (std::uint32_t i = 1; i < count; ++i) {
                TVariant item = ItemToValue(itemType_, ItemSlot(containerType_, *record, i), stride);
                const double number = item.AsDouble();
                if (largest ? number > bestNumber : number < bestNumber) {
                    best = std::move(item);
                    bestNumber = number;
                }
            }
            return best;
        }
        case TWON_ONEVALUE: return OneValueItem();
        case TWON_RANGE:
            if (range_.empty()) return none;
            return RangeField(largest ? kRangeMaxOffset : kRangeMinOffset);
        default: return none;
    }
}

TVariant TTwnContainer::Minimum() const { return Extreme(false); }

TVariant TTwnContainer::Maximum() const { return Extreme(true); }

TVariant TTwnContainer::Step() const {
    if (containerType_ == TWON_RANGE && !range_.empty()) return RangeField(kRangeStepOffset);
    return TVariant(std::int32_t(-1));
}

std::int32_t TTwnContainer::Count() const {
    switch (containerType_) {
        case TWON_ARRAY:
        case TWON_ENUMERATION: {
            if (!ListRecord()) return -1;
            const std::uint32_t count = NumItems();
            return count > 0xFFFFu ? -1 : std::int32_t(count);
        }
        case TWON_ONEVALUE: return 1;
        case TWON_RANGE: return range_.empty() ? -1 : 1;
        default: return -1;
    }
}

TVariant TTwnContainer::GetItem(std::int32_t index) const {
    switch (containerType_) {
        case TWON_ARRAY:
        case TWON_ENUMERATION: {
            const TTwnRecord* record = ListRecord();
            if (!record || index < 0 || std::uint32_t(index) >= NumItems()) return TVariant();
            return ItemToValue(itemType_, ItemSlot(containerType_, *record, std::uint32_t(index)),
                               ItemStride(itemType_));
        }
        case TWON_ONEVALUE: return OneValueItem();
        case TWON_RANGE: return range_.empty() ? TVariant() : RangeField(kRangeCurrentOffset);
        default: return TVariant();
    }
}

void TTwnContainer::AddItem(const TVariant& value) {
    if (!IsListType(containerType_)) return;
    const std::uint32_t count = NumItems();
    if (count == 0xFFFFFFFFu) throw EOutOfMemory("Out of memory");
    // Convert first so that a value the type cannot hold leaves the container unchanged.
    std::vector<Byte> slot(ItemStride(itemType_), 0);
    ValueToItem(itemType_, value, slot.data(), slot.size());
    Allocate(count + 1);
    TTwnRecord& record = containerType_ == TWON_ARRAY ? array_ : enum_;
    std::memcpy(ItemSlot(containerType_, record, count), slot.data(), slot.size());
    SyncFrames();
}
