#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/core/TKelvoPixelBuffer.h"
#include "tests/tools/core/Persp4TestImages.h"
#include "tests/tools/core/TestImages.h"
#include "tools/core/Persp4Setup.h"
#include "tools/core/TKelvoPersp4Mapping.h"

namespace {
TRealPoint P(double x, double y) { return TRealPoint{x, y}; }

// The set-up of four picked corners, in any order.
TPersp4Geometry Derived(std::vector<TRealPoint> points, TPersp4Reference reference = {}) {
    TPersp4Setup s;
    s.Points = std::move(points);
    s.Setup(reference);
    return s.Geometry;
}

void ExpectNear(const TRealPoint& p, double x, double y, double tolerance = 1e-9) {
    EXPECT_NEAR(p.X, x, tolerance);
    EXPECT_NEAR(p.Y, y, tolerance);
}

TEST(Persp4SetupTest, PickingAddsDragEndsRemovesNearClicksAndStopsAtEight) {
    std::vector<TRealPoint> pts;
    EXPECT_TRUE(Persp4Pick(pts, P(100, 100), P(109.9, 100)));  // shorter than 10: a click at the start
    EXPECT_EQ(pts, (std::vector{P(100, 100)}));
    EXPECT_TRUE(Persp4Pick(pts, P(200, 100), P(200, 110)));  // 10 exactly: both ends
    EXPECT_EQ(pts, (std::vector{P(100, 100), P(200, 100), P(200, 110)}));
    EXPECT_TRUE(Persp4Pick(pts, P(195, 104), P(195, 104)));  // closer than 10 to two: the first one goes
    EXPECT_EQ(pts, (std::vector{P(100, 100), P(200, 110)}));
    while (pts.size() < 7) Persp4Pick(pts, P(300 + 20.0 * pts.size(), 0), P(300 + 20.0 * pts.size(), 0));
    EXPECT_FALSE(Persp4Pick(pts, P(0, 500), P(0, 600)));  // a drag needs room for two
    EXPECT_TRUE(Persp4Pick(pts, P(0, 500), P(0, 500)));
    EXPECT_FALSE(Persp4Pick(pts, P(0, 700), P(0, 700)));
    EXPECT_EQ(pts.size(), 8u);
}

TEST(Persp4SetupTest, CornersAreTheDiagonalExtremesAndTiesInvalidateThem) {
    TPersp4Geometry g;
    // A slanted rectangle, picked in a shuffled order.
    ASSERT_TRUE(Persp4FindCorners({P(410, 330), P(120, 80), P(90, 300), P(400, 60)}, g));
    EXPECT_EQ(g.TL, P(120, 80));
    EXPECT_EQ(g.TR, P(400, 60));
    EXPECT_EQ(g.BL, P(90, 300));
    EXPECT_EQ(g.BR, P(410, 330));
    // A diamond: the top and left points share the smallest v, so TL and BL fall on one point.
    EXPECT_FALSE(Persp4FindCorners({P(100, 0), P(200, 100), P(100, 200), P(0, 100)}, g));
    EXPECT_FALSE(Persp4FindCorners({}, g));
    EXPECT_FALSE(Persp4FindCorners({P(1, 1), P(5, 5), P(1, 5)}, g));
}

TEST(Persp4SetupTest, AnAxisParallelRectangleIsTheIdentity) {
    const TPersp4Geometry g = Derived({P(10, 20), P(110, 20), P(10, 70), P(110, 70)});
    ASSERT_TRUE(g.CornersValid);
    EXPECT_FALSE(g.HasVPv);
    EXPECT_FALSE(g.HasVPh);
    EXPECT_EQ(g.Lx, 100);
    EXPECT_EQ(g.Ly, 50);
    EXPECT_NEAR(g.Kx, 0, 1e-12);
    EXPECT_NEAR(g.Ky, 0, 1e-12);
    for (TRealPoint p : {P(0, 0), P(10, 20), P(60, 45), P(333, -7)})
        ExpectNear(Persp4MapInverse(g, p.X, p.Y), p.X, p.Y);
}

TEST(Persp4SetupTest, AParallelogramUsesTheEdgeSlopes) {
    // Opposite edges parallel: no vanishing points; the output rectangle's corners come from the picked ones.
    const TPersp4Geometry g = Derived({P(20, 10), P(120, 10), P(0, 60), P(100, 60)});
    ASSERT_TRUE(g.CornersValid);
    EXPECT_FALSE(g.HasVPv);
    EXPECT_FALSE(g.HasVPh);
    EXPECT_DOUBLE_EQ(g.SlopeLeft, -2.5);
    EXPECT_EQ(g.SlopeTop, 0);
    ExpectNear(g.MidTop, 70, 10);
    ExpectNear(g.MidLeft, 10, 35);
    ExpectNear(Persp4MapInverse(g, g.X0, g.Y0), 20, 10);
    ExpectNear(Persp4MapInverse(g, g.X0 + g.Lx, g.Y0 + g.Ly), 100, 60);
}

TEST(Persp4SetupTest, AKeystoneMapsTheOutputRectangleOntoTheQuadrilateral) {
    // A facade photographed from below: the top edge is narrower than the bottom one.
    const TPersp4Geometry g = Derived({P(300, 100), P(700, 100), P(100, 900), P(900, 900)});
    ASSERT_TRUE(g.CornersValid);
    ASSERT_TRUE(g.HasVPv);
    EXPECT_FALSE(g.HasVPh);
    ExpectNear(g.VPv, 500, -700);
    ExpectNear(g.MidTop, 500, 100);
    // The diagonals meet a third of the way down: the horizontal mid-line runs there.
    ExpectNear(g.MidLeft, 700.0 / 3, 1100.0 / 3);
    EXPECT_NEAR(g.Lx, 1600.0 / 3, 1e-9);
    EXPECT_NEAR(g.Ly, 800, 1e-9);
    EXPECT_NEAR(g.Kx, 0, 1e-9);
    EXPECT_NEAR(g.Ky, 1, 1e-9);
    EXPECT_NEAR(g.X0, 700.0 / 3, 1e-9);
    EXPECT_NEAR(g.Y0, 124, 1e-9);
    // The output rectangle's corners land on the picked ones, its middle on the diagonals' crossing; every output
    // column is a source line through the vanishing point, every output row a horizontal source line.
    const double x0 = g.X0, y0 = g.Y0, x1 = g.X0 + g.Lx, y1 = g.Y0 + g.Ly;
    ExpectNear(Persp4MapInverse(g, x0, y0), 300, 100, 1e-9);
    ExpectNear(Persp4MapInverse(g, x0, y1), 100, 900, 1e-9);
    ExpectNear(Persp4MapInverse(g, x1, y1), 900, 900, 1e-9);
    ExpectNear(Persp4MapInverse(g, x1, y0), 700, 100, 1e-9);
    ExpectNear(Persp4MapInverse(g, (x0 + x1) / 2, (y0 + y1) / 2), 500, 1100.0 / 3, 1e-9);
    const TRealPoint a = Persp4MapInverse(g, x0 + 0.25 * g.Lx, y0 + 0.2 * g.Ly);
    const TRealPoint b = Persp4MapInverse(g, x0 + 0.25 * g.Lx, y0 + 0.9 * g.Ly);
    EXPECT_NEAR((a.X - 500) * (b.Y + 700), (b.X - 500) * (a.Y + 700), 1e-6);
    EXPECT_NEAR(Persp4MapInverse(g, x0 + 0.1 * g.Lx, y0 + 0.3 * g.Ly).Y,
                Persp4MapInverse(g, x0 + 0.8 * g.Lx, y0 + 0.3 * g.Ly).Y, 1e-9);
}

TEST(Persp4SetupTest, LinedUpOrCrossedCornersAreRefusedAndCorrectNothing) {
    // Four different corner roles, but BR, BL and TL on one line.
    const std::vector<TRealPoint> picks{P(50, 200), P(0, 150), P(250, 50), P(150, 300)};
    TPersp4Setup s;
    s.Points = picks;
    s.Setup({});
    EXPECT_EQ(s.Geometry.TL, P(0, 150));
    EXPECT_EQ(s.Geometry.BL, P(50, 200));
    EXPECT_EQ(s.Geometry.BR, P(150, 300));
    EXPECT_FALSE(s.Geometry.CornersValid);
    EXPECT_EQ(s.Points, picks);  // kept, so that the wrong one can be clicked away
    TKelvoPersp4Mapping m;
    m.Geometry = s.Geometry;
    EXPECT_FALSE(m.IsActive());

    // Corners handed in crossed (top and bottom edges swapped at one end): a bow tie.
    TPersp4Geometry g;
    g.TL = P(0, 0), g.TR = P(100, 100), g.BR = P(100, 0), g.BL = P(0, 100);
    g.CornersValid = true;
    Persp4Derive(g, {});
    EXPECT_FALSE(g.CornersValid);
    EXPECT_EQ(g.Sx, 1);
}

TEST(Persp4SetupTest, TheReferenceRectangleGivesTheKnownAspectOnlyWithSizesAboveZero) {
    const std::vector<TRealPoint> picks{P(10, 20), P(110, 20), P(10, 70), P(110, 70)};  // Lx 100, Ly 50
    EXPECT_DOUBLE_EQ(Derived(picks, {true, 4, 1}).RefScaleY, 2);  // r = 100 * 1 / (50 * 4) = 0.5: 1 / r
    EXPECT_DOUBLE_EQ(Derived(picks, {true, 1, 1}).RefScaleX, 2);  // r = 2
    EXPECT_EQ(Derived(picks, {false, 1, 1}).RefScaleX, 1);
    for (double bad : {0.0, -3.0, double(NAN), double(INFINITY)}) {
        for (const TPersp4Geometry& g : {Derived(picks, {true, bad, 1}), Derived(picks, {true, 1, bad})}) {
            EXPECT_TRUE(g.CornersValid);
            EXPECT_EQ(g.RefScaleX, 1);
            EXPECT_EQ(g.RefScaleY, 1);
        }
    }
    // Under a keystone the far edge is still reached exactly: the output rectangle of a facade known to be twice
    // as wide as high is Lx by Lx / 2, and its corners land on the picked ones.
    const TPersp4Geometry g = Derived({P(300, 100), P(700, 100), P(100, 900), P(900, 900)}, {true, 2, 1});
    ASSERT_TRUE(g.CornersValid);
    const double height = g.Lx / 2;
    ExpectNear(Persp4MapInverse(g, g.X0, g.Y0 + height), 100, 900, 1e-9);
    ExpectNear(Persp4MapInverse(g, g.X0 + g.Lx, g.Y0 + height), 900, 900, 1e-9);
    ExpectNear(Persp4MapInverse(g, g.X0 + g.Lx, g.Y0), 700, 100, 1e-9);
}

TEST(Persp4SetupTest, ASetUpHandsBackTheGeometryBeforeItAndKeepsCornersAgainstStrayClicks) {
    TPersp4Setup s;
    s.Points = {P(300, 100), P(700, 100), P(100, 900), P(900, 900)};
    const TPersp4Geometry none = s.Setup({});
    EXPECT_FALSE(none.CornersValid);
    const TPersp4Geometry first = s.Geometry;
    ASSERT_TRUE(first.CornersValid);
    EXPECT_TRUE(s.Points.empty());

    // Fewer than four new picks keep the correction; four new ones replace it.
    s.Points = {P(10, 10), P(500, 500)};
    EXPECT_EQ(s.Setup({}), first);
    EXPECT_EQ(s.Geometry, first);
    s.Points = {P(100, 100), P(800, 120), P(120, 850), P(790, 900)};
    EXPECT_EQ(s.Setup({}), first);  // what undoing this set-up must bring back
    ASSERT_TRUE(s.Geometry.CornersValid);
    EXPECT_NE(s.Geometry, first);
}

TEST(Persp4SetupTest, SizeFieldsTakeDigitsBackspaceAndTheLocalesDecimalSeparator) {
    for (char key : {'0', '7', '9', '\b', ','}) EXPECT_TRUE(Persp4SizeKeyAccepted(key, ','));
    for (char key : {'.', '-', 'e', ' ', '/', ':'}) EXPECT_FALSE(Persp4SizeKeyAccepted(key, ','));
}

TEST(Persp4SetupTest, FarOutsideTheMappingIsNotFiniteAndSamplesWhite) {
    TKelvoPersp4Mapping m;
    m.Geometry = Derived({P(300, 100), P(700, 100), P(100, 900), P(900, 900)});
    ASSERT_TRUE(m.IsActive());
    // (1 - c/Ly)*Ky + 1 = 0 at c = 2 * Ly: the row y = Y0 + 1600 has no source.
    const TRealPoint p = m.MapInverse(500, m.Geometry.Y0 + 1600);
    EXPECT_FALSE(std::isfinite(p.X) && std::isfinite(p.Y));
    auto source = std::make_unique<TKelvoPixelBuffer>(KelvoFormatBGR24, MakeRect(0, 0, 4, 4));
    Byte out[3] = {1, 2, 3};
    SampleSourceAt(*source, p.X, p.Y, 2, out);
    EXPECT_EQ(out[0] & out[1] & out[2], 0xFF);
}
TEST(Persp4SetupTest, TheRenderStraightensAPhotographedRectangle) {
    using namespace persp4test;
    auto photo = toolstest::MakeImage(400, 300, 255);
    DrawQuadrilateral(*photo, kTL, kTR, kBR, kBL);
    ASSERT_FALSE(IsUprightRectangle(*photo));
    TKelvoPersp4Mapping m;
    m.Geometry = Derived({kBR, kTL, kBL, kTR});
    m.Quality = 2;
    auto out = toolstest::MakeImage(400, 300, 7);
    const TKelvoRect area = RenderCorrection(m, *photo, *out, photo->GetBounds(), nullptr);
    EXPECT_EQ(area, photo->GetBounds());
    EXPECT_TRUE(IsUprightRectangle(*out));
    const TShapeEdges e = MeasureShape(*out);
    const int middle = int(m.Geometry.Y0 + m.Geometry.Ly / 2);
    EXPECT_NEAR(e.Left[middle], m.Geometry.X0, 1.0);
    EXPECT_NEAR(e.Right[middle], m.Geometry.X0 + m.Geometry.Lx, 1.0);
}
}  // namespace
