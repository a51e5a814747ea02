#include "scan/win/TzavTWAINQueue.h"

#include <string>

#include "classlib/core/Exceptions.h"
#include "scan/core/TwnIdentity.h"
#include "scan/win/TzavTWAINThread.h"

namespace {

constexpr char kWindowClass[] = "TzavTWAINQueueClass";
constexpr char kWindowCaption[] = "TzavTWAINQueue";

// The hidden window answers the system's own messages in the default way and every message of ours with 1.
LRESULT CALLBACK QueueWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message < WM_USER) return ::DefWindowProcA(window, message, wParam, lParam);
    return 1;
}

void RegisterQueueClass() {
    WNDCLASSA existing;
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), kWindowClass, &existing)) {
        if (existing.lpfnWndProc == &QueueWindowProc) return;
        ::UnregisterClassA(kWindowClass, ::GetModuleHandleA(nullptr));
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = &QueueWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    ::RegisterClassA(&wc);
}

std::string FolderFile(UINT(WINAPI* folder)(LPSTR, UINT), const char* file) {
    char path[MAX_PATH + 1] = {};
    const UINT n = folder(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string result(path, n);
    if (result.back() != '\\') result += '\\';
    return result + file;
}

// The manager from the Windows folder. A 64-bit program cannot load the 32-bit manager found there on a 64-bit
// system; its own manager is the one in the system folder.
HMODULE LoadManagerLibrary() {
    std::string candidates[] = {
        FolderFile(&::GetWindowsDirectoryA, "TWAIN_32.DLL"),
#if defined(_WIN64)
        FolderFile(&::GetSystemDirectoryA, "TWAIN_32.DLL")
#endif
    };
    for (const std::string& path : candidates) {
        if (path.empty() || ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        const HMODULE library = ::LoadLibraryA(path.c_str());
        if (reinterpret_cast<std::uintptr_t>(library) > 31) return library;
    }
    return nullptr;
}

}  // namespace

TzavTWAINQueue::TzavTWAINQueue(TzavTWAINThread& connection, TW_IDENTITY* appIdentity, TW_IDENTITY* sourceIdentity,
                               std::int32_t waitTimeout, std::uint32_t generation)
    : TThread(false),
      connection_(connection),
      appIdentity_(appIdentity),
      sourceIdentity_(sourceIdentity),
      waitTimeout_(waitTimeout),
      generation_(generation) {}

TzavTWAINQueue::~TzavTWAINQueue() = default;

std::uint32_t TzavTWAINQueue::Submit(const TTwnRequest& request) {
    std::lock_guard<std::mutex> guard(slotLock_);
    request_ = request;
    if (++lastToken_ == 0) ++lastToken_;
    requestToken_ = lastToken_;
    return requestToken_;
}

bool TzavTWAINQueue::TakeResult(std::uint32_t token, TTwnRequestResult& result) {
    std::lock_guard<std::mutex> guard(slotLock_);
    if (doneToken_ != token) return false;
    result = result_;
    return true;
}

void TzavTWAINQueue::Abandon(std::uint32_t token) {
    std::lock_guard<std::mutex> guard(slotLock_);
    if (requestToken_ == token) requestToken_ = 0;
    if (runningToken_ == token) runningToken_ = 0;
}

void TzavTWAINQueue::RequestForeground(HWND owner) {
    {
        std::lock_guard<std::mutex> guard(slotLock_);
        foregroundPending_ = true;
        foregroundOwner_ = owner;
    }
    while (!Finished() && !::PostThreadMessageA(ThreadID(), TWM_FOREGROUND, 0, 0)) ::Sleep(10);
}

void TzavTWAINQueue::Execute() {
    // The message queue exists from here on: posts to this thread succeed.
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    RegisterQueueClass();
    window_ = ::CreateWindowExA(0, kWindowClass, kWindowCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    threadEvent_.SetEvent();
    while (!Terminated()) {
        if (!::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::WaitMessage();
            continue;
        }
        if (message.message == WM_QUIT) break;
        try {
            if (message.hwnd == nullptr) {
                // Every message of ours only says "look at the slot": what it carries is not used.
                if (message.message >= TWM_OPENMANAGER && message.message <= TWM_WAKEUP) RunPending();
            } else if (sourceOpen_ && !ProcessEvent(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
        } catch (const Exception&) {
            // A failed request or message leaves the thread ready for the next one.
        }
    }
    Terminate();
    if (window_) ::DestroyWindow(window_);
    window_ = nullptr;
    ::UnregisterClassA(kWindowClass, ::GetModuleHandleA(nullptr));
    UnbindManager();
}

void TzavTWAINQueue::RunPending() {
    HWND owner = nullptr;
    bool foreground = false;
    TTwnRequest request;
    std::uint32_t token = 0;
    {
        std::lock_guard<std::mutex> guard(slotLock_);
        std::swap(foreground, foregroundPending_);
        owner = foregroundOwner_;
        if (requestToken_ != 0) {
            request = request_;
            token = requestToken_;
            runningToken_ = token;
            requestToken_ = 0;  // taken: the request runs once
        }
    }
    if (foreground) {
        rememberedOwner_ = owner;
        ::SetParent(window_, nullptr);
        ::SetForegroundWindow(window_);
    }
    if (token == 0) return;
    TTwnRequestResult result;
    result.rc = Run(request, result);
    bool wanted;
    {
        std::lock_guard<std::mutex> guard(slotLock_);
        wanted = runningToken_ == token;
        runningToken_ = 0;
        if (wanted) {
            result_ = result;
            doneToken_ = token;
            // Reset while the request is still wanted: a caller giving up from now on sets it after this.
            messageEvent_.ResetEvent();
        }
    }
    if (!wanted) return;
    // Hold back until the connection thread has read the result.
    threadEvent_.SetEvent();
    const std::int32_t wait = waitTimeout_;
    messageEvent_.WaitFor(wait < 0 ? INFINITE_WAIT : std::uint32_t(wait));
}

std::uint16_t TzavTWAINQueue::Run(const TTwnRequest& request, TTwnRequestResult& result) {
    switch (request.message) {
        case TWM_OPENMANAGER: return OpenManager();
        case TWM_CLOSEMANAGER: return CloseManager();
        case TWM_OPENSOURCE: return OpenSource();
        case TWM_CLOSESOURCE: return CloseSource();
        case TWM_ENABLESOURCE: return EnableSource(MSG_ENABLEDS, request.wParam, result);
        case TWM_ENABLEUIONLY: return EnableSource(MSG_ENABLEDSUIONLY, request.wParam, result);
        case TWM_DISABLESOURCE: return DisableSource();
        case TWM_TRIPLET:
            return CallDSM(request.origin, request.destination, request.dg, request.dat, request.msg, request.data);
        default: return TWRC_FAILURE;  // the reserved requests do nothing
    }
}

bool TzavTWAINQueue::BindManager() {
    if (entry_) return true;
    library_ = LoadManagerLibrary();
    if (!library_) return false;
    const auto entry =
        reinterpret_cast<TDSMEntryProc>(reinterpret_cast<void*>(::GetProcAddress(library_, MAKEINTRESOURCEA(1))));
    if (!entry) {
        ::FreeLibrary(library_);
        library_ = nullptr;
        return false;
    }
    entry_ = entry;
    return true;
}

void TzavTWAINQueue::UnbindManager() {
    entry_ = nullptr;
    if (library_) ::FreeLibrary(library_);
    library_ = nullptr;
    sourceIdentity_->Id = 0;
}

void TzavTWAINQueue::SetState(int state) { connection_.Notify(TWM_STATE, state); }

std::uint16_t TzavTWAINQueue::CallDSM(TW_IDENTITY* origin, TW_IDENTITY* destination, std::uint32_t dg,
                                      std::uint16_t dat, std::uint16_t msg, TW_MEMREF data) {
    const TDSMEntryProc entry = entry_;
    if (!entry) return TWRC_FAILURE;
    const std::uint16_t rc = twn::GuardedDSMCall(entry, origin, destination, dg, dat, msg, data);
    if (rc == TWRC_MANAGERFAULT) {
        if (dat != DAT_STATUS) {
            managerOpen_ = false;
            sourceOpen_ = false;
            sourceEnabled_ = false;
            UnbindManager();
        }
        connection_.Notify(TWM_MANAGERFAULT, LPARAM(generation_));
        return rc;
    }
    std::uint16_t conditionCode = TWCC_SUCCESS;
    if (rc != TWRC_SUCCESS && !(rc >= TWRC_CANCEL && rc <= TWRC_ENDOFLIST)) {
        TW_STATUS status{};
        const std::uint16_t statusRc =
            twn::GuardedDSMCall(entry, origin, destination, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
        conditionCode = statusRc == TWRC_SUCCESS ? status.ConditionCode : TWCC_BUMMER;
    }
    if (conditionCode != TWCC_SUCCESS && dat != DAT_STATUS) {
        TTwnFailure failure;
        failure.dg = dg;
        failure.dat = dat;
        failure.cap = dat == DAT_CAPABILITY && data ? static_cast<TW_CAPABILITY*>(data)->Cap : 0;
        failure.msg = msg;
        failure.rc = rc;
        failure.conditionCode = conditionCode;
        connection_.NotifyFailure(failure);
    }
    return rc;
}

std::uint16_t TzavTWAINQueue::OpenManager() {
    if (managerOpen_) return TWRC_FAILURE;
    if (!BindManager()) return TWRC_FAILURE;
    SetState(2);
    HWND parent = window_;
    const std::uint16_t rc = CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
    if (rc == TWRC_SUCCESS) {
        managerOpen_ = true;
        SetState(3);
    } else if (rc != TWRC_MANAGERFAULT) {
        // A manager that would not open is not kept bound.
        UnbindManager();
        SetState(1);
    }
    return rc;
}

std::uint16_t TzavTWAINQueue::CloseManager() {
    if (!managerOpen_ || sourceOpen_) return TWRC_FAILURE;
    HWND parent = window_;
    const std::uint16_t rc = CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    if (rc == TWRC_SUCCESS) {
        managerOpen_ = false;
        SetState(2);
        UnbindManager();
        SetState(1);
    }
    return rc;
}

std::uint16_t TzavTWAINQueue::OpenManagerDirect(HWND parent) {
    if (!BindManager()) return TWRC_FAILURE;
    return CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
}

std::uint16_t TzavTWAINQueue::CloseManagerDirect(HWND parent) {
    const std::uint16_t rc = CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    if (!managerOpen_) UnbindManager();
    return rc;
}

std::uint16_t TzavTWAINQueue::OpenSource() {
    if (!managerOpen_ || sourceOpen_) return TWRC_FAILURE;
    sourceIdentity_->Id = 0;
    const std::uint16_t rc = CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, sourceIdentity_);
    if (rc == TWRC_SUCCESS) {
        sourceOpen_ = true;
        sourceProtocol_ = twn::ProtocolNumber(*sourceIdentity_);
        SetState(4);
    }
    return rc;
}

std::uint16_t TzavTWAINQueue::CloseSource() {
    if (!sourceOpen_ || sourceEnabled_) return TWRC_FAILURE;
    const std::uint16_t rc = CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, sourceIdentity_);
    if (rc == TWRC_SUCCESS) {
        sourceOpen_ = false;
        sourceIdentity_->Id = 0;
        sourceIdentity_->ProductName[0] = 0;
        SetState(3);
        connection_.Notify(TWM_ENABLEMENUS);
    }
    return rc;
}

std::uint16_t TzavTWAINQueue::EnableSource(std::uint16_t msg, WPARAM showUI, TTwnRequestResult& result) {
    if (!sourceOpen_ || sourceEnabled_) return TWRC_FAILURE;
    TW_USERINTERFACE ui{};
    ui.ShowUI = showUI ? 1 : 0;
    ui.ModalUI = 0;
    ui.hParent = window_;
    const std::uint16_t rc = CallDSM(appIdentity_, sourceIdentity_, DG_CONTROL, DAT_USERINTERFACE, msg, &ui);
    if (rc == TWRC_SUCCESS || rc == TWRC_CHECKSTATUS) {
        sourceEnabled_ = true;
        SetState(5);
        result.showUI = ui.ShowUI;
        result.modalUI = ui.ModalUI;
    }
    return rc;
}

std::uint16_t TzavTWAINQueue::DisableSource() {
    if (!sourceEnabled_ || !sourceOpen_) return TWRC_FAILURE;
    TW_USERINTERFACE ui{};
    ui.hParent = window_;
    const std::uint16_t rc = CallDSM(appIdentity_, sourceIdentity_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    if (rc == TWRC_SUCCESS) {
        sourceEnabled_ = false;
        SetState(4);
    }
    return rc;
}

bool TzavTWAINQueue::ProcessEvent(MSG& message) {
    if (!managerOpen_ || !sourceOpen_) return false;
    TW_EVENT event{};
    event.pEvent = &message;
    event.TWMessage = MSG_NULL;
    const std::uint16_t rc = CallDSM(appIdentity_, sourceIdentity_, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    if (rc == TWRC_MANAGERFAULT) return false;
    switch (event.TWMessage) {
        case MSG_XFERREADY: connection_.Notify(TWM_XFERREADY); break;
        case MSG_CLOSEDSREQ:
        case MSG_CLOSEDSOK: connection_.Notify(TWM_CLOSEREQUEST); break;
        case MSG_DEVICEEVENT: connection_.Notify(TWM_DEVICEEVENT); break;
        default: break;
    }
    return rc == TWRC_DSEVENT;
}
