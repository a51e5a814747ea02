#include <gtest/gtest.h>

#include <cstring>

#include "classlib/win/TBitmap.h"
#include "classlib/win/TBrush.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TPen.h"

namespace {
struct Counter {
    int n = 0;
    void Hit(TObject*) { ++n; }
};
}  // namespace

TEST(GraphicsFont, SizeAndHeightConvertThroughPixelsPerInch) {
    TObjectPtr<TFont> f = MakeObject<TFont>();
    f->SetPixelsPerInch(96);
    f->SetSize(9);
    EXPECT_EQ(f->Height(), -12);
    EXPECT_EQ(f->Size(), 9);
    f->SetHeight(-14);
    EXPECT_EQ(f->Size(), 11);  // 10.5 points rounds away from zero
    // Another resolution keeps the pixel height; the size in points follows.
    f->SetPixelsPerInch(120);
    EXPECT_EQ(f->Height(), -14);
    EXPECT_EQ(f->Size(), 8);
    f->SetSize(10);
    EXPECT_EQ(f->Height(), -17);
    EXPECT_THROW(f->SetPixelsPerInch(0), EInvalidOperation);

    // Taking over a font of another resolution keeps its size in points.
    TObjectPtr<TFont> printer = MakeObject<TFont>();
    printer->SetPixelsPerInch(600);
    printer->Assign(f.get());
    EXPECT_EQ(printer->PixelsPerInch(), 600);
    EXPECT_EQ(printer->Size(), 10);
    EXPECT_EQ(printer->Height(), -83);
    TObjectPtr<TFont> same = MakeObject<TFont>();
    same->SetPixelsPerInch(120);
    same->Assign(f.get());
    EXPECT_EQ(same->Height(), -17);
}

TEST(GraphicsFont, NamesAreCutToWhatTheSystemKeeps) {
    TObjectPtr<TFont> f = MakeObject<TFont>();
    const AnsiString longName(40, 'N');
    f->SetName(longName);
    EXPECT_EQ(f->Name(), AnsiString(31, 'N'));
    f->SetName("");
    EXPECT_EQ(f->Name(), AnsiString(31, 'N'));
    LOGFONTA lf{};
    GetObjectA(f->Handle(), sizeof(lf), &lf);
    EXPECT_EQ(AnsiString(lf.lfFaceName), AnsiString(31, 'N'));
}

TEST(GraphicsFont, SetHandleReadsTheDescriptionBack) {
    LOGFONTA lf{};
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = RUSSIAN_CHARSET;
    lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(lf.lfFaceName, "Courier New");
    TGdiHandle<HFONT> mine(::CreateFontIndirectA(&lf));

    TObjectPtr<TFont> f = MakeObject<TFont>();
    Counter changes;
    f->OnChange = MakeMethod<&Counter::Hit>(&changes);
    f->SetHandle(mine.Get());
    EXPECT_EQ(changes.n, 1);
    EXPECT_EQ(f->Name(), "Courier New");
    EXPECT_EQ(f->Height(), -20);
    EXPECT_EQ(f->Style(), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));
    EXPECT_EQ(f->Charset(), RUSSIAN_CHARSET);
    EXPECT_EQ(f->Pitch(), fpFixed);

    // The font's own handle describes the same font; the caller's handle stays the caller's.
    HFONT own = f->Handle();
    EXPECT_NE(own, mine.Get());
    LOGFONTA back{};
    ASSERT_NE(::GetObjectA(own, sizeof(back), &back), 0);
    EXPECT_STREQ(back.lfFaceName, "Courier New");
    EXPECT_EQ(back.lfHeight, -20);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfCharSet, RUSSIAN_CHARSET);
    EXPECT_EQ(back.lfPitchAndFamily & 3, FIXED_PITCH);
    EXPECT_NE(::GetObjectType(mine.Get()), 0u);

    EXPECT_THROW(f->SetHandle(nullptr), EInvalidGraphic);
}

TEST(GraphicsFont, HandleIsCachedAndMadeAgainAfterAChange) {
    TObjectPtr<TFont> f = MakeObject<TFont>();
    Counter changes;
    f->OnChange = MakeMethod<&Counter::Hit>(&changes);
    HFONT first = f->Handle();
    EXPECT_EQ(f->Handle(), first);
    // The colour is drawn with, not part of the handle.
    f->SetColor(clRed);
    EXPECT_EQ(f->Handle(), first);
    f->SetColor(clRed);  // no change, no event
    EXPECT_EQ(changes.n, 1);
    f->SetStyle(TFontStyles{fsItalic});
    EXPECT_EQ(changes.n, 2);
    HFONT second = f->Handle();
    EXPECT_NE(second, first);
    EXPECT_EQ(::GetObjectType(first), 0u);
    LOGFONTA lf{};
    ::GetObjectA(second, sizeof(lf), &lf);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
}

TEST(GraphicsPen, ModesMapToTheRasterOperations) {
    TObjectPtr<TPen> p = MakeObject<TPen>();
    EXPECT_EQ(p->Mode(), pmCopy);
    EXPECT_EQ(p->Rop2(), R2_COPYPEN);
    const std::pair<TPenMode, int> modes[] = {{pmBlack, R2_BLACK},
                                              {pmWhite, R2_WHITE},
                                              {pmNop, R2_NOP},
                                              {pmNot, R2_NOT},
                                              {pmXor, R2_XORPEN},
                                              {pmNotXor, R2_NOTXORPEN},
                                              {pmMask, R2_MASKPEN},
                                              {pmMerge, R2_MERGEPEN},
                                              {pmNotCopy, R2_NOTCOPYPEN},
                                              {pmMaskPenNot, R2_MASKPENNOT},
                                              {pmMergeNotPen, R2_MERGENOTPEN}};
    for (auto [mode, rop] : modes) {
        p->SetMode(mode);
        EXPECT_EQ(p->Rop2(), rop) << mode;
    }
    // The mode is no part of the handle; width, style and colour are.
    HPEN pen = p->Handle();
    p->SetMode(pmXor);
    EXPECT_EQ(p->Handle(), pen);
    p->SetWidth(0);
    EXPECT_EQ(p->Width(), 1);
    p->SetWidth(3);
    p->SetStyle(psDash);
    p->SetColor(clRed);
    LOGPEN lp{};
    ASSERT_NE(::GetObjectA(p->Handle(), sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(255, 0, 0));
    EXPECT_EQ(::GetObjectType(pen), 0u);
    p->SetStyle(psClear);
    ASSERT_NE(::GetObjectA(p->Handle(), sizeof(lp), &lp), 0);
    EXPECT_EQ(lp.lopnStyle, UINT(PS_NULL));
}

TEST(GraphicsBrush, StylesColoursAndPatternBitmaps) {
    TObjectPtr<TBrush> b = MakeObject<TBrush>();
    LOGBRUSH lb{};
    b->SetColor(clBlue);
    ASSERT_NE(::GetObjectA(b->Handle(), sizeof(lb), &lb), 0);
    EXPECT_EQ(lb.lbStyle, UINT(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(0, 0, 255));
    b->SetStyle(bsClear);
    ::GetObjectA(b->Handle(), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, UINT(BS_HOLLOW));
    b->SetStyle(bsCross);
    ::GetObjectA(b->Handle(), sizeof(lb), &lb);
    EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
    EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));

    TObjectPtr<TBitmap> pattern = MakeObject<TBitmap>();
    pattern->SetSize(8, 8);
    b->SetBitmap(pattern.get());
    ::GetObjectA(b->Handle(), sizeof(lb), &lb);
    EXPECT_NE(lb.lbStyle, UINT(BS_HATCHED));
    EXPECT_NE(lb.lbStyle, UINT(BS_SOLID));
    b->SetBitmap(nullptr);

    TObjectPtr<TBrush> copy = MakeObject<TBrush>();
    copy->Assign(b.get());
    EXPECT_EQ(copy->Style(), bsCross);
    EXPECT_EQ(copy->Color(), clBlue);
    TObjectPtr<TPen> pen = MakeObject<TPen>();
    EXPECT_THROW(copy->Assign(pen.get()), EConvertError);
}
