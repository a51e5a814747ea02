// Actions that nobody handled on their own reach a form: its active control is asked first, then the form
// itself and its controls; the first that takes the action carries it out.
#include <vector>

#include "classlib/core/TBasicAction.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

// An action that acts on one chosen target and notes every target it was offered.
class TTargetAction : public TBasicAction {
    CLASSLIB_COMPONENT(TTargetAction, TBasicAction)
    explicit TTargetAction(TComponent* owner) : TBasicAction(owner) {}
    TObject* wanted = nullptr;
    std::vector<TObject*> offered;
    std::vector<TObject*> executed;
    std::vector<TObject*> updated;

    bool HandlesTarget(TObject* target) override {
        offered.push_back(target);
        return target == wanted;
    }
    void ExecuteTarget(TObject* target) override { executed.push_back(target); }
    void UpdateTarget(TObject* target) override { updated.push_back(target); }
};

class FormAction : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm();
        first = NewBox(form, 10, 10);
        second = NewBox(form, 10, 40);
        form->SetActiveControl(second);
        action = Create<TTargetAction>(Owner());
    }
    std::intptr_t Send(std::uint32_t msg) { return form->Perform(msg, 0, reinterpret_cast<std::intptr_t>(action)); }

    TForm* form = nullptr;
    TFocusBox* first = nullptr;
    TFocusBox* second = nullptr;
    TTargetAction* action = nullptr;
};

TEST_F(FormAction, TheActiveControlThenTheFormThenItsControlsAreOffered) {
    action->wanted = first;
    EXPECT_EQ(Send(CM_ACTIONEXECUTE), 1);
    EXPECT_EQ(action->offered, (std::vector<TObject*>{second, form, first}));
    EXPECT_EQ(action->executed, std::vector<TObject*>{first});
    EXPECT_TRUE(action->updated.empty());

    action->offered.clear();
    action->wanted = second;
    EXPECT_EQ(Send(CM_ACTIONUPDATE), 1);
    EXPECT_EQ(action->offered, std::vector<TObject*>{second});
    EXPECT_EQ(action->updated, std::vector<TObject*>{second});

    action->wanted = form;
    EXPECT_EQ(Send(CM_ACTIONUPDATE), 1);
    EXPECT_EQ(action->updated, (std::vector<TObject*>{second, form}));
}

TEST_F(FormAction, AnActionNoTargetTakesIsNotHandled) {
    action->wanted = Owner();
    EXPECT_EQ(Send(CM_ACTIONEXECUTE), 0);
    EXPECT_EQ(Send(CM_ACTIONUPDATE), 0);
    EXPECT_TRUE(action->executed.empty());
    EXPECT_TRUE(action->updated.empty());
    EXPECT_EQ(form->Perform(CM_ACTIONEXECUTE, 0, 0), 0);
}

// Without handlers of its own the action goes through the application to the active form.
TEST_F(FormAction, AnActionWithoutHandlersReachesTheActiveForm) {
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    action->wanted = first;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(action->executed, std::vector<TObject*>{first});
    action->wanted = second;
    EXPECT_TRUE(action->Update());
    EXPECT_EQ(action->updated, std::vector<TObject*>{second});
}

}  // namespace
