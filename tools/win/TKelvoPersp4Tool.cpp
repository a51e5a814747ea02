#include "tools/win/TKelvoPersp4Tool.h"

#include <algorithm>
#include <cmath>

#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/Format.h"
#include "classlib/core/ScopeGuard.h"
#include "themed/win/TSkinCustomItem.h"
#include "tools/win/TKelvoPersp4CommandState.h"
#include "tools/win/TKelvoPersp4ToolControl.h"
#include "tools/win/TKelvoPersp4ToolFrame.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniEdit.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{213EDA53-2019-4FB8-8457-D3C5430C9D6B}");
constexpr std::uint32_t kItemCrop = 1;
constexpr std::uint32_t kItemDistortionMode = 2;
constexpr std::uint32_t kItemManualValue = 3;
constexpr std::uint32_t kItemRefChecked = 4;
constexpr std::uint32_t kItemRefWidth = 5;
constexpr std::uint32_t kItemRefHeight = 6;
constexpr std::uint32_t kItemActive = 7;

// A stored size the edit field can show: finite and not negative, else none.
double StoredSize(double value) { return std::isfinite(value) && value > 0 ? value : 0.0; }

}  // namespace

TKelvoPersp4Tool::TKelvoPersp4Tool(TComponent* owner) : TKelvoCorrectionTool(owner) {
    toolName_ = "Persp4Tool";
    controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoPersp4ToolControl>;
    frame_ = MakeFrame<TKelvoPersp4ToolFrame>();
    BuildToolParts(frame_, "PERSP4TOOL", KelvoTextPersp4Tool, u"Four-point correction");
    UseFrame(frame_);  // forgotten when the panel frees the frame first
    frame_->ArrangeRefButton();
    frame_->TBRefSize->OnClick = MakeMethod<&TKelvoPersp4Tool::RefSizeClick>(this);
    frame_->EditWidth->OnKeyPress = MakeMethod<&TKelvoPersp4Tool::SizeKeyPress>(this);
    frame_->EditHeight->OnKeyPress = MakeMethod<&TKelvoPersp4Tool::SizeKeyPress>(this);
}

TPersp4Reference TKelvoPersp4Tool::Reference() const {
    TPersp4Reference reference;
    if (!frame_) return reference;
    reference.On = frame_->CBRefSize->Checked();
    reference.Width = frame_->ReferenceWidth();
    reference.Height = frame_->ReferenceHeight();
    return reference;
}

void TKelvoPersp4Tool::SetGeometry(const TPersp4Geometry& geometry) {
    setup_.Geometry = geometry;
    mapping_.Geometry = geometry;
}

void TKelvoPersp4Tool::RepaintControls() {
    for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->Invalidate();
}

void TKelvoPersp4Tool::Pick(const TRealPoint& start, const TRealPoint& end) {
    if (Busy() || !Persp4Pick(setup_.Points, start, end)) return;
    RepaintControls();
    UpdateState();
}

TRealPoint TKelvoPersp4Tool::ToGeometrySpace(const TRealPoint& shown) const {
    if (!mapping_.HasGeometry()) return shown;
    return mapping_.MapGeometry(mapping_.PreScaleX(shown.X), mapping_.PreScaleY(shown.Y));
}

void TKelvoPersp4Tool::SetupFourPoint(Byte quality) {
    // The points were picked on the image as shown: while a correction is shown they go back through it, so that
    // the corners of a straightened rectangle are the corners of the rectangle in the photo.
    const std::vector<TRealPoint> shown = setup_.Points;
    for (TRealPoint& p : setup_.Points) p = ToGeometrySpace(p);
    const TPersp4Geometry before = setup_.Setup(Reference());
    if (!setup_.Points.empty()) setup_.Points = shown;
    mapping_.Geometry = setup_.Geometry;
    RepaintControls();
    const bool changed = !(before == setup_.Geometry);
    if (changed) {
        before_ = before;
        SetPendingKind(PendingGeometry);
    }
    // A geometry that went away must be taken off the image too.
    if (mapping_.Geometry.CornersValid || mapping_.LensOn || changed) Render(quality);
    UpdateState();
}

std::unique_ptr<TKelvoCorrectionCommandState> TKelvoPersp4Tool::NewState(TKelvoGraphicsDocument& document, Byte kind) {
    auto state = std::make_unique<TKelvoPersp4CommandState>(*this, document, kind);
    state->Before = kind == PendingGeometry ? before_ : mapping_.Geometry;
    state->After = mapping_.Geometry;
    return state;
}

void TKelvoPersp4Tool::UndoGeometry(TKelvoCorrectionCommandState& state) {
    setup_.Points.clear();
    SetGeometry(static_cast<TKelvoPersp4CommandState&>(state).Before);
    RepaintControls();
}

void TKelvoPersp4Tool::RedoGeometry(TKelvoCorrectionCommandState& state) {
    setup_.Points.clear();
    SetGeometry(static_cast<TKelvoPersp4CommandState&>(state).After);
    RepaintControls();
}

void TKelvoPersp4Tool::RestoreFinishGeometry(TKelvoCorrectionCommandState& state, bool) {
    // The geometry the Finish rendered: undo shows its preview again, redo renders it in full.
    setup_.Points.clear();
    SetGeometry(static_cast<TKelvoPersp4CommandState&>(state).After);
    RepaintControls();
}

void TKelvoPersp4Tool::ResetGeometry() {
    setup_ = TPersp4Setup{};
    mapping_.Geometry = TPersp4Geometry{};
    mapping_.ResetPreScale();
    mapping_.RefRectOn = false;
    before_ = TPersp4Geometry{};
    RepaintControls();
}

void TKelvoPersp4Tool::RenderFinal() {
    if (mapping_.Geometry.CornersValid || setup_.Points.size() > 3)
        SetupFourPoint(2);
    else if (mapping_.LensOn)
        Render(2);
}

bool TKelvoPersp4Tool::FinishPossible() const {
    return mapping_.Geometry.CornersValid || mapping_.LensOn || setup_.Points.size() > 3;
}

void TKelvoPersp4Tool::UpdateState() {
    TKelvoCorrectionTool::UpdateState();
    // Picked corners are pending work for Finish before any render has made the tool unclean.
    TKelvoGraphicsEditor* editor = Editor();
    const bool finish = !Busy() && (!Clean() || setup_.Points.size() > 3) && FinishPossible();
    if (FinishItem && editor && editor->ActiveTool() == this) FinishItem->SetEnabled(finish);
    if (frame_) frame_->btFinish->SetEnabled(finish);
}

void TKelvoPersp4Tool::UpdateFrameState(const TCorrectionFrameState&) {
    frame_->TBRefSize->SetEnabled(!Busy() && setup_.Points.size() > 3);
}

void TKelvoPersp4Tool::LocalizeFrame() { frame_->TBRefSize->SetCaption(GetText(KelvoTextRefButton, u"Apply")); }

void TKelvoPersp4Tool::RefSizeClick(TObject*) {
    if (!Busy()) SetupFourPoint(0);
}

void TKelvoPersp4Tool::SizeKeyPress(TObject*, char& key) {
    if (!Persp4SizeKeyAccepted(key, DecimalSeparator())) key = 0;
}

void TKelvoPersp4Tool::LoadState(TKelvoSDFReader& reader) {
    TKelvoCorrectionTool::LoadState(reader);
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    const TFrameUpdate update = UpdatingFrame();
    std::int32_t number = 0;
    bool flag = false;
    double width = 0, height = 0;
    if (reader.ReadInteger(kItemCrop, number)) SetCropType(number);
    if (frame_) {
        if (reader.ReadInteger(kItemDistortionMode, number) && number >= 0 && number <= 2)
            frame_->SetDistortionMode(number);
        if (reader.ReadInteger(kItemManualValue, number)) frame_->SetManualValue(std::clamp(number, -100, 100));
        if (reader.ReadBool(kItemRefChecked, flag)) frame_->CBRefSize->SetChecked(flag);
        const bool hasWidth = reader.ReadDouble(kItemRefWidth, width);
        const bool hasHeight = reader.ReadDouble(kItemRefHeight, height);
        if (hasWidth || hasHeight)
            frame_->SetReferenceSize(hasWidth ? StoredSize(width) : frame_->ReferenceWidth(),
                                     hasHeight ? StoredSize(height) : frame_->ReferenceHeight());
    }
    if (reader.ReadBool(kItemActive, flag) && flag)
        if (TKelvoGraphicsEditor* editor = Editor()) editor->SetActiveTool(this);
}

void TKelvoPersp4Tool::SaveState(TKelvoSDFWriter& writer) {
    TKelvoCorrectionTool::SaveState(writer);
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(kItemCrop, mapping_.CropType);
    if (frame_) {
        writer.WriteInteger(kItemDistortionMode, frame_->DistortionMode());
        writer.WriteInteger(kItemManualValue, frame_->ManualValue());
        writer.WriteBool(kItemRefChecked, frame_->CBRefSize->Checked());
        writer.WriteDouble(kItemRefWidth, frame_->ReferenceWidth());
        writer.WriteDouble(kItemRefHeight, frame_->ReferenceHeight());
    }
    TKelvoGraphicsEditor* editor = Editor();
    writer.WriteBool(kItemActive, editor && editor->ActiveTool() == this);
    writer.EndNode();
}
