// Themed docks, toolbars and floating frames on a real form: their view types, the theme colour that an
// outside colour switches off, theme changes, the snapping floating frame and its hot close button, and
// the theme's frame painted on screen.
#include "classlib/win/SystemLookups.h"
#include "tests/support/ScreenPicture.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/themed/support/ThemedGuiTest.h"
#include "tests/themed/support/ThemedGuiTest.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinDock.h"
#include "themed/win/TSkinFloatingWindowParent.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBItemViewer.h"

using namespace formtest;

namespace {

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

class ThemedToolbar : public ThemedGuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form_ = NewForm(480, 300);
        dock_ = Create<TSkinDock>(Owner());
        dock_->SetParent(form_);
        bar_ = Create<TSkinToolbar>(Owner());
        bar_->SetCaption(u"Tools");
        for (int i = 0; i < 3; ++i) {
            TTBCustomItem* item = Create<TTBCustomItem>(bar_);
            item->SetCaption(u"Item");
            bar_->Items()->Add(item);
        }
        bar_->SetCurrentDock(dock_);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(bar_->Handle()) != FALSE; }));
    }
    TForm* form_ = nullptr;
    TSkinDock* dock_ = nullptr;
    TSkinToolbar* bar_ = nullptr;
};

}  // namespace

TEST_F(ThemedToolbar, ViewTypesAndTheThemeColourThatAnOutsideColourSwitchesOff) {
    EXPECT_EQ(GetWinViewType(dock_), 0x601);
    EXPECT_EQ(GetWinViewType(bar_), 0x101);
    EXPECT_EQ(GetViewType(bar_->View()), 0x101);
    bar_->SetMenuBar(true);
    EXPECT_EQ(GetWinViewType(bar_), 0x102);
    bar_->SetItemTransparency(skin::itDisable);
    EXPECT_EQ(GetWinViewType(bar_), 0x40102);
    bar_->SetMenuBar(false);
    bar_->SetItemTransparency(skin::itAuto);

    EXPECT_TRUE(bar_->UseThemeColor());
    EXPECT_EQ(bar_->Color(), CurrentTheme().GetViewColor(0x101));
    EXPECT_FALSE(bar_->ColorStored());
    bar_->SetColor(0x0000FF);
    EXPECT_FALSE(bar_->UseThemeColor());
    EXPECT_TRUE(bar_->ColorStored());
    // A theme change leaves a colour set from outside alone.
    SkinThemeManager()->Broadcast(CM_SKINTHEMECHANGE, tcStyleChanged, 0);
    EXPECT_EQ(bar_->Color(), 0x0000FF);
    bar_->SetUseThemeColor(true);
    EXPECT_EQ(bar_->Color(), CurrentTheme().GetViewColor(0x101));

    dock_->SetColor(0x00FF00);
    EXPECT_FALSE(dock_->UseThemeColor());
    dock_->SetUseThemeColor(true);
    EXPECT_EQ(dock_->Color(), CurrentTheme().GetViewColor(0x601));
}

TEST_F(ThemedToolbar, FloatingFrameSnapsToTheWorkAreaAndItsCloseButtonGoesHot) {
    bar_->SetSnapDistance(-5);
    EXPECT_EQ(bar_->SnapDistance(), 0);
    bar_->SetSnapDistance(10);
    bar_->SetFloating(true);
    auto* frame = dynamic_cast<TSkinFloatingWindowParent*>(bar_->FloatingParent());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->SnapDistance(), 10);
    EXPECT_EQ(GetWinViewType(bar_), 0x30101);
    // The theme's floating margins (left 4, top 4) place the first item.
    ASSERT_TRUE(PumpUntil([&] { return bar_->View()->Validated(); }));
    EXPECT_EQ(bar_->View()->Viewers(0)->BoundsRect().TopLeft(), (TPoint{4, 4}));
    const TSize border = bar_->GetFloatingBorderSize();
    EXPECT_EQ(border.cx, ::GetSystemMetrics(SM_CXSIZEFRAME));

    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    HWND f = frame->Handle();
    RECT before;
    ::GetWindowRect(f, &before);
    ::SetWindowPos(f, nullptr, work.left + 6, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after;
    ::GetWindowRect(f, &after);
    EXPECT_EQ(after.left, work.left);
    EXPECT_EQ(after.top, 150);
    ::SetWindowPos(f, nullptr, work.left + 40, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetWindowRect(f, &after);
    EXPECT_EQ(after.left, work.left + 40);

    ::SendMessageA(f, WM_NCMOUSEMOVE, 2001, 0);
    EXPECT_TRUE(frame->CloseButtonHot());
    ::SendMessageA(f, WM_NCMOUSEMOVE, 2002, 0);
    EXPECT_FALSE(frame->CloseButtonHot());
    ::SendMessageA(f, WM_NCMOUSEMOVE, 2001, 0);
    ::SendMessageA(f, WM_NCMOUSELEAVE, 0, 0);
    EXPECT_FALSE(frame->CloseButtonHot());

    // The theme's floating border on screen: a raised edge, then the toolbar colour up to the caption.
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(f) && !::GetUpdateRect(f, &after, FALSE); }));
    ::GetWindowRect(f, &after);
    const std::string path = testsupport::ArtifactPath("themed-floating-frame.bmp");
    testsupport::SaveScreen(path);
    const testsupport::SavedPicture shot(path);
    ASSERT_GT(shot.Width(), 0);
    EXPECT_EQ(shot.Pixel(after.left, after.top + 20), Rgb(cl3DLight));
    EXPECT_EQ(shot.Pixel(after.left + 1, after.top + 20), Rgb(clBtnHighlight));
    EXPECT_EQ(shot.Pixel(after.right - 1, after.top + 20), Rgb(cl3DDkShadow));
    EXPECT_EQ(shot.Pixel(after.right - 2, after.top + 20), Rgb(clBtnShadow));
    EXPECT_EQ(shot.Pixel(after.left + 2, after.top + 20), Rgb(CurrentTheme().GetViewColor(0x101)));
    // The caption bar in the active or inactive caption colour.
    const COLORREF caption = shot.Pixel(after.left + border.cx + 2, after.top + border.cy + 2);
    EXPECT_TRUE(caption == Rgb(clActiveCaption) || caption == Rgb(clInactiveCaption));
}

TEST_F(ThemedToolbar, CaptionsRunDownAToolbarDockedAtTheSide) {
    TSkinDock* left = Create<TSkinDock>(Owner());
    left->SetPosition(dpLeft);
    left->SetParent(form_);
    TSkinItem* text = Create<TSkinItem>(bar_);
    text->SetCaption(u"A long caption");
    bar_->Items()->Add(text);
    bar_->SetCurrentDock(left);
    ASSERT_TRUE(PumpUntil([&] { return bar_->View()->Validated(); }));
    const TRect docked = bar_->View()->Find(text)->BoundsRect();
    EXPECT_GT(docked.Height(), 2 * docked.Width());
    bar_->SetCurrentDock(dock_);
    ASSERT_TRUE(PumpUntil([&] { return bar_->View()->Validated(); }));
    const TRect across = bar_->View()->Find(text)->BoundsRect();
    EXPECT_EQ(across.Width(), docked.Height());
}
