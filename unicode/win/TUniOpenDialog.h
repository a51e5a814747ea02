// The Unicode open dialog: the system's wide open (or save) dialog with wide file names, filter, title,
// initial folder and default extension. The library's dialog set-up builds the dialog record (options,
// hook, template, owner); the wide record is made from it and run with the wide dialog function, so the
// library's events (OnShow, OnCanClose, selection, folder and type changes) keep working.
//
// The name buffer the dialog fills is read only up to its size. A choice that does not fit the buffer
// raises EUniGeneralError instead of being cut.
#pragma once
#include <functional>

#include "classlib/win/TOpenDialog.h"
#include "unicode/core/TUniStringList.h"

using TUniIncludeItemEvent = Method<void(TObject* sender, const OFNOTIFYEXW& info, bool& include)>;
// GetOpenFileNameW, GetSaveFileNameW, or a substitute.
using TWideFileDialogFunc = std::function<BOOL(OPENFILENAMEW* record)>;

class TUniOpenDialog : public TOpenDialog {
    CLASSLIB_COMPONENT(TUniOpenDialog, TOpenDialog)
    CLASSLIB_MESSAGES(TUniOpenDialog, CLASSLIB_ON(WM_NOTIFY, &TUniOpenDialog::WMNotify))
    explicit TUniOpenDialog(TComponent* owner);

    // While the dialog is open, the path now chosen in it (CDM_GETFILEPATH, up to 260 characters); else the
    // name set or the first name chosen.
    WideString FileName() const;
    void SetFileName(const WideString& value);
    WideString Filter() const;
    void SetFilter(const WideString& value);
    // One trailing "\" is dropped, except after a drive ("C:\" stays).
    WideString InitialDir() const;
    void SetInitialDir(const WideString& value);
    WideString Title() const;
    void SetTitle(const WideString& value);
    WideString DefaultExt() const;
    void SetDefaultExt(const WideString& value);
    // Every name chosen.
    TUniStrings* Files() const { return files_.get(); }

    using TOpenDialog::Execute;
    bool Execute(HWND parentWindow) override;
    // Runs the dialog with function (the wide open or save function). True when the user accepted.
    bool RunWideFileDialog(const TWideFileDialogFunc& function, HWND parentWindow);

    void DefineProperties(TFiler* filer) override;

    TUniIncludeItemEvent OnIncludeItemW;

protected:
    // OnCanClose is asked only while the dialog asks whether it may close; at any other time the answer is yes.
    bool DoCanClose() override;
    void WMNotify(TMessage& message);

private:
    // Reads the wide names of record into FileName and Files; raises when the buffer holds a cut name.
    void ReadWideFileNames(const OPENFILENAMEW& record);
    BOOL RunWide(const TWideFileDialogFunc& function, OPENFILENAMEA& ansi);

    WideString fileName_, filter_, initialDir_, title_, defaultExt_;
    TObjectPtr<TUniStringList> files_;
    bool allowCanClose_ = false;
};
