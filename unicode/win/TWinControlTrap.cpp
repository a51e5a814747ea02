#include "unicode/win/TWinControlTrap.h"

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/THintWindow.h"
#include "unicode/core/RetiringOwner.h"
#include "unicode/core/WideCharMessage.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/UniControlsState.h"

namespace {

using TrapList = uni::TRetiringOwner<TWinControl*, TWinControlTrap, TFreeDeleter>;

TrapList& Traps() {
    static TrapList list;
    return list;
}

// A trap goes once no message runs through it and its window (if any) is gone.
bool CanFree(const TWinControlTrap& trap) { return !trap.Busy() && !(trap.Window() && ::IsWindow(trap.Window())); }

bool IsTextMessage(std::uint32_t msg) { return msg == WM_SETTEXT || msg == WM_GETTEXT || msg == WM_GETTEXTLENGTH; }

}  // namespace

TWinControlTrap::TWinControlTrap(TWinControl* control)
    : TComponent(nullptr),
      windowThunk_(MakeMethod<&TWinControlTrap::WindowProcedure>(this)),
      defaultThunk_(MakeMethod<&TWinControlTrap::DefaultProcedure>(this)),
      control_(control) {
    control_->FreeNotification(this);
}

TWinControlTrap::~TWinControlTrap() = default;

void TWinControlTrap::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove || component != control_) return;
    TWinControl* control = control_;
    control_ = nullptr;
    previousHandler_ = nullptr;
    Traps().Retire(control, this);
}

void TWinControlTrap::PrepareDefaultProcedure(WNDPROC wideDefault) {
    previousDefProc_ = wideDefault;
    control_->SetDefWndProc(defaultThunk_.Proc());
}

void TWinControlTrap::Attach(HWND window, WNDPROC previous) {
    window_ = window;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC)) == windowThunk_.Proc()) return;
    previousWndProc_ = previous;
    if (control_->DefWndProc() != defaultThunk_.Proc()) PrepareDefaultProcedure(control_->DefWndProc());
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowThunk_.Proc()));
}

void TWinControlTrap::HookWindowProc() {
    const TWndMethod mine = Handler();
    bool hooked;
    if (control_->WindowProc == control_->OwnWindowProc()) {
        hooked = false;
    } else if (control_->WindowProc == mine) {
        hooked = true;
    } else {
        // Someone hooked the chain after the trap: ask the chain whether the trap still is in it.
        probeActive_ = true;
        probeSeen_ = false;
        TScopeExit done([this] { probeActive_ = false; });
        TMessage zero;
        control_->WindowProc(zero);
        hooked = probeSeen_;
    }
    if (hooked) return;
    previousHandler_ = control_->WindowProc;
    control_->WindowProc = mine;
}

void TWinControlTrap::Unsubclass() {
    HWND window = window_;
    if (!window || !control_) return;
    if (!control_->ComponentState().Contains(csDestroying)) {
        // Kept for the next window of the control.
        uni::SetStoredWideText(control_, uni::WindowTextW(window));
    }
    if (control_->WindowProc == Handler() && previousHandler_) control_->WindowProc = previousHandler_;
    control_->SetDefWndProc(previousDefProc_);
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWndProc_));
    window_ = nullptr;
}

void TWinControlTrap::WindowProcedure(TMessage& message) {
    HWND window = window_;
    if (!control_ || uni::State().finalized) {
        if (control_ && (message.Msg == WM_DESTROY || message.Msg == uni::DestroyWindowMessage()))
            control_->SetWindowHandle(nullptr);
        message.Result = ::DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
        return;
    }
    ++depth_;
    lastSystemMessage_ = message.Msg;
    TScopeExit leave([this] {
        --depth_;
        lastSystemMessage_ = 0;
    });
    message.Result = ::CallWindowProcW(previousWndProc_, window, message.Msg, message.WParam, message.LParam);
}

void TWinControlTrap::MessageHandler(TMessage& message) {
    if (probeActive_ && message.Msg == 0 && message.WParam == 0 && message.LParam == 0) {
        probeSeen_ = true;
        return;
    }
    if (!control_) return;
    const bool fromSystem = lastSystemMessage_ != 0;
    lastSystemMessage_ = 0;
    HWND window = window_ && ::IsWindow(window_) ? window_ : nullptr;
    if (!window) {
        if (previousHandler_) previousHandler_(message);
        return;
    }
    if (message.Msg == CM_HINTSHOW && message.LParam)
        uni::PrepareUnicodeHint(*reinterpret_cast<THintInfo*>(message.LParam));
    if (!fromSystem && IsTextMessage(message.Msg)) {
        // The library's own 8-bit text access: the system converts between its code page and the window.
        message.Result = ::SendMessageA(window, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (message.Msg == WM_CHAR) uni::PackWideCharMessage(message);
    previousHandler_(message);
    // Only the form's own request counts: another program could post the message to any of our windows.
    if (message.Msg == uni::DestroyWindowMessage() && message.Msg != 0 && !fromSystem) Unsubclass();
}

void TWinControlTrap::DefaultProcedure(TMessage& message) {
    HWND window = window_ ? window_ : (control_ ? control_->WindowHandle() : nullptr);
    WNDPROC next = previousDefProc_ ? previousDefProc_ : &::DefWindowProcW;
    switch (message.Msg) {
        case WM_NOTIFYFORMAT: {
            auto asking = reinterpret_cast<HWND>(message.WParam);
            TWinControl* creating = uni::State().creationControl;
            const bool wide = ::IsWindowUnicode(asking) || (creating && creating->WindowHandle() == asking);
            message.Result = wide ? NFR_UNICODE : NFR_ANSI;
            return;
        }
        case WM_CHAR: uni::UnpackWideCharMessage(message); break;
        case WM_DESTROY: Unsubclass(); break;
        default: break;
    }
    message.Result = ::CallWindowProcW(next, window, message.Msg, message.WParam, message.LParam);
}

namespace uni {

TWinControlTrap* TrapOf(TWinControl* control, bool create) {
    Traps().Sweep(&CanFree);
    if (TWinControlTrap* trap = Traps().Find(control)) return trap;
    if (!create) return nullptr;
    return Traps().Add(control, TObjectPtr<TWinControlTrap>(Create<TWinControlTrap>(control)));
}

int TrapCount() { return static_cast<int>(Traps().LiveCount() + Traps().RetiredCount()); }

// Traps of windows still alive stay with them (they pass every message on to the system from now on).
void ReleaseTraps() { Traps().ReleaseAll(&CanFree); }

}  // namespace uni
