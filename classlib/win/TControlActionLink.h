// The links between a control and its action: the control follows the action's caption, enabled state,
// hint, help context, visibility and click handler for as long as its own value equals the action's.
#pragma once
#include "classlib/core/TActionLink.h"

class TControl;
class TWinControl;

class TControlActionLink : public TActionLink {
    CLASSLIB_COMPONENT(TControlActionLink, TActionLink)

    explicit TControlActionLink(TObject* client);

    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    bool DoShowHint(AnsiString& hintStr);

    void SetCaption(const AnsiString& value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const AnsiString& value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(TNotifyEvent value) override;

protected:
    // Whether the client still has the action's value: same(action) compares one property.
    template <class Same>
    bool Follows(Same same) {
        TCustomAction* a = CustomAction();
        return a && client_ && same(a);
    }
    TControl* client_ = nullptr;
};

class TWinControlActionLink : public TControlActionLink {
    CLASSLIB_COMPONENT(TWinControlActionLink, TControlActionLink)

    explicit TWinControlActionLink(TObject* client) : TControlActionLink(client) {}
};
