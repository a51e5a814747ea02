#include <gtest/gtest.h>

#include <vector>

#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/TextBox.h"
#include "tools/core/ToolHandles.h"

namespace {
const TKelvoRect Image = MakeRect(0, 0, 100, 80);

TEST(TextBoxTest, DraggingBackwardsMirrorsAndResizingStaysInTheImage) {
    EXPECT_EQ(DragNewTextBox(MakePoint(50, 40), MakePoint(20, 10), Image),
              (TTextBox{MakeRect(20, 10, 50, 40), true, true}));
    EXPECT_EQ(DragNewTextBox(MakePoint(50, 40), MakePoint(120, 90), Image), (TTextBox{MakeRect(50, 40, 100, 80)}));

    const TTextBox start{MakeRect(20, 20, 40, 40)};
    EXPECT_EQ(DragTextBox(start, PartRight, -30, 7, Image), (TTextBox{MakeRect(10, 20, 20, 40), true, false}));
    EXPECT_EQ(DragTextBox(start, PartLeft, 30, 0, Image), (TTextBox{MakeRect(40, 20, 50, 40), true, false}));
    EXPECT_EQ(DragTextBox(start, PartTop, 0, 25, Image), (TTextBox{MakeRect(20, 40, 40, 45), false, true}));
    // Crossing back over the opposite side undoes the mirror the box had at the press.
    EXPECT_EQ(DragTextBox(TTextBox{start.Box, true, true}, PartBottomLeft, 30, -30, Image),
              (TTextBox{MakeRect(40, 10, 50, 20), false, false}));
    EXPECT_EQ(DragTextBox(start, PartTopLeft, 5, 5, Image), (TTextBox{MakeRect(25, 25, 40, 40)}));
    EXPECT_EQ(DragTextBox(start, PartBottomRight, 100, 0, Image), (TTextBox{MakeRect(20, 20, 100, 40)}));
    EXPECT_EQ(DragTextBox(start, PartInside, 70, -30, Image), (TTextBox{MakeRect(90, -10, 110, 10)}));

    EXPECT_TRUE(TextBoxIsClick(MakeRect(5, 5, 6, 6)));
    EXPECT_FALSE(TextBoxIsClick(MakeRect(5, 5, 6, 7)));
}

TEST(TextBoxTest, LinesStackDownToTheLastNonEmptyOneWithinTheLimits) {
    const std::vector<TTextLine> lines = {{false, 10}, {true, 0}, {false, 30}, {true, 0}, {true, 0}};
    EXPECT_EQ(LayoutTextLines(lines, 12), (TTextLayout{30, 36, 3}));
    EXPECT_TRUE(LayoutTextLines(std::vector<TTextLine>{{true, 0}, {true, 0}}, 12).IsEmpty());
    EXPECT_TRUE(LayoutTextLines(std::vector<TTextLine>{{false, 40000}}, 12).IsEmpty());
    EXPECT_TRUE(LayoutTextLines(std::vector<TTextLine>(60, TTextLine{false, 100}), 600).IsEmpty());   // 36000 high
    EXPECT_TRUE(LayoutTextLines(std::vector<TTextLine>(4, TTextLine{false, 20000}), 500).IsEmpty());  // 40 M pixels
    EXPECT_EQ(LayoutTextLines(std::vector<TTextLine>(4, TTextLine{false, 10000}), 500), (TTextLayout{10000, 2000, 4}));
}

// A 4 x 2 image of grey 100 and a 2 x 2 mask: full coverage top left, half bottom left, none on the right.
struct TBlendScene {
    TKelvoPixelBuffer image{KelvoFormatBGR24, MakeRect(0, 0, 4, 2)};
    TKelvoPixelBuffer mask{KelvoFormatBGR24, MakeRect(0, 0, 2, 2)};
    TBlendScene() {
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                for (int k = 0; k < 3; ++k) image.PixelAddress(x, y)[k] = 100;
        mask.PixelAddress(0, 0)[0] = 255;
        mask.PixelAddress(1, 0)[0] = 0;
        mask.PixelAddress(0, 1)[0] = 128;
        mask.PixelAddress(1, 1)[0] = 0;
    }
    std::vector<int> At(int x, int y) const {
        const auto* p = image.PixelAddress(x, y);
        return {p[0], p[1], p[2]};
    }
};

TEST(TextBoxTest, TheMaskBlendsTheChosenColourWhereItCovers) {
    TBlendScene s;
    BlendTextMask(s.image, TTextBox{MakeRect(1, 0, 3, 2)}, s.mask, TTextBlend{ColorModeSelected, 0x0000FF});
    EXPECT_EQ(s.At(1, 0), (std::vector<int>{0, 0, 255}));  // pure red: the colour's low byte is red
    EXPECT_EQ(s.At(1, 1), (std::vector<int>{50, 50, 177}));
    EXPECT_EQ(s.At(2, 0), (std::vector<int>{100, 100, 100}));
    EXPECT_EQ(s.At(0, 0), (std::vector<int>{100, 100, 100}));

    TBlendScene m;
    BlendTextMask(m.image, TTextBox{MakeRect(1, 0, 3, 2), true, true}, m.mask, TTextBlend{ColorModeSelected, 0x0000FF});
    EXPECT_EQ(m.At(2, 1), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(m.At(2, 0), (std::vector<int>{50, 50, 177}));
    EXPECT_EQ(m.At(1, 0), (std::vector<int>{100, 100, 100}));

    // A box moved partly off the image blends only its visible part; a mask of another size blends nothing.
    TBlendScene o;
    BlendTextMask(o.image, TTextBox{MakeRect(-1, 0, 1, 2)}, o.mask, TTextBlend{ColorModeSelected, 0x0000FF});
    EXPECT_EQ(o.At(0, 0), (std::vector<int>{100, 100, 100}));
    BlendTextMask(o.image, TTextBox{MakeRect(3, 0, 5, 2)}, o.mask, TTextBlend{ColorModeSelected, 0x0000FF});
    EXPECT_EQ(o.At(3, 0), (std::vector<int>{0, 0, 255}));
    BlendTextMask(o.image, TTextBox{MakeRect(0, 0, 3, 2)}, o.mask, TTextBlend{ColorModeSelected, 0x0000FF});
    EXPECT_EQ(o.At(0, 0), (std::vector<int>{100, 100, 100}));
}

TEST(TextBoxTest, InvertedModesTakeTheColourFromThePixelBeneath) {
    TBlendScene s;
    std::uint8_t* p = s.image.PixelAddress(1, 0);
    p[0] = 10, p[1] = 200, p[2] = 128;
    BlendTextMask(s.image, TTextBox{MakeRect(1, 0, 3, 2)}, s.mask, TTextBlend{ColorModeInverted, 0x0000FF});
    EXPECT_EQ(s.At(1, 0), (std::vector<int>{245, 55, 127}));
    p[0] = 10, p[1] = 200, p[2] = 128;
    BlendTextMask(s.image, TTextBox{MakeRect(1, 0, 3, 2)}, s.mask, TTextBlend{ColorModeInverted, 0, true});
    EXPECT_EQ(s.At(1, 0), (std::vector<int>{255, 0, 0}));
}

TEST(TextBoxTest, StoredSettingsAreHeldToTheFramesRanges) {
    EXPECT_EQ(BoundTextSettings(1000000, 7, 0x12345678, 5, 0xFF), (TTextSettings{400, 0, 0x345678, true, 0xF}));
    EXPECT_EQ(BoundTextSettings(-3, 1, 0xFF, 0, 5), (TTextSettings{8, 1, 0xFF, false, 5}));
    EXPECT_EQ(FontSizeIncrement(8), 1);
    EXPECT_EQ(FontSizeIncrement(149), 1);
    EXPECT_EQ(FontSizeIncrement(150), 2);
    EXPECT_EQ(FontSizeIncrement(250), 2);
    EXPECT_EQ(FontSizeIncrement(350), 4);
}

TEST(TextBoxTest, TheDefaultFontIsTheFirstPreferredOneTheScreenHas) {
    EXPECT_EQ(DefaultTextFont({u"Courier New", u"Arial", u"Tahoma"}), u"Arial");
    EXPECT_EQ(DefaultTextFont({u"Tahoma", u"Wingdings"}), u"Tahoma");
    EXPECT_EQ(DefaultTextFont({}), u"");
}
}  // namespace
