#include "scan/core/TwnValue.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "classlib/core/Checked.h"
#include "scan/core/TwnTypes.h"

namespace twn {

namespace {

std::int32_t ReadI32(const Byte* p) {
    std::int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void WriteI32(Byte* p, std::int32_t v) { std::memcpy(p, &v, 4); }

// The value as a 64-bit integer for the integer item types: booleans are 1 or 0 (TWAIN's TRUE), numbers are
// rounded ties to even, texts parsed.
std::int64_t ValueToInt64(const TVariant& value) {
    if (value.VarType() == varBoolean) return value.AsBoolean() ? 1 : 0;
    return value.AsInt64();
}

}  // namespace

TW_FIX32 FloatToFix32(double x) {
    const double scaled = x * 65536.0;
    // RoundEven raises ERangeError for non-finite values and anything outside int32, which is exactly a whole part
    // outside -32768..32767.
    const std::int32_t v = RoundEven(scaled);
    TW_FIX32 r;
    r.Whole = std::int16_t(v >> 16);
    r.Frac = std::uint16_t(std::uint32_t(v) & 0xFFFFu);
    return r;
}

double Fix32ToFloat(TW_FIX32 value) {
    const double frac = double(value.Frac) / 65536.0 + 0.000005;
    return double(value.Whole) + std::nearbyint(frac * 10000.0) / 10000.0;
}

std::uint32_t Fix32Bits(TW_FIX32 value) {
    Byte b[4];
    std::memcpy(b, &value.Whole, 2);
    std::memcpy(b + 2, &value.Frac, 2);
    std::uint32_t r;
    std::memcpy(&r, b, 4);
    return r;
}

TW_FIX32 Fix32FromBits(std::uint32_t bits) {
    Byte b[4];
    std::memcpy(b, &bits, 4);
    TW_FIX32 r;
    std::memcpy(&r.Whole, b, 2);
    std::memcpy(&r.Frac, b + 2, 2);
    return r;
}

TVariant ItemToValue(std::uint16_t itemType, const Byte* slot, std::size_t slotSize) {
    if (IsStringType(itemType)) {
        const std::size_t limit = std::min(slotSize, ItemSize(itemType));
        const Byte* end = std::find(slot, slot + limit, Byte(0));
        return AnsiString(reinterpret_cast<const char*>(slot), reinterpret_cast<const char*>(end));
    }
    if (itemType > TWTY_FRAME || slotSize < 4) return TVariant();
    const std::int32_t raw = ReadI32(slot);
    switch (itemType) {
        case TWTY_INT8: return std::int32_t(std::int8_t(raw & 0xFF));
        case TWTY_INT16: return std::int32_t(std::int16_t(raw & 0xFFFF));
        case TWTY_INT32: return raw;
        case TWTY_UINT8: return std::int32_t(raw & 0xFF);
        case TWTY_UINT16: return std::int32_t(raw & 0xFFFF);
        case TWTY_UINT32: return std::int64_t(std::uint32_t(raw));
        case TWTY_BOOL: return raw != 0;
        case TWTY_FIX32: return Fix32ToFloat(Fix32FromBits(std::uint32_t(raw)));
        default: return std::int32_t(0);  // TWTY_FRAME
    }
}

void ValueToItem(std::uint16_t itemType, const TVariant& value, Byte* slot, std::size_t slotSize) {
    if (IsStringType(itemType)) {
        const AnsiString text = value.AsString();
        const std::size_t room = std::min(slotSize, ItemSize(itemType));
        std::memset(slot, 0, room);
        if (room > 0) std::memcpy(slot, text.data(), std::min(text.size(), room - 1));
        return;
    }
    if (slotSize < 4) throw ERangeError("Item slot too small");
    if (itemType <= TWTY_BOOL) {
        const std::int64_t v = ValueToInt64(value);
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::uint32_t>::max())
            throw ERangeError("Value out of range for a 32-bit item");
        WriteI32(slot, std::int32_t(std::uint32_t(std::uint64_t(v))));
        return;
    }
    if (itemType == TWTY_FIX32) {
        WriteI32(slot, std::int32_t(Fix32Bits(FloatToFix32(value.AsDouble()))));
        return;
    }
    std::memset(slot, 0, std::min(slotSize, std::max<std::size_t>(ItemStride(itemType), 4)));
}

void UnpackItem(std::uint16_t itemType, const Byte* packed, Byte* slot) {
    switch (itemType) {
        case TWTY_INT8: WriteI32(slot, std::int8_t(packed[0])); break;
        case TWTY_UINT8: WriteI32(slot, packed[0]); break;
        case TWTY_INT16:
        case TWTY_BOOL: {
            std::int16_t v;
            std::memcpy(&v, packed, 2);
            WriteI32(slot, v);
            break;
        }
        case TWTY_UINT16: {
            std::uint16_t v;
            std::memcpy(&v, packed, 2);
            WriteI32(slot, v);
            break;
        }
        case TWTY_INT32:
        case TWTY_UINT32:
        case TWTY_FIX32: std::memcpy(slot, packed, 4); break;
        case TWTY_FRAME:
        case TWTY_STR32:
        case TWTY_STR64:
        case TWTY_STR128:
        case TWTY_STR255: std::memcpy(slot, packed, ItemSize(itemType)); break;
        default: WriteI32(slot, -1); break;
    }
}

void PackItem(std::uint16_t itemType, const Byte* slot, Byte* packed) {
    switch (itemType) {
        case TWTY_INT8:
        case TWTY_UINT8: packed[0] = slot[0]; break;
        case TWTY_INT16:
        case TWTY_UINT16:
        case TWTY_BOOL: std::memcpy(packed, slot, 2); break;
        case TWTY_INT32:
        case TWTY_UINT32:
        case TWTY_FIX32: std::memcpy(packed, slot, 4); break;
        case TWTY_FRAME:
        case TWTY_STR32:
        case TWTY_STR64:
        case TWTY_STR128:
        case TWTY_STR255: std::memcpy(packed, slot, ItemSize(itemType)); break;
        default: break;
    }
}

}  // namespace twn
