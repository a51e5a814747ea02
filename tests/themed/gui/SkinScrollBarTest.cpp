// The window-less list scroll bar: who hears of changes, auto-repeat on its timer, thumb dragging,
// auto-scroll, and its classic painting.
#include <gtest/gtest.h>

#include <chrono>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/SkinColorMath.h"
#include "themed/win/SkinThemes.h"
#include "themed/win/TDIB32.h"
#include "themed/win/TSkinScrollBar.h"

namespace {

struct TEvents {
    int changes = 0, redraws = 0;
    void Changed(TObject*) { ++changes; }
    void Redraw(TObject*) { ++redraws; }
    void Adjust(TSkinScrollBar*, int& direction, int& interval) {
        ++adjusts;
        if (adjusts == 2) direction = 3;
    }
    int adjusts = 0;
};

// Serves the thread's messages for ms milliseconds.
void Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(5);
    }
}

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
    bar.MouseDown(55, 105, false);  // the forward arrow
    EXPECT_EQ(bar.PressedZone(), 5);
    EXPECT_EQ(bar.Position(), 1);
    Pump(400);
    EXPECT_EQ(bar.Position(), 1);
    Pump(500);  // 900 ms: the step at 500 and about four at 100 ms
    EXPECT_GE(bar.Position(), 4);
    EXPECT_LE(bar.Position(), 7);
    bar.MouseUp();
    const int stopped = bar.Position();
    Pump(300);
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
    Pump(1200);
    // Page steps of 10; the thumb (8 high, at 16 + round(60 x p / 90)) covers 70 once p is 70 ([63, 71)).
    EXPECT_EQ(bar.Position(), 70);
    bar.MouseMove(55, 10 + 72);  // still held, the pointer moved past the thumb: stepping goes on
    Pump(300);
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
    Pump(600);
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
    EXPECT_NE(px(9, 9), 0x123456u);                 // the up arrow
    EXPECT_EQ(px(10, 2 + 50), sys(clBtnFace));      // inside the thumb (46-54)
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
