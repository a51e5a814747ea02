#include "toolbar/core/Captions.h"

#include <limits>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/StringUtils.h"

namespace tb {

namespace {
bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
}  // namespace

char16_t FindAccelChar(std::u16string_view caption) {
    char16_t found = 0;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        ++i;  // the character after the mark; "&&" skips the literal ampersand as a whole
        if (i >= caption.size()) return 0;
        if (caption[i] != u'&') found = IsSurrogate(caption[i]) ? 0 : caption[i];
    }
    return found;
}

WideString StripAccelChars(std::u16string_view caption) {
    WideString out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            ++i;
            if (i >= caption.size()) break;
        }
        out += caption[i];
    }
    return out;
}

AnsiString StripAccelChars(std::string_view caption, TLeadByteTest isLeadByte) {
    AnsiString out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const auto byte = static_cast<unsigned char>(caption[i]);
        if (isLeadByte && isLeadByte(byte) && i + 1 < caption.size()) {
            out += caption[i];
            out += caption[++i];
            continue;
        }
        if (caption[i] == '&') {
            ++i;
            if (i >= caption.size()) break;
        }
        out += caption[i];
    }
    return out;
}

WideString EscapeAmpersandsW(std::u16string_view text) {
    WideString out;
    out.reserve(text.size());
    for (char16_t c : text) {
        out += c;
        if (c == u'&') out += c;
    }
    return out;
}

WideString StripTrailingPunctuationW(std::u16string_view text) {
    if (text.size() >= 2 && text.back() == u':') return WideString(text.substr(0, text.size() - 1));
    if (text.size() >= 4 && text.substr(text.size() - 3) == u"...") return WideString(text.substr(0, text.size() - 3));
    return WideString(text);
}

WideString GetShortHintW(std::u16string_view hint) { return GetShortHint(hint); }

WideString GetLongHintW(std::u16string_view hint) {
    const std::size_t bar = hint.find(u'|');
    return bar == std::u16string_view::npos ? WideString() : WideString(hint.substr(bar + 1));
}

std::int32_t DivRoundUp(std::int32_t a, std::int32_t b) {
    if (b == 0) throw EDivByZero("Division by zero");
    if (b == -1 && a == std::numeric_limits<std::int32_t>::min()) throw EIntOverflow("Integer overflow");
    std::int32_t q = a / b;
    if (a % b != 0) q += ((a < 0) == (b < 0)) ? 1 : -1;
    return q;
}

AnsiString WideToEscapedAnsi(std::u16string_view text, std::uint32_t codePage) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    AnsiString out;
    for (char16_t c : text) {
        if (c == u'\\') {
            out += "\\\\";
            continue;
        }
        if (c > 126) {
            const std::u16string_view one(&c, 1);
            const AnsiString ansi = WideToAnsi(one, codePage);
            if (AnsiToWide(ansi, codePage) == one) {
                out += ansi;
                continue;
            }
            AnsiString hex;
            for (unsigned v = c; v != 0 || hex.size() < 2; v >>= 4) hex.insert(hex.begin(), kHex[v & 15]);
            out += "\\#" + hex + ";";
            continue;
        }
        out += static_cast<char>(c);
    }
    return out;
}

}  // namespace tb
