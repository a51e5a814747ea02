// The scanner component's kernel: the application identity and the current source's identity, the connection
// thread (which starts the queue thread when the manager opens), and the main thread's service of synchronised
// calls. While a kernel exists, a worker's synchronised call wakes the main thread with a WM_NULL thread message,
// and a WH_GETMESSAGE hook on the main thread runs the waiting calls when that message is retrieved: so events
// reach the main thread in any message loop it runs, the system's modal loops included. The hook and the
// wake-up serve every worker of the program; the previous wake-up comes back when the last kernel goes.
//
// Above the kernel: the component's properties (defaults stored, never applied through setters that touch files;
// no settings file is read or written) and the operations of a session with a source.
#pragma once
#include <vector>
#include <cstdint>
#include <string>

#include "classlib/core/TComponent.h"
#include "classlib/core/TStrings.h"
#include "classlib/win/Win32.h"
#include "scan/core/TwnEvents.h"
#include "scan/core/TwnIdentity.h"
#include "scan/core/TwnTypes.h"
#include "scan/win/TzavTWAINThread.h"

class TzavTWAINKernel : public TComponent {
    CLASSLIB_COMPONENT(TzavTWAINKernel, TComponent)
public:
    explicit TzavTWAINKernel(TComponent* owner);
    ~TzavTWAINKernel() override;

    TzavTWAINThread& Connection() { return *connection_; }
    const TW_IDENTITY& AppIdentity() const { return appIdentity_; }
    const TW_IDENTITY& SourceIdentity() const { return sourceIdentity_; }

    // Session operations (each a TWAIN return code unless said otherwise).
    std::uint16_t OpenManager() { return connection_->OpenManager(); }
    std::uint16_t CloseManager() { return connection_->CloseManager(); }
    // Fires OnDisableMenus, then the manager's selection dialog owned by the foreground window.
    std::uint16_t SelectSource();
    // The product names of the sources the manager lists; the manager is opened for the call when it is not
    // open. The current source's identity is kept.
    void GetSourceNames(TStrings& list);
    // Opens the source of that product name (exact comparison), or the manager's default source for an empty
    // name. A name that no source has fails (TWRC_FAILURE) instead of opening some other source.
    std::uint16_t OpenSource(const std::string& name);
    // Raises EImageReadyError (after closing the source and the manager) when neither OnImageReady nor
    // OnMemXferBuffer is assigned; otherwise enables the source with ShowUI and sets the after-transfer mode.
    std::uint16_t EnableSource();
    std::uint16_t DisableSource() { return connection_->DisableSource(); }
    std::uint16_t CloseSource() { return connection_->CloseSource(); }
    void CloseAll() { connection_->CloseAll(); }
    // Opens the manager and the named source and enables it; on any failure closes what was opened and answers
    // false.
    bool Acquire(const std::string& name);

    // Properties.
    TTwnXferType XferMech() { return connection_->Settings().XferMech(); }
    void SetXferMech(TTwnXferType value) { connection_->Settings().SetXferMech(value); }
    TTwnHdlType DIBHandleType() { return connection_->Settings().DIBHandleType(); }
    void SetDIBHandleType(TTwnHdlType value) { connection_->Settings().SetDIBHandleType(value); }
    TTwnFileFmt FileFormat() { return connection_->Settings().FileFormat(); }
    void SetFileFormat(TTwnFileFmt value) { connection_->Settings().SetFileFormat(value); }
    TTwnFileFmts FileFormats() const { return fileFormats_; }
    void SetFileFormats(TTwnFileFmts value) { fileFormats_ = AllowedFileFormats(value); }
    std::string Filename() { return connection_->Settings().Filename(); }
    void SetFilename(const std::string& value) { connection_->Settings().SetFilename(value); }
    bool ReturnHandle() { return connection_->Settings().ReturnHandle(); }
    void SetReturnHandle(bool value) { connection_->Settings().SetReturnHandle(value); }
    bool SwapMemRGB() { return connection_->Settings().SwapMemRGB(); }
    void SetSwapMemRGB(bool value) { connection_->Settings().SetSwapMemRGB(value); }
    std::string LogFilename() const { return connection_->LogFilename(); }
    void SetLogFilename(const std::string& value) { connection_->SetLogFilename(value); }
    bool LogToFile() const { return connection_->LogToFile(); }
    void SetLogToFile(bool value) { connection_->SetLogToFile(value); }
    TTwnErrorLevel MessageLevel() const { return connection_->MessageLevel(); }
    void SetMessageLevel(TTwnErrorLevel value) { connection_->SetMessageLevel(value); }
    bool ShowUI() const { return showUI_; }
    void SetShowUI(bool value) { showUI_ = value; }
    bool ShowIndicators() const { return showIndicators_; }
    void SetShowIndicators(bool value) { showIndicators_ = value; }
    bool DisableAfterAcquire() const { return disableAfterAcquire_; }
    void SetDisableAfterAcquire(bool value) { disableAfterAcquire_ = value; }
    TTwnDeviceEvents DeviceEventTypes() const { return deviceEventTypes_; }
    // Sent to an open source at once (and to each source opened later).
    void SetDeviceEventTypes(TTwnDeviceEvents value);
    bool LenientOnCaps() const { return lenientOnCaps_; }
    void SetLenientOnCaps(bool value) { lenientOnCaps_ = value; }
    std::string Manufacturer() const { return names_.Manufacturer; }
    void SetManufacturer(const std::string& value);
    std::string ProductFamily() const { return names_.ProductFamily; }
    void SetProductFamily(const std::string& value);
    std::string ProductName() const { return names_.ProductName; }
    void SetProductName(const std::string& value);
    // Read back from the identity's codes.
    TzavLanguage Language() const { return twn::LanguageOfCode(appIdentity_.Version.Language); }
    void SetLanguage(TzavLanguage value) { appIdentity_.Version.Language = twn::LanguageCode(value); }
    TzavCountry Country() const { return twn::CountryOfCode(appIdentity_.Version.Country); }
    void SetCountry(TzavCountry value) { appIdentity_.Version.Country = twn::CountryCode(value); }

    // Events kept in the component; the connection thread calls them through its slots.
    TNotifyEvent OnCloseSource;
    TNotifyEvent OnDisableMenus;
    TNotifyEvent OnXferReady;
    TXferNextEvent OnXferNext;
    TDeviceEvent OnDeviceEvent;
    TOnDeviceNotReady OnDeviceNotReady;
    TOnNegotiate OnNegotiation;
    TProgressEvent OnXferProgress;  // declared for users of the component; it never fires
    TNotifyEvent OnEnableUIOnly;    // likewise

private:
    void CloseSourceSlot(TObject* sender);
    void XferReadySlot(TObject* sender);
    void XferNextSlot(TObject* sender, std::int32_t& numImages, bool& skipNext);
    // The transfer mechanism and, for a file mechanism, the file format agreed with the open source; a file
    // format without a file extension falls back to the native transfer. TWRC_SUCCESS or TWRC_FAILURE.
    std::uint16_t NegotiateTransfer();
    // Sets the capability to a one value of the item type; the TWAIN return code.
    std::uint16_t SetCapability16(std::uint16_t capability, std::uint16_t value, std::uint16_t itemType = TWTY_UINT16);
    // What opening a source does before the transfer is agreed: the supported capabilities, and a device that is
    // not ready (OnDeviceNotReady may give up). False: close it.
    bool NegotiateOpen();
    // And after it: the indicators, then OnNegotiation, which may cancel. False: close it.
    bool FinishOpen();
    // The source has a device event (on the main thread): read it and hand it to OnDeviceEvent; without a
    // handler the source is asked for no more.
    void DeviceEventSlot(TObject* sender);
    // Sends the device-event set (codes 0 to 15) to the open source as an array, once one was sent or the set is
    // not empty.
    void SendDeviceEvents();
    // True while no supported list could be read, with LenientOnCaps, or when the capability is listed.
    bool IsCapSupported(std::uint16_t capability) const;
    // The source's current value of the capability; -1 when it cannot be read.
    std::int32_t CurrentCapability(std::uint16_t capability);
    // The connection thread's queries for the buffered-memory transfer.
    std::int32_t CurrentUnits() { return CurrentCapability(ICAP_UNITS); }
    std::int32_t CurrentPixelFlavor() { return CurrentCapability(ICAP_PIXELFLAVOR); }
    // Walks the manager's list (first, then next) until a call fails or a name is empty, calling visit with each
    // identity until it returns false.
    template <class Visit>
    void WalkSources(Visit visit);

    TW_IDENTITY appIdentity_;
    TW_IDENTITY sourceIdentity_;
    twn::TTwnAppNames names_;
    TObjectPtr<TzavTWAINThread> connection_;
    TTwnFileFmts fileFormats_ = FileFmtBit(TWFF_BMP);
    bool showUI_ = true;
    bool showIndicators_ = true;
    bool disableAfterAcquire_ = true;
    TTwnDeviceEvents deviceEventTypes_ = 0;
    bool lenientOnCaps_ = false;
    // The capabilities the open source lists as supported; not held when they could not be read.
    std::vector<std::uint16_t> supportedCaps_;
    bool supportedHeld_ = false;
    bool deviceEventsSent_ = false;
};
