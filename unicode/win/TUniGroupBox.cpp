#include "unicode/win/TUniGroupBox.h"

#include "classlib/win/TBrush.h"
#include "classlib/win/TFont.h"

bool TUniCustomGroupBox::HasCaptionText() { return !Caption().empty(); }

void TUniCustomGroupBox::DrawCaptionText(TCanvas* canvas, TRect& rect, unsigned flags) {
    uni::CanvasDrawTextW(canvas, Caption(), rect, flags);
}

void TUniCustomGroupBox::CMDialogChar(TMessage& message) {
    if (uni::IsAccelMessageW(message, Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomGroupBox>(this, message);
}
