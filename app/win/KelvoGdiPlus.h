// GDI+ for the image formats: a share of the running library, and owners of its images.
//
//   TKelvoGdiPlusUser gdiplus;        // holds nothing yet
//   if (!gdiplus.Use()) return false; // the first share in use starts GDI+
//   TGdipImage image;
//   GdipLoadImageFromFile(name, image.Out());
//   ...                               // the image is disposed first, then the last share shuts GDI+ down
//
// GDI+ runs while any share is in use and is shut down when the last share in use is freed: never from a
// static destructor, and never while an image of a share's owner still lives (owners free their images first).
#pragma once
#include <algorithm>
#include <atomic>
#include <cstdint>

#include "classlib/win/Win32.h"

// The GDI+ headers use unqualified min and max, which Win32.h switches off as macros.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

class TKelvoGdiPlusUser {
public:
    TKelvoGdiPlusUser() = default;
    ~TKelvoGdiPlusUser();
    TKelvoGdiPlusUser(const TKelvoGdiPlusUser&) = delete;
    TKelvoGdiPlusUser& operator=(const TKelvoGdiPlusUser&) = delete;

    // Takes this object's share on its first call (starting GDI+ when no other share is in use); true while
    // GDI+ runs. Safe from any thread.
    bool Use();
    // Shares in use right now, and whether GDI+ is started (for tests and diagnostics).
    static std::int32_t SharesInUse();

private:
    std::atomic<bool> held_{false};
};

// Owns a GDI+ image (or bitmap) and, for an image decoded from memory, the stream it reads from: GDI+ may
// read the stream until the image is disposed.
class TGdipImage {
public:
    TGdipImage() = default;
    ~TGdipImage() { Reset(); }
    TGdipImage(const TGdipImage&) = delete;
    TGdipImage& operator=(const TGdipImage&) = delete;

    Gdiplus::GpImage* Get() const { return image_; }
    Gdiplus::GpBitmap* Bitmap() const { return static_cast<Gdiplus::GpBitmap*>(image_); }
    explicit operator bool() const { return image_ != nullptr; }
    // Where a GDI+ call puts a new image; the old one is disposed first.
    Gdiplus::GpImage** Out() {
        Reset();
        return &image_;
    }
    Gdiplus::GpBitmap** BitmapOut() { return reinterpret_cast<Gdiplus::GpBitmap**>(Out()); }
    // The stream the image is decoded from; released after the image.
    void HoldStream(IStream* stream) { stream_ = stream; }
    void Reset();

private:
    Gdiplus::GpImage* image_ = nullptr;
    IStream* stream_ = nullptr;
};
