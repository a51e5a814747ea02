#include <gtest/gtest.h>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "classlib/win/Win32.h"
#include "toolbar/win/TextDrawing.h"
#include "toolbar/win/WindowPainting.h"

using graphicstest::Surface;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

bool SameSurfaces(const Surface& a, const Surface& b, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (a.At(x, y) != b.At(x, y)) return false;
    return true;
}

// The bounding box of the pixels that are not white.
RECT InkBox(const Surface& s, int w, int h) {
    RECT box{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (s.At(x, y) != kWhite) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

}  // namespace

TEST(HalftoneFrame, InvertsTheRingTwiceBackAndMovesInOneStep) {
    Surface s(60, 60), reference(60, 60);
    const RECT r{10, 10, 40, 30};
    const SIZE border{3, 3};
    tb::DrawHalftoneInvertRect(s.Dc(), &r, border, nullptr, {});
    // Half of the ring's pixels turn black, in a checkerboard; inside and outside stay white.
    const int ring = 30 * 20 - 24 * 14;
    EXPECT_EQ(s.CountOf(kBlack), ring / 2);
    EXPECT_EQ(s.At(20, 20), kWhite);
    EXPECT_NE(s.At(10, 10), s.At(11, 10));
    tb::DrawHalftoneInvertRect(s.Dc(), &r, border, nullptr, {});
    EXPECT_TRUE(SameSurfaces(s, reference, 60, 60));

    // Erasing the old frame and drawing a moved one in one call equals drawing the moved one alone.
    const RECT moved{14, 12, 44, 32};
    tb::DrawHalftoneInvertRect(s.Dc(), &r, border, nullptr, {});
    tb::DrawHalftoneInvertRect(s.Dc(), &moved, border, &r, border);
    tb::DrawHalftoneInvertRect(reference.Dc(), &moved, border, nullptr, {});
    EXPECT_TRUE(SameSurfaces(s, reference, 60, 60));
}

namespace {

HFONT TextFont() {
    LOGFONTA lf{};
    lf.lfHeight = -13;
    strcpy(lf.lfFaceName, "Tahoma");
    return CreateFontIndirectA(&lf);
}

}  // namespace

TEST(RotatedText, CaptionsRunTopToBottomInsideTheirRectangle) {
    Surface s(40, 200);
    TGdiHandle<HFONT> font(TextFont());
    SelectObject(s.Dc(), font.Get());
    SetBkMode(s.Dc(), TRANSPARENT);
    const RECT r{5, 5, 35, 195};
    tb::DrawRotatedText(s.Dc(), u"Rotated caption", r, 0);
    const RECT ink = InkBox(s, 40, 200);
    ASSERT_LT(ink.left, ink.right) << "nothing drawn";
    EXPECT_GT(ink.bottom - ink.top, 3 * (ink.right - ink.left));  // a tall line of text
    EXPECT_GE(ink.left, r.left);
    EXPECT_LE(ink.right, r.right);
    EXPECT_GE(ink.top, r.top);
    EXPECT_LT(ink.top, r.top + 6);  // without DT_CENTER from the top

    // With an ellipsis a long text is cut to its rectangle; centred it starts further down.
    Surface cut(40, 200);
    SelectObject(cut.Dc(), font.Get());
    SetBkMode(cut.Dc(), TRANSPARENT);
    const RECT shortRect{5, 5, 35, 45};
    tb::DrawRotatedText(cut.Dc(), u"Rotated caption", shortRect, DT_END_ELLIPSIS | DT_NOCLIP);
    const RECT cutInk = InkBox(cut, 40, 200);
    EXPECT_LE(cutInk.bottom, shortRect.bottom + 1);
    Surface centred(40, 200);
    SelectObject(centred.Dc(), font.Get());
    SetBkMode(centred.Dc(), TRANSPARENT);
    tb::DrawRotatedText(centred.Dc(), u"Short", r, DT_CENTER);
    EXPECT_GT(InkBox(centred, 40, 200).top, 60);
    SelectObject(s.Dc(), GetStockObject(SYSTEM_FONT));
    SelectObject(cut.Dc(), GetStockObject(SYSTEM_FONT));
    SelectObject(centred.Dc(), GetStockObject(SYSTEM_FONT));
}

TEST(RotatedText, TheAcceleratorIsUnderlinedUnlessHidden) {
    Surface plain(40, 120), marked(40, 120), hidden(40, 120);
    TGdiHandle<HFONT> font(TextFont());
    const RECT r{5, 5, 35, 115};
    for (Surface* s : {&plain, &marked, &hidden}) {
        SelectObject(s->Dc(), font.Get());
        SetBkMode(s->Dc(), TRANSPARENT);
    }
    tb::DrawRotatedText(plain.Dc(), u"File", r, 0);
    tb::DrawRotatedText(marked.Dc(), u"&File", r, 0);
    tb::DrawRotatedText(hidden.Dc(), u"&File", r, DT_HIDEPREFIX);
    EXPECT_GT(marked.CountOf(kBlack), plain.CountOf(kBlack));
    EXPECT_TRUE(SameSurfaces(plain, hidden, 40, 120));
    tb::DrawRotatedText(plain.Dc(), u"", r, 0);  // nothing
    for (Surface* s : {&plain, &marked, &hidden}) SelectObject(s->Dc(), GetStockObject(SYSTEM_FONT));
}

namespace {

constexpr COLORREF kFrame = RGB(0, 0, 255);
constexpr COLORREF kClient = RGB(255, 0, 0);
constexpr COLORREF kChild = RGB(0, 255, 0);

void FillWith(HDC dc, int w, int h, COLORREF color) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(color));
    RECT r{0, 0, w, h};
    FillRect(dc, &r, brush.Get());
}

void PaintFrame(HWND window, HDC dc, TObject*) {
    RECT r{};
    GetWindowRect(window, &r);
    FillWith(dc, r.right - r.left, r.bottom - r.top, kFrame);
}

LRESULT CALLBACK PrintedProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PRINT: {
            TMessage m{msg, wp, lp, 0};
            tb::HandleWMPrint(w, m, &PaintFrame, nullptr);
            return m.Result;
        }
        case WM_PRINTCLIENT: {
            RECT c{};
            GetClientRect(w, &c);
            FillWith(reinterpret_cast<HDC>(wp), c.right, c.bottom, GetParent(w) ? kChild : kClient);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        default: return DefWindowProcA(w, msg, wp, lp);
    }
}

}  // namespace

TEST(WMPrint, PrintsFrameClientAndVisibleChildrenAtTheirPlaces) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PrintedProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TBPrintedWindow";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, "TBPrintedWindow", "", WS_POPUP | WS_BORDER, 0, 0, 60, 60, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    HWND child = CreateWindowExA(0, "TBPrintedWindow", "", WS_CHILD | WS_VISIBLE, 20, 20, 10, 10, parent, nullptr,
                                 wc.hInstance, nullptr);
    HWND hiddenChild =
        CreateWindowExA(0, "TBPrintedWindow", "", WS_CHILD, 40, 40, 10, 10, parent, nullptr, wc.hInstance, nullptr);
    Surface s(60, 60);
    SendMessageA(parent, WM_PRINT, reinterpret_cast<WPARAM>(s.Dc()), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(s.At(0, 0), kFrame);     // the border
    EXPECT_EQ(s.At(5, 5), kClient);    // client, moved by the border
    EXPECT_EQ(s.At(26, 26), kChild);   // the child at its place (client 20,20 + border 1)
    EXPECT_EQ(s.At(45, 45), kClient);  // the invisible child is not printed
    EXPECT_EQ(s.At(35, 35), kClient);  // and the child is clipped to its size

    // An invisible window with the check-visible flag prints nothing.
    Surface none(60, 60);
    SendMessageA(parent, WM_PRINT, reinterpret_cast<WPARAM>(none.Dc()),
                 PRF_CHECKVISIBLE | PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(none.CountOf(kWhite), 60 * 60);
    DestroyWindow(hiddenChild);
    DestroyWindow(child);
    DestroyWindow(parent);
}

TEST(TextMeasuring, WidthsLeaveOutAcceleratorMarksAndRotatedFontsAreTrueType) {
    Surface s(10, 10);
    TGdiHandle<HFONT> font(TextFont());
    SelectObject(s.Dc(), font.Get());
    SIZE plain{};
    GetTextExtentPoint32A(s.Dc(), "File & Edit", 11, &plain);
    EXPECT_EQ(tb::GetTextWidthW(s.Dc(), u"&File && Edit", true), plain.cx);
    EXPECT_EQ(tb::GetTextWidth(s.Dc(), "&File && Edit", true), plain.cx);
    EXPECT_GT(tb::GetTextWidthW(s.Dc(), u"&File && Edit", false), plain.cx);
    EXPECT_EQ(tb::GetTextWidthW(s.Dc(), u"", true), 0);
    TEXTMETRICA tm{};
    GetTextMetricsA(s.Dc(), &tm);
    EXPECT_EQ(tb::GetTextHeight(s.Dc()), tm.tmHeight);

    LOGFONTA bitmapFace{};
    bitmapFace.lfHeight = -11;
    strcpy(bitmapFace.lfFaceName, "MS Sans Serif");
    TGdiHandle<HFONT> sansSerif(CreateFontIndirectA(&bitmapFace));
    SelectObject(s.Dc(), sansSerif.Get());
    TGdiHandle<HFONT> rotated = tb::CreateRotatedFont(s.Dc());
    LOGFONTW lf{};
    GetObjectW(rotated.Get(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfEscapement, 2700);
    EXPECT_EQ(lf.lfOrientation, 2700);
    EXPECT_EQ(lf.lfHeight, -11);
    const std::wstring face = lf.lfFaceName;
    EXPECT_TRUE(face == L"Arial" || face == L"@Arial") << std::string(face.begin(), face.end());
    SelectObject(s.Dc(), GetStockObject(SYSTEM_FONT));
}

TEST(TextMeasuring, WideTextDrawsAsTheSystemsWideCall) {
    Surface ours(120, 30), system(120, 30);
    TGdiHandle<HFONT> font(TextFont());
    for (Surface* s : {&ours, &system}) SelectObject(s->Dc(), font.Get());
    RECT a{2, 2, 118, 28}, b = a;
    tb::DrawTextWide(ours.Dc(), u"\u041e\u0442&\u043a\u0440\u044b\u0442\u044c", a, DT_SINGLELINE);
    DrawTextW(system.Dc(), L"\u041e\u0442&\u043a\u0440\u044b\u0442\u044c", -1, &b, DT_SINGLELINE);
    EXPECT_TRUE(SameSurfaces(ours, system, 120, 30));
    EXPECT_LT(ours.CountOf(kWhite), 120 * 30);
    for (Surface* s : {&ours, &system}) SelectObject(s->Dc(), GetStockObject(SYSTEM_FONT));
}
