#include "classlib/win/TGroupBox.h"

#include "classlib/win/ControlText.h"
#include "classlib/win/TCanvas.h"

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                  csReplicatable, csParentBackground});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::SetCtl3D(bool value) {
    if (value == ctl3D_) return;
    ctl3D_ = value;
    Realign();
    Invalidate();
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    const int border = ctl3D_ ? 2 : 1;
    rect.Top += FontTextHeight(Font());
    rect.Left += border;
    rect.Top += border;
    rect.Right -= border;
    rect.Bottom -= border;
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsSolid);
    const int h = canvas->TextHeight("0");
    TRect frame{0, h / 2 - 1, Width(), Height()};
    if (ctl3D_) {
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

    if (!HasCaptionText()) return;
    TRect r{8, 0, 0, h};
    const UINT flags = DT_SINGLELINE | DT_LEFT;
    DrawCaptionText(canvas, r, flags | DT_CALCRECT);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    DrawCaptionText(canvas, r, flags);
}

bool TCustomGroupBox::HasCaptionText() { return !Caption().empty(); }

void TCustomGroupBox::DrawCaptionText(TCanvas* canvas, TRect& rect, unsigned flags) {
    CanvasDrawText(canvas, Caption(), rect, flags);
}

void TCustomGroupBox::CMDialogChar(TMessage& message) {
    if (IsAccel(static_cast<unsigned>(message.WParam), Caption()) && CanFocus()) {
        if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomGroupBox>(this, message);
}

void TCustomGroupBox::CMTextChanged(TMessage& message) {
    DispatchInherited<TCustomGroupBox>(this, message);
    Invalidate();
}

void TCustomGroupBox::CMFontChanged(TMessage& message) {
    DispatchInherited<TCustomGroupBox>(this, message);
    Realign();
}
