// A frame with a caption around a group of controls. Its children are laid out below the caption, inside
// the frame. The accelerator of the caption focuses the first child that takes the focus.
#pragma once
#include "classlib/win/TCustomControl.h"

class TCustomGroupBox : public TCustomControl {
    CLASSLIB_COMPONENT(TCustomGroupBox, TCustomControl)
    CLASSLIB_MESSAGES(TCustomGroupBox, CLASSLIB_ON(CM_DIALOGCHAR, &TCustomGroupBox::CMDialogChar),
                      CLASSLIB_ON(CM_TEXTCHANGED, &TCustomGroupBox::CMTextChanged),
                      CLASSLIB_ON(CM_FONTCHANGED, &TCustomGroupBox::CMFontChanged))

    explicit TCustomGroupBox(TComponent* owner);

    // The frame is drawn raised in the highlight and shadow colours (default); without, in the frame colour.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) override;
    // The frame, starting half a text line below the top, and the caption 8 pixels in on the box's colour.
    void Paint() override;
    // The caption's part of Paint, for a box that keeps its caption elsewhere (a wide one): whether there is a
    // caption, and drawing it (or, with DT_CALCRECT, measuring it) into rect with DrawText's flags.
    virtual bool HasCaptionText();
    virtual void DrawCaptionText(TCanvas* canvas, TRect& rect, unsigned flags);

    void CMDialogChar(TMessage& message);
    void CMTextChanged(TMessage& message);
    void CMFontChanged(TMessage& message);

private:
    bool ctl3D_ = true;
};

class TGroupBox : public TCustomGroupBox {
    CLASSLIB_COMPONENT(TGroupBox, TCustomGroupBox)

    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};
