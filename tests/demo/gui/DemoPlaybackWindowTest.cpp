// A script played with real input on a form of buttons known by name: the pointer travels there, the clicks land
// on the named buttons as a user's would, a message shows its balloon, and Esc stops the run at once and gives
// the pointer and its button back.
#include "classlib/core/StringUtils.h"
#include "classlib/win/TButton.h"
#include "demo/core/TKelvoDemoPlayback.h"
#include "demo/core/TKelvoDemoResolver.h"
#include "demo/win/TKelvoBalloon.h"
#include "demo/win/TKelvoDemoWinHost.h"
#include "tests/support/RealInput.h"
#include "tests/demo/gui/DemoGuiTestSupport.h"

using namespace demotest;

namespace {

struct TClicks : TObject {
    int one = 0;
    int two = 0;
    int downs = 0;
    int ups = 0;
    void One(TObject*) { ++one; }
    void Two(TObject*) { ++two; }
    int deactivations = 0;
    void Down(TObject*, TMouseButton, TShiftState, int, int) { ++downs; }
    void Deactivated(TObject*) { ++deactivations; }
    void Up(TObject*, TMouseButton, TShiftState, int, int) { ++ups; }
};

// The buttons' centres by name, as the demonstrations module registers controls.
class TButtonNames : public IKelvoDemoNames {
public:
    std::vector<std::pair<AnsiString, TControl*>> controls;
    bool FindTarget(const TKelvoDemoScriptParams& params, TPoint& point) override {
        AnsiString name;
        if (!params.GetText(0, name)) return false;
        for (const auto& [key, control] : controls) {
            if (key != UpperCase(name)) continue;
            point = control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
            return true;
        }
        return false;
    }
    bool RunCommand(const AnsiString&, const TKelvoDemoScriptParams&, IKelvoDemoMacro&) override { return false; }
};

class DemoPlaybackWindowTest : public DemoGuiTest {
protected:
    void SetUp() override {
        DemoGuiTest::SetUp();
        form = ShownForm(500, 300);
        form->OnMouseDown = MakeMethod<&TClicks::Down>(&clicks);
        form->OnMouseUp = MakeMethod<&TClicks::Up>(&clicks);
        one = AddButton("One", 20, 20, MakeMethod<&TClicks::One>(&clicks));
        two = AddButton("Two", 300, 200, MakeMethod<&TClicks::Two>(&clicks));
        resolver.Attach(playback);
        playback.Events.OnError = [this](const AnsiString& message, bool&, const AnsiString&) {
            ADD_FAILURE() << message;
        };
    }
    TButton* AddButton(const char* name, int left, int top, TNotifyEvent click) {
        TButton* button = Create<TButton>(form);
        button->SetParent(form);
        button->SetBounds(left, top, 100, 30);
        button->SetCaption(name);
        button->OnClick = click;
        names.controls.emplace_back(UpperCase(name), button);
        return button;
    }
    void Play(const TKelvoDemoLines& lines) { PlayLines(playback, lines); }
    static TPoint Pointer() {
        POINT p;
        ::GetCursorPos(&p);
        return Point(p.x, p.y);
    }

    TForm* form = nullptr;
    TButton* one = nullptr;
    TButton* two = nullptr;
    TClicks clicks;
    TButtonNames names;
    TKelvoDemoResolver resolver{&names, nullptr};
    TKelvoDemoWinHost host;
    TKelvoDemoPlayback playback{host};
};

}  // namespace

TEST_F(DemoPlaybackWindowTest, TheClicksOfAScriptLandOnTheButtonsItNames) {
    testsupport::MoveTo(form->ClientToScreen(Point(250, 150)));
    bool balloonSeen = false;
    Play({"MouseSpeed 50", "MouseClick One", "Message \"Now the other one\", 0.3", "MouseCurvedMove Two", "MouseDown",
          "MouseUp"});
    ASSERT_TRUE(formtest::PumpUntil(
        [&] {
            balloonSeen |= host.Balloon() && ::IsWindowVisible(host.Balloon()->WindowHandle());
            return !playback.IsPlaying();
        },
        10000));
    EXPECT_EQ(clicks.one, 1);
    EXPECT_EQ(clicks.two, 1);
    EXPECT_TRUE(balloonSeen);
    EXPECT_FALSE(::IsWindowVisible(host.Balloon()->WindowHandle()));
    EXPECT_EQ(Pointer(), two->ClientToScreen(Point(50, 15)));
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
}

TEST_F(DemoPlaybackWindowTest, EscStopsTheRunAtOnceAndGivesThePointerAndItsButtonBack) {
    const TMessageEvent before = Application->OnMessage;
    const TPoint start = form->ClientToScreen(Point(150, 100));
    Play({"MouseSpeed 1", "MouseTo " + IntToStr(start.X) + ", " + IntToStr(start.Y), "MouseDown",
          "MouseMove " + IntToStr(start.X + 300) + ", " + IntToStr(start.Y)});  // 6 seconds
    // The script's press arrives, and the pointer travels with the button down.
    ASSERT_TRUE(formtest::PumpUntil([&] { return clicks.downs == 1 && Pointer().X > start.X + 3; }));
    EXPECT_EQ(clicks.ups, 0);

    testsupport::Press(VK_ESCAPE);
    ASSERT_TRUE(formtest::PumpUntil([&] { return playback.State() == TKelvoDemoState::Idle; }, 1000));
    EXPECT_TRUE(formtest::PumpUntil([&] { return clicks.ups == 1; }));
    EXPECT_TRUE(Application->OnMessage == before);
    // The pointer is the user's again: it stays where the hand puts it.
    const TPoint hand = form->ClientToScreen(Point(20, 250));
    testsupport::MoveTo(hand);
    formtest::PumpFor(100);  // proves that no late step of the run moves the pointer
    EXPECT_EQ(Pointer(), hand);
    EXPECT_EQ(clicks.one + clicks.two, 0);
}

// The pacing thread of a run that ends is never waited for, so a run may start inside the tick that ended the
// previous one (here from OnFinish) and plays on its own thread.
TEST_F(DemoPlaybackWindowTest, ARunStartedAsThePreviousOneFinishesPlays) {
    int finished = 0;
    playback.Events.OnFinish = [&] {
        if (++finished == 1) {
            EXPECT_TRUE(playback.Play(0));
        }
    };
    Play({"MouseSpeed 50", "MouseClick One"});
    ASSERT_TRUE(formtest::PumpUntil([&] { return finished == 2; }));
    EXPECT_EQ(clicks.one, 2);
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
}

// For the time of a run the application's deactivation pauses it and its activation resumes it, after the
// handlers the application had, which are back once the run is over.
TEST_F(DemoPlaybackWindowTest, DuringARunTheApplicationsActivationPausesAndResumesIt) {
    const TNotifyEvent own = MakeMethod<&TClicks::Deactivated>(&clicks);
    Application->OnDeactivate = own;
    Play({"Pause 30"});
    ASSERT_FALSE(Application->OnDeactivate == own);
    Application->OnDeactivate(Application);
    EXPECT_EQ(clicks.deactivations, 1);
    EXPECT_EQ(playback.State(), TKelvoDemoState::Paused);
    Application->OnActivate(Application);
    EXPECT_EQ(playback.State(), TKelvoDemoState::Playing);

    testsupport::Press(VK_ESCAPE);
    ASSERT_TRUE(formtest::PumpUntil([&] { return playback.State() == TKelvoDemoState::Idle; }));
    EXPECT_TRUE(Application->OnDeactivate == own);
    EXPECT_FALSE(Application->OnActivate);
    Application->OnDeactivate = nullptr;
}
