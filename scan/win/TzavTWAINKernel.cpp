#include "scan/win/TzavTWAINKernel.h"

#include <cstring>
#include <mutex>

#include "classlib/core/Synchronize.h"

namespace {

// The main thread's service of synchronised calls, shared by every kernel (see the header).
struct SyncService {
    std::mutex lock;
    int users = 0;
    HHOOK hook = nullptr;
    DWORD mainThread = 0;
    TNotifyEvent previousWake;
};
SyncService& Service() {
    static SyncService service;
    return service;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    // Only a message really taken from the queue: a look that leaves it there would run the calls twice.
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_NULL && IsMainThread()) {
        try {
            CheckSynchronize();
        } catch (...) {
            // A synchronised call's error goes back to the worker that made it; nothing else may cross the hook.
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct MainThreadWake {
    void Wake(TObject*) { ::PostThreadMessageA(Service().mainThread, WM_NULL, 0, 0); }
};
MainThreadWake g_wake;

void StartSyncService() {
    SyncService& s = Service();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.users++ > 0) return;
    s.mainThread = ::GetCurrentThreadId();
    s.hook = ::SetWindowsHookExA(WH_GETMESSAGE, &GetMessageHook, nullptr, s.mainThread);
    s.previousWake = GetWakeMainThread();
    SetWakeMainThread(MakeMethod<&MainThreadWake::Wake>(&g_wake));
}

void StopSyncService() {
    SyncService& s = Service();
    std::lock_guard<std::mutex> guard(s.lock);
    if (--s.users > 0) return;
    if (s.hook) ::UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
    if (GetWakeMainThread() == MakeMethod<&MainThreadWake::Wake>(&g_wake)) SetWakeMainThread(s.previousWake);
}

}  // namespace

TzavTWAINKernel::TzavTWAINKernel(TComponent* owner) : TComponent(owner) {
    appIdentity_ = twn::AppIdentity(names_);
    std::memset(&sourceIdentity_, 0, sizeof sourceIdentity_);
    StartSyncService();
    connection_ = MakeObject<TzavTWAINThread>(&appIdentity_, &sourceIdentity_, OwnForegroundWindow());
    connection_->WaitReady();
    connection_->EventSender = this;
    connection_->OnCloseRequest = MakeMethod<&TzavTWAINKernel::CloseSourceSlot>(this);
    connection_->OnXferReady = MakeMethod<&TzavTWAINKernel::XferReadySlot>(this);
    connection_->OnXferNext = MakeMethod<&TzavTWAINKernel::XferNextSlot>(this);
}

TzavTWAINKernel::~TzavTWAINKernel() {
    try {
        // The callbacks go first, here on the main thread where they run: nothing the ending thread reports
        // reaches a handler that may be gone with the component's owner.
        connection_->Unbind();
        connection_->Shutdown();
    } catch (...) {
        // The thread is gone either way; destruction goes on.
    }
    connection_.reset();
    StopSyncService();
}

HWND TzavTWAINKernel::OwnForegroundWindow() {
    const HWND window = ::GetForegroundWindow();
    DWORD process = 0;
    if (window) ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() ? window : nullptr;
}

void TzavTWAINKernel::CloseSourceSlot(TObject*) {
    if (OnCloseSource) OnCloseSource(this);
}
void TzavTWAINKernel::XferReadySlot(TObject*) {
    if (OnXferReady) OnXferReady(this);
}
void TzavTWAINKernel::XferNextSlot(TObject*, std::int32_t& numImages, bool& skipNext) {
    if (OnXferNext) OnXferNext(this, numImages, skipNext);
}

void TzavTWAINKernel::SetManufacturer(const std::string& value) {
    names_.Manufacturer = value;
    twn::SetIdentityText(appIdentity_.Manufacturer, value);
}
void TzavTWAINKernel::SetProductFamily(const std::string& value) {
    names_.ProductFamily = value;
    twn::SetIdentityText(appIdentity_.ProductFamily, value);
}
void TzavTWAINKernel::SetProductName(const std::string& value) {
    names_.ProductName = value;
    twn::SetIdentityText(appIdentity_.ProductName, value);
}
