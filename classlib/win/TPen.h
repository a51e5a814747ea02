// A pen: colour, width, line style and the raster operation lines are drawn with.
#pragma once
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TGraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// The binary raster operations of SetROP2, in their order there (pmBlack = R2_BLACK ... pmWhite = R2_WHITE).
enum TPenMode {
    pmBlack,
    pmNotMerge,
    pmMaskNotPen,
    pmNotCopy,
    pmMaskPenNot,
    pmNot,
    pmXor,
    pmNotMask,
    pmMask,
    pmNotXor,
    pmNop,
    pmMergeNotPen,
    pmCopy,
    pmMergePenNot,
    pmMerge,
    pmWhite
};

class TPen : public TGraphicsObject {
    CLASSLIB_CLASS(TPen, TGraphicsObject)
public:
    TPen();
    ~TPen() override;

    HPEN Handle();
    bool HandleAllocated() const { return handle_.Allocated(); }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    // Widths below 1 are drawn as 1.
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    // The raster operation is a DC setting, not part of the pen handle; a canvas applies it with the pen.
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode);
    // The SetROP2 code of Mode.
    int Rop2() const { return static_cast<int>(mode_) + 1; }

    void Assign(TPersistent* source) override;

private:
    void PropertyChanged(bool handleChanges);

    TColor color_;
    int width_;
    TPenStyle style_;
    TPenMode mode_;
    TCachedGdiHandle<HPEN> handle_;
};
