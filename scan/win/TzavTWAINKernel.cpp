#include "scan/win/TzavTWAINKernel.h"

#include <algorithm>
#include <cfloat>
#include <float.h>

#include <cstring>
#include <mutex>

#include "classlib/core/ScopeGuard.h"
#include "classlib/core/Synchronize.h"
#include "classlib/win/TApplication.h"
#include "scan/core/TTwnContainer.h"
#include "scan/core/TwnNegotiation.h"
#include "scan/core/TwnTypes.h"
#include "scan/core/TwnValue.h"
#include "scan/win/TTwnWinGlobalMemory.h"

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

// The window that owns the manager's windows: the foreground window when it is one of this program's (a window
// of another program, such as the host of the filter plug-in, must not become the owner).
HWND OwnForegroundWindow() {
    const HWND window = ::GetForegroundWindow();
    DWORD process = 0;
    if (window) ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() ? window : nullptr;
}

}  // namespace

TzavTWAINKernel::TzavTWAINKernel(TComponent* owner) : TComponent(owner) {
    // All floating-point exceptions masked: data sources are foreign code that must not trap in our threads.
    _control87(_MCW_EM, _MCW_EM);
    appIdentity_ = twn::AppIdentity(names_);
    std::memset(&sourceIdentity_, 0, sizeof sourceIdentity_);
    StartSyncService();
    connection_ = MakeObject<TzavTWAINThread>(&appIdentity_, &sourceIdentity_, OwnForegroundWindow());
    connection_->WaitReady();
    connection_->EventSender = this;
    connection_->OnCloseRequest = MakeMethod<&TzavTWAINKernel::CloseSourceSlot>(this);
    connection_->OnXferReady = MakeMethod<&TzavTWAINKernel::XferReadySlot>(this);
    connection_->OnXferNext = MakeMethod<&TzavTWAINKernel::XferNextSlot>(this);
    connection_->QueryUnits = MakeMethod<&TzavTWAINKernel::CurrentUnits>(this);
    connection_->OnDeviceEvent = MakeMethod<&TzavTWAINKernel::DeviceEventSlot>(this);
    connection_->QueryPixelFlavor = MakeMethod<&TzavTWAINKernel::CurrentPixelFlavor>(this);
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

std::uint16_t TzavTWAINKernel::SelectSource() {
    if (OnDisableMenus) OnDisableMenus(this);
    return connection_->SelectSource(OwnForegroundWindow());
}

template <class Visit>
void TzavTWAINKernel::WalkSources(Visit visit) {
    TW_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    std::uint16_t msg = MSG_GETFIRST;
    while (connection_->CallTriplet(&appIdentity_, nullptr, &identity, msg, DAT_IDENTITY, DG_CONTROL) ==
               TWRC_SUCCESS &&
           !twn::IdentityText(identity.ProductName).empty()) {
        if (!visit(identity)) return;
        msg = MSG_GETNEXT;
    }
}

void TzavTWAINKernel::GetSourceNames(TStrings& list) {
    const bool openHere = !connection_->ManagerOpen();
    if (openHere && connection_->OpenManager() != TWRC_SUCCESS) {
        if (!connection_->ManagerOpen()) connection_->CloseAll();
        list.Clear();
        return;
    }
    TScopeExit close([&] {
        if (openHere) connection_->CloseManager();
    });
    const TW_IDENTITY saved = sourceIdentity_;
    TScopeExit restore([&] { sourceIdentity_ = saved; });
    list.Clear();
    // A source open makes the manager refuse the walk: the list stays empty then.
    if (connection_->SourceOpen()) return;
    WalkSources([&](const TW_IDENTITY& identity) {
        list.Add(twn::IdentityText(identity.ProductName));
        return true;
    });
}

std::uint16_t TzavTWAINKernel::OpenSource(const std::string& name) {
    if (connection_->SourceOpen()) return TWRC_FAILURE;
    if (!name.empty()) {
        bool found = false;
        WalkSources([&](const TW_IDENTITY& identity) {
            found = twn::IdentityText(identity.ProductName) == name;
            if (found) sourceIdentity_ = identity;
            return !found;
        });
        // Another source than the one asked for is not a stand-in for it.
        if (!found) return TWRC_FAILURE;
    }
    supportedCaps_.clear();
    supportedHeld_ = false;
    deviceEventsSent_ = false;
    std::uint16_t rc = connection_->OpenSource();
    if (rc == TWRC_SUCCESS && (!NegotiateOpen() || NegotiateTransfer() != TWRC_SUCCESS || !FinishOpen())) {
        connection_->CloseSource();
        rc = TWRC_FAILURE;
    }
    if (rc == TWRC_SUCCESS && OnDisableMenus) OnDisableMenus(this);
    return rc;
}

bool TzavTWAINKernel::IsCapSupported(std::uint16_t capability) const {
    return !supportedHeld_ || lenientOnCaps_ ||
           std::find(supportedCaps_.begin(), supportedCaps_.end(), capability) != supportedCaps_.end();
}

bool TzavTWAINKernel::NegotiateOpen() {
    TTwnWinGlobalMemory memory;
    TW_CAPABILITY cap{};
    cap.Cap = CAP_SUPPORTEDCAPS;
    cap.ConType = TWON_DONTCARE16;
    if (connection_->CallTriplet(&appIdentity_, &sourceIdentity_, &cap, MSG_GET, DAT_CAPABILITY, DG_CONTROL) ==
            TWRC_SUCCESS &&
        cap.hContainer) {
        const auto handle = reinterpret_cast<TTwnHandle>(cap.hContainer);
        TScopeExit free([&] { memory.Free(handle); });
        TTwnRecord record;
        TTwnContainer list;
        if (twn::ReadContainer(memory, handle, cap.ConType, record) &&
            list.SetContainer(CAP_SUPPORTEDCAPS, cap.ConType, std::move(record))) {
            supportedHeld_ = true;
            for (std::int32_t i = 0; i < list.Count(); ++i) {
                const TVariant item = list.GetItem(i);
                try {
                    supportedCaps_.push_back(std::uint16_t(item.AsInteger()));
                } catch (const Exception&) {
                }
            }
            // The transfer mechanism is negotiated whether the source lists it or not.
            if (!IsCapSupported(ICAP_XFERMECH)) supportedCaps_.push_back(ICAP_XFERMECH);
        }
    }
    SendDeviceEvents();
    // A device that does not say whether it is online counts as online.
    while (OnDeviceNotReady && CurrentCapability(CAP_DEVICEONLINE) == 0) {
        bool goOn = true;
        OnDeviceNotReady(this, goOn);
        if (!goOn) return false;
    }
    return true;
}

void TzavTWAINKernel::SetDeviceEventTypes(TTwnDeviceEvents value) {
    deviceEventTypes_ = value;
    SendDeviceEvents();
}

void TzavTWAINKernel::SendDeviceEvents() {
    if (!connection_->SourceOpen() || (!deviceEventsSent_ && deviceEventTypes_ == 0)) return;
    std::vector<std::uint16_t> codes;
    for (std::uint16_t code = 0; code < 16; ++code)
        if (deviceEventTypes_ & (1u << code)) codes.push_back(code);
    TTwnRecord record(twn::RecordSize(TWON_ARRAY, TWTY_UINT16, codes.size()), 0);
    twn::WriteU16(record, 0, TWTY_UINT16);
    twn::WriteU32(record, twn::kNumItemsOffset, std::uint32_t(codes.size()));
    for (std::size_t i = 0; i < codes.size(); ++i) {
        Byte* slot = twn::ItemSlot(TWON_ARRAY, record, i);
        slot[0] = Byte(codes[i]);
        slot[1] = Byte(codes[i] >> 8);
    }
    TTwnWinGlobalMemory memory;
    TW_CAPABILITY cap{};
    cap.Cap = CAP_DEVICEEVENT;
    cap.ConType = TWON_ARRAY;
    cap.hContainer = reinterpret_cast<TW_HANDLE>(twn::WriteContainer(memory, TWON_ARRAY, record));
    if (!cap.hContainer) return;
    TScopeExit free([&] { memory.Free(reinterpret_cast<TTwnHandle>(cap.hContainer)); });
    connection_->CallTriplet(&appIdentity_, &sourceIdentity_, &cap, MSG_SET, DAT_CAPABILITY, DG_CONTROL);
    deviceEventsSent_ = true;
}

void TzavTWAINKernel::DeviceEventSlot(TObject*) {
    TW_DEVICEEVENT event{};
    if (connection_->CallTriplet(&appIdentity_, &sourceIdentity_, &event, MSG_GET, DAT_DEVICEEVENT, DG_CONTROL) !=
        TWRC_SUCCESS)
        return;
    if (!OnDeviceEvent) {
        SetDeviceEventTypes(0);
        return;
    }
    // The event's values by its kind; an event code outside the list is not one the program can name.
    if (event.Event > std::uint32_t(TTwnDeviceEvent::TWDE_POWERSAVENOTIFY)) return;
    const auto kind = TTwnDeviceEvent(event.Event);
    TVariant a = std::int32_t(0), b = std::int32_t(0), c = std::int32_t(0);
    switch (kind) {
        case TTwnDeviceEvent::TWDE_CHECKAUTOMATICCAPTURE:
            a = std::int64_t(event.AutomaticCapture);
            b = std::int64_t(event.TimeBeforeFirstCapture);
            c = std::int64_t(event.TimeBetweenCaptures);
            break;
        case TTwnDeviceEvent::TWDE_CHECKBATTERY:
            a = std::int64_t(event.BatteryMinutes);
            b = std::int32_t(event.BatteryPercentage);
            break;
        case TTwnDeviceEvent::TWDE_CHECKFLASH: a = std::int64_t(event.FlashUsed2); break;
        case TTwnDeviceEvent::TWDE_CHECKPOWERSUPPLY: a = std::int32_t(event.PowerSupply); break;
        case TTwnDeviceEvent::TWDE_CHECKRESOLUTION:
            a = twn::Fix32ToFloat(event.XResolution);
            b = twn::Fix32ToFloat(event.YResolution);
            break;
        default: break;
    }
    OnDeviceEvent(this, kind, std::string(event.DeviceName, strnlen(event.DeviceName, sizeof event.DeviceName)), a, b,
                  c);
}

bool TzavTWAINKernel::FinishOpen() {
    if (IsCapSupported(CAP_INDICATORS)) SetCapability16(CAP_INDICATORS, showIndicators_ ? 1 : 0, TWTY_BOOL);
    bool cancel = false;
    if (OnNegotiation) OnNegotiation(this, cancel);
    return !cancel;
}

std::uint16_t TzavTWAINKernel::SetCapability16(std::uint16_t capability, std::uint16_t value,
                                               std::uint16_t itemType) {
    TTwnWinGlobalMemory memory;
    TTwnRecord record(2 + 4, 0);
    twn::WriteU16(record, 0, itemType);
    twn::WriteU32(record, 2, value);
    TW_CAPABILITY cap{};
    cap.Cap = capability;
    cap.ConType = TWON_ONEVALUE;
    cap.hContainer = reinterpret_cast<TW_HANDLE>(twn::WriteContainer(memory, TWON_ONEVALUE, record));
    if (!cap.hContainer) return TWRC_FAILURE;
    TScopeExit free([&] { memory.Free(reinterpret_cast<TTwnHandle>(cap.hContainer)); });
    return connection_->CallTriplet(&appIdentity_, &sourceIdentity_, &cap, MSG_SET, DAT_CAPABILITY, DG_CONTROL);
}

std::int32_t TzavTWAINKernel::CurrentCapability(std::uint16_t capability) {
    TTwnWinGlobalMemory memory;
    TW_CAPABILITY cap{};
    cap.Cap = capability;
    cap.ConType = TWON_DONTCARE16;
    if (connection_->CallTriplet(&appIdentity_, &sourceIdentity_, &cap, MSG_GET, DAT_CAPABILITY, DG_CONTROL) !=
            TWRC_SUCCESS ||
        !cap.hContainer)
        return -1;
    const auto handle = reinterpret_cast<TTwnHandle>(cap.hContainer);
    TScopeExit free([&] { memory.Free(handle); });
    TTwnRecord record;
    if (!twn::ReadContainer(memory, handle, cap.ConType, record)) return -1;
    TTwnContainer container;
    if (!container.SetContainer(capability, cap.ConType, std::move(record))) return -1;
    const TVariant current = container.GetCurrent();
    try {
        return current.AsInteger();
    } catch (const Exception&) {
        return -1;
    }
}

std::uint16_t TzavTWAINKernel::NegotiateTransfer() {
    TTwnTransferSettings& settings = connection_->Settings();
    // At most twice: a file format without an extension brings the native transfer, which needs no format.
    for (int attempt = 0; attempt < 2; ++attempt) {
        TTwnXferType mech = settings.XferMech();
        const bool modern = connection_->SourceProtocol() >= 19;
        if (!modern && mech == TTwnXferType::TWFX_FILES2) mech = TTwnXferType::TWFX_FILES;
        if (modern && mech == TTwnXferType::TWFX_FILES) mech = TTwnXferType::TWFX_FILES2;
        std::uint16_t rc = SetCapability16(ICAP_XFERMECH, std::uint16_t(mech));
        if (rc != TWRC_SUCCESS && mech == TTwnXferType::TWFX_FILES2) {
            // A source of the newer protocol that only knows the older file transfer.
            mech = TTwnXferType::TWFX_FILES;
            SetCapability16(ICAP_XFERMECH, std::uint16_t(mech));
        }
        const std::int32_t current = CurrentCapability(ICAP_XFERMECH);
        bool agreed = true;
        if (current >= 0 && current <= 3 && current != std::int32_t(mech)) {
            mech = TTwnXferType(current);
            agreed = lenientOnCaps_;
        }
        settings.SetXferMech(mech);
        if (!agreed) return TWRC_FAILURE;
        if (mech != TTwnXferType::TWFX_FILES && mech != TTwnXferType::TWFX_FILES2) return TWRC_SUCCESS;

        TTwnFileFmts candidates = fileFormats_;
        if (settings.ReturnHandle()) candidates = TTwnFileFmts(candidates | FileFmtBit(TWFF_BMP));
        const TTwnFileFmt format =
            twn::NegotiateFileFormat(settings.FileFormat(), candidates, [&](TTwnFileFmt asked) {
                SetCapability16(ICAP_IMAGEFILEFORMAT, asked);
                const std::int32_t answer = CurrentCapability(ICAP_IMAGEFILEFORMAT);
                return answer < 0 || answer > 0xFFFF ? kTwnNoFileFormat : TTwnFileFmt(answer);
            });
        if (!twn::FileFormatExtension(format).empty()) {
            settings.SetFileFormat(format);
            return TWRC_SUCCESS;
        }
        settings.SetXferMech(TTwnXferType::TWFX_NATIVE);
    }
    return TWRC_SUCCESS;
}

std::uint16_t TzavTWAINKernel::EnableSource() {
    if (!connection_->OnImageReady && !connection_->OnMemXferBuffer) {
        connection_->CloseAll();
        throw EImageReadyError(
            "Event \"OnImageReady\" or \"OnMemXferBuffer\" must be assigned,\r\nbefore an image acquisition can "
            "commence.");
    }
    bool showUI = showUI_;
    bool modalUI = false;
    connection_->SetAfterTransferMode(disableAfterAcquire_ ? kAfterTransferCloseAll : kAfterTransferKeepEnabled);
    const std::uint16_t rc = connection_->EnableSource(showUI, modalUI);
    if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS) connection_->SetAfterTransferMode(kAfterTransferNone);
    return rc;
}

bool TzavTWAINKernel::Acquire(const std::string& name) {
    TScopeExit closeOnFailure([&] { connection_->CloseAll(); });
    if (!connection_->ManagerOpen()) {
        // No hint pops up over the manager's windows while it opens; the program's own messages are served
        // first. The hint setting comes back however the opening ends.
        const bool hints = Application && Application->ShowHint();
        TScopeExit restoreHints([&] {
            if (Application) Application->SetShowHint(hints);
        });
        if (Application) {
            Application->SetShowHint(false);
            Application->ProcessMessages();
        }
        if (connection_->OpenManager() != TWRC_SUCCESS) return false;
    }
    if (!connection_->SourceOpen() && OpenSource(name) != TWRC_SUCCESS) return false;
    if (!connection_->SourceEnabled()) {
        const std::uint16_t rc = EnableSource();
        if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS) return false;
    }
    closeOnFailure.Dismiss();
    return true;
}
