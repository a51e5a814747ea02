// The EXIF reader and writer over arbitrary bytes: taken as a JPEG and as a TIFF structure (an EXIF block and a
// TIFF file), read within the limits, then the items read are written into the same bytes taken as a saved
// file, and what was written must read back without thumbnail tags and with the orientation upright.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/core/KelvoExifRead.h"
#include "app/core/KelvoExifWrite.h"
#include "app/core/KelvoGraphicsRules.h"

namespace {

void CheckLimits(const TKelvoCustomProperties& p) {
    std::size_t bytes = 0;
    for (std::int32_t i = 0; i < p.GetCount(); ++i) bytes += p.GetItem(i).Size();
    if (p.GetCount() > ExifMaxItems || bytes > ExifMaxValueBytes) std::abort();
}

void CheckWritten(const TKelvoCustomProperties& p) {
    for (std::int32_t i = 0; i < p.GetCount(); ++i)
        if (IsThumbnailTag(p.GetItem(i).Id)) std::abort();
    std::uint16_t orientation = 0;
    if (GetOrientation(p, orientation) && orientation != 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TKelvoProperties fromJpeg, fromTiff;
    ReadJpegMetadata(data, size, fromJpeg);
    CheckLimits(fromJpeg);
    const TKelvoMemoryTiffSource source(data, size);
    ReadTiffMetadata(source, true, fromTiff);
    CheckLimits(fromTiff);
    TKelvoJpegMetadata found;
    double x = 0, y = 0;
    if (LocateJpegMetadata(data, size, found)) StatedResolution(&found, fromJpeg, x, y);

    TKelvoFileSplice splice;
    if (PlanJpegExif(data, size, fromTiff, splice)) {
        const std::vector<Byte> saved = ApplySplice(data, size, splice);
        TKelvoProperties back;
        ReadJpegMetadata(saved.data(), saved.size(), back);
        CheckWritten(back);
    }
    if (PlanTiffExif(source, fromJpeg.GetCount() > 0 ? fromJpeg : fromTiff, splice)) {
        const std::vector<Byte> saved = ApplySplice(data, size, splice);
        TKelvoProperties back;
        ReadTiffMetadata(TKelvoMemoryTiffSource(saved.data(), saved.size()), false, back);
        CheckLimits(back);
    }
    return 0;
}
