// The playback engine against a fake system: the test owns the clock and steps it, the pointer and the
// buttons are recorded, and every run goes tick by tick as the pacing thread would drive it.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/core/TComponent.h"
#include "demo/core/TKelvoDemoPlayback.h"
#include "demo/core/TKelvoDemoResolver.h"
#include "demo/core/TKelvoDemoScriptAction.h"

namespace {

class TFakeHost : public IKelvoDemoHost {
public:
    std::uint32_t now = 1000;
    TPoint pointer{0, 0};
    std::vector<std::uint32_t> buttons;
    bool swapped = false;
    int hiddenPointer = 0;  // the system's show count, below zero while hidden
    int hintsOff = 0;
    bool balloonShown = false;
    TPoint balloonTip;
    std::int32_t balloonCorner = -1;
    WideString balloonText;
    int runs = 0;  // BeginRun minus EndRun

    std::uint32_t TickCount() override { return now; }
    TPoint CursorPos() override { return pointer; }
    void MovePointer(TPoint point) override { pointer = point; }
    void MouseButton(std::uint32_t event) override { buttons.push_back(event); }
    bool ButtonsSwapped() override { return swapped; }
    void ShowPointer(bool show) override { hiddenPointer += show ? 1 : -1; }
    void ShowHints(bool show) override { hintsOff += show ? -1 : 1; }
    void ShowBalloon(TPoint tip, std::int32_t corner, const WideString& text) override {
        balloonShown = true;
        balloonTip = tip;
        balloonCorner = corner;
        balloonText = text;
    }
    void HideBalloon() override { balloonShown = false; }
    void BeginRun(TKelvoDemoPlayback&) override { ++runs; }
    void EndRun() override { --runs; }
};

class PlaybackTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::string>& lines) {
        TKelvoDemoScript script;
        script.Reset();
        for (const auto& line : lines) script.GetLines().push_back(line);
        playback.SetScript(script);
    }
    // Plays from the first line; the first tick runs at once, as the pacing thread's does.
    void Start(const std::vector<std::string>& lines) {
        Load(lines);
        ASSERT_TRUE(playback.Play(0));
        playback.Tick();
    }
    // ms later, one tick.
    bool After(std::uint32_t ms) {
        host.now += ms;
        return playback.Tick();
    }
    // Ticks every 10 ms until the run ends (at most limitMs).
    void RunOut(std::uint32_t limitMs = 60000) {
        for (std::uint32_t t = 0; t < limitMs && After(10);) t += 10;
    }
    void CatchErrors(bool stop = true) {
        playback.Events.OnError = [this, stop](const AnsiString& message, bool& s, const AnsiString& line) {
            errors.push_back(message + " | " + line);
            s = stop;
        };
    }

    TFakeHost host;
    TKelvoDemoPlayback playback{host};
    std::vector<std::string> errors;
};

}  // namespace

// From (0, 0) to (300, 400) at the default speed: 500 pixels take 2000 ms, eased at both ends; the curved path
// bends by sin(pi f) x min(|dx|, |dy|) / (3 x distance), and a horizontal curved move stays on its line.
TEST_F(PlaybackTest, MovesFollowTheEasedStraightAndCurvedPathsOnTheClock) {
    Start({"MouseMove 300, 400", "MouseCurvedMove 0, 0", "MouseCurvedMove 400, 0"});
    EXPECT_EQ(host.pointer, Point(0, 0));
    After(500);  // t = 0.25, f = 0.125: 37.5 rounds to 38
    EXPECT_EQ(host.pointer, Point(38, 50));
    After(500);
    EXPECT_EQ(host.pointer, Point(150, 200));
    After(999);
    EXPECT_EQ(playback.LineIndex(), 0);
    After(1);
    EXPECT_EQ(host.pointer, Point(300, 400));
    EXPECT_EQ(playback.LineIndex(), 1);

    After(10);  // the curved move back starts
    After(1000);
    EXPECT_EQ(host.pointer, Point(150 - 80, 200 - 60));  // (f dx + s dy, f dy + s dx) with dx, dy < 0
    After(1000);
    EXPECT_EQ(host.pointer, Point(0, 0));

    After(10);
    After(800);  // 400 pixels take 1600 ms; halfway
    EXPECT_EQ(host.pointer, Point(200, 0));
}

TEST_F(PlaybackTest, AMoveToWhereThePointerIsFinishesInItsFirstTick) {
    host.pointer = Point(70, 80);
    Start({"MouseMove 70, 80", "MouseMove"});
    EXPECT_EQ(playback.LineIndex(), 1);
    After(10);
    EXPECT_EQ(playback.LineIndex(), 2);
}

// The mended fault: at a speed where the move's duration rounds to 0 the progress divided by zero; now the move
// is a jump. MouseSpeed 0 keeps the speed, and speeds beyond 16 bits are cut to the largest.
TEST_F(PlaybackTest, SpeedsAreBoundedAndAZeroDurationMoveJumps) {
    Start({"MouseSpeed 0", "MouseSpeed 1e9", "MouseMove 1, 1", "MouseSpeed -3"});
    EXPECT_EQ(playback.MouseSpeed(), 5);
    After(10);
    EXPECT_EQ(playback.MouseSpeed(), 65535);
    After(10);
    EXPECT_EQ(host.pointer, Point(1, 1));
    EXPECT_EQ(playback.LineIndex(), 3);
    RunOut();
    EXPECT_EQ(playback.MouseSpeed(), 65535);
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
}

TEST_F(PlaybackTest, ScriptCoordinatesAndWaitsAreBounded) {
    Start({"MouseTo 1e12, -99999999", "Pause -5", "Pause 1e300"});
    EXPECT_EQ(host.pointer, Point(32767, -32768));
    After(10);
    EXPECT_EQ(playback.LineIndex(), 2);  // a negative wait is none
    After(10);
    After(3600 * 1000 - 1);
    EXPECT_EQ(playback.LineIndex(), 2);
    After(1);
    EXPECT_EQ(playback.LineIndex(), 3);
}

// A curved move between opposite corners of the coordinate range bulges past them half way; the pointer stays
// inside.
TEST(DemoMovePoint, TheBulgeOfACurvedMoveStaysInsideTheCoordinateRange) {
    const TPoint p = kelvodemo::MovePoint(Point(-32768, -32768), 65535, 65535, 0.5, 1);
    EXPECT_EQ(p, Point(32767, 32767));
    const TPoint q = kelvodemo::MovePoint(Point(32767, -32768), -65535, 65535, 0.5, 1);
    EXPECT_EQ(q, Point(32767, -32768));
}

// Time spent paused does not count, and the pointer stays where the script left it while it waits.
TEST_F(PlaybackTest, APauseWaitsItsTimeWithoutTheTimeSpentPaused) {
    host.pointer = Point(5, 6);
    Start({"Pause 1"});
    After(600);
    playback.Pause();
    host.now += 5000;
    EXPECT_TRUE(playback.Tick());
    playback.Resume();
    host.pointer = Point(100, 100);  // the user's hand
    After(300);
    EXPECT_EQ(host.pointer, Point(5, 6));
    EXPECT_EQ(playback.LineIndex(), 0);
    After(100);
    EXPECT_EQ(playback.LineIndex(), 1);
}

TEST_F(PlaybackTest, TwoDeactivationsAndOneActivationLeaveThePlaybackPaused) {
    int pauses = 0, resumes = 0;
    playback.Events.OnPause = [&] { ++pauses; };
    playback.Events.OnResume = [&] { ++resumes; };
    Start({"Pause 10"});
    playback.ApplicationDeactivated();
    playback.ApplicationDeactivated();
    playback.ApplicationActivated();
    EXPECT_EQ(playback.State(), TKelvoDemoState::Paused);
    playback.ApplicationActivated();
    EXPECT_EQ(playback.State(), TKelvoDemoState::Playing);
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(resumes, 1);
}

TEST_F(PlaybackTest, AnUnknownWordStopsWithItsMessageUnlessTheAnswerIsToGoOn) {
    CatchErrors();
    Start({"Foo 1", "MouseTo 9, 9"});
    EXPECT_EQ(errors, std::vector<std::string>{"Unknown command: \"FOO\" | Foo 1"});
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
    EXPECT_EQ(host.runs, 0);  // ended in the same tick: the pacing stops with it
    EXPECT_NE(host.pointer, Point(9, 9));

    errors.clear();
    CatchErrors(false);
    Start({"Foo 1", "MouseTo 9, 9"});
    After(10);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(host.pointer, Point(9, 9));
}

// A target nobody knows ends the demonstration with the message, never a crash; a command that raises does too.
TEST_F(PlaybackTest, AnUnknownTargetOrAFailingCommandEndsTheRunWithAMessage) {
    CatchErrors();
    Start({"MouseClick NoSuchButton"});
    EXPECT_EQ(errors, std::vector<std::string>{"Invalid arguments. | MouseClick NoSuchButton"});
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
    EXPECT_TRUE(host.buttons.empty());

    errors.clear();
    playback.Events.OnUserCommand = [](const AnsiString&, const TKelvoDemoScriptParams&, IKelvoDemoMacro&, bool&) {
        throw std::runtime_error("Cannot open the file.");
    };
    Start({"ImageOpen \"x.jpg\""});
    EXPECT_EQ(errors, std::vector<std::string>{"Cannot open the file. | ImageOpen \"x.jpg\""});
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
}

// Esc stops a playing run at once: the button the script holds is released where the script had the pointer, and the
// application's events are put back at the next tick. While paused Esc belongs to whatever paused the run.
TEST_F(PlaybackTest, EscStopsAtOnceAndGivesTheButtonBack) {
    Start({"MouseTo 40, 50", "MouseDown", "MouseMove 400, 50"});
    After(10);
    After(10);
    After(300);
    ASSERT_EQ(host.buttons, std::vector<std::uint32_t>{kDemoLeftDown});
    ASSERT_NE(host.pointer, Point(40, 50));

    const TPoint pressedAt = host.pointer;
    host.pointer = Point(0, 0);  // the user's hand

    playback.Pause();
    EXPECT_FALSE(playback.KeyMessage(true, 27));
    playback.Resume();
    EXPECT_FALSE(playback.KeyMessage(true, 'A'));
    EXPECT_TRUE(playback.KeyMessage(true, 27));
    EXPECT_EQ(host.buttons, (std::vector<std::uint32_t>{kDemoLeftDown, kDemoLeftUp}));
    EXPECT_EQ(host.pointer, pressedAt);
    EXPECT_FALSE(playback.IsPlaying());
    EXPECT_TRUE(playback.KeyMessage(false, 27));
    const TPoint stoppedAt = host.pointer;
    EXPECT_FALSE(After(10));
    EXPECT_EQ(host.pointer, stoppedAt);
    EXPECT_EQ(host.runs, 0);
}

TEST_F(PlaybackTest, AStopQueryAnsweredNoGoesOn) {
    playback.Events.OnStopQuery = [](bool& stop) { stop = false; };
    Start({"Pause 10"});
    EXPECT_FALSE(playback.Stop());
    EXPECT_EQ(playback.State(), TKelvoDemoState::Playing);
    EXPECT_EQ(playback.PauseCount(), 0);
}

// With swapped buttons the user's left button is the system's right one, for presses and for the release on
// stop; an error that ends the run releases a held button too.
TEST_F(PlaybackTest, ButtonsHonourSwappingAndAnErrorReleasesAHeldButton) {
    host.swapped = true;
    CatchErrors();
    Start({"MouseDown", "MouseRightDown", "MouseRightUp", "MouseDown", "Foo"});
    RunOut();
    EXPECT_EQ(host.buttons,
              (std::vector<std::uint32_t>{kDemoRightDown, kDemoLeftDown, kDemoLeftUp, kDemoRightDown, kDemoRightUp}));
}

TEST_F(PlaybackTest, AClickMovesThenPressesAndReleasesOneStepPerTick) {
    Start({"MouseClick 10, 0", "MouseDblClick 10, 0"});
    After(40);  // 10 pixels take 40 ms
    EXPECT_EQ(host.pointer, Point(10, 0));
    EXPECT_TRUE(host.buttons.empty());
    After(10);
    After(10);
    EXPECT_EQ(host.buttons, (std::vector<std::uint32_t>{kDemoLeftDown, kDemoLeftUp}));
    RunOut();
    EXPECT_EQ(host.buttons.size(), 6u);
}

// A balloon shows at the pointer with the pointer hidden and hints off, steps aside while paused and leaves
// everything as it was; "%name" without such a text shows nothing and does not wait; corner 7 is automatic.
TEST_F(PlaybackTest, AMessageShowsItsBalloonForItsTimeAndPutsEverythingBack) {
    host.pointer = Point(30, 40);
    Start({"Message \"Zoom In\", 2, 7", "Message \"%Intro\"", "Message '&abc', 0.5, 4"});
    EXPECT_TRUE(host.balloonShown);
    EXPECT_EQ(host.balloonTip, Point(30, 40));
    EXPECT_EQ(host.balloonCorner, 0);
    EXPECT_EQ(host.balloonText, u"Zoom In");
    EXPECT_EQ(host.hiddenPointer, -1);
    EXPECT_EQ(host.hintsOff, 1);

    playback.Pause();
    EXPECT_FALSE(host.balloonShown);
    EXPECT_EQ(host.hiddenPointer, 0);
    EXPECT_EQ(host.hintsOff, 0);
    host.now += 10000;
    playback.Resume();
    EXPECT_TRUE(host.balloonShown);
    After(1999);
    EXPECT_EQ(playback.LineIndex(), 0);
    After(1);
    EXPECT_FALSE(host.balloonShown);
    EXPECT_EQ(host.hiddenPointer, 0);
    EXPECT_EQ(host.hintsOff, 0);

    After(10);
    EXPECT_EQ(playback.LineIndex(), 2);
    After(10);
    EXPECT_EQ(host.balloonText, u"&abc");
    EXPECT_EQ(host.balloonCorner, 4);
}

TEST_F(PlaybackTest, TheEndOfTheScriptFinishesOnceAndPutsTheApplicationBack) {
    int finished = 0;
    playback.Events.OnFinish = [&] { ++finished; };
    Start({"; comment", "# comment"});
    EXPECT_EQ(host.runs, 1);
    After(10);
    EXPECT_FALSE(After(10));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(host.runs, 0);
    EXPECT_TRUE(playback.Play(0));
    EXPECT_FALSE(playback.Play(0));
}

namespace {

// Runs the commands it lists (logging its name) and knows one target.
class TFakeParticipant : public TComponent, public IKelvoDemoParticipant {
public:
    TFakeParticipant(TComponent* owner, std::string n, std::vector<std::string> c, TPoint p,
                     std::vector<std::string>* l)
        : TComponent(owner), name(std::move(n)), commands(std::move(c)), image(p), log(l) {}

    std::string name;
    std::vector<std::string> commands;
    TPoint image;
    std::vector<std::string>* log = nullptr;
    std::function<void(IKelvoDemoMacro&)> fill;

    void ExecuteDemoCommand(IKelvoDemoPlayback&, const AnsiString& word, bool& handled, IKelvoDemoMacro& macro,
                            const TKelvoProperties&) override {
        if (std::find(commands.begin(), commands.end(), word) == commands.end()) return;
        handled = true;
        log->push_back(name + " " + word);
        if (fill) fill(macro);
    }
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& p) override {
        AnsiString target;
        if (!static_cast<const TKelvoDemoScriptParams&>(params).GetText(0, target) || target != "Image") return;
        found = true;
        p = image;
    }
    void SetRecorder(IKelvoDemoPlayback*) override {}
    void ClearRecorder() override {}
};

// The registered names: the command ZOOMIN and the target OK.
class TFakeNames : public IKelvoDemoNames {
public:
    std::vector<std::string>* log = nullptr;
    bool FindTarget(const TKelvoDemoScriptParams& params, TPoint& point) override {
        AnsiString name;
        if (!params.GetText(0, name) || name != "OK") return false;
        point = Point(1, 2);
        return true;
    }
    bool RunCommand(const AnsiString& word, const TKelvoDemoScriptParams&, IKelvoDemoMacro&) override {
        if (word != "ZOOMIN") return false;
        log->push_back("names " + word);
        return true;
    }
};

}  // namespace

// Registered names answer first, then every participant among the application's components, in their order,
// until one answers; the steps a command adds to its macro play after it, one per tick, so a command that waits
// never blocks.
TEST_F(PlaybackTest, CommandsAndTargetsGoToTheNamesThenToTheFirstParticipantThatAnswers) {
    std::vector<std::string> log;
    TFakeNames names;
    names.log = &log;
    TObjectPtr<TComponent> application = MakeObject<TComponent>(nullptr);
    Create<TComponent>(application.get());
    auto& first =
        *Create<TFakeParticipant>(application.get(), "first", std::vector<std::string>{"UNDO"}, Point(7, 8), &log);
    Create<TComponent>(application.get());
    auto& second = *Create<TFakeParticipant>(application.get(), "second",
                                             std::vector<std::string>{"UNDO", "TEXTMEMOYALTA"}, Point(9, 9), &log);
    second.fill = [&](IKelvoDemoMacro& macro) {
        macro.AddCall([&] { log.push_back("Y"); });
        macro.AddLine("Pause 0.5");
        macro.AddCall([&] { log.push_back("Ya"); });
    };
    TKelvoDemoResolver resolver(&names, ParticipantsOf(*application));
    resolver.Attach(playback);

    Start({"MouseTo OK", "MouseTo Image, 3, 4", "ZoomIn", "Undo", "TextMemoYalta", "MouseTo Image"});
    EXPECT_EQ(host.pointer, Point(1, 2));
    After(10);
    EXPECT_EQ(host.pointer, Point(7, 8));
    After(10);
    After(10);
    EXPECT_EQ(log, (std::vector<std::string>{"names ZOOMIN", "first UNDO"}));
    Free(&first);  // from now on the targets and commands go to the participant there is then
    RunOut(300);
    EXPECT_EQ(log, (std::vector<std::string>{"names ZOOMIN", "first UNDO", "second TEXTMEMOYALTA", "Y"}));
    RunOut(600);
    EXPECT_EQ(log.back(), "Ya");
    EXPECT_EQ(host.pointer, Point(9, 9));
    EXPECT_EQ(playback.State(), TKelvoDemoState::Idle);
}

// What the editor and its view write while recording: zoom and undo buttons, then a left drag on the image.
TEST_F(PlaybackTest, RecordingWritesTheLinesThatReplayTheUser) {
    Load({"Pause 1", "Pause 2"});
    std::vector<std::pair<std::int32_t, std::string>> inserted;
    playback.Events.OnRecordLine = [&](std::int32_t index, const AnsiString& text) {
        inserted.emplace_back(index, text);
    };
    ASSERT_TRUE(playback.StartRecording(1));
    playback.RecordCommand("ZoomIn", "Zoom In");
    playback.RecordCommand("Undo", "Undo");
    playback.RecordMouseMove("Image", Point(1, 1));  // no button held: nothing
    playback.RecordMouseDown("Image", Point(10, 10), false);
    playback.RecordMouseMove("Image", Point(10, 10));
    playback.RecordMouseMove("Image", Point(11, 10));
    playback.RecordMouseMove("Image", Point(11, 10));
    playback.RecordMouseMove("Image", Point(12, 10));
    playback.RecordMouseUp("Image", Point(12, 10), false);
    playback.StopRecording();
    playback.RecordCommand("ZoomOut", "Zoom Out");  // after the recording: nothing

    EXPECT_EQ(playback.Script().GetLines(),
              (TKelvoDemoLines{"Pause 1", "MouseCurvedMove ZoomIn", "ZoomIn", "MouseCurvedMove Undo", "Undo",
                               "MouseCurvedMove Image, 10, 10", "MouseDown Image, 10, 10", "MouseTo Image, 11, 10",
                               "MouseTo Image, 12, 10", "MouseUp Image, 12, 10", "Pause 0.5", "Pause 2"}));
    ASSERT_EQ(inserted.size(), 10u);
    EXPECT_EQ(inserted.front(), std::make_pair(1, std::string("MouseCurvedMove ZoomIn")));
    EXPECT_EQ(inserted.back(), std::make_pair(10, std::string("Pause 0.5")));
}

TEST_F(PlaybackTest, RecordingWithMessagesAddsThemAndAPressDuringADragMovesStraight) {
    Load({});
    playback.SetShowMessages(true);
    ASSERT_TRUE(playback.StartRecording(-1));
    playback.RecordCommand("ZoomIn", "Zoom In");
    playback.RecordMouseDown("Image", Point(1, 2), false);
    playback.RecordMouseDown("Image", Point(3, 4), true);
    EXPECT_EQ(playback.Script().GetLines(),
              (TKelvoDemoLines{"MouseCurvedMove ZoomIn", "Message \"Zoom In\"", "ZoomIn", "MouseCurvedMove Image, 1, 2",
                               "Message \"Click\"", "MouseDown Image, 1, 2", "MouseMove Image, 3, 4",
                               "Message \"Click\"", "MouseRightDown Image, 3, 4"}));
    EXPECT_FALSE(playback.Play(0));
    EXPECT_FALSE(playback.StartRecording(0));
}
