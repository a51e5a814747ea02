// The sizes a demonstration asks of the main window: the parameters it takes, and how the window grows and
// stays on the work area.
#include <gtest/gtest.h>

#include "app/core/KelvoEditorDemo.h"

namespace {

const TKelvoRect kWorkArea{0, 0, 1024, 738};

TEST(EditorDemo, SizesAreExactlyTwoNumbersHeldInsideInt32) {
    std::int32_t w = -1, h = -1;
    TKelvoProperties params;
    params.SetInteger(0, 640);
    EXPECT_FALSE(DemoSizeParams(params, w, h));
    params.SetDouble(1, 480.75);
    ASSERT_TRUE(DemoSizeParams(params, w, h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    params.SetDouble(1, 1e12);
    ASSERT_TRUE(DemoSizeParams(params, w, h));
    EXPECT_EQ(h, 2147483647);
    params.SetString(1, "480");
    EXPECT_FALSE(DemoSizeParams(params, w, h));
    params.SetInteger(1, 480);
    params.SetInteger(2, 1);
    EXPECT_FALSE(DemoSizeParams(params, w, h));
}

TEST(EditorDemo, AMinimumWindowSizeGrowsOnlyTheShortSideAndCentresItOnTheWorkArea) {
    const TKelvoWindowBounds window{100, 50, 500, 600};
    EXPECT_EQ(GrowWindowToMinimum(window, kWorkArea, 800, 400), (TKelvoWindowBounds{112, 50, 800, 600}));
    EXPECT_EQ(GrowWindowToMinimum(window, kWorkArea, 400, 700), (TKelvoWindowBounds{100, 19, 500, 700}));
    // Larger than the work area: cut to it rather than pushed off the screen.
    EXPECT_EQ(GrowWindowToMinimum(window, TKelvoRect{0, 30, 1024, 768}, 5000, 5000),
              (TKelvoWindowBounds{0, 30, 1024, 738}));
}

TEST(EditorDemo, AMinimumViewSizeGrowsTheWindowByWhatTheViewLacksAndKeepsItOnTheWorkArea) {
    // The view is 60 x 120 pixels smaller than its window.
    const TKelvoWindowBounds window{100, 50, 500, 400};
    EXPECT_EQ(GrowWindowForView(window, 440, 280, kWorkArea, 600, 200), (TKelvoWindowBounds{100, 50, 660, 400}));
    EXPECT_EQ(GrowWindowForView(window, 440, 280, kWorkArea, 400, 200), window);
    // Sticking out at the right and the bottom: moved to the left and top edges, the height cut to the area.
    EXPECT_EQ(GrowWindowForView(window, 440, 280, kWorkArea, 900, 900), (TKelvoWindowBounds{0, 0, 960, 738}));
}

}  // namespace
