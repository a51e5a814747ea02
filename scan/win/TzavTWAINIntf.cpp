#include "scan/win/TzavTWAINIntf.h"

#include <cstring>
#include <new>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "scan/core/TTwnContainer.h"
#include "scan/core/TwnNegotiation.h"
#include "scan/core/TwnTypes.h"
#include "scan/core/TwnValue.h"
#include "scan/win/TTwnWinGlobalMemory.h"

namespace {

bool IsRead(std::uint16_t msg) {
    return msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT || msg == MSG_RESET;
}

// A list of capability numbers as a source may answer it: an array or enumeration of integers. Anything else is
// not taken as a list.
bool IsCapabilityList(const TTwnContainer& container) {
    return (container.ContainerType() == TWON_ARRAY || container.ContainerType() == TWON_ENUMERATION) &&
           container.ItemType() <= TWTY_UINT32;
}

}  // namespace

TzavTWAINIntf::TzavTWAINIntf(TComponent* owner) : TzavTWAINKernel(owner) {
    TzavTWAINThread& c = Connection();
    c.OnDeviceEvent = MakeMethod<&TzavTWAINIntf::DeviceEventSlot>(this);
    c.QueryUnits = MakeMethod<&TzavTWAINIntf::CurrentUnits>(this);
    c.QueryPixelFlavor = MakeMethod<&TzavTWAINIntf::CurrentPixelFlavor>(this);
}

TzavTWAINIntf::~TzavTWAINIntf() {
    // What the connection thread calls into this layer goes before this layer does; the thread itself ends with
    // the kernel.
    Connection().Unbind();
    Connection().OnDeviceEvent = nullptr;
}

std::uint16_t TzavTWAINIntf::SelectSource() {
    if (OnDisableMenus) OnDisableMenus(this);
    return Connection().SelectSource(OwnForegroundWindow());
}

template <class Visit>
void TzavTWAINIntf::WalkSources(Visit visit) {
    TW_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    std::uint16_t msg = MSG_GETFIRST;
    while (Connection().CallTriplet(AppRecord(), nullptr, &identity, msg, DAT_IDENTITY, DG_CONTROL) == TWRC_SUCCESS &&
           !twn::IdentityText(identity.ProductName).empty()) {
        if (!visit(identity)) return;
        msg = MSG_GETNEXT;
    }
}

void TzavTWAINIntf::GetSourceNames(TStrings& list) {
    TzavTWAINThread& c = Connection();
    const bool openHere = !c.ManagerOpen();
    if (openHere && c.OpenManager() != TWRC_SUCCESS) {
        if (!c.ManagerOpen()) c.CloseAll();
        list.Clear();
        return;
    }
    TScopeExit close([&] {
        if (openHere) c.CloseManager();
    });
    const TW_IDENTITY saved = *SourceRecord();
    TScopeExit restore([&] { *SourceRecord() = saved; });
    list.Clear();
    // A source open makes the manager refuse the walk: the list stays empty then.
    if (c.SourceOpen()) return;
    WalkSources([&](const TW_IDENTITY& identity) {
        list.Add(twn::IdentityText(identity.ProductName));
        return true;
    });
}

std::uint16_t TzavTWAINIntf::OpenSource(const std::string& name) {
    TzavTWAINThread& c = Connection();
    if (c.SourceOpen()) return TWRC_FAILURE;
    if (!name.empty()) {
        bool found = false;
        WalkSources([&](const TW_IDENTITY& identity) {
            found = twn::IdentityText(identity.ProductName) == name;
            if (found) *SourceRecord() = identity;
            return !found;
        });
        // Another source than the one asked for is not a stand-in for it.
        if (!found) return TWRC_FAILURE;
    }
    ClearContainers();
    c.SetAfterTransferMode(kAfterTransferNone);
    std::uint16_t rc = c.OpenSource();
    if (rc == TWRC_SUCCESS && (!NegotiateOpen() || NegotiateTransfer() != TWRC_SUCCESS || !FinishOpen())) {
        c.CloseSource();
        rc = TWRC_FAILURE;
    }
    if (rc == TWRC_SUCCESS && OnDisableMenus) OnDisableMenus(this);
    return rc;
}

TTwnContainer* TzavTWAINIntf::ContainerOf(std::uint16_t capability) {
    TTwnContainer* container = containers_.Find(capability);
    return container ? container : containers_.AddNew(capability);
}

void TzavTWAINIntf::ClearContainers() {
    supportedHeld_ = false;
    extendedHeld_ = false;
    containers_.Clear();
}

bool TzavTWAINIntf::Lists(std::uint16_t listCapability, bool held, std::uint16_t capability) const {
    if (!held) return false;
    const TTwnContainer* list = containers_.Find(listCapability);
    return list && list->IndexOf(TVariant(std::int32_t(capability))) >= 0;
}

bool TzavTWAINIntf::IsCapSupported(std::uint16_t capability) const {
    return !supportedHeld_ || lenientOnCaps_ || Lists(CAP_SUPPORTEDCAPS, supportedHeld_, capability);
}

bool TzavTWAINIntf::IsExtendedCap(std::uint16_t capability) const {
    return Lists(CAP_EXTENDEDCAPS, extendedHeld_, capability);
}

std::uint16_t TzavTWAINIntf::CallCapability(std::uint16_t capability, std::uint16_t msg, TW_CAPABILITY& cap) {
    TzavTWAINThread& c = Connection();
    if (!c.ManagerOpen() || !c.SourceOpen()) return TWRC_FAILURE;
    cap.Cap = capability;
    if (IsRead(msg) || msg == MSG_QUERYSUPPORT) {
        cap.ConType = TWON_DONTCARE16;
        cap.hContainer = nullptr;
    }
    return c.CallTriplet(AppRecord(), SourceRecord(), &cap, msg, DAT_CAPABILITY, DG_CONTROL);
}

std::int32_t TzavTWAINIntf::GetCapability(std::uint16_t capability, std::uint16_t msg, TTwnContainer* container) {
    if (!IsRead(msg) && msg != MSG_QUERYSUPPORT) return TWRC_FAILURE;
    TTwnContainer* target = container;
    if (msg == MSG_QUERYSUPPORT) {
        if (!target) target = ContainerOf(capability);
        if (target) target->SetQuerySupport(-1);
    }
    TW_CAPABILITY cap{};
    const std::uint16_t rc = CallCapability(capability, msg, cap);
    // Only a container handed over with a success is the program's to free.
    if (rc != TWRC_SUCCESS) return rc;
    if (!cap.hContainer) return TWRC_FAILURE;
    TTwnWinGlobalMemory memory;
    const auto handle = reinterpret_cast<TTwnHandle>(cap.hContainer);
    TScopeExit free([&] { memory.Free(handle); });
    TTwnRecord record;
    try {
        if (!twn::ReadContainer(memory, handle, cap.ConType, record)) return TWRC_FAILURE;
    } catch (const EOutOfMemory&) {
        return TWRC_FAILURE;
    } catch (const std::bad_alloc&) {
        return TWRC_FAILURE;
    }
    if (msg == MSG_QUERYSUPPORT) {
        if (target && cap.ConType == TWON_ONEVALUE && twn::ReadU16(record, 0) == TWTY_INT32)
            target->SetQuerySupport(std::int32_t(twn::ReadU32(record, twn::kOneValueHeader)));
        return TWRC_SUCCESS;
    }
    if (!target) target = ContainerOf(capability);
    if (!target || !target->SetContainer(capability, cap.ConType, std::move(record))) return TWRC_FAILURE;
    return TWRC_SUCCESS;
}

std::int32_t TzavTWAINIntf::SetCapability(std::uint16_t msg, bool oneValue, TTwnContainer& container) {
    if (msg != MSG_SET || !IsCapSupported(container.Capability())) return -1;
    const std::uint16_t type = oneValue ? TWON_ONEVALUE : container.ContainerType();
    const TTwnRecord record = oneValue ? container.CurrentAsOneValue() : container.Record();
    if (!twn::IsValidRecord(type, record)) return TWRC_FAILURE;
    TTwnWinGlobalMemory memory;
    const TTwnHandle handle = twn::WriteContainer(memory, type, record);
    if (handle == 0) return TWRC_FAILURE;
    TScopeExit free([&] { memory.Free(handle); });
    TW_CAPABILITY cap{};
    cap.ConType = type;
    cap.hContainer = reinterpret_cast<TW_HANDLE>(handle);
    return CallCapability(container.Capability(), MSG_SET, cap);
}

std::int32_t TzavTWAINIntf::SetBoolCapability(std::uint16_t capability, std::uint16_t msg, bool value) {
    TTwnContainer* container = ContainerOf(capability);
    if (!container) return TWRC_FAILURE;
    return SendOneValue(*container, msg, TWTY_BOOL, TVariant(value));
}

std::int32_t TzavTWAINIntf::SendOneValue(TTwnContainer& container, std::uint16_t msg, std::uint16_t itemType,
                                         const TVariant& value) {
    // A one value whatever the source answered before: the value is what is sent.
    container.SetContainerType(TWON_ONEVALUE);
    container.SetItemType(itemType);
    container.SetCurrent(value);
    return SetCapability(msg, true, container);
}

std::int32_t TzavTWAINIntf::CurrentCapability(std::uint16_t capability) {
    TTwnContainer* container = containers_.Find(capability);
    if (GetCapability(capability, MSG_GET, container) != TWRC_SUCCESS) return -1;
    if (!container) container = containers_.Find(capability);
    if (!container) return -1;
    try {
        return container->GetCurrent().AsInteger();
    } catch (const Exception&) {
        return -1;
    }
}

bool TzavTWAINIntf::NegotiateOpen() {
    supportedHeld_ = GetCapability(CAP_SUPPORTEDCAPS, MSG_GET) == TWRC_SUCCESS &&
                     IsCapabilityList(*containers_.Find(CAP_SUPPORTEDCAPS));
    // The transfer mechanism is negotiated whether the source lists it or not.
    if (supportedHeld_ && !Lists(CAP_SUPPORTEDCAPS, true, ICAP_XFERMECH))
        containers_.Find(CAP_SUPPORTEDCAPS)->AddItem(TVariant(std::int32_t(ICAP_XFERMECH)));
    // A device that does not say whether it is online counts as online.
    while (OnDeviceNotReady && CurrentCapability(CAP_DEVICEONLINE) == 0) {
        bool goOn = true;
        OnDeviceNotReady(this, goOn);
        if (!goOn) return false;
    }
    extendedHeld_ = GetCapability(CAP_EXTENDEDCAPS, MSG_GET) == TWRC_SUCCESS &&
                    IsCapabilityList(*containers_.Find(CAP_EXTENDEDCAPS));
    SendDeviceEvents();
    return true;
}

void TzavTWAINIntf::SetDeviceEventTypes(TTwnDeviceEvents value) {
    deviceEventTypes_ = value;
    SendDeviceEvents();
}

void TzavTWAINIntf::SendDeviceEvents() {
    if (!Connection().SourceOpen()) return;
    // Once a set went to the source, a change (an empty set too) follows it.
    TTwnContainer* container = containers_.Find(CAP_DEVICEEVENT);
    if (!container && deviceEventTypes_ == 0) return;
    if (!container) container = ContainerOf(CAP_DEVICEEVENT);
    if (!container) return;
    container->SetContainerType(TWON_ARRAY);
    container->SetItemType(TWTY_UINT16);
    container->Allocate(0);
    // TWDE_POWERSAVENOTIFY (16) is not one a source is asked for.
    for (std::int32_t code = 0; code < 16; ++code)
        if (deviceEventTypes_ & (1u << code)) container->AddItem(TVariant(code));
    SetCapability(MSG_SET, false, *container);
}

void TzavTWAINIntf::DeviceEventSlot(TObject*) {
    TW_DEVICEEVENT event{};
    if (Connection().CallTriplet(AppRecord(), SourceRecord(), &event, MSG_GET, DAT_DEVICEEVENT, DG_CONTROL) !=
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

bool TzavTWAINIntf::FinishOpen() {
    // Refused without a call when the source does not support it.
    SetBoolCapability(CAP_INDICATORS, MSG_SET, showIndicators_);
    bool cancel = false;
    if (OnNegotiation) OnNegotiation(this, cancel);
    return !cancel;
}

std::uint16_t TzavTWAINIntf::SendOneValue16(TTwnContainer& container, std::uint16_t value) {
    const std::int32_t rc = SendOneValue(container, MSG_SET, TWTY_UINT16, TVariant(std::int32_t(value)));
    return rc < 0 ? TWRC_FAILURE : std::uint16_t(rc);
}

std::uint16_t TzavTWAINIntf::NegotiateTransfer() {
    TzavTWAINThread& c = Connection();
    TTwnTransferSettings& settings = c.Settings();
    // At most twice: a file format without an extension brings the native transfer, which needs no format.
    for (int attempt = 0; attempt < 2; ++attempt) {
        TTwnContainer* mechanism = ContainerOf(ICAP_XFERMECH);
        if (!mechanism) return TWRC_FAILURE;
        TTwnXferType mech = settings.XferMech();
        const bool modern = c.SourceProtocol() >= 19;
        if (!modern && mech == TTwnXferType::TWFX_FILES2) mech = TTwnXferType::TWFX_FILES;
        if (modern && mech == TTwnXferType::TWFX_FILES) mech = TTwnXferType::TWFX_FILES2;
        if (SendOneValue16(*mechanism, std::uint16_t(mech)) != TWRC_SUCCESS && mech == TTwnXferType::TWFX_FILES2) {
            // A source of the newer protocol that only knows the older file transfer: the answer read back is
            // compared with the mechanism really asked for.
            mech = TTwnXferType::TWFX_FILES;
            SendOneValue16(*mechanism, std::uint16_t(mech));
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
        const TTwnFileFmt format = twn::NegotiateFileFormat(settings.FileFormat(), candidates, [&](TTwnFileFmt asked) {
            if (TTwnContainer* formats = ContainerOf(ICAP_IMAGEFILEFORMAT)) SendOneValue16(*formats, asked);
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

std::uint16_t TzavTWAINIntf::EnableSource() {
    TzavTWAINThread& c = Connection();
    if (!c.OnImageReady && !c.OnMemXferBuffer) {
        c.CloseAll();
        throw EImageReadyError(
            "Event \"OnImageReady\" or \"OnMemXferBuffer\" must be assigned,\r\nbefore an image acquisition can "
            "commence.");
    }
    bool showUI = showUI_;
    bool modalUI = false;
    c.SetAfterTransferMode(disableAfterAcquire_ ? kAfterTransferCloseAll : kAfterTransferKeepEnabled);
    const std::uint16_t rc = c.EnableSource(showUI, modalUI);
    if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS) c.SetAfterTransferMode(kAfterTransferNone);
    return rc;
}

bool TzavTWAINIntf::Acquire(const std::string& name) {
    TzavTWAINThread& c = Connection();
    TScopeExit closeOnFailure([&] { c.CloseAll(); });
    if (!c.ManagerOpen()) {
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
        if (c.OpenManager() != TWRC_SUCCESS) return false;
    }
    if (!c.SourceOpen() && OpenSource(name) != TWRC_SUCCESS) return false;
    if (!c.SourceEnabled()) {
        const std::uint16_t rc = EnableSource();
        if (rc != TWRC_SUCCESS && rc != TWRC_CHECKSTATUS) return false;
    }
    closeOnFailure.Dismiss();
    return true;
}
