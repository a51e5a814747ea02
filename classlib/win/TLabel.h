// A text on its parent, without a window. With AutoSize (default) it takes the size of its text (keeping
// its right edge when right-aligned); its accelerator focuses FocusControl. DoDrawText does both the
// measuring and the drawing, so a subclass that draws differently measures the same way.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/win/TGraphicControl.h"

class TWinControl;

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TGraphicControl {
    CLASSLIB_COMPONENT(TCustomLabel, TGraphicControl)
    CLASSLIB_MESSAGES(TCustomLabel, CLASSLIB_ON(CM_TEXTCHANGED, &TCustomLabel::CMTextChanged),
                      CLASSLIB_ON(CM_FONTCHANGED, &TCustomLabel::CMFontChanged),
                      CLASSLIB_ON(CM_DIALOGCHAR, &TCustomLabel::CMDialogChar))

    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    // Without, the label's rectangle is not filled with Color first.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // With (default), "&x" underlines x and makes it the accelerator; without, '&' is shown as it is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // Shortens text that does not fit (only without AutoSize).
    TEllipsisPosition EllipsisPosition() const { return ellipsisPosition_; }
    void SetEllipsisPosition(TEllipsisPosition value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value);

    void SetAutoSize(bool value) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;

protected:
    // The text shown: the caption.
    virtual AnsiString GetLabelText();
    // Draws the label text into rect with DrawText flags; with DT_CALCRECT only measures (rect receives the
    // extent). A disabled label is drawn twice: offset by one pixel in the highlight colour, then in place in
    // the shadow colour.
    virtual void DoDrawText(TRect& rect, UINT flags);
    void Paint() override;
    // Applies AutoSize: measures the text and resizes the label.
    virtual void AdjustBounds();

    void CMTextChanged(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMDialogChar(TMessage& message);

private:
    UINT BaseFlags() const;

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TEllipsisPosition ellipsisPosition_ = epNone;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
    CLASSLIB_COMPONENT(TLabel, TCustomLabel)

    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};
