#include "SystemCodePage.h"

#include <array>

namespace unitest {
namespace {

int gCodePage = 1252;

// Upper halves of the two code pages, 0 where the code page has no character.
constexpr std::array<char16_t, 32> k1252High = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ToWideChar(unsigned char b, int cp) {
    if (b < 0x80) return b;
    if (cp == 1252) return b >= 0xA0 ? char16_t(b) : (k1252High[b - 0x80] ? k1252High[b - 0x80] : char16_t(b));
    // 1251: only the Cyrillic letters and Ё/ё are needed here.
    if (b >= 0xC0) return char16_t(0x410 + (b - 0xC0));
    if (b == 0xA8) return 0x401;
    if (b == 0xB8) return 0x451;
    return u'?';
}

WideString ToWide(const AnsiString& s, int cp) {
    if (cp == 0) cp = gCodePage;
    if (cp != 1251 && cp != 1252) return WideString();
    WideString w;
    for (unsigned char b : s) w += ToWideChar(b, cp);
    return w;
}

AnsiString FromWide(const WideString& w, int cp) {
    if (cp == 0) cp = gCodePage;
    if (cp != 1251 && cp != 1252) return AnsiString();
    AnsiString s;
    for (char16_t c : w) {
        char out = '?';
        for (int b = 0; b < 256; ++b)
            if (ToWideChar((unsigned char)b, cp) == c) {
                out = char(b);
                break;
            }
        s += out;
    }
    return s;
}

int AnsiCodePage() { return gCodePage; }

}  // namespace

ScopedSystemCodePage::ScopedSystemCodePage(int codePage) {
    gCodePage = codePage;
    uni::SystemCodePageConverter c;
    c.toWide = &ToWide;
    c.fromWide = &FromWide;
    c.ansiCodePage = &AnsiCodePage;
    previous_ = uni::SetSystemCodePageConverter(c);
}

ScopedSystemCodePage::~ScopedSystemCodePage() { uni::SetSystemCodePageConverter(previous_); }

}  // namespace unitest
