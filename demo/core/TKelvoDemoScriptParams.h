// The parameters of one demonstration script line: values keyed 0, 1, 2 ... in order of appearance, each an
// integer, a double or a string.
#pragma once
#include <string_view>

#include "app/core/TKelvoProperties.h"

class TKelvoDemoScriptParams : public TKelvoProperties {
public:
    // Replaces the contents with the values of text. Values are separated by commas (blanks around them ignored;
    // a missing comma between two values also separates them; an empty place between two commas is an empty
    // string):
    // - a string in double or single quotes, in which the two characters "\n" become a line break (an
    //   unterminated string runs to the end of the text);
    // - a decimal number: a double when it holds "." or an exponent ("." is the separator whatever the locale),
    //   else an integer (one that does not fit 32 bits becomes a double);
    // - "true" and "false" (any case): the integers -1 and 0;
    // - anything else: a bare word up to the next blank or comma, as a string.
    void Parse(std::string_view text);

    // The value at index as a number (an integer or a double); false for a string or a missing value.
    bool GetNumber(std::int32_t index, double& value) const;
    // The value at index as text; false for a number or a missing value.
    bool GetText(std::int32_t index, AnsiString& value) const;
};
