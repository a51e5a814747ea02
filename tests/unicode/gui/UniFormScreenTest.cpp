// End to end on the display: a Unicode form with a wide caption, an edit typed into with a character outside
// the ANSI code page and a panel with a wide hint, shown with its hint; the display is saved as a picture
// (artifacts/uni-form.bmp beside the test program's folder) and its pixels are checked.
#include "classlib/win/TApplication.h"
#include "classlib/win/THintWindow.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenWait.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/win/TUniForm.h"

using namespace formtest;
using namespace unigui;
using testsupport::ArtifactPath;
using testsupport::SavedPicture;
using testsupport::SaveScreen;

namespace {

class UniFormScreen : public UniGuiTest {};

RECT ScreenRect(TControl* control) {
    const TPoint origin = control->ClientToScreen(Point(0, 0));
    return RECT{origin.X, origin.Y, origin.X + control->ClientWidth(), origin.Y + control->ClientHeight()};
}

TEST_F(UniFormScreen, FormWithWideCaptionEditAndHintIsDrawn) {
    Application->SetShowHint(true);
    auto* form = Create<TUniForm>(Owner());
    form->SetBounds(40, 40, 360, 180);
    form->SetCaption(u"\u0424\u043e\u0440\u043c\u0430 \u03a9");
    auto* edit = Create<TWideTestEdit>(Owner());
    edit->SetBounds(16, 16, 220, 24);
    edit->SetParent(form);
    auto* panel = Create<TWideTestPanel>(Owner());
    panel->SetBounds(16, 60, 160, 50);
    panel->SetShowHint(true);
    panel->SetParentBackground(false);
    panel->SetParent(form);
    const WideString hint = u"\u0421\u043e\u0445\u0440\u0430\u043d\u0438\u0442\u044c \u03a9|\u0424\u0430\u0439\u043b";
    uni::SetControlWideHint(panel, hint);

    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    ::SetForegroundWindow(form->Handle());
    edit->SetFocus();
    for (WideChar ch : WideString(u"\u03a9\u0416 ok")) ::PostMessageW(edit->Handle(), WM_CHAR, ch, 1);
    ASSERT_TRUE(PumpUntil([&] { return WindowTextW(edit->Handle()) == u"\u03a9\u0416 ok"; }))
        << uni::ToAnsi(WindowTextW(edit->Handle()));

    const apptest::HintsStayUp hintsStayUp;
    ::SetCursorPos(panel->ClientToScreen(Point(20, 20)).X, panel->ClientToScreen(Point(20, 20)).Y);
    Application->ActivateHint(panel->ClientToScreen(Point(20, 20)));
    THintWindow* hintWindow = Application->HintWindow();
    ASSERT_NE(hintWindow, nullptr);
    ASSERT_TRUE(::IsWindowVisible(hintWindow->WindowHandle()));
    EXPECT_EQ(WindowTextW(hintWindow->WindowHandle()), uni::ShortWideHint(hint));
    EXPECT_EQ(WindowTextW(form->Handle()), u"\u0424\u043e\u0440\u043c\u0430 \u03a9");

    ::UpdateWindow(form->Handle());
    ::UpdateWindow(hintWindow->WindowHandle());
    ASSERT_TRUE(PumpQueued());  // what the paints above queued
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(hintWindow->WindowHandle(), apptest::ApplicationStep));
    const std::string path = ArtifactPath("uni-form.bmp");
    SaveScreen(path);
    const SavedPicture picture(path);
    ASSERT_EQ(picture.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(picture.Height(), ::GetSystemMetrics(SM_CYSCREEN));

    // The edit shows its text: dark text pixels on the window colour.
    const RECT editRect = ScreenRect(edit);
    const auto window = static_cast<COLORREF>(ColorToRGB(clWindow));
    EXPECT_GT(picture.Matching(editRect, window), 100) << "the edit's background is missing";
    EXPECT_GT(picture.Differing(editRect, window), 20) << "the edit's text is not drawn";
    // The hint window: mostly the info background, with its text drawn on it.
    RECT hintRect{};
    ::GetWindowRect(hintWindow->WindowHandle(), &hintRect);
    const long area = (hintRect.right - hintRect.left) * (hintRect.bottom - hintRect.top);
    const auto info = static_cast<COLORREF>(ColorToRGB(clInfoBk));
    EXPECT_GT(picture.Matching(hintRect, info), area / 3) << "the hint window lacks the info background";
    EXPECT_GT(picture.Differing(hintRect, info), 20) << "the hint's text is not drawn";
    // The wide hint is wider than its first character alone: the whole short hint was measured.
    EXPECT_GT(hintRect.right - hintRect.left, 60);
    Application->CancelHint();
}

}  // namespace
