// A TWAIN data source for the scanner component's tests, installed into the test prefix as the manager's
// "sane.ds". It lists itself, opens, answers a few capabilities, signals transfer-ready through the manager when
// enabled, and delivers a small image by file, native and buffered-memory transfer.
//
// Switches, read from the environment of the process that loads it (the test sets them before each case):
//   VANTOREL_TESTDS_LOG      file that gets one line per call: "<DAT>.<MSG> <return code>"
//   VANTOREL_TESTDS_FAIL     a call ("USERINTERFACE.ENABLEDS"): answered with TWRC_FAILURE, condition TWCC_BUMMER
//   VANTOREL_TESTDS_HANG     "<call>:<ms>": the call sleeps that long before it answers
//   VANTOREL_TESTDS_FAULT    a call that writes through a null pointer
//   VANTOREL_TESTDS_GARBAGE  a call answered with nonsense: EVENT.PROCESSEVENT an unknown message, CAPABILITY.GET
//                            a container announcing far more items than it holds, PENDINGXFERS.* a count of 65535
//   VANTOREL_TESTDS_IMAGES   images pending after transfer-ready (default 1)
//   VANTOREL_TESTDS_NOTIFY   what enabling signals through the manager: "xferready" (default), "closereq",
//                            "deviceevent" (a battery check: "Test Scanner", 90 minutes, 75 percent, when the
//                            application asked for battery checks), "none"
//                            IMAGENATIVEXFER a DIB announcing 1000 rows and a huge biSizeImage in a block of 3 rows,
//                            IMAGEFILEXFER a BMP file whose bfSize is near 4 GiB, IMAGEINFO an image length of -1,
//                            IMAGEMEMXFER strips claiming twice the bytes and rows the buffer holds
//   VANTOREL_TESTDS_REFUSE   "files2": the transfer mechanism TWFX_FILES2 is refused; "formats": every file format
//                            is refused and the current one reads as TWFF_XBM; "unlisted": the supported list
//                            leaves out the transfer mechanism (which the source still negotiates); "memory": setting
//                            TWFX_MEMORY succeeds but the mechanism stays as it was
//   VANTOREL_TESTDS_NAME     the product name (default "Vantorel Test Source")
//   VANTOREL_TESTDS_KIND     the image: "rgb" 4 x 3 at 24 bits (default), "grey" 5 x 3 at 8 bits, "bw" 5 x 3 at 1
//                            bit, "palette" 5 x 3 at 8 bits with a table of 15 colours (see the pixel model)
//
// Capabilities: the supported list (CAP_SUPPORTEDCAPS, without CAP_INDICATORS), the extended list
// (ICAP_PIXELFLAVOR), the transfer mechanism and file format, the pixel flavour, the device events (set only), and
// the units as an enumeration of inches, centimetres and picas whose current item is the value last set; a support
// query of the units answers a TWTY_INT32 one value of 15.
// Palette (DAT_PALETTE8): MSG_GET answers the palette last set, or the image's own; MSG_GETDEFAULT and MSG_RESET
// answer four grey elements that all carry Index 9, of palette type 1, and MSG_RESET forgets the palette set.
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

// The test images. rgb: red grows to the right, green downwards, blue is constant. grey: level 40x + 60y + 10.
// bw: white where x + y is odd. palette: index x + 5y into colours (16i, 255 - 16i, 3i). The n-th image of an
// acquisition (n from 0) has blue 200 - 50n in the rgb image.
enum class Kind { Rgb, Grey, Bw, Palette };
Kind ImageKind();
constexpr int kHeight = 3;
int Width() { return ImageKind() == Kind::Rgb ? 4 : 5; }
int Bits() {
    switch (ImageKind()) {
        case Kind::Rgb: return 24;
        case Kind::Bw: return 1;
        default: return 8;
    }
}
int PaletteSize() { return ImageKind() == Kind::Palette ? 15 : ImageKind() == Kind::Grey ? 256 : 2; }
// Bytes of a row without padding (memory strips) and with it (DIBs).
int RowBytes() { return (Width() * Bits() + 7) / 8; }
int Stride() { return (Width() * Bits() + 31) / 32 * 4; }
int ImageSerial();
void PixelRGB(int x, int y, std::uint8_t rgb[3]) {
    rgb[0] = std::uint8_t(40 * x + 10);
    rgb[1] = std::uint8_t(60 * y + 20);
    rgb[2] = std::uint8_t(200 - 50 * ImageSerial());
}
int PixelIndex(int x, int y) {
    switch (ImageKind()) {
        case Kind::Grey: return 40 * x + 60 * y + 10;
        case Kind::Bw: return (x + y) % 2;
        default: return x + 5 * y;
    }
}
void PaletteRGB(int i, std::uint8_t rgb[3]) {
    if (ImageKind() == Kind::Palette) {
        rgb[0] = std::uint8_t(16 * i);
        rgb[1] = std::uint8_t(255 - 16 * i);
        rgb[2] = std::uint8_t(3 * i);
    } else {
        rgb[0] = rgb[1] = rgb[2] = std::uint8_t(ImageKind() == Kind::Bw ? 255 * i : i);
    }
}
// One row, top row y, into out: red-green-blue for rgb when rgbOrder, else blue-green-red; indexes packed from
// the high bit.
void WriteRow(int y, std::uint8_t* out, bool rgbOrder) {
    std::memset(out, 0, std::size_t(RowBytes()));
    for (int x = 0; x < Width(); ++x) {
        if (Bits() == 24) {
            std::uint8_t rgb[3];
            PixelRGB(x, y, rgb);
            out[3 * x] = rgb[rgbOrder ? 0 : 2];
            out[3 * x + 1] = rgb[1];
            out[3 * x + 2] = rgb[rgbOrder ? 2 : 0];
        } else if (Bits() == 8) {
            out[x] = std::uint8_t(PixelIndex(x, y));
        } else if (PixelIndex(x, y)) {
            out[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
    }
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
    std::uint32_t deviceEvents = 0;  // the device events the application asked for, bit n for code n
    int imagesEnded = 0;             // images ended since the source was enabled
    std::uint16_t units = 0;
    bool paletteSet = false;
    TW_PALETTE8 palette{};
};
Source g_source;

int ImageSerial() { return g_source.imagesEnded; }

std::string Env(const char* name) {
    char value[1024];
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

Kind ImageKind() {
    const std::string kind = Env("VANTOREL_TESTDS_KIND");
    if (kind == "grey") return Kind::Grey;
    if (kind == "bw") return Kind::Bw;
    if (kind == "palette") return Kind::Palette;
    return Kind::Rgb;
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
        case DAT_PALETTE8: return "PALETTE8";
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

void FillIdentity(TW_IDENTITY& id) {
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
            case ICAP_XFERMECH:
                cap.ConType = TWON_ONEVALUE;
                cap.hContainer = OneValue16(g_source.xferMech);
                break;
            case ICAP_IMAGEFILEFORMAT:
                cap.ConType = TWON_ONEVALUE;
                cap.hContainer = OneValue16(g_source.fileFormat);
                break;
            case ICAP_UNITS: {
                // Packed 16-bit items: inches, centimetres, picas.
                constexpr std::uint16_t units[] = {0, 1, 2};
                const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 14 + sizeof units);
                auto* p = static_cast<std::uint8_t*>(::GlobalLock(h));
                const std::uint16_t type = TWTY_UINT16;
                const std::uint32_t header[3] = {std::uint32_t(std::size(units)), g_source.units, 0};
                std::memcpy(p, &type, 2);
                std::memcpy(p + 2, header, sizeof header);
                std::memcpy(p + 14, units, sizeof units);
                ::GlobalUnlock(h);
                cap.ConType = TWON_ENUMERATION;
                cap.hContainer = h;
                break;
            }
            case ICAP_PIXELFLAVOR:
                cap.ConType = TWON_ONEVALUE;
                cap.hContainer = OneValue16(0);
                break;
            case CAP_SUPPORTEDCAPS:
            case CAP_EXTENDEDCAPS: {
                constexpr std::uint16_t supported[] = {CAP_SUPPORTEDCAPS,    CAP_EXTENDEDCAPS, ICAP_XFERMECH,
                                                       ICAP_IMAGEFILEFORMAT, ICAP_UNITS,       ICAP_PIXELFLAVOR,
                                                       CAP_DEVICEEVENT};
                constexpr std::uint16_t extended[] = {ICAP_PIXELFLAVOR};
                const bool all = cap.Cap == CAP_SUPPORTEDCAPS;
                constexpr std::uint16_t unlisted[] = {CAP_SUPPORTEDCAPS, ICAP_IMAGEFILEFORMAT};
                const bool listed = Env("VANTOREL_TESTDS_REFUSE") != "unlisted";
                const std::size_t size = !all ? sizeof extended : listed ? sizeof supported : sizeof unlisted;
                const std::uint16_t* caps = !all ? extended : listed ? supported : unlisted;
                const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 6 + size);
                auto* p = static_cast<std::uint8_t*>(::GlobalLock(h));
                const std::uint16_t type = TWTY_UINT16;
                const std::uint32_t count = std::uint32_t(size / 2);
                std::memcpy(p, &type, 2);
                std::memcpy(p + 2, &count, 4);
                std::memcpy(p + 6, caps, size);
                ::GlobalUnlock(h);
                cap.ConType = TWON_ARRAY;
                cap.hContainer = h;
                break;
            }
            default: return Fail(TWCC_CAPUNSUPPORTED);
        }
        return TWRC_SUCCESS;
    }
    if (msg == MSG_QUERYSUPPORT && cap.Cap == ICAP_UNITS) {
        const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(TW_ONEVALUE));
        auto* one = static_cast<TW_ONEVALUE*>(::GlobalLock(h));
        one->ItemType = TWTY_INT32;
        one->Item = 15;  // get, set, get default, get current
        ::GlobalUnlock(h);
        cap.ConType = TWON_ONEVALUE;
        cap.hContainer = h;
        return TWRC_SUCCESS;
    }
    if (msg == MSG_SET && cap.Cap == CAP_DEVICEEVENT) {
        if (cap.ConType != TWON_ARRAY || !cap.hContainer) return Fail(TWCC_BADVALUE);
        const auto* p = static_cast<const std::uint8_t*>(::GlobalLock(cap.hContainer));
        std::uint32_t count = 0;
        std::memcpy(&count, p + 2, 4);
        g_source.deviceEvents = 0;
        for (std::uint32_t i = 0; i < count && 6 + 2 * i + 2 <= ::GlobalSize(cap.hContainer); ++i) {
            std::uint16_t code = 0;
            std::memcpy(&code, p + 6 + 2 * i, 2);
            if (code < 32) g_source.deviceEvents |= 1u << code;
        }
        ::GlobalUnlock(cap.hContainer);
        return TWRC_SUCCESS;
    }
    if (msg == MSG_SET) {
        if (cap.ConType != TWON_ONEVALUE || !cap.hContainer) return Fail(TWCC_BADVALUE);
        const auto* one = static_cast<const TW_ONEVALUE*>(::GlobalLock(cap.hContainer));
        const std::uint16_t value = std::uint16_t(one->Item);
        ::GlobalUnlock(cap.hContainer);
        switch (cap.Cap) {
            case ICAP_XFERMECH:
                if (value > 3 || (value == 3 && Env("VANTOREL_TESTDS_REFUSE") == "files2")) return Fail(TWCC_BADVALUE);
                if (value != 2 || Env("VANTOREL_TESTDS_REFUSE") != "memory") g_source.xferMech = value;
                return TWRC_SUCCESS;
            case ICAP_IMAGEFILEFORMAT:
                if (Env("VANTOREL_TESTDS_REFUSE") == "formats") {
                    g_source.fileFormat = 3;
                    return Fail(TWCC_BADVALUE);
                }
                g_source.fileFormat = value;
                return TWRC_SUCCESS;
            case ICAP_UNITS:
                if (value > 2) return Fail(TWCC_BADVALUE);
                g_source.units = value;
                return TWRC_SUCCESS;
            default: return Fail(TWCC_CAPUNSUPPORTED);
        }
    }
    return Fail(TWCC_CAPUNSUPPORTED);
}

// The image as a packed bottom-up DIB: header, the table (biClrUsed entries for the palette image, none at 24
// bits), the rows in blue-green-red order.
std::string PackedDib(bool garbage) {
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = Width();
    h.biHeight = garbage ? 1000 : kHeight;
    h.biPlanes = 1;
    h.biBitCount = WORD(Bits());
    h.biSizeImage = garbage ? 0x7FFFFFF0u : DWORD(Stride() * kHeight);
    h.biXPelsPerMeter = h.biYPelsPerMeter = 2835;
    const int entries = Bits() == 24 ? 0 : PaletteSize();
    h.biClrUsed = ImageKind() == Kind::Palette ? DWORD(entries) : 0;
    std::string dib(reinterpret_cast<const char*>(&h), sizeof h);
    for (int i = 0; i < entries; ++i) {
        std::uint8_t rgb[3];
        PaletteRGB(i, rgb);
        const char quad[4] = {char(rgb[2]), char(rgb[1]), char(rgb[0]), 0};
        dib.append(quad, 4);
    }
    std::string row(std::size_t(Stride()), '\0');
    for (int y = kHeight - 1; y >= 0; --y) {
        WriteRow(y, reinterpret_cast<std::uint8_t*>(row.data()), false);
        dib += row;
    }
    return dib;
}

std::uint16_t FileTransfer(bool garbage) {
    const std::string dib = PackedDib(false);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = DWORD(sizeof file + dib.size() - std::size_t(Stride() * kHeight));
    file.bfSize = garbage ? 0xFFFFFFF0u : DWORD(sizeof file + dib.size());
    const HANDLE h = ::CreateFileA(g_source.fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Fail(TWCC_OPERATIONERROR);
    DWORD written = 0;
    ::WriteFile(h, &file, sizeof file, &written, nullptr);
    ::WriteFile(h, dib.data(), DWORD(dib.size()), &written, nullptr);
    ::CloseHandle(h);
    return TWRC_XFERDONE;
}

std::uint16_t NativeTransfer(TW_MEMREF data, bool garbage) {
    const std::string dib = PackedDib(garbage);
    const HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, dib.size());
    if (!h) return Fail(TWCC_LOWMEMORY);
    std::memcpy(::GlobalLock(h), dib.data(), dib.size());
    ::GlobalUnlock(h);
    *static_cast<TW_HANDLE*>(data) = h;
    return TWRC_XFERDONE;
}

// Strips of whole rows, top row first, red-green-blue order, no padding: as many rows as the buffer holds.
std::uint16_t MemoryTransfer(TW_IMAGEMEMXFER& xfer, bool garbage) {
    const std::uint32_t rowBytes = std::uint32_t(RowBytes());
    if (!xfer.Memory.TheMem || xfer.Memory.Length < rowBytes) return Fail(TWCC_BADVALUE);
    const int rows = std::min<int>(int(xfer.Memory.Length / rowBytes), kHeight - g_source.memRowsSent);
    auto* out = static_cast<std::uint8_t*>(xfer.Memory.TheMem);
    for (int r = 0; r < rows; ++r) WriteRow(g_source.memRowsSent + r, out + r * rowBytes, true);
    xfer.Compression = 0;
    xfer.BytesPerRow = rowBytes;
    xfer.Columns = std::uint32_t(Width());
    xfer.Rows = std::uint32_t(rows) * (garbage ? 2 : 1);
    xfer.XOffset = 0;
    xfer.YOffset = std::uint32_t(g_source.memRowsSent);
    xfer.BytesWritten = std::uint32_t(rows) * rowBytes * (garbage ? 2 : 1);
    g_source.memRowsSent += rows;
    return g_source.memRowsSent >= kHeight ? TWRC_XFERDONE : TWRC_SUCCESS;
}

std::uint16_t Palette(std::uint16_t msg, TW_PALETTE8& palette) {
    if (msg == MSG_SET) {
        g_source.palette = palette;
        g_source.paletteSet = true;
        return TWRC_SUCCESS;
    }
    if (msg == MSG_GET && g_source.paletteSet) {
        palette = g_source.palette;
        return TWRC_SUCCESS;
    }
    std::memset(&palette, 0, sizeof palette);
    if (msg == MSG_GET) {
        // The image's colours with their indexes; NumColors as many as the image uses.
        palette.NumColors = std::uint16_t(PaletteSize());
        palette.PaletteType = 0;  // TWPA_RGB
        for (int i = 0; i < PaletteSize() && i < 256; ++i) {
            std::uint8_t rgb[3];
            PaletteRGB(i, rgb);
            palette.Colors[i][0] = std::uint8_t(i);
            std::memcpy(&palette.Colors[i][1], rgb, 3);
        }
        return TWRC_SUCCESS;
    }
    if (msg != MSG_GETDEFAULT && msg != MSG_RESET) return Fail(TWCC_BADPROTOCOL);
    if (msg == MSG_RESET) g_source.paletteSet = false;
    palette.NumColors = 4;
    palette.PaletteType = 1;  // TWPA_GRAY
    for (int i = 0; i < 4; ++i) {
        palette.Colors[i][0] = 9;
        std::memset(&palette.Colors[i][1], 85 * i, 3);
    }
    return TWRC_SUCCESS;
}

std::uint16_t PendingTransfers(std::uint16_t msg, TW_PENDINGXFERS& pending, bool garbage) {
    if (g_source.state < (msg == MSG_GET ? 4 : 6)) return Fail(TWCC_SEQERROR);
    if (msg == MSG_ENDXFER) {
        if (g_source.pending > 0) --g_source.pending;
        ++g_source.imagesEnded;
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
                    FillIdentity(*static_cast<TW_IDENTITY*>(data));
                    return TWRC_SUCCESS;
                }
                if (msg == MSG_OPENDS) {
                    if (g_source.state != 3) return Fail(TWCC_SEQERROR);
                    if (origin) g_source.app = *origin;
                    g_source.self = *static_cast<TW_IDENTITY*>(data);
                    g_source.state = 4;
                    g_source.pending = 0;
                    g_source.deviceEvents = 0;
                    g_source.units = 0;
                    g_source.paletteSet = false;
                    g_source.xferMech = 0;  // a source opens with the native transfer
                    g_source.fileFormat = 2;
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
                    g_source.imagesEnded = 0;
                    const std::string notify = Env("VANTOREL_TESTDS_NOTIFY");
                    const std::string images = Env("VANTOREL_TESTDS_IMAGES");
                    if (notify.empty() || notify == "xferready") {
                        g_source.pending = images.empty() ? 1 : std::atoi(images.c_str());
                        g_source.state = 6;
                        Signal(MSG_XFERREADY);
                    } else if (notify == "closereq") {
                        Signal(MSG_CLOSEDSREQ);
                    } else if (notify == "deviceevent" && (g_source.deviceEvents & 2u)) {
                        Signal(MSG_DEVICEEVENT);
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
            case DAT_DEVICEEVENT:
                if (msg == MSG_GET) {
                    auto* event = static_cast<TW_DEVICEEVENT*>(data);
                    *event = TW_DEVICEEVENT{};
                    event->Event = 1;  // TWDE_CHECKBATTERY
                    std::strcpy(event->DeviceName, "Test Scanner");
                    event->BatteryMinutes = 90;
                    event->BatteryPercentage = 75;
                    return TWRC_SUCCESS;
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
                    setup->MinBufSize = std::uint32_t(RowBytes());
                    setup->MaxBufSize = std::uint32_t(RowBytes() * kHeight * 100);
                    setup->Preferred = std::uint32_t(RowBytes() * 2);
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
            info->ImageWidth = Width();
            info->ImageLength = garbage ? -1 : kHeight;
            info->SamplesPerPixel = Bits() == 24 ? 3 : 1;
            info->BitsPerSample[0] = info->BitsPerSample[1] = info->BitsPerSample[2] = 8;
            info->BitsPerPixel = std::int16_t(Bits());
            const Kind kind = ImageKind();
            info->PixelType = kind == Kind::Rgb    ? TWPT_RGB
                              : kind == Kind::Grey ? TWPT_GRAY
                              : kind == Kind::Bw   ? TWPT_BW
                                                   : TWPT_PALETTE;
            return TWRC_SUCCESS;
        }
        if (dat == DAT_PALETTE8) return Palette(msg, *static_cast<TW_PALETTE8*>(data));
        if (g_source.state < 6) return Fail(TWCC_SEQERROR);
        if (msg != MSG_GET) return Fail(TWCC_BADPROTOCOL);
        std::uint16_t rc;
        switch (dat) {
            case DAT_IMAGEFILEXFER: rc = FileTransfer(garbage); break;
            case DAT_IMAGENATIVEXFER: rc = NativeTransfer(data, garbage); break;
            case DAT_IMAGEMEMXFER: rc = MemoryTransfer(*static_cast<TW_IMAGEMEMXFER*>(data), garbage); break;
            default: return Fail(TWCC_BADPROTOCOL);
        }
        if (rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) g_source.state = 7;
        return rc;
    }
    return Fail(TWCC_BADPROTOCOL);
}

}  // namespace

extern "C" __declspec(dllexport) std::uint16_t WINAPI
    DS_Entry(TW_IDENTITY* origin, std::uint32_t dg, std::uint16_t dat, std::uint16_t msg, TW_MEMREF data) {
    const std::string call = std::string(DatName(dat)) + "." + MsgName(msg);
    const std::string hang = Env("VANTOREL_TESTDS_HANG");
    const std::size_t colon = hang.find(':');
    if (colon != std::string::npos && hang.substr(0, colon) == call)
        ::Sleep(DWORD(std::atoi(hang.c_str() + colon + 1)));
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
