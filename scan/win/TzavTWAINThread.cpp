#include "scan/win/TzavTWAINThread.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"

namespace {

// The system half of the file-transfer name: the folder check and a fresh temporary name.
twn::TTwnNameSystem WindowsNameSystem() {
    twn::TTwnNameSystem system;
    system.FolderExists = [](const std::string& folder) {
        const DWORD attributes = ::GetFileAttributesA(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    };
    system.TempFileName = [] {
        char folder[MAX_PATH + 1] = {};
        const DWORD n = ::GetTempPathA(MAX_PATH, folder);
        if (n == 0 || n > MAX_PATH) std::strcpy(folder, "C:\\");
        char name[MAX_PATH + 1] = {};
        if (!::GetTempFileNameA(folder, "TWN", 0, name)) return std::string(folder) + "TWN.tmp";
        ::DeleteFileA(name);
        return std::string(name);
    };
    return system;
}

constexpr UINT kConnectionMessages[] = {TWM_TRANSFERNEXT, TWM_UNBIND,  TWM_CLOSEREQUEST, TWM_ENABLEMENUS,
                                        TWM_DEVICEEVENT,  TWM_FAILURE, TWM_STATE,        TWM_XFERREADY,
                                        TWM_MANAGERFAULT};

bool IsConnectionMessage(UINT message) {
    for (UINT m : kConnectionMessages)
        if (m == message) return true;
    return false;
}

}  // namespace

// The queue thread may be stopped by another thread at any moment: it is looked at under the lock.
template <class F>
auto TzavTWAINThread::WithQueue(F f) const {
    const auto hold = Hold();
    return f(queue_.get());
}

TzavTWAINThread::TzavTWAINThread(TW_IDENTITY* appIdentity, TW_IDENTITY* sourceIdentity, HWND parent)
    : TThread(false),
      appIdentity_(appIdentity),
      sourceIdentity_(sourceIdentity),
      parent_(parent),
      settings_(WindowsNameSystem()) {}

TzavTWAINThread::~TzavTWAINThread() = default;

void TzavTWAINThread::WaitReady() { ready_.WaitFor(10000); }

void TzavTWAINThread::Shutdown() {
    requestTimeout_ = 50;
    requestRetries_ = 1;
    {
        const auto hold = Hold();
        if (queue_) {
            queue_->ThreadEvent().SetEvent();
            queue_->MessageEvent().SetEvent();
        }
    }
    Terminate();
    while (!Finished() && !::PostThreadMessageA(ThreadID(), WM_QUIT, 0, 0)) ::Sleep(1);
    WaitFor();
}

void TzavTWAINThread::Notify(UINT message, LPARAM value) {
    {
        std::lock_guard<std::mutex> guard(inboxLock_);
        inbox_.push_back({message, value});
    }
    // The post only wakes the thread; a post that fails while the thread is busy is covered by the next one,
    // and the inbox is drained on every wake-up.
    for (int i = 0; i < 256 && !Finished(); ++i)
        if (::PostThreadMessageA(ThreadID(), message, 0, 0)) break;
}

void TzavTWAINThread::NotifyFailure(const TTwnFailure& failure) {
    {
        std::lock_guard<std::mutex> guard(inboxLock_);
        failures_.push_back(failure);
    }
    Notify(TWM_FAILURE);
}

bool TzavTWAINThread::HasQueue() const {
    return WithQueue([](TzavTWAINQueue* q) { return q != nullptr; });
}
TThreadID TzavTWAINThread::QueueThreadID() const {
    return WithQueue([](TzavTWAINQueue* q) { return q ? q->ThreadID() : TThreadID(0); });
}
bool TzavTWAINThread::ManagerOpen() const {
    return WithQueue([](TzavTWAINQueue* q) { return q && q->ManagerOpen(); });
}
bool TzavTWAINThread::SourceOpen() const {
    return WithQueue([](TzavTWAINQueue* q) { return q && q->SourceOpen(); });
}
bool TzavTWAINThread::SourceEnabled() const {
    return WithQueue([](TzavTWAINQueue* q) { return q && q->SourceEnabled(); });
}
int TzavTWAINThread::SourceProtocol() const {
    return WithQueue([](TzavTWAINQueue* q) { return q ? q->SourceProtocol() : 0; });
}

void TzavTWAINThread::SetRequestTimeout(std::int32_t ms) {
    requestTimeout_ = ms;
    WithQueue([ms](TzavTWAINQueue* q) {
        if (q) q->SetWaitTimeout(ms);
        return 0;
    });
}

void TzavTWAINThread::SetLogFilename(const std::string& name) {
    if (name == logFilename_) return;
    logFilename_ = name;
    if (logToFile_ && !name.empty()) ::DeleteFileA(name.c_str());
}

void TzavTWAINThread::Execute() {
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    ready_.SetEvent();
    while (!Terminated()) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (message.hwnd != nullptr || !IsConnectionMessage(message.message)) continue;
        try {
            DrainInbox();
        } catch (const Exception&) {
            // A failing report leaves the thread ready for the next one.
        }
    }
    Terminate();
    requestRetries_ = 1;
    requestTimeout_ = 50;
    if (queue_) {
        queue_->ThreadEvent().SetEvent();
        queue_->MessageEvent().SetEvent();
    }
    try {
        if (SourceOpen()) {
            std::int32_t count = 0;
            if (PendingTransfers(MSG_GET, count) == TWRC_SUCCESS && count != 0) PendingTransfers(MSG_RESET, count);
        }
        CloseAll();
    } catch (const Exception&) {
    }
    StopQueue();
}

void TzavTWAINThread::DrainInbox() {
    // A report may post the next one (the next image): the thread asked to end stops taking them.
    while (!Terminated()) {
        TInboxEntry entry;
        {
            std::lock_guard<std::mutex> guard(inboxLock_);
            if (inbox_.empty()) return;
            entry = inbox_.front();
            inbox_.pop_front();
        }
        Handle(entry.message, entry.value);
    }
}

// Every slot is read, called and cleared on the main thread only: so a slot cleared there (Unbind, when the
// component goes) is never called afterwards.
void TzavTWAINThread::Fire(const TThreadProcedure& call) { Synchronize(call); }

void TzavTWAINThread::Unbind() {
    QueryUnits = nullptr;
    QueryPixelFlavor = nullptr;
    OnFailure = nullptr;
    OnImageReady = nullptr;
    OnMemXferBuffer = nullptr;
    OnMemXferSize = nullptr;
    OnStateChange = nullptr;
    OnXferReady = nullptr;
}

void TzavTWAINThread::SetState(int state) {
    state_ = state;
    Fire([this, state] { if (OnStateChange) OnStateChange(Sender(), state); });
}

void TzavTWAINThread::Handle(UINT message, LPARAM value) {
    switch (message) {
        case TWM_TRANSFERNEXT: TransferNext(); break;
        case TWM_UNBIND: Fire([this] { Unbind(); }); break;
        case TWM_CLOSEREQUEST:
            CloseAll();
            Fire([this] { if (OnCloseRequest) OnCloseRequest(Sender()); });
            break;
        case TWM_ENABLEMENUS:
            Fire([this] { if (OnEnableMenus) OnEnableMenus(Sender()); });
            break;
        case TWM_DEVICEEVENT:
            Fire([this] { if (OnDeviceEvent) OnDeviceEvent(Sender()); });
            break;
        case TWM_FAILURE: {
            TTwnFailure failure;
            {
                std::lock_guard<std::mutex> guard(inboxLock_);
                if (failures_.empty()) break;
                failure = failures_.front();
                failures_.pop_front();
            }
            lastFailure_ = failure;
            Fire([this, failure] {
                    if (OnFailure)
                        OnFailure(Sender(), std::int32_t(failure.dg), failure.dat, failure.cap, failure.msg,
                                  failure.rc, failure.conditionCode);
                });
            break;
        }
        case TWM_STATE: SetState(int(value)); break;
        case TWM_XFERREADY:
            SetState(6);
            if (afterTransferMode_ != kAfterTransferNone) {
                Fire([this] { if (OnXferReady) OnXferReady(Sender()); });
                TransferNext();
            }
            break;
        case TWM_MANAGERFAULT:
            StopQueue();
            SetState(1);
            Fire([this] { if (OnEnableMenus) OnEnableMenus(Sender()); });
            break;
        default: break;
    }
}

void TzavTWAINThread::TransferNext() {
    requestTimeout_ = kTwnNoTimeLimit;
    {
        TScopeExit restore([&] { SetRequestTimeout(kTwnRequestTimeout); });
        TransferImage();
    }
    AfterTransfer();
}

void TzavTWAINThread::TransferImage() {
    std::int32_t count = 0;
    PendingTransfers(MSG_RESET, count);
}

void TzavTWAINThread::AfterTransfer() {
    std::int32_t numImages = pendingCount_;
    bool skipNext = false;
    bool asked = false;
    Fire([&] {
        asked = bool(OnXferNext);
        if (asked) OnXferNext(Sender(), numImages, skipNext);
    });
    if (asked && SourceOpen()) {
        std::int32_t count = 0;
        if (skipNext) {
            PendingTransfers(MSG_ENDXFER, count);
        } else if (numImages == 0 && pendingCount_ != 0) {
            PendingTransfers(MSG_RESET, count);
            if (afterTransferMode_ == kAfterTransferCloseAll) CloseAll();
        }
    }
    if (pendingCount_ == 0 && SourceOpen() && afterTransferMode_ == kAfterTransferCloseAll) CloseAll();
    if (pendingCount_ != 0 && SourceOpen()) Notify(TWM_TRANSFERNEXT);
}

void TzavTWAINThread::StartQueue() {
    if (queue_) return;
    queue_ = MakeObject<TzavTWAINQueue>(*this, appIdentity_, sourceIdentity_, requestTimeout_);
    queue_->ThreadEvent().WaitFor(10000);
}

void TzavTWAINThread::StopQueue() {
    TObjectPtr<TzavTWAINQueue> queue;
    {
        const auto hold = Hold();
        queue = std::move(queue_);
    }
    if (!queue) return;
    queue->RequestForeground(nullptr);
    queue->Terminate();
    queue->MessageEvent().SetEvent();
    while (!queue->Finished() && !::PostThreadMessageA(queue->ThreadID(), WM_QUIT, 0, 0)) ::Sleep(0);
    queue->WaitFor();
}

std::uint16_t TzavTWAINThread::PostRequest(const TTwnRequest& request, std::int32_t wait, TTwnRequestResult* out) {
    const auto hold = Hold();
    if (!queue_) return TWRC_FAILURE;
    TzavTWAINQueue& queue = *queue_;
    queue.ThreadEvent().ResetEvent();
    const std::uint32_t token = queue.Submit(request);
    TScopeExit release([&] {
        queue.Abandon(token);
        queue.MessageEvent().SetEvent();
    });
    // Posted once: the slot holds the request until the queue thread takes it. Only a post the system refuses
    // (a full message queue) is tried again; a triplet as often as the retry count allows.
    const int tries = request.message == TWM_TRIPLET ? std::max<int>(requestRetries_, 1) : 256;
    bool posted = false;
    for (int i = 0; i < tries && !posted && !queue.Finished(); ++i) {
        posted = ::PostThreadMessageA(queue.ThreadID(), request.message, 0, 0);
        if (!posted) ::Sleep(0);
    }
    if (!posted) return TWRC_FAILURE;
    const DWORD start = ::GetTickCount();
    while (true) {
        const std::int32_t left = wait < 0 ? 20 : std::int32_t(wait - std::int32_t(::GetTickCount() - start));
        if (left <= 0) return TWRC_TIMEDOUT;
        if (queue.ThreadEvent().WaitFor(std::uint32_t(left < 20 ? left : 20)) == wrSignaled) {
            TTwnRequestResult result;
            if (!queue.TakeResult(token, result)) continue;  // a late completion of an earlier request
            result.completed = true;
            if (out) *out = result;
            return result.rc;
        }
        MSG quit;
        if (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
            // The thread is asked to end: the wait ends, and the quit stays for the thread's own loop.
            if (::GetCurrentThreadId() == ThreadID()) Terminate();
            ::PostQuitMessage(int(quit.wParam));
            return TWRC_FAILURE;
        }
        MSG paint;
        if (parent_ && ::PeekMessageA(&paint, parent_, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageA(&paint);
    }
}

std::uint16_t TzavTWAINThread::Request(UINT message, std::int32_t wait, WPARAM wParam, TTwnRequestResult* out) {
    TTwnRequest request;
    request.message = message;
    request.wParam = wParam;
    return PostRequest(request, wait, out);
}

std::uint16_t TzavTWAINThread::CallTriplet(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_MEMREF data,
                                           std::uint16_t msg, std::uint16_t dat, std::uint32_t dg) {
    const auto hold = Hold();
    if (!queue_) return TWRC_FAILURE;
    TTwnRequest request;
    request.message = TWM_TRIPLET;
    request.origin = origin;
    request.destination = dat == DAT_IDENTITY || dat == DAT_PARENT ? nullptr : destination;
    request.dg = dg;
    request.dat = dat;
    request.msg = msg;
    request.data = data;
    const std::size_t size = twn::TripletDataSize(dg, dat);
    if (data && size > 0) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        request.copy = std::make_shared<std::vector<std::uint8_t>>(bytes, bytes + size);
        request.data = request.copy->data();
    }
    // Walking the sources may show the manager's own windows: no time limit.
    const bool walk = (dat == DAT_IDENTITY || dat == DAT_PARENT) && msg >= MSG_GETDEFAULT && msg <= MSG_GETNEXT;
    TTwnRequestResult result;
    const std::uint16_t rc = PostRequest(request, walk ? kTwnNoTimeLimit : std::int32_t(requestTimeout_), &result);
    if (result.completed && request.copy) std::memcpy(data, request.copy->data(), size);
    return rc;
}

std::uint16_t TzavTWAINThread::OpenManager() {
    const auto hold = Hold();
    StartQueue();
    SetRequestTimeout(kTwnRequestTimeout);
    return Request(TWM_OPENMANAGER, requestTimeout_);
}

std::uint16_t TzavTWAINThread::CloseManager() {
    const auto hold = Hold();
    if (!ManagerOpen()) return TWRC_FAILURE;
    const std::uint16_t rc = Request(TWM_CLOSEMANAGER, requestTimeout_);
    // Closing the manager ends the queue thread, but not while a source is still open through it: that source
    // would be left without the thread that serves it.
    if (!SourceOpen()) StopQueue();
    return rc;
}

std::uint16_t TzavTWAINThread::OpenSource() {
    const auto hold = Hold();
    if (!queue_) return TWRC_FAILURE;
    queue_->RequestForeground(parent_);
    return Request(TWM_OPENSOURCE, kTwnNoTimeLimit);
}

std::uint16_t TzavTWAINThread::CloseSource() {
    const auto hold = Hold();
    if (!SourceOpen()) return TWRC_FAILURE;
    return Request(TWM_CLOSESOURCE, requestTimeout_);
}

std::uint16_t TzavTWAINThread::EnableSource(bool& showUI, bool& modalUI) {
    const auto hold = Hold();
    if (!queue_) return TWRC_FAILURE;
    if (showUI) queue_->RequestForeground(::GetForegroundWindow());
    TTwnRequestResult result;
    const std::uint16_t rc = Request(TWM_ENABLESOURCE, kTwnNoTimeLimit, showUI ? 1 : 0, &result);
    if (rc == TWRC_SUCCESS || rc == TWRC_CHECKSTATUS) {
        showUI = result.showUI != 0;
        modalUI = result.modalUI != 0;
    }
    return rc;
}

std::uint16_t TzavTWAINThread::DisableSource() {
    const auto hold = Hold();
    if (!SourceEnabled()) return TWRC_FAILURE;
    return Request(TWM_DISABLESOURCE, requestTimeout_);
}

void TzavTWAINThread::CloseAll() {
    const auto hold = Hold();
    if (SourceEnabled()) DisableSource();
    if (SourceOpen()) CloseSource();
    if (ManagerOpen()) CloseManager();
    afterTransferMode_ = kAfterTransferNone;
}

std::uint16_t TzavTWAINThread::SelectSource(HWND parent) {
    const auto hold = Hold();
    TScopeExit enableMenus([&] { Notify(TWM_ENABLEMENUS); });
    const bool ownQueue = !queue_;
    StartQueue();
    TScopeExit stop([&] {
        if (ownQueue) StopQueue();
    });
    if (!queue_ || queue_->SourceOpen()) return TWRC_FAILURE;
    TzavTWAINQueue& queue = *queue_;
    const bool openHere = !queue.ManagerOpen();
    if (openHere && queue.OpenManagerDirect(parent) != TWRC_SUCCESS) return TWRC_FAILURE;
    TW_IDENTITY chosen;
    std::memset(&chosen, 0, sizeof chosen);
    queue.CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &chosen);
    const std::uint16_t rc = queue.CallDSM(appIdentity_, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen);
    if (rc == TWRC_SUCCESS) std::memcpy(sourceIdentity_, &chosen, sizeof chosen);
    if (openHere && rc != TWRC_MANAGERFAULT) queue.CloseManagerDirect(parent);
    return rc;
}

std::uint16_t TzavTWAINThread::PendingTransfers(std::uint16_t msg, std::int32_t& count) {
    TW_PENDINGXFERS pending{};
    const std::uint16_t rc = CallTriplet(appIdentity_, sourceIdentity_, &pending, msg, DAT_PENDINGXFERS, DG_CONTROL);
    if (rc == TWRC_SUCCESS) {
        // A reset leaves nothing pending, whatever count a source answers: a source that claims more would
        // otherwise be asked for the next image for ever.
        count = msg == MSG_RESET ? 0 : pending.Count;
        pendingCount_ = count;
        SetState(count != 0 ? 6 : 5);
    }
    return rc;
}
