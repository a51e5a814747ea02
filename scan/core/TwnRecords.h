// The container records: the container's own layouts (items at least 4 bytes apart) and the packed layouts a data
// source delivers and expects, with the conversion between them. Every count and size that comes with a record is
// checked before an item is touched.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/Types.h"

// One record in the container's own layout; an empty vector means "no record".
using TTwnRecord = std::vector<Byte>;

namespace twn {

// Field offsets.
constexpr std::size_t kNumItemsOffset = 2;       // array, enumeration
constexpr std::size_t kCurrentIndexOffset = 6;   // enumeration
constexpr std::size_t kDefaultIndexOffset = 10;  // enumeration
constexpr std::size_t kRangeMinOffset = 2;
constexpr std::size_t kRangeMaxOffset = 6;
constexpr std::size_t kRangeStepOffset = 10;
constexpr std::size_t kRangeDefaultOffset = 14;
constexpr std::size_t kRangeCurrentOffset = 18;
// Slack behind the items of the container's own array and enumeration records.
constexpr std::size_t kRecordSlack = 4;
// Upper bound of any record the container allocates.
constexpr std::uint64_t kMaxRecordSize = 0x7FFFFFFFu;

// Header size of the container type's layout (array 6, enumeration 14, one value 2, range 22); 0 for other types.
std::size_t HeaderSize(std::uint16_t containerType);

std::uint16_t ReadU16(const TTwnRecord& record, std::size_t offset);
std::uint32_t ReadU32(const TTwnRecord& record, std::size_t offset);
void WriteU16(TTwnRecord& record, std::size_t offset, std::uint16_t value);
void WriteU32(TTwnRecord& record, std::size_t offset, std::uint32_t value);

// True when the record is a well-formed internal record of the container type: its item type is known and every
// item its count announces lies inside it.
bool IsValidRecord(std::uint16_t containerType, const TTwnRecord& record);
// Bytes an internal array or enumeration of count items of the type needs (items x stride + header + slack);
// raises EOutOfMemory beyond kMaxRecordSize.
std::size_t RecordSize(std::uint16_t containerType, std::uint16_t itemType, std::uint64_t count);
// The slot of item index of an array or enumeration record; raises ERangeError outside 0..NumItems-1 or past the
// record's end.
Byte* ItemSlot(std::uint16_t containerType, TTwnRecord& record, std::uint64_t index);
const Byte* ItemSlot(std::uint16_t containerType, const TTwnRecord& record, std::uint64_t index);

// Builds the internal record from a packed container of size bytes. False (and record untouched) when the
// container type is unknown, the item type is outside the table, or the announced items do not fit in size.
bool UnpackContainer(std::uint16_t containerType, const Byte* data, std::size_t size, TTwnRecord& record);
// Size of the zero-filled block that the packed form of a valid internal record is written into
// (array packed size x NumItems + 10, enumeration + 18, one value packed size + 6, range 22).
std::size_t PackedBlockSize(std::uint16_t containerType, const TTwnRecord& record);
// Writes the packed form into a zero-filled block of PackedBlockSize bytes. Raises EConvertError for a record that
// is not valid.
void PackContainer(std::uint16_t containerType, const TTwnRecord& record, Byte* block, std::size_t blockSize);

}  // namespace twn
