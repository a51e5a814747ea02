// The balloon on the screen: its shape (rounded body, tail whose tip touches the point) cut out of the white
// form behind it, its outline and text in the info-text colour on the info colour, never the active window; a
// long text wraps at 350 pixels and the balloon grows away from the point. The screenshot stays in the build's
// artifacts.
#include "demo/win/TKelvoBalloon.h"

#include "tests/support/ScreenPicture.h"
#include "tests/demo/gui/DemoGuiTestSupport.h"

using namespace demotest;

namespace {

class BalloonTest : public DemoGuiTest {};

// The screen point of a point of the balloon's window.
TPoint OnScreen(const TKelvoBalloonLayout& layout, TPoint p) {
    return Point(layout.Window.Left + p.X, layout.Window.Top + p.Y);
}

}  // namespace

TEST_F(BalloonTest, TheBalloonIsCutToItsShapeWithItsTailTouchingThePoint) {
    TForm* form = ShownForm(600, 400);
    TObjectPtr<TKelvoBalloon> balloon = MakeObject<TKelvoBalloon>(nullptr);
    const TPoint tip = form->ClientToScreen(Point(150, 100));  // upper left of the screen: tail up-left
    balloon->ShowAt(tip.X, tip.Y, 0, u"Zoom In: the image grows by one step");
    const TKelvoBalloonLayout& layout = balloon->Layout();
    const COLORREF back = ColorToRGB(clInfoBk), ink = ColorToRGB(clInfoText);
    const TPoint inside = OnScreen(layout, Point(layout.Body.Right - 5, (layout.Body.Top + layout.Body.Bottom) / 2));
    ASSERT_TRUE(formtest::PumpUntil([&] { return ScreenPixel(inside) == back; }));

    EXPECT_EQ(layout.Corner, 1);
    RECT r;
    ::GetWindowRect(balloon->WindowHandle(), &r);
    EXPECT_EQ(Rect(r.left, r.top, r.right, r.bottom), layout.Window);
    EXPECT_EQ(OnScreen(layout, layout.Tip()), tip);
    EXPECT_EQ(::GetForegroundWindow(), form->Handle());

    const std::string path = testsupport::ArtifactPath("demo-balloon.bmp");
    testsupport::SaveScreen(path);
    const testsupport::SavedPicture shot(path);
    ASSERT_GT(shot.Width(), 0);
    auto around = [](TPoint p, int d) { return RECT{p.X - d, p.Y - d, p.X + d + 1, p.Y + d + 1}; };
    // The outline reaches the tip; beside the tail and in the body's rounded corners the form shows through.
    EXPECT_GT(shot.Matching(around(Point(tip.X, tip.Y + 2), 1), ink), 0) << path;
    const TPoint besideTail = OnScreen(layout, Point(44, 4));
    EXPECT_EQ(shot.Pixel(besideTail.X, besideTail.Y), RGB(255, 255, 255)) << path;
    const TPoint roundedCorner = OnScreen(layout, layout.Body.TopLeft());
    EXPECT_EQ(shot.Pixel(roundedCorner.X, roundedCorner.Y), RGB(255, 255, 255)) << path;
    const TPoint topEdge = OnScreen(layout, Point(layout.Body.Left + 50, layout.Body.Top));
    EXPECT_EQ(shot.Pixel(topEdge.X, topEdge.Y), ink) << path;
    // The text in the text rectangle.
    const TRect text = layout.Text;
    const TPoint a = OnScreen(layout, text.TopLeft()), b = OnScreen(layout, text.BottomRight());
    EXPECT_GT(shot.Matching(RECT{a.X, a.Y, b.X, b.Y}, ink), 30) << path;
    EXPECT_GT(shot.Matching(RECT{a.X, a.Y, b.X, b.Y}, back), 100) << path;

    balloon->Hide();
    EXPECT_TRUE(formtest::PumpUntil([&] { return ScreenPixel(inside) == RGB(255, 255, 255); }));
}

TEST_F(BalloonTest, ALongTextWrapsAt350PixelsAndTheBalloonGrowsAwayFromThePoint) {
    TForm* form = ShownForm(600, 400);
    TObjectPtr<TKelvoBalloon> balloon = MakeObject<TKelvoBalloon>(nullptr);
    const TPoint tip = form->ClientToScreen(Point(100, 60));
    balloon->ShowAt(tip.X, tip.Y, 0, u"Short");
    const TRect shortWindow = balloon->Layout().Window;
    WideString words;
    for (int i = 0; i < 40; ++i) words += u"wrapping ";
    balloon->ShowAt(tip.X, tip.Y, 0, words);
    const TRect longWindow = balloon->Layout().Window;

    EXPECT_LE(longWindow.Width(), 350 + 6 + 16);
    EXPECT_GT(longWindow.Width(), 300);
    EXPECT_GT(longWindow.Height(), shortWindow.Height() + 3 * (shortWindow.Height() - 32 - 2));
    EXPECT_EQ(longWindow.Top, shortWindow.Top);  // the tail is on top: the body grows downwards
    EXPECT_EQ(OnScreen(balloon->Layout(), balloon->Layout().Tip()), tip);
    EXPECT_TRUE(::IsWindowVisible(balloon->WindowHandle()));
}
