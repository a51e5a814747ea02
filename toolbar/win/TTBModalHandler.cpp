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
        const bool wantsHint = sel && ((deepest->Style() & kVssShowHints) ||
                                       sel->Item()->EffectiveOptions().Contains(tboShowHint));
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

void TTBModalHandler::Loop(TTBView* root, const std::shared_ptr<bool>& alive, bool fromMouseDown,
                           bool trackRightButton, bool, bool executeSelected) {
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

    // The release of the press that started the loop: over nothing it is ignored; over a popup that opened
    // under the pointer (a tall drop-down pulled up over its bar) it is ignored too until the pointer moves,
    // so that it does not run whichever item happened to appear there.
    bool ignoreNextRelease = fromMouseDown;
    const DWORD startPos = ::GetMessagePos();
    const TPoint pressPos{static_cast<short>(LOWORD(startPos)), static_cast<short>(HIWORD(startPos))};
    bool movedSincePress = false;
    if (fromMouseDown) {
        if (TTBItemViewer* sel = root->Selected()) {
            const DWORD pos = ::GetMessagePos();
            const TPoint local = sel->ScreenToViewer(TPoint{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))});
            bool onMenu = false;
            sel->MouseDown(TShiftState{ssLeft}, local.X, local.Y, onMenu);
            if (*alive) root->SetMouseDownOnMenu(onMenu);
        }
    }
    if (!*alive) return;
    if (executeSelected) root->ExecuteSelected(true);
    if (!*alive || root->IsModalEnding()) return;

    const HWND active = ::GetActiveWindow();
    for (;;) {
        if (!*alive || ::GetCapture() != wnd_ || ::GetActiveWindow() != active || root->IsModalEnding()) break;
        MSG msg{};
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN ||
            msg.message == WM_NCRBUTTONDOWN) {
            const std::vector<TTBView*> chain = OpenChain(root);
            const TPoint pt{msg.pt.x, msg.pt.y};
            const HWND under = ::WindowFromPoint(msg.pt);
            if (!IsChainWindow(chain, under)) {
                // A press elsewhere ends the menu and still reaches what was clicked.
                const HWND rootWnd = root->Window()->WindowHandle();
                if (root->IsPopup() || under != rootWnd) break;
                const TPoint client = root->Window()->ScreenToClient(pt);
                if (!root->Window()->ClientRect().Contains(client)) break;
                if (msg.message == WM_LBUTTONDOWN) {
                    UpdateHover(root, pt, true);
                    TTBItemViewer* sel = root->Selected();
                    if (!sel || !root->MouseOverSelected() ||
                        sel->Item()->ItemStyle().Contains(tbisClicksTransparent)) {
                        break;
                    }
                }
            }
        }
        ::PeekMessageA(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TTBView* deepest = OpenChain(root).back();
        switch (msg.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN: {
                if (Application) Application->CancelHint();
                auto key = static_cast<std::uint16_t>(msg.wParam);
                if (ButtonHeld(trackRightButton) && key != VK_F1) break;
                if (key == VK_PROCESSKEY) key = static_cast<std::uint16_t>(::ImmGetVirtualKey(msg.hwnd));
                const TShiftState shift = KeyDataToShiftState(msg.lParam);
                if (TTBItemViewer* sel = deepest->Selected()) sel->KeyDown(key, shift);
                if (!*alive) return;
                if (key != 0) deepest->KeyDown(key, shift);
                if (!*alive || root->IsModalEnding()) break;
                if (key != 0) ::TranslateMessage(&msg);
                break;
            }
            case WM_CHAR:
            case WM_SYSCHAR: {
                if (ButtonHeld(trackRightButton)) break;
                const char16_t ch = CharToWide(static_cast<unsigned>(msg.wParam));
                bool only = false;
                if (TTBItemViewer* found = deepest->FindViewerByKey(deepest->Selected(), ch, only, false)) {
                    deepest->Select(found, false);
                    deepest->ScrollSelectedIntoView();
                    if (only) deepest->ExecuteSelected(true);
                } else if ((ch == u' ' || ch == u'-') && root->IsToolbar() && deepest == root && active) {
                    root->EndModalWithSystemMenu(active, ch);
                } else {
                    ::MessageBeep(0);
                }
                break;
            }
            case WM_TIMER: {
                const std::vector<TTBView*> chain = OpenChain(root);
                TTBView* v = ViewOfWindow(chain, msg.hwnd);
                if (v && dynamic_cast<TTBPopupWindow*>(v->Window()) && msg.wParam >= kTimerIdBase &&
                    msg.wParam <= kTimerIdBase + 3) {
                    v->HandleTimer(static_cast<int>(msg.wParam - kTimerIdBase));
                } else {
                    ::DispatchMessageA(&msg);
                }
                break;
            }
            case WM_MOUSEMOVE: {
                const TPoint pt = MessagePoint(msg);
                if (pt != pressPos) movedSincePress = true;
                if (pt != lastMousePos) {
                    lastMousePos = pt;
                    UpdateHover(root, pt, true);
                    StartScrollTimers(OpenChain(root), pt);
                }
                const TTarget t = TargetAt(root);
                if (t.viewer) {
                    const TPoint local = t.viewer->ScreenToViewer(pt);
                    t.viewer->MouseMove(local.X, local.Y);
                }
                break;
            }
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN: {
                if (msg.message == WM_RBUTTONDOWN && !trackRightButton) break;
                if (Application) Application->CancelHint();
                ignoreNextRelease = false;
                const TPoint pt = MessagePoint(msg);
                UpdateHover(root, pt, true);
                const TTarget t = TargetAt(root);
                if (t.viewer) {
                    TShiftState shift = KeysToShiftState(msg.wParam);
                    if (msg.message == WM_LBUTTONDBLCLK) shift.Include(ssDouble);
                    const TPoint local = t.viewer->ScreenToViewer(pt);
                    bool onMenu = false;
                    t.viewer->MouseDown(shift, local.X, local.Y, onMenu);
                    if (*alive) t.view->SetMouseDownOnMenu(onMenu);
                }
                break;
            }
            case WM_LBUTTONUP:
            case WM_RBUTTONUP: {
                if (msg.message == WM_RBUTTONUP && !trackRightButton) break;
                const TPoint pt = MessagePoint(msg);
                UpdateHover(root, pt, false);
                const TTarget t = TargetAt(root);
                if (ignoreNextRelease && !movedSincePress && t.view && t.view != root) {
                    ignoreNextRelease = false;
                    break;
                }
                if (t.viewer) {
                    const TPoint local = t.viewer->ScreenToViewer(pt);
                    const bool onMenu = t.view->MouseDownOnMenu();
                    t.view->SetMouseDownOnMenu(false);
                    t.viewer->MouseUp(local.X, local.Y, onMenu);
                    if (!*alive) return;
                }
                // A release over nothing, or over the root toolbar with no menu open from it, ends the loop.
                const bool ends = !t.viewer || (t.view == root && root->IsToolbar() && !root->OpenViewer());
                if (ends) {
                    if (ignoreNextRelease) {
                        ignoreNextRelease = false;
                    } else {
                        root->EndModal();
                    }
                }
                break;
            }
            case WM_MOUSEWHEEL: {
                const TTarget t = TargetAt(root);
                if (t.viewer) {
                    const TPoint local = t.viewer->ScreenToViewer(MessagePoint(msg));
                    t.viewer->MouseWheel(static_cast<short>(HIWORD(msg.wParam)), local.X, local.Y);
                }
                break;
            }
            case WM_CONTEXTMENU:
            case kWmSysTimer:
            case kWmKeyF1:
                break;
            default:
                ::DispatchMessageA(&msg);
                break;
        }
        if (!*alive || ::GetCapture() != wnd_ || root->IsModalEnding()) break;
        if (lastMousePos.X == INT_MIN) {
            const DWORD pos = ::GetMessagePos();
            lastMousePos = TPoint{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
            UpdateHover(root, lastMousePos, true);
        }
        if (Application) {
            TTBItemViewer* sel = OpenChain(root).back()->Selected();
            Application->SetHint(sel ? WideToAnsi(GetLongHintW(sel->Item()->Hint()), CodePageUtf8) : AnsiString());
        }
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
        default:
            break;
    }
}
