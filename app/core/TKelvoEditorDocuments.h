// The editor's document logic: the open documents (the active one is the last), opening, closing with the
// save prompt, Save As with its name rule and the overwrite question, the recent files, undo and redo with
// the saved flag, and plug-in mode's state (the exit code the filter plug-in reads).
//
// Everything the user sees goes through IKelvoEditorUI: the main window answers it with message boxes, the
// save dialog and its caption; tests answer it directly. Texts come from the editor's text source.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/core/KelvoDocumentRules.h"
#include "app/core/TKelvoDocument.h"
#include "app/core/KelvoTextIds.h"

inline constexpr int KelvoIdYes = 6;
inline constexpr int KelvoIdNo = 7;
inline constexpr int KelvoIdCancel = 2;

// Which of the editor's commands can run now (the idle update of its menu items and buttons).
struct TKelvoEditorCommands {
    bool Save = false;    // a document with changes
    bool SaveAs = false;  // any document (also Close and the Save button)
    bool Undo = false;    // also Undo All and the Undo button
    bool Redo = false;    // also Redo All and the Redo button
    friend bool operator==(const TKelvoEditorCommands&, const TKelvoEditorCommands&) = default;
};

// What the save dialog is asked and answers.
struct TKelvoSaveDialogRequest {
    TKelvoFileFormatArray Formats;
    std::u16string FileName;       // in: the proposal (no extension); out: the typed name
    std::int32_t FilterIndex = 0;  // in and out: index into Formats
};

class IKelvoEditorUI {
public:
    // The save prompt (Yes, No, Cancel, a warning) and the overwrite question (Yes, No): the button id.
    virtual int AskSave(const std::u16string& text) = 0;
    virtual int AskOverwrite(const std::u16string& text) = 0;
    // An error box.
    virtual void ShowError(const std::u16string& text) = 0;
    // The save dialog on the formats; false when the user cancels.
    virtual bool RunSaveDialog(TKelvoSaveDialogRequest& request) = 0;
    virtual bool FileExists(const std::u16string& fileName) = 0;
    virtual std::u16string Title() = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;
    // Puts a document's view into the main window (client-aligned).
    virtual void PlaceView(TKelvoDocumentView& view) {}
    // The recent files changed: the File menu follows.
    virtual void RecentFilesChanged(const std::vector<std::u16string>& names) {}
    // Plug-in mode began: the main window hides what plug-in mode does not offer.
    virtual void PluginModeEntered() {}
    virtual void SetExitCode(int code) = 0;

protected:
    ~IKelvoEditorUI() = default;
};

class TKelvoEditorDocuments {
public:
    TKelvoEditorDocuments(IKelvoEditorUI& ui, TKelvoDocumentFormats& formats, TKelvoTextSource texts = nullptr);
    virtual ~TKelvoEditorDocuments();
    TKelvoEditorDocuments(const TKelvoEditorDocuments&) = delete;
    TKelvoEditorDocuments& operator=(const TKelvoEditorDocuments&) = delete;

    IKelvoEditorUI& UI() const { return ui_; }
    TKelvoDocumentFormats& Formats() const { return formats_; }
    std::u16string Text(std::int32_t id) const;

    // The last document of the list, or null.
    TKelvoDocument* GetActiveDocument() const;
    std::int32_t GetDocumentCount() const { return std::int32_t(documents_.size()); }
    TKelvoDocument* GetDocument(std::int32_t index) const;

    bool MultiDocument() const { return multiDocument_; }
    void SetMultiDocument(bool value) { multiDocument_ = value; }
    bool AskToSave() const { return askToSave_; }
    void SetAskToSave(bool value) { askToSave_ = value; }
    bool HistoryEnabled() const { return historyEnabled_; }
    void SetHistoryEnabled(bool value) { historyEnabled_ = value; }

    // True in multi-document mode; else the active document's CloseQuery (true without one).
    bool QueryCloseActive();
    // Closes the active document (with the prompt), reads the file into a new document and makes it the
    // active one. A file that cannot be read, or a format that raises while reading, frees the new document
    // and shows the cannot-open text; the result is then false. In plug-in mode only the host's image is
    // edited: nothing else opens.
    bool Open(const std::u16string& fileName, TKelvoDocument** document, bool addToRecent);
    // At start: the first command-line parameter, when it names an existing file, is opened (and remembered).
    // This is how the filter plug-in hands its exchange file over.
    bool OpenStartFile(const std::vector<std::u16string>& parameters);
    // A scanned image: the transfer file is opened (not remembered) and the document forgets it, since the
    // caller deletes it; closing then asks to save.
    bool OpenAcquired(const std::u16string& transferFile, TKelvoDocument** document);
    // Recent file index (0 = the most recent) opened again; false for an index outside the list.
    bool OpenRecent(std::int32_t index);
    // An empty new document, made the active one.
    bool NewDocument(TKelvoDocument** document);
    // Moves the document to the end of the list (it becomes the active one) and captions the window. A
    // document from the exchange file puts the editor into plug-in mode.
    virtual void ActivateDocument(TKelvoDocument& document);
    // Takes the document out of the list and frees it.
    void RemoveDocument(TKelvoDocument& document);
    void UpdateCaption();

    // The save dialog, the name rule, the overwrite question, then SaveToFile. In plug-in mode the host's
    // image is written back instead (see PluginOk).
    virtual bool SaveAs(TKelvoDocument* document);
    int AskSave(const std::u16string& displayName);
    int AskOverwrite(const std::u16string& fileName);
    // CloseQuery on every document from the last to the first; false at the first that stays.
    bool CloseQueryAll();

    // The recent files, most recent first, and the name-level update behind them.
    const std::vector<std::u16string>& RecentFiles() const { return recent_; }
    void AddRecentFile(const TKelvoDocument& document) { AddRecentFileName(document.FileName()); }
    void AddRecentFileName(const std::u16string& fileName);
    void LoadState(TKelvoSDFReader& reader);
    void SaveState(TKelvoSDFWriter& writer) const;

    // The active document's history while the history is on, else null.
    TKelvoCommandHistoryList* GetHistory() const;
    virtual bool CanUndo() const;
    virtual bool CanRedo() const;
    // One step of the active document's history (false without one); the saved flag follows the position.
    // The graphics editor tells its tools around them.
    virtual bool Undo();
    virtual bool Redo();
    // Undo or Redo once, or while there is something to undo or redo.
    void UndoCommand();
    void UndoAllCommand();
    void RedoCommand();
    void RedoAllCommand();
    TKelvoEditorCommands EnabledCommands() const;
    // SaveAs of the active document, unless in plug-in mode or without one.
    bool SaveActiveAs();
    bool CloseCommand();

    bool PluginMode() const { return pluginMode_; }
    // The first time only: plug-in mode on, exit code -1 (the host's image is not changed yet).
    void SetPluginMode(bool value);
    // OK: the edit ends as it stands and the host's image is written back; exit code 0 once it is written.
    // A write that fails is shown and the exit code stays -1; the result tells the window whether to close.
    bool PluginOk();
    // Cancel: the edit ends, the document counts as saved (no prompt), the exit code stays -1.
    void PluginCancel();

protected:
    // A new document object of the editor's kind.
    virtual std::unique_ptr<TKelvoDocument> NewDocumentObject() = 0;

private:
    bool PlaceView(TKelvoDocument& document);
    bool WritePluginImage(TKelvoDocument& document);

    IKelvoEditorUI& ui_;
    TKelvoDocumentFormats& formats_;
    TKelvoTextSource texts_;
    std::vector<std::unique_ptr<TKelvoDocument>> documents_;
    std::vector<std::u16string> recent_;
    bool multiDocument_ = false;
    bool askToSave_ = true;
    bool historyEnabled_ = true;
    bool pluginMode_ = false;
};
