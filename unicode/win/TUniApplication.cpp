#include "unicode/win/TUniApplication.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/core/UnitRegistry.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/WideChars.h"
#include "unicode/core/PairedStrings.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/UniControls.h"

TUniApplication* UniApplication = nullptr;

namespace {

HHOOK g_messageHook = nullptr;
constexpr UINT kQuietMove = SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOSIZE;
// The last system-setting change, for code that has no application object at hand.
DWORD g_lastSettingChange = 0;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && UniApplication && lParam) {
        try {
            UniApplication->FilterMessage(*reinterpret_cast<MSG*>(lParam));
        } catch (...) {
            if (Application) Application->HandleException(UniApplication);
        }
    }
    return ::CallNextHookEx(g_messageHook, code, wParam, lParam);
}

WideString DefWindowTextW(HWND wnd) {
    const auto length = ::DefWindowProcW(wnd, WM_GETTEXTLENGTH, 0, 0);
    WideString text(static_cast<std::size_t>(length) + 1, u'\0');
    const auto got =
        ::DefWindowProcW(wnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
    return text;
}

}  // namespace

TUniAppIdleEventControl::TUniAppIdleEventControl(TComponent* owner) : TControl(owner) {
    SetVisible(false);
    TUniAction* action = Create<TUniAction>(this);
    action->OnExecute = MakeMethod<&TUniAppIdleEventControl::SyncHint>(this);
    action->OnUpdate = MakeMethod<&TUniAppIdleEventControl::SyncHint>(this);
    SetAction(action);
}

void TUniAppIdleEventControl::SyncHint(TObject*) {
    if (UniApplication) UniApplication->SyncWideHint();
}

TUniApplication::TUniApplication(TComponent* owner) : TComponent(owner) {
    if (Application) Application->HookMainWindow(MakeMethod<&TUniApplication::MainWindowHook>(this));
    lastSettingChange_ = g_lastSettingChange = ::GetTickCount();
}

TUniApplication::~TUniApplication() {
    if (Application) Application->UnhookMainWindow(MakeMethod<&TUniApplication::MainWindowHook>(this));
    if (idleEventControl_) {
        TUniAppIdleEventControl* control = idleEventControl_;
        idleEventControl_ = nullptr;
        control->RemoveFreeNotification(this);
        Free(control);
    }
}

void TUniApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == idleEventControl_) idleEventControl_ = nullptr;
}

bool TUniApplication::MainWindowHook(TMessage& message) {
    switch (message.Msg) {
        case WM_SETTINGCHANGE: lastSettingChange_ = g_lastSettingChange = ::GetTickCount(); return false;
        case WM_CREATE:
            if (titlePending_ && Application && Application->Handle()) {
                ::DefWindowProcW(Application->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pendingTitle_.c_str()));
                titlePending_ = false;
                pendingTitle_.clear();
            }
            return false;
        case CM_ACTIONEXECUTE: {
            // The library's hint action carries the 8-bit hint; a wide one carries the wide text instead.
            auto* action = reinterpret_cast<TBasicAction*>(message.LParam);
            auto* hintAction = dynamic_cast<THintAction*>(action);
            if (!hintAction || hintAction->ClassType() != THintAction::StaticClass()) return false;
            const WideString hint = GetHint();
            if (hintAction->Hint() != uni::ToAnsi(hint)) return false;
            TObjectPtr<TUniHintAction> wide = MakeObject<TUniHintAction>(nullptr);
            uni::SetActionWideHint(wide.get(), hint);
            message.Result = wide->Execute() ? 1 : 0;
            return true;
        }
        default: return false;
    }
}

WideString TUniApplication::GetTitle() {
    if (Application && Application->Handle()) return DefWindowTextW(Application->Handle());
    if (!titlePending_) return Application ? uni::FromAnsi(Application->Title()) : WideString();
    return uni::ReadPairedWideString(pendingTitle_, Application ? Application->Title() : AnsiString());
}

void TUniApplication::SetTitle(const WideString& text) {
    if (Application && Application->Handle()) {
        if (GetTitle() != text || titlePending_) {
            ::DefWindowProcW(Application->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            titlePending_ = false;
            pendingTitle_.clear();
        }
        return;
    }
    // Until the window exists the title waits here, beside the library's 8-bit one.
    titlePending_ = true;
    uni::WritePairedWideString(text, pendingTitle_, Application ? Application->Title() : AnsiString(),
                               [](const AnsiString& a) {
                                   if (Application) Application->SetTitle(a);
                               });
}

WideString TUniApplication::HintUnderMouse() {
    POINT p{};
    ::GetCursorPos(&p);
    TControl* control = FindDragTarget(TPoint{p.x, p.y}, true);
    return control ? uni::LongWideHint(uni::FindWideHint(control)) : WideString();
}

WideString TUniApplication::GetHint() {
    const AnsiString ansi = Application ? Application->Hint() : AnsiString();
    const WideString underMouse = HintUnderMouse();
    if (!underMouse.empty() && ansi == uni::ToAnsi(underMouse)) wideHint_ = underMouse;
    return uni::ReadPairedWideString(wideHint_, ansi);
}

void TUniApplication::SetHint(const WideString& text) {
    uni::WritePairedWideString(text, wideHint_, Application ? Application->Hint() : AnsiString(),
                               [](const AnsiString& a) {
                                   if (Application) Application->SetHint(a);
                               });
}

void TUniApplication::SyncWideHint() {
    const WideString underMouse = HintUnderMouse();
    if (Application && !underMouse.empty() && Application->Hint() == uni::ToAnsi(underMouse)) SetHint(underMouse);
}

bool TUniApplication::IsDialogMessage(MSG& msg) {
    HWND dialog = Application ? Application->DialogHandle() : nullptr;
    if (!dialog) return false;
    return (::IsWindowUnicode(dialog) ? ::IsDialogMessageW(dialog, &msg) : ::IsDialogMessageA(dialog, &msg)) != FALSE;
}

void TUniApplication::CheckMainForm() {
    if (mainFormChecked_ || !Application || !Application->MainForm()) return;
    mainFormChecked_ = true;
    TCustomForm* main = Application->MainForm();
    if (main->InheritsFrom(TUniForm::StaticClass())) return;
    idleEventControl_ = Create<TUniAppIdleEventControl>(main);
    idleEventControl_->FreeNotification(this);
    idleEventControl_->SetParent(main);
}

bool TUniApplication::FilterMessage(MSG& msg) {
    CheckMainForm();
    if (msg.message != WM_CHAR || (msg.wParam & 0xFFFF) < 256 || !::IsWindowUnicode(msg.hwnd)) return false;
    HWND dialog = Application ? Application->DialogHandle() : nullptr;
    if (dialog && !::IsWindowUnicode(dialog)) return false;
    bool handled = false;
    if (Application && Application->OnMessage) Application->OnMessage(msg, handled);
    if (Application) Application->CancelHint();
    if (!handled && !IsDialogMessage(msg)) ::DispatchMessageW(&msg);
    // The library's 8-bit loop would deliver it once more, narrowed: it sees nothing.
    msg.message = WM_NULL;
    return true;
}

int TUniApplication::MessageBox(const WideString& text, const WideString& caption, unsigned flags) {
    if (!Application) return ::MessageBoxW(nullptr, WideCStr(text), WideCStr(caption), flags);
    HWND appWindow = Application->Handle();
    HWND owner = Application->ActiveFormHandle();
    if (!owner) owner = appWindow;
    if (Application->UseRightToLeftReading()) flags |= MB_RTLREADING;
    const WideString shownCaption = caption.empty() ? GetTitle() : caption;

    // The box centres on the application window: moved for the call to the monitor of its owner.
    RECT appRect{};
    bool moved = false;
    if (appWindow && owner != appWindow) {
        HMONITOR ownerMonitor = ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
        if (ownerMonitor != ::MonitorFromWindow(appWindow, MONITOR_DEFAULTTONEAREST)) {
            MONITORINFO mi{};
            mi.cbSize = sizeof mi;
            ::GetWindowRect(appWindow, &appRect);
            if (::GetMonitorInfoW(ownerMonitor, &mi)) {
                const int x = (mi.rcWork.left + mi.rcWork.right) / 2, y = (mi.rcWork.top + mi.rcWork.bottom) / 2;
                moved = ::SetWindowPos(appWindow, nullptr, x, y, 0, 0, kQuietMove) != FALSE;
            }
        }
    }
    TScopeExit moveBack([&] {
        if (moved) ::SetWindowPos(appWindow, nullptr, appRect.left, appRect.top, 0, 0, kQuietMove);
    });
    int result = 0;
    Application->TaskModalDialog(
        [&](void*) {
            result = ::MessageBoxW(owner, WideCStr(text), WideCStr(shownCaption), flags);
            return TRUE;
        },
        nullptr);
    return result;
}

namespace uni {

void RegisterUniApplicationUnit() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    classlib::RegisterUnit(
        "UniApplication",
        [] {
            UniApplication = Create<TUniApplication>(nullptr);
            g_messageHook = ::SetWindowsHookExW(WH_GETMESSAGE, &GetMessageHook, nullptr, ::GetCurrentThreadId());
            if (!g_messageHook) RaiseLastWin32Error();
        },
        [] {
            if (g_messageHook) ::UnhookWindowsHookEx(g_messageHook);
            g_messageHook = nullptr;
            FreeAndNil(UniApplication);
        },
        UniApplicationUnitOrder);
}

}  // namespace uni
