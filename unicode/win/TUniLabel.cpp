#include "unicode/win/TUniLabel.h"

#include "classlib/win/TFont.h"
#include "classlib/win/TWinControl.h"

void TUniCustomLabel::DefineProperties(TFiler* filer) {
    TCustomLabel::DefineProperties(filer);
    uni::DefineWideProperties(filer, this);
}

void TUniCustomLabel::DoDrawText(TRect& rect, UINT flags) {
    TCanvas* canvas = Canvas();
    WideString text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text.back() == u'&'))) text += u' ';
    if (!ShowAccelChar()) flags |= DT_NOPREFIX;
    if (EllipsisPosition() != epNone && !AutoSize()) {
        flags &= ~static_cast<UINT>(DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS);
        flags |= EllipsisPosition() == epPathEllipsis  ? DT_PATH_ELLIPSIS
                 : EllipsisPosition() == epEndEllipsis ? DT_END_ELLIPSIS
                                                       : DT_WORD_ELLIPSIS;
    }
    canvas->SetFont(Font());
    if (Enabled() || (flags & DT_CALCRECT)) {
        uni::CanvasDrawTextW(canvas, text, rect, flags);
        return;
    }
    TRect shifted{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
    canvas->Font()->SetColor(clBtnHighlight);
    uni::CanvasDrawTextW(canvas, text, shifted, flags);
    canvas->Font()->SetColor(clBtnShadow);
    uni::CanvasDrawTextW(canvas, text, rect, flags);
}

void TUniCustomLabel::ActionChange(TObject* sender, bool checkDefaults) {
    uni::ApplyWideActionTexts(this, sender, checkDefaults);
    TCustomLabel::ActionChange(sender, checkDefaults);
}

TControlActionLinkClass TUniCustomLabel::GetActionLinkClass() { return uni::WideActionLinkClassFor(this); }

void TUniCustomLabel::CMDialogChar(TMessage& message) {
    TWinControl* target = FocusControl();
    if (target && Enabled() && ShowAccelChar() && uni::IsAccelMessageW(message, Caption()) && target->CanFocus()) {
        target->SetFocus();
        message.Result = 1;
        return;
    }
    DispatchInherited<TCustomLabel>(this, message);
}
