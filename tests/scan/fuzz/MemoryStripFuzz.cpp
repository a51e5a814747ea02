// Plays a buffered-memory transfer whose image info and strips come from the input: the first 12 bytes are the
// width, length and depth, then each 12 bytes a strip's BytesPerRow, Rows and BytesWritten. The destination is
// exactly the image's size, so that any write past it is seen.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "scan/core/TTwnStripAssembler.h"
#include "scan/core/TwnImages.h"

namespace {
std::uint32_t Take(const std::uint8_t*& p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    p += 4;
    return v;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    const std::uint8_t* p = data;
    const std::uint8_t* end = data + size;
    const std::int32_t width = std::int32_t(Take(p) & 0x3FFF);
    const std::int32_t length = std::int32_t(Take(p) & 0x3FFF);
    const std::int32_t bits = std::int32_t(Take(p) & 0x3F);
    twn::TTwnMemoryLayout layout;
    if (!twn::MemoryLayout(width, length, bits, layout)) return 0;
    std::vector<Byte> dest(layout.size, 0);
    TTwnStripAssembler strips(layout.stride, layout.size);
    while (!strips.Complete() && end - p >= 12) {
        const std::uint32_t bytesPerRow = Take(p) & 0xFFFF;
        const std::uint32_t rows = Take(p) & 0xFFFF;
        const std::uint32_t written = Take(p);
        const std::uint32_t length = strips.NextLength(std::uint32_t(layout.stride * 3 + 1));
        // The source fills what it was offered.
        std::memset(dest.data() + strips.Offset(), 0x5A, length);
        const std::size_t before = strips.Offset();
        if (!strips.Accept(dest.data(), bytesPerRow, rows, written, length)) {
            if (strips.Offset() != before) __builtin_trap();
            break;
        }
        if (strips.Offset() > layout.size) __builtin_trap();
    }
    if (strips.Complete()) {
        twn::FlipRows(dest.data(), layout.stride, std::size_t(length));
        twn::SwapRedBlue(dest.data(), layout.stride, layout.stride, std::size_t(length));
    }
    return 0;
}
