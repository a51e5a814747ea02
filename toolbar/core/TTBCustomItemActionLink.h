// The link between an item and its action: the item follows each value of the action that it still shares
// with it (its value equals the action's), and a value it follows is not stored with the item.
#pragma once
#include "classlib/core/TActionLink.h"

class TTBCustomItem;

class TTBCustomItemActionLink : public TActionLink {
    CLASSLIB_COMPONENT(TTBCustomItemActionLink, TActionLink)

    // client must be a TTBCustomItem (EInvalidCast otherwise).
    explicit TTBCustomItemActionLink(TObject* client);

    bool IsCaptionLinked() override;
    bool IsCheckedLinked() override;
    bool IsEnabledLinked() override;
    bool IsHelpContextLinked() override;
    bool IsHintLinked() override;
    bool IsImageIndexLinked() override;
    bool IsShortCutLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;

    // The action's 8-bit caption and hint reach the item widened from the system code page.
    void SetCaption(const AnsiString& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(int value) override;
    void SetHint(const AnsiString& value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(TNotifyEvent value) override;

protected:
    void AssignClient(TObject* client) override;
    TTBCustomItem* Client() const { return client_; }

private:
    TTBCustomItem* client_ = nullptr;
};
