// Where the lines of a text are: the start, the length and the line break of each, by the rules of the
// string lists (a line ends at CR LF, LF or CR; a last line without a break counts; an empty text has no
// lines). Multi-line edit controls keep their lines this way inside one text.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

#include "classlib/core/Types.h"

struct TLineSpan {
    std::size_t Start;
    std::size_t Length;       // without the line break
    std::size_t BreakLength;  // 0 (last line without a break), 1 or 2
    std::size_t End() const { return Start + Length + BreakLength; }
};

std::vector<TLineSpan> LineSpans(std::string_view text);
std::vector<TLineSpan> LineSpans(std::u16string_view text);

// The text with every line break made CR LF (the form edit controls show as a break).
AnsiString AdjustLineBreaks(const AnsiString& text);
