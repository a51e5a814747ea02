#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"

#include <cstring>
#include <string>

#include "scan/core/TwnTypes.h"
#include "scan/core/TwnValue.h"

using namespace twn;

namespace {

TW_FIX32 Fix(std::int16_t whole, std::uint16_t frac) {
    TW_FIX32 f;
    f.Whole = whole;
    f.Frac = frac;
    return f;
}

std::int32_t SlotInt(const Byte* slot) {
    std::int32_t v;
    std::memcpy(&v, slot, 4);
    return v;
}

}  // namespace

TEST(TwnFix32, NumberToFixedPointSplitsWholeAndFractionWithTheSignInTheWholePart) {
    struct Case {
        double x;
        std::int16_t whole;
        std::uint16_t frac;
    } cases[] = {{1.5, 1, 32768},
                 {-0.5, -1, 32768},
                 {-1.25, -2, 49152},
                 {12.3456, 12, 22649},
                 {0.0001, 0, 7},
                 {-32768.0, -32768, 0},
                 {32767.9999, 32767, 65529},
                 // ties go to even: 0.5 and 2.5 units of 1/65536 both give 0 and 2
                 {0.5 / 65536, 0, 0},
                 {2.5 / 65536, 0, 2},
                 {1.5 / 65536, 0, 2}};
    for (const Case& c : cases) {
        const TW_FIX32 f = FloatToFix32(c.x);
        EXPECT_EQ(f.Whole, c.whole) << c.x;
        EXPECT_EQ(f.Frac, c.frac) << c.x;
    }
}

TEST(TwnFix32, WholePartOutsideSixteenBitsOrNonFiniteRaisesRangeError) {
    EXPECT_THROW(FloatToFix32(32768.0), ERangeError);
    EXPECT_THROW(FloatToFix32(-32768.00001), ERangeError);
    EXPECT_THROW(FloatToFix32(1e300), ERangeError);
    EXPECT_THROW(FloatToFix32(std::numeric_limits<double>::quiet_NaN()), ERangeError);
    EXPECT_THROW(FloatToFix32(std::numeric_limits<double>::infinity()), ERangeError);
    EXPECT_NO_THROW(FloatToFix32(32767.99999));
}

TEST(TwnFix32, FixedPointToNumberGivesFourDecimalsWithTheSmallUpwardBias) {
    EXPECT_EQ(Fix32ToFloat(Fix(0, 1)), 0.0);
    EXPECT_EQ(Fix32ToFloat(Fix(0, 2)), 0.0);
    EXPECT_EQ(Fix32ToFloat(Fix(0, 3)), 0.0001);
    EXPECT_EQ(Fix32ToFloat(Fix(0, 6553)), 0.1);
    EXPECT_EQ(Fix32ToFloat(Fix(-1, 32768)), -0.5);
    EXPECT_EQ(Fix32ToFloat(Fix(-2, 49152)), -1.25);
    EXPECT_EQ(Fix32ToFloat(Fix(1, 65535)), 2.0);  // the fraction rounds up into the next whole
    for (double x : {12.3456, 300.0, -7.75, 0.0001, 32767.9999}) EXPECT_EQ(Fix32ToFloat(FloatToFix32(x)), x) << x;
}

TEST(TwnFix32, BitsPutWholeInTheLowHalfAndFractionInTheHighHalf) {
    EXPECT_EQ(Fix32Bits(Fix(1, 0x8000)), 0x80000001u);
    EXPECT_EQ(Fix32Bits(Fix(-1, 0)), 0x0000FFFFu);
    const TW_FIX32 back = Fix32FromBits(0xC000FFFEu);
    EXPECT_EQ(back.Whole, -2);
    EXPECT_EQ(back.Frac, 0xC000);
}

TEST(TwnItemSlots, PackedItemsAreWidenedBySignednessAndNarrowedBack) {
    Byte slot[4];
    Byte packed[4];
    const Byte ff[2] = {0xFF, 0xFF};
    UnpackItem(TWTY_INT8, ff, slot);
    EXPECT_EQ(SlotInt(slot), -1);
    UnpackItem(TWTY_UINT8, ff, slot);
    EXPECT_EQ(SlotInt(slot), 255);
    UnpackItem(TWTY_INT16, ff, slot);
    EXPECT_EQ(SlotInt(slot), -1);
    UnpackItem(TWTY_BOOL, ff, slot);
    EXPECT_EQ(SlotInt(slot), -1);
    EXPECT_EQ(ItemToValue(TWTY_BOOL, slot, 4), TVariant(true));
    UnpackItem(TWTY_UINT16, ff, slot);
    EXPECT_EQ(SlotInt(slot), 65535);
    EXPECT_EQ(ItemToValue(TWTY_UINT16, slot, 4), TVariant(std::int32_t(65535)));

    std::memset(packed, 0, 4);
    PackItem(TWTY_UINT16, slot, packed);
    EXPECT_EQ(packed[0], 0xFF);
    EXPECT_EQ(packed[1], 0xFF);
    EXPECT_EQ(packed[2], 0);  // only two bytes written

    // Types without a slot conversion become -1 and write nothing back.
    std::vector<Byte> big(1027, 0x55);
    UnpackItem(TWTY_STR1024, big.data(), slot);
    EXPECT_EQ(SlotInt(slot), -1);
    std::memset(packed, 0x11, 4);
    PackItem(TWTY_UNI512, slot, packed);
    EXPECT_EQ(packed[0], 0x11);
}

TEST(TwnItemSlots, ValuesAreReadByTheItemTypeOfTheSlot) {
    Byte slot[4] = {0xFE, 0xFF, 0xFF, 0xFF};  // -2 as a 32-bit slot
    EXPECT_EQ(ItemToValue(TWTY_INT8, slot, 4), TVariant(std::int32_t(-2)));
    EXPECT_EQ(ItemToValue(TWTY_UINT8, slot, 4), TVariant(std::int32_t(254)));
    EXPECT_EQ(ItemToValue(TWTY_INT16, slot, 4), TVariant(std::int32_t(-2)));
    EXPECT_EQ(ItemToValue(TWTY_UINT32, slot, 4), TVariant(std::int64_t(0xFFFFFFFEu)));
    EXPECT_EQ(ItemToValue(TWTY_INT32, slot, 4), TVariant(std::int32_t(-2)));

    Byte frame[16] = {1, 2, 3};
    EXPECT_EQ(ItemToValue(TWTY_FRAME, frame, 16), TVariant(std::int32_t(0)));
    EXPECT_EQ(ItemToValue(TWTY_UNI512, frame, 16), TVariant());
}

TEST(TwnItemSlots, WritingAValueConvertsRoundsAndRefusesWhatDoesNotFit) {
    Byte slot[4];
    ValueToItem(TWTY_INT16, TVariant(2.5), slot, 4);
    EXPECT_EQ(SlotInt(slot), 2);
    ValueToItem(TWTY_INT16, TVariant(true), slot, 4);
    EXPECT_EQ(SlotInt(slot), 1);
    ValueToItem(TWTY_UINT32, TVariant(std::int64_t(0xFFFFFFFFu)), slot, 4);
    EXPECT_EQ(ItemToValue(TWTY_UINT32, slot, 4), TVariant(std::int64_t(0xFFFFFFFFu)));
    ValueToItem(TWTY_INT32, TVariant(std::string("-42")), slot, 4);
    EXPECT_EQ(SlotInt(slot), -42);
    EXPECT_THROW(ValueToItem(TWTY_INT32, TVariant(std::string("4x")), slot, 4), EConvertError);
    EXPECT_THROW(ValueToItem(TWTY_INT32, TVariant(5e9), slot, 4), ERangeError);
    EXPECT_THROW(ValueToItem(TWTY_FIX32, TVariant(40000.0), slot, 4), ERangeError);

    ValueToItem(TWTY_FIX32, TVariant(-1.25), slot, 4);
    EXPECT_EQ(ItemToValue(TWTY_FIX32, slot, 4), TVariant(-1.25));

    Byte frame[16];
    std::memset(frame, 0x77, sizeof frame);
    ValueToItem(TWTY_FRAME, TVariant(std::int32_t(3)), frame, sizeof frame);
    for (Byte b : frame) EXPECT_EQ(b, 0);
}

TEST(TwnItemSlots, TextItemsAreCutToTheirTypeAndAlwaysTerminated) {
    Byte slot[34];
    std::memset(slot, 0x7A, sizeof slot);
    ValueToItem(TWTY_STR32, TVariant(std::string(50, 'q')), slot, sizeof slot);
    EXPECT_EQ(slot[33], 0);
    EXPECT_EQ(ItemToValue(TWTY_STR32, slot, sizeof slot), TVariant(std::string(33, 'q')));

    // An unterminated block stops at its type's size, not at the end of a larger slot.
    std::vector<Byte> wide(66, 'x');
    EXPECT_EQ(ItemToValue(TWTY_STR32, wide.data(), wide.size()), TVariant(std::string(34, 'x')));
    ValueToItem(TWTY_STR64, TVariant(std::int32_t(12)), wide.data(), wide.size());
    EXPECT_EQ(ItemToValue(TWTY_STR64, wide.data(), wide.size()), TVariant(std::string("12")));
}

TEST(TwnTypeTables, SizesStridesAndDefaultTypes) {
    const std::size_t sizes[] = {1, 2, 4, 1, 2, 4, 2, 4, 16, 34, 66, 130, 256, 1027, 512};
    for (std::uint16_t t = 0; t <= 14; ++t) {
        EXPECT_EQ(ItemSize(t), sizes[t]) << t;
        EXPECT_EQ(ItemStride(t), std::max<std::size_t>(sizes[t], 4)) << t;
    }
    EXPECT_EQ(ItemSize(15), 0u);
    EXPECT_EQ(ItemStride(TWTY_UNKNOWN), 0u);
    EXPECT_EQ(DefaultItemType(CAP_XFERCOUNT), TWTY_INT16);
    EXPECT_EQ(DefaultItemType(4096), TWTY_STR128);
    EXPECT_EQ(DefaultItemType(4097), TWTY_STR255);
    EXPECT_EQ(DefaultItemType(ICAP_FRAMES), TWTY_FRAME);
    EXPECT_EQ(DefaultItemType(4356), TWTY_UINT8);
    EXPECT_EQ(DefaultItemType(ICAP_XFERMECH), TWTY_UINT16);
    EXPECT_EQ(DefaultItemType(0x1118), TWTY_FIX32);  // x resolution
    EXPECT_EQ(DefaultItemType(0), TWTY_UNKNOWN);
    EXPECT_EQ(DefaultItemType(0x8001), TWTY_UNKNOWN);
}
