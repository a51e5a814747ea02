// The up-down control: two arrow buttons that step a Position between Min and Max, optionally showing it in
// an associated control (its buddy, usually an edit) placed beside it.
#pragma once
#include <cstdint>

#include "classlib/win/TWinControl.h"

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };

using TUDClickEvent = Method<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEventEx =
    Method<void(TObject* sender, bool& allowChange, std::int16_t newValue, TUpDownDirection direction)>;

class TUpDown : public TWinControl {
    CLASSLIB_COMPONENT(TUpDown, TWinControl)
    CLASSLIB_MESSAGES(TUpDown, CLASSLIB_ON(CN_NOTIFY, &TUpDown::CNNotify), CLASSLIB_ON(CN_HSCROLL, &TUpDown::CNScroll),
                      CLASSLIB_ON(CN_VSCROLL, &TUpDown::CNScroll))

    explicit TUpDown(TComponent* owner);

    // The buddy: placed beside the up-down (AlignButton side) and showing Position as plain digits.
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // The position, read back from the window (which reads the buddy's number when there is one).
    int Position();
    // Clamped to Min..Max; the buddy shows it.
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    // Stepping past one end goes on from the other.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    // The arrow keys step the position while the buddy has the focus.
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value);
    TUDAlignButton AlignButton() const { return alignButton_; }
    void SetAlignButton(TUDAlignButton value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);

    // An arrow was pressed and the position changed (this replaces the control's plain click event).
    TUDClickEvent OnClick;
    // Before a step: the handlers may refuse it. newValue is the position the step leads to.
    TUDChangingEventEx OnChangingEx;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // OnChangingEx; true allows the step.
    virtual bool CanChange(int newValue, TUpDownDirection direction);
    virtual void Click(TUDBtnType button);
    void CNNotify(TMessage& message);
    void CNScroll(TMessage& message);

private:
    std::intptr_t Send(UINT msg, WPARAM wParam, LPARAM lParam);
    void ApplySettings();
    void ShowInBuddy();

    TWinControl* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int increment_ = 1;
    bool wrap_ = false;
    bool arrowKeys_ = true;
    TUDAlignButton alignButton_ = udRight;
    TUDOrientation orientation_ = udVertical;
    TUpDownDirection lastDirection_ = updNone;
};
