#include <gtest/gtest.h>

#include <cstring>

#include "classlib/win/Win32.h"
#include "scan/core/TTwnContainer.h"
#include "scan/core/TwnTypes.h"
#include "scan/win/TTwnWinGlobalMemory.h"

using namespace twn;

TEST(TTwnWinGlobalMemoryTest, AContainerSurvivesTheTripThroughGlobalMemory) {
    TTwnContainer c;
    c.SetCapability(0x1118);
    c.SetContainerType(TWON_ENUMERATION);
    c.Allocate(0);
    for (double v : {75.0, 150.0, 300.5}) c.AddItem(TVariant(v));
    c.SetCurrent(TVariant(150.0));

    TTwnWinGlobalMemory memory;
    const TTwnHandle h = WriteContainer(memory, TWON_ENUMERATION, c.EnumRecord());
    ASSERT_NE(h, 0u);
    EXPECT_GE(memory.Size(h), 3u * 4 + 18);
    const Byte* packed = static_cast<const Byte*>(memory.Lock(h));
    ASSERT_NE(packed, nullptr);
    std::uint32_t current;
    std::memcpy(&current, packed + 6, 4);
    EXPECT_EQ(current, 1u);
    memory.Unlock(h);

    TTwnRecord back;
    ASSERT_TRUE(ReadContainer(memory, h, TWON_ENUMERATION, back));
    memory.Free(h);
    TTwnContainer copy;
    ASSERT_TRUE(copy.SetContainer(0x1118, TWON_ENUMERATION, back));
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.GetItem(2), TVariant(300.5));
    EXPECT_EQ(copy.GetCurrent(), TVariant(150.0));
}

TEST(TTwnWinGlobalMemoryTest, ABlockSmallerThanItsAnnouncedItemsIsRefused) {
    TTwnWinGlobalMemory memory;
    const TTwnHandle h = memory.Alloc(8);
    ASSERT_NE(h, 0u);
    Byte* p = static_cast<Byte*>(memory.Lock(h));
    const std::uint16_t type = TWTY_UINT32;
    const std::uint32_t count = 1000000;
    std::memcpy(p, &type, 2);
    std::memcpy(p + 2, &count, 4);
    memory.Unlock(h);
    TTwnRecord r;
    EXPECT_FALSE(ReadContainer(memory, h, TWON_ARRAY, r));
    memory.Free(h);
    EXPECT_FALSE(ReadContainer(memory, 0, TWON_ARRAY, r));
}
