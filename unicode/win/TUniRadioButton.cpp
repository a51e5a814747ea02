#include "unicode/win/TUniRadioButton.h"

void TUniRadioButton::CMDialogChar(TMessage& message) {
    if (uni::IsAccelMessageW(message, Caption()) && CanFocus()) {
        SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TRadioButton>(this, message);
}
