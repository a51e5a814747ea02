#include "toolbar/win/MessageHooks.h"

#include "toolbar/win/SystemSettings.h"

namespace tb {

namespace {

// Plain thread-local pointers: the table goes with the thread's last registration.
thread_local THookTable<TTBHookProc>* t_table = nullptr;
thread_local HHOOK t_hooks[3] = {nullptr, nullptr, nullptr};

void Dispatch(TTBHookKind kind, HWND window, WPARAM wParam, LPARAM lParam) {
    if (!t_table) return;
    for (TTBHookProc proc : t_table->ProcsFor(kind)) {
        if (!t_table || !t_table->Wants(proc, kind)) continue;  // uninstalled by an earlier one
        try {
            proc(kind, window, wParam, lParam);
        } catch (...) {}
    }
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        switch (cwp->message) {
            case WM_ACTIVATE: Dispatch(hkWMActivate, cwp->hwnd, cwp->wParam, cwp->lParam); break;
            case WM_ACTIVATEAPP: Dispatch(hkWMActivateApp, cwp->hwnd, cwp->wParam, cwp->lParam); break;
            case WM_WINDOWPOSCHANGED: Dispatch(hkWMWindowPosChanged, cwp->hwnd, cwp->wParam, cwp->lParam); break;
            default: break;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CBTHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) Dispatch(hkCBTDestroy, reinterpret_cast<HWND>(wParam), wParam, lParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) Dispatch(hkGetMessage, reinterpret_cast<const MSG*>(lParam)->hwnd, wParam, lParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct TSystemHookType {
    int id;
    HOOKPROC proc;
};
constexpr TSystemHookType kSystemHooks[3] = {
    {WH_CALLWNDPROC, &CallWndProcHook}, {WH_CBT, &CBTHook}, {WH_GETMESSAGE, &GetMessageHook}};

// Installs and removes system hooks until the thread has exactly the ones its table needs.
void Synchronize() {
    const TTBSystemHooks needed = t_table ? t_table->NeededHooks() : TTBSystemHooks{};
    for (int i = 0; i < 3; ++i) {
        const bool wanted = needed.Contains(TTBSystemHook(i));
        if (wanted && !t_hooks[i]) {
            const DWORD thread = ::GetCurrentThreadId();
            t_hooks[i] = IsWindowsNT() ? ::SetWindowsHookExW(kSystemHooks[i].id, kSystemHooks[i].proc, nullptr, thread)
                                       : ::SetWindowsHookExA(kSystemHooks[i].id, kSystemHooks[i].proc, nullptr, thread);
        } else if (!wanted && t_hooks[i]) {
            ::UnhookWindowsHookEx(t_hooks[i]);
            t_hooks[i] = nullptr;
        }
    }
    if (t_table && t_table->Empty()) {
        delete t_table;
        t_table = nullptr;
    }
}

}  // namespace

void InstallHookProc(const void* owner, TTBHookProc proc, TTBHookKinds kinds) {
    if (!t_table) t_table = new THookTable<TTBHookProc>();
    t_table->Install(owner, proc, kinds);
    Synchronize();
}

void UninstallHookProc(const void* owner, TTBHookProc proc) {
    if (!t_table) return;
    t_table->Uninstall(owner, proc);
    Synchronize();
}

TTBSystemHooks InstalledSystemHooks() {
    TTBSystemHooks installed;
    for (int i = 0; i < 3; ++i)
        if (t_hooks[i]) installed.Include(TTBSystemHook(i));
    return installed;
}

}  // namespace tb
