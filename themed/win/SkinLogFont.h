// A log font seen as the font description that font settings and font events change, and written back.
#pragma once
#include <windows.h>

#include <algorithm>
#include <iterator>

#include "classlib/core/CodePages.h"
#include "themed/core/TFontSettings.h"

namespace skin {

// The log font's height stands for the size: it scales like a size in points, negative or not.
inline TFontDescription FontDescriptionOf(const LOGFONTW& log) {
    TFontDescription font;
    font.Size = log.lfHeight;
    font.Bold = log.lfWeight >= FW_BOLD;
    font.Italic = log.lfItalic != 0;
    font.Underline = log.lfUnderline != 0;
    font.StrikeOut = log.lfStrikeOut != 0;
    return font;
}

inline void ApplyFontDescription(const TFontDescription& font, LOGFONTW& log) {
    log.lfHeight = font.Size;
    log.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.Italic;
    log.lfUnderline = font.Underline;
    log.lfStrikeOut = font.StrikeOut;
    if (!font.Name.empty()) {
        const WideString face = AnsiToWide(font.Name.substr(0, kLogFontNameLength));
        std::fill(std::begin(log.lfFaceName), std::end(log.lfFaceName), L'\0');
        std::copy(face.begin(), face.end(), log.lfFaceName);
    }
}

}  // namespace skin
