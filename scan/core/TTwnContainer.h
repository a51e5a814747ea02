// The value of one TWAIN capability: a single value, a range, an enumeration or an array, kept in the container's
// own record layouts (items at least 4 bytes apart). A container of the frames capability also keeps one
// TTwnFrame per frame item.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/core/Types.h"
#include "scan/core/TwnRecords.h"
#include "scan/core/TwnValue.h"

class TTwnContainer;

// One frame of a frames container: a reference to its TW_FRAME item inside the container's enumeration record (or
// its one-value record). Owned by the container.
class TTwnFrame {
public:
    TTwnFrame(TTwnContainer& owner, std::int32_t index) : owner_(&owner), index_(index) {}
    std::int32_t Index() const { return index_; }
    // The 16 bytes of the frame item (Left, Top, Right, Bottom as TW_FIX32); nullptr when the container holds no
    // such item.
    Byte* Item() const;

private:
    TTwnContainer* owner_;
    std::int32_t index_;
};

class TTwnContainer {
public:
    TTwnContainer();
    ~TTwnContainer();
    TTwnContainer(const TTwnContainer&) = delete;
    TTwnContainer& operator=(const TTwnContainer&) = delete;

    std::uint16_t Capability() const { return capability_; }
    // Clears the container when the number changes and gives it the capability's default item type (unchanged
    // when the capability is not in the table).
    void SetCapability(std::uint16_t capability);
    std::uint16_t ContainerType() const { return containerType_; }
    // Clears the container when the type changes and allocates 10 items of the new type.
    void SetContainerType(std::uint16_t containerType);
    std::uint16_t ItemType() const { return itemType_; }
    // Stores the type in every record; records grow to hold their items at the new type's stride. A type outside
    // the item-size table is ignored.
    void SetItemType(std::uint16_t itemType);
    std::int32_t CurrentIndex() const { return currentIndex_; }
    void SetCurrentIndex(std::int32_t index) { currentIndex_ = index; }
    // The answer of the last support query; -1 when unknown.
    std::int32_t QuerySupport() const { return querySupport_; }
    void SetQuerySupport(std::int32_t value) { querySupport_ = value; }

    const TTwnRecord& ArrayRecord() const { return array_; }
    const TTwnRecord& EnumRecord() const { return enum_; }
    const TTwnRecord& OneValueRecord() const { return oneValue_; }
    const TTwnRecord& RangeRecord() const { return range_; }
    // The record of the container's own type; empty when it holds none.
    const TTwnRecord& Record() const;
    // A one-value record of the container's current value (an enumeration's item at CurrentIndex, a range's
    // CurrentValue); the plain one-value record otherwise.
    TTwnRecord CurrentAsOneValue() const;

    // Adopts a record of the given container type (for a whole capability read from a source). Does nothing and
    // returns false when the record is empty or not well formed.
    bool SetContainer(std::uint16_t capability, std::uint16_t containerType, TTwnRecord record);
    // Makes room for count items of the container's type and item type and sets NumItems; returns the record, or
    // nullptr for the frames capability. Raises EOutOfMemory when the memory cannot be had.
    Byte* Allocate(std::uint32_t count);
    // Index of the first array or enumeration item equal to the value; -1 when none.
    std::int32_t IndexOf(const TVariant& value) const;

    // Frames capability only: grows or shrinks the frame list to n frames.
    void SetFrameCount(std::int32_t n);
    std::int32_t FrameCount() const { return std::int32_t(frames_.size()); }
    TTwnFrame& Frame(std::int32_t index) const;

    // Frees the array, enumeration and range records and all frames; the one value keeps its item type and becomes
    // -1 (zero bytes for frames and texts).
    void Clear();
    // Deep copy of number, types and records.
    void Assign(const TTwnContainer& other);
    // -1 (empty text for string types) unless the container holds a current value.
    TVariant GetCurrent() const;
    // Enumeration: selects the first equal item (unchanged when none); one value: stores it; range: clamps to the
    // limits and snaps to the step; array: nothing.
    void SetCurrent(const TVariant& value);
    TVariant Minimum() const;
    TVariant Maximum() const;
    TVariant Step() const;
    // Array and enumeration: NumItems (-1 beyond 65535); one value and range 1; -1 when nothing is held.
    std::int32_t Count() const;
    // The item at index (empty outside the items); a one value's item; a range's CurrentValue.
    TVariant GetItem(std::int32_t index) const;
    // Appends an item to an array or enumeration.
    void AddItem(const TVariant& value);

    // Address of the frame item at index (see TTwnFrame::Item).
    Byte* FrameItem(std::int32_t index);

private:
    TTwnRecord* ListRecord();
    const TTwnRecord* ListRecord() const;
    std::uint32_t NumItems() const;
    TVariant RangeField(std::size_t offset) const;
    TVariant OneValueItem() const;
    void EnsureOneValueRoom();
    void ResetOneValue(bool minusOne);
    void SyncFrames();
    TVariant Extreme(bool largest) const;

    std::uint16_t capability_ = 0;
    std::uint16_t containerType_;
    std::uint16_t itemType_;
    TTwnRecord array_;
    TTwnRecord enum_;
    TTwnRecord oneValue_;
    TTwnRecord range_;
    std::vector<std::unique_ptr<TTwnFrame>> frames_;
    std::int32_t currentIndex_ = -1;
    std::int32_t querySupport_ = -1;
};
