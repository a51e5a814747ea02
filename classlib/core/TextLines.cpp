#include "classlib/core/TextLines.h"

#include "classlib/core/LineSpans.h"

namespace {

std::u16string WithoutPrefixes(std::u16string_view line) {
    std::u16string shown;
    shown.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        // "&x" shows x; "&&" shows one '&'; a lone '&' at the end shows nothing.
        if (line[i] == u'&' && ++i == line.size()) break;
        shown += line[i];
    }
    return shown;
}

}  // namespace

std::vector<TTextLine> SplitTextLines(std::u16string_view text, bool singleLine, bool prefixes) {
    std::vector<TTextLine> lines;
    const auto add = [&](std::u16string_view line) {
        lines.push_back({line, prefixes ? WithoutPrefixes(line) : std::u16string(line)});
    };
    if (singleLine) {
        add(text);
        return lines;
    }
    for (const TLineSpan& span : LineSpans(text)) add(text.substr(span.Start, span.Length));
    if (lines.empty()) add(text);
    return lines;
}
