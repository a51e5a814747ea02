// Action lists: the actions of a form or module, grouped by category, with list-wide execute and update
// handlers and shortcut lookup. The list refers to its actions; their owner frees them.
#pragma once
#include <vector>

#include "classlib/core/TCustomAction.h"

enum TActionListState { asNormal, asSuspended, asSuspendedEnabled };

class TCustomActionList : public TComponent {
    CLASSLIB_COMPONENT(TCustomActionList, TComponent)

    explicit TCustomActionList(TComponent* owner);
    // The actions still in the list leave it (they are not freed).
    ~TCustomActionList() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    TContainedAction* Actions(int index) const;
    int IndexOfAction(const TContainedAction* action) const;
    void AddAction(TContainedAction* action);
    void RemoveAction(TContainedAction* action);

    // Fires OnExecute / OnUpdate; true when the handler set Handled. Nothing happens (false) while the list
    // is not in the normal state.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;

    // Executes the first custom action with that shortcut (after updating it) and reports whether one was
    // executed. Disabled or hidden actions take the shortcut without running.
    bool IsShortCut(TShortCut shortCut);

    TActionListState State() const { return state_; }
    // asSuspendedEnabled also enables every custom action of the list.
    void SetState(TActionListState value);

    void GetChildren(TGetChildProc proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void Notification(TComponent* component, TOperation operation) override;

    Method<void(TBasicAction* action, bool& handled)> OnExecute;
    Method<void(TBasicAction* action, bool& handled)> OnUpdate;
    TNotifyEvent OnChange;

protected:
    // Fires OnChange and passes the change on to the actions.
    virtual void Change();

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> actions_;
    TActionListState state_ = asNormal;
};

class TActionList : public TCustomActionList {
    CLASSLIB_COMPONENT(TActionList, TCustomActionList)
    explicit TActionList(TComponent* owner) : TCustomActionList(owner) {}
};
