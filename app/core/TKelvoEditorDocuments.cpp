#include "app/core/TKelvoEditorDocuments.h"

#include <algorithm>
#include <exception>

#include "app/core/KelvoGraphicsRules.h"
#include "classlib/core/Format.h"

namespace {

struct EditorText {
    std::int32_t Id;
    const char16_t* Text;
};

// The English texts, used when the text source has none.
constexpr EditorText EditorTexts[] = {
    {KelvoTextUntitled, u"Untitled"},
    {KelvoTextAskSave, u"Save changes to %s?"},
    {KelvoTextAskOverwrite, u"%s already exists.\nDo you want to replace it?"},
    {KelvoTextPluginImage, u"the image"},
    {KelvoTextCannotOpen, u"Cannot open the file %s."},
    {KelvoTextCannotSavePlugin, u"The image could not be handed back to the host program."},
};

// A translated text whose specifiers do not fit one string argument must not lose the message.
std::u16string FormatWithName(const std::u16string& format, const std::u16string& name) {
    try {
        return WideFormat(format, {name});
    } catch (const Exception&) {
        return format + u" " + name;
    }
}

}  // namespace

TKelvoEditorDocuments::TKelvoEditorDocuments(IKelvoEditorUI& ui, TKelvoDocumentFormats& formats, TKelvoTextSource texts)
    : ui_(ui), formats_(formats), texts_(texts) {}

TKelvoEditorDocuments::~TKelvoEditorDocuments() {
    // The active (last) document goes first, as when the documents are closed one by one.
    while (!documents_.empty()) documents_.pop_back();
}

std::u16string TKelvoEditorDocuments::Text(std::int32_t id) const {
    std::u16string fallback;
    for (const EditorText& t : EditorTexts)
        if (t.Id == id) fallback = t.Text;
    return texts_ ? texts_(id, fallback) : fallback;
}

TKelvoDocument* TKelvoEditorDocuments::GetActiveDocument() const {
    return documents_.empty() ? nullptr : documents_.back().get();
}

TKelvoDocument* TKelvoEditorDocuments::GetDocument(std::int32_t index) const {
    if (index < 0 || index >= GetDocumentCount()) return nullptr;
    return documents_[std::size_t(index)].get();
}

bool TKelvoEditorDocuments::QueryCloseActive() {
    if (multiDocument_) return true;
    TKelvoDocument* active = GetActiveDocument();
    return !active || active->CloseQuery();
}

bool TKelvoEditorDocuments::PlaceView(TKelvoDocument& document) {
    // A document class without views (none are plugged in) is still a document.
    if (TKelvoDocumentView* view = document.GetView()) ui_.PlaceView(*view);
    return true;
}

bool TKelvoEditorDocuments::Open(const std::u16string& fileName, TKelvoDocument** document, bool addToRecent) {
    if (document) *document = nullptr;
    if (pluginMode_) return false;
    if (!QueryCloseActive()) return false;
    std::unique_ptr<TKelvoDocument> fresh = NewDocumentObject();
    bool loaded = false;
    try {
        loaded = fresh->LoadFromFile(fileName) && PlaceView(*fresh);
    } catch (const std::exception&) {
        // A format that raises has failed like one that answers false: the half-built document goes.
        loaded = false;
    }
    if (!loaded) {
        fresh.reset();
        ui_.ShowError(FormatWithName(Text(KelvoTextCannotOpen), fileName));
        return false;
    }
    TKelvoDocument& opened = *fresh;
    documents_.push_back(std::move(fresh));
    ActivateDocument(opened);
    opened.Opened();
    if (addToRecent && !pluginMode_) AddRecentFile(opened);
    if (document) *document = &opened;
    return true;
}

bool TKelvoEditorDocuments::OpenStartFile(const std::vector<std::u16string>& parameters) {
    if (parameters.empty() || parameters.front().empty() || !ui_.FileExists(parameters.front())) return false;
    return Open(parameters.front(), nullptr, true);
}

bool TKelvoEditorDocuments::OpenAcquired(const std::u16string& transferFile, TKelvoDocument** document) {
    TKelvoDocument* opened = nullptr;
    if (!Open(transferFile, &opened, false)) {
        if (document) *document = nullptr;
        return false;
    }
    opened->ForgetFile();
    UpdateCaption();
    if (document) *document = opened;
    return true;
}

bool TKelvoEditorDocuments::OpenRecent(std::int32_t index) {
    if (index < 0 || std::size_t(index) >= recent_.size()) return false;
    // A copy: opening reorders the list.
    const std::u16string name = recent_[std::size_t(index)];
    return Open(name, nullptr, true);
}

bool TKelvoEditorDocuments::NewDocument(TKelvoDocument** document) {
    if (document) *document = nullptr;
    if (pluginMode_) return false;
    if (!QueryCloseActive()) return false;
    std::unique_ptr<TKelvoDocument> fresh = NewDocumentObject();
    if (!PlaceView(*fresh)) return false;
    TKelvoDocument& made = *fresh;
    documents_.push_back(std::move(fresh));
    ActivateDocument(made);
    if (document) *document = &made;
    return true;
}

void TKelvoEditorDocuments::ActivateDocument(TKelvoDocument& document) {
    const auto found = std::find_if(documents_.begin(), documents_.end(),
                                    [&](const std::unique_ptr<TKelvoDocument>& d) { return d.get() == &document; });
    if (found != documents_.end()) std::rotate(found, found + 1, documents_.end());
    if (document.FormatId() == KelvoFormatExchange) SetPluginMode(true);
    UpdateCaption();
}

void TKelvoEditorDocuments::RemoveDocument(TKelvoDocument& document) {
    const auto found = std::find_if(documents_.begin(), documents_.end(),
                                    [&](const std::unique_ptr<TKelvoDocument>& d) { return d.get() == &document; });
    if (found == documents_.end()) return;
    // Out of the list before it goes, so that nothing it calls while it is freed finds it there.
    std::unique_ptr<TKelvoDocument> removed = std::move(*found);
    documents_.erase(found);
}

void TKelvoEditorDocuments::UpdateCaption() {
    const TKelvoDocument* active = GetActiveDocument();
    std::u16string caption = ui_.Title();
    if (!multiDocument_ && active && !pluginMode_) caption += u" - " + active->DisplayName();
    ui_.SetCaption(caption);
}

bool TKelvoEditorDocuments::SaveAs(TKelvoDocument* document) {
    if (!document) return false;
    if (pluginMode_) return WritePluginImage(*document);
    TKelvoSaveDialogRequest request;
    request.Formats = formats_.FileFormats().GetFormats();
    request.FileName = WithoutExtension(document->FileName());
    request.FilterIndex = std::max(IndexOfFileFormat(request.Formats, document->FormatId()), 0);
    if (!ui_.RunSaveDialog(request)) return false;
    if (request.FilterIndex < 0 || std::size_t(request.FilterIndex) >= request.Formats.size()) return false;
    const TKelvoFileFormat& format = request.Formats[std::size_t(request.FilterIndex)];
    const std::u16string name = SaveAsFileName(request.FileName, format.Extension);
    if (ui_.FileExists(name) && AskOverwrite(name) != KelvoIdYes) return false;
    return document->SaveToFile(name, format.Id);
}

int TKelvoEditorDocuments::AskSave(const std::u16string& displayName) {
    const std::u16string name = pluginMode_ ? Text(KelvoTextPluginImage) : displayName;
    return ui_.AskSave(FormatWithName(Text(KelvoTextAskSave), name));
}

int TKelvoEditorDocuments::AskOverwrite(const std::u16string& fileName) {
    return ui_.AskOverwrite(FormatWithName(Text(KelvoTextAskOverwrite), fileName));
}

bool TKelvoEditorDocuments::CloseQueryAll() {
    while (TKelvoDocument* last = GetActiveDocument())
        if (!last->CloseQuery()) return false;
    return true;
}

void TKelvoEditorDocuments::AddRecentFileName(const std::u16string& fileName) {
    ::AddRecentFileName(recent_, fileName);
    ui_.RecentFilesChanged(recent_);
}

void TKelvoEditorDocuments::LoadState(TKelvoSDFReader& reader) {
    LoadRecentFiles(reader, recent_);
    ui_.RecentFilesChanged(recent_);
}

void TKelvoEditorDocuments::SaveState(TKelvoSDFWriter& writer) const { SaveRecentFiles(writer, recent_); }

TKelvoCommandHistoryList* TKelvoEditorDocuments::GetHistory() const {
    TKelvoDocument* active = GetActiveDocument();
    return historyEnabled_ && active ? &active->History() : nullptr;
}

bool TKelvoEditorDocuments::CanUndo() const {
    const TKelvoCommandHistoryList* history = GetHistory();
    return history && history->CanUndo();
}

bool TKelvoEditorDocuments::CanRedo() const {
    const TKelvoCommandHistoryList* history = GetHistory();
    return history && history->CanRedo();
}

bool TKelvoEditorDocuments::Undo() { return CanUndo() && GetActiveDocument()->UndoStep(); }

bool TKelvoEditorDocuments::Redo() { return CanRedo() && GetActiveDocument()->RedoStep(); }

void TKelvoEditorDocuments::UndoCommand() {
    if (CanUndo()) Undo();
}

void TKelvoEditorDocuments::UndoAllCommand() {
    while (CanUndo()) Undo();
}

void TKelvoEditorDocuments::RedoCommand() {
    if (CanRedo()) Redo();
}

void TKelvoEditorDocuments::RedoAllCommand() {
    while (CanRedo()) Redo();
}

TKelvoEditorCommands TKelvoEditorDocuments::EnabledCommands() const {
    const TKelvoDocument* active = GetActiveDocument();
    TKelvoEditorCommands commands;
    commands.Save = active && !active->IsSaved();
    commands.SaveAs = active != nullptr;
    commands.Undo = CanUndo();
    commands.Redo = CanRedo();
    return commands;
}

bool TKelvoEditorDocuments::SaveActiveAs() {
    if (pluginMode_) return false;
    return SaveAs(GetActiveDocument());
}

bool TKelvoEditorDocuments::CloseCommand() {
    TKelvoDocument* active = GetActiveDocument();
    return active && active->CloseQuery();
}

void TKelvoEditorDocuments::SetPluginMode(bool value) {
    if (pluginMode_ || !value) return;
    pluginMode_ = true;
    ui_.SetExitCode(-1);
    ui_.PluginModeEntered();
    UpdateCaption();
}

bool TKelvoEditorDocuments::WritePluginImage(TKelvoDocument& document) {
    document.AbandonEdit();
    if (!document.Save()) {
        // The host would take whatever the file holds for the result: it is told only of a written one.
        ui_.ShowError(Text(KelvoTextCannotSavePlugin));
        return false;
    }
    ui_.SetExitCode(0);
    return true;
}

bool TKelvoEditorDocuments::PluginOk() {
    TKelvoDocument* active = GetActiveDocument();
    return pluginMode_ && active && WritePluginImage(*active);
}

void TKelvoEditorDocuments::PluginCancel() {
    TKelvoDocument* active = GetActiveDocument();
    if (!active) return;
    active->AbandonEdit();
    active->SetSaved(true);
}
