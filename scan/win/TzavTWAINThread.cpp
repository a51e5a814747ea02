#include "scan/win/TzavTWAINThread.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "scan/core/TTwnStripAssembler.h"
#include "scan/core/TwnImages.h"
#include "scan/core/TwnValue.h"

namespace {

// A buffer bound a source leaves open.
constexpr std::uint32_t kTwnDontCare32 = 0xFFFFFFFFu;

// Windows repainted in each 20 ms slice of a wait: a window that never validates itself cannot hold the wait.
constexpr int kPaintsPerWait = 32;

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

constexpr UINT kConnectionMessages[] = {TWM_TRANSFERNEXT, TWM_UNBIND,      TWM_CLOSEREQUEST,
                                        TWM_ENABLEMENUS,  TWM_DEVICEEVENT, TWM_FAILURE,
                                        TWM_STATE,        TWM_XFERREADY,   TWM_MANAGERFAULT};

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
    } catch (const Exception&) {}
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

std::int32_t TzavTWAINThread::Ask(const Method<std::int32_t()>& query) {
    std::int32_t answer = -1;
    Fire([&] {
        if (query) answer = query();
    });
    return answer;
}

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
    Fire([this, state] {
        if (OnStateChange) OnStateChange(Sender(), state);
    });
}

void TzavTWAINThread::Handle(UINT message, LPARAM value) {
    switch (message) {
        case TWM_TRANSFERNEXT: TransferNext(); break;
        case TWM_UNBIND: Fire([this] { Unbind(); }); break;
        case TWM_CLOSEREQUEST:
            CloseAll();
            Fire([this] {
                if (OnCloseRequest) OnCloseRequest(Sender());
            });
            break;
        case TWM_ENABLEMENUS:
            Fire([this] {
                if (OnEnableMenus) OnEnableMenus(Sender());
            });
            break;
        case TWM_DEVICEEVENT:
            Fire([this] {
                if (OnDeviceEvent) OnDeviceEvent(Sender());
            });
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
                    OnFailure(Sender(), std::int32_t(failure.dg), failure.dat, failure.cap, failure.msg, failure.rc,
                              failure.conditionCode);
            });
            break;
        }
        case TWM_STATE: SetState(int(value)); break;
        case TWM_XFERREADY:
            SetState(6);
            if (afterTransferMode_ != kAfterTransferNone) {
                Fire([this] {
                    if (OnXferReady) OnXferReady(Sender());
                });
                TransferNext();
            }
            break;
        case TWM_MANAGERFAULT:
            // The report may come after the faulted queue thread was stopped and a new one started (the
            // selection dialog stops its own at once): the new one is not the one that failed.
            if (!StopQueue(std::uint32_t(value))) break;
            SetState(1);
            Fire([this] {
                if (OnEnableMenus) OnEnableMenus(Sender());
            });
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
    switch (settings_.XferMech()) {
        case TTwnXferType::TWFX_NATIVE: NativeTransfer(); break;
        case TTwnXferType::TWFX_MEMORY: MemoryTransfer(); break;
        default: FileTransfer(); break;
    }
}

void TzavTWAINThread::EndTransfer(std::uint16_t rc) {
    std::int32_t count = 0;
    if (PendingTransfers(MSG_ENDXFER, count) != TWRC_SUCCESS) count = pendingCount_ = 0;
    const bool failed = rc != TWRC_XFERDONE && rc != TWRC_CANCEL;
    if (failed && count != 0) PendingTransfers(MSG_RESET, count);
    if (count == 0 && (failed || afterTransferMode_ == kAfterTransferCloseAll)) CloseAll();
}

void TzavTWAINThread::DeliverImage(TTwnImage& image, const std::string& filePath) {
    const TTwnHdlType type = settings_.DIBHandleType();
    void* bits = nullptr;
    void* info = nullptr;
    if (!image.Empty() && type == TTwnHdlType::THDT_DIBSEC) {
        bits = image.Bits();
        info = image.Info().data();
    }
    Fire([&] {
        if (!OnImageReady) {
            image.Clear();
            pendingCount_ = 0;
            return;
        }
        const std::uintptr_t handle = image.Release();
        OnImageReady(Sender(), bits, info, handle, filePath);
    });
}

void TzavTWAINThread::NativeTransfer() {
    pendingCount_ = 0;
    TW_HANDLE block = nullptr;
    const std::uint16_t rc = CallTriplet(appIdentity_, sourceIdentity_, &block, MSG_GET, DAT_IMAGENATIVEXFER, DG_IMAGE);
    TTwnImage image;
    if (rc == TWRC_XFERDONE && block) {
        // The block is the source's: a DIB is taken only as far as the block really holds it.
        const auto* data = static_cast<const Byte*>(::GlobalLock(block));
        twn::TTwnDibLayout layout;
        const bool valid = data && twn::LayoutPackedDib(data, ::GlobalSize(block), layout);
        const bool raw = settings_.DIBHandleType() == TTwnHdlType::THDT_DIBRAW;
        if (valid && !raw) image.SectionOf(layout, data);
        if (data) ::GlobalUnlock(block);
        if (valid && raw)
            image.AdoptBlock(static_cast<HGLOBAL>(block));
        else
            ::GlobalFree(block);
    } else if (block) {
        ::GlobalFree(block);
    }
    EndTransfer(rc);
    DeliverImage(image, std::string());
}

void TzavTWAINThread::FileTransfer() {
    pendingCount_ = 0;
    std::string name = settings_.Filename();
    if (name.empty()) {
        // No name given: a fresh one in the temporary folder with the format's extension.
        name = twn::TransferFileName(WindowsNameSystem().TempFileName(),
                                     twn::FileFormatExtension(settings_.FileFormat()), WindowsNameSystem());
    }
    std::uint16_t rc = TWRC_FAILURE;
    const HANDLE probe =
        ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE && name.size() <= 255) {
        ::CloseHandle(probe);
        ::DeleteFileA(name.c_str());
        TW_SETUPFILEXFER setup{};
        std::memcpy(setup.FileName, name.data(), name.size());
        setup.Format = settings_.FileFormat();
        setup.VRefNum = -1;
        rc = CallTriplet(appIdentity_, sourceIdentity_, &setup, MSG_SET, DAT_SETUPFILEXFER, DG_CONTROL);
        if (rc == TWRC_SUCCESS) {
            rc = CallTriplet(appIdentity_, sourceIdentity_, nullptr, MSG_GET, DAT_IMAGEFILEXFER, DG_IMAGE);
            SetState(rc == TWRC_SUCCESS || rc == TWRC_XFERDONE ? 7 : 6);
        }
    } else if (probe != INVALID_HANDLE_VALUE) {
        ::CloseHandle(probe);
        ::DeleteFileA(name.c_str());
    }
    TTwnImage image;
    std::string path;
    if (rc == TWRC_XFERDONE) {
        path = name;
        if (settings_.ReturnHandle() && settings_.FileFormat() == TWFF_BMP) {
            // The file was written by the source: read back only as far as it really holds an image.
            std::vector<Byte> file;
            twn::TTwnDibLayout layout;
            if (twn::ReadWholeFile(name, file) && twn::LayoutBmpFile(file.data(), file.size(), layout)) {
                if (settings_.DIBHandleType() == TTwnHdlType::THDT_DIBRAW)
                    image.BlockOf(layout, file.data());
                else
                    image.SectionOf(layout, file.data());
            }
            // With a handle asked for, the file was only the way in.
            ::DeleteFileA(name.c_str());
            path.clear();
        }
    }
    EndTransfer(rc);
    DeliverImage(image, path);
}

std::vector<Byte> TzavTWAINThread::MemoryColourTable(std::int16_t pixelType, std::size_t entries,
                                                     std::uint32_t& clrUsed) {
    clrUsed = 0;
    switch (pixelType) {
        case TWPT_BW:
            clrUsed = 2;
            return twn::GreyRamp(entries == 2 ? 2 : 0, Ask(QueryPixelFlavor) == twn::TWPF_VANILLA);
        case TWPT_GRAY:
            clrUsed = std::uint32_t(entries);
            return twn::GreyRamp(entries, Ask(QueryPixelFlavor) == twn::TWPF_VANILLA);
        case TWPT_PALETTE: {
            clrUsed = std::uint32_t(entries);
            std::uint16_t paletteType = 0;
            if (entries == 0 || Palette8(MSG_GET, paletteType) != TWRC_SUCCESS) return twn::GreyRamp(entries, false);
            return twn::PaletteColourTable(palette_, entries);
        }
        default: return {};
    }
}

void TzavTWAINThread::MemoryTransfer() {
    pendingCount_ = 0;
    TW_IMAGEINFO info{};
    if (CallTriplet(appIdentity_, sourceIdentity_, &info, MSG_GET, DAT_IMAGEINFO, DG_IMAGE) != TWRC_SUCCESS) return;
    const TTwnHdlType type = settings_.DIBHandleType();
    TTwnImage image;
    std::uint16_t rc = TWRC_FAILURE;
    twn::TTwnMemoryLayout layout;
    TW_SETUPMEMXFER setup{};
    const bool known = twn::MemoryLayout(info.ImageWidth, info.ImageLength, info.BitsPerPixel, layout);
    if (!known ||
        CallTriplet(appIdentity_, sourceIdentity_, &setup, MSG_GET, DAT_SETUPMEMXFER, DG_CONTROL) != TWRC_SUCCESS) {
        // An image of a size it does not give, or no buffer sizes: nothing can be received.
        EndTransfer(rc);
        DeliverImage(image, std::string());
        return;
    }
    // The bitmap info: a bottom-up header with the resolution in pixels per metre, then the table.
    const std::int32_t units = Ask(QueryUnits);
    std::uint32_t clrUsed = 0;
    std::vector<Byte> table = MemoryColourTable(info.PixelType, layout.entries, clrUsed);
    table.resize(layout.entries * 4, 0);
    std::vector<Byte> bitmapInfo =
        twn::BitmapInfoHeader(info.ImageWidth, info.ImageLength, std::uint16_t(info.BitsPerPixel),
                              std::uint32_t(layout.size), twn::PelsPerMeter(units, twn::Fix32ToFloat(info.XResolution)),
                              twn::PelsPerMeter(units, twn::Fix32ToFloat(info.YResolution)), clrUsed);
    bitmapInfo.insert(bitmapInfo.end(), table.begin(), table.end());

    std::int32_t bufSize = std::int32_t(setup.Preferred);
    Fire([&] {
        if (OnMemXferSize)
            OnMemXferSize(Sender(), std::int32_t(setup.MinBufSize), std::int32_t(setup.MaxBufSize), bufSize,
                          bitmapInfo.data());
    });
    if (setup.MinBufSize != 0 && setup.MaxBufSize != 0) {
        bufSize = std::max(bufSize, std::int32_t(setup.MinBufSize));
        if (setup.MaxBufSize != kTwnDontCare32) bufSize = std::min(bufSize, std::int32_t(setup.MaxBufSize));
    }
    const std::uint32_t preferred = bufSize > 0 ? std::uint32_t(bufSize) : 0;

    TW_IMAGEMEMXFER xfer{};
    if (type == TTwnHdlType::THDT_MEMPTR) {
        // The application keeps every strip in buffers it supplies.
        void* buffer = nullptr;
        Fire([&] {
            if (OnMemXferBuffer) OnMemXferBuffer(Sender(), bitmapInfo.data(), 0, 0, 0, buffer);
        });
        rc = TWRC_SUCCESS;
        while (rc == TWRC_SUCCESS) {
            if (!buffer || preferred == 0) {
                rc = TWRC_CANCEL;
                break;
            }
            xfer = TW_IMAGEMEMXFER{};
            xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, preferred, buffer};
            rc = CallTriplet(appIdentity_, sourceIdentity_, &xfer, MSG_GET, DAT_IMAGEMEMXFER, DG_IMAGE);
            if ((rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) && xfer.BytesWritten > 0) {
                // Whatever the strip says, it lies inside the buffer given.
                const std::uint32_t written = std::min(xfer.BytesWritten, preferred);
                const std::uint32_t rows = xfer.BytesPerRow ? std::min(xfer.Rows, written / xfer.BytesPerRow) : 0;
                if (settings_.SwapMemRGB() && info.PixelType == TWPT_RGB)
                    twn::SwapRedBlue(static_cast<Byte*>(buffer), xfer.BytesPerRow, xfer.BytesPerRow, rows);
                Fire([&] {
                    if (OnMemXferBuffer)
                        OnMemXferBuffer(Sender(), bitmapInfo.data(), std::int32_t(xfer.BytesPerRow), std::int32_t(rows),
                                        std::int32_t(written), buffer);
                    else
                        buffer = nullptr;
                });
            }
        }
        xfer.Memory.Flags = 0;
        xfer.Columns = xfer.Rows = xfer.BytesWritten = 0;
        void* last = nullptr;
        Fire([&] {
            if (OnMemXferBuffer)
                OnMemXferBuffer(Sender(), bitmapInfo.data(), std::int32_t(xfer.BytesPerRow), 0, 0, last);
        });
        EndTransfer(rc);
        if (rc != TWRC_XFERDONE) DeliverImage(image, std::string());
        return;
    }

    // The strips go straight into the image's bits.
    bool made = false;
    std::size_t bitsAt = 0;
    if (type == TTwnHdlType::THDT_DIBRAW) {
        bitsAt = bitmapInfo.size();
        made = image.MakeBlock(bitsAt + layout.size);
        image.Info() = bitmapInfo;
    } else {
        made = image.MakeSection(bitmapInfo);
    }
    if (made && preferred > 0) {
        Byte* bits = image.Bits() + bitsAt;
        TTwnStripAssembler strips(layout.stride, layout.size);
        do {
            const std::uint32_t length = strips.NextLength(preferred);
            if (length == 0) {
                // The image is full and the source has more.
                rc = TWRC_FAILURE;
                break;
            }
            xfer = TW_IMAGEMEMXFER{};
            xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, length, bits + strips.Offset()};
            rc = CallTriplet(appIdentity_, sourceIdentity_, &xfer, MSG_GET, DAT_IMAGEMEMXFER, DG_IMAGE);
            if ((rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) &&
                !strips.Accept(bits, xfer.BytesPerRow, xfer.Rows, xfer.BytesWritten, length))
                rc = TWRC_FAILURE;
        } while (rc == TWRC_SUCCESS);
        // A source that ends before the image is full has not delivered it.
        if (rc == TWRC_XFERDONE && !strips.Complete()) rc = TWRC_FAILURE;
        if (rc == TWRC_XFERDONE && settings_.SwapMemRGB()) {
            // Strips come top row first and red-green-blue; a DIB is bottom-up and blue-green-red.
            twn::FlipRows(bits, layout.stride, std::size_t(info.ImageLength));
            if (info.PixelType == TWPT_RGB && info.BitsPerPixel == 24)
                twn::SwapRedBlue(bits, layout.stride, layout.stride, std::size_t(info.ImageLength));
        }
    }
    if (rc != TWRC_XFERDONE) image.Clear();
    if (rc == TWRC_XFERDONE && type == TTwnHdlType::THDT_DIBRAW)
        std::memcpy(image.Bits(), bitmapInfo.data(), bitmapInfo.size());
    EndTransfer(rc);
    DeliverImage(image, std::string());
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
    queue_ = MakeObject<TzavTWAINQueue>(*this, appIdentity_, sourceIdentity_, requestTimeout_, ++queueGeneration_);
    queue_->ThreadEvent().WaitFor(10000);
}

bool TzavTWAINThread::StopQueue(std::uint32_t generation) {
    TObjectPtr<TzavTWAINQueue> queue;
    {
        const auto hold = Hold();
        if (generation != 0 && queue_ && queue_->Generation() != generation) return false;
        queue = std::move(queue_);
    }
    if (!queue) return true;
    queue->RequestForeground(nullptr);
    queue->Terminate();
    queue->MessageEvent().SetEvent();
    while (!queue->Finished() && !::PostThreadMessageA(queue->ThreadID(), WM_QUIT, 0, 0)) ::Sleep(0);
    queue->WaitFor();
    return true;
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
        // A call may take seconds (a camera source's list under Wine): meanwhile every window of this thread,
        // an open menu above all, stays painted. Only painting is handled here, nothing that could call back in.
        MSG paint;
        for (int i = 0; i < kPaintsPerWait && ::PeekMessageA(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            ::DispatchMessageA(&paint);
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

std::uint16_t TzavTWAINThread::Palette8(std::uint16_t msg, std::uint16_t& paletteType) {
    TW_PALETTE8 palette{};
    if (msg == MSG_SET)
        palette = twn::PaletteToSend(palette_, paletteType);
    else if (msg != MSG_GET && msg != MSG_GETDEFAULT && msg != MSG_RESET)
        return TWRC_FAILURE;
    const std::uint16_t rc = CallTriplet(appIdentity_, sourceIdentity_, &palette, msg, DAT_PALETTE8, DG_IMAGE);
    if (rc == TWRC_SUCCESS && msg != MSG_SET) paletteType = twn::TakePalette(palette, palette_);
    return rc;
}
