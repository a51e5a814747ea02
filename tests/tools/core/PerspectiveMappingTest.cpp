#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/tools/core/TestImages.h"
#include "classlib/core/Exceptions.h"
#include "tools/core/InscribedRectangle.h"
#include "tools/core/TKelvoPerspectiveMapping.h"

namespace {
using toolstest::MakeImage;
using toolstest::MakeNoise;
using toolstest::SamePixels;

TTransformRecord Affine(double m11, double m12, double m13, double m21, double m22, double m23) {
    TTransformRecord r;
    r.M11 = m11, r.M12 = m12, r.M13 = m13, r.M21 = m21, r.M22 = m22, r.M23 = m23;
    return r;
}

TTransformRecord Keystone(Byte kind, double p, double q) {
    TTransformRecord r;
    r.Kind = kind;
    r.P = p;
    r.Q = q;
    return r;
}

// A typical correction: a vertical keystone after a slight levelling rotation.
TKelvoPerspectiveMapping Typical(int w, int h) {
    TKelvoPerspectiveMapping m;
    m.RefWidth = w;
    m.RefHeight = h;
    m.History.push_back(Affine(0.9998, 0.02, -1.0, -0.02, 0.9998, 2.0));
    TTransformRecord k = Keystone(TransformVerticalKeystone, 2 * (1 - 0.9) / w, 2 / 0.9 - 2);
    k.M11 = 1.0, k.M22 = 0.95, k.M12 = -0.01, k.M13 = 0.3, k.M23 = 1.5;
    m.History.push_back(k);
    return m;
}

class CountingProgress : public IKelvoProgress {
public:
    void Start(int max) override {
        starts.push_back(max);
        position = 0;
    }
    void StepIt() override {
        ++position;
        ++steps;
    }
    std::vector<int> starts;
    int position = 0;
    int steps = 0;
};

TEST(PerspectiveMappingTest, RecordsMapAsTheirKindSays) {
    TKelvoPerspectiveMapping m;
    m.RefWidth = 100;
    m.RefHeight = 100;
    m.History = {Affine(2, 0, 5, 0, 3, -1)};
    EXPECT_EQ(m.MapInverse(1, 1), (TRealPoint{7, 2}));

    // Kind 1 with Q = 0, P = 0 and the unit matrix is the identity, exactly.
    m.History = {Keystone(TransformVerticalKeystone, 0, 0)};
    EXPECT_EQ(m.MapInverse(12.75, 33.5), (TRealPoint{12.75, 33.5}));

    m.History = {Keystone(TransformVerticalKeystone, 0.001, 0.5)};
    TRealPoint p = m.MapInverse(10, 50);  // v = 50, y' = 50 / 1.25, x' = 0.001 * 10 * 40 + 10
    EXPECT_DOUBLE_EQ(p.X, 10.4);
    EXPECT_DOUBLE_EQ(p.Y, 40.0);
    m.Strength = 0.5;  // y' = 50 / 1.125, x' = 0.0005 * 10 * y' + 10
    p = m.MapInverse(10, 50);
    EXPECT_DOUBLE_EQ(p.Y, 50.0 / 1.125);
    EXPECT_DOUBLE_EQ(p.X, 0.005 * (50.0 / 1.125) + 10);
    m.Strength = 0.0;
    EXPECT_EQ(m.MapInverse(10, 50), (TRealPoint{10, 50}));

    m.Strength = 1.0;
    m.History = {Keystone(TransformHorizontalKeystone, 0.001, 0.5)};
    p = m.MapInverse(50, 10);
    EXPECT_DOUBLE_EQ(p.X, 40.0);
    EXPECT_DOUBLE_EQ(p.Y, 10.4);

    // Strength 0 leaves affine records in force.
    m.Strength = 0.0;
    m.History = {Affine(1, 0, 3, 0, 1, 4), Keystone(TransformVerticalKeystone, 0.01, 0.7)};
    EXPECT_EQ(m.MapInverse(1, 1), (TRealPoint{4, 5}));
}

TEST(PerspectiveMappingTest, HistoryRunsFromTheNewestRecord) {
    TKelvoPerspectiveMapping m;
    m.History = {Affine(1, 0, 10, 0, 1, 0), Affine(2, 0, 0, 0, 1, 0)};
    EXPECT_EQ(m.MapInverse(1, 0).X, 12.0);  // doubled first, then shifted
}

TEST(PerspectiveMappingTest, DegenerateRecordsActAsIdentity) {
    TKelvoPerspectiveMapping m;
    m.RefWidth = 0;  // no reference size yet
    m.RefHeight = 50;
    const double inf = std::numeric_limits<double>::infinity();
    m.History = {Keystone(TransformHorizontalKeystone, 0.01, 0.5),         // W = 0
                 Keystone(TransformVerticalKeystone, 0.01, inf),           // Q of a vanished line
                 Affine(std::nan(""), 0, 0, 0, 1, 0), Keystone(7, 1, 1)};  // unknown kind
    EXPECT_EQ(m.MapInverse(3, 4), (TRealPoint{3, 4}));
    EXPECT_FALSE(m.IsUsable(m.History[0]));
    m.RefWidth = 50;
    EXPECT_TRUE(m.IsUsable(m.History[0]));
}

TEST(PerspectiveMappingTest, LensTermKeepsTheAxisRadiusAndMovesOthers) {
    TKelvoPerspectiveMapping m;
    m.LensOn = true;
    m.LensK = 0.1;
    m.SetLensFrame(MakeRect(0, 0, 200, 100));
    EXPECT_EQ(m.LensCX, 100.0);
    EXPECT_EQ(m.LensCY, 50.0);
    EXPECT_EQ(m.LensS, 100.0);
    EXPECT_EQ(m.MapInverse(200, 50), (TRealPoint{200, 50}));
    EXPECT_EQ(m.MapInverse(100, 50), (TRealPoint{100, 50}));
    EXPECT_DOUBLE_EQ(m.MapInverse(150, 50).X, 146.25);  // inside the radius: inwards
    EXPECT_DOUBLE_EQ(m.MapInverse(250, 50).X, 268.75);  // beyond it: outwards
    // The centre follows an image area that does not start at the origin.
    m.SetLensFrame(MakeRect(10, 20, 110, 220));
    EXPECT_EQ(m.LensCX, 60.0);
    EXPECT_EQ(m.LensCY, 120.0);
    EXPECT_EQ(m.LensS, 100.0);
    // A zero-sized area gives no lens term rather than NaN.
    m.SetLensFrame(MakeRect(0, 0, 0, 0));
    EXPECT_EQ(m.MapInverse(3, 4), (TRealPoint{3, 4}));
}

TEST(PerspectiveMappingTest, ForwardSearchInvertsAndAlwaysEnds) {
    TKelvoPerspectiveMapping m = Typical(400, 300);
    m.LensOn = true;
    m.LensK = 0.05;
    m.SetLensFrame(MakeRect(0, 0, 400, 300));
    for (auto [tx, ty] : {std::pair{0.0, 0.0}, {399.0, 0.0}, {200.0, 150.0}, {17.0, 290.0}}) {
        const TRealPoint f = m.MapForward(tx, ty);
        const TRealPoint back = m.MapInverseScaled(f.X, f.Y);
        // The finest step is 1/8 pixel, so the search lands within a sixteenth of a pixel per axis.
        EXPECT_LT((back.X - tx) * (back.X - tx) + (back.Y - ty) * (back.Y - ty), 0.01) << tx << "," << ty;
    }
    TKelvoPerspectiveMapping identity;
    identity.History = {Keystone(TransformVerticalKeystone, 0, 0)};
    identity.RefHeight = 10;
    EXPECT_EQ(identity.MapForward(3.25, 7.5), (TRealPoint{3.25, 7.5}));

    // A mapping whose error keeps shrinking as x grows without bound (a plain walk would take about
    // 10^14 moves), and one that gives NaN.
    struct Flat : TKelvoCorrectionMapping {
        bool HasGeometry() const override { return true; }
        TRealPoint MapGeometry(double x, double y) const override { return {5 - 100 / (1 + std::fabs(x)), y}; }
    } flat;
    const TRealPoint far = flat.MapForward(5, 5);
    EXPECT_TRUE(std::isfinite(far.X));
    EXPECT_GT(std::fabs(far.X), 100000.0);
    EXPECT_LE(std::fabs(far.X), 5 + 4096 * 128.0);
    struct Broken : TKelvoCorrectionMapping {
        bool HasGeometry() const override { return true; }
        TRealPoint MapGeometry(double, double) const override { return {std::nan(""), 0}; }
    } broken;
    EXPECT_EQ(broken.MapForward(5, 6), (TRealPoint{5, 6}));
    auto img = MakeImage(4, 4, 10);
    EXPECT_EQ(broken.SampleOutputPixel(*img, 1, 1), OutsideColour);
}

TEST(PerspectiveMappingTest, SamplingRoundsTiesToEvenAtTheBorder) {
    TKelvoPerspectiveMapping m;
    m.History = {Affine(1, 0, 0.5, 0, 1, 0.0)};  // source x = output x + 0.5
    auto even = MakeImage(4, 2, 7);              // x = 3 -> 3.5 -> 4: outside
    auto odd = MakeImage(5, 2, 7);               // x = 4 -> 4.5 -> 4: the last column
    for (Byte q : {Byte(0), Byte(2)}) {
        m.Quality = q;
        EXPECT_EQ(m.SampleOutputPixel(*even, 3, 0), OutsideColour);
        // 2.5 -> 2 and 4.5 -> 4 are inside; bicubic mixes in the white beyond the right border:
        // (7 * (-1022 + 9196 + 9196) - 255 * 1022) < 0 and (7 * (9196 - 1022) + 255 * (9196 - 1022)) / 16348.
        EXPECT_EQ(m.SampleOutputPixel(*even, 2, 0).G, q == 0 ? 7 : 0);
        EXPECT_EQ(m.SampleOutputPixel(*odd, 4, 0).G, q == 0 ? 7 : 131);
        EXPECT_EQ(m.SampleOutputPixel(*odd, 5, 0), OutsideColour);
    }
    // -0.5 rounds to 0 and is sampled, as the nearest pixel because X < 0.
    m.History = {Affine(1, 0, -0.5, 0, 1, 0)};
    toolstest::SetPixel(*odd, 0, 1, 200);
    m.Quality = 2;
    EXPECT_EQ(m.SampleOutputPixel(*odd, 0, 1).B, 200);
    EXPECT_EQ(m.SampleOutputPixel(*odd, -1, 1), OutsideColour);
}

TEST(PerspectiveMappingTest, PreviewQualityRule) {
    const TKelvoRect desk = MakeRect(0, 0, 1280, 1024);
    EXPECT_EQ(EffectiveRenderQuality(0, MakeRect(0, 0, 1920, 1536), desk), 0);
    EXPECT_EQ(EffectiveRenderQuality(0, MakeRect(0, 0, 1919, 1536), desk), 2);
    EXPECT_EQ(EffectiveRenderQuality(0, MakeRect(0, 0, 1920, 1535), desk), 2);
    EXPECT_EQ(EffectiveRenderQuality(2, MakeRect(0, 0, 9000, 9000), desk), 2);
}

TEST(PerspectiveMappingTest, IdentityAndDegenerateCorrectionsLeaveTheImageAsItWas) {
    auto src = MakeNoise(37, 23, 3);
    const TKelvoRect full = src->GetBounds();
    for (int variant = 0; variant < 4; ++variant) {
        TKelvoPerspectiveMapping m;
        m.RefWidth = 37;
        m.RefHeight = variant == 3 ? 0 : 23;
        m.Quality = 2;
        if (variant == 0) {
            // Nothing to correct: the source is copied back.
        } else if (variant == 1) {
            m.History = {Keystone(TransformVerticalKeystone, 0.01, 0.4)};
            m.Strength = 0.0;
        } else if (variant == 2) {
            m.History = {Keystone(TransformHorizontalKeystone, 0.01, std::numeric_limits<double>::infinity())};
        } else {
            m.History = {Keystone(TransformVerticalKeystone, 0.01, 0.4)};  // no reference height
        }
        for (std::int32_t crop : {CropKeepSize, CropToInscribed, CropStretchInscribed}) {
            m.CropType = crop;
            auto dst = MakeImage(37, 23, 0x55);
            CountingProgress progress;
            const TKelvoRect area = RenderCorrection(m, *src, *dst, full, &progress);
            EXPECT_EQ(area, full) << variant << " " << crop;
            EXPECT_TRUE(SamePixels(*src, *dst)) << variant << " " << crop;
        }
    }
}

TEST(PerspectiveMappingTest, RenderedRowsEqualSingleOutputPixels) {
    auto src = MakeNoise(61, 47, 11);
    TKelvoPerspectiveMapping m = Typical(61, 47);
    m.LensOn = true;
    m.LensK = 0.08;
    m.SetLensFrame(src->GetBounds());
    m.RefRectOn = true;
    m.OutFactorX = 1.1, m.OutOffsetX = -3, m.OutFactorY = 0.9, m.OutOffsetY = 2;
    m.CropType = CropStretchInscribed;
    m.StretchFactorX = 0.8, m.StretchOffsetX = 4, m.StretchFactorY = 0.7, m.StretchOffsetY = 5;
    for (Byte q : {Byte(0), Byte(2)}) {
        m.Quality = q;
        auto dst = MakeImage(61, 47, 0);
        CountingProgress progress;
        const TKelvoRect area = MakeRect(-2, 3, 70, 40);  // clipped to the target
        m.RenderArea(*src, *dst, area, &progress);
        int differences = 0;
        for (int y = 0; y < 47; ++y)
            for (int x = 0; x < 61; ++x) {
                const Byte* p = dst->PixelAddress(x, y);
                const TBGRPixel got{p[0], p[1], p[2]};
                const bool inArea = x >= 0 && y >= 3 && y < 40;
                const TBGRPixel want = inArea ? m.SampleOutputPixel(*src, x, y) : TBGRPixel{0, 0, 0};
                if (!(got == want)) ++differences;
            }
        EXPECT_EQ(differences, 0);
        EXPECT_EQ(progress.starts, (std::vector<int>{72, 72}));
        EXPECT_EQ(progress.steps, 72);
    }
}

TEST(PerspectiveMappingTest, RenderRefusesItsOwnSourceAndOtherFormats) {
    auto img = MakeNoise(8, 8, 1);
    TKelvoPerspectiveMapping m = Typical(8, 8);
    EXPECT_THROW(m.RenderArea(*img, *img, img->GetBounds(), nullptr), EInvalidOperation);
    TKelvoPixelBuffer alpha(KelvoFormatBGRA32, MakeRect(0, 0, 8, 8));
    EXPECT_THROW(m.RenderArea(*img, alpha, img->GetBounds(), nullptr), EInvalidGraphic);
}

TEST(PerspectiveMappingTest, LensAppliedSwitchesTheLensOff) {
    auto src = MakeNoise(20, 10, 5);
    auto dst = MakeImage(20, 10, 0);
    TKelvoPerspectiveMapping m;
    m.LensOn = true;
    m.LensK = 0.3;
    m.LensApplied = true;
    RenderCorrection(m, *src, *dst, src->GetBounds(), nullptr);
    EXPECT_FALSE(m.LensOn);
    EXPECT_TRUE(SamePixels(*src, *dst));
}
}  // namespace
