#include "classlib/win/SystemLookups.h"

#include "classlib/core/TColor.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/Win32.h"

namespace {

// The keys whose name is the character the keyboard layout puts on them: letters, digits and the
// punctuation keys between them.
bool IsLayoutCharacterKey(std::uint16_t key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || (key >= 0xBA && key <= 0xC0) ||
           (key >= 0xDB && key <= 0xDF) || key == 0xE2;
}

// Every other key keeps the class library's name: the system's names differ between platforms (Wine
// calls the numeric pad's plus "KP_Add").
AnsiString SystemKeyName(std::uint16_t key) {
    if (IsLayoutCharacterKey(key)) {
        // The character the layout puts on the key (the low word; the high bit marks a dead key).
        UINT ch = ::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
        if (ch >= 0x20 && ch < 0x100) return AnsiString(1, static_cast<char>(ch));
    }
    return DefaultKeyName(key);
}

std::uint32_t SystemColor(int index) { return ::GetSysColor(index); }

}  // namespace

namespace classlib {

void UseSystemKeyNames() { SetKeyNameLookup(&SystemKeyName); }

void UseSystemColors() { SetSysColorLookup(&SystemColor); }

}  // namespace classlib
