// The screen: forms in the system's z-order, the active form and control, cursor shapes, fonts and metrics;
// the mouse.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/core/TStrings.h"
#include "tests/classlib/gui/ApplicationTestSupport.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TMouse.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/WindowDC.h"

using apptest::EnsureApplication;

namespace {

int IndexOf(TCustomForm* form) {
    for (int i = 0; i < Screen->CustomFormCount(); ++i)
        if (Screen->CustomForms(i) == form) return i;
    return -1;
}

// A form class that is not a TForm.
class PlainForm : public TCustomForm {
    CLASSLIB_COMPONENT(PlainForm, TCustomForm)
    PlainForm(TComponent* owner, TNoBuilders) : TCustomForm(owner, NoBuilders) {}
};

}  // namespace

TEST(Screen, FormsAreListedTopmostFirstFromTheSystemsWindowOrder) {
    EnsureApplication();
    const int before = Screen->CustomFormCount();
    const int formsBefore = Screen->FormCount();
    TObjectPtr<TForm> a(Create<TForm>(nullptr, NoBuilders));
    TObjectPtr<TForm> b(Create<TForm>(nullptr, NoBuilders));
    TObjectPtr<PlainForm> c(Create<PlainForm>(nullptr, NoBuilders));
    TObjectPtr<TForm> hidden(Create<TForm>(nullptr, NoBuilders));  // no window yet
    ASSERT_EQ(Screen->CustomFormCount(), before + 4);
    EXPECT_EQ(Screen->FormCount(), formsBefore + 3);
    for (TCustomForm* f :
         {static_cast<TCustomForm*>(a.get()), static_cast<TCustomForm*>(b.get()), static_cast<TCustomForm*>(c.get())}) {
        f->SetBounds(50, 50, 200, 150);
        f->Show();
    }
    // b above c above a.
    ::SetWindowPos(a->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(c->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(b->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_LT(IndexOf(b.get()), IndexOf(c.get()));
    EXPECT_LT(IndexOf(c.get()), IndexOf(a.get()));
    EXPECT_LT(IndexOf(a.get()), IndexOf(hidden.get()));
    EXPECT_EQ(IndexOf(hidden.get()), Screen->CustomFormCount() - 1);
    // Forms lists only TForm descendants, in the same order.
    std::vector<TForm*> forms;
    for (int i = 0; i < Screen->FormCount(); ++i) forms.push_back(Screen->Forms(i));
    EXPECT_EQ(std::find(forms.begin(), forms.end(), static_cast<TForm*>(nullptr)), forms.end());
    auto pos = [&](TForm* f) { return std::find(forms.begin(), forms.end(), f) - forms.begin(); };
    EXPECT_LT(pos(b.get()), pos(a.get()));
    EXPECT_THROW(Screen->CustomForms(Screen->CustomFormCount()), EListError);
    EXPECT_THROW(Screen->Forms(-1), EListError);

    // The active form and control are forgotten when they go.
    Screen->SetFocusedForm(a.get(), nullptr);
    EXPECT_EQ(Screen->ActiveCustomForm(), a.get());
    EXPECT_EQ(Screen->ActiveForm(), a.get());
    Screen->SetFocusedForm(c.get(), nullptr);
    EXPECT_EQ(Screen->ActiveForm(), nullptr);  // not a TForm
    const TCustomForm* gone = c.get();
    c.reset();
    EXPECT_NE(Screen->ActiveCustomForm(), gone);
    EXPECT_EQ(Screen->CustomFormCount(), before + 3);
}

TEST(Screen, CursorShapesBuiltInInstalledAndUnknown) {
    EnsureApplication();
    HCURSOR arrow = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    EXPECT_EQ(Screen->Cursors(crDefault), arrow);
    EXPECT_EQ(Screen->Cursors(crArrow), arrow);
    EXPECT_EQ(Screen->Cursors(crIBeam), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM)));
    EXPECT_EQ(Screen->Cursors(crHourGlass), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_EQ(Screen->Cursors(crHandPoint), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
    EXPECT_EQ(Screen->Cursors(crNone), nullptr);
    EXPECT_EQ(Screen->Cursors(4321), arrow);

    HCURSOR hand = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEALL));
    Screen->SetCursors(100, hand);
    EXPECT_EQ(Screen->Cursors(100), hand);
    Screen->SetCursors(100, nullptr);
    EXPECT_EQ(Screen->Cursors(100), arrow);

    // The global shape takes effect at once.
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    EXPECT_EQ(::GetCursor(), Screen->Cursors(crHourGlass));
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST(Screen, FontNamesAndTheSystemsFonts) {
    EnsureApplication();
    TStrings* fonts = Screen->Fonts();
    ASSERT_GT(fonts->Count(), 0);
    for (int i = 0; i < fonts->Count(); ++i) {
        EXPECT_NE(fonts->Strings(i).front(), '@');
        if (i > 0) {
            EXPECT_LT(fonts->CompareStrings(fonts->Strings(i - 1), fonts->Strings(i)), 0);
        }
    }
    EXPECT_EQ(Screen->Fonts(), fonts);  // read once

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_EQ(Screen->HintFont()->Name(), metrics.lfStatusFont.lfFaceName);
    EXPECT_EQ(Screen->HintFont()->Height(), metrics.lfStatusFont.lfHeight);
    EXPECT_EQ(Screen->MenuFont()->Name(), metrics.lfMenuFont.lfFaceName);
    EXPECT_FALSE(Screen->IconFont()->Name().empty());
}

TEST(Screen, MetricsDescribeTheDisplay) {
    EnsureApplication();
    EXPECT_EQ(Screen->Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(Screen->Height(), ::GetSystemMetrics(SM_CYSCREEN));
    const TWindowDC dcWindowDC;
    HDC dc = dcWindowDC.Get();
    EXPECT_EQ(Screen->PixelsPerInch(), ::GetDeviceCaps(dc, LOGPIXELSY));
    const TRect desktop = Screen->DesktopRect();
    const TRect work = Screen->WorkAreaRect();
    EXPECT_GE(desktop.Width(), Screen->Width());
    EXPECT_FALSE(work.IsEmpty());
    EXPECT_GE(work.Left, desktop.Left);
    EXPECT_LE(work.Right, desktop.Right);
    EXPECT_LE(work.Bottom, desktop.Bottom);
}

TEST(Mouse, PointerPositionAndCapture) {
    EnsureApplication();
    Mouse->SetCursorPos(TPoint{37, 41});
    EXPECT_EQ(Mouse->CursorPos(), (TPoint{37, 41}));
    HWND wnd =
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    Mouse->SetCapture(wnd);
    EXPECT_EQ(Mouse->Capture(), wnd);
    Mouse->SetCapture(nullptr);
    EXPECT_EQ(Mouse->Capture(), nullptr);
    ::DestroyWindow(wnd);
}
