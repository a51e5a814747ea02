// The program's demonstrations in the whole program as its start-up makes it: the demonstrations window of a
// first start with the program's own three demonstrations, a demonstration started from that window running
// to its end and the window coming back, the script editor's round trip, and each shipped demonstration played
// to its end over its photograph.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/core/TKelvoGraphicsDocument.h"
#include "app/win/KelvoFiles.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/StringUtils.h"
#include "demo/core/TKelvoDemoScriptParams.h"
#include "demo/win/TKelvoDemoEditorForm.h"
#include "demo/win/TKelvoDemoEditorModule.h"
#include "demo/win/TKelvoDemonstrationForm.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinStatusBar.h"
#include "themed/win/TSkinToolbar.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniListView.h"

using testsupport::DialogDriver;
using testsupport::PumpUntil;

namespace {

const testsupport::DialogMatch kWindow{L"Demonstrations", L"TKelvoDemonstrationForm.UnicodeClass"};
const testsupport::DialogMatch kMessage{L"Demonstrations"};

class DemonstrationsProgram : public kelvotest::ProgramTest {
protected:
    // The program made, not started: each test starts it with or without the window of a first start.
    void SetUp() override {
        MakeProgram();
        demos_ = Find<TKelvoDemonstrationModule>();
        ASSERT_TRUE(demos_);
    }

    static TKelvoDemonstrationForm* WindowOf(HWND window) {
        return dynamic_cast<TKelvoDemonstrationForm*>(FindControl(window));
    }
    static std::vector<WideString> Titles(TKelvoDemonstrationForm& window) {
        std::vector<WideString> titles;
        for (int i = 0; i < window.DemoListView->Items()->Count(); ++i)
            titles.push_back(window.DemoListView->Item(i)->Caption());
        return titles;
    }
    // Starts the demonstration with the title from the demonstrations window, runs whilePlaying once it plays,
    // answers the message boxes that come up (the question before the run, the message at its end or the question
    // of a stop) with answers in turn, and waits until the window has come back (and closes it then); false when
    // a step did not come.
    bool PlayFromTheWindow(const WideString& title, const std::function<void()>& whilePlaying = nullptr,
                           const std::vector<int>& answers = {IDOK}) {
        bool selected = false, cameBack = false;
        DialogDriver window(
            kWindow,
            [&](HWND dialog) {
                TKelvoDemonstrationForm* shown = WindowOf(dialog);
                if (!shown) return;
                if (!selected) {
                    const std::vector<WideString> titles = Titles(*shown);
                    for (std::size_t i = 0; i < titles.size(); ++i)
                        if (titles[i] == title) shown->DemoListView->SetItemIndex(int(i));
                    selected = shown->SelectedScript() && shown->SelectedScript()->GetTitle() == title;
                    shown->StartButton->Click();
                } else {
                    cameBack = true;
                    shown->CloseButton->Click();
                }
            },
            2, nullptr, 60000);
        std::size_t answered = 0;
        DialogDriver box(
            kMessage, [&](HWND dialog) { testsupport::PressButton(dialog, answers[answered++]); }, int(answers.size()),
            nullptr, 60000);
        demos_->ShowDemonstrations();
        if (whilePlaying && demos_->Playback().IsPlaying()) whilePlaying();
        return PumpUntil([&] { return cameBack; }, 60000) && selected;
    }

    TKelvoDemonstrationModule* demos_ = nullptr;
};

}  // namespace

TEST_F(DemonstrationsProgram, AFirstStartShowsTheWindowWithTheProgramsThreeDemonstrations) {
    std::vector<WideString> titles;
    bool showAtStart = false;
    DialogDriver window(
        kWindow,
        [&](HWND dialog) {
            TKelvoDemonstrationForm* shown = WindowOf(dialog);
            ASSERT_TRUE(shown);
            titles = Titles(*shown);
            showAtStart = shown->ShowAtStartCheckBox->Checked();
            testsupport::SaveScreen(testsupport::ArtifactPath("demonstrations-window.bmp"));
            shown->CloseButton->Click();
        },
        1, [] { return testsupport::ScreenShows(testsupport::FindDialog(kWindow)); }, 20000);
    ASSERT_NO_FATAL_FAILURE(Start(true));
    ASSERT_TRUE(PumpUntil([&] { return window.Answered() == 1 && !testsupport::FindDialog(kWindow); }, 20000));
    // Sorted by title, in the language of the program (English here).
    EXPECT_EQ(titles, (std::vector<WideString>{u"Crop, rotate and brighten", u"Reference lines and lens correction",
                                               u"Straighten a fa\u00e7ade with four points"}));
    EXPECT_TRUE(showAtStart);
}

TEST_F(DemonstrationsProgram, ADemonstrationStartedFromTheWindowRunsToItsEndAndTheWindowComesBack) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_FALSE(WriteGradient("zoom.png").empty());
    const std::string zoom =
        "[Info]\r\nTitle=Zoom in\r\n[Script]\r\nImageOpen \"zoom.png\"\r\nMouseSpeed 50\r\n"
        "MouseCurvedMove ZoomIn\r\nZoomIn\r\n";
    ASSERT_TRUE(kelvo::ReplaceFileContent(AnsiToWide(dir_.File("Zoom.dsc")), zoom.data(), zoom.size()));
    const std::string other = "[Info]\r\nTitle=Zoom out\r\n[Script]\r\nZoomOut\r\n";
    ASSERT_TRUE(kelvo::ReplaceFileContent(AnsiToWide(dir_.File("Other.dsc")), other.data(), other.size()));
    demos_->DemonstrationsFolder = AnsiToWide(dir_.Path()) + u"\\";
    editor_->ImagesFolder = demos_->DemonstrationsFolder;
    const WideString title = KelvoApplication->GetTitle();
    auto* panel = Find<TKelvoToolPanelModule>();
    panel->SetPanelVisible(false);

    ASSERT_TRUE(PlayFromTheWindow(u"Zoom in"));
    EXPECT_TRUE(panel->GetPanelVisible());  // where the tools a demonstration drives are
    ASSERT_TRUE(editor_->GetActiveView());
    EXPECT_NE(editor_->GetActiveView()->Zoom(), (TKelvoZoom{1, 1}));
    EXPECT_EQ(KelvoApplication->GetTitle(), title);
    EXPECT_EQ(demos_->SelectedIndex, 1);  // the window came back with the next demonstration selected
}

TEST_F(DemonstrationsProgram, NamesRegisteredWithTheModuleAreTargetsAndCommandsOfAPlayedScript) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<std::int32_t> sizes;
    demos_->RegisterTarget("StatusBar", form_->StatusBar);
    demos_->RegisterButton("Larger", MakeMethod<&TKelvoGraphicsEditor::ZoomIn>(editor_), editor_->ZoomInButton);
    demos_->RegisterIntegerCommand(
        "Size", [&](std::int32_t size) { sizes.push_back(size); }, 100);
    demos_->RegisterIntegerCommand(
        "SIZE", [&](std::int32_t) { sizes.push_back(-1); }, 0);
    ASSERT_TRUE(OpenGradient());
    const TKelvoZoom before = editor_->GetActiveView()->Zoom();
    TKelvoDemoScript script;
    script.Reset();
    script.GetLines() = {"MouseSpeed 100", "MouseCurvedMove statusbar", "Size 7",
                         "size",           "MouseCurvedMove Larger",    "Larger"};
    demos_->Playback().SetScript(script);
    demos_->Playback().Events.OnBeforeStart = nullptr;  // no question about the open image
    demos_->Playback().Events.OnFinish = nullptr;       // and no message at the end
    std::vector<AnsiString> errors;
    demos_->Playback().Events.OnError = [&](const AnsiString& message, bool&, const AnsiString& line) {
        errors.push_back(message + " in " + line);
    };
    ASSERT_TRUE(demos_->Playback().Play(0));
    ASSERT_TRUE(PumpUntil([&] { return demos_->Playback().State() == TKelvoDemoState::Idle; }, 10000));

    EXPECT_EQ(errors, std::vector<AnsiString>{});
    EXPECT_EQ(sizes, (std::vector<std::int32_t>{7, 100}));  // the first registration of a name answers
    EXPECT_NE(editor_->GetActiveView()->Zoom(), before);
    // The pointer went to the middle of the status bar, then of the Zoom In button.
    TPoint button;
    TKelvoDemoScriptParams larger;
    larger.Parse("Larger");
    ASSERT_TRUE(demos_->FindTarget(larger, button));
    EXPECT_EQ(demos_->Playback().GetCursorPosition(), button);
    TPoint bar;
    TKelvoDemoScriptParams statusBar;
    statusBar.Parse("STATUSBAR");
    ASSERT_TRUE(demos_->FindTarget(statusBar, bar));
    EXPECT_EQ(bar,
              form_->StatusBar->ClientToScreen(Point(form_->StatusBar->Width() / 2, form_->StatusBar->Height() / 2)));
}

TEST_F(DemonstrationsProgram, TheQuestionBeforeARunClosesTheOpenImageOnYesAndKeepsItOnNo) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string zoom = "[Info]\r\nTitle=Zoom in\r\n[Script]\r\nZoomIn\r\n";
    ASSERT_TRUE(kelvo::ReplaceFileContent(AnsiToWide(dir_.File("Zoom.dsc")), zoom.data(), zoom.size()));
    demos_->DemonstrationsFolder = AnsiToWide(dir_.Path()) + u"\\";
    ASSERT_TRUE(OpenGradient());
    const WideString title = KelvoApplication->GetTitle();

    // No: nothing starts, and the image stays.
    std::wstring question;
    {
        DialogDriver window(kWindow, [&](HWND dialog) { WindowOf(dialog)->StartButton->Click(); });
        DialogDriver box(kMessage, [&](HWND dialog) {
            wchar_t text[256] = {};
            ::GetDlgItemTextW(dialog, 0xFFFF, text, 256);
            question = text;
            testsupport::PressButton(dialog, IDNO);
        });
        demos_->ShowDemonstrations();
    }
    EXPECT_EQ(question, L"The demonstration needs the open image closed. Close it now?");
    EXPECT_FALSE(demos_->Playback().IsPlaying());
    EXPECT_TRUE(editor_->GetActiveDocument());
    EXPECT_EQ(KelvoApplication->GetTitle(), title);

    // Yes: the image is closed and the demonstration runs to its end.
    ASSERT_TRUE(PlayFromTheWindow(u"Zoom in", nullptr, {IDYES, IDOK}));
    EXPECT_FALSE(editor_->GetActiveDocument());
}

// A changed image is not asked about twice (close it? then save it?): its save question is the one question,
// and No closes it without saving and lets the demonstration run.
TEST_F(DemonstrationsProgram, AChangedImageAsksOnlyItsSaveQuestionBeforeARun) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string zoom = "[Info]\r\nTitle=Zoom in\r\n[Script]\r\nZoomIn\r\n";
    ASSERT_TRUE(kelvo::ReplaceFileContent(AnsiToWide(dir_.File("Zoom.dsc")), zoom.data(), zoom.size()));
    demos_->DemonstrationsFolder = AnsiToWide(dir_.Path()) + u"\\";
    ASSERT_TRUE(OpenGradient());
    editor_->GetActiveDocument()->SetSaved(false);

    std::vector<std::wstring> boxes;
    bool cameBack = false;
    DialogDriver window(
        kWindow,
        [&](HWND dialog) {
            if (cameBack) return;
            if (boxes.empty()) {
                WindowOf(dialog)->StartButton->Click();
            } else {
                cameBack = true;
                WindowOf(dialog)->CloseButton->Click();
            }
        },
        2, nullptr, 60000);
    // Every message box of the run: the first answered No, the rest OK.
    DialogDriver box(
        {L""},
        [&](HWND dialog) {
            wchar_t text[256] = {};
            ::GetDlgItemTextW(dialog, 0xFFFF, text, 256);
            boxes.push_back(text);
            testsupport::PressButton(dialog, boxes.size() == 1 ? IDNO : IDOK);
        },
        3, nullptr, 60000);
    demos_->ShowDemonstrations();
    ASSERT_TRUE(PumpUntil([&] { return cameBack; }, 60000));
    EXPECT_EQ(boxes, (std::vector<std::wstring>{L"Do you want to save the changes to photo.png?",
                                                L"The demonstration is finished."}));
    EXPECT_FALSE(editor_->GetActiveDocument());
}

TEST_F(DemonstrationsProgram, EscAnsweredWithYesStopsTheDemonstrationAndTheWindowComesBack) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string wait = "[Info]\r\nTitle=Wait\r\n[Script]\r\nPause 60\r\nZoomIn\r\n";
    ASSERT_TRUE(kelvo::ReplaceFileContent(AnsiToWide(dir_.File("Wait.dsc")), wait.data(), wait.size()));
    demos_->DemonstrationsFolder = AnsiToWide(dir_.Path()) + u"\\";
    const WideString title = KelvoApplication->GetTitle();
    WideString titleWhilePlaying;

    ASSERT_TRUE(PlayFromTheWindow(u"Wait",
                                  [&] {
                                      titleWhilePlaying = KelvoApplication->GetTitle();
                                      ::SetForegroundWindow(form_->Handle());
                                      ASSERT_TRUE(
                                          PumpUntil([&] { return ::GetForegroundWindow() == form_->Handle(); }));
                                      testsupport::Press(VK_ESCAPE);
                                      // Esc reaches a run through the application's own message loop.
                                      EXPECT_TRUE(formtest::PumpUntil([&] { return !demos_->Playback().IsPlaying(); }));
                                  },
                                  {IDYES}));
    EXPECT_EQ(titleWhilePlaying, title + u" - Wait");
    EXPECT_EQ(KelvoApplication->GetTitle(), title);
    EXPECT_TRUE(PumpUntil([&] { return demos_->Playback().State() == TKelvoDemoState::Idle; }));
}

TEST_F(DemonstrationsProgram, TheEditorRecordsTwoActionsIntoAScriptWithANewLanguageAndSavesWhatReadsBackTheSame) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(OpenGradient());

    auto* editorModule = Find<TKelvoDemoEditorModule>();
    ASSERT_TRUE(editorModule);
    EXPECT_FALSE(editorModule->DemoEditorMenuItem->Visible());
    EXPECT_EQ(editorModule->DemoEditorMenuItem->ShortCut(), TShortCut(scCtrl | scShift | 'D'));
    editorModule->CmDemoEditor();
    TKelvoDemoEditorForm* editorForm = editorModule->Form();
    ASSERT_TRUE(editorForm);
    ASSERT_TRUE(editorForm->OpenFile(demos_->DemonstrationsFolder + u"Facade.dsc"));
    editorForm->AddLanguage(u" 1036 ");
    editorForm->Memo->SetText(u"Title=Redresser une fa\u00e7ade");

    editorForm->CmRecord();
    ASSERT_TRUE(demos_->Playback().IsRecording());
    editor_->ZoomInButton->Click();
    editor_->ZoomOutButton->Click();
    editorForm->CmStop();
    ASSERT_TRUE(PumpUntil([&] { return editorForm->Memo->Enabled() && editorForm->Visible(); }));
    const TKelvoDemoLines& lines = editorForm->Edit().Script().GetLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(TKelvoDemoLines(lines.end() - 4, lines.end()),
              (TKelvoDemoLines{"MouseCurvedMove ZoomIn", "ZoomIn", "MouseCurvedMove ZoomOut", "ZoomOut"}));
    ASSERT_TRUE(PumpUntil([&] { return testsupport::ScreenShows(editorForm->Handle()); }));
    testsupport::SaveScreen(testsupport::ArtifactPath("demonstration-editor.bmp"));

    const std::string saved = dir_.File("saved.dsc");
    ASSERT_TRUE(editorForm->SaveFile(AnsiToWide(saved)));
    AnsiString bytes;
    ASSERT_TRUE(kelvo::ReadFileBytes(AnsiToWide(saved), bytes, 1 << 20));
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    TKelvoDemoScript again;
    again.LoadFromFile(saved);
    const TKelvoDemoScript& edited = editorForm->Edit().Script();
    ASSERT_EQ(again.SectionCount(), edited.SectionCount());
    for (std::int32_t i = 0; i < again.SectionCount(); ++i) {
        EXPECT_EQ(again.SectionName(i), edited.SectionName(i));
        EXPECT_EQ(again.SectionLines(i), edited.SectionLines(i));
    }
    std::int32_t french = -1;
    ASSERT_TRUE(again.FindSection("1036", french));
    EXPECT_EQ(again.SectionLines(french), (TKelvoDemoLines{"Title=Redresser une fa\xC3\xA7"
                                                           "ade"}));
}

// The colour channels of an image, row after row, kept when its document closes.
struct TImageCopy {
    std::int32_t Width = 0, Height = 0;
    std::vector<Byte> Channels;

    explicit TImageCopy(TKelvoPixels& pixels) : Width(pixels.Width()), Height(pixels.Height()) {
        for (std::int32_t y = 0; y < Height; ++y)
            for (std::int32_t x = 0; x < Width; ++x)
                for (int c = 0; c < 3; ++c) Channels.push_back(pixels.PixelAddress(x, y)[c]);
    }
    // The pixels in which a channel differs by more than tolerance.
    std::int32_t PixelsApart(const TImageCopy& other, int tolerance) const {
        std::int32_t apart = 0;
        for (std::size_t i = 0; i + 2 < Channels.size(); i += 3) {
            bool differs = false;
            for (std::size_t c = i; c < i + 3; ++c)
                differs |= std::abs(int(Channels[c]) - int(other.Channels[c])) > tolerance;
            apart += differs ? 1 : 0;
        }
        return apart;
    }
};

// The spreads (largest less smallest x or y) of a façade's left, right and top edges in an image: the left and
// right edges over the middle eight tenths of the rows that hold the façade, the top edge over the middle eight
// tenths of its columns. A façade is plaster, roof and door, whose red lies well above their blue (sky, street,
// windows and white corners do not); an edge is where a run of twelve pixels begins of which nine or more are
// façade, which the photographs' noise neither breaks nor makes. An upright façade under a straight roof line has
// all three within a few pixels.
struct TFacadeSpreads {
    int Left = -1, Right = -1, Top = -1;

    explicit TFacadeSpreads(const TImageCopy& image) {
        const auto redOverBlue = [&](std::int32_t x, std::int32_t y) {
            const Byte* p = &image.Channels[(std::size_t(y) * std::size_t(image.Width) + std::size_t(x)) * 3];
            return int(p[2]) - int(p[0]);
        };
        const auto facade = [&](std::int32_t x, std::int32_t y) { return redOverBlue(x, y) > 30; };
        const auto run = [&](std::int32_t x, std::int32_t y, int dx, int dy) {
            int n = 0;
            for (int i = 0; i < 12; ++i) n += redOverBlue(x + i * dx, y + i * dy) > 20 ? 1 : 0;
            return n >= 9;
        };
        std::vector<std::int32_t> rows, columns;
        for (std::int32_t y = 0; y < image.Height; ++y) {
            std::int32_t n = 0;
            for (std::int32_t x = 0; x < image.Width; ++x) n += facade(x, y) ? 1 : 0;
            if (n > image.Width / 4) rows.push_back(y);
        }
        for (std::int32_t x = 0; x < image.Width; ++x) {
            std::int32_t n = 0;
            for (std::int32_t y = 0; y < image.Height; ++y) n += facade(x, y) ? 1 : 0;
            if (n > image.Height / 4) columns.push_back(x);
        }
        if (rows.size() < 10 || columns.size() < 10) return;
        const auto spread = [](const std::vector<std::int32_t>& v) {
            return v.empty() ? -1 : int(*std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end()));
        };
        std::vector<std::int32_t> lefts, rights, tops;
        for (std::size_t i = rows.size() / 10; i < rows.size() - rows.size() / 10; ++i) {
            const std::int32_t y = rows[i];
            std::int32_t l = 0, r = image.Width - 1;
            while (l + 11 < image.Width && !run(l, y, 1, 0)) ++l;
            while (r - 11 >= 0 && !run(r, y, -1, 0)) --r;
            lefts.push_back(l);
            rights.push_back(r);
        }
        for (std::size_t i = columns.size() / 10; i < columns.size() - columns.size() / 10; ++i) {
            std::int32_t t = 0;
            while (t + 11 < image.Height && !run(columns[i], t, 0, 1)) ++t;
            tops.push_back(t);
        }
        Left = spread(lefts);
        Right = spread(rights);
        Top = spread(tops);
    }
};

// The mean of a channel (0 blue, 1 green, 2 red) over the rows from top to bottom (exclusive).
double ChannelMean(const TImageCopy& image, int channel, std::int32_t top, std::int32_t bottom) {
    double sum = 0;
    for (std::int32_t y = top; y < bottom; ++y)
        for (std::int32_t x = 0; x < image.Width; ++x)
            sum +=
                image.Channels[(std::size_t(y) * std::size_t(image.Width) + std::size_t(x)) * 3 + std::size_t(channel)];
    return sum / double(std::max<std::int32_t>(1, (bottom - top) * image.Width));
}

// What the last balloon of a shipped demonstration says of its result.
enum class TShippedResult {
    UprightFacade,     // the walls straight and upright (and the roof line straight)
    ReadyToPrintHouse  // upright (sky above the lawn), brighter than the photograph, the lens cap's strip gone
};

// A shipped demonstration, the commands that give its tools back the settings the played run started from
// (the tools keep their panel settings from one image to the next), and what its result shows.
struct TShippedDemonstration {
    const char* Name;
    TKelvoDemoLines Reset;
    TShippedResult Result;
};

// The played result holds what the demonstration's last balloon says of it.
void ExpectTheResultTheLastBalloonTells(const TShippedDemonstration& demo, const TImageCopy& played,
                                        const TImageCopy& photograph) {
    if (demo.Result == TShippedResult::UprightFacade) {
        const TFacadeSpreads spreads(played);
        EXPECT_GE(spreads.Left, 0) << "no façade found";
        EXPECT_LE(spreads.Left, 3) << "the left wall is not straight and upright";
        EXPECT_LE(spreads.Right, 3) << "the right wall is not straight and upright";
        EXPECT_LE(spreads.Top, 3) << "the roof line is not straight";
        return;
    }
    const std::int32_t tenth = played.Height / 10;
    EXPECT_GT(ChannelMean(played, 0, 0, tenth), ChannelMean(played, 2, 0, tenth) + 20) << "no sky at the top";
    EXPECT_GT(ChannelMean(played, 1, played.Height - tenth, played.Height),
              ChannelMean(played, 2, played.Height - tenth, played.Height) + 20)
        << "no lawn at the bottom";
    double before = 0, after = 0;
    for (int c = 0; c < 3; ++c) {
        before += ChannelMean(photograph, c, 0, photograph.Height);
        after += ChannelMean(played, c, 0, played.Height);
    }
    EXPECT_GT(after, before + 3 * 20) << "not brighter than the photograph";
    // The lens cap's black strip lay along the photograph's right edge, the sky's side: the top one once turned.
    EXPECT_GT(ChannelMean(played, 1, 0, 4), 60) << "a black strip is left";
}

class ShippedDemonstration : public DemonstrationsProgram, public ::testing::WithParamInterface<TShippedDemonstration> {
protected:
    // Runs lines through the module's playback with no question before and no message after; false when the
    // run reported an error or did not end.
    bool RunCommands(const TKelvoDemoLines& lines) {
        if (lines.empty()) return true;
        TKelvoDemoScript script;
        script.Reset();
        script.GetLines() = lines;
        demos_->Playback().SetScript(script);
        demos_->Playback().Events.OnBeforeStart = nullptr;
        demos_->Playback().Events.OnFinish = nullptr;
        bool failed = false;
        demos_->Playback().Events.OnError = [&](const AnsiString& message, bool&, const AnsiString& line) {
            ADD_FAILURE() << message << " in " << line;
            failed = true;
        };
        return demos_->Playback().Play(0) &&
               PumpUntil([&] { return demos_->Playback().State() == TKelvoDemoState::Idle; }, 30000) && !failed;
    }
    // The image point of "Image, x, y" in the active view's client coordinates, as the script's targets map it.
    bool ViewPoint(const std::string& params, LPARAM& point) {
        TKelvoDemoScriptParams values;
        values.Parse(params);
        AnsiString name;
        double x = 0, y = 0;
        TKelvoGraphicsView* view = editor_->GetActiveView();
        if (!view || !values.GetText(0, name) || !SameTextAscii(name, "Image") || !values.GetNumber(1, x) ||
            !values.GetNumber(2, y))
            return false;
        const TKelvoPoint device = view->MapMode().LogicalToDevicePoint(TKelvoPoint{std::int32_t(x), std::int32_t(y)});
        point = MAKELPARAM(device.X, device.Y);
        return true;
    }
    // The script's correction done again on its photograph without the pointer: the tool commands run through the
    // playback as they stand, and each click or drag on the image goes to the view as the mouse messages of its
    // press and release at the same image points. Texts and pointer moves are left out.
    void CorrectWithoutThePointer(const TKelvoDemoLines& scriptLines) {
        TKelvoDemoLines commands;
        std::string from;  // where the pointer went last, mapped once the commands before it have run
        for (const AnsiString& line : scriptLines) {
            const std::string text = Trim(line);
            const std::size_t blank = text.find(' ');
            const std::string command = text.substr(0, blank);
            const std::string params = blank == std::string::npos ? std::string() : text.substr(blank + 1);
            if (SameTextAscii(command, "Message") || SameTextAscii(command, "MouseSpeed") || text.empty()) continue;
            if (SameTextAscii(command, "MouseCurvedMove")) {
                from = params;
                continue;
            }
            const bool click = SameTextAscii(command, "MouseClick"), drag = SameTextAscii(command, "MouseDrag");
            if (!click && !drag) {
                commands.push_back(line);
                continue;
            }
            ASSERT_TRUE(RunCommands(commands));
            commands.clear();
            LPARAM start = 0, to = 0;
            ASSERT_TRUE(ViewPoint(params, to)) << line;
            ASSERT_TRUE(click || ViewPoint(from, start)) << line;
            const HWND view = editor_->GetActiveView()->Handle();
            ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, click ? to : start);
            ::SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, to);
            ::SendMessageW(view, WM_LBUTTONUP, 0, to);
            from = params;
        }
        ASSERT_TRUE(RunCommands(commands));
    }
};

TEST_P(ShippedDemonstration, PlaysToItsEndFromTheWindowAndCorrectsItsPhotograph) {
    TKelvoDemoScript script;
    script.LoadFromFile(WideToAnsi(demos_->DemonstrationsFolder) + GetParam().Name + ".dsc");
    // The tools the script drives, by name: a tool renamed or gone breaks the demonstration.
    std::stringstream tools(script.GetInfo("Tools"));
    for (std::string tool; std::getline(tools, tool, ',');) {
        bool present = false;
        for (TKelvoGraphicsTool* t : TKelvoGraphicsTool::AllTools())
            present |= SameTextAscii(t->ToolName(), Trim(tool));
        ASSERT_TRUE(present) << "the program has no tool named " << Trim(tool);
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(PlayFromTheWindow(script.GetTitle()));
    if (PumpUntil([&] { return testsupport::ScreenShows(form_->Handle()); }))
        testsupport::SaveScreen(
            testsupport::ArtifactPath((std::string("demonstration-") + GetParam().Name + ".bmp").c_str()));
    TKelvoGraphicsDocument* document = editor_->GetActiveDocument();
    ASSERT_TRUE(document);
    const TImageCopy played(document->GetPixels());
    TKelvoLTBitmap working;
    TKelvoProperties properties;
    TKelvoResolution resolution;
    std::int32_t format = 0;
    ASSERT_TRUE(ReadGraphicsFile(demos_->DemonstrationsFolder + AnsiToWide(script.GetInfo("Image")), working,
                                 properties, resolution, format));
    const TImageCopy photograph(working.GetPixels());
    EXPECT_TRUE(played.Width != photograph.Width || played.Height != photograph.Height ||
                played.PixelsApart(photograph, 0) > 0);
    ExpectTheResultTheLastBalloonTells(GetParam(), played, photograph);

    // The same correction on the photograph opened fresh in the same window, through the tools' own commands.
    // The clicks and drags land on the same device points either way, so the images agree to the last bit.
    ASSERT_TRUE(RunCommands(GetParam().Reset));
    editor_->CloseCommand(nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !editor_->GetActiveDocument(); }));
    ASSERT_NO_FATAL_FAILURE(CorrectWithoutThePointer(script.GetLines()));
    ASSERT_TRUE(editor_->GetActiveDocument());
    const TImageCopy expected(editor_->GetActiveDocument()->GetPixels());
    ASSERT_EQ(played.Width, expected.Width);
    ASSERT_EQ(played.Height, expected.Height);
    EXPECT_EQ(played.PixelsApart(expected, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(Program, ShippedDemonstration,
                         ::testing::Values(TShippedDemonstration{"Facade", {}, TShippedResult::UprightFacade},
                                           TShippedDemonstration{
                                               "LensFacade",
                                               {"PerspectiveToolDistValue 0", "PerspectiveToolDistType 0"},
                                               TShippedResult::UprightFacade},
                                           TShippedDemonstration{"Sideways", {}, TShippedResult::ReadyToPrintHouse}));
