// A 32-bit top-down device-independent bitmap with per-pixel alpha and a memory drawing context of its own.
// Pixels are 0xAARRGGBB (in memory blue, green, red, alpha) with straight alpha; rows follow each other
// without gaps.
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/TObject.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"

class TColorEffects;

// StretchDraw flags: compose with alpha (low byte 1) and use the resampler (a non-zero mode in bits 8-11).
enum : unsigned { sdAlpha = 0x01, sdResample = 0x100 };

class TDIB32 : public TObject {
    CLASSLIB_CLASS(TDIB32, TObject)
public:
    TDIB32();
    ~TDIB32() override;
    TDIB32(const TDIB32&) = delete;
    TDIB32& operator=(const TDIB32&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    TRect Bounds() const { return TRect(0, 0, width_, height_); }
    HBITMAP Handle() const { return section_.Get(); }
    HDC DC() const { return dc_.Get(); }
    // The pixels (null when empty), after any pending system drawing into them has finished.
    std::uint32_t* Pixels();
    std::uint32_t* Row(int y) { return Pixels() + std::size_t(y) * std::size_t(width_); }

    // Negative sizes count as 0. A change replaces the section (raising the system error when it cannot be
    // made, leaving the bitmap empty); keepContent copies the old pixels back at (0, 0).
    void SetSize(int width, int height, bool keepContent = false);
    void Fill(std::uint32_t value);
    // The rectangle clipped to the bounds, each pixel set to value.
    void FillRect(const TRect& rect, std::uint32_t value);

    // Copies another bitmap's size and pixels; null empties this one.
    virtual void Assign(const TDIB32* source);
    // Moves section, context and pixels into a new bitmap; this one is left empty.
    TObjectPtr<TDIB32> Clone();
    // Takes source's section, context and pixels (freeing its own first); source is left empty. Raises
    // EDIB32Error "Invalid parameters" for a null source or this bitmap itself.
    void TakeOver(TDIB32* source);

    // Plain copies into a context (SRCCOPY, no alpha): the whole bitmap stretched into target, a source
    // rectangle at (x, y) in its own size, or a source rectangle stretched into target.
    void Draw(HDC dc, const TRect& target) const;
    void Draw(HDC dc, int x, int y, const TRect& source) const;
    void Draw(HDC dc, const TRect& target, const TRect& source) const;

    // Copies source (clipped to both bitmaps) into target at (x, y); with exchange the two swap the pixels.
    void CopyRect(TDIB32* target, int x, int y, const TRect& source, bool exchange = false);
    // Composes source over target at (x, y) at a constant alpha (0 does nothing).
    void AlphaCompose(TDIB32* target, int x, int y, const TRect& source, unsigned constantAlpha);

    // Composes source over the context at (x, y), clipped to its clip box, at a constant alpha.
    void AlphaDraw(HDC dc, int x, int y, const TRect& source, unsigned constantAlpha = 255);
    // The same with each source pixel passed through the effects first.
    void DrawWithEffects(HDC dc, int x, int y, const TColorEffects& effects, const TRect& source);
    // The embossed disabled form: the darker pixels in the button-highlight colour one pixel down and right,
    // then in the button-shadow colour in place.
    void DrawDisabled(HDC dc, int x, int y, const TRect& source);
    // source drawn into target: flags sdAlpha composes, sdResample (or any mode in bits 8-11) resamples
    // instead of letting the system stretch.
    void StretchDraw(HDC dc, const TRect& target, unsigned flags, const TRect& source);
    // Resamples source into the target bitmap's target rectangle; with compose the result is blended over it.
    void ResampleInto(TDIB32* target, const TRect& targetRect, const TRect& source, bool compose);

    // One image of a system image list drawn into rect. With deriveAlpha it is drawn on black and on white
    // and the alpha recovered from the difference.
    void LoadFromImageList(HIMAGELIST list, int index, bool deriveAlpha, const TRect& rect);
    // An icon (or a cursor with its hot spot) of the whole bitmap, which the caller destroys; null when empty.
    HICON MakeIcon(bool icon = true, int hotX = 0, int hotY = 0);

private:
    void Release();
    // Runs op(sourceRow, targetRow, count) over the area the source covers at (x, y) inside the context's
    // clip box, the target pixels read from and written back to the context through a scratch bitmap.
    template <class RowOp>
    void ComposeIntoDC(HDC dc, int x, int y, const TRect& source, RowOp op);

    int width_ = 0;
    int height_ = 0;
    std::uint32_t* bits_ = nullptr;
    TGdiHandle<HBITMAP> section_;
    TMemoryDC dc_;
};
