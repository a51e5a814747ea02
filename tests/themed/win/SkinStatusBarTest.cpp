// The themed status bar at the bottom of a form, in the classic look of the default theme: seven caption and
// value pairs of panels (the value panels framed, the last one touching the end) and the size grip. Checked
// are the layout as the form narrows, the grip's hit test and its absence on a maximised form, real clicks on
// panels, simple text, hosted controls and the refusal of a cycle. A screenshot is saved as
// artifacts/status-bar.bmp and checked pixel by pixel.
#include <string>

#include "classlib/core/Exceptions.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/themed/support/ThemedFormTest.h"
#include "themed/win/TSkinStatusBar.h"

using namespace formtest;

namespace {

// "Size", "Zoom", "Mode", "File", "Colour", "Depth", "Profile" in Russian, and their values.
const WideString kCaptions[7] = {u"\u0420\u0430\u0437\u043c\u0435\u0440:",
                                 u"\u041c\u0430\u0441\u0448\u0442\u0430\u0431:",
                                 u"\u0420\u0435\u0436\u0438\u043c:",
                                 u"\u0424\u0430\u0439\u043b:",
                                 u"\u0426\u0432\u0435\u0442:",
                                 u"\u0413\u043b\u0443\u0431\u0438\u043d\u0430:",
                                 u"\u041f\u0440\u043e\u0444\u0438\u043b\u044c:"};

const WideString kValues[7] = {u"640", u"50%", u"RGB", u"\u0444\u043e\u0442\u043e.jpg", u"24", u"8", u"sRGB"};

// Presses at the point, moves 40 right and 30 down in two steps and releases there.
DWORD WINAPI DragFromGrip(LPVOID p) {
    const TPoint from = *static_cast<const TPoint*>(p);
    auto send = [](TPoint at, DWORD flags) {
        INPUT input = testsupport::PointerMove(at);
        input.mi.dwFlags |= flags;
        ::SendInput(1, &input, sizeof input);
        ::Sleep(80);
    };
    send(from, MOUSEEVENTF_LEFTDOWN);
    send(Point(from.X + 20, from.Y + 15), 0);
    send(Point(from.X + 40, from.Y + 30), 0);
    send(Point(from.X + 40, from.Y + 30), MOUSEEVENTF_LEFTUP);
    return 0;
}

struct TPanelClicks : TObject {
    std::vector<TSkinStatusPanel*> clicked;
    void Clicked(TObject*, TSkinStatusPanel* panel) { clicked.push_back(panel); }
};

class StatusBar : public themedtest::ThemedFormTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form_ = NewForm(700, 200);
        form_->SetCaption("Status bar");
        bar_ = Create<TSkinStatusBar>(Owner());
        bar_->SetParent(form_);
        for (int i = 0; i < 7; ++i) {
            TSkinStatusPanel* caption = bar_->Panels()->Add();
            caption->SetCaption(kCaptions[i]);
            caption->SetFramed(false);
            caption->SetSize(70);
            caption->SetAlignment(taRightJustify);
            TSkinStatusPanel* value = bar_->Panels()->Add();
            value->SetCaption(kValues[i]);
            value->SetSize(i == 6 ? 40 : 30);
        }
        // The file name stretches and is the first to go; the colour pair goes next.
        bar_->Panels()->Items(7)->SetStretchPriority(1);
        bar_->Panels()->Items(7)->SetTextTruncation(ttPathEllipsis);
        for (int i : {6, 7}) bar_->Panels()->Items(i)->SetViewPriority(10);
        for (int i : {8, 9}) bar_->Panels()->Items(i)->SetViewPriority(20);
        bar_->OnPanelClick = MakeMethod<&TPanelClicks::Clicked>(&clicks_);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
        PumpFor(50);
    }

    TSkinStatusPanel* Panel(int i) { return bar_->Panels()->Items(i); }
    TPoint ScreenCentre(const TRect& r) {
        return bar_->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    std::intptr_t HitTest(TPoint screen) {
        return ::SendMessageA(bar_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
    }

    TForm* form_ = nullptr;
    TSkinStatusBar* bar_ = nullptr;
    TPanelClicks clicks_;
};

}  // namespace

TEST_F(StatusBar, PanelsShowByPriorityAndTheFileNameTakesTheRest) {
    const int width = bar_->ClientWidth();
    // 7 x 70 + 6 x 30 + 40 = 710 is more than the bar: of the file pair (priority 10) the value goes first,
    // the last of equals, and then the rest fit.
    ASSERT_LT(width, 710);
    ASSERT_GE(width, 680);
    EXPECT_TRUE(Panel(6)->Shown());
    EXPECT_FALSE(Panel(7)->Shown());
    EXPECT_TRUE(Panel(8)->Shown());
    EXPECT_EQ(Panel(13)->BoundsRect(), Rect(640, 2, 680, bar_->ClientHeight()));
    EXPECT_FALSE(Panel(13)->TouchesEnd());
    EXPECT_EQ(bar_->Height(), 22);

    // Wide enough: the file pair comes back and its value takes the width left over, up to the end.
    form_->SetWidth(form_->Width() + 200);
    ASSERT_TRUE(PumpUntil([&] { return Panel(7)->Shown(); }));
    EXPECT_EQ(Panel(7)->CurrentSize(), 30 + bar_->ClientWidth() - 710);
    EXPECT_TRUE(Panel(13)->TouchesEnd());
    EXPECT_EQ(Panel(13)->BoundsRect().Right, bar_->ClientWidth());

    // Too narrow for the panels that are never dropped: they run past the edge, and those beyond it hide.
    form_->SetWidth(300);
    ASSERT_TRUE(PumpUntil([&] { return !Panel(8)->Shown(); }));
    EXPECT_TRUE(Panel(0)->Shown());
    EXPECT_EQ(Panel(4)->BoundsRect(), Rect(200, 2, 270, bar_->ClientHeight()));
    EXPECT_TRUE(Panel(5)->Shown());  // starts at 270, inside the bar
    EXPECT_FALSE(Panel(10)->Shown());
    // A panel with priority 0 never shows.
    Panel(0)->SetViewPriority(0);
    EXPECT_FALSE(Panel(0)->Shown());
    EXPECT_EQ(Panel(1)->BoundsRect().Left, 0);
}

TEST_F(StatusBar, TheGripSizesTheFormOnlyInItsNormalState) {
    const TRect grip = bar_->SizeGripRect();
    EXPECT_EQ(grip, Rect(bar_->ClientWidth() - ::GetSystemMetrics(SM_CXVSCROLL), 3, bar_->ClientWidth(), 22));
    ASSERT_TRUE(bar_->SizeGripActive());
    EXPECT_EQ(HitTest(ScreenCentre(grip)), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(ScreenCentre(Panel(0)->BoundsRect())), HTCLIENT);

    // A real drag on the grip sizes the form. The form's sizing loop runs inside the press, so the drag
    // comes from another thread.
    const int width = form_->Width(), height = form_->Height();
    TPoint from = ScreenCentre(grip);
    testsupport::MoveTo(from);
    ASSERT_TRUE(PumpUntil([&] {
        POINT p{};
        return ::GetCursorPos(&p) && p.x == from.X && p.y == from.Y;
    }));
    HANDLE thread = ::CreateThread(nullptr, 0, &DragFromGrip, &from, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }));
    ::CloseHandle(thread);
    EXPECT_TRUE(PumpUntil([&] { return form_->Width() == width + 40 && form_->Height() == height + 30; }))
        << form_->Width() << " x " << form_->Height();

    form_->SetWindowState(wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return ::IsZoomed(form_->Handle()) != 0; }));
    EXPECT_FALSE(bar_->SizeGripActive());
    EXPECT_EQ(HitTest(ScreenCentre(bar_->SizeGripRect())), HTCLIENT);
    form_->SetWindowState(wsNormal);
    bar_->SetSizeGrip(false);
    EXPECT_FALSE(bar_->SizeGripActive());
}

TEST_F(StatusBar, ClicksNameThePanelUnderThePointer) {
    testsupport::ClickAt(ScreenCentre(Panel(3)->BoundsRect()));
    ASSERT_TRUE(PumpUntil([&] { return !clicks_.clicked.empty(); }));
    EXPECT_EQ(clicks_.clicked.back(), Panel(3));
    // Simple text covers the panels: no panel is hit.
    bar_->SetSimplePanel(true);
    bar_->SetSimpleText(u"\u0413\u043e\u0442\u043e\u0432\u043e");
    testsupport::ClickAt(ScreenCentre(Panel(3)->BoundsRect()));
    PumpPostedMessages();
    PumpFor(50);
    EXPECT_EQ(clicks_.clicked.size(), 1u);
}

TEST_F(StatusBar, AHostedControlIsAPanelOfItsOwnAndTheBarRefusesItsOwnParent) {
    const int count = bar_->Panels()->Count();
    TObjectPtr<TCustomControl> box = MakeObject<TCustomControl>(nullptr);
    box->SetParent(bar_);
    ASSERT_EQ(bar_->Panels()->Count(), count + 1);
    TSkinStatusPanel* hosting = Panel(count);
    EXPECT_EQ(hosting->Control(), box.get());
    // Placed in the panel's content rectangle (inside the theme's margins 1, 1, 3, 1) once it shows.
    hosting->SetViewPriority(100);
    Panel(11)->SetViewPriority(0);
    Panel(13)->SetViewPriority(0);
    Panel(12)->SetViewPriority(0);
    ASSERT_TRUE(hosting->Shown());
    const TRect r = hosting->BoundsRect();
    EXPECT_EQ(box->BoundsRect(), Rect(r.Left + 1, r.Top + 1, r.Right - 3, r.Bottom - 1));

    EXPECT_THROW(Panel(0)->SetControl(form_), EInvalidOperation);
    EXPECT_EQ(Panel(0)->Control(), nullptr);
    // Taken by another panel, the control leaves the first; leaving the bar frees its panel.
    Panel(1)->SetControl(box.get());
    EXPECT_EQ(hosting->Control(), nullptr);
    EXPECT_EQ(Panel(1)->Control(), box.get());
    box->SetParent(nullptr);
    EXPECT_EQ(bar_->Panels()->Count(), count);
    EXPECT_EQ(Panel(1)->Caption(), kCaptions[1]);
}

TEST_F(StatusBar, TheDefaultThemeDrawsPanesTextAndGrip) {
    form_->SetWidth(900);
    ASSERT_TRUE(PumpUntil([&] { return Panel(13)->TouchesEnd(); }));
    const auto rgb = [](TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); };
    const TRect last = Panel(13)->BoundsRect();
    // Waits for the end panel's frame, drawn only once the bar has been laid out at the new width.
    const testsupport::SavedPicture shot = themedtest::ScreenWhen("status-bar.bmp", [&](const auto& p) {
        const TPoint corner = bar_->ClientToScreen(Point(last.Right - 1, last.Top + 5));
        return p.Pixel(corner.X, corner.Y) == rgb(clBtnHighlight);
    });
    ASSERT_GT(shot.Width(), 0);
    auto at = [&](int x, int y) {
        const TPoint p = bar_->ClientToScreen(Point(x, y));
        return shot.Pixel(p.X, p.Y);
    };
    auto area = [&](const TRect& r) { return themedtest::ScreenRect(bar_, r); };
    // A framed value panel: shadow at its top and left, highlight at its bottom and right (pulled in by 2).
    const TRect value = Panel(1)->BoundsRect();
    EXPECT_EQ(at(value.Left + 5, value.Top), rgb(clBtnShadow));
    EXPECT_EQ(at(value.Left, value.Top + 5), rgb(clBtnShadow));
    EXPECT_EQ(at(value.Left + 5, value.Bottom - 1), rgb(clBtnHighlight));
    EXPECT_EQ(at(value.Right - 3, value.Top + 5), rgb(clBtnHighlight));
    EXPECT_EQ(at(value.Right - 1, value.Top + 5), rgb(clBtnFace));
    // The last one touches the end: its right edge is not pulled in.
    EXPECT_EQ(at(last.Right - 1, last.Top + 5), rgb(clBtnHighlight));
    // A caption panel has no frame; its right-aligned Cyrillic text is in the menu-text colour.
    const TRect caption = Panel(0)->BoundsRect();
    EXPECT_EQ(at(caption.Left + 2, caption.Top), rgb(clBtnFace));
    EXPECT_GT(
        shot.Matching(area(Rect(caption.Right - 30, caption.Top, caption.Right, caption.Bottom)), rgb(clMenuText)), 10);
    EXPECT_EQ(shot.Matching(area(Rect(caption.Left, caption.Top, caption.Left + 10, caption.Bottom)), rgb(clMenuText)),
              0);
    // The grip: diagonals of highlight and shadow in the bottom-right corner.
    const TRect grip = bar_->SizeGripRect();
    EXPECT_GT(shot.Matching(area(grip), rgb(clBtnShadow)), 10);
    EXPECT_GT(shot.Matching(area(grip), rgb(clBtnHighlight)), 5);
    // The strip above the panels is the bar's background.
    EXPECT_EQ(shot.Differing(area(Rect(0, 0, bar_->ClientWidth(), 2)), rgb(clBtnFace)), 0);
}
