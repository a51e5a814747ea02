// Takes arbitrary bytes for the start of an image file. The size is read only from bytes inside the buffer
// (the sanitizers see any read past it), and a size declared by a prefix is the size of the whole: reading
// more of the file never changes an answer already given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/core/KelvoImageHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact-size copy, so that a read one byte past the end is caught.
    const std::vector<Byte> whole(data, data + size);
    std::int64_t w = 0, h = 0;
    const TKelvoHeaderSize full = DeclaredImageSize(whole.data(), whole.size(), w, h);
    if (HeaderRefusesImage(whole.data(), whole.size()) !=
        (full == TKelvoHeaderSize::Declared && !ImageSizeHoldable(w, h)))
        std::abort();
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    const std::vector<Byte> prefix(data, data + cut);
    std::int64_t pw = 0, ph = 0;
    if (DeclaredImageSize(prefix.data(), prefix.size(), pw, ph) == TKelvoHeaderSize::Declared &&
        (full != TKelvoHeaderSize::Declared || pw != w || ph != h))
        std::abort();
    return 0;
}
