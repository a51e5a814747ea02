// The document commands of the main window: File > Open, Save As, Close and the recent files above Exit, the
// Edit menu's Undo, Undo All, Redo and Redo All, and the standard toolbar's buttons for them. The decisions
// are the document model's (TKelvoEditorDocuments); this module answers its questions with the program's
// dialogs and message boxes, captions the main window, and keeps the recent files in the state file.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/core/IKelvoDemoParticipant.h"
#include "app/core/TKelvoEditorDocuments.h"
#include "app/win/TKelvoModuleWithControls.h"

class TMainForm;
class TSkinItem;
class TSkinSeparatorItem;
class TSkinSubmenuItem;
class TSkinToolbar;

class TKelvoEditor : public TKelvoModuleWithControls, public IKelvoEditorUI, public IKelvoDemoParticipant {
    CLASSLIB_COMPONENT(TKelvoEditor, TKelvoModuleWithControls)

    // Builds the menu items and the standard toolbar in the main window; the documents come from SetDocuments.
    TKelvoEditor(TComponent* owner, TMainForm* mainForm);
    ~TKelvoEditor() override;

    TKelvoEditorDocuments& Documents() const { return *documents_; }
    TMainForm* MainForm() const { return mainForm_; }

    void OpenCommand(TObject* sender);
    void SaveAsCommand(TObject* sender);
    void CloseCommand(TObject* sender);
    void UndoCommand(TObject* sender);
    void UndoAllCommand(TObject* sender);
    void RedoCommand(TObject* sender);
    void RedoAllCommand(TObject* sender);
    // The open dialog on the format table; the chosen file is opened and remembered.
    bool OpenDialog();

    void Localize() override;
    void UpdateState() override;
    // Node 1 {C0F4C248-34D7-4014-8116-24BEE9AB5C30}: the recent files.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    // Opens the file the program was started with.
    void Start() override;
    // The main window going first (a test's restart) leaves the editor without menus: it then does nothing.
    void Notification(TComponent* component, TOperation operation) override;

    // IKelvoEditorUI.
    int AskSave(const std::u16string& text) override;
    int AskOverwrite(const std::u16string& text) override;
    void ShowError(const std::u16string& text) override;
    bool RunSaveDialog(TKelvoSaveDialogRequest& request) override;
    bool FileExists(const std::u16string& fileName) override;
    std::u16string Title() override;
    void SetCaption(const std::u16string& caption) override;
    void RecentFilesChanged(const std::vector<std::u16string>& names) override;
    // Plug-in mode: Open, Save and the edit-toolbar separator go; only the host's image is edited.
    void PluginModeEntered() override;
    void SetExitCode(int code) override;

    // IKelvoDemoParticipant: the commands UNDO and REDO, the targets "Undo" and "Redo" (their buttons).
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;
    void SetRecorder(IKelvoDemoPlayback* playback) override { Recorder = playback; }
    void ClearRecorder() override { Recorder = nullptr; }
    // The playback while it records, else null.
    IKelvoDemoPlayback* Recorder = nullptr;
    // The screen centre of a standard toolbar button; false while it is not shown.
    bool ToolButtonCentre(TSkinItem* button, TPoint& point) const;

    TSkinItem* OpenMenuItem = nullptr;
    TSkinItem* SaveMenuItem = nullptr;
    TSkinItem* SaveAsMenuItem = nullptr;
    TSkinItem* CloseMenuItem = nullptr;
    TSkinSeparatorItem* RecentFilesSeparator = nullptr;
    TSkinToolbar* StandardToolbar = nullptr;
    TSkinItem* OpenButton = nullptr;
    TSkinItem* SaveButton = nullptr;
    TSkinSubmenuItem* EditMenuItem = nullptr;
    TSkinItem* UndoMenuItem = nullptr;
    TSkinItem* UndoAllMenuItem = nullptr;
    TSkinItem* RedoMenuItem = nullptr;
    TSkinItem* RedoAllMenuItem = nullptr;
    TSkinSeparatorItem* EditToolbarSeparator = nullptr;
    TSkinItem* UndoButton = nullptr;
    TSkinItem* RedoButton = nullptr;
    // The recent-file items, most recent first; each opens the path kept for it, never its caption's text.
    std::vector<TSkinItem*> RecentFileItems;

protected:
    // The document model the commands drive; set once by the editor that knows its documents' kind.
    void SetDocuments(std::unique_ptr<TKelvoEditorDocuments> documents);

private:
    void RecentFileClick(TObject* sender);
    void MainFormCloseQuery(TObject* sender, bool& canClose);
    void TitleChanged(TObject* sender);

    TMainForm* mainForm_;
    std::unique_ptr<TKelvoEditorDocuments> documents_;
    std::vector<std::u16string> recentPaths_;
};
