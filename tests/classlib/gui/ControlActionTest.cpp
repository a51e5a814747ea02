// Controls and their actions: the values a control takes from its action, clicks that execute it, the
// idle update, and what happens when the action goes away.
#include <gtest/gtest.h>

#include "classlib/core/TCustomAction.h"
#include "classlib/win/TControlActionLink.h"
#include "classlib/win/TGraphicControl.h"

namespace {

class TActionDot : public TGraphicControl {
    CLASSLIB_COMPONENT(TActionDot, TGraphicControl)
    explicit TActionDot(TComponent* owner) : TGraphicControl(owner) {}
};

struct Counter {
    int executes = 0;
    int updates = 0;
    int clicks = 0;
    void Execute(TObject*) { ++executes; }
    void Update(TObject*) { ++updates; }
    void Click(TObject*) { ++clicks; }
};

}  // namespace

TEST(ControlAction, TheControlTakesTheActionsValuesAndClicksExecuteIt) {
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    Counter counter;
    TAction* action = Create<TAction>(owner.get());
    action->SetCaption("Open");
    action->SetHint("Opens a file");
    action->SetEnabled(false);
    action->SetHelpContext(12);
    action->OnExecute = MakeMethod<&Counter::Execute>(&counter);
    action->OnUpdate = MakeMethod<&Counter::Update>(&counter);

    TActionDot* dot = Create<TActionDot>(owner.get());
    dot->SetAction(action);
    EXPECT_EQ(dot->Action(), action);
    ASSERT_NE(dot->ActionLink(), nullptr);
    EXPECT_TRUE(dot->ActionLink()->InheritsFrom(TControlActionLink::StaticClass()));
    EXPECT_TRUE(dot->ControlStyle().Contains(csActionClient));
    EXPECT_EQ(dot->Caption(), "Open");
    EXPECT_EQ(dot->Hint(), "Opens a file");
    EXPECT_FALSE(dot->Enabled());
    EXPECT_EQ(dot->HelpContext(), 12);
    EXPECT_TRUE(dot->OnClick == action->OnExecute);
    EXPECT_TRUE(dot->ActionLink()->IsCaptionLinked());

    action->SetCaption("Open...");
    action->SetEnabled(true);
    EXPECT_EQ(dot->Caption(), "Open...");
    EXPECT_TRUE(dot->Enabled());

    dot->Click();
    EXPECT_EQ(counter.executes, 1);
    dot->InitiateAction();
    EXPECT_GE(counter.updates, 1);

    // A click handler of the control's own runs instead of the action.
    dot->OnClick = MakeMethod<&Counter::Click>(&counter);
    EXPECT_FALSE(dot->ActionLink()->IsOnExecuteLinked());
    dot->Click();
    EXPECT_EQ(counter.clicks, 1);
    EXPECT_EQ(counter.executes, 1);

    // A caption of the control's own is no longer linked.
    dot->SetCaption("Mine");
    EXPECT_FALSE(dot->ActionLink()->IsCaptionLinked());

    // The action goes away (after it has run, which changes its own free-notification links): the control
    // forgets it and keeps its values.
    Free(action);
    EXPECT_EQ(dot->Action(), nullptr);
    EXPECT_EQ(dot->Hint(), "Opens a file");
    dot->Click();
    EXPECT_EQ(counter.clicks, 2);

    // Clearing the action of a control drops the link.
    TAction* other = Create<TAction>(owner.get());
    dot->SetAction(other);
    dot->SetAction(nullptr);
    EXPECT_EQ(dot->ActionLink(), nullptr);
    EXPECT_FALSE(dot->ControlStyle().Contains(csActionClient));
    EXPECT_EQ(other->ClientCount(), 0);
}

TEST(ControlAction, TextOfAControlWithoutWindowIsAnsweredFromItsOwnText) {
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    TActionDot* dot = Create<TActionDot>(owner.get());
    dot->SetCaption("abcdef");
    char buf[4] = {'z', 'z', 'z', 'z'};
    EXPECT_EQ(dot->Perform(WM_GETTEXT, sizeof buf, reinterpret_cast<std::intptr_t>(buf)), 3);
    EXPECT_STREQ(buf, "abc") << "cut to the buffer, always terminated";
    EXPECT_EQ(dot->Perform(WM_GETTEXT, 0, reinterpret_cast<std::intptr_t>(buf)), 0);
    EXPECT_EQ(dot->Perform(WM_GETTEXTLENGTH), 6);
    EXPECT_EQ(dot->Perform(WM_SETTEXT, 0, 0), 1);
    EXPECT_EQ(dot->Caption(), "");
}
