#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/core/KelvoExchangeFormat.h"
#include "app/core/KelvoPixelOps.h"
#include "app/core/TKelvoGraphicsDocument.h"
#include "app/win/TKelvoGraphicsDocumentFormats.h"
#include "tests/app/core/DocumentFakes.h"
#include "classlib/win/TScreen.h"
#include "tests/support/TestSupport.h"
#include "tests/app/win/PixelTestSupport.h"

using namespace docfakes;

namespace {

using pixeltest::FillGradient;
using pixeltest::MaxDifference;
using testsupport::FileBytes;
using testsupport::Wide;
using testsupport::WriteBytes;

std::int32_t Int32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::int32_t(std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
                        std::uint32_t(b[at + 3]) << 24);
}

// The real format table behind the editor; the JPEG options dialog answers with Quality, or cancels.
class GraphicsEditor : public TKelvoEditorDocuments {
public:
    explicit GraphicsEditor(FakeUI& ui)
        : TKelvoEditorDocuments(ui, formats_), formats_(table_, [this](std::int32_t& q) {
              ++JpegAsked;
              q = Quality;
              return JpegOk;
          }) {}
    TKelvoGraphicsFormats& Table() { return table_; }
    int JpegAsked = 0;
    std::int32_t Quality = 90;
    bool JpegOk = true;

    TKelvoGraphicsDocument* OpenGraphics(const std::string& path) {
        TKelvoDocument* d = nullptr;
        return Open(Wide(path), &d, false) ? static_cast<TKelvoGraphicsDocument*>(d) : nullptr;
    }

protected:
    std::unique_ptr<TKelvoDocument> NewDocumentObject() override {
        return std::make_unique<TKelvoGraphicsDocument>(*this);
    }

private:
    TKelvoGraphicsFormats table_;
    TKelvoGraphicsDocumentFormats formats_;
};

// An exchange file as the plug-in writes it: w x h pixels of planes bytes (R, G, B, then 0xEE), rows rowBytes
// apart; pixel (x, y) is red 10 x + 1, green 10 y + 2, blue 3.
std::vector<std::uint8_t> HostExchangeFile(std::int32_t w, std::int32_t h, std::int32_t planes, std::int32_t rowBytes) {
    exchange::THeader header;
    header.left = 5;
    header.top = 6;
    header.width = w;
    header.height = h;
    header.rowBytes = rowBytes;
    header.planes = planes;
    std::vector<std::uint8_t> bytes(exchange::PixelOffset + std::size_t(rowBytes) * h, 0xCC);
    exchange::WriteHeader(bytes.data(), header);
    for (std::int32_t y = 0; y < h; ++y)
        for (std::int32_t x = 0; x < w; ++x) {
            std::uint8_t* p =
                bytes.data() + exchange::PixelOffset + std::size_t(y) * rowBytes + std::size_t(x) * planes;
            p[0] = std::uint8_t(10 * x + 1), p[1] = std::uint8_t(10 * y + 2), p[2] = 3;
            for (std::int32_t extra = 3; extra < planes; ++extra) p[extra] = 0xEE;
        }
    return bytes;
}

}  // namespace

TEST(GraphicsDocumentFiles, EveryFormatOpensIntoADocumentAndSavesAgain) {
    testsupport::TempDir dir;
    FakeUI ui;
    GraphicsEditor editor(ui);
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, 37, 23});
    FillGradient(pixels);
    const char* names[] = {"a.jpg", "a.tif", "a.png", "a.bmp", "a.kvi"};
    for (std::int32_t id = 0; id < KelvoGraphicsFormatCount; ++id) {
        SCOPED_TRACE(names[id]);
        const std::string path = dir.File(names[id]);
        TKelvoProperties none;
        ASSERT_TRUE(WriteGraphicsFile(Wide(path), id, pixels, TKelvoRect{}, none, TKelvoResolution{}, 95));
        TKelvoGraphicsDocument* d = editor.OpenGraphics(path);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->FormatId(), id);
        EXPECT_TRUE(d->IsSaved());
        EXPECT_EQ(d->Committed().GetBounds(), (TKelvoRect{0, 0, 37, 23}));
        const bool lossy = id == KelvoFormatJPEG || id == KelvoFormatKVI;
        EXPECT_LE(MaxDifference(d->GetPixels(), pixels), lossy ? 12 : 0);

        // Saved again in its own format under another name, it reads back as the document's pixels.
        const std::string again = dir.File(std::string("b") + (names[id] + 1));
        ASSERT_TRUE(d->SaveToFile(Wide(again), id));
        EXPECT_EQ(d->FileName(), Wide(again));
        TKelvoPixelBuffer kept;
        TKelvoLTBitmap::CopyBitmapToPixels(d->Working(), kept);
        TKelvoGraphicsDocument* reread = editor.OpenGraphics(again);
        ASSERT_NE(reread, nullptr);
        EXPECT_EQ(reread->FormatId(), id);
        EXPECT_LE(MaxDifference(reread->GetPixels(), kept), lossy ? 12 : 0);
    }
    // The JPEG was asked for once per JPEG save and took the quality chosen; KVI is not asked.
    EXPECT_EQ(editor.JpegAsked, 1);
    EXPECT_EQ(editor.Table().JpegQuality(), 90);
}

TEST(GraphicsDocumentFiles, CancelInTheJpegOptionsWritesNothingAndOnlyTheAreaIsSaved) {
    testsupport::TempDir dir;
    FakeUI ui;
    GraphicsEditor editor(ui);
    const std::string source = dir.File("a.png");
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, TKelvoRect{0, 0, 30, 20});
    FillGradient(pixels);
    TKelvoProperties none;
    ASSERT_TRUE(WriteGraphicsFile(Wide(source), KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80));
    TKelvoGraphicsDocument* d = editor.OpenGraphics(source);
    ASSERT_NE(d, nullptr);

    editor.JpegOk = false;
    const std::string jpeg = dir.File("x.jpg");
    EXPECT_FALSE(d->SaveToFile(Wide(jpeg), KelvoFormatJPEG));
    EXPECT_EQ(GetFileAttributesA(jpeg.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(d->FormatId(), KelvoFormatPNG);

    d->SetImageRect(TKelvoRect{4, 5, 14, 12});
    const std::string part = dir.File("part.png");
    ASSERT_TRUE(d->SaveToFile(Wide(part), KelvoFormatPNG));
    TKelvoGraphicsDocument* reread = editor.OpenGraphics(part);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->Working().GetBounds(), (TKelvoRect{0, 0, 10, 7}));
    EXPECT_EQ(std::memcmp(reread->GetPixels().PixelAddress(0, 0), pixels.PixelAddress(4, 5), 3), 0);
}

TEST(GraphicsDocumentFiles, ExchangeFilesOfThreeAndFourPlanesGoBackWithTheProgramsLayout) {
    for (std::int32_t planes : {3, 4}) {
        SCOPED_TRACE(planes);
        testsupport::TempDir dir;
        const std::string path = dir.File("PSP.tmp");
        const std::int32_t w = 5, h = 3;
        WriteBytes(path, HostExchangeFile(w, h, planes, w * planes + 3));
        FakeUI ui;
        GraphicsEditor editor(ui);
        TKelvoGraphicsDocument* d = editor.OpenGraphics(path);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->FormatId(), KelvoFormatExchange);
        EXPECT_TRUE(editor.PluginMode());
        EXPECT_EQ(ui.ExitCode, -1);
        ASSERT_EQ(d->Working().GetBounds(), (TKelvoRect{0, 0, w, h}));
        const Byte* p = d->GetPixels().PixelAddress(4, 2);
        EXPECT_EQ(p[0], 3);   // blue
        EXPECT_EQ(p[1], 22);  // green
        EXPECT_EQ(p[2], 41);  // red
        EXPECT_TRUE(d->Original().GetBounds() == d->Working().GetBounds());

        // The tool changed one pixel; OK writes the image back into the same file.
        MakeBGR(d->GetPixels().PixelAddress(1, 1), 200, 100, 50);
        ASSERT_TRUE(editor.PluginOk());
        EXPECT_EQ(ui.ExitCode, 0);
        const std::vector<std::uint8_t> out = FileBytes(path);
        const std::int32_t stride = 16;  // 5 x 3 rounded up to 4
        ASSERT_EQ(out.size(), 36u + std::size_t(stride) * h);
        EXPECT_EQ(std::memcmp(out.data(), "PSPF", 4), 0);
        EXPECT_EQ(Int32At(out, 4), 32);
        EXPECT_EQ(Int32At(out, 8), 3);
        EXPECT_EQ(Int32At(out, 12), 0);
        EXPECT_EQ(Int32At(out, 16), 0);
        EXPECT_EQ(Int32At(out, 20), w);
        EXPECT_EQ(Int32At(out, 24), h);
        EXPECT_EQ(Int32At(out, 28), stride);
        EXPECT_EQ(Int32At(out, 32), 3);
        const std::uint8_t* changed = out.data() + 36 + stride * 1 + 3 * 1;
        EXPECT_EQ(changed[0], 200);
        EXPECT_EQ(changed[1], 100);
        EXPECT_EQ(changed[2], 50);
        const std::uint8_t* last = out.data() + 36 + stride * 2 + 3 * 4;
        EXPECT_EQ(last[0], 41);
        EXPECT_EQ(last[1], 22);
        EXPECT_EQ(last[2], 3);
    }
}

TEST(GraphicsDocumentFiles, ExitCodeStaysMinusOneOnCancelAndOnAFailedWrite) {
    testsupport::TempDir dir;
    const std::string path = dir.File("PSP.tmp");
    WriteBytes(path, HostExchangeFile(4, 2, 3, 12));
    const std::vector<std::uint8_t> host = FileBytes(path);
    {
        FakeUI ui;
        GraphicsEditor editor(ui);
        TKelvoGraphicsDocument* d = editor.OpenGraphics(path);
        ASSERT_NE(d, nullptr);
        MakeBGR(d->GetPixels().PixelAddress(0, 0), 1, 1, 1);
        d->SetSaved(false);
        editor.PluginCancel();
        EXPECT_TRUE(editor.CloseQueryAll());
        EXPECT_EQ(ui.ExitCode, -1);
        EXPECT_TRUE(ui.Prompts.empty());
    }
    EXPECT_EQ(FileBytes(path), host);  // the host's image is untouched
    {
        FakeUI ui;
        GraphicsEditor editor(ui);
        TKelvoGraphicsDocument* d = editor.OpenGraphics(path);
        ASSERT_NE(d, nullptr);
        // The file cannot be written while another holds it without sharing.
        HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locked, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(editor.PluginOk());
        CloseHandle(locked);
        EXPECT_EQ(ui.ExitCode, -1);
        EXPECT_EQ(ui.Errors.size(), 1u);
    }
}

TEST(GraphicsDocumentFiles, AGifIsAnOrdinaryDocumentSavedOnlyInAFormatOfTheTable) {
    testsupport::TempDir dir;
    const std::string path = dir.File("a.gif");
    const std::vector<std::uint8_t> gif = {'G',  'I', 'F', '8', '9',  'a',  1, 0, 1, 0,    0x80, 0, 0,    0xFF, 0xFF,
                                           0xFF, 0,   0,   0,   0x21, 0xF9, 4, 1, 0, 0,    0,    0, 0x2C, 0,    0,
                                           0,    0,   1,   0,   1,    0,    0, 2, 2, 0x44, 1,    0, 0x3B};
    WriteBytes(path, gif);
    FakeUI ui;
    GraphicsEditor editor(ui);
    TKelvoGraphicsDocument* d = editor.OpenGraphics(path);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->FormatId(), KelvoFormatOther);
    EXPECT_FALSE(editor.PluginMode());
    EXPECT_EQ(ui.ExitCode, 1234);
    EXPECT_FALSE(editor.PluginOk());
    // Its own name and format write nothing; the save dialog's choice does.
    EXPECT_FALSE(d->Save());
    EXPECT_EQ(FileBytes(path), gif);
    ui.DialogName = Wide(dir.File("a"));
    ui.DialogFilter = KelvoFormatPNG;
    ASSERT_TRUE(editor.SaveActiveAs());
    EXPECT_EQ(d->FileName(), Wide(dir.File("a.png")));
    EXPECT_EQ(FileBytes(path), gif);
    EXPECT_NE(editor.OpenGraphics(dir.File("a.png")), nullptr);
}

TEST(GraphicsDocumentFiles, TheHourglassGoesWhenTheJpegDialogRaises) {
    TObjectPtr<TScreen> own;
    if (!Screen) {
        own.reset(Create<TScreen>(nullptr));
        Screen = own.get();
    }
    testsupport::TempDir dir;
    FakeUI ui;
    TKelvoGraphicsFormats table;
    TCursor during = crDefault;
    TKelvoGraphicsDocumentFormats formats(table, [&](std::int32_t&) -> bool {
        during = Screen->Cursor();
        throw EOutOfMemory("dialog");
    });
    struct PlainEditor : TKelvoEditorDocuments {
        using TKelvoEditorDocuments::TKelvoEditorDocuments;
        std::unique_ptr<TKelvoDocument> NewDocumentObject() override {
            return std::make_unique<TKelvoGraphicsDocument>(*this);
        }
    } editor(ui, formats);
    TKelvoGraphicsDocument document(editor);
    ASSERT_TRUE(document.Working().SetSize(2, 2, KelvoFormatBGR24));
    EXPECT_THROW(formats.Save(document, Wide(dir.File("x.jpg")), KelvoFormatJPEG), EOutOfMemory);
    EXPECT_EQ(during, crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    if (own) Screen = nullptr;
}

TEST(GraphicsDocumentFiles, AnExchangeFileWithAnExifTrailerOpensWithItsPixels) {
    testsupport::TempDir dir;
    const std::string path = dir.File("PSP.tmp");
    std::vector<std::uint8_t> bytes = HostExchangeFile(2, 2, 3, 6);
    // A TIFF block with the camera's make, then the two fill bytes that end a trailer.
    const std::vector<std::uint8_t> exif = {'I', 'I', 42, 0, 8,   0,   0,   0, 1, 0, 0x0F, 0x01, 2,    0,
                                            4,   0,   0,  0, 'A', 'b', 'c', 0, 0, 0, 0,    0,    0xFF, 0xFF};
    const char marker[] = {'E', 'X', 'I', 'F'};
    bytes.insert(bytes.end(), marker, marker + 4);
    const std::uint32_t length = std::uint32_t(exif.size());
    for (int s = 0; s < 32; s += 8) bytes.push_back(std::uint8_t(length >> s));
    bytes.insert(bytes.end(), exif.begin(), exif.end());
    bytes.resize(bytes.size() + 600, 0);  // a trailer is looked for only with more than 500 bytes after the rows
    WriteBytes(path, bytes);
    FakeUI ui;
    GraphicsEditor editor(ui);
    TKelvoGraphicsDocument* d = editor.OpenGraphics(path);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->FormatId(), KelvoFormatExchange);
    ASSERT_EQ(d->Working().GetBounds(), (TKelvoRect{0, 0, 2, 2}));
    EXPECT_EQ(d->GetPixels().PixelAddress(1, 1)[2], 11);
    // Wine's GDI+ decodes the wrapped trailer but hands out no property items for a JPEG; where it does,
    // they are the document's.
    if (d->Properties().GetCount() > 0) {
        EXPECT_EQ(PropertyText(d->Properties(), TagMake), u"Abc");
    }
}
