#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tools/core/InscribedRectangle.h"
#include "tools/core/TKelvoPerspectiveMapping.h"

namespace {
bool Inside(const TRealPoint& p, int w, int h) { return p.X >= 0 && p.X <= w - 1 && p.Y >= 0 && p.Y <= h - 1; }

// Identity except for a set of output pixels that map outside the source.
struct Holes : TKelvoCorrectionMapping {
    std::set<std::pair<int, int>> holes;
    bool HasGeometry() const override { return true; }
    TRealPoint MapGeometry(double x, double y) const override {
        if (holes.count({int(x), int(y)}) && x == int(x) && y == int(y)) return {-5, -5};
        return {x, y};
    }
};

TEST(InscribedRectangleTest, IdentityGivesTheWholeImage) {
    TKelvoPerspectiveMapping m;
    EXPECT_EQ(FindInscribedRectangle(m, 30, 20), (TInscribedRect{0, 0, 29, 19}));
    m.CropType = CropStretchInscribed;
    EXPECT_EQ(ApplyCropType(m, MakeRect(0, 0, 30, 20)), MakeRect(0, 0, 30, 20));
    EXPECT_EQ(m.StretchFactorX, 1.0);
    EXPECT_EQ(m.StretchOffsetX, 0.0);
    EXPECT_EQ(m.StretchFactorY, 1.0);
    EXPECT_EQ(m.StretchOffsetY, 0.0);
}

TEST(InscribedRectangleTest, LensRectangleIsInsideAndCannotGrow) {
    TKelvoPerspectiveMapping m;
    m.LensOn = true;
    m.LensK = 0.1;
    m.SetLensFrame(MakeRect(0, 0, 200, 100));
    const TInscribedRect r = FindInscribedRectangle(m, 200, 100);
    EXPECT_EQ(r, (TInscribedRect{2, 1, 197, 98}));
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x) ASSERT_TRUE(Inside(m.MapInverseScaled(x, y), 200, 100));
    // Each side one further out has a pixel outside.
    auto rowOut = [&](int y) {
        for (int x = r.Left; x <= r.Right; ++x)
            if (!Inside(m.MapInverseScaled(x, y), 200, 100)) return true;
        return false;
    };
    auto colOut = [&](int x) {
        for (int y = r.Top; y <= r.Bottom; ++y)
            if (!Inside(m.MapInverseScaled(x, y), 200, 100)) return true;
        return false;
    };
    EXPECT_TRUE(rowOut(r.Top - 1));
    EXPECT_TRUE(rowOut(r.Bottom + 1));
    EXPECT_TRUE(colOut(r.Left - 1));
    EXPECT_TRUE(colOut(r.Right + 1));

    m.CropType = CropToInscribed;
    EXPECT_EQ(ApplyCropType(m, MakeRect(0, 0, 200, 100)), MakeRect(2, 1, 198, 99));
    m.CropType = CropStretchInscribed;
    EXPECT_EQ(ApplyCropType(m, MakeRect(0, 0, 200, 100)), MakeRect(0, 0, 200, 100));
    EXPECT_DOUBLE_EQ(m.StretchFactorX, 196.0 / 200);
    EXPECT_EQ(m.StretchOffsetX, 2.0);
    EXPECT_DOUBLE_EQ(m.StretchFactorY, 98.0 / 100);
    EXPECT_EQ(m.StretchOffsetY, 1.0);
}

TEST(InscribedRectangleTest, OneOutsidePixelBlocksOnlyItsSide) {
    Holes m;
    m.holes = {{3, 7}};
    const TInscribedRect r = GrowInscribedRectangle(m, 20, 20, TInscribedRect{5, 5, 10, 10});
    EXPECT_EQ(r, (TInscribedRect{4, 0, 19, 19}));
}

// The borders' images can enclose a pixel that maps outside (a corner of a keystone): the rectangle leaves
// it out, so that no white corner is kept.
TEST(InscribedRectangleTest, AnOutsidePixelOnTheFirstBoundsIsLeftOut) {
    Holes m;
    m.holes = {{0, 19}};
    const TInscribedRect r = FindInscribedRectangle(m, 20, 20);
    EXPECT_EQ(r, (TInscribedRect{0, 0, 19, 18}));
}

TEST(InscribedRectangleTest, EmptyRectangleKeepsTheImageSize) {
    // Everything maps outside: no pixel can be kept, so the crop types fall back to keeping the size.
    struct Away : TKelvoCorrectionMapping {
        bool HasGeometry() const override { return true; }
        TRealPoint MapGeometry(double x, double y) const override { return {x + 1000, y}; }
    } m;
    const TInscribedRect r = FindInscribedRectangle(m, 30, 20);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_GE(r.Left, -1);
    EXPECT_LE(r.Right, 30);
    for (std::int32_t crop : {CropToInscribed, CropStretchInscribed}) {
        m.CropType = crop;
        EXPECT_EQ(ApplyCropType(m, MakeRect(0, 0, 30, 20)), MakeRect(0, 0, 30, 20));
        EXPECT_EQ(m.StretchFactorX, 1.0);
        EXPECT_EQ(m.StretchOffsetY, 0.0);
    }
    EXPECT_TRUE(FindInscribedRectangle(m, 0, 5).IsEmpty());
}
}  // namespace
