// The Unicode controls base on the display, under the ANSI code page of the test run (1252, and 1251 in the
// child run of UniControlsCyrillic).
#include "classlib/win/TApplication.h"
#include "classlib/win/THintWindow.h"
#include "tests/support/CyrillicChild.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/win/TUniHintWindow.h"
#include "unicode/win/TWinControlTrap.h"

using namespace formtest;
using namespace unigui;

namespace {

// Greek, Cyrillic and Latin: no single ANSI code page holds all of it.
const WideString kMixed = u"\u03a9mega \u0416\u0443\u043a caf\u00e9";

class UniControls : public UniGuiTest {
protected:
    TForm* form_ = nullptr;
    TWideTestEdit* NewEdit() {
        if (!form_) form_ = NewForm(320, 160);
        auto* edit = Create<TWideTestEdit>(Owner());
        edit->SetBounds(10, 10, 200, 24);
        return edit;
    }
};

TEST_F(UniControls, TextSetBeforeTheWindowExistsShowsInTheUnicodeWindow) {
    TWideTestEdit* edit = NewEdit();
    uni::SetControlWideText(edit, kMixed);
    ASSERT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(uni::GetControlWideText(edit), kMixed);
    edit->SetParent(form_);
    HWND wnd = edit->Handle();
    EXPECT_TRUE(::IsWindowUnicode(wnd));
    EXPECT_TRUE(EndsWith(ClassNameW(wnd), u".UnicodeClass")) << uni::ToAnsi(ClassNameW(wnd));
    EXPECT_EQ(ClassNameW(wnd), u"TWideTestEdit.UnicodeClass");
    EXPECT_EQ(WindowTextW(wnd), kMixed);
    EXPECT_EQ(uni::GetControlWideText(edit), kMixed);
    EXPECT_EQ(FindControl(wnd), edit);
    EXPECT_TRUE(uni::IsUnicodeControlWindow(wnd));
}

TEST_F(UniControls, EightBitTextMessagesGetTheTextInTheAnsiCodePage) {
    TWideTestEdit* edit = NewEdit();
    edit->SetParent(form_);
    uni::SetControlWideText(edit, kMixed);
    const AnsiString ansi = uni::ToAnsi(kMixed);
    // The library's own access (through WindowProc) and a plain 8-bit message give the same converted text.
    EXPECT_EQ(edit->Text(), ansi);
    char buf[128] = {};
    const LRESULT n = ::SendMessageA(edit->Handle(), WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(AnsiString(buf, static_cast<std::size_t>(n)), ansi);
    EXPECT_EQ(edit->GetTextLen(), static_cast<int>(ansi.size()));
    if (::GetACP() == 1251) {
        EXPECT_EQ(ansi.substr(6, 3), "\xc6\xf3\xea");
    }
    if (::GetACP() == 1252) {
        EXPECT_EQ(ansi.substr(10), "caf\xe9");
    }
    // 8-bit text set by the library reaches the wide window converted.
    edit->SetText(
        "Stra\xdf"
        "e");
    EXPECT_EQ(WindowTextW(edit->Handle()), uni::FromAnsi("Stra\xdf"
                                                         "e"));
}

TEST_F(UniControls, RecreatingTheWindowKeepsTheWideText) {
    TWideTestEdit* edit = NewEdit();
    edit->SetParent(form_);
    HWND first = edit->Handle();
    uni::SetControlWideText(edit, kMixed);
    edit->RecreateWnd();
    HWND second = edit->Handle();
    EXPECT_NE(first, second);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_TRUE(::IsWindowUnicode(second));
    EXPECT_EQ(WindowTextW(second), kMixed);
    // Re-created from inside one of its own messages.
    edit->duringChar = [edit] { edit->RecreateWnd(); };
    ::SendMessageW(second, WM_CHAR, 'x', 0);
    HWND third = edit->Handle();
    EXPECT_NE(third, second);
    EXPECT_EQ(WindowTextW(third), kMixed);
    EXPECT_EQ(uni::TrapOf(edit, false)->Window(), third);
    // Destroyed from inside one of its own messages: made again on demand, text and trap intact.
    edit->duringChar = [edit] { edit->DestroyHandle(); };
    ::SendMessageW(third, WM_CHAR, 'y', 0);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(uni::GetControlWideText(edit), kMixed);
    EXPECT_EQ(WindowTextW(edit->Handle()), kMixed);
}

TEST_F(UniControls, WideCharacterReachesTheControlIntact) {
    TWideTestEdit* edit = NewEdit();
    edit->SetParent(form_);
    ::SendMessageW(edit->Handle(), WM_CHAR, 0x03A9, 1);
    ASSERT_EQ(edit->wideChars.size(), 1u);
    EXPECT_EQ(edit->wideChars[0], u'\u03a9');
    // The 8-bit key handler sees the marker, the system's edit the character itself.
    ASSERT_EQ(edit->ansiChars.size(), 1u);
    EXPECT_EQ(edit->ansiChars[0], 255);
    EXPECT_EQ(WindowTextW(edit->Handle()), u"\u03a9");
}

TEST_F(UniControls, NotificationFormatIsUnicodeForUnicodeWindows) {
    TWideTestEdit* edit = NewEdit();
    auto* panel = Create<TWideTestPanel>(Owner());
    panel->SetBounds(0, 40, 100, 50);
    panel->SetParent(form_);
    edit->SetParent(panel);
    HWND ansiWindow = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(::SendMessageW(panel->Handle(), WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(edit->Handle()), NF_QUERY),
              NFR_UNICODE);
    EXPECT_EQ(::SendMessageW(panel->Handle(), WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(ansiWindow), NF_QUERY),
              NFR_ANSI);
    ::DestroyWindow(ansiWindow);
}

TEST_F(UniControls, DestroyWindowRequestFromOutsideIsIgnored) {
    TWideTestEdit* edit = NewEdit();
    edit->SetParent(form_);
    uni::SetControlWideText(edit, kMixed);
    ASSERT_NE(uni::DestroyWindowMessage(), 0u);
    ::PostMessageW(edit->Handle(), uni::DestroyWindowMessage(), 0, 0);
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_TRUE(uni::IsUnicodeControlWindow(edit->Handle()));
    EXPECT_EQ(edit->Text(), uni::ToAnsi(kMixed));
    // The form's own request, through the control, gives the window back its previous procedures.
    edit->Perform(uni::DestroyWindowMessage());
    EXPECT_FALSE(uni::IsUnicodeControlWindow(edit->Handle()));
}

TEST_F(UniControls, ControlFreedWhileItsWindowIsDetachedTakesTheWindowAndTrapAlong) {
    TWideTestEdit* edit = NewEdit();
    edit->SetParent(form_);
    HWND wnd = edit->Handle();
    const int traps = uni::TrapCount();
    edit->SetWindowHandle(nullptr);
    ASSERT_TRUE(::IsWindow(wnd));
    Free(edit);
    EXPECT_FALSE(::IsWindow(wnd));
    // The retired trap goes at the next creation of a Unicode window.
    TWideTestEdit* other = NewEdit();
    other->SetParent(form_);
    other->HandleNeeded();
    EXPECT_EQ(uni::TrapCount(), traps);
}

TEST_F(UniControls, HintShowsTheShortPartOfTheWideHint) {
    Application->SetShowHint(true);
    TForm* form = NewForm(320, 160);
    auto* panel = Create<TWideTestPanel>(Owner());
    panel->SetBounds(20, 20, 120, 60);
    panel->SetShowHint(true);
    panel->SetParent(form);
    uni::SetControlWideHint(panel, u"Save|Saves the file");
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Showing(); }));
    EXPECT_EQ(uni::LongWideHint(uni::FindWideHint(panel)), u"Saves the file");
    Application->ActivateHint(panel->ClientToScreen(Point(10, 10)));
    THintWindow* hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->InheritsFrom(TUniCustomHintWindow::StaticClass()));
    EXPECT_TRUE(::IsWindowUnicode(hint->WindowHandle()));
    EXPECT_EQ(WindowTextW(hint->WindowHandle()), u"Save");

    // A wide hint beyond the code page shows in full.
    const WideString wide = u"\u03a9 \u0421\u043e\u0445\u0440\u0430\u043d\u0438\u0442\u044c|\u0424\u0430\u0439\u043b";
    uni::SetControlWideHint(panel, wide);
    Application->ActivateHint(panel->ClientToScreen(Point(10, 10)));
    hint = Application->HintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(uni::GetControlWideText(hint), uni::ShortWideHint(wide));
    EXPECT_EQ(uni::LongWideHint(uni::FindWideHint(panel)), u"\u0424\u0430\u0439\u043b");
    // Wide enough for the wide text.
    const TRect measured = static_cast<TUniCustomHintWindow*>(hint)->MeasureWideHint(1000, uni::ShortWideHint(wide));
    EXPECT_GT(measured.Width(), 6);
    Application->CancelHint();
}

TEST(UniControlsCyrillic, PassUnderCodePage1251) {
    if (testsupport::IsCyrillicChild()) GTEST_SKIP() << "the parent's test";
    if (::GetEnvironmentVariableW(L"WINELOADER", nullptr, 0) == 0) GTEST_SKIP() << "needs Wine";
    std::string output;
    const int code = testsupport::RunSelfWithCyrillicLocale(
        "UniControls.*:UniForms*:UniOwn*:UniActions*:UniCodePage.*:UniStdControls.*:UniCommonControls.*:UniMenus.*:"
        "UniOpenDialog.*",
        output);
    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find("[  PASSED  ]"), std::string::npos) << output;
    EXPECT_EQ(output.find("[  FAILED  ]"), std::string::npos) << output;
    EXPECT_NE(output.find("[       OK ] UniCodePage.ChildRunsUnderCodePage1251"), std::string::npos) << output;
    EXPECT_NE(output.find("[       OK ] UniControls.HintShowsTheShortPartOfTheWideHint"), std::string::npos) << output;
}

TEST(UniCodePage, ChildRunsUnderCodePage1251) {
    if (!testsupport::IsCyrillicChild()) GTEST_SKIP() << "runs in the child process only";
    EXPECT_EQ(::GetACP(), 1251u);
}

}  // namespace
