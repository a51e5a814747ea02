#include "app/win/KelvoEncoders.h"

#include <algorithm>
#include <vector>

// The GDI+ headers use unqualified min and max, which Win32.h switches off as macros.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace {

// Keeps GDI+ started for the duration of one look-up; starts nest, so a caller's own start is unaffected.
class GdiPlusSession {
public:
    GdiPlusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiPlusSession() {
        if (ok_) Gdiplus::GdiplusShutdown(token_);
    }
    bool Ok() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

}  // namespace

int GetEncoderClsid(const std::u16string& mimeType, CLSID& clsid) {
    GdiPlusSession session;
    if (!session.Ok()) return -1;
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
        if (mime != nullptr && mimeType == reinterpret_cast<const char16_t*>(mime)) {
            found = int(i);
            clsid = codecs[i].Clsid;
        }
    }
    return found;
}
