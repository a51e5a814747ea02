// The alpha image strip: sizes and growth, adding, inserting, deleting and moving images together with their
// values, copies, and drawing by style with tints and overlays.
#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "themed/core/EDIB32Error.h"
#include "themed/win/TDIBList32.h"

using graphicstest::Surface;

namespace {

// A 4 x 4 image of one value.
TObjectPtr<TDIB32> Image(std::uint32_t value) {
    auto dib = MakeObject<TDIB32>();
    dib->SetSize(4, 4);
    dib->Fill(value);
    return dib;
}

// Adds images of the given values and gives image i the value 100 + its value's low byte.
void AddAll(TDIBList32& list, std::initializer_list<std::uint32_t> values) {
    for (std::uint32_t v : values) {
        const int index = list.Add(Image(v).get(), TRect{0, 0, 4, 4});
        list.SetValue(index, 100 + (v & 0xFF));
    }
}

// The value filling image index (its top-left pixel) and the image's own value.
std::pair<std::uint32_t, std::uint32_t> At(TDIBList32& list, int index) {
    return {list.Get(index)->Row(3)[3], list.Value(index)};
}

}  // namespace

TEST(DIBList32, RefusesEmptySizesAndCutsTheGrowStep) {
    EXPECT_THROW(TDIBList32(0, 16, 4), EDIB32Error);
    EXPECT_THROW(TDIBList32(16, -1, 4), EDIB32Error);
    TDIBList32 list(16, 16, 0);
    EXPECT_EQ(list.GrowStep(), 16);
    list.SetSize(16, 16, 5000);
    EXPECT_EQ(list.GrowStep(), 1024);
    list.SetSize(4, 4, 3);
    EXPECT_EQ(list.GrowStep(), 3);
    AddAll(list, {1});
    EXPECT_EQ(list.Capacity(), 3);
    AddAll(list, {2, 3, 4});
    EXPECT_EQ(list.Capacity(), 6);
    EXPECT_THROW(list.SetSize(4, 0, 1), EDIB32Error);
}

TEST(DIBList32, AddsAndInsertsImagesWithTheirValues) {
    TDIBList32 list(4, 4, 2);
    AddAll(list, {0xFF000001u, 0xFF000002u, 0xFF000003u});
    ASSERT_EQ(list.Count(), 3);
    // An index inside the list inserts there; any other appends.
    EXPECT_EQ(list.Add(Image(0xFF000009u).get(), TRect{0, 0, 4, 4}, 1), 1);
    EXPECT_EQ(list.Add(Image(0xFF000008u).get(), TRect{0, 0, 4, 4}, 17), 4);
    EXPECT_EQ(At(list, 0), std::make_pair(0xFF000001u, 101u));
    EXPECT_EQ(At(list, 1), std::make_pair(0xFF000009u, 0u));
    EXPECT_EQ(At(list, 2), std::make_pair(0xFF000002u, 102u));
    EXPECT_EQ(At(list, 3), std::make_pair(0xFF000003u, 103u));
    EXPECT_EQ(At(list, 4), std::make_pair(0xFF000008u, 0u));
    EXPECT_EQ(list.GetRect(2), (TRect{0, 8, 4, 12}));

    // A part of a larger image, at an offset.
    auto big = Image(0xFF0000AAu);
    big->SetSize(10, 10, true);
    big->FillRect(TRect{5, 5, 9, 9}, 0xFF0000BBu);
    EXPECT_EQ(list.Add(big.get(), TRect{5, 5, 9, 9}), 5);
    EXPECT_EQ(list.Get(5)->Row(0)[0], 0xFF0000BBu);

    EXPECT_THROW(list.Add(nullptr, TRect{0, 0, 4, 4}), EDIB32Error);
    EXPECT_THROW(list.Add(big.get(), TRect{0, 0, 5, 4}), EDIB32Error);
    EXPECT_THROW(list.Add(list.Strip(), TRect{0, 0, 4, 4}), EDIB32Error);
    EXPECT_THROW(list.Get(6), EDIB32Error);
    EXPECT_THROW(list.Get(-1), EDIB32Error);
    EXPECT_EQ(list.GetIcon(6), nullptr);
    EXPECT_EQ(list.Count(), 6);
}

TEST(DIBList32, DeletesAndMovesImagesWithTheirValuesAndOverlays) {
    TDIBList32 list(4, 4, 1);
    AddAll(list, {0xFF000001u, 0xFF000002u, 0xFF000003u, 0xFF000004u});
    list.SetOverlay(1, 3);
    list.SetOverlay(2, 1);
    list.Delete(1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(At(list, 1), std::make_pair(0xFF000003u, 103u));
    EXPECT_EQ(At(list, 2), std::make_pair(0xFF000004u, 104u));
    EXPECT_EQ(list.Overlay(1), 2);   // follows its image
    EXPECT_EQ(list.Overlay(2), -1);  // its image is gone
    EXPECT_THROW(list.Delete(3), EDIB32Error);
    EXPECT_THROW(list.Overlay(16), EDIB32Error);

    list.Move(0, 2);
    EXPECT_EQ(At(list, 0), std::make_pair(0xFF000003u, 103u));
    EXPECT_EQ(At(list, 1), std::make_pair(0xFF000004u, 104u));
    EXPECT_EQ(At(list, 2), std::make_pair(0xFF000001u, 101u));
    list.Move(2, 0);
    EXPECT_EQ(At(list, 0), std::make_pair(0xFF000001u, 101u));
    EXPECT_EQ(At(list, 2), std::make_pair(0xFF000004u, 104u));
    EXPECT_THROW(list.Move(0, 3), EDIB32Error);
}

TEST(DIBList32, AssignAndEqualsCompareSizeCountAndPixels) {
    TDIBList32 a(4, 4, 1);
    AddAll(a, {0xFF000001u, 0xFF000002u});
    TDIBList32 b(8, 8, 1);
    EXPECT_FALSE(b.Equals(&a));
    b.Assign(&a);
    EXPECT_TRUE(b.Equals(&a));
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(At(b, 1), std::make_pair(0xFF000002u, 102u));
    b.Strip()->Row(5)[1] = 0;
    EXPECT_FALSE(b.Equals(&a));
    EXPECT_FALSE(b.Equals(nullptr));
    b.Assign(nullptr);
    EXPECT_EQ(b.Count(), 0);
}

TEST(DIBList32, DrawsByStyleWithBackgroundTintAndOverlay) {
    TDIBList32 list(4, 4, 1);
    AddAll(list, {0xFFFFFFFFu, 0x00000000u});
    list.Strip()->FillRect(TRect{0, 4, 1, 5}, 0xFFFF0000u);  // image 1: one red pixel, the rest transparent
    list.SetOverlay(3, 1);

    Surface surface(10, 10, RGB(0, 0, 0));
    // Plain, and over a background that is filled first.
    list.Draw(0, surface.Dc(), 0, 0, 2, 0, dlColorNone, dlColorNone, ILD_NORMAL);
    EXPECT_EQ(surface.At(1, 3), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(2, 0), RGB(0, 0, 0));  // cut to the width asked for
    list.Draw(1, surface.Dc(), 5, 5, 0, 0, RGB(0, 0, 255), dlColorNone, ILD_NORMAL);
    EXPECT_EQ(surface.At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(8, 8), RGB(0, 0, 255));
    // The transparent flag keeps the background out.
    surface.Fill(RGB(0, 0, 0));
    list.Draw(1, surface.Dc(), 5, 5, 0, 0, RGB(0, 0, 255), dlColorNone, ILD_TRANSPARENT);
    EXPECT_EQ(surface.At(8, 8), RGB(0, 0, 0));

    // A quarter strength without a tint: constant alpha 64.
    surface.Fill(RGB(0, 0, 0));
    list.Draw(0, surface.Dc(), 0, 0, 0, 0, dlColorNone, dlColorNone, ILD_BLEND25);
    EXPECT_EQ(surface.At(1, 1), RGB(64, 64, 64));
    // Half strength: 128; with a tint the colour moves toward it.
    surface.Fill(RGB(0, 0, 0));
    list.Draw(0, surface.Dc(), 0, 0, 0, 0, dlColorNone, RGB(0, 0, 255), ILD_BLEND50);
    const COLORREF tinted = surface.At(1, 1);
    EXPECT_GT(GetBValue(tinted), GetRValue(tinted));
    EXPECT_GT(GetRValue(tinted), 0);
    EXPECT_LT(GetBValue(tinted), 255);

    // An overlay slot in bits 8-11 draws its image over the first.
    surface.Fill(RGB(0, 0, 0));
    list.Draw(0, surface.Dc(), 0, 0, 0, 0, dlColorNone, dlColorNone, INDEXTOOVERLAYMASK(3));
    EXPECT_EQ(surface.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(surface.At(1, 0), RGB(255, 255, 255));

    // Out of range: nothing.
    surface.Fill(RGB(0, 0, 0));
    list.Draw(2, surface.Dc(), 0, 0, 0, 0, RGB(0, 0, 255), dlColorNone, ILD_NORMAL);
    EXPECT_EQ(surface.CountOf(RGB(0, 0, 0)), 100);
}

TEST(DIBList32, TakesImagesFromASystemListWithTheirAlpha) {
    HIMAGELIST system = ::ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 1, 1);
    auto image = Image(0x00000000u);
    image->FillRect(TRect{0, 0, 2, 4}, 0xFF10C020u);
    HICON icon = image->MakeIcon();
    ::ImageList_ReplaceIcon(system, -1, icon);
    ::DestroyIcon(icon);
    TDIBList32 list(4, 4, 1);
    AddAll(list, {0xFF000001u});
    EXPECT_EQ(list.AddFromImageList(system, 0, 0), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0)->Row(1)[1], 0xFF10C020u);
    EXPECT_EQ(list.Get(0)->Row(1)[3] >> 24, 0u);
    EXPECT_EQ(At(list, 1), std::make_pair(0xFF000001u, 101u));
    ::ImageList_Destroy(system);
}
