#include "unicode/win/WinCodePages.h"

#include "classlib/core/Checked.h"
#include "classlib/win/Win32.h"

namespace uni {
namespace {

WideString Win32ToWide(const AnsiString& text, int codePage) {
    if (text.empty()) return WideString();
    const int inLength = CheckedCast<int>(text.size());
    const int length = MultiByteToWideChar(UINT(codePage), 0, text.data(), inLength, nullptr, 0);
    if (length <= 0) return WideString();
    WideString out(std::size_t(length), u'\0');
    const int written = MultiByteToWideChar(UINT(codePage), 0, text.data(), inLength,
                                            reinterpret_cast<LPWSTR>(out.data()), length);
    out.resize(std::size_t(written > 0 ? written : 0));
    return out;
}

AnsiString Win32FromWide(const WideString& text, int codePage) {
    if (text.empty()) return AnsiString();
    const int inLength = CheckedCast<int>(text.size());
    LPCWSTR in = reinterpret_cast<LPCWSTR>(text.data());
    const int length = WideCharToMultiByte(UINT(codePage), 0, in, inLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return AnsiString();
    AnsiString out(std::size_t(length), '\0');
    const int written = WideCharToMultiByte(UINT(codePage), 0, in, inLength, out.data(), length, nullptr, nullptr);
    out.resize(std::size_t(written > 0 ? written : 0));
    return out;
}

int Win32AnsiCodePage() { return int(GetACP()); }

}  // namespace

SystemCodePageConverter Win32CodePageConverter() {
    SystemCodePageConverter c;
    c.toWide = &Win32ToWide;
    c.fromWide = &Win32FromWide;
    c.ansiCodePage = &Win32AnsiCodePage;
    return c;
}

void InstallWin32CodePages() { SetSystemCodePageConverter(Win32CodePageConverter()); }

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
