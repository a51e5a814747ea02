// Feeds hostile BMP files, as a source writes them in a file transfer, to the layout and takes the image out of
// exactly the bytes given, so that any read past them is seen.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scan/core/TwnImages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Byte> file(data, data + size);
    twn::TTwnDibLayout layout;
    if (!twn::LayoutBmpFile(file.data(), file.size(), layout)) return 0;
    if (layout.bitsOffset + layout.bitsSize > file.size()) __builtin_trap();
    const std::vector<Byte> dib = twn::PackedDib(layout, file.data());
    twn::TTwnDibLayout again;
    if (!twn::LayoutPackedDib(dib.data(), dib.size(), again) || again.bitsSize != layout.bitsSize) __builtin_trap();
    return 0;
}
