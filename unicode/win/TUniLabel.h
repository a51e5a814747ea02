// The Unicode label: no window of its own; it measures and draws its wide caption by the library label's
// layout rules, and its hot key focuses FocusControl.
#pragma once
#include "classlib/win/TLabel.h"
#include "unicode/win/UniStdControl.h"

class TUniCustomLabel : public TCustomLabel {
    CLASSLIB_COMPONENT(TUniCustomLabel, TCustomLabel)
    CLASSLIB_MESSAGES(TUniCustomLabel, CLASSLIB_ON(CM_DIALOGCHAR, &TUniCustomLabel::CMDialogChar))
    explicit TUniCustomLabel(TComponent* owner) : TCustomLabel(owner) {}

    WideString Caption() { return uni::GetControlWideText(this); }
    void SetCaption(const WideString& value) { uni::SetControlWideText(this, value); }
    WideString Hint() { return uni::GetControlWideHint(this); }
    void SetHint(const WideString& value) { uni::SetControlWideHint(this, value); }
    void DefineProperties(TFiler* filer) override;

protected:
    // Measuring: an empty text or one ending in "&" gets a blank, so the label keeps a line's height; the
    // prefix is off without accelerator characters; with an ellipsis and no AutoSize the ellipsis replaces
    // the others. A disabled label is drawn offset by (1, 1) in the highlight colour, then in place in the
    // shadow colour.
    void DoDrawText(TRect& rect, UINT flags) override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    TControlActionLinkClass GetActionLinkClass() override;
    void CMDialogChar(TMessage& message);
};

class TUniLabel : public TUniCustomLabel {
    CLASSLIB_COMPONENT(TUniLabel, TUniCustomLabel)
    explicit TUniLabel(TComponent* owner) : TUniCustomLabel(owner) {}
};
