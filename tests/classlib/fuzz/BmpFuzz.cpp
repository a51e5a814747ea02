// Feeds arbitrary bytes to the bitmap-file and packed-bitmap readers and to the icon directory reader.
// Malformed input must end in EInvalidGraphic, never in a crash, a read past the data or a huge allocation;
// whatever is accepted must be written and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "classlib/core/BmpFormat.h"
#include "classlib/core/IconFormat.h"

namespace {
void CheckRoundTrip(const TDibImage& image) {
    std::vector<Byte> file = WriteBmpFile(image);
    TDibImage back = ReadBmpFile(file.data(), file.size());
    if (back.Width != image.Width || back.Height != image.Height || back.BitCount != image.BitCount ||
        back.Palette != image.Palette || back.Pixels != image.Pixels)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CheckRoundTrip(ReadBmpFile(data, size));
    } catch (const EInvalidGraphic&) {}
    try {
        CheckRoundTrip(ReadPackedDib(data, size));
    } catch (const EInvalidGraphic&) {}
    try {
        std::vector<TIconDirEntry> entries = ReadIconDirectory(data, size);
        const TIconDirEntry& e = entries[ChooseIconEntry(entries, 32, 32)];
        if (e.Offset > size || e.Size > size - e.Offset) std::abort();
    } catch (const EInvalidGraphic&) {}
    return 0;
}
