// Wide action texts reaching linked Unicode controls.
#include "classlib/core/TShortCut.h"
#include "classlib/win/THintWindow.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"

using namespace formtest;
using namespace unigui;

namespace {

// Two captions with the same 8-bit form in code page 1252 ("???"), and a third with another.
const WideString kFirst = u"\u0416\u0443\u043a";
const WideString kSecond = u"\u03a9\u03a8\u03a6";
const WideString kThird = u"\u041d\u043e\u0432\u044b\u0439 caf\u00e9";

class UniActions : public UniGuiTest {
protected:
    TWideTestButton* NewButton() {
        if (!form_) form_ = NewForm(320, 160);
        auto* button = Create<TWideTestButton>(Owner());
        button->SetBounds(10, 10, 120, 28);
        button->SetParent(form_);
        return button;
    }
    TForm* form_ = nullptr;
};

TEST_F(UniActions, ButtonShowsTheActionsWideCaptionAndFollowsItsChanges) {
    auto* action = Create<TUniAction>(Owner());
    action->SetCaption(kFirst);
    action->SetHint(u"\u0416|long");
    TWideTestButton* button = NewButton();
    button->SetAction(action);
    EXPECT_TRUE(button->ActionLink()->InheritsFrom(TUniButtonActionLink::StaticClass()));
    EXPECT_EQ(WindowTextW(button->Handle()), kFirst);
    EXPECT_EQ(uni::GetControlWideHint(button), u"\u0416|long");
    // Later changes reach the button, also one whose 8-bit form stays the same.
    for (const WideString& caption : {kSecond, kThird, WideString()}) {
        action->SetCaption(caption);
        EXPECT_EQ(WindowTextW(button->Handle()), caption) << uni::ToAnsi(caption);
        EXPECT_EQ(action->Caption(), caption);
    }
    action->SetHint(u"\u03a9|x");
    EXPECT_EQ(uni::GetControlWideHint(button), u"\u03a9|x");
    // Both follow the action: neither is stored with the button.
    EXPECT_FALSE(uni::IsWideCaptionStored(button));
    EXPECT_FALSE(uni::IsWideHintStored(button));
}

TEST_F(UniActions, WithDefaultCheckingOnlyAControlShowingItsNameTakesTheCaption) {
    auto* action = Create<TUniAction>(Owner());
    action->SetCaption(kThird);
    action->SetHint(u"\u0445\u0438\u043d\u0442");
    TWideTestButton* named = NewButton();
    named->SetName("OkButton");
    uni::SetControlWideText(named, u"OkButton");
    TWideTestButton* own = NewButton();
    uni::SetControlWideText(own, u"\u0421\u0432\u043e\u0439");
    uni::SetControlWideHint(own, u"mine");
    uni::ApplyWideActionTexts(named, action, true);
    uni::ApplyWideActionTexts(own, action, true);
    EXPECT_EQ(uni::GetControlWideText(named), kThird);
    EXPECT_EQ(uni::GetControlWideHint(named), u"\u0445\u0438\u043d\u0442");
    EXPECT_EQ(uni::GetControlWideText(own), u"\u0421\u0432\u043e\u0439");
    EXPECT_EQ(uni::GetControlWideHint(own), u"mine");
}

TEST_F(UniActions, HintOfALinkedButtonEndsInTheActionsShortcut) {
    Application->SetShowHint(true);
    Application->SetHintShortCuts(true);
    auto* action = Create<TUniAction>(Owner());
    action->SetHint(u"\u041e\u0442\u043a\u0440\u044b\u0442\u044c|long");
    action->SetShortCut(16463);  // Ctrl+O
    TWideTestButton* button = NewButton();
    button->SetShowHint(true);
    button->SetAction(action);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Showing(); }));
    Application->ActivateHint(button->ClientToScreen(Point(5, 5)));
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(WindowTextW(hint->WindowHandle()),
              u"\u041e\u0442\u043a\u0440\u044b\u0442\u044c (" + uni::FromAnsi(ShortCutToText(16463)) + u")");
    Application->CancelHint();
}

TEST_F(UniActions, AssignCopiesTheWideTexts) {
    auto* source = Create<TUniAction>(Owner());
    source->SetCaption(kFirst);
    source->SetHint(kSecond);
    auto* copy = Create<TUniAction>(Owner());
    copy->Assign(source);
    EXPECT_EQ(copy->Caption(), kFirst);
    EXPECT_EQ(copy->Hint(), kSecond);
    // A library action gives its 8-bit texts widened.
    auto* plain = Create<TAction>(Owner());
    plain->SetCaption(
        "Stra\xdf"
        "e");
    copy->Assign(plain);
    EXPECT_EQ(copy->Caption(), uni::FromAnsi("Stra\xdf"
                                             "e"));
}

TEST_F(UniActions, LinkClassFollowsTheKindOfControl) {
    EXPECT_EQ(uni::WideActionLinkClassFor(NewButton()).Class(), TUniButtonActionLink::StaticClass());
    auto* panel = Create<TWideTestPanel>(Owner());
    EXPECT_EQ(uni::WideActionLinkClassFor(panel).Class(), TUniWinControlActionLink::StaticClass());
    TObjectPtr<TControl> control = MakeObject<TControl>(nullptr);
    EXPECT_EQ(uni::WideActionLinkClassFor(control.get()).Class(), TUniControlActionLink::StaticClass());
}

}  // namespace
