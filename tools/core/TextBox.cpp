#include "tools/core/TextBox.h"

#include <algorithm>

#include "app/core/KelvoPixelOps.h"
#include "classlib/core/Checked.h"
#include "tools/core/ToolHandles.h"

TTextBox DragNewTextBox(TKelvoPoint anchor, TKelvoPoint pointer, const TKelvoRect& imageArea) {
    return TTextBox{IntersectRects(NormalizedRect(anchor, pointer), imageArea), pointer.X < anchor.X,
                    pointer.Y < anchor.Y};
}

TTextBox DragTextBox(const TTextBox& start, int part, std::int32_t dx, std::int32_t dy, const TKelvoRect& imageArea) {
    const TKelvoRect old = start.Box;
    const TKelvoRect moved = DragBox(old, part, dx, dy);
    TKelvoRect box = NormalizedRect(MakePoint(moved.Left, moved.Top), MakePoint(moved.Right, moved.Bottom));
    // Only a handle can cross the opposite side; a move (which shifts all four) never mirrors.
    if (part == PartInside) return TTextBox{box, start.MirrorX, start.MirrorY};
    const TDragSides s = DragSidesOf(part);
    const bool flipX = (s.Right && box.Left < old.Left) || (s.Left && old.Right < box.Right);
    const bool flipY = (s.Bottom && box.Top < old.Top) || (s.Top && old.Bottom < box.Bottom);
    box = IntersectRects(box, imageArea);
    return TTextBox{box, flipX != start.MirrorX, flipY != start.MirrorY};
}

TTextLayout LayoutTextLines(std::span<const TTextLine> lines, std::int32_t lineHeight) {
    std::int32_t count = 0, width = 0;
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (lines[i].Empty) continue;
        if (count == 0) count = std::int32_t(i) + 1;
        width = std::max(width, lines[i].Width);
    }
    const std::int64_t height = std::int64_t(count) * lineHeight;
    if (count == 0 || width <= 0 || lineHeight <= 0 || width > MaxTextBitmapSide || height > MaxTextBitmapSide ||
        std::int64_t(width) * height > MaxTextBitmapPixels)
        return {};
    return TTextLayout{width, std::int32_t(height), count};
}

void BlendTextMask(const TKelvoPixels& image, const TTextBox& box, const TKelvoPixels& mask, const TTextBlend& blend) {
    const TKelvoRect& b = box.Box;
    if (b.IsEmpty() || mask.GetBounds() != MakeRect(0, 0, std::int32_t(b.Width()), std::int32_t(b.Height()))) return;
    // The chosen colour as the blend takes it: 0xRRGGBB.
    const std::uint32_t chosen = ((blend.Color & 0xFF) << 16) | (blend.Color & 0xFF00) | ((blend.Color >> 16) & 0xFF);
    const TKelvoRect area = IntersectRects(b, image.GetBounds());
    for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
        const std::int32_t my = box.MirrorY ? b.Bottom - 1 - y : y - b.Top;
        for (std::int32_t x = area.Left; x < area.Right; ++x) {
            const std::int32_t mx = box.MirrorX ? b.Right - 1 - x : x - b.Left;
            const std::uint8_t a = mask.PixelAddress(mx, my)[0];
            std::uint8_t* p = image.PixelAddress(x, y);
            std::uint32_t colour = chosen;
            if (blend.ColorMode == ColorModeInverted) {
                auto inverse = [&](std::uint8_t v) -> std::uint32_t {
                    if (blend.MaxInverse) return v >= 128 ? 0 : 255;
                    return 255u - v;
                };
                colour = (inverse(p[2]) << 16) | (inverse(p[1]) << 8) | inverse(p[0]);
            }
            BlendPixel(p, a, colour);
        }
    }
}

TTextSettings BoundTextSettings(std::int32_t fontSize, std::int32_t colorMode, std::int32_t textColor,
                                std::int32_t maxInverse, std::int32_t fontStyle) {
    TTextSettings s;
    s.FontSize = std::clamp(fontSize, MinTextFontSize, MaxTextFontSize);
    s.ColorMode = colorMode == ColorModeInverted ? ColorModeInverted : ColorModeSelected;
    s.TextColor = std::uint32_t(textColor) & 0xFFFFFF;
    s.MaxInverse = maxInverse != 0;
    s.FontStyle = fontStyle & 0xF;
    return s;
}

std::int32_t FontSizeIncrement(std::int32_t fontSize) {
    return std::max(1, RoundEven(std::clamp(fontSize, 0, MaxTextFontSize * 100) / 100.0));
}

std::u16string DefaultTextFont(const std::vector<std::u16string>& screenFonts) {
    for (const char16_t* name : {u"Times New Roman", u"Veranda", u"Arial", u"Courier New"})
        if (std::find(screenFonts.begin(), screenFonts.end(), name) != screenFonts.end()) return name;
    return screenFonts.empty() ? std::u16string() : screenFonts.front();
}
