// The Help menu as the program's start-up builds it: the help commands and About in English and German, F1
// and the other topics reaching the help viewer (observed at its entry, no help window), a missing help file
// named in a message, and the about box with its picture, its 17 labels on their tabs, closed by Esc and Enter.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoLanguageFolder.h"
#include "app/win/TKelvoAbout.h"
#include "app/win/TKelvoAboutForm.h"
#include "app/win/TKelvoHelp.h"
#include "app/win/TKelvoLogoBackground.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/WideChars.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniTabControl.h"

using kelvotest::KelvoAppTest;
using testsupport::PumpUntil;

namespace {

struct THelpRequest {
    std::wstring File;
    UINT Command;
    DWORD_PTR Data;
};
std::vector<THelpRequest>& HtmlRequests() {
    static std::vector<THelpRequest> requests;
    return requests;
}
HWND WINAPI RecordHtmlHelp(HWND, LPCWSTR file, UINT command, DWORD_PTR data) {
    HtmlRequests().push_back({file, command, data});
    return nullptr;
}

struct TClassicRecorder : TObject {
    std::vector<std::pair<std::uint16_t, std::intptr_t>> calls;
    bool Record(std::uint16_t command, std::intptr_t data, bool& callHelp) {
        calls.emplace_back(command, data);
        callHelp = false;
        return true;
    }
};

std::wstring Wide(const WideString& s) { return std::wstring(s.begin(), s.end()); }

class HelpAbout : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        languages_ = kelvotest::ProgramLanguages();
        ::DeleteFileW(WideCStr(KelvoApplication->GetStateFileName()));
        HtmlRequests().clear();
        TKelvoHelp::HtmlHelpEntry = &RecordHtmlHelp;

        kelvotest::CreateMainWindowModules();
        form_ = dynamic_cast<TMainForm*>(Application->MainForm());
        ASSERT_TRUE(form_);
        for (int i = 0; i < Application->ComponentCount(); ++i) {
            if (auto* help = dynamic_cast<TKelvoHelp*>(Application->Components(i))) help_ = help;
            if (auto* about = dynamic_cast<TKelvoAbout*>(Application->Components(i))) about_ = about;
        }
        ASSERT_TRUE(help_ && about_);
        KelvoApplication->LoadState();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }
    void TearDown() override {
        Application->OnHelp = nullptr;
        TKelvoHelp::HtmlHelpEntry = nullptr;
        if (form_) kelvotest::FreeProgramWindows(form_);
        testsupport::PumpQueued();  // what freeing the windows queued
        languages_.reset();
        KelvoAppTest::TearDown();
    }

    std::vector<WideString> HelpCaptions() {
        std::vector<WideString> captions;
        for (int i = 0; i < form_->HelpMenuItem->Count(); ++i) {
            TTBCustomItem* item = form_->HelpMenuItem->Items(i);
            captions.push_back(dynamic_cast<TSkinItem*>(item) ? item->Caption() : u"-");
        }
        return captions;
    }

    // A file of the test's own that the help module takes as its help file.
    AnsiString HelpFileNamed(const char* name) {
        const AnsiString file = dir_.File(name);
        testsupport::WriteBytes(file, {'h', 'e', 'l', 'p'});
        return file;
    }

    testsupport::TempDir dir_;
    TMainForm* form_ = nullptr;
    TKelvoHelp* help_ = nullptr;
    TKelvoAbout* about_ = nullptr;

private:
    std::unique_ptr<kelvotest::TTestLanguages> languages_;
};

}  // namespace

TEST_F(HelpAbout, TheHelpMenuHoldsTheTopicsThenAboutInEnglishAndInGerman) {
    EXPECT_EQ(HelpCaptions(), (std::vector<WideString>{u"Contents", u"-", u"Getting Started", u"Technical Support",
                                                       u"-", u"Ordering Information", u"-", u"About"}));
    EXPECT_EQ(help_->ContentsMenuItem->ShortCut(), VK_F1);
    TTBCustomItem* german = nullptr;
    for (int i = 0; i < form_->LanguageMenuItem->Count(); ++i)
        if (form_->LanguageMenuItem->Items(i)->Tag() == 1031) german = form_->LanguageMenuItem->Items(i);
    ASSERT_TRUE(german);
    german->Click();
    EXPECT_EQ(HelpCaptions(), (std::vector<WideString>{u"Inhalt", u"-", u"Erste Schritte", u"Technischer Support", u"-",
                                                       u"Bestellinformationen", u"-", u"Info"}));
}

TEST_F(HelpAbout, F1OpensTheHtmlHelpAtItsContentsAndTheItemsAtTheirTopics) {
    const AnsiString file = HelpFileNamed("Vantorel.chm");
    help_->SetHelpFile(file);
    EXPECT_TRUE(help_->HtmlHelp());
    EXPECT_EQ(Application->HelpFile(), "");
    ::SetForegroundWindow(form_->Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form_->Handle(); }));
    testsupport::Press(VK_F1);
    ASSERT_TRUE(PumpUntil([] { return !HtmlRequests().empty(); }, testsupport::kPumpTimeoutMs,
                          [] { Application->ProcessMessages(); }));
    EXPECT_EQ(HtmlRequests()[0].File, Wide(AnsiToWide(file)));
    EXPECT_EQ(HtmlRequests()[0].Command, 0u);
    EXPECT_EQ(HtmlRequests()[0].Data, 0u);
    help_->TechnicalSupportMenuItem->Click();
    help_->GettingStartedMenuItem->Click();
    ASSERT_EQ(HtmlRequests().size(), 3u);
    EXPECT_EQ(HtmlRequests()[1].Command, 15u);
    EXPECT_EQ(HtmlRequests()[1].Data, 30u);
    EXPECT_EQ(HtmlRequests()[2].Data, 20u);
}

TEST_F(HelpAbout, AClassicHelpFileGoesThroughTheApplicationsHelp) {
    TClassicRecorder recorder;
    Application->OnHelp = MakeMethod<&TClassicRecorder::Record>(&recorder);
    const AnsiString file = HelpFileNamed("Vantorel.hlp");
    help_->SetHelpFile(file);
    EXPECT_EQ(Application->HelpFile(), file);
    help_->ContentsMenuItem->Click();
    help_->OrderingInformationMenuItem->Click();
    // Leaving, the module closes the help engine it used.
    Free(help_);
    help_ = nullptr;
    EXPECT_EQ(recorder.calls, (std::vector<std::pair<std::uint16_t, std::intptr_t>>{
                                  {HELP_CONTENTS, 0}, {HELP_CONTEXT, 40}, {HELP_QUIT, 0}}));
    EXPECT_TRUE(HtmlRequests().empty());
}

TEST_F(HelpAbout, AMissingHelpFileIsNamedInAMessageAndNothingIsCalled) {
    const AnsiString file = dir_.File("Nowhere.chm");
    help_->SetHelpFile(file);
    std::wstring shown;
    {
        kelvotest::TWindowDriver driver(
            Wide(KelvoApplication->GetTitle()),
            [&](HWND box) {
                for (const auto& child : kelvotest::ChildWindows(box)) shown += child.Text + L"|";
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            },
            L"#32770");
        help_->ContentsMenuItem->Click();
    }
    EXPECT_NE(shown.find(L"Nowhere.chm cannot be opened"), std::wstring::npos)
        << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(HtmlRequests().empty());
}

TEST_F(HelpAbout, TheAboutBoxShowsThePictureAndItsLabelsAndClosesWithEscAndEnter) {
    int checked = 0;
    for (WORD key : {WORD(VK_ESCAPE), WORD(VK_RETURN)}) {
        kelvotest::TWindowDriver driver(L"About", [&](HWND window) {
            auto* box = dynamic_cast<TKelvoAboutForm*>(FindControl(window));
            ASSERT_TRUE(box);
            RECT client{};
            ::GetClientRect(window, &client);
            EXPECT_EQ(client.right, 550);
            EXPECT_EQ(client.bottom, 367);
            ASSERT_EQ(box->Labels.size(), 17u);
            ASSERT_EQ(box->AboutTabControl->Tabs()->Count(), 3);
            EXPECT_EQ(box->AboutTabControl->Tabs()->Get(1), u"Credits");
            EXPECT_EQ(box->Labels[0]->Caption(), u"Vantorel");
            EXPECT_EQ(box->Labels[4]->Caption(), u"Technical Support:");
            EXPECT_EQ(box->Labels[5]->Caption(), u"www.kelvo.example");
            EXPECT_EQ(box->Labels[5]->Hint(), u"https://www.kelvo.example/support");
            EXPECT_TRUE(box->Labels[3]->Visible());
            EXPECT_FALSE(box->Labels[9]->Visible());  // on the second tab
            ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == window; }, testsupport::kPumpTimeoutMs,
                                  [] { Application->ProcessMessages(); }));
            ::UpdateWindow(window);
            ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

            if (checked == 0) {
                const std::string path = testsupport::ArtifactPath("about-box.bmp");
                testsupport::SaveScreen(path);
                const testsupport::SavedPicture shot(path);
                ASSERT_GT(shot.Width(), 0);
                // The picture's top right, clear of labels: the light blue of the gradient's top.
                RECT background{};
                ::GetWindowRect(box->Background->Handle(), &background);
                const COLORREF corner = shot.Pixel(background.right - 30, background.top + 3);
                EXPECT_GT(GetBValue(corner), 0xB0);
                EXPECT_LT(GetRValue(corner), 0x90);
                // White text of the program's name; blue link text.
                const auto screenRect = [&](TUniLabel* label) {
                    POINT p{label->Left(), label->Top()};
                    ::ClientToScreen(box->Background->Handle(), &p);
                    return RECT{p.x, p.y, p.x + label->Width(), p.y + label->Height()};
                };
                EXPECT_GT(shot.Matching(screenRect(box->Labels[0]), RGB(255, 255, 255)), 10);
                EXPECT_GT(shot.Matching(screenRect(box->Labels[5]), RGB(0, 0, 255)), 10);
            }
            if (checked == 1) {
                // A click on the second tab shows its labels (index 1) and hides the first tab's.
                RECT tab{};
                ::SendMessageW(box->AboutTabControl->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
                ::MapWindowPoints(box->AboutTabControl->Handle(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
                testsupport::ClickAt(TPoint{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
                EXPECT_TRUE(PumpUntil([&] { return box->Labels[9]->Visible(); }, testsupport::kPumpTimeoutMs,
                                      [] { Application->ProcessMessages(); }));
                EXPECT_FALSE(box->Labels[3]->Visible());
                EXPECT_TRUE(box->Labels[0]->Visible());
                EXPECT_FALSE(box->Labels[14]->Visible());
            }
            testsupport::Press(key);
        });
        about_->AboutMenuItem->Click();
        ++checked;
    }
    EXPECT_EQ(checked, 2);
}
