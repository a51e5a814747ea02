// Drop-shadow windows: their pieces, styles, mouse transparency and the bitmaps they are built from.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/ShadowGeometry.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"
#include "themed/win/TShadow.h"

namespace {
void Start() {
    classlib::UseSystemColors();
    RegisterSkinResourcesUnit();
    classlib::Startup();
}
}  // namespace

TEST(Shadows, LayeredPiecesAroundAPopupLetTheMouseThrough) {
    Start();
    TShadows shadows(Rect(100, 100, 500, 700), TRect{}, false, 200, 6);
    ASSERT_EQ(shadows.Count(), 2);
    TShadow* right = shadows.Piece(0);
    TShadow* below = shadows.Piece(1);
    EXPECT_EQ(right->Mode(), 1);
    EXPECT_EQ(right->Bounds(), Rect(500, 106, 506, 700));
    EXPECT_EQ(below->Bounds(), Rect(106, 700, 506, 706));
    for (TShadow* p : {right, below}) {
        ASSERT_NE(p->Handle(), nullptr);
        EXPECT_TRUE(::IsWindowVisible(p->Handle()));
        const LONG_PTR ex = ::GetWindowLongPtrA(p->Handle(), GWL_EXSTYLE);
        EXPECT_TRUE(ex & WS_EX_LAYERED);
        EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
        EXPECT_TRUE(::GetWindowLongPtrA(p->Handle(), GWL_STYLE) & WS_POPUP);
        EXPECT_EQ(::GetClassLongPtrA(p->Handle(), GCL_STYLE) & CS_SAVEBITS, DWORD(CS_SAVEBITS));
        EXPECT_EQ(::SendMessageA(p->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p->Bounds().Left, p->Bounds().Top)),
                  HTTRANSPARENT);
    }
    // The bitmap is the piece's own size, colour 0 and the shadow's alpha on top.
    TDIB32 dib;
    below->BuildBitmap(dib);
    EXPECT_EQ(dib.Width(), 400);
    EXPECT_EQ(dib.Height(), 6);
    EXPECT_EQ(dib.Row(0)[200], 0xFF000000u);
    EXPECT_EQ(dib.Row(5)[200], std::uint32_t(255 - 5 * 256 / 6) << 24);
    EXPECT_EQ(dib.Row(5)[0], 0u);
    classlib::Shutdown();
}

TEST(Shadows, WithoutBlendingPiecesArePlainAndHalfAsLarge) {
    Start();
    skin::SetBlendFunctionsAvailable(false, false, true);
    {
        TShadows shadows(Rect(10, 10, 110, 60), TRect{}, false, 255, 8);
        ASSERT_EQ(shadows.Count(), 2);
        EXPECT_EQ(shadows.Piece(0)->Mode(), 0);
        EXPECT_EQ(shadows.Piece(0)->Bounds(), Rect(110, 14, 114, 60));
        EXPECT_FALSE(::GetWindowLongPtrA(shadows.Piece(0)->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    }
    skin::SetBlendFunctionsAvailable(false, true, true);
    {
        TShadows shadows(Rect(10, 10, 110, 60), TRect{}, false, 255, 8);
        EXPECT_EQ(shadows.Piece(0)->Mode(), 2);
        EXPECT_EQ(shadows.Piece(0)->Bounds().Width(), 8);
    }
    skin::SetBlendFunctionsAvailable(true, true, true);
    {
        TShadows noAlpha(Rect(10, 10, 110, 60), TRect{}, true, 255, 8);
        EXPECT_EQ(noAlpha.Piece(0)->Mode(), 0);
        EXPECT_EQ(noAlpha.Piece(0)->Bounds().Width(), 4);
    }
    classlib::Shutdown();
}

TEST(Shadows, AWideMenuGetsThinPiecesAndAnEmptyPopupNone) {
    Start();
    TShadows wide(Rect(0, 20, 4000, 300), TRect{}, false, 255, 4);
    ASSERT_EQ(wide.Count(), 2);
    TDIB32 dib;
    wide.Piece(1)->BuildBitmap(dib);
    EXPECT_EQ(dib.Width() * dib.Height(), 4000 * 4);
    TShadows empty(TRect{}, TRect{}, false, 255, 4);
    EXPECT_EQ(empty.Count(), 0);
    TShadows joined(Rect(100, 100, 300, 400), Rect(100, 80, 160, 100), false, 255, 6);
    EXPECT_EQ(joined.Count(), 3);
    joined.SetZOrder(HWND_TOP);
    classlib::Shutdown();
}
