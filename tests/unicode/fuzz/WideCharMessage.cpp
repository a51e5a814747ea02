// WM_CHAR parameters come from anywhere (another program may post one to any window): feeds arbitrary
// wParam values through the packing of wide characters and checks that the character read never changes
// on the way and that restoring leaves a plain character.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "unicode/core/WideCharMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint64_t raw = 0;
    std::memcpy(&raw, data, size < sizeof raw ? size : sizeof raw);
    TMessage message;
    message.Msg = 0x0102;
    message.WParam = static_cast<std::uintptr_t>(raw);
    const WideChar seen = uni::WideCharOfMessage(message);
    uni::PackWideCharMessage(message);
    if (uni::WideCharOfMessage(message) != seen) std::abort();
    uni::UnpackWideCharMessage(message);
    if ((message.WParam & 0xFFFF0000u) != 0 || uni::WideCharOfMessage(message) != seen) std::abort();
    // Whatever was set is what is read, packed or not.
    uni::SetWideCharOfMessage(message, static_cast<WideChar>(raw >> 48));
    if (uni::WideCharOfMessage(message) != static_cast<WideChar>(raw >> 48)) std::abort();
    return 0;
}
