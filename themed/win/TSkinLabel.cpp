#include "themed/win/TSkinLabel.h"

#include "themed/win/SkinDrawing.h"

using skin::DrawLineColor;
using skin::FillRectColor;
using skin::FrameRectColor;
using skin::RoundRectColor;

TSkinCustomLabel::TSkinCustomLabel(TComponent* owner) : TSkinTextObject(owner) {
    SetWrapping(twWrap);
    SetTabStop(false);
    // A click on a label leaves the focus where it is (an edit beside it keeps its caret).
    SetFocusOnPress(false);
}

void TSkinCustomLabel::SetFocusControl(TWinControl* value) {
    if (focusControl_ == value) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TSkinCustomLabel::Notification(TComponent* component, TOperation operation) {
    TSkinTextObject::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TSkinCustomLabel::SetUnderline(bool value) {
    if (underline_ == value) return;
    underline_ = value;
    Changed();
}

void TSkinCustomLabel::SetUnderlineColor(TColor value) {
    if (underlineColor_ == value) return;
    underlineColor_ = value;
    Invalidate();
}

void TSkinCustomLabel::DoAccelerator() {
    if (focusControl_ && focusControl_->CanFocus()) focusControl_->SetFocus();
}

TRect TSkinCustomLabel::GetTextMargins() { return Rect(0, 0, 0, underline_ ? 1 : 0); }

void TSkinCustomLabel::Paint() {
    TSkinTextObject::Paint();
    if (!underline_) return;
    const TRect r = skin::ShrinkRect(ClientRect(), Margins()->Edges());
    DrawLineColor(Canvas()->Handle(), r.Left, r.Bottom - 1, r.Right, r.Bottom - 1, underlineColor_);
}
