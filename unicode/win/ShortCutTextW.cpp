#include "unicode/win/ShortCutTextW.h"

#include "classlib/core/ShortCutModifiers.h"
#include "classlib/win/Win32.h"
#include "unicode/win/UniControls.h"

namespace uni {

namespace {

// Only letters, digits and the punctuation keys are named by the keyboard layout, here for the characters
// the code page lacks; the class library names every other key itself.
WideString KeyNameW(std::uint16_t key) {
    const UINT ch = ::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0xFFFF;
    if (key >= '0' && key <= '9' && ch != key) return WideString(1, static_cast<char16_t>(key));
    return ch != 0 ? WideString(1, static_cast<char16_t>(ch)) : WideString();
}

}  // namespace

WideString ShortCutTextW(TShortCut shortCut) {
    if (shortCut == scNone) return WideString();
    // The library's own text, where it has one that the code page holds.
    const AnsiString ansi = ShortCutToText(shortCut);
    if (!ansi.empty() && ansi.find('?') == AnsiString::npos) return FromAnsi(ansi);
    const WideString key = KeyNameW(static_cast<std::uint16_t>(shortCut & 0xFF));
    if (key.empty()) return WideString();
    return FromAnsi(ShortCutModifiersText(shortCut)) + key;
}

}  // namespace uni
