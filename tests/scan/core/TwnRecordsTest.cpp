#include <gtest/gtest.h>

#include "classlib/core/Exceptions.h"

#include <cstring>
#include <map>
#include <vector>

#include "scan/core/ITwnGlobalMemory.h"
#include "scan/core/TwnRecords.h"
#include "scan/core/TwnTypes.h"

using namespace twn;

namespace {

// Little-endian byte builder for packed containers.
class Bytes {
public:
    Bytes& U16(std::uint16_t v) {
        data_.push_back(Byte(v));
        data_.push_back(Byte(v >> 8));
        return *this;
    }
    Bytes& U32(std::uint32_t v) {
        U16(std::uint16_t(v));
        return U16(std::uint16_t(v >> 16));
    }
    Bytes& Raw(const std::string& s) {
        data_.insert(data_.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& Zeros(std::size_t n) {
        data_.insert(data_.end(), n, 0);
        return *this;
    }
    const std::vector<Byte>& Get() const { return data_; }

private:
    std::vector<Byte> data_;
};

std::int32_t SlotAt(const TTwnRecord& r, std::size_t offset) { return std::int32_t(ReadU32(r, offset)); }

// Heap blocks standing in for the system's movable memory; counts locks so that leaks show.
class THeapMemory : public ITwnGlobalMemory {
public:
    TTwnHandle Alloc(std::size_t size) override {
        if (failAlloc) return 0;
        blocks_[next_] = std::vector<Byte>(size, 0);
        return next_++;
    }
    void* Lock(TTwnHandle h) override {
        auto it = blocks_.find(h);
        if (failLock || it == blocks_.end()) return nullptr;
        ++locks;
        return it->second.data();
    }
    void Unlock(TTwnHandle) override { --locks; }
    void Free(TTwnHandle h) override { blocks_.erase(h); }
    std::size_t Size(TTwnHandle h) override {
        auto it = blocks_.find(h);
        return it == blocks_.end() ? 0 : it->second.size() - sizeShortfall;
    }
    TTwnHandle Put(const std::vector<Byte>& data) {
        blocks_[next_] = data;
        return next_++;
    }
    const std::vector<Byte>& Block(TTwnHandle h) { return blocks_.at(h); }
    std::size_t BlockCount() const { return blocks_.size(); }

    bool failAlloc = false;
    bool failLock = false;
    std::size_t sizeShortfall = 0;
    int locks = 0;

private:
    std::map<TTwnHandle, std::vector<Byte>> blocks_;
    TTwnHandle next_ = 1;
};

}  // namespace

TEST(TwnUnpack, ArrayItemsMoveToFourByteSlotsAndPackBackToTheSameBytes) {
    const auto packed = Bytes().U16(TWTY_UINT16).U32(3).U16(1).U16(2).U16(65535).Get();
    TTwnRecord r;
    ASSERT_TRUE(UnpackContainer(TWON_ARRAY, packed.data(), packed.size(), r));
    EXPECT_EQ(ReadU16(r, 0), TWTY_UINT16);
    EXPECT_EQ(ReadU32(r, kNumItemsOffset), 3u);
    EXPECT_EQ(r.size(), 3u * 4 + 10);
    EXPECT_EQ(SlotAt(r, 6), 1);
    EXPECT_EQ(SlotAt(r, 10), 2);
    EXPECT_EQ(SlotAt(r, 14), 65535);

    const std::size_t blockSize = PackedBlockSize(TWON_ARRAY, r);
    EXPECT_EQ(blockSize, 3u * 2 + 10);
    std::vector<Byte> block(blockSize, 0);
    PackContainer(TWON_ARRAY, r, block.data(), block.size());
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), block.begin()));
}

TEST(TwnUnpack, EnumerationOfBooleansIsSignExtendedAndKeepsItsIndexes) {
    const auto packed = Bytes().U16(TWTY_BOOL).U32(2).U32(1).U32(0).U16(0).U16(0xFFFF).Get();
    TTwnRecord r;
    ASSERT_TRUE(UnpackContainer(TWON_ENUMERATION, packed.data(), packed.size(), r));
    EXPECT_EQ(ReadU32(r, kCurrentIndexOffset), 1u);
    EXPECT_EQ(ReadU32(r, kDefaultIndexOffset), 0u);
    EXPECT_EQ(SlotAt(r, 14), 0);
    EXPECT_EQ(SlotAt(r, 18), -1);
    EXPECT_EQ(PackedBlockSize(TWON_ENUMERATION, r), 2u * 2 + 18);
}

TEST(TwnUnpack, OneValuesAndRangesOfEveryShape) {
    TTwnRecord r;
    auto fix = Bytes().U16(TWTY_FIX32).U16(0xFFFE).U16(0x4000).Get();  // -1.75
    ASSERT_TRUE(UnpackContainer(TWON_ONEVALUE, fix.data(), fix.size(), r));
    EXPECT_EQ(r.size(), 2u + 4);
    EXPECT_EQ(ReadU32(r, 2), 0x4000FFFEu);

    auto str = Bytes().U16(TWTY_STR255).Raw("Flatbed").Zeros(256 - 7).Get();
    ASSERT_TRUE(UnpackContainer(TWON_ONEVALUE, str.data(), str.size(), r));
    EXPECT_EQ(r.size(), 2u + 256);
    EXPECT_EQ(std::memcmp(r.data() + 2, "Flatbed", 8), 0);
    std::vector<Byte> block(PackedBlockSize(TWON_ONEVALUE, r), 0);
    EXPECT_EQ(block.size(), 256u + 6);
    PackContainer(TWON_ONEVALUE, r, block.data(), block.size());
    EXPECT_TRUE(std::equal(str.begin(), str.end(), block.begin()));

    // A one value shorter than its item is refused.
    str.resize(2 + 255);
    TTwnRecord before = r;
    EXPECT_FALSE(UnpackContainer(TWON_ONEVALUE, str.data(), str.size(), r));
    EXPECT_EQ(r, before);

    auto range = Bytes().U16(TWTY_INT16).U32(0xFFFFFF9C).U32(100).U32(5).U32(0).U32(10).Get();
    ASSERT_TRUE(UnpackContainer(TWON_RANGE, range.data(), range.size(), r));
    EXPECT_EQ(r, TTwnRecord(range.begin(), range.end()));
    range.pop_back();
    EXPECT_FALSE(UnpackContainer(TWON_RANGE, range.data(), range.size(), r));
}

TEST(TwnUnpack, CountsAndTypesFromTheSourceAreCheckedBeforeAnyItemIsRead) {
    TTwnRecord r = {1, 2, 3};
    const TTwnRecord untouched = r;
    // NumItems claims far more items than the block holds.
    auto huge = Bytes().U16(TWTY_UINT32).U32(0xFFFFFFFFu).U32(7).Get();
    EXPECT_FALSE(UnpackContainer(TWON_ARRAY, huge.data(), huge.size(), r));
    auto oneShort = Bytes().U16(TWTY_UINT32).U32(2).U32(7).U16(0).Get();
    EXPECT_FALSE(UnpackContainer(TWON_ARRAY, oneShort.data(), oneShort.size(), r));
    auto enumShort = Bytes().U16(TWTY_INT8).U32(3).U32(0).U32(0).U16(0).Get();
    EXPECT_FALSE(UnpackContainer(TWON_ENUMERATION, enumShort.data(), enumShort.size(), r));
    // Item types outside the size table.
    auto badType = Bytes().U16(15).U32(0).Get();
    EXPECT_FALSE(UnpackContainer(TWON_ARRAY, badType.data(), badType.size(), r));
    auto unknownType = Bytes().U16(TWTY_UNKNOWN).U32(1).U32(0).Get();
    EXPECT_FALSE(UnpackContainer(TWON_ONEVALUE, unknownType.data(), unknownType.size(), r));
    // Blocks shorter than the header, unknown container types, no data.
    auto tiny = Bytes().U16(TWTY_UINT16).U16(0).Get();
    EXPECT_FALSE(UnpackContainer(TWON_ARRAY, tiny.data(), tiny.size(), r));
    EXPECT_FALSE(UnpackContainer(TWON_ENUMERATION, tiny.data(), tiny.size(), r));
    EXPECT_FALSE(UnpackContainer(TWON_DONTCARE16, tiny.data(), tiny.size(), r));
    EXPECT_FALSE(UnpackContainer(TWON_ARRAY, nullptr, 100, r));
    EXPECT_EQ(r, untouched);

    // An enumeration whose indexes point past its items still unpacks: the container checks them on use.
    auto wildIndex = Bytes().U16(TWTY_UINT16).U32(1).U32(900).U32(0xFFFFFFFFu).U16(4).Get();
    EXPECT_TRUE(UnpackContainer(TWON_ENUMERATION, wildIndex.data(), wildIndex.size(), r));
    // An empty array is fine.
    auto empty = Bytes().U16(TWTY_FRAME).U32(0).Get();
    EXPECT_TRUE(UnpackContainer(TWON_ARRAY, empty.data(), empty.size(), r));
    EXPECT_EQ(ReadU32(r, kNumItemsOffset), 0u);
}

TEST(TwnRecordChecks, ValidityAndSlotsFollowTheAnnouncedCount) {
    TTwnRecord r(kArrayHeader + 2 * 4, 0);
    WriteU16(r, 0, TWTY_INT32);
    WriteU32(r, kNumItemsOffset, 2);
    EXPECT_TRUE(IsValidRecord(TWON_ARRAY, r));
    EXPECT_NO_THROW(ItemSlot(TWON_ARRAY, r, 1));
    EXPECT_THROW(ItemSlot(TWON_ARRAY, r, 2), ERangeError);
    EXPECT_THROW(ItemSlot(TWON_RANGE, r, 0), ERangeError);
    WriteU32(r, kNumItemsOffset, 3);
    EXPECT_FALSE(IsValidRecord(TWON_ARRAY, r));
    EXPECT_THROW(ItemSlot(TWON_ARRAY, r, 2), ERangeError);
    EXPECT_THROW(PackedBlockSize(TWON_ARRAY, r), EConvertError);
    EXPECT_FALSE(IsValidRecord(TWON_ARRAY, TTwnRecord()));
    EXPECT_THROW(ReadU32(r, r.size() - 3), ERangeError);
    EXPECT_THROW(RecordSize(TWON_ARRAY, TWTY_STR1024, 0xFFFFFFFFu), EOutOfMemory);
}

TEST(TwnGlobalBlocks, ReadingChecksTheBlockSizeAndAlwaysUnlocks) {
    THeapMemory memory;
    const auto packed = Bytes().U16(TWTY_INT16).U32(2).U16(0xFFFF).U16(3).Get();
    const TTwnHandle h = memory.Put(packed);
    TTwnRecord r;
    ASSERT_TRUE(ReadContainer(memory, h, TWON_ARRAY, r));
    EXPECT_EQ(SlotAt(r, 6), -1);
    EXPECT_EQ(SlotAt(r, 10), 3);
    EXPECT_EQ(memory.locks, 0);

    // The block's own size bounds the read, even when the memory behind it is larger.
    memory.sizeShortfall = 1;
    EXPECT_FALSE(ReadContainer(memory, h, TWON_ARRAY, r));
    EXPECT_EQ(memory.locks, 0);
    memory.sizeShortfall = 0;

    EXPECT_FALSE(ReadContainer(memory, 0, TWON_ARRAY, r));
    EXPECT_FALSE(ReadContainer(memory, 999, TWON_ARRAY, r));
    memory.failLock = true;
    EXPECT_FALSE(ReadContainer(memory, h, TWON_ARRAY, r));
    EXPECT_EQ(memory.locks, 0);
}

TEST(TwnGlobalBlocks, WritingPacksIntoANewBlockAndCleansUpOnFailure) {
    THeapMemory memory;
    TTwnRecord r(kEnumerationHeader + 2 * 4 + kRecordSlack, 0);
    WriteU16(r, 0, TWTY_UINT8);
    WriteU32(r, kNumItemsOffset, 2);
    WriteU32(r, kCurrentIndexOffset, 1);
    WriteU32(r, kEnumerationHeader, 0x11);
    WriteU32(r, kEnumerationHeader + 4, 0x22);
    const TTwnHandle h = WriteContainer(memory, TWON_ENUMERATION, r);
    ASSERT_NE(h, 0u);
    const std::vector<Byte>& block = memory.Block(h);
    EXPECT_EQ(block.size(), 2u + 18);
    EXPECT_EQ(block[14], 0x11);
    EXPECT_EQ(block[15], 0x22);
    EXPECT_EQ(block[16], 0);
    EXPECT_EQ(memory.locks, 0);

    // Read back gives the same record (apart from the slack).
    TTwnRecord back;
    ASSERT_TRUE(ReadContainer(memory, h, TWON_ENUMERATION, back));
    EXPECT_EQ(back, r);

    memory.failAlloc = true;
    EXPECT_EQ(WriteContainer(memory, TWON_ENUMERATION, r), 0u);
    memory.failAlloc = false;
    memory.failLock = true;
    const std::size_t blocks = memory.BlockCount();
    EXPECT_EQ(WriteContainer(memory, TWON_ENUMERATION, r), 0u);
    EXPECT_EQ(memory.BlockCount(), blocks);  // the block that could not be locked is freed
    EXPECT_THROW(WriteContainer(memory, TWON_ARRAY, TTwnRecord{1}), EConvertError);
}
