#include "classlib/core/LineSpans.h"

namespace {

template <class View>
std::vector<TLineSpan> SpansOf(View text) {
    std::vector<TLineSpan> spans;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        const std::size_t breakLength = (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        spans.push_back({start, i - start, breakLength});
        i += breakLength;
        start = i;
    }
    if (start < text.size()) spans.push_back({start, text.size() - start, 0});
    return spans;
}

}  // namespace

std::vector<TLineSpan> LineSpans(std::string_view text) { return SpansOf(text); }
std::vector<TLineSpan> LineSpans(std::u16string_view text) { return SpansOf(text); }

AnsiString AdjustLineBreaks(const AnsiString& text) {
    AnsiString out;
    out.reserve(text.size());
    for (const TLineSpan& span : LineSpans(text)) {
        out.append(text, span.Start, span.Length);
        if (span.BreakLength) out += "\r\n";
    }
    return out;
}
