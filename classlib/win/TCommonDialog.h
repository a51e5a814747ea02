// The base of the system's common dialogs: a component that runs a dialog modally, finds the dialog window
// through its hook, subclasses it so that WndProc sees its messages, and reports when it is shown and closed.
#pragma once
#include <cstdint>

// TApplication.h first: it brings the colour header in before the system headers, whose colour macros
// would otherwise replace the colour functions' names.
#include "classlib/win/TApplication.h"
#include "classlib/core/MessageDispatch.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/ObjectInstance.h"
#include "classlib/win/Win32.h"

class TCommonDialog : public TComponent {
    CLASSLIB_COMPONENT(TCommonDialog, TComponent)
    CLASSLIB_MESSAGES(TCommonDialog, CLASSLIB_ON(WM_DESTROY, &TCommonDialog::WMDestroy))

    explicit TCommonDialog(TComponent* owner);
    ~TCommonDialog() override;

    // The dialog window while the dialog is open, else 0. For Explorer-style dialogs this is the dialog
    // itself, the parent of the hook window (into which a template's controls go).
    HWND Handle() const { return handle_; }

    // The dialog template resource (in the program's module) added to the dialog: a name or an integer
    // resource (MAKEINTRESOURCEA). Null for none.
    const char* Template() const;
    void SetTemplate(const char* name);

    // Runs the dialog owned by the default parent: the active form when the application places popups above
    // it (modal popup mode) and there is one, else the application window. True when the user accepted.
    bool Execute();
    virtual bool Execute(HWND parentWindow) = 0;
    static HWND DefaultParent();

    // The dialog window's procedure while it is subclassed: message handlers, then DefaultHandler, which passes
    // the message on to the window's own procedure. Messages the dialog's hook forwards (WM_INITDIALOG, and for
    // Explorer-style dialogs the notifications of the hook window) pass through here too; their default
    // handling does nothing, as the system handles them itself.
    virtual void WndProc(TMessage& message);
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    virtual void DoShow();
    virtual void DoClose();

    // Runs func(record) with the application's other windows disabled (directly when there is no application
    // object yet). True when func returned nonzero.
    bool TaskModalDialog(const TTaskModalFunc& func, void* record);

    // For the hook of a dialog: on WM_INITDIALOG of hookWindow, dialogWindow (the same window for old-style
    // dialogs, its parent for Explorer-style ones) becomes Handle and is subclassed; then the message passes
    // WndProc and OnShow runs. Returns the hook's answer.
    std::intptr_t HookInitDialog(HWND hookWindow, HWND dialogWindow, TMessage& message);
    // A message of the hook window through WndProc; the result is also stored as the window's dialog result.
    std::intptr_t HookMessage(HWND hookWindow, TMessage& message);
    // The dialog whose hook window this is, or null.
    static TCommonDialog* FromHookWindow(HWND hookWindow);
    // Ends the subclassing (when the window is destroyed, or after the dialog function returned).
    void Detach();
    // True while WndProc handles a message the hook forwarded.
    bool HookForwarded() const { return forwarded_; }

private:
    void MainWndProc(TMessage& message);
    void WMDestroy(TMessage& message);

    HWND handle_ = nullptr;
    HWND hookWindow_ = nullptr;
    // The window whose procedure is ours (it may outlive Handle when it cannot be given back).
    HWND subclassed_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    TObjectInstance instance_;
    bool forwarded_ = false;
    bool closed_ = false;
    AnsiString templateName_;
    const char* templateId_ = nullptr;
};
