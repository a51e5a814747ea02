#include "tools/win/TKelvoPerspectiveTool.h"

#include <algorithm>

#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TSpinEdit.h"
#include "tools/win/TKelvoPerspectiveCommandState.h"
#include "tools/win/TKelvoPerspectiveToolControl.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniRadioGroup.h"
#include "tools/win/TUniMyTrackBar.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{213EAD53-2019-4FB8-5784-D5C3521C8D6B}");
enum : std::uint32_t {
    kItemCropType = 1,
    kItemDistortionMode = 2,
    kItemManualValue = 3,
    kItemStrengthChecked = 4,
    kItemStrength = 5,
    kItemActive = 7,
    kItemReferenceChecked = 8,
    kItemReferenceWidth = 9,
    kItemReferenceHeight = 10,
};

}  // namespace

TKelvoPerspectiveTool::TKelvoPerspectiveTool(TComponent* owner) : TKelvoCorrectionTool(owner) {
    toolName_ = "PerspectiveTool";
    controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoPerspectiveToolControl>;
    TKelvoPerspectiveToolFrame* frame = MakeFrame<TKelvoPerspectiveToolFrame>();
    frame->UniCBPerspKoef->OnClick = MakeMethod<&TKelvoPerspectiveTool::StrengthChanged>(this);
    frame->sePerspKoef->OnExit = MakeMethod<&TKelvoPerspectiveTool::StrengthChanged>(this);
    frame->sePerspKoef->OnChange = MakeMethod<&TKelvoPerspectiveTool::StrengthChanged>(this);
    frame->KoefTrackBar->OnChange = MakeMethod<&TKelvoPerspectiveTool::StrengthTrackChange>(this);
    BuildToolParts(frame, "PERSPECTIVETOOL", KelvoTextPerspectiveTool, u"Perspective correction");
}

void TKelvoPerspectiveTool::RenderIfAllowed() {
    TKelvoGraphicsEditor* editor = Editor();
    if (editor && editor->CanToolEdit(this)) Render(0);
}

TReferenceLineResult TKelvoPerspectiveTool::AddReferenceLine(TRealPoint p1, TRealPoint p2, std::int32_t h,
                                                             std::int32_t w) {
    // A line drawn on a stretched or rescaled output is where the geometry sees it after the pre-scale.
    if (mapping_.CropType == CropStretchInscribed || mapping_.RefRectOn) {
        p1 = {mapping_.PreScaleX(p1.X), mapping_.PreScaleY(p1.Y)};
        p2 = {mapping_.PreScaleX(p2.X), mapping_.PreScaleY(p2.Y)};
    }
    TConvergenceLimits limits = limits_;
    const TReferenceLineResult result = ::AddReferenceLine(mapping_.History, limits, p1, p2, h, w);
    if (result == TReferenceLineResult::Refused) return result;
    mapping_.RefWidth = w;
    mapping_.RefHeight = h;
    savedLimits_ = limits_;
    limits_ = limits;
    const bool scaleChanged = EvaluateReferenceRectangle();
    if (result == TReferenceLineResult::LimitsOnly) {
        if (scaleChanged && mapping_.HasGeometry()) RenderIfAllowed();
        return result;
    }
    SetPendingKind(PendingGeometry);
    RenderIfAllowed();
    return result;
}

bool TKelvoPerspectiveTool::EvaluateReferenceRectangle() {
    const bool wasOn = mapping_.RefRectOn;
    const double before[4] = {mapping_.OutFactorX, mapping_.OutOffsetX, mapping_.OutFactorY, mapping_.OutOffsetY};
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    // Without the check box no limits count: the pre-scale goes.
    const bool checked = frame && frame->CBRefSize->Checked();
    ApplyReferenceRectangle(mapping_, checked ? limits_ : TConvergenceLimits{}, mapping_.RefWidth, mapping_.RefHeight,
                            checked ? frame->ReferenceWidth() : 0, checked ? frame->ReferenceHeight() : 0);
    const double after[4] = {mapping_.OutFactorX, mapping_.OutOffsetX, mapping_.OutFactorY, mapping_.OutOffsetY};
    return wasOn != mapping_.RefRectOn || !std::equal(before, before + 4, after);
}

void TKelvoPerspectiveTool::ReferenceSizeChanged() {
    if (EvaluateReferenceRectangle() && mapping_.HasGeometry()) RenderIfAllowed();
}

void TKelvoPerspectiveTool::ReadStrength() {
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    mapping_.Strength = frame && frame->UniCBPerspKoef->Checked() ? frame->StrengthValue() / 100.0 : 1.0;
}

void TKelvoPerspectiveTool::StrengthChanged(TObject* sender) {
    if (FrameUpdating()) return;
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    if (sender == frame->sePerspKoef) {
        const TFrameUpdate update = UpdatingFrame();
        frame->KoefTrackBar->SetPosition(frame->StrengthValue());
    }
    const double before = mapping_.Strength;
    ReadStrength();
    if (mapping_.Strength != before && mapping_.HasGeometry()) RenderIfAllowed();
    UpdateState();
}

void TKelvoPerspectiveTool::StrengthTrackChange(TObject*) {
    if (FrameUpdating()) return;
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    {
        const TFrameUpdate update = UpdatingFrame();
        frame->sePerspKoef->SetValue(frame->KoefTrackBar->Position());
    }
    StrengthChanged(frame->KoefTrackBar);
}

void TKelvoPerspectiveTool::ApplyStrength(double strength) {
    mapping_.Strength = strength;
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    if (!frame) return;
    const TFrameUpdate update = UpdatingFrame();
    frame->UniCBPerspKoef->SetChecked(strength != 1.0);
    if (strength != 1.0) frame->SetStrengthValue(int(strength * 100 + 0.5));
}

std::unique_ptr<TKelvoCorrectionCommandState> TKelvoPerspectiveTool::NewState(TKelvoGraphicsDocument& document,
                                                                              Byte kind) {
    auto state = std::make_unique<TKelvoPerspectiveCommandState>(*this, document, kind);
    if (kind == PendingGeometry && !mapping_.History.empty()) state->Records.push_back(mapping_.History.back());
    if (kind == PendingFinish) state->Records = mapping_.History;
    state->LimitsAfter = limits_;
    state->LimitsBefore = kind == PendingGeometry ? savedLimits_ : limits_;
    state->RefWidth = mapping_.RefWidth;
    state->RefHeight = mapping_.RefHeight;
    return state;
}

void TKelvoPerspectiveTool::UndoGeometry(TKelvoCorrectionCommandState& s) {
    auto& state = static_cast<TKelvoPerspectiveCommandState&>(s);
    if (!mapping_.History.empty()) mapping_.History.pop_back();
    limits_ = state.LimitsBefore;
    mapping_.RefWidth = state.RefWidth;
    mapping_.RefHeight = state.RefHeight;
    EvaluateReferenceRectangle();
}

void TKelvoPerspectiveTool::RedoGeometry(TKelvoCorrectionCommandState& s) {
    auto& state = static_cast<TKelvoPerspectiveCommandState&>(s);
    mapping_.History.insert(mapping_.History.end(), state.Records.begin(), state.Records.end());
    limits_ = state.LimitsAfter;
    mapping_.RefWidth = state.RefWidth;
    mapping_.RefHeight = state.RefHeight;
    EvaluateReferenceRectangle();
}

void TKelvoPerspectiveTool::RestoreFinishGeometry(TKelvoCorrectionCommandState& s, bool undo) {
    auto& state = static_cast<TKelvoPerspectiveCommandState&>(s);
    mapping_.History = state.Records;
    limits_ = undo ? state.LimitsBefore : state.LimitsAfter;
    savedLimits_ = limits_;
    mapping_.RefWidth = state.RefWidth;
    mapping_.RefHeight = state.RefHeight;
    EvaluateReferenceRectangle();
}

void TKelvoPerspectiveTool::ResetGeometry() {
    mapping_.Reset();
    limits_ = TConvergenceLimits{};
    savedLimits_ = limits_;
    ReadStrength();
}

void TKelvoPerspectiveTool::UpdateFrameState(const TCorrectionFrameState& state) {
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    frame->UniCBPerspKoef->SetEnabled(state.Controls);
    const bool strength = state.Controls && frame->UniCBPerspKoef->Checked();
    frame->sePerspKoef->SetEnabled(strength);
    frame->KoefTrackBar->SetEnabled(strength);
}

void TKelvoPerspectiveTool::LocalizeFrame() {
    PerspectiveFrame()->UniCBPerspKoef->SetCaption(GetText(KelvoTextStrength, u"Strength"));
}

void TKelvoPerspectiveTool::LoadState(TKelvoSDFReader& reader) {
    TKelvoCorrectionTool::LoadState(reader);
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    const TFrameUpdate update = UpdatingFrame();
    std::int32_t value = 0;
    bool flag = false;
    double number = 0;
    if (reader.ReadInteger(kItemCropType, value)) SetCropType(value);
    // The frame's settings have nowhere to go once the tool panel has freed the frame.
    if (frame) {
        if (reader.ReadInteger(kItemDistortionMode, value) && value >= DistortionNone && value <= DistortionAutomatic)
            frame->SetDistortionMode(value);
        if (reader.ReadInteger(kItemManualValue, value)) frame->SetManualValue(value);
        if (reader.ReadBool(kItemStrengthChecked, flag)) frame->UniCBPerspKoef->SetChecked(flag);
        if (reader.ReadInteger(kItemStrength, value)) frame->SetStrengthValue(value);
        if (reader.ReadBool(kItemReferenceChecked, flag)) frame->CBRefSize->SetChecked(flag);
        if (reader.ReadDouble(kItemReferenceWidth, number)) frame->EditWidth->SetText(FrameNumberText(number));
        if (reader.ReadDouble(kItemReferenceHeight, number)) frame->EditHeight->SetText(FrameNumberText(number));
    }
    ReadStrength();
    if (reader.ReadBool(kItemActive, flag) && flag) {
        if (TKelvoGraphicsEditor* editor = Editor()) editor->SetActiveTool(this);
    }
}

void TKelvoPerspectiveTool::SaveState(TKelvoSDFWriter& writer) {
    TKelvoCorrectionTool::SaveState(writer);
    TKelvoPerspectiveToolFrame* frame = PerspectiveFrame();
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(kItemCropType, mapping_.CropType);
    if (frame) {
        writer.WriteInteger(kItemDistortionMode, frame->DistortionMode());
        writer.WriteInteger(kItemManualValue, frame->ManualValue());
        writer.WriteBool(kItemStrengthChecked, frame->UniCBPerspKoef->Checked());
        writer.WriteInteger(kItemStrength, frame->StrengthValue());
    }
    TKelvoGraphicsEditor* editor = Editor();
    writer.WriteBool(kItemActive, editor && editor->ActiveTool() == this);
    if (frame) {
        writer.WriteBool(kItemReferenceChecked, frame->CBRefSize->Checked());
        writer.WriteDouble(kItemReferenceWidth, frame->ReferenceWidth());
        writer.WriteDouble(kItemReferenceHeight, frame->ReferenceHeight());
    }
    writer.EndNode();
}
