// TWAIN codes, item sizes and the default item type of each capability.
#pragma once
#include <cstddef>
#include <cstdint>

// Item types (TWTY_ codes).
constexpr std::uint16_t TWTY_INT8 = 0;
constexpr std::uint16_t TWTY_INT16 = 1;
constexpr std::uint16_t TWTY_INT32 = 2;
constexpr std::uint16_t TWTY_UINT8 = 3;
constexpr std::uint16_t TWTY_UINT16 = 4;
constexpr std::uint16_t TWTY_UINT32 = 5;
constexpr std::uint16_t TWTY_BOOL = 6;
constexpr std::uint16_t TWTY_FIX32 = 7;
constexpr std::uint16_t TWTY_FRAME = 8;
constexpr std::uint16_t TWTY_STR32 = 9;
constexpr std::uint16_t TWTY_STR64 = 10;
constexpr std::uint16_t TWTY_STR128 = 11;
constexpr std::uint16_t TWTY_STR255 = 12;
constexpr std::uint16_t TWTY_STR1024 = 13;
constexpr std::uint16_t TWTY_UNI512 = 14;
// Item type of a capability that the default-type table does not know.
constexpr std::uint16_t TWTY_UNKNOWN = 99;

// Container types (TWON_ codes).
constexpr std::uint16_t TWON_ARRAY = 3;
constexpr std::uint16_t TWON_ENUMERATION = 4;
constexpr std::uint16_t TWON_ONEVALUE = 5;
constexpr std::uint16_t TWON_RANGE = 6;
constexpr std::uint16_t TWON_DONTCARE16 = 0xFFFF;

// Capabilities the scanner component refers to by name.
constexpr std::uint16_t CAP_XFERCOUNT = 0x0001;
constexpr std::uint16_t ICAP_COMPRESSION = 0x0100;
constexpr std::uint16_t ICAP_PIXELTYPE = 0x0101;
constexpr std::uint16_t ICAP_UNITS = 0x0102;
constexpr std::uint16_t ICAP_XFERMECH = 0x0103;
constexpr std::uint16_t CAP_SUPPORTEDCAPS = 0x1005;
constexpr std::uint16_t CAP_EXTENDEDCAPS = 0x1006;
constexpr std::uint16_t CAP_INDICATORS = 0x100B;
constexpr std::uint16_t CAP_DEVICEONLINE = 0x100F;
constexpr std::uint16_t CAP_DEVICEEVENT = 0x1022;
constexpr std::uint16_t ICAP_IMAGEFILEFORMAT = 0x110C;
constexpr std::uint16_t ICAP_FRAMES = 0x1114;
constexpr std::uint16_t ICAP_PIXELFLAVOR = 0x111F;

namespace twn {

// Highest item type with a known size.
constexpr std::uint16_t kMaxItemType = TWTY_UNI512;

// Byte sizes of the fixed parts of the record layouts (TWAIN packs its structures on 2-byte boundaries).
constexpr std::size_t kArrayHeader = 6;         // ItemType, NumItems
constexpr std::size_t kEnumerationHeader = 14;  // ItemType, NumItems, CurrentIndex, DefaultIndex
constexpr std::size_t kOneValueHeader = 2;      // ItemType
constexpr std::size_t kRangeSize = 22;          // ItemType, Min, Max, Step, Default, Current
// Size of the one-value block a container is created with.
constexpr std::size_t kOneValueBlockSize = 262;

// True for the item types 0..14.
bool IsKnownItemType(std::uint16_t itemType);
// TWAIN size of one item of the type (packed layout); 0 for an unknown type.
std::size_t ItemSize(std::uint16_t itemType);
// Distance between items in the container's own records: the item size, but at least 4; 0 for an unknown type.
std::size_t ItemStride(std::uint16_t itemType);
// The item type the TWAIN 1.9 standard gives the capability; TWTY_UNKNOWN when the table does not list it.
std::uint16_t DefaultItemType(std::uint16_t capability);
// True for the string item types that are held as 8-bit text.
bool IsStringType(std::uint16_t itemType);

}  // namespace twn
