#include "classlib/win/TPen.h"

namespace {
int PenStyleToSystem(TPenStyle style) {
    switch (style) {
        case psDash: return PS_DASH;
        case psDot: return PS_DOT;
        case psDashDot: return PS_DASHDOT;
        case psDashDotDot: return PS_DASHDOTDOT;
        case psClear: return PS_NULL;
        case psInsideFrame: return PS_INSIDEFRAME;
        default: return PS_SOLID;
    }
}
}  // namespace

TPen::TPen() : color_(clBlack), width_(1), style_(psSolid), mode_(pmCopy) {}

TPen::~TPen() = default;

HPEN TPen::Handle() {
    return handle_.Get(
        [this] { return ::CreatePen(PenStyleToSystem(style_), width_, static_cast<COLORREF>(ColorToRGB(color_))); });
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    PropertyChanged(true);
}

void TPen::SetWidth(int width) {
    if (width < 1) width = 1;
    if (width == width_) return;
    width_ = width;
    PropertyChanged(true);
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    PropertyChanged(true);
}

void TPen::SetMode(TPenMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    PropertyChanged(false);
}

void TPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPen*>(source)) {
        if (other == this) return;
        color_ = other->color_;
        width_ = other->width_;
        style_ = other->style_;
        mode_ = other->mode_;
        PropertyChanged(true);
        return;
    }
    inherited::Assign(source);
}

void TPen::PropertyChanged(bool handleChanges) {
    if (handleChanges) handle_.Invalidate();
    Changed();
}
