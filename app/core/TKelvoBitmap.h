// The program's working image: 24-bit BGR (or 32-bit BGRA) pixels in a block of its own memory, wrapped in a
// handle of the imaging layer so that it can be painted and printed. Geometry operations build a new block and
// swap it in; when the new block cannot be made (no memory, a size that does not fit) they answer false and the
// bitmap keeps its old pixels.
#pragma once
#include <cstdint>
#include <memory>

#include "app/core/KelvoGeometry.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "app/core/TKelvoPixels.h"
#include "imaging/core/LBitmap.h"

class TKelvoBitmap {
public:
    virtual ~TKelvoBitmap() = default;
    virtual std::int32_t GetWidth() const = 0;
    virtual std::int32_t GetHeight() const = 0;
    virtual TKelvoPixels& GetPixels() = 0;
    // Paints source (bitmap coordinates) stretched onto dest, only inside destClip.
    virtual bool Draw(TLDeviceContext dc, const TKelvoRect& dest, const TKelvoRect& destClip,
                      const TKelvoRect& source) = 0;
    virtual bool Print(TLDeviceContext dc, const TKelvoRect& rect) = 0;
    // (0, 0, width, height).
    TKelvoRect GetBounds() const { return TKelvoRect{0, 0, GetWidth(), GetHeight()}; }
};

class TKelvoLTBitmap : public TKelvoBitmap {
public:
    // An empty 24-bit bitmap (0 x 0).
    TKelvoLTBitmap();
    ~TKelvoLTBitmap() override;
    TKelvoLTBitmap(const TKelvoLTBitmap&) = delete;
    TKelvoLTBitmap& operator=(const TKelvoLTBitmap&) = delete;

    std::int32_t GetWidth() const override { return pixels_.Width(); }
    std::int32_t GetHeight() const override { return pixels_.Height(); }
    std::uint16_t GetFormat() const { return pixels_.Format(); }
    TKelvoPixels& GetPixels() override { return pixels_; }
    const TKelvoPixels& GetPixels() const { return pixels_; }
    const TLBitmapHandle& Handle() const { return handle_; }

    bool Draw(TLDeviceContext dc, const TKelvoRect& dest, const TKelvoRect& destClip,
              const TKelvoRect& source) override;
    bool Print(TLDeviceContext dc, const TKelvoRect& rect) override;

    // A new zero-filled block of width x height in format (0x1012 or 0x1112). A 0 x 0 size empties the bitmap.
    bool SetSize(std::int32_t width, std::int32_t height, std::uint16_t format);
    // A copy of the same size, format and pixels; null when its block cannot be made.
    std::unique_ptr<TKelvoLTBitmap> Clone() const;
    // Takes the source's size, format and pixels (the source's rectangle lands at (0, 0)).
    bool Assign(const TKelvoPixels& source);
    // The buffer takes the bitmap's format, bounds and pixels. Raises EOutOfMemory when it cannot.
    static void CopyBitmapToPixels(const TKelvoLTBitmap& bitmap, TKelvoPixelBuffer& buffer);

    // rect intersected with the bounds; false when that is empty.
    bool Crop(const TKelvoRect& rect);
    // Mirrors and quarter turns; 24-bit only (else false). Left: (x, y) -> (y, W - 1 - x); right:
    // (x, y) -> (H - 1 - y, x).
    bool FlipHorizontal();
    bool FlipVertical();
    bool RotateLeft();
    bool RotateRight();
    // Lanczos (radius 3) resampling of the whole image onto width x height; 24-bit only, sizes above 0.
    bool Resize(std::int32_t width, std::int32_t height);

    // Frees the handle and the memory: the bitmap is 0 x 0 afterwards.
    void FreeBitmap();

private:
    // Wraps fresh in a new handle and swaps it in for the current block; false (nothing changed) when the
    // handle cannot be made.
    bool Adopt(TKelvoPixelBuffer& fresh);
    void Describe();

    TKelvoPixelBuffer block_;
    TLBitmapHandle handle_;
    TKelvoLTPixels pixels_;
};
