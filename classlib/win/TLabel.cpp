#include "classlib/win/TLabel.h"

#include "classlib/core/CaptionText.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/ControlText.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/WindowDC.h"

namespace {
UINT EllipsisFlag(TEllipsisPosition position) {
    switch (position) {
        case epPathEllipsis: return DT_PATH_ELLIPSIS;
        case epEndEllipsis: return DT_END_ELLIPSIS;
        case epWordEllipsis: return DT_WORD_ELLIPSIS;
        default: return 0;
    }
}
}  // namespace

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable, csDoubleClicks});
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    TControlStyle style = ControlStyle();
    if (value)
        style.Exclude(csOpaque);
    else
        style.Include(csOpaque);
    SetControlStyle(style);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition value) {
    if (value == ellipsisPosition_) return;
    ellipsisPosition_ = value;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool value) {
    TGraphicControl::SetAutoSize(value);
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

AnsiString TCustomLabel::GetLabelText() { return Caption(); }

UINT TCustomLabel::BaseFlags() const {
    return DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | DrawTextAlignment(alignment_);
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
    TCanvas* canvas = Canvas();
    AnsiString text = GetLabelText();
    if (flags & DT_CALCRECT) text = LabelMeasureText(text, showAccelChar_);
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (ellipsisPosition_ != epNone && !AutoSize()) {
        flags &= ~static_cast<UINT>(DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS);
        flags |= EllipsisFlag(ellipsisPosition_);
    }
    canvas->SetFont(Font());
    if (Enabled() || (flags & DT_CALCRECT)) {
        CanvasDrawText(canvas, text, rect, flags);
        return;
    }
    TRect shifted{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
    canvas->Font()->SetColor(clBtnHighlight);
    CanvasDrawText(canvas, text, shifted, flags);
    canvas->Font()->SetColor(clBtnShadow);
    CanvasDrawText(canvas, text, rect, flags);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    if (!transparent_) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = client;
    const UINT flags = BaseFlags();
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int spare = rect.Height() - measured.Height();
        rect.Top += layout_ == tlBottom ? spare : spare / 2;
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!AutoSize() || ComponentState().Contains(csLoading)) return;
    // Measured on a screen DC: the label may have no parent window yet.
    TCanvas* canvas = Canvas();
    const TWindowDC screen;
    TScopeExit restore(
        [canvas, previous = canvas->HandleAllocated() ? canvas->Handle() : nullptr] { canvas->SetHandle(previous); });
    canvas->SetHandle(screen.Get());
    TRect rect = ClientRect();
    DoDrawText(rect, BaseFlags() | DT_CALCRECT);
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::CMTextChanged(TMessage& message) {
    DispatchInherited<TCustomLabel>(this, message);
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& message) {
    DispatchInherited<TCustomLabel>(this, message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& message) {
    if (focusControl_ && Enabled() && showAccelChar_ &&
        IsAccel(static_cast<unsigned>(message.WParam), GetLabelText()) && focusControl_->CanFocus()) {
        focusControl_->SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomLabel>(this, message);
}
