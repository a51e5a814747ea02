// The scanner component's enumerations and the transfer settings of its connection thread: the transfer mechanism,
// the handle type, the file format and file name and the return-handle flag, with what setting each does to the
// others. Platform-free: the folder check and the temporary-name maker of the file-transfer name come from outside.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

enum class TTwnXferType : std::uint16_t { TWFX_NATIVE, TWFX_FILES, TWFX_MEMORY, TWFX_FILES2 };
enum class TTwnHdlType : std::uint16_t { THDT_DIBHANDLE, THDT_DIBSEC, THDT_DIBRAW, THDT_MEMPTR };
enum class TTwnErrorLevel : std::uint16_t { ML_NONE, ML_ERROR, ML_INFO, ML_FULL };

// File formats (TWFF_ codes). The file format is a plain 16-bit code because sources answer codes beyond the list
// and 232 stands for "no known format".
using TTwnFileFmt = std::uint16_t;
constexpr TTwnFileFmt TWFF_TIFF = 0;
constexpr TTwnFileFmt TWFF_PICT = 1;
constexpr TTwnFileFmt TWFF_BMP = 2;
constexpr TTwnFileFmt TWFF_XBM = 3;
constexpr TTwnFileFmt TWFF_JFIF = 4;
constexpr TTwnFileFmt TWFF_FPX = 5;
constexpr TTwnFileFmt TWFF_TIFFMULTI = 6;
constexpr TTwnFileFmt TWFF_PNG = 7;
constexpr TTwnFileFmt TWFF_SPIFF = 8;
constexpr TTwnFileFmt TWFF_EXIF = 9;
constexpr TTwnFileFmt kTwnNoFileFormat = 232;
// A set of file formats: bit n for code n (0..15).
using TTwnFileFmts = std::uint16_t;
constexpr TTwnFileFmts FileFmtBit(TTwnFileFmt format) { return format < 16 ? TTwnFileFmts(1u << format) : 0; }

enum class TTwnDeviceEvent : std::uint16_t {
    TWDE_CHECKAUTOMATICCAPTURE,
    TWDE_CHECKBATTERY,
    TWDE_CHECKDEVICEONLINE,
    TWDE_CHECKFLASH,
    TWDE_CHECKPOWERSUPPLY,
    TWDE_CHECKRESOLUTION,
    TWDE_DEVICEADDED,
    TWDE_DEVICEOFFLINE,
    TWDE_DEVICEREADY,
    TWDE_DEVICEREMOVED,
    TWDE_IMAGECAPTURED,
    TWDE_IMAGEDELETED,
    TWDE_PAPERDOUBLEFEED,
    TWDE_PAPERJAM,
    TWDE_LAMPFAILURE,
    TWDE_POWERSAVE,
    TWDE_POWERSAVENOTIFY
};
// A set of device events: bit n for member n.
using TTwnDeviceEvents = std::uint32_t;

namespace twn {

// "tif", "pct", "bmp", "xbm", "jpg", "fpx", "png" by format; empty for a format without a file extension.
std::string FileFormatExtension(TTwnFileFmt format);
// The format of a file name's extension, compared without regard to case (".tif" 0, ".pct" 1, ".bmp" 2, ".xbm"
// 3, ".jpg" 4, ".fpx" 5, ".png" 7); 232 for any other extension or none.
TTwnFileFmt FileFormatOfName(const std::string& name);
// The name without its extension (a final "." left on it goes too).
std::string RemoveExtension(const std::string& name);
// ASCII lower case, as the component compares and stores file names.
std::string LowerName(const std::string& name);

// What building a file-transfer name needs from the system.
struct TTwnNameSystem {
    // Whether the folder exists ("" is the current folder).
    std::function<bool(const std::string& folder)> FolderExists;
    // A fresh temporary file name ("TWN" prefix in the temporary folder), created and erased again.
    std::function<std::string()> TempFileName;
};

// The file-transfer name for name and extension: when the name's folder (up to the last "\" or ":") does not exist
// a temporary name is used instead; then its extension is replaced by "." + extension. An empty extension leaves
// the name's own extension.
std::string TransferFileName(const std::string& name, const std::string& extension, const TTwnNameSystem& system);

}  // namespace twn

// The transfer settings and their interplay, as the component's properties set them.
class TTwnTransferSettings {
public:
    explicit TTwnTransferSettings(twn::TTwnNameSystem system) : system_(std::move(system)) {}

    TTwnXferType XferMech() const { return xferMech_; }
    // Anything but TWFX_MEMORY while the handle type is THDT_MEMPTR makes the handle type THDT_DIBHANDLE.
    void SetXferMech(TTwnXferType value);
    TTwnHdlType DIBHandleType() const { return handleType_; }
    // THDT_MEMPTR also makes the mechanism TWFX_MEMORY.
    void SetDIBHandleType(TTwnHdlType value);
    TTwnFileFmt FileFormat() const { return fileFormat_; }
    // TWFF_PICT and TWFF_XBM are refused. With a file name set, the name takes the new format's extension (a
    // format without one leaves the name as it is).
    void SetFileFormat(TTwnFileFmt value);
    // The format as negotiation with a source leaves it, without touching the file name.
    void StoreFileFormat(TTwnFileFmt value) { fileFormat_ = value; }
    const std::string& Filename() const { return filename_; }
    // Empty: clears the name, the format becomes TWFF_BMP and ReturnHandle true. Otherwise the name is lower-cased,
    // its extension's format becomes the format unless the current one is a TIFF or JPEG kind (0, 4, 6, 8, 9),
    // and the file-transfer name is built from it with that extension.
    void SetFilename(const std::string& value);
    bool ReturnHandle() const { return returnHandle_; }
    // Stored only while the format is TWFF_BMP; otherwise it becomes false.
    void SetReturnHandle(bool value) { returnHandle_ = value && fileFormat_ == TWFF_BMP; }
    bool SwapMemRGB() const { return swapMemRGB_; }
    void SetSwapMemRGB(bool value) { swapMemRGB_ = value; }

private:
    twn::TTwnNameSystem system_;
    TTwnXferType xferMech_ = TTwnXferType::TWFX_NATIVE;
    TTwnHdlType handleType_ = TTwnHdlType::THDT_DIBHANDLE;
    TTwnFileFmt fileFormat_ = TWFF_BMP;
    std::string filename_;
    bool returnHandle_ = true;
    bool swapMemRGB_ = true;
};

// The formats a format set may hold: TWFF_PICT and TWFF_XBM are taken out.
constexpr TTwnFileFmts AllowedFileFormats(TTwnFileFmts formats) {
    return TTwnFileFmts(formats & ~(FileFmtBit(TWFF_PICT) | FileFmtBit(TWFF_XBM)));
}
