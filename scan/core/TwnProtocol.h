// The TWAIN 1.9 protocol as the scanner component, the source manager and data sources exchange it: the groups,
// data argument types, messages, return and condition codes, and the structures, laid out as the standard lays
// them out (2-byte packing). Pointers and handles take the width of the build, as in the system's own headers.
#pragma once
#include <cstddef>
#include <cstdint>

#include "scan/core/TwnValue.h"

// Data groups.
constexpr std::uint32_t DG_CONTROL = 0x0001;
constexpr std::uint32_t DG_IMAGE = 0x0002;

// Data argument types.
constexpr std::uint16_t DAT_NULL = 0x0000;
constexpr std::uint16_t DAT_CAPABILITY = 0x0001;
constexpr std::uint16_t DAT_EVENT = 0x0002;
constexpr std::uint16_t DAT_IDENTITY = 0x0003;
constexpr std::uint16_t DAT_PARENT = 0x0004;
constexpr std::uint16_t DAT_PENDINGXFERS = 0x0005;
constexpr std::uint16_t DAT_SETUPMEMXFER = 0x0006;
constexpr std::uint16_t DAT_SETUPFILEXFER = 0x0007;
constexpr std::uint16_t DAT_STATUS = 0x0008;
constexpr std::uint16_t DAT_USERINTERFACE = 0x0009;
constexpr std::uint16_t DAT_DEVICEEVENT = 0x000D;
constexpr std::uint16_t DAT_IMAGEINFO = 0x0101;
constexpr std::uint16_t DAT_IMAGEMEMXFER = 0x0103;
constexpr std::uint16_t DAT_IMAGENATIVEXFER = 0x0104;
constexpr std::uint16_t DAT_IMAGEFILEXFER = 0x0105;
constexpr std::uint16_t DAT_PALETTE8 = 0x010A;

// Messages.
constexpr std::uint16_t MSG_NULL = 0x0000;
constexpr std::uint16_t MSG_GET = 0x0001;
constexpr std::uint16_t MSG_GETCURRENT = 0x0002;
constexpr std::uint16_t MSG_GETDEFAULT = 0x0003;
constexpr std::uint16_t MSG_GETFIRST = 0x0004;
constexpr std::uint16_t MSG_GETNEXT = 0x0005;
constexpr std::uint16_t MSG_SET = 0x0006;
constexpr std::uint16_t MSG_RESET = 0x0007;
constexpr std::uint16_t MSG_QUERYSUPPORT = 0x0008;
constexpr std::uint16_t MSG_XFERREADY = 0x0101;
constexpr std::uint16_t MSG_CLOSEDSREQ = 0x0102;
constexpr std::uint16_t MSG_CLOSEDSOK = 0x0103;
constexpr std::uint16_t MSG_DEVICEEVENT = 0x0104;
constexpr std::uint16_t MSG_OPENDSM = 0x0301;
constexpr std::uint16_t MSG_CLOSEDSM = 0x0302;
constexpr std::uint16_t MSG_OPENDS = 0x0401;
constexpr std::uint16_t MSG_CLOSEDS = 0x0402;
constexpr std::uint16_t MSG_USERSELECT = 0x0403;
constexpr std::uint16_t MSG_DISABLEDS = 0x0501;
constexpr std::uint16_t MSG_ENABLEDS = 0x0502;
constexpr std::uint16_t MSG_ENABLEDSUIONLY = 0x0503;
constexpr std::uint16_t MSG_PROCESSEVENT = 0x0601;
constexpr std::uint16_t MSG_ENDXFER = 0x0701;

// Return codes; the last two are the component's own.
constexpr std::uint16_t TWRC_SUCCESS = 0;
constexpr std::uint16_t TWRC_FAILURE = 1;
constexpr std::uint16_t TWRC_CHECKSTATUS = 2;
constexpr std::uint16_t TWRC_CANCEL = 3;
constexpr std::uint16_t TWRC_DSEVENT = 4;
constexpr std::uint16_t TWRC_NOTDSEVENT = 5;
constexpr std::uint16_t TWRC_XFERDONE = 6;
constexpr std::uint16_t TWRC_ENDOFLIST = 7;
// The source manager's entry point raised an exception.
constexpr std::uint16_t TWRC_MANAGERFAULT = 33668;
// A request was not completed in time.
constexpr std::uint16_t TWRC_TIMEDOUT = 33669;

// Condition codes.
constexpr std::uint16_t TWCC_SUCCESS = 0;
constexpr std::uint16_t TWCC_BUMMER = 1;
constexpr std::uint16_t TWCC_LOWMEMORY = 2;
constexpr std::uint16_t TWCC_NODS = 3;
constexpr std::uint16_t TWCC_OPERATIONERROR = 5;
constexpr std::uint16_t TWCC_BADCAP = 6;
constexpr std::uint16_t TWCC_BADPROTOCOL = 9;
constexpr std::uint16_t TWCC_BADVALUE = 10;
constexpr std::uint16_t TWCC_SEQERROR = 11;
constexpr std::uint16_t TWCC_CAPUNSUPPORTED = 13;

// Memory transfer flags.
constexpr std::uint32_t TWMF_APPOWNS = 0x0001;
constexpr std::uint32_t TWMF_POINTER = 0x0008;

// Pixel types.
constexpr std::uint16_t TWPT_BW = 0;
constexpr std::uint16_t TWPT_GRAY = 1;
constexpr std::uint16_t TWPT_RGB = 2;
constexpr std::uint16_t TWPT_PALETTE = 3;

// Groups the component supports (DG_CONTROL and DG_IMAGE).
constexpr std::uint32_t kTwnSupportedGroups = DG_CONTROL | DG_IMAGE;

#pragma pack(push, 2)

using TW_STR32 = char[34];
using TW_STR255 = char[256];
using TW_MEMREF = void*;
using TW_HANDLE = void*;
using TW_BOOL = std::uint16_t;

struct TW_VERSION {
    std::uint16_t MajorNum;
    std::uint16_t MinorNum;
    std::uint16_t Language;
    std::uint16_t Country;
    TW_STR32 Info;
};

struct TW_IDENTITY {
    std::uint32_t Id;
    TW_VERSION Version;
    std::uint16_t ProtocolMajor;
    std::uint16_t ProtocolMinor;
    std::uint32_t SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};

struct TW_USERINTERFACE {
    TW_BOOL ShowUI;
    TW_BOOL ModalUI;
    TW_HANDLE hParent;
};

struct TW_PENDINGXFERS {
    std::uint16_t Count;
    std::uint32_t EOJ;
};

struct TW_EVENT {
    TW_MEMREF pEvent;
    std::uint16_t TWMessage;
};

struct TW_STATUS {
    std::uint16_t ConditionCode;
    std::uint16_t Reserved;
};

struct TW_CAPABILITY {
    std::uint16_t Cap;
    std::uint16_t ConType;
    TW_HANDLE hContainer;
};

struct TW_ONEVALUE {
    std::uint16_t ItemType;
    std::uint32_t Item;
};

struct TW_SETUPFILEXFER {
    TW_STR255 FileName;
    std::uint16_t Format;
    std::int16_t VRefNum;
};

struct TW_IMAGEINFO {
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    std::int32_t ImageWidth;
    std::int32_t ImageLength;
    std::int16_t SamplesPerPixel;
    std::int16_t BitsPerSample[8];
    std::int16_t BitsPerPixel;
    TW_BOOL Planar;
    std::int16_t PixelType;
    std::uint16_t Compression;
};

struct TW_SETUPMEMXFER {
    std::uint32_t MinBufSize;
    std::uint32_t MaxBufSize;
    std::uint32_t Preferred;
};

struct TW_MEMORY {
    std::uint32_t Flags;
    std::uint32_t Length;
    TW_MEMREF TheMem;
};

struct TW_PALETTE8 {
    std::uint16_t NumColors;
    std::uint16_t PaletteType;
    std::uint8_t Colors[256][4];
};

struct TW_IMAGEMEMXFER {
    std::uint16_t Compression;
    std::uint32_t BytesPerRow;
    std::uint32_t Columns;
    std::uint32_t Rows;
    std::uint32_t XOffset;
    std::uint32_t YOffset;
    std::uint32_t BytesWritten;
    TW_MEMORY Memory;
};

struct TW_DEVICEEVENT {
    std::uint32_t Event;
    TW_STR255 DeviceName;
    std::uint32_t BatteryMinutes;
    std::int16_t BatteryPercentage;
    std::int32_t PowerSupply;
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    std::uint32_t FlashUsed2;
    std::uint32_t AutomaticCapture;
    std::uint32_t TimeBeforeFirstCapture;
    std::uint32_t TimeBetweenCaptures;
};

#pragma pack(pop)

namespace twn {

// Bytes of the structure a triplet's data points at, for the structures of fixed size; 0 for the others (no data,
// or data whose size the triplet does not fix).
constexpr std::size_t TripletDataSize(std::uint32_t dg, std::uint16_t dat) {
    if (dg == DG_CONTROL) {
        switch (dat) {
            case DAT_CAPABILITY: return sizeof(TW_CAPABILITY);
            case DAT_IDENTITY: return sizeof(TW_IDENTITY);
            case DAT_PENDINGXFERS: return sizeof(TW_PENDINGXFERS);
            case DAT_SETUPMEMXFER: return sizeof(TW_SETUPMEMXFER);
            case DAT_SETUPFILEXFER: return sizeof(TW_SETUPFILEXFER);
            case DAT_STATUS: return sizeof(TW_STATUS);
            case DAT_USERINTERFACE: return sizeof(TW_USERINTERFACE);
            case DAT_DEVICEEVENT: return sizeof(TW_DEVICEEVENT);
            default: return 0;
        }
    }
    if (dg == DG_IMAGE) {
        switch (dat) {
            case DAT_IMAGEINFO: return sizeof(TW_IMAGEINFO);
            case DAT_IMAGEMEMXFER: return sizeof(TW_IMAGEMEMXFER);
            case DAT_IMAGENATIVEXFER: return sizeof(TW_HANDLE);
            case DAT_PALETTE8: return sizeof(TW_PALETTE8);
            default: return 0;
        }
    }
    return 0;
}

}  // namespace twn

// The layouts every source manager and source rely on.
static_assert(sizeof(TW_VERSION) == 42);
static_assert(sizeof(TW_IDENTITY) == 156);
static_assert(offsetof(TW_IDENTITY, ProductName) == 122);
static_assert(sizeof(TW_PENDINGXFERS) == 6);
static_assert(sizeof(TW_DEVICEEVENT) == 294);
static_assert(sizeof(TW_STATUS) == 4);
static_assert(sizeof(TW_ONEVALUE) == 6);
static_assert(sizeof(TW_SETUPFILEXFER) == 260);
static_assert(sizeof(TW_IMAGEINFO) == 42);
static_assert(sizeof(TW_PALETTE8) == 1028);
static_assert(sizeof(TW_USERINTERFACE) == 4 + sizeof(void*));
static_assert(sizeof(TW_IMAGEMEMXFER) == 26 + 8 + sizeof(void*));
