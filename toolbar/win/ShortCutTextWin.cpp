// Windows half of the shortcut texts. On Windows NT the key is named in UTF-16: the class library's names
// for the editing and movement keys, the character the keyboard layout puts on a letter, digit or keypad
// digit, and the class library's name for the rest (the system's key names differ between platforms: Wine
// calls the keypad's plus "KP_Add").
#include "classlib/core/CodePages.h"
#include "classlib/win/Win32.h"
#include "toolbar/core/ShortCutText.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TextDrawing.h"

namespace {

bool IsLayoutCharKey(std::uint16_t key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9);
}

WideString KeyName(std::uint16_t key) {
    const AnsiString named = NamedKeyText(key);
    if (!named.empty()) return AnsiToWide(named);
    if (IsLayoutCharKey(key)) {
        // The low word; the high bit marks a dead key.
        const UINT ch = ::MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
        if (ch != 0) return WideString(1, tb::CharToWide(ch));
    }
    return AnsiToWide(ShortCutToText(key));
}

}  // namespace

WideString tb::ShortCutText(TShortCut shortCut) {
    if (!IsWindowsNT()) return AnsiToWide(ShortCutToText(shortCut));
    if (shortCut == 0) return WideString();
    return ComposeShortCutText(shortCut, KeyName(shortCut & 0xFF));
}
