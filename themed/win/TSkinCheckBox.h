// Themed check boxes and radio buttons: a 13 x 13 glyph painted by the theme at the side of the text, a tab
// stop, Space clicks. A check box cycles unchecked, (grayed,) checked; a radio button checks itself and
// unchecks the others of its group (same parent and GroupIndex), which the arrow keys walk through.
#pragma once
#include "themed/win/TSkinTextObject.h"

using skin::cbChecked;
using skin::cbGrayed;
using skin::cbUnchecked;
using skin::TCheckBoxState;

// The glyph, text margins and focus rectangle both kinds share.
class TSkinCheckControl : public TSkinTextObject {
    CLASSLIB_COMPONENT(TSkinCheckControl, TSkinTextObject)

    explicit TSkinCheckControl(TComponent* owner);

    TRect GetTextMargins() override;
    TRect GetFocusRect() override;

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    // 0 check box, 1 radio button, as the theme paints them.
    virtual int GlyphKind() = 0;
    virtual int CheckValue() = 0;
    bool RightAligned() { return GetTextAlignment() == taRightJustify; }
};

class TSkinCustomCheckBox : public TSkinCheckControl {
    CLASSLIB_COMPONENT(TSkinCustomCheckBox, TSkinCheckControl)

    explicit TSkinCustomCheckBox(TComponent* owner) : TSkinCheckControl(owner) {}

    TCheckBoxState State() const { return state_; }
    // Asks DoChanging, stores what it leaves, repaints and tells OnChange.
    void SetState(TCheckBoxState value);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }

    void Click() override;
    virtual void DoChange();
    // May change the new state, or refuse it (false).
    virtual bool DoChanging(TCheckBoxState& newState) { return true; }
    virtual void Toggle();

protected:
    int GlyphKind() override { return 0; }
    int CheckValue() override { return state_; }

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TSkinCheckBox : public TSkinCustomCheckBox {
    CLASSLIB_COMPONENT(TSkinCheckBox, TSkinCustomCheckBox)
    explicit TSkinCheckBox(TComponent* owner) : TSkinCustomCheckBox(owner) {}
};

class TSkinCustomRadioButton : public TSkinCheckControl {
    CLASSLIB_COMPONENT(TSkinCustomRadioButton, TSkinCheckControl)
    CLASSLIB_MESSAGES(TSkinCustomRadioButton, CLASSLIB_ON(WM_GETDLGCODE, &TSkinCustomRadioButton::WMGetDlgCode))

    explicit TSkinCustomRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    // Asks DoChanging; the tab stop follows; checking unchecks the group; repaints and tells OnChange.
    void SetChecked(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }

    void Click() override;
    virtual void DoChange();
    virtual bool DoChanging(bool& newValue) { return true; }
    bool DoKeyDown(std::uint16_t key, TShiftState shift) override;

protected:
    int GlyphKind() override { return 1; }
    int CheckValue() override { return checked_ ? 1 : 0; }
    // The arrow keys stay with the group instead of moving the focus through the form.
    void WMGetDlgCode(TMessage& message) { message.Result = DLGC_WANTARROWS; }

private:
    bool checked_ = false;
    int groupIndex_ = 0;
};

class TSkinRadioButton : public TSkinCustomRadioButton {
    CLASSLIB_COMPONENT(TSkinRadioButton, TSkinCustomRadioButton)
    explicit TSkinRadioButton(TComponent* owner) : TSkinCustomRadioButton(owner) {}
};
