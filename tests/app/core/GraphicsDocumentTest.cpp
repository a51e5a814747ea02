#include <gtest/gtest.h>

#include <cstring>

#include "tests/app/core/DocumentFakes.h"
#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoGraphicsCommandState.h"
#include "app/core/TKelvoPackedPixels.h"

using namespace docfakes;

namespace {

// Records the broadcasts; EndEdit commits like a tool does.
struct Tool : IKelvoGraphicsTool {
    std::string Name;
    std::vector<std::string>* Log;
    TKelvoGraphicsDocument* Bound = nullptr;
    Tool(std::string name, std::vector<std::string>* log) : Name(std::move(name)), Log(log) {}
    void EndEdit() override {
        Log->push_back(Name + ".EndEdit");
        if (Bound) Bound->CommitEdit(this);
    }
    void DocumentOpened(TKelvoGraphicsDocument&) override { Log->push_back(Name + ".Opened"); }
    void DocumentClosing(TKelvoGraphicsDocument&) override { Log->push_back(Name + ".Closing"); }
    void BeforeSave(TKelvoGraphicsDocument&) override { Log->push_back(Name + ".BeforeSave"); }
    void StateApplied(TKelvoGraphicsDocument&, IKelvoGraphicsTool*, const TKelvoRect&) override {
        Log->push_back(Name + ".StateApplied");
    }
    void DocumentFreed(TKelvoGraphicsDocument& d) override {
        Log->push_back(Name + ".Freed");
        if (Bound == &d) Bound = nullptr;
    }
};

struct View : TKelvoDocumentView {
    std::vector<TKelvoRect> Invalidated;
    int Changes = 0;
    void InvalidateImageRect(const TKelvoRect& r) override { Invalidated.push_back(r); }
    void ImageChanged() override { ++Changes; }
};

// Every pixel different: (x, y) is red x, green y, blue 7.
void FillCoordinates(TKelvoPixels& p) {
    for (std::int32_t y = p.Top(); y < p.Top() + p.Height(); ++y)
        for (std::int32_t x = p.Left(); x < p.Left() + p.Width(); ++x)
            MakeBGR(p.PixelAddress(x, y), Byte(x), Byte(y), 7);
}

bool SamePixels(const TKelvoPixels& a, const TKelvoPixels& b) {
    if (a.GetBounds() != b.GetBounds()) return false;
    for (std::int32_t y = a.Top(); y < a.Top() + a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), std::size_t(a.Width()) * 3) != 0) return false;
    return true;
}

struct GraphicsTest : ::testing::Test {
    FakeUI ui;
    FakeFormats formats;
    Editor editor{ui, formats};
    std::vector<std::string> log;
    Tool a{"A", &log}, b{"B", &log};
    View* view = nullptr;
    std::vector<std::u16string> errors;
    std::int32_t shownWidth = 0, shownHeight = 0;
    std::unique_ptr<TKelvoGraphicsDocument> doc;

    void SetUp() override {
        TKelvoGraphicsDocumentHooks hooks;
        hooks.Tools = [this] { return std::vector<IKelvoGraphicsTool*>{&a, &b}; };
        hooks.MakeView = [this](TKelvoGraphicsDocument&) {
            auto v = std::make_unique<View>();
            view = v.get();
            return std::unique_ptr<TKelvoDocumentView>(std::move(v));
        };
        hooks.ShowSize = [this](std::int32_t w, std::int32_t h) { shownWidth = w, shownHeight = h; };
        hooks.ShowError = [this](const std::u16string& t) { errors.push_back(t); };
        doc = std::make_unique<TKelvoGraphicsDocument>(editor, hooks);
    }
    // A w x h image in both bitmaps, every pixel telling where it was.
    void MakeImage(std::int32_t w, std::int32_t h) {
        ASSERT_TRUE(doc->Working().SetSize(w, h, KelvoFormatBGR24));
        FillCoordinates(doc->GetPixels());
        ASSERT_TRUE(doc->Original().Assign(doc->GetPixels()));
        doc->SyncCommitted();
    }
    // Paints rect of the working pixels with one colour as tool's edit.
    void Paint(Tool& tool, const TKelvoRect& rect, Byte value) {
        doc->BeginEditing(&tool);
        tool.Bound = doc.get();
        for (std::int32_t y = rect.Top; y < rect.Bottom; ++y)
            std::memset(doc->GetPixels().PixelAddress(rect.Left, y), value, std::size_t(rect.Width()) * 3);
        doc->AddDirtyRect(rect, false);
    }
};

// Where the pixel that was at (x, y) of the first image is now: found by its colour.
bool Holds(TKelvoPixels& p, std::int32_t px, std::int32_t py, std::int32_t x, std::int32_t y) {
    const Byte* q = p.PixelAddress(px, py);
    return q[0] == 7 && q[1] == Byte(y) && q[2] == Byte(x);
}

}  // namespace

TEST_F(GraphicsTest, TurnsAndMirrorsMoveBothBitmapsAndTheAreaTogether) {
    using Op = bool (TKelvoGraphicsDocument::*)();
    const Op ops[] = {&TKelvoGraphicsDocument::RotateLeft, &TKelvoGraphicsDocument::RotateRight,
                      &TKelvoGraphicsDocument::FlipHorizontal, &TKelvoGraphicsDocument::FlipVertical};
    for (Op op : ops) {
        MakeImage(7, 5);
        doc->SetImageRect(TKelvoRect{1, 1, 4, 3});
        ASSERT_TRUE(((*doc).*op)());
        // The area holds exactly the pixels it held: every one of (1..3, 1..2) is inside it, in both bitmaps.
        const TKelvoRect area = doc->GetImageRect();
        EXPECT_EQ(area.Width() * area.Height(), 6);
        for (std::int32_t y = area.Top; y < area.Bottom; ++y)
            for (std::int32_t x = area.Left; x < area.Right; ++x) {
                const Byte* q = doc->GetPixels().PixelAddress(x, y);
                EXPECT_TRUE(q[2] >= 1 && q[2] <= 3 && q[1] >= 1 && q[1] <= 2) << x << "," << y;
                EXPECT_EQ(std::memcmp(q, doc->GetOriginalPixels().PixelAddress(x, y), 3), 0);
            }
        EXPECT_TRUE(SamePixels(doc->Committed(), doc->GetPixels()));
        EXPECT_EQ(shownWidth, doc->Working().GetWidth());
    }
    // Left then right gives the area back.
    MakeImage(7, 5);
    doc->SetImageRect(TKelvoRect{1, 1, 4, 3});
    doc->RotateLeft();
    doc->RotateRight();
    EXPECT_EQ(doc->ImageArea(), (TKelvoRect{1, 1, 4, 3}));
    EXPECT_TRUE(Holds(doc->GetPixels(), 6, 0, 6, 0));
}

TEST_F(GraphicsTest, CropReplaceAndTheAreaRules) {
    MakeImage(10, 8);
    doc->SetImageRect(TKelvoRect{-3, -3, 100, 100});  // larger than the image: nothing stored
    EXPECT_TRUE(doc->ImageArea().IsEmpty());
    EXPECT_EQ(doc->GetImageRect(), (TKelvoRect{0, 0, 10, 8}));

    doc->SetImageRect(TKelvoRect{2, 2, 5, 5});
    EXPECT_FALSE(doc->Crop(TKelvoRect{20, 20, 30, 30}));
    EXPECT_EQ(doc->Working().GetWidth(), 10);
    ASSERT_TRUE(doc->Crop(TKelvoRect{6, 3, 40, 7}));  // clipped to (6, 3, 10, 7)
    EXPECT_EQ(doc->Working().GetBounds(), (TKelvoRect{0, 0, 4, 4}));
    EXPECT_EQ(doc->Original().GetBounds(), (TKelvoRect{0, 0, 4, 4}));
    EXPECT_TRUE(Holds(doc->GetPixels(), 0, 0, 6, 3));
    EXPECT_TRUE(Holds(doc->GetOriginalPixels(), 3, 3, 9, 6));
    EXPECT_TRUE(doc->ImageArea().IsEmpty());
    EXPECT_TRUE(SamePixels(doc->Committed(), doc->GetPixels()));

    // Replace takes a buffer anywhere and puts it at (0, 0); the original only when given.
    TKelvoPixelBuffer other(KelvoFormatBGR24, TKelvoRect{5, 5, 8, 7});
    FillCoordinates(other);
    ASSERT_TRUE(doc->ReplaceImage(other, nullptr));
    EXPECT_EQ(doc->Working().GetBounds(), (TKelvoRect{0, 0, 3, 2}));
    EXPECT_TRUE(Holds(doc->GetPixels(), 0, 0, 5, 5));
    EXPECT_EQ(doc->Original().GetWidth(), 4);
    TKelvoPixelBuffer copy, originalCopy;
    doc->CopyImageTo(copy, &originalCopy);
    EXPECT_TRUE(SamePixels(copy, doc->GetPixels()));
    EXPECT_EQ(originalCopy.GetBounds(), (TKelvoRect{0, 0, 4, 4}));
}

TEST_F(GraphicsTest, ResizeCropsToAnOffsetAreaFirstAndScalesTheRest) {
    MakeImage(40, 30);
    doc->SetImageRect(TKelvoRect{10, 10, 30, 20});
    ASSERT_TRUE(doc->Resize(10, 5, true, true));
    EXPECT_EQ(doc->Working().GetBounds(), (TKelvoRect{0, 0, 10, 5}));
    EXPECT_EQ(doc->Original().GetBounds(), (TKelvoRect{0, 0, 10, 5}));
    EXPECT_TRUE(doc->ImageArea().IsEmpty());

    // An area at the top-left is scaled; an original of its own size follows in proportion.
    MakeImage(40, 30);
    ASSERT_TRUE(doc->Original().Resize(80, 60));
    doc->SetImageRect(TKelvoRect{0, 0, 25, 15});
    ASSERT_TRUE(doc->Resize(20, 10, true, true));
    EXPECT_EQ(doc->ImageArea(), (TKelvoRect{0, 0, 12, 5}));
    EXPECT_EQ(doc->Original().GetBounds(), (TKelvoRect{0, 0, 40, 20}));
    EXPECT_TRUE(SamePixels(doc->Committed(), doc->GetPixels()));
    // Without the flag the original stays as it is.
    ASSERT_TRUE(doc->Resize(30, 30, false, false));
    EXPECT_EQ(doc->Original().GetBounds(), (TKelvoRect{0, 0, 40, 20}));

    std::unique_ptr<TKelvoLTBitmap> thumbnail = doc->CreateThumbnail(12);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->GetBounds(), (TKelvoRect{0, 0, 12, 12}));
}

TEST_F(GraphicsTest, OneEditAtATimeAndTheBroadcasts) {
    MakeImage(8, 8);
    ASSERT_NE(doc->GetView(), nullptr);
    Paint(a, TKelvoRect{1, 1, 3, 3}, 0);
    doc->AddDirtyRect(TKelvoRect{5, 0, 6, 2}, false);
    EXPECT_EQ(doc->DirtyRect(), (TKelvoRect{1, 0, 6, 3}));
    EXPECT_EQ(view->Invalidated.back(), (TKelvoRect{5, 0, 6, 2}));
    // B's edit finishes A's first: A commits its change.
    doc->BeginEditing(&b);
    EXPECT_EQ(log, (std::vector<std::string>{"A.EndEdit", "A.StateApplied", "B.StateApplied"}));
    EXPECT_EQ(doc->History().GetCount(), 1);
    EXPECT_EQ(doc->EditingTool(), &b);
    EXPECT_TRUE(doc->DirtyRect().IsEmpty());
    // The tool ending its own edit is not called back; an edit that changed nothing adds no step.
    log.clear();
    doc->EndEditing(&b);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(doc->CommitEdit(&b));
    EXPECT_EQ(doc->History().GetCount(), 1);

    doc->Opened();
    doc->BeforeSave();
    doc->Closing();
    EXPECT_EQ(log, (std::vector<std::string>{"A.Opened", "B.Opened", "A.BeforeSave", "B.BeforeSave", "A.Closing",
                                             "B.Closing"}));
    log.clear();
    a.Bound = doc.get();
    doc.reset();  // a tool still bound forgets the document
    EXPECT_EQ(a.Bound, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"A.Freed", "B.Freed"}));
}

TEST_F(GraphicsTest, AStepOfASmallChangeOnALargePhotoCostsItsRectangleTwice) {
    MakeImage(6000, 4000);
    TKelvoPixelBuffer before;
    TKelvoLTBitmap::CopyBitmapToPixels(doc->Working(), before);
    const TKelvoRect rect{3000, 2000, 3100, 2080};
    Paint(a, rect, 0xAB);
    ASSERT_TRUE(doc->CommitEdit(&a));
    ASSERT_EQ(doc->History().GetCount(), 1);
    const auto* step = static_cast<const TKelvoGraphicsCommandState*>(doc->History().GetItem(0));
    // Two deflated copies of the rectangle, never the image: at most the rectangle twice and zlib's margin.
    EXPECT_GT(step->SnapshotBytes(), 0);
    EXPECT_LE(step->SnapshotBytes(), 2 * (std::int64_t(PixelRowStride(KelvoFormatBGR24, 100)) * 80 + 64));
    EXPECT_EQ(step->Before().GetBounds(), rect);
    EXPECT_FALSE(doc->IsSaved());
    EXPECT_EQ(doc->Committed().PixelAddress(3050, 2040)[0], 0xAB);
    TKelvoPixelBuffer after;
    TKelvoLTBitmap::CopyBitmapToPixels(doc->Working(), after);

    doc->SetSaved(true);
    ASSERT_TRUE(doc->History().Undo());
    EXPECT_TRUE(SamePixels(doc->GetPixels(), before));
    EXPECT_TRUE(SamePixels(doc->Committed(), before));
    EXPECT_TRUE(doc->IsSaved());  // undo leaves the flag to the editor
    ASSERT_TRUE(doc->History().Redo());
    EXPECT_TRUE(SamePixels(doc->GetPixels(), after));
    EXPECT_TRUE(SamePixels(doc->Committed(), after));
    EXPECT_FALSE(doc->IsSaved());
}

TEST_F(GraphicsTest, AStepThatCannotGetItsMemoryChangesNothingAndIsReported) {
    MakeImage(64, 48);
    doc->SetSaved(true);
    Paint(a, TKelvoRect{0, 0, 64, 48}, 0x11);
    const std::int64_t limit = TKelvoGraphicsCommandState::MaxSnapshotBytes();
    TKelvoGraphicsCommandState::SetMaxSnapshotBytes(1000);
    const bool committed = doc->CommitEdit(&a);
    TKelvoGraphicsCommandState::SetMaxSnapshotBytes(limit);
    EXPECT_FALSE(committed);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(doc->History().GetCount(), 0);
    EXPECT_TRUE(doc->IsSaved());
    EXPECT_TRUE(Holds(doc->Committed(), 5, 5, 5, 5));         // the committed buffer still has the old pixels
    EXPECT_EQ(doc->DirtyRect(), (TKelvoRect{0, 0, 64, 48}));  // the edit is still open: cancel or retry
    EXPECT_TRUE(log.empty());                                 // no tool was told of a step
    ASSERT_TRUE(doc->CommitEdit(&a));
    EXPECT_EQ(doc->History().GetCount(), 1);
}

TEST_F(GraphicsTest, UndoAfterTheImageGrewRestoresTheRectanglesPixels) {
    MakeImage(10, 10);
    doc->BeginEditing(&a);
    // The tool enlarges the working image without a step of its own: committed bounds now differ.
    TKelvoPixelBuffer grown(KelvoFormatBGR24, TKelvoRect{0, 0, 20, 10});
    FillCoordinates(grown);
    std::memset(grown.PixelAddress(2, 2), 0x55, 3);
    ASSERT_TRUE(doc->Working().Assign(grown));
    doc->AddDirtyRect(TKelvoRect{0, 0, 20, 10}, true);
    ASSERT_TRUE(doc->CommitEdit(&a));
    EXPECT_EQ(doc->Committed().GetBounds(), (TKelvoRect{0, 0, 20, 10}));  // a full copy
    EXPECT_TRUE(SamePixels(doc->Committed(), doc->GetPixels()));
    ASSERT_TRUE(doc->History().Undo());
    EXPECT_TRUE(Holds(doc->GetPixels(), 2, 2, 2, 2));
    EXPECT_TRUE(SamePixels(doc->Committed(), doc->GetPixels()));
}

TEST_F(GraphicsTest, AReadImageIsOneBlockUntilTheFirstEditWhichLeavesTheOriginalAsRead) {
    ASSERT_TRUE(doc->Working().SetSize(6, 4, KelvoFormatBGR24));
    FillCoordinates(doc->GetPixels());
    doc->LoadedWorking();
    EXPECT_TRUE(doc->OriginalShared());
    EXPECT_EQ(doc->GetOriginalPixels().Bits(), doc->GetPixels().Bits());
    // Turned before any edit: the one block turns, and the original is still that block.
    ASSERT_TRUE(doc->RotateRight());
    EXPECT_EQ(doc->GetOriginalPixels().Bits(), doc->GetPixels().Bits());
    EXPECT_EQ(doc->Original().GetBounds(), (TKelvoRect{0, 0, 4, 6}));
    EXPECT_TRUE(Holds(doc->GetOriginalPixels(), 3, 0, 0, 0));
    TKelvoPixelBuffer read;
    doc->CopyImageTo(read, nullptr);

    Paint(a, TKelvoRect{1, 1, 3, 4}, 0xC8);
    EXPECT_FALSE(doc->OriginalShared());
    EXPECT_TRUE(SamePixels(doc->GetOriginalPixels(), read));
    EXPECT_TRUE(SamePixels(doc->Committed(), read));
    ASSERT_TRUE(doc->CommitEdit(&a));
    doc->EndEditing(&a);
    EXPECT_EQ(doc->GetPixels().PixelAddress(2, 2)[0], 0xC8);
    EXPECT_TRUE(SamePixels(doc->Committed(), doc->GetPixels()));
    EXPECT_TRUE(SamePixels(doc->GetOriginalPixels(), read));
    ASSERT_TRUE(doc->History().Undo());
    EXPECT_TRUE(SamePixels(doc->GetPixels(), read));

    // Resized without the original while still one block: the original keeps the size and pixels it was read with.
    doc->LoadedWorking();
    ASSERT_TRUE(doc->Resize(2, 3, false, false));
    EXPECT_FALSE(doc->OriginalShared());
    EXPECT_EQ(doc->Working().GetBounds(), (TKelvoRect{0, 0, 2, 3}));
    EXPECT_TRUE(SamePixels(doc->GetOriginalPixels(), read));
}

TEST(PackedPixels, APhotoComesBackExactlyFromItsBandsAndCostsLessThanItsSize) {
    // 4001 x 1501: four bands of unequal row counts, rows with padding.
    TKelvoPixelBuffer photo(KelvoFormatBGR24, TKelvoRect{0, 0, 4001, 1501});
    FillCoordinates(photo);
    TKelvoPackedPixels packed;
    const TKelvoRect rect{-10, 1, 4001, 1600};  // clipped to the photo
    packed.Pack(photo, rect);
    EXPECT_EQ(packed.GetBounds(), (TKelvoRect{0, 1, 4001, 1501}));
    EXPECT_LT(packed.MemorySize(), photo.MemorySize() / 2);
    TKelvoPixelBuffer back;
    packed.Unpack(back);
    ASSERT_EQ(back.GetBounds(), packed.GetBounds());
    for (std::int32_t y = 1; y < 1501; ++y)
        ASSERT_EQ(std::memcmp(back.Row(y), photo.Row(y), 4001 * 3), 0) << "row " << y;
}
