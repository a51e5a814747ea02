// A container with an optional caption, bevels and border. Its children are laid out inside the bevels and
// the border width.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/win/TCustomControl.h"
#include "classlib/win/TCustomForm.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
    CLASSLIB_COMPONENT(TCustomPanel, TCustomControl)
    CLASSLIB_MESSAGES(TCustomPanel, CLASSLIB_ON(CM_TEXTCHANGED, &TCustomPanel::CMTextChanged))

    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    // At least 1.
    void SetBevelWidth(int value);
    // Space between the outer and the inner bevel, filled with Color; at least 0.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // bsSingle gives the window a sunken client edge; other values none.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Where the caption goes, centred vertically.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;

    void CMTextChanged(TMessage& message);

private:
    // The width the bevels and border take on each side.
    int FrameWidth() const;
    void FrameChanged();

    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    CLASSLIB_COMPONENT(TPanel, TCustomPanel)

    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
