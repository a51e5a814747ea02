#include "unicode/win/UniStdControl.h"

#include <commctrl.h>

#include "unicode/core/HotKeys.h"
#include "unicode/core/WideCharMessage.h"
#include "unicode/win/WinCodePages.h"
#include "classlib/win/ControlText.h"
#include "classlib/win/WideChars.h"

namespace uni {

bool IsAccelMessageW(const TMessage& message, const WideString& caption) {
    const WideChar typed = WidenKeyChar(static_cast<std::uint16_t>(WideCharOfMessage(message)));
    return IsHotkeyCharW(typed, caption);
}

void UseUnicodeNotifications(TWinControl* control) {
    ::SendMessageW(control->WindowHandle(), CCM_SETUNICODEFORMAT, 1, 0);
}

void CanvasDrawTextW(TCanvas* canvas, const WideString& text, TRect& rect, UINT flags) {
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextAsMeasured(canvas->Handle(), text, r, flags);
    rect = TRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace uni
