#include "classlib/core/CaptionText.h"

char AccelChar(const AnsiString& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;  // a literal ampersand
    }
    return 0;
}

AnsiString LabelMeasureText(const AnsiString& text, bool showAccelChar) {
    std::size_t trailing = 0;
    while (trailing < text.size() && text[text.size() - 1 - trailing] == '&') ++trailing;
    // An odd run of '&' at the end leaves a lone prefix after the literal pairs.
    if (text.empty() || (showAccelChar && trailing % 2 == 1)) return text + ' ';
    return text;
}
