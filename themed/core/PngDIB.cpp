#include "themed/core/PngDIB.h"

#include "classlib/core/Checked.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"

namespace themed {

void WritePngDIB(TStream& stream, std::int32_t count, std::int32_t width, std::int32_t height,
                 const std::uint32_t* strip) {
    const Byte countBytes[4] = {Byte(count), Byte(count >> 8), Byte(count >> 16), Byte(std::uint32_t(count) >> 24)};
    stream.WriteBuffer(countBytes, 4);
    if (count <= 0) return;
    TPNGWriter writer(width, strip, width, CheckedMul<std::int32_t>(height, count));
    writer.SaveToStream(stream);
}

std::int32_t ReadPngDIB(TStream& stream, std::int32_t width, std::int32_t height, std::vector<std::uint32_t>& strip) {
    strip.clear();
    Byte countBytes[4];
    stream.ReadBuffer(countBytes, 4);
    const std::int32_t count =
        std::int32_t(std::uint32_t(countBytes[0]) | (std::uint32_t(countBytes[1]) << 8) |
                     (std::uint32_t(countBytes[2]) << 16) | (std::uint32_t(countBytes[3]) << 24));
    if (count <= 0) return 0;
    TPNGReader reader;
    reader.LoadFromStream(stream);
    // Compared in 64 bits: height x count must not wrap into a match.
    if (width <= 0 || height <= 0 || std::int64_t(reader.Width()) != width ||
        std::int64_t(reader.Height()) != std::int64_t(height) * count)
        return 0;
    strip.assign(reader.Pixels().begin(), reader.Pixels().end());
    return count;
}

}  // namespace themed
