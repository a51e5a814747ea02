// The contract of every image tool: a module that hears the documents' and the editor's broadcasts, puts one
// control on every view (when it has a control class), opens an edit on the active document and turns each
// finished edit into an undo step holding the changed rectangle before and after.
//
// An edit binds the tool to a view, its document and the document's three pixel sets (original, committed,
// current); the binding ends with EndEdit or CancelEdit, or when the document goes away while the edit is open.
// A step whose snapshots cannot be had (no memory for them) is not made: the edit is cancelled, so the document
// keeps the pixels its history can restore, and the user is told.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "app/core/IKelvoDemoParticipant.h"
#include "app/core/KelvoToolRules.h"
#include "app/core/TKelvoGraphicsDocument.h"
#include "app/win/TKelvoModuleWithControls.h"

class TKelvoGraphicsEditor;
class TKelvoGraphicsToolControl;
class TKelvoGraphicsView;

class TKelvoGraphicsTool : public TKelvoModuleWithControls, public IKelvoGraphicsTool, public IKelvoDemoParticipant {
    CLASSLIB_COMPONENT(TKelvoGraphicsTool, TKelvoModuleWithControls)

    // Makes the tool's control for one view (see TKelvoGraphicsToolControl::Create).
    using TControlClass = std::function<TKelvoGraphicsToolControl*(TKelvoGraphicsTool&, TKelvoGraphicsView&)>;

    explicit TKelvoGraphicsTool(TComponent* owner);
    // The controls that outlive the tool forget it.
    ~TKelvoGraphicsTool() override;

    // The program's graphics editor, or null while there is none.
    static TKelvoGraphicsEditor* Editor();
    // Every graphics tool of the application, in component (creation) order.
    static std::vector<TKelvoGraphicsTool*> AllTools();

    const AnsiString& ToolName() const { return toolName_; }
    bool Active() const { return active_; }
    bool Enabled() const { return enabled_; }
    bool AvailableInPluginMode() const { return availableInPluginMode_; }
    bool Exclusive() const { return exclusive_; }
    IKelvoDemoPlayback* Recorder() const { return recorder_; }

    // The edit binding; all null outside an edit.
    TKelvoGraphicsView* EditedView() const { return editedView_; }
    TKelvoGraphicsDocument* EditedDocument() const { return editedDocument_; }
    TKelvoPixels* OriginalPixels() const { return original_; }
    TKelvoPixelBuffer* CommittedBuffer() const { return committed_; }
    TKelvoPixels* CurrentPixels() const { return current_; }

    // IKelvoDemoParticipant: the upper-cased tool name selects the tool.
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override {}
    void SetRecorder(IKelvoDemoPlayback* playback) override { recorder_ = playback; }
    void ClearRecorder() override { recorder_ = nullptr; }

    virtual void AddControl(TKelvoGraphicsToolControl* control);
    virtual void RemoveControl(TKelvoGraphicsToolControl* control);
    // A control of the control class on the new view.
    virtual void ViewCreated(TKelvoGraphicsView& view);
    // The open edit's changes become an undo step; false when they could not be kept (reported).
    virtual bool Commit();
    // Opens an edit on the view's document (another tool's edit there is finished first) and binds it.
    virtual void BeginEdit(TKelvoGraphicsView& view);
    // Commits and closes the edit; a step that cannot be kept cancels the edit instead.
    void EndEdit() override;
    // The committed pixels come back over the current ones; the edit ends without a step.
    virtual void CancelEdit();
    // In plug-in mode the tool is enabled only when it is available there.
    void DocumentOpened(TKelvoGraphicsDocument& document) override;
    void DocumentFreed(TKelvoGraphicsDocument& document) override;
    // Called once, after the tool is made.
    virtual void RegisterDemoNames() {}
    virtual void SetEnabled(bool value) { enabled_ = value; }
    // The editor's SetActiveTool; recorded while a demonstration records.
    virtual void Select();
    // Show (Hide) every control.
    virtual void Activate();
    virtual void Deactivate();

    int GetControlCount() const { return int(controls_.size()); }
    TKelvoGraphicsToolControl* GetControl(int index) const;
    // The edited document's dirty rectangle.
    void AddDirtyRect(const TKelvoRect& rect, bool replace);

    void Initialize() override;

protected:
    AnsiString toolName_;
    TControlClass controlClass_;
    bool availableInPluginMode_ = false;
    bool exclusive_ = false;

private:
    void Unbind();
    // The committed pixels (and bounds) back over the current ones.
    void Revert();

    TKelvoGraphicsView* editedView_ = nullptr;
    TKelvoGraphicsDocument* editedDocument_ = nullptr;
    TKelvoPixels* original_ = nullptr;
    TKelvoPixelBuffer* committed_ = nullptr;
    TKelvoPixels* current_ = nullptr;
    IKelvoDemoPlayback* recorder_ = nullptr;
    std::vector<TKelvoGraphicsToolControl*> controls_;  // not owned: the views own their controls
    bool active_ = false;
    bool enabled_ = true;
    bool namesRegistered_ = false;
};

// The editor's current tool as a tool that takes over for a while sees it.
class TKelvoEditorToolSelection : public IKelvoToolSelection {
public:
    explicit TKelvoEditorToolSelection(TKelvoGraphicsEditor& editor);
    void* CurrentTool() const override;
    void SetCurrentTool(void* tool) override;

private:
    TKelvoGraphicsEditor& editor_;
};
