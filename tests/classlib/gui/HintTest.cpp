// The hint pipeline: CM_HINTSHOW through the control's WindowProc, the hint string passed on byte for byte, the
// window class chosen per hint, asking again when the pointer leaves the cursor rectangle, hiding on keys and
// after the timeout; mouse enter and leave notices and the application hint from the idle step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TCustomAction.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/TCustomControl.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/TMouse.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/WindowDC.h"

using apptest::EnsureApplication;
using apptest::PumpUntil;

namespace {

class HintTarget : public TCustomControl {
    CLASSLIB_COMPONENT(HintTarget, TCustomControl)
    explicit HintTarget(TComponent* owner) : TCustomControl(owner) {}
};

class RecordingHintWindow : public THintWindow {
    CLASSLIB_COMPONENT(RecordingHintWindow, THintWindow)
    explicit RecordingHintWindow(TComponent* owner) : THintWindow(owner) {}
    void ActivateHintData(TRect rect, const AnsiString& hint, void* data) override {
        activated.push_back(hint);
        THintWindow::ActivateHintData(rect, hint, data);
    }
    static inline std::vector<std::string> activated;
};

// What the Unicode layer does to a control: a handler of its own at the head of the WindowProc chain.
struct Trap : TObject {
    TWndMethod previous;
    int hintShows = 0;
    int enters = 0;
    int leaves = 0;
    std::intptr_t noticeParam = 0;
    THintInfo seen;
    bool veto = false;
    AnsiString replacement;
    TRect cursorRect;
    int hideTimeout = -1;

    void WndProc(TMessage& m) {
        if (m.Msg == CM_MOUSEENTER) {
            ++enters;
            noticeParam = m.LParam;
        }
        if (m.Msg == CM_MOUSELEAVE) ++leaves;
        if (m.Msg == CM_HINTSHOW) {
            ++hintShows;
            auto* info = reinterpret_cast<THintInfo*>(m.LParam);
            seen = *info;
            if (veto) {
                m.Result = 1;
                return;
            }
            info->HintStr = replacement;
            info->HintWindowClass = TClassOf<THintWindow>::Of<RecordingHintWindow>();
            if (!cursorRect.IsEmpty()) info->CursorRect = cursorRect;
            if (hideTimeout >= 0) info->HideTimeout = hideTimeout;
        }
        previous(m);
    }
};

// Every byte from 0x80 up, then UTF-8 text: nothing on the way may convert, split or cut it.
AnsiString HighBytes() {
    AnsiString s;
    for (int c = 0x80; c <= 0xFF; ++c) s += static_cast<char>(c);
    s += "|\xE2\x82\xAC \xC3\xBC";
    return s;
}

// One form for the whole suite: closing a window the system activated is slow under some displays.
class HintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        EnsureApplication();
        form = Create<TForm>(nullptr, NoBuilders);
        form->SetBounds(120, 120, 320, 220);
        target = Create<HintTarget>(form);
        target->SetParent(form);
        target->SetBounds(20, 20, 160, 100);
        target->SetHint("Short|Long hint");
        target->SetShowHint(true);
        form->Show();
    }
    static void TearDownTestSuite() {
        FreeAndNil(form);
        target = nullptr;
        Application->ProcessMessages();
    }
    void SetUp() override {
        pause = Application->HintPause();
        shortPause = Application->HintShortPause();
        ::SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::UpdateWindow(form->Handle());
        trap.previous = target->WindowProc;
        target->WindowProc = MakeMethod<&Trap::WndProc>(&trap);
        trap.replacement = HighBytes();
        RecordingHintWindow::activated.clear();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Application->CancelHint();
        Application->SetHintPause(pause);
        Application->SetHintShortPause(shortPause);
        target->WindowProc = trap.previous;
        Application->ProcessMessages();
    }
    TPoint InTarget(int x, int y) { return target->ClientToScreen(TPoint{x, y}); }
    bool HintShowing() {
        THintWindow* w = Application->HintWindow();
        return w && w->HandleAllocated() && ::IsWindowVisible(w->WindowHandle());
    }

    static inline TForm* form = nullptr;
    static inline HintTarget* target = nullptr;
    Trap trap;
    int pause = 0;
    int shortPause = 0;
};

}  // namespace

TEST_F(HintTest, HintShowGoesThroughWindowProcAndTheHintStringArrivesUntouched) {
    const TPoint p = InTarget(30, 40);
    Mouse->SetCursorPos(p);
    Application->ActivateHint(p);

    ASSERT_EQ(trap.hintShows, 1);
    EXPECT_EQ(trap.seen.HintControl, target);
    EXPECT_EQ(trap.seen.HintStr, "Short");
    EXPECT_EQ(trap.seen.CursorRect, target->ClientRect());
    EXPECT_EQ(trap.seen.CursorPos, (TPoint{30, 40}));
    EXPECT_EQ(trap.seen.HintMaxWidth, Screen->Width());
    EXPECT_EQ(trap.seen.HintData, nullptr);
    EXPECT_TRUE(trap.seen.HintWindowClass == Application->HintWindowClass());
    EXPECT_GT(trap.seen.HintPos.Y, p.Y);

    ASSERT_EQ(RecordingHintWindow::activated.size(), 1u);
    EXPECT_EQ(RecordingHintWindow::activated[0], HighBytes());
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(Application->HintWindow()->InheritsFrom(RecordingHintWindow::StaticClass()));
    EXPECT_EQ(Application->HintWindow()->HintText(), HighBytes());
    EXPECT_TRUE(HintShowing());

    // A handler that answers non-zero keeps the hint from showing.
    Application->CancelHint();
    trap.veto = true;
    Application->ActivateHint(p);
    EXPECT_EQ(trap.hintShows, 2);
    EXPECT_FALSE(HintShowing());
}

TEST_F(HintTest, ThePointerRestingOnAControlShowsItsHintAfterThePauseUntilAClick) {
    Application->SetHintPause(30);
    Mouse->SetCursorPos(form->ClientToScreen(TPoint{260, 180}));
    ASSERT_TRUE(apptest::PumpQueued());
    Application->CancelHint();
    trap.hintShows = 0;
    // The system's own pointer moves drive it from here.
    Mouse->SetCursorPos(InTarget(30, 30));
    EXPECT_TRUE(PumpUntil([&] { return trap.hintShows == 1 && HintShowing(); }, 2000));
    ::PostMessageA(target->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    ::PostMessageA(target->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    Application->ProcessMessages();
    EXPECT_FALSE(HintShowing());
    apptest::PumpFor(150);  // proves that the hint does not come back
    EXPECT_FALSE(HintShowing());
    EXPECT_EQ(trap.hintShows, 1);
}

TEST_F(HintTest, LeavingTheCursorRectAsksAgainAndKeysOrTheTimeoutHideTheHint) {
    trap.cursorRect = TRect{0, 0, 50, 50};
    Application->SetHintPause(30);
    Application->SetHintShortPause(20);
    const TPoint p = InTarget(10, 10);
    Mouse->SetCursorPos(p);
    // The pointer arrives and the pause starts; showing the hint at once ends the pause.
    TMessage move;
    move.Msg = WM_MOUSEMOVE;
    Application->CancelHint();
    Application->HintMouseMessage(target, move);
    Application->ActivateHint(p);
    ASSERT_TRUE(HintShowing());

    // Inside the rectangle nothing happens; leaving it inside the same control asks the control again.
    Mouse->SetCursorPos(InTarget(20, 20));
    Application->HintMouseMessage(target, move);
    apptest::PumpFor(100);  // proves that the control is not asked again
    EXPECT_EQ(trap.hintShows, 1);
    Mouse->SetCursorPos(InTarget(120, 80));
    Application->HintMouseMessage(target, move);
    EXPECT_TRUE(PumpUntil([&] { return trap.hintShows == 2 && HintShowing(); }, 2000));

    // A key press takes the hint down and still reaches its window.
    ::PostMessageA(form->Handle(), WM_KEYDOWN, VK_SHIFT, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(HintShowing());

    // The hide timeout the control chose.
    Application->CancelHint();
    trap.hideTimeout = 60;
    Application->ActivateHint(InTarget(120, 80));
    EXPECT_TRUE(HintShowing());
    EXPECT_TRUE(PumpUntil([&] { return !HintShowing(); }, 2000));
}

TEST_F(HintTest, TheIdleStepTracksTheControlUnderThePointerAndItsLongHint) {
    struct HintLog : TObject {
        std::vector<std::string> hints;
        void Hint(TObject*) { hints.push_back(Application->Hint()); }
    } log;
    Application->OnHint = MakeMethod<&HintLog::Hint>(&log);
    Mouse->SetCursorPos(InTarget(40, 40));
    // Timer messages keep the loop's idle step from waiting long.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, nullptr);
    EXPECT_TRUE(PumpUntil(
        [&] {
            Application->HandleMessage();
            return trap.enters > 0;
        },
        2000));
    EXPECT_EQ(trap.noticeParam, reinterpret_cast<std::intptr_t>(target));
    EXPECT_EQ(Application->Hint(), "Long hint");

    Mouse->SetCursorPos(form->ClientToScreen(TPoint{260, 180}));
    EXPECT_TRUE(PumpUntil(
        [&] {
            Application->HandleMessage();
            return trap.leaves > 0;
        },
        2000));
    ::KillTimer(nullptr, timer);
    Application->OnHint = nullptr;
    ASSERT_FALSE(log.hints.empty());
    EXPECT_EQ(log.hints.back(), "");
    EXPECT_NE(std::find(log.hints.begin(), log.hints.end(), "Long hint"), log.hints.end());
}

TEST_F(HintTest, TheHintWindowMeasuresWrappedText) {
    TObjectPtr<THintWindow> window(Create<THintWindow>(nullptr));
    const TRect one = window->CalcHintRect(1000, "Rotate", nullptr);
    const TRect longer = window->CalcHintRect(1000, "Rotate the picture by ninety degrees", nullptr);
    const TRect wrapped = window->CalcHintRect(80, "Rotate the picture by ninety degrees", nullptr);
    EXPECT_EQ(one.Left, 0);
    EXPECT_EQ(one.Top, 0);
    EXPECT_GT(one.Width(), 0);
    EXPECT_GT(longer.Width(), one.Width());
    EXPECT_EQ(longer.Height(), one.Height());
    EXPECT_LE(wrapped.Width(), 80 + 6);
    EXPECT_GT(wrapped.Height(), one.Height());

    // A new text sizes the window to it; the pointer passes through the window.
    window->SetCaption("Rotate");
    const int shortWidth = window->Width();
    window->SetCaption("Rotate the picture by ninety degrees");
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(window->Width(), shortWidth);
    EXPECT_EQ(::SendMessageA(window->Handle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

TEST_F(HintTest, TheShownHintIsVisibleAndShowingAndOwnedByTheApplicationWindow) {
    const TPoint p = InTarget(30, 40);
    Mouse->SetCursorPos(p);
    HWND active = ::GetActiveWindow();
    Application->ActivateHint(p);
    ASSERT_TRUE(HintShowing());
    THintWindow* hint = Application->HintWindow();
    EXPECT_TRUE(hint->Visible());
    EXPECT_TRUE(hint->Showing());
    EXPECT_EQ(hint->ParentWindow(), Application->Handle());
    EXPECT_EQ(::GetWindow(hint->WindowHandle(), GW_OWNER), Application->Handle());
    const LONG_PTR style = ::GetWindowLongPtrA(hint->WindowHandle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_EQ(::GetActiveWindow(), active);  // showing took no activation
    // On the screen above the form, painted in its colour.
    RECT r{};
    ::GetWindowRect(hint->WindowHandle(), &r);
    const POINT inside{r.right - 3, r.bottom - 3};
    const TWindowDC screenWindowDC;
    HDC screen = screenWindowDC.Get();
    const COLORREF seen = ::GetPixel(screen, inside.x, inside.y);
    EXPECT_EQ(seen, static_cast<COLORREF>(ColorToRGB(clInfoBk)));

    Application->CancelHint();
    EXPECT_FALSE(HintShowing());
    EXPECT_FALSE(hint->Visible());
    EXPECT_FALSE(hint->Showing());

    // Shown again after its window was destroyed from outside while it showed.
    Application->ActivateHint(p);
    ASSERT_TRUE(HintShowing());
    hint = Application->HintWindow();
    ::DestroyWindow(hint->WindowHandle());
    EXPECT_FALSE(hint->Showing());
    Application->ActivateHint(p);
    EXPECT_TRUE(HintShowing());
    EXPECT_TRUE(hint->Showing());
    Application->HideHint();
    EXPECT_FALSE(hint->Showing());
}

TEST_F(HintTest, TheHintOfAControlWhoseActionHasAShortCutEndsInTheShortCut) {
    const bool shortCuts = Application->HintShortCuts();
    TObjectPtr<TComponent> owner = MakeObject<TComponent>(nullptr);
    TAction* action = Create<TAction>(owner.get());
    action->SetHint("Short|Long hint");
    action->SetShortCut(scCtrl | 'O');
    target->SetAction(action);
    const TPoint p = InTarget(30, 40);
    Mouse->SetCursorPos(p);
    auto shownFor = [&] {
        Application->CancelHint();
        Application->ActivateHint(p);
        return std::string(trap.seen.HintStr);
    };

    Application->SetHintShortCuts(true);
    EXPECT_EQ(shownFor(), "Short (Ctrl+O)");
    EXPECT_EQ(Application->HintWindow()->HintText(), HighBytes());  // handlers still have the last word
    Application->SetHintShortCuts(false);
    EXPECT_EQ(shownFor(), "Short");
    // No shortcut, or no action: the hint alone.
    Application->SetHintShortCuts(true);
    action->SetShortCut(0);
    EXPECT_EQ(shownFor(), "Short");
    action->SetShortCut(scCtrl | 'O');
    target->SetAction(nullptr);
    EXPECT_EQ(shownFor(), "Short");

    Application->SetHintShortCuts(shortCuts);
    target->SetHint("Short|Long hint");
}
