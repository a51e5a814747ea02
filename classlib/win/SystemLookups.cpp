#include "classlib/win/SystemLookups.h"

#include "classlib/core/TColor.h"
#include "classlib/core/TShortCut.h"
#include "classlib/win/Win32.h"

namespace {

AnsiString SystemKeyName(std::uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        // The character the layout puts on the key (the low word; the high bit marks a dead key).
        UINT ch = ::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
        if (ch >= 0x20 && ch < 0x100) return AnsiString(1, static_cast<char>(ch));
        return DefaultKeyName(key);
    }
    UINT scan = ::MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    if (scan == 0) return DefaultKeyName(key);
    char buffer[257] = {};
    int n = ::GetKeyNameTextA(static_cast<LONG>(scan << 16), buffer, 256);
    if (n <= 0) return DefaultKeyName(key);
    return AnsiString(buffer, static_cast<std::size_t>(n < 256 ? n : 256));
}

std::uint32_t SystemColor(int index) { return ::GetSysColor(index); }

}  // namespace

namespace classlib {

void UseSystemKeyNames() { SetKeyNameLookup(&SystemKeyName); }

void UseSystemColors() { SetSysColorLookup(&SystemColor); }

}  // namespace classlib
