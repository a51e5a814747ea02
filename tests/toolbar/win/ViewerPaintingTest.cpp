// The classic look of item viewers, pixel by pixel, painted into memory bitmaps (no captions, so that the
// checks do not depend on the fonts of the machine).
#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/TCustomControl.h"
#include "tests/toolbar/support/MenuBarHost.h"
#include "toolbar/core/TTBSeparatorItem.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/ViewerPainting.h"

using graphicstest::Surface;
using toolbartest::SubmenuItem;

namespace {

constexpr COLORREF kBack = RGB(10, 200, 90);  // no system colour
constexpr COLORREF kInk = RGB(1, 2, 3);       // the text colour the paint pass would set

COLORREF Sys(int index) { return ::GetSysColor(index); }

class ViewerPainting : public ::testing::Test {
protected:
    // A view of root's children in a window that never gets a handle.
    TTBView* MakeView(bool toolbar) {
        window_ = MakeObject<TCustomControl>(nullptr);
        view_ = MakeObject<TTBView>(nullptr, nullptr, root_.get(), window_.get(), toolbar);
        return view_.get();
    }
    template <class T = TTBCustomItem>
    T* Add() {
        T* item = Create<T>(nullptr);
        root_->Add(item);
        return item;
    }
    void Paint(Surface& s, int index, TRect r, bool selected, bool pushed, bool shadow = false) {
        ::SetTextColor(s.Dc(), kInk);
        ::SetBkMode(s.Dc(), TRANSPARENT);
        view_->Viewers(index)->Paint(s.Dc(), r, selected, pushed, shadow);
    }

    TObjectPtr<TTBCustomItem> root_ = MakeObject<TTBCustomItem>(nullptr);
    TObjectPtr<TCustomControl> window_;
    TObjectPtr<TTBView> view_;
};

}  // namespace

TEST_F(ViewerPainting, ToolbarButtonsRaiseSinkAndShowTheCheckedPattern) {
    Add();
    Add()->SetChecked(true);
    MakeView(true);
    const TRect r{0, 0, 23, 22};

    Surface hot(23, 22, kBack);
    Paint(hot, 0, r, true, false);
    EXPECT_EQ(hot.At(0, 0), Sys(COLOR_BTNHIGHLIGHT));  // raised: light above and left
    EXPECT_EQ(hot.At(22, 21), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(hot.At(11, 11), kBack);  // nothing inside

    Surface pushed(23, 22, kBack);
    Paint(pushed, 0, r, true, true);
    EXPECT_EQ(pushed.At(0, 0), Sys(COLOR_BTNSHADOW));  // sunken
    EXPECT_EQ(pushed.At(22, 21), Sys(COLOR_BTNHIGHLIGHT));

    Surface idle(23, 22, kBack);
    Paint(idle, 0, r, false, false);
    EXPECT_EQ(idle.CountOf(kBack), 23 * 22);  // an idle button draws nothing

    // Checked and not hot: sunken, and inside a checkerboard of face and highlight.
    Surface checked(23, 22, kBack);
    Paint(checked, 1, r, false, false);
    EXPECT_EQ(checked.At(0, 0), Sys(COLOR_BTNSHADOW));
    const COLORREF a = checked.At(5, 5);
    const COLORREF b = checked.At(6, 5);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == Sys(COLOR_BTNFACE) && b == Sys(COLOR_BTNHIGHLIGHT)) ||
                (b == Sys(COLOR_BTNFACE) && a == Sys(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(checked.At(5, 6), b);
    EXPECT_EQ(checked.At(1, 1), checked.At(3, 3));
}

TEST_F(ViewerPainting, DropDownArrowAndItsDisabledShadow) {
    SubmenuItem* drop = Add<SubmenuItem>();
    TTBItemOptions options;
    options.Include(tboDropdownArrow);
    drop->SetOptions(options);
    MakeView(true);
    // The arrow lies in the 8 pixels ending 3 before the right edge; a 5 x 3 triangle centred there.
    Surface s(30, 22, kBack);
    Paint(s, 0, TRect{0, 0, 30, 22}, false, false);
    for (int x = 20; x <= 24; ++x) EXPECT_EQ(s.At(x, 9), kInk) << x;
    EXPECT_EQ(s.At(19, 9), kBack);
    EXPECT_EQ(s.At(25, 9), kBack);
    EXPECT_EQ(s.At(21, 10), kInk);
    EXPECT_EQ(s.At(20, 10), kBack);
    EXPECT_EQ(s.At(22, 11), kInk);
    EXPECT_EQ(s.At(21, 11), kBack);
    EXPECT_EQ(s.CountOf(kInk), 5 + 3 + 1);

    Surface embossed(30, 22, kBack);
    Paint(embossed, 0, TRect{0, 0, 30, 22}, false, false, true);
    EXPECT_EQ(embossed.At(20, 9), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(embossed.At(25, 10), Sys(COLOR_BTNHIGHLIGHT));  // the highlight copy one pixel right and down
    EXPECT_EQ(embossed.CountOf(kInk), 0);
}

TEST_F(ViewerPainting, MenuCheckAndRadioMarks) {
    Add()->SetChecked(true);
    TTBCustomItem* radio = Add();
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    MakeView(false);
    // Without an image list the column is as wide as the row is high (17); a checked item's mark sits one
    // pixel right and down of the column's centre.
    const TRect r{0, 0, 100, 17};
    const int cx = (1 + 18) / 2;
    const int cy = (1 + 18) / 2;
    Surface check(100, 17, kBack);
    Paint(check, 0, r, false, false);
    EXPECT_EQ(check.At(0, 0), Sys(COLOR_BTNSHADOW));                       // the sunken column
    EXPECT_EQ(check.At(cx - 2, cy + 1), Sys(COLOR_BTNTEXT));               // the mark's corner
    EXPECT_EQ(check.At(cx - 2 + 4, cy + 1 - 4), Sys(COLOR_BTNTEXT));       // its upper end
    EXPECT_EQ(check.At(cx - 2 - 3, cy + 1 - 1), Sys(COLOR_BTNHIGHLIGHT));  // the light outline
    EXPECT_EQ(check.At(50, 8), kBack);                                     // no highlight bar when not selected

    Surface dot(100, 17, kBack);
    Paint(dot, 1, r, false, false);
    EXPECT_EQ(dot.At(cx, cy), Sys(COLOR_BTNTEXT));
    EXPECT_EQ(dot.At(cx - 2, cy), Sys(COLOR_BTNTEXT));
    EXPECT_EQ(dot.At(cx - 3, cy), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(dot.At(cx + 3, cy), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(ViewerPainting, SeparatorLinesFollowTheTable) {
    struct Case {
        bool toolbarStyle, horizontal, lineSep, floating;
        bool vertical;
        int shorten;
    };
    const Case cases[] = {
        {true, true, false, false, true, 0},    {false, true, true, false, true, 4},
        {true, false, true, false, true, 4},    {true, true, true, false, false, 4},
        {true, true, true, true, false, 1},     {true, false, false, false, false, 0},
        {false, true, false, false, false, 12},
    };
    for (const Case& c : cases) {
        const tb::TSeparatorLine line = tb::SeparatorLineFor(c.toolbarStyle, c.horizontal, c.lineSep, c.floating);
        EXPECT_EQ(line.vertical, c.vertical);
        EXPECT_EQ(line.shorten, c.shorten);
    }
    // A menu separator: an etched line through the middle, 12 pixels in from each end.
    Add<TTBSeparatorItem>();
    MakeView(false);
    Surface s(60, 9, kBack);
    Paint(s, 0, TRect{0, 0, 60, 9}, false, false);
    EXPECT_EQ(s.At(12, 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(s.At(12, 4), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.At(47, 3), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(s.At(11, 3), kBack);
    EXPECT_EQ(s.At(48, 3), kBack);
    EXPECT_EQ(s.CountOf(Sys(COLOR_BTNSHADOW)), 36);

    // A blank separator draws nothing.
    static_cast<TTBSeparatorItem*>(root_->Items(0))->SetBlank(true);
    Surface blank(60, 9, kBack);
    Paint(blank, 0, TRect{0, 0, 60, 9}, false, false);
    EXPECT_EQ(blank.CountOf(kBack), 60 * 9);
}

TEST(ChevronGlyph, DoubleArrowsAlongAndDown) {
    Surface along(8, 8, kBack);
    tb::DrawChevronGlyph(along.Dc(), TRect{0, 0, 8, 5}, false, true);
    const char* rows[] = {"11001100", "01100110", "00110011", "01100110", "11001100"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(along.At(x, y), rows[y][x] == '1' ? Sys(COLOR_BTNTEXT) : kBack) << x << "," << y;
    EXPECT_EQ(along.At(0, 5), kBack);

    Surface down(5, 8, kBack);
    tb::DrawChevronGlyph(down.Dc(), TRect{0, 0, 5, 8}, true, true);
    const char* downRows[] = {"10001", "11011", "01110", "00100"};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(down.At(x, y), downRows[y % 4][x] == '1' ? Sys(COLOR_BTNTEXT) : kBack) << x << "," << y;

    // Disabled: the highlight copy one pixel lower shows where the shadow copy does not cover it.
    Surface disabled(8, 9, kBack);
    tb::DrawChevronGlyph(disabled.Dc(), TRect{0, 0, 8, 5}, false, false);
    EXPECT_EQ(disabled.At(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(disabled.At(0, 5), Sys(COLOR_BTNHIGHLIGHT));
}
