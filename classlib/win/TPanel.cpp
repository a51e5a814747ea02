#include "classlib/win/TPanel.h"

#include "classlib/win/ControlText.h"
#include "classlib/win/TCanvas.h"

namespace {
// Draws a frame of width pixels just inside rect (top and left edges in topLeft, the others in bottomRight)
// and moves rect inside it.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    canvas->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        canvas->Brush()->SetColor(topLeft);
        canvas->FillRect(TRect{rect.Left, rect.Top, rect.Right, rect.Top + 1});
        canvas->FillRect(TRect{rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
        canvas->Brush()->SetColor(bottomRight);
        canvas->FillRect(TRect{rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
        canvas->FillRect(TRect{rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
        rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}

void Bevel(TCanvas* canvas, TRect& rect, TBevelCut cut, int width, TColor face) {
    switch (cut) {
        case bvRaised: Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, width); break;
        case bvLowered: Frame3D(canvas, rect, clBtnShadow, clBtnHighlight, width); break;
        case bvSpace: Frame3D(canvas, rect, face, face, width); break;
        case bvNone: break;
    }
}
}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable, csParentBackground});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value == bevelInner_) return;
    bevelInner_ = value;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value == bevelOuter_) return;
    bevelOuter_ = value;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
    if (value < 1) value = 1;
    if (value == bevelWidth_) return;
    bevelWidth_ = value;
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0) value = 0;
    if (value == borderWidth_) return;
    borderWidth_ = value;
    FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::FrameChanged() {
    Realign();
    Invalidate();
}

int TCustomPanel::FrameWidth() const {
    return borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    const int frame = FrameWidth();
    rect = TRect{rect.Left + frame, rect.Top + frame, rect.Right - frame, rect.Bottom - frame};
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    Bevel(canvas, rect, bevelOuter_, bevelWidth_, Color());
    Frame3D(canvas, rect, Color(), Color(), borderWidth_);
    Bevel(canvas, rect, bevelInner_, bevelWidth_, Color());
    if (!ParentBackground()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
    }
    const AnsiString text = Caption();
    if (text.empty()) return;
    canvas->SetFont(Font());
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    CanvasDrawText(canvas, text, rect, DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DrawTextAlignment(alignment_));
}

void TCustomPanel::CMTextChanged(TMessage& message) {
    DispatchInherited<TCustomPanel>(this, message);
    Invalidate();
}
