// The display saved as a 24-bit bitmap file in the build tree's artifacts folder and read back byte by
// byte, so that a check of its pixels does not rely on the code that drew or wrote it.
#pragma once
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "classlib/win/TBitmap.h"
#include "classlib/win/WindowDC.h"

namespace testsupport {

// The folder "artifacts" beside the folder of this program (made when missing).
inline std::string ArtifactPath(const char* name) {
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe);
    dir.resize(dir.find_last_of("\\/"));
    dir.resize(dir.find_last_of("\\/") + 1);
    dir += "artifacts";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name;
}

// The pixels of a rectangle of the device context, as 32-bit values row after row.
inline std::vector<std::uint32_t> CopyPixels(HDC source, int x, int y, int w, int h) {
    TObjectPtr<TBitmap> copy = MakeObject<TBitmap>();
    copy->SetPixelFormat(pf32bit);
    copy->SetSize(w, h);
    ::BitBlt(copy->Canvas()->Handle(), 0, 0, w, h, source, x, y, SRCCOPY);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(w) * h);
    for (int row = 0; row < h; ++row) {
        const auto* line = static_cast<const std::uint32_t*>(copy->ScanLine(row));
        pixels.insert(pixels.end(), line, line + w);
    }
    return pixels;
}

// How many pixels of the window (its part on the screen) the display shows otherwise than the window has drawn
// them, or -1 while the window is hidden. Wine copies what a window draws to the display a little later, while
// its thread waits for messages, so a test that grabs the display waits for 0 first; the window must not be
// covered by another.
inline long ScreenDifference(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const int left = std::max<int>(r.left, 0), top = std::max<int>(r.top, 0);
    const int w = std::min<int>(r.right, ::GetSystemMetrics(SM_CXSCREEN)) - left;
    const int h = std::min<int>(r.bottom, ::GetSystemMetrics(SM_CYSCREEN)) - top;
    if (w <= 0 || h <= 0 || !::IsWindowVisible(window)) return -1;
    const TWindowDC screen;
    const TWindowDC own(window, true);
    const std::vector<std::uint32_t> shown = CopyPixels(screen.Get(), left, top, w, h);
    const std::vector<std::uint32_t> drawn = CopyPixels(own.Get(), left - r.left, top - r.top, w, h);
    long differ = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) differ += shown[i] != drawn[i];
    return differ;
}
inline bool ScreenShows(HWND window) { return ScreenDifference(window) == 0; }

// Saves what the display shows now as a 24-bit bitmap file.
inline void SaveScreen(const std::string& path) {
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    TObjectPtr<TBitmap> shot = MakeObject<TBitmap>();
    shot->SetPixelFormat(pf24bit);
    shot->SetSize(w, h);
    const TWindowDC screen;
    ::BitBlt(shot->Canvas()->Handle(), 0, 0, w, h, screen.Get(), 0, 0, SRCCOPY);
    shot->SaveToFile(path);
}

class SavedPicture {
public:
    explicit SavedPicture(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (bytes_.size() < 54 || bytes_[0] != 'B' || bytes_[1] != 'M' || Read16(28) != 24) return;
        offset_ = Read32(10);
        width_ = static_cast<int>(Read32(18));
        const auto height = static_cast<std::int32_t>(Read32(22));
        topDown_ = height < 0;
        height_ = topDown_ ? -height : height;
        stride_ = (static_cast<std::size_t>(width_) * 3 + 3) / 4 * 4;
        if (width_ <= 0 || offset_ + stride_ * static_cast<std::size_t>(height_) > bytes_.size()) width_ = height_ = 0;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const {
        const std::size_t row = static_cast<std::size_t>(topDown_ ? y : height_ - 1 - y);
        const std::size_t at = offset_ + row * stride_ + static_cast<std::size_t>(x) * 3;
        return RGB(bytes_[at + 2], bytes_[at + 1], bytes_[at]);
    }
    // How many different colours a screen rectangle (clipped to the picture) holds.
    std::size_t Colours(RECT r) const {
        std::vector<COLORREF> seen;
        ForEach(r, [&](COLORREF c) {
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
        });
        return seen.size();
    }
    // Pixels of a screen rectangle (clipped to the picture) that have the colour.
    long Matching(RECT r, COLORREF colour) const {
        long count = 0;
        ForEach(r, [&](COLORREF c) { count += c == colour; });
        return count;
    }
    // Pixels of the rectangle that differ from the colour.
    long Differing(RECT r, COLORREF colour) const {
        long count = 0;
        ForEach(r, [&](COLORREF c) { count += c != colour; });
        return count;
    }

private:
    template <class F>
    void ForEach(RECT r, F&& f) const {
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, height_); ++y)
            for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, width_); ++x) f(Pixel(x, y));
    }
    std::uint32_t Read16(std::size_t at) const { return bytes_[at] | bytes_[at + 1] << 8; }
    std::uint32_t Read32(std::size_t at) const { return Read16(at) | Read16(at + 2) << 16; }

    std::vector<std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    std::size_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool topDown_ = false;
};

}  // namespace testsupport
