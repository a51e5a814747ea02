#include "app/core/TKelvoDocument.h"

#include <algorithm>

#include "app/core/KelvoDocumentRules.h"
#include "app/core/TKelvoEditorDocuments.h"

TKelvoDocument::TKelvoDocument(TKelvoEditorDocuments& editor) : editor_(editor) {}

TKelvoDocument::~TKelvoDocument() = default;

std::u16string TKelvoDocument::DisplayName() const {
    return DocumentDisplayName(fileName_, editor_.Text(KelvoTextUntitled));
}

void TKelvoDocument::AddObserver(IKelvoDocumentObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void TKelvoDocument::RemoveObserver(IKelvoDocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

TKelvoDocumentView* TKelvoDocument::GetView() {
    if (!view_) view_ = CreateView();
    return view_.get();
}

void TKelvoDocument::AddCommandState(std::unique_ptr<TKelvoCommandState> state) {
    if (!state) return;
    if (savedPosition_ > history_.Position()) savedPosition_ = -1;
    history_.Add(std::move(state));
}

bool TKelvoDocument::UndoStep() {
    const bool result = history_.Undo();
    UpdateSavedFromHistory();
    return result;
}

bool TKelvoDocument::RedoStep() {
    const bool result = history_.Redo();
    UpdateSavedFromHistory();
    return result;
}

void TKelvoDocument::Changed() {
    for (auto it = observers_.rbegin(); it != observers_.rend(); ++it) (*it)->DocumentChanged(*this);
    saved_ = false;
    // A change outside the history: no position of it matches the file any more.
    savedPosition_ = -1;
}

void TKelvoDocument::MarkSavedHere() {
    saved_ = true;
    savedPosition_ = history_.Position();
}

bool TKelvoDocument::LoadFromFile(const std::u16string& fileName) {
    std::int32_t formatId = formatId_;
    if (!editor_.Formats().Load(*this, fileName, formatId)) return false;
    fileName_ = fileName;
    formatId_ = formatId;
    Changed();
    MarkSavedHere();
    return true;
}

bool TKelvoDocument::SaveToFile(const std::u16string& fileName, std::int32_t formatId) {
    if (!editor_.Formats().Save(*this, fileName, formatId)) return false;
    MarkSavedHere();
    fileName_ = fileName;
    formatId_ = formatId;
    editor_.UpdateCaption();
    return true;
}

void TKelvoDocument::ForgetFile() {
    fileName_.clear();
    saved_ = false;
    savedPosition_ = -1;
}

bool TKelvoDocument::Save() { return !fileName_.empty() && SaveToFile(fileName_, formatId_); }

bool TKelvoDocument::CloseQuery() {
    Closing();
    bool result = true;
    if (!noPrompt_ && !saved_ && editor_.AskToSave()) {
        const int answer = editor_.AskSave(DisplayName());
        result = answer == KelvoIdYes ? editor_.SaveAs(this) : answer == KelvoIdNo;
    }
    if (!result) return false;
    for (auto it = observers_.rbegin(); it != observers_.rend(); ++it) (*it)->DocumentClosed(*this);
    TKelvoEditorDocuments& editor = editor_;
    editor.RemoveDocument(*this);  // frees this document
    editor.UpdateCaption();
    return true;
}
