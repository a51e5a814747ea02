#include "unicode/win/WinCodePages.h"

#include "classlib/win/Win32.h"

namespace uni {

int CodePageOfLocale(std::uint32_t locale) {
    char buffer[6] = {};
    const int got = GetLocaleInfoA(LCID(locale), LOCALE_IDEFAULTANSICODEPAGE, buffer, int(sizeof buffer));
    int value = 0;
    bool digits = false;
    for (int i = 0; i < got && i < int(sizeof buffer) && buffer[i] != '\0'; ++i) {
        if (buffer[i] < '0' || buffer[i] > '9') {
            digits = false;
            break;
        }
        value = value * 10 + (buffer[i] - '0');
        digits = true;
    }
    return digits ? value : int(GetACP());
}

int CodePageOfKeyboard() {
    const auto layout = reinterpret_cast<std::uintptr_t>(GetKeyboardLayout(0));
    return CodePageOfLocale(std::uint32_t(layout & 0xFFFF));
}

WideChar WidenKeyChar(std::uint16_t charCode) {
    if (charCode >= 256) return WideChar(charCode);
    const char byte = char(charCode);
    wchar_t result = 0;
    if (MultiByteToWideChar(UINT(CodePageOfKeyboard()), MB_USEGLYPHCHARS, &byte, 1, &result, 1) != 1) return 0;
    return WideChar(result);
}

}  // namespace uni
