// A 32-bit memory surface for drawing tests: a DIB section selected into a memory DC, read back by pixel.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>

#include "classlib/win/GdiHandle.h"

namespace graphicstest {

class Surface {
public:
    Surface(int width, int height, COLORREF background = RGB(255, 255, 255)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        dc_ = ::CreateCompatibleDC(nullptr);
        old_ = ::SelectObject(dc_, bitmap_.Get());
        Fill(background);
    }
    ~Surface() {
        ::SelectObject(dc_, old_);
        ::DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC Dc() const { return dc_; }
    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        std::uint32_t v = bits_[y * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void Fill(COLORREF color) {
        ::GdiFlush();
        std::uint32_t v = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = v;
    }
    int CountOf(COLORREF color) const {
        int n = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) n += At(x, y) == color;
        return n;
    }

private:
    int width_, height_;
    TGdiHandle<HBITMAP> bitmap_;
    std::uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

}  // namespace graphicstest
