// A bitmap held as a DIB section: its pixels can be reached directly (ScanLine) and drawn through its
// canvas, which keeps the bitmap selected into a memory DC while it is in use.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TGraphic.h"

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor as set.
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap;
struct TDibImage;
class TResourceId;

// The canvas of a bitmap: a memory DC with the bitmap selected, made when first needed and given up when
// the bitmap's handle changes.
class TBitmapCanvas : public TCanvas {
    CLASSLIB_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* bitmap);
    ~TBitmapCanvas() override;
    // Releases the memory DC (the bitmap stays); the next drawing call makes a new one.
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap* bitmap_;
    TMemoryDC memoryDc_;
};

class TBitmap : public TGraphic {
    CLASSLIB_GRAPHIC(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    void Draw(TCanvas* canvas, const TRect& rect) override;
    bool Empty() const override { return width_ == 0 || height_ == 0; }
    int Width() const override { return width_; }
    void SetWidth(int width) override;
    int Height() const override { return height_; }
    void SetHeight(int height) override;
    // Both at once (keeps the part of the picture that still fits).
    void SetSize(int width, int height);

    // pf24bit by default. Changing it converts the pixels.
    TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TPixelFormat format);
    // Bits per pixel of the DIB section behind the format (pfDevice: the screen's, 32 when it has more
    // than 8).
    int BitsPerPixel() const;
    // Bytes per row of the DIB section (4-byte aligned).
    int RowBytes() const;
    // The first byte of row y (0 = top). Raises EInvalidGraphic "Scan line index out of range" outside
    // 0..Height-1 and for an empty bitmap.
    void* ScanLine(int y);

    // The canvas (made on first use). Drawing on it marks the bitmap changed.
    TCanvas* Canvas();
    // The DIB section; an empty bitmap has none (0).
    HBITMAP Handle();
    bool HandleAllocated() const { return static_cast<bool>(bitmap_); }
    // Takes ownership of bitmap (0 empties the bitmap). A device-dependent bitmap is copied into a DIB
    // section of the same depth and freed.
    void SetHandle(HBITMAP bitmap);
    // Hands the DIB section to the caller, who frees it; the bitmap is empty afterwards.
    HBITMAP ReleaseHandle();
    // The palette entries of a 1-, 4- or 8-bit bitmap (0x00RRGGBB), empty for the others.
    std::vector<std::uint32_t> Palette() const { return palette_; }

    // An RT_BITMAP resource of the module (0: the program). Raises EResNotFound when there is none.
    void LoadFromResourceName(HINSTANCE instance, const AnsiString& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    // Windows bitmap files (1, 4, 8, 24 and 32 bits). A malformed file raises EInvalidGraphic and leaves
    // the bitmap as it was.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

    // Copies another bitmap (pixels, format, palette, transparency) or draws any other graphic; null empties.
    void Assign(TPersistent* source) override;

    TColor TransparentColor();
    void SetTransparentColor(TColor color);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);

private:
    friend class TBitmapCanvas;
    void CanvasChanged(TObject* sender);
    // Makes a new DIB section of the given size and format and copies what fits of the old picture.
    void Recreate(int width, int height, TPixelFormat format);
    void AdoptDib(HBITMAP dib, int width, int height, TPixelFormat format, std::vector<std::uint32_t> palette);
    void FreeCanvasContext();
    void LoadDib(const TDibImage& image);
    void LoadFromResource(HINSTANCE instance, const TResourceId& id);

    TGdiHandle<HBITMAP> bitmap_;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat pixelFormat_ = pf24bit;
    std::vector<std::uint32_t> palette_;
    TObjectPtr<TBitmapCanvas> canvas_;
    TColor transparentColor_ = clDefault;
    TTransparentMode transparentMode_ = tmAuto;
};
