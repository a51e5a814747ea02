#include "tools/win/TKelvoCorrectionTool.h"

#include <memory>
#include <new>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoGraphicsEditorDocuments.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TMainForm.h"
#include "app/win/TProgressMeter.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/TPanel.h"
#include "classlib/win/TSpinEdit.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinStatusBar.h"
#include "themed/win/TSkinToolbar.h"
#include "tools/win/TKelvoProfileFile.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniRadioButton.h"
#include "unicode/win/TUniRadioGroup.h"
#include "tools/win/TUniMyTrackBar.h"

namespace {

// EXIF tags of the camera and the focal length.
constexpr std::int32_t kTagMake = 271;
constexpr std::int32_t kTagModel = 272;
constexpr std::int32_t kTagFocalLength = 37386;

constexpr char16_t kStepTooLarge[] = u"There is not enough memory to keep this change for undo.";

std::unique_ptr<TProgressMeter> sharedMeter;
int meterUsers = 0;

// The render's progress on the shared meter.
class TMeterProgress : public IKelvoProgress {
public:
    explicit TMeterProgress(TProgressMeter* meter) : meter_(meter) {}
    void Start(int max) override {
        if (meter_) meter_->Start(max);
    }
    void StepIt() override {
        if (meter_) meter_->StepIt();
    }

private:
    TProgressMeter* meter_;
};

AnsiString Decimal(long long value) { return AnsiString(std::to_string(value)); }

WideString PropertyText(TKelvoGraphicsDocument& document, std::int32_t tag) {
    const TKelvoPropertyItem* item = nullptr;
    if (!document.Properties().FindItem(tag, item) || !item) return WideString();
    return CameraText(AnsiString(item->Data.begin(), item->Data.end()));
}

TKelvoRect DesktopRect() {
    RECT r{};
    ::GetWindowRect(::GetDesktopWindow(), &r);
    return MakeRect(r.left, r.top, r.right, r.bottom);
}

}  // namespace

TKelvoCorrectionTool::TKelvoCorrectionTool(TComponent* owner) : TKelvoPanelTool(owner) {
    // The host's image is what the filter corrects.
    availableInPluginMode_ = true;
}

TKelvoCorrectionTool::~TKelvoCorrectionTool() {
    if (meterUsers > 0 && --meterUsers == 0) sharedMeter.reset();
}

TProgressMeter* TKelvoCorrectionTool::Progress() { return sharedMeter.get(); }

void TKelvoCorrectionTool::BuildToolParts(TKelvoCorrectionToolFrame* frame, const AnsiString& buttonImage,
                                          std::int32_t buttonText, const WideString& buttonFallback) {
    frame_ = frame;
    UseFrame(frame_);
    buttonText_ = buttonText;
    buttonFallback_ = buttonFallback;
    frame_->Arrange();
    for (TUniRadioButton* b : {frame_->trbDistorNo, frame_->trbDistorMan, frame_->trbDistorAuto})
        b->OnClick = MakeMethod<&TKelvoCorrectionTool::FrameDistortionClick>(this);
    frame_->trgCrop->OnClick = MakeMethod<&TKelvoCorrectionTool::FrameCropClick>(this);
    frame_->seDistorD3->OnExit = MakeMethod<&TKelvoCorrectionTool::FrameValueExit>(this);
    frame_->seDistorD3->OnKeyDown = MakeMethod<&TKelvoCorrectionTool::FrameValueKeyDown>(this);
    frame_->DistorTrackBar->OnChange = MakeMethod<&TKelvoCorrectionTool::FrameTrackChange>(this);
    frame_->CBRefSize->OnClick = MakeMethod<&TKelvoCorrectionTool::FrameRefSizeChange>(this);
    frame_->EditWidth->OnChange = MakeMethod<&TKelvoCorrectionTool::FrameRefSizeChange>(this);
    frame_->EditHeight->OnChange = MakeMethod<&TKelvoCorrectionTool::FrameRefSizeChange>(this);
    frame_->btFinish->OnClick = MakeMethod<&TKelvoCorrectionTool::FinishClick>(this);

    TKelvoGraphicsEditor* editor = Editor();
    if (editor && editor->MainForm()) {
        TMainForm& form = *editor->MainForm();
        if (TKelvoToolPanelModule* panel = ToolPanel(); panel && panel->Toolbar)
            AddButton(panel, buttonImage, GetText(buttonText, buttonFallback));
        FinishItem = form.AddToolButton<TSkinItem>(editor->StandardToolbar, form.GetImages(), nullptr,
                                                   GetText(KelvoTextFinish, u"Finish"), -1,
                                                   MakeMethod<&TKelvoCorrectionTool::FinishClick>(this));
        FinishItem->SetDisplayMode(nbdmTextOnly);
        FinishItem->SetStretch(true);
        FinishItem->SetVisible(false);
        FinishItem->FreeNotification(this);
        if (!sharedMeter && form.StatusBar) {
            sharedMeter = std::make_unique<TProgressMeter>(AddStatusProgressBar(form.StatusBar));
            sharedMeter->Start(0);
        }
    }
    if (sharedMeter) ++meterUsers;
    Mapping().CropType = CropKeepSize;
    Reset();
}

IKelvoProfileStore& TKelvoCorrectionTool::Store() {
    if (store_) return *store_;
    if (!programStore_) programStore_ = std::make_unique<TKelvoProfileFile>(ProgramLensProfileFileName());
    return *programStore_;
}

bool TKelvoCorrectionTool::InUndoStep() const {
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor) return false;
    auto* documents = dynamic_cast<TKelvoGraphicsEditorDocuments*>(&editor->Documents());
    return documents && documents->Undoing();
}

void TKelvoCorrectionTool::Reset() {
    clean_ = true;
    pendingKind_ = PendingNone;
    ResetGeometry();
}

void TKelvoCorrectionTool::EnsureSource(TKelvoGraphicsDocument& document) {
    if (sourceValid_ && sourceDocument_ == &document) return;
    const TKelvoPixels& pixels = document.GetPixels();
    source_.SetFormatAndBounds(pixels.Format(), pixels.GetBounds());
    source_.CopyFrom(pixels);
    sourceValid_ = true;
    sourceDocument_ = &document;
}

void TKelvoCorrectionTool::TakeResultAsSource(TKelvoGraphicsDocument& document) {
    sourceValid_ = false;
    EnsureSource(document);
    imageRect_ = document.GetImageRect();
    Mapping().LensApplied = true;
}

TCorrectionLensSettings TKelvoCorrectionTool::CurrentLens() const {
    TKelvoCorrectionMapping& m = const_cast<TKelvoCorrectionTool*>(this)->Mapping();
    TCorrectionLensSettings lens;
    lens.K = m.LensK;
    lens.Applied = m.LensApplied;
    lens.Strength = CurrentStrength();
    if (frame_) {
        lens.Mode = frame_->DistortionMode();
        lens.ManualValue = frame_->ManualValue();
    }
    return lens;
}

void TKelvoCorrectionTool::ApplyLens(const TCorrectionLensSettings& lens) {
    TKelvoCorrectionMapping& m = Mapping();
    m.LensK = lens.K;
    m.LensApplied = lens.Applied;
    m.LensOn = lens.K != 0;
    ApplyStrength(lens.Strength);
    if (!frame_) return;
    const TFrameUpdate update = UpdatingFrame();
    frame_->SetDistortionMode(lens.Mode);
    frame_->SetManualValue(lens.ManualValue);
}

void TKelvoCorrectionTool::Render(Byte quality) {
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor || !editor->CanToolEdit(this)) return;
    TKelvoGraphicsView* view = editor->GetActiveView();
    if (!view) return;
    TKelvoGraphicsDocument& document = view->Document();
    EnsureSource(document);
    TKelvoCorrectionMapping& m = Mapping();
    m.Quality = EffectiveRenderQuality(quality, imageRect_, DesktopRect());
    BeginEdit(*view);
    busy_ = true;
    UpdateState();
    {
        TScopeExit idle([this] { busy_ = false; });
        TMeterProgress progress(sharedMeter.get());
        const TKelvoRect area = RenderCorrection(m, source_, document.GetPixels(), imageRect_, &progress);
        document.SetImageRect(area);
        document.InvalidateImageRect(document.GetPixels().GetBounds());
    }
    EndEdit();
    clean_ = m.Quality != 0 || !m.IsActive();
    pendingKind_ = PendingNone;
    lensBefore_ = CurrentLens();
    UpdateState();
}

void TKelvoCorrectionTool::Finish() {
    RenderFinal();
    if (IKelvoDemoPlayback* recorder = Recorder())
        recorder->RecordCommand(ToolName() + "Resample", WideToAnsi(GetText(KelvoTextFinishHint, u"Finish")));
}

void TKelvoCorrectionTool::Promote() {
    TKelvoGraphicsEditor* editor = Editor();
    TKelvoGraphicsView* view = editor ? editor->GetActiveView() : nullptr;
    if (view && sourceValid_ && sourceDocument_ == &view->Document()) {
        if (!clean_) Finish();
        BeginEdit(*view);
        pendingKind_ = PendingFinish;
        EndEdit();
    }
    Reset();
}

bool TKelvoCorrectionTool::Commit() {
    TKelvoGraphicsDocument* document = EditedDocument();
    if (!document) return true;
    TKelvoCorrectionMapping& m = Mapping();
    auto* previous = dynamic_cast<TKelvoCorrectionCommandState*>(document->History().NextUndo());
    const bool previousIsLens = previous && &previous->CorrectionTool() == this && previous->Kind() == PendingLens;
    const TCorrectionCommit decision =
        DecideCorrectionCommit(pendingKind_, m.HasGeometry(), m.LensOn && !m.LensApplied, previousIsLens);
    try {
        if (decision == TCorrectionCommit::NewState) {
            std::unique_ptr<TKelvoCorrectionCommandState> state = NewState(*document, pendingKind_);
            state->Lens = CurrentLens();
            state->LensBefore = lensBefore_;
            state->ImageRect = imageRect_;
            state->ResultRect = document->GetImageRect();
            if (pendingKind_ == PendingFinish) state->Pixels.Pack(source_, source_.GetBounds());
            document->AddCommandState(std::move(state));
        } else if (decision == TCorrectionCommit::MergeLens) {
            previous->Lens = CurrentLens();
            document->History().DeleteRedoStates();
        }
    } catch (const EOutOfMemory&) {
        document->ShowError(kStepTooLarge);
        return false;
    } catch (const std::bad_alloc&) {
        document->ShowError(kStepTooLarge);
        return false;
    }
    if (decision == TCorrectionCommit::NewState && pendingKind_ == PendingFinish) TakeResultAsSource(*document);
    // Outside an edit the committed buffer mirrors what is shown.
    document->SyncCommitted();
    return true;
}

bool TKelvoCorrectionTool::UndoState(TKelvoCorrectionCommandState& state) {
    switch (state.Kind()) {
        case PendingGeometry: UndoGeometry(state); break;
        case PendingFinish: {
            RestoreFinishGeometry(state, true);
            TKelvoGraphicsDocument& document = state.Document();
            state.Pixels.Unpack(source_);
            sourceValid_ = true;
            sourceDocument_ = &document;
            if (TKelvoGraphicsEditor* editor = Editor(); editor && editor->ActiveTool() != this)
                editor->SetActiveTool(this);
            imageRect_ = state.ImageRect;
            ApplyLens(state.Lens);
            break;
        }
        case PendingLens: ApplyLens(state.LensBefore); break;
        default: return false;
    }
    pendingKind_ = PendingSuppress;
    Render(0);
    pendingKind_ = PendingNone;
    return true;
}

bool TKelvoCorrectionTool::RedoState(TKelvoCorrectionCommandState& state) {
    switch (state.Kind()) {
        case PendingGeometry: RedoGeometry(state); break;
        case PendingFinish: {
            TKelvoGraphicsDocument& document = state.Document();
            state.Pixels.Unpack(source_);
            sourceValid_ = true;
            sourceDocument_ = &document;
            imageRect_ = state.ImageRect;
            TCorrectionLensSettings lens = state.Lens;
            ApplyLens(lens);
            RestoreFinishGeometry(state, false);
            pendingKind_ = PendingSuppress;
            Render(2);
            pendingKind_ = PendingNone;
            TakeResultAsSource(document);
            Reset();
            return true;
        }
        case PendingLens: ApplyLens(state.Lens); break;
        default: return false;
    }
    pendingKind_ = PendingSuppress;
    Render(0);
    pendingKind_ = PendingNone;
    return true;
}

void TKelvoCorrectionTool::ReadLensK() {
    TKelvoCorrectionMapping& m = Mapping();
    m.LensApplied = false;
    m.LensK = frame_ ? LensCoefficient(frame_->DistortionMode(), frame_->ManualValue(), automatic_) : 0.0;
    m.LensOn = m.LensK != 0;
    pendingKind_ = PendingKindAfterLensChange(m.LensK);
}

void TKelvoCorrectionTool::LensChanged() {
    ReadLensK();
    TKelvoGraphicsEditor* editor = Editor();
    if (editor && editor->CanToolEdit(this)) Render(0);
}

TLensLearnResult TKelvoCorrectionTool::LearnLensProfile() {
    if (!frame_ || frame_->DistortionMode() != DistortionManual || !focalLength_) return TLensLearnResult::Skipped;
    const int value = frame_->ManualValue();
    const TLensLearnResult result = profile_.Learn(Store(), *focalLength_, value);
    if (result == TLensLearnResult::Skipped) return result;
    automatic_ = profile_.AutomaticValue(*focalLength_);
    frame_->sklKoef->SetCaption(WidenBytes(FormatSignificant(value)));
    return result;
}

void TKelvoCorrectionTool::UpdateLensFromDocument(TKelvoGraphicsDocument& document) {
    const WideString make = PropertyText(document, kTagMake);
    const WideString model = PropertyText(document, kTagModel);
    if (profile_.CameraChanged(make, model)) profile_.Load(Store(), make, model);
    focalLength_.reset();
    if (const TKelvoPropertyItem* item = nullptr; document.Properties().FindItem(kTagFocalLength, item) && item)
        focalLength_ = FocalLengthFromRational(item->Data.data(), item->Data.size());
    automatic_ = focalLength_ ? profile_.AutomaticValue(*focalLength_) : std::nullopt;
    if (frame_) {
        frame_->sklEquipMake->SetCaption(make);
        frame_->sklEquipModel->SetCaption(model);
        frame_->sklKoef->SetCaption(automatic_ ? WidenBytes(FormatSignificant(*automatic_)) : WideString());
        frame_->sklFocalLength->SetCaption(focalLength_ ? WidenBytes(FormatSignificant(*focalLength_)) : WideString());
        frame_->trbDistorAuto->SetEnabled(automatic_.has_value());
    }
    imageRect_ = document.GetImageRect();
    TKelvoCorrectionMapping& m = Mapping();
    m.LensApplied = false;
    m.LensOn = false;
    m.LensK = 0;
    if (!Active() || !frame_ || frame_->DistortionMode() == DistortionNone) return;
    // The lens preview a file opens with is how the tool shows it, not a change made to it: no undo step, and
    // the file still counts as saved. Finishing makes it one, as it does any preview.
    ReadLensK();
    TKelvoGraphicsEditor* editor = Editor();
    pendingKind_ = PendingSuppress;
    if (editor && editor->CanToolEdit(this)) Render(0);
    pendingKind_ = PendingNone;
}

void TKelvoCorrectionTool::SetCropType(int type) {
    if (type < CropKeepSize || type > CropStretchInscribed) return;
    Mapping().CropType = type;
    if (!frame_) return;
    const TFrameUpdate update = UpdatingFrame();
    frame_->SetCropType(type);
}

void TKelvoCorrectionTool::DocumentOpened(TKelvoGraphicsDocument& document) {
    TKelvoPanelTool::DocumentOpened(document);
    DropSource();
    Reset();
    UpdateLensFromDocument(document);
}

void TKelvoCorrectionTool::DocumentFreed(TKelvoGraphicsDocument& document) {
    TKelvoPanelTool::DocumentFreed(document);
    if (sourceDocument_ != &document) return;
    sourceDocument_ = nullptr;
    DropSource();
    Reset();
}

void TKelvoCorrectionTool::BeforeSave(TKelvoGraphicsDocument& document) {
    if (sourceDocument_ == &document && Active()) Promote();
}

void TKelvoCorrectionTool::StateApplied(TKelvoGraphicsDocument& document, IKelvoGraphicsTool* tool, const TKelvoRect&) {
    // Another tool's step changed the pixels this tool would correct.
    if (tool != this && &document == sourceDocument_ && !busy_) DropSource();
}

void TKelvoCorrectionTool::Activate() {
    TKelvoPanelTool::Activate();
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor) return;
    if (TKelvoGraphicsDocument* document = editor->GetActiveDocument()) imageRect_ = document->GetImageRect();
    TKelvoCorrectionMapping& m = Mapping();
    if (InUndoStep() || !frame_ || frame_->DistortionMode() == DistortionNone) return;
    if (pendingKind_ == PendingNone && !m.HasGeometry() && !m.LensApplied) LensChanged();
}

void TKelvoCorrectionTool::Deactivate() {
    TKelvoPanelTool::Deactivate();
    if (!InUndoStep()) Promote();
}

void TKelvoCorrectionTool::Localize() {
    TKelvoPanelTool::Localize();
    const WideString title = GetText(buttonText_, buttonFallback_);
    if (Button) {
        Button->SetCaption(title);
        Button->SetHint(title);
    }
    if (FinishItem) {
        FinishItem->SetCaption(GetText(KelvoTextFinish, u"Finish"));
        FinishItem->SetHint(GetText(KelvoTextFinishHint, u"Render the correction in full quality"));
    }
    if (!frame_) return;
    TKelvoCorrectionToolFrame& f = *frame_;
    f.TitleLabel->SetCaption(title);
    f.trgCrop->SetCaption(GetText(KelvoTextCropGroup, u"Crop"));
    const TFrameUpdate update = UpdatingFrame();
    const int crop = f.CropType();
    f.trgCrop->Items()->SetStrings(0, GetText(KelvoTextCropNone, u"None"));
    f.trgCrop->Items()->SetStrings(1, GetText(KelvoTextCropInscribed, u"Crop to the corrected area"));
    f.trgCrop->Items()->SetStrings(2, GetText(KelvoTextCropStretch, u"Stretch the corrected area"));
    f.SetCropType(crop);
    f.tgbDistor->SetCaption(GetText(KelvoTextDistortionGroup, u"Lens distortion"));
    f.trbDistorNo->SetCaption(GetText(KelvoTextCropNone, u"None"));
    f.trbDistorMan->SetCaption(GetText(KelvoTextManual, u"Manual"));
    f.trbDistorAuto->SetCaption(GetText(KelvoTextAutomatic, u"Automatic"));
    f.TGBRefRecSize->SetCaption(GetText(KelvoTextReferenceRectangle, u"Reference rectangle"));
    f.CBRefSize->SetCaption(GetText(KelvoTextReferenceRectangle, u"Reference rectangle"));
    f.LabelWidth->SetCaption(GetText(KelvoTextWidth, u"Width:"));
    f.LabelHeight->SetCaption(GetText(KelvoTextHeight, u"Height:"));
    f.btFinish->SetCaption(GetText(KelvoTextFinish, u"Finish"));
    f.btFinish->SetHint(GetText(KelvoTextFinishHint, u"Render the correction in full quality"));
    LocalizeFrame();
}

void TKelvoCorrectionTool::UpdateState() {
    TKelvoPanelTool::UpdateState();
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor) return;
    // The frame's controls follow the tool's work, not whether it is current: only the button.
    UpdateButton();
    const bool current = editor->ActiveTool() == this;
    if (FinishItem && current) FinishItem->SetEnabled(!busy_ && !clean_ && FinishPossible());
    if (!frame_) return;
    TKelvoCorrectionToolFrame& f = *frame_;
    TCorrectionFrameInput in;
    in.Busy = busy_;
    in.Clean = clean_;
    in.DistortionMode = f.DistortionMode();
    in.HasAutomatic = automatic_.has_value();
    in.FinishPossible = FinishPossible();
    const TCorrectionFrameState state = CorrectionFrameState(in);
    f.btFinish->SetEnabled(state.Finish);
    for (TControl* c :
         std::initializer_list<TControl*>{f.trgCrop, f.tgbDistor, f.trbDistorNo, f.trbDistorMan, f.CBRefSize})
        c->SetEnabled(state.Controls);
    f.trbDistorAuto->SetEnabled(state.Automatic);
    f.seDistorD3->SetEnabled(state.ManualValue);
    f.DistorTrackBar->SetEnabled(state.ManualValue);
    const bool reference = state.Controls && f.CBRefSize->Checked();
    for (TControl* c : std::initializer_list<TControl*>{f.EditWidth, f.EditHeight, f.LabelWidth, f.LabelHeight})
        c->SetEnabled(reference);
    UpdateFrameState(state);
}

void TKelvoCorrectionTool::RecordFrameCommand(const char* suffix, const AnsiString& value) {
    RecordChange(ToolName() + suffix, ToolName() + suffix + " " + value);
}

void TKelvoCorrectionTool::FrameDistortionClick(TObject* sender) {
    if (FrameUpdating() || !frame_) return;
    if (auto* button = dynamic_cast<TUniRadioButton*>(sender); button && !button->Checked()) return;
    const int mode = frame_->DistortionMode();
    static const char* const targets[] = {"DistTypeNo", "DistTypeMan", "DistTypeAuto"};
    RecordChange(ToolName() + targets[mode], ToolName() + "DistType " + Decimal(mode));
    LensChanged();
}

void TKelvoCorrectionTool::FrameCropClick(TObject*) {
    if (FrameUpdating() || !frame_) return;
    Mapping().CropType = frame_->CropType();
    RecordFrameCommand("CropType", Decimal(frame_->CropType()));
    TKelvoGraphicsEditor* editor = Editor();
    if (editor && editor->CanToolEdit(this)) Render(0);
}

void TKelvoCorrectionTool::ManualValueEntered() {
    if (FrameUpdating() || !frame_) return;
    const int value = frame_->ManualValue();
    if (value == frame_->DistorTrackBar->Position()) return;
    RecordFrameCommand("DistValue", Decimal(value));
    {
        const TFrameUpdate update = UpdatingFrame();
        frame_->DistorTrackBar->SetPosition(value);
    }
    LensChanged();
}

void TKelvoCorrectionTool::FrameValueExit(TObject*) { ManualValueEntered(); }

void TKelvoCorrectionTool::FrameValueKeyDown(TObject*, std::uint16_t& key, TShiftState) {
    if (key == VK_RETURN) ManualValueEntered();
}

void TKelvoCorrectionTool::FrameTrackChange(TObject*) {
    if (FrameUpdating() || !frame_) return;
    {
        const TFrameUpdate update = UpdatingFrame();
        frame_->seDistorD3->SetValue(frame_->DistorTrackBar->Position());
    }
    LensChanged();
}

void TKelvoCorrectionTool::FrameRefSizeChange(TObject*) {
    if (FrameUpdating()) return;
    ReferenceSizeChanged();
    UpdateState();
}

void TKelvoCorrectionTool::FinishClick(TObject*) {
    if (!busy_) Finish();
}

void TKelvoCorrectionTool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                              IKelvoDemoMacro& macro, const TKelvoProperties& params) {
    const AnsiString name = UpperCase(ToolName());
    double value = 0;
    const bool hasValue = DemoParamNumber(params, 0, value) && std::isfinite(value) && std::abs(value) < 1e9;
    if (command == name + "RESAMPLE") {
        FinishClick(nullptr);
        handled = true;
    } else if (command == name + "CROPTYPE") {
        SetCropType(hasValue ? int(value) : Mapping().CropType);
        TKelvoGraphicsEditor* editor = Editor();
        if (editor && editor->CanToolEdit(this)) Render(0);
        handled = true;
    } else if (command == name + "DISTTYPE" && frame_) {
        if (hasValue && value >= 0 && value <= 2) frame_->SetDistortionMode(int(value));
        handled = true;
    } else if (command == name + "DISTVALUE" && frame_) {
        {
            const TFrameUpdate update = UpdatingFrame();
            frame_->SetManualValue(hasValue ? int(value) : frame_->ManualValue());
        }
        LensChanged();
        handled = true;
    } else if (command == name + "FRECTSIZE" && frame_) {
        frame_->CBRefSize->SetChecked(hasValue ? value != 0 : frame_->CBRefSize->Checked());
        handled = true;
    } else if ((command == name + "RECTWIDTH" || command == name + "RECTHEIGHT") && frame_) {
        TUniEdit* edit = command == name + "RECTWIDTH" ? frame_->EditWidth : frame_->EditHeight;
        if (hasValue) edit->SetText(FrameNumberText(value));
        handled = true;
    } else {
        TKelvoPanelTool::ExecuteDemoCommand(playback, command, handled, macro, params);
    }
}

void TKelvoCorrectionTool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString target;
    if (!DemoParamText(params, 0, target)) return;
    target = UpperCase(target);
    const AnsiString name = UpperCase(ToolName());
    if (target == name) {
        found = ButtonCentre(point);
        return;
    }
    if (!frame_ || target.rfind(name, 0) != 0) return;
    const AnsiString suffix = target.substr(name.size());
    const std::pair<const char*, TControl*> targets[] = {
        {"RESAMPLE", frame_->btFinish},          {"CROPTYPE", frame_->trgCrop},
        {"DISTTYPENO", frame_->trbDistorNo},     {"DISTTYPEMAN", frame_->trbDistorMan},
        {"DISTTYPEAUTO", frame_->trbDistorAuto}, {"DISTVALUE", frame_->seDistorD3},
        {"FRECTSIZE", frame_->CBRefSize},        {"RECTWIDTH", frame_->EditWidth},
        {"RECTHEIGHT", frame_->EditHeight}};
    TControl* control = nullptr;
    for (const auto& [targetSuffix, c] : targets)
        if (suffix == targetSuffix) control = c;
    found = ControlCentre(control, point);
}

void TKelvoCorrectionTool::Notification(TComponent* component, TOperation operation) {
    TKelvoPanelTool::Notification(component, operation);
    if (operation == opRemove && component == FinishItem) FinishItem = nullptr;
}
