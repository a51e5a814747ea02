// The four-point tool in the whole program: a user clicks the corners of a photographed facade with the real
// pointer, finishes, undoes and redoes, and saves the straightened photo.
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/core/TKelvoGraphicsEditorDocuments.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "main/TModule.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Stream.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/tools/core/Persp4TestImages.h"
#include "tests/tools/core/TestImages.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "tools/win/TKelvoPersp4Tool.h"
#include "tools/win/TKelvoPersp4ToolFrame.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniEdit.h"

using testsupport::PumpUntil;
using namespace persp4test;

namespace {

class Persp4Program : public kelvotest::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        if (HasFatalFailure()) return;
        tool_ = Find<TKelvoPersp4Tool>();
        ASSERT_TRUE(tool_);
    }

    // Writes the photograph of the facade and opens it.
    bool OpenFacade() {
        photo_ = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, 400, 300));
        DrawQuadrilateral(*photo_, kTL, kTR, kBR, kBL);
        TKelvoProperties none;
        const std::u16string path = AnsiToWide(dir_.File("facade.png"));
        return WriteGraphicsFile(path, KelvoFormatPNG, *photo_, TKelvoRect{}, none, TKelvoResolution{}, 80) &&
               editor_->Documents().Open(path, nullptr, true) && editor_->GetActiveView();
    }

    // What the program's idle pass does for the commands this test reads: the editor's and the tool's enabled
    // states brought up to date. Always true.
    bool Idle() {
        editor_->UpdateState();
        tool_->UpdateState();
        return true;
    }

    TKelvoPixels& Shown() { return editor_->GetActiveView()->Document().GetPixels(); }

    // The screen point of an image point in the active view.
    TPoint OnScreen(const TRealPoint& image) {
        TKelvoGraphicsView* view = editor_->GetActiveView();
        const TKelvoPoint d = view->MapMode().LogicalToDevicePoint(MakePoint(
            static_cast<std::int32_t>(std::lround(image.X)), static_cast<std::int32_t>(std::lround(image.Y))));
        POINT p{d.X, d.Y};
        ::ClientToScreen(view->Handle(), &p);
        return TPoint{p.x, p.y};
    }
    static TPoint Centre(TControl* control) {
        return control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    }

    // Clicks the corners with the real pointer, each once the one before it is picked.
    void ClickCorners(const std::vector<TRealPoint>& corners = {kTL, kTR, kBR, kBL}) {
        const std::size_t before = tool_->Points().size();
        for (std::size_t i = 0; i < corners.size(); ++i) {
            testsupport::ClickAt(OnScreen(corners[i]));
            ASSERT_TRUE(PumpUntil([&] { return tool_->Points().size() == before + i + 1; })) << "corner " << i;
        }
    }
    void ClickAndWaitDone(TControl* control) {
        ASSERT_TRUE(PumpUntil([&] { return Idle() && control->Enabled() && control->Visible(); }));
        testsupport::ClickAt(Centre(control));
        ASSERT_TRUE(PumpUntil([&] { return Idle() && !control->Enabled() && !tool_->Busy(); }));
    }
    // The dark shape's width : height in the middle row and column.
    double Aspect() {
        const TShapeEdges e = MeasureShape(Shown());
        const int row = Shown().Height() / 2, column = Shown().Width() / 2;
        return double(e.Right[row] - e.Left[row]) / double(e.Bottom[column] - e.Top[column]);
    }

    TKelvoPersp4Tool* tool_ = nullptr;
    std::unique_ptr<TKelvoPixelBuffer> photo_;
};

}  // namespace

TEST_F(Persp4Program, ClickedCornersAndFinishStraightenTheFacadeThroughUndoRedoAndSaving) {
    ASSERT_EQ(editor_->ActiveTool(), tool_);  // the program starts with it
    ASSERT_TRUE(OpenFacade());
    TKelvoPersp4ToolFrame* frame = tool_->Persp4Frame();
    EXPECT_TRUE(PumpUntil([&] { return Idle() && !frame->btFinish->Enabled(); }));  // nothing to finish yet
    ClickCorners();
    // A click near a picked point takes it away; clicked again, it is back.
    testsupport::ClickAt(OnScreen(TRealPoint{kTL.X + 4, kTL.Y + 3}));
    ASSERT_TRUE(PumpUntil([&] { return tool_->Points().size() == 3; }));
    ClickCorners({kTL});
    ASSERT_EQ(tool_->Points().size(), 4u);
    EXPECT_TRUE(toolstest::SamePixels(Shown(), *photo_));  // picking alone changes nothing
    ClickAndWaitDone(frame->btFinish);
    ASSERT_TRUE(tool_->Geometry().CornersValid);
    EXPECT_TRUE(tool_->Points().empty());
    EXPECT_TRUE(IsUprightRectangle(Shown()));
    testsupport::SaveScreen(testsupport::ArtifactPath("persp4-finished.bmp"));

    // One step: undo shows the photo as taken, redo the straightened one.
    ASSERT_TRUE(PumpUntil([&] { return Idle() && editor_->UndoMenuItem->Enabled(); }));
    editor_->UndoMenuItem->Click();
    ASSERT_TRUE(PumpUntil([&] { return toolstest::SamePixels(Shown(), *photo_); }));
    EXPECT_FALSE(tool_->Geometry().CornersValid);
    EXPECT_TRUE(PumpUntil([&] { return Idle() && !editor_->UndoMenuItem->Enabled(); }));
    editor_->RedoMenuItem->Click();
    ASSERT_TRUE(PumpUntil([&] { return IsUprightRectangle(Shown()); }));

    // Saving makes the correction part of the image; the file holds the straight facade.
    TKelvoDocument* document = editor_->Documents().GetActiveDocument();
    const std::u16string saved = AnsiToWide(dir_.File("straight.png"));
    ASSERT_TRUE(document->SaveToFile(saved, KelvoFormatPNG));
    EXPECT_TRUE(tool_->Clean());
    EXPECT_FALSE(tool_->Geometry().CornersValid);
    ASSERT_TRUE(editor_->Documents().Open(saved, nullptr, true));
    ASSERT_TRUE(PumpUntil([&] { return editor_->GetActiveView() && IsUprightRectangle(Shown()); }));
    testsupport::SaveScreen(testsupport::ArtifactPath("persp4-reopened.bmp"));
}

TEST_F(Persp4Program, UndoOfASecondSetUpGivesTheFirstCorrectionBack) {
    ASSERT_TRUE(OpenFacade());
    TKelvoPersp4ToolFrame* frame = tool_->Persp4Frame();
    ClickCorners();
    ClickAndWaitDone(frame->btFinish);
    ASSERT_TRUE(IsUprightRectangle(Shown()));
    const double first = Aspect();

    // The facade is known to be twice as wide as high: the sizes typed (a stray letter is dropped), the corners
    // of the straightened facade picked where they are shown now, and the reference applied.
    testsupport::ClickAt(Centre(frame->CBRefSize));
    ASSERT_TRUE(PumpUntil([&] { return frame->CBRefSize->Checked() && frame->EditWidth->Enabled(); }));
    testsupport::ClickAt(Centre(frame->EditWidth));
    ASSERT_TRUE(PumpUntil([&] { return frame->EditWidth->Focused(); }));
    for (wchar_t c : {L'2', L'x'}) testsupport::TypeUnicode(c);
    testsupport::ClickAt(Centre(frame->EditHeight));
    ASSERT_TRUE(PumpUntil([&] { return frame->EditHeight->Focused(); }));
    testsupport::TypeUnicode(L'1');
    ASSERT_TRUE(PumpUntil([&] { return frame->EditWidth->Text() == u"2" && frame->EditHeight->Text() == u"1"; }));
    const TPersp4Geometry g = tool_->Geometry();
    ClickCorners({TRealPoint{g.X0, g.Y0}, TRealPoint{g.X0 + g.Lx, g.Y0}, TRealPoint{g.X0 + g.Lx, g.Y0 + g.Ly},
                  TRealPoint{g.X0, g.Y0 + g.Ly}});
    ClickAndWaitDone(frame->TBRefSize);
    ASSERT_TRUE(PumpUntil([&] { return IsUprightRectangle(Shown()) && std::abs(Aspect() - 2.0) < 0.05; }))
        << "aspect " << Aspect();
    testsupport::SaveScreen(testsupport::ArtifactPath("persp4-reference.bmp"));

    ASSERT_TRUE(PumpUntil([&] { return Idle() && editor_->UndoMenuItem->Enabled(); }));
    editor_->UndoMenuItem->Click();
    ASSERT_TRUE(PumpUntil([&] { return IsUprightRectangle(Shown()) && std::abs(Aspect() - first) < 0.02; }))
        << "aspect " << Aspect() << " after the first set-up " << first;
    ASSERT_TRUE(PumpUntil([&] { return Idle() && editor_->UndoMenuItem->Enabled(); }));
    editor_->UndoMenuItem->Click();
    ASSERT_TRUE(PumpUntil([&] { return toolstest::SamePixels(Shown(), *photo_); }));
    for (const double aspect : {first, 2.0}) {
        ASSERT_TRUE(PumpUntil([&] { return Idle() && editor_->RedoMenuItem->Enabled(); }));
        editor_->RedoMenuItem->Click();
        ASSERT_TRUE(PumpUntil([&] { return IsUprightRectangle(Shown()) && std::abs(Aspect() - aspect) < 0.05; }))
            << "aspect " << Aspect() << ", expected " << aspect;
    }
}

TEST_F(Persp4Program, SettingsComeBackFromTheStateFileAndDamagedOnesAreRefused) {
    TKelvoPersp4ToolFrame* frame = tool_->Persp4Frame();
    tool_->SetCropType(CropStretchInscribed);
    frame->SetDistortionMode(1);
    frame->SetManualValue(35);
    frame->CBRefSize->SetChecked(true);
    frame->SetReferenceSize(3.5, 2);
    TMemoryStream saved;
    {
        TKelvoSDFWriter writer(&saved);
        tool_->SaveState(writer);
    }
    tool_->SetCropType(CropKeepSize);
    frame->SetDistortionMode(0);
    frame->SetManualValue(0);
    frame->CBRefSize->SetChecked(false);
    frame->SetReferenceSize(0, 0);
    editor_->SetActiveTool(nullptr);
    saved.SetPosition(0);
    {
        TKelvoSDFReader reader(&saved);
        tool_->LoadState(reader);
    }
    EXPECT_EQ(tool_->Mapping().CropType, CropStretchInscribed);
    EXPECT_EQ(frame->CropType(), CropStretchInscribed);
    EXPECT_EQ(frame->DistortionMode(), 1);
    EXPECT_EQ(frame->ManualValue(), 35);
    EXPECT_TRUE(frame->CBRefSize->Checked());
    EXPECT_EQ(frame->ReferenceWidth(), 3.5);
    EXPECT_EQ(frame->ReferenceHeight(), 2);
    EXPECT_EQ(editor_->ActiveTool(), tool_);

    // Values no control can show leave the controls as they were, or as near as they go.
    TMemoryStream damaged;
    {
        TKelvoSDFWriter writer(&damaged);
        writer.BeginNode(1, TGUID::Parse("{213EDA53-2019-4FB8-8457-D3C5430C9D6B}"));
        writer.WriteInteger(1, 7);
        writer.WriteInteger(2, 9);
        writer.WriteInteger(3, 500);
        writer.WriteDouble(5, std::nan(""));
        writer.WriteDouble(6, -4);
        writer.EndNode();
    }
    damaged.SetPosition(0);
    {
        TKelvoSDFReader reader(&damaged);
        tool_->LoadState(reader);
    }
    EXPECT_EQ(tool_->Mapping().CropType, CropStretchInscribed);
    EXPECT_EQ(frame->DistortionMode(), 1);
    EXPECT_EQ(frame->ManualValue(), 100);
    EXPECT_EQ(frame->EditWidth->Text(), u"");
    EXPECT_EQ(frame->EditHeight->Text(), u"");
}
