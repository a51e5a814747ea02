#include "unicode/win/TWinControlTrap.h"

#include <algorithm>
#include <map>
#include <vector>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/THintWindow.h"
#include "unicode/core/WideCharMessage.h"
#include "unicode/win/UniControls.h"
#include "unicode/win/UniControlsState.h"

namespace {

struct TrapList {
    std::map<TWinControl*, TObjectPtr<TWinControlTrap>> live;
    // Traps whose control is gone, freed once no call on them runs.
    std::vector<TObjectPtr<TWinControlTrap>> retired;
};

TrapList& Traps() {
    static TrapList list;
    return list;
}

void SweepRetired() {
    auto& retired = Traps().retired;
    // Taken out of the list before freeing: a trap's destructor may reach the list again.
    std::vector<TObjectPtr<TWinControlTrap>> done;
    for (auto it = retired.begin(); it != retired.end();) {
        if ((*it)->Busy() || ((*it)->Window() && ::IsWindow((*it)->Window()))) {
            ++it;
        } else {
            done.push_back(std::move(*it));
            it = retired.erase(it);
        }
    }
}

void Retire(TWinControlTrap* trap, TWinControl* control) {
    auto& live = Traps().live;
    auto it = live.find(control);
    if (it == live.end() || it->second.get() != trap) return;
    Traps().retired.push_back(std::move(it->second));
    live.erase(it);
}

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
    Retire(this, control);
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
        const int length = ::GetWindowTextLengthW(window);
        WideString text(static_cast<std::size_t>(length) + 1, u'\0');
        const int got = ::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
        text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
        uni::SetStoredWideText(control_, text);
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
        case WM_CHAR:
            uni::UnpackWideCharMessage(message);
            break;
        case WM_DESTROY:
            Unsubclass();
            break;
        default:
            break;
    }
    message.Result = ::CallWindowProcW(next, window, message.Msg, message.WParam, message.LParam);
}

namespace uni {

TWinControlTrap* TrapOf(TWinControl* control, bool create) {
    SweepRetired();
    auto& live = Traps().live;
    auto it = live.find(control);
    if (it != live.end()) return it->second.get();
    if (!create) return nullptr;
    TWinControlTrap* trap = Create<TWinControlTrap>(control);
    live.emplace(control, TObjectPtr<TWinControlTrap>(trap));
    return trap;
}

int TrapCount() { return static_cast<int>(Traps().live.size() + Traps().retired.size()); }

void ReleaseTraps() {
    SweepRetired();
    auto& live = Traps().live;
    for (auto it = live.begin(); it != live.end();) {
        if (it->second->Window() && ::IsWindow(it->second->Window()))
            ++it;
        else
            it = live.erase(it);
    }
}

}  // namespace uni
