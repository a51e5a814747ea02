// A rectangle of pixels in memory that someone else owns.
#pragma once
#include <cstdint>

#include "app/core/KelvoGeometry.h"
#include "classlib/core/Types.h"

// Pixel-format codes (16 bits). The program itself uses only these two.
constexpr std::uint16_t KelvoFormatBGR24 = 0x1012;   // 3 bytes per pixel: blue, green, red
constexpr std::uint16_t KelvoFormatBGRA32 = 0x1112;  // 4 bytes per pixel: blue, green, red, alpha

// Bits per pixel of a format code: low four bits give the layout (1 -> 8; 2, 3, 4, 5, 7, 8 -> 24; 6 -> 32;
// else 0), bits 8-11 equal to 1 add 8 bits of alpha, then bits 4-7 equal to 2 or 3 double, 4 quadruples.
int BitsPerPixel(std::uint16_t format);

// The matching GDI+ pixel format: 0x1012 -> 0x21808, 0x1112 -> 0x26200A, others -> 0.
std::uint32_t ToGdiPlusPixelFormat(std::uint16_t format);

// Bytes of one row, padded to 4 bytes: ((bits x width + 31) div 32) x 4. Raises EIntOverflow when it
// does not fit an int32.
std::int32_t PixelRowStride(std::uint16_t format, std::int32_t width);

// Descriptor of pixel memory: Bits() points at the top-left pixel of the rectangle; rows run top-down,
// Stride() bytes apart. The rectangle is in the coordinates of the image it belongs to.
class TKelvoPixels {
public:
    TKelvoPixels() = default;
    virtual ~TKelvoPixels() = default;
    TKelvoPixels(const TKelvoPixels&) = delete;
    TKelvoPixels& operator=(const TKelvoPixels&) = delete;

    // Fills the descriptor; does not take ownership of bits.
    void Init(const TKelvoRect& rect, void* bits, std::uint16_t format, std::int32_t stride);

    Byte* Bits() const { return bits_; }
    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t Stride() const { return stride_; }
    std::uint16_t Format() const { return format_; }
    std::int32_t BytesPerPixel() const { return bytesPerPixel_; }
    // (Left, Top, Left + Width, Top + Height).
    TKelvoRect GetBounds() const;

    // Address of pixel (x, y) in image coordinates. No bounds check: callers stay inside GetBounds().
    Byte* PixelAddress(std::int32_t x, std::int32_t y) const {
        return bits_ + std::intptr_t(x - left_) * bytesPerPixel_ + std::intptr_t(y - top_) * stride_;
    }
    Byte* PixelPtr(std::int32_t x, std::int32_t y) const { return PixelAddress(x, y); }
    // Address of the first pixel of row y (image coordinates).
    Byte* Row(std::int32_t y) const { return bits_ + std::intptr_t(y - top_) * stride_; }

    // Copies the part of source inside sourceRect so that its top-left lands at (x, y); clipped to the
    // source's bounds and then to this rectangle's bounds. Nothing happens when the formats differ.
    void CopyRect(std::int32_t x, std::int32_t y, const TKelvoRect& sourceRect, const TKelvoPixels& source);
    // CopyRect of the source's whole bounds at its own coordinates.
    void CopyFrom(const TKelvoPixels& source);

protected:
    void SetDescriptor(const TKelvoRect& rect, Byte* bits, std::int32_t stride);
    void SetFormat(std::uint16_t format);

private:
    Byte* bits_ = nullptr;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t stride_ = 0;
    std::uint16_t format_ = 0;
    std::int32_t bytesPerPixel_ = 0;
};

// Descriptors over memory owned by a bitmap or by the view canvas.
class TKelvoLTPixels : public TKelvoPixels {};
class TKelvoCanvasPixels : public TKelvoPixels {};
