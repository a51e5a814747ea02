#include "scan/win/TzavTWAIN.h"

#include <float.h>

TzavTWAIN::TzavTWAIN(TComponent* owner) : TzavTWAINIntf(owner) {
    // The exception mask only: the precision of the program's arithmetic stays as it is.
    _control87(_MCW_EM, _MCW_EM);
}

std::int32_t TzavTWAIN::GetCapability(std::uint16_t capability, std::uint16_t msg, TTwnContainer* container) {
    if (!IsCapSupported(capability)) return -1;
    return TzavTWAINIntf::GetCapability(capability, msg, container);
}
