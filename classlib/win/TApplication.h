// The application object: the hidden application window that owns every top-level form, the message loop
// with its idle processing (mouse tracking, hints, action updates, synchronised calls), the default error
// handling, modal helpers and help calls.
//
// Start-up: RegisterFormsUnit(); classlib::Startup() creates Application, Screen and Mouse; hooks installed on
// the application window before Application->Initialize() see its WM_CREATE; then CreateForm and Run.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "classlib/core/ControlTypes.h"
#include "classlib/core/Messages.h"
#include "classlib/core/TColor.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/Win32.h"

class TBasicAction;
class TControl;
class TCustomForm;
class THintWindow;
struct THintInfo;

// The value WinMain returns. The program sets it; the library never changes it (not on WM_QUIT, not when an
// exception reaches the default handling).
extern int ExitCode;

using TMsg = MSG;
// OnMessage: sees every message the loop takes from the queue, before anything else; handled stops it.
using TMessageEvent = Method<void(TMsg& msg, bool& handled)>;
// OnIdle: done arrives true; leaving it true lets the loop update actions and wait for the next message.
using TIdleEvent = Method<void(TObject* sender, bool& done)>;
using TExceptionEvent = Method<void(TObject* sender, const Exception& e)>;
// OnHelp: returns whether it handled the call; callHelp (preset true) decides whether WinHelpA runs as well.
using THelpEvent = Method<bool(std::uint16_t command, std::intptr_t data, bool& callHelp)>;
using TActionEvent = Method<void(TBasicAction* action, bool& handled)>;
// A hook on the application window: true ends the message's handling (its Result is the answer).
using TWindowHook = Method<bool(TMessage& message)>;
// The function a task-modal dialog runs (a system dialog call such as GetOpenFileNameA on its record).
using TTaskModalFunc = std::function<BOOL(void* record)>;

using THintWindowClass = TClassOf<THintWindow>;

class TApplication : public TComponent {
    CLASSLIB_COMPONENT(TApplication, TComponent)

    explicit TApplication(TComponent* owner);
    // Frees the forms and other owned components first (they may still ask the application), then the window.
    ~TApplication() override;

    // Creates the application window (once) and installs the synchronisation wake-up.
    void Initialize();
    // The hidden application window; 0 before Initialize.
    HWND Handle() const { return handle_; }

    // Creates a form or data module owned by the application; ref holds the new object before its constructor
    // runs. The first form (never a data module) becomes MainForm.
    template <class T>
    void CreateForm(TClass cls, T*& ref) {
        CreateComponent<T>(cls, this, ref);
        FormCreated(ref);
    }
    TCustomForm* MainForm() const { return mainForm_; }
    // Whether Run shows the main form (default true).
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }

    // Shows the main form and runs the loop until Terminate's quit message arrives. Returns at once without a
    // main form. Exceptions that reach the loop go to HandleException and the loop goes on.
    void Run();
    // Posts the quit message (ExitCode stays what the program set).
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Handles one message, or when none waits, runs the idle step (which may wait for the next message).
    void HandleMessage();

    // The application window's text (8-bit); the executable's name without extension by default.
    AnsiString Title() const;
    void SetTitle(const AnsiString& value);
    AnsiString ExeName() const;
    // Whether one of the application's windows is active (WM_ACTIVATEAPP).
    bool Active() const { return active_; }

    // Windows hooks: every message of the application window passes the hooks in installation order before
    // the window's own handling; the first returning true ends it. Installing a hook twice keeps one entry.
    void HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(TWindowHook hook);

    // The modeless dialog whose keyboard navigation the loop serves (IsDialogMessageA); 0 for none.
    HWND DialogHandle() const { return dialogHandle_; }
    void SetDialogHandle(HWND value);
    // The window of the active form or dialog of this thread, or 0.
    HWND ActiveFormHandle() const;
    TPopupMode ModalPopupMode() const { return modalPopupMode_; }
    void SetModalPopupMode(TPopupMode value) { modalPopupMode_ = value; }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }

    // Disables every visible, enabled top-level window of this thread except activeWindow; the list goes back
    // to EnableTaskWindows, which enables them again (windows destroyed meanwhile are skipped).
    void* DisableTaskWindows(HWND activeWindow);
    void EnableTaskWindows(void* list);
    // Runs func(record) with the other task windows disabled; the active window is activated again afterwards.
    bool TaskModalDialog(const TTaskModalFunc& func, void* record);
    // Modal state bookkeeping (forms and dialogs call these around their modal loops).
    void ModalStarted();
    void ModalFinished();
    int ModalLevel() const { return modalLevel_; }
    // A message box owned by the active form (else the application window), other task windows disabled;
    // focus and activation are restored afterwards. Returns the pressed button's id.
    int MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags = MB_OK);

    // Error handling. HandleException must be called inside a catch block: EAbort is dropped, any other error
    // goes to OnException or else to ShowException. It never throws.
    void HandleException(TObject* sender);
    void ShowException(const Exception& e);

    // The long hint of the control under the mouse (set by the idle step; menus set it too). A change fires
    // OnHint, or without OnHint executes a THintAction carrying the text.
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int ms) { hintShortPause_ = ms; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor value);
    // Whether the hint of a control whose action has a shortcut ends in the shortcut's text: "Open (Ctrl+O)".
    bool HintShortCuts() const { return hintShortCuts_; }
    void SetHintShortCuts(bool value) { hintShortCuts_ = value; }
    // The class of the hint window made for the next hint (default THintWindow).
    static THintWindowClass HintWindowClass();
    static void SetHintWindowClass(THintWindowClass cls);
    // Hides the hint and forgets the hint control (the next hint waits the full pause).
    void CancelHint();
    // Hides the hint window.
    void HideHint();
    // Shows the hint of the control under cursorPos (screen coordinates) at once.
    void ActivateHint(TPoint cursorPos);
    // The hint window currently made, or null.
    THintWindow* HintWindow() const { return hintWindow_; }
    // For controls: a mouse message over control (re)starts the hint timing.
    void HintMouseMessage(TControl* control, TMessage& message);

    // Help.
    const AnsiString& HelpFile() const { return helpFile_; }
    void SetHelpFile(const AnsiString& value) { helpFile_ = value; }
    // OnHelp first; unless it says not to, WinHelpA on HelpFile. False without a help file or on failure.
    bool HelpCommand(std::uint16_t command, std::intptr_t data);
    bool HelpContext(std::intptr_t context);

    // Actions without a handler of their own: OnActionExecute, then CM_ACTIONEXECUTE to the application
    // window (through its hooks), then the active form and the main form. True when one handled it.
    bool ExecuteAction(TBasicAction* action) override;
    bool UpdateAction(TBasicAction* action) override;
    // A key-down message none of the focused control's form handled: CM_APPKEYDOWN to the application window.
    bool IsShortCut(TMessage& keyMsg);

    void Minimize();
    void Restore();

    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnHint;
    TNotifyEvent OnModalBegin;
    TNotifyEvent OnModalEnd;
    TIdleEvent OnIdle;
    TMessageEvent OnMessage;
    TExceptionEvent OnException;
    THelpEvent OnHelp;
    TActionEvent OnActionExecute;
    TActionEvent OnActionUpdate;

    // The window procedure of the application window (after the hooks).
    virtual void WndProc(TMessage& message);

protected:
    // Takes one message from the queue and handles it; false when the queue was empty.
    bool ProcessMessage(TMsg& msg);
    // The idle step: mouse tracking and hint, OnIdle, action updates, synchronised calls, WaitMessage.
    void Idle(const TMsg& msg);
    bool IsHintMsg(TMsg& msg);
    bool IsMDIMsg(TMsg& msg);
    bool IsKeyMsg(TMsg& msg);
    bool IsDlgMsg(TMsg& msg);

private:
    void FormCreated(TComponent* component);
    void CreateHandle();
    void DestroyHandle();
    static LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    bool RunHooks(TMessage& message);
    void WakeMainThread(TObject* sender);
    TControl* DoMouseIdle();
    void SetMouseControl(TControl* control);
    void StartHintTimer(int ms, UINT_PTR id);
    void StopHintTimer(UINT_PTR id);
    void HintTimerExpired(UINT_PTR id);
    bool DispatchAction(std::uint32_t msg, TBasicAction* action);
    bool MainFormSysCommand(std::uintptr_t command);
    void BroadcastToForms(std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp);
    // Free notification for the components the application keeps pointers to.
    void Watch(TComponent* component);
    void Unwatch(TComponent* component);
    void SetHintControl(TControl* control);

    HWND handle_ = nullptr;
    std::atomic<HWND> wakeWindow_{nullptr};
    TCustomForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    bool active_ = false;
    AnsiString title_;
    std::vector<TWindowHook> hooks_;
    HWND dialogHandle_ = nullptr;
    TPopupMode modalPopupMode_ = pmNone;
    TBiDiMode biDiMode_ = bdLeftToRight;
    int modalLevel_ = 0;
    AnsiString helpFile_;

    AnsiString hint_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    TColor hintColor_ = clInfoBk;
    bool hintShortCuts_ = true;
    THintWindow* hintWindow_ = nullptr;
    TControl* mouseControl_ = nullptr;
    TControl* hintControl_ = nullptr;
    TRect hintCursorRect_;
    bool hintActive_ = false;
    bool hintShowing_ = false;

    // What this application replaced, put back when it goes.
    TNotifyEvent previousWake_;
    bool wakeInstalled_ = false;
    Method<void(TObject*)> previousExceptionHandler_;
    Method<bool(TBasicAction*)> previousExecuteRoute_;
    Method<bool(TBasicAction*)> previousUpdateRoute_;
};

extern TApplication* Application;

// Registers the unit that creates Application, Screen and Mouse at classlib::Startup() and frees them at
// Shutdown(), with order FormsUnitOrder: units that use the application register with a higher order.
// Calling it again does nothing.
inline constexpr int FormsUnitOrder = 100;
void RegisterFormsUnit();
