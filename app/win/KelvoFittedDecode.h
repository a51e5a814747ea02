// A picture file as a small preview, decoded by the Windows imaging component alone (no GDI+ image) and
// reduced with the photo resize's filter: from the JPEG preview the file's EXIF block stores when it has one,
// else from the whole picture. For previews; the documents read their files through GDI+ (KelvoGraphicsIO).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Rows of 24-bit blue-green-red pixels, top row first, each row padded to a multiple of four bytes.
struct TKelvoFittedPicture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Stride = 0;
    std::vector<std::uint8_t> Bits;
};

// The picture scaled to fit boxWidth x boxHeight with its aspect kept (at least one pixel a side); false when
// the file cannot be decoded this way (no such codec, or the imaging component is missing).
bool KelvoDecodeFitted(const std::u16string& fileName, std::int32_t boxWidth, std::int32_t boxHeight,
                       TKelvoFittedPicture& picture);
