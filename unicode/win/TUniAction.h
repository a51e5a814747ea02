// Actions with wide texts: TUniAction and TUniHintAction keep a wide caption and hint beside the 8-bit ones
// the class library shows its clients (in a TCustomActionHelper among the action's owned components), and
// the Unicode action links hand the wide texts to the linked Unicode controls.
#pragma once
#include "classlib/core/TCustomAction.h"
#include "classlib/core/TGUID.h"
#include "classlib/core/Types.h"

class TControl;

// Marks an action whose wide texts are kept by a helper.
class IWideTextAction {
public:
    static constexpr TGUID IID = TGUID::Parse("{59D0AE37-8161-4AD6-9102-14B28E5761EB}");

protected:
    virtual ~IWideTextAction() = default;
};

// The wide caption and hint of one action, each kept beside the action's 8-bit text. While the action's
// 8-bit text is being set to the form of a new wide text, readers still get the previous wide text (the
// links compare their clients with it to decide whether they follow the action).
class TCustomActionHelper : public TComponent {
    CLASSLIB_CLASS(TCustomActionHelper, TComponent)

public:
    struct TWideText {
        WideString wide;
        bool setting = false;
        WideString previous;
        AnsiString target;
    };
    explicit TCustomActionHelper(TCustomAction* action) : TComponent(action), action_(action) {}
    TCustomAction* Action() const { return action_; }
    TWideText Caption;
    TWideText Hint;

private:
    TCustomAction* action_;
};

class TUniAction : public TAction, public IWideTextAction {
    CLASSLIB_COMPONENT(TUniAction, TAction)
    explicit TUniAction(TComponent* owner) : TAction(owner) {}

    WideString Caption();
    void SetCaption(const WideString& value);
    WideString Hint();
    void SetHint(const WideString& value);
    void DefineProperties(TFiler* filer) override;
    // As the library's, then the wide caption and hint of a source action (or control).
    void Assign(TPersistent* source) override;
};

class TUniHintAction : public THintAction, public IWideTextAction {
    CLASSLIB_COMPONENT(TUniHintAction, THintAction)
    explicit TUniHintAction(TComponent* owner) : THintAction(owner) {}

    WideString Hint();
    void SetHint(const WideString& value);
    void DefineProperties(TFiler* filer) override;
    void Assign(TPersistent* source) override;
};

namespace uni {

// Through the helper for actions with wide texts; the 8-bit texts widened or narrowed for other custom
// actions; empty (and ignored) for actions without texts.
WideString GetActionWideCaption(TBasicAction* action);
void SetActionWideCaption(TBasicAction* action, const WideString& text);
WideString GetActionWideHint(TBasicAction* action);
void SetActionWideHint(TBasicAction* action, const WideString& text);
// The helper of an action with wide texts (made on first need), or null for any other action.
TCustomActionHelper* ActionHelper(TBasicAction* action);

// Called by the ActionChange of every Unicode control, form and frame before the library's own: the
// control takes the wide caption (with checkDefaults only while its text is empty or its name) and the
// wide hint (with checkDefaults only while it has none) of an action with wide texts.
void ApplyWideActionTexts(TControl* control, TObject* action, bool checkDefaults);

}  // namespace uni
