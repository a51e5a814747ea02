#include "classlib/win/TCommonDialog.h"

#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/ScopeGuard.h"

namespace {

// The window property that leads from a dialog's hook window to its TCommonDialog.
constexpr char kDialogProperty[] = "ClassLibCommonDialog";

}  // namespace

TCommonDialog::TCommonDialog(TComponent* owner)
    : TComponent(owner), instance_(MakeMethod<&TCommonDialog::MainWndProc>(this)) {}

TCommonDialog::~TCommonDialog() { Detach(); }

const char* TCommonDialog::Template() const {
    if (templateId_) return templateId_;
    return templateName_.empty() ? nullptr : templateName_.c_str();
}

void TCommonDialog::SetTemplate(const char* name) {
    templateName_.clear();
    templateId_ = nullptr;
    if (!name) return;
    if (IS_INTRESOURCE(name))
        templateId_ = name;
    else
        templateName_ = name;
}

bool TCommonDialog::Execute() { return Execute(DefaultParent()); }

HWND TCommonDialog::DefaultParent() {
    if (!Application) return nullptr;
    if (Application->ModalPopupMode() != pmNone) {
        if (HWND active = Application->ActiveFormHandle()) return active;
    }
    return Application->Handle();
}

void TCommonDialog::WndProc(TMessage& message) { Dispatch(message); }

void TCommonDialog::DefaultHandler(TMessage& message) {
    // Forwarded hook messages were already handled by the system; only the dialog's own messages go on.
    if (forwarded_ || !subclassed_ || !defWndProc_) return;
    message.Result = CallWindowProcA(defWndProc_, subclassed_, message.Msg, message.WParam, message.LParam);
}

void TCommonDialog::DoShow() {
    if (OnShow) OnShow(this);
}

void TCommonDialog::DoClose() {
    if (OnClose) OnClose(this);
}

bool TCommonDialog::TaskModalDialog(const TTaskModalFunc& func, void* record) {
    TScopeExit detach([this] { Detach(); });
    return Application ? Application->TaskModalDialog(func, record) : func(record) != FALSE;
}

std::intptr_t TCommonDialog::HookInitDialog(HWND hookWindow, HWND dialogWindow, TMessage& message) {
    Detach();
    closed_ = false;
    hookWindow_ = hookWindow;
    SetPropA(hookWindow, kDialogProperty, reinterpret_cast<HANDLE>(this));
    handle_ = dialogWindow;
    subclassed_ = dialogWindow;
    defWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialogWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance_.Proc())));
    const std::intptr_t result = HookMessage(hookWindow, message);
    DoShow();
    return result;
}

std::intptr_t TCommonDialog::HookMessage(HWND hookWindow, TMessage& message) {
    {
        TScopeExit restore([this, wasForwarded = forwarded_] { forwarded_ = wasForwarded; });
        forwarded_ = true;
        WndProc(message);
    }
    SetWindowLongPtrA(hookWindow, DWLP_MSGRESULT, message.Result);
    return message.Result;
}

TCommonDialog* TCommonDialog::FromHookWindow(HWND hookWindow) {
    return static_cast<TCommonDialog*>(GetPropA(hookWindow, kDialogProperty));
}

void TCommonDialog::Detach() {
    if (hookWindow_) {
        if (IsWindow(hookWindow_) && FromHookWindow(hookWindow_) == this) RemovePropA(hookWindow_, kDialogProperty);
        hookWindow_ = nullptr;
    }
    handle_ = nullptr;
    if (!subclassed_) return;
    if (!IsWindow(subclassed_)) {
        subclassed_ = nullptr;
    } else if (GetWindowLongPtrA(subclassed_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(instance_.Proc())) {
        SetWindowLongPtrA(subclassed_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defWndProc_));
        subclassed_ = nullptr;
    }
    // Otherwise someone subclassed the window after us and still calls our procedure: it keeps passing the
    // messages on to the window's own procedure until the window is gone.
}

void TCommonDialog::MainWndProc(TMessage& message) {
    // A message reaching the dialog window is its own, even when a forwarded hook message sent it (a
    // selection-change handler asking the dialog for the chosen path): it goes on to the dialog's procedure.
    const bool wasForwarded = forwarded_;
    forwarded_ = false;
    try {
        WndProc(message);
    } catch (...) {
        HandleCallbackException(this);
    }
    forwarded_ = wasForwarded;
    if (message.Msg == WM_NCDESTROY) {
        Detach();
        subclassed_ = nullptr;
    }
}

void TCommonDialog::WMDestroy(TMessage& message) {
    if (!closed_) {
        closed_ = true;
        DoClose();
    }
    DispatchInherited<TCommonDialog>(this, message);
}
