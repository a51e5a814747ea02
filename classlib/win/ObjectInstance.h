// Window procedures that call a method of an object. An object instance is a small piece of machine code in
// executable memory: a real WNDPROC the system can call, bound to one TWndMethod, which builds the TMessage,
// calls the method and returns message.Result. The window handle is not passed on (TMessage has none); the
// owner of the method knows its window.
//
// A utility window is a hidden top-level window of the library's own class whose procedure is such an instance:
// for objects that need a window only to receive messages (timers, deferred calls, broadcast notifications).
#pragma once
#include "classlib/core/Messages.h"
#include "classlib/win/Win32.h"

// A new window procedure bound to method. Free it with FreeObjectInstance once no window uses it. Safe on any
// thread. An exception leaving the method is passed to HandleCallbackException and the message answers 0:
// callers that need their own handling (MainWndProc) catch inside the method.
WNDPROC MakeObjectInstance(TWndMethod method);
// Returns the instance's memory for reuse; null is ignored.
void FreeObjectInstance(WNDPROC proc);

// A hidden utility window whose messages go to method (which must set message.Result itself; for the default
// answer it calls DefWindowProcA with the window it got from here). A null method leaves the window with
// DefWindowProcA. Works on any thread; the window belongs to the calling thread and receives messages while
// that thread pumps them.
HWND AllocateHWnd(TWndMethod method);
// Detaches the method (so it sees no WM_DESTROY), destroys the window and frees its instance. Call on the
// thread that allocated it; null is ignored.
void DeallocateHWnd(HWND wnd);

// RAII owner of an object instance.
class TObjectInstance {
public:
    TObjectInstance() = default;
    explicit TObjectInstance(TWndMethod method) : proc_(MakeObjectInstance(method)) {}
    ~TObjectInstance() { FreeObjectInstance(proc_); }
    TObjectInstance(const TObjectInstance&) = delete;
    TObjectInstance& operator=(const TObjectInstance&) = delete;
    WNDPROC Proc() const { return proc_; }

private:
    WNDPROC proc_ = nullptr;
};
