// End to end on the display: a small form with an edit and a button with a hint is shown, typed into with
// system key input, the pointer rests on the button until its hint shows, the display is saved as a picture
// (artifacts/small-form.bmp beside the test program's folder), and a system mouse click presses the button.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "classlib/win/TBitmap.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TEdit.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/WindowDC.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenWait.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;
using testsupport::SendKey;

namespace {

struct Clicks : TObject {
    int count = 0;
    void Click(TObject*) { ++count; }
};

// Types the text into the edit with system key input, one character at a time: each is waited for in the edit
// before the next is typed, so that a busy machine only makes typing slower. Returns whether all arrived.
bool TypeText(TEdit* edit, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const SHORT code = ::VkKeyScanA(text[i]);
        const bool shift = (code >> 8) & 1;
        if (shift) SendKey(VK_SHIFT, false);
        SendKey(static_cast<WORD>(code & 0xFF), false);
        SendKey(static_cast<WORD>(code & 0xFF), true);
        if (shift) SendKey(VK_SHIFT, true);
        const std::string typed = text.substr(0, i + 1);
        if (!PumpUntil([&] { return edit->Text() == typed; })) {
            ADD_FAILURE() << "typed \"" << typed << "\", the edit holds \"" << edit->Text() << "\"";
            return false;
        }
    }
    return true;
}

using testsupport::ArtifactPath;
using testsupport::SavedPicture;
using testsupport::SaveScreen;
using testsupport::SendPointer;

RECT ScreenRect(TControl* control) {
    const TPoint origin = control->ClientToScreen(Point(0, 0));
    return RECT{origin.X, origin.Y, origin.X + control->Width(), origin.Y + control->Height()};
}

class SmallForm : public GuiTest {};

TEST_F(SmallForm, TypeHoverForTheHintAndClickOnTheDisplay) {
    Application->SetShowHint(true);
    Application->SetHintPause(50);
    const apptest::HintsStayUp hintsStayUp;

    TForm* form = NewForm(320, 160);
    form->SetCaption("Small form");
    TEdit* edit = Create<TEdit>(Owner());
    edit->SetBounds(16, 16, 200, 24);
    edit->SetParent(form);
    TButton* button = Create<TButton>(Owner());
    button->SetBounds(16, 60, 100, 28);
    button->SetCaption("Press");
    button->SetHint("Presses the button");
    button->SetShowHint(true);
    button->SetParent(form);
    Clicks clicks;
    button->OnClick = MakeMethod<&Clicks::Click>(&clicks);

    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    // System key input goes to the focus of the foreground window.
    ::SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); }));
    ASSERT_TRUE(FocusOn(edit));

    ASSERT_TRUE(TypeText(edit, "Hello form"));

    // Rest the pointer on the button until its hint window shows.
    const TPoint centre = button->ClientToScreen(Point(50, 14));
    auto hintShowing = [] {
        THintWindow* hint = Application->HintWindow();
        return hint && hint->HandleAllocated() && ::IsWindowVisible(hint->WindowHandle());
    };
    // The pointer moves by a pixel every 200 ms, should the first move not be taken as a rest.
    const DWORD start = ::GetTickCount();
    int lastX = -1;
    ASSERT_TRUE(PumpUntil([&] {
        const int x = centre.X + static_cast<int>((::GetTickCount() - start) / 200 % 2);
        if (x != lastX) SendPointer(Point(x, centre.Y));
        lastX = x;
        return hintShowing();
    }));
    EXPECT_EQ(Application->HintWindow()->Caption(), "Presses the button");

    HWND hint = Application->HintWindow()->WindowHandle();
    ::UpdateWindow(form->Handle());
    ::UpdateWindow(hint);
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(hint, apptest::ApplicationStep));
    const std::string path = ArtifactPath("small-form.bmp");
    SaveScreen(path);
    const SavedPicture picture(path);
    ASSERT_EQ(picture.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(picture.Height(), ::GetSystemMetrics(SM_CYSCREEN));
    // The button (face, frame, caption) and the edit (frame, typed text) are drawn, not a blank area.
    EXPECT_GE(picture.Colours(ScreenRect(button)), 2u) << "the button's area is one colour";
    EXPECT_GE(picture.Colours(ScreenRect(edit)), 2u) << "the edit's area is one colour";
    // The hint window is mostly the info background (as the library resolves clInfoBk: the system's colour
    // once the program installed the system colours, else the classic one).
    RECT hintRect{};
    ::GetWindowRect(hint, &hintRect);
    const long hintArea = (hintRect.right - hintRect.left) * (hintRect.bottom - hintRect.top);
    EXPECT_GT(picture.Matching(hintRect, static_cast<COLORREF>(ColorToRGB(clInfoBk))), hintArea / 3)
        << "the hint window's area lacks the info background";

    // Press and release the left button over it; the pressed button holds the mouse capture.
    SendPointer(centre, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == button->Handle(); }));
    SendPointer(centre, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks.count == 1; }));
    EXPECT_EQ(edit->Text(), "Hello form");
}

}  // namespace
