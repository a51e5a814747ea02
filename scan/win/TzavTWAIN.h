// The scanner component the program uses: the interface layer with the published events of the connection
// thread, the component's own reading of capabilities, and the two events it declares but never fires.
//
// Without a form editor the component has no look of its own: it is a plain, invisible component owned by the
// editor that imports images.
#pragma once
#include <cstdint>

#include "scan/win/TzavTWAINIntf.h"

class TzavTWAIN : public TzavTWAINIntf {
    CLASSLIB_COMPONENT(TzavTWAIN, TzavTWAINIntf)
public:
    // Masks every floating-point exception: data sources are foreign code that must not trap in the program's
    // threads.
    explicit TzavTWAIN(TComponent* owner);

    // As the interface layer's, but -1 without a call for a capability the source does not support.
    std::int32_t GetCapability(std::uint16_t capability, std::uint16_t msg, TTwnContainer* container = nullptr);

    // Events kept in the connection thread (set and read on the main thread).
    TImageEvent OnImageReady() const { return Connection().OnImageReady; }
    void SetOnImageReady(TImageEvent value) { Connection().OnImageReady = value; }
    TMemXferSizeEvent OnMemXferSize() const { return Connection().OnMemXferSize; }
    void SetOnMemXferSize(TMemXferSizeEvent value) { Connection().OnMemXferSize = value; }
    TMemXferBufEvent OnMemXferBuffer() const { return Connection().OnMemXferBuffer; }
    void SetOnMemXferBuffer(TMemXferBufEvent value) { Connection().OnMemXferBuffer = value; }
    TFailureEvent OnFailure() const { return Connection().OnFailure; }
    void SetOnFailure(TFailureEvent value) { Connection().OnFailure = value; }
    TNotifyEvent OnEnableMenus() const { return Connection().OnEnableMenus; }
    void SetOnEnableMenus(TNotifyEvent value) { Connection().OnEnableMenus = value; }

    TProgressEvent OnXferProgress;  // declared for users of the component; it never fires
    TNotifyEvent OnEnableUIOnly;    // likewise
};
