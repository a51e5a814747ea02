#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tools/core/CorrectionRules.h"
#include "tools/core/ReferenceLine.h"
#include "tools/core/TKelvoPerspectiveMapping.h"

namespace {

// The y of the drawn line (10, 500) - (990, 520) at x.
double DrawnY(double x) { return 500 + (x - 10) * 20.0 / 980.0; }

TKelvoPerspectiveMapping MappingOf(const std::vector<TTransformRecord>& history, int w, int h) {
    TKelvoPerspectiveMapping m;
    m.History = history;
    m.RefWidth = w;
    m.RefHeight = h;
    return m;
}

TEST(ReferenceLineTest, FirstLineThroughTheMiddleLevelsTheImage) {
    std::vector<TTransformRecord> history;
    TConvergenceLimits limits;
    ASSERT_EQ(AddReferenceLine(history, limits, {10, 500}, {990, 520}, 1000, 1000), TReferenceLineResult::Levelling);
    ASSERT_EQ(history.size(), 1u);
    const double len = std::sqrt(980.0 * 980.0 + 20.0 * 20.0);
    EXPECT_EQ(history[0].Kind, TransformAffine);
    EXPECT_DOUBLE_EQ(history[0].M11, 980 / len);
    EXPECT_DOUBLE_EQ(history[0].M12, -20 / len);
    EXPECT_EQ(limits.Left, 500);
    EXPECT_EQ(limits.Right, 500);
    EXPECT_DOUBLE_EQ(limits.Top, limits.Bottom);
    // The output row at the new level limit samples the drawn line.
    const TKelvoPerspectiveMapping m = MappingOf(history, 1000, 1000);
    for (double x : {100.0, 500.0, 900.0}) {
        const TRealPoint source = m.MapGeometry(x, limits.Top);
        EXPECT_NEAR(source.Y, DrawnY(source.X), 1e-9) << x;
    }
}

TEST(ReferenceLineTest, ALineAfterTheFirstBecomesAKeystonePairedWithTheOppositeBorder) {
    std::vector<TTransformRecord> history{TTransformRecord{}};
    TConvergenceLimits limits;
    ASSERT_EQ(AddReferenceLine(history, limits, {10, 500}, {990, 520}, 1000, 1000), TReferenceLineResult::Keystone);
    ASSERT_EQ(history.size(), 2u);
    const TTransformRecord& r = history[1];
    EXPECT_EQ(r.Kind, TransformHorizontalKeystone);
    // The line lies in the lower half: its partner is the top border y = 0.
    const double a = DrawnY(0), am = DrawnY(500);
    const double e = a / am;
    EXPECT_DOUBLE_EQ(r.M22, e);
    EXPECT_DOUBLE_EQ(r.M23, a - am * e);
    EXPECT_DOUBLE_EQ(r.P, 2 * (1 - e) / 1000);
    EXPECT_DOUBLE_EQ(r.Q, 2 / e - 2);
    EXPECT_EQ(limits.Top, 0);
    EXPECT_DOUBLE_EQ(limits.Bottom, am);
}

TEST(ReferenceLineTest, ALevelLineNearALevelLimitReplacesIt) {
    std::vector<TTransformRecord> history{TTransformRecord{}};
    TConvergenceLimits limits;
    limits.Top = 100;
    limits.Bottom = 700;
    // 690 lies within 1000 / 15 of the bottom limit 700: the limit goes, the top limit is the partner.
    ASSERT_EQ(AddReferenceLine(history, limits, {0, 680}, {1000, 700}, 1000, 1000), TReferenceLineResult::Keystone);
    EXPECT_EQ(limits.Top, 100);
    EXPECT_DOUBLE_EQ(limits.Bottom, 690);
}

TEST(ReferenceLineTest, AKeystoneMeetingItsPartnerAtTheEdgeIsRefusedAndChangesNothing) {
    // Mostly vertical, its middle in the left third: the partner is x = w - 1, which the line meets at y = 0.
    std::vector<TTransformRecord> history;
    TConvergenceLimits limits;
    limits.Top = 400;
    const TConvergenceLimits before = limits;
    EXPECT_EQ(AddReferenceLine(history, limits, {999, 0}, {0, 1500}, 2000, 1000), TReferenceLineResult::Refused);
    EXPECT_TRUE(history.empty());
    EXPECT_EQ(limits, before);
}

TEST(ReferenceLineTest, LinesWithoutFiniteArithmeticAreRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<TTransformRecord> history{TTransformRecord{}};
    TConvergenceLimits limits;
    EXPECT_EQ(AddReferenceLine(history, limits, {nan, 0}, {10, 500}, 1000, 1000), TReferenceLineResult::Refused);
    EXPECT_EQ(AddReferenceLine(history, limits, {5, 5}, {5, 5}, 1000, 1000), TReferenceLineResult::Refused);
    EXPECT_EQ(AddReferenceLine(history, limits, {0, 0}, {10, 500}, inf, 1000), TReferenceLineResult::Refused);
    EXPECT_EQ(history.size(), 1u);
    EXPECT_EQ(limits, TConvergenceLimits{});
}

TEST(ReferenceLineTest, AnExactlyLevelLineOnlySetsLimits) {
    std::vector<TTransformRecord> history;
    TConvergenceLimits limits;
    EXPECT_EQ(AddReferenceLine(history, limits, {0, 450}, {800, 450}, 1000, 1000), TReferenceLineResult::LimitsOnly);
    EXPECT_TRUE(history.empty());
    EXPECT_EQ(limits.Top, 450);
    EXPECT_EQ(limits.Bottom, 450);
    EXPECT_EQ(limits.Left, 500);
    EXPECT_EQ(limits.Right, 500);
}

TEST(ReferenceLineTest, TheReferenceRectangleNeedsPositiveSizesAndFourLimitsInside) {
    const TConvergenceLimits limits{100, 500, 200, 400};
    TKelvoPerspectiveMapping m;
    auto scale = [&] { return std::vector<double>{m.OutFactorX, m.OutOffsetX, m.OutFactorY, m.OutOffsetY}; };
    const std::vector<double> identity{1, 0, 1, 0};
    EXPECT_FALSE(ApplyReferenceRectangle(m, limits, 1000, 800, 0, 3));
    EXPECT_FALSE(ApplyReferenceRectangle(m, limits, 1000, 800, std::numeric_limits<double>::quiet_NaN(), 3));
    EXPECT_FALSE(ApplyReferenceRectangle(m, TConvergenceLimits{0, 500, 200, 400}, 1000, 800, 4, 3));
    EXPECT_FALSE(ApplyReferenceRectangle(m, TConvergenceLimits{100, 500, 200, 799}, 1000, 800, 4, 3));
    EXPECT_EQ(scale(), identity);
    EXPECT_FALSE(m.RefRectOn);
    // 400 x 200 pixels for a real 4 x 3: d = 400 * 3 / (200 * 4) = 1.5 widens the output about its middle.
    ASSERT_TRUE(ApplyReferenceRectangle(m, limits, 1000, 800, 4, 3));
    EXPECT_EQ(scale(), (std::vector<double>{1.5, -250, 1, 0}));
    // A real 4 x 1: d = 0.5 heightens it; limits that leave the image take the scale away again.
    ASSERT_TRUE(ApplyReferenceRectangle(m, limits, 1000, 800, 4, 1));
    EXPECT_EQ(scale(), (std::vector<double>{1, 0, 2, -400}));
    EXPECT_FALSE(ApplyReferenceRectangle(m, TConvergenceLimits{}, 1000, 800, 4, 1));
    EXPECT_EQ(scale(), identity);
    EXPECT_FALSE(m.RefRectOn);
}

TEST(CorrectionRulesTest, EachPendingKindLeavesItsStep) {
    using C = TCorrectionCommit;
    EXPECT_EQ(DecideCorrectionCommit(PendingGeometry, true, false, false), C::NewState);
    EXPECT_EQ(DecideCorrectionCommit(PendingFinish, false, false, false), C::Nothing);
    EXPECT_EQ(DecideCorrectionCommit(PendingFinish, false, true, false), C::NewState);
    EXPECT_EQ(DecideCorrectionCommit(PendingFinish, true, false, false), C::NewState);
    // Consecutive distortion changes merge; one while a geometry is pending waits for the promotion.
    EXPECT_EQ(DecideCorrectionCommit(PendingLens, false, true, false), C::NewState);
    EXPECT_EQ(DecideCorrectionCommit(PendingLens, false, true, true), C::MergeLens);
    EXPECT_EQ(DecideCorrectionCommit(PendingLens, true, true, true), C::Nothing);
    EXPECT_EQ(DecideCorrectionCommit(PendingSuppress, true, true, false), C::Nothing);
    EXPECT_EQ(DecideCorrectionCommit(PendingNone, true, true, false), C::Nothing);
}

}  // namespace

namespace {

TEST(CorrectionRulesTest, TheGuideFollowsThePointerAndCtrl) {
    int state = GuideNone;
    state = NextGuideState(state, TGuideEvent::PointerInside);
    EXPECT_EQ(state, GuideCross);
    EXPECT_EQ(NextGuideState(state, TGuideEvent::PointerOutside), GuideNone);
    state = NextGuideState(state, TGuideEvent::CtrlDown);
    EXPECT_EQ(state, GuideAnchored);
    // Anchored, the pointer leaving the image keeps the lines; any key released ends them.
    EXPECT_EQ(NextGuideState(state, TGuideEvent::PointerOutside), GuideAnchored);
    EXPECT_EQ(NextGuideState(state, TGuideEvent::CtrlUp), GuideNone);
    EXPECT_EQ(NextGuideState(GuideCross, TGuideEvent::OtherKeyUp), GuideNone);
    EXPECT_EQ(NextGuideState(GuideCross, TGuideEvent::LineStarted), GuideNone);
    // The second point keeps to the anchor's row when the pointer is farther across than down.
    const TGuidePoint row = GuideSecondPoint({100, 100}, {130, 110});
    EXPECT_EQ(row.X, 130);
    EXPECT_EQ(row.Y, 100);
    const TGuidePoint column = GuideSecondPoint({100, 100}, {110, 70});
    EXPECT_EQ(column.X, 100);
    EXPECT_EQ(column.Y, 70);
}

TEST(CorrectionRulesTest, AutoScrollOnlyTowardsImageBeyondTheEdge) {
    const TImageBeyond all{true, true, true, true};
    EXPECT_EQ(AutoScrollDelta(1, 50, 200, 100, all).Dx, 5);
    EXPECT_EQ(AutoScrollDelta(2, 50, 200, 100, all).Dx, 0);
    EXPECT_EQ(AutoScrollDelta(197, 50, 200, 100, all).Dx, -5);
    EXPECT_EQ(AutoScrollDelta(196, 50, 200, 100, all).Dx, 0);
    EXPECT_EQ(AutoScrollDelta(50, 2, 200, 100, all).Dy, 5);
    EXPECT_EQ(AutoScrollDelta(50, 97, 200, 100, all).Dy, -5);
    EXPECT_EQ(AutoScrollDelta(0, 0, 200, 100, TImageBeyond{}).Dx, 0);
}

}  // namespace
