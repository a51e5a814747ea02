// A themed label: wrapped text without a tab stop whose accelerator focuses FocusControl, with an optional
// one-pixel underline along the bottom of its text.
#pragma once
#include "themed/win/TSkinTextObject.h"

class TSkinCustomLabel : public TSkinTextObject {
    CLASSLIB_COMPONENT(TSkinCustomLabel, TSkinTextObject)

    explicit TSkinCustomLabel(TComponent* owner);

    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);
    bool Underline() const { return underline_; }
    void SetUnderline(bool value);
    TColor UnderlineColor() const { return underlineColor_; }
    void SetUnderlineColor(TColor value);

    void DoAccelerator() override;
    TRect GetTextMargins() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;

private:
    TWinControl* focusControl_ = nullptr;
    bool underline_ = false;
    TColor underlineColor_ = clBtnShadow;
};

class TSkinLabel : public TSkinCustomLabel {
    CLASSLIB_COMPONENT(TSkinLabel, TSkinCustomLabel)
    explicit TSkinLabel(TComponent* owner) : TSkinCustomLabel(owner) {}
};
