// String and number utilities. None of them uses the C locale: numbers are read and written with explicit
// separators, "UpperCase"-style functions fold ASCII only, and the "Ansi..." functions go through the code-page
// backend (the system locale in the Windows build, simple folding natively).
#pragma once
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "classlib/core/Types.h"

namespace classlib {
AnsiString SignedToStr(std::int64_t value);
AnsiString UnsignedToStr(std::uint64_t value);
AnsiString HexPattern(std::uint64_t pattern, int digits);
}  // namespace classlib

// Integers of any width and sign.
template <class T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) AnsiString IntToStr(T value) {
    if constexpr (std::is_signed_v<T>) {
        return classlib::SignedToStr(value);
    } else {
        return classlib::UnsignedToStr(value);
    }
}
// Upper-case hexadecimal with at least `digits` digits; a negative value shows its two's-complement pattern in the
// width of its type (8 digits for 32-bit values, 16 for 64-bit ones).
template <class T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) AnsiString IntToHex(T value, int digits) {
    if constexpr (sizeof(T) <= 4) {
        return classlib::HexPattern(std::uint32_t(value), digits);
    } else {
        return classlib::HexPattern(std::uint64_t(value), digits);
    }
}
// Decimal with optional leading blanks and sign, or hexadecimal after '$', "0x" or "0X" (sign allowed before it).
// Decimal text must fit int32; hexadecimal may use the full 32-bit pattern ("$FFFFFFFF" is -1).
// StrToInt raises EConvertError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view s);
// Each byte of an 8-bit text as the UTF-16 unit of the same number, read as unsigned: ASCII stays ASCII and
// 0xE9 becomes U+00E9, never U+FFE9. For digits and the other texts the program builds from bytes; text in
// the system's code page goes through AnsiToWide.
WideString WidenBytes(std::string_view bytes);
std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback);
bool TryStrToInt(std::string_view s, std::int32_t& value);
std::int64_t StrToInt64(std::string_view s);
bool TryStrToInt64(std::string_view s, std::int64_t& value);

// Floating values: up to 15 significant digits, the shorter of fixed and scientific form ("0.1", "1E20").
AnsiString FloatToStr(double value);  // with DecimalSeparator()
AnsiString FloatToStr(double value, char decimalSeparator);
// Accepts blanks around, an optional sign, digits with at most one separator, and an optional exponent
// ("E" or "e", optional sign, digits). Overflow to infinity is refused.
bool TryStrToFloat(std::string_view s, double& value);  // with DecimalSeparator()
bool TryStrToFloat(std::string_view s, double& value, char decimalSeparator);
double StrToFloat(std::string_view s);  // raises EConvertError "'<text>' is not a valid floating point value"

// Blanks and control characters (every character up to ' ') removed at the ends.
AnsiString Trim(std::string_view s);
AnsiString TrimLeft(std::string_view s);
AnsiString TrimRight(std::string_view s);
WideString Trim(std::u16string_view s);
WideString TrimLeft(std::u16string_view s);
WideString TrimRight(std::u16string_view s);

// Case-insensitive comparison: one helper per string kind (8-bit, UTF-16), its folding rule in its name.
// Compare... returns <0, 0 or >0.
// - ...Ascii: only 'A'-'Z' fold, every other unit compares as it is. For names this system or its files define
//   (components, classes, properties, resources, sections, keywords, extensions, font faces).
// - ...System: the user's locale, as the system compares; 8-bit text is in the system code page. For text
//   the user reads (list items, captions, file names shown in order). The UTF-16 forms are in CodePages.h.
int CompareTextAscii(std::string_view a, std::string_view b);
bool SameTextAscii(std::string_view a, std::string_view b);
int CompareTextAscii(std::u16string_view a, std::u16string_view b);
bool SameTextAscii(std::u16string_view a, std::u16string_view b);
int CompareTextSystem(std::string_view a, std::string_view b);
bool SameTextSystem(std::string_view a, std::string_view b);

// ASCII case: other bytes are left as they are.
char UpCase(char c);
AnsiString UpperCase(std::string_view s);
AnsiString LowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);

// System-locale case of 8-bit text in the system code page.
AnsiString AnsiUpperCase(std::string_view s);
AnsiString AnsiLowerCase(std::string_view s);
int AnsiCompareStr(std::string_view a, std::string_view b);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
// Replaces the first (or, with rfReplaceAll, every) occurrence of oldPattern; an empty pattern changes nothing.
// rfIgnoreCase matches with ASCII folding.
AnsiString StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                         TReplaceFlags flags);
// 1-based position of the first occurrence of sub in s; 0 when absent or when sub is empty.
int Pos(std::string_view sub, std::string_view s);
int Pos(std::u16string_view sub, std::u16string_view s);

// A hint "short|long": the short part is before the first '|'; the long part after it, or the whole text when
// there is no '|'.
AnsiString GetShortHint(std::string_view hint);
AnsiString GetLongHint(std::string_view hint);
WideString GetShortHint(std::u16string_view hint);
WideString GetLongHint(std::u16string_view hint);

// Quoting as comma text uses it: the text inside `quote`, every `quote` inside doubled.
AnsiString AnsiQuotedStr(std::string_view s, char quote);
