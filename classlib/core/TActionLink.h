// The link between a client and a custom action: the client asks, property by property, whether its value
// still follows the action, and receives the action's new values through the Set... operations. The base
// follows every property of a custom action and ignores the values; client link classes apply them.
#pragma once
#include "classlib/core/TCustomAction.h"

class TActionLink : public TBasicActionLink {
    CLASSLIB_COMPONENT(TActionLink, TBasicActionLink)

    explicit TActionLink(TObject* client) : TBasicActionLink(client) {}

    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsGroupIndexLinked();
    virtual bool IsHelpContextLinked();
    virtual bool IsHintLinked();
    virtual bool IsImageIndexLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsVisibleLinked();
    bool IsOnExecuteLinked() override;

    virtual void SetAutoCheck(bool value);
    virtual void SetCaption(const AnsiString& value);
    virtual void SetChecked(bool value);
    virtual void SetEnabled(bool value);
    virtual void SetGroupIndex(int value);
    virtual void SetHelpContext(int value);
    virtual void SetHint(const AnsiString& value);
    virtual void SetImageIndex(int value);
    virtual void SetShortCut(TShortCut value);
    virtual void SetVisible(bool value);

protected:
    // The linked action as a custom action, or null.
    TCustomAction* CustomAction() const;
};

// Client components pick their link class by a class reference and create the link for themselves:
// TActionLinkClass cls = GetActionLinkClass(); link = cls.Create(this).
using TActionLinkClass = TClassOf<TActionLink>;
