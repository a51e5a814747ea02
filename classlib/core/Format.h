// Safe formatting: Format and WideFormat take their arguments as a list of tagged values, so every specifier is
// checked against the kind of argument it reads. A specifier without an argument, or whose argument has the wrong
// kind, raises EConvertError "Format '<format>' invalid or incompatible with argument" instead of reading memory
// that was never passed. Texts from language files are used as format strings, so this matters.
//
// Specifier: '%' [index ':'] ['-'] [width] ['.' precision] type, where index, width and precision are decimal
// numbers or '*' (taken from the next argument, which must be an integer). Types (letter case does not matter):
//   d  signed decimal of an integer; precision = least number of digits (zero padded)
//   u  unsigned decimal of an integer (a negative 32-bit value reads as its 32-bit pattern)
//   x  upper-case hexadecimal of an integer; precision = least number of digits
//   e  scientific "-d.ddd...E+ddd" of a floating value; precision = significant digits (default 15)
//   f  fixed "-ddd.ddd"; precision = decimals (default 2)
//   g  the shorter of fixed and scientific; precision = significant digits (default 15), trailing zeros dropped
//   n  like f with thousand separators
//   s  text (8-bit, wide, a single character); precision = most characters taken
//   c  one character
//   p  a pointer as upper-case hexadecimal, two digits per byte
//   %% a percent sign
// Width pads with blanks on the left, or on the right after '-'. Arguments left over are ignored. Floating values
// are rounded from their shortest exact decimal form, half away from zero. Floating output uses DecimalSeparator()
// and ThousandSeparator(), never the C locale.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <type_traits>

#include "classlib/core/Types.h"

enum class TVarRecKind {
    Integer,  // int32
    Int64,
    UInt64,
    Extended,  // double
    Boolean,
    Char,
    WideChar,
    PChar,
    PWideChar,
    AnsiString,
    WideString,
    Pointer,
};

// One argument of Format. Strings are held by address: the list lives only for the call, as any temporaries in
// the same full expression do.
struct TVarRec {
    TVarRecKind VType;
    union {
        std::int32_t VInteger;
        std::int64_t VInt64;
        std::uint64_t VUInt64;
        double VExtended;
        bool VBoolean;
        char VChar;
        char16_t VWideChar;
        const char* VPChar;
        const char16_t* VPWideChar;
        const ::AnsiString* VAnsiString;
        const ::WideString* VWideString;
        const void* VPointer;
    };

    TVarRec(int v) : VType(TVarRecKind::Integer), VInteger(v) {}
    // A 64-bit value keeps its width, so %x shows 16 digits for it.
    TVarRec(long v) { SetSigned(v, sizeof(long) > 4); }
    TVarRec(long long v) { SetSigned(v, true); }
    TVarRec(unsigned v) : VType(TVarRecKind::Int64), VInt64(v) {}
    TVarRec(unsigned long v) { SetUnsigned(v); }
    TVarRec(unsigned long long v) { SetUnsigned(v); }
    TVarRec(double v) : VType(TVarRecKind::Extended), VExtended(v) {}
    TVarRec(bool v) : VType(TVarRecKind::Boolean), VBoolean(v) {}
    TVarRec(char v) : VType(TVarRecKind::Char), VChar(v) {}
    TVarRec(char16_t v) : VType(TVarRecKind::WideChar), VWideChar(v) {}
    TVarRec(const char* v) : VType(TVarRecKind::PChar), VPChar(v) {}
    TVarRec(const char16_t* v) : VType(TVarRecKind::PWideChar), VPWideChar(v) {}
    TVarRec(const ::AnsiString& v) : VType(TVarRecKind::AnsiString), VAnsiString(&v) {}
    TVarRec(const ::WideString& v) : VType(TVarRecKind::WideString), VWideString(&v) {}
    TVarRec(std::nullptr_t) : VType(TVarRecKind::Pointer), VPointer(nullptr) {}
    template <class T>
    requires(!std::is_same_v<std::remove_cv_t<T>, char> && !std::is_same_v<std::remove_cv_t<T>, char16_t>) TVarRec(T* v)
        : VType(TVarRecKind::Pointer), VPointer(static_cast<const void*>(v)) {}

private:
    void SetSigned(long long v, bool wide) {
        if (!wide) {
            VType = TVarRecKind::Integer;
            VInteger = std::int32_t(v);
        } else {
            VType = TVarRecKind::Int64;
            VInt64 = v;
        }
    }
    void SetUnsigned(unsigned long long v) {
        if (v <= std::uint64_t(INT64_MAX)) {
            VType = TVarRecKind::Int64;
            VInt64 = std::int64_t(v);
        } else {
            VType = TVarRecKind::UInt64;
            VUInt64 = v;
        }
    }
};

using TVarRecs = std::initializer_list<TVarRec>;

AnsiString Format(std::string_view format, std::initializer_list<TVarRec> args);
WideString WideFormat(std::u16string_view format, std::initializer_list<TVarRec> args);
// The same over an argument array (for callers that forward their own lists).
AnsiString FormatArgs(std::string_view format, const TVarRec* args, std::size_t count);
WideString WideFormatArgs(std::u16string_view format, const TVarRec* args, std::size_t count);

// The separators floating output uses: '.' and ',' until set (the Windows build reads the user's locale once at
// start-up).
char DecimalSeparator();
void SetDecimalSeparator(char separator);
char ThousandSeparator();
void SetThousandSeparator(char separator);

namespace classlib {

enum class FloatStyle { General, Exponent, Fixed, Number };

// Formats a double: General with `precision` significant digits (exponent without '+' and without leading zeros,
// "1E20", "1.5E-7"); Exponent with `precision` significant digits and at least three exponent digits with sign
// ("1.50000000000000E+003"); Fixed and Number with `precision` decimals (Number groups thousands).
// NaN and infinities give "NAN", "INF", "-INF".
AnsiString FloatToText(double value, FloatStyle style, int precision, char decimalSeparator,
                       char thousandSeparator = ',');

}  // namespace classlib
