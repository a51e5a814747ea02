#include "demo/core/TKelvoDemoScriptParams.h"

#include "app/core/KelvoEditorDemo.h"

#include <cctype>

#include "classlib/core/StringUtils.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal number: optional sign, digits with at most one '.', at least one digit, optional exponent.
bool IsDecimalNumber(std::string_view s, bool& isDouble) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            digits = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    bool exponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        exponent = true;
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i >= s.size() || !IsDigit(s[i])) return false;
        while (i < s.size() && IsDigit(s[i])) ++i;
    }
    isDouble = point || exponent;
    return i == s.size();
}

}  // namespace

void TKelvoDemoScriptParams::Parse(std::string_view text) {
    Clear();
    std::int32_t key = 0;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool expectValue = true;  // true at the start and after a comma
    while (i < n) {
        while (i < n && IsBlank(text[i])) ++i;
        if (i >= n) break;
        const char c = text[i];
        if (c == ',') {
            if (expectValue) SetString(key++, AnsiString());
            expectValue = true;
            ++i;
            continue;
        }
        if (c == '"' || c == '\'') {
            AnsiString value;
            ++i;
            while (i < n && text[i] != c) {
                if (text[i] == '\\' && i + 1 < n && text[i + 1] == 'n') {
                    value += "\r\n";
                    i += 2;
                } else {
                    value += text[i++];
                }
            }
            if (i < n) ++i;  // the closing quote
            SetString(key++, value);
        } else {
            const std::size_t start = i;
            while (i < n && !IsBlank(text[i]) && text[i] != ',') ++i;
            const std::string_view word = text.substr(start, i - start);
            bool isDouble = false;
            std::int32_t integer = 0;
            double number = 0;
            if (SameTextAscii(word, "true")) {
                SetInteger(key++, -1);
            } else if (SameTextAscii(word, "false")) {
                SetInteger(key++, 0);
            } else if (IsDecimalNumber(word, isDouble)) {
                if (!isDouble && TryStrToInt(word, integer)) {
                    SetInteger(key++, integer);
                } else if (TryStrToFloat(word, number, '.')) {
                    SetDouble(key++, number);
                } else {
                    SetString(key++, AnsiString(word));  // beyond the range of a double
                }
            } else {
                SetString(key++, AnsiString(word));
            }
        }
        expectValue = false;
    }
}

bool TKelvoDemoScriptParams::GetNumber(std::int32_t index, double& value) const {
    return DemoParamNumber(*this, index, value);
}

bool TKelvoDemoScriptParams::GetText(std::int32_t index, AnsiString& value) const {
    return DemoParamText(*this, index, value);
}
