#include "unicode/win/ShortCutTextW.h"

#include "classlib/core/TShortCutModifierNames.h"
#include "classlib/win/Win32.h"
#include "classlib/win/WideChars.h"
#include "unicode/win/UniControls.h"

namespace uni {

namespace {

bool HasLayoutCharacter(std::uint16_t key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= VK_NUMPAD0 && key <= VK_DIVIDE);
}

WideString KeyNameW(std::uint16_t key) {
    if (HasLayoutCharacter(key)) {
        const UINT ch = ::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
        if (key >= '0' && key <= '9' && ch != key) return WideString(1, static_cast<char16_t>(key));
        if (ch != 0) return WideString(1, static_cast<char16_t>(ch));
    }
    const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    wchar_t name[256] = {};
    const int n = ::GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 256);
    return n > 0 ? FromWideChars(name, static_cast<std::size_t>(n)) : WideString();
}

}  // namespace

WideString ShortCutTextW(TShortCut shortCut) {
    if (shortCut == scNone) return WideString();
    // The library's own text, where it has one that the code page holds.
    const AnsiString ansi = ShortCutToText(shortCut);
    if (!ansi.empty() && ansi.find('?') == AnsiString::npos) return FromAnsi(ansi);
    const WideString key = KeyNameW(static_cast<std::uint16_t>(shortCut & 0xFF));
    if (key.empty()) return WideString();
    const TShortCutModifierNames& names = GetShortCutModifierNames();
    WideString text;
    if (shortCut & scShift) text += FromAnsi(names.Shift);
    if (shortCut & scCtrl) text += FromAnsi(names.Ctrl);
    if (shortCut & scAlt) text += FromAnsi(names.Alt);
    return text + key;
}

}  // namespace uni
