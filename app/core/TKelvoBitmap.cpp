#include "app/core/TKelvoBitmap.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/KelvoResample.h"
#include "app/core/TPixelResampler.h"
#include "classlib/core/Exceptions.h"

namespace {

TRect ToTRect(const TKelvoRect& r) { return TRect{r.Left, r.Top, r.Right, r.Bottom}; }

// A new block of the size and format, or false when it cannot be had (no memory, a size that does not fit).
bool MakeBlock(TKelvoPixelBuffer& block, std::uint16_t format, std::int32_t width, std::int32_t height) {
    if (width < 0 || height < 0 || BitsPerPixel(format) == 0) return false;
    try {
        block.SetFormatAndBounds(format, TKelvoRect{0, 0, width, height});
    } catch (const Exception&) {
        return false;
    }
    return true;
}

// Runs a pixel operation that writes a new block; its failure to allocate is a false answer.
template <class Op>
bool BuildBlock(TKelvoPixelBuffer& fresh, Op op) {
    try {
        return op(fresh);
    } catch (const Exception&) {
        return false;
    }
}

// Copies the source's rows into a fresh block of its size at (0, 0). A fresh block's pages are first touched
// here, and the system's work of making them (more than the copy itself on a 24-megapixel image) runs on
// several processors at once for large images.
void CopyIntoFresh(TKelvoPixelBuffer& fresh, const TKelvoPixels& source) {
    constexpr std::int64_t ParallelBytes = std::int64_t(16) << 20;
    const std::size_t rowBytes = std::size_t(source.Width()) * std::size_t(source.BytesPerPixel());
    const auto copyRows = [&](std::int32_t from, std::int32_t to) {
        for (std::int32_t y = from; y < to; ++y)
            std::memcpy(fresh.Bits() + std::intptr_t(y) * fresh.Stride(),
                        source.Bits() + std::intptr_t(y) * source.Stride(), rowBytes);
    };
    const std::int32_t height = source.Height();
    const unsigned workers =
        fresh.MemorySize() < ParallelBytes ? 1 : std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> threads;
    const std::int32_t band = (height + std::int32_t(workers) - 1) / std::int32_t(workers);
    for (unsigned i = 1; i < workers; ++i) {
        const std::int32_t from = std::min(height, std::int32_t(i) * band), to = std::min(height, from + band);
        try {
            threads.emplace_back(copyRows, from, to);
        } catch (const std::system_error&) {
            copyRows(from, to);  // no thread to be had: this one does that band too
        }
    }
    copyRows(0, std::min(height, band));
    for (std::thread& t : threads) t.join();
}

}  // namespace

TKelvoLTBitmap::TKelvoLTBitmap() { Describe(); }

TKelvoLTBitmap::~TKelvoLTBitmap() { L_FreeBitmap(&handle_); }

void TKelvoLTBitmap::Describe() { pixels_.Init(block_.GetBounds(), block_.Bits(), block_.Format(), block_.Stride()); }

bool TKelvoLTBitmap::Adopt(TKelvoPixelBuffer& fresh) {
    TLBitmapHandle handle;
    if (fresh.Width() > 0 && fresh.Height() > 0 &&
        L_CreateBitmap(&handle, L_MEMORY_USER, fresh.Width(), fresh.Height(), BitsPerPixel(fresh.Format()), 0, nullptr,
                       0, fresh.Bits(), std::size_t(fresh.MemorySize())) != L_SUCCESS)
        return false;
    L_FreeBitmap(&handle_);
    handle_ = handle;
    block_.Swap(fresh);
    fresh.Clear();
    Describe();
    return true;
}

bool TKelvoLTBitmap::Draw(TLDeviceContext dc, const TKelvoRect& dest, const TKelvoRect& destClip,
                          const TKelvoRect& source) {
    const TRect s = ToTRect(source), d = ToTRect(dest), c = ToTRect(destClip);
    return L_PaintDC(dc, &handle_, &s, nullptr, &d, &c, L_SRCCOPY) == L_SUCCESS;
}

bool TKelvoLTBitmap::Print(TLDeviceContext dc, const TKelvoRect& rect) {
    if (rect.Width() > INT32_MAX || rect.Height() > INT32_MAX) return false;
    return L_PrintBitmapExt(dc, &handle_, rect.Left, rect.Top, std::int32_t(rect.Width()), std::int32_t(rect.Height()),
                            0) == L_SUCCESS;
}

bool TKelvoLTBitmap::SetSize(std::int32_t width, std::int32_t height, std::uint16_t format) {
    TKelvoPixelBuffer fresh;
    return MakeBlock(fresh, format, width, height) && Adopt(fresh);
}

std::unique_ptr<TKelvoLTBitmap> TKelvoLTBitmap::Clone() const {
    auto copy = std::make_unique<TKelvoLTBitmap>();
    if (!copy->Assign(pixels_)) return nullptr;
    return copy;
}

bool TKelvoLTBitmap::Assign(const TKelvoPixels& source) {
    TKelvoPixelBuffer fresh;
    if (!MakeBlock(fresh, source.Format(), source.Width(), source.Height())) return false;
    if (fresh.Bits() != nullptr) CopyIntoFresh(fresh, source);
    return Adopt(fresh);
}

void TKelvoLTBitmap::CopyBitmapToPixels(const TKelvoLTBitmap& bitmap, TKelvoPixelBuffer& buffer) {
    buffer.SetFormatAndBounds(bitmap.GetFormat(), bitmap.GetBounds());
    buffer.CopyFrom(bitmap.pixels_);
}

bool TKelvoLTBitmap::Crop(const TKelvoRect& rect) {
    const TKelvoRect part = IntersectRects(rect, GetBounds());
    if (part.IsEmpty()) return false;
    TKelvoPixelBuffer fresh;
    if (!MakeBlock(fresh, GetFormat(), std::int32_t(part.Width()), std::int32_t(part.Height()))) return false;
    fresh.CopyRect(0, 0, part, pixels_);
    return Adopt(fresh);
}

bool TKelvoLTBitmap::FlipHorizontal() {
    TKelvoPixelBuffer fresh;
    return BuildBlock(fresh, [&](TKelvoPixelBuffer& b) { return FlipPixelsHorizontal(pixels_, b); }) && Adopt(fresh);
}

bool TKelvoLTBitmap::FlipVertical() {
    TKelvoPixelBuffer fresh;
    return BuildBlock(fresh, [&](TKelvoPixelBuffer& b) { return FlipPixelsVertical(pixels_, b); }) && Adopt(fresh);
}

bool TKelvoLTBitmap::RotateLeft() {
    TKelvoPixelBuffer fresh;
    return BuildBlock(fresh, [&](TKelvoPixelBuffer& b) { return RotatePixelsLeft(pixels_, b); }) && Adopt(fresh);
}

bool TKelvoLTBitmap::RotateRight() {
    TKelvoPixelBuffer fresh;
    return BuildBlock(fresh, [&](TKelvoPixelBuffer& b) { return RotatePixelsRight(pixels_, b); }) && Adopt(fresh);
}

bool TKelvoLTBitmap::Resize(std::int32_t width, std::int32_t height) {
    // The resampler works on 24-bit pixels only.
    if (GetFormat() != KelvoFormatBGR24 || width <= 0 || height <= 0) return false;
    TKelvoPixelBuffer fresh;
    if (!MakeBlock(fresh, KelvoFormatBGR24, width, height)) return false;
    const TKelvoRect whole = fresh.GetBounds();
    if (GetWidth() > 0 && GetHeight() > 0) {
        TLanczosResampler lanczos(3.0);
        Resample(fresh, whole, whole, lanczos, GetBounds(), pixels_);
    }
    return Adopt(fresh);
}

void TKelvoLTBitmap::FreeBitmap() {
    L_FreeBitmap(&handle_);
    block_.Clear();
    Describe();
}
