#include "classlib/core/TVariant.h"

#include <cmath>

#include "classlib/core/Checked.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"

namespace {
[[noreturn]] void RaiseConvert(const char* from, const char* to) {
    throw EConvertError(AnsiString("Could not convert variant of type (") + from + ") into type (" + to + ")");
}

const char* TypeName(TVarType t) {
    switch (t) {
        case varEmpty: return "Empty";
        case varInteger: return "Integer";
        case varInt64: return "Int64";
        case varDouble: return "Double";
        case varBoolean: return "Boolean";
        case varString: return "String";
        case varOleStr: return "OleStr";
    }
    return "Unknown";
}

std::int64_t RoundToInt64(double d) {
    if (!std::isfinite(d)) throw ERangeError("Variant value out of range");
    double r = std::nearbyint(d);
    // 2^63 is the first double outside int64.
    if (r >= 9223372036854775808.0 || r < -9223372036854775808.0) throw ERangeError("Variant value out of range");
    return static_cast<std::int64_t>(r);
}

bool ParseBool(const AnsiString& s, bool& out) {
    AnsiString t = Trim(s);
    if (SameTextAscii(t, "True")) {
        out = true;
        return true;
    }
    if (SameTextAscii(t, "False")) {
        out = false;
        return true;
    }
    double d;
    if (TryStrToFloat(t, d, '.')) {
        out = d != 0;
        return true;
    }
    return false;
}

std::int64_t ParseInt64(const AnsiString& s, const char* target) {
    std::int64_t v;
    if (TryStrToInt64(s, v)) return v;
    double d;
    if (TryStrToFloat(s, d, '.')) return RoundToInt64(d);
    RaiseConvert("String", target);
}
}  // namespace

std::int64_t TVariant::AsInt64() const {
    switch (VarType()) {
        case varEmpty: return 0;
        case varInteger: return std::get<std::int32_t>(value_);
        case varInt64: return std::get<std::int64_t>(value_);
        case varDouble: return RoundToInt64(std::get<double>(value_));
        case varBoolean: return std::get<bool>(value_) ? -1 : 0;
        case varString: return ParseInt64(std::get<AnsiString>(value_), "Int64");
        case varOleStr: return ParseInt64(WideToAnsi(std::get<WideString>(value_)), "Int64");
    }
    RaiseConvert("Unknown", "Int64");
}

std::int32_t TVariant::AsInteger() const {
    std::int64_t v = AsInt64();
    if (v < INT32_MIN || v > INT32_MAX) throw ERangeError("Variant value out of range");
    return static_cast<std::int32_t>(v);
}

double TVariant::AsDouble() const {
    switch (VarType()) {
        case varEmpty: return 0;
        case varInteger: return std::get<std::int32_t>(value_);
        case varInt64: return static_cast<double>(std::get<std::int64_t>(value_));
        case varDouble: return std::get<double>(value_);
        case varBoolean: return std::get<bool>(value_) ? -1 : 0;
        case varString:
        case varOleStr: {
            AnsiString s =
                VarType() == varString ? std::get<AnsiString>(value_) : WideToAnsi(std::get<WideString>(value_));
            double d;
            if (!TryStrToFloat(s, d, '.')) RaiseConvert(TypeName(VarType()), "Double");
            return d;
        }
    }
    RaiseConvert("Unknown", "Double");
}

bool TVariant::AsBoolean() const {
    switch (VarType()) {
        case varEmpty: return false;
        case varInteger: return std::get<std::int32_t>(value_) != 0;
        case varInt64: return std::get<std::int64_t>(value_) != 0;
        case varDouble: return std::get<double>(value_) != 0;
        case varBoolean: return std::get<bool>(value_);
        case varString:
        case varOleStr: {
            AnsiString s =
                VarType() == varString ? std::get<AnsiString>(value_) : WideToAnsi(std::get<WideString>(value_));
            bool b;
            if (!ParseBool(s, b)) RaiseConvert(TypeName(VarType()), "Boolean");
            return b;
        }
    }
    RaiseConvert("Unknown", "Boolean");
}

AnsiString TVariant::AsString() const {
    switch (VarType()) {
        case varEmpty: return AnsiString();
        case varInteger: return IntToStr(std::get<std::int32_t>(value_));
        case varInt64: return IntToStr(std::get<std::int64_t>(value_));
        case varDouble: return FloatToStr(std::get<double>(value_), '.');
        case varBoolean: return std::get<bool>(value_) ? "True" : "False";
        case varString: return std::get<AnsiString>(value_);
        case varOleStr: return WideToAnsi(std::get<WideString>(value_));
    }
    RaiseConvert("Unknown", "String");
}

WideString TVariant::AsWideString() const {
    if (VarType() == varOleStr) return std::get<WideString>(value_);
    return AnsiToWide(AsString());
}

bool operator==(const TVariant& a, const TVariant& b) {
    TVarType ta = a.VarType(), tb = b.VarType();
    if (ta == varEmpty || tb == varEmpty) return ta == tb;
    bool textA = ta == varString || ta == varOleStr, textB = tb == varString || tb == varOleStr;
    if (textA != textB) return false;
    if (textA) return a.AsWideString() == b.AsWideString();
    if (ta == varDouble || tb == varDouble) return a.AsDouble() == b.AsDouble();
    return a.AsInt64() == b.AsInt64();
}
