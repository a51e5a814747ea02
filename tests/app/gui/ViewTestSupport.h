// What the view tests and the paint benchmark share: a view object that paints a working bitmap (only the
// part the clip shows, then kept from everything painted after it), a bitmap with a pattern whose every
// pixel tells where it lies, and a grab of the display.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/core/KelvoViewPaint.h"
#include "app/core/TKelvoBitmap.h"
#include "app/core/TKelvoViewObject.h"
#include "app/win/TKelvoViewCanvas.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/WindowDC.h"
#include "tests/support/ScreenPicture.h"

namespace viewtest {

class TImageObject : public TKelvoViewObject {
public:
    explicit TImageObject(TKelvoBitmap& bitmap) : bitmap_(bitmap) {
        SetFlags(KelvoViewVisible | KelvoViewHasBody | KelvoViewStandalone);
        SetBounds(bitmap.GetBounds());
    }
    int paints = 0;
    TKelvoRect lastClip;
    void PaintBody(TKelvoViewCanvas& canvas) override {
        ++paints;
        TKelvoRect dest;
        GetBodyRect(canvas.MapMode(), dest);
        lastClip = canvas.ClipBox();
        const TKelvoVisiblePart part = VisibleImagePart(bitmap_.GetBounds(), dest, lastClip);
        if (!part.Dest.IsEmpty()) bitmap_.Draw(canvas.MemoryDC(), part.Dest, lastClip, part.Source);
        canvas.ExcludeFromClip(dest);
    }

private:
    TKelvoBitmap& bitmap_;
};

// The colour the pattern has at (x, y): blue and green the low bytes of x and y, red their high parts.
inline COLORREF PatternAt(int x, int y) { return RGB(((x >> 8) * 16 + (y >> 8)) & 0xFF, y & 0xFF, x & 0xFF); }

inline void FillPattern(TKelvoLTBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height, KelvoFormatBGR24);
    TKelvoPixels& p = bitmap.GetPixels();
    for (int y = 0; y < height; ++y) {
        Byte* row = p.Row(y);
        for (int x = 0; x < width; ++x) {
            const COLORREF c = PatternAt(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
}

inline void FillColour(TKelvoLTBitmap& bitmap, int width, int height, COLORREF c) {
    bitmap.SetSize(width, height, KelvoFormatBGR24);
    TKelvoPixels& p = bitmap.GetPixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Byte* px = p.PixelAddress(x, y);
            px[0] = GetBValue(c);
            px[1] = GetGValue(c);
            px[2] = GetRValue(c);
        }
}

// A rectangle of the display as it is now, top-down, one COLORREF a pixel; saved as a 24-bit bitmap file
// when a path is given.
class TScreenShot {
public:
    TScreenShot(RECT screenRect, const std::string& path = {}) : rect_(screenRect) {
        const int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        TWindowDC screen;
        TGdiHandle<HBITMAP> section(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        HDC memory = ::CreateCompatibleDC(screen.Get());
        HGDIOBJ old = ::SelectObject(memory, section.Get());
        TScopeExit release([&] {
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        });
        ::BitBlt(memory, 0, 0, w, h, screen.Get(), rect_.left, rect_.top, SRCCOPY);
        ::GdiFlush();
        const int stride = (w * 3 + 3) / 4 * 4;
        const Byte* b = static_cast<const Byte*>(bits);
        pixels_.resize(std::size_t(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Byte* px = b + std::size_t(y) * stride + 3 * x;
                pixels_[std::size_t(y) * w + x] = RGB(px[2], px[1], px[0]);
            }
        if (!path.empty()) Save(path, b, stride, w, h);
        width_ = w;
        height_ = h;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The colour at a point relative to the grabbed rectangle.
    COLORREF At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

private:
    static void Save(const std::string& path, const Byte* bits, int stride, int w, int h) {
        std::vector<Byte> file(54);
        const std::uint32_t size = std::uint32_t(54 + stride * h);
        auto put32 = [&](std::size_t at, std::uint32_t v) {
            for (int i = 0; i < 4; ++i) file[at + i] = Byte(v >> (8 * i));
        };
        file[0] = 'B';
        file[1] = 'M';
        put32(2, size);
        put32(10, 54);
        put32(14, 40);
        put32(18, std::uint32_t(w));
        put32(22, std::uint32_t(-h));
        file[26] = 1;
        file[28] = 24;
        file.insert(file.end(), bits, bits + std::size_t(stride) * h);
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            std::fwrite(file.data(), 1, file.size(), f);
            std::fclose(f);
        }
    }

    RECT rect_;
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};

using testsupport::ArtifactPath;

}  // namespace viewtest
