#include "classlib/core/Format.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"

namespace {

std::atomic<char> gDecimalSeparator{'.'};
std::atomic<char> gThousandSeparator{','};

// Width and precision beyond this are refused: a format text from a file must not make us allocate gigabytes.
constexpr int kMaxWidth = 1 << 20;

// A positive finite double as decimal digits: value = 0.D1D2D3... x 10^exponent, digits without leading zeros.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ShortestDecimal(double magnitude) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    Decimal d;
    const char* p = buf;
    int e = 0;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits += *p;
    }
    if (p < res.ptr) {
        ++p;
        bool neg = false;
        if (*p == '+' || *p == '-') neg = *p++ == '-';
        for (; p < res.ptr; ++p) e = e * 10 + (*p - '0');
        if (neg) e = -e;
    }
    d.exponent = e + 1;
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero; an empty digit string means zero.
void RoundDigits(Decimal& d, int keep) {
    if (keep >= int(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (d.digits[std::size_t(i)] == '9') {
                d.digits[std::size_t(i)] = '0';
            } else {
                ++d.digits[std::size_t(i)];
                break;
            }
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.exponent += 1;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

char DigitAt(const Decimal& d, int i) { return i >= 0 && i < int(d.digits.size()) ? d.digits[std::size_t(i)] : '0'; }

std::string FixedText(const Decimal& d, int decimals, char decSep, char thouSep, bool group) {
    std::string intPart;
    if (d.digits.empty() || d.exponent <= 0) {
        intPart = "0";
    } else {
        for (int i = 0; i < d.exponent; ++i) intPart += DigitAt(d, i);
    }
    if (group && intPart.size() > 3) {
        std::string grouped;
        const std::size_t lead = intPart.size() % 3;
        for (std::size_t i = 0; i < intPart.size(); ++i) {
            if (i != 0 && (i - lead) % 3 == 0 && i >= lead) grouped += thouSep;
            grouped += intPart[i];
        }
        intPart = grouped;
    }
    if (decimals <= 0) return intPart;
    std::string out = intPart;
    out += decSep;
    for (int k = 0; k < decimals; ++k) out += d.digits.empty() ? '0' : DigitAt(d, d.exponent + k);
    return out;
}

std::string ExponentDigits(int e, int minDigits, bool plus) {
    std::string out = e < 0 ? "-" : (plus ? "+" : "");
    std::string num = std::to_string(e < 0 ? -e : e);
    while (int(num.size()) < minDigits) num.insert(num.begin(), '0');
    return out + num;
}

}  // namespace

char DecimalSeparator() { return gDecimalSeparator.load(); }

void SetDecimalSeparator(char separator) { gDecimalSeparator.store(separator); }

char ThousandSeparator() { return gThousandSeparator.load(); }

void SetThousandSeparator(char separator) { gThousandSeparator.store(separator); }

namespace classlib {

AnsiString FloatToText(double value, FloatStyle style, int precision, char decimalSeparator, char thousandSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const bool negative = std::signbit(value);
    Decimal d;
    if (value != 0) d = ShortestDecimal(std::fabs(value));
    std::string body;
    switch (style) {
        case FloatStyle::Fixed:
        case FloatStyle::Number: {
            if (precision < 0) precision = 0;
            if (!d.digits.empty()) RoundDigits(d, d.exponent + precision);
            body = FixedText(d, precision, decimalSeparator, thousandSeparator, style == FloatStyle::Number);
            break;
        }
        case FloatStyle::Exponent: {
            if (precision < 1) precision = 1;
            int e = 0;
            if (!d.digits.empty()) {
                RoundDigits(d, precision);
                e = d.exponent - 1;
            }
            body += DigitAt(d, 0);
            if (precision > 1) {
                body += decimalSeparator;
                for (int k = 1; k < precision; ++k) body += DigitAt(d, k);
            }
            body += 'E';
            body += ExponentDigits(e, 3, true);
            break;
        }
        case FloatStyle::General: {
            if (precision < 1) precision = 1;
            if (!d.digits.empty()) RoundDigits(d, precision);
            if (d.digits.empty()) {
                body = "0";
            } else if (d.exponent > precision || d.exponent < -3) {
                body += d.digits[0];
                if (d.digits.size() > 1) {
                    body += decimalSeparator;
                    body += d.digits.substr(1);
                }
                body += 'E';
                body += ExponentDigits(d.exponent - 1, 1, false);
            } else {
                const int decimals = std::max(0, int(d.digits.size()) - d.exponent);
                body = FixedText(d, decimals, decimalSeparator, thousandSeparator, false);
            }
            break;
        }
    }
    // A value that rounds to zero is written without a sign.
    const bool zero = d.digits.empty();
    return negative && !zero ? "-" + body : body;
}

}  // namespace classlib

namespace {

template <class CharT>
struct Formatter {
    using String = std::basic_string<CharT>;
    using View = std::basic_string_view<CharT>;

    View format;
    const TVarRec* args;
    std::size_t count;
    String out;
    std::size_t pos = 0;
    std::size_t nextArg = 0;

    [[noreturn]] void Fail() const {
        AnsiString shown;
        if constexpr (std::is_same_v<CharT, char>) {
            shown = AnsiString(format);
        } else {
            shown = WideToAnsi(format);
        }
        throw EConvertError("Format '" + shown + "' invalid or incompatible with argument");
    }

    const TVarRec& TakeArg() {
        if (nextArg >= count) Fail();
        return args[nextArg++];
    }

    bool AtDigit() const { return pos < format.size() && format[pos] >= CharT('0') && format[pos] <= CharT('9'); }

    // A decimal number or '*' (the next argument, an integer). False when neither is there.
    bool ReadNumber(int& value) {
        if (pos < format.size() && format[pos] == CharT('*')) {
            ++pos;
            const TVarRec& a = TakeArg();
            if (a.VType != TVarRecKind::Integer) Fail();
            value = a.VInteger;
            return true;
        }
        if (!AtDigit()) return false;
        std::int64_t v = 0;
        while (AtDigit()) {
            v = v * 10 + (format[pos] - CharT('0'));
            if (v > kMaxWidth) Fail();
            ++pos;
        }
        value = int(v);
        return true;
    }

    static String FromAnsi(std::string_view s) {
        if constexpr (std::is_same_v<CharT, char>) {
            return String(s);
        } else {
            return AnsiToWide(s);
        }
    }

    static String FromWide(std::u16string_view w) {
        if constexpr (std::is_same_v<CharT, char>) {
            return WideToAnsi(w);
        } else {
            return String(w);
        }
    }

    static String FromAscii(const std::string& s) { return String(s.begin(), s.end()); }

    String TextOf(const TVarRec& a) {
        switch (a.VType) {
            case TVarRecKind::Char: return FromAnsi(std::string_view(&a.VChar, 1));
            case TVarRecKind::WideChar: return FromWide(std::u16string_view(&a.VWideChar, 1));
            case TVarRecKind::PChar: return a.VPChar ? FromAnsi(a.VPChar) : String();
            case TVarRecKind::PWideChar: return a.VPWideChar ? FromWide(a.VPWideChar) : String();
            case TVarRecKind::AnsiString: return FromAnsi(*a.VAnsiString);
            case TVarRecKind::WideString: return FromWide(*a.VWideString);
            default: Fail();
        }
    }

    // Digits of an integer argument for d, u or x.
    std::string IntegerDigits(const TVarRec& a, char type, bool& negative) {
        negative = false;
        std::uint64_t magnitude;
        int bits;
        switch (a.VType) {
            case TVarRecKind::Integer:
                bits = 32;
                if (type == 'd' && a.VInteger < 0) {
                    negative = true;
                    magnitude = std::uint64_t(-(std::int64_t(a.VInteger)));
                } else {
                    magnitude = std::uint32_t(a.VInteger);
                }
                break;
            case TVarRecKind::Int64:
                bits = 64;
                if (type == 'd' && a.VInt64 < 0) {
                    negative = true;
                    magnitude = std::uint64_t(0) - std::uint64_t(a.VInt64);
                } else {
                    magnitude = std::uint64_t(a.VInt64);
                }
                break;
            case TVarRecKind::UInt64:
                bits = 64;
                magnitude = a.VUInt64;
                break;
            default: Fail();
        }
        (void)bits;
        char buf[32];
        auto res = std::to_chars(buf, buf + sizeof buf, magnitude, type == 'x' ? 16 : 10);
        std::string s(buf, res.ptr);
        if (type == 'x') {
            for (char& c : s) {
                if (c >= 'a' && c <= 'f') c = char(c - 'a' + 'A');
            }
        }
        return s;
    }

    void Pad(String text, int width, bool left) {
        if (int(text.size()) < width) {
            const String fill(std::size_t(width) - text.size(), CharT(' '));
            text = left ? text + fill : fill + text;
        }
        out += text;
    }

    String Run() {
        while (pos < format.size()) {
            const CharT c = format[pos++];
            if (c != CharT('%')) {
                out += c;
                continue;
            }
            if (pos >= format.size()) Fail();
            if (format[pos] == CharT('%')) {
                out += CharT('%');
                ++pos;
                continue;
            }
            int first = 0;
            bool haveFirst = ReadNumber(first);
            if (haveFirst && pos < format.size() && format[pos] == CharT(':')) {
                ++pos;
                if (first < 0) Fail();
                nextArg = std::size_t(first);
                haveFirst = false;
            }
            bool left = false;
            int width = 0;
            if (haveFirst) {
                width = first;
            } else {
                if (pos < format.size() && format[pos] == CharT('-')) {
                    left = true;
                    ++pos;
                }
                ReadNumber(width);
            }
            if (width < 0 || width > kMaxWidth) Fail();
            int precision = -1;
            if (pos < format.size() && format[pos] == CharT('.')) {
                ++pos;
                if (!ReadNumber(precision)) Fail();
                if (precision < 0 || precision > kMaxWidth) Fail();
            }
            if (pos >= format.size()) Fail();
            CharT type = format[pos++];
            if (type >= CharT('A') && type <= CharT('Z')) type = CharT(type - 'A' + 'a');
            const TVarRec& a = TakeArg();
            switch (type) {
                case CharT('d'):
                case CharT('u'):
                case CharT('x'): {
                    bool negative;
                    std::string digits = IntegerDigits(a, char(type), negative);
                    if (precision > int(digits.size())) digits.insert(0, std::size_t(precision) - digits.size(), '0');
                    if (negative) digits.insert(digits.begin(), '-');
                    Pad(FromAscii(digits), width, left);
                    break;
                }
                case CharT('e'):
                case CharT('f'):
                case CharT('g'):
                case CharT('n'): {
                    if (a.VType != TVarRecKind::Extended) Fail();
                    using classlib::FloatStyle;
                    FloatStyle style = type == CharT('e')   ? FloatStyle::Exponent
                                       : type == CharT('f') ? FloatStyle::Fixed
                                       : type == CharT('g') ? FloatStyle::General
                                                            : FloatStyle::Number;
                    int prec = precision;
                    if (prec < 0) prec = (type == CharT('e') || type == CharT('g')) ? 15 : 2;
                    if ((type == CharT('e') || type == CharT('g')) && prec > 18) prec = 18;
                    if (type == CharT('e') && prec == 0) prec = 1;
                    const std::string text =
                        classlib::FloatToText(a.VExtended, style, prec, DecimalSeparator(), ThousandSeparator());
                    Pad(FromAnsi(text), width, left);
                    break;
                }
                case CharT('s'): {
                    String text = TextOf(a);
                    if (precision >= 0 && int(text.size()) > precision) text.resize(std::size_t(precision));
                    Pad(text, width, left);
                    break;
                }
                case CharT('c'): {
                    if (a.VType != TVarRecKind::Char && a.VType != TVarRecKind::WideChar) Fail();
                    Pad(TextOf(a), width, left);
                    break;
                }
                case CharT('p'): {
                    if (a.VType != TVarRecKind::Pointer) Fail();
                    char buf[32];
                    auto res = std::to_chars(buf, buf + sizeof buf, std::uintptr_t(a.VPointer), 16);
                    std::string digits(buf, res.ptr);
                    for (char& ch : digits) {
                        if (ch >= 'a' && ch <= 'f') ch = char(ch - 'a' + 'A');
                    }
                    digits.insert(0, sizeof(void*) * 2 - digits.size(), '0');
                    Pad(FromAscii(digits), width, left);
                    break;
                }
                default: Fail();
            }
        }
        return out;
    }
};

}  // namespace

AnsiString FormatArgs(std::string_view format, const TVarRec* args, std::size_t count) {
    Formatter<char> f{format, args, count, {}};
    return f.Run();
}

WideString WideFormatArgs(std::u16string_view format, const TVarRec* args, std::size_t count) {
    Formatter<char16_t> f{format, args, count, {}};
    return f.Run();
}

AnsiString Format(std::string_view format, std::initializer_list<TVarRec> args) {
    return FormatArgs(format, args.begin(), args.size());
}

WideString WideFormat(std::u16string_view format, std::initializer_list<TVarRec> args) {
    return WideFormatArgs(format, args.begin(), args.size());
}
