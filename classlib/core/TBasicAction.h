// Actions: commands that several clients (buttons, menu items, toolbar items) share. A client reaches its
// action through a link object, which the action keeps in its client list and tells about changes.
#pragma once
#include <vector>

#include "classlib/core/Method.h"
#include "classlib/core/TComponent.h"

class TBasicAction;

// The client side of the connection between a client and its action.
class TBasicActionLink : public TObject {
    CLASSLIB_COMPONENT(TBasicActionLink, TObject)

    explicit TBasicActionLink(TObject* client);
    // Leaves the action's client list.
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action_; }
    // Leaves the old action's client list and joins the new one's.
    virtual void SetAction(TBasicAction* value);
    // Executes the action with component as its ActionComponent for the duration of the call.
    virtual bool Execute(TComponent* component = nullptr);
    virtual bool Update();
    // Whether the client's click handler is the action's (true here).
    virtual bool IsOnExecuteLinked();
    virtual void SetOnExecute(TNotifyEvent value);

    TNotifyEvent OnChange;

protected:
    friend class TBasicAction;
    // Called when the action changed; fires OnChange.
    virtual void Change();
    virtual void AssignClient(TObject* client);

    TBasicAction* action_ = nullptr;
};

class TBasicAction : public TComponent {
    CLASSLIB_COMPONENT(TBasicAction, TComponent)

    explicit TBasicAction(TComponent* owner);
    // Detaches every client link (their Action becomes null).
    ~TBasicAction() override;

    // Whether the action can act on target (a control with focus, a form); false here.
    virtual bool HandlesTarget(TObject* target);
    virtual void UpdateTarget(TObject* target);
    virtual void ExecuteTarget(TObject* target);

    // Runs OnExecute when set (true); otherwise asks the application (false without one).
    virtual bool Execute();
    // Runs OnUpdate when set (true); otherwise asks the application (false without one).
    virtual bool Update();

    // The client component that triggered the current Execute, or null.
    TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(TComponent* value);

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);
    int ClientCount() const { return static_cast<int>(clients_.size()); }
    TBasicActionLink* Clients(int index) const;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;
    TNotifyEvent OnChange;

    // The old OnExecute is replaced; links whose client handler was the old one follow.
    void SetOnExecute(TNotifyEvent value);

    void Notification(TComponent* component, TOperation operation) override;

    // Fires OnChange and tells every client link.
    virtual void Change();

protected:
    std::vector<TBasicActionLink*> clients_;

private:
    TComponent* actionComponent_ = nullptr;
    // Whether the free-notification link to actionComponent_ was made for it (and must go with it): a client
    // that already follows the action shares that one link and must keep it.
    bool ownsComponentLink_ = false;
};

// How an action without its own handler reaches the application (its OnActionExecute/OnActionUpdate and the
// action-execute/-update messages to the application window). Unset until the application installs it; an
// unset route handles nothing.
using TActionRoute = Method<bool(TBasicAction* action)>;
void SetApplicationActionRoutes(TActionRoute execute, TActionRoute update);
TActionRoute ApplicationExecuteActionRoute();
TActionRoute ApplicationUpdateActionRoute();
