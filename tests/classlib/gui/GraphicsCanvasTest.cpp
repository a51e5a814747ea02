#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCanvas.h"

using graphicstest::Surface;

namespace {
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct EventLog {
    std::string text;
    void Changing(TObject*) { text += '<'; }
    void Changed(TObject*) { text += '>'; }
};
}  // namespace

TEST(GraphicsCanvas, FillRectFrameRectAndPixelsUseTheBrush) {
    Surface s(32, 32);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(2, 2, 10, 10));
    EXPECT_EQ(s.At(2, 2), kRed);
    EXPECT_EQ(s.At(9, 9), kRed);
    EXPECT_EQ(s.At(10, 10), kWhite);  // right and bottom edges are outside

    c->Brush()->SetColor(clBlue);
    c->FrameRect(Rect(12, 12, 20, 20));
    EXPECT_EQ(s.At(12, 15), kBlue);
    EXPECT_EQ(s.At(19, 19), kBlue);
    EXPECT_EQ(s.At(15, 15), kWhite);

    c->SetPixel(30, 30, clLime);
    EXPECT_EQ(s.At(30, 30), kGreen);
    EXPECT_EQ(c->Pixels(30, 30), static_cast<TColor>(kGreen));
    // A system colour is turned into its RGB value before it reaches the DC.
    c->Brush()->SetColor(clWindowText);
    c->FillRect(Rect(0, 20, 4, 24));
    EXPECT_EQ(s.At(1, 21), static_cast<COLORREF>(ColorToRGB(clWindowText)));
}

TEST(GraphicsCanvas, XorPenDrawnTwiceRestoresThePicture) {
    Surface s(32, 32, RGB(10, 200, 30));
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(0, 5);
    c->LineTo(31, 5);
    EXPECT_EQ(s.At(10, 5), RGB(245, 55, 225));
    c->MoveTo(0, 5);
    c->LineTo(31, 5);
    EXPECT_EQ(s.CountOf(RGB(10, 200, 30)), 32 * 32);

    // pmNot inverts whatever is there, whatever the pen colour; pmNotXor twice restores too.
    c->Pen()->SetMode(pmNot);
    c->MoveTo(0, 8);
    c->LineTo(4, 8);
    EXPECT_EQ(s.At(2, 8), RGB(245, 55, 225));
    c->Pen()->SetMode(pmNotXor);
    c->Pen()->SetColor(clRed);
    for (int i = 0; i < 2; ++i) {
        c->MoveTo(0, 12);
        c->LineTo(31, 12);
    }
    EXPECT_EQ(s.At(20, 12), RGB(10, 200, 30));
}

TEST(GraphicsCanvas, ClearBrushLeavesPixelsUnderShapesAndText) {
    Surface s(48, 48, kGreen);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBlue);
    c->Rectangle(2, 2, 20, 20);
    EXPECT_EQ(s.At(2, 10), kBlue);
    EXPECT_EQ(s.At(10, 10), kGreen);
    c->Ellipse(22, 22, 46, 46);
    EXPECT_EQ(s.At(34, 34), kGreen);

    // Text background: the brush colour for a solid brush, nothing for a clear one.
    c->TextOut(0, 24, "  ");
    EXPECT_EQ(s.At(2, 26), kGreen);
    c->Brush()->SetColor(clRed);  // a colour makes the brush solid again
    EXPECT_EQ(c->Brush()->Style(), bsSolid);
    c->TextOut(0, 24, "  ");
    EXPECT_EQ(s.At(2, 26), kRed);
    c->Rectangle(2, 2, 20, 20);
    EXPECT_EQ(s.At(10, 10), kRed);
}

TEST(GraphicsCanvas, RefreshAfterSaveDcRestoreDcSelectsTheObjectsAgain) {
    Surface s(16, 16);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Font()->SetName("Arial");
    c->Font()->SetHeight(-13);
    int saved = ::SaveDC(s.Dc());
    c->RequiredState(TCanvasState{csHandleValid, csFontValid, csPenValid, csBrushValid});
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_FONT), c->Font()->Handle());
    ::RestoreDC(s.Dc(), saved);
    // The DC went back to what it had before; the canvas still believes its objects are in.
    EXPECT_NE(::GetCurrentObject(s.Dc(), OBJ_FONT), c->Font()->Handle());
    EXPECT_TRUE(c->State().Contains(csFontValid));
    c->Refresh();
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_FONT), c->Font()->Handle());
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_PEN), c->Pen()->Handle());
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_BRUSH), c->Brush()->Handle());
}

TEST(GraphicsCanvas, ObjectsLeaveTheDcBeforeItIsDetachedOrTheyChange) {
    Surface s(16, 16);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 2, 2));
    c->TextWidth("x");
    HFONT font = c->Font()->Handle();
    HBRUSH brush = c->Brush()->Handle();
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_FONT), font);

    // A change takes the old font out of the DC; the next use makes and selects a new one and frees the old.
    c->Font()->SetStyle(TFontStyles{fsBold});
    EXPECT_NE(::GetCurrentObject(s.Dc(), OBJ_FONT), font);
    EXPECT_FALSE(c->State().Contains(csFontValid));
    c->TextWidth("x");
    EXPECT_NE(c->Font()->Handle(), font);
    EXPECT_EQ(::GetObjectType(font), 0u);
    EXPECT_EQ(::GetCurrentObject(s.Dc(), OBJ_FONT), c->Font()->Handle());

    // Detaching puts the stock objects back, so the DC's owner may release it and the canvas may free its own.
    c->SetHandle(nullptr);
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_NE(::GetCurrentObject(s.Dc(), OBJ_FONT), c->Font()->Handle());
    EXPECT_NE(::GetCurrentObject(s.Dc(), OBJ_BRUSH), brush);
    EXPECT_TRUE(c->State().Empty());
    // Without a DC and with nothing to make one, drawing raises.
    EXPECT_THROW(c->Handle(), EInvalidOperation);
    EXPECT_THROW(c->FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(GraphicsCanvas, ChangeEventsSurroundEveryDrawingCall) {
    Surface s(16, 16);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    EventLog log;
    c->OnChanging = MakeMethod<&EventLog::Changing>(&log);
    c->OnChange = MakeMethod<&EventLog::Changed>(&log);
    c->SetHandle(s.Dc());
    c->FillRect(Rect(0, 0, 1, 1));
    c->LineTo(3, 3);
    c->TextOut(0, 0, "a");
    EXPECT_EQ(log.text, "<><><>");
    log.text.clear();
    c->TextWidth("abc");  // measuring changes nothing
    c->MoveTo(1, 1);
    EXPECT_EQ(log.text, "");
}

TEST(GraphicsCanvas, TextOutMovesThePenAndRightToLeftShiftsTheStart) {
    Surface s(200, 40);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    const int width = c->TextWidth("Hello");
    ASSERT_GT(width, 0);
    EXPECT_GT(c->TextHeight("Hello"), 0);
    EXPECT_EQ(c->CanvasOrientation(), coLeftToRight);
    c->TextOut(5, 0, "Hello");
    EXPECT_EQ(c->PenPos().X, 5 + width);

    ::SetTextAlign(s.Dc(), TA_RTLREADING);
    EXPECT_EQ(c->CanvasOrientation(), coRightToLeft);
    c->TextOut(5, 20, "Hello");
    EXPECT_EQ(c->PenPos().X, 5 + width + 1 + width);
}

TEST(GraphicsCanvas, CopyRectAndDrawHonourTheCopyMode) {
    Surface source(8, 8, kRed);
    Surface target(8, 8, kWhite);
    TObjectPtr<TCanvas> from = MakeObject<TCanvas>();
    TObjectPtr<TCanvas> to = MakeObject<TCanvas>();
    from->SetHandle(source.Dc());
    to->SetHandle(target.Dc());
    to->CopyRect(Rect(0, 0, 4, 4), from.get(), Rect(0, 0, 4, 4));
    EXPECT_EQ(target.At(3, 3), kRed);
    EXPECT_EQ(target.At(4, 4), kWhite);
    // SRCAND of red over white leaves red; over blue it leaves black.
    target.Fill(kBlue);
    to->SetCopyMode(SRCAND);
    to->CopyRect(Rect(0, 0, 8, 8), from.get(), Rect(0, 0, 8, 8));
    EXPECT_EQ(target.At(5, 5), RGB(0, 0, 0));

    TObjectPtr<TBitmap> bitmap = MakeObject<TBitmap>();
    bitmap->SetSize(2, 2);
    bitmap->Canvas()->Brush()->SetColor(clLime);
    bitmap->Canvas()->FillRect(Rect(0, 0, 2, 2));
    target.Fill(kWhite);
    to->SetCopyMode(cmSrcCopy);
    to->Draw(3, 3, bitmap.get());
    EXPECT_EQ(target.At(3, 3), kGreen);
    EXPECT_EQ(target.At(4, 4), kGreen);
    EXPECT_EQ(target.At(5, 5), kWhite);
    to->StretchDraw(Rect(0, 0, 8, 8), bitmap.get());
    EXPECT_EQ(target.CountOf(kGreen), 64);
    to->Draw(0, 0, nullptr);  // nothing to draw is no error
}

TEST(GraphicsCanvas, PolygonAndPolylineDrawWithPenAndBrush) {
    Surface s(20, 20);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Pen()->SetColor(clBlue);
    c->Brush()->SetColor(clRed);
    c->Polygon({Point(2, 2), Point(17, 2), Point(17, 17), Point(2, 17)});
    EXPECT_EQ(s.At(2, 10), kBlue);
    EXPECT_EQ(s.At(10, 10), kRed);
    c->Polyline({Point(0, 19), Point(19, 19)});
    EXPECT_EQ(s.At(10, 19), kBlue);
    c->Polygon({});
}

TEST(GraphicsCanvas, LockKeepsOtherThreadsOut) {
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->Lock();
    c->Lock();
    EXPECT_EQ(c->LockCount(), 2);
    std::atomic<int> got{-1};
    std::thread([&] { got = c->TryLock() ? 1 : 0; }).join();
    EXPECT_EQ(got, 0);
    c->Unlock();
    c->Unlock();
    std::thread([&] {
        got = c->TryLock() ? 1 : 0;
        if (got) c->Unlock();
    }).join();
    EXPECT_EQ(got, 1);
    EXPECT_EQ(c->LockCount(), 0);
    // Unlocking what is not locked is refused instead of corrupting the lock.
    EXPECT_THROW(c->Unlock(), EInvalidOperation);
}

TEST(GraphicsCanvas, TextRectStaysInsideItsRectangleAndFocusRectToggles) {
    Surface s(60, 30, kGreen);
    TObjectPtr<TCanvas> c = MakeObject<TCanvas>();
    c->SetHandle(s.Dc());
    c->Brush()->SetColor(clBlue);
    c->TextRect(Rect(10, 5, 20, 25), 10, 5, "WWWWWWWWWW");
    // The rectangle gets the brush as background; nothing of the long text leaks out of it.
    EXPECT_EQ(s.At(19, 24), kBlue);
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(s.At(9, y), kGreen) << y;
        EXPECT_EQ(s.At(20, y), kGreen) << y;
    }
    // A clear brush keeps the background inside the rectangle too.
    s.Fill(kGreen);
    c->Brush()->SetStyle(bsClear);
    c->TextRect(Rect(10, 5, 20, 25), 10, 5, " ");
    EXPECT_EQ(s.CountOf(kGreen), 60 * 30);

    c->DrawFocusRect(Rect(30, 5, 50, 25));
    EXPECT_LT(s.CountOf(kGreen), 60 * 30);
    c->DrawFocusRect(Rect(30, 5, 50, 25));
    EXPECT_EQ(s.CountOf(kGreen), 60 * 30);
}
