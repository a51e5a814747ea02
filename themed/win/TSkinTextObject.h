// A themed control with a wide caption and hint: it draws its caption by its alignment, wrapping and
// accelerator settings inside its margins, sizes its height to the caption (AutoSize, on by default), runs
// its accelerator and Enter as clicks, and shows the short part of its hint in the toolbar hint window.
// Form streams hold the caption as "Caption" and the hint as "Hint_W"; an older "Hint" entry is still read.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/core/Types.h"
#include "themed/core/SkinControlRules.h"
#include "themed/win/TSkinControl.h"
#include "themed/win/TSkinControlMargins.h"

class TFont;

using skin::TTextWrapping;
using skin::twEndEllipsis;
using skin::twNone;
using skin::twPathEllipsis;
using skin::twWrap;

class TSkinTextObject : public TSkinControl {
    CLASSLIB_COMPONENT(TSkinTextObject, TSkinControl)
    CLASSLIB_MESSAGES(TSkinTextObject, CLASSLIB_ON(CM_DIALOGCHAR, &TSkinTextObject::CMDialogChar),
                      CLASSLIB_ON(CM_FONTCHANGED, &TSkinTextObject::CMFontChanged),
                      CLASSLIB_ON(CM_HINTSHOW, &TSkinTextObject::CMHintShow),
                      CLASSLIB_ON(WM_UPDATEUISTATE, &TSkinTextObject::WMUpdateUIState))

    explicit TSkinTextObject(TComponent* owner);
    ~TSkinTextObject() override;

    const WideString& Caption() const { return caption_; }
    void SetCaption(const WideString& value);
    const WideString& Hint() const { return hint_; }
    void SetHint(const WideString& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TSkinControlMargins* Margins() const { return margins_.get(); }
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TTextWrapping Wrapping() const { return wrapping_; }
    void SetWrapping(TTextWrapping value);
    void SetAutoSize(bool value) override;

    void Loaded() override;
    void DefineProperties(TFiler* filer) override;

    // The font the caption is drawn in: the control's, then AdjustFont.
    virtual void AdjustFont(TFont* font) {}
    // The caption's size measured in the client width less margins and text margins, text margins added
    // to its height.
    virtual TSize GetTextSize();
    // Draws (or with DT_CALCRECT measures) the caption in rect.
    virtual void DoDrawText(HDC dc, TRect& rect, std::uint32_t flags);
    // After a change that alters the size: the auto size again, and a repaint.
    virtual void Changed();
    virtual TRect GetFocusRect() { return TRect{}; }
    virtual WideString GetCaptionText() { return caption_; }
    virtual TAlignment GetTextAlignment() { return alignment_; }
    virtual TRect GetTextMargins() { return TRect{}; }
    virtual std::uint32_t GetDrawTextFlags();
    virtual void DoAccelerator() { Click(); }
    // Enter while focused clicks; true when the key was used.
    virtual bool DoKeyDown(std::uint16_t key, TShiftState shift);

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    // The action's wide caption and hint (its 8-bit ones widened when it has none).
    void ActionChange(TObject* sender, bool checkDefaults) override;
    // A new width wraps the caption anew: the height follows.
    void Resize() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    // The caption's height in width (DT_CALCRECT with the drawing flags and the adjusted font).
    TSize MeasureText(int width);
    // Where the caption's text lies: measured in the client less margins and text margins, vertically
    // centred, at the side its alignment gives; the focus rectangles of links and check boxes start there.
    TRect MeasuredTextRect();
    // Draws the text in the colour, embossed when disabled.
    void DrawCaption(HDC dc, const WideString& text, TRect rect, std::uint32_t flags);
    void RepaintAndSize();

    void CMDialogChar(TMessage& message);
    void CMFontChanged(TMessage& message);
    void CMHintShow(TMessage& message);
    void WMUpdateUIState(TMessage& message);

private:
    void MarginsChanged(TObject* sender);

    WideString caption_;
    WideString hint_;
    TAlignment alignment_ = taLeftJustify;
    TObjectPtr<TSkinControlMargins> margins_;
    bool showAccelChar_ = true;
    TTextWrapping wrapping_ = twNone;
    bool sizing_ = false;
    int sizedWidth_ = -1;
    // The last measuring and its result.
    struct TMeasured {
        LOGFONTA font;
        int width;
        std::uint32_t flags;
        WideString text;
        TSize size;
    };
    static bool SameMeasuring(const TMeasured& a, const TMeasured& b);
    std::unique_ptr<TMeasured> measured_;
    // The adjusted font's colour while Paint runs.
    TColor paintColor_ = clWindowText;
};
