#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <utility>

#include "app/core/KelvoResample.h"
#include "app/core/TKelvoPixelBuffer.h"
#include "tools/core/Geometry.h"
#include "tools/core/ResamplingFilters.h"
#include "tools/core/TLine.h"

namespace {
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(GeometryTest, PointHelpersHonourInclusiveBoundsAndDefaultTolerance) {
    EXPECT_TRUE(PointInRange(9, 4, 9, 4));
    EXPECT_TRUE(PointInRange(0, 0, 9, 4));
    EXPECT_FALSE(PointInRange(-1, 0, 9, 4));
    EXPECT_FALSE(PointInRange(10, 0, 9, 4));
    EXPECT_FALSE(PointInRange(0, 5, 9, 4));
    EXPECT_DOUBLE_EQ(RealPointDistance({1, 2}, {4, 6}), 5.0);
    EXPECT_TRUE(SameValueEps(-1, 1.0, 1.0 + 1e-9));
    EXPECT_FALSE(SameValueEps(-1, 1.0, 1.0 + 1e-7));
    EXPECT_TRUE(SameValueEps(0.5, 1.0, 1.5));
    EXPECT_FALSE(IsZeroEps(-1, 2e-8));
    EXPECT_TRUE(IsZeroEps(-1, -1e-8));
}

TEST(GeometryTest, ConstructorsNormaliseAndKeepSigns) {
    const TLine h = TLine::CreateThroughPoints({0, 0}, {10, 0});
    ASSERT_TRUE(h.IsValid());
    EXPECT_EQ(h.A, 0.0);
    EXPECT_EQ(h.B, -1.0);
    EXPECT_EQ(h.C, 0.0);
    EXPECT_EQ(h.Slope(), 0.0);

    const TLine l = TLine::CreateThroughPoints({1, 1}, {3, 5});  // A = 4, B = -2, C = -2 -> /4
    EXPECT_DOUBLE_EQ(l.A, 1.0);
    EXPECT_DOUBLE_EQ(l.B, -0.5);
    EXPECT_DOUBLE_EQ(l.C, -0.5);
    EXPECT_DOUBLE_EQ(l.Slope(), 2.0);
    EXPECT_DOUBLE_EQ(l.Intercept(), -1.0);
    EXPECT_DOUBLE_EQ(l.YAt(2), 3.0);
    EXPECT_DOUBLE_EQ(l.XAt(5), 3.0);

    const TLine perp = TLine::CreatePerpendicular(l, {3, 5});
    EXPECT_NEAR(perp.A * 3 + perp.B * 5 + perp.C, 0.0, 1e-12);
    EXPECT_NEAR(perp.A * l.A + perp.B * l.B, 0.0, 1e-12);
    const TLine par = TLine::CreateParallel(l, {0, 7});
    EXPECT_TRUE(par.IsParallel(l));
    EXPECT_DOUBLE_EQ(par.YAt(0), 7.0);

    for (double s : {inf, -inf}) {
        const TLine v = TLine::CreatePointSlope({4, 9}, s);
        EXPECT_EQ(v.B, 0.0);
        EXPECT_TRUE(std::isinf(v.Slope()));
        EXPECT_DOUBLE_EQ(-v.C / v.A, 4.0);
    }
    const TLine ps = TLine::CreatePointSlope({2, 3}, 0.5);
    EXPECT_DOUBLE_EQ(ps.YAt(4), 4.0);
    const double m = std::fmax(std::fabs(ps.A), std::fmax(std::fabs(ps.B), std::fabs(ps.C)));
    EXPECT_EQ(m, 1.0);
}

TEST(GeometryTest, ParallelBoundaryIsInclusive) {
    TLine a = TLine::CreatePointSlope({0, 0}, 0.0);  // A = 0, B = 1
    TLine b = TLine::CreatePointSlope({0, 0}, 0.0);
    b.A = 1e-8;  // cross term exactly 1e-8
    EXPECT_TRUE(a.IsParallel(b));
    b.A = 1.0000001e-8;
    EXPECT_FALSE(a.IsParallel(b));
}

TEST(GeometryTest, IntersectCoversVerticalHorizontalAndGeneralCases) {
    const TLine vertical = TLine::CreateThroughPoints({3, 0}, {3, 10});
    const TLine horizontal = TLine::CreateThroughPoints({0, 4}, {10, 4});
    const TLine diagonal = TLine::CreateThroughPoints({0, 0}, {10, 10});
    const TLine other = TLine::CreateThroughPoints({0, 10}, {10, 0});
    TRealPoint p;
    ASSERT_TRUE(vertical.Intersect(diagonal, p));
    EXPECT_DOUBLE_EQ(p.X, 3);
    EXPECT_DOUBLE_EQ(p.Y, 3);
    ASSERT_TRUE(diagonal.Intersect(vertical, p));
    EXPECT_DOUBLE_EQ(p.X, 3);
    EXPECT_DOUBLE_EQ(p.Y, 3);
    ASSERT_TRUE(horizontal.Intersect(diagonal, p));
    EXPECT_DOUBLE_EQ(p.X, 4);
    EXPECT_DOUBLE_EQ(p.Y, 4);
    ASSERT_TRUE(diagonal.Intersect(horizontal, p));
    EXPECT_DOUBLE_EQ(p.X, 4);
    EXPECT_DOUBLE_EQ(p.Y, 4);
    ASSERT_TRUE(diagonal.Intersect(other, p));
    EXPECT_DOUBLE_EQ(p.X, 5);
    EXPECT_DOUBLE_EQ(p.Y, 5);
}

TEST(GeometryTest, DegenerateLinesNeverYieldNonFiniteValues) {
    const TLine same = TLine::CreateThroughPoints({2, 2}, {2, 2});
    EXPECT_FALSE(same.IsValid());
    EXPECT_EQ(same.A, 0.0);
    EXPECT_EQ(same.B, 0.0);
    EXPECT_EQ(same.C, 0.0);
    EXPECT_FALSE(TLine::CreateThroughPoints({std::nan(""), 0}, {1, 1}).IsValid());
    EXPECT_FALSE(TLine::CreatePointSlope({1, 1}, std::nan("")).IsValid());
    EXPECT_FALSE(TLine::CreatePerpendicular(same, {1, 1}).IsValid());

    const TLine diagonal = TLine::CreateThroughPoints({0, 0}, {10, 10});
    TRealPoint p{7, 7};
    EXPECT_TRUE(same.IsParallel(diagonal));
    EXPECT_FALSE(same.Intersect(diagonal, p));
    EXPECT_FALSE(diagonal.Intersect(same, p));
    // Two parallel vertical lines: no point, and the output is left alone.
    EXPECT_FALSE(TLine::CreatePointSlope({1, 0}, inf).Intersect(TLine::CreatePointSlope({2, 0}, inf), p));
    EXPECT_EQ(p, (TRealPoint{7, 7}));
}

TEST(GeometryTest, KernelValuesAndTable) {
    EXPECT_EQ(Lanczos3Filter(0), 1.0);
    EXPECT_EQ(Lanczos3Filter(3), 0.0);
    EXPECT_NEAR(Lanczos3Filter(1), 0.0, 1e-15);
    EXPECT_NEAR(Lanczos3Filter(0.5),
                std::sin(std::numbers::pi / 2) * std::sin(std::numbers::pi / 6) /
                    (std::numbers::pi * std::numbers::pi * 0.25 / 3),
                1e-15);
    EXPECT_EQ(BellFilter(1.5), 0.0);
    EXPECT_DOUBLE_EQ(BellFilter(0.25), 0.6875);
    EXPECT_DOUBLE_EQ(BellFilter(1.0), 0.125);
    EXPECT_DOUBLE_EQ(MitchellFilter(0), 8.0 / 9.0);
    EXPECT_NEAR(MitchellFilter(1.0), 1.0 / 18.0, 1e-15);  // both pieces meet here
    EXPECT_NEAR(-7.0 / 18 + 2 - 10.0 / 3 + 16.0 / 9, 1.0 / 18.0, 1e-15);
    EXPECT_EQ(MitchellFilter(2.0), 0.0);
    EXPECT_DOUBLE_EQ(BSplineFilter(0), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(BSplineFilter(1.0), 1.0 / 6.0);
    EXPECT_EQ(BSplineFilter(2.0), 0.0);
    EXPECT_DOUBLE_EQ(HermiteFilter(0.5), 0.5);
    EXPECT_EQ(HermiteFilter(1.0), 0.0);
    EXPECT_DOUBLE_EQ(TriangleFilter(0.25), 0.75);
    EXPECT_EQ(TriangleFilter(1.0), 0.0);
    EXPECT_EQ(BoxFilter(100.0), 1.0);

    const auto& t = ResamplingFilters();
    const char* names[] = {"No (quickest)", "Triangle (quick)", "Hermite",        "Bell",
                           "B-Spline",      "Mitchell",         "Lanczos3 (slow)"};
    const double supports[] = {0, 1, 1, 1.5, 2, 2, 3};
    for (int i = 0; i < ResamplingFilterCount; ++i) {
        EXPECT_STREQ(t[i].Name, names[i]);
        EXPECT_EQ(t[i].Support, supports[i]);
        // Every kernel but the box vanishes at its support.
        if (i > 0) {
            EXPECT_NEAR(t[i].Kernel(supports[i]), 0.0, 1e-15) << names[i];
        }
    }
    EXPECT_EQ(t[5].Kernel, &MitchellFilter);
}

// The table's Lanczos3 row, taken through the one kernel interface, resizes to exactly the bytes of the
// editor's own Lanczos resampler.
TEST(GeometryTest, TheTablesLanczosRowResizesAsTheEditorsLanczos) {
    TKelvoPixelBuffer source(KelvoFormatBGR24, MakeRect(0, 0, 37, 23));
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) {
            Byte* q = source.PixelAddress(x, y);
            q[0] = Byte(x * 7);
            q[1] = Byte(y * 11);
            q[2] = Byte((x ^ y) * 13);
        }
    const TFilterResampler row(ResamplingFilters()[6]);
    EXPECT_TRUE(row.RangeCheck());
    EXPECT_EQ(row.GetWidth(), 3.0);
    const TLanczosResampler lanczos(3.0);
    for (auto [w, h] : {std::pair{90, 61}, std::pair{13, 8}}) {
        TKelvoPixelBuffer byRow(KelvoFormatBGR24, MakeRect(0, 0, w, h));
        TKelvoPixelBuffer byLanczos(KelvoFormatBGR24, MakeRect(0, 0, w, h));
        Resample(byRow, byRow.GetBounds(), byRow.GetBounds(), row, source.GetBounds(), source);
        Resample(byLanczos, byLanczos.GetBounds(), byLanczos.GetBounds(), lanczos, source.GetBounds(), source);
        int differences = 0;
        for (int y = 0; y < h; ++y)
            differences += std::memcmp(byRow.PixelAddress(0, y), byLanczos.PixelAddress(0, y), std::size_t(w) * 3) != 0;
        EXPECT_EQ(differences, 0) << w << "x" << h;
    }
}
}  // namespace
