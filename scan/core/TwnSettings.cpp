#include "scan/core/TwnSettings.h"

#include <algorithm>

#include "classlib/core/Paths.h"

namespace twn {

std::string FileFormatExtension(TTwnFileFmt format) {
    switch (format) {
        case TWFF_TIFF:
        case TWFF_TIFFMULTI: return "tif";
        case TWFF_PICT: return "pct";
        case TWFF_BMP: return "bmp";
        case TWFF_XBM: return "xbm";
        case TWFF_JFIF:
        case TWFF_SPIFF:
        case TWFF_EXIF: return "jpg";
        case TWFF_FPX: return "fpx";
        case TWFF_PNG: return "png";
        default: return "";
    }
}

TTwnFileFmt FileFormatOfName(const std::string& name) {
    const std::string dotted = ExtractFileExt(name);
    if (dotted.empty()) return kTwnNoFileFormat;
    // Only the first format of each extension: ".tif" is TWFF_TIFF, ".jpg" TWFF_JFIF.
    constexpr TTwnFileFmt kByExtension[] = {TWFF_TIFF, TWFF_PICT, TWFF_BMP, TWFF_XBM, TWFF_JFIF, TWFF_FPX, TWFF_PNG};
    const std::string ext = LowerName(dotted.substr(1));
    for (TTwnFileFmt format : kByExtension)
        if (FileFormatExtension(format) == ext) return format;
    return kTwnNoFileFormat;
}

std::string RemoveExtension(const std::string& name) { return ChangeFileExt(name, ""); }

std::string LowerName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower;
}

std::string TransferFileName(const std::string& name, const std::string& extension, const TTwnNameSystem& system) {
    std::string result = name;
    const std::string folder = ExtractFilePath(name);
    if (!folder.empty() && !system.FolderExists(folder)) result = system.TempFileName();
    if (extension.empty()) return result;
    return RemoveExtension(result) + "." + extension;
}

}  // namespace twn

void TTwnTransferSettings::SetXferMech(TTwnXferType value) {
    xferMech_ = value;
    if (value != TTwnXferType::TWFX_MEMORY && handleType_ == TTwnHdlType::THDT_MEMPTR)
        handleType_ = TTwnHdlType::THDT_DIBHANDLE;
}

void TTwnTransferSettings::SetDIBHandleType(TTwnHdlType value) {
    handleType_ = value;
    if (value == TTwnHdlType::THDT_MEMPTR) xferMech_ = TTwnXferType::TWFX_MEMORY;
}

void TTwnTransferSettings::SetFileFormat(TTwnFileFmt value) {
    if (value == TWFF_PICT || value == TWFF_XBM) return;
    fileFormat_ = value;
    const std::string extension = twn::FileFormatExtension(value);
    // A format without an extension would give the name a bare "." and, read back through the name, turn the
    // format into 232: the name stays as it is.
    if (filename_.empty() || extension.empty()) return;
    SetFilename(twn::LowerName(twn::RemoveExtension(filename_)) + "." + extension);
}

void TTwnTransferSettings::SetFilename(const std::string& value) {
    if (value.empty()) {
        filename_.clear();
        fileFormat_ = TWFF_BMP;
        returnHandle_ = true;
        return;
    }
    const std::string name = twn::LowerName(value);
    const TTwnFileFmt own = twn::FileFormatOfName(name);
    const bool keepCurrent = fileFormat_ == TWFF_TIFF || fileFormat_ == TWFF_JFIF || fileFormat_ == TWFF_TIFFMULTI ||
                             fileFormat_ == TWFF_SPIFF || fileFormat_ == TWFF_EXIF;
    // The refused formats stay refused when they come through a name.
    if (own != fileFormat_ && !keepCurrent && own != TWFF_PICT && own != TWFF_XBM) fileFormat_ = own;
    filename_ = twn::TransferFileName(name, twn::FileFormatExtension(own), system_);
}
