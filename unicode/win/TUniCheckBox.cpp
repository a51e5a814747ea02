#include "unicode/win/TUniCheckBox.h"

void TUniCustomCheckBox::CMDialogChar(TMessage& message) {
    if (uni::IsAccelMessageW(message, Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomCheckBox>(this, message);
}
