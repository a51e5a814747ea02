#include "app/win/TKelvoEditor.h"

#include "app/core/KelvoDocumentRules.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoApplication.h"
#include "app/win/TKelvoOpenDialog.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/WideChars.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "unicode/win/WideFiles.h"

#include <shellapi.h>

namespace {

constexpr TShortCut kCtrlO = ShortCut('O', {ssCtrl});
constexpr TShortCut kCtrlS = ShortCut('S', {ssCtrl});
constexpr TShortCut kCtrlZ = ShortCut('Z', {ssCtrl});
constexpr TShortCut kCtrlY = ShortCut('Y', {ssCtrl});
constexpr std::int32_t kImageOpen = 1;
constexpr std::int32_t kImageSave = 2;
constexpr std::int32_t kImageUndo = 8;
constexpr std::int32_t kImageRedo = 9;

std::u16string Text(std::int32_t id, const char16_t* fallback) { return GetText(id, fallback); }

// The program's first command-line argument, in full Unicode; empty without one.
std::vector<std::u16string> CommandLineArguments() {
    std::vector<std::u16string> arguments;
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!list) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(FromWideChars(list[i]));
    ::LocalFree(list);
    return arguments;
}

}  // namespace

TKelvoEditor::TKelvoEditor(TComponent* owner, TMainForm* mainForm)
    : TKelvoModuleWithControls(owner), mainForm_(mainForm) {
    TMainForm& form = *mainForm_;
    TSkinSubmenuItem* file = form.FileMenuItem;
    OpenMenuItem = form.AddMenuItem(Text(KelvoTextOpen, u"Open") + u"...", kCtrlO, form.FileMenuSeparator, file,
                                    kImageOpen, MakeMethod<&TKelvoEditor::OpenCommand>(this));
    // Save is kept hidden: Save As is the one saving command the user sees.
    SaveMenuItem = form.AddMenuItem(Text(KelvoTextSaveAs, u"Save As"), 0, form.FileMenuSeparator, file, kImageSave,
                                    MakeMethod<&TKelvoEditor::SaveAsCommand>(this));
    SaveMenuItem->SetVisible(false);
    SaveAsMenuItem = form.AddMenuItem(Text(KelvoTextSaveAs, u"Save As") + u"...", kCtrlS, form.FileMenuSeparator, file,
                                      kImageSave, MakeMethod<&TKelvoEditor::SaveAsCommand>(this));
    CloseMenuItem = form.AddMenuItem(Text(KelvoTextClose, u"Close"), 0, form.FileMenuSeparator, file, -1,
                                     MakeMethod<&TKelvoEditor::CloseCommand>(this));
    RecentFilesSeparator = form.AddSeparator(file, form.ExitMenuItem);

    StandardToolbar = form.AddToolbar(Text(KelvoTextStandardToolbar, u"Standard"));
    OpenButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, Text(KelvoTextOpen, u"Open"),
                                               kImageOpen, MakeMethod<&TKelvoEditor::OpenCommand>(this));
    SaveButton =
        form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, Text(KelvoTextSaveAs, u"Save As"),
                                      kImageSave, MakeMethod<&TKelvoEditor::SaveAsCommand>(this));

    EditMenuItem = form.AddSubmenu(Text(KelvoTextEdit, u"&Edit"), nullptr, form.ViewMenuItem);
    UndoMenuItem = form.AddMenuItem(Text(KelvoTextUndo, u"Undo"), kCtrlZ, nullptr, EditMenuItem, kImageUndo,
                                    MakeMethod<&TKelvoEditor::UndoCommand>(this));
    UndoAllMenuItem = form.AddMenuItem(Text(KelvoTextUndoAll, u"Undo All"), 0, nullptr, EditMenuItem, -1,
                                       MakeMethod<&TKelvoEditor::UndoAllCommand>(this));
    RedoMenuItem = form.AddMenuItem(Text(KelvoTextRedo, u"Redo"), kCtrlY, nullptr, EditMenuItem, kImageRedo,
                                    MakeMethod<&TKelvoEditor::RedoCommand>(this));
    RedoAllMenuItem = form.AddMenuItem(Text(KelvoTextRedoAll, u"Redo All"), 0, nullptr, EditMenuItem, -1,
                                       MakeMethod<&TKelvoEditor::RedoAllCommand>(this));
    EditToolbarSeparator = form.AddSeparator(StandardToolbar->Items(), nullptr);
    UndoButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, Text(KelvoTextUndo, u"Undo"),
                                               kImageUndo, MakeMethod<&TKelvoEditor::UndoCommand>(this));
    RedoButton = form.AddToolButton<TSkinItem>(StandardToolbar, form.GetImages(), nullptr, Text(KelvoTextRedo, u"Redo"),
                                               kImageRedo, MakeMethod<&TKelvoEditor::RedoCommand>(this));

    form.FreeNotification(this);
    form.OnCloseQuery = MakeMethod<&TKelvoEditor::MainFormCloseQuery>(this);
    KelvoApplication->OnTitleChange = MakeMethod<&TKelvoEditor::TitleChanged>(this);
}

TKelvoEditor::~TKelvoEditor() {
    if (mainForm_) {
        mainForm_->OnCloseQuery = nullptr;
        mainForm_->RemoveFreeNotification(this);
        if (KelvoApplication) KelvoApplication->OnTitleChange = nullptr;
    }
}

void TKelvoEditor::Notification(TComponent* component, TOperation operation) {
    TKelvoModuleWithControls::Notification(component, operation);
    if (operation != opRemove || component != mainForm_) return;
    mainForm_ = nullptr;
    RecentFileItems.clear();
    if (KelvoApplication) KelvoApplication->OnTitleChange = nullptr;
}

void TKelvoEditor::SetDocuments(std::unique_ptr<TKelvoEditorDocuments> documents) {
    documents_ = std::move(documents);
    documents_->UpdateCaption();
}

bool TKelvoEditor::OpenDialog() {
    TObjectPtr<TKelvoOpenDialog> dialog = MakeObject<TKelvoOpenDialog>(nullptr, documents_->Formats().FileFormats());
    const bool chosen = dialog->Execute(mainForm_->Handle());
    Application->ProcessMessages();
    return chosen && documents_->Open(dialog->FileName(), nullptr, true);
}

void TKelvoEditor::OpenCommand(TObject*) {
    if (!documents_->PluginMode()) OpenDialog();
}

void TKelvoEditor::SaveAsCommand(TObject*) { documents_->SaveActiveAs(); }
void TKelvoEditor::CloseCommand(TObject*) { documents_->CloseCommand(); }
void TKelvoEditor::UndoCommand(TObject*) {
    if (Recorder) Recorder->RecordCommand("Undo", "Undo");
    documents_->UndoCommand();
}
void TKelvoEditor::UndoAllCommand(TObject*) { documents_->UndoAllCommand(); }
void TKelvoEditor::RedoCommand(TObject*) {
    if (Recorder) Recorder->RecordCommand("Redo", "Redo");
    documents_->RedoCommand();
}
void TKelvoEditor::RedoAllCommand(TObject*) { documents_->RedoAllCommand(); }

void TKelvoEditor::RecentFileClick(TObject* sender) {
    const auto* item = dynamic_cast<TSkinItem*>(sender);
    if (!item || item->Tag() < 0 || std::size_t(item->Tag()) >= recentPaths_.size()) return;
    // A copy: opening reorders the list.
    const std::u16string path = recentPaths_[std::size_t(item->Tag())];
    documents_->Open(path, nullptr, true);
}

void TKelvoEditor::MainFormCloseQuery(TObject*, bool& canClose) { canClose = documents_->CloseQueryAll(); }

void TKelvoEditor::TitleChanged(TObject*) {
    if (documents_) documents_->UpdateCaption();
}

void TKelvoEditor::Localize() {
    if (!mainForm_) return;
    OpenMenuItem->SetCaption(Text(KelvoTextOpen, u"Open") + u"...");
    SaveMenuItem->SetCaption(Text(KelvoTextSave, u"Save"));
    SaveAsMenuItem->SetCaption(Text(KelvoTextSaveAs, u"Save As") + u"...");
    CloseMenuItem->SetCaption(Text(KelvoTextClose, u"Close"));
    StandardToolbar->SetCaption(Text(KelvoTextStandardToolbar, u"Standard"));
    OpenButton->SetHint(Text(KelvoTextOpen, u"Open"));
    SaveButton->SetHint(Text(KelvoTextSaveAs, u"Save As"));
    EditMenuItem->SetCaption(Text(KelvoTextEdit, u"&Edit"));
    UndoMenuItem->SetCaption(Text(KelvoTextUndo, u"Undo"));
    UndoAllMenuItem->SetCaption(Text(KelvoTextUndoAll, u"Undo All"));
    RedoMenuItem->SetCaption(Text(KelvoTextRedo, u"Redo"));
    RedoAllMenuItem->SetCaption(Text(KelvoTextRedoAll, u"Redo All"));
    UndoButton->SetHint(Text(KelvoTextUndo, u"Undo"));
    RedoButton->SetHint(Text(KelvoTextRedo, u"Redo"));
}

void TKelvoEditor::UpdateState() {
    if (!documents_ || !mainForm_) return;
    const TKelvoEditorCommands commands = documents_->EnabledCommands();
    SaveMenuItem->SetEnabled(commands.Save);
    for (TSkinItem* item : {SaveAsMenuItem, SaveButton, CloseMenuItem}) item->SetEnabled(commands.SaveAs);
    for (TSkinItem* item : {UndoMenuItem, UndoAllMenuItem, UndoButton}) item->SetEnabled(commands.Undo);
    for (TSkinItem* item : {RedoMenuItem, RedoAllMenuItem, RedoButton}) item->SetEnabled(commands.Redo);
}

void TKelvoEditor::LoadState(TKelvoSDFReader& reader) {
    if (mainForm_) documents_->LoadState(reader);
}

void TKelvoEditor::SaveState(TKelvoSDFWriter& writer) {
    if (mainForm_) documents_->SaveState(writer);
}

void TKelvoEditor::Start() {
    if (mainForm_) documents_->OpenStartFile(CommandLineArguments());
}

int TKelvoEditor::AskSave(const std::u16string& text) {
    return KelvoApplication->MessageBoxTitled(text, MB_YESNOCANCEL | MB_ICONWARNING);
}

int TKelvoEditor::AskOverwrite(const std::u16string& text) {
    return KelvoApplication->MessageBoxTitled(text, MB_YESNO | MB_ICONWARNING);
}

void TKelvoEditor::ShowError(const std::u16string& text) { KelvoApplication->MessageBoxTitled(text, MB_ICONERROR); }

bool TKelvoEditor::RunSaveDialog(TKelvoSaveDialogRequest& request) {
    TObjectPtr<TKelvoSaveDialog> dialog = MakeObject<TKelvoSaveDialog>(nullptr, documents_->Formats().FileFormats());
    dialog->SetFileName(request.FileName);
    dialog->SetFilterIndex(request.FilterIndex + 1);  // the dialog counts its filters from 1
    const bool chosen = dialog->Execute(mainForm_->Handle());
    Application->ProcessMessages();
    if (!chosen) return false;
    request.FileName = dialog->FileName();
    request.FilterIndex = dialog->FilterIndex() - 1;
    return true;
}

bool TKelvoEditor::FileExists(const std::u16string& fileName) { return uni::FileExistsW(fileName); }

std::u16string TKelvoEditor::Title() { return KelvoApplication->GetTitle(); }

void TKelvoEditor::SetCaption(const std::u16string& caption) {
    if (mainForm_) mainForm_->SetCaption(caption);
}

void TKelvoEditor::RecentFilesChanged(const std::vector<std::u16string>& names) {
    recentPaths_ = names;
    if (!mainForm_) return;
    TSkinSubmenuItem* file = mainForm_->FileMenuItem;
    // Items are made as the list grows and never taken away: the list never shrinks while the program runs.
    while (RecentFileItems.size() < names.size()) {
        TSkinItem* item = mainForm_->AddMenuItem(u"", 0, RecentFilesSeparator, file, -1,
                                                 MakeMethod<&TKelvoEditor::RecentFileClick>(this));
        RecentFileItems.push_back(item);
    }
    for (std::size_t i = 0; i < RecentFileItems.size(); ++i) {
        TSkinItem* item = RecentFileItems[i];
        item->SetTag(std::intptr_t(i));
        item->SetVisible(i < names.size());
        if (i < names.size()) item->SetCaption(RecentFileCaption(std::int32_t(i + 1), names[i]));
    }
}

void TKelvoEditor::PluginModeEntered() {
    if (!mainForm_) return;
    OpenButton->SetVisible(false);
    SaveButton->SetVisible(false);
    EditToolbarSeparator->SetVisible(false);
}

void TKelvoEditor::SetExitCode(int code) { ExitCode = code; }
