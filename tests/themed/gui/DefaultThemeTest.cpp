// The default theme in the classic look: its colour cache, and each element painted into a 32-bit bitmap
// checked against its colours and sizes.
#include <gtest/gtest.h>

#include "classlib/core/UnitRegistry.h"
#include "classlib/win/SystemLookups.h"
#include "themed/core/SkinColorMath.h"
#include "themed/win/SkinResources.h"
#include "themed/win/TDIB32.h"
#include "themed/win/TSkinDefaultTheme.h"

using namespace skin;

namespace {

constexpr std::uint32_t kBack = 0x123456;

std::uint32_t Px(TColor c) { return ColorToOpaquePixel(std::uint32_t(ColorToRGB(c))) & 0xFFFFFF; }

class DefaultTheme : public ::testing::Test {
protected:
    void SetUp() override {
        classlib::UseSystemColors();
        RegisterSkinThemesUnit();
        classlib::Startup();
        SkinThemeManager()->SetVisualStylesAllowed(false);
        theme = MakeObject<TSkinDefaultTheme>("Default");
        dib.SetSize(60, 40);
        dib.Fill(0xFF000000u | kBack);
    }
    void TearDown() override {
        theme.reset();
        classlib::Shutdown();
    }
    std::uint32_t At(int x, int y) { return dib.Row(y)[x] & 0xFFFFFF; }
    bool Contains(const TRect& r, std::uint32_t colour) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (At(x, y) == colour) return true;
        return false;
    }
    TSkinItemInfo Item(std::int32_t viewType, std::int32_t options = ioToolbarStyle | ioAppActive) {
        TSkinItemInfo i;
        i.ViewType = viewType;
        i.ItemOptions = options;
        return i;
    }
    TObjectPtr<TSkinDefaultTheme> theme;
    TDIB32 dib;
};

}  // namespace

TEST_F(DefaultTheme, ColourCacheWithoutVisualStyles) {
    const TThemeColorCache& c = theme->Colors();
    EXPECT_EQ(c.ToolbarColor, clBtnFace);
    EXPECT_EQ(c.ToolbarTextColor, clBtnText);
    EXPECT_EQ(c.DockColor, clBtnFace);
    EXPECT_EQ(c.StatusBarColor, clBtnFace);
    const std::uint32_t mix =
        MixDockPanelColor(std::uint32_t(ColorToRGB(clBtnFace)), std::uint32_t(ColorToRGB(clWindow)));
    EXPECT_EQ(std::uint32_t(c.DockPanelColor), mix);  // a true-colour screen shows it as it is
    EXPECT_EQ(theme->GetViewColor(0x401), c.DockPanelColor);
    EXPECT_EQ(theme->GetViewColor(0x999), clBtnFace);
    EXPECT_EQ(theme->GetIntegerMetrics(10), 11);
    EXPECT_EQ(theme->GetIntegerMetrics(35), -1);
    EXPECT_EQ(theme->GetMargins(9), TMargins{});
    EXPECT_FALSE(theme->GetBooleanMetrics(5));
    EXPECT_EQ(theme->GetPopupShadowType(), 1);
    EXPECT_EQ(theme->GetViewBorder(0x101 | vtFloating),
              (TSize{::GetSystemMetrics(SM_CXFIXEDFRAME), ::GetSystemMetrics(SM_CYFIXEDFRAME)}));
}

TEST_F(DefaultTheme, RegisteredByNameAndRefreshedOnADisplayChange) {
    // Under a name of its own: the themed item layer, when it runs in this program, registers "Default".
    RegisterSkinTheme<TSkinDefaultTheme>("Classic");
    try {
        RegisterSkinTheme<TSkinDefaultTheme>("CLASSIC");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Theme CLASSIC is already registered");
    }
    TSkinTheme* t = GetSkinTheme("classic");
    ASSERT_NE(dynamic_cast<TSkinDefaultTheme*>(t), nullptr);
    // A system change reaches the theme through the manager and rebuilds its cache.
    auto* d = static_cast<TSkinDefaultTheme*>(t);
    const_cast<TThemeColorCache&>(d->Colors()).ToolbarColor = 0x010203;
    ::SendMessageA(SkinThemeManager()->Window(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(d->Colors().ToolbarColor, clBtnFace);
    ReleaseSkinTheme(t);
}

TEST_F(DefaultTheme, BackgroundStaysInsideTheClipRectangle) {
    theme->PaintBackgnd(dib.DC(), Rect(0, 0, 40, 30), Rect(10, 5, 20, 15), clDefault, 0x201);
    EXPECT_EQ(At(10, 5), Px(clMenu));
    EXPECT_EQ(At(19, 14), Px(clMenu));
    EXPECT_EQ(At(9, 5), kBack);
    EXPECT_EQ(At(20, 14), kBack);
    EXPECT_EQ(At(10, 15), kBack);
    theme->PaintBackgnd(dib.DC(), Rect(30, 0, 40, 10), Rect(0, 0, 10, 10), 0x0000FF, 0x201);  // no overlap
    EXPECT_EQ(At(35, 5), kBack);
}

TEST_F(DefaultTheme, CheckMarksTickAndRadioDot) {
    TSkinItemInfo check = Item(0x201, 0);
    theme->PaintCheckMark(dib.DC(), Rect(0, 0, 20, 20), check);  // centre (10, 10)
    EXPECT_EQ(At(9, 12), Px(clBtnText));                         // on the tick's lower arm
    EXPECT_EQ(At(12, 9), Px(clBtnText));                         // on its upper arm
    EXPECT_EQ(At(6, 10), Px(clBtnHighlight));                    // the highlight line at cx - 4
    EXPECT_EQ(At(10, 5), kBack);
    check.Enabled = false;
    theme->PaintCheckMark(dib.DC(), Rect(20, 0, 40, 20), check);  // centre (30, 10)
    EXPECT_EQ(At(29, 12), Px(clGrayText));
    EXPECT_EQ(At(26, 10), kBack);  // no highlight when disabled
    TSkinItemInfo radio = Item(0x201, ioRadio);
    theme->PaintCheckMark(dib.DC(), Rect(40, 0, 60, 20), radio);  // centre (50, 10)
    EXPECT_EQ(At(50, 10), Px(clBtnText));
    EXPECT_TRUE(Contains(Rect(47, 7, 54, 14), Px(clBtnHighlight)));
    EXPECT_EQ(At(50, 3), kBack);
}

TEST_F(DefaultTheme, ClassicButtonsRaisedWhenHotSunkenWhenPushed) {
    TSkinItemInfo b = Item(0x101);
    theme->PaintButton(dib.DC(), Rect(0, 0, 20, 20), b);  // normal: nothing
    EXPECT_EQ(At(0, 0), kBack);
    b.HoverKind = hkHot;
    theme->PaintButton(dib.DC(), Rect(0, 0, 20, 20), b);
    EXPECT_EQ(At(0, 0), Px(clBtnHighlight));
    EXPECT_EQ(At(19, 19), Px(clBtnShadow));
    b.Pushed = true;
    theme->PaintButton(dib.DC(), Rect(20, 0, 40, 20), b);
    EXPECT_EQ(At(20, 0), Px(clBtnShadow));
    EXPECT_EQ(At(39, 19), Px(clBtnHighlight));
    // A disabled item selected from the keyboard counts as hot; with hover kind 2 it does not.
    TSkinItemInfo d = Item(0x101);
    d.Enabled = false;
    d.HoverKind = hkDisabledKeyboard;
    theme->PaintButton(dib.DC(), Rect(40, 0, 60, 20), d);
    EXPECT_EQ(At(40, 0), Px(clBtnHighlight));
    d.HoverKind = hkHot;
    dib.Fill(0xFF000000u | kBack);
    theme->PaintButton(dib.DC(), Rect(40, 0, 60, 20), d);
    EXPECT_EQ(At(40, 0), kBack);
}

TEST_F(DefaultTheme, MenuBarItemsFillWithTheHighlightUnderFlatMenus) {
    if (!SkinSystem().flatMenus) GTEST_SKIP() << "the system has no flat menus";
    TSkinItemInfo b = Item(0x102);
    b.HoverKind = hkHot;
    theme->PaintButton(dib.DC(), Rect(0, 0, 20, 20), b);
    EXPECT_EQ(At(0, 0), Px(clHighlight));
    EXPECT_EQ(At(19, 19), Px(clHighlight));
}

TEST_F(DefaultTheme, HotMenuItemHighlightStartsAfterTheImageColumn) {
    TSkinItemInfo m = Item(0x201, ioSubmenu);
    m.HoverKind = hkHot;
    m.ImageWidth = 16;
    m.PopupMargin = 22;
    theme->PaintMenuItem(dib.DC(), Rect(0, 0, 60, 20), m);
    // Highlight from metric 32 (1) plus the margin: x = 23.
    EXPECT_EQ(At(23, 1), Px(clHighlight));
    EXPECT_NE(At(22, 1), Px(clHighlight));
    // The submenu arrow in highlight text, at the right: x = 60 - 2/3 of the check width - 2.
    const int x = 60 - ::GetSystemMetrics(SM_CXMENUCHECK) * 2 / 3 - 2;
    EXPECT_EQ(At(x, 10), Px(clHighlightText));
}

TEST_F(DefaultTheme, StatusBarPanesAreSunkenAndTheBarFilled) {
    theme->PaintStatusBar(dib.DC(), Rect(0, 0, 60, 40), 0);
    EXPECT_EQ(At(30, 20), Px(clBtnFace));
    theme->PaintStatusBar(dib.DC(), Rect(2, 2, 22, 18), 1);
    EXPECT_EQ(At(2, 10), Px(clBtnShadow));      // left
    EXPECT_EQ(At(10, 2), Px(clBtnShadow));      // top
    EXPECT_EQ(At(19, 10), Px(clBtnHighlight));  // right, pulled in by 2
    EXPECT_EQ(At(10, 17), Px(clBtnHighlight));  // bottom
    theme->PaintStatusBar(dib.DC(), Rect(30, 2, 50, 18), 2);
    EXPECT_EQ(At(49, 10), Px(clBtnHighlight));  // the end pane keeps its right edge
    theme->PaintStatusBar(dib.DC(), Rect(40, 20, 60, 40), 3);
    EXPECT_TRUE(Contains(Rect(40, 20, 60, 40), Px(clBtnShadow)));
}

TEST_F(DefaultTheme, DisabledCaptionsAreEmbossed) {
    TGdiHandle<HFONT> font(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    ::SelectObject(dib.DC(), font.Get());
    TSkinItemInfo i = Item(0x101);
    i.Enabled = false;
    theme->PaintCaption(dib.DC(), Rect(0, 0, 60, 40), i, u"Menu", DT_SINGLELINE, clDefault);
    EXPECT_TRUE(Contains(Rect(0, 0, 60, 40), Px(clBtnHighlight)));
    EXPECT_TRUE(Contains(Rect(0, 0, 60, 40), Px(clBtnShadow)));
    EXPECT_FALSE(Contains(Rect(0, 0, 60, 40), Px(clGrayText)) && Px(clGrayText) != Px(clBtnShadow));
}

TEST_F(DefaultTheme, ChevronGlyphInItsBand) {
    TSkinItemInfo c = Item(0x101);
    theme->PaintChevron(dib.DC(), Rect(0, 0, 12, 30), c);
    EXPECT_TRUE(Contains(Rect(0, 4, 12, 9), Px(clBtnText)));
    EXPECT_FALSE(Contains(Rect(0, 9, 12, 30), Px(clBtnText)));
    EXPECT_FALSE(Contains(Rect(0, 0, 12, 4), Px(clBtnText)));
}

TEST_F(DefaultTheme, NonClientAreasOfPopupsFloatingWindowsPanelsAndToolbars) {
    TSkinPopupFrameInfo list;
    list.ViewType = 0x202;
    list.BorderWidth = list.BorderHeight = 1;
    theme->PaintPopupNCArea(dib.DC(), Rect(0, 0, 20, 20), list);
    EXPECT_EQ(At(0, 10), Px(clWindowFrame));
    EXPECT_EQ(At(1, 10), kBack);  // one pixel only

    TSkinWindowFrameInfo floating;
    floating.ViewType = 0x101 | vtFloating;
    floating.BorderWidth = floating.BorderHeight = 3;
    floating.ShowCloseButton = true;
    floating.Caption = u"Tools";
    dib.SetSize(120, 60);
    dib.Fill(0xFF000000u | kBack);
    theme->PaintToolbarNCArea(dib.DC(), Rect(0, 0, 120, 60), floating);  // floating: the floating border
    const int caption = ::GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(At(3 + 10, 3 + 1), Px(clActiveCaption));
    // The close square at the caption's right end, with the cross in button text.
    EXPECT_TRUE(Contains(Rect(117 - caption, 3, 117, 3 + caption), Px(clBtnText)));

    TSkinWindowFrameInfo panel;
    panel.ViewType = 0x401;
    panel.BorderWidth = 2;
    panel.Caption = u"Panel";
    dib.Fill(0xFF000000u | kBack);
    theme->PaintDockPanelNCArea(dib.DC(), Rect(0, 0, 120, 60), panel);
    EXPECT_EQ(At(0, 30), std::uint32_t(ColorToOpaquePixel(std::uint32_t(theme->Colors().DockPanelColor)) & 0xFFFFFF));
    EXPECT_EQ(At(100, 3), Px(clBtnFace));  // the caption bar in the toolbar colour

    TSkinWindowFrameInfo docked;
    docked.ViewType = 0x101;
    docked.DragHandle = 1;  // style 0: two bars in 9 pixels
    dib.Fill(0xFF000000u | kBack);
    theme->PaintToolbarNCArea(dib.DC(), Rect(0, 0, 120, 30), docked);
    EXPECT_EQ(At(0, 0), Px(clBtnHighlight));
    EXPECT_TRUE(Contains(Rect(2, 2, 11, 28), Px(clBtnShadow)));
    EXPECT_FALSE(Contains(Rect(14, 3, 100, 27), Px(clBtnShadow)));
}

TEST_F(DefaultTheme, VisualStylePathPaintsButtonsStatusBarsAndDocks) {
    SkinThemeManager()->SetVisualStylesAllowed(true);
    if (!SkinSystem().visualStyles) GTEST_SKIP() << "no visual style is active";
    // Wine's style has no "EXPLORERBAR": the classes painted through are open all the same.
    EXPECT_NE(SkinSystem().styles[scToolbar], nullptr);
    theme->SetupColorCache();
    EXPECT_TRUE(theme->GetBooleanMetrics(5));
    EXPECT_GT(theme->GetIntegerMetrics(10), 2);
    TSkinItemInfo b = Item(0x101);
    b.HoverKind = hkHot;
    theme->PaintButton(dib.DC(), Rect(0, 0, 24, 22), b);
    int painted = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 24; ++x) painted += At(x, y) != kBack;
    EXPECT_GT(painted, 24 * 22 / 4);  // the style's hot face covers the button
    theme->PaintStatusBar(dib.DC(), Rect(30, 0, 60, 20), 0);
    EXPECT_NE(At(45, 10), kBack);
    const TMargins m = theme->GetMargins(mkStatusPane);
    EXPECT_GE(m.Left, 0);
    EXPECT_LE(m.Right, 64);
}
