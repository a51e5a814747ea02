#include "classlib/win/TWinControl.h"

#include <algorithm>
#include <iterator>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "classlib/core/AlignArithmetic.h"
#include "classlib/core/CallbackExceptions.h"
#include "classlib/core/FileSystem.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/ObjectInstance.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TScreen.h"

#include <uxtheme.h>

namespace {

// The control whose window is being created on this thread (set around CreateWindowHandle).
thread_local TWinControl* t_creationControl = nullptr;

[[noreturn]] void RaiseLastSystemError() {
    const DWORD code = ::GetLastError();
    throw EOSError(Format("System Error.  Code: %d.\n%s", {static_cast<int>(code), SysErrorMessage(code)}), code);
}

// The two global atoms the library's windows are marked with, added on first use by whichever thread makes
// the first window.
struct WindowMarks {
    ATOM window = 0;
    ATOM control = 0;
};

std::mutex g_marksLock;
WindowMarks g_marks;
std::atomic<bool> g_marksReady{false};

// Global atoms outlive the process unless deleted: each run would leave two behind in the session's table.
void DeleteMarks() {
    std::lock_guard<std::mutex> lock(g_marksLock);
    if (g_marks.window) ::GlobalDeleteAtom(g_marks.window);
    if (g_marks.control) ::GlobalDeleteAtom(g_marks.control);
    g_marks = WindowMarks{};
    g_marksReady = false;
}

ATOM AddMark(const AnsiString& name) {
    ATOM atom = ::GlobalAddAtomA(name.c_str());
    if (!atom) RaiseLastSystemError();
    return atom;
}

// Raises the system's error when an atom cannot be added.
WindowMarks Marks() {
    if (!g_marksReady.load(std::memory_order_acquire)) {
        std::lock_guard<std::mutex> lock(g_marksLock);
        if (!g_marks.window) g_marks.window = AddMark(WindowAtomName());
        if (!g_marks.control) g_marks.control = AddMark(ControlAtomName());
        static const bool registered = std::atexit(DeleteMarks) == 0;
        (void)registered;
        g_marksReady.store(true, std::memory_order_release);
    }
    return g_marks;
}

// For finding and removing marks: a window can carry none when the atoms could not be added.
WindowMarks MarksIfAdded() noexcept {
    try {
        return Marks();
    } catch (...) {
        return WindowMarks{};
    }
}

void RemoveMarks(HWND wnd) {
    WindowMarks marks = MarksIfAdded();
    if (marks.window) ::RemovePropA(wnd, MAKEINTATOM(marks.window));
    if (marks.control) ::RemovePropA(wnd, MAKEINTATOM(marks.control));
}

// The thread that started the module, which the control mark is named after whichever thread asks first:
// read once while the module's statics are made, which happens on that thread.
DWORD ModuleThreadId() {
    static const DWORD id = ::GetCurrentThreadId();
    return id;
}
[[maybe_unused]] const DWORD g_moduleThreadId = ModuleThreadId();

AnsiString Hex8(std::uintptr_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.8X", static_cast<unsigned>(value & 0xFFFFFFFFu));
    return buf;
}

TPoint LParamPoint(std::intptr_t lParam) {
    auto v = static_cast<std::uintptr_t>(lParam);
    return TPoint{static_cast<std::int16_t>(v & 0xFFFF), static_cast<std::int16_t>((v >> 16) & 0xFFFF)};
}

std::intptr_t PointLParam(TPoint p) {
    auto x = static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.X));
    auto y = static_cast<std::uint32_t>(static_cast<std::uint16_t>(p.Y));
    return static_cast<std::intptr_t>(x | (y << 16));
}

bool IsMouseMessage(std::uint32_t msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && msg != WM_MOUSEWHEEL && msg != WM_MOUSEHWHEEL;
}

// Where a control's dialog keys and characters go: its form, or the outermost parent without one.
TWinControl* KeyTarget(TWinControl* control) {
    if (TCustomForm* form = GetParentForm(control)) return form;
    TWinControl* root = control;
    while (root->Parent()) root = root->Parent();
    return root;
}

}  // namespace

AnsiString WindowAtomName() {
    static const AnsiString name = "Vantorel" + Hex8(::GetCurrentProcessId());
    return name;
}

AnsiString ControlAtomName() {
    static const AnsiString name =
        "ControlOfs" + Hex8(reinterpret_cast<std::uintptr_t>(LibraryInstance())) + Hex8(ModuleThreadId());
    return name;
}

HINSTANCE LibraryInstance() { return ::GetModuleHandleA(nullptr); }

TWinControl* CreationControl() { return t_creationControl; }

TWinControl* FindControl(HWND wnd) {
    if (!wnd || !::IsWindow(wnd)) return nullptr;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid != ::GetCurrentProcessId()) return nullptr;
    ATOM mark = MarksIfAdded().window;
    return mark ? static_cast<TWinControl*>(::GetPropA(wnd, MAKEINTATOM(mark))) : nullptr;
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
    POINT pt{screenPos.X, screenPos.Y};
    HWND wnd = ::WindowFromPoint(pt);
    if (!wnd) return nullptr;
    UINT flags = CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT | (allowDisabled ? 0 : CWP_SKIPDISABLED);
    // Down to the deepest child window under the point; one that answers HTTRANSPARENT lets its parent keep it.
    for (;;) {
        POINT local = pt;
        ::ScreenToClient(wnd, &local);
        HWND child = ::ChildWindowFromPointEx(wnd, local, flags);
        if (!child || child == wnd) break;
        if (::SendMessageA(child, WM_NCHITTEST, 0, PointLParam(screenPos)) == HTTRANSPARENT) break;
        wnd = child;
    }
    TWinControl* control = nullptr;
    for (HWND w = wnd; w && !control; w = ::GetParent(w)) control = FindControl(w);
    // Inside a disabled parent a control counts as disabled too.
    if (!allowDisabled)
        for (TWinControl* p = control; p; p = p->Parent())
            if (!p->Enabled()) control = p->Parent();
    if (!control) return nullptr;
    if (TControl* inner = control->ControlAtPos(control->ScreenToClient(screenPos), allowDisabled)) return inner;
    return control;
}

TShiftState KeyDataToShiftState(std::intptr_t keyData) {
    TShiftState s;
    if (::GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
    if (::GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
    if (static_cast<std::uintptr_t>(keyData) & 0x20000000u) s.Include(ssAlt);
    return s;
}

TShiftState KeyboardStateToShiftState() {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    TShiftState s;
    if (keys[VK_SHIFT] & 0x80) s.Include(ssShift);
    if (keys[VK_CONTROL] & 0x80) s.Include(ssCtrl);
    if (keys[VK_MENU] & 0x80) s.Include(ssAlt);
    if (keys[VK_LBUTTON] & 0x80) s.Include(ssLeft);
    if (keys[VK_RBUTTON] & 0x80) s.Include(ssRight);
    if (keys[VK_MBUTTON] & 0x80) s.Include(ssMiddle);
    return s;
}

LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = t_creationControl;
    if (!control) return ::DefWindowProcA(wnd, msg, wParam, lParam);
    t_creationControl = nullptr;
    control->handle_ = wnd;
    control->detached_ = nullptr;
    ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->objectInstance_.Proc()));
    if ((::GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) && ::GetWindowLongPtrA(wnd, GWLP_ID) == 0)
        ::SetWindowLongPtrA(wnd, GWLP_ID, reinterpret_cast<LONG_PTR>(wnd));
    try {
        WindowMarks marks = Marks();
        ::SetPropA(wnd, MAKEINTATOM(marks.control), control);
        ::SetPropA(wnd, MAKEINTATOM(marks.window), control);
    } catch (...) {
        // The window works without its marks; only finding its control from the window fails.
        HandleCallbackException(control);
    }
    return ::CallWindowProcA(control->objectInstance_.Proc(), wnd, msg, wParam, lParam);
}

// Construction and destruction.

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { defWndProc_ = ::DefWindowProcA; }

void TWinControl::BeforeDestruction() {
    TControl::BeforeDestruction();
    // A window left detached still calls this control: it goes with it.
    if (!handle_ && detached_ && ::IsWindow(detached_)) handle_ = detached_;
    detached_ = nullptr;
    DestroyHandle();
}

TWinControl::~TWinControl() {
    if (parent_) parent_->RemoveControl(this);
    if (!handle_ && detached_ && ::IsWindow(detached_)) handle_ = detached_;
    if (handle_) {
        // Destroyed without Free: the window must not call back into what is left of this object.
        ::SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::DefWindowProcA));
        RemoveMarks(handle_);
        ::DestroyWindow(handle_);
        handle_ = nullptr;
    }
    // Children still here belong to no other parent: they go with this one.
    while (!controls_.empty() || !winControls_.empty()) {
        TControl* child;
        if (!winControls_.empty()) {
            child = winControls_.back();
            winControls_.pop_back();
        } else {
            child = controls_.back();
            controls_.pop_back();
        }
        child->parent_ = nullptr;
        Free(child);
    }
    tabList_.clear();
}

// The window.

HWND TWinControl::Handle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    CreateHandle();
}

void TWinControl::SetWindowHandle(HWND value) {
    if (!value) {
        if (handle_) detached_ = handle_;
        handle_ = nullptr;
        return;
    }
    handle_ = value;
    detached_ = nullptr;
}

void TWinControl::SetParentWindow(HWND value) {
    if (parentWindow_ == value) return;
    if (!parent_ && handle_) DestroyHandle();
    parentWindow_ = value;
    if (!parent_) UpdateShowing();
}

void TWinControl::MainWndProc(TMessage& message) {
    try {
        WindowProc(message);
    } catch (...) {
        HandleCallbackException(this);
    }
}

void TWinControl::DefaultHandler(TMessage& message) {
    HWND wnd = handle_ ? handle_ : detached_;
    if (!wnd) {
        TControl::DefaultHandler(message);
        return;
    }
    message.Result = ::CallWindowProcA(defWndProc_, wnd, message.Msg, message.WParam, message.LParam);
}

void TWinControl::CreateParams(TCreateParams& params) {
    params = TCreateParams{};
    params.Caption = text_.c_str();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (controlStyle_.Contains(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!enabled_) params.Style |= WS_DISABLED;
    if (tabStop_) params.Style |= WS_TABSTOP;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = height_;
    params.WndParent = parent_ ? parent_->Handle() : parentWindow_;
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.lpfnWndProc = ::DefWindowProcA;
    // The system's shared arrow: the same handle every time, and asking for it costs a look at the displays.
    static const HCURSOR arrow = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    params.WindowClass.hCursor = arrow;
    params.WindowClass.hInstance = LibraryInstance();
    std::snprintf(params.WinClassName, sizeof params.WinClassName, "%s", ClassName().c_str());
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* systemClassName) {
    WNDCLASSA wc{};
    if (!::GetClassInfoA(nullptr, systemClassName, &wc) && !::GetClassInfoA(LibraryInstance(), systemClassName, &wc))
        throw EInvalidOperation(Format("Window class '%s' is not registered", {AnsiString(systemClassName)}));
    HINSTANCE instance = params.WindowClass.hInstance;
    params.WindowClass = wc;
    params.WindowClass.hInstance = instance;
    params.WindowClass.lpszClassName = nullptr;
    params.WindowClass.style &= ~static_cast<UINT>(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
    builtOnSystemClass_ = true;
}

void TWinControl::RegisterWindowClass(TCreateParams& params) {
    defWndProc_ = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : ::DefWindowProcA;
    // Threads making their first windows of a class at the same moment register it one after the other, so
    // that none of them sees a half-made registration or takes another's for a foreign one.
    static std::mutex registering;
    std::lock_guard<std::mutex> lock(registering);
    WNDCLASSA existing{};
    bool registered = ::GetClassInfoA(params.WindowClass.hInstance, params.WinClassName, &existing);
    if (registered && existing.lpfnWndProc == InitWndProc) return;
    if (registered) ::UnregisterClassA(params.WinClassName, params.WindowClass.hInstance);
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = InitWndProc;
    wc.lpszClassName = params.WinClassName;
    if (::RegisterClassA(&wc)) return;
    // Another thread making its first window of the class may have registered it just now.
    DWORD error = ::GetLastError();
    if (error == ERROR_CLASS_ALREADY_EXISTS && ::GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing) &&
        existing.lpfnWndProc == InitWndProc)
        return;
    ::SetLastError(error);
    RaiseLastSystemError();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
    RegisterWindowClass(params);
    t_creationControl = this;
    TScopeExit clear([] { t_creationControl = nullptr; });
    CreateWindowHandle(params);
    if (!handle_) RaiseLastSystemError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    handle_ = ::CreateWindowExA(params.ExStyle, params.WinClassName, params.Caption, params.Style, params.X, params.Y,
                                params.Width, params.Height, params.WndParent, nullptr, params.WindowClass.hInstance,
                                params.Param);
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    CreateWnd();
    // Keep the system's order of sibling windows that of the children list, whose last is the topmost (as
    // SetZOrder keeps it): the new window goes just below the first later sibling that has one, else on top.
    if (parent_) {
        auto& siblings = parent_->winControls_;
        auto it = std::find(siblings.begin(), siblings.end(), this);
        HWND above = HWND_TOP;
        if (it != siblings.end())
            for (auto p = std::next(it); p != siblings.end(); ++p)
                if ((*p)->handle_) {
                    above = (*p)->handle_;
                    break;
                }
        ::SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (font_ && IsWindowed()) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::DestroyWnd() {
    if (!ComponentState().Contains(csDestroying)) text_ = GetText();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    controlState_.Include(csDestroyingHandle);
    TScopeExit done([this] { controlState_.Exclude(csDestroyingHandle); });
    HWND wnd = handle_;
    if (wnd) ::DestroyWindow(wnd);
    handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    std::vector<TWinControl*> children = winControls_;
    for (TWinControl* child : children) child->DestroyHandle();
    DestroyWnd();
    showing_ = false;
}

void TWinControl::RecreateWnd() {
    if (handle_) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
    bool hadFocus = Focused();
    DestroyHandle();
    UpdateShowing();
    if (hadFocus && handle_) ::SetFocus(handle_);
}

void TWinControl::WMNCDestroy(TMessage& message) {
    DispatchInherited<TWinControl>(this, message);
    HWND wnd = handle_ ? handle_ : detached_;
    if (wnd) RemoveMarks(wnd);
    handle_ = nullptr;
    detached_ = nullptr;
    showing_ = false;
}

// Showing.

void TWinControl::UpdateShowing() {
    if (detached_ && ::IsWindow(detached_)) return;
    detached_ = nullptr;
    bool want = visible_;
    if (want) {
        if (parent_) {
            want = parent_->showing_;
        } else if (!parentWindow_) {
            // A control with no parent at all shows only as a window of its own (a form).
            if (handle_) {
                want = !(::GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD);
            } else {
                TCreateParams params;
                CreateParams(params);
                want = !(params.Style & WS_CHILD);
            }
        }
    }
    if (want && !handle_) CreateHandle();
    std::vector<TWinControl*> children = winControls_;
    if (want) {
        if (showing_) return;
        showing_ = true;
        for (TWinControl* child : children) child->UpdateShowing();
        Perform(CM_SHOWINGCHANGED);
    } else {
        if (showing_) {
            showing_ = false;
            Perform(CM_SHOWINGCHANGED);
        }
        for (TWinControl* child : children) child->UpdateShowing();
    }
}

void TWinControl::CMShowingChanged(TMessage&) {
    if (!handle_) return;
    ::SetWindowPos(
        handle_, nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage&) { UpdateShowing(); }

void TWinControl::CMEnabledChanged(TMessage&) {
    if (!enabled_ && parent_)
        if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
    if (handle_) ::EnableWindow(handle_, enabled_ ? TRUE : FALSE);
}

void TWinControl::CMFontChanged(TMessage&) {
    if (handle_) {
        Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
        Invalidate();
    }
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage&) {
    Invalidate();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMBroadcastToChildren(TMessage& message) {
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    for (TControl* child : children) child->Perform(message.Msg, message.WParam, message.LParam);
    DispatchInherited<TWinControl>(this, message);
}

// Parent and children.

void TWinControl::SetParent(TWinControl* value) {
    if (parent_ == value) return;
    for (TControl* p = value; p; p = p->Parent())
        if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
    // The window belongs to the old parent's window: it is made again under the new one when needed.
    if (handle_ && !ComponentState().Contains(csDestroying)) DestroyHandle();
    TControl::SetParent(value);
    if (!value) UpdateShowing();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw CreateFmt<EListError>("List index out of bounds (%d)", {index});
    auto i = static_cast<std::size_t>(index);
    return i < controls_.size() ? controls_[i] : winControls_[i - controls_.size()];
}

bool TWinControl::ContainsControl(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<std::uintptr_t>(control), 1);
    control->parent_ = this;
    if (control->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(control);
        winControls_.push_back(w);
        tabList_.push_back(w);
    } else {
        controls_.push_back(control);
    }
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    control->UpdateAnchorBase();
    if (control->IsWindowed())
        static_cast<TWinControl*>(control)->UpdateShowing();
    else
        control->Invalidate();
    if (control->Align() != alNone) AlignControlsFor(control);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<std::uintptr_t>(control), 1);
}

void TWinControl::RemoveControl(TControl* control) {
    if (control->parent_ != this) return;
    Perform(CM_CONTROLCHANGE, reinterpret_cast<std::uintptr_t>(control), 0);
    if (control->IsWindowed()) {
        auto* w = static_cast<TWinControl*>(control);
        if (!ComponentState().Contains(csDestroying))
            if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(w, true);
        winControls_.erase(std::remove(winControls_.begin(), winControls_.end(), w), winControls_.end());
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    } else {
        control->Invalidate();
        controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    }
    control->parent_ = nullptr;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<std::uintptr_t>(control), 0);
    if (control->Align() != alNone) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls) {
    auto hits = [&](TControl* c) {
        return c->Visible() && (c->Enabled() || allowDisabled) && c->BoundsRect().Contains(point);
    };
    if (allowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hits(*it)) return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (hits(c) && c->Perform(CM_HITTEST, 0, PointLParam(TPoint{point.X - c->Left(), point.Y - c->Top()})) != 0)
            return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    for (TControl* child : children) {
        child->WindowProc(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(std::uint32_t msg) {
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    for (TControl* child : children) child->Perform(msg);
}

void TWinControl::CMBroadcastKey(TMessage& message) { Broadcast(message); }

// Bounds.

TRect TWinControl::ClientRect() {
    if (!handle_) return TControl::ClientRect();
    RECT r{};
    ::GetClientRect(handle_, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::ClientOrigin() {
    if (!handle_) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return TPoint{p.x, p.y};
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (!CheckNewBounds(left, top, width, height)) return;
    if (!handle_) {
        bool resized = width != width_ || height != height_;
        ApplyBounds(left, top, width, height);
        if (resized) Realign();
        return;
    }
    // The window reports its new place (WM_WINDOWPOSCHANGED), which aligns the children and fires OnResize.
    ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
    if (!applyingAlignment_) {
        UpdateAnchorBase();
        RequestAlign();
    }
}

void TWinControl::UpdateBounds() {
    if (!handle_) return;
    RECT r{};
    ::GetWindowRect(handle_, &r);
    if (::GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD)
        if (HWND p = ::GetParent(handle_)) ::MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
    bool resized = pos && !(pos->flags & SWP_NOSIZE);
    DispatchInherited<TWinControl>(this, message);
    UpdateBounds();
    if (resized) {
        Realign();
        Resize();
    }
}

// Alignment.

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
    if (alignLevel_ > 0) --alignLevel_;
    if (alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControlsFor(nullptr); }

TRect TWinControl::AlignArea() {
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControlsFor(TControl* control) {
    if (alignLevel_ > 0 || ComponentState().Contains(csDestroying)) {
        controlState_.Include(csAlignmentNeeded);
        return;
    }
    ++alignLevel_;
    TScopeExit done([this] { --alignLevel_; });
    controlState_.Exclude(csAlignmentNeeded);
    TRect area = AlignArea();
    AlignControls(control, area);
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
    std::vector<TControl*> kids;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() != alNone || !(c->Anchors() == TAnchors{akLeft, akTop})) kids.push_back(c);
    }
    if (kids.empty()) return;
    std::vector<TAlignItem> items;
    items.reserve(kids.size());
    for (TControl* c : kids) {
        TAlignItem item;
        item.Align = c->Align();
        item.Anchors = c->Anchors();
        item.Visible = c->Visible();
        item.Bounds = c->BoundsRect();
        item.Constraints = c->Constraints();
        item.Order = c->alignOrder_;
        item.Moving = c == control;
        item.AnchorBase = c->anchorBase_;
        item.AnchorParentSize = c->anchorParentSize_;
        items.push_back(item);
    }
    std::vector<TAlignPlacement> placed = ArrangeControls(rect, items);
    for (std::size_t i = 0; i < kids.size(); ++i) {
        TControl* c = kids[i];
        c->alignOrder_ = placed[i].Order;
        if (!(placed[i].Bounds == c->BoundsRect())) c->SetAlignedBounds(placed[i].Bounds);
        if (c->Align() == alNone && c->anchorParentSize_.cx <= 0 && c->anchorParentSize_.cy <= 0) c->UpdateAnchorBase();
    }
}

// Painting.

void TWinControl::Invalidate() {
    if (handle_) ::InvalidateRect(handle_, nullptr, controlStyle_.Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (handle_) ::UpdateWindow(handle_);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

void TWinControl::SetZOrder(bool topMost) {
    if (parent_) {
        auto& list = parent_->winControls_;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) {
            list.erase(it);
            if (topMost)
                list.push_back(this);
            else
                list.insert(list.begin(), this);
        }
    }
    if (handle_)
        ::SetWindowPos(handle_, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetParentBackground(bool value) {
    if (ParentBackground() == value) return;
    if (value)
        controlStyle_.Include(csParentBackground);
    else
        controlStyle_.Exclude(csParentBackground);
    Invalidate();
}

void TWinControl::WMPaint(TMessage& message) {
    if (message.WParam == 0 && doubleBuffered_) {
        PaintDoubleBuffered();
        message.Result = 0;
        return;
    }
    PaintHandler(message);
}

void TWinControl::PaintDoubleBuffered() {
    PAINTSTRUCT ps{};
    HDC screen = ::BeginPaint(handle_, &ps);
    HWND wnd = handle_;
    TScopeExit endPaint([&] { ::EndPaint(wnd, &ps); });
    RECT client{};
    ::GetClientRect(handle_, &client);
    int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    const TGdiHandle<HBITMAP> bitmap(::CreateCompatibleBitmap(screen, w, h));
    const TMemoryDC memory(bitmap.Get(), screen);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), reinterpret_cast<LPARAM>(memory.Get()));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(memory.Get()), 0);
    ::BitBlt(screen, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
}

void TWinControl::PaintHandler(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    PAINTSTRUCT ps{};
    HWND wnd = handle_;
    bool own = dc == nullptr;
    if (own) dc = ::BeginPaint(wnd, &ps);
    TScopeExit endPaint([&] {
        if (own) ::EndPaint(wnd, &ps);
    });
    if (controls_.empty()) {
        PaintWindow(dc);
        return;
    }
    int saved = ::SaveDC(dc);
    for (TControl* c : controls_)
        if (c->Visible() && c->ControlStyle().Contains(csOpaque))
            ::ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
    PaintWindow(dc);
    ::RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC dc) {
    TMessage message;
    message.Msg = WM_PAINT;
    message.WParam = reinterpret_cast<std::uintptr_t>(dc);
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = controls_.begin();
    if (first) it = std::find(controls_.begin(), controls_.end(), first);
    std::vector<TControl*> toPaint(it, controls_.end());
    for (TControl* c : toPaint) {
        if (!c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
        int saved = ::SaveDC(dc);
        POINT origin{};
        ::GetWindowOrgEx(dc, &origin);
        ::SetWindowOrgEx(dc, origin.x - c->Left(), origin.y - c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        TScopeExit restore([&] { ::RestoreDC(dc, saved); });
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    message.Result = 1;
    // A double-buffered window erases into its bitmap during its own paint (a message whose lParam repeats
    // the DC); the system's erase of the window itself on screen is left out so that it does not flash. Any
    // other DC, such as a child's drawing this control's background behind itself, gets the background.
    if (doubleBuffered_ && handle_ && dc && message.LParam != static_cast<std::intptr_t>(message.WParam) &&
        ::WindowFromDC(dc) == handle_)
        return;
    if (controlStyle_.Contains(csOpaque) || !dc) return;
    if (ParentBackground() && parent_ && parent_->HandleAllocated() && handle_) {
        ::DrawThemeParentBackground(handle_, dc, nullptr);
        return;
    }
    RECT r{};
    TRect client = ClientRect();
    r = RECT{client.Left, client.Top, client.Right, client.Bottom};
    HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color())));
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

void TWinControl::WMPrintClient(TMessage& message) {
    if (message.LParam & PRF_ERASEBKGND)
        Perform(WM_ERASEBKGND, message.WParam, static_cast<std::intptr_t>(message.WParam));
    TMessage paint;
    paint.Msg = WM_PAINT;
    paint.WParam = message.WParam;
    PaintHandler(paint);
    message.Result = 0;
}

// Reflection: a child's notification goes back to the child's window as CN_BASE + msg.

void TWinControl::WMReflect(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
        case WM_NOTIFY:
            if (message.LParam) child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            if (message.LParam) {
                const auto* s = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
                if (s->CtlType != ODT_MENU) child = s->hwndItem;
            }
            break;
        case WM_MEASUREITEM:
            if (message.LParam) {
                const auto* s = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
                if (s->CtlType != ODT_MENU && handle_) child = ::GetDlgItem(handle_, static_cast<int>(s->CtlID));
            }
            break;
        case WM_DELETEITEM:
            if (message.LParam) child = reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam)->hwndItem;
            break;
        case WM_COMPAREITEM:
            if (message.LParam) child = reinterpret_cast<const COMPAREITEMSTRUCT*>(message.LParam)->hwndItem;
            break;
        default: child = reinterpret_cast<HWND>(message.LParam); break;
    }
    // A system control's own parts (a combo box's edit and list, a list view's header, a tab control's
    // arrows) notify it about things only the system control handles: they go to its default handling.
    // Every other child window, library control or not, gets the notice reflected.
    const bool systemPart = child && builtOnSystemClass_ && !FindControl(child);
    if (child && !systemPart && child != handle_ && ::IsWindow(child)) {
        message.Result = ::SendMessageA(child, CN_BASE + message.Msg, message.WParam, message.LParam);
        bool colour = message.Msg >= WM_CTLCOLORMSGBOX && message.Msg <= WM_CTLCOLORSTATIC;
        // A child that chose no colours leaves them to the default handling.
        if (!colour || message.Result != 0) return;
    }
    DispatchInherited<TWinControl>(this, message);
}

// The message path.

void TWinControl::WndProc(TMessage& message) {
    if (IsMouseMessage(message.Msg)) {
        if (IsControlMouseMsg(message)) return;
    } else if (message.Msg == WM_CONTEXTMENU && !controls_.empty()) {
        if (static_cast<std::uint32_t>(message.LParam) != 0xFFFFFFFFu) {
            TControl* c = ControlAtPos(ScreenToClient(LParamPoint(message.LParam)), false);
            if (c) {
                message.Result = c->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
                if (message.Result != 0) return;
            }
        }
    }
    TControl::WndProc(message);
}

bool TWinControl::IsControlMouseMsg(TMessage& message) {
    if (!handle_) return false;
    TControl* target = nullptr;
    TPoint p = LParamPoint(message.LParam);
    if (::GetCapture() == handle_) {
        TControl* capture = GetCaptureControl();
        if (capture && !capture->IsWindowed() && capture->Parent() == this) target = capture;
    } else {
        target = ControlAtPos(p, false);
    }
    if (!target || target->IsWindowed()) return false;
    message.Result =
        target->Perform(message.Msg, message.WParam, PointLParam(TPoint{p.X - target->Left(), p.Y - target->Top()}));
    return true;
}

void TWinControl::WMSetCursor(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) == handle_ && message.LParamLo() == HTCLIENT && Screen) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            POINT pt{};
            ::GetCursorPos(&pt);
            TControl* c = ControlAtPos(ScreenToClient(TPoint{pt.x, pt.y}), false);
            if (c) cursor = c->Cursor();
            if (cursor == crDefault) cursor = Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            message.Result = 1;
            return;
        }
    }
    DispatchInherited<TWinControl>(this, message);
}

// Help.

void TWinControl::WMHelp(TMessage& message) {
    const auto* info = reinterpret_cast<const HELPINFO*>(message.LParam);
    if (!info || info->cbSize < sizeof(HELPINFO) || info->iContextType != HELPINFO_WINDOW) {
        DispatchInherited<TWinControl>(this, message);
        return;
    }
    // The request is answered here and never passed on: the default procedure would hand it to the parent
    // window, which would look through the same controls again.
    message.Result = 1;
    // A system window inside a control (the edit of a combo box) asks for the help of that control.
    TWinControl* control = nullptr;
    for (HWND wnd = static_cast<HWND>(info->hItemHandle); wnd && !control;
         wnd = (::GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(wnd) : nullptr)
        control = FindControl(wnd);
    TControl* owner = control;
    while (owner && owner->HelpContext() == 0) owner = owner->Parent();
    if (!owner || !Application) return;
    TCustomForm* form = GetParentForm(control);
    if (form && form->BorderIcons().Contains(biHelp))
        Application->HelpCommand(HELP_CONTEXTPOPUP, owner->HelpContext());
    else
        Application->HelpContext(owner->HelpContext());
}

// Focus.

bool TWinControl::CanFocus() {
    TCustomForm* form = GetParentForm(this);
    for (TWinControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    // The form keeps the control as its active one and focuses it once the form itself is active.
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->FocusControl(this);
        return;
    }
    ::SetFocus(Handle());
}

bool TWinControl::Focused() { return handle_ && ::GetFocus() == handle_; }

void TWinControl::WMSetFocus(TMessage& message) {
    if (TCustomForm* form = GetParentForm(this))
        if (form != this && !form->SetFocusedControl(this)) return;
    DispatchInherited<TWinControl>(this, message);
    Perform(CM_ENTER);
}

void TWinControl::WMKillFocus(TMessage& message) {
    DispatchInherited<TWinControl>(this, message);
    Perform(CM_EXIT);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!parent_) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    auto at = static_cast<std::size_t>(std::clamp(value, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::SetTabStop(bool value) {
    if (tabStop_ == value) return;
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = ::GetWindowLongPtrA(handle_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowLongPtrA(handle_, GWL_STYLE, style);
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    auto n = static_cast<std::ptrdiff_t>(list.size());
    auto found = std::find(list.begin(), list.end(), current);
    // Without a current control, forward starts at the first and backward at the last.
    std::ptrdiff_t index = found != list.end() ? found - list.begin() : (goForward ? n - 1 : 0);
    std::ptrdiff_t start = found != list.end() ? index : -1;
    for (std::ptrdiff_t step = 0; step < n; ++step) {
        index = goForward ? (index + 1) % n : (index - 1 + n) % n;
        if (index == start) break;
        TWinControl* c = list[static_cast<std::size_t>(index)];
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

// Keyboard.

bool TWinControl::FormPreviews(TMessage& message, bool (TWinControl::*step)(TMessage&)) {
    TCustomForm* form = GetParentForm(this);
    return form && form != this && form->KeyPreview() && (static_cast<TWinControl*>(form)->*step)(message);
}

bool TWinControl::DoVirtualKey(TMessage& message, void (TWinControl::*handler)(std::uint16_t&, TShiftState)) {
    auto key = static_cast<std::uint16_t>(message.WParam);
    if (!controlStyle_.Contains(csNoStdEvents)) {
        (this->*handler)(key, KeyDataToShiftState(message.LParam));
        message.WParam = key;
    }
    return key == 0;
}

bool TWinControl::DoKeyDown(TMessage& message) {
    return FormPreviews(message, &TWinControl::DoKeyDown) || DoVirtualKey(message, &TWinControl::KeyDown);
}

bool TWinControl::DoKeyUp(TMessage& message) {
    return FormPreviews(message, &TWinControl::DoKeyUp) || DoVirtualKey(message, &TWinControl::KeyUp);
}

bool TWinControl::DoKeyPress(TMessage& message) {
    if (FormPreviews(message, &TWinControl::DoKeyPress)) return true;
    char key = static_cast<char>(message.WParam & 0xFF);
    if (!controlStyle_.Contains(csNoStdEvents)) {
        char before = key;
        KeyPress(key);
        // An unchanged character keeps whatever else the message carries in wParam.
        if (key != before) message.WParam = static_cast<unsigned char>(key);
    }
    return key == 0;
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WMKeyDown(TMessage& message) {
    if (!DoKeyDown(message)) DispatchInherited<TWinControl>(this, message);
}

void TWinControl::WMKeyUp(TMessage& message) {
    if (!DoKeyUp(message)) DispatchInherited<TWinControl>(this, message);
}

void TWinControl::WMChar(TMessage& message) {
    if (!DoKeyPress(message)) DispatchInherited<TWinControl>(this, message);
}

void TWinControl::CNKeyDown(TMessage& message) {
    message.Result = 1;
    auto key = static_cast<std::uint16_t>(message.WParam);
    TCustomForm* form = GetParentForm(this);
    if (form && form->IsShortCut(message)) return;
    if (Application && Application->IsShortCut(message)) return;
    std::uintptr_t wanted = 0;
    switch (key) {
        case VK_TAB: wanted = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: wanted = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL: wanted = DLGC_WANTALLKEYS; break;
        default: break;
    }
    bool altAlone = message.Msg == CN_SYSKEYDOWN && key == VK_MENU;
    if (wanted || altAlone) {
        bool keep = Perform(CM_WANTSPECIALKEY, key, message.LParam) != 0;
        if (!keep && wanted)
            keep = (Perform(WM_GETDLGCODE) & static_cast<std::intptr_t>(wanted | DLGC_WANTALLKEYS)) != 0;
        if (!keep && KeyTarget(this)->Perform(CM_DIALOGKEY, key, message.LParam) != 0) return;
    }
    message.Result = 0;
}

void TWinControl::CNChar(TMessage& message) {
    message.Result = 0;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 &&
        KeyTarget(this)->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
        message.Result = 1;
}

void TWinControl::CNSysChar(TMessage& message) {
    message.Result = KeyTarget(this)->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0 ? 1 : 0;
}

// Mouse wheel: the form first, then the control; never the default procedure, which would hand it to the
// parent window and so back to the form.

bool TWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    return TControl::DoMouseWheel(shift, wheelDelta, mousePos);
}

void TWinControl::WMMouseWheel(TMessage& message) {
    TShiftState shift = KeysToShiftState(message.WParamLo());
    int delta = static_cast<std::int16_t>(message.WParamHi());
    TPoint pos = LParamPoint(message.LParam);
    bool handled = false;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) handled = form->DoMouseWheel(shift, delta, pos);
    if (!handled) handled = DoMouseWheel(shift, delta, pos);
    message.Result = handled ? 1 : 0;
}
