#include <gtest/gtest.h>

#include "app/core/KelvoUtils.h"
#include "app/core/TKelvoMapMode.h"
#include "app/core/TKelvoPointList.h"
#include "classlib/core/Exceptions.h"

TEST(MapMode, ZoomInWithScrollOffsetFloorsTowardsMinusInfinity) {
    TKelvoMapMode m;
    EXPECT_EQ(m.LogicalToDeviceX(17), 17);  // identity at creation
    m.WindowExtX = m.WindowExtY = 1;
    m.ViewportExtX = m.ViewportExtY = 2;
    m.ViewportOrgX = m.ViewportOrgY = -10;
    EXPECT_EQ(m.DeviceToLogicalX(-11), -1);
    EXPECT_EQ(m.DeviceToLogicalX(1), 5);
    EXPECT_EQ(m.DeviceToLogicalY(-10), 0);
    EXPECT_EQ(m.LogicalToDeviceX(5), 0);
    EXPECT_EQ(m.DeviceToLogicalPoint(TKelvoPoint{-11, 1}), (TKelvoPoint{-1, 5}));
    EXPECT_EQ(m.LogicalToDeviceRect(MakeRect(0, 0, 3, 4)), MakeRect(-10, -10, -4, -2));
    EXPECT_DOUBLE_EQ(m.DeviceToLogicalXF(-11), -0.5);
    EXPECT_DOUBLE_EQ(m.LogicalToDeviceYF(0.25), -9.5);
}

TEST(MapMode, ZoomOutAndRoundTrips) {
    TKelvoMapMode m;
    m.WindowExtX = m.WindowExtY = 3;
    m.ViewportExtX = m.ViewportExtY = 1;
    EXPECT_EQ(m.LogicalToDeviceX(4), 1);
    EXPECT_EQ(m.LogicalToDeviceX(-1), -1);
    EXPECT_EQ(m.LogicalToDeviceY(-3), -1);
    EXPECT_EQ(m.LogicalToDeviceY(-4), -2);
    // Every logical point maps to a device point that maps back to a logical point of the same cell.
    m.WindowOrgX = 7;
    m.ViewportOrgX = -20;
    for (int l = -50; l <= 50; ++l) {
        const int d = m.LogicalToDeviceX(l);
        const int back = m.DeviceToLogicalX(d);
        EXPECT_LE(back, l);
        EXPECT_GT(back + 3, l);
        EXPECT_NEAR(m.DeviceToLogicalXF(m.LogicalToDeviceXF(l)), l, 1e-9);
    }
    // At 1:2 zoom-in every device pixel maps back to its logical pixel.
    TKelvoMapMode z;
    z.ViewportExtX = 2;
    z.WindowOrgX = -3;
    for (int l = -20; l <= 20; ++l) {
        EXPECT_EQ(z.DeviceToLogicalX(z.LogicalToDeviceX(l)), l);
        EXPECT_EQ(z.DeviceToLogicalX(z.LogicalToDeviceX(l) + 1), l);
    }
}

TEST(MapMode, OverflowAndZeroExtentRaise) {
    TKelvoMapMode m;
    m.ViewportExtX = 100000;
    EXPECT_THROW(m.LogicalToDeviceX(100000), EIntOverflow);
    m.ViewportOrgX = 0x7FFFFFF0;
    m.ViewportExtX = 1;
    EXPECT_THROW(m.LogicalToDeviceX(100), EIntOverflow);
    EXPECT_THROW(m.DeviceToLogicalX(-100), EIntOverflow);
    m.ViewportExtX = 0;
    EXPECT_THROW(m.DeviceToLogicalX(1), EDivByZero);
}

TEST(Utils, MulDivFloorAndMakeLong) {
    EXPECT_EQ(MulDivFloor(-3, 1, 2), -2);
    EXPECT_EQ(MulDivFloor(3, 1, 2), 1);
    EXPECT_EQ(MulDivFloor(3, 1, -2), -2);
    EXPECT_EQ(MulDivFloor(-4, 1, 2), -2);
    EXPECT_EQ(MulDivFloor(-3, -1, -2), -2);
    EXPECT_THROW(MulDivFloor(1, 1, 0), EDivByZero);
    EXPECT_THROW(MulDivFloor(70000, 70000, 1), EIntOverflow);
    EXPECT_EQ(MakeLong(0x1234, 0x5678), 0x56781234);
    EXPECT_EQ(MakeLong(-1, 0), 0xFFFF);
    EXPECT_EQ(MakeLong(0, -1), std::int32_t(0xFFFF0000u));
    EXPECT_EQ(MakePoint(3, -4), (TKelvoPoint{3, -4}));
}

TEST(Utils, FileNameWithoutExtension) {
    EXPECT_EQ(ExtractFileNameWithoutExt(AnsiString("C:\\a.b\\sea.jpg")), "sea");
    EXPECT_EQ(ExtractFileNameWithoutExt(AnsiString("C:\\dir\\README")), "README");
    EXPECT_EQ(ExtractFileNameWithoutExt(AnsiString("C:photo.tar.gz")), "photo.tar");
    EXPECT_EQ(ExtractFileNameWithoutExt(AnsiString(".hidden")), "");
    EXPECT_EQ(ExtractFileNameWithoutExt(WideString(u"D:\\\u0444\u043E\u0442\u043E.jpg")), u"\u0444\u043E\u0442\u043E");
}

TEST(Utils, RectangleHelpers) {
    const TKelvoRect b = MakeRect(0, 0, 10, 10);
    EXPECT_EQ(CompareRectInside(MakeRect(10, 0, 20, 10), b), 0);  // touching edges do not overlap
    EXPECT_EQ(CompareRectInside(MakeRect(2, 2, 10, 10), b), 2);
    EXPECT_EQ(CompareRectInside(b, b), 2);
    EXPECT_EQ(CompareRectInside(MakeRect(-1, 2, 5, 5), b), 1);
    EXPECT_EQ(CompareRectInside(MakeRect(-5, -5, 15, 15), b), 1);
    EXPECT_EQ(InflateRectBy(b, 2, -1), MakeRect(-2, 1, 12, 9));
    EXPECT_THROW(InflateRectBy(MakeRect(0, 0, 0x7FFFFFFF, 1), 1, 0), EIntOverflow);

    EXPECT_EQ(FitAspectRect(MakeRect(0, 0, 400, 300), MakeRect(0, 0, 200, 200)), MakeRect(0, 25, 200, 175));
    EXPECT_EQ(FitAspectRect(MakeRect(0, 0, 300, 400), MakeRect(10, 10, 210, 210)), MakeRect(35, 10, 185, 210));
    EXPECT_EQ(FitAspectRect(MakeRect(0, 0, 5, 5), MakeRect(0, 0, 8, 8)), MakeRect(0, 0, 8, 8));  // tie
    EXPECT_EQ(FitAspectRect(MakeRect(0, 0, 0, 0), MakeRect(0, 0, 8, 4)), MakeRect(2, 0, 6, 4));  // 0 counts as 1

    EXPECT_EQ(CenterRect(MakeRect(0, 0, 10, 20), MakeRect(0, 0, 100, 100)), MakeRect(45, 40, 55, 60));
    // An inner rectangle away from the origin is centred as well.
    EXPECT_EQ(CenterRect(MakeRect(10, 10, 20, 20), MakeRect(0, 0, 100, 100)), MakeRect(45, 45, 55, 55));
    EXPECT_EQ(CenterRect(MakeRect(0, 0, 3, 3), MakeRect(-10, -10, -1, -1)), MakeRect(-6, -6, -3, -3));
}

TEST(PointList, CopiesAndBounds) {
    TKelvoPointList l;
    EXPECT_EQ(l.Add(TKelvoPoint{1, 2}), 0);
    EXPECT_EQ(l.Add(TKelvoPoint{3, 4}), 1);
    EXPECT_EQ(l.Add(TKelvoPoint{5, 6}), 2);
    l.Delete(1);
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l.GetPoint(1), (TKelvoPoint{5, 6}));
    EXPECT_THROW(l.GetPoint(2), EListError);
    EXPECT_THROW(l.Delete(-1), EListError);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}
