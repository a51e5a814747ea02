#include "classlib/core/StringUtils.h"

#include <charconv>
#include <cmath>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/Format.h"

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an integer. Decimal must fit [minimum, maximum]; hexadecimal may also use the unsigned pattern of the type
// (up to hexMaximum), which then reads as its two's complement.
bool ParseInteger(std::string_view s, std::int64_t minimum, std::int64_t maximum, std::uint64_t hexMaximum,
                  std::int64_t& value) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = hex ? hexMaximum : std::uint64_t(maximum) + (negative ? 1 : 0);
    for (; i < s.size(); ++i) {
        const int digit = hex ? HexValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
        if (digit < 0) return false;
        const unsigned base = hex ? 16 : 10;
        if (magnitude > (limit - std::uint64_t(digit)) / base) return false;
        magnitude = magnitude * base + std::uint64_t(digit);
    }
    std::int64_t v;
    if (hex && magnitude > std::uint64_t(maximum)) {
        // The pattern of a negative number: reinterpret within the type's width.
        if (hexMaximum == 0xFFFFFFFFull) {
            v = std::int64_t(std::int32_t(std::uint32_t(magnitude)));
        } else {
            v = std::int64_t(magnitude);
        }
        if (negative) {
            if (v == minimum) return false;
            v = -v;
        }
    } else if (negative) {
        v = magnitude == std::uint64_t(maximum) + 1 ? minimum : -std::int64_t(magnitude);
    } else {
        v = std::int64_t(magnitude);
    }
    if (v < minimum || v > maximum) return false;
    value = v;
    return true;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsBlank(char16_t c) { return c <= u' '; }

template <class S>
S TrimImpl(S s, bool left, bool right) {
    std::size_t b = 0;
    std::size_t e = s.size();
    if (left) {
        while (b < e && IsBlank(s[b])) ++b;
    }
    if (right) {
        while (e > b && IsBlank(s[e - 1])) --e;
    }
    return s.substr(b, e - b);
}

}  // namespace

namespace classlib {

AnsiString SignedToStr(std::int64_t value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return AnsiString(buf, res.ptr);
}

AnsiString UnsignedToStr(std::uint64_t value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return AnsiString(buf, res.ptr);
}

AnsiString HexPattern(std::uint64_t pattern, int digits) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, pattern, 16);
    AnsiString s(buf, res.ptr);
    for (char& c : s) c = UpCase(c);
    if (digits > int(s.size())) s.insert(0, std::size_t(std::min(digits, 64)) - s.size(), '0');
    return s;
}

}  // namespace classlib

std::int32_t StrToInt(std::string_view s) {
    std::int32_t v;
    if (!TryStrToInt(s, v)) throw EConvertError("'" + AnsiString(s) + "' is not a valid integer value");
    return v;
}

std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback) {
    std::int32_t v;
    return TryStrToInt(s, v) ? v : fallback;
}

bool TryStrToInt(std::string_view s, std::int32_t& value) {
    std::int64_t v;
    if (!ParseInteger(s, INT32_MIN, INT32_MAX, 0xFFFFFFFFull, v)) return false;
    value = std::int32_t(v);
    return true;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v;
    if (!TryStrToInt64(s, v)) throw EConvertError("'" + AnsiString(s) + "' is not a valid integer value");
    return v;
}

bool TryStrToInt64(std::string_view s, std::int64_t& value) {
    return ParseInteger(s, INT64_MIN, INT64_MAX, ~std::uint64_t(0), value);
}

AnsiString FloatToStr(double value) { return FloatToStr(value, DecimalSeparator()); }

AnsiString FloatToStr(double value, char decimalSeparator) {
    return classlib::FloatToText(value, classlib::FloatStyle::General, 15, decimalSeparator);
}

bool TryStrToFloat(std::string_view s, double& value) { return TryStrToFloat(s, value, DecimalSeparator()); }

bool TryStrToFloat(std::string_view s, double& value, char decimalSeparator) {
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    // Rebuild a plain "[-]digits[.digits][e[-]digits]" text, checking the shape on the way.
    std::string text;
    std::size_t i = b;
    if (i < e && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') text += '-';
        ++i;
    }
    bool digits = false;
    while (i < e && s[i] >= '0' && s[i] <= '9') {
        text += s[i++];
        digits = true;
    }
    if (i < e && s[i] == decimalSeparator) {
        text += '.';
        ++i;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            text += s[i++];
            digits = true;
        }
    }
    if (!digits) return false;
    if (i < e && (s[i] == 'e' || s[i] == 'E')) {
        text += 'e';
        ++i;
        if (i < e && (s[i] == '+' || s[i] == '-')) {
            if (s[i] == '-') text += '-';
            ++i;
        }
        bool expDigits = false;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            text += s[i++];
            expDigits = true;
        }
        if (!expDigits) return false;
    }
    if (i != e) return false;
    double v = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is refused.
        const auto ePos = text.find('e');
        if (ePos != std::string::npos && text.find('-', ePos) != std::string::npos) {
            value = text[0] == '-' ? -0.0 : 0.0;
            return true;
        }
        return false;
    }
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

double StrToFloat(std::string_view s) {
    double v;
    if (!TryStrToFloat(s, v)) throw EConvertError("'" + AnsiString(s) + "' is not a valid floating point value");
    return v;
}

WideString WidenBytes(std::string_view bytes) {
    WideString wide;
    wide.reserve(bytes.size());
    for (unsigned char b : bytes) wide.push_back(char16_t(b));
    return wide;
}

AnsiString Trim(std::string_view s) { return AnsiString(TrimImpl(s, true, true)); }

AnsiString TrimLeft(std::string_view s) { return AnsiString(TrimImpl(s, true, false)); }

AnsiString TrimRight(std::string_view s) { return AnsiString(TrimImpl(s, false, true)); }

WideString Trim(std::u16string_view s) { return WideString(TrimImpl(s, true, true)); }

WideString TrimLeft(std::u16string_view s) { return WideString(TrimImpl(s, true, false)); }

WideString TrimRight(std::u16string_view s) { return WideString(TrimImpl(s, false, true)); }

AnsiString UpperCase(std::string_view s) {
    AnsiString r(s);
    for (char& c : r) c = UpCase(c);
    return r;
}

AnsiString LowerCase(std::string_view s) {
    AnsiString r(s);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

char UpCase(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

int CompareStr(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = int(static_cast<unsigned char>(a[i])) - int(static_cast<unsigned char>(b[i]));
        if (d != 0) return d;
    }
    return int(a.size() > b.size()) - int(a.size() < b.size());
}

int CompareTextAscii(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = int(static_cast<unsigned char>(UpCase(a[i]))) - int(static_cast<unsigned char>(UpCase(b[i])));
        if (d != 0) return d;
    }
    return int(a.size() > b.size()) - int(a.size() < b.size());
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

namespace {
char16_t UpCaseAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }
}  // namespace

int CompareTextAscii(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int d = int(UpCaseAscii(a[i])) - int(UpCaseAscii(b[i]));
        if (d != 0) return d;
    }
    return int(a.size() > b.size()) - int(a.size() < b.size());
}

bool SameTextAscii(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

AnsiString AnsiUpperCase(std::string_view s) {
    if (TCodePageBackend* backend = GetCodePageBackend()) return backend->UpperAnsi(s);
    return WideToAnsi(WideUpperCase(AnsiToWide(s)));
}

AnsiString AnsiLowerCase(std::string_view s) {
    if (TCodePageBackend* backend = GetCodePageBackend()) return backend->LowerAnsi(s);
    return WideToAnsi(WideLowerCase(AnsiToWide(s)));
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    if (TCodePageBackend* backend = GetCodePageBackend()) return backend->CompareAnsi(a, b, false);
    return WideCompareStr(AnsiToWide(a), AnsiToWide(b));
}

int CompareTextSystem(std::string_view a, std::string_view b) {
    if (TCodePageBackend* backend = GetCodePageBackend()) return backend->CompareAnsi(a, b, true);
    return CompareTextSystem(AnsiToWide(a), AnsiToWide(b));
}

bool SameTextSystem(std::string_view a, std::string_view b) { return CompareTextSystem(a, b) == 0; }

AnsiString StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                         TReplaceFlags flags) {
    if (oldPattern.empty()) return AnsiString(s);
    const bool ignoreCase = (flags & rfIgnoreCase) != 0;
    const AnsiString hay = ignoreCase ? UpperCase(s) : AnsiString(s);
    const AnsiString needle = ignoreCase ? UpperCase(oldPattern) : AnsiString(oldPattern);
    AnsiString out;
    std::size_t from = 0;
    while (true) {
        const std::size_t at = hay.find(needle, from);
        if (at == AnsiString::npos) break;
        out.append(s.substr(from, at - from));
        out.append(newPattern);
        from = at + needle.size();
        if ((flags & rfReplaceAll) == 0) break;
    }
    out.append(s.substr(from));
    return out;
}

int Pos(std::string_view sub, std::string_view s) {
    if (sub.empty()) return 0;
    const std::size_t at = s.find(sub);
    return at == std::string_view::npos ? 0 : int(at) + 1;
}

int Pos(std::u16string_view sub, std::u16string_view s) {
    if (sub.empty()) return 0;
    const std::size_t at = s.find(sub);
    return at == std::u16string_view::npos ? 0 : int(at) + 1;
}

AnsiString GetShortHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return AnsiString(bar == std::string_view::npos ? hint : hint.substr(0, bar));
}

AnsiString GetLongHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return AnsiString(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

WideString GetShortHint(std::u16string_view hint) {
    const std::size_t bar = hint.find(u'|');
    return WideString(bar == std::u16string_view::npos ? hint : hint.substr(0, bar));
}

WideString GetLongHint(std::u16string_view hint) {
    const std::size_t bar = hint.find(u'|');
    return WideString(bar == std::u16string_view::npos ? hint : hint.substr(bar + 1));
}

AnsiString AnsiQuotedStr(std::string_view s, char quote) {
    AnsiString out;
    out.reserve(s.size() + 2);
    out += quote;
    for (char c : s) {
        out += c;
        if (c == quote) out += quote;
    }
    out += quote;
    return out;
}
