#include "scan/core/TwnRecords.h"

#include <cstring>

#include "classlib/core/Checked.h"
#include "scan/core/TwnTypes.h"
#include "scan/core/TwnValue.h"

namespace twn {

namespace {

bool IsListType(std::uint16_t containerType) {
    return containerType == TWON_ARRAY || containerType == TWON_ENUMERATION;
}

std::uint16_t ReadRawU16(const Byte* p) {
    std::uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

std::uint32_t ReadRawU32(const Byte* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void CheckField(const TTwnRecord& record, std::size_t offset, std::size_t width) {
    if (offset > record.size() || record.size() - offset < width)
        RaiseRangeError(std::int64_t(offset), std::int64_t(record.size()));
}

}  // namespace

std::size_t HeaderSize(std::uint16_t containerType) {
    switch (containerType) {
        case TWON_ARRAY: return kArrayHeader;
        case TWON_ENUMERATION: return kEnumerationHeader;
        case TWON_ONEVALUE: return kOneValueHeader;
        case TWON_RANGE: return kRangeSize;
        default: return 0;
    }
}

std::uint16_t ReadU16(const TTwnRecord& record, std::size_t offset) {
    CheckField(record, offset, 2);
    return ReadRawU16(record.data() + offset);
}

std::uint32_t ReadU32(const TTwnRecord& record, std::size_t offset) {
    CheckField(record, offset, 4);
    return ReadRawU32(record.data() + offset);
}

void WriteU16(TTwnRecord& record, std::size_t offset, std::uint16_t value) {
    CheckField(record, offset, 2);
    std::memcpy(record.data() + offset, &value, 2);
}

void WriteU32(TTwnRecord& record, std::size_t offset, std::uint32_t value) {
    CheckField(record, offset, 4);
    std::memcpy(record.data() + offset, &value, 4);
}

bool IsValidRecord(std::uint16_t containerType, const TTwnRecord& record) {
    const std::size_t header = HeaderSize(containerType);
    if (header == 0 || record.size() < header) return false;
    const std::uint16_t itemType = ReadU16(record, 0);
    if (!IsKnownItemType(itemType)) return false;
    const std::uint64_t stride = ItemStride(itemType);
    switch (containerType) {
        case TWON_ONEVALUE: return record.size() >= header + stride;
        case TWON_RANGE: return true;
        default: {
            const std::uint64_t count = ReadU32(record, kNumItemsOffset);
            return count * stride <= record.size() - header;  // count < 2^32, stride < 2^11: no overflow
        }
    }
}

std::size_t RecordSize(std::uint16_t containerType, std::uint16_t itemType, std::uint64_t count) {
    const std::uint64_t stride = ItemStride(itemType);
    if (count > kMaxRecordSize) throw EOutOfMemory("Out of memory");
    const std::uint64_t size = count * stride + HeaderSize(containerType) + kRecordSlack;
    if (size > kMaxRecordSize) throw EOutOfMemory("Out of memory");
    return std::size_t(size);
}

const Byte* ItemSlot(std::uint16_t containerType, const TTwnRecord& record, std::uint64_t index) {
    if (!IsListType(containerType)) RaiseRangeError(std::int64_t(index), 0);
    const std::uint64_t count = ReadU32(record, kNumItemsOffset);
    if (index >= count) RaiseRangeError(std::int64_t(index), std::int64_t(count));
    const std::uint64_t stride = ItemStride(ReadU16(record, 0));
    const std::uint64_t offset = HeaderSize(containerType) + index * stride;
    if (stride == 0 || offset + stride > record.size()) RaiseRangeError(std::int64_t(index), std::int64_t(count));
    return record.data() + offset;
}

Byte* ItemSlot(std::uint16_t containerType, TTwnRecord& record, std::uint64_t index) {
    return const_cast<Byte*>(ItemSlot(containerType, static_cast<const TTwnRecord&>(record), index));
}

bool UnpackContainer(std::uint16_t containerType, const Byte* data, std::size_t size, TTwnRecord& record) {
    const std::size_t header = HeaderSize(containerType);
    if (header == 0 || data == nullptr || size < header) return false;
    const std::uint16_t itemType = ReadRawU16(data);
    if (!IsKnownItemType(itemType)) return false;
    const std::size_t packedSize = ItemSize(itemType);
    const std::size_t stride = ItemStride(itemType);

    TTwnRecord result;
    switch (containerType) {
        case TWON_RANGE: result.assign(data, data + kRangeSize); break;
        case TWON_ONEVALUE:
            if (size - header < packedSize) return false;
            result.assign(header + stride, 0);
            WriteU16(result, 0, itemType);
            UnpackItem(itemType, data + header, result.data() + header);
            break;
        default: {
            const std::uint64_t count = ReadRawU32(data + kNumItemsOffset);
            if (count * packedSize > size - header) return false;
            result.assign(RecordSize(containerType, itemType, count), 0);
            std::memcpy(result.data(), data, header);
            for (std::uint64_t i = 0; i < count; ++i)
                UnpackItem(itemType, data + header + i * packedSize, result.data() + header + i * stride);
            break;
        }
    }
    record = std::move(result);
    return true;
}

std::size_t PackedBlockSize(std::uint16_t containerType, const TTwnRecord& record) {
    if (!IsValidRecord(containerType, record)) throw EConvertError("Invalid capability container");
    const std::uint64_t packedSize = ItemSize(ReadU16(record, 0));
    switch (containerType) {
        case TWON_RANGE: return kRangeSize;
        case TWON_ONEVALUE: return std::size_t(packedSize + 6);
        default: {
            const std::uint64_t count = ReadU32(record, kNumItemsOffset);
            return std::size_t(count * packedSize + HeaderSize(containerType) + kRecordSlack);
        }
    }
}

void PackContainer(std::uint16_t containerType, const TTwnRecord& record, Byte* block, std::size_t blockSize) {
    if (blockSize < PackedBlockSize(containerType, record)) throw EConvertError("Container block too small");
    const std::uint16_t itemType = ReadU16(record, 0);
    const std::size_t header = HeaderSize(containerType);
    const std::size_t packedSize = ItemSize(itemType);
    const std::size_t stride = ItemStride(itemType);
    switch (containerType) {
        case TWON_RANGE: std::memcpy(block, record.data(), kRangeSize); break;
        case TWON_ONEVALUE:
            std::memcpy(block, record.data(), header);
            PackItem(itemType, record.data() + header, block + header);
            break;
        default: {
            std::memcpy(block, record.data(), header);
            const std::uint64_t count = ReadU32(record, kNumItemsOffset);
            for (std::uint64_t i = 0; i < count; ++i)
                PackItem(itemType, record.data() + header + i * stride, block + header + i * packedSize);
            break;
        }
    }
}

}  // namespace twn
