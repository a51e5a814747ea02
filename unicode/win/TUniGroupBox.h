// The Unicode group box: a plain Unicode window that paints its frame and wide caption, and whose hot key
// focuses its first child.
#pragma once
#include "classlib/win/TGroupBox.h"
#include "unicode/win/UniStdControl.h"

class TUniCustomGroupBox : public uni::TUniWindowed<TCustomGroupBox> {
    CLASSLIB_COMPONENT(TUniCustomGroupBox, TCustomGroupBox)
    CLASSLIB_MESSAGES(TUniCustomGroupBox, CLASSLIB_ON(CM_DIALOGCHAR, &TUniCustomGroupBox::CMDialogChar))
    explicit TUniCustomGroupBox(TComponent* owner) : TUniWindowed(owner, nullptr) {}

protected:
    // The library's frame with the wide caption in it.
    bool HasCaptionText() override;
    void DrawCaptionText(TCanvas* canvas, TRect& rect, unsigned flags) override;
    void CMDialogChar(TMessage& message);
};

class TUniGroupBox : public TUniCustomGroupBox {
    CLASSLIB_COMPONENT(TUniGroupBox, TUniCustomGroupBox)
    explicit TUniGroupBox(TComponent* owner) : TUniCustomGroupBox(owner) {}
};
