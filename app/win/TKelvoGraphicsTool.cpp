#include "app/win/TKelvoGraphicsTool.h"

#include <algorithm>

#include "classlib/win/TApplication.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsToolControl.h"
#include "app/win/TKelvoGraphicsView.h"
#include "classlib/core/StringUtils.h"

TKelvoGraphicsTool::TKelvoGraphicsTool(TComponent* owner) : TKelvoModuleWithControls(owner) {}

TKelvoGraphicsTool::~TKelvoGraphicsTool() {
    TKelvoGraphicsEditor* editor = Editor();
    if (editor && editor->ActiveTool() == this) editor->SetActiveTool(nullptr);
    for (TKelvoGraphicsToolControl* control : controls_) control->tool_ = nullptr;
}

TKelvoGraphicsEditor* TKelvoGraphicsTool::Editor() { return TKelvoGraphicsEditor::Instance(); }

std::vector<TKelvoGraphicsTool*> TKelvoGraphicsTool::AllTools() {
    std::vector<TKelvoGraphicsTool*> tools;
    if (!Application) return tools;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* tool = dynamic_cast<TKelvoGraphicsTool*>(Application->Components(i))) tools.push_back(tool);
    return tools;
}

TKelvoEditorToolSelection::TKelvoEditorToolSelection(TKelvoGraphicsEditor& editor) : editor_(editor) {}

void* TKelvoEditorToolSelection::CurrentTool() const { return editor_.ActiveTool(); }

void TKelvoEditorToolSelection::SetCurrentTool(void* tool) {
    editor_.SetActiveTool(static_cast<TKelvoGraphicsTool*>(tool));
}

void TKelvoGraphicsTool::Initialize() {
    TKelvoModuleWithControls::Initialize();
    if (namesRegistered_) return;
    namesRegistered_ = true;
    RegisterDemoNames();
}

void TKelvoGraphicsTool::ExecuteDemoCommand(IKelvoDemoPlayback&, const AnsiString& command, bool& handled,
                                            IKelvoDemoMacro&, const TKelvoProperties&) {
    if (toolName_.empty() || command != UpperCase(toolName_)) return;
    Select();
    handled = true;
}

void TKelvoGraphicsTool::AddControl(TKelvoGraphicsToolControl* control) { controls_.push_back(control); }

void TKelvoGraphicsTool::RemoveControl(TKelvoGraphicsToolControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

TKelvoGraphicsToolControl* TKelvoGraphicsTool::GetControl(int index) const {
    return index >= 0 && index < GetControlCount() ? controls_[std::size_t(index)] : nullptr;
}

void TKelvoGraphicsTool::ViewCreated(TKelvoGraphicsView& view) {
    if (controlClass_) controlClass_(*this, view);
}

void TKelvoGraphicsTool::BeginEdit(TKelvoGraphicsView& view) {
    TKelvoGraphicsDocument& document = view.Document();
    document.BeginEditing(this);
    editedView_ = &view;
    editedDocument_ = &document;
    committed_ = &document.Committed();
    current_ = &document.GetPixels();
    original_ = &document.GetOriginalPixels();
}

bool TKelvoGraphicsTool::Commit() { return !editedDocument_ || editedDocument_->CommitEdit(this); }

void TKelvoGraphicsTool::EndEdit() {
    if (!editedDocument_) return;
    TKelvoGraphicsDocument& document = *editedDocument_;
    const bool open = document.Editing() && document.EditingTool() == this;
    if (!Commit()) {
        // The change cannot be undone: it is not kept either.
        Revert();
        if (open) document.ClearEditing();
    } else if (open) {
        document.EndEditing(this);
    }
    Unbind();
}

void TKelvoGraphicsTool::CancelEdit() {
    if (!editedDocument_ || !editedDocument_->Editing()) return;
    Revert();
    editedDocument_->ClearEditing();
    Unbind();
}

void TKelvoGraphicsTool::Revert() {
    TKelvoGraphicsDocument& document = *editedDocument_;
    TKelvoPixels& current = document.GetPixels();
    if (document.Committed().GetBounds() == current.GetBounds() && document.Committed().Format() == current.Format()) {
        current.CopyFrom(document.Committed());
        document.InvalidateImageRect(current.GetBounds());
    } else if (document.Working().Assign(document.Committed())) {
        if (TKelvoDocumentView* view = document.FindView()) view->ImageChanged();
    }
}

void TKelvoGraphicsTool::Unbind() {
    editedView_ = nullptr;
    editedDocument_ = nullptr;
    committed_ = nullptr;
    current_ = nullptr;
    original_ = nullptr;
}

void TKelvoGraphicsTool::DocumentOpened(TKelvoGraphicsDocument& document) {
    if (document.Editor().PluginMode()) SetEnabled(availableInPluginMode_);
}

void TKelvoGraphicsTool::DocumentFreed(TKelvoGraphicsDocument& document) {
    if (editedDocument_ == &document) Unbind();
}

void TKelvoGraphicsTool::AddDirtyRect(const TKelvoRect& rect, bool replace) {
    if (editedDocument_) editedDocument_->AddDirtyRect(rect, replace);
}

void TKelvoGraphicsTool::Select() {
    if (TKelvoGraphicsEditor* editor = Editor()) editor->SetActiveTool(this);
    if (recorder_) recorder_->RecordCommand(toolName_, toolName_);
}

void TKelvoGraphicsTool::Activate() {
    // A copy: a control may leave the list while it is shown.
    for (TKelvoGraphicsToolControl* control : std::vector<TKelvoGraphicsToolControl*>(controls_)) control->Show();
    active_ = true;
}

void TKelvoGraphicsTool::Deactivate() {
    for (TKelvoGraphicsToolControl* control : std::vector<TKelvoGraphicsToolControl*>(controls_)) control->Hide();
    active_ = false;
}
