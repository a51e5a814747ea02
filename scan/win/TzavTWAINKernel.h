// The scanner component's kernel: the application identity and the current source's identity, the connection
// thread (which starts the queue thread when the manager opens), and the main thread's service of synchronised
// calls. While a kernel exists, a worker's synchronised call wakes the main thread with a WM_NULL thread message,
// and a WH_GETMESSAGE hook on the main thread runs the waiting calls when that message is retrieved: so events
// reach the main thread in any message loop it runs, the system's modal loops included. The hook and the
// wake-up serve every worker of the program; the previous wake-up comes back when the last kernel goes.
//
// The kernel holds the properties kept in the identity and in the connection thread (defaults stored, never
// applied through setters that touch files; no settings file is read or written), and binds the component's
// close-source, transfer-ready and transfer-next events to the connection thread. The session with a source is
// the interface layer's (TzavTWAINIntf).
#pragma once
#include <cstdint>
#include <string>

#include "classlib/core/TComponent.h"
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
    const TzavTWAINThread& Connection() const { return *connection_; }
    const TW_IDENTITY& AppIdentity() const { return appIdentity_; }
    const TW_IDENTITY& SourceIdentity() const { return sourceIdentity_; }

    // Properties.
    TTwnXferType XferMech() { return connection_->Settings().XferMech(); }
    void SetXferMech(TTwnXferType value) { connection_->Settings().SetXferMech(value); }
    TTwnHdlType DIBHandleType() { return connection_->Settings().DIBHandleType(); }
    void SetDIBHandleType(TTwnHdlType value) { connection_->Settings().SetDIBHandleType(value); }
    TTwnFileFmt FileFormat() { return connection_->Settings().FileFormat(); }
    void SetFileFormat(TTwnFileFmt value) { connection_->Settings().SetFileFormat(value); }
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

protected:
    // The records the calls to the manager and the source take.
    TW_IDENTITY* AppRecord() { return &appIdentity_; }
    TW_IDENTITY* SourceRecord() { return &sourceIdentity_; }
    // The window that owns the manager's windows: the foreground window when it is one of this program's (a
    // window of another program, such as the host of the filter plug-in, must not become the owner).
    static HWND OwnForegroundWindow();

private:
    void CloseSourceSlot(TObject* sender);
    void XferReadySlot(TObject* sender);
    void XferNextSlot(TObject* sender, std::int32_t& numImages, bool& skipNext);

    TW_IDENTITY appIdentity_;
    TW_IDENTITY sourceIdentity_;
    twn::TTwnAppNames names_;
    TObjectPtr<TzavTWAINThread> connection_;
};
