#include "unicode/core/Utf8.h"

#include <cstdint>

namespace uni {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void PutUtf8(AnsiString& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

AnsiString EncodeUtf8(const WideString& text) {
    AnsiString out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t u = text[i];
        if (IsHighSurrogate(u) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
            PutUtf8(out, 0x10000 + ((std::uint32_t(u) - 0xD800) << 10) + (std::uint32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            PutUtf8(out, kReplacement);
        } else {
            PutUtf8(out, u);
        }
    }
    return out;
}

WideString DecodeUtf8(const AnsiString& text) {
    WideString out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < n) {
        const unsigned char b = at(i);
        if (b < 0x80) {
            out += char16_t(b);
            ++i;
            continue;
        }
        int length;
        std::uint32_t cp;
        // The allowed range of the second byte narrows for E0, ED, F0 and F4 so that overlong forms,
        // surrogates and values above U+10FFFF are refused at the earliest byte.
        unsigned char lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            cp = b & 0x0F;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            cp = b & 0x07;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        std::size_t k = i + 1;
        bool ok = true;
        for (int j = 1; j < length; ++j, ++k) {
            if (k >= n) {
                ok = false;
                break;
            }
            const unsigned char c = at(k);
            const unsigned char cLo = j == 1 ? lo : 0x80;
            const unsigned char cHi = j == 1 ? hi : 0xBF;
            if (c < cLo || c > cHi) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            // The bytes up to the one that broke the sequence form one ill-formed part.
            out += kReplacement;
            i = k;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
        i = k;
    }
    return out;
}

}  // namespace uni
