// A value of one of a few simple types, converted on request. Conversions that cannot be made raise
// EConvertError; numbers that do not fit the requested type raise ERangeError.
#pragma once
#include <cstdint>
#include <variant>

#include "classlib/core/Exceptions.h"
#include "classlib/core/Types.h"

enum TVarType { varEmpty, varInteger, varInt64, varDouble, varBoolean, varString, varOleStr };

class TVariant {
public:
    TVariant() = default;
    TVariant(std::int32_t v) : value_(v) {}
    TVariant(std::int64_t v) : value_(v) {}
    TVariant(double v) : value_(v) {}
    TVariant(bool v) : value_(v) {}
    TVariant(const AnsiString& v) : value_(v) {}
    TVariant(const char* v) : value_(AnsiString(v)) {}
    TVariant(const WideString& v) : value_(v) {}
    TVariant(const char16_t* v) : value_(WideString(v)) {}

    TVarType VarType() const { return static_cast<TVarType>(value_.index()); }
    bool IsEmpty() const { return VarType() == varEmpty; }
    void Clear() { value_ = std::monostate(); }

    // Empty gives 0, false or an empty text. Booleans are -1 (true) and 0 as numbers and "True"/"False" as
    // text; doubles round to the nearest integer, ties to even; text is parsed (decimal or $hex for integers,
    // '.' as the decimal separator for doubles, "True"/"False" or a number for booleans).
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    AnsiString AsString() const;
    // 8-bit text is widened through the system code page.
    WideString AsWideString() const;

    // Values of the same kind compare directly; numbers (and booleans) of different kinds compare as
    // numbers; text compares with text (8-bit widened); empty equals only empty. Never raises.
    friend bool operator==(const TVariant& a, const TVariant& b);

private:
    std::variant<std::monostate, std::int32_t, std::int64_t, double, bool, AnsiString, WideString> value_;
};
