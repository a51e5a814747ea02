// The window-less list scroll bar: who hears of changes, auto-repeat on its timer, thumb dragging,
// auto-scroll, and its classic painting.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/SkinColorMath.h"
#include "themed/win/SkinThemes.h"
#include "themed/win/TDIB32.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinScrollBar.h"

namespace {

struct TEvents {
    int changes = 0, redraws = 0;
    std::vector<ULONGLONG> changedAt;
    void Changed(TObject*) {
        ++changes;
        changedAt.push_back(::GetTickCount64());
    }
    void Redraw(TObject*) { ++redraws; }
    void Adjust(TSkinScrollBar*, int& direction, int& interval) {
        ++adjusts;
        if (adjusts == 2) direction = 3;
    }
    int adjusts = 0;
};

using testsupport::PumpFor;
using testsupport::WaitFor;

// Vertical, 16 x 100 at (50, 10) of its owner, range 100, window 10.
void PrepareBar(TSkinScrollBar& bar, TEvents& events) {
    bar.SetVertical(true);
    bar.SetBounds(Rect(50, 10, 66, 110));
    bar.SetWindow(10);
    bar.SetRange(100);
    bar.OnChange = MakeMethod<&TEvents::Changed>(&events);
    bar.OnRedrawRequest = MakeMethod<&TEvents::Redraw>(&events);
}

}  // namespace

TEST(SkinScrollBar, OnlyUserChangesAreAnnounced) {
    TSkinScrollBar bar;
    TEvents events;
    PrepareBar(bar, events);
    bar.SetPosition(45);
    EXPECT_EQ(bar.Position(), 45);
    EXPECT_EQ(events.changes, 0);
    EXPECT_EQ(bar.Zones().zone[3], Rect(0, 46, 16, 54));
    bar.SetPosition(-5);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetPosition(1000);
    EXPECT_EQ(bar.Position(), 90);
    bar.UserSetPosition(20);
    EXPECT_EQ(events.changes, 1);
    EXPECT_GE(events.redraws, 1);
    bar.SetRange(15);  // clamps the position to the new range
    EXPECT_EQ(bar.Position(), 5);
    bar.SetRange(-3);
    EXPECT_EQ(bar.Range(), 0);
    EXPECT_FALSE(bar.Visible());
}

TEST(SkinScrollBar, HoldingAnArrowStepsAtOnceAfterHalfASecondThenEveryTenth) {
    TSkinScrollBar bar;
    TEvents events;
    PrepareBar(bar, events);
    const ULONGLONG pressed = ::GetTickCount64();
    bar.MouseDown(55, 105, false);  // the forward arrow
    EXPECT_EQ(bar.PressedZone(), 5);
    EXPECT_EQ(bar.Position(), 1);
    ASSERT_TRUE(WaitFor("five steps", [&] { return bar.Position() >= 5; }));
    // A timer is late on a busy machine, never early: the k-th repeated step comes no sooner than 500 ms plus
    // (k - 1) tenths after the press (less the tick's granularity).
    ASSERT_GE(events.changedAt.size(), 5u);
    for (std::size_t k = 1; k < events.changedAt.size(); ++k)
        EXPECT_GE(events.changedAt[k] - pressed, 500 + 100 * (k - 1) - 20) << "step " << k;
    bar.MouseUp();
    const int stopped = bar.Position();
    PumpFor(300);  // proves that no step follows the release
    EXPECT_EQ(bar.Position(), stopped);
    EXPECT_EQ(events.changes, stopped);
}

TEST(SkinScrollBar, HoldingOnTheTrackStopsWhenTheThumbReachesThePointer) {
    TSkinScrollBar bar;
    TEvents events;
    PrepareBar(bar, events);
    bar.MouseDown(55, 10 + 70, false);  // page forward, 70 down the bar
    EXPECT_EQ(bar.PressedZone(), 4);
    EXPECT_EQ(bar.Position(), 10);
    // Page steps of 10; the thumb (8 high, at 16 + round(60 x p / 90)) covers 70 once p is 70 ([63, 71)).
    ASSERT_TRUE(WaitFor("the thumb under the pointer", [&] { return bar.Position() >= 70; }));
    PumpFor(300);  // proves that stepping stopped there
    EXPECT_EQ(bar.Position(), 70);
    bar.MouseMove(55, 10 + 72);  // still held, the pointer moved past the thumb: stepping goes on
    ASSERT_TRUE(WaitFor("one more page", [&] { return bar.Position() >= 80; }));
    PumpFor(300);  // proves that it stopped again, with the thumb under the pointer
    EXPECT_EQ(bar.Position(), 80);
    bar.MouseUp();
}

TEST(SkinScrollBar, DraggingTheThumbAndAutoScroll) {
    TSkinScrollBar bar;
    TEvents events;
    PrepareBar(bar, events);
    bar.SetPosition(45);
    bar.MouseDown(55, 10 + 50, false);  // on the thumb
    EXPECT_EQ(bar.PressedZone(), 3);
    bar.MouseMove(55, 10 + 60);
    EXPECT_EQ(bar.Position(), 60);
    EXPECT_EQ(events.changes, 1);
    bar.MouseMove(55, 10 + 60);
    EXPECT_EQ(events.changes, 1);
    bar.MouseUp();

    bar.OnAutoScroll = MakeMethod<&TEvents::Adjust>(&events);
    bar.StartAutoScroll(0, 20);
    EXPECT_FALSE(bar.AutoScrolling());
    bar.StartAutoScroll(2, 20);
    EXPECT_TRUE(bar.AutoScrolling());
    ASSERT_TRUE(WaitFor("the auto-scroll's end", [&] { return !bar.AutoScrolling(); }));
    // 60 + 2 + 3 + ... reaches the end of the range and stops there.
    EXPECT_EQ(bar.Position(), 90);
    EXPECT_FALSE(bar.AutoScrolling());
    EXPECT_GE(events.adjusts, 2);
}

TEST(SkinScrollBar, ClassicPaintingOfArrowsTrackAndThumb) {
    classlib::UseSystemColors();
    RegisterSkinThemesUnit();
    classlib::Startup();
    SkinThemeManager()->SetVisualStylesAllowed(false);
    TSkinScrollBar bar;
    TEvents events;
    PrepareBar(bar, events);
    bar.SetBounds(Rect(2, 2, 18, 102));
    bar.SetPosition(45);
    TDIB32 dib;
    dib.SetSize(20, 104);
    dib.Fill(0xFF123456);
    bar.Paint(dib.DC());
    auto px = [&](int x, int y) { return dib.Row(y)[x] & 0xFFFFFF; };
    auto sys = [](TColor c) { return skin::ColorToOpaquePixel(std::uint32_t(ColorToRGB(c))) & 0xFFFFFF; };
    EXPECT_EQ(px(0, 0), 0x123456u);
    EXPECT_NE(px(9, 9), 0x123456u);             // the up arrow
    EXPECT_EQ(px(10, 2 + 50), sys(clBtnFace));  // inside the thumb (46-54)
    // The page zones are a checker of button highlight and scroll-bar colour.
    const std::uint32_t a = px(8, 2 + 30), b = px(9, 2 + 30);
    for (std::uint32_t c : {a, b}) EXPECT_TRUE(c == sys(clBtnHighlight) || c == sys(clScrollBar)) << std::hex << c;
    if (sys(clBtnHighlight) != sys(clScrollBar)) {
        EXPECT_NE(a, b);
    }
    bar.MouseDown(10, 2 + 80, false);  // hold the page zone after the thumb: drawn dark
    bar.Paint(dib.DC());
    EXPECT_EQ(px(10, 2 + 75), sys(cl3DDkShadow));
    bar.MouseUp();
    bar.SetRange(5);  // not needed: the disabled track
    bar.Paint(dib.DC());
    EXPECT_EQ(px(10, 2 + 50), sys(clScrollBar));
    classlib::Shutdown();
}
