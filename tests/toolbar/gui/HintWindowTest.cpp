// The toolbar hint window end to end: a control answers the hint request the way toolbars do (the wide hint as
// UTF-8, this window class), the class library passes the bytes on, and the window shows the Cyrillic text
// itself: in its Unicode window text, in its size and in the pixels on the screen.
#include <gtest/gtest.h>

#include "classlib/core/CodePages.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TMouse.h"
#include "classlib/win/WindowDC.h"
#include "classlib/win/WideChars.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenWait.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "toolbar/win/TTBHintWindow.h"
#include "unicode/win/UniControls.h"

using namespace formtest;

namespace {

// "Save the file & close" in Russian: nothing of it is in the Western code page, and the "&" is no accelerator.
const WideString kHint =
    u"\u0421\u043e\u0445\u0440\u0430\u043d\u0438\u0442\u044c \u0444\u0430\u0439\u043b & "
    u"\u0437\u0430\u043a\u0440\u044b\u0442\u044c";

class ToolbarLikeControl : public TCustomControl {
    CLASSLIB_COMPONENT(ToolbarLikeControl, TCustomControl)
    CLASSLIB_MESSAGES(ToolbarLikeControl, CLASSLIB_ON(CM_HINTSHOW, &ToolbarLikeControl::CMHintShow))
    explicit ToolbarLikeControl(TComponent* owner) : TCustomControl(owner) {}
    void CMHintShow(TMessage& message) {
        auto* info = reinterpret_cast<THintInfo*>(message.LParam);
        info->HintStr = Utf8Encode(kHint);
        info->HintWindowClass = TClassOf<THintWindow>::Of<TTBHintWindow>();
        message.Result = 0;
    }
};

class HintWindowTest : public GuiTest {
protected:
    static void SetUpTestSuite() {
        uni::RegisterUniControlsUnit();
        GuiTest::SetUpTestSuite();
    }
    void TearDown() override {
        Application->CancelHint();
        GuiTest::TearDown();
    }
};

// The size DrawTextW gives text in font wrapped to maxWidth.
SIZE MeasureWide(HFONT font, const WideString& text, int maxWidth) {
    const TWindowDC dc;
    HGDIOBJ old = ::SelectObject(dc.Get(), font);
    RECT r{0, 0, maxWidth, 0};
    ::DrawTextW(dc.Get(), WideCStr(text), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc.Get(), old);
    return SIZE{r.right, r.bottom};
}

}  // namespace

TEST_F(HintWindowTest, ACyrillicToolbarHintShowsUnchangedInTextSizeAndPixels) {
    TForm* form = NewForm(320, 200);
    auto* control = Create<ToolbarLikeControl>(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 200, 40);
    control->SetHint("x");
    control->SetShowHint(true);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form->Handle()) != FALSE; }));

    const TPoint p = control->ClientToScreen(TPoint{20, 20});
    const apptest::HintsStayUp hintsStayUp;
    Mouse->SetCursorPos(p);
    Application->ActivateHint(p);
    THintWindow* window = Application->HintWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->InheritsFrom(TTBHintWindow::StaticClass()));
    auto* hint = static_cast<TTBHintWindow*>(window);
    HWND wnd = hint->WindowHandle();
    ASSERT_TRUE(wnd && ::IsWindowVisible(wnd));

    EXPECT_EQ(hint->WideCaption(), kHint);
    EXPECT_TRUE(::IsWindowUnicode(wnd));
    EXPECT_EQ(uni::WindowTextW(wnd), kHint);
    EXPECT_EQ(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_NE(::GetForegroundWindow(), wnd);

    // Sized to the wide text (one line at the screen's width) plus 6 across and 2 + 4 down: not to its UTF-8
    // bytes, which the 8-bit functions would read as twice as many Western letters.
    const SIZE text = MeasureWide(hint->Font()->Handle(), kHint, Screen->Width());
    RECT bounds;
    ::GetWindowRect(wnd, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, text.cx + 6);
    EXPECT_EQ(bounds.bottom - bounds.top, text.cy + 6);

    // The screen shows exactly what DrawTextW draws of the Cyrillic text, "&" included, at 2, 2 inside the
    // border on the hint colour.
    ASSERT_TRUE(PumpQueued());
    ::UpdateWindow(wnd);
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(wnd, apptest::ApplicationStep));
    const std::string path = testsupport::ArtifactPath("toolbar-hint.bmp");
    testsupport::SaveScreen(path);
    const testsupport::SavedPicture shot(path);
    ASSERT_GT(shot.Width(), 0);
    const int cw = bounds.right - bounds.left - 2, ch = bounds.bottom - bounds.top - 2;
    const COLORREF back = static_cast<COLORREF>(ColorToRGB(hint->Color()));
    graphicstest::Surface reference(cw, ch, back);
    ::SelectObject(reference.Dc(), hint->Font()->Handle());
    ::SetTextColor(reference.Dc(), ColorToRGB(Screen->HintFont()->Color()));
    ::SetBkMode(reference.Dc(), TRANSPARENT);
    RECT r{2, 2, cw, ch};
    ::DrawTextW(reference.Dc(), WideCStr(kHint), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
    long ink = 0, differing = 0;
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
            ink += reference.At(x, y) != back;
            differing += shot.Pixel(bounds.left + 1 + x, bounds.top + 1 + y) != reference.At(x, y);
        }
    EXPECT_GT(ink, 100) << "the reference drew no text";
    EXPECT_EQ(differing, 0) << "see " << path;
}

TEST_F(HintWindowTest, AHintPastAnEdgeOfTheVirtualScreenIsMovedInside) {
    TObjectPtr<TTBHintWindow> hint = MakeObject<TTBHintWindow>(nullptr);
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int right = left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int bottom = top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const AnsiString text = Utf8Encode(kHint);

    // 100 x 20 asked for, past the right and bottom edges: 100 x 24 ending at both edges.
    hint->ActivateHint(TRect{right - 30, bottom - 5, right + 70, bottom + 15}, text);
    RECT r;
    ::GetWindowRect(hint->WindowHandle(), &r);
    EXPECT_EQ(r.left, right - 100);
    EXPECT_EQ(r.top, bottom - 24);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);

    // Before the left and top edges: at the top-left corner.
    hint->ActivateHint(TRect{left - 40, top - 10, left + 60, top + 10}, text);
    ::GetWindowRect(hint->WindowHandle(), &r);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_TRUE(::IsWindowVisible(hint->WindowHandle()));
}
