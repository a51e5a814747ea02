// The 32-bit alpha bitmap: sizing, hand-over of its resources, copies between bitmaps and composition into
// drawing contexts, checked by pixels.
#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "themed/core/EDIB32Error.h"
#include "themed/core/TColorEffects.h"
#include "themed/win/TDIB32.h"

using graphicstest::Surface;

namespace {

// A w x h bitmap filled with value.
TObjectPtr<TDIB32> Filled(int w, int h, std::uint32_t value) {
    auto dib = MakeObject<TDIB32>();
    dib->SetSize(w, h);
    dib->Fill(value);
    return dib;
}

}  // namespace

TEST(DIB32, SizesKeepContentOnRequestAndFillClipsToTheBounds) {
    TDIB32 dib;
    EXPECT_TRUE(dib.Empty());
    dib.SetSize(-3, 5);
    EXPECT_TRUE(dib.Empty());
    EXPECT_EQ(dib.Handle(), nullptr);
    dib.SetSize(4, 3);
    dib.Fill(0x11223344u);
    dib.FillRect(TRect{2, 1, 10, 10}, 0xFF0000FFu);
    EXPECT_EQ(dib.Row(0)[3], 0x11223344u);
    EXPECT_EQ(dib.Row(1)[1], 0x11223344u);
    EXPECT_EQ(dib.Row(2)[3], 0xFF0000FFu);

    dib.SetSize(6, 4, true);
    EXPECT_EQ(dib.Row(2)[3], 0xFF0000FFu);
    EXPECT_EQ(dib.Row(0)[0], 0x11223344u);
    dib.SetSize(2, 2, false);
    EXPECT_EQ(dib.Width(), 2);
    EXPECT_NE(dib.Handle(), nullptr);
}

TEST(DIB32, CloneAndTakeOverMoveTheSectionAndAssignCopiesIt) {
    auto dib = Filled(3, 2, 0x80102030u);
    HBITMAP section = dib->Handle();
    auto clone = dib->Clone();
    EXPECT_TRUE(dib->Empty());
    EXPECT_EQ(dib->Handle(), nullptr);
    EXPECT_EQ(dib->DC(), nullptr);
    EXPECT_EQ(clone->Handle(), section);
    EXPECT_EQ(clone->Row(1)[2], 0x80102030u);

    TDIB32 other;
    other.SetSize(5, 5);
    other.TakeOver(clone.get());
    EXPECT_TRUE(clone->Empty());
    EXPECT_EQ(other.Width(), 3);
    EXPECT_EQ(other.Handle(), section);
    EXPECT_THROW(other.TakeOver(nullptr), EDIB32Error);
    EXPECT_THROW(other.TakeOver(&other), EDIB32Error);

    TDIB32 copy;
    copy.Assign(&other);
    EXPECT_NE(copy.Handle(), other.Handle());
    EXPECT_EQ(copy.Row(0)[0], 0x80102030u);
    other.Fill(0);
    EXPECT_EQ(copy.Row(0)[0], 0x80102030u);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(DIB32, CopyRectClipsToBothBitmapsAndCanExchange) {
    auto source = Filled(4, 4, 0xFF0000FFu);
    source->FillRect(TRect{0, 0, 1, 1}, 0xFFFF0000u);
    auto target = Filled(3, 3, 0x00000000u);
    // A source rectangle hanging off the source's top-left: the part cut off shifts the target too.
    source->CopyRect(target.get(), 1, 1, TRect{-1, -1, 3, 3});
    EXPECT_EQ(target->Row(1)[1], 0u);
    EXPECT_EQ(target->Row(2)[2], 0xFFFF0000u);
    EXPECT_EQ(target->Row(0)[0], 0u);

    auto a = Filled(2, 2, 1u);
    auto b = Filled(2, 2, 2u);
    a->CopyRect(b.get(), 0, 0, TRect{0, 0, 1, 2}, true);
    EXPECT_EQ(a->Row(0)[0], 2u);
    EXPECT_EQ(a->Row(1)[0], 2u);
    EXPECT_EQ(a->Row(0)[1], 1u);
    EXPECT_EQ(b->Row(1)[0], 1u);
    EXPECT_EQ(b->Row(1)[1], 2u);
}

TEST(DIB32, CopyRectWithinOneBitmapMovesOverlappingRowsIntact) {
    TDIB32 dib;
    dib.SetSize(1, 4);
    for (int y = 0; y < 4; ++y) dib.Row(y)[0] = std::uint32_t(y + 1);
    dib.CopyRect(&dib, 0, 1, TRect{0, 0, 1, 3});
    EXPECT_EQ(dib.Row(1)[0], 1u);
    EXPECT_EQ(dib.Row(2)[0], 2u);
    EXPECT_EQ(dib.Row(3)[0], 3u);
    dib.CopyRect(&dib, 0, 0, TRect{0, 1, 1, 4});
    EXPECT_EQ(dib.Row(0)[0], 1u);
    EXPECT_EQ(dib.Row(2)[0], 3u);
}

TEST(DIB32, AlphaComposeBlendsAtAConstantAlpha) {
    auto source = Filled(2, 2, 0xFFFFFFFFu);
    auto target = Filled(2, 2, 0xFF000000u);
    source->AlphaCompose(target.get(), 0, 0, source->Bounds(), 0);
    EXPECT_EQ(target->Row(0)[0], 0xFF000000u);
    source->AlphaCompose(target.get(), 1, 0, source->Bounds(), 128);
    EXPECT_EQ(target->Row(0)[0], 0xFF000000u);
    EXPECT_EQ(target->Row(0)[1] & 0xFFFFFFu, 0x808080u);
}

TEST(DIB32, AlphaDrawBlendsOverTheContextWithinItsClipBox) {
    // Small areas go through one scratch bitmap, large ones row by row: both give the same pixels.
    for (int size : {8, 80}) {
        SCOPED_TRACE(size);
        auto dib = Filled(size, size, 0x80FF0000u);  // red at half alpha
        dib->FillRect(TRect{0, 0, 1, 1}, 0x00FFFFFFu);
        dib->FillRect(TRect{1, 0, 2, 1}, 0xFF00FF00u);
        Surface surface(size + 10, size + 10, RGB(0, 0, 255));
        ::IntersectClipRect(surface.Dc(), 0, 0, size + 2, size + 2 - 3);
        dib->AlphaDraw(surface.Dc(), 2, 2, dib->Bounds());
        EXPECT_EQ(surface.At(2, 2), RGB(0, 0, 255));             // alpha 0 keeps the background
        EXPECT_EQ(surface.At(3, 2), RGB(0, 255, 0));             // alpha 255 replaces it
        EXPECT_EQ(surface.At(5, 5), RGB(128, 0, 127));           // (255 x 129 + 127) / 256, (255 x 127 + 127) / 256
        EXPECT_EQ(surface.At(5, size + 2 - 3), RGB(0, 0, 255));  // clipped away
        EXPECT_EQ(surface.At(1, 5), RGB(0, 0, 255));
        dib->AlphaDraw(surface.Dc(), 2, 2, dib->Bounds(), 0);
        EXPECT_EQ(surface.At(5, 5), RGB(128, 0, 127));
    }
    auto dib = Filled(4, 4, 0xFFFFFFFFu);
    Surface surface(8, 8, RGB(0, 0, 0));
    dib->AlphaDraw(surface.Dc(), 0, 0, dib->Bounds(), 128);
    EXPECT_EQ(surface.At(1, 1), RGB(128, 128, 128));
}

TEST(DIB32, DrawWithEffectsPassesEachPixelThroughTheList) {
    themed::RegisterBuiltInColorEffects();
    TColorEffects effects;
    ASSERT_TRUE(effects.Add(ceInvert, 0));
    auto dib = Filled(3, 3, 0xFF203040u);
    Surface surface(5, 5, RGB(9, 9, 9));
    dib->DrawWithEffects(surface.Dc(), 1, 1, effects, TRect{0, 0, 2, 2});
    EXPECT_EQ(surface.At(1, 1), RGB(0xDF, 0xCF, 0xBF));
    EXPECT_EQ(surface.At(3, 3), RGB(9, 9, 9));
}

TEST(DIB32, DrawDisabledEmbossesDarkPixelsInTheButtonColours) {
    auto dib = Filled(4, 4, 0x00000000u);
    dib->FillRect(TRect{1, 1, 2, 2}, 0xFF000000u);  // one opaque black pixel
    dib->FillRect(TRect{3, 3, 4, 4}, 0xFFFFFFFFu);  // white: too light to show
    Surface surface(8, 8, RGB(1, 2, 3));
    dib->DrawDisabled(surface.Dc(), 2, 2, dib->Bounds());
    EXPECT_EQ(surface.At(4, 4), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(surface.At(3, 3), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(surface.At(5, 5), RGB(1, 2, 3));
    EXPECT_EQ(surface.At(6, 6), RGB(1, 2, 3));
}

TEST(DIB32, StretchDrawResamplesWithAlphaOrCopiesPlainly) {
    auto dib = Filled(2, 1, 0xFFFF0000u);
    dib->FillRect(TRect{1, 0, 2, 1}, 0x000000FFu);  // transparent right half
    Surface surface(8, 4, RGB(0, 255, 0));
    dib->StretchDraw(surface.Dc(), TRect{0, 0, 8, 2}, sdAlpha | sdResample, dib->Bounds());
    EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(7, 1), RGB(0, 255, 0));
    EXPECT_EQ(surface.At(0, 3), RGB(0, 255, 0));
    // Equal sizes without alpha: the pixels as they are.
    dib->StretchDraw(surface.Dc(), TRect{0, 2, 2, 3}, 0, dib->Bounds());
    EXPECT_EQ(surface.At(1, 2), RGB(0, 0, 255));
    // Without a context nothing happens.
    dib->StretchDraw(nullptr, TRect{0, 0, 8, 2}, sdAlpha, dib->Bounds());
}

TEST(DIB32, IconsCarryAlphaIntoASystemListAndBackOut) {
    auto dib = Filled(16, 16, 0x00000000u);
    dib->FillRect(TRect{0, 0, 8, 16}, 0xFF2040C0u);
    dib->FillRect(TRect{8, 0, 16, 8}, 0x80FFFFFFu);
    HICON icon = dib->MakeIcon();
    ASSERT_NE(icon, nullptr);
    HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ASSERT_EQ(::ImageList_ReplaceIcon(list, -1, icon), 0);
    ::DestroyIcon(icon);

    TDIB32 back;
    back.SetSize(20, 20);
    back.Fill(0x12345678u);
    back.LoadFromImageList(list, 0, true, TRect{2, 2, 18, 18});
    EXPECT_EQ(back.Row(0)[0], 0x12345678u);
    EXPECT_EQ(back.Row(2)[2], 0xFF2040C0u);
    EXPECT_EQ(back.Row(17)[17] >> 24, 0u);
    const std::uint32_t half = back.Row(2)[12];
    EXPECT_NEAR(int(half >> 24), 0x80, 2);
    EXPECT_NEAR(int(half & 0xFF), 0xFF, 3);
    ::ImageList_Destroy(list);

    TDIB32 empty;
    EXPECT_EQ(empty.MakeIcon(), nullptr);
}
