// Feeds hostile packed DIBs, as a source hands them over in a native transfer, to the layout and takes the image
// out of exactly the bytes given, so that any read past them is seen.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "scan/core/TwnImages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Byte> block(data, data + size);
    twn::TTwnDibLayout layout;
    if (!twn::LayoutPackedDib(block.data(), block.size(), layout)) return 0;
    if (layout.bitsOffset + layout.bitsSize > block.size()) __builtin_trap();
    const std::vector<Byte> dib = twn::PackedDib(layout, block.data());
    // The image taken out lays out again as the same image.
    twn::TTwnDibLayout again;
    if (!twn::LayoutPackedDib(dib.data(), dib.size(), again) || again.info != layout.info) __builtin_trap();
    return 0;
}
