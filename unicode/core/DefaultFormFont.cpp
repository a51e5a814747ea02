#include "unicode/core/DefaultFormFont.h"

namespace uni {

namespace {
TDefaultFormFont g_font;
}

TDefaultFormFont ChooseDefaultFormFont(unsigned majorVersion, bool hasSegoeUI) {
    TDefaultFormFont font;
    if (majorVersion <= 5) return font;
    font.UseDefaultFont = true;
    if (hasSegoeUI) {
        font.Name = "Segoe UI";
        font.Size = 9;
    }
    return font;
}

const TDefaultFormFont& DefaultFormFont() { return g_font; }

void SetDefaultFormFont(const TDefaultFormFont& font) { g_font = font; }

}  // namespace uni
