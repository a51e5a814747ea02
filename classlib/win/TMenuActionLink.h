// The link between a menu item and its action: the item follows each value of the action that it has not
// changed itself.
#pragma once
#include "classlib/core/TActionLink.h"

class TMenuItem;

class TMenuActionLink : public TActionLink {
    CLASSLIB_COMPONENT(TMenuActionLink, TActionLink)

    // client must be a TMenuItem (EInvalidCast otherwise).
    explicit TMenuActionLink(TObject* client);

    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsGroupIndexLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;

    void SetCaption(const AnsiString& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetGroupIndex(int value) override;
    void SetHint(const AnsiString& value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(TNotifyEvent value) override;

protected:
    void AssignClient(TObject* client) override;
    TMenuItem* Client() const { return client_; }

private:
    TMenuItem* client_ = nullptr;
};
