// The tool contract in the real main window: every view gets a control per tool and only the current tool's
// are shown; an edit is unbound when its document goes and undone when its step cannot be kept; the hand tool
// pans by dragging and while Space is held, and zooms with its keys.
#include <windows.h>

#include <cstring>

#include "app/core/TKelvoGraphicsCommandState.h"
#include "app/core/TKelvoProperties.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoGraphicsToolControl.h"
#include "app/win/TKelvoOriginalImageTool.h"
#include "app/win/TKelvoScrollTool.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TScreen.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/DialogTestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"

using kelvotest::KelvoAppTest;
using testsupport::PumpUntil;

namespace {

// A tool whose control is a plain one: the base's answers.
class TProbeTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TProbeTool, TKelvoGraphicsTool)
    explicit TProbeTool(TComponent* owner) : TKelvoGraphicsTool(owner) {
        toolName_ = "Probe";
        controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoGraphicsToolControl>;
    }
};

class GraphicsTools : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        TMainForm::RegisterBuilder();
        form_.reset(Create<TMainForm>(nullptr));
        editor_ = MakeObject<TKelvoGraphicsEditor>(nullptr, form_.get());
        editor_->Initialize();
        probe_ = Create<TProbeTool>(Application);
        title_ = KelvoApplication->GetTitle();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }
    void TearDown() override {
        editor_.reset();
        Free(probe_);
        form_.reset();
        KelvoAppTest::TearDown();
    }

    TKelvoScrollTool* Hand() const {
        for (TKelvoGraphicsTool* t : TKelvoGraphicsTool::AllTools())
            if (auto* hand = dynamic_cast<TKelvoScrollTool*>(t)) return hand;
        return nullptr;
    }

    // Opens a w x h gradient and returns its view.
    TKelvoGraphicsView* OpenImage(std::int32_t width, std::int32_t height) {
        TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, width, height));
        pixeltest::FillGradient(pixels);
        TKelvoProperties none;
        const std::u16string path = AnsiToWide(dir_.File("image.png"));
        EXPECT_TRUE(WriteGraphicsFile(path, KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80));
        EXPECT_TRUE(editor_->Documents().Open(path, nullptr, true));
        return editor_->GetActiveView();
    }

    testsupport::TempDir dir_;
    WideString title_;
    TObjectPtr<TMainForm> form_;
    TObjectPtr<TKelvoGraphicsEditor> editor_;
    TProbeTool* probe_ = nullptr;
};

}  // namespace

TEST_F(GraphicsTools, EveryViewGetsAControlPerToolOnTopAndOnlyTheCurrentToolsAreShown) {
    TKelvoScrollTool* hand = Hand();
    ASSERT_NE(hand, nullptr);
    editor_->SetActiveTool(probe_);
    TKelvoGraphicsView* view = OpenImage(40, 30);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(hand->GetControlCount(), 1);
    ASSERT_EQ(probe_->GetControlCount(), 1);
    // The document layer at the bottom, the tools' controls above it in the tools' order.
    ASSERT_EQ(view->ObjectCount(), 3);
    EXPECT_EQ(view->GetObject(0), &view->DocumentLayer());
    EXPECT_EQ(view->GetObject(1), hand->GetControl(0));
    EXPECT_EQ(view->GetObject(2), probe_->GetControl(0));
    EXPECT_TRUE(probe_->GetControl(0)->Shown());  // the current tool shows on a new view
    EXPECT_FALSE(hand->GetControl(0)->Shown());
    editor_->SetActiveTool(hand);
    EXPECT_FALSE(probe_->GetControl(0)->Shown());
    EXPECT_TRUE(hand->GetControl(0)->Shown());
    EXPECT_EQ(editor_->PreviousTool(), probe_);
    EXPECT_FALSE(probe_->Active());
    ASSERT_TRUE(editor_->Documents().CloseCommand());
    EXPECT_EQ(hand->GetControlCount(), 0);  // the view freed its controls, and they left their tools
    EXPECT_EQ(probe_->GetControlCount(), 0);
}

TEST_F(GraphicsTools, AnEditOfADocumentThatIsClosedLeavesTheToolUnbound) {
    TKelvoGraphicsView* view = OpenImage(40, 30);
    ASSERT_NE(view, nullptr);
    probe_->BeginEdit(*view);
    ASSERT_EQ(probe_->EditedDocument(), &view->Document());
    std::memset(probe_->CurrentPixels()->PixelAddress(0, 0), 0, 30);
    probe_->AddDirtyRect(MakeRect(0, 0, 10, 1), false);
    editor_->Documents().GetActiveDocument()->SetNoPrompt(true);
    ASSERT_TRUE(editor_->Documents().CloseCommand());
    EXPECT_EQ(probe_->EditedDocument(), nullptr);
    EXPECT_EQ(probe_->CurrentPixels(), nullptr);
    EXPECT_EQ(probe_->EditedView(), nullptr);
    probe_->EndEdit();  // nothing left to finish
    probe_->CancelEdit();
}

TEST_F(GraphicsTools, AnEditWhoseStepCannotBeKeptIsUndoneAndReported) {
    TKelvoGraphicsView* view = OpenImage(40, 30);
    ASSERT_NE(view, nullptr);
    TKelvoGraphicsDocument& document = view->Document();
    TKelvoPixelBuffer before;
    TKelvoLTBitmap::CopyBitmapToPixels(document.Working(), before);
    probe_->BeginEdit(*view);
    for (std::int32_t y = 0; y < 30; ++y) std::memset(probe_->CurrentPixels()->PixelAddress(0, y), 0x33, 40 * 3);
    probe_->AddDirtyRect(MakeRect(0, 0, 40, 30), false);
    const std::int64_t limit = TKelvoGraphicsCommandState::MaxSnapshotBytes();
    TKelvoGraphicsCommandState::SetMaxSnapshotBytes(1000);
    {
        const std::wstring title(title_.begin(), title_.end());
        kelvotest::TWindowDriver report(
            title, [](HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); }, L"#32770");
        probe_->EndEdit();
    }
    TKelvoGraphicsCommandState::SetMaxSnapshotBytes(limit);
    EXPECT_EQ(pixeltest::MaxDifference(document.GetPixels(), before), 0);
    EXPECT_EQ(document.History().GetCount(), 0);
    EXPECT_FALSE(document.Editing());
    EXPECT_EQ(probe_->EditedDocument(), nullptr);
    // With the memory there the same edit becomes one step, and undo brings the pixels back.
    probe_->BeginEdit(*view);
    std::memset(probe_->CurrentPixels()->PixelAddress(0, 0), 0x33, 40 * 3);
    probe_->AddDirtyRect(MakeRect(0, 0, 40, 1), false);
    probe_->EndEdit();
    EXPECT_EQ(document.History().GetCount(), 1);
    editor_->UndoCommand(nullptr);
    EXPECT_EQ(pixeltest::MaxDifference(document.GetPixels(), before), 0);
}

TEST_F(GraphicsTools, TheHandPansByALeftDragAndWhileSpaceIsHeldAndZoomsWithItsKeys) {
    TKelvoScrollTool* hand = Hand();
    ASSERT_NE(hand, nullptr);
    editor_->SetActiveTool(probe_);
    TKelvoGraphicsView* view = OpenImage(3000, 2000);
    ASSERT_NE(view, nullptr);
    editor_->ActualSize(nullptr);
    const auto drag = [&](UINT down, UINT up, int dx, int dy) {
        const int x = view->ClientWidth() / 2, y = view->ClientHeight() / 2;
        view->Perform(down, 0, MAKELPARAM(x, y));
        view->Perform(WM_MOUSEMOVE, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x + dx, y + dy));
        view->Perform(up, 0, MAKELPARAM(x + dx, y + dy));
    };
    const std::int32_t x0 = view->ScrollPosX(), y0 = view->ScrollPosY();
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, -50, -40);  // the probe is current: nothing pans
    EXPECT_EQ(view->ScrollPosX(), x0);

    view->Perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(editor_->ActiveTool(), hand);
    view->Perform(WM_KEYDOWN, VK_SPACE, 0x40000000);  // the key's repeat
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, -50, -40);     // the content follows the pointer up and left
    EXPECT_EQ(view->ScrollPosX(), x0 + 50);
    EXPECT_EQ(view->ScrollPosY(), y0 + 40);
    drag(WM_RBUTTONDOWN, WM_RBUTTONUP, -50, -40);  // the right button does not pan
    EXPECT_EQ(view->ScrollPosX(), x0 + 50);
    view->Perform(WM_SETCURSOR, WPARAM(view->Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), Screen->Cursors(TKelvoGraphicsEditor::HandCursor));
    view->Perform(WM_KEYUP, VK_SPACE, 0xC0000000);
    EXPECT_EQ(editor_->ActiveTool(), probe_);

    // Panning stops at the image's edge.
    editor_->SetActiveTool(hand);
    drag(WM_LBUTTONDOWN, WM_LBUTTONUP, 5000, 5000);
    EXPECT_EQ(view->ScrollPosX(), 0);
    EXPECT_EQ(view->ScrollPosY(), 0);

    view->Perform(WM_KEYDOWN, 187, 0);
    EXPECT_EQ(view->Zoom(), ZoomInFrom(TKelvoZoom{1, 1}));
    view->Perform(WM_KEYDOWN, 189, 0);
    EXPECT_EQ(view->Zoom(), (TKelvoZoom{1, 1}));
}

TEST_F(GraphicsTools, FocusLeavingTheViewWhileAKeyHoldsAToolGivesBackTheToolItReplaced) {
    TKelvoScrollTool* hand = Hand();
    ASSERT_NE(hand, nullptr);
    TKelvoOriginalImageTool* original = Create<TKelvoOriginalImageTool>(Application);
    TScopeExit freeTool([&] { Free(original); });
    editor_->SetActiveTool(probe_);
    TKelvoGraphicsView* view = OpenImage(2000, 1500);
    ASSERT_NE(view, nullptr);
    // Another control of the window that can take the focus, as a tool panel's edit box does.
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, form_->Handle(), nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    view->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == view->Handle(); }));
    view->Perform(WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_EQ(editor_->ActiveTool(), hand);
    ::SetFocus(edit);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == edit && editor_->ActiveTool() == probe_; }));
    EXPECT_FALSE(hand->GetControl(0)->Shown());
    // The same for the original image held by its key.
    view->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == view->Handle(); }));
    view->Perform(WM_KEYDOWN, 'O', 0);
    ASSERT_EQ(editor_->ActiveTool(), original);
    ::SetFocus(edit);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == edit && editor_->ActiveTool() == probe_; }));
    EXPECT_TRUE(view->DocumentLayer().IsVisible());
    // A drag of the chosen hand ends too: moving the pointer after the focus came back pans nothing.
    editor_->SetActiveTool(hand);
    editor_->ActualSize(nullptr);
    view->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == view->Handle(); }));
    const std::int32_t x0 = view->ScrollPosX();
    view->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 200));
    ::SetFocus(edit);
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == edit; }));
    view->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(150, 200));
    EXPECT_EQ(view->ScrollPosX(), x0);
    ::DestroyWindow(edit);
}

TEST_F(GraphicsTools, ReleasingTheOriginalLeavesEveryControlOfTheToolAHiddenOverlayOutsideTheExtent) {
    TKelvoOriginalImageTool* original = Create<TKelvoOriginalImageTool>(Application);
    TScopeExit freeTool([&] { Free(original); });
    editor_->SetActiveTool(probe_);
    TKelvoGraphicsView* view = OpenImage(40, 30);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(original->GetControlCount(), 1);
    TKelvoGraphicsToolControl* control = original->GetControl(0);
    original->Take();
    ASSERT_TRUE(control->Shown());
    EXPECT_EQ(control->Flags(), KelvoViewHasBody | KelvoViewVisible);
    original->GiveBack();
    EXPECT_EQ(editor_->ActiveTool(), probe_);
    EXPECT_EQ(control->Flags(), KelvoViewHasOverlay | KelvoViewNoExtent);
    EXPECT_EQ(view->DocumentLayer().Flags(), KelvoViewHasBody | KelvoViewVisible);
}

TEST_F(GraphicsTools, HoldingTheOriginalShowsItAtItsOwnSizeAfterTheWorkingImageShrank) {
    TKelvoOriginalImageTool* original = Create<TKelvoOriginalImageTool>(Application);
    TScopeExit freeTool([&] { Free(original); });
    editor_->SetActiveTool(probe_);
    TKelvoGraphicsView* view = OpenImage(40, 30);
    ASSERT_NE(view, nullptr);
    editor_->ActualSize(nullptr);
    // A crop rendered into the working image (in an edit, as a tool does) leaves it 20 x 10; the original
    // stays as opened.
    TKelvoPixelBuffer cropped(KelvoFormatBGR24, MakeRect(0, 0, 20, 10));
    view->Document().BeginEditing(nullptr);
    ASSERT_TRUE(view->Document().Working().Assign(cropped));
    view->Document().EndEditing(nullptr);
    view->ImageChanged();
    const auto contentSize = [&] {
        TKelvoRect r;
        view->GetContentBounds(r);
        return MakePoint(r.Right - r.Left, r.Bottom - r.Top);
    };
    ASSERT_EQ(contentSize(), MakePoint(20, 10));
    original->Take();
    EXPECT_EQ(original->GetControl(0)->Bounds(), MakeRect(0, 0, 40, 30));
    EXPECT_EQ(contentSize(), MakePoint(40, 30));
    EXPECT_FALSE(view->DocumentLayer().IsVisible());
    original->GiveBack();
    EXPECT_EQ(contentSize(), MakePoint(20, 10));
}

namespace {

struct Recording : IKelvoDemoPlayback, IKelvoDemoMacro {
    std::vector<std::string> Lines;
    void AddLine(const AnsiString& text) override { Lines.push_back(text); }
    bool ShowMessages() const override { return true; }
    void ReportError(const AnsiString&) override {}
    void RecordCommand(const AnsiString& name, const AnsiString& message) override {
        Lines.push_back("MouseCurvedMove " + name);
        Lines.push_back("Message \"" + message + "\"");
        Lines.push_back(name);
    }
    void RecordMouseDown(const AnsiString&, TPoint, bool) override {}
    void RecordMouseMove(const AnsiString&, TPoint) override {}
    void RecordMouseUp(const AnsiString&, TPoint, bool) override {}
    void AddCall(std::function<void()>) override {}
};

}  // namespace

TEST_F(GraphicsTools, TheToolsNameSelectsItAndIsRecordedOnlyWhileRecording) {
    Recording playback;
    TKelvoProperties params;
    bool handled = false;
    probe_->ExecuteDemoCommand(playback, "HAND", handled, playback, params);
    EXPECT_FALSE(handled);
    probe_->ExecuteDemoCommand(playback, "PROBE", handled, playback, params);
    EXPECT_TRUE(handled);
    EXPECT_EQ(editor_->ActiveTool(), probe_);
    EXPECT_TRUE(playback.Lines.empty());  // not recording
    probe_->SetRecorder(&playback);
    editor_->SetActiveTool(nullptr);
    probe_->Select();
    EXPECT_EQ(editor_->ActiveTool(), probe_);
    EXPECT_EQ(playback.Lines, (std::vector<std::string>{"MouseCurvedMove Probe", "Message \"Probe\"", "Probe"}));
    probe_->ClearRecorder();
}
