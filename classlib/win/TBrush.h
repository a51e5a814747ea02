// A brush: solid colour, hatch pattern, a pattern bitmap, or nothing at all (bsClear: shapes are not filled
// and text is drawn without background).
#pragma once
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TGraphicsObject.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
    CLASSLIB_CLASS(TBrush, TGraphicsObject)
public:
    TBrush();
    ~TBrush() override;

    // A solid, hatched or pattern brush; bsClear gives the stock hollow brush.
    HBRUSH Handle();
    bool HandleAllocated() const { return handle_.Allocated(); }

    TColor Color() const { return color_; }
    // Setting a colour on a clear brush makes it solid again.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // The pattern bitmap, not owned: the caller keeps it alive while the brush uses it. Null for none.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap);

    void Assign(TPersistent* source) override;

private:
    void PropertyChanged();

    TColor color_;
    TBrushStyle style_;
    TBitmap* bitmap_ = nullptr;
    TCachedGdiHandle<HBRUSH> handle_;
};
