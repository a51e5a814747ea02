// A one-bit glyph (a check mark, an arrow) drawn in any colour: its set bits are painted, the rest of the
// target is left as it is.
#pragma once
#include <cstdint>

#include "classlib/core/TColor.h"
#include "classlib/core/TObject.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/MemoryDC.h"

class TMonoGlyph : public TObject {
    CLASSLIB_CLASS(TMonoGlyph, TObject)
public:
    // bits: height rows of width bits, most significant bit first, each row padded to a multiple of 16 bits.
    TMonoGlyph(int width, const std::uint8_t* bits, int height);
    ~TMonoGlyph() override;
    TMonoGlyph(const TMonoGlyph&) = delete;
    TMonoGlyph& operator=(const TMonoGlyph&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Paints the set bits at (x, y) in color: nothing for clNone, a system colour's own brush for a
    // negative colour.
    void Draw(HDC dc, int x, int y, TColor color) const;

private:
    int width_;
    int height_;
    TGdiHandle<HBITMAP> bitmap_;
    TMemoryDC dc_;
};
