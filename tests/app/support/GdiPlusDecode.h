// What a user's own code would do to read a photo through GDI+ alone: the benchmarks' yardstick for the program's
// load path. Create the bitmap from the file, lock it as 24-bit RGB into the caller's buffer, unlock, dispose.
#pragma once
#include <windows.h>

#include <string>

#include "app/core/TKelvoPixelBuffer.h"
#include "app/win/KelvoGdiPlus.h"
#include "classlib/win/WideChars.h"

namespace benchsupport {

inline bool DecodeWithGdiPlus(const std::u16string& name, TKelvoPixelBuffer& into) {
    using namespace Gdiplus;
    GpBitmap* bitmap = nullptr;
    if (DllExports::GdipCreateBitmapFromFile(WideCStr(name), &bitmap) != Ok) return false;
    UINT w = 0, h = 0;
    DllExports::GdipGetImageWidth(bitmap, &w);
    DllExports::GdipGetImageHeight(bitmap, &h);
    into.SetFormatAndBounds(KelvoFormatBGR24, TKelvoRect{0, 0, std::int32_t(w), std::int32_t(h)});
    GpRect rect(0, 0, INT(w), INT(h));
    BitmapData data{};
    data.Width = w;
    data.Height = h;
    data.Stride = into.Stride();
    data.PixelFormat = PixelFormat24bppRGB;
    data.Scan0 = into.Bits();
    const bool ok = DllExports::GdipBitmapLockBits(bitmap, &rect, ImageLockModeRead | ImageLockModeUserInputBuf,
                                                   PixelFormat24bppRGB, &data) == Ok;
    if (ok) DllExports::GdipBitmapUnlockBits(bitmap, &data);
    DllExports::GdipDisposeImage(bitmap);
    return ok;
}

}  // namespace benchsupport
