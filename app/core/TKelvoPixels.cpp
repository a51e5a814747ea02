#include "app/core/TKelvoPixels.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/Checked.h"
#include "classlib/core/PixelPlumbing.h"

int BitsPerPixel(std::uint16_t format) {
    int bits;
    switch (format & 0x0F) {
        case 1: bits = 8; break;
        case 2:
        case 3:
        case 4:
        case 5:
        case 7:
        case 8: bits = 24; break;
        case 6: bits = 32; break;
        default: bits = 0; break;
    }
    // Alpha first, then the multiplier: 0x1112 is 24 + 8 = 32.
    if (((format >> 8) & 0x0F) == 1) bits += 8;
    switch ((format >> 4) & 0x0F) {
        case 2:
        case 3: bits *= 2; break;
        case 4: bits *= 4; break;
        default: break;
    }
    return bits;
}

std::uint32_t ToGdiPlusPixelFormat(std::uint16_t format) {
    if (format == KelvoFormatBGR24) return 0x21808;
    if (format == KelvoFormatBGRA32) return 0x26200A;
    return 0;
}

std::int32_t PixelRowStride(std::uint16_t format, std::int32_t width) {
    if (width < 0) RaiseRangeError(width, 0);
    return CheckedCast<std::int32_t>(DibRowBytes(std::uint64_t(width), std::uint64_t(BitsPerPixel(format))));
}

void TKelvoPixels::Init(const TKelvoRect& rect, void* bits, std::uint16_t format, std::int32_t stride) {
    SetFormat(format);
    SetDescriptor(rect, static_cast<Byte*>(bits), stride);
}

TKelvoRect TKelvoPixels::GetBounds() const { return TKelvoRect{left_, top_, left_ + width_, top_ + height_}; }

void TKelvoPixels::SetDescriptor(const TKelvoRect& rect, Byte* bits, std::int32_t stride) {
    bits_ = bits;
    left_ = rect.Left;
    top_ = rect.Top;
    width_ = CheckedCast<std::int32_t>(std::max<std::int64_t>(rect.Width(), 0));
    height_ = CheckedCast<std::int32_t>(std::max<std::int64_t>(rect.Height(), 0));
    stride_ = stride;
}

void TKelvoPixels::SetFormat(std::uint16_t format) {
    format_ = format;
    bytesPerPixel_ = BitsPerPixel(format) / 8;
}

void TKelvoPixels::CopyRect(std::int32_t x, std::int32_t y, const TKelvoRect& sourceRect, const TKelvoPixels& source) {
    if (source.Format() != format_ || bits_ == nullptr || source.Bits() == nullptr) return;
    // Clip to the source first, then move to the destination position and clip to our bounds.
    const TKelvoRect src = IntersectRects(sourceRect, source.GetBounds());
    if (src.IsEmpty()) return;
    const std::int64_t dx = std::int64_t(x) + (std::int64_t(src.Left) - sourceRect.Left);
    const std::int64_t dy = std::int64_t(y) + (std::int64_t(src.Top) - sourceRect.Top);
    const TKelvoRect own = GetBounds();
    const std::int64_t left = std::max<std::int64_t>(dx, own.Left);
    const std::int64_t top = std::max<std::int64_t>(dy, own.Top);
    const std::int64_t right = std::min<std::int64_t>(dx + src.Width(), own.Right);
    const std::int64_t bottom = std::min<std::int64_t>(dy + src.Height(), own.Bottom);
    if (right <= left || bottom <= top) return;
    const std::int32_t sx = std::int32_t(src.Left + (left - dx));
    const std::int32_t sy = std::int32_t(src.Top + (top - dy));
    const std::size_t rowBytes = std::size_t(right - left) * std::size_t(bytesPerPixel_);
    for (std::int64_t row = 0; row < bottom - top; ++row) {
        // memmove: source and destination may be the same memory.
        std::memmove(PixelAddress(std::int32_t(left), std::int32_t(top + row)),
                     source.PixelAddress(sx, std::int32_t(sy + row)), rowBytes);
    }
}

void TKelvoPixels::CopyFrom(const TKelvoPixels& source) {
    const TKelvoRect b = source.GetBounds();
    CopyRect(b.Left, b.Top, b, source);
}
