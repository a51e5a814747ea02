// The popup animation on a test window: what the program does to the window (region, layered style,
// show) and the messages the animation thread sends, not pixels (Wine shows layered windows as they are).
#include <vector>

#include "classlib/core/Messages.h"
#include "tests/support/MessagePump.h"
#include "toolbar/core/MenuAnimation.h"
#include "toolbar/core/PopupPosition.h"
#include "toolbar/win/AnimationThread.h"

#include <gtest/gtest.h>

namespace {

struct Seen {
    std::vector<LPARAM> steps;
    int ends = 0;
    bool regionAtAStep = false;  // the window had a region when a step came, before the step was handled
};
Seen* g_seen = nullptr;

LRESULT CALLBACK AnimatedProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    TMessage m{};
    m.Msg = msg;
    m.WParam = wp;
    m.LParam = lp;
    if (msg == tb::kAnimationStepMessage && g_seen) {
        g_seen->steps.push_back(lp);
        const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(w, region) != ERROR) g_seen->regionAtAStep = true;
        ::DeleteObject(region);
    }
    if (tb::HandleAnimationStep(w, m)) return 0;
    if (msg == tb::kAnimationEndMessage && g_seen) ++g_seen->ends;
    if (msg == WM_DESTROY) tb::EndAnimation(w);
    return ::DefWindowProcW(w, msg, wp, lp);
}

class Animation : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &AnimatedProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VantorelAnimatedTest";
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        ::RegisterClassW(&wc);
        ::SetCursorPos(0, 0);
        window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"VantorelAnimatedTest", L"", WS_POPUP, 200, 150,
                                    120, 90, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        g_seen = &seen_;
    }
    void TearDown() override {
        if (::IsWindow(window_)) ::DestroyWindow(window_);
        g_seen = nullptr;
    }
    bool WaitForEnd() {
        return testsupport::WaitFor("the animation's end", [&] { return seen_.ends > 0; });
    }

    HWND window_ = nullptr;
    Seen seen_;
};

TEST_F(Animation, SlideShowsTheWindowThroughAGrowingRegionAndEndsWithTheWholeWindow) {
    tb::StartAnimation(window_, false, tb::kSlideFromTop);
    EXPECT_TRUE(tb::AnimationRunning(window_));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ::IsWindowVisible(window_) != FALSE; }));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(seen_.regionAtAStep);  // a region while it slides
    EXPECT_EQ(seen_.ends, 1);
    EXPECT_FALSE(tb::AnimationRunning(window_));
    EXPECT_EQ(::GetWindowRgn(window_, region), ERROR);  // and none after
    ::DeleteObject(region);
    ASSERT_FALSE(seen_.steps.empty());
    for (LPARAM id : seen_.steps) EXPECT_EQ(static_cast<std::uint32_t>(id), tb::AnimationId());
    // 150 ms in 10-ms steps, at most one outstanding: a handful of steps, not one per millisecond.
    EXPECT_LE(seen_.steps.size(), 17u);
}

TEST_F(Animation, FadeMakesTheWindowLayeredUntilTheEnd) {
    tb::StartAnimation(window_, true, 0);
    EXPECT_NE(::GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(::GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(::IsWindowVisible(window_));
}

TEST_F(Animation, AStepOfAnEarlierAnimationIsIgnored) {
    tb::StartAnimation(window_, false, tb::kSlideFromLeft);
    const std::uint32_t id = tb::AnimationId();
    tb::StartAnimation(window_, false, tb::kSlideFromLeft);  // ends the first one
    EXPECT_EQ(tb::AnimationId(), id + 1);
    seen_.ends = 0;
    ::SendMessageW(window_, tb::kAnimationStepMessage, 0, static_cast<LPARAM>(id));
    EXPECT_TRUE(tb::AnimationRunning(window_));
    tb::EndAnimation(nullptr);
    EXPECT_FALSE(tb::AnimationRunning(window_));
    EXPECT_TRUE(WaitForEnd());
}

TEST_F(Animation, DestroyingTheWindowMidAnimationEndsTheThread) {
    tb::StartAnimation(window_, false, tb::kSlideFromBottom);
    ASSERT_TRUE(tb::AnimationRunning(window_));
    ::DestroyWindow(window_);
    EXPECT_FALSE(tb::AnimationRunning(window_));
    EXPECT_EQ(seen_.ends, 1);  // told while it was still being destroyed
    // The worker is gone: nothing is left to end and no step follows.
    const std::size_t steps = seen_.steps.size();
    tb::EndAnimation(nullptr);
    testsupport::PumpFor(200);  // proves that no step comes
    EXPECT_EQ(seen_.steps.size(), steps);
    EXPECT_EQ(seen_.ends, 1);
}

TEST_F(Animation, TheCursorReachingTheWindowShowsItWholeAtOnce) {
    tb::StartAnimation(window_, false, tb::kSlideFromTop);
    ASSERT_TRUE(testsupport::WaitFor("the first step", [&] { return !seen_.steps.empty(); }));
    const std::size_t stepsBefore = seen_.steps.size();
    ::SetCursorPos(250, 190);
    ASSERT_TRUE(WaitForEnd());
    // Cut short: at most the step on its way when the pointer came and the last one follow, not the rest of
    // the slide (a busy machine can only make them fewer).
    EXPECT_LE(seen_.steps.size() - stepsBefore, 2u);
}

}  // namespace
