// The alpha image list: the system list and the alpha strip kept at equal counts whichever way images come
// in, drawing with alpha, and the "PngDIB" stream entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "tests/support/PropertyStreams.h"
#include "classlib/win/TBitmap.h"
#include "themed/core/EDIB32Error.h"
#include "themed/core/TPNGReader.h"
#include "themed/core/TPNGWriter.h"
#include "themed/win/TSkinImageList.h"

namespace {

constexpr TColor kBack = clFuchsia;

// A strip of 16 x 16 cells: cell i has a square (4,4)-(11,11) of colours[i] on fuchsia.
TObjectPtr<TBitmap> Strip(const std::vector<TColor>& colours) {
    auto bmp = MakeObject<TBitmap>();
    bmp->SetSize(int(colours.size()) * 16, 16);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(kBack);
    c->FillRect(TRect(0, 0, bmp->Width(), 16));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        c->Brush()->SetColor(colours[i]);
        c->FillRect(TRect(int(i) * 16 + 4, 4, int(i) * 16 + 12, 12));
    }
    return bmp;
}

// A 16 x 16 alpha image of one pixel value.
TObjectPtr<TDIB32> Image(std::uint32_t value) {
    auto dib = MakeObject<TDIB32>();
    dib->SetSize(16, 16);
    dib->Fill(value);
    return dib;
}

TObjectPtr<TSkinImageList> NewList() { return TObjectPtr<TSkinImageList>(Create<TSkinImageList>(nullptr)); }

std::uint32_t PixelOf(TSkinImageList& list, int index, int x, int y) { return list.AlphaList()->Get(index)->Row(y)[x]; }

void ExpectEqualCounts(TSkinImageList& list, int count) {
    EXPECT_EQ(list.Count(), count);
    EXPECT_EQ(list.AlphaList()->Count(), count);
}

// Writes the given entries in order, each holding the bytes it is given.
class TForgedList : public TComponent {
    CLASSLIB_COMPONENT(TForgedList, TComponent)
public:
    explicit TForgedList(TComponent* owner) : TComponent(owner) {}
    void DefineProperties(TFiler* filer) override {
        for (const auto& [name, data] : entries)
            filer->DefineBinaryProperty(
                name.c_str(), nullptr, [&data](TStream& s) { s.WriteBuffer(data.data(), std::int32_t(data.size())); },
                true);
    }
    std::vector<std::pair<std::string, std::vector<Byte>>> entries;
};

}  // namespace

TEST(SkinImageList, EveryWayOfAddingKeepsBothListsEqual) {
    auto list = NewList();
    EXPECT_EQ(list->ColorDepth(), cd32Bit);
    EXPECT_EQ(list->AddMasked(Strip({clRed, clBlue}).get(), kBack), 0);
    ExpectEqualCounts(*list, 2);
    // The mask colour came out transparent, the rest opaque.
    EXPECT_EQ(PixelOf(*list, 0, 0, 0) >> 24, 0u);
    EXPECT_EQ(PixelOf(*list, 0, 5, 5), 0xFFFF0000u);
    EXPECT_EQ(PixelOf(*list, 1, 5, 5), 0xFF0000FFu);

    EXPECT_EQ(list->Add(Strip({clLime}).get(), nullptr), 2);
    ExpectEqualCounts(*list, 3);
    EXPECT_EQ(PixelOf(*list, 2, 5, 5), 0xFF00FF00u);
    EXPECT_EQ(PixelOf(*list, 2, 0, 0), 0xFFFF00FFu);  // no mask: all of it shows

    list->Insert(1, Strip({clYellow}).get(), nullptr);
    ExpectEqualCounts(*list, 4);
    EXPECT_EQ(PixelOf(*list, 1, 5, 5), 0xFFFFFF00u);
    EXPECT_EQ(PixelOf(*list, 2, 5, 5), 0xFF0000FFu);

    list->Replace(0, Strip({clAqua}).get(), nullptr);
    ExpectEqualCounts(*list, 4);
    EXPECT_EQ(PixelOf(*list, 0, 5, 5), 0xFF00FFFFu);

    EXPECT_EQ(list->AddImage(Image(0x80102030u).get(), TRect{0, 0, 16, 16}), 4);
    ExpectEqualCounts(*list, 5);
    EXPECT_THROW(list->AddImage(Image(0).get(), TRect{0, 0, 8, 8}), EDIB32Error);
    ExpectEqualCounts(*list, 5);

    list->Delete(1);
    ExpectEqualCounts(*list, 4);
    EXPECT_EQ(PixelOf(*list, 1, 5, 5), 0xFF0000FFu);
    EXPECT_THROW(list->Delete(4), EInvalidOperation);
    ExpectEqualCounts(*list, 4);

    list->Clear();
    ExpectEqualCounts(*list, 0);
}

TEST(SkinImageList, ASizeChangeEmptiesAndResizesTheAlphaList) {
    auto list = NewList();
    list->AddMasked(Strip({clRed}).get(), kBack);
    list->SetWidth(24);
    ExpectEqualCounts(*list, 0);
    EXPECT_EQ(list->AlphaList()->Width(), 24);
    EXPECT_EQ(list->AlphaList()->Height(), 16);
    // While updating the change waits for EndUpdate.
    list->BeginUpdate();
    list->SetHeight(20);
    EXPECT_EQ(list->AlphaList()->Height(), 16);
    list->EndUpdate();
    EXPECT_EQ(list->AlphaList()->Height(), 20);
}

TEST(SkinImageList, DrawsItsImagesWithAlphaAndDisabledEmbossed) {
    auto list = NewList();
    auto image = Image(0x00000000u);
    image->FillRect(TRect{0, 0, 8, 16}, 0x80FFFFFFu);
    image->FillRect(TRect{8, 0, 16, 16}, 0xFF000000u);
    list->AddImage(image.get(), image->Bounds());

    TBitmap target;
    target.SetSize(20, 20);
    target.Canvas()->Brush()->SetColor(clBlack);
    target.Canvas()->FillRect(TRect{0, 0, 20, 20});
    list->Draw(target.Canvas(), 2, 2, 0);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), TColor(RGB(128, 128, 128)));
    EXPECT_EQ(target.Canvas()->Pixels(19, 19), clBlack);
    list->Draw(target.Canvas(), 2, 2, 5);  // out of range: nothing

    target.Canvas()->Brush()->SetColor(clRed);
    target.Canvas()->FillRect(TRect{0, 0, 20, 20});
    list->Draw(target.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(target.Canvas()->Pixels(10, 5), TColor(::GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(target.Canvas()->Pixels(16, 5), TColor(::GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(target.Canvas()->Pixels(18, 5), clRed);
}

TEST(SkinImageList, StreamsItsImagesAsOnePngStripAndReadsThemBack) {
    auto source = NewList();
    source->AddMasked(Strip({clRed, clBlue}).get(), kBack);
    source->AddImage(Image(0x80102030u).get(), TRect{0, 0, 16, 16});
    const std::vector<Byte> bytes = testsupport::WriteProperties(source.get());
    EXPECT_TRUE(testsupport::ContainsText(bytes, "PngDIB"));
    EXPECT_FALSE(testsupport::ContainsText(bytes, "Bitmap"));

    auto target = NewList();
    testsupport::ReadProperties(bytes, target.get());
    ExpectEqualCounts(*target, 3);
    EXPECT_TRUE(target->AlphaList()->Equals(source->AlphaList()));
    EXPECT_EQ(PixelOf(*target, 2, 7, 7), 0x80102030u);

    // Equal to its ancestor: nothing written; an empty list without ancestor writes nothing either.
    EXPECT_FALSE(testsupport::ContainsText(testsupport::WriteProperties(target.get(), source.get()), "PngDIB"));
    EXPECT_FALSE(testsupport::ContainsText(testsupport::WriteProperties(NewList().get()), "PngDIB"));
    target->Delete(0);
    EXPECT_TRUE(testsupport::ContainsText(testsupport::WriteProperties(target.get(), source.get()), "PngDIB"));
}

TEST(SkinImageList, PngDIBHoldsACountAndOneStripOfAllImages) {
    auto list = NewList();
    TMemoryStream empty;
    list->WritePngDIB(empty);
    EXPECT_EQ(empty.Size(), 4);

    for (TColor c : {clRed, clLime, clBlue}) list->AddMasked(Strip({c}).get(), kBack);
    TMemoryStream three;
    list->WritePngDIB(three);
    const auto bytes = testsupport::StreamBytes(three);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
    three.SetPosition(4);
    TPNGReader reader;
    reader.LoadFromStream(three);
    EXPECT_EQ(reader.Width(), 16u);
    EXPECT_EQ(reader.Height(), 48u);
    EXPECT_EQ(reader.Pixels()[std::size_t(16 * 16 * 2 + 16 * 5 + 5)], 0xFF0000FFu);

    // A list of another width takes nothing from it, without an error.
    auto wide = NewList();
    wide->SetWidth(24);
    three.SetPosition(0);
    wide->ReadPngDIB(three);
    ExpectEqualCounts(*wide, 0);
    // A count whose product with the height wraps to the PNG's height in 32 bits is no match either.
    TMemoryStream wrapped;
    const Byte count[4] = {0x01, 0x00, 0x00, 0x10};  // 2^28 + 1: 16 x count = 2^32 + 16
    wrapped.WriteBuffer(count, 4);
    const std::vector<std::uint32_t> one(16 * 16, 0xFF00FF00u);
    TPNGWriter(16, one.data(), 16, 16).SaveToStream(wrapped);
    wrapped.SetPosition(0);
    auto crafted = NewList();
    crafted->ReadPngDIB(wrapped);
    ExpectEqualCounts(*crafted, 0);
    // Only the first entry read counts.
    auto fresh = NewList();
    three.SetPosition(0);
    fresh->ReadPngDIB(three);
    three.SetPosition(0);
    fresh->ReadPngDIB(three);
    ExpectEqualCounts(*fresh, 3);
}

TEST(SkinImageList, ReadsTheSystemListEntryAndThenIgnoresPngDIB) {
    TObjectPtr<TImageList> plain(Create<TImageList>(nullptr));
    plain->AddMasked(Strip({clRed, clBlue}).get(), kBack);
    TMemoryStream systemData;
    plain->WriteData(systemData);
    auto other = NewList();
    other->AddMasked(Strip({clLime, clLime, clLime}).get(), kBack);
    TMemoryStream pngData;
    other->WritePngDIB(pngData);

    TObjectPtr<TForgedList> forged(Create<TForgedList>(nullptr));
    forged->entries = {{"Bitmap", testsupport::StreamBytes(systemData)}, {"PngDIB", testsupport::StreamBytes(pngData)}};
    auto list = NewList();
    testsupport::ReadProperties(testsupport::WriteProperties(forged.get()), list.get());
    ExpectEqualCounts(*list, 2);
    EXPECT_EQ(PixelOf(*list, 1, 5, 5), 0xFF0000FFu);
    EXPECT_EQ(PixelOf(*list, 1, 0, 0) >> 24, 0u);
}

TEST(SkinImageList, AssignCopiesSkinListsAndDerivesAlphaFromOthers) {
    auto source = NewList();
    source->AddImage(Image(0x80102030u).get(), TRect{0, 0, 16, 16});
    auto copy = NewList();
    copy->SetWidth(24);
    copy->Assign(source.get());
    EXPECT_EQ(copy->Width(), 16);
    ExpectEqualCounts(*copy, 1);
    EXPECT_EQ(PixelOf(*copy, 0, 3, 3), 0x80102030u);

    TObjectPtr<TImageList> plain(Create<TImageList>(nullptr));
    plain->AddMasked(Strip({clRed}).get(), kBack);
    auto derived = NewList();
    derived->SetWidth(20);
    derived->AddImage(Image(0xFF000000u).get(), TRect{0, 0, 20, 16});
    derived->Assign(plain.get());
    EXPECT_EQ(derived->Width(), 16);
    EXPECT_EQ(derived->AlphaList()->Width(), 16);
    ExpectEqualCounts(*derived, 1);
    EXPECT_EQ(PixelOf(*derived, 0, 5, 5), 0xFFFF0000u);
    EXPECT_EQ(PixelOf(*derived, 0, 0, 0) >> 24, 0u);

    derived->Assign(nullptr);
    ExpectEqualCounts(*derived, 0);
}
