#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"

#include <cstring>

#include "scan/core/TTwnContainer.h"
#include "scan/core/TTwnContainerList.h"
#include "scan/core/TwnTypes.h"

using namespace twn;

namespace {

TVariant I(std::int32_t v) { return TVariant(v); }

// An internal enumeration record with the given 32-bit slot values.
TTwnRecord Enumeration(std::uint16_t itemType, std::vector<std::int32_t> items, std::uint32_t current) {
    TTwnRecord r(RecordSize(TWON_ENUMERATION, itemType, items.size()), 0);
    WriteU16(r, 0, itemType);
    WriteU32(r, kNumItemsOffset, std::uint32_t(items.size()));
    WriteU32(r, kCurrentIndexOffset, current);
    for (std::size_t i = 0; i < items.size(); ++i)
        WriteU32(r, kEnumerationHeader + i * ItemStride(itemType), std::uint32_t(items[i]));
    return r;
}

TTwnRecord Range(std::uint16_t itemType, std::uint32_t min, std::uint32_t max, std::uint32_t step,
                 std::uint32_t current) {
    TTwnRecord r(kRangeSize, 0);
    WriteU16(r, 0, itemType);
    WriteU32(r, kRangeMinOffset, min);
    WriteU32(r, kRangeMaxOffset, max);
    WriteU32(r, kRangeStepOffset, step);
    WriteU32(r, kRangeCurrentOffset, current);
    return r;
}

std::uint32_t Fix(double v) { return Fix32Bits(FloatToFix32(v)); }

}  // namespace

TEST(TTwnContainerBasics, ANewContainerIsASixteenBitOneValueOfZero) {
    TTwnContainer c;
    EXPECT_EQ(c.Capability(), 0);
    EXPECT_EQ(c.ContainerType(), TWON_ONEVALUE);
    EXPECT_EQ(c.ItemType(), TWTY_UINT16);
    EXPECT_EQ(c.CurrentIndex(), -1);
    EXPECT_EQ(c.OneValueRecord().size(), 262u);
    EXPECT_EQ(c.GetCurrent(), I(0));
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.IndexOf(I(0)), -1);  // a one value has no items to look up
    EXPECT_TRUE(c.ArrayRecord().empty());
    EXPECT_TRUE(c.EnumRecord().empty());
    EXPECT_TRUE(c.RangeRecord().empty());
}

TEST(TTwnContainerBasics, CapabilityNumberBringsItsDefaultTypeAndClears) {
    TTwnContainer c;
    c.SetCapability(0x1118);  // x resolution
    EXPECT_EQ(c.ItemType(), TWTY_FIX32);
    c.SetCurrent(TVariant(300.0));
    EXPECT_EQ(c.GetCurrent(), TVariant(300.0));
    c.SetCapability(0x1118);  // same number: kept
    EXPECT_EQ(c.GetCurrent(), TVariant(300.0));
    c.SetCapability(0x8123);  // unknown to the table: type kept, value cleared to -1
    EXPECT_EQ(c.ItemType(), TWTY_FIX32);
    EXPECT_EQ(ReadU32(c.OneValueRecord(), 2), 0xFFFFFFFFu);
    c.SetCapability(4097);
    EXPECT_EQ(c.ItemType(), TWTY_STR255);
    EXPECT_EQ(c.GetCurrent(), TVariant(std::string()));
}

TEST(TTwnContainerAdopt, EnumerationCopiesItsCurrentItemOnlyWhenTheIndexExists) {
    TTwnContainer c;
    ASSERT_TRUE(c.SetContainer(ICAP_PIXELTYPE, TWON_ENUMERATION, Enumeration(TWTY_UINT16, {0, 1, 2}, 2)));
    EXPECT_EQ(c.ContainerType(), TWON_ENUMERATION);
    EXPECT_EQ(c.Capability(), ICAP_PIXELTYPE);
    EXPECT_EQ(ReadU32(c.OneValueRecord(), 2), 2u);
    EXPECT_EQ(c.GetCurrent(), I(2));
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.IndexOf(I(1)), 1);
    EXPECT_EQ(c.IndexOf(I(7)), -1);
    EXPECT_EQ(c.IndexOf(TVariant(std::string("1"))), -1);

    ASSERT_TRUE(c.SetContainer(ICAP_PIXELTYPE, TWON_ENUMERATION, Enumeration(TWTY_UINT16, {5, 6}, 0x7FFFFFF0u)));
    EXPECT_EQ(ReadU32(c.OneValueRecord(), 2), 0u);
    EXPECT_EQ(c.GetCurrent(), I(-1));
    EXPECT_EQ(c.CurrentAsOneValue(), TTwnRecord({4, 0, 0, 0, 0, 0}));
}

TEST(TTwnContainerAdopt, WideItemsGrowTheOneValueBlockInsteadOfOverrunningIt) {
    TTwnRecord r = Enumeration(TWTY_STR1024, {0, 0}, 1);
    std::memset(r.data() + kEnumerationHeader + 1027, 'k', 1027);
    TTwnContainer c;
    ASSERT_TRUE(c.SetContainer(0x8100, TWON_ENUMERATION, r));
    ASSERT_GE(c.OneValueRecord().size(), 2u + 1027);
    EXPECT_EQ(c.OneValueRecord()[2 + 1026], 'k');
    EXPECT_EQ(c.GetCurrent(), TVariant(std::string(1027, 'k')));
}

TEST(TTwnContainerAdopt, ArraysRangesAndOneValuesSetTheOneValueBlock) {
    TTwnContainer c;
    TTwnRecord arr(kArrayHeader + 2 * 4, 0);
    WriteU16(arr, 0, TWTY_INT32);
    WriteU32(arr, kNumItemsOffset, 2);
    WriteU32(arr, kArrayHeader, 77);
    WriteU32(arr, kArrayHeader + 4, 0xFFFFFFFFu);
    ASSERT_TRUE(c.SetContainer(CAP_SUPPORTEDCAPS, TWON_ARRAY, arr));
    EXPECT_EQ(c.ItemType(), TWTY_INT32);
    EXPECT_EQ(ReadU32(c.OneValueRecord(), 2), 0u);
    EXPECT_EQ(c.GetCurrent(), I(-1));  // an array has no current value
    EXPECT_EQ(c.GetItem(1), I(-1));
    EXPECT_EQ(c.GetItem(2), TVariant());
    EXPECT_EQ(c.GetItem(-1), TVariant());
    EXPECT_EQ(c.Minimum(), I(-1));
    EXPECT_EQ(c.Maximum(), I(77));

    ASSERT_TRUE(c.SetContainer(0x1101, TWON_RANGE, Range(TWTY_FIX32, Fix(-1000), Fix(1000), Fix(0.5), Fix(12.5))));
    EXPECT_TRUE(c.ArrayRecord().empty());
    EXPECT_EQ(c.GetCurrent(), TVariant(12.5));
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Minimum(), TVariant(-1000.0));
    EXPECT_EQ(c.Step(), TVariant(0.5));
    EXPECT_EQ(ReadU32(c.CurrentAsOneValue(), 2), Fix(12.5));

    TTwnRecord one(6, 0);
    WriteU16(one, 0, TWTY_BOOL);
    WriteU32(one, 2, 1);
    ASSERT_TRUE(c.SetContainer(CAP_INDICATORS, TWON_ONEVALUE, one));
    EXPECT_TRUE(c.RangeRecord().empty());
    EXPECT_EQ(c.ItemType(), TWTY_BOOL);
    EXPECT_EQ(c.GetCurrent(), TVariant(true));
    EXPECT_EQ(c.Step(), I(-1));
}

TEST(TTwnContainerAdopt, EmptyOrMalformedRecordsChangeNothing) {
    TTwnContainer c;
    c.SetCapability(ICAP_UNITS);
    c.SetCurrent(I(3));
    EXPECT_FALSE(c.SetContainer(ICAP_XFERMECH, TWON_ARRAY, TTwnRecord()));
    TTwnRecord lying = Enumeration(TWTY_UINT16, {1, 2}, 0);
    WriteU32(lying, kNumItemsOffset, 50);
    EXPECT_FALSE(c.SetContainer(ICAP_XFERMECH, TWON_ENUMERATION, lying));
    TTwnRecord badType = Enumeration(TWTY_UINT16, {1}, 0);
    WriteU16(badType, 0, 40);
    EXPECT_FALSE(c.SetContainer(ICAP_XFERMECH, TWON_ENUMERATION, badType));
    EXPECT_FALSE(c.SetContainer(ICAP_XFERMECH, 9, Enumeration(TWTY_UINT16, {1}, 0)));
    EXPECT_EQ(c.Capability(), ICAP_UNITS);
    EXPECT_EQ(c.ContainerType(), TWON_ONEVALUE);
    EXPECT_EQ(c.GetCurrent(), I(3));
}

TEST(TTwnContainerValues, RangeValuesAreClampedAndSnappedToTheStep) {
    TTwnContainer c;
    ASSERT_TRUE(c.SetContainer(0x1118, TWON_RANGE, Range(TWTY_UINT16, 50, 600, 25, 100)));
    c.SetCurrent(I(1000));
    EXPECT_EQ(c.GetCurrent(), I(600));
    c.SetCurrent(I(-3));
    EXPECT_EQ(c.GetCurrent(), I(50));
    c.SetCurrent(I(140));  // 50 + round(90 / 25) * 25
    EXPECT_EQ(c.GetCurrent(), I(150));
    c.SetCurrent(I(136));
    EXPECT_EQ(c.GetCurrent(), I(125));
    c.SetCurrent(TVariant(std::string("310")));
    EXPECT_EQ(c.GetCurrent(), I(300));

    // A step that does not divide the span: snapping past the maximum is lowered to it; halves go to even.
    ASSERT_TRUE(c.SetContainer(0x1118, TWON_RANGE, Range(TWTY_UINT16, 0, 10, 6, 0)));
    c.SetCurrent(I(9));  // round(1.5) = 2 -> 12 -> 10
    EXPECT_EQ(c.GetCurrent(), I(10));
    c.SetCurrent(I(8));
    EXPECT_EQ(c.GetCurrent(), I(6));
    c.SetCurrent(I(3));  // round(0.5) = 0
    EXPECT_EQ(c.GetCurrent(), I(0));

    ASSERT_TRUE(c.SetContainer(0x1101, TWON_RANGE, Range(TWTY_FIX32, Fix(-1), Fix(1), Fix(0.25), 0)));
    c.SetCurrent(TVariant(0.3));
    EXPECT_EQ(c.GetCurrent(), TVariant(0.25));
    c.SetCurrent(TVariant(-7.0));
    EXPECT_EQ(c.GetCurrent(), TVariant(-1.0));

    // Zero step: only clamped.
    ASSERT_TRUE(c.SetContainer(0x1102, TWON_RANGE, Range(TWTY_INT16, 0xFFFFFFF6u, 10, 0, 0)));
    c.SetCurrent(I(-4));
    EXPECT_EQ(c.GetCurrent(), I(-4));
    EXPECT_EQ(c.Minimum(), I(-10));
}

TEST(TTwnContainerValues, EnumerationSelectionAndOneValueStore) {
    TTwnContainer c;
    ASSERT_TRUE(c.SetContainer(CAP_XFERCOUNT, TWON_ENUMERATION, Enumeration(TWTY_INT16, {-1, 4, 9}, 0)));
    c.SetCurrent(I(9));
    EXPECT_EQ(c.GetCurrent(), I(9));
    c.SetCurrent(I(5));  // not an item: unchanged
    EXPECT_EQ(c.GetCurrent(), I(9));
    EXPECT_EQ(c.Minimum(), I(-1));
    EXPECT_EQ(c.Maximum(), I(9));
    EXPECT_EQ(ReadU32(c.CurrentAsOneValue(), 2), 9u);

    // Items compare as variants: a number of another kind matches by value, a boolean only a boolean.
    EXPECT_EQ(c.IndexOf(TVariant(4.0)), 1);
    TTwnContainer b;
    ASSERT_TRUE(b.SetContainer(CAP_INDICATORS, TWON_ENUMERATION, Enumeration(TWTY_BOOL, {0, -1}, 0)));
    EXPECT_EQ(b.IndexOf(TVariant(true)), 1);
    EXPECT_EQ(b.IndexOf(TVariant(false)), 0);
    b.SetCurrent(TVariant(true));
    EXPECT_EQ(b.GetCurrent(), TVariant(true));

    TTwnContainer t;
    t.SetCapability(4097);  // a text capability
    t.SetCurrent(TVariant(std::string("Scan")));
    EXPECT_EQ(t.GetCurrent(), TVariant(std::string("Scan")));
    EXPECT_EQ(t.Minimum(), I(-1));  // no limits for texts
}

TEST(TTwnContainerItems, AllocateUsesTheSlotStrideAndGrowsWithoutLosingItems) {
    TTwnContainer c;
    c.SetContainerType(TWON_ARRAY);
    EXPECT_EQ(c.Count(), 10);
    EXPECT_GE(c.ArrayRecord().size(), 10u * 4 + kArrayHeader);  // two-byte items still take four-byte slots
    for (std::int32_t i = 0; i < 10; ++i) EXPECT_EQ(c.GetItem(i), I(0));

    c.Allocate(2);
    c.AddItem(I(700));
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.GetItem(2), I(700));
    EXPECT_EQ(c.GetItem(3), TVariant());
    c.Allocate(40);
    EXPECT_EQ(c.GetItem(2), I(700));
    EXPECT_EQ(c.GetItem(39), I(0));
    EXPECT_THROW(c.AddItem(TVariant(std::string("many"))), EConvertError);
    EXPECT_EQ(c.Count(), 40);  // a failed conversion adds nothing
    EXPECT_THROW(c.Allocate(0xFFFFFFF0u), EOutOfMemory);
    EXPECT_EQ(c.Count(), 40);

    c.SetContainerType(TWON_RANGE);
    EXPECT_EQ(c.RangeRecord().size(), kRangeSize);
    EXPECT_TRUE(c.ArrayRecord().empty());

    c.SetContainerType(TWON_ENUMERATION);
    c.Allocate(0);
    EXPECT_EQ(c.Count(), 0);
    c.AddItem(TVariant(2.5));
    EXPECT_EQ(c.GetItem(0), I(2));    // unsigned 16-bit items: rounded to even
    EXPECT_EQ(c.GetCurrent(), I(2));  // the new record's current index is 0
}

TEST(TTwnContainerItems, CountsBeyondSixteenBitsReportMinusOne) {
    TTwnContainer c;
    c.SetContainerType(TWON_ARRAY);
    c.Allocate(70000);
    EXPECT_EQ(c.Count(), -1);
    EXPECT_EQ(c.GetItem(69999), I(0));
}

TEST(TTwnContainerItems, ChangingToAWiderItemTypeKeepsEveryItemInsideItsRecord) {
    TTwnContainer c;
    c.SetContainerType(TWON_ENUMERATION);
    c.Allocate(3);
    c.SetItemType(TWTY_STR255);
    EXPECT_GE(c.EnumRecord().size(), 3u * 256 + kEnumerationHeader);
    EXPECT_GE(c.OneValueRecord().size(), 2u + 256);
    EXPECT_EQ(c.GetItem(2), TVariant(std::string()));
    c.AddItem(TVariant(std::string("Legal")));
    EXPECT_EQ(c.IndexOf(TVariant(std::string("Legal"))), 3);
    c.SetItemType(TWTY_UNKNOWN);  // ignored
    c.SetItemType(15);
    EXPECT_EQ(c.ItemType(), TWTY_STR255);
    EXPECT_EQ(ReadU16(c.EnumRecord(), 0), TWTY_STR255);
}

TEST(TTwnContainerItems, ClearKeepsTheOneValueTypeWithMinusOneOrZeroBytes) {
    TTwnContainer c;
    ASSERT_TRUE(c.SetContainer(CAP_XFERCOUNT, TWON_ENUMERATION, Enumeration(TWTY_INT16, {1, 2}, 1)));
    c.Clear();
    EXPECT_TRUE(c.EnumRecord().empty());
    EXPECT_EQ(c.Count(), -1);
    EXPECT_EQ(c.GetCurrent(), I(-1));
    EXPECT_EQ(ReadU32(c.OneValueRecord(), 2), 0xFFFFFFFFu);
    EXPECT_EQ(ReadU16(c.OneValueRecord(), 0), TWTY_INT16);

    c.SetItemType(TWTY_STR32);
    c.SetContainerType(TWON_ONEVALUE);
    c.SetCurrent(TVariant(std::string("abc")));
    c.Clear();
    EXPECT_EQ(c.GetCurrent(), TVariant(std::string()));
}

TEST(TTwnContainerItems, AssignMakesAnIndependentDeepCopy) {
    TTwnContainer a;
    ASSERT_TRUE(a.SetContainer(CAP_XFERCOUNT, TWON_ENUMERATION, Enumeration(TWTY_INT16, {1, 2}, 1)));
    TTwnContainer b;
    b.Assign(a);
    EXPECT_EQ(b.Capability(), CAP_XFERCOUNT);
    EXPECT_EQ(b.ContainerType(), TWON_ENUMERATION);
    EXPECT_EQ(b.GetCurrent(), I(2));
    b.SetCurrent(I(1));
    b.AddItem(I(3));
    EXPECT_EQ(a.GetCurrent(), I(2));
    EXPECT_EQ(a.Count(), 2);
    b.Assign(b);
    EXPECT_EQ(b.Count(), 3);
}

TEST(TTwnContainerFrames, TheFrameListFollowsTheFrameItems) {
    TTwnRecord r = Enumeration(TWTY_FRAME, {0, 0, 0}, 0);
    const std::uint32_t left = Fix(1.5);
    std::memcpy(r.data() + kEnumerationHeader + 2 * 16, &left, 4);
    TTwnContainer c;
    ASSERT_TRUE(c.SetContainer(ICAP_FRAMES, TWON_ENUMERATION, r));
    ASSERT_EQ(c.FrameCount(), 3);
    std::uint32_t seen;
    std::memcpy(&seen, c.Frame(2).Item(), 4);
    EXPECT_EQ(seen, left);
    EXPECT_EQ(c.Frame(1).Index(), 1);
    EXPECT_THROW(c.Frame(3), ERangeError);

    EXPECT_EQ(c.Allocate(1), nullptr);
    EXPECT_EQ(c.FrameCount(), 1);
    c.AddItem(I(0));
    EXPECT_EQ(c.FrameCount(), 2);
    EXPECT_NE(c.Frame(1).Item(), nullptr);

    // Frames of a one value point at the one-value item.
    TTwnRecord one(2 + 16, 0);
    WriteU16(one, 0, TWTY_FRAME);
    ASSERT_TRUE(c.SetContainer(ICAP_FRAMES, TWON_ONEVALUE, one));
    ASSERT_EQ(c.FrameCount(), 1);
    EXPECT_EQ(c.Frame(0).Item(), c.OneValueRecord().data() + 2);

    // Other capabilities keep no frames.
    ASSERT_TRUE(c.SetContainer(ICAP_UNITS, TWON_ENUMERATION, Enumeration(TWTY_UINT16, {1, 2}, 0)));
    EXPECT_EQ(c.FrameCount(), 0);
    c.SetFrameCount(4);
    EXPECT_EQ(c.FrameCount(), 0);

    TTwnContainer copy;
    ASSERT_TRUE(c.SetContainer(ICAP_FRAMES, TWON_ENUMERATION, r));
    copy.Assign(c);
    EXPECT_EQ(copy.FrameCount(), 3);
    EXPECT_EQ(copy.Frame(2).Item(), copy.EnumRecord().data() + kEnumerationHeader + 32);
}

TEST(TTwnContainerListTest, OneContainerPerCapability) {
    TTwnContainerList list;
    TTwnContainer* units = list.AddNew(ICAP_UNITS);
    ASSERT_NE(units, nullptr);
    EXPECT_EQ(units->Capability(), ICAP_UNITS);
    TTwnContainer* frames = list.AddNew(ICAP_FRAMES);
    EXPECT_EQ(frames->ItemType(), TWTY_FRAME);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Find(ICAP_FRAMES), frames);
    EXPECT_EQ(list.Find(ICAP_XFERMECH), nullptr);

    auto replacement = std::make_unique<TTwnContainer>();
    TTwnContainer* added = list.Add(ICAP_UNITS, std::move(replacement));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Find(ICAP_UNITS), added);
    EXPECT_EQ(&list.Items(1), added);
    EXPECT_EQ(list.Add(ICAP_UNITS, nullptr), nullptr);

    list.Remove(ICAP_FRAMES);
    EXPECT_EQ(list.Count(), 1);
    list.Remove(ICAP_FRAMES);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_THROW(list.Items(1), ERangeError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}
