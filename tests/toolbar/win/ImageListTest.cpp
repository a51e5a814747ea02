// The toolbar image list: the stand-in lists for disabled, checked and hot items (checked by drawn pixels), and
// the strip bitmap its own images come from.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/PropertyStreams.h"
#include "toolbar/win/TTBImageList.h"

namespace {

// A strip of 16 x 16 cells: cell i has a square (4,4)-(11,11) of colours[i] on fuchsia.
TObjectPtr<TBitmap> Strip(const std::vector<TColor>& colours) {
    auto bmp = MakeObject<TBitmap>();
    bmp->SetSize(int(colours.size()) * 16, 16);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(TRect(0, 0, bmp->Width(), 16));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        c->Brush()->SetColor(colours[i]);
        const int x = int(i) * 16;
        c->FillRect(TRect(x + 4, 4, x + 12, 12));
    }
    return bmp;
}

TObjectPtr<TImageList> ListOf(TColor colour) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    auto strip = Strip({colour, colour});
    list->AddMasked(strip.get(), clFuchsia);
    return list;
}

struct Probe {
    TColor centre;
    TColor corner;
};

// Image 1 drawn in a state over white: its square's centre and a corner of the cell.
Probe Draw(TTBCustomImageList& list, bool enabled, bool hot, bool checked) {
    auto target = MakeObject<TBitmap>();
    target->SetSize(16, 16);
    target->Canvas()->Brush()->SetColor(clWhite);
    target->Canvas()->FillRect(TRect(0, 0, 16, 16));
    list.DrawState(target->Canvas(), 0, 0, 1, enabled, hot, checked);
    return {target->Canvas()->Pixels(8, 8), target->Canvas()->Pixels(0, 0)};
}

struct Counter {
    int calls = 0;
    void Changed(TObject*) { ++calls; }
};

}  // namespace

TEST(TBImageList, EachItemStateDrawsFromItsListAndADisabledImageComesInFullColour) {
    TObjectPtr<TTBImageList> list(Create<TTBImageList>(nullptr));
    auto own = Strip({clRed, clLime});
    list->SetImagesBitmap(own.get());
    auto disabled = ListOf(clBlue);
    auto checked = ListOf(clAqua);
    TObjectPtr<TImageList> hot = ListOf(clYellow);

    // Without stand-ins: the own image, greyed (embossed in the shadow colour) when disabled.
    EXPECT_EQ(Draw(*list, true, true, true).centre, clLime);
    EXPECT_EQ(Draw(*list, true, false, false).corner, clWhite);
    EXPECT_EQ(Draw(*list, false, false, false).centre, ColorToRGB(clBtnShadow));

    Counter counter;
    list->OnChange = MakeMethod<&Counter::Changed>(&counter);
    list->SetDisabledImages(disabled.get());
    list->SetCheckedImages(checked.get());
    list->SetHotImages(hot.get());
    EXPECT_EQ(counter.calls, 3);
    // Disabled wins over checked, checked over hot; the disabled list's image is drawn as it is.
    EXPECT_EQ(Draw(*list, false, true, true).centre, clBlue);
    EXPECT_EQ(Draw(*list, true, true, true).centre, clAqua);
    EXPECT_EQ(Draw(*list, true, true, false).centre, clYellow);
    EXPECT_EQ(Draw(*list, true, true, false).corner, clWhite);
    EXPECT_EQ(Draw(*list, true, false, false).centre, clLime);

    // A change of a stand-in is a change of the list; freeing one leaves none behind.
    auto blue = Strip({clBlue});
    hot->Replace(1, blue.get(), nullptr);
    EXPECT_EQ(counter.calls, 4);
    hot.reset();
    EXPECT_EQ(list->HotImages(), nullptr);
    EXPECT_EQ(Draw(*list, true, true, false).centre, clLime);
    // The list itself counts as none.
    list->SetHotImages(list.get());
    EXPECT_EQ(list->HotImages(), nullptr);
}

TEST(TBImageList, AStripBitmapFillsTheListWithItsMaskColourTransparentAndIsWhatTheStreamKeeps) {
    TObjectPtr<TTBImageList> list(Create<TTBImageList>(nullptr));
    EXPECT_EQ(list->ImagesBitmapMaskColor(), clFuchsia);
    auto strip = Strip({clRed, clLime, clBlue});
    list->SetImagesBitmap(strip.get());
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(Draw(*list, true, false, false).centre, clLime);
    EXPECT_EQ(Draw(*list, true, false, false).corner, clWhite);

    // Another mask colour fills the list again from the same bitmap: lime is see-through now, fuchsia shows.
    list->SetImagesBitmapMaskColor(clLime);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(Draw(*list, true, false, false).centre, clWhite);
    EXPECT_EQ(Draw(*list, true, false, false).corner, clFuchsia);

    // The bitmap carries the images, so the list's own image data is not written; without it, it is.
    EXPECT_FALSE(testsupport::ContainsText(testsupport::WriteProperties(list.get()), "Bitmap"));
    TObjectPtr<TTBImageList> plain(Create<TTBImageList>(nullptr));
    plain->AddMasked(strip.get(), clFuchsia);
    EXPECT_TRUE(testsupport::ContainsText(testsupport::WriteProperties(plain.get()), "Bitmap"));
}
