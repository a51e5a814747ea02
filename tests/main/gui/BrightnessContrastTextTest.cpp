// The brightness and contrast tool and the text tool in the whole program, driven by real input: the tool
// buttons, the track bars, Auto Correction, a text box dragged, moved and kept, each change undone and redone,
// with the pixels checked in the document and on the display.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoOriginalImageTool.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Stream.h"
#include "classlib/win/TComboBox.h"
#include "classlib/win/TSpinEdit.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLink.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "tools/win/TKelvoBrightnessContrastFrame.h"
#include "tools/win/TKelvoBrightnessContrastTool.h"
#include "tools/win/TKelvoTextFrame.h"
#include "tools/win/TKelvoTextTool.h"
#include "unicode/win/TUniTrackBar.h"

using testsupport::PumpUntil;

namespace {

class CorrectionTools : public kelvotest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // Room for the image at its own size beside the tool panel.
        if (form_) form_->SetBounds(0, 0, 900, 700);
    }

    // Opens pixels as a PNG file at actual size; the view is the active one.
    TKelvoGraphicsView* Open(const TKelvoPixels& pixels) {
        TKelvoProperties none;
        const std::u16string path = AnsiToWide(dir_.File("image.png"));
        if (!WriteGraphicsFile(path, KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80) ||
            !editor_->Documents().Open(path, nullptr, true))
            return nullptr;
        editor_->ActualSize(nullptr);
        return editor_->GetActiveView();
    }

    // Clicks a control (or a tool panel button) as the user would, and lets the program handle it.
    void Click(TPoint at) {
        testsupport::ClickAt(at);
        testsupport::PumpQueued();
    }
    static TPoint CentreOf(TControl* control) {
        TPoint p;
        TKelvoPanelTool::ControlCentre(control, p);
        return p;
    }
    TPoint ButtonOf(TSkinItem* item) {
        TPoint p;
        TKelvoPanelTool::ItemCentre(TKelvoPanelTool::ToolPanel()->Toolbar, item, p);
        return p;
    }
    // The screen point of an image point in the view.
    static TPoint OnScreen(TKelvoGraphicsView& view, std::int32_t x, std::int32_t y) {
        const TKelvoPoint d = view.MapMode().LogicalToDevicePoint(MakePoint(x, y));
        return view.ClientToScreen(Point(d.X, d.Y));
    }
    static bool Idle() {
        bool done = true;
        Application->OnIdle(Application, done);
        return true;
    }
};

// A grey ramp from 50 at the left to 200 at the right: its darkest level is 50 and its brightest 200.
void FillRamp(TKelvoPixels& p) {
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x) {
            const Byte v = Byte(50 + 150 * x / (p.Width() - 1));
            MakeBGR(p.PixelAddress(x, y), v, v, v);
        }
}

Byte Grey(TKelvoGraphicsDocument& d, std::int32_t x, std::int32_t y) { return d.GetPixels().PixelAddress(x, y)[0]; }

// The colour the display shows at a screen point.
COLORREF ShownAt(TPoint screen) {
    HDC dc = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(dc, screen.X, screen.Y);
    ::ReleaseDC(nullptr, dc);
    return c;
}

// A demonstration that records: the lines it was given. Its macro keeps the steps a command queues.
struct TRecorder : IKelvoDemoPlayback, IKelvoDemoMacro {
    void AddLine(const AnsiString& text) override { lines.push_back(text); }
    bool ShowMessages() const override { return false; }
    void ReportError(const AnsiString& message) override { lines.push_back("error " + message); }
    void RecordCommand(const AnsiString& name, const AnsiString&) override { lines.push_back(name); }
    void RecordMouseDown(const AnsiString&, TPoint, bool) override {}
    void RecordMouseMove(const AnsiString&, TPoint) override {}
    void RecordMouseUp(const AnsiString&, TPoint, bool) override {}
    void AddCall(std::function<void()> call) override { calls.push_back(std::move(call)); }
    std::vector<AnsiString> lines;
    std::vector<std::function<void()>> calls;
};

}  // namespace

TEST_F(CorrectionTools, BothToolsFollowTheToolPanelAndStayInPlugInMode) {
    std::vector<int> at(3, -1);
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        TComponent* c = Application->Components(i);
        if (dynamic_cast<TKelvoToolPanelModule*>(c)) at[0] = i;
        if (dynamic_cast<TKelvoBrightnessContrastTool*>(c)) at[1] = i;
        if (dynamic_cast<TKelvoTextTool*>(c)) at[2] = i;
    }
    EXPECT_TRUE(at[0] >= 0 && at[0] < at[1] && at[1] < at[2]);

    // In plug-in mode the host's image keeps its size: the two tools that keep it stay.
    TKelvoPixelBuffer ramp(KelvoFormatBGR24, MakeRect(0, 0, 64, 48));
    FillRamp(ramp);
    TKelvoGraphicsView* view = Open(ramp);
    ASSERT_NE(view, nullptr);
    editor_->Documents().SetPluginMode(true);
    view->Document().Opened();  // told again, now in plug-in mode
    EXPECT_FALSE(Find<TKelvoOriginalImageTool>()->Enabled());
    for (TKelvoGraphicsTool* tool : {static_cast<TKelvoGraphicsTool*>(Find<TKelvoBrightnessContrastTool>()),
                                     static_cast<TKelvoGraphicsTool*>(Find<TKelvoTextTool>())})
        EXPECT_TRUE(tool->Enabled()) << tool->ToolName();
    EXPECT_TRUE(Find<TKelvoTextTool>()->Button->Visible());
    EXPECT_TRUE(Find<TKelvoBrightnessContrastTool>()->Frame->Visible());
}

TEST_F(CorrectionTools, DemonstrationCommandsChangeTheValuesAndRecordEachChangeOnce) {
    auto* bc = Find<TKelvoBrightnessContrastTool>();
    auto* text = Find<TKelvoTextTool>();
    ASSERT_TRUE(bc && text);
    TKelvoPixelBuffer ramp(KelvoFormatBGR24, MakeRect(0, 0, 64, 48));
    FillRamp(ramp);
    TKelvoGraphicsView* view = Open(ramp);
    ASSERT_NE(view, nullptr);
    TRecorder rec;
    bc->SetRecorder(&rec);
    text->SetRecorder(&rec);
    const auto run = [&](IKelvoDemoParticipant& tool, const char* command, std::int32_t value) {
        TKelvoProperties params;
        params.SetInteger(0, value);
        bool handled = false;
        tool.ExecuteDemoCommand(rec, command, handled, rec, params);
        return handled;
    };

    ASSERT_TRUE(run(*bc, "BRIGHTNESSCONTRASTBRIGHTNESS", 10));
    EXPECT_EQ(bc->Frame->BrightnessTrackBar->Position(), 10);
    EXPECT_EQ(Grey(view->Document(), 21, 5), 110);
    // The value it already has: nothing computed, nothing recorded.
    ASSERT_TRUE(run(*bc, "BRIGHTNESSCONTRASTBRIGHTNESS", 10));
    ASSERT_TRUE(run(*bc, "BRIGHTNESSCONTRASTCANCEL", 0));
    EXPECT_EQ(Grey(view->Document(), 21, 5), 100);
    EXPECT_EQ(rec.lines,
              (std::vector<AnsiString>{"BrightnessContrastBrightness 10", "MouseCurvedMove BrightnessContrastCancel",
                                       "BrightnessContrastCancel"}));

    rec.lines.clear();
    ASSERT_TRUE(run(*text, "TEXTFONTSIZE", 150));
    EXPECT_EQ(text->Settings().FontSize, 150);
    EXPECT_EQ(text->Frame->SizeSpinEdit->Increment(), 2);  // 150 / 100 rounded
    EXPECT_EQ(rec.lines, (std::vector<AnsiString>{"MouseCurvedMove TextFontSize", "TextFontSize 150"}));
    // "Yalta" is typed a letter at a time, each step a step of the demonstration.
    ASSERT_TRUE(run(*text, "TEXTMEMOYALTA", 0));
    ASSERT_EQ(rec.calls.size(), 5u);
    for (auto& call : rec.calls) call();
    EXPECT_EQ(text->TextLines(), std::vector<std::u16string>{u"Yalta"});
    TKelvoProperties target;
    target.SetString(0, "TextMemo");
    bool found = false;
    TPoint at;
    text->GetDemoTargetPoint(target, found, at);
    EXPECT_TRUE(found);
    bc->ClearRecorder();
    text->ClearRecorder();
}

TEST_F(CorrectionTools, BrightnessAndContrastFollowTheTrackBarsAndAutoCorrectionStretchesTheLevels) {
    auto* tool = Find<TKelvoBrightnessContrastTool>();
    ASSERT_TRUE(tool && tool->Frame && tool->Button);
    TKelvoPixelBuffer ramp(KelvoFormatBGR24, MakeRect(0, 0, 64, 48));
    FillRamp(ramp);
    TKelvoGraphicsView* view = Open(ramp);
    ASSERT_NE(view, nullptr);
    TKelvoGraphicsDocument& doc = view->Document();
    TKelvoBrightnessContrastFrame& frame = *tool->Frame;

    Idle();
    Click(ButtonOf(tool->Button));
    ASSERT_TRUE(PumpUntil([&] { return Idle() && editor_->ActiveTool() == tool && frame.ControlsEnabled(); }));
    ASSERT_FALSE(frame.BrightnessTrackBar->Visible());  // the options start hidden
    Click(CentreOf(frame.ShowOptions));
    ASSERT_TRUE(PumpUntil([&] { return tool->OptionsShown() && frame.BrightnessTrackBar->Visible(); }));

    // End takes the brightness to 127: every level moves up by 127 and stops at 255.
    Click(CentreOf(frame.BrightnessTrackBar));
    testsupport::Press(VK_END);
    ASSERT_TRUE(PumpUntil([&] { return tool->Brightness() == 127; }));
    EXPECT_EQ(Grey(doc, 0, 0), 50 + 127);
    EXPECT_EQ(Grey(doc, 21, 5), 100 + 127);
    EXPECT_EQ(Grey(doc, 63, 5), 255);
    // Home takes the contrast to -127: every level lands in 127 .. 128.
    Click(CentreOf(frame.ContrastTrackBar));
    testsupport::Press(VK_HOME);
    ASSERT_TRUE(PumpUntil([&] { return tool->Contrast() == -127; }));
    testsupport::SaveScreen(testsupport::ArtifactPath("brightness-contrast-track-bars.bmp"));
    for (std::int32_t x : {0, 21, 63}) {
        EXPECT_GE(Grey(doc, x, 5), 127);
        EXPECT_LE(Grey(doc, x, 5), 128);
    }
    ASSERT_TRUE(PumpUntil([&] { return Idle() && frame.OkButton->Enabled(); }));
    Click(CentreOf(frame.OkButton));
    ASSERT_TRUE(PumpUntil([&] { return tool->EditedDocument() == nullptr; }));
    EXPECT_EQ(tool->Brightness(), 0);
    EXPECT_EQ(frame.ContrastTrackBar->Position(), 0);
    const Byte kept = Grey(doc, 21, 5);

    // Undone, the ramp is back; redone, the kept correction.
    editor_->UndoCommand(nullptr);
    EXPECT_EQ(Grey(doc, 21, 5), 100);
    editor_->RedoCommand(nullptr);
    EXPECT_EQ(Grey(doc, 21, 5), kept);
    editor_->UndoCommand(nullptr);

    // With the options shown Auto Correction only shows its result: levels 50 .. 200 spread to 0 .. 255
    // (brightness 127 - 125, contrast (256 - 150) div 2), and Cancel takes it back.
    Idle();
    Click(CentreOf(frame.AutoCorrectionButton));
    ASSERT_TRUE(PumpUntil([&] { return tool->Brightness() == 2 && tool->Contrast() == 53; }));
    EXPECT_EQ(frame.BrightnessTrackBar->Position(), 2);
    EXPECT_EQ(Grey(doc, 0, 5), 0);
    EXPECT_EQ(Grey(doc, 21, 5), 85);  // (100 - 50) * 255 / 150
    EXPECT_EQ(Grey(doc, 63, 5), 255);
    ASSERT_TRUE(PumpUntil([&] { return Idle() && frame.CancelButton->Enabled(); }));
    Click(CentreOf(frame.CancelButton));
    ASSERT_TRUE(PumpUntil([&] { return tool->EditedDocument() == nullptr; }));
    EXPECT_EQ(Grey(doc, 21, 5), 100);

    // With the options hidden it is kept at once, as one step.
    Click(CentreOf(frame.ShowOptions));
    ASSERT_TRUE(PumpUntil([&] { return !tool->OptionsShown(); }));
    const int steps = doc.History().Position();
    Click(CentreOf(frame.AutoCorrectionButton));
    ASSERT_TRUE(PumpUntil([&] { return doc.History().Position() == steps + 1; }));
    EXPECT_EQ(tool->EditedDocument(), nullptr);
    EXPECT_EQ(Grey(doc, 21, 5), 85);
    const TPoint at = OnScreen(*view, 21, 5);
    EXPECT_TRUE(PumpUntil([&] { return ShownAt(at) == RGB(85, 85, 85); }));
    testsupport::SaveScreen(testsupport::ArtifactPath("brightness-contrast-auto.bmp"));
    editor_->UndoCommand(nullptr);
    EXPECT_EQ(Grey(doc, 21, 5), 100);
    editor_->RedoCommand(nullptr);
    EXPECT_EQ(Grey(doc, 21, 5), 85);
}

TEST_F(CorrectionTools, ACyrillicLineIsPlacedMovedAndKeptAsOneStep) {
    auto* tool = Find<TKelvoTextTool>();
    ASSERT_TRUE(tool && tool->Frame && tool->Button);
    TKelvoPixelBuffer white(KelvoFormatBGR24, MakeRect(0, 0, 320, 200));
    for (std::int32_t y = 0; y < 200; ++y) std::memset(white.Row(y), 255, 320 * 3);
    TKelvoGraphicsView* view = Open(white);
    ASSERT_NE(view, nullptr);
    TKelvoGraphicsDocument& doc = view->Document();
    TKelvoTextFrame& frame = *tool->Frame;
    Idle();
    Click(ButtonOf(tool->Button));
    ASSERT_TRUE(PumpUntil([&] { return Idle() && editor_->ActiveTool() == tool && frame.ControlsEnabled(); }));

    // A face with Cyrillic letters where the machine has one (the fonts differ from machine to machine).
    for (const char* face : {"DejaVu Sans", "Tahoma", "Arial"})
        if (const int i = frame.FontNameComboBox->Items()->IndexOf(face); i >= 0) {
            frame.FontNameComboBox->SetItemIndex(i);
            break;
        }
    // The line typed into the memo, unit by unit, as UTF-16.
    const std::u16string line = u"Привет, мир";
    Click(CentreOf(frame.TextMemo));
    for (char16_t unit : line) testsupport::TypeUnicode(wchar_t(unit));
    ASSERT_TRUE(PumpUntil([&] { return frame.TextMemo->WideLines() == std::vector<std::u16string>{line}; }));

    // Bold draws the same line wider; pressed again, the regular face is back.
    const std::int32_t regular = tool->TextBounds().Width();
    ASSERT_GT(regular, 0);
    Click(CentreOf(frame.BoldSkinButton));
    ASSERT_TRUE(PumpUntil([&] { return tool->Settings().FontStyle == 1; }));
    EXPECT_GT(tool->TextBounds().Width(), regular);
    // A click elsewhere between the two, so that they make no double click.
    Click(CentreOf(frame.TextMemo));
    Click(CentreOf(frame.BoldSkinButton));
    ASSERT_TRUE(PumpUntil([&] { return tool->Settings().FontStyle == 0; }));
    EXPECT_EQ(tool->TextBounds().Width(), regular);

    // The text's dark pixels inside a rectangle of the image; every pixel outside it is to stay white.
    const auto darkIn = [&](const TKelvoRect& r) {
        int dark = 0;
        for (std::int32_t y = 0; y < 200; ++y)
            for (std::int32_t x = 0; x < 320; ++x) {
                const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
                const Byte* p = doc.GetPixels().PixelAddress(x, y);
                if (p[0] < 128 && inside) ++dark;
                if (!inside && (p[0] != 255 || p[1] != 255 || p[2] != 255)) return -1;
            }
        return dark;
    };
    ASSERT_TRUE(testsupport::DragAlong({OnScreen(*view, 20, 30), OnScreen(*view, 120, 60), OnScreen(*view, 220, 90)},
                                       view->Handle()));
    TKelvoTextToolControl* control = tool->ActiveControl();
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return control->State().State == TextPlaced; }));
    EXPECT_EQ(control->State().Box.Box, MakeRect(20, 30, 220, 90));
    EXPECT_FALSE(tool->TextBounds().IsEmpty());
    const int placed = darkIn(MakeRect(20, 30, 220, 90));
    EXPECT_GT(placed, 100);  // black text stretched into the box, nothing outside it
    Idle();
    EXPECT_FALSE(editor_->UndoMenuItem->Enabled());  // nothing is undone under a placed text

    // Dragged by its inside 40 right and 50 down: the text goes with it and leaves white behind.
    ASSERT_TRUE(testsupport::DragAlong({OnScreen(*view, 100, 50), OnScreen(*view, 120, 80), OnScreen(*view, 140, 100)},
                                       view->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return control->State().State == TextPlaced; }));
    EXPECT_EQ(control->State().Box.Box, MakeRect(60, 80, 260, 140));
    EXPECT_EQ(darkIn(MakeRect(60, 80, 260, 140)), placed);  // moved, not stretched anew
    testsupport::SaveScreen(testsupport::ArtifactPath("text-placed.bmp"));

    // Enter keeps it as one step.
    const int steps = doc.History().Position();
    testsupport::Press(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return control->State().State == TextNone; }));
    EXPECT_EQ(doc.History().Position(), steps + 1);
    EXPECT_EQ(darkIn(MakeRect(60, 80, 260, 140)), placed);
    // The display shows the kept text: a dark pixel of it on the screen.
    TKelvoPoint ink{-1, -1};
    for (std::int32_t y = 80; y < 140 && ink.X < 0; ++y)
        for (std::int32_t x = 60; x < 260 && ink.X < 0; ++x)
            if (doc.GetPixels().PixelAddress(x, y)[0] < 64) ink = MakePoint(x, y);
    ASSERT_GE(ink.X, 0);
    const Byte* inkPixel = doc.GetPixels().PixelAddress(ink.X, ink.Y);
    const TPoint inkOnScreen = OnScreen(*view, ink.X, ink.Y);
    EXPECT_TRUE(PumpUntil([&] { return ShownAt(inkOnScreen) == RGB(inkPixel[2], inkPixel[1], inkPixel[0]); }));
    std::vector<Byte> kept;
    for (std::int32_t y = 80; y < 140; ++y)
        kept.insert(kept.end(), doc.GetPixels().Row(y), doc.GetPixels().Row(y) + 960);

    editor_->UndoCommand(nullptr);
    EXPECT_EQ(darkIn(MakeRect(0, 0, 0, 0)), 0);  // all white again
    editor_->RedoCommand(nullptr);
    std::vector<Byte> redone;
    for (std::int32_t y = 80; y < 140; ++y)
        redone.insert(redone.end(), doc.GetPixels().Row(y), doc.GetPixels().Row(y) + 960);
    EXPECT_EQ(redone, kept);

    // A click without a drag places nothing and lets the other tools edit again.
    const int position = doc.History().Position();
    ASSERT_TRUE(testsupport::DragAlong({OnScreen(*view, 300, 10), OnScreen(*view, 300, 10)}, view->Handle()));
    EXPECT_EQ(control->State().State, TextNone);
    EXPECT_EQ(doc.History().Position(), position);
    EXPECT_EQ(darkIn(MakeRect(60, 80, 260, 140)), placed);
    EXPECT_TRUE(editor_->CanToolEdit(Find<TKelvoBrightnessContrastTool>()));
}

TEST_F(CorrectionTools, StoredSettingsAreHeldToWhatTheFramesCanShow) {
    auto* text = Find<TKelvoTextTool>();
    auto* bc = Find<TKelvoBrightnessContrastTool>();
    ASSERT_TRUE(text && bc);
    // A damaged or hand-edited state file: a size that would ask for a gigantic text bitmap, a colour mode and
    // style bits the frame has not, a colour beyond 24 bits.
    TMemoryStream stream;
    {
        TKelvoSDFWriter writer(&stream);
        writer.BeginNode(1, TGUID::Parse("{663FE753-B6FB-4703-B7E5-6E8A8E0DD5E0}"));
        writer.WriteInteger(1, 1000000);
        writer.WriteInteger(2, 7);
        writer.WriteInteger(3, 0x120000FF);
        writer.WriteInteger(4, 1);
        writer.WriteInteger(5, 0xFF);
        writer.EndNode();
        writer.BeginNode(1, TGUID::Parse("{B395C67E-2462-4FDD-8BAD-8640A1A1EEDB}"));
        writer.WriteInteger(1, 1);
        writer.EndNode();
    }
    std::vector<Byte> bytes(static_cast<const Byte*>(stream.Memory()),
                            static_cast<const Byte*>(stream.Memory()) + stream.Size());
    TCustomMemoryStream view;
    view.SetPointer(bytes.data(), std::int64_t(bytes.size()));
    TKelvoSDFReader reader(&view);
    text->LoadState(reader);
    bc->LoadState(reader);
    EXPECT_EQ(text->Settings(), (TTextSettings{400, ColorModeSelected, 0xFF, true, 15}));
    EXPECT_EQ(text->Frame->SizeSpinEdit->Value(), 400);
    EXPECT_EQ(text->Frame->SizeSpinEdit->Increment(), 4);
    EXPECT_EQ(text->Frame->CheckedStyle(), 15);
    EXPECT_TRUE(bc->OptionsShown());
    EXPECT_TRUE(bc->Frame->ContrastTrackBar->Visible());
}
