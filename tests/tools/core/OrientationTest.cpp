#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/Orientation.h"

namespace {
bool ApplyOp(std::uint8_t op, const TKelvoPixels& source, TKelvoPixelBuffer& dest) {
    switch (op) {
        case RotateOpLeft: return RotatePixelsLeft(source, dest);
        case RotateOpRight: return RotatePixelsRight(source, dest);
        case RotateOpFlipHorizontal: return FlipPixelsHorizontal(source, dest);
        default: return FlipPixelsVertical(source, dest);
    }
}

// The orientation composed from a sequence of operations must put every pixel where the bitmap operations,
// applied one after the other, put it.
TEST(OrientationTest, ComposedOperationsMapPixelsAsTheBitmapOperationsDo) {
    const std::vector<std::vector<std::uint8_t>> sequences = {
        {RotateOpLeft},
        {RotateOpRight},
        {RotateOpFlipHorizontal},
        {RotateOpFlipVertical},
        {RotateOpRight, RotateOpFlipHorizontal},
        {RotateOpFlipVertical, RotateOpLeft, RotateOpRight, RotateOpRight},
        {RotateOpLeft, RotateOpFlipHorizontal, RotateOpFlipVertical, RotateOpLeft, RotateOpFlipHorizontal}};
    const std::int32_t w = 3, h = 2;
    for (const auto& seq : sequences) {
        auto current = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, w, h));
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x) current->PixelAddress(x, y)[0] = std::uint8_t(1 + y * w + x);
        TOrientation o;
        for (std::uint8_t op : seq) {
            auto next = std::make_unique<TKelvoPixelBuffer>();
            ASSERT_TRUE(ApplyOp(op, *current, *next));
            current = std::move(next);
            o = ComposeRotateOp(o, op);
        }
        const TSize size = OrientedSize(o, w, h);
        ASSERT_EQ(current->Width(), size.cx);
        ASSERT_EQ(current->Height(), size.cy);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x) {
                const TKelvoPoint p = OrientedPoint(o, w, h, MakePoint(x, y));
                EXPECT_EQ(current->PixelAddress(p.X, p.Y)[0], 1 + y * w + x) << seq.size() << " ops, " << x << "," << y;
            }
    }
}

TEST(OrientationTest, EachOperationIsUndoneByItsInverse) {
    for (std::uint8_t op = RotateOpLeft; op <= RotateOpFlipVertical; ++op)
        EXPECT_EQ(ComposeRotateOp(ComposeRotateOp(TOrientation{1, true}, op), InverseRotateOp(op)),
                  (TOrientation{1, true}))
            << int(op);
    EXPECT_EQ(InverseRotateOp(RotateOpLeft), RotateOpRight);
    EXPECT_EQ(InverseRotateOp(RotateOpFlipVertical), RotateOpFlipVertical);
    EXPECT_EQ(InverseRotateOp(9), 0);
    // Both mirrors together are a half turn.
    EXPECT_EQ(ComposeRotateOp(ComposeRotateOp({}, RotateOpFlipHorizontal), RotateOpFlipVertical),
              (TOrientation{2, false}));
}

TEST(OrientationTest, ThePreviewIsASquareTwoPixelsInsideTheBoxCentred) {
    EXPECT_EQ(ThumbnailSide(176, 150), 148);
    EXPECT_EQ(ThumbnailSide(1, 150), 0);
    EXPECT_EQ(PreviewOffset(176, 150, 148, 99), MakePoint(14, 25));
}
}  // namespace
