#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "unicode/win/WideCanvasText.h"

using graphicstest::Surface;
using namespace uni;

namespace {
struct EventLog {
    std::string text;
    void Changing(TObject*) { text += '<'; }
    void Changed(TObject*) { text += '>'; }
};

struct CanvasOn {
    Surface surface;
    TObjectPtr<TCanvas> canvas = MakeObject<TCanvas>();
    CanvasOn(int w, int h) : surface(w, h) { canvas->SetHandle(surface.Dc()); }
};
}  // namespace

TEST(WideCanvasText, DrawsLikeThe8BitTextOutAndMovesThePen) {
    CanvasOn wide(120, 30), narrow(120, 30);
    EventLog log;
    wide.canvas->OnChanging = MakeMethod<&EventLog::Changing>(&log);
    wide.canvas->OnChange = MakeMethod<&EventLog::Changed>(&log);
    CanvasTextOutW(wide.canvas.get(), 5, 3, u"Hello");
    narrow.canvas->TextOut(5, 3, "Hello");
    EXPECT_EQ(log.text, "<>");
    int width = CanvasTextWidthW(wide.canvas.get(), u"Hello");
    EXPECT_EQ(width, narrow.canvas->TextWidth("Hello"));
    EXPECT_EQ(wide.canvas->PenPos(), Point(5 + width, 3));
    int differ = 0, inked = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            differ += wide.surface.At(x, y) != narrow.surface.At(x, y);
            inked += wide.surface.At(x, y) != RGB(255, 255, 255) && x >= 5;
        }
    EXPECT_EQ(differ, 0);
    EXPECT_GT(inked, 0);
}

TEST(WideCanvasText, RightToLeftMovesTheStartByTheWidthAndOne) {
    CanvasOn c(200, 30);
    ::SetTextAlign(c.surface.Dc(), TA_RTLREADING);
    ASSERT_EQ(c.canvas->CanvasOrientation(), coRightToLeft);
    const WideString text = u"abc";
    int width = CanvasTextWidthW(c.canvas.get(), text);
    CanvasTextOutW(c.canvas.get(), 10, 0, text);
    EXPECT_EQ(c.canvas->PenPos().X, 10 + width + 1 + width);
}

TEST(WideCanvasText, BackgroundFollowsTheBrushAndTheFontIsTheCanvas) {
    CanvasOn c(120, 40);
    c.canvas->Brush()->SetColor(clBlue);
    CanvasTextOutW(c.canvas.get(), 0, 0, u"  ");
    EXPECT_EQ(c.surface.At(1, 2), RGB(0, 0, 255));
    c.surface.Fill(RGB(0, 255, 0));
    c.canvas->Brush()->SetStyle(bsClear);
    CanvasTextOutW(c.canvas.get(), 0, 0, u"  ");
    EXPECT_EQ(c.surface.At(1, 2), RGB(0, 255, 0));

    // A bigger font gives a bigger extent: measuring selects the canvas's current font.
    TSize small = CanvasTextExtentW(c.canvas.get(), u"Wide");
    c.canvas->Font()->SetHeight(-30);
    TSize big = CanvasTextExtentW(c.canvas.get(), u"Wide");
    EXPECT_GT(big.cx, small.cx);
    EXPECT_GT(big.cy, small.cy);
    EXPECT_EQ(CanvasTextHeightW(c.canvas.get(), u"Wide"), big.cy);
}

TEST(WideCanvasText, NonAsciiTextIsMeasuredWiderThanNothing) {
    CanvasOn c(10, 10);
    EXPECT_EQ(CanvasTextWidthW(c.canvas.get(), u""), 0);
    EXPECT_GT(CanvasTextWidthW(c.canvas.get(), u"\u041F\u0440\u0438\u0432\u0435\u0442"), 0);
    EXPECT_GT(CanvasTextWidthW(c.canvas.get(), u"\u00E9\u00E8"), 0);
    // Without a DC there is nothing to measure on.
    TObjectPtr<TCanvas> detached = MakeObject<TCanvas>();
    EXPECT_THROW(CanvasTextWidthW(detached.get(), u"x"), EInvalidOperation);
}
