#include "toolbar/win/TTBModalHandler.h"

#include <climits>
#include <vector>

#include <mmsystem.h>

#include "classlib/core/CodePages.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TWinControl.h"
#include "toolbar/core/Captions.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBPopupWindow.h"
#include "toolbar/win/TextDrawing.h"

using namespace tb;

namespace {

constexpr UINT kWmSysTimer = 280;
// Sent for the F1 key ahead of WM_HELP; the menu loop swallows it, so F1 opens no help while a menu is open.
constexpr UINT kWmKeyF1 = 0x004D;
constexpr char kHandlerClass[] = "TTBModalHandlerWindow";

TPoint lastMousePos{INT_MIN, 0};

using TLockSetForegroundWindow = BOOL(WINAPI*)(UINT);
TLockSetForegroundWindow LockForeground() {
    static const auto fn = reinterpret_cast<TLockSetForegroundWindow>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "LockSetForegroundWindow")));
    return fn;
}

std::vector<TTBView*> OpenChain(TTBView* root) {
    std::vector<TTBView*> chain;
    for (TTBView* v = root; v && chain.size() < 64; v = v->OpenView()) chain.push_back(v);
    return chain;
}

bool IsChainWindow(const std::vector<TTBView*>& chain, HWND wnd) {
    for (TTBView* v : chain) {
        if (dynamic_cast<TTBPopupWindow*>(v->Window()) && v->Window()->WindowHandle() == wnd) return true;
    }
    return false;
}

TTBView* ViewOfWindow(const std::vector<TTBView*>& chain, HWND wnd) {
    for (TTBView* v : chain) {
        if (v->Window()->WindowHandle() == wnd) return v;
    }
    return nullptr;
}

// Tells the open views where the pointer is: from the deepest up to the one holding the capture. A view
// only ever closes the popups below it, so the views still to be told stay alive.
void UpdateHover(TTBView* root, TPoint screen, bool hoverTiming) {
    const std::vector<TTBView*> chain = OpenChain(root);
    std::size_t first = 0;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        if (chain[i]->Capture()) first = i;
    }
    for (std::size_t i = chain.size(); i-- > first;) chain[i]->UpdateMouseOver(screen, hoverTiming);
    TTBView* deepest = OpenChain(root).back();
    TTBItemViewer* sel = deepest->Selected();
    if (Application) {
        bool captured = false;
        for (TTBView* v : OpenChain(root)) captured = captured || v->Capture();
        const bool wantsHint =
            sel && ((deepest->Style() & kVssShowHints) || sel->Item()->EffectiveOptions().Contains(tboShowHint));
        if (wantsHint && !captured && deepest->MouseOverSelected()) {
            Application->ActivateHint(screen);
        } else {
            Application->CancelHint();
        }
    }
    HCURSOR cursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (sel) {
        const TPoint local = sel->ScreenToViewer(screen);
        cursor = sel->GetCursor(local.X, local.Y, cursor);
    }
    ::SetCursor(cursor);
}

struct TTarget {
    TTBView* view = nullptr;
    TTBItemViewer* viewer = nullptr;
};

TTarget TargetAt(TTBView* root) {
    const std::vector<TTBView*> chain = OpenChain(root);
    for (TTBView* v : chain) {
        if (v->Capture()) return {v, v->Selected()};
    }
    for (TTBView* v : chain) {
        if (v->MouseDownOnMenu()) return {v, nullptr};
        if (v->Selected() && v->MouseOverSelected()) return {v, v->Selected()};
    }
    return {};
}

// The screen point of a mouse message: its client coordinates in the window it went to.
TPoint MessagePoint(const MSG& msg) {
    if (msg.message == WM_MOUSEWHEEL || !msg.hwnd) return TPoint{msg.pt.x, msg.pt.y};
    POINT p{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    ::ClientToScreen(msg.hwnd, &p);
    return TPoint{p.x, p.y};
}

bool ButtonHeld(bool trackRightButton) {
    return ::GetKeyState(VK_LBUTTON) < 0 || (trackRightButton && ::GetKeyState(VK_RBUTTON) < 0);
}

void StartScrollTimers(const std::vector<TTBView*>& chain, TPoint screen) {
    for (TTBView* v : chain) {
        if (!dynamic_cast<TTBPopupWindow*>(v->Window()) || !v->Window()->HandleAllocated()) continue;
        const TPoint p = v->Window()->ScreenToClient(screen);
        const TRect client = v->Window()->ClientRect();
        const bool inside = client.Contains(p);
        const bool overUp = inside && v->ShowsUpArrow() && p.Y < kMenuScrollArrowHeight;
        const bool overDown = inside && v->ShowsDownArrow() && p.Y >= client.Bottom - kMenuScrollArrowHeight;
        if (overUp && !v->TimerRunning(kTimerScrollUp)) v->StartTimer(kTimerScrollUp, 100);
        if (!overUp) v->StopTimer(kTimerScrollUp);
        if (overDown && !v->TimerRunning(kTimerScrollDown)) v->StartTimer(kTimerScrollDown, 100);
        if (!overDown) v->StopTimer(kTimerScrollDown);
    }
}

}  // namespace

void tb::ForgetLastMousePosition() { lastMousePos = TPoint{INT_MIN, 0}; }

TTBModalHandler::TTBModalHandler(HWND window) {
    if (window) {
        wnd_ = window;
    } else {
        static const ATOM atom = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = &TTBModalHandler::OwnWindowProc;
            wc.hInstance = ::GetModuleHandleA(nullptr);
            wc.lpszClassName = kHandlerClass;
            return ::RegisterClassA(&wc);
        }();
        (void)atom;
        wnd_ = ::CreateWindowExA(0, kHandlerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
        if (!wnd_) throw EOSError("The menu window could not be created", ::GetLastError());
        ::SetWindowLongPtrA(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ownWindow_ = true;
    }
    if (const auto lock = LockForeground()) lock(LSFW_LOCK);
    ::SetCapture(wnd_);
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    ::NotifyWinEvent(EVENT_SYSTEM_MENUSTART, wnd_, OBJID_CLIENT, CHILDID_SELF);
    startEventRaised_ = true;
}

TTBModalHandler::~TTBModalHandler() {
    if (const auto lock = LockForeground()) lock(LSFW_UNLOCK);
    if (::GetCapture() == wnd_) ::ReleaseCapture();
    if (startEventRaised_) ::NotifyWinEvent(EVENT_SYSTEM_MENUEND, wnd_, OBJID_CLIENT, CHILDID_SELF);
    if (ownWindow_) ::DestroyWindow(wnd_);
}

LRESULT CALLBACK TTBModalHandler::OwnWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CANCELMODE) {
        auto* self = reinterpret_cast<TTBModalHandler*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (self && self->root_) {
            try {
                self->root_->CancelMode();
            } catch (...) {
                if (Application) Application->HandleException(nullptr);
            }
        }
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

namespace {

// What the steps of one run of the menu loop share.
struct TLoopRun {
    TTBView* root;
    const bool& alive;  // false once root is destroyed: no step touches it again
    HWND captureWnd;
    bool trackRightButton;
    // The release of the press that started the loop: over nothing it is ignored; over a popup that opened
    // under the pointer (a tall drop-down pulled up over its bar) it is ignored too until the pointer moves,
    // so that it does not run whichever item happened to appear there.
    bool ignoreNextRelease;
    TPoint pressPos;
    bool movedSincePress = false;
    HWND active = nullptr;  // the window active when the loop began
};

TPoint MessagePosition() {
    const DWORD pos = ::GetMessagePos();
    return TPoint{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
}

// The run goes on while the root lives, the loop's window holds the capture and no done action is recorded.
bool Running(const TLoopRun& run) {
    return run.alive && ::GetCapture() == run.captureWnd && !run.root->IsModalEnding();
}

// The press that started the loop reaches the selected viewer as if the loop had taken it from the queue.
void PassStartingPress(TLoopRun& run) {
    TTBItemViewer* sel = run.root->Selected();
    if (!sel) return;
    const TPoint local = sel->ScreenToViewer(MessagePosition());
    bool onMenu = false;
    sel->MouseDown(TShiftState{ssLeft}, local.X, local.Y, onMenu);
    if (run.alive) run.root->SetMouseDownOnMenu(onMenu);
}

// A press outside the open menus ends the loop and stays in the queue for what was clicked. On the root
// toolbar's own window the press ends it too unless it lands in the client area on a hovered item that
// takes clicks.
bool PressEndsLoop(TLoopRun& run, const MSG& msg) {
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_RBUTTONDOWN && msg.message != WM_NCLBUTTONDOWN &&
        msg.message != WM_NCRBUTTONDOWN)
        return false;
    TTBView* root = run.root;
    const HWND under = ::WindowFromPoint(msg.pt);
    if (IsChainWindow(OpenChain(root), under)) return false;
    const TPoint pt{msg.pt.x, msg.pt.y};
    if (root->IsPopup() || under != root->Window()->WindowHandle()) return true;
    if (!root->Window()->ClientRect().Contains(root->Window()->ScreenToClient(pt))) return true;
    if (msg.message != WM_LBUTTONDOWN) return false;
    UpdateHover(root, pt, true);
    TTBItemViewer* sel = root->Selected();
    return !sel || !root->MouseOverSelected() || sel->Item()->ItemStyle().Contains(tbisClicksTransparent);
}

// Keys go to the deepest open view's selected viewer, then to the view; while a button is held only F1 does.
void OnKeyDown(TLoopRun& run, TTBView* deepest, MSG& msg) {
    if (Application) Application->CancelHint();
    auto key = static_cast<std::uint16_t>(msg.wParam);
    if (ButtonHeld(run.trackRightButton) && key != VK_F1) return;
    if (key == VK_PROCESSKEY) key = static_cast<std::uint16_t>(::ImmGetVirtualKey(msg.hwnd));
    const TShiftState shift = KeyDataToShiftState(msg.lParam);
    if (TTBItemViewer* sel = deepest->Selected()) sel->KeyDown(key, shift);
    if (!run.alive) return;
    if (key != 0) deepest->KeyDown(key, shift);
    if (!run.alive || run.root->IsModalEnding()) return;
    if (key != 0) ::TranslateMessage(&msg);
}

// A character selects the item it is the accelerator of (and runs it when it is the only one); space and
// '-' on a root toolbar open the active window's system menu; anything else beeps.
void OnChar(TLoopRun& run, TTBView* deepest, MSG& msg) {
    if (ButtonHeld(run.trackRightButton)) return;
    const char16_t ch = CharToWide(static_cast<unsigned>(msg.wParam));
    bool only = false;
    if (TTBItemViewer* found = deepest->FindViewerByKey(deepest->Selected(), ch, only, false)) {
        deepest->Select(found, false);
        deepest->ScrollSelectedIntoView();
        if (only) deepest->ExecuteSelected(true);
    } else if ((ch == u' ' || ch == u'-') && run.root->IsToolbar() && deepest == run.root && run.active) {
        run.root->EndModalWithSystemMenu(run.active, ch);
    } else {
        ::MessageBeep(0);
    }
}

// The popups' own timers (submenu open and close, scrolling) go to their views; other timers are dispatched.
void OnTimer(TLoopRun& run, TTBView*, MSG& msg) {
    TTBView* v = ViewOfWindow(OpenChain(run.root), msg.hwnd);
    if (v && dynamic_cast<TTBPopupWindow*>(v->Window()) && msg.wParam >= kTimerIdBase && msg.wParam <= kTimerIdBase + 3)
        v->HandleTimer(static_cast<int>(msg.wParam - kTimerIdBase));
    else
        ::DispatchMessageA(&msg);
}

void OnMouseMove(TLoopRun& run, TTBView*, MSG& msg) {
    const TPoint pt = MessagePoint(msg);
    if (pt != run.pressPos) run.movedSincePress = true;
    if (pt != lastMousePos) {
        lastMousePos = pt;
        UpdateHover(run.root, pt, true);
        StartScrollTimers(OpenChain(run.root), pt);
    }
    const TTarget t = TargetAt(run.root);
    if (!t.viewer) return;
    const TPoint local = t.viewer->ScreenToViewer(pt);
    t.viewer->MouseMove(local.X, local.Y);
}

void OnButtonDown(TLoopRun& run, TTBView*, MSG& msg) {
    if (msg.message == WM_RBUTTONDOWN && !run.trackRightButton) return;
    if (Application) Application->CancelHint();
    run.ignoreNextRelease = false;
    const TPoint pt = MessagePoint(msg);
    UpdateHover(run.root, pt, true);
    const TTarget t = TargetAt(run.root);
    if (!t.viewer) return;
    TShiftState shift = KeysToShiftState(msg.wParam);
    if (msg.message == WM_LBUTTONDBLCLK) shift.Include(ssDouble);
    const TPoint local = t.viewer->ScreenToViewer(pt);
    bool onMenu = false;
    t.viewer->MouseDown(shift, local.X, local.Y, onMenu);
    if (run.alive) t.view->SetMouseDownOnMenu(onMenu);
}

void OnButtonUp(TLoopRun& run, TTBView*, MSG& msg) {
    if (msg.message == WM_RBUTTONUP && !run.trackRightButton) return;
    TTBView* root = run.root;
    const TPoint pt = MessagePoint(msg);
    UpdateHover(root, pt, false);
    const TTarget t = TargetAt(root);
    if (run.ignoreNextRelease && !run.movedSincePress && t.view && t.view != root) {
        run.ignoreNextRelease = false;
        return;
    }
    if (t.viewer) {
        const TPoint local = t.viewer->ScreenToViewer(pt);
        const bool onMenu = t.view->MouseDownOnMenu();
        t.view->SetMouseDownOnMenu(false);
        t.viewer->MouseUp(local.X, local.Y, onMenu);
        if (!run.alive) return;
    }
    // A release over nothing, or over the root toolbar with no menu open from it, ends the loop.
    const bool ends = !t.viewer || (t.view == root && root->IsToolbar() && !root->OpenViewer());
    if (!ends) return;
    if (run.ignoreNextRelease)
        run.ignoreNextRelease = false;
    else
        root->EndModal();
}

void OnMouseWheel(TLoopRun& run, TTBView*, MSG& msg) {
    const TTarget t = TargetAt(run.root);
    if (!t.viewer) return;
    const TPoint local = t.viewer->ScreenToViewer(MessagePoint(msg));
    t.viewer->MouseWheel(static_cast<short>(HIWORD(msg.wParam)), local.X, local.Y);
}

// Messages the loop swallows: the context menu request, the system timer and F1's message.
void Swallow(TLoopRun&, TTBView*, MSG&) {}

using TStep = void (*)(TLoopRun& run, TTBView* deepest, MSG& msg);
struct TRoute {
    UINT message;
    TStep step;
};
// Which step takes which message; every other message is dispatched.
constexpr TRoute kRoutes[] = {
    {WM_KEYDOWN, OnKeyDown},
    {WM_SYSKEYDOWN, OnKeyDown},
    {WM_CHAR, OnChar},
    {WM_SYSCHAR, OnChar},
    {WM_TIMER, OnTimer},
    {WM_MOUSEMOVE, OnMouseMove},
    {WM_LBUTTONDOWN, OnButtonDown},
    {WM_LBUTTONDBLCLK, OnButtonDown},
    {WM_RBUTTONDOWN, OnButtonDown},
    {WM_LBUTTONUP, OnButtonUp},
    {WM_RBUTTONUP, OnButtonUp},
    {WM_MOUSEWHEEL, OnMouseWheel},
    {WM_CONTEXTMENU, Swallow},
    {kWmSysTimer, Swallow},
    {kWmKeyF1, Swallow},
};

// One message taken from the queue, to the step that handles its kind.
void Route(TLoopRun& run, MSG& msg) {
    TTBView* deepest = OpenChain(run.root).back();
    for (const TRoute& route : kRoutes) {
        if (route.message == msg.message) {
            route.step(run, deepest, msg);
            return;
        }
    }
    ::DispatchMessageA(&msg);
}

// After each message: a mouse position forgotten meanwhile is taken again, and the application's hint
// follows the deepest selection.
void AfterMessage(TLoopRun& run) {
    if (lastMousePos.X == INT_MIN) {
        lastMousePos = MessagePosition();
        UpdateHover(run.root, lastMousePos, true);
    }
    if (Application) {
        TTBItemViewer* sel = OpenChain(run.root).back()->Selected();
        Application->SetHint(sel ? WideToAnsi(GetLongHintW(sel->Item()->Hint()), CodePageUtf8) : AnsiString());
    }
}

}  // namespace

void TTBModalHandler::Loop(TTBView* root, const std::shared_ptr<bool>& alive, bool fromMouseDown, bool trackRightButton,
                           bool, bool executeSelected) {
    root_ = root;
    root->ClearDoneAction();
    root->SetCaptureWnd(wnd_);
    TScopeExit cleanup([&] {
        root_ = nullptr;
        ForgetLastMousePosition();
        if (*alive) {
            for (TTBView* v : OpenChain(root)) {
                if (!v->Capture()) continue;
                v->SetCapture(false);
                if (TTBItemViewer* sel = v->Selected()) sel->LosingCapture();
            }
            root->SetCaptureWnd(nullptr);
        }
        if (Application) Application->SetHint("");
    });

    TLoopRun run{root, *alive, wnd_, trackRightButton, fromMouseDown, MessagePosition()};
    if (fromMouseDown) PassStartingPress(run);
    if (!*alive) return;
    if (executeSelected) root->ExecuteSelected(true);
    if (!*alive || root->IsModalEnding()) return;

    run.active = ::GetActiveWindow();
    while (Running(run) && ::GetActiveWindow() == run.active) {
        MSG msg{};
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (PressEndsLoop(run, msg)) break;
        ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Route(run, msg);
        if (!Running(run)) break;
        AfterMessage(run);
    }
}

void tb::CarryOutDoneAction(const TTBDoneAction& done) {
    switch (done.kind) {
        case TTBDoneActionKind::ClickItem:
            if (done.sound && NeedToPlaySound("MenuCommand")) {
                ::PlaySoundA("MenuCommand", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
            }
            if (done.clickItem) PostDeferredClick(done.clickItem);
            break;
        case TTBDoneActionKind::SysMenu:
            ::SendMessageA(done.sysMenuWindow, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(done.sysMenuKey));
            break;
        case TTBDoneActionKind::Help: {
            if (!Application) break;
            // A form with the help button asks for pop-up help on the context.
            TForm* form = Screen ? Screen->ActiveForm() : nullptr;
            if (form && form->BorderIcons().Contains(biHelp)) {
                Application->HelpCommand(HELP_CONTEXTPOPUP, done.helpContext);
            } else {
                Application->HelpContext(done.helpContext);
            }
            break;
        }
        default: break;
    }
}
