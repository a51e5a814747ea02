// The program's message box as a real window: its size and button places from the layout, the pressed
// button's index and the check box's state as answers, and a box closed without a button.
#include <gtest/gtest.h>

#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "app/win/TKelvoMessageBox.h"

using kelvotest::ChildWindows;
using kelvotest::FindChild;

namespace {

// Words enough to wrap at 400 pixels several times.
const WideString kLongText =
    u"The picture was changed after it was last saved. Saving it now replaces the file on the disk; keeping both "
    u"writes the changed picture beside it under a new name, and cancelling leaves everything as it is.";

class MessageBoxWindow : public kelvotest::KelvoAppTest {};

}  // namespace

TEST_F(MessageBoxWindow, ThreeButtonsAreCentredUnderTheWrappedTextAndAnswerWithTheirIndexAndTheCheckBox) {
    RECT client{};
    std::vector<kelvotest::TChildWindow> children;
    TKelvoMessageBox box(kLongText, KelvoMessageBoxNoIcon);
    bool checked = false;
    int pressed = -2;
    {
        kelvotest::TWindowDriver driver(L"Three buttons", [&](HWND window) {
            ::GetClientRect(window, &client);
            children = ChildWindows(window);
            if (const auto* check = FindChild(children, L"Ask again")) ::SendMessageW(check->Window, BM_CLICK, 0, 0);
            if (const auto* keep = FindChild(children, L"Keep both")) ::PostMessageW(keep->Window, BM_CLICK, 0, 0);
        });
        pressed = box.Show(u"Three buttons", {u"Replace", u"Keep both", u"Cancel"}, checked, u"Ask again", 2);
    }
    EXPECT_EQ(pressed, 1);
    EXPECT_TRUE(checked);

    // The text wraps inside 400 pixels; the box is 32 wider than the widest line.
    const TKelvoMessageBoxLayout& layout = box.Layout();
    EXPECT_GT(layout.Text.Width(), 340);
    EXPECT_LE(layout.Text.Width(), 400);
    EXPECT_GT(layout.Text.Height(), 26);  // several lines
    EXPECT_EQ(client.right, layout.Text.Width() + 32);

    const auto* check = FindChild(children, L"Ask again");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->Client.left, 16);
    EXPECT_EQ(check->Client.top, layout.Text.Height() + 20);
    const int checkHeight = check->Client.bottom - check->Client.top;
    EXPECT_EQ(client.bottom, layout.Text.Height() + 66 + checkHeight);

    const int first = (client.right - 316) / 2;
    int index = 0;
    for (const wchar_t* caption : {L"Replace", L"Keep both", L"Cancel"}) {
        const auto* button = FindChild(children, caption);
        ASSERT_NE(button, nullptr) << index;
        EXPECT_EQ(button->Client.left, first + 108 * index);
        EXPECT_EQ(button->Client.top, client.bottom - 34);
        EXPECT_EQ(button->Client.right - button->Client.left, 100);
        EXPECT_EQ(button->Client.bottom - button->Client.top, 24);
        ++index;
    }
}

TEST_F(MessageBoxWindow, ABoxClosedWithoutAButtonAnswersClosedAndKeepsTheCheckState) {
    bool checked = true;
    int pressed = -2;
    {
        kelvotest::TWindowDriver driver(L"Closed", [](HWND window) { ::PostMessageW(window, WM_CLOSE, 0, 0); });
        // A second button whose index equals the library's cancel result minus one must not be reported.
        pressed =
            ShowMessageBox(u"Closed", u"Short.", {u"Yes", u"No"}, checked, u"Remember", KelvoMessageBoxIconQuestion, 1);
    }
    EXPECT_EQ(pressed, KelvoMessageBoxClosed);
    EXPECT_TRUE(checked);
}

TEST_F(MessageBoxWindow, ALastButtonWithoutItsCaptionIsRefusedBeforeAnythingShows) {
    bool checked = false;
    EXPECT_THROW(ShowMessageBox(u"Bad", u"Text", {u"Only"}, checked, u"", KelvoMessageBoxNoIcon, 1), EListError);
}
