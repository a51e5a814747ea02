#include "classlib/win/TApplication.h"

#include <algorithm>
#include <memory>

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/FileSystem.h"
#include "classlib/core/Paths.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "classlib/core/Synchronize.h"
#include "classlib/core/TBasicAction.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TControl.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/THintWindow.h"
#include "classlib/win/TMouse.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TWinControl.h"

int ExitCode = 0;
TApplication* Application = nullptr;

namespace {

constexpr char kWindowClassName[] = "TApplication";
// Hint timing runs on timers of the application window.
constexpr UINT_PTR kHintShowTimer = 0x4801;
constexpr UINT_PTR kHintHideTimer = 0x4802;
constexpr UINT_PTR kHintReshowTimer = 0x4803;

// The application whose window is being created: its procedure takes over from the first message on, so that
// hooks see WM_NCCREATE and WM_CREATE.
TApplication* g_creating = nullptr;
THintWindowClass g_hintWindowClass;

// The windows DisableTaskWindows switched off.
struct TaskWindowList {
    HWND active = nullptr;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableTaskWindow(HWND wnd, LPARAM data) {
    auto* list = reinterpret_cast<TaskWindowList*>(data);
    try {
        if (wnd != list->active && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) {
            list->windows.push_back(wnd);
            ::EnableWindow(wnd, FALSE);
        }
    } catch (...) {
        HandleCallbackException(nullptr);
    }
    return TRUE;
}

// The other task windows are off while a modal system dialog or message box runs; activation and focus come
// back afterwards, also when the dialog raises.
// The returned guard ends the modal state; OnModalEnd may raise from it like any clean-up.
auto TaskModalState(TApplication& app, HWND active) {
    HWND focus = ::GetFocus();
    void* list = app.DisableTaskWindows(nullptr);
    app.ModalStarted();
    return TScopeExit([&app, active, focus, list] {
        app.EnableTaskWindows(list);
        if (active && ::IsWindow(active)) ::SetActiveWindow(active);
        if (focus && ::IsWindow(focus)) ::SetFocus(focus);
        app.ModalFinished();
    });
}

// The first non-empty hint up the parent chain.
AnsiString HintOf(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().empty()) return c->Hint();
    return AnsiString();
}

// " (Ctrl+O)" for a control whose action has a shortcut, else nothing.
AnsiString ShortCutSuffixOf(TControl* control) {
    auto* action = dynamic_cast<TCustomAction*>(control->Action());
    if (!action || action->ShortCut() == 0) return AnsiString();
    const AnsiString text = ShortCutToText(action->ShortCut());
    return text.empty() ? AnsiString() : " (" + text + ")";
}

// How far below the pointer's hot spot the current cursor reaches: where a hint starts.
int CursorHeightMargin() {
    HCURSOR cursor = ::GetCursor();
    ICONINFO info{};
    int margin = ::GetSystemMetrics(SM_CYCURSOR) / 2;
    if (cursor && ::GetIconInfo(cursor, &info)) {
        const TGdiHandle<HBITMAP> mask(info.hbmMask);
        const TGdiHandle<HBITMAP> colour(info.hbmColor);
        BITMAP bm{};
        if (::GetObjectA(mask.Get(), sizeof(bm), &bm)) {
            // Without a colour bitmap the mask holds the AND and XOR halves one above the other.
            const int height = colour ? bm.bmHeight : bm.bmHeight / 2;
            margin = std::max(0, height - static_cast<int>(info.yHotspot));
        }
    }
    return margin;
}

// The classlib control of wnd or of its nearest windowed ancestor inside the same top-level window.
TWinControl* FindControlOrAncestor(HWND wnd) {
    for (HWND w = wnd; w; w = ::GetParent(w)) {
        if (TWinControl* c = FindControl(w)) return c;
        if (!(::GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    title_ = ChangeFileExt(ExtractFileName(ExeName()), "");
    previousExceptionHandler_ = SetCallbackExceptionHandler(MakeMethod<&TApplication::HandleException>(this));
    previousExecuteRoute_ = ApplicationExecuteActionRoute();
    previousUpdateRoute_ = ApplicationUpdateActionRoute();
    SetApplicationActionRoutes(MakeMethod<&TApplication::ExecuteAction>(this),
                               MakeMethod<&TApplication::UpdateAction>(this));
}

TApplication::~TApplication() {
    // Forms may still ask the application while they go.
    DestroyComponents();
    CancelHint();
    if (hintWindow_) FreeAndNil(hintWindow_);
    // Put back what this application replaced, unless someone replaced it in turn meanwhile.
    if (wakeInstalled_ && GetWakeMainThread() == MakeMethod<&TApplication::WakeMainThread>(this))
        SetWakeMainThread(previousWake_);
    DestroyHandle();
    if (ApplicationExecuteActionRoute() == MakeMethod<&TApplication::ExecuteAction>(this))
        SetApplicationActionRoutes(previousExecuteRoute_, previousUpdateRoute_);
    const TCallbackExceptionHandler current = SetCallbackExceptionHandler(previousExceptionHandler_);
    if (!(current == MakeMethod<&TApplication::HandleException>(this))) SetCallbackExceptionHandler(current);
}

// ---- the application window ----

void TApplication::Initialize() {
    if (!handle_) CreateHandle();
    if (!wakeInstalled_) {
        previousWake_ = GetWakeMainThread();
        SetWakeMainThread(MakeMethod<&TApplication::WakeMainThread>(this));
        wakeInstalled_ = true;
    }
}

void TApplication::CreateHandle() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA existing{};
    if (!::GetClassInfoA(instance, kWindowClassName, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TApplication::AppWndProc;
        wc.hInstance = instance;
        wc.hIcon = ::LoadIconA(instance, "MAINICON");
        if (!wc.hIcon) wc.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = kWindowClassName;
        if (!::RegisterClassA(&wc)) {
            const DWORD error = ::GetLastError();
            throw EOSError("Cannot register the application window class: " + SysErrorMessage(error), error);
        }
    }
    // Never shown: a popup of no size in the screen's middle, so that owned windows centre sensibly.
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    g_creating = this;
    HWND wnd = ::CreateWindowExA(0, kWindowClassName, title_.c_str(),
                                 WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                                 nullptr, nullptr, instance, nullptr);
    g_creating = nullptr;
    if (!wnd) {
        const DWORD error = ::GetLastError();
        handle_ = nullptr;  // the procedure saw the window that failed
        throw EOSError("Cannot create the application window: " + SysErrorMessage(error), error);
    }
    handle_ = wnd;
    wakeWindow_ = wnd;
}

void TApplication::DestroyHandle() {
    if (!handle_) return;
    wakeWindow_ = nullptr;
    HWND wnd = handle_;
    ::DestroyWindow(wnd);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
    handle_ = nullptr;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* app = reinterpret_cast<TApplication*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (!app && g_creating) {
        app = g_creating;
        app->handle_ = wnd;
        ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(app));
    }
    if (!app) return ::DefWindowProcA(wnd, msg, wp, lp);
    TMessage message;
    message.Msg = msg;
    message.WParam = wp;
    message.LParam = lp;
    try {
        app->WndProc(message);
    } catch (...) {
        HandleCallbackException(app);
    }
    return message.Result;
}

bool TApplication::RunHooks(TMessage& message) {
    // A hook may install or remove hooks while it runs: work on a copy, skipping hooks removed meanwhile.
    const std::vector<TWindowHook> hooks = hooks_;
    for (const TWindowHook& hook : hooks) {
        if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) continue;
        if (hook(message)) return true;
    }
    return false;
}

void TApplication::HookMainWindow(TWindowHook hook) {
    if (!hook || std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end()) return;
    hooks_.push_back(hook);
}

void TApplication::UnhookMainWindow(TWindowHook hook) { std::erase(hooks_, hook); }

void TApplication::WndProc(TMessage& message) {
    if (RunHooks(message)) return;
    switch (message.Msg) {
        case WM_NULL:
            // The wake-up of a worker waiting in Synchronize; modal loops of the system dispatch it too.
            if (IsMainThread()) CheckSynchronize();
            message.Result = 0;
            return;
        case WM_CLOSE:
            if (mainForm_) mainForm_->Close();
            message.Result = 0;
            return;
        case WM_SYSCOMMAND:
            switch (message.WParam & 0xFFF0) {
                case SC_MINIMIZE:
                    Minimize();
                    message.Result = 0;
                    return;
                case SC_RESTORE:
                    Restore();
                    message.Result = 0;
                    return;
                default: break;
            }
            break;
        case WM_ACTIVATEAPP:
            active_ = message.WParam != 0;
            if (active_) {
                if (OnActivate) OnActivate(this);
            } else {
                CancelHint();
                if (OnDeactivate) OnDeactivate(this);
            }
            break;
        case WM_SETTINGCHANGE:
            if (Screen) Screen->UpdateMetricFonts();
            BroadcastToForms(CM_WININICHANGE, message.WParam, message.LParam);
            break;
        case WM_SYSCOLORCHANGE: BroadcastToForms(CM_SYSCOLORCHANGE, message.WParam, message.LParam); break;
        case WM_TIMER:
            if (message.WParam == kHintShowTimer || message.WParam == kHintHideTimer ||
                message.WParam == kHintReshowTimer) {
                HintTimerExpired(message.WParam);
                message.Result = 0;
                return;
            }
            break;
        case CM_DIALOGHANDLE:
            if (message.WParam == 1)
                SetDialogHandle(reinterpret_cast<HWND>(message.LParam));
            else
                message.Result = reinterpret_cast<std::intptr_t>(dialogHandle_);
            return;
        case CM_APPSYSCOMMAND:
            // A form's system command that no hook took: minimizing the main form (or restoring it from the
            // task bar) is the application's, with its events.
            message.Result = MainFormSysCommand(message.WParam & 0xFFF0) ? 1 : 0;
            return;
        case CM_ACTIONEXECUTE:
        case CM_ACTIONUPDATE:
        case CM_APPKEYDOWN:
            // Only the hooks answer these.
            message.Result = 0;
            return;
        default: break;
    }
    message.Result = ::DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

void TApplication::BroadcastToForms(std::uint32_t msg, std::uintptr_t wp, std::intptr_t lp) {
    if (!Screen) return;
    // Each form passes it on to its controls. A form freed by an earlier form's handler is skipped.
    for (TCustomForm* form : Screen->CustomFormsInZOrder())
        if (Screen->IsCustomForm(form)) form->Perform(msg, wp, lp);
}

void TApplication::WakeMainThread(TObject*) {
    // Called on a worker thread: a window message, which every modal loop dispatches.
    if (HWND wnd = wakeWindow_.load()) ::PostMessageA(wnd, WM_NULL, 0, 0);
}

AnsiString TApplication::Title() const {
    if (!handle_) return title_;
    const int length = ::GetWindowTextLengthA(handle_);
    AnsiString text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int read = ::GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(read, 0)));
    return text;
}

void TApplication::SetTitle(const AnsiString& value) {
    title_ = value;
    if (handle_) ::SetWindowTextA(handle_, value.c_str());
}

AnsiString TApplication::ExeName() const {
    std::vector<char> buffer(MAX_PATH);
    while (true) {
        const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) return AnsiString(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

void TApplication::SetDialogHandle(HWND value) { dialogHandle_ = value; }

void TApplication::SetBiDiMode(TBiDiMode value) {
    if (biDiMode_ == value) return;
    biDiMode_ = value;
    BroadcastToForms(CM_BIDIMODECHANGED, 0, 0);
}

// ---- forms ----

void TApplication::FormCreated(TComponent* component) {
    if (mainForm_) return;
    if (auto* form = dynamic_cast<TCustomForm*>(component)) {
        mainForm_ = form;
        Watch(form);
        // The main form's window exists from here on (it carries the taskbar button).
        form->HandleNeeded();
    }
}

void TApplication::Watch(TComponent* component) {
    if (component) component->FreeNotification(this);
}

void TApplication::Unwatch(TComponent* component) {
    if (component && component != mainForm_ && component != mouseControl_ && component != hintControl_ &&
        component != hintWindow_)
        RemoveFreeNotification(component);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == mainForm_) mainForm_ = nullptr;
    if (component == mouseControl_) mouseControl_ = nullptr;
    if (component == hintControl_) {
        hintControl_ = nullptr;
        HideHint();
    }
    if (component == hintWindow_) hintWindow_ = nullptr;
}

// ---- the loop ----

void TApplication::Run() {
    if (!mainForm_) return;
    if (showMainForm_) mainForm_->SetVisible(true);
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate() { ::PostQuitMessage(0); }

void TApplication::ProcessMessages() {
    TMsg msg;
    while (ProcessMessage(msg)) {}
}

void TApplication::HandleMessage() {
    TMsg msg;
    if (!ProcessMessage(msg)) Idle(msg);
}

bool TApplication::ProcessMessage(TMsg& msg) {
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) OnMessage(msg, handled);
    IsHintMsg(msg);
    if (!handled && !IsMDIMsg(msg) && !IsKeyMsg(msg) && !IsDlgMsg(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

void TApplication::Idle(const TMsg&) {
    TControl* control = DoMouseIdle();
    SetHint(control ? GetLongHint(HintOf(control)) : AnsiString());
    bool done = true;
    try {
        if (OnIdle) OnIdle(this, done);
        if (done && Screen) {
            // Action updates on every visible, enabled form.
            for (TCustomForm* form : Screen->CustomFormsInZOrder()) {
                if (Screen->IsCustomForm(form) && form->HandleAllocated() && ::IsWindowVisible(form->WindowHandle()) &&
                    ::IsWindowEnabled(form->WindowHandle()))
                    form->UpdateActions();
            }
        }
    } catch (...) {
        HandleException(this);
    }
    if (IsMainThread() && CheckSynchronize()) done = false;
    if (done) ::WaitMessage();
}

TControl* TApplication::DoMouseIdle() {
    POINT p{};
    TControl* control = nullptr;
    if (::GetCursorPos(&p)) control = FindDragTarget(TPoint{p.x, p.y}, true);
    if (control != mouseControl_) SetMouseControl(control);
    return control;
}

void TApplication::SetMouseControl(TControl* control) {
    TControl* old = mouseControl_;
    mouseControl_ = control;
    Watch(control);
    Unwatch(old);
    if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<std::intptr_t>(old));
    // The leave handler may have destroyed the new control (free notification cleared it).
    if (mouseControl_ == control && control)
        control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<std::intptr_t>(control));
}

bool TApplication::IsHintMsg(TMsg& msg) {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        TMessage m;
        m.Msg = msg.message;
        m.WParam = msg.wParam;
        m.LParam = msg.lParam;
        // Where the pointer is now: a move still queued from before must not cancel a hint shown since.
        POINT p{};
        ::GetCursorPos(&p);
        HintMouseMessage(FindDragTarget(TPoint{p.x, p.y}, true), m);
    } else if (hintShowing_ && hintWindow_ && hintWindow_->IsHintMsg(msg)) {
        CancelHint();
    }
    // A key or click that closes a hint still goes on to its window.
    return false;
}

bool TApplication::IsMDIMsg(TMsg& msg) {
    if (!mainForm_ || !mainForm_->ClientHandle()) return false;
    return ::TranslateMDISysAccel(mainForm_->ClientHandle(), &msg) != 0;
}

bool TApplication::IsKeyMsg(TMsg& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    TWinControl* target = FindControlOrAncestor(msg.hwnd);
    if (!target) return false;
    return target->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsDlgMsg(TMsg& msg) { return dialogHandle_ && ::IsDialogMessageA(dialogHandle_, &msg) != 0; }

// ---- errors ----

namespace {

// Passes the exception being caught to report as the class library's Exception: EAbort is silent, a standard
// error gives its text, and an error of no known type is "Unknown exception".
template <class Report>
void ReportCurrentException(Report&& report) {
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        report(e);
    } catch (const std::exception& e) {
        report(Exception(e.what()));
    } catch (...) {
        report(Exception("Unknown exception"));
    }
}

}  // namespace

void TApplication::HandleException(TObject* sender) {
    if (!std::current_exception()) return;
    ReportCurrentException([&](const Exception& e) {
        try {
            if (OnException)
                OnException(sender, e);
            else
                ShowException(e);
        } catch (...) {
            // The handler itself failed: its own error is shown, and the program goes on. Should even that fail,
            // the last-resort report writes it out.
            try {
                ReportCurrentException([&](const Exception& nested) { ShowException(nested); });
            } catch (...) {
                WriteExceptionToStandardError();
            }
        }
    });
}

void TApplication::ShowException(const Exception& e) {
    AnsiString text = e.Message();
    if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    MessageBox(text, Title(), MB_OK | MB_ICONSTOP);
}

// ---- modal helpers ----

HWND TApplication::ActiveFormHandle() const {
    HWND active = ::GetActiveWindow();
    if (active && active != handle_) return active;
    if (Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->HandleAllocated())
        return Screen->ActiveCustomForm()->WindowHandle();
    return nullptr;
}

void* TApplication::DisableTaskWindows(HWND activeWindow) {
    CancelHint();
    auto list = std::make_unique<TaskWindowList>();
    list->active = activeWindow;
    ::EnumThreadWindows(::GetCurrentThreadId(), &DisableTaskWindow, reinterpret_cast<LPARAM>(list.get()));
    return list.release();
}

void TApplication::EnableTaskWindows(void* list) {
    std::unique_ptr<TaskWindowList> windows(static_cast<TaskWindowList*>(list));
    if (!windows) return;
    for (HWND wnd : windows->windows)
        if (::IsWindow(wnd)) ::EnableWindow(wnd, TRUE);
}

bool TApplication::TaskModalDialog(const TTaskModalFunc& func, void* record) {
    const auto modal = TaskModalState(*this, ::GetActiveWindow());
    return func(record) != FALSE;
}

void TApplication::ModalStarted() {
    if (++modalLevel_ == 1 && OnModalBegin) OnModalBegin(this);
}

void TApplication::ModalFinished() {
    if (modalLevel_ > 0 && --modalLevel_ == 0 && OnModalEnd) OnModalEnd(this);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, unsigned flags) {
    HWND owner = ActiveFormHandle();
    if (!owner) owner = handle_;
    if (UseRightToLeftReading()) flags |= MB_RTLREADING;
    const auto modal = TaskModalState(*this, owner);
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// ---- hints ----

void TApplication::SetHint(const AnsiString& value) {
    if (hint_ == value) return;
    hint_ = value;
    if (OnHint) {
        OnHint(this);
        return;
    }
    // Whoever shows hints (a status bar, a hook on the application window) takes it as an action.
    TObjectPtr<THintAction> action = MakeObject<THintAction>(nullptr);
    action->SetHint(value);
    action->Execute();
}

void TApplication::SetShowHint(bool value) {
    if (showHint_ == value) return;
    showHint_ = value;
    if (!value) {
        CancelHint();
        if (hintWindow_) FreeAndNil(hintWindow_);
    }
}

void TApplication::SetHintColor(TColor value) {
    hintColor_ = value;
    if (hintWindow_) hintWindow_->SetColor(value);
}

THintWindowClass TApplication::HintWindowClass() {
    return g_hintWindowClass ? g_hintWindowClass : THintWindowClass::Of<THintWindow>();
}

void TApplication::SetHintWindowClass(THintWindowClass cls) { g_hintWindowClass = cls; }

void TApplication::StartHintTimer(int ms, UINT_PTR id) {
    if (handle_) ::SetTimer(handle_, id, static_cast<UINT>(std::max(ms, 1)), nullptr);
}

void TApplication::StopHintTimer(UINT_PTR id) {
    if (handle_) ::KillTimer(handle_, id);
}

void TApplication::HideHint() {
    StopHintTimer(kHintHideTimer);
    StopHintTimer(kHintReshowTimer);
    if (hintWindow_ && hintShowing_) hintWindow_->ReleaseHandle();
    hintShowing_ = false;
}

void TApplication::CancelHint() {
    StopHintTimer(kHintShowTimer);
    HideHint();
    TControl* old = hintControl_;
    hintControl_ = nullptr;
    Unwatch(old);
    hintActive_ = false;
}

void TApplication::SetHintControl(TControl* control) {
    TControl* old = hintControl_;
    hintControl_ = control;
    Watch(control);
    if (old != control) Unwatch(old);
}

void TApplication::HintMouseMessage(TControl* control, TMessage&) {
    if (!showHint_ || !control || !control->ShowHint() || HintOf(control).empty()) {
        if (hintControl_ || hintShowing_) CancelHint();
        return;
    }
    POINT p{};
    ::GetCursorPos(&p);
    const TPoint inControl = control->ScreenToClient(TPoint{p.x, p.y});
    if (control == hintControl_ && hintCursorRect_.Contains(inControl)) return;
    // A new control, or the pointer left the part of the control the hint was about: ask again, quickly
    // when a hint was just showing.
    const int wait = hintActive_ ? hintShortPause_ : hintPause_;
    HideHint();
    hintActive_ = false;
    SetHintControl(control);
    hintCursorRect_ = control->ClientRect();
    StartHintTimer(wait, kHintShowTimer);
}

void TApplication::HintTimerExpired(UINT_PTR id) {
    StopHintTimer(id);
    POINT p{};
    ::GetCursorPos(&p);
    switch (id) {
        case kHintShowTimer:
        case kHintReshowTimer:
            if (hintControl_) ActivateHint(TPoint{p.x, p.y});
            break;
        case kHintHideTimer:
            HideHint();
            hintActive_ = false;
            break;
        default: break;
    }
}

void TApplication::ActivateHint(TPoint cursorPos) {
    // Whatever pause was running ends here.
    StopHintTimer(kHintShowTimer);
    StopHintTimer(kHintReshowTimer);
    TControl* control = FindDragTarget(cursorPos, true);
    if (!showHint_ || !control) {
        CancelHint();
        return;
    }
    SetHintControl(control);

    THintInfo info;
    info.HintControl = control;
    info.HintWindowClass = HintWindowClass();
    info.HintPos = TPoint{cursorPos.X, cursorPos.Y + CursorHeightMargin()};
    info.HintMaxWidth = Screen ? Screen->Width() : ::GetSystemMetrics(SM_CXSCREEN);
    info.HintColor = hintColor_;
    info.CursorRect = control->ClientRect();
    info.CursorPos = control->ScreenToClient(cursorPos);
    info.HintStr = GetShortHint(HintOf(control));
    if (hintShortCuts_ && !info.HintStr.empty()) info.HintStr += ShortCutSuffixOf(control);
    info.HintData = nullptr;
    info.ReshowTimeout = 0;
    info.HideTimeout = hintHidePause_;
    // Through the control's WindowProc, so that whatever hooked it can rewrite the hint; non-zero vetoes it.
    const bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&info)) == 0;
    if (hintControl_ != control) return;  // the control went away meanwhile
    hintCursorRect_ = info.CursorRect;

    if (!canShow || info.HintStr.empty() || !info.HintWindowClass) {
        HideHint();
    } else {
        if (hintWindow_ && hintWindow_->ClassType() != info.HintWindowClass.Class()) FreeAndNil(hintWindow_);
        if (!hintWindow_) {
            hintWindow_ = info.HintWindowClass.Create(nullptr);
            hintWindow_->FreeNotification(this);
        }
        hintWindow_->SetColor(info.HintColor);
        TRect rect = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
        rect = TRect{rect.Left + info.HintPos.X, rect.Top + info.HintPos.Y, rect.Right + info.HintPos.X,
                     rect.Bottom + info.HintPos.Y};
        // The hint string goes on exactly as the CM_HINTSHOW handlers left it.
        hintWindow_->ActivateHintData(rect, info.HintStr, info.HintData);
        hintShowing_ = true;
        hintActive_ = true;
        if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, kHintHideTimer);
    }
    if (info.ReshowTimeout > 0) StartHintTimer(info.ReshowTimeout, kHintReshowTimer);
}

// ---- help ----

bool TApplication::HelpCommand(std::uint16_t command, std::intptr_t data) {
    bool callHelp = true;
    bool result = false;
    if (OnHelp) result = OnHelp(command, data, callHelp);
    if (callHelp && !helpFile_.empty()) {
        HWND owner = ActiveFormHandle();
        if (!owner) owner = handle_;
        result = ::WinHelpA(owner, helpFile_.c_str(), command, static_cast<ULONG_PTR>(data)) != FALSE;
    }
    return result;
}

bool TApplication::HelpContext(std::intptr_t context) {
    if (context == 0) return false;
    return HelpCommand(HELP_CONTEXT, context);
}

// ---- actions and shortcuts ----

bool TApplication::DispatchAction(std::uint32_t msg, TBasicAction* action) {
    const auto lp = reinterpret_cast<std::intptr_t>(action);
    if (handle_ && ::SendMessageA(handle_, msg, 0, lp) != 0) return true;
    TCustomForm* active = Screen ? Screen->ActiveCustomForm() : nullptr;
    if (active && active->Perform(msg, 0, lp) != 0) return true;
    return mainForm_ && mainForm_ != active && mainForm_->Perform(msg, 0, lp) != 0;
}

bool TApplication::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (OnActionExecute) OnActionExecute(action, handled);
    return handled || DispatchAction(CM_ACTIONEXECUTE, action);
}

bool TApplication::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (OnActionUpdate) OnActionUpdate(action, handled);
    return handled || DispatchAction(CM_ACTIONUPDATE, action);
}

bool TApplication::IsShortCut(TMessage& keyMsg) {
    if (!handle_) return false;
    return ::SendMessageA(handle_, CM_APPKEYDOWN, keyMsg.WParam, keyMsg.LParam) != 0;
}

// ---- window state ----

bool TApplication::MainFormSysCommand(std::uintptr_t command) {
    if (!mainForm_ || !mainForm_->HandleAllocated()) return false;
    HWND main = mainForm_->WindowHandle();
    if (command == SC_MINIMIZE && ::GetActiveWindow() == main && !::IsIconic(main)) {
        Minimize();
        return true;
    }
    if (command == SC_RESTORE && ::IsIconic(main)) {
        Restore();
        return true;
    }
    return false;
}

void TApplication::Minimize() {
    if (mainForm_ && mainForm_->HandleAllocated()) {
        if (::IsIconic(mainForm_->WindowHandle())) return;
        ::ShowWindow(mainForm_->WindowHandle(), SW_MINIMIZE);
    }
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    if (mainForm_ && mainForm_->HandleAllocated()) {
        if (!::IsIconic(mainForm_->WindowHandle())) return;
        ::ShowWindow(mainForm_->WindowHandle(), SW_RESTORE);
    }
    if (OnRestore) OnRestore(this);
}

// ---- start-up ----

void RegisterFormsUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "Forms",
        [] {
            Mouse = Create<TMouse>();
            Screen = Create<TScreen>(nullptr);
            Application = Create<TApplication>(nullptr);
        },
        [] {
            FreeAndNil(Application);
            FreeAndNil(Screen);
            FreeAndNil(Mouse);
        },
        FormsUnitOrder);
}
