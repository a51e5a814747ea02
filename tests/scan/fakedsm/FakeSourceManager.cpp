// A stand-in for the TWAIN source manager (twain_32.dll, entry point at ordinal 1) for the scanner component's
// tests: it answers the manager's own calls (open and close, one listed source, open and close of that source)
// and injects faults into the manager itself. Loaded instead of the system's manager through a DLL override.
//
// Switches, read from the environment at each call:
//   VANTOREL_FAKEDSM_FAULT   a message number in hex ("0401" MSG_OPENDS, "0004" MSG_GETFIRST): the call faults
//                            (a write through a null pointer inside the manager)
//   VANTOREL_FAKEDSM_HANG    "<message>:<ms>": the call sleeps that long first
//   VANTOREL_FAKEDSM_FAIL    "<message>:<condition code>": the call fails, and the status query tells that code
//   VANTOREL_FAKEDSM_STATUSFAULT  any value: the status query itself faults
//   VANTOREL_FAKEDSM_UNTERMINATED any value: the listed source's names fill their fields without a terminator
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scan/core/TwnProtocol.h"

namespace {

std::uint16_t g_condition = TWCC_SUCCESS;
bool g_open = false;
bool g_sourceOpen = false;
int g_walk = 0;

std::string Env(const char* name) {
    char value[256];
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

// "<hex message>:<number>" when the message matches; -1 otherwise.
long Matching(const char* name, std::uint16_t msg) {
    const std::string value = Env(name);
    const std::size_t colon = value.find(':');
    if (colon == std::string::npos || std::strtoul(value.substr(0, colon).c_str(), nullptr, 16) != msg) return -1;
    return std::atol(value.c_str() + colon + 1);
}

void Fault() { *static_cast<volatile int*>(nullptr) = 1; }

void FillSource(TW_IDENTITY& id) {
    std::memset(&id, 0, sizeof id);
    id.Id = 1;
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 9;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(id.Manufacturer, "Vantorel");
    std::strcpy(id.ProductFamily, "Test");
    std::strcpy(id.ProductName, "Fake Manager Source");
    if (!Env("VANTOREL_FAKEDSM_UNTERMINATED").empty()) {
        std::memset(id.Manufacturer, 'M', sizeof id.Manufacturer);
        std::memset(id.ProductFamily, 'F', sizeof id.ProductFamily);
        std::memset(id.ProductName, 'P', sizeof id.ProductName);
    }
}

}  // namespace

extern "C" std::uint16_t WINAPI DSM_Entry(TW_IDENTITY* origin, TW_IDENTITY* destination, std::uint32_t dg,
                                          std::uint16_t dat, std::uint16_t msg, TW_MEMREF data) {
    if (dat == DAT_STATUS) {
        if (!Env("VANTOREL_FAKEDSM_STATUSFAULT").empty()) Fault();
        static_cast<TW_STATUS*>(data)->ConditionCode = g_condition;
        g_condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    const std::string fault = Env("VANTOREL_FAKEDSM_FAULT");
    if (!fault.empty() && std::strtoul(fault.c_str(), nullptr, 16) == msg) Fault();
    const long hang = Matching("VANTOREL_FAKEDSM_HANG", msg);
    if (hang > 0) ::Sleep(DWORD(hang));
    const long fail = Matching("VANTOREL_FAKEDSM_FAIL", msg);
    if (fail >= 0) {
        g_condition = std::uint16_t(fail);
        return TWRC_FAILURE;
    }
    if (dg != DG_CONTROL) return TWRC_FAILURE;
    switch (dat) {
        case DAT_PARENT:
            if (msg == MSG_OPENDSM) g_open = true;
            if (msg == MSG_CLOSEDSM) g_open = false;
            return TWRC_SUCCESS;
        case DAT_IDENTITY:
            if (!g_open) break;
            if (msg == MSG_GETFIRST || msg == MSG_GETDEFAULT) {
                FillSource(*static_cast<TW_IDENTITY*>(data));
                g_walk = 1;
                return TWRC_SUCCESS;
            }
            if (msg == MSG_GETNEXT) return TWRC_ENDOFLIST;
            if (msg == MSG_OPENDS && !g_sourceOpen) {
                FillSource(*static_cast<TW_IDENTITY*>(data));
                g_sourceOpen = true;
                return TWRC_SUCCESS;
            }
            if (msg == MSG_CLOSEDS && g_sourceOpen) {
                g_sourceOpen = false;
                return TWRC_SUCCESS;
            }
            break;
        case DAT_EVENT: return TWRC_NOTDSEVENT;
        default: break;
    }
    g_condition = TWCC_SEQERROR;
    return TWRC_FAILURE;
}
