#include "themed/win/TSkinCheckBox.h"

#include <algorithm>
#include <vector>

TSkinCheckControl::TSkinCheckControl(TComponent* owner) : TSkinTextObject(owner) {
    SetTabStop(true);
    SetSpaceClicks(true);
}

TRect TSkinCheckControl::GetTextMargins() { return skin::CheckTextMargins(RightAligned()); }

TRect TSkinCheckControl::GetFocusRect() {
    const TRect r = MeasuredTextRect();
    return Rect(r.Left - 2, r.Top, r.Right + 2, r.Bottom);
}

void TSkinCheckControl::Paint() {
    const TRect inner = skin::ShrinkRect(ClientRect(), Margins()->Edges());
    const int state = skin::CheckStateWord(CheckValue(), Enabled(), Hot(), KeyPushed(), Pushed(), Focused());
    CurrentTheme().PaintFrameControl(Canvas()->Handle(), skin::CheckGlyphRect(inner, RightAligned()), GlyphKind(),
                                     state);
    TSkinTextObject::Paint();
}

// ---- Check box ----

void TSkinCustomCheckBox::SetState(TCheckBoxState value) {
    if (state_ == value) return;
    if (!DoChanging(value)) return;
    state_ = value;
    Invalidate();
    DoChange();
}

void TSkinCustomCheckBox::DoChange() {
    if (OnChange) OnChange(this);
}

void TSkinCustomCheckBox::Toggle() { SetState(skin::ToggledState(state_, allowGrayed_)); }

void TSkinCustomCheckBox::Click() {
    Toggle();
    Invalidate();
    TSkinCheckControl::Click();
}

// ---- Radio button ----

TSkinCustomRadioButton::TSkinCustomRadioButton(TComponent* owner) : TSkinCheckControl(owner) { SetTabStop(false); }

void TSkinCustomRadioButton::SetChecked(bool value) {
    if (checked_ == value) return;
    if (!DoChanging(value) || checked_ == value) return;
    checked_ = value;
    SetTabStop(value);
    if (value && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TSkinCustomRadioButton*>(Parent()->Controls(i));
            if (other && other != this && other->groupIndex_ == groupIndex_) other->SetChecked(false);
        }
    Invalidate();
    DoChange();
}

void TSkinCustomRadioButton::DoChange() {
    if (OnChange) OnChange(this);
}

void TSkinCustomRadioButton::Click() {
    if (!checked_) SetChecked(true);
    TSkinCheckControl::Click();
}

bool TSkinCustomRadioButton::DoKeyDown(std::uint16_t key, TShiftState shift) {
    const bool back = key == VK_UP || key == VK_LEFT, forward = key == VK_DOWN || key == VK_RIGHT;
    if (!(back || forward) || !shift.Empty() || !Parent()) return TSkinCheckControl::DoKeyDown(key, shift);
    // The group in tab order; the arrows move to the next enabled one round the end, and check it.
    std::vector<TWinControl*> order;
    Parent()->GetTabOrderList(order);
    std::vector<TSkinCustomRadioButton*> group;
    for (TWinControl* c : order) {
        auto* r = dynamic_cast<TSkinCustomRadioButton*>(c);
        if (r && r->Parent() == Parent() && r->groupIndex_ == groupIndex_) group.push_back(r);
    }
    const auto at = std::find(group.begin(), group.end(), this);
    if (at == group.end() || group.size() < 2) return true;
    const std::size_t n = group.size();
    std::size_t i = static_cast<std::size_t>(at - group.begin());
    for (std::size_t step = 1; step < n; ++step) {
        TSkinCustomRadioButton* next = group[(i + (forward ? step : n - step)) % n];
        if (!next->CanFocus()) continue;
        next->SetFocus();
        next->Click();
        break;
    }
    return true;
}
