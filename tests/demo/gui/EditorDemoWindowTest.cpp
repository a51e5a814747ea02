// The image editor in the program's main window, driven by demonstration scripts: its commands and targets are
// found through the application's participants, and a played script opens a demonstration image and clicks
// the Zoom In button with the real pointer.
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoOriginalImageTool.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "demo/core/TKelvoDemoPlayback.h"
#include "demo/core/TKelvoDemoResolver.h"
#include "demo/win/TKelvoBalloon.h"
#include "demo/win/TKelvoDemoWinHost.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/demo/gui/DemoGuiTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBToolbarView.h"

using testsupport::PumpUntil;

namespace {

struct TNoMacro : IKelvoDemoMacro {
    void AddLine(const AnsiString&) override {}
    void AddCall(std::function<void()>) override {}
};

class EditorDemoWindow : public kelvotest::KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        form_.reset(kelvotest::NewMainForm());
        // The editor among the application's components, found as the program finds it.
        components_ = MakeObject<TComponent>(nullptr);
        editor_ = Create<TKelvoGraphicsEditor>(components_.get(), form_.get());
        editor_->Initialize();
        editor_->ImagesFolder = AnsiToWide(dir_.Path()) + u"\\";
        form_->SetBounds(20, 20, 700, 500);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
        resolver_.Attach(playback_);
        playback_.Events.OnError = [this](const AnsiString& message, bool&, const AnsiString&) {
            errors_.push_back(message);
        };
    }
    void TearDown() override {
        components_.reset();
        form_.reset();
        KelvoAppTest::TearDown();
    }

    void WriteImage(const std::string& name, std::int32_t width, std::int32_t height) {
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, width, height));
        pixeltest::FillGradient(pixels);
        TKelvoProperties none;
        ASSERT_TRUE(WriteGraphicsFile(AnsiToWide(dir_.File(name)), KelvoFormatPNG, pixels, TKelvoRect{}, none,
                                      TKelvoResolution{}, 80));
    }
    void Play(const TKelvoDemoLines& lines) {
        demotest::PlayLines(playback_, lines);
        ASSERT_TRUE(PumpUntil([&] { return playback_.State() == TKelvoDemoState::Idle; }, 10000));
    }
    bool Target(const AnsiString& line, TPoint& point) {
        TKelvoDemoScriptParams params;
        params.Parse(line);
        return resolver_.ResolveTarget(params, point);
    }

    testsupport::TempDir dir_;
    TObjectPtr<TMainForm> form_;
    TObjectPtr<TComponent> components_;
    TKelvoGraphicsEditor* editor_ = nullptr;
    TKelvoDemoResolver resolver_{nullptr, [this] { return ParticipantsOf(*components_)(); }};
    TKelvoDemoWinHost host_;
    TKelvoDemoPlayback playback_{host_};
    std::vector<AnsiString> errors_;
};

}  // namespace

TEST_F(EditorDemoWindow, TheEditorsTargetsAreItsToolbarButtonsAndImagePointsOnTheScreen) {
    TPoint point;
    EXPECT_FALSE(Target("Image, 10, 20", point));  // no image yet
    EXPECT_FALSE(Target("ZoomSideways", point));

    // The buttons along the standard toolbar, in its order.
    const char* names[] = {"Open", "Undo", "Redo", "ZoomIn", "ZoomOut", "ActualSize", "BestFit"};
    const TRect bar = editor_->StandardToolbar->ClientRect();
    const TPoint barOrigin = editor_->StandardToolbar->ClientToScreen(Point(0, 0));
    TPoint previous{barOrigin.X - 1, 0};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Target(name, point));
        EXPECT_GT(point.X, previous.X);
        EXPECT_LT(point.X, barOrigin.X + bar.Right);
        EXPECT_GT(point.Y, barOrigin.Y);
        EXPECT_LT(point.Y, barOrigin.Y + bar.Bottom);
        previous = point;
    }
    TPoint open, openButton;
    ASSERT_TRUE(Target("open", open));
    ASSERT_TRUE(Target("OPENBUTTON", openButton));
    EXPECT_EQ(open, openButton);

    WriteImage("small.png", 40, 30);
    Play({"ImageOpen \"small.png\"", "ZoomIn"});
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Zoom(), (TKelvoZoom{3, 2}));
    ASSERT_TRUE(Target("Image 10 20", point));
    POINT device{point.X, point.Y};
    ::ScreenToClient(view->Handle(), &device);
    EXPECT_EQ(view->MapMode().DeviceToLogicalPoint(MakePoint(device.x, device.y)), MakePoint(10, 20));
    EXPECT_FALSE(Target("Image 3000000000 0", point));
    EXPECT_TRUE(errors_.empty());

    TNoMacro macro;
    TKelvoDemoScriptParams none;
    EXPECT_FALSE(resolver_.RunCommand(playback_, "ZOOMSIDEWAYS", none, macro));
}

TEST_F(EditorDemoWindow, AScriptOpensADemonstrationImageAndZoomsInThroughTheButton) {
    WriteImage("small.png", 40, 30);
    testsupport::MoveTo(form_->ClientToScreen(Point(300, 300)));
    TPoint zoomIn;
    ASSERT_TRUE(Target("ZoomIn", zoomIn));
    demotest::PlayLines(playback_, {"ImageOpen \"small.png\"", "MouseSpeed 50", "MouseCurvedMove ZoomIn",
                                    "Message \"Zoom In\", 2", "MouseClick ZoomIn"});
    // The message's balloon points at the button the pointer rests on.
    ASSERT_TRUE(PumpUntil([&] { return host_.Balloon() && ::IsWindowVisible(host_.Balloon()->WindowHandle()); }));
    const TKelvoBalloonLayout& layout = host_.Balloon()->Layout();
    EXPECT_EQ(Point(layout.Window.Left + layout.Tip().X, layout.Window.Top + layout.Tip().Y), zoomIn);
    const TPoint body(layout.Window.Left + layout.Body.Right - 5,
                      layout.Window.Top + (layout.Body.Top + layout.Body.Bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return demotest::ScreenPixel(body) == static_cast<COLORREF>(ColorToRGB(clInfoBk)); }));
    testsupport::SaveScreen(testsupport::ArtifactPath("editor-demo-balloon.bmp"));
    ASSERT_TRUE(PumpUntil([&] { return playback_.State() == TKelvoDemoState::Idle; }, 10000));
    EXPECT_TRUE(errors_.empty());
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(editor_->Documents().GetActiveDocument()->FileName(), AnsiToWide(dir_.File("small.png")));
    // Opened 1:1 (it fits), and the click took it one step up.
    EXPECT_TRUE(PumpUntil([&] { return view->Zoom() == (TKelvoZoom{3, 2}); }));
    // What a demonstration opened is closed without the save prompt.
    EXPECT_TRUE(editor_->Documents().GetActiveDocument()->NoPrompt());
}

TEST_F(EditorDemoWindow, AMissingImageStopsTheScriptAndNoFileIsMade) {
    Play({"ImageOpen \"absent.png\"", "ZoomIn"});
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0], "Cannot open the file.");
    EXPECT_EQ(editor_->Documents().GetActiveDocument(), nullptr);
    EXPECT_EQ(::GetFileAttributesA(dir_.File("absent.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

// While recording, opening a file and the zoom and undo commands write the lines that do the same again.
TEST_F(EditorDemoWindow, RecordingWritesTheLinesThatOpenTheImageAndRepeatTheCommands) {
    WriteImage("small.png", 40, 30);
    playback_.SetShowMessages(true);
    ASSERT_TRUE(playback_.StartRecording(-1));
    editor_->SetRecorder(&playback_);
    ASSERT_TRUE(editor_->Documents().Open(AnsiToWide(dir_.File("small.png")), nullptr, true));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    editor_->ZoomInButton->Click();
    editor_->UndoButton->Click();
    editor_->ClearRecorder();
    editor_->BestFitButton->Click();  // no longer recorded
    playback_.StopRecording();

    const TKelvoDemoLines expected = {
        "MouseCurvedMove Open",
        "Message \"Open Image\"",
        "ImageOpen \"small.png\", " + IntToStr(view->Width()) + ", " + IntToStr(view->Height()),
        "MouseCurvedMove ZoomIn",
        "Message \"Zoom In\"",
        "ZoomIn",
        "MouseCurvedMove Undo",
        "Message \"Undo\"",
        "Undo"};
    EXPECT_EQ(playback_.Script().GetLines(), expected);
}

// While recording, the mouse on the image: a left drag with one line per new image point, then a right click,
// at the image points of a zoomed view; nothing once the recorder is gone.
TEST_F(EditorDemoWindow, RecordingWritesTheMouseOnTheImageAtImagePoints) {
    WriteImage("small.png", 40, 30);
    ASSERT_TRUE(editor_->Documents().Open(AnsiToWide(dir_.File("small.png")), nullptr, true));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    ASSERT_NE(view, nullptr);
    editor_->ZoomIn(nullptr);
    ASSERT_EQ(view->Zoom(), (TKelvoZoom{3, 2}));
    const auto at = [&](std::int32_t x, std::int32_t y) {
        const TKelvoPoint device = view->MapMode().LogicalToDevicePoint(MakePoint(x, y));
        return MAKELPARAM(device.X, device.Y);
    };
    playback_.SetShowMessages(true);
    playback_.SetMessageText("Drag the corner");
    ASSERT_TRUE(playback_.StartRecording(-1));
    editor_->SetRecorder(&playback_);
    view->Perform(WM_MOUSEMOVE, 0, at(2, 2));  // no button held: no line
    view->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(10, 20));
    view->Perform(WM_MOUSEMOVE, MK_LBUTTON, at(10, 20));
    view->Perform(WM_MOUSEMOVE, MK_LBUTTON, at(12, 22));
    view->Perform(WM_MOUSEMOVE, MK_LBUTTON, at(12, 22));
    view->Perform(WM_MOUSEMOVE, MK_LBUTTON, at(16, 24));
    view->Perform(WM_LBUTTONUP, 0, at(16, 24));
    view->Perform(WM_MOUSEMOVE, 0, at(30, 6));
    view->Perform(WM_RBUTTONDOWN, MK_RBUTTON, at(30, 6));
    view->Perform(WM_RBUTTONUP, 0, at(30, 6));
    editor_->ClearRecorder();
    view->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at(4, 4));
    view->Perform(WM_LBUTTONUP, 0, at(4, 4));
    playback_.StopRecording();

    const TKelvoDemoLines expected = {"MouseCurvedMove Image, 10, 20",
                                      "Message \"Drag the corner\"",
                                      "MouseDown Image, 10, 20",
                                      "MouseTo Image, 12, 22",
                                      "MouseTo Image, 16, 24",
                                      "MouseUp Image, 16, 24",
                                      "Pause 0.5",
                                      "MouseCurvedMove Image, 30, 6",
                                      "Message \"Drag the corner\"",
                                      "MouseRightDown Image, 30, 6",
                                      "MouseRightUp Image, 30, 6",
                                      "Pause 0.5"};
    EXPECT_EQ(playback_.Script().GetLines(), expected);
}

// A script holds the original-image button to show the original: the tool's targets are the button's centre,
// and its name is no command.
TEST_F(EditorDemoWindow, TheOriginalImageToolsTargetsAreItsButtonsCentreAndItsNameIsNoCommand) {
    auto* original = Create<TKelvoOriginalImageTool>(components_.get());
    ASSERT_TRUE(original->OriginalImageToolButton);
    TTBItemViewer* viewer = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        viewer = editor_->StandardToolbar->View()->Find(original->OriginalImageToolButton);
        return viewer && !viewer->BoundsRect().IsEmpty();
    }));
    const TRect r = viewer->BoundsRect();
    const TPoint centre =
        editor_->StandardToolbar->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    TPoint point;
    ASSERT_TRUE(Target("OriginalImage", point));
    EXPECT_EQ(point, centre);
    ASSERT_TRUE(Target("ORIGINALIMAGEBUTTON", point));
    EXPECT_EQ(point, centre);
    EXPECT_FALSE(Target("Original", point));

    TNoMacro macro;
    TKelvoDemoScriptParams none;
    EXPECT_FALSE(resolver_.RunCommand(playback_, "ORIGINALIMAGE", none, macro));
    EXPECT_NE(editor_->ActiveTool(), original);
}

// Taking the original while recording writes the script that holds its button down for a while.
TEST_F(EditorDemoWindow, TakingTheOriginalWhileRecordingWritesTheButtonsPressAndRelease) {
    auto* original = Create<TKelvoOriginalImageTool>(components_.get());
    ASSERT_TRUE(playback_.StartRecording(-1));
    original->SetRecorder(&playback_);
    original->Take();
    original->GiveBack();
    original->ClearRecorder();
    original->Take();  // no longer recorded
    playback_.StopRecording();
    EXPECT_EQ(playback_.Script().GetLines(),
              (TKelvoDemoLines{"MouseCurvedMove OriginalImage", "MouseDown", "Message \"Original Image\"", "MouseUp",
                               "Message \"Corrected Image\""}));
}
