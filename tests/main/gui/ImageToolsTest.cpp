// The crop, rotate and flip, and resize tools in the whole program, driven by real pointer and key input
// through their buttons, frames and the view; each result is checked pixel by pixel, undone and redone.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/core/IKelvoDemoParticipant.h"
#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoProperties.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/Stream.h"
#include "main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "demo/win/TKelvoDemonstrationModule.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinLink.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "classlib/win/TSpinEdit.h"
#include "tools/core/ToolHandles.h"
#include "tools/win/TKelvoCrop2Frame.h"
#include "tools/win/TKelvoCrop2Tool.h"
#include "tools/win/TKelvoCrop2ToolControl.h"
#include "tools/win/TKelvoResizeFrame.h"
#include "tools/win/TKelvoResizeTool.h"
#include "tools/win/TKelvoRotateFrame.h"
#include "tools/win/TKelvoRotateTool.h"
#include "unicode/win/TUniComboBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniLabel.h"

using testsupport::PumpUntil;

namespace {

constexpr std::int32_t kWidth = 200, kHeight = 160;

// A ramp in every channel (blue x, green y, red (x + y) / 2): resampled it stays a ramp, and every pixel of
// it says where it came from.
void FillRamp(TKelvoPixels& p) {
    for (std::int32_t y = 0; y < p.Height(); ++y)
        for (std::int32_t x = 0; x < p.Width(); ++x) MakeBGR(p.PixelAddress(x, y), Byte((x + y) / 2), Byte(y), Byte(x));
}

// The pixel as blue, green, red in one number.
std::uint32_t At(TKelvoPixels& p, std::int32_t x, std::int32_t y) {
    const Byte* b = p.PixelAddress(x, y);
    return b[0] | b[1] << 8 | b[2] << 16;
}
std::uint32_t Ramp(std::int32_t x, std::int32_t y) { return std::uint32_t(x) | y << 8 | ((x + y) / 2) << 16; }

bool SameRampAsOpened(TKelvoPixels& p) {
    if (p.Width() != kWidth || p.Height() != kHeight) return false;
    for (std::int32_t y = 0; y < kHeight; ++y)
        for (std::int32_t x = 0; x < kWidth; ++x)
            if (At(p, x, y) != Ramp(x, y)) return false;
    return true;
}

class ImageTools : public kelvotest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        crop_ = Find<TKelvoCrop2Tool>();
        rotate_ = Find<TKelvoRotateTool>();
        resize_ = Find<TKelvoResizeTool>();
        ASSERT_TRUE(crop_ && rotate_ && resize_);
        form_->SetBounds(0, 0, 900, 650);

        TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, kWidth, kHeight));
        FillRamp(pixels);
        TKelvoProperties none;
        const std::u16string path = AnsiToWide(dir_.File("ramp.png"));
        ASSERT_TRUE(WriteGraphicsFile(path, KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80));
        ASSERT_TRUE(editor_->Documents().Open(path, nullptr, true));
        view_ = editor_->GetActiveView();
        ASSERT_NE(view_, nullptr);
        editor_->ActualSize(nullptr);
        document_ = &view_->Document();
        document_->SetNoPrompt(true);
    }

    // One idle pass: the tools enable and check their buttons and frames.
    static void Idle() {
        bool done = true;
        Application->OnIdle(Application, done);
    }

    // A real click on the screen point, handled before it returns.
    static bool Click(TPoint at, const std::function<bool()>& done) {
        testsupport::ClickAt(at);
        return PumpUntil(done);
    }
    static bool ClickControl(TControl* control, const std::function<bool()>& done) {
        TPoint at;
        return TKelvoPanelTool::ControlCentre(control, at) && Click(at, done);
    }
    // The tool becomes current through a real click on its button on the tool panel.
    bool ChooseTool(TKelvoGraphicsTool* tool, TSkinItem* button) {
        Idle();
        TPoint at;
        return TKelvoPanelTool::ItemCentre(TKelvoPanelTool::ToolPanel()->Toolbar, button, at) &&
               Click(at, [&] { return editor_->ActiveTool() == tool; });
    }
    // The screen point of an image point at the view's zoom.
    TPoint ScreenOf(TKelvoPoint image) const {
        const TKelvoPoint device = view_->MapMode().LogicalToDevicePoint(image);
        return view_->ClientToScreen(Point(device.X, device.Y));
    }
    void Screenshot(const char* name) {
        ASSERT_TRUE(PumpUntil([&] { return testsupport::ScreenShows(form_->Handle()); }));
        testsupport::SaveScreen(testsupport::ArtifactPath(name));
    }
    bool Undo() {
        editor_->UndoCommand(nullptr);
        return true;
    }
    // The digits typed over the whole of the resize frame's width field.
    static void TypeWidth(TKelvoResizeFrame& frame, const wchar_t* digits) {
        frame.WidthEdit->SetFocus();
        frame.WidthEdit->Perform(EM_SETSEL, 0, -1);
        for (const wchar_t* c = digits; *c; ++c) testsupport::TypeUnicode(*c);
    }

    TKelvoCrop2Tool* crop_ = nullptr;
    TKelvoRotateTool* rotate_ = nullptr;
    TKelvoResizeTool* resize_ = nullptr;
    TKelvoGraphicsView* view_ = nullptr;
    TKelvoGraphicsDocument* document_ = nullptr;
};

}  // namespace

TEST_F(ImageTools, StartUpMakesRotateResizeAndCropAfterTheToolPanelInThatOrder) {
    std::vector<int> order;
    for (int i = 0; i < Application->ComponentCount(); ++i) {
        TComponent* c = Application->Components(i);
        if (dynamic_cast<TKelvoToolPanelModule*>(c)) order.push_back(0);
        if (c == rotate_) order.push_back(1);
        if (c == resize_) order.push_back(2);
        if (c == crop_) order.push_back(3);
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_TRUE(crop_->Exclusive());
    EXPECT_EQ(crop_->ToolName(), "Crop");
    EXPECT_EQ(rotate_->ToolName(), "Rotation");
    EXPECT_EQ(resize_->ToolName(), "Resize");
}

TEST_F(ImageTools, CropHeldToAPrintFormatByDraggingItsHandlesIsUndoneAndRedone) {
    ASSERT_TRUE(ChooseTool(crop_, crop_->Button));
    TKelvoCrop2Frame& frame = *crop_->Frame;
    Idle();
    ASSERT_TRUE(ClickControl(frame.ShowOptions, [&] { return crop_->OptionsShown() && frame.rbFoto->Visible(); }));
    ASSERT_TRUE(ClickControl(frame.rbFoto, [&] { return frame.panelFoto->Visible(); }));
    frame.cmbFoto->SetItemIndex(2);  // "4x6"
    frame.cmbFoto->OnChange(frame.cmbFoto);
    ASSERT_EQ(crop_->Ratio(), (TCropRatio{2, 3}));

    // A new selection dragged right and down is held to 2 : 3 by its height.
    ASSERT_TRUE(testsupport::DragAlong({ScreenOf({20, 20}), ScreenOf({50, 60}), ScreenOf({80, 100})}, view_->Handle()));
    TKelvoCrop2ToolControl* control = crop_->ActiveControl();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->State().State, CropShown);
    EXPECT_EQ(control->State().Selection, MakeRect(20, 20, 80, 110));
    // The bottom-right handle dragged 20 pixels right: the height follows the width again.
    ASSERT_TRUE(
        testsupport::DragAlong({ScreenOf({79, 109}), ScreenOf({90, 115}), ScreenOf({99, 119})}, view_->Handle()));
    EXPECT_EQ(control->State().Selection, MakeRect(20, 20, 100, 140));
    // Outside the selection the view shows the image darkened, inside as it is.
    HDC dc = ::GetDC(view_->Handle());
    const TKelvoPoint inside = view_->MapMode().LogicalToDevicePoint({50, 50});
    const TKelvoPoint outside = view_->MapMode().LogicalToDevicePoint({150, 50});
    const COLORREF shownInside = ::GetPixel(dc, inside.X, inside.Y),
                   shownOutside = ::GetPixel(dc, outside.X, outside.Y);
    ::ReleaseDC(view_->Handle(), dc);
    EXPECT_EQ(shownInside, RGB((50 + 50) / 2, 50, 50));
    EXPECT_EQ(shownOutside, RGB(DarkenCropByte(100), DarkenCropByte(50), DarkenCropByte(150)));
    Screenshot("crop-selection.bmp");

    view_->SetFocus();
    testsupport::Press(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return document_->Working().GetWidth() == 80; }));
    TKelvoPixels& cropped = document_->GetPixels();
    EXPECT_EQ(cropped.Height(), 120);
    EXPECT_EQ(At(cropped, 0, 0), Ramp(20, 20));
    EXPECT_EQ(At(cropped, 79, 119), Ramp(99, 139));
    EXPECT_EQ(document_->Original().GetWidth(), 80);
    EXPECT_EQ(control->State().State, CropIdle);
    Screenshot("crop-applied.bmp");

    editor_->UndoCommand(nullptr);
    EXPECT_TRUE(SameRampAsOpened(document_->GetPixels()));
    EXPECT_TRUE(SameRampAsOpened(document_->GetOriginalPixels()));
    EXPECT_EQ(control->Bounds(), MakeRect(0, 0, kWidth, kHeight));  // a new selection may cover it all again
    editor_->RedoCommand(nullptr);
    ASSERT_EQ(document_->Working().GetWidth(), 80);
    EXPECT_EQ(At(document_->GetPixels(), 79, 119), Ramp(99, 139));
}

TEST_F(ImageTools, AScreenFormatShowsItsResolutionsAndThisScreensOwn) {
    ASSERT_TRUE(ChooseTool(crop_, crop_->Button));
    TKelvoCrop2Frame& frame = *crop_->Frame;
    Idle();
    ASSERT_TRUE(ClickControl(frame.ShowOptions, [&] { return frame.rbScreen->Visible(); }));
    ASSERT_TRUE(ClickControl(frame.rbScreen, [&] { return frame.gbListResolution->Visible(); }));
    EXPECT_TRUE(frame.gbCurrentResolution->Visible());
    EXPECT_FALSE(frame.panelFoto->Visible());
    frame.cmbScreen->SetItemIndex(5);  // "16x10"
    frame.cmbScreen->OnChange(frame.cmbScreen);
    EXPECT_EQ(crop_->Ratio(), (TCropRatio{8, 5}));
    EXPECT_EQ(frame.lblListResolution->Caption(), u"1280x800\n1440x900\n1680x1050\n1920x1200\n2560x1600");
    const std::string screen =
        std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_NE(frame.lblCurrentResolution->Caption().find(WideString(screen.begin(), screen.end())), WideString::npos);
    Screenshot("crop-screen-format.bmp");
}

TEST_F(ImageTools, BothFreeRatioNumbersAtZeroLeaveTheSelectionFree) {
    ASSERT_TRUE(ChooseTool(crop_, crop_->Button));
    TKelvoCrop2Frame& frame = *crop_->Frame;
    Idle();
    ASSERT_TRUE(ClickControl(frame.ShowOptions, [&] { return frame.WidthEdit->Showing(); }));
    frame.WidthEdit->SetText("6");
    frame.HeightEdit->SetText("4");
    ASSERT_EQ(crop_->Ratio(), (TCropRatio{3, 2}));
    frame.WidthEdit->SetText("0");
    EXPECT_TRUE(crop_->Ratio().IsFree());
    frame.HeightEdit->SetText("0");
    EXPECT_TRUE(crop_->Ratio().IsFree());
    ASSERT_TRUE(testsupport::DragAlong({ScreenOf({10, 30}), ScreenOf({40, 40}), ScreenOf({150, 50})}, view_->Handle()));
    EXPECT_EQ(crop_->ActiveControl()->State().Selection, MakeRect(10, 30, 150, 50));
}

TEST_F(ImageTools, ARightClickInsideTheSelectionKeepsItAndOutsideCancelsIt) {
    ASSERT_TRUE(ChooseTool(crop_, crop_->Button));
    ASSERT_TRUE(testsupport::DragAlong({ScreenOf({10, 10}), ScreenOf({60, 60})}, view_->Handle()));
    TKelvoCrop2ToolControl* control = crop_->ActiveControl();
    ASSERT_EQ(control->State().State, CropShown);
    // The click comes from another thread, which waits until the view has handled it.
    auto rightClick = [&](TKelvoPoint image) {
        const TPoint at = ScreenOf(image);
        std::atomic<bool> done{false}, handled{false};
        std::thread user([&] {
            testsupport::SendPointer(at);
            testsupport::SendPointer(at, MOUSEEVENTF_RIGHTDOWN);
            testsupport::SendPointer(at, MOUSEEVENTF_RIGHTUP);
            handled = testsupport::WaitUntilHandled(view_->Handle());
            done = true;
        });
        const bool finished = testsupport::WaitFor("the right click", [&] { return done.load(); });
        user.join();
        return finished && handled;
    };
    ASSERT_TRUE(rightClick({30, 30}));
    EXPECT_EQ(control->State().State, CropShown);
    ASSERT_TRUE(rightClick({120, 100}));
    EXPECT_EQ(control->State().State, CropIdle);
    EXPECT_TRUE(SameRampAsOpened(document_->GetPixels()));
    EXPECT_EQ(document_->History().GetCount(), 0);
}

TEST_F(ImageTools, TheCropOptionsShownAreKeptInTheStateFile) {
    crop_->SetOptionsShown(true);
    TMemoryStream stream;
    {
        TKelvoSDFWriter writer(&stream);
        crop_->SaveState(writer);
    }
    crop_->SetOptionsShown(false);
    stream.SetPosition(0);
    TKelvoSDFReader reader(&stream);
    crop_->LoadState(reader);
    EXPECT_TRUE(crop_->OptionsShown());
    EXPECT_TRUE(crop_->Frame->rbFree->Visible());
}

TEST_F(ImageTools, RotateLeftThenMirrorAreUndoneAndRedoneStepByStep) {
    ASSERT_TRUE(ChooseTool(rotate_, rotate_->Button));
    TKelvoRotateFrame& frame = *rotate_->Frame;
    Idle();
    ASSERT_TRUE(ClickControl(frame.RotateLeftButton, [&] { return document_->Working().GetWidth() == kHeight; }));
    // A left turn takes (x, y) to (y, W - 1 - x).
    EXPECT_EQ(document_->Working().GetHeight(), kWidth);
    EXPECT_EQ(At(document_->GetPixels(), 20, kWidth - 1 - 10), Ramp(10, 20));
    EXPECT_EQ(document_->GetOriginalPixels().Width(), kHeight);
    Idle();
    ASSERT_TRUE(ClickControl(frame.FlipHorizontalButton, [&] { return document_->History().GetCount() == 2; }));
    // The mirror then takes (x, y) to (W' - 1 - x, y).
    EXPECT_EQ(At(document_->GetPixels(), kHeight - 1 - 20, kWidth - 1 - 10), Ramp(10, 20));
    Screenshot("rotate-left-flipped.bmp");

    editor_->UndoCommand(nullptr);
    EXPECT_EQ(At(document_->GetPixels(), 20, kWidth - 1 - 10), Ramp(10, 20));
    editor_->UndoCommand(nullptr);
    EXPECT_TRUE(SameRampAsOpened(document_->GetPixels()));
    EXPECT_TRUE(SameRampAsOpened(document_->GetOriginalPixels()));
    editor_->RedoCommand(nullptr);
    editor_->RedoCommand(nullptr);
    EXPECT_EQ(At(document_->GetPixels(), kHeight - 1 - 20, kWidth - 1 - 10), Ramp(10, 20));
}

TEST_F(ImageTools, TheRotatePreviewIsBuiltOnlyWithTheOptionsShownAndFollowsTheChoice) {
    ASSERT_TRUE(ChooseTool(rotate_, rotate_->Button));
    TKelvoRotateFrame& frame = *rotate_->Frame;
    EXPECT_EQ(frame.Thumbnail(), nullptr);
    Idle();
    ASSERT_TRUE(ClickControl(frame.ShowOptions, [&] { return frame.Thumbnail() != nullptr; }));
    // 200 x 160 fitted into 148 x 148 (the 176 x 150 box less two), previewed turned right.
    EXPECT_EQ(frame.Thumbnail()->GetWidth(), 148);
    EXPECT_EQ(frame.Thumbnail()->GetHeight(), 118);
    ASSERT_NE(frame.Preview(), nullptr);
    EXPECT_EQ(frame.Preview()->GetWidth(), 118);
    Idle();
    ASSERT_TRUE(ClickControl(frame.FlipVerticalRadioButton, [&] { return frame.Preview()->GetWidth() == 148; }));
    EXPECT_EQ(frame.RotateButton->Caption(), frame.FlipVerticalRadioButton->Caption());
    Screenshot("rotate-preview.bmp");
    ASSERT_TRUE(ClickControl(frame.RotateButton, [&] { return document_->History().GetCount() == 1; }));
    EXPECT_EQ(At(document_->GetPixels(), 10, kHeight - 1 - 20), Ramp(10, 20));
}

TEST_F(ImageTools, ResizeWithProportionsKeptIsUndoneToTheExactPixelsAndRedone) {
    ASSERT_TRUE(ChooseTool(resize_, resize_->Button));
    TKelvoResizeFrame& frame = *resize_->Frame;
    Idle();
    EXPECT_FALSE(frame.OkButton->Enabled());  // nothing to do at the image's own size
    TypeWidth(frame, L"100");
    ASSERT_TRUE(PumpUntil([&] { return resize_->NewWidth() == 100; }));
    EXPECT_EQ(resize_->NewHeight(), 80);
    EXPECT_EQ(frame.HeightEdit->Text(), u"80");
    Idle();
    ASSERT_TRUE(ClickControl(frame.OkButton, [&] { return document_->Working().GetWidth() == 100; }));
    EXPECT_EQ(document_->Working().GetHeight(), 80);
    // Half the size of a ramp is a ramp of half the slope: pixel (50, 40) comes from about (100.5, 80.5).
    const Byte* p = document_->GetPixels().PixelAddress(50, 40);
    EXPECT_NEAR(p[0], 100.5, 2);
    EXPECT_NEAR(p[1], 80.5, 2);
    EXPECT_NEAR(p[2], 90.5, 2);
    EXPECT_EQ(document_->Original().GetWidth(), 100);
    Screenshot("resize-applied.bmp");

    editor_->UndoCommand(nullptr);
    EXPECT_TRUE(SameRampAsOpened(document_->GetPixels()));
    EXPECT_TRUE(SameRampAsOpened(document_->GetOriginalPixels()));
    editor_->RedoCommand(nullptr);
    EXPECT_EQ(document_->Working().GetWidth(), 100);
    EXPECT_EQ(document_->Working().GetHeight(), 80);
}

// Typing into a size field replaces what it shows once Ctrl+A selected it, as the system's edit fields do: a
// typed 120 is 120, not 120 put into the 200 shown.
TEST_F(ImageTools, CtrlASelectsASizeFieldSoThatTypingReplacesIt) {
    ASSERT_TRUE(ChooseTool(resize_, resize_->Button));
    TKelvoResizeFrame& frame = *resize_->Frame;
    Idle();
    ASSERT_EQ(frame.WidthEdit->Text(), u"200");
    ASSERT_TRUE(ClickControl(frame.WidthEdit, [&] { return frame.WidthEdit->Focused(); }));
    testsupport::PressWith(VK_CONTROL, 'A');
    for (wchar_t c : {L'1', L'2', L'0'}) testsupport::TypeUnicode(c);
    ASSERT_TRUE(PumpUntil([&] { return frame.WidthEdit->Text().size() >= 3 && resize_->NewHeight() != 160; }));
    EXPECT_EQ(frame.WidthEdit->Text(), u"120");
    EXPECT_EQ(resize_->NewWidth(), 120);
    EXPECT_EQ(resize_->NewHeight(), 96);
}

// Tab and Shift+Tab go round the frame's fields in order, as in a dialog (through the program's message loop):
// past the last one Tab comes back to the first, instead of going on into the other tools' frames behind it.
TEST_F(ImageTools, TabGoesRoundTheResizeFieldsInOrderAndShiftTabBack) {
    ASSERT_TRUE(ChooseTool(resize_, resize_->Button));
    TKelvoResizeFrame& frame = *resize_->Frame;
    Idle();
    // A size that differs from the image's, so that OK can be reached too.
    TypeWidth(frame, L"100");
    ASSERT_TRUE(PumpUntil([&] { return resize_->NewWidth() == 100; }));
    Idle();
    ASSERT_TRUE(ClickControl(frame.WidthEdit, [&] { return frame.WidthEdit->Focused(); }));
    const auto loop = [] { Application->ProcessMessages(); };
    const auto focusAfter = [&](WORD modifier) {
        const HWND before = ::GetFocus();
        if (modifier)
            testsupport::PressWith(modifier, VK_TAB);
        else
            testsupport::Press(VK_TAB);
        PumpUntil([&] { return ::GetFocus() != before; }, testsupport::kPumpTimeoutMs, loop);
        return FindControl(::GetFocus());
    };
    const std::vector<TControl*> order{frame.HeightEdit, frame.ConstrainProportionsCheckBox, frame.OkButton,
                                       frame.CancelButton, frame.WidthEdit};
    for (TControl* expected : order) EXPECT_EQ(focusAfter(0), expected) << expected->Name();
    EXPECT_EQ(focusAfter(VK_SHIFT), frame.CancelButton);
    EXPECT_EQ(focusAfter(VK_SHIFT), frame.OkButton);
}

TEST_F(ImageTools, ATypedSizeBeyondWhatOneBufferHoldsIsReportedAndChangesNothing) {
    ASSERT_TRUE(ChooseTool(resize_, resize_->Button));
    TKelvoResizeFrame& frame = *resize_->Frame;
    Idle();
    TypeWidth(frame, L"40000");
    // Held at the largest side; the height follows in proportion.
    ASSERT_TRUE(PumpUntil([&] { return resize_->NewWidth() == 32767; }));
    EXPECT_EQ(resize_->NewHeight(), 26214);
    Idle();
    bool reported = false;
    {
        const WideString title = KelvoApplication->GetTitle();
        kelvotest::TWindowDriver report(
            std::wstring(title.begin(), title.end()),
            [&](HWND box) {
                reported = true;
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            },
            L"#32770");
        resize_->Frame->OkButton->Click();
    }
    EXPECT_TRUE(reported);
    EXPECT_TRUE(SameRampAsOpened(document_->GetPixels()));
    EXPECT_EQ(document_->History().GetCount(), 0);
}

namespace {

// A demonstration that plays commands and keeps the lines the tools record.
struct TScript : IKelvoDemoPlayback, IKelvoDemoMacro {
    std::vector<std::string> Lines;
    void AddLine(const AnsiString& text) override { Lines.push_back(text); }
    bool ShowMessages() const override { return false; }
    void ReportError(const AnsiString& message) override { Lines.push_back("error " + message); }
    void RecordCommand(const AnsiString& name, const AnsiString&) override { Lines.push_back("command " + name); }
    void RecordMouseDown(const AnsiString&, TPoint, bool) override {}
    void RecordMouseMove(const AnsiString&, TPoint) override {}
    void RecordMouseUp(const AnsiString&, TPoint, bool) override {}
    void AddCall(std::function<void()>) override {}

    // Runs the upper-cased command with its one number (if any) on the tool; whether the tool took it.
    bool Play(TKelvoGraphicsTool& tool, const AnsiString& command, std::optional<double> number = std::nullopt) {
        TKelvoProperties params;
        if (number) params.SetDouble(0, *number);
        bool handled = false;
        tool.ExecuteDemoCommand(*this, command, handled, *this, params);
        return handled;
    }
};

}  // namespace

TEST_F(ImageTools, DemonstrationCommandsDriveTheToolsAndTheirTargetsAreTheirControls) {
    TScript script;
    EXPECT_TRUE(script.Play(*resize_, "RESIZE"));
    EXPECT_EQ(editor_->ActiveTool(), resize_);
    EXPECT_TRUE(script.Play(*resize_, "RESIZEWIDTH", 50));
    EXPECT_EQ(resize_->NewHeight(), 40);
    EXPECT_TRUE(script.Play(*resize_, "RESIZEPERFORM"));
    EXPECT_EQ(document_->Working().GetWidth(), 50);
    EXPECT_TRUE(script.Play(*rotate_, "ROTATIONRIGHT"));
    EXPECT_EQ(document_->Working().GetWidth(), 40);
    EXPECT_TRUE(script.Play(*crop_, "CROPCANCEL"));
    EXPECT_TRUE(script.Play(*crop_, "CROPPERFORM"));     // without a selection: no step
    EXPECT_FALSE(script.Play(*crop_, "ROTATIONRIGHT"));  // each tool takes only its own names
    EXPECT_EQ(document_->History().GetCount(), 2);

    Idle();
    TKelvoProperties target;
    target.SetString(0, "ResizePerform");
    bool found = false;
    TPoint point;
    resize_->GetDemoTargetPoint(target, found, point);
    TPoint ok;
    ASSERT_TRUE(TKelvoPanelTool::ControlCentre(resize_->Frame->OkButton, ok));
    EXPECT_TRUE(found);
    EXPECT_EQ(point, ok);
}

TEST_F(ImageTools, RecordingWritesTheLinesThatPlayTheUsersChangesAgain) {
    ASSERT_TRUE(ChooseTool(resize_, resize_->Button));
    TScript script;
    resize_->SetRecorder(&script);
    rotate_->SetRecorder(&script);
    Idle();
    ASSERT_TRUE(ClickControl(resize_->Frame->ConstrainProportionsCheckBox, [&] { return !resize_->Constrain(); }));
    resize_->Frame->WidthEdit->SetText(u"120");
    ASSERT_TRUE(ChooseTool(rotate_, rotate_->Button));
    Idle();
    ASSERT_TRUE(ClickControl(rotate_->Frame->FlipVerticalButton, [&] { return document_->History().GetCount() == 1; }));
    resize_->ClearRecorder();
    rotate_->ClearRecorder();
    EXPECT_EQ(script.Lines,
              (std::vector<std::string>{"MouseCurvedMove ResizeProportions", "ResizeDisproportional", "ResizeWidth 120",
                                        "command Rotation", "command RotationVertical"}));
}
