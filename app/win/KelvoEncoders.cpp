#include "app/win/KelvoEncoders.h"

#include <algorithm>
#include <vector>

#include "app/win/KelvoGdiPlus.h"
#include "classlib/win/WideChars.h"

int GetEncoderClsid(const std::u16string& mimeType, CLSID& clsid) {
    TKelvoGdiPlusUser gdiplus;
    if (!gdiplus.Use()) return -1;
    UINT count = 0, size = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 ||
        size < count * sizeof(Gdiplus::ImageCodecInfo))
        return -1;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return -1;
    int found = -1;
    for (UINT i = 0; i < count; ++i) {
        const WCHAR* mime = codecs[i].MimeType;
        if (mime != nullptr && mimeType == FromWideChars(mime)) {
            found = int(i);
            clsid = codecs[i].Clsid;
        }
    }
    return found;
}
