// A form with a themed menu bar (File, Edit, View with a submenu; checked, disabled and separator items), a
// themed toolbar with images and a chevron, and a floating themed toolbar. Checked on screen against the
// default theme's colours and measures, walked through the accessibility objects as a screen reader does,
// and left as screenshots in the build's artifacts.
#include <functional>

#include "classlib/win/SystemLookups.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TCustomImageList.h"
#include "tests/support/ScreenPicture.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/themed/support/ThemedGuiTest.h"
#include "tests/toolbar/support/AccessibleClient.h"
#include "tests/toolbar/support/MenuLoopCheck.h"
#include "themed/win/SkinNonClient.h"
#include "themed/win/SkinPopupMenus.h"
#include "themed/win/TShadow.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinDock.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinPopupWindow.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinToolbar.h"
#include "themed/win/TSkinVisibilityToggleItem.h"
#include "toolbar/core/AccessibilityRules.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBChevronItem.h"
#include "toolbar/win/TTBFloatingWindowParent.h"

using namespace formtest;
using namespace toolbartest;

namespace {

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }
int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// A popup whose theme answer is shadow type 2: the theme layer's own shadow windows, which show on any
// display (the system's drop shadow of type 1 needs a compositor).
class TShadowedPopup : public TSkinPopupWindow {
public:
    using TSkinPopupWindow::TSkinPopupWindow;

protected:
    int ShadowType() const override { return 2; }
};

class TShadowedSubmenu : public TSkinSubmenuItem {
public:
    using TSkinSubmenuItem::TSkinSubmenuItem;
    TTBPopupWindow* CreatePopupWindow(TTBView* parentView, bool customizing) override {
        return Create<TShadowedPopup>(nullptr, parentView, this, customizing);
    }
};

// Opens viewer's menu from view and runs check while it is open, long enough after for the popup's first
// paint to reach the screen.
bool WithMenuOpen(TTBView* view, TTBItemViewer* viewer, std::function<void()> check) {
    return CheckInMenuLoop(view, viewer, 200, std::move(check));
}

TRect ScreenRect(HWND w) {
    RECT r;
    ::GetWindowRect(w, &r);
    return TRect{r.left, r.top, r.right, r.bottom};
}

TRect ViewerOnScreen(TTBItemViewer* viewer) {
    const TRect b = viewer->BoundsRect();
    const TPoint p = viewer->View()->Window()->ClientToScreen(b.TopLeft());
    return TRect{p.X, p.Y, p.X + b.Width(), p.Y + b.Height()};
}

RECT R(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

testsupport::SavedPicture Shoot(const char* name) {
    const std::string path = testsupport::ArtifactPath(name);
    testsupport::SaveScreen(path);
    return testsupport::SavedPicture(path);
}

class ThemedMenus : public ThemedGuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        tb::StartAccessibility(false);
        images_ = Create<TImageList>(Owner());
        auto strip = MakeObject<TBitmap>();
        strip->SetSize(48, 16);
        const TColor cells[] = {clRed, clLime, clBlue};
        for (int i = 0; i < 3; ++i) {
            strip->Canvas()->Brush()->SetColor(cells[i]);
            strip->Canvas()->FillRect(TRect(i * 16, 0, i * 16 + 16, 16));
        }
        images_->AddMasked(strip.get(), clFuchsia);

        form_ = NewForm(420, 300);
        form_->SetCaption("Themed menus");
        dock_ = Create<TSkinDock>(Owner());
        dock_->SetParent(form_);

        menu_ = Create<TSkinToolbar>(Owner());
        menu_->SetMenuBar(true);
        menu_->SetCaption(u"Menu");
        file_ = Add<TShadowedSubmenu>(menu_->Items(), u"&File");
        file_->SetSubMenuImages(images_);
        open_ = Add<TSkinItem>(file_, u"&Open");
        open_->SetShortCut(scCtrl | 'O');
        open_->SetImageIndex(0);
        save_ = Add<TSkinItem>(file_, u"&Save");
        save_->SetEnabled(false);
        separator_ = Add<TSkinSeparatorItem>(file_, u"");
        wrap_ = Add<TSkinItem>(file_, u"&Wrap");
        wrap_->SetChecked(true);
        TSkinSubmenuItem* edit = Add<TSkinSubmenuItem>(menu_->Items(), u"&Edit");
        Add<TSkinItem>(edit, u"&Undo")->SetShortCut(scCtrl | 'Z');
        Add<TSkinItem>(edit, u"Cu&t");
        view_ = Add<TSkinSubmenuItem>(menu_->Items(), u"&View");
        toolbars_ = Add<TSkinSubmenuItem>(view_, u"&Toolbars");
        toggle_ = Add<TSkinVisibilityToggleItem>(toolbars_, u"");
        menu_->SetCurrentDock(dock_);

        tools_ = Create<TSkinToolbar>(Owner());
        tools_->SetCaption(u"Tools");
        tools_->SetImages(images_);
        for (int i = 0; i < 20; ++i) {
            TSkinItem* item = Add<TSkinItem>(tools_->Items(), u"Tool");
            item->SetImageIndex(i % 3);
            item->SetHint(u"A tool");
        }
        tools_->SetDockRow(1);
        tools_->SetCurrentDock(dock_);
        toggle_->SetControl(tools_);

        floating_ = Create<TSkinToolbar>(Owner());
        floating_->SetCaption(u"Float");
        floating_->SetImages(images_);
        for (int i = 0; i < 3; ++i) Add<TSkinItem>(floating_->Items(), u"F")->SetImageIndex(i);
        floating_->SetDockRow(2);
        floating_->SetCurrentDock(dock_);

        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
        floating_->SetFloating(true);
        ::SetWindowPos(floating_->FloatingParent()->Handle(), nullptr, 120, 240, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(PumpUntil([&] { return Painted(); }));
    }
    void TearDown() override {
        tb::EndAccessibility();
        GuiTest::TearDown();
    }
    template <class T>
    static T* Add(TTBCustomItem* parent, const char16_t* caption) {
        T* item = Create<T>(nullptr);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    bool Painted() const {
        RECT r;
        for (HWND w : {form_->Handle(), dock_->Handle(), menu_->Handle(), tools_->Handle(), floating_->Handle()})
            if (::GetUpdateRect(w, &r, FALSE)) return false;
        return true;
    }

    TImageList* images_ = nullptr;
    TForm* form_ = nullptr;
    TSkinDock* dock_ = nullptr;
    TSkinToolbar* menu_ = nullptr;
    TShadowedSubmenu* file_ = nullptr;
    TSkinItem* open_ = nullptr;
    TSkinItem* save_ = nullptr;
    TSkinSeparatorItem* separator_ = nullptr;
    TSkinItem* wrap_ = nullptr;
    TSkinSubmenuItem* view_ = nullptr;
    TSkinSubmenuItem* toolbars_ = nullptr;
    TSkinVisibilityToggleItem* toggle_ = nullptr;
    TSkinToolbar* tools_ = nullptr;
    TSkinToolbar* floating_ = nullptr;
};

}  // namespace

TEST_F(ThemedMenus, MenuBarToolbarAndFloatingFrameInTheThemesColours) {
    const auto shot = Shoot("themed-menu-bar.bmp");
    ASSERT_GT(shot.Width(), 0);
    TSkinTheme& theme = CurrentTheme();

    // The menu bar: docked with the theme's colour it shows its dock's background, each caption drawn on it.
    const COLORREF barColour = Rgb(theme.GetViewColor(0x601));
    const TRect file = ViewerOnScreen(menu_->View()->Find(file_));
    EXPECT_EQ(shot.Pixel(file.Left + 1, file.Top + 1), barColour);
    EXPECT_EQ(shot.Pixel(file.Right - 2, file.Bottom - 2), barColour);
    EXPECT_GT(shot.Differing(R(file), barColour), 10);
    skin::TSkinItemInfo fileInfo;
    fileInfo.ViewType = 0x102;
    fileInfo.ItemOptions = skin::ioToolbarStyle | skin::ioAppActive;
    EXPECT_GT(shot.Matching(R(file), Rgb(theme.GetItemTextColor(fileInfo).first)), 5);

    // The tools: every shown button carries its image, and the items that did not fit went behind the chevron.
    TTBView* tools = tools_->View();
    TTBItemViewer* chevron = tools->Find(tools_->ChevronItem());
    ASSERT_NE(chevron, nullptr);
    EXPECT_TRUE(chevron->Show());
    int shown = 0;
    for (int i = 0; i < tools->ViewerCount(); ++i) {
        TTBItemViewer* v = tools->Viewers(i);
        if (v == chevron || !v->Show()) continue;
        ++shown;
        const TRect r = ViewerOnScreen(v);
        EXPECT_EQ(r.Width(), 26);  // 6 + the item margins 2 + 2 + the 16-pixel image
        const TColor cell[] = {clRed, clLime, clBlue};
        EXPECT_GT(shot.Matching(R(r), Rgb(cell[v->Item()->ImageIndex()])), 100) << "button " << i;
    }
    EXPECT_GT(shown, 5);
    EXPECT_LT(shown, 20);
    // The docked frame: a raised inner edge, and the single drag-handle bar 2 pixels inside the frame.
    const TRect frameOfTools = ScreenRect(tools_->Handle());
    const int middle = (frameOfTools.Top + frameOfTools.Bottom) / 2;
    EXPECT_EQ(shot.Pixel(frameOfTools.Left, middle), Rgb(clBtnHighlight));
    EXPECT_EQ(shot.Pixel(frameOfTools.Right - 1, middle), Rgb(clBtnShadow));
    EXPECT_EQ(shot.Pixel(frameOfTools.Left + 4, middle), Rgb(clBtnHighlight));
    EXPECT_EQ(shot.Pixel(frameOfTools.Left + 6, middle), Rgb(clBtnShadow));
    // The chevron's glyph in button text on the toolbar colour.
    EXPECT_GT(shot.Matching(R(ViewerOnScreen(chevron)), Rgb(clBtnText)), 4);

    EXPECT_EQ(GetWinViewType(floating_), 0x30101);
    // A floating toolbar's own background (in its margins): the theme's colour, not whatever lay there.
    const TPoint corner = floating_->ClientToScreen(TPoint{1, 1});
    EXPECT_EQ(shot.Pixel(corner.X, corner.Y), Rgb(theme.GetViewColor(0x30101)));

    // The menu bar through the accessibility objects.
    AccessibleRef acc = AccessibleOf(menu_->Handle());
    ASSERT_TRUE(acc);
    EXPECT_EQ(AccRole(acc), tb::kRoleMenuBar);
    const char16_t* names[] = {u"File", u"Edit", u"View"};
    for (LONG i = 1; i <= 3; ++i) {
        AccessibleRef item = ChildOf(acc, i);
        ASSERT_TRUE(item);
        EXPECT_EQ(AccName(item), names[i - 1]);
        EXPECT_EQ(AccRole(item), tb::kRoleMenuItem);
        EXPECT_EQ(AccState(item) & static_cast<LONG>(tb::kStateHasPopup), static_cast<LONG>(tb::kStateHasPopup));
    }
}

TEST_F(ThemedMenus, OpenPopupHasTheThemesBorderItemsAndShadow) {
    const bool ran = WithMenuOpen(menu_->View(), menu_->View()->Find(file_), [&] {
        auto* popup = dynamic_cast<TSkinPopupWindow*>(menu_->View()->OpenWindow());
        ASSERT_NE(popup, nullptr);
        HWND w = popup->Handle();
        EXPECT_EQ(GetWinViewType(popup), 0x201);
        const TRect window = ScreenRect(w);
        const TRect client = skin::ClientRectInWindow(w);
        EXPECT_EQ(client.Left, 3);
        EXPECT_EQ(client.Top, 3);
        EXPECT_EQ(window.Width() - client.Right, 3);
        ASSERT_NE(popup->Shadows(), nullptr);
        EXPECT_GE(popup->Shadows()->Count(), 2);  // right and below, and where it meets its opener
        ::UpdateWindow(w);

        const auto shot = Shoot("themed-popup.bmp");
        ASSERT_GT(shot.Width(), 0);
        TTBView* view = popup->View();
        // Raised edge (or the flat line of flat menus) and the menu colour inside.
        const COLORREF edge = SkinSystem().flatMenus ? Rgb(clBtnShadow) : Rgb(cl3DLight);
        EXPECT_EQ(shot.Pixel(window.Left, window.Top + window.Height() / 2), edge);
        const COLORREF menuColour = Rgb(CurrentTheme().GetViewColor(0x201));
        EXPECT_EQ(shot.Pixel(window.Right - 5, window.Bottom - 5), menuColour);
        // The shadow darkens what lies right of and below the popup.
        EXPECT_LT(Brightness(shot.Pixel(window.Right + 1, window.Top + 12)), Brightness(Rgb(clBtnFace)));
        EXPECT_LT(Brightness(shot.Pixel(window.Left + 12, window.Bottom + 1)), Brightness(Rgb(clBtnFace)));

        // Open: its image in the image column; Save: embossed; the separator etched; Wrap: a check mark.
        const TRect open = ViewerOnScreen(view->Find(open_));
        EXPECT_GT(shot.Matching(R(open), Rgb(clRed)), 100);
        const TRect save = ViewerOnScreen(view->Find(save_));
        EXPECT_GT(shot.Matching(R(save), Rgb(clBtnHighlight)), 5);
        EXPECT_GT(shot.Matching(R(save), Rgb(clBtnShadow)), 5);
        const TRect sep = ViewerOnScreen(view->Find(separator_));
        EXPECT_GT(shot.Matching(R(sep), Rgb(clBtnShadow)), sep.Width() / 2);
        const TRect wrap = ViewerOnScreen(view->Find(wrap_));
        const int column = static_cast<TSkinPopupView*>(view)->PopupMargin();
        EXPECT_EQ(column, 22);
        EXPECT_GT(shot.Matching(RECT{wrap.Left, wrap.Top, wrap.Left + column, wrap.Bottom}, Rgb(clBtnText)), 10);

        // The same items through the accessibility objects.
        AccessibleRef menu = AccessibleOf(w);
        ASSERT_TRUE(menu);
        EXPECT_EQ(AccRole(menu), tb::kRoleMenuPopup);
        EXPECT_EQ(AccName(menu), u"File");
        AccessibleRef openAcc = ChildOf(menu, 1), saveAcc = ChildOf(menu, 2), sepAcc = ChildOf(menu, 3),
                      wrapAcc = ChildOf(menu, 4);
        ASSERT_TRUE(openAcc && saveAcc && sepAcc && wrapAcc);
        EXPECT_EQ(AccName(openAcc), u"Open\tCtrl+O");
        EXPECT_EQ(AccRole(openAcc), tb::kRoleMenuItem);
        EXPECT_EQ(AccState(saveAcc) & static_cast<LONG>(tb::kStateUnavailable),
                  static_cast<LONG>(tb::kStateUnavailable));
        EXPECT_EQ(AccRole(sepAcc), tb::kRoleSeparator);
        EXPECT_EQ(AccState(wrapAcc) & static_cast<LONG>(tb::kStateChecked), static_cast<LONG>(tb::kStateChecked));
    });
    EXPECT_TRUE(ran);
    // Closing the popup took its shadow windows with it.
    EXPECT_EQ(menu_->View()->OpenWindow(), nullptr);
}

TEST_F(ThemedMenus, PlainSubmenusUseTheSystemShadowClassAndTheToggleFollowsTheToolbar) {
    const bool ran = WithMenuOpen(menu_->View(), menu_->View()->Find(view_), [&] {
        auto* popup = dynamic_cast<TSkinPopupWindow*>(menu_->View()->OpenWindow());
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->Shadows(), nullptr);
        const ULONG_PTR style = ::GetClassLongPtrA(popup->Handle(), GCL_STYLE);
        EXPECT_NE(style & CS_DROPSHADOW, 0u);
        EXPECT_EQ(style & CS_SAVEBITS, 0u);
        char name[80] = {};
        ::GetClassNameA(popup->Handle(), name, sizeof name);
        EXPECT_EQ(std::string(name).back(), 'S');
    });
    EXPECT_TRUE(ran);

    EXPECT_EQ(toggle_->Caption(), u"Tools");
    EXPECT_TRUE(toggle_->Checked());
    toggle_->Click();
    EXPECT_FALSE(tools_->Visible());
    EXPECT_FALSE(toggle_->Checked());
    toggle_->Click();
    EXPECT_TRUE(tools_->Visible());
    EXPECT_TRUE(toggle_->Checked());
    // Hidden another way: the check follows when its submenu opens.
    tools_->SetVisible(false);
    toolbars_->DoPopup(toolbars_, false);
    EXPECT_FALSE(toggle_->Checked());
    Free(tools_);
    tools_ = nullptr;
    EXPECT_EQ(toggle_->Control(), nullptr);
}

TEST_F(ThemedMenus, ChevronOpensAThemedChevronPopupOfTheHiddenItems) {
    TTBView* tools = tools_->View();
    const bool ran = WithMenuOpen(tools, tools->Find(tools_->ChevronItem()), [&] {
        auto* popup = dynamic_cast<TSkinChevronPopupWindow*>(tools->OpenWindow());
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(GetWinViewType(popup), 0x204);
        ::UpdateWindow(popup->Handle());
        const auto shot = Shoot("themed-chevron-popup.bmp");
        ASSERT_GT(shot.Width(), 0);
        int hidden = 0;
        for (int i = 0; i < tools->ViewerCount(); ++i)
            if (!tools->Viewers(i)->Show() && tools->Viewers(i)->Item() != tools_->ChevronItem()) ++hidden;
        int listed = 0;
        for (int i = 0; i < popup->View()->ViewerCount(); ++i) {
            TTBItemViewer* v = popup->View()->Viewers(i);
            if (!v->Show()) continue;
            ++listed;
            const TColor cell[] = {clRed, clLime, clBlue};
            EXPECT_GT(shot.Matching(R(ViewerOnScreen(v)), Rgb(cell[v->Item()->ImageIndex()])), 100);
        }
        EXPECT_EQ(listed, hidden);
        const TRect window = ScreenRect(popup->Handle());
        EXPECT_EQ(shot.Pixel(window.Right - 4, window.Bottom - 4), Rgb(CurrentTheme().GetViewColor(0x204)));
    });
    EXPECT_TRUE(ran);
}

TEST_F(ThemedMenus, VisualStylesOnAndOffRepaintEveryThemedWindow) {
    for (bool allowed : {true, false}) {
        SkinThemeManager()->SetVisualStylesAllowed(allowed);
        ::SendMessageA(SkinThemeManager()->Window(), WM_THEMECHANGED, 0, 0);
        RECT r;
        for (HWND w : {dock_->Handle(), menu_->Handle(), tools_->Handle(), floating_->Handle()})
            EXPECT_TRUE(::GetUpdateRect(w, &r, FALSE)) << "window " << w << " with styles " << allowed;
        EXPECT_TRUE(PumpUntil([&] { return Painted(); }));
        EXPECT_EQ(menu_->Color(), CurrentTheme().GetViewColor(0x102));
        EXPECT_EQ(tools_->Color(), CurrentTheme().GetViewColor(0x101));
    }
}

namespace {

BOOL CALLBACK FindShownPopup(HWND w, LPARAM p) {
    auto* popup = dynamic_cast<TSkinPopupWindow*>(FindControl(w));
    if (!popup || !::IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<TSkinPopupWindow**>(p) = popup;
    return FALSE;
}

// The themed popup window of this thread that is on screen, if any.
TSkinPopupWindow* ShownPopup() {
    TSkinPopupWindow* found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindShownPopup, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct BelowCheck {
    static inline BelowCheck* current = nullptr;
    TRect window;
    bool seen = false;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        TSkinPopupWindow* popup = ShownPopup();
        if (!popup) return;
        ::KillTimer(nullptr, id);
        current->seen = true;
        current->window = ScreenRect(popup->Handle());
        popup->View()->EndModal();
    }
};

}  // namespace

TEST_F(ThemedMenus, APopupMenuBelowAButtonOpensAtItsBottomLeftAndNeverCoversIt) {
    TTBItemViewer* shown = nullptr;
    for (int i = 0; !shown && i < tools_->View()->ViewerCount(); ++i)
        if (tools_->View()->Viewers(i)->Show()) shown = tools_->View()->Viewers(i);
    ASSERT_NE(shown, nullptr);
    const TRect button = ViewerOnScreen(shown);
    for (const TRect& at : {button, TRect{button.Left, ::GetSystemMetrics(SM_CYSCREEN) - 30, button.Right,
                                          ::GetSystemMetrics(SM_CYSCREEN) - 8}}) {
        BelowCheck check;
        BelowCheck::current = &check;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &BelowCheck::Tick);
        EXPECT_FALSE(SkinPopupMenuBelow(file_, at));
        ::KillTimer(nullptr, timer);
        BelowCheck::current = nullptr;
        ASSERT_TRUE(check.seen);
        EXPECT_EQ(check.window.Left, at.Left);
        // Below the rectangle, or above it near the bottom of the screen.
        EXPECT_TRUE(check.window.Top == at.Bottom || check.window.Bottom == at.Top)
            << check.window.Top << " " << check.window.Bottom;
    }
}
