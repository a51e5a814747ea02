// One open file of the editor: its name, the format it was read from or last written in, whether it holds
// changes that are not in that file, its undo history and its view, made when it is first asked for.
//
// The document counts as saved at one history position: that of its last successful load or save. Undoing
// or redoing back to that position makes it saved again; a position whose states were dropped (a new step
// after undoing past the save) can never be reached again, so the document stays unsaved until it is saved.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoCommandHistoryList.h"
#include "app/core/TKelvoFileFormats.h"

class TKelvoDocument;
class TKelvoEditorDocuments;

// Told when a document was loaded and when it closes.
class IKelvoDocumentObserver {
public:
    virtual void DocumentChanged(TKelvoDocument& document) = 0;
    virtual void DocumentClosed(TKelvoDocument& document) = 0;

protected:
    ~IKelvoDocumentObserver() = default;
};

// What a document asks of the control that shows it. The view controls implement it; the document owns its
// view object from its first request to its end.
class TKelvoDocumentView {
public:
    virtual ~TKelvoDocumentView() = default;
    // Repaint the part of the image inside rect (image coordinates): mapped to the window through the view's
    // map mode, grown by a pixel on each side, without erasing.
    virtual void InvalidateImageRect(const TKelvoRect& rect) {}
    // The image's size or content changed as a whole: layers, scroll extent and size display follow it.
    virtual void ImageChanged() {}
};

// Reads and writes the editor's documents: its format table seen from a document.
class TKelvoDocumentFormats {
public:
    virtual ~TKelvoDocumentFormats() = default;
    virtual const TKelvoFileFormats& FileFormats() const = 0;
    // Reads the file into the document; formatId receives the format it was read as.
    virtual bool Load(TKelvoDocument& document, const std::u16string& fileName, std::int32_t& formatId) = 0;
    virtual bool Save(TKelvoDocument& document, const std::u16string& fileName, std::int32_t formatId) = 0;
    virtual bool MaySave(std::int32_t formatId) const { return true; }
};

class TKelvoDocument {
public:
    // The editor that owns the document (its format table, prompts and document list).
    explicit TKelvoDocument(TKelvoEditorDocuments& editor);
    virtual ~TKelvoDocument();
    TKelvoDocument(const TKelvoDocument&) = delete;
    TKelvoDocument& operator=(const TKelvoDocument&) = delete;

    TKelvoEditorDocuments& Editor() const { return editor_; }

    // Closing never asks to save while this is set (documents a demonstration opened).
    bool NoPrompt() const { return noPrompt_; }
    void SetNoPrompt(bool value) { noPrompt_ = value; }

    // Nothing to save. Set after construction, a successful load and a successful save.
    bool IsSaved() const { return saved_; }
    void SetSaved(bool value) { saved_ = value; }
    // True at the history position of the last successful load or save.
    bool AtSavedPosition() const { return savedPosition_ >= 0 && savedPosition_ == history_.Position(); }
    // The saved flag from the history position: after an undo or a redo.
    void UpdateSavedFromHistory() { saved_ = AtSavedPosition(); }

    const std::u16string& FileName() const { return fileName_; }
    // -1 for the plug-in exchange file.
    std::int32_t FormatId() const { return formatId_; }
    // The file name without its folder, or the editor's text for an untitled document.
    std::u16string DisplayName() const;

    void AddObserver(IKelvoDocumentObserver* observer);
    void RemoveObserver(IKelvoDocumentObserver* observer);

    // The view, made by CreateView on the first call (null when the document class makes none).
    TKelvoDocumentView* GetView();
    // The view if it has been made; never makes one.
    TKelvoDocumentView* FindView() const { return view_.get(); }

    const TKelvoCommandHistoryList& History() const { return history_; }
    TKelvoCommandHistoryList& History() { return history_; }
    // Drops the redo tail and appends the state. When the position of the last save lay in that tail, the
    // document's content can no longer match its file through undo or redo.
    void AddCommandState(std::unique_ptr<TKelvoCommandState> state);
    // Undoes or redoes one step of the history; the saved flag then follows the position.
    bool UndoStep();
    bool RedoStep();

    // Observers' DocumentChanged from the last to the first, then the document is unsaved.
    void Changed();

    // Through the editor's format table; on success the file name, the format and the saved position.
    virtual bool LoadFromFile(const std::u16string& fileName);
    virtual bool SaveToFile(const std::u16string& fileName, std::int32_t formatId);
    // The document no longer has a file (a scanned image, whose transfer file is deleted once read): untitled,
    // with changes to save, and no history position matches a file.
    void ForgetFile();
    // SaveToFile in its own name and format; false without a name.
    virtual bool Save();
    virtual bool MaySave() const { return true; }
    // The save prompt, then (when the document may close) DocumentClosed to the observers and the editor
    // removes (frees) it. False when the user keeps it.
    virtual bool CloseQuery();

    // Hooks: before the save prompt, before a save writes, after the document joined the editor.
    virtual void Closing() {}
    virtual void BeforeSave() {}
    virtual void Opened() {}
    // The open edit ends without finishing it (plug-in OK and Cancel): what it changed stays in the pixels.
    virtual void AbandonEdit() {}

protected:
    // Makes the document's view; none here.
    virtual std::unique_ptr<TKelvoDocumentView> CreateView() { return nullptr; }
    // Frees the view; a document class calls it first in its destructor, while what the view shows exists.
    void DestroyView() { view_.reset(); }

private:
    void MarkSavedHere();

    TKelvoEditorDocuments& editor_;
    bool noPrompt_ = false;
    bool saved_ = true;
    std::u16string fileName_;
    std::int32_t formatId_ = 0;
    std::vector<IKelvoDocumentObserver*> observers_;
    TKelvoCommandHistoryList history_;
    std::int32_t savedPosition_ = 0;  // -1: no position of the history matches the file
    std::unique_ptr<TKelvoDocumentView> view_;
};
