// Scrolling controls: automatic ranges from the children, bars that come and go with them, positions that
// move the children and stay inside the range, scroll messages, ScrollInView, and aligned children laid out
// in the scrolled area.
#include "classlib/win/TScrollingWinControl.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

class TScrollBox : public TScrollingWinControl {
    CLASSLIB_COMPONENT(TScrollBox, TScrollingWinControl)
    explicit TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }
};

class ScrollingWinControl : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm(400, 400);
        box = Create<TScrollBox>(Owner());
        box->SetBounds(0, 0, 200, 150);
        box->SetParent(form);
        form->Show();
    }
    bool BarShown(int bar) {
        LONG_PTR style = ::GetWindowLongPtrA(box->Handle(), GWL_STYLE);
        return (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0;
    }
    TForm* form = nullptr;
    TScrollBox* box = nullptr;
};

TEST_F(ScrollingWinControl, AutoScrollRangesFollowTheChildrenAndShowTheBars) {
    box->SetAutoScroll(true);
    TFocusBox* low = NewBox(box, 10, 300, 50, 20);
    EXPECT_EQ(box->VertScrollBar()->Range(), 320);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_TRUE(BarShown(SB_VERT));
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(BarShown(SB_HORZ));

    // Nothing beyond the client area: no bars. (Moving a child is noticed at the next measuring.)
    low->SetTop(10);
    box->UpdateScrollBars();
    EXPECT_EQ(box->VertScrollBar()->Range(), 30);
    EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(BarShown(SB_VERT));

    // Wide and tall: both bars, each narrowing the other's client extent.
    low->SetBounds(400, 500, 50, 20);
    box->UpdateScrollBars();
    EXPECT_TRUE(BarShown(SB_VERT));
    EXPECT_TRUE(BarShown(SB_HORZ));
    EXPECT_EQ(box->HorzScrollBar()->Range(), 450);
    EXPECT_EQ(box->VertScrollBar()->ClientExtent(), box->ClientHeight());
    EXPECT_LT(box->ClientWidth(), 200);

    // A child leaving takes its extent with it.
    Free(low);
    EXPECT_FALSE(BarShown(SB_VERT));
    EXPECT_FALSE(BarShown(SB_HORZ));
}

TEST_F(ScrollingWinControl, PositionMovesTheChildrenAndStaysInsideTheRange) {
    box->SetAutoScroll(true);
    TFocusBox* top = NewBox(box, 10, 10, 50, 20);
    TFocusBox* low = NewBox(box, 10, 300, 50, 20);
    TControlScrollBar* bar = box->VertScrollBar();
    bar->SetPosition(100);
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(top->Top(), -90);
    EXPECT_EQ(low->Top(), 200);
    EXPECT_EQ(::GetScrollPos(box->Handle(), SB_VERT), 100);
    // The range is still measured in unscrolled coordinates.
    EXPECT_EQ(bar->Range(), 320);

    bar->SetPosition(10000);
    EXPECT_EQ(bar->Position(), 320 - box->ClientHeight());
    EXPECT_EQ(low->Top() + low->Height(), box->ClientHeight());
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(low->Top(), 300);

    // Switching AutoScroll off scrolls back and drops the bars.
    bar->SetPosition(50);
    box->SetAutoScroll(false);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(top->Top(), 10);
    EXPECT_FALSE(BarShown(SB_VERT));
}

TEST_F(ScrollingWinControl, ScrollMessagesStepByIncrementPageAndThumb) {
    box->SetAutoScroll(true);
    NewBox(box, 10, 1000, 50, 20);
    TControlScrollBar* bar = box->VertScrollBar();
    bar->SetIncrement(13);
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(bar->Position(), 13);
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(bar->Position(), 13 + box->ClientHeight());
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(bar->Position(), box->ClientHeight());
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(bar->Position(), 0);
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(bar->Position(), 1020 - box->ClientHeight());
}

TEST_F(ScrollingWinControl, ScrollInViewBringsAChildAtAnyDepthIntoTheClientArea) {
    box->SetAutoScroll(true);
    TFocusBox* panel = NewBox(box, 0, 0, 600, 600);
    TFocusBox* deep = NewBox(panel, 500, 400, 40, 30);
    box->ScrollInView(deep);
    // Now deep's rectangle (in box's client coordinates) lies inside the client area.
    TPoint origin = box->ScreenToClient(deep->ClientToScreen(Point(0, 0)));
    EXPECT_GE(origin.X, 0);
    EXPECT_GE(origin.Y, 0);
    EXPECT_LE(origin.X + 40, box->ClientWidth());
    EXPECT_LE(origin.Y + 30, box->ClientHeight());
    EXPECT_EQ(origin.Y + 30, box->ClientHeight());  // no further than needed

    box->ScrollInView(panel);  // larger than the area: its top-left corner shows
    EXPECT_EQ(panel->Left(), 0);
    EXPECT_EQ(panel->Top(), 0);

    // A control elsewhere is left alone.
    TFocusBox* outside = NewBox(form, 300, 300);
    box->VertScrollBar()->SetPosition(40);
    box->ScrollInView(outside);
    EXPECT_EQ(box->VertScrollBar()->Position(), 40);
}

TEST_F(ScrollingWinControl, AlignedChildrenAreLaidOutInTheScrolledArea) {
    box->SetAutoScroll(true);
    TFocusBox* header = NewBox(box, 0, 0, 10, 25);
    header->SetAlign(alTop);
    NewBox(box, 10, 400, 50, 20);
    box->VertScrollBar()->SetPosition(60);
    EXPECT_EQ(header->Top(), -60);
    EXPECT_EQ(header->Width(), box->ClientWidth());
    box->VertScrollBar()->SetPosition(0);
    EXPECT_EQ(header->Top(), 0);
}

TEST_F(ScrollingWinControl, AnExplicitRangeSwitchesAutoScrollOff) {
    box->SetAutoScroll(true);
    NewBox(box, 0, 0, 20, 20);
    box->HorzScrollBar()->SetRange(1000);
    EXPECT_FALSE(box->AutoScroll());
    EXPECT_EQ(box->HorzScrollBar()->Range(), 1000);
    EXPECT_TRUE(BarShown(SB_HORZ));
    box->HorzScrollBar()->SetVisible(false);
    EXPECT_FALSE(BarShown(SB_HORZ));
    EXPECT_EQ(box->HorzScrollBar()->Position(), 0);
}

}  // namespace
