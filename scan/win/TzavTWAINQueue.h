// The queue thread of the scanner component: it owns the hidden window that is the source manager's parent,
// holds the loaded manager library and is the one thread that calls the manager's entry point (apart from the
// source selection dialog, which runs on its caller's thread).
//
// Requests come from the connection thread one at a time, through a slot inside the process guarded by a lock;
// the thread message that announces one carries no data, so a message posted by another process finds nothing to
// do. Each request has its own token: a result that comes back after its caller stopped waiting (a hanging
// source) is dropped instead of answering a later request, and a request runs at most once.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/TSyncObjects.h"
#include "classlib/core/TThread.h"
#include "classlib/win/Win32.h"
#include "scan/core/TwnProtocol.h"
#include "scan/win/TwnGuardedCall.h"

class TzavTWAINThread;

// Thread messages of the queue thread (WM_USER + n).
constexpr UINT TWM_OPENMANAGER = 1124;
constexpr UINT TWM_CLOSEMANAGER = 1125;
constexpr UINT TWM_OPENSOURCE = 1126;
constexpr UINT TWM_CLOSESOURCE = 1127;
constexpr UINT TWM_ENABLESOURCE = 1128;
constexpr UINT TWM_DISABLESOURCE = 1129;
constexpr UINT TWM_ENABLEUIONLY = 1130;
constexpr UINT TWM_TRIPLET = 1131;
constexpr UINT TWM_RESERVED1 = 1132;
constexpr UINT TWM_RESERVED2 = 1133;
constexpr UINT TWM_FOREGROUND = 1135;
constexpr UINT TWM_WAKEUP = 1136;

// One request: the message number, its parameter and, for a triplet, the call. A triplet's data of fixed size
// travels in a copy the request owns, so that a source answering after its caller stopped waiting writes into
// that copy and not into the caller's memory, which may be gone by then.
struct TTwnRequest {
    std::shared_ptr<std::vector<std::uint8_t>> copy;
    UINT message = 0;
    WPARAM wParam = 0;
    TW_IDENTITY* origin = nullptr;
    TW_IDENTITY* destination = nullptr;
    std::uint32_t dg = 0;
    std::uint16_t dat = 0;
    std::uint16_t msg = 0;
    TW_MEMREF data = nullptr;
};

// What a completed request hands back.
struct TTwnRequestResult {
    std::uint16_t rc = TWRC_FAILURE;
    TW_BOOL showUI = 0;
    TW_BOOL modalUI = 0;
    // The queue thread ran the request and this is its answer (not a time-out or an abandoned wait).
    bool completed = false;
};

class TzavTWAINQueue : public TThread {
    CLASSLIB_CLASS(TzavTWAINQueue, TThread)
public:
    // generation tells this queue thread from the ones the connection thread ran before it.
    TzavTWAINQueue(TzavTWAINThread& connection, TW_IDENTITY* appIdentity, TW_IDENTITY* sourceIdentity,
                   std::int32_t waitTimeout, std::uint32_t generation);
    ~TzavTWAINQueue() override;
    std::uint32_t Generation() const { return generation_; }

    // Set when the thread has its window, and when a request is complete.
    TEvent& ThreadEvent() { return threadEvent_; }
    // Set by the connection thread when it has taken a request's result.
    TEvent& MessageEvent() { return messageEvent_; }
    HWND Window() const { return window_; }

    // The request handshake, for the connection thread. Submit stores the request and returns its token.
    std::uint32_t Submit(const TTwnRequest& request);
    // The result of the request with that token once it is complete.
    bool TakeResult(std::uint32_t token, TTwnRequestResult& result);
    // The caller stopped waiting: a late completion of that request is dropped.
    void Abandon(std::uint32_t token);
    // Remembers the owner window (1135) and brings the hidden window forward; done on the queue thread.
    void RequestForeground(HWND owner);

    bool ManagerOpen() const { return managerOpen_; }
    bool SourceOpen() const { return sourceOpen_; }
    bool SourceEnabled() const { return sourceEnabled_; }
    int SourceProtocol() const { return sourceProtocol_; }
    void SetWaitTimeout(std::int32_t ms) { waitTimeout_ = ms; }

    // The source selection dialog's direct use of the manager, on the caller's thread under the connection
    // thread's lock: binds the manager library when it is not bound and opens the manager with the given
    // window. Returns the TWAIN code; the queue's own manager flag is not touched.
    std::uint16_t OpenManagerDirect(HWND parent);
    std::uint16_t CloseManagerDirect(HWND parent);

    // The single place that calls the manager's entry point; see the class comment.
    std::uint16_t CallDSM(TW_IDENTITY* origin, TW_IDENTITY* destination, std::uint32_t dg, std::uint16_t dat,
                          std::uint16_t msg, TW_MEMREF data);

protected:
    void Execute() override;

private:
    void RunPending();
    std::uint16_t Run(const TTwnRequest& request, TTwnRequestResult& result);
    std::uint16_t OpenManager();
    std::uint16_t CloseManager();
    std::uint16_t OpenSource();
    std::uint16_t CloseSource();
    std::uint16_t EnableSource(std::uint16_t msg, WPARAM showUI, TTwnRequestResult& result);
    std::uint16_t DisableSource();
    bool ProcessEvent(MSG& message);
    bool BindManager();
    void UnbindManager();
    void SetState(int state);

    TzavTWAINThread& connection_;
    TW_IDENTITY* appIdentity_;
    TW_IDENTITY* sourceIdentity_;
    std::atomic<std::int32_t> waitTimeout_;
    const std::uint32_t generation_;
    TEvent threadEvent_{true, false};
    TEvent messageEvent_{true, false};
    HWND window_ = nullptr;
    HMODULE library_ = nullptr;
    std::atomic<TDSMEntryProc> entry_{nullptr};
    std::atomic<bool> managerOpen_{false};
    std::atomic<bool> sourceOpen_{false};
    std::atomic<bool> sourceEnabled_{false};
    std::atomic<int> sourceProtocol_{0};

    // The request slot and the pending foreground request, guarded by slotLock_.
    std::mutex slotLock_;
    TTwnRequest request_;
    std::uint32_t requestToken_ = 0;  // 0: no request waiting to be taken
    std::uint32_t runningToken_ = 0;  // the request being run, 0 when abandoned or none
    std::uint32_t doneToken_ = 0;     // the request whose result is in result_
    TTwnRequestResult result_;
    std::uint32_t lastToken_ = 0;
    bool foregroundPending_ = false;
    HWND foregroundOwner_ = nullptr;
    HWND rememberedOwner_ = nullptr;
};
