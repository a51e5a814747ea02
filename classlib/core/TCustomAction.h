// Actions with the properties that linked clients show (caption, hint, state, image, shortcut), and actions
// kept in an action list.
#pragma once
#include "classlib/core/TBasicAction.h"
#include "classlib/core/TShortCut.h"

class TCustomActionList;

// An action that can belong to an action list, under a category.
class TContainedAction : public TBasicAction {
    CLASSLIB_COMPONENT(TContainedAction, TBasicAction)

    explicit TContainedAction(TComponent* owner);
    // Leaves its action list.
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return actionList_; }
    // Leaves the old list and joins the new one (at the end).
    void SetActionList(TCustomActionList* value);
    const AnsiString& Category() const { return category_; }
    void SetCategory(const AnsiString& value);
    // Position in the action list; -1 outside one. Setting it moves the action within the list.
    int Index() const;
    void SetIndex(int value);

    // The list's OnExecute first (it may handle the action), then the action's own handling.
    bool Execute() override;
    // The list's OnUpdate first, then the action's own.
    bool Update() override;

    TComponent* GetParentComponent() const override;
    bool HasParent() const override;
    void SetParentComponent(TComponent* value) override;

private:
    friend class TCustomActionList;
    TCustomActionList* actionList_ = nullptr;
    AnsiString category_;
};

class TCustomAction : public TContainedAction {
    CLASSLIB_COMPONENT(TCustomAction, TContainedAction)

    explicit TCustomAction(TComponent* owner);

    // Updates the action, then when it is enabled: toggles Checked for AutoCheck (an action of a radio group,
    // GroupIndex > 0, is only ever checked this way) and executes; false when disabled.
    bool Execute() override;
    // Called before showing the hint of a client; false suppresses it. Fires OnHint.
    virtual bool DoHint(AnsiString& hintStr);

    // Copies the client-visible properties (and handlers) of another custom action.
    void Assign(TPersistent* source) override;

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& value);
    bool Checked() const { return checked_; }
    // Checking an action with GroupIndex > 0 unchecks the other actions of its list with that group index.
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value);
    int GroupIndex() const { return groupIndex_; }
    // Joining a group with a checked action unchecks this one when another of the group is checked.
    void SetGroupIndex(int value);

    // Fired by DoHint with the hint text (which it may change) and whether to show it.
    Method<void(AnsiString& hintStr, bool& canShow)> OnHint;

private:
    template <class T, class Apply>
    void Set(T& field, const T& value, Apply apply);

    AnsiString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    int helpContext_ = 0;
    AnsiString hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    bool visible_ = true;
    bool autoCheck_ = false;
    int groupIndex_ = 0;
    bool checking_ = false;
};

class TAction : public TCustomAction {
    CLASSLIB_COMPONENT(TAction, TCustomAction)
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
};

// The action the application executes when its hint changes; whoever shows hints elsewhere (a status bar)
// handles it as a target.
class THintAction : public TCustomAction {
    CLASSLIB_COMPONENT(THintAction, TCustomAction)
    explicit THintAction(TComponent* owner) : TCustomAction(owner) {}
};
