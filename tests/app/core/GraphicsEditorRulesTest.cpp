#include <gtest/gtest.h>

#include "app/core/KelvoGraphicsEditorRules.h"
#include "app/core/TKelvoPixelBuffer.h"

TEST(Zoom, InAndOutWalkTheTwentyOneStepsAndStopAtTheEnds) {
    // From 1:16 every Zoom In reaches the next step, up to 16:1, and Zoom Out walks back.
    TKelvoZoom zoom{1, 16};
    const std::vector<TKelvoZoom> expected{{1, 12}, {1, 8}, {1, 7}, {1, 6}, {1, 5},  {1, 4}, {1, 3},
                                           {1, 2},  {3, 4}, {1, 1}, {3, 2}, {2, 1},  {3, 1}, {4, 1},
                                           {5, 1},  {6, 1}, {7, 1}, {8, 1}, {12, 1}, {16, 1}};
    for (const TKelvoZoom& step : expected) EXPECT_EQ(zoom = ZoomInFrom(zoom), step);
    EXPECT_EQ(ZoomInFrom(zoom), (TKelvoZoom{16, 1}));
    for (auto step = expected.rbegin() + 1; step != expected.rend(); ++step) EXPECT_EQ(zoom = ZoomOutFrom(zoom), *step);
    EXPECT_EQ(ZoomOutFrom(zoom), (TKelvoZoom{1, 16}));
    EXPECT_EQ(ZoomOutFrom(TKelvoZoom{1, 16}), (TKelvoZoom{1, 16}));

    // Between steps: 0.9 goes to 1:1 and 3:4; a best fit of 800 : 6000 (0.133) to 1:7 and 1:8.
    EXPECT_EQ(ZoomInFrom(TKelvoZoom{9, 10}), (TKelvoZoom{1, 1}));
    EXPECT_EQ(ZoomOutFrom(TKelvoZoom{9, 10}), (TKelvoZoom{3, 4}));
    EXPECT_EQ(ZoomInFrom(TKelvoZoom{800, 6000}), (TKelvoZoom{1, 7}));
    EXPECT_EQ(ZoomOutFrom(TKelvoZoom{800, 6000}), (TKelvoZoom{1, 8}));
}

TEST(Zoom, BestFitLetsTheTighterSideDecideAndLeavesAViewWithoutAreaAlone) {
    TKelvoZoom zoom;
    ASSERT_TRUE(BestFitZoom(800, 600, 6000, 4000, zoom));
    EXPECT_EQ(zoom, (TKelvoZoom{800, 6000}));  // the width needs 7.5 times, the height 6.7
    ASSERT_TRUE(BestFitZoom(800, 600, 4000, 6000, zoom));
    EXPECT_EQ(zoom, (TKelvoZoom{600, 6000}));
    ASSERT_TRUE(BestFitZoom(400, 300, 800, 600, zoom));
    EXPECT_EQ(zoom, (TKelvoZoom{300, 600}));  // a tie: the height

    // A minimised window's view has no width or no height: nothing to fit into, the zoom stays.
    zoom = TKelvoZoom{3, 2};
    EXPECT_FALSE(BestFitZoom(0, 600, 6000, 4000, zoom));
    EXPECT_FALSE(BestFitZoom(800, 0, 6000, 4000, zoom));
    EXPECT_FALSE(OpeningZoom(0, 0, 6000, 4000, zoom));
    EXPECT_EQ(zoom, (TKelvoZoom{3, 2}));

    // After opening: an image exactly as large as the view is shown 1:1, one pixel more is fitted.
    ASSERT_TRUE(OpeningZoom(800, 600, 800, 600, zoom));
    EXPECT_EQ(zoom, (TKelvoZoom{1, 1}));
    ASSERT_TRUE(OpeningZoom(800, 600, 800, 601, zoom));
    EXPECT_EQ(zoom, (TKelvoZoom{600, 601}));
}

TEST(Browsing, ListsImageFilesInFolderOrderAndSkipsFoldersNamedLikeImages) {
    const std::vector<TKelvoFolderEntry> entries{
        {u".", true},          {u"..", true},      {u"b.PNG", false}, {u"holiday.jpg", true}, {u"a.JP", false},
        {u"notes.txt", false}, {u"c.jpeg", false}, {u"d.p", false},   {u"scan.Dib", false},
    };
    const TKelvoImageList list = BuildImageList(u"C:\\Photos\\", entries, u"c:\\photos\\C.JPEG");
    EXPECT_EQ(list.Paths, (std::vector<std::u16string>{u"C:\\Photos\\b.PNG", u"C:\\Photos\\a.JP", u"C:\\Photos\\c.jpeg",
                                                       u"C:\\Photos\\scan.Dib"}));
    EXPECT_EQ(list.Index, 2);
    EXPECT_EQ(NextImageIndex(list), 3);
    EXPECT_EQ(PrevImageIndex(list), 1);

    // At the ends there is nowhere to go; a file not in the list starts Next at the first image.
    EXPECT_EQ(NextImageIndex(TKelvoImageList{list.Paths, 3}), -1);
    EXPECT_EQ(PrevImageIndex(TKelvoImageList{list.Paths, 0}), -1);
    const TKelvoImageList elsewhere = BuildImageList(u"C:\\Photos\\", entries, u"D:\\other.jpg");
    EXPECT_EQ(elsewhere.Index, -1);
    EXPECT_EQ(NextImageIndex(elsewhere), 0);
    EXPECT_EQ(PrevImageIndex(elsewhere), -1);
    EXPECT_EQ(NextImageIndex(TKelvoImageList{}), -1);
}

TEST(StatusColour, ReadsThePixelUnderThePointerAndZeroOutsideTheImage) {
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, 3, 2));
    Byte* last = pixels.PixelAddress(2, 1);
    last[0] = 10;  // blue
    last[1] = 20;
    last[2] = 30;
    EXPECT_EQ(StatusColourAt(pixels, MakePoint(2, 1)), (TKelvoRGB{30, 20, 10}));
    for (const TKelvoPoint& outside :
         {MakePoint(3, 1), MakePoint(2, 2), MakePoint(-1, 0), MakePoint(0, -1), MakePoint(INT32_MAX, INT32_MIN)})
        EXPECT_EQ(StatusColourAt(pixels, outside), (TKelvoRGB{0, 0, 0}));
    EXPECT_EQ(StatusColourAt(TKelvoPixelBuffer(), MakePoint(0, 0)), (TKelvoRGB{0, 0, 0}));
}
