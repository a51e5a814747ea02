// The lines a text is drawn in without word breaks, as the system's text drawing splits them: at each line
// break (a single-line text is one line), and with prefixes on "&&" shown as '&' and "&x" as x (the prefix
// itself is not drawn).
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct TTextLine {
    std::u16string_view Source;  // the line as given, prefixes included
    std::u16string Shown;        // the characters drawn
};

std::vector<TTextLine> SplitTextLines(std::u16string_view text, bool singleLine, bool prefixes);
