#include "unicode/win/TUniGroupBox.h"

#include "classlib/win/TBrush.h"
#include "classlib/win/TFont.h"

void TUniCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    const int h = canvas->TextHeight("0");
    TRect frame{0, h / 2 - 1, Width(), Height()};
    if (Ctl3D()) {
        ++frame.Left;
        ++frame.Top;
        canvas->Brush()->SetColor(clBtnHighlight);
        canvas->FrameRect(frame);
        frame = TRect{frame.Left - 1, frame.Top - 1, frame.Right - 1, frame.Bottom - 1};
        canvas->Brush()->SetColor(clBtnShadow);
    } else {
        canvas->Brush()->SetColor(clWindowFrame);
    }
    canvas->FrameRect(frame);

    const WideString text = Caption();
    if (text.empty()) return;
    const UINT flags = DT_SINGLELINE | DT_LEFT;
    TRect r{8, 0, 0, h};
    uni::CanvasDrawTextW(canvas, text, r, flags | DT_CALCRECT);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    uni::CanvasDrawTextW(canvas, text, r, flags);
}

void TUniCustomGroupBox::CMDialogChar(TMessage& message) {
    if (uni::IsAccelMessageW(message, Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomGroupBox>(this, message);
}
