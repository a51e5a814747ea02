#include "unicode/win/TUniButton.h"

void TUniButton::CMDialogChar(TMessage& message) {
    if (uni::IsAccelMessageW(message, Caption()) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    // Past the library's 8-bit test: the children (none) and the default answer.
    DispatchInherited<TButton>(this, message);
}
