// The connection thread of the scanner component: it keeps the transfer settings and the event slots, turns each
// TWAIN operation into a request to the queue thread (TzavTWAINQueue) and handles what the queue thread reports.
//
// Operations are called on the caller's thread (the user-interface thread, or this thread for its own reports)
// and hold the thread's lock for the whole request, so one request is in flight at a time. Reports reach this
// thread through an in-process inbox; the thread message that wakes it carries nothing, so a message posted by
// another process does nothing. Every event fires on the main thread through the class library's
// synchronisation.
#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TObject.h"
#include "classlib/core/TSyncObjects.h"
#include "classlib/core/TThread.h"
#include "classlib/win/Win32.h"
#include "scan/core/TTwnPalette.h"
#include "scan/core/TwnEvents.h"
#include "scan/core/TwnProtocol.h"
#include "scan/core/TwnSettings.h"
#include "scan/win/TTwnImage.h"
#include "scan/win/TzavTWAINQueue.h"

// Thread messages of the connection thread (WM_USER + n).
constexpr UINT TWM_TRANSFERNEXT = 1134;
constexpr UINT TWM_UNBIND = 1137;
constexpr UINT TWM_CLOSEREQUEST = 1164;
constexpr UINT TWM_ENABLEMENUS = 1165;
constexpr UINT TWM_DEVICEEVENT = 1166;
constexpr UINT TWM_FAILURE = 1167;
constexpr UINT TWM_STATE = 1168;
constexpr UINT TWM_XFERREADY = 1169;
constexpr UINT TWM_MANAGERFAULT = 1170;

// The record of a failed call.
struct TTwnFailure {
    std::uint32_t dg = 0;
    std::uint16_t dat = 0;
    std::uint16_t cap = 0;
    std::uint16_t msg = 0;
    std::uint16_t rc = 0;
    std::uint16_t conditionCode = 0;
};

// After-transfer modes.
constexpr int kAfterTransferNone = 0;
constexpr int kAfterTransferCloseAll = 1;
constexpr int kAfterTransferKeepEnabled = 3;

constexpr std::int32_t kTwnRequestTimeout = 60000;
constexpr std::int32_t kTwnNoTimeLimit = -1;

class TzavTWAINThread : public TThread {
    CLASSLIB_CLASS(TzavTWAINThread, TThread)
public:
    // appIdentity and sourceIdentity are the kernel's records; parent is the window that owns the manager's
    // windows (the program's main window).
    TzavTWAINThread(TW_IDENTITY* appIdentity, TW_IDENTITY* sourceIdentity, HWND parent);
    ~TzavTWAINThread() override;

    // Waits until the thread can take posts (its message queue exists).
    void WaitReady();
    // Ends the thread: short time-out and no retries, the queue's waits released, WM_QUIT posted; waits for it.
    void Shutdown();

    // From the queue thread (or this component): puts a report into the inbox and wakes the thread.
    void Notify(UINT message, LPARAM value = 0);
    void NotifyFailure(const TTwnFailure& failure);

    // Operations; each returns the TWAIN return code (TWRC_FAILURE when no queue thread runs).
    std::uint16_t OpenManager();
    std::uint16_t CloseManager();
    std::uint16_t OpenSource();
    std::uint16_t CloseSource();
    // showUI and modalUI come back as the source answered.
    std::uint16_t EnableSource(bool& showUI, bool& modalUI);
    std::uint16_t DisableSource();
    void CloseAll();
    // The source manager's selection dialog, on the calling thread with parent as its owner.
    std::uint16_t SelectSource(HWND parent);
    std::uint16_t PendingTransfers(std::uint16_t msg, std::int32_t& count);
    // The palette exchange with the open source (DG_IMAGE / DAT_PALETTE8): MSG_SET sends Palette() with the
    // palette type; MSG_GET, MSG_GETDEFAULT and MSG_RESET take the source's answer into Palette() and hand its
    // type back. TWRC_FAILURE without a call for another msg.
    std::uint16_t Palette8(std::uint16_t msg, std::uint16_t& paletteType);
    TTwnPalette& Palette() { return palette_; }
    std::uint16_t CallTriplet(TW_IDENTITY* origin, TW_IDENTITY* destination, TW_MEMREF data, std::uint16_t msg,
                              std::uint16_t dat, std::uint32_t dg);

    bool ManagerOpen() const;
    bool SourceOpen() const;
    bool SourceEnabled() const;
    int SourceProtocol() const;
    bool HasQueue() const;
    // The queue thread's id; 0 while none runs.
    TThreadID QueueThreadID() const;
    int State() const { return state_; }
    int AfterTransferMode() const { return afterTransferMode_; }
    void SetAfterTransferMode(int mode) { afterTransferMode_ = mode; }
    std::int32_t PendingCount() const { return pendingCount_; }
    const TTwnFailure& LastFailure() const { return lastFailure_; }

    // Milliseconds a request may take (kTwnNoTimeLimit: no limit), and how often the post of a triplet is tried
    // when the system refuses it (a request is posted once).
    std::int32_t RequestTimeout() const { return requestTimeout_; }
    void SetRequestTimeout(std::int32_t ms);
    std::int32_t RequestRetries() const { return requestRetries_; }
    void SetRequestRetries(std::int32_t n) { requestRetries_ = n; }

    TTwnTransferSettings& Settings() { return settings_; }
    const std::string& LogFilename() const { return logFilename_; }
    // Starting a log afresh deletes an older file of the name, and only then: with logging off (as in this
    // program) giving a name touches no file.
    void SetLogFilename(const std::string& name);
    bool LogToFile() const { return logToFile_; }
    void SetLogToFile(bool value) { logToFile_ = value; }
    TTwnErrorLevel MessageLevel() const { return messageLevel_; }
    void SetMessageLevel(TTwnErrorLevel value) { messageLevel_ = value; }

    // Clears the two queries and the failure, image-ready, memory-buffer, memory-size, state-change and
    // transfer-ready slots. Main thread only (message 1137 runs it there).
    void Unbind();

    // Event slots, set, fired and cleared on the main thread.
    TNotifyEvent OnCloseRequest;
    TNotifyEvent OnDeviceEvent;  // the component reads the event from the source (message 1166)
    TNotifyEvent OnEnableMenus;
    TFailureEvent OnFailure;
    TImageEvent OnImageReady;
    TMemXferBufEvent OnMemXferBuffer;
    TMemXferSizeEvent OnMemXferSize;
    TStateChangeEvent OnStateChange;
    TXferNextEvent OnXferNext;
    TNotifyEvent OnXferReady;
    // Queries of the current units and pixel flavour (-1 when unreadable), for the image transfers; called on the
    // main thread like the events.
    Method<std::int32_t()> QueryUnits;
    Method<std::int32_t()> QueryPixelFlavor;
    // The sender passed to the events (the component); this thread when not set.
    TObject* EventSender = nullptr;

protected:
    void Execute() override;
    // Transfers one image by the mechanism in the settings and hands it to OnImageReady.
    virtual void TransferImage();

private:
    struct TInboxEntry {
        UINT message;
        LPARAM value;
    };
    void StartQueue();
    // Stops the queue thread; with a generation, only the queue thread of that generation (false when another
    // one runs, which is left alone).
    bool StopQueue(std::uint32_t generation = 0);
    std::uint16_t PostRequest(const TTwnRequest& request, std::int32_t wait, TTwnRequestResult* out = nullptr);
    std::uint16_t Request(UINT message, std::int32_t wait, WPARAM wParam = 0, TTwnRequestResult* out = nullptr);
    // Holds the lock until the returned guard ends.
    auto Hold() const {
        lock_.Enter();
        return TScopeExit([this] { lock_.Leave(); });
    }
    void DrainInbox();
    void Handle(UINT message, LPARAM value);
    void TransferNext();
    void AfterTransfer();
    void NativeTransfer();
    void FileTransfer();
    void MemoryTransfer();
    // Ends the transfer the source answered rc to: MSG_ENDXFER, a reset of the rest after a failure, and the
    // close-down when none remain (after a failure always, else in after-transfer mode 1).
    void EndTransfer(std::uint16_t rc);
    // The colour table of a buffered-memory image of the pixel type, entries long; a palette image takes the
    // source's palette.
    std::vector<Byte> MemoryColourTable(std::int16_t pixelType, std::size_t entries, std::uint32_t& clrUsed);
    // OnImageReady with the image (none when empty) and the file path. Without a handler the image is freed
    // and nothing more is transferred.
    void DeliverImage(TTwnImage& image, const std::string& filePath);
    void SetState(int state);
    void Fire(const TThreadProcedure& call);
    // A query's answer, asked on the main thread; -1 without the query.
    std::int32_t Ask(const Method<std::int32_t()>& query);
    TObject* Sender() { return EventSender ? EventSender : this; }

    template <class F>
    auto WithQueue(F f) const;

    mutable TCriticalSection lock_;
    TW_IDENTITY* appIdentity_;
    TW_IDENTITY* sourceIdentity_;
    HWND parent_;
    TObjectPtr<TzavTWAINQueue> queue_;
    std::uint32_t queueGeneration_ = 0;
    std::atomic<std::int32_t> requestTimeout_{kTwnRequestTimeout};
    std::atomic<std::int32_t> requestRetries_{1000};
    std::atomic<int> state_{1};
    std::atomic<int> afterTransferMode_{kAfterTransferNone};
    std::atomic<std::int32_t> pendingCount_{0};
    TTwnFailure lastFailure_;
    TTwnTransferSettings settings_;
    TTwnPalette palette_;
    std::string logFilename_ = "C:\\APPTWN.LOG";
    bool logToFile_ = false;
    TTwnErrorLevel messageLevel_ = TTwnErrorLevel::ML_NONE;
    TEvent ready_{true, false};

    std::mutex inboxLock_;
    std::deque<TInboxEntry> inbox_;
    std::deque<TTwnFailure> failures_;
};
