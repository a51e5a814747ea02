// An edit for whole numbers with an up-down button inside its right edge. The text is the value: Value
// reads it back each time, so what the user typed counts at once.
#pragma once
#include "classlib/win/TEdit.h"
#include "classlib/win/TUpDown.h"

class TSpinEdit : public TCustomEdit {
    CLASSLIB_COMPONENT(TSpinEdit, TCustomEdit)
    CLASSLIB_MESSAGES(TSpinEdit, CLASSLIB_ON(CM_WANTSPECIALKEY, &TSpinEdit::CMWantSpecialKey),
                      CLASSLIB_ON(WM_PASTE, &TSpinEdit::WMEditing), CLASSLIB_ON(WM_CUT, &TSpinEdit::WMEditing),
                      CLASSLIB_ON(WM_CLEAR, &TSpinEdit::WMEditing))

    explicit TSpinEdit(TComponent* owner);

    int MinValue() const { return minValue_; }
    void SetMinValue(int value) { minValue_ = value; }
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value) { maxValue_ = value; }
    // The number in the text; text that is no number gives MinValue. The result is held inside
    // MinValue..MaxValue unless the two are equal (then any number counts).
    int Value();
    // Shows value (held inside the range the same way).
    void SetValue(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value) { increment_ = value; }
    // Whether the user may type; the buttons and arrow keys work either way.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }

    TUpDown* Button() const { return button_; }
    // Value + Increment and Value - Increment.
    virtual void UpClick();
    virtual void DownClick();

protected:
    void CreateWnd() override;
    void Resize() override;
    // Up and Down step the value.
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    // Only digits, signs and control characters are typed, none while the editor is disabled; Enter is
    // taken here (it neither moves the focus nor presses a default button).
    void KeyPress(char& key) override;

    void CMWantSpecialKey(TMessage& message);
    void WMEditing(TMessage& message);

private:
    void ButtonChanging(TObject* sender, bool& allowChange, std::int16_t newValue, TUpDownDirection direction);
    void PlaceButton();

    TUpDown* button_ = nullptr;
    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    bool editorEnabled_ = true;
};
