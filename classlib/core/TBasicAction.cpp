#include "classlib/core/TBasicAction.h"

#include <algorithm>
#include <string>

#include "classlib/core/ScopeGuard.h"
namespace {
TActionRoute g_executeRoute;
TActionRoute g_updateRoute;
}  // namespace

void SetApplicationActionRoutes(TActionRoute execute, TActionRoute update) {
    g_executeRoute = execute;
    g_updateRoute = update;
}
TActionRoute ApplicationExecuteActionRoute() { return g_executeRoute; }
TActionRoute ApplicationUpdateActionRoute() { return g_updateRoute; }

// TBasicActionLink

TBasicActionLink::TBasicActionLink(TObject* client) { AssignClient(client); }

TBasicActionLink::~TBasicActionLink() {
    if (action_) action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (value == action_) return;
    if (action_) action_->UnRegisterChanges(this);
    if (value) value->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* component) {
    if (!action_) return false;
    TBasicAction* action = action_;
    action->SetActionComponent(component);
    TScopeExit done([this, action] {
        if (action_ == action) action->SetActionComponent(nullptr);
    });
    return action->Execute();
}

bool TBasicActionLink::Update() { return action_ ? action_->Update() : false; }

bool TBasicActionLink::IsOnExecuteLinked() { return true; }

void TBasicActionLink::SetOnExecute(TNotifyEvent) {}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(this);
}

void TBasicActionLink::AssignClient(TObject*) {}

// TBasicAction

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    while (!clients_.empty()) UnRegisterChanges(clients_.back());
    SetActionComponent(nullptr);
}

bool TBasicAction::HandlesTarget(TObject*) { return false; }
void TBasicAction::UpdateTarget(TObject*) {}
void TBasicAction::ExecuteTarget(TObject*) {}

bool TBasicAction::Execute() {
    if (OnExecute) {
        OnExecute(this);
        return true;
    }
    TActionRoute route = g_executeRoute;
    return route && route(this);
}

bool TBasicAction::Update() {
    if (OnUpdate) {
        OnUpdate(this);
        return true;
    }
    TActionRoute route = g_updateRoute;
    return route && route(this);
}

void TBasicAction::SetActionComponent(TComponent* value) {
    if (value == actionComponent_) return;
    if (actionComponent_ && ownsComponentLink_) actionComponent_->RemoveFreeNotification(this);
    actionComponent_ = value;
    ownsComponentLink_ = value && !value->HasFreeNotification(this);
    if (value) value->FreeNotification(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* link) {
    if (!link) return;
    if (link->action_ && link->action_ != this) link->action_->UnRegisterChanges(link);
    if (std::find(clients_.begin(), clients_.end(), link) == clients_.end()) clients_.push_back(link);
    link->action_ = this;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) {
    auto it = std::find(clients_.begin(), clients_.end(), link);
    if (it == clients_.end()) return;
    clients_.erase(it);
    link->action_ = nullptr;
}

TBasicActionLink* TBasicAction::Clients(int index) const {
    if (index < 0 || index >= ClientCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return clients_[static_cast<std::size_t>(index)];
}

void TBasicAction::SetOnExecute(TNotifyEvent value) {
    if (value == OnExecute) return;
    std::vector<TBasicActionLink*> snapshot = clients_;
    for (TBasicActionLink* link : snapshot)
        if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) link->SetOnExecute(value);
    OnExecute = value;
    Change();
}

void TBasicAction::Change() {
    if (OnChange) OnChange(this);
    std::vector<TBasicActionLink*> snapshot = clients_;
    for (TBasicActionLink* link : snapshot)
        if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) link->Change();
}

void TBasicAction::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == actionComponent_) actionComponent_ = nullptr;
}
