// The system's open-file dialog (8-bit): the file name, filter, folder and options going in, the chosen
// names coming back, and events while the dialog is open.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "classlib/core/TSet.h"
#include "classlib/core/TStringList.h"
#include "classlib/win/TCommonDialog.h"

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// With no InitialDir, the dialogs start in the current folder instead of the one the system remembers.
extern bool ForceCurrentDirectory;

using TCloseQueryEvent = Method<void(TObject* sender, bool& canClose)>;
// Asked for each item of the folder when ofEnableIncludeNotify is set: include (preset true) keeps it.
using TIncludeItemEvent = Method<void(TObject* sender, const OFNOTIFYEXA& info, bool& include)>;
// The system function that runs the dialog on the record (GetOpenFileNameA, GetSaveFileNameA, or a
// substitute that fills the record itself). Nonzero: the user accepted.
using TFileDialogFunc = std::function<BOOL(OPENFILENAMEA* record)>;

class TOpenDialog : public TCommonDialog {
    CLASSLIB_COMPONENT(TOpenDialog, TCommonDialog)
    CLASSLIB_MESSAGES(TOpenDialog, CLASSLIB_ON(WM_NOTIFY, &TOpenDialog::WMNotify))

    explicit TOpenDialog(TComponent* owner);
    ~TOpenDialog() override;

    // While an Explorer-style dialog is open, the path currently chosen in it; otherwise the name set or the
    // first name chosen.
    AnsiString FileName() const;
    void SetFileName(const AnsiString& value) { fileName_ = value; }
    // Every name chosen (one unless ofAllowMultiSelect).
    TStrings* Files() const { return files_.get(); }
    // "Description|pattern|Description|pattern...".
    const AnsiString& Filter() const { return filter_; }
    void SetFilter(const AnsiString& value) { filter_ = value; }
    // The chosen filter, counting from 1.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const AnsiString& InitialDir() const { return initialDir_; }
    void SetInitialDir(const AnsiString& value) { initialDir_ = value; }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& value) { title_ = value; }
    // Added to a typed name without extension (without the dot).
    const AnsiString& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const AnsiString& value) { defaultExt_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }

    using TCommonDialog::Execute;
    bool Execute(HWND parentWindow) override;

    TCloseQueryEvent OnCanClose;
    TIncludeItemEvent OnIncludeItem;
    TNotifyEvent OnSelectionChange;
    TNotifyEvent OnFolderChange;
    TNotifyEvent OnTypeChange;

    // The size of the name buffer, in characters (larger when several files may be chosen).
    static constexpr std::uint32_t kFileBufferSize = MAX_PATH;
    static constexpr std::uint32_t kMultiSelectBufferSize = 0xFFFF;

protected:
    // Builds the complete dialog record for this dialog, owned by parentWindow, and runs func on it through
    // the task-modal runner. On success the names, the read-only and extension-different options and the
    // filter index are read back; on cancel or failure nothing changes.
    bool DoExecute(const TFileDialogFunc& func, HWND parentWindow);

    // The system flags of the options (without hook, Explorer and template flags).
    std::uint32_t OptionFlags() const;
    // Reads the names a dialog wrote into buffer (at most size characters) into FileName and Files.
    void ReadFileNames(const char* buffer, std::size_t size);

    // What the notifications of the dialog do; each is called with Handle set.
    virtual bool DoCanClose();
    virtual void DoSelectionChange();
    virtual void DoFolderChange();
    virtual void DoTypeChange();
    virtual bool DoIncludeItem(const OFNOTIFYEXA& info);

private:
    static UINT_PTR CALLBACK DialogHook(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    void WMNotify(TMessage& message);
    void FileOk(TMessage& message, const OPENFILENAMEA& record);

    AnsiString fileName_;
    TObjectPtr<TStringList> files_;
    AnsiString filter_;
    int filterIndex_ = 1;
    AnsiString initialDir_;
    AnsiString title_;
    AnsiString defaultExt_;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};
