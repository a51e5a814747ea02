#include <gtest/gtest.h>

#include "toolbar/core/ViewerMetrics.h"

using namespace tb;

TEST(ViewerMetrics, ToolbarButtons) {
    TViewerSizeInput in;
    in.toolbarStyle = true;
    EXPECT_EQ(ViewerSize(in), Point(6, 6));  // neither caption nor image
    in.submenu = true;
    in.dropdownArrow = true;
    EXPECT_EQ(ViewerSize(in), Point(14, 6));
    in.verticalView = true;
    EXPECT_EQ(ViewerSize(in), Point(6, 14));
    in.combo = true;  // the combo arrow wins and is always along the width
    EXPECT_EQ(ViewerSize(in), Point(17, 6));

    TViewerSizeInput img;
    img.toolbarStyle = true;
    img.imageShown = true;
    img.hasImageList = true;
    img.imageSize = Point(16, 16);
    EXPECT_EQ(ViewerSize(img), Point(23, 22));  // the toolbar's default button size
    img.captionShown = true;
    img.captionWidth = 30;
    img.textHeight = 13;
    EXPECT_EQ(ViewerSize(img), Point(6 + 30 + 6 + 17, 22));
    img.imageAboveCaption = true;
    EXPECT_EQ(ViewerSize(img), Point(42, 6 + 13 + 16));
    img.imageAboveCaption = false;
    img.rotated = true;  // the caption runs downwards, the image above it
    EXPECT_EQ(ViewerSize(img), Point(23, 6 + 36 + 16));
    img.hasImageList = false;  // an image index without a list adds nothing
    EXPECT_EQ(ViewerSize(img), Point(19, 42));
}

TEST(ViewerMetrics, MenuRows) {
    TViewerSizeInput in;
    in.captionShown = true;
    in.captionWidth = 40;
    in.textHeight = 13;
    in.externalLeading = 0;
    // Without an image list the image column is square: 17 high, 17 wide.
    EXPECT_EQ(ViewerSize(in), Point(40 + 17 + 6 + 17, 17));
    EXPECT_EQ(MenuImageColumnWidth(17, false, {}), 17);
    in.externalLeading = 2;
    in.shortCutWidth = 30;
    EXPECT_EQ(ViewerSize(in), Point(40 + 19 + 6 + 30 + 19 - 6 + 19, 19));
    // With 16 x 16 images: at least 19 high; the column (16 + 3) x 19 / 19.
    in.externalLeading = 0;
    in.shortCutWidth = -1;
    in.hasImageList = true;
    in.imageSize = Point(16, 16);
    EXPECT_EQ(ViewerSize(in), Point(40 + 19 + 6 + 19, 19));
    // A wide image list widens the column in proportion: MulDiv(35, 19, 19) = 35; MulDiv(35, 20, 19) = 37.
    in.imageSize = Point(32, 16);
    EXPECT_EQ(MenuImageColumnWidth(19, true, in.imageSize), 35);
    EXPECT_EQ(MenuImageColumnWidth(20, true, in.imageSize), 37);
    EXPECT_EQ(MulDivRound(5, 3, 2), 8);  // 7.5 away from zero
    EXPECT_EQ(MulDivRound(-5, 3, 2), -8);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);

    EXPECT_EQ(SeparatorSize(true, 13), Point(6, 6));
    EXPECT_EQ(SeparatorSize(false, 13), Point(0, 9));  // 26 / 3 rounded up
    EXPECT_EQ(SeparatorSize(false, 12), Point(0, 8));
}

TEST(ViewerMetrics, CaptionAndHintTexts) {
    EXPECT_EQ(ViewerCaptionText(u"&Open\tCtrl+O"), u"&Open");
    EXPECT_EQ(ViewerCaptionText(u"Plain"), u"Plain");
    EXPECT_EQ(ViewerHintText(u"Open|Opens a file", u"&Open...", false, false), u"Open");
    EXPECT_EQ(ViewerHintText(u"", u"&Open...\tCtrl+O", false, false), u"Open");
    EXPECT_EQ(ViewerHintText(u"", u"Fish && Chips:", false, false), u"Fish & Chips");
    EXPECT_EQ(ViewerHintText(u"", u"&Open...", true, false), u"");  // tboNoAutoHint
    EXPECT_EQ(ViewerHintText(u"", u"&Recent", false, true), u"");   // a submenu shows its caption already
    EXPECT_EQ(AppendShortCutToHint(u"Open", true, u"Ctrl+O"), u"Open (Ctrl+O)");
    EXPECT_EQ(AppendShortCutToHint(u"Open", false, u"Ctrl+O"), u"Open");
    EXPECT_EQ(AppendShortCutToHint(u"", true, u"Ctrl+O"), u"");
}
