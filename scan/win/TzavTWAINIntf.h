// The scanner component's interface layer: the session with a source (opening and closing the manager and the
// source, selecting, listing, enabling, acquiring) and the negotiation of capabilities with the open source.
//
// The containers of the open source are held in one list, forgotten before each open. A container a source
// delivers is checked against the real size of its block (item type, item count) before it is taken; one that
// does not fit is refused as a failed call.
#pragma once
#include <cstdint>
#include <string>

#include "classlib/core/TStrings.h"
#include "scan/core/TTwnContainerList.h"
#include "scan/win/TzavTWAINKernel.h"

class TzavTWAINIntf : public TzavTWAINKernel {
    CLASSLIB_COMPONENT(TzavTWAINIntf, TzavTWAINKernel)
public:
    explicit TzavTWAINIntf(TComponent* owner);
    ~TzavTWAINIntf() override;

    // Session operations (each a TWAIN return code unless said otherwise).
    std::uint16_t OpenManager() { return Connection().OpenManager(); }
    std::uint16_t CloseManager() { return Connection().CloseManager(); }
    // Fires OnDisableMenus, then the manager's selection dialog owned by the foreground window.
    std::uint16_t SelectSource();
    // The product names of the sources the manager lists; the manager is opened for the call when it is not
    // open. The current source's identity is kept.
    void GetSourceNames(TStrings& list);
    // Opens the source of that product name (exact comparison), or the manager's default source for an empty
    // name, and negotiates what it needs (supported capabilities, device online, device events, the transfer
    // mechanism, the indicators, OnNegotiation). A name that no source has fails (TWRC_FAILURE) instead of
    // opening some other source.
    std::uint16_t OpenSource(const std::string& name);
    // Raises EImageReadyError (after closing the source and the manager) when neither OnImageReady nor
    // OnMemXferBuffer is assigned; otherwise enables the source with ShowUI and sets the after-transfer mode.
    std::uint16_t EnableSource();
    std::uint16_t DisableSource() { return Connection().DisableSource(); }
    std::uint16_t CloseSource() { return Connection().CloseSource(); }
    void CloseAll() { Connection().CloseAll(); }
    // Opens the manager and the named source and enables it; on any failure closes what was opened and answers
    // false.
    bool Acquire(const std::string& name);

    // Capability negotiation with the open source.
    //
    // DG_CONTROL / DAT_CAPABILITY / msg with cap for the capability: TWRC_FAILURE without a call unless the
    // manager and a source are open. The reads (MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT), MSG_RESET and
    // MSG_QUERYSUPPORT send no container (TWON_DONTCARE16).
    std::uint16_t CallCapability(std::uint16_t capability, std::uint16_t msg, TW_CAPABILITY& cap);
    // Reads the capability (MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET) into the container, or into the
    // list's container of the capability (made when there is none) when container is null. A success that brings
    // no container, or one that does not fit its block, gives TWRC_FAILURE and leaves the container as it was.
    // MSG_QUERYSUPPORT sets the container's QuerySupport (-1 unless the source answers a TWTY_INT32 one value).
    // Any other msg: TWRC_FAILURE without a call.
    std::int32_t GetCapability(std::uint16_t capability, std::uint16_t msg, TTwnContainer* container = nullptr);
    // Sends the container with MSG_SET: as a one value of its current value with oneValue, else as it is. -1
    // without a call for another msg or a capability the source does not support.
    std::int32_t SetCapability(std::uint16_t msg, bool oneValue, TTwnContainer& container);
    // Makes the list's container of the capability a TWTY_BOOL one value of value and sends it (as SetCapability).
    std::int32_t SetBoolCapability(std::uint16_t capability, std::uint16_t msg, bool value);
    // True while no supported list could be read, with LenientOnCaps, or when the capability is listed.
    bool IsCapSupported(std::uint16_t capability) const;
    // True when the capability is among the source's extended capabilities; false when they were not read.
    bool IsExtendedCap(std::uint16_t capability) const;
    // Forgets the supported and extended lists and frees every container of the source.
    void ClearContainers();
    TTwnContainerList& Containers() { return containers_; }

    // Properties of this layer.
    bool ShowUI() const { return showUI_; }
    void SetShowUI(bool value) { showUI_ = value; }
    bool ShowIndicators() const { return showIndicators_; }
    void SetShowIndicators(bool value) { showIndicators_ = value; }
    TTwnDeviceEvents DeviceEventTypes() const { return deviceEventTypes_; }
    // Sent to an open source at once (and to each source opened later).
    void SetDeviceEventTypes(TTwnDeviceEvents value);
    bool LenientOnCaps() const { return lenientOnCaps_; }
    void SetLenientOnCaps(bool value) { lenientOnCaps_ = value; }
    // The formats a file transfer may agree on besides FileFormat; TWFF_PICT and TWFF_XBM are taken out.
    TTwnFileFmts FileFormats() const { return fileFormats_; }
    void SetFileFormats(TTwnFileFmts value) { fileFormats_ = AllowedFileFormats(value); }
    // After the last pending image: everything closed (true), or the source kept enabled.
    bool DisableAfterAcquire() const { return disableAfterAcquire_; }
    void SetDisableAfterAcquire(bool value) { disableAfterAcquire_ = value; }

    TDeviceEvent OnDeviceEvent;
    TOnDeviceNotReady OnDeviceNotReady;
    TOnNegotiate OnNegotiation;

private:
    // What opening a source does before the transfer is agreed: the supported capabilities, a device that is not
    // ready (OnDeviceNotReady may give up), the extended capabilities and the device events. False: close it.
    bool NegotiateOpen();
    // The transfer mechanism and, for a file mechanism, the file format agreed with the open source; a file
    // format without a file extension falls back to the native transfer. TWRC_SUCCESS or TWRC_FAILURE.
    std::uint16_t NegotiateTransfer();
    // Makes the container a one value of the type and value and sends it (SetCapability's result).
    std::int32_t SendOneValue(TTwnContainer& container, std::uint16_t msg, std::uint16_t itemType,
                              const TVariant& value);
    // The same for a TWTY_UINT16 value with MSG_SET; the TWAIN return code.
    std::uint16_t SendOneValue16(TTwnContainer& container, std::uint16_t value);
    // And after it: the indicators, then OnNegotiation, which may cancel. False: close it.
    bool FinishOpen();
    // The source has a device event (on the main thread): read it and hand it to OnDeviceEvent; without a
    // handler the source is asked for no more.
    void DeviceEventSlot(TObject* sender);
    // Sends the device-event set (codes 0 to 15) to the open source as an array, once one was sent or the set is
    // not empty.
    void SendDeviceEvents();
    // The source's current value of the capability; -1 when it cannot be read.
    std::int32_t CurrentCapability(std::uint16_t capability);
    // The connection thread's queries for the buffered-memory transfer (run on the main thread).
    std::int32_t CurrentUnits() { return CurrentCapability(ICAP_UNITS); }
    std::int32_t CurrentPixelFlavor() { return CurrentCapability(ICAP_PIXELFLAVOR); }
    // The list's container of the capability, made when there is none; nullptr when none can be made.
    TTwnContainer* ContainerOf(std::uint16_t capability);
    // True when the held list (supported or extended) of that capability number lists the capability.
    bool Lists(std::uint16_t listCapability, bool held, std::uint16_t capability) const;
    // Walks the manager's list (first, then next) until a call fails or a name is empty, calling visit with each
    // identity until it returns false.
    template <class Visit>
    void WalkSources(Visit visit);

    TTwnContainerList containers_;
    bool supportedHeld_ = false;
    bool extendedHeld_ = false;
    TTwnFileFmts fileFormats_ = FileFmtBit(TWFF_BMP);
    bool showUI_ = true;
    bool showIndicators_ = true;
    bool disableAfterAcquire_ = true;
    TTwnDeviceEvents deviceEventTypes_ = 0;
    bool lenientOnCaps_ = false;
};
