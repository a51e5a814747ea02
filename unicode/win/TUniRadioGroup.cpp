#include "unicode/win/TUniRadioGroup.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/ControlText.h"
#include "unicode/core/RadioGroupLayout.h"

TUniGroupButton::TUniGroupButton(TComponent* owner) : TUniRadioButton(owner) {}

TUniCustomRadioGroup* TUniGroupButton::Group() const { return dynamic_cast<TUniCustomRadioGroup*>(Parent()); }

void TUniGroupButton::KeyDown(std::uint16_t& key, TShiftState shift) {
    TUniRadioButton::KeyDown(key, shift);
    if (TUniCustomRadioGroup* group = Group()) group->KeyDown(key, shift);
}

void TUniGroupButton::KeyPress(char& key) {
    TUniRadioButton::KeyPress(key);
    TUniCustomRadioGroup* group = Group();
    if (!group) return;
    group->KeyPress(key);
    if ((key == '\b' || key == ' ') && !group->CanModify()) key = 0;
}

void TUniGroupButton::CNCommand(TMessage& message) {
    const bool wasChecked = Checked();
    DispatchInherited<TUniGroupButton>(this, message);
    if (!wasChecked && Checked())
        if (TUniCustomRadioGroup* group = Group()) group->ButtonClicked(this);
}

TUniCustomRadioGroup::TUniCustomRadioGroup(TComponent* owner)
    : TUniCustomGroupBox(owner), items_(MakeObject<TUniStringList>()) {
    items_->OnChange = MakeMethod<&TUniCustomRadioGroup::ItemsChanged>(this);
}

TUniCustomRadioGroup::~TUniCustomRadioGroup() { items_->OnChange = nullptr; }

void TUniCustomRadioGroup::SetItemIndex(int value) {
    if (ComponentState().Contains(csReading)) {
        itemIndex_ = value;
        return;
    }
    value = std::clamp(value, -1, ButtonCount() - 1);
    if (value == itemIndex_) return;
    if (itemIndex_ >= 0 && itemIndex_ < ButtonCount())
        buttons_[static_cast<std::size_t>(itemIndex_)]->SetCheckedQuietly(false);
    itemIndex_ = value;
    if (itemIndex_ >= 0) buttons_[static_cast<std::size_t>(itemIndex_)]->SetCheckedQuietly(true);
}

void TUniCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, uni::kMinRadioColumns, uni::kMaxRadioColumns);
    if (value == columns_) return;
    columns_ = value;
    ArrangeButtons();
    Invalidate();
}

void TUniCustomRadioGroup::Loaded() {
    TUniCustomGroupBox::Loaded();
    UpdateButtons();
}

void TUniCustomRadioGroup::Resize() {
    TUniCustomGroupBox::Resize();
    ArrangeButtons();
}

void TUniCustomRadioGroup::CMEnabledChanged(TMessage& message) {
    DispatchInherited<TUniCustomRadioGroup>(this, message);
    for (TUniGroupButton* button : buttons_) button->SetEnabled(Enabled());
}

void TUniCustomRadioGroup::CMFontChanged(TMessage& message) {
    DispatchInherited<TUniCustomRadioGroup>(this, message);
    ArrangeButtons();
}

void TUniCustomRadioGroup::ItemsChanged(TObject*) {
    if (ComponentState().Contains(csReading)) return;
    if (itemIndex_ >= items_->GetCount()) itemIndex_ = items_->GetCount() - 1;
    UpdateButtons();
}

void TUniCustomRadioGroup::SetButtonCount(int count) {
    while (ButtonCount() < count) {
        auto* button = Create<TUniGroupButton>(this);
        button->SetParent(this);
        buttons_.push_back(button);
    }
    while (ButtonCount() > count) {
        TUniGroupButton* last = buttons_.back();
        buttons_.pop_back();
        Free(last);
    }
}

void TUniCustomRadioGroup::UpdateButtons() {
    if (updating_) return;
    updating_ = true;
    TScopeExit done([this] { updating_ = false; });
    SetButtonCount(items_->GetCount());
    for (int i = 0; i < ButtonCount(); ++i) {
        TUniGroupButton* button = buttons_[static_cast<std::size_t>(i)];
        button->SetEnabled(Enabled());
        button->SetCaption(items_->Get(i));
        button->SetCheckedQuietly(i == itemIndex_);
    }
    ArrangeButtons();
    Invalidate();
}

void TUniCustomRadioGroup::ArrangeButtons() {
    if (ComponentState().Contains(csReading) || buttons_.empty()) return;
    uni::TRadioGroupMetrics m;
    m.buttonCount = ButtonCount();
    m.columns = columns_;
    m.width = Width();
    m.height = Height();
    m.textHeight = FontTextHeight(Font());
    m.clientWidth = ClientWidth();
    const std::vector<TRect> rects = uni::ArrangeRadioButtons(m);
    // The buttons move together: the group aligns once, after the last.
    DisableAlign();
    TScopeExit aligned([this] { EnableAlign(); });
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TRect& r = rects[i];
        buttons_[i]->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        buttons_[i]->SetVisible(true);
    }
}

void TUniCustomRadioGroup::ButtonClicked(TUniGroupButton* button) {
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    const int index = static_cast<int>(it - buttons_.begin());
    if (index == itemIndex_) return;
    itemIndex_ = index;
    for (int i = 0; i < ButtonCount(); ++i)
        if (i != index) buttons_[static_cast<std::size_t>(i)]->SetCheckedQuietly(false);
    Click();
}
