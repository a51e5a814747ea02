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

protected:
    TControlActionLinkClass GetActionLinkClass() override;
    void ActionChange(TObject* sender, bool checkDefaults) override;

private:
    bool clicksDisabled_ = false;
};

// The style bits a check box or radio button adds for the side of its text (taLeftJustify: text left of the
// box; otherwise right of it).
inline DWORD ButtonTextSideStyle(TAlignment alignment) { return alignment == taLeftJustify ? BS_LEFTTEXT : 0; }

class TButtonActionLink : public TWinControlActionLink {
    CLASSLIB_COMPONENT(TButtonActionLink, TWinControlActionLink)

    explicit TButtonActionLink(TObject* client);

    bool IsCheckedLinked() override;
    void SetChecked(bool value) override;

private:
    TButtonControl* button_ = nullptr;
};
