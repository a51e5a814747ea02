// Builds a block of property items the way GDI+ hands them over, from arbitrary bytes: a count, records whose
// value positions and lengths may point anywhere, and the value bytes. Every item taken must come from inside
// the block; the orientation, tag and file-information rules then run over whatever was taken.
//
// Input: byte 0 = number of records (up to 32); then 8 bytes per record (tag u16, type u8, pad u8, length u16,
// offset u16: the value's position from the start of the value bytes, which may lie beyond them); the rest are
// the value bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/core/KelvoGraphicsRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t count = data[0] % 33;
    if (size < 1 + count * 8) return 0;
    const std::uint8_t* records = data + 1;
    const std::uint8_t* values = records + count * 8;
    const std::size_t valueBytes = size - 1 - count * 8;

    // The records, then the values, in one block as GDI+ lays them out.
    const std::size_t recordBytes = count * sizeof(TKelvoRawPropertyItem);
    std::vector<std::uintptr_t> storage((recordBytes + valueBytes) / sizeof(std::uintptr_t) + 1);
    Byte* block = reinterpret_cast<Byte*>(storage.data());
    const std::size_t blockSize = recordBytes + valueBytes;
    for (std::size_t i = 0; i < valueBytes; ++i) block[recordBytes + i] = values[i];
    const std::uintptr_t valueBase = reinterpret_cast<std::uintptr_t>(block) + recordBytes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* r = records + i * 8;
        TKelvoRawPropertyItem item;
        item.Id = std::uint32_t(r[0] | (r[1] << 8));
        item.Type = r[2];
        item.Length = std::uint32_t(r[4] | (r[5] << 8));
        item.Value = reinterpret_cast<const void*>(valueBase + std::uintptr_t(r[6] | (r[7] << 8)));
        std::memcpy(block + i * sizeof item, &item, sizeof item);
    }

    TKelvoProperties properties;
    ImportPropertyItems(block, blockSize, std::uint32_t(count), properties);
    std::uint16_t orientation = 0;
    if (GetOrientation(properties, orientation)) RotateFlipForOrientation(orientation);
    SetOrientationNormal(properties);
    RemoveThumbnailTags(properties);
    GraphicsFileInfoText(TKelvoImageFacts{RawFormatJPEG, 1, 1}, properties, nullptr);
    return 0;
}
