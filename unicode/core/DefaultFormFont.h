// The font new forms get on systems newer than version 5: "Segoe UI" 9 where it is installed, otherwise
// "Tahoma" 8. On version 5 and older forms keep the font they were given.
#pragma once
#include "classlib/core/Types.h"

namespace uni {

struct TDefaultFormFont {
    bool UseDefaultFont = false;
    AnsiString Name = "Tahoma";
    int Size = 8;
};

// majorVersion: the system's major version; hasSegoeUI: whether the screen's font list holds "Segoe UI".
TDefaultFormFont ChooseDefaultFormFont(unsigned majorVersion, bool hasSegoeUI);

// The choice made at start-up (Tahoma 8, unused, until then).
const TDefaultFormFont& DefaultFormFont();
void SetDefaultFormFont(const TDefaultFormFont& font);

}  // namespace uni
