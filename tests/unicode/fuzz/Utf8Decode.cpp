// Feeds arbitrary bytes to the UTF-8 decoder and the same bytes taken as UTF-16 units to the encoder.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "unicode/core/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const AnsiString bytes(reinterpret_cast<const char*>(data), size);
    const WideString decoded = uni::DecodeUtf8(bytes);
    if (decoded.size() > bytes.size()) std::abort();
    // Decoded text holds no lone surrogates, so it survives encoding exactly.
    const AnsiString again = uni::EncodeUtf8(decoded);
    if (uni::DecodeUtf8(again) != decoded) std::abort();
    // Well-formed input (nothing replaced) comes back byte for byte.
    bool replaced = false;
    for (char16_t u : decoded) replaced = replaced || u == 0xFFFD;
    if (!replaced && again != bytes) std::abort();

    WideString units(size / 2, u'\0');
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
    const WideString back = uni::DecodeUtf8(uni::EncodeUtf8(units));
    if (back.size() != units.size()) std::abort();
    return 0;
}
