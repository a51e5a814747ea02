// Values of capability items: the value type, TW_FIX32 conversions and the item slot conversions.
#pragma once
#include <cstddef>
#include <cstdint>

#include "classlib/core/TVariant.h"
#include "classlib/core/Types.h"

// TWAIN's fixed-point number: value = Whole + Frac / 65536.
struct TW_FIX32 {
    std::int16_t Whole = 0;
    std::uint16_t Frac = 0;
};

namespace twn {

// round(x * 65536) (ties to even) split into Whole and Frac; raises ERangeError when the whole part is outside
// -32768..32767 or x is not a finite number.
TW_FIX32 FloatToFix32(double x);
// Whole + round((Frac / 65536 + 0.000005) * 10000) / 10000: the value to four decimals.
double Fix32ToFloat(TW_FIX32 value);
// The four bytes of a TW_FIX32 as they lie in memory, and back.
std::uint32_t Fix32Bits(TW_FIX32 value);
TW_FIX32 Fix32FromBits(std::uint32_t bits);

// Reads the item held in an internal slot of slotSize bytes (at least the item type's stride): 8-, 16- or 32-bit
// signed integers, 8- or 16-bit unsigned integers (as int32), 32-bit unsigned integers (as int64), booleans, TW_FIX32
// as a number to four decimals, 0 for a frame, text for the 8-bit string types; empty for other types.
TVariant ItemToValue(std::uint16_t itemType, const Byte* slot, std::size_t slotSize);
// Writes the value into an internal slot of slotSize bytes: integer types take the whole 32-bit value (booleans 0
// or 1, numbers rounded ties to even, texts parsed), TW_FIX32 the fixed-point form, string types the text (cut to fit,
// zero-terminated); the slot of any other type is zeroed. Raises ERangeError or EConvertError when the value does not
// fit the type.
void ValueToItem(std::uint16_t itemType, const TVariant& value, Byte* slot, std::size_t slotSize);

// Converts one item between the packed layout a source delivers (ItemSize bytes) and the internal slot (ItemStride
// bytes): 8- and 16-bit signed types and booleans are sign-extended, unsigned ones zero-extended, 32-bit types and
// TW_FIX32 copied, frames and the 32..255 strings copied as blocks; any other type becomes -1.
void UnpackItem(std::uint16_t itemType, const Byte* packed, Byte* slot);
// The reverse: 1, 2 or 4 bytes by type, the blocks as they are; other types write nothing.
void PackItem(std::uint16_t itemType, const Byte* slot, Byte* packed);

}  // namespace twn
