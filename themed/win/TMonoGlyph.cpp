#include "themed/win/TMonoGlyph.h"

#include <algorithm>

namespace {

// ((destination xor pattern) and source) xor pattern: the pattern where the source is black, the
// destination where it is white.
constexpr DWORD kRopPaintSetBits = 0x00B8074A;

}  // namespace

TMonoGlyph::TMonoGlyph(int width, const std::uint8_t* bits, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    if (width_ == 0 || height_ == 0 || !bits) return;
    bitmap_.Reset(::CreateBitmap(width_, height_, 1, 1, bits));
    if (!bitmap_) throw EOutOfResources("Cannot create a bitmap");
    dc_ = TMemoryDC(bitmap_.Get());
}

TMonoGlyph::~TMonoGlyph() = default;

void TMonoGlyph::Draw(HDC dc, int x, int y, TColor color) const {
    if (!dc || !dc_ || color == clNone) return;
    TGdiHandle<HBRUSH> own;
    HBRUSH brush;
    if (color < 0) {
        brush = ::GetSysColorBrush(color & 0xFF);
    } else {
        own.Reset(::CreateSolidBrush(COLORREF(ColorToRGB(color))));
        brush = own.Get();
    }
    if (!brush) return;
    // Set bits come out black under these colours, clear bits white.
    const COLORREF oldText = ::SetTextColor(dc, RGB(255, 255, 255));
    const COLORREF oldBack = ::SetBkColor(dc, RGB(0, 0, 0));
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::BitBlt(dc, x, y, width_, height_, dc_.Get(), 0, 0, kRopPaintSetBits);
    ::SelectObject(dc, oldBrush);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldText);
}
