// The shared part of the two correction tools (the perspective tool and the four-point tool): the tool
// button and the options frame, the lens distortion (manual value, the value learned for the photo's camera
// and focal length, Alt+F2 learning), the crop type, the renders (previews while editing, the bicubic
// Finish with the progress bar), the promotion of the correction into the image when another tool is
// chosen or the image is saved, the three kinds of undo step, and the demonstration names.
//
// A correction is rendered from the tool's source pixels (the image as it was before the correction) into
// the document's pixels; a step of kind 1 or 3 is undone by rendering again, not by pasting pixels. Every
// render ends its edit with the document's committed buffer equal to the shown pixels, so other tools'
// steps always snapshot what the user sees.
//
// What a derived tool supplies: its mapping, its geometry in undo steps (NewState, UndoGeometry,
// RedoGeometry, RestoreFinishGeometry), ResetGeometry, and optionally RenderFinal and FinishPossible. It
// calls BuildToolParts from its constructor once its frame exists.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "app/core/TKelvoPixelBuffer.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "tools/core/CorrectionRules.h"
#include "tools/core/TKelvoCorrectionMapping.h"
#include "tools/core/TKelvoLensProfile.h"
#include "tools/win/TKelvoCorrectionCommandState.h"
#include "tools/win/TKelvoCorrectionToolFrame.h"

class TProgressMeter;
class TSkinItem;

class TKelvoCorrectionTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoCorrectionTool, TKelvoGraphicsTool)

    explicit TKelvoCorrectionTool(TComponent* owner);
    ~TKelvoCorrectionTool() override;

    // Suffixes of the demonstration names after the tool name.
    static constexpr const char* DemoResample = "RESAMPLE";

    bool Busy() const { return busy_; }
    // Nothing pending that Finish would improve.
    bool Clean() const { return clean_; }
    Byte PendingKind() const { return pendingKind_; }
    void SetPendingKind(Byte kind) { pendingKind_ = kind; }
    // The document's image area as the tool took it (activation, opening, promotion).
    const TKelvoRect& ImageRect() const { return imageRect_; }
    // The pixels the correction is rendered from.
    const TKelvoPixelBuffer& SourcePixels() const { return source_; }
    TKelvoCorrectionToolFrame* Frame() const { return frame_; }
    const TKelvoLensProfile& LensProfile() const { return profile_; }
    std::optional<double> FocalLength() const { return focalLength_; }
    std::optional<double> AutomaticValue() const { return automatic_; }
    // The progress meter both tools share (the bar in the status bar's last panel); null without a main window.
    static TProgressMeter* Progress();

    virtual TKelvoCorrectionMapping& Mapping() = 0;

    // Renders the correction into the active document: quality 0 is a preview (bicubic unless the image
    // is large), 2 the full quality. Nothing unless the editor lets this tool edit.
    void Render(Byte quality);
    // The full-quality render (RenderFinal), recorded while a demonstration records.
    void Finish();
    // Finish when not clean, then the correction becomes part of the image as one undo step and the tool
    // starts again from the result.
    void Promote();
    // k from the frame's distortion mode and value; a non-zero k makes the next step a distortion step.
    void ReadLensK();
    // Reads k and renders a preview, when the editor lets this tool edit.
    void LensChanged();
    // Alt+F2: the manual value is kept for the photo's camera and focal length in the lens profile file.
    TLensLearnResult LearnLensProfile();
    // The photo's camera and focal length, the automatic value, and a preview when a distortion is chosen.
    void UpdateLensFromDocument(TKelvoGraphicsDocument& document);
    // The crop type of the renders (the frame's radio group follows).
    void SetCropType(int type);
    // The lens profile file the tool reads and learns into (the program's ".dis" file unless set).
    void SetProfileStore(IKelvoProfileStore* store) { store_ = store; }

    // The tool's steps.
    bool Commit() override;
    virtual bool UndoState(TKelvoCorrectionCommandState& state);
    virtual bool RedoState(TKelvoCorrectionCommandState& state);

    void DocumentOpened(TKelvoGraphicsDocument& document) override;
    void DocumentFreed(TKelvoGraphicsDocument& document) override;
    void BeforeSave(TKelvoGraphicsDocument& document) override;
    void StateApplied(TKelvoGraphicsDocument& document, IKelvoGraphicsTool* tool, const TKelvoRect& rect) override;
    void Activate() override;
    void Deactivate() override;
    void Localize() override;
    void UpdateState() override;
    // TOOLNAME + "RESAMPLE" runs Finish; TOOLNAME + "CROPTYPE", "DISTTYPE", "DISTVALUE", "FRECTSIZE",
    // "RECTWIDTH" and "RECTHEIGHT" set the frame's controls; then the inherited handling.
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    // TOOLNAME (the tool button), + "RESAMPLE", "CROPTYPE", "DISTTYPENO", "DISTTYPEMAN", "DISTTYPEAUTO",
    // "DISTVALUE", "FRECTSIZE", "RECTWIDTH", "RECTHEIGHT": the centres of those controls.
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TSkinItem* ToolButton = nullptr;
    // Hidden, in the standard toolbar: runs Finish (the demonstrations click it).
    TSkinItem* FinishItem = nullptr;

protected:
    // Called by the derived constructor after setting the tool name: the tool button (bitmap resource
    // buttonImage, caption and hint text buttonText), the Finish item, the frame's events and the progress
    // meter. frame is the derived tool's frame (built, not yet arranged).
    void BuildToolParts(TKelvoCorrectionToolFrame* frame, const AnsiString& buttonImage, std::int32_t buttonText,
                        const WideString& buttonFallback);
    // A frame of class T in the tool panel (owned by the tool when the program has no tool panel).
    template <class T>
    T* MakeFrame();

    // The step of kind with the derived tool's geometry filled in; the base fills the lens settings and,
    // for kind 2, the pixels.
    virtual std::unique_ptr<TKelvoCorrectionCommandState> NewState(TKelvoGraphicsDocument& document, Byte kind) = 0;
    // The newest step of kind 3 of this tool takes the current settings (the merge of distortion steps).
    virtual void UndoGeometry(TKelvoCorrectionCommandState& state) = 0;
    virtual void RedoGeometry(TKelvoCorrectionCommandState& state) = 0;
    // Kind 2: undo brings the whole geometry back, redo the geometry after the step (then reset).
    virtual void RestoreFinishGeometry(TKelvoCorrectionCommandState& state, bool undo) = 0;
    // Forgets the geometry (records, limits, corners) and its pre-scales.
    virtual void ResetGeometry() = 0;
    // The render of Finish.
    virtual void RenderFinal() { Render(2); }
    // Whether Finish has anything to render (the Finish button's extra condition).
    virtual bool FinishPossible() const { return true; }
    // The strength of the correction (perspective tool: from the frame), kept in steps.
    virtual double CurrentStrength() const { return 1.0; }
    virtual void ApplyStrength(double strength) {}
    // Tool-specific enabling of the frame, after the shared one.
    virtual void UpdateFrameState(const TCorrectionFrameState& state) {}
    // Tool-specific captions of the frame, after the shared ones.
    virtual void LocalizeFrame() {}
    // The reference rectangle's check box or one of its sizes changed.
    virtual void ReferenceSizeChanged() {}

    // Clean := true, pending := none, geometry reset.
    void Reset();
    // The source pixels: taken from the document's pixels when they were not taken yet for it.
    void EnsureSource(TKelvoGraphicsDocument& document);
    // The next render starts from the document's pixels as they are then.
    void DropSource() { sourceValid_ = false; }
    // The editor's undo or redo is running a step.
    bool InUndoStep() const;
    // Records a frame command ("<tool name><suffix> <value>") while a demonstration records.
    void RecordFrameCommand(const char* suffix, const AnsiString& value);
    TCorrectionLensSettings CurrentLens() const;
    // k, the strength, the applied flag, the mode and the manual value; the lens on when k != 0 and not
    // applied.
    void ApplyLens(const TCorrectionLensSettings& lens);
    bool FrameUpdating() const { return updating_ > 0; }
    // While one lives the frame's events do nothing: the program sets the controls.
    class TFrameUpdate {
    public:
        explicit TFrameUpdate(int& count) : count_(count) { ++count_; }
        TFrameUpdate(const TFrameUpdate&) = delete;
        TFrameUpdate& operator=(const TFrameUpdate&) = delete;
        ~TFrameUpdate() { --count_; }

    private:
        int& count_;
    };
    [[nodiscard]] TFrameUpdate UpdatingFrame() { return TFrameUpdate(updating_); }

    std::int32_t buttonText_ = 0;
    WideString buttonFallback_;

private:
    static TKelvoToolPanelModule* FindToolPanel();
    void FrameDistortionClick(TObject* sender);
    void FrameCropClick(TObject* sender);
    void FrameValueExit(TObject* sender);
    void FrameValueKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);
    void FrameTrackChange(TObject* sender);
    void FrameRefSizeChange(TObject* sender);
    void FinishClick(TObject* sender);
    void ToolButtonClick(TObject* sender);
    void ManualValueEntered();
    // The undo kind 2's promotion: the pixels now shown become the source.
    void TakeResultAsSource(TKelvoGraphicsDocument& document);
    IKelvoProfileStore& Store();

    TKelvoCorrectionToolFrame* frame_ = nullptr;
    TKelvoPixelBuffer source_;
    bool sourceValid_ = false;
    TKelvoGraphicsDocument* sourceDocument_ = nullptr;
    TKelvoRect imageRect_;
    bool busy_ = false;
    bool clean_ = true;
    Byte pendingKind_ = PendingNone;
    int updating_ = 0;
    TKelvoLensProfile profile_;
    std::optional<double> focalLength_;
    std::optional<double> automatic_;
    IKelvoProfileStore* store_ = nullptr;
    std::unique_ptr<IKelvoProfileStore> programStore_;
    TCorrectionLensSettings lensBefore_;
};

template <class T>
T* TKelvoCorrectionTool::MakeFrame() {
    TKelvoCorrectionToolFrame::RegisterBuilder();
    T::RegisterBuilder();
    if (TKelvoToolPanelModule* panel = FindToolPanel()) return panel->AddToolFrame<T>();
    return MakeObject<T>(this).release();
}
