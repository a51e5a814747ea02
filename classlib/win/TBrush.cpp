#include "classlib/win/TBrush.h"

#include "classlib/win/TBitmap.h"

namespace {
int HatchOf(TBrushStyle style) {
    switch (style) {
        case bsHorizontal: return HS_HORIZONTAL;
        case bsVertical: return HS_VERTICAL;
        case bsFDiagonal: return HS_FDIAGONAL;
        case bsBDiagonal: return HS_BDIAGONAL;
        case bsCross: return HS_CROSS;
        default: return HS_DIAGCROSS;
    }
}
}  // namespace

TBrush::TBrush() : color_(clWhite), style_(bsSolid) {}

TBrush::~TBrush() = default;

HBRUSH TBrush::Handle() {
    return handle_.Get([this]() -> HBRUSH {
        COLORREF rgb = static_cast<COLORREF>(ColorToRGB(color_));
        if (bitmap_ && !bitmap_->Empty()) return ::CreatePatternBrush(bitmap_->Handle());
        if (style_ == bsSolid) return ::CreateSolidBrush(rgb);
        if (style_ == bsClear) {
            LOGBRUSH lb{BS_HOLLOW, 0, 0};
            return ::CreateBrushIndirect(&lb);
        }
        return ::CreateHatchBrush(HatchOf(style_), rgb);
    });
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ != bsClear) return;
    color_ = color;
    if (style_ == bsClear) style_ = bsSolid;
    PropertyChanged();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    PropertyChanged();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    bitmap_ = bitmap;
    PropertyChanged();
}

void TBrush::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBrush*>(source)) {
        if (other == this) return;
        color_ = other->color_;
        style_ = other->style_;
        bitmap_ = other->bitmap_;
        PropertyChanged();
        return;
    }
    inherited::Assign(source);
}

void TBrush::PropertyChanged() {
    handle_.Invalidate();
    Changed();
}
