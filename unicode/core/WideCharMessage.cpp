#include "unicode/core/WideCharMessage.h"

namespace uni {

namespace {

std::uint16_t LowWord(std::uintptr_t w) { return static_cast<std::uint16_t>(w & 0xFFFFu); }
std::uint16_t HighWord(std::uintptr_t w) { return static_cast<std::uint16_t>((w >> 16) & 0xFFFFu); }

// wParam with its low 32 bits replaced; on 64-bit systems the upper half is not the character's business.
std::uintptr_t WithWords(std::uintptr_t w, std::uint16_t low, std::uint16_t high) {
    const std::uintptr_t keep = w & ~static_cast<std::uintptr_t>(0xFFFFFFFFu);
    return keep | static_cast<std::uintptr_t>(low) | (static_cast<std::uintptr_t>(high) << 16);
}

bool IsPacked(std::uintptr_t w) { return LowWord(w) == kPackedCharMarker && HighWord(w) != 0; }

}  // namespace

void PackWideCharMessage(TMessage& message) {
    const std::uint16_t ch = LowWord(message.WParam);
    if (ch < 256 || IsPacked(message.WParam)) return;
    message.WParam = WithWords(message.WParam, kPackedCharMarker, ch);
}

void UnpackWideCharMessage(TMessage& message) {
    if (IsPacked(message.WParam))
        message.WParam = WithWords(message.WParam, HighWord(message.WParam), 0);
    else
        message.WParam = WithWords(message.WParam, LowWord(message.WParam), 0);
}

WideChar WideCharOfMessage(const TMessage& message) {
    const std::uintptr_t w = message.WParam & 0xFFFFFFFFu;
    if (LowWord(w) == kPackedCharMarker && w > 0xFFFFu) return static_cast<WideChar>(HighWord(w));
    return static_cast<WideChar>(LowWord(w));
}

void SetWideCharOfMessage(TMessage& message, WideChar ch) {
    const auto unit = static_cast<std::uint16_t>(ch);
    message.WParam =
        unit >= 256 ? WithWords(message.WParam, kPackedCharMarker, unit) : WithWords(message.WParam, unit, 0);
}

}  // namespace uni
