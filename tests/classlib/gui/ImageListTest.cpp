// Image lists: adding (masked strips, icons, insertion), size changes, change links, drawing checked by
// pixels (normal and embossed disabled), copying and the "Bitmap" stream entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "tests/support/PropertyStreams.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TIcon.h"

namespace {

constexpr TColor kBack = clFuchsia;

// A strip of 16-high cells of width cellWidth: cell i has a square (4,4)-(11,11) of colours[i] on fuchsia.
TObjectPtr<TBitmap> Strip(const std::vector<TColor>& colours, int cellWidth = 16, int extraWidth = 0) {
    auto bmp = MakeObject<TBitmap>();
    bmp->SetSize(int(colours.size()) * cellWidth + extraWidth, 16);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetColor(kBack);
    c->FillRect(TRect(0, 0, bmp->Width(), 16));
    for (std::size_t i = 0; i < colours.size(); ++i) {
        c->Brush()->SetColor(colours[i]);
        const int x = int(i) * cellWidth;
        c->FillRect(TRect(x + 4, 4, x + 12, 12));
    }
    return bmp;
}

// A pf24bit canvas filled with one colour.
TObjectPtr<TBitmap> Target(int width, int height, TColor fill) {
    auto bmp = MakeObject<TBitmap>();
    bmp->SetSize(width, height);
    bmp->Canvas()->Brush()->SetColor(fill);
    bmp->Canvas()->FillRect(TRect(0, 0, width, height));
    return bmp;
}

// The colour of image index's square centre and corner when drawn over white.
std::pair<TColor, TColor> Probe(TCustomImageList& list, int index) {
    auto target = Target(16, 16, clWhite);
    list.Draw(target->Canvas(), 0, 0, index);
    return {target->Canvas()->Pixels(8, 8), target->Canvas()->Pixels(0, 0)};
}

struct Counter {
    int calls = 0;
    TObject* sender = nullptr;
    void Changed(TObject* s) {
        ++calls;
        sender = s;
    }
};

}  // namespace

TEST(ImageList, MaskedStripsSplitIntoCellsAndDropNarrowRemainders) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    EXPECT_FALSE(list->HandleAllocated());
    EXPECT_EQ(list->Count(), 0);

    auto three = Strip({clRed, clLime, clBlue});
    EXPECT_EQ(list->AddMasked(three.get(), kBack), 0);
    EXPECT_EQ(list->Count(), 3);
    // 2 whole cells and 8 pixels left over: the remainder adds nothing.
    auto twoAndABit = Strip({clYellow, clNavy}, 16, 8);
    EXPECT_EQ(list->AddMasked(twoAndABit.get(), kBack), 3);
    EXPECT_EQ(list->Count(), 5);
    // Narrower than one image: nothing at all.
    auto narrow = Strip({clRed}, 10);
    EXPECT_EQ(list->AddMasked(narrow.get(), kBack), -1);
    EXPECT_EQ(list->AddMasked(nullptr, kBack), -1);
    EXPECT_EQ(list->Count(), 5);

    // Each cell became its own image; the mask colour shows what is under it.
    const TColor expected[] = {clRed, clLime, clBlue, clYellow, clNavy};
    for (int i = 0; i < 5; ++i) {
        const auto [centre, corner] = Probe(*list, i);
        EXPECT_EQ(centre, expected[i]) << "image " << i;
        EXPECT_EQ(corner, clWhite) << "image " << i;
    }
    // The caller's bitmap keeps its colours (the system list blackens the masked pixels of what it gets).
    EXPECT_EQ(three->Canvas()->Pixels(0, 0), kBack);
}

TEST(ImageList, SizeChangesEmptyTheListButKeepTheHandle) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    auto strip = Strip({clRed, clLime});
    list->AddMasked(strip.get(), kBack);
    const HIMAGELIST handle = list->Handle();
    Counter counter;
    list->OnChange = MakeMethod<&Counter::Changed>(&counter);

    list->SetWidth(16);  // unchanged: images stay
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(counter.calls, 0);

    list->SetWidth(24);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Handle(), handle);
    EXPECT_EQ(counter.calls, 1);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(handle, &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 16);

    list->AddMasked(Strip({clRed}, 24).get(), kBack);
    list->SetHeight(8);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_THROW(list->SetHeight(0), EInvalidOperation);
    EXPECT_THROW(list->SetWidth(-3), EInvalidOperation);
    EXPECT_EQ(list->Width(), 24);
    EXPECT_EQ(list->Height(), 8);
    EXPECT_THROW(TImageList(nullptr, 0, 16), EInvalidOperation);

    // A different kind of list starts empty too.
    list->AddMasked(Strip({clRed}, 24).get(), kBack);
    list->SetColorDepth(cd32Bit);
    EXPECT_EQ(list->Count(), 0);
}

TEST(ImageList, ChangeLinksAreToldUntilTheyLeave) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    Counter a, b, own;
    TChangeLink linkA;
    auto linkB = std::make_unique<TChangeLink>();
    linkA.OnChange = MakeMethod<&Counter::Changed>(&a);
    linkB->OnChange = MakeMethod<&Counter::Changed>(&b);
    list->OnChange = MakeMethod<&Counter::Changed>(&own);
    list->RegisterChanges(&linkA);
    linkB->SetSender(list.get());
    list->RegisterChanges(&linkA);  // once only
    EXPECT_EQ(linkA.Sender(), list.get());

    list->AddMasked(Strip({clRed}).get(), kBack);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(own.calls, 1);
    EXPECT_EQ(a.sender, list.get());
    EXPECT_EQ(own.sender, list.get());

    list->UnRegisterChanges(&linkA);
    EXPECT_EQ(linkA.Sender(), nullptr);
    linkB.reset();  // leaves the list by itself
    list->Delete(0);
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
    EXPECT_EQ(own.calls, 2);

    // Held back while updating, one report at the end; none when nothing changed.
    list->RegisterChanges(&linkA);
    list->BeginUpdate();
    list->BeginUpdate();
    list->AddMasked(Strip({clRed, clBlue}).get(), kBack);
    list->Delete(1);
    list->EndUpdate();
    EXPECT_TRUE(list->Updating());
    EXPECT_EQ(a.calls, 1);
    list->EndUpdate();
    EXPECT_FALSE(list->Updating());
    EXPECT_EQ(a.calls, 2);
    list->BeginUpdate();
    list->EndUpdate();
    EXPECT_EQ(a.calls, 2);

    // The list goes first: the link forgets it and can still be destroyed.
    list.reset();
    EXPECT_EQ(linkA.Sender(), nullptr);
}

TEST(ImageList, ALinkLeavingDuringNotificationIsNotCalledAfterwards) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    TChangeLink first, second;
    int secondCalls = 0;
    struct Leaver {
        TCustomImageList* list;
        TChangeLink* other;
        void Changed(TObject*) { list->UnRegisterChanges(other); }
    } leaver{list.get(), &second};
    struct Count {
        int* calls;
        void Changed(TObject*) { ++*calls; }
    } count{&secondCalls};
    first.OnChange = MakeMethod<&Leaver::Changed>(&leaver);
    second.OnChange = MakeMethod<&Count::Changed>(&count);
    list->RegisterChanges(&first);
    list->RegisterChanges(&second);
    list->Clear();
    EXPECT_EQ(secondCalls, 0);
    EXPECT_EQ(second.Sender(), nullptr);
}

TEST(ImageList, DrawsNormallyAndEmbossedWhenDisabled) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    // One image: a black square (4,4)-(7,7) and a light grey one (10,10)-(11,11) on fuchsia.
    auto image = Strip({clBlack});
    image->Canvas()->Brush()->SetColor(kBack);
    image->Canvas()->FillRect(TRect(8, 4, 12, 12));
    image->Canvas()->FillRect(TRect(4, 8, 8, 12));
    image->Canvas()->Brush()->SetColor(TColor(0xE0E0E0));
    image->Canvas()->FillRect(TRect(10, 10, 12, 12));
    ASSERT_EQ(list->AddMasked(image.get(), kBack), 0);

    auto target = Target(40, 20, clRed);
    TCanvas* c = target->Canvas();
    list->Draw(c, 0, 0, 0);
    EXPECT_EQ(c->Pixels(4, 4), clBlack);
    EXPECT_EQ(c->Pixels(7, 7), clBlack);
    EXPECT_EQ(c->Pixels(10, 10), TColor(0xE0E0E0));
    EXPECT_EQ(c->Pixels(0, 0), clRed);
    EXPECT_EQ(c->Pixels(8, 8), clRed);

    list->Draw(c, 20, 0, 0, false);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor highlight = ColorToRGB(clBtnHighlight);
    ASSERT_NE(shadow, highlight);
    // The dark square in shadow, its copy one pixel down and right in highlight where the shadow leaves it.
    EXPECT_EQ(c->Pixels(24, 4), shadow);
    EXPECT_EQ(c->Pixels(27, 7), shadow);
    EXPECT_EQ(c->Pixels(28, 8), highlight);
    EXPECT_EQ(c->Pixels(28, 5), highlight);
    EXPECT_EQ(c->Pixels(25, 8), highlight);
    // Around it, under the light pixels and under the mask, the target stays.
    EXPECT_EQ(c->Pixels(28, 4), clRed);
    EXPECT_EQ(c->Pixels(24, 8), clRed);
    EXPECT_EQ(c->Pixels(23, 3), clRed);
    EXPECT_EQ(c->Pixels(30, 10), clRed);
    EXPECT_EQ(c->Pixels(31, 11), clRed);
    EXPECT_EQ(c->Pixels(20, 0), clRed);

    // Out of range: nothing drawn.
    auto untouched = Target(16, 16, clRed);
    list->Draw(untouched->Canvas(), 0, 0, 1);
    list->Draw(untouched->Canvas(), 0, 0, -1, false);
    EXPECT_EQ(untouched->Canvas()->Pixels(4, 4), clRed);

    // The mask as image type: black where the image shows, white elsewhere.
    auto mask = Target(16, 16, clWhite);
    list->Draw(mask->Canvas(), 0, 0, 0, dsNormal, itMask);
    EXPECT_EQ(mask->Canvas()->Pixels(4, 4), clBlack);
    EXPECT_EQ(mask->Canvas()->Pixels(0, 0), clWhite);
}

TEST(ImageList, InsertReplaceDeleteAndIndexChecks) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    list->AddMasked(Strip({clRed, clLime}).get(), kBack);
    // Two images inserted at 1 keep their order: red, blue, yellow, lime.
    list->Insert(1, Strip({clBlue, clYellow}).get(), nullptr);
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(Probe(*list, 0).first, clRed);
    EXPECT_EQ(Probe(*list, 1).first, clBlue);
    EXPECT_EQ(Probe(*list, 2).first, clYellow);
    EXPECT_EQ(Probe(*list, 3).first, clLime);
    // Masks move with their images: the masked strip's corners stay transparent, the unmasked ones not.
    EXPECT_EQ(Probe(*list, 3).second, clWhite);
    EXPECT_EQ(Probe(*list, 1).second, kBack);
    list->Insert(4, Strip({clNavy}).get(), nullptr);
    EXPECT_EQ(Probe(*list, 4).first, clNavy);
    EXPECT_THROW(list->Insert(6, Strip({clNavy}).get(), nullptr), EInvalidOperation);
    EXPECT_THROW(list->Insert(-1, Strip({clNavy}).get(), nullptr), EInvalidOperation);

    list->Replace(2, Strip({clAqua}).get(), nullptr);
    EXPECT_EQ(Probe(*list, 2).first, clAqua);
    EXPECT_THROW(list->Replace(5, Strip({clAqua}).get(), nullptr), EInvalidOperation);

    list->Delete(0);
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(Probe(*list, 0).first, clBlue);
    EXPECT_THROW(list->Delete(4), EInvalidOperation);
    EXPECT_THROW(list->Delete(-1), EInvalidOperation);
    list->Clear();
    EXPECT_EQ(list->Count(), 0);
}

TEST(ImageList, BitmapsIconsAndCopies) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr, 24, 24));
    list->SetBkColor(clWhite);
    auto strip = MakeObject<TBitmap>();
    strip->SetSize(24, 24);
    strip->Canvas()->Brush()->SetColor(kBack);
    strip->Canvas()->FillRect(TRect(0, 0, 24, 24));
    strip->Canvas()->Brush()->SetColor(clGreen);
    strip->Canvas()->FillRect(TRect(2, 2, 10, 10));
    ASSERT_EQ(list->AddMasked(strip.get(), kBack), 0);

    auto bmp = MakeObject<TBitmap>();
    list->GetBitmap(0, bmp.get());
    EXPECT_EQ(bmp->Width(), 24);
    EXPECT_EQ(bmp->Height(), 24);
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 5), clGreen);
    EXPECT_EQ(bmp->Canvas()->Pixels(20, 20), clWhite);
    EXPECT_THROW(list->GetBitmap(1, bmp.get()), EInvalidOperation);

    auto icon = MakeObject<TIcon>();
    list->GetIcon(0, icon.get());
    ASSERT_FALSE(icon->Empty());
    EXPECT_EQ(list->AddIcon(icon.get()), 1);
    auto target = Target(24, 24, clRed);
    list->Draw(target->Canvas(), 0, 0, 1);
    EXPECT_EQ(target->Canvas()->Pixels(5, 5), clGreen);
    EXPECT_EQ(target->Canvas()->Pixels(20, 20), clWhite);  // dsNormal over BkColor

    TObjectPtr<TImageList> copy(Create<TImageList>(nullptr));
    Counter counter;
    copy->OnChange = MakeMethod<&Counter::Changed>(&counter);
    copy->Assign(list.get());
    EXPECT_EQ(counter.calls, 1);
    EXPECT_EQ(copy->Width(), 24);
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->BkColor(), clWhite);
    EXPECT_NE(copy->Handle(), list->Handle());
    list->Clear();
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_THROW(copy->Assign(bmp.get()), EConvertError);
}

namespace {

// Writes a "Bitmap" entry holding whatever bytes it is given.
class TForgedList : public TComponent {
    CLASSLIB_COMPONENT(TForgedList, TComponent)
    explicit TForgedList(TComponent* owner) : TComponent(owner) {}
    void DefineProperties(TFiler* filer) override {
        filer->DefineBinaryProperty(
            "Bitmap", nullptr, [this](TStream& s) { s.WriteBuffer(data.data(), std::int32_t(data.size())); }, true);
    }
    std::vector<Byte> data;
};

}  // namespace

TEST(ImageList, StreamsImagesAndPositionThroughDefinedEntries) {
    TObjectPtr<TImageList> source(Create<TImageList>(nullptr, 20, 16));
    source->AddMasked(Strip({clRed, clBlue}, 20).get(), kBack);
    source->SetDesignInfo(int32_t((34 << 16) | 12));
    const std::vector<Byte> bytes = testsupport::WriteProperties(source.get());
    EXPECT_TRUE(testsupport::ContainsText(bytes, "Bitmap"));

    TObjectPtr<TImageList> target(Create<TImageList>(nullptr));
    Counter counter;
    target->OnChange = MakeMethod<&Counter::Changed>(&counter);
    testsupport::ReadProperties(bytes, target.get());
    EXPECT_EQ(target->Width(), 20);
    EXPECT_EQ(target->Height(), 16);
    ASSERT_EQ(target->Count(), 2);
    EXPECT_EQ(target->DesignInfo(), (34 << 16) | 12);
    EXPECT_GE(counter.calls, 1);
    EXPECT_EQ(Probe(*target, 0).first, clRed);
    EXPECT_EQ(Probe(*target, 1).first, clBlue);
    EXPECT_EQ(Probe(*target, 1).second, clWhite);

    // Nothing to store: no "Bitmap" entry; an ancestor with the same images and position: neither.
    TObjectPtr<TImageList> empty(Create<TImageList>(nullptr));
    EXPECT_FALSE(testsupport::ContainsText(testsupport::WriteProperties(empty.get()), "Bitmap"));
    TMemoryStream s;
    TWriter w(s);
    w.SetAncestor(source.get());
    w.WriteProperties(target.get());
    const Byte* b = static_cast<const Byte*>(s.Memory());
    const std::vector<Byte> againstAncestor(b, b + s.Size());
    EXPECT_FALSE(testsupport::ContainsText(againstAncestor, "Bitmap"));
    EXPECT_FALSE(testsupport::ContainsText(againstAncestor, "Left"));
}

TEST(ImageList, MalformedImageDataRaisesAndKeepsTheList) {
    TObjectPtr<TImageList> list(Create<TImageList>(nullptr));
    list->AddMasked(Strip({clRed}).get(), kBack);
    TObjectPtr<TForgedList> forged(Create<TForgedList>(nullptr));
    forged->data = {'I', 'L', 3, 1, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4};
    EXPECT_THROW(testsupport::ReadProperties(testsupport::WriteProperties(forged.get()), list.get()), EReadError);
    forged->data.clear();
    EXPECT_THROW(testsupport::ReadProperties(testsupport::WriteProperties(forged.get()), list.get()), EReadError);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(Probe(*list, 0).first, clRed);
}
