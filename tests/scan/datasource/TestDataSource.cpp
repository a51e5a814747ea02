// A TWAIN data source for the scanner component's tests, installed into the test prefix as the manager's
// "sane.ds". It lists itself, opens, answers a few capabilities, signals transfer-ready through the manager when
// enabled, and delivers a small image by file, native and buffered-memory transfer.
//
// Switches, read from the environment of the process that loads it (the test sets them before each case):
//   VANTOREL_TESTDS_LOG      file that gets one line per call: "<DAT>.<MSG> <return code>"
//   VANTOREL_TESTDS_FAIL     a call ("USERINTERFACE.ENABLEDS"): answered with TWRC_FAILURE, condition TWCC_BUMMER
//   VANTOREL_TESTDS_HANG     "<call>:<ms>": the call sleeps that long before it answers
//   VANTOREL_TESTDS_FAULT    a call that writes through a null pointer
//   VANTOREL_TESTDS_GARBAGE  a call answered with nonsense: IDENTITY.GET names without terminators,
//                            EVENT.PROCESSEVENT an unknown message, CAPABILITY.GET a container announcing far more
//                            items than it holds, PENDINGXFERS.* a count of 65535
//   VANTOREL_TESTDS_IMAGES   images pending after transfer-ready (default 1)
//   VANTOREL_TESTDS_NOTIFY   what enabling signals through the manager: "xferready" (default), "closereq", "none"
//   VANTOREL_TESTDS_NAME     the product name (default "Vantorel Test Source")
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scan/core/TwnProtocol.h"
#include "scan/core/TwnTypes.h"

namespace {

using DSMEntry = std::uint16_t(WINAPI*)(TW_IDENTITY*, TW_IDENTITY*, std::uint32_t, std::uint16_t, std::uint16_t,
                                        TW_MEMREF);

// The test image: 4 x 3 pixels, 24 bits; red grows to the right, green downwards, blue is constant.
constexpr int kWidth = 4;
constexpr int kHeight = 3;
constexpr int kRowBytes = kWidth * 3;  // already a multiple of 4
void PixelRGB(int x, int y, std::uint8_t rgb[3]) {
    rgb[0] = std::uint8_t(40 * x + 10);
    rgb[1] = std::uint8_t(60 * y + 20);
    rgb[2] = 200;
}

struct Source {
    TW_IDENTITY self{};
    TW_IDENTITY app{};
    int state = 3;  // 3 closed, 4 open, 5 enabled, 6 transfer ready, 7 transferring
    std::uint16_t conditionCode = TWCC_SUCCESS;
    int pending = 0;
    std::uint16_t xferMech = 0;
    std::uint16_t fileFormat = 2;
    std::string fileName;
    int memRowsSent = 0;
};
Source g_source;

std::string Env(const char* name) {
    char value[1024];
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

const char* DatName(std::uint16_t dat) {
    switch (dat) {
        case DAT_NULL: return "NULL";
        case DAT_CAPABILITY: return "CAPABILITY";
        case DAT_EVENT: return "EVENT";
        case DAT_IDENTITY: return "IDENTITY";
        case DAT_PENDINGXFERS: return "PENDINGXFERS";
        case DAT_SETUPMEMXFER: return "SETUPMEMXFER";
        case DAT_SETUPFILEXFER: return "SETUPFILEXFER";
        case DAT_STATUS: return "STATUS";
        case DAT_USERINTERFACE: return "USERINTERFACE";
        case DAT_IMAGEINFO: return "IMAGEINFO";
        case DAT_IMAGEMEMXFER: return "IMAGEMEMXFER";
        case DAT_IMAGENATIVEXFER: return "IMAGENATIVEXFER";
        case DAT_IMAGEFILEXFER: return "IMAGEFILEXFER";
        default: return "OTHER";
    }
}

const char* MsgName(std::uint16_t msg) {
    switch (msg) {
        case MSG_GET: return "GET";
        case MSG_GETCURRENT: return "GETCURRENT";
        case MSG_GETDEFAULT: return "GETDEFAULT";
        case MSG_SET: return "SET";
        case MSG_RESET: return "RESET";
        case MSG_QUERYSUPPORT: return "QUERYSUPPORT";
        case MSG_OPENDS: return "OPENDS";
        case MSG_CLOSEDS: return "CLOSEDS";
        case MSG_ENABLEDS: return "ENABLEDS";
        case MSG_ENABLEDSUIONLY: return "ENABLEDSUIONLY";
        case MSG_DISABLEDS: return "DISABLEDS";
        case MSG_PROCESSEVENT: return "PROCESSEVENT";
        case MSG_ENDXFER: return "ENDXFER";
        default: return "OTHER";
    }
}

void Log(const std::string& call, std::uint16_t rc) {
    const std::string path = Env("VANTOREL_TESTDS_LOG");
    if (path.empty()) return;
    const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string line = call + " " + std::to_string(rc) + "\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

void FillIdentity(TW_IDENTITY& id, bool garbage) {
    std::memset(&id, 0, sizeof id);
    id.Version.MajorNum = 1;
    id.Version.MinorNum = 0;
    id.Version.Language = 2;
    id.Version.Country = 44;
    std::strcpy(id.Version.Info, "1.0 test");
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 9;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    std::strcpy(id.Manufacturer, "Vantorel");
    std::strcpy(id.ProductFamily, "Test");
    std::string name = Env("VANTOREL_TESTDS_NAME");
    if (name.empty()) name = "Vantorel Test Source";
    std::strncpy(id.ProductName, name.c_str(), 32);
    if (garbage) {
        std::memset(id.Manufacturer, 'M', 34);
        std::memset(id.ProductFamily, 'F', 34);
        std::memset(id.ProductName, 'P', 34);
    }
}

// Tells the application something through the manager (DAT_NULL): it posts the manager's event to the window.
void Signal(std::uint16_t msg) {
    const auto entry = reinterpret_cast<DSMEntry>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("twain_32.dll"), "DSM_Entry")));
    if (entry) entry(&g_source.self, &g_source.app, DG_CONTROL, DAT_NULL, msg, nullptr);
}

std::uint16_t Fail(std::uint16_t cc) {
    g_source.conditionCode = cc;
    return TWRC_FAILURE;
}

// One value of 16 bits in a new container.
TW_HANDLE OneValue16(std::uint16_t value) {
    const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TW_ONEVALUE));
    auto* one = static_cast<TW_ONEVALUE*>(::GlobalLock(h));
    one->ItemType = TWTY_UINT16;
    one->Item = value;
    ::GlobalUnlock(h);
    return h;
}

std::uint16_t Capability(std::uint16_t msg, TW_CAPABILITY& cap, bool garbage) {
    if (msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT) {
        if (garbage) {
            // An array that announces a billion items in a block of a few bytes.
            const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 16);
            auto* p = static_cast<std::uint8_t*>(::GlobalLock(h));
            const std::uint16_t type = TWTY_UINT16;
            const std::uint32_t count = 1000000000u;
            std::memcpy(p, &type, 2);
            std::memcpy(p + 2, &count, 4);
            ::GlobalUnlock(h);
            cap.ConType = TWON_ARRAY;
            cap.hContainer = h;
            return TWRC_SUCCESS;
        }
        switch (cap.Cap) {
            case ICAP_XFERMECH: cap.ConType = TWON_ONEVALUE; cap.hContainer = OneValue16(g_source.xferMech); break;
            case ICAP_IMAGEFILEFORMAT:
                cap.ConType = TWON_ONEVALUE;
                cap.hContainer = OneValue16(g_source.fileFormat);
                break;
            case ICAP_UNITS: cap.ConType = TWON_ONEVALUE; cap.hContainer = OneValue16(0); break;
            case ICAP_PIXELFLAVOR: cap.ConType = TWON_ONEVALUE; cap.hContainer = OneValue16(0); break;
            case CAP_SUPPORTEDCAPS: {
                constexpr std::uint16_t caps[] = {CAP_SUPPORTEDCAPS, ICAP_XFERMECH, ICAP_IMAGEFILEFORMAT, ICAP_UNITS,
                                                  ICAP_PIXELFLAVOR};
                const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 6 + sizeof caps);
                auto* p = static_cast<std::uint8_t*>(::GlobalLock(h));
                const std::uint16_t type = TWTY_UINT16;
                const std::uint32_t count = std::size(caps);
                std::memcpy(p, &type, 2);
                std::memcpy(p + 2, &count, 4);
                std::memcpy(p + 6, caps, sizeof caps);
                ::GlobalUnlock(h);
                cap.ConType = TWON_ARRAY;
                cap.hContainer = h;
                break;
            }
            default: return Fail(TWCC_CAPUNSUPPORTED);
        }
        return TWRC_SUCCESS;
    }
    if (msg == MSG_SET) {
        if (cap.ConType != TWON_ONEVALUE || !cap.hContainer) return Fail(TWCC_BADVALUE);
        const auto* one = static_cast<const TW_ONEVALUE*>(::GlobalLock(cap.hContainer));
        const std::uint16_t value = std::uint16_t(one->Item);
        ::GlobalUnlock(cap.hContainer);
        switch (cap.Cap) {
            case ICAP_XFERMECH:
                if (value > 3) return Fail(TWCC_BADVALUE);
                g_source.xferMech = value;
                return TWRC_SUCCESS;
            case ICAP_IMAGEFILEFORMAT: g_source.fileFormat = value; return TWRC_SUCCESS;
            default: return Fail(TWCC_CAPUNSUPPORTED);
        }
    }
    return Fail(TWCC_CAPUNSUPPORTED);
}

// The image as a bottom-up 24-bit DIB: header, then rows in blue-green-red order.
void WriteDibBits(std::uint8_t* bits) {
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = bits + (kHeight - 1 - y) * kRowBytes;
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t rgb[3];
            PixelRGB(x, y, rgb);
            row[3 * x] = rgb[2];
            row[3 * x + 1] = rgb[1];
            row[3 * x + 2] = rgb[0];
        }
    }
}

BITMAPINFOHEADER ImageHeader() {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = kWidth;
    h.biHeight = kHeight;
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biSizeImage = kRowBytes * kHeight;
    h.biXPelsPerMeter = h.biYPelsPerMeter = 2835;
    return h;
}

std::uint16_t FileTransfer() {
    const BITMAPINFOHEADER info = ImageHeader();
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::uint8_t bits[kRowBytes * kHeight];
    WriteDibBits(bits);
    const HANDLE h = ::CreateFileA(g_source.fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail(TWCC_OPERATIONERROR);
    DWORD written = 0;
    ::WriteFile(h, &file, sizeof file, &written, nullptr);
    ::WriteFile(h, &info, sizeof info, &written, nullptr);
    ::WriteFile(h, bits, sizeof bits, &written, nullptr);
    ::CloseHandle(h);
    return TWRC_XFERDONE;
}

std::uint16_t NativeTransfer(TW_MEMREF data) {
    const BITMAPINFOHEADER info = ImageHeader();
    const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof info + info.biSizeImage);
    if (!h) return Fail(TWCC_LOWMEMORY);
    auto* p = static_cast<std::uint8_t*>(::GlobalLock(h));
    std::memcpy(p, &info, sizeof info);
    WriteDibBits(p + sizeof info);
    ::GlobalUnlock(h);
    *static_cast<TW_HANDLE*>(data) = h;
    return TWRC_XFERDONE;
}

// Strips of whole rows, top row first, red-green-blue order, no padding: as many rows as the buffer holds.
std::uint16_t MemoryTransfer(TW_IMAGEMEMXFER& xfer) {
    if (!xfer.Memory.TheMem || xfer.Memory.Length < std::uint32_t(kRowBytes)) return Fail(TWCC_BADVALUE);
    const int rows = std::min<int>(int(xfer.Memory.Length / kRowBytes), kHeight - g_source.memRowsSent);
    auto* out = static_cast<std::uint8_t*>(xfer.Memory.TheMem);
    for (int r = 0; r < rows; ++r)
        for (int x = 0; x < kWidth; ++x) PixelRGB(x, g_source.memRowsSent + r, out + r * kRowBytes + 3 * x);
    xfer.Compression = 0;
    xfer.BytesPerRow = kRowBytes;
    xfer.Columns = kWidth;
    xfer.Rows = std::uint32_t(rows);
    xfer.XOffset = 0;
    xfer.YOffset = std::uint32_t(g_source.memRowsSent);
    xfer.BytesWritten = std::uint32_t(rows * kRowBytes);
    g_source.memRowsSent += rows;
    return g_source.memRowsSent >= kHeight ? TWRC_XFERDONE : TWRC_SUCCESS;
}

std::uint16_t PendingTransfers(std::uint16_t msg, TW_PENDINGXFERS& pending, bool garbage) {
    if (g_source.state < (msg == MSG_GET ? 4 : 6)) return Fail(TWCC_SEQERROR);
    if (msg == MSG_ENDXFER) {
        if (g_source.pending > 0) --g_source.pending;
    } else if (msg == MSG_RESET) {
        g_source.pending = 0;
    } else if (msg != MSG_GET) {
        return Fail(TWCC_BADVALUE);
    }
    if (msg != MSG_GET) g_source.state = g_source.pending > 0 ? 6 : 5;
    g_source.memRowsSent = 0;
    pending.Count = garbage ? 0xFFFF : std::uint16_t(g_source.pending);
    pending.EOJ = 0;
    return TWRC_SUCCESS;
}

std::uint16_t Dispatch(TW_IDENTITY* origin, std::uint32_t dg, std::uint16_t dat, std::uint16_t msg, TW_MEMREF data,
                       bool garbage) {
    if (dg == DG_CONTROL) {
        switch (dat) {
            case DAT_IDENTITY:
                if (msg == MSG_GET) {
                    FillIdentity(*static_cast<TW_IDENTITY*>(data), garbage);
                    return TWRC_SUCCESS;
                }
                if (msg == MSG_OPENDS) {
                    if (g_source.state != 3) return Fail(TWCC_SEQERROR);
                    if (origin) g_source.app = *origin;
                    g_source.self = *static_cast<TW_IDENTITY*>(data);
                    g_source.state = 4;
                    g_source.pending = 0;
                    return TWRC_SUCCESS;
                }
                if (msg == MSG_CLOSEDS) {
                    if (g_source.state != 4) return Fail(TWCC_SEQERROR);
                    g_source.state = 3;
                    return TWRC_SUCCESS;
                }
                break;
            case DAT_STATUS:
                if (msg == MSG_GET) {
                    auto* status = static_cast<TW_STATUS*>(data);
                    status->ConditionCode = g_source.conditionCode;
                    status->Reserved = 0;
                    g_source.conditionCode = TWCC_SUCCESS;
                    return TWRC_SUCCESS;
                }
                break;
            case DAT_USERINTERFACE:
                if (msg == MSG_ENABLEDS || msg == MSG_ENABLEDSUIONLY) {
                    if (g_source.state != 4) return Fail(TWCC_SEQERROR);
                    g_source.state = 5;
                    const std::string notify = Env("VANTOREL_TESTDS_NOTIFY");
                    const std::string images = Env("VANTOREL_TESTDS_IMAGES");
                    if (notify.empty() || notify == "xferready") {
                        g_source.pending = images.empty() ? 1 : std::atoi(images.c_str());
                        g_source.state = 6;
                        Signal(MSG_XFERREADY);
                    } else if (notify == "closereq") {
                        Signal(MSG_CLOSEDSREQ);
                    }
                    return TWRC_SUCCESS;
                }
                if (msg == MSG_DISABLEDS) {
                    if (g_source.state != 5) return Fail(TWCC_SEQERROR);
                    g_source.state = 4;
                    return TWRC_SUCCESS;
                }
                break;
            case DAT_EVENT:
                if (msg == MSG_PROCESSEVENT) {
                    auto* event = static_cast<TW_EVENT*>(data);
                    event->TWMessage = garbage ? 0x7777 : MSG_NULL;
                    return garbage ? TWRC_DSEVENT : TWRC_NOTDSEVENT;
                }
                break;
            case DAT_CAPABILITY:
                if (g_source.state < 4) return Fail(TWCC_SEQERROR);
                return Capability(msg, *static_cast<TW_CAPABILITY*>(data), garbage);
            case DAT_PENDINGXFERS: return PendingTransfers(msg, *static_cast<TW_PENDINGXFERS*>(data), garbage);
            case DAT_SETUPFILEXFER:
                if (msg == MSG_SET) {
                    auto* setup = static_cast<TW_SETUPFILEXFER*>(data);
                    g_source.fileName.assign(setup->FileName, strnlen(setup->FileName, sizeof setup->FileName));
                    g_source.fileFormat = setup->Format;
                    return TWRC_SUCCESS;
                }
                break;
            case DAT_SETUPMEMXFER:
                if (msg == MSG_GET) {
                    auto* setup = static_cast<TW_SETUPMEMXFER*>(data);
                    setup->MinBufSize = kRowBytes;
                    setup->MaxBufSize = kRowBytes * kHeight * 100;
                    setup->Preferred = kRowBytes * 2;
                    return TWRC_SUCCESS;
                }
                break;
            default: break;
        }
        return Fail(TWCC_BADPROTOCOL);
    }
    if (dg == DG_IMAGE) {
        if (dat == DAT_IMAGEINFO && msg == MSG_GET) {
            auto* info = static_cast<TW_IMAGEINFO*>(data);
            *info = TW_IMAGEINFO{};
            info->XResolution.Whole = 72;
            info->YResolution.Whole = 72;
            info->ImageWidth = kWidth;
            info->ImageLength = kHeight;
            info->SamplesPerPixel = 3;
            info->BitsPerSample[0] = info->BitsPerSample[1] = info->BitsPerSample[2] = 8;
            info->BitsPerPixel = 24;
            info->PixelType = TWPT_RGB;
            return TWRC_SUCCESS;
        }
        if (g_source.state < 6) return Fail(TWCC_SEQERROR);
        if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
        std::uint16_t rc;
        switch (dat) {
            case DAT_IMAGEFILEXFER: rc = FileTransfer(); break;
            case DAT_IMAGENATIVEXFER: rc = NativeTransfer(data); break;
            case DAT_IMAGEMEMXFER: rc = MemoryTransfer(*static_cast<TW_IMAGEMEMXFER*>(data)); break;
            default: return Fail(TWCC_BADPROTOCOL);
        }
        if (rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) g_source.state = 7;
        return rc;
    }
    return Fail(TWCC_BADPROTOCOL);
}

}  // namespace

extern "C" __declspec(dllexport) std::uint16_t WINAPI DS_Entry(TW_IDENTITY* origin, std::uint32_t dg,
                                                               std::uint16_t dat, std::uint16_t msg, TW_MEMREF data) {
    const std::string call = std::string(DatName(dat)) + "." + MsgName(msg);
    const std::string hang = Env("VANTOREL_TESTDS_HANG");
    const std::size_t colon = hang.find(':');
    if (colon != std::string::npos && hang.substr(0, colon) == call) ::Sleep(DWORD(std::atoi(hang.c_str() + colon + 1)));
    if (Env("VANTOREL_TESTDS_FAULT") == call) {
        Log(call, TWRC_MANAGERFAULT);
        *static_cast<volatile int*>(nullptr) = 1;
    }
    std::uint16_t rc;
    if (Env("VANTOREL_TESTDS_FAIL") == call)
        rc = Fail(TWCC_BUMMER);
    else
        rc = Dispatch(origin, dg, dat, msg, data, Env("VANTOREL_TESTDS_GARBAGE") == call);
    // The status query and the event loop's traffic would drown the log.
    if (dat != DAT_STATUS && !(dat == DAT_EVENT && rc == TWRC_NOTDSEVENT)) Log(call, rc);
    return rc;
}
