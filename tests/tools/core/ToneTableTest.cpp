#include <gtest/gtest.h>

#include <cmath>

#include "tools/core/TKelvoCurveSegment.h"

namespace {
TKelvoPointList Points(std::initializer_list<TKelvoPoint> list) {
    TKelvoPointList l;
    for (const auto& p : list) l.Add(p);
    return l;
}

TEST(ToneTableTest, TwoPointsGiveTheRoundedClampedLine) {
    TKelvoToneTable t;
    ASSERT_EQ(BuildToneTable(Points({{0, 0}, {255, 255}}), 255, t), ToneTableOk);
    ASSERT_EQ(t.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], i);

    ASSERT_EQ(BuildToneTable(Points({{64, 0}, {192, 255}}), 255, t), ToneTableOk);
    for (int i = 0; i <= 64; ++i) EXPECT_EQ(t[i], 0) << i;
    for (int i = 192; i < 256; ++i) EXPECT_EQ(t[i], 255) << i;
    EXPECT_EQ(t[65], 2);     // 1.99
    EXPECT_EQ(t[100], 72);   // 71.72
    EXPECT_EQ(t[128], 128);  // 127.5, ties to even
    for (int i = 65; i < 256; ++i) EXPECT_GE(t[i], t[i - 1]);

    // A falling line (negative contrast) and a small maximum.
    ASSERT_EQ(BuildToneTable(Points({{0, 10}, {10, 0}}), 10, t), ToneTableOk);
    EXPECT_EQ(t, (TKelvoToneTable{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST(ToneTableTest, UnusablePointListsFailWithAnEmptyTable) {
    TKelvoToneTable t{1, 2, 3};
    EXPECT_EQ(BuildToneTable(Points({{0, 0}}), 255, t), ToneTableFailed);
    EXPECT_TRUE(t.empty());
    t = {1};
    EXPECT_EQ(BuildToneTable(Points({{0, 0}, {1, 1}, {2, 2}}), 255, t), ToneTableFailed);
    EXPECT_TRUE(t.empty());
    // Both points on one input level (an image of one grey): no table rather than an all-black one.
    t = {1};
    EXPECT_EQ(BuildToneTable(Points({{128, 0}, {128, 255}}), 255, t), ToneTableFailed);
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(BuildToneTable(Points({{0, 0}, {1, 1}}), -1, t), ToneTableFailed);
    EXPECT_EQ(BuildToneTable(Points({{0, 0}, {1, 1}}), 65536, t), ToneTableFailed);
}

TEST(ToneTableTest, SegmentsFillOnlyTheirRangeInsideTheTable) {
    TKelvoLineSegment s;
    s.SetStartPoint({0, 0});
    s.SetEndPoint({4, 8});
    EXPECT_EQ(s.Slope, 2.0);
    EXPECT_EQ(s.Intercept, 0.0);
    TKelvoToneTable t(6, 99);
    s.FillTable(100, t, 3.5, 1.2);  // i = 2, 3
    EXPECT_EQ(t, (TKelvoToneTable{99, 99, 4, 6, 99, 99}));
    s.FillTable(100, t, 1000, -50);  // clipped to the table
    EXPECT_EQ(t, (TKelvoToneTable{0, 2, 4, 6, 8, 10}));

    s.SetEndPoint({0, 5});
    EXPECT_FALSE(s.Prepare());
    EXPECT_TRUE(std::isinf(s.Slope) && s.Slope > 0);
    EXPECT_TRUE(std::isinf(s.Intercept) && s.Intercept < 0);
    s.FillTable(100, t, 5, 0);
    EXPECT_EQ(t, (TKelvoToneTable{0, 2, 4, 6, 8, 10}));

    EXPECT_EQ(ClampLevel(255, 300.0), 255);
    EXPECT_EQ(ClampLevel(255, -0.4), 0);
    EXPECT_EQ(ClampLevel(255, 2.5), 2);
    EXPECT_EQ(ClampLevel(255, 3.5), 4);
    EXPECT_EQ(ClampLevel(255, std::nan("")), 0);
}
}  // namespace
