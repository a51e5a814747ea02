#include "toolbar/win/ToolbarShortCuts.h"

#include <algorithm>
#include <exception>

#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TWinControl.h"
#include "toolbar/core/ShortCutRun.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBCustomToolbar.h"
#include "toolbar/win/TTBDock.h"

namespace {

// The registered toolbars, and the object whose member is the application hook.
struct TShortCutRegistry {
    std::vector<TTBCustomToolbar*> toolbars;
    bool hooked = false;
    bool AppHook(TMessage& message) { return tb::ToolbarAppHook(message); }
};

TShortCutRegistry& Registry() {
    static TShortCutRegistry registry;
    return registry;
}

bool IsRegistered(const TTBCustomToolbar* toolbar) {
    const auto& list = Registry().toolbars;
    return std::find(list.begin(), list.end(), toolbar) != list.end();
}

TCustomForm* ActiveForm() { return dynamic_cast<TCustomForm*>(FindControl(::GetActiveWindow())); }

bool FormWindowEnabled(TCustomForm* form) { return form->HandleAllocated() && ::IsWindowEnabled(form->Handle()); }

// Asks the registered toolbars of form, in registration order, to take the key.
bool AskFormsToolbars(TCustomForm* form, TMessage& message) {
    const TShortCut shortCut = tb::ShortCutOfKeyMessage(message);
    const std::vector<TTBCustomToolbar*> toolbars = Registry().toolbars;  // a click may change the list
    for (TTBCustomToolbar* toolbar : toolbars) {
        if (!IsRegistered(toolbar) || !toolbar->ProcessShortCuts() || toolbar->WindowForm() != form) continue;
        if (!FormWindowEnabled(form)) return false;
        bool handled = false;
        if (toolbar->OnShortCut) toolbar->OnShortCut(message, handled);
        if (!handled && shortCut != scNone) {
            handled = RunShortCut(*toolbar->Items(), shortCut, false, [toolbar](std::exception_ptr e) {
                try {
                    std::rethrow_exception(e);
                } catch (...) {
                    if (Application) Application->HandleException(toolbar);
                }
            });
        }
        if (handled) {
            message.Result = 1;
            return true;
        }
    }
    return false;
}

// WM_SYSCOMMAND to the menu-event controls under parent, depth first in child order; true at the first that
// answers non-zero.
bool SendToMenuControls(TWinControl* parent, TMessage& message) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!control) continue;
        if (control->Visible() && control->Enabled() && control->ControlStyle().Contains(csMenuEvents) &&
            (dynamic_cast<TTBDock*>(control) || dynamic_cast<TTBCustomToolbar*>(control)) &&
            control->Perform(WM_SYSCOMMAND, message.WParam, message.LParam) != 0) {
            return true;
        }
        if (SendToMenuControls(control, message)) return true;
    }
    return false;
}

}  // namespace

void tb::SetShortCutRegistration(TTBCustomToolbar* toolbar, bool registered) {
    TShortCutRegistry& r = Registry();
    if (registered == IsRegistered(toolbar)) return;
    if (registered) {
        r.toolbars.push_back(toolbar);
        if (!r.hooked && Application) {
            Application->HookMainWindow(MakeMethod<&TShortCutRegistry::AppHook>(&r));
            r.hooked = true;
        }
    } else {
        std::erase(r.toolbars, toolbar);
        if (r.toolbars.empty() && r.hooked) {
            if (Application) Application->UnhookMainWindow(MakeMethod<&TShortCutRegistry::AppHook>(&r));
            r.hooked = false;
        }
    }
}

const std::vector<TTBCustomToolbar*>& tb::RegisteredToolbars() { return Registry().toolbars; }

bool tb::AppHookInstalled() { return Registry().hooked; }

TShortCut tb::ShortCutOfKeyMessage(const TMessage& message) {
    return ::ShortCut(static_cast<std::uint16_t>(message.WParam & 0xFFFF), KeyDataToShiftState(message.LParam));
}

bool tb::ToolbarAppHook(TMessage& message) {
    switch (message.Msg) {
        case CM_APPKEYDOWN: {
            if (Registry().toolbars.empty()) return false;
            TCustomForm* active = ActiveForm();
            if (!active) return false;
            if (active->FormStyle() == fsMDIForm) {
                TCustomForm* child = active->ActiveMDIChild();
                if (child && Screen && child == Screen->ActiveCustomForm() && AskFormsToolbars(child, message)) {
                    return true;
                }
            }
            if (AskFormsToolbars(active, message)) return true;
            TCustomForm* main = Application ? Application->MainForm() : nullptr;
            return main && main != active && AskFormsToolbars(main, message);
        }
        case CM_APPSYSCOMMAND: {
            TCustomForm* active = ActiveForm();
            if (!active || !active->HandleAllocated() || !::IsWindowEnabled(active->Handle()) ||
                !::IsWindowVisible(active->Handle())) {
                return false;
            }
            if (!SendToMenuControls(active, message)) return false;
            message.Result = 1;
            return true;
        }
        default: return false;
    }
}

void tb::ToolbarHookProc(TTBHookKind kind, HWND, WPARAM wParam, LPARAM lParam) {
    if (kind != hkGetMessage || wParam != PM_REMOVE) return;
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (msg->message != WM_SYSCHAR) return;
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || !main->HandleAllocated() || ::GetCapture()) return;
    const HWND client = main->ClientHandle();
    if (!client) return;
    if (msg->hwnd == client || (msg->wParam == '-' && ::IsChild(client, msg->hwnd))) msg->hwnd = main->Handle();
}
