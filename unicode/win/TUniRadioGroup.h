// The Unicode radio group: a group box with one TUniGroupButton per wide item, arranged in Columns; the
// item index is the checked button.
#pragma once
#include <vector>

#include "classlib/core/TObject.h"
#include "unicode/core/TUniStringList.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniRadioButton.h"

class TUniCustomRadioGroup;

// One button of a radio group: its keys go to the group, and a click makes it the group's item.
class TUniGroupButton : public TUniRadioButton {
    CLASSLIB_COMPONENT(TUniGroupButton, TUniRadioButton)
    CLASSLIB_MESSAGES(TUniGroupButton, CLASSLIB_ON(CN_COMMAND, &TUniGroupButton::CNCommand))
    TUniGroupButton(TComponent* owner);

protected:
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void CNCommand(TMessage& message);

private:
    TUniCustomRadioGroup* Group() const;
};

class TUniCustomRadioGroup : public TUniCustomGroupBox {
    CLASSLIB_COMPONENT(TUniCustomRadioGroup, TUniCustomGroupBox)
    CLASSLIB_MESSAGES(TUniCustomRadioGroup, CLASSLIB_ON(CM_ENABLEDCHANGED, &TUniCustomRadioGroup::CMEnabledChanged),
                      CLASSLIB_ON(CM_FONTCHANGED, &TUniCustomRadioGroup::CMFontChanged))
    explicit TUniCustomRadioGroup(TComponent* owner);
    ~TUniCustomRadioGroup() override;

    TUniStrings* Items() const { return items_.get(); }
    void SetItems(TUniStrings* value) { items_->Assign(value); }
    // -1 for none; clamped to -1 .. item count - 1 (stored as it is while the form is read).
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // 1..16 (clamped).
    int Columns() const { return columns_; }
    void SetColumns(int value);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TUniGroupButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    void Loaded() override;
    // The group always lets its item index change.
    virtual bool CanModify() { return true; }

protected:
    void Resize() override;
    void CMEnabledChanged(TMessage& message);
    void CMFontChanged(TMessage& message);

private:
    friend class TUniGroupButton;
    void ItemsChanged(TObject* sender);
    void SetButtonCount(int count);
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TUniGroupButton* button);

    TObjectPtr<TUniStringList> items_;
    std::vector<TUniGroupButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TUniRadioGroup : public TUniCustomRadioGroup {
    CLASSLIB_COMPONENT(TUniRadioGroup, TUniCustomRadioGroup)
    explicit TUniRadioGroup(TComponent* owner) : TUniCustomRadioGroup(owner) {}
};
