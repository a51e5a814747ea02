// Plays a buffered-memory transfer whose image info and strips come from the input: the first 12 bytes are the
// width, length and depth, then each 12 bytes a strip's BytesPerRow, Rows and BytesWritten. The destination is
// exactly the image's size, so that any write past it is seen.
//
// Playing a transfer costs the bytes of its whole image (rows spread, flipped and swapped), and 12 bytes of input
// name up to a gigabyte: a cleared vector of the whole image for every input made most inputs cost tens of
// milliseconds. A transfer is therefore played over at most kPlayedBytes, as many of the image's rows as fit (one
// at least), every width and depth kept: how the assembler behaves depends on the stride, the strip values and
// the rows left, which a shorter image shows as well as a longer one. MemoryLayout still sees the full length.
#include <sanitizer/asan_interface.h>

#include <algorithm>
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

constexpr std::size_t kPlayedBytes = std::size_t(1) << 18;

// Every image lies at the end of one buffer that the process keeps, so that an input does not pay for fresh pages
// and a write past the image runs off the buffer's end, which AddressSanitizer sees; the bytes just before the
// image are poisoned while it is in use.
class TPlacedImage {
public:
    explicit TPlacedImage(std::size_t size) {
        static std::vector<std::uint8_t> buffer(kRedZone + kPlayedBytes);
        if (size > kPlayedBytes) __builtin_trap();
        bits_ = buffer.data() + buffer.size() - size;
        ASAN_POISON_MEMORY_REGION(bits_ - kRedZone, kRedZone);
    }
    TPlacedImage(const TPlacedImage&) = delete;
    TPlacedImage& operator=(const TPlacedImage&) = delete;
    ~TPlacedImage() { ASAN_UNPOISON_MEMORY_REGION(bits_ - kRedZone, kRedZone); }

    std::uint8_t* data() const { return bits_; }

private:
    static constexpr std::size_t kRedZone = 4096;
    std::uint8_t* bits_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    const std::uint8_t* p = data;
    const std::uint8_t* end = data + size;
    const std::int32_t width = std::int32_t(Take(p) & 0x3FFF);
    const std::int32_t fullLength = std::int32_t(Take(p) & 0x3FFF);
    const std::int32_t bits = std::int32_t(Take(p) & 0x3F);
    twn::TTwnMemoryLayout layout;
    if (!twn::MemoryLayout(width, fullLength, bits, layout)) return 0;
    const std::int32_t length = std::int32_t(
        std::min<std::size_t>(std::size_t(fullLength), std::max<std::size_t>(kPlayedBytes / layout.stride, 1)));
    if (!twn::MemoryLayout(width, length, bits, layout)) __builtin_trap();
    const TPlacedImage dest(layout.size);
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
