// Feeds arbitrary bytes to the UTF-7 decoder (which must raise its own error or decode without reading past
// the input), and the same bytes taken as UTF-16 units to the encoder, whose output must decode back.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "unicode/core/UniExceptions.h"
#include "unicode/core/Utf7.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const AnsiString bytes(reinterpret_cast<const char*>(data), size);
    try {
        const WideString decoded = uni::DecodeUtf7(bytes);
        if (decoded.size() > bytes.size()) std::abort();
        // What decoded once must survive our own encoding.
        if (uni::DecodeUtf7(uni::EncodeUtf7(decoded)) != decoded) std::abort();
    } catch (const EUniGeneralError&) {}
    WideString units(size / 2, u'\0');
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
    const AnsiString encoded = uni::EncodeUtf7(units);
    for (char c : encoded)
        if (static_cast<unsigned char>(c) > 127) std::abort();
    if (uni::DecodeUtf7(encoded) != units) std::abort();
    return 0;
}
