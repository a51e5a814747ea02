#include "classlib/win/TSpinEdit.h"

#include <algorithm>
#include <string>

#include "classlib/core/SpinValue.h"

namespace {
constexpr int kButtonWidth = 15;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    button_ = Create<TUpDown>(this);
    button_->SetArrowKeys(false);
    button_->SetTabStop(false);
    button_->OnChangingEx = MakeMethod<&TSpinEdit::ButtonChanging>(this);
    button_->SetParent(this);
    SetText("0");
    PlaceButton();
}

int TSpinEdit::Value() { return SpinValueOf(Text(), minValue_, maxValue_); }

void TSpinEdit::SetValue(int value) { SetText(std::to_string(ClampSpinValue(value, minValue_, maxValue_))); }

void TSpinEdit::UpClick() { SetValue(StepSpinValue(Value(), increment_, minValue_, maxValue_)); }

void TSpinEdit::DownClick() {
    SetValue(StepSpinValue(Value(), -static_cast<long long>(increment_), minValue_, maxValue_));
}

void TSpinEdit::ButtonChanging(TObject*, bool& allowChange, std::int16_t, TUpDownDirection direction) {
    // The value lives in the text, not in the button: step it here and leave the button where it is.
    allowChange = false;
    if (direction == updUp) UpClick();
    if (direction == updDown) DownClick();
}

void TSpinEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    // Text stops short of the button.
    ::SendMessageA(WindowHandle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth + 1));
    PlaceButton();
}

void TSpinEdit::Resize() {
    TCustomEdit::Resize();
    PlaceButton();
}

void TSpinEdit::PlaceButton() {
    if (!button_) return;
    const TRect client = ClientRect();
    button_->SetBounds(std::max(0, client.Width() - kButtonWidth), 0, kButtonWidth, client.Height());
}

void TSpinEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (key == VK_UP) {
        UpClick();
        key = 0;
    } else if (key == VK_DOWN) {
        DownClick();
        key = 0;
    }
    TCustomEdit::KeyDown(key, shift);
}

void TSpinEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    const auto c = static_cast<unsigned char>(key);
    if (key == '\r') {
        key = 0;  // a single-line edit would only beep
        return;
    }
    const bool control = c < 0x20;
    const bool allowed = control || (c >= '0' && c <= '9') || c == '-' || c == '+';
    if (!allowed || (!editorEnabled_ && !control) || (!editorEnabled_ && key == '\b')) key = 0;
}

void TSpinEdit::CMWantSpecialKey(TMessage& message) {
    if (message.WParam == VK_RETURN) {
        message.Result = 1;
        return;
    }
    DispatchInherited<TSpinEdit>(this, message);
}

void TSpinEdit::WMEditing(TMessage& message) {
    if (!editorEnabled_) {
        message.Result = 0;
        return;
    }
    DispatchInherited<TSpinEdit>(this, message);
}
