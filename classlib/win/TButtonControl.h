// The common base of push buttons, check boxes and radio buttons (all built on the system's "BUTTON"
// class): a checked state for the kinds that have one, and an action link that carries the action's
// Checked to the button without raising the button's click.
#pragma once
#include "classlib/core/ControlTypes.h"
#include "classlib/win/TControlActionLink.h"
#include "classlib/win/TWinControl.h"

class TButtonControl : public TWinControl {
    CLASSLIB_COMPONENT(TButtonControl, TWinControl)

    explicit TButtonControl(TComponent* owner);

    // A push button has no checked state: false, and setting it does nothing.
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}

    // While true, a change of the checked state does not raise Click (the state is being set from outside,
    // e.g. by an action).
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool value) { clicksDisabled_ = value; }
    // Sets the checked state with clicks disabled.
    void SetCheckedQuietly(bool value);

    // For the kinds with a box (check box, radio button): the side of the text, taRightJustify (default)
    // right of the box, taLeftJustify left of it. A change makes the window again.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

protected:
    TControlActionLinkClass GetActionLinkClass() override;
    void ActionChange(TObject* sender, bool checkDefaults) override;
    // The style bits for the side of the text.
    DWORD TextSideStyle() const { return alignment_ == taLeftJustify ? BS_LEFTTEXT : 0; }

private:
    bool clicksDisabled_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TButtonActionLink : public TWinControlActionLink {
    CLASSLIB_COMPONENT(TButtonActionLink, TWinControlActionLink)

    explicit TButtonActionLink(TObject* client);

    bool IsCheckedLinked() override;
    void SetChecked(bool value) override;

private:
    TButtonControl* button_ = nullptr;
};
