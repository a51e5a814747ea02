// The platform-free decisions of the themed items, toolbars and frames: font settings, view-type codes and
// the flag word of the control drawing calls.
#include <gtest/gtest.h>

#include "themed/core/SkinItemLayout.h"
#include "themed/core/SkinViewTypes.h"
#include "themed/core/TFontSettings.h"

using namespace skin;

namespace {

struct TChangeCounter {
    int count = 0;
    void Changed(TObject*) { ++count; }
};

}  // namespace

TEST(FontSettings, PercentageRoundsAndTriStatesForceOrKeep) {
    TFontSettings settings;
    TChangeCounter changes;
    settings.OnChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&changes);
    TFontDescription font{10, clWindowText, "Tahoma", true, false, true, false};

    settings.Apply(font);  // all defaults: nothing moves
    EXPECT_EQ(font.Size, 10);
    EXPECT_EQ(font.Name, "Tahoma");
    EXPECT_TRUE(font.Bold);

    settings.SetSize(150);
    settings.SetSize(150);  // no real change, no notification
    settings.SetBold(tsFalse);
    settings.SetItalic(tsTrue);
    settings.SetColor(0x0000FF);
    settings.SetName(AnsiString(40, 'F'));
    EXPECT_EQ(changes.count, 5);
    settings.Apply(font);
    EXPECT_EQ(font.Size, 15);
    EXPECT_FALSE(font.Bold);
    EXPECT_TRUE(font.Italic);
    EXPECT_TRUE(font.Underline);  // tsDefault keeps the font's own
    EXPECT_EQ(font.Color, 0x0000FF);
    EXPECT_EQ(font.Name.size(), kLogFontNameLength);

    // (size x percent + 50) / 100, and a height-based (negative) size scales by its magnitude.
    EXPECT_EQ(ScaleFontSize(9, 150), 14);
    EXPECT_EQ(ScaleFontSize(-11, 150), -17);
    EXPECT_EQ(ScaleFontSize(8, 125), 10);

    TFontSettings copy;
    TChangeCounter copyChanges;
    copy.OnChange = TNotifyEvent::Bind<&TChangeCounter::Changed>(&copyChanges);
    copy.Assign(&settings);
    copy.Assign(&settings);
    EXPECT_EQ(copyChanges.count, 1);
    EXPECT_EQ(copy.Size(), 150);
    EXPECT_FALSE(copy.IsDefault());
}

TEST(ViewTypes, ToolbarCodesCarryTheFloatingResizableAndOpaqueFlags) {
    EXPECT_EQ(ToolbarViewType({false, false, false, true, itAuto}), 0x101);
    EXPECT_EQ(ToolbarViewType({true, false, false, true, itAuto}), 0x102);
    // Neither floating nor docked: opaque items under itAuto.
    EXPECT_EQ(ToolbarViewType({false, false, false, false, itAuto}), 0x40101);
    EXPECT_EQ(ToolbarViewType({false, true, true, false, itAuto}), 0x30101);
    EXPECT_EQ(ToolbarViewType({false, true, false, false, itDisable}), 0x50101);
    EXPECT_EQ(ToolbarViewType({true, false, false, false, itEnable}), 0x102);

    EXPECT_EQ(PopupViewType(TPopupKind::Menu), 0x201);
    EXPECT_EQ(PopupViewType(TPopupKind::List), 0x202);
    EXPECT_EQ(PopupViewType(TPopupKind::Edit), 0x203);
    EXPECT_EQ(PopupViewType(TPopupKind::ToolBox), 0x203);
    EXPECT_EQ(PopupViewType(TPopupKind::Chevron), 0x204);
    EXPECT_EQ(DockPanelViewType(false), 0x400);
    EXPECT_EQ(DockPanelViewType(true), 0x10400);
}

TEST(ViewTypes, ControlFlagWordSelectsViewAndState) {
    const TSkinItemInfo button = ControlDrawInfo(0x000);
    EXPECT_EQ(button.ViewType, 0x101);
    EXPECT_EQ(button.ItemOptions, ioToolbarStyle);
    EXPECT_TRUE(button.Enabled);
    EXPECT_EQ(button.HoverKind, hkNone);

    const TSkinItemInfo panel = ControlDrawInfo(ControlDrawView(1) | cdfDisabled | cdfSelected);
    EXPECT_EQ(panel.ViewType, 0x400);
    EXPECT_EQ(panel.ItemOptions, 0);
    EXPECT_FALSE(panel.Enabled);
    EXPECT_TRUE(panel.Selected);

    const TSkinItemInfo status = ControlDrawInfo(ControlDrawView(2) | cdfHover | cdfPushed);
    EXPECT_EQ(status.ViewType, 0x300);
    EXPECT_EQ(status.HoverKind, hkHot);
    EXPECT_TRUE(status.Pushed);
    // Views the word does not define draw as toolbar items.
    EXPECT_EQ(ControlDrawInfo(ControlDrawView(7)).ViewType, 0x101);
}

TEST(SkinItemLayout, ToolbarButtonsGrowFromSixBySixByMarginsContentAndArrows) {
    TSkinItemSizeInput in;
    in.toolbarStyle = true;
    in.imageShown = true;
    in.margins = TMargins{2, 2, 2, 2};  // the default theme's item margins
    EXPECT_EQ(SkinItemSize(in), (TSize{26, 26}));
    in.splitButton = true;  // metric 10: 11
    EXPECT_EQ(SkinItemSize(in), (TSize{37, 26}));
    in.splitButton = false;
    in.dropdownArrow = true;  // metric 20 wide, metric 21 from the edge: 8 + 3, below the image when vertical
    in.verticalView = true;
    EXPECT_EQ(SkinItemSize(in), (TSize{26, 37}));
    in.dropdownArrow = in.verticalView = false;
    in.captionShown = true;
    in.captionSize = TSize{30, 13};
    EXPECT_EQ(SkinItemSize(in), (TSize{60, 26}));
    in.glyphOnTop = true;
    EXPECT_EQ(SkinItemSize(in), (TSize{40, 43}));
    in.minWidth = 80;
    in.minHeight = 50;
    EXPECT_EQ(SkinItemSize(in), (TSize{80, 50}));

    // The caption starts after the image and the gap, inside the margins; the image is centred.
    in = TSkinItemSizeInput{};
    in.toolbarStyle = in.imageShown = in.captionShown = true;
    in.margins = TMargins{2, 2, 2, 2};
    in.captionSize = TSize{30, 13};
    const TRect button{0, 0, 60, 26};
    EXPECT_EQ(SkinImagePosition(button, in), (TPoint{5, 5}));
    EXPECT_EQ(SkinCaptionRect(button, in).Left, 25);
}

TEST(SkinItemLayout, MenuRowsHoldTheImageColumnCaptionShortcutAndArrowRoom) {
    TSkinItemSizeInput in;
    in.imageShown = in.captionShown = true;
    in.captionSize = TSize{40, 13};
    in.margins = TMargins{0, 2, 0, 2};  // margin index 2 of the default theme
    in.popupMargin = SkinPopupMargin(16);
    EXPECT_EQ(in.popupMargin, 22);
    in.shortCutWidth = 30;
    in.menuArrowWidth = 13;
    // 22 + 1 + 4 + 2 + 40 + 12 + 30 + 2 + 13; the image with its frame is the tallest part.
    EXPECT_EQ(SkinItemSize(in), (TSize{126, 22}));
    EXPECT_EQ(SkinCaptionRect(TRect{0, 0, 126, 22}, in), (TRect{29, 0, 111, 22}));
    EXPECT_EQ(SkinImagePosition(TRect{0, 0, 126, 22}, in), (TPoint{3, 3}));
    EXPECT_EQ(SkinPopupMargin(24), 30);
}

TEST(SkinItemLayout, ImageRuleGlyphPlaceAndSeparators) {
    EXPECT_FALSE(SkinImageShown(-1, 0, true));
    EXPECT_TRUE(SkinImageShown(0, 0, false));
    EXPECT_FALSE(SkinImageShown(0, 1, true));  // text only
    EXPECT_TRUE(SkinImageShown(0, 2, true));   // text only in menus, drawn as a toolbar button
    EXPECT_FALSE(SkinImageShown(0, 2, false));
    EXPECT_TRUE(SkinImageShown(3, 3, false));

    EXPECT_FALSE(GlyphOnTop(sklAuto, false, false));
    EXPECT_TRUE(GlyphOnTop(sklAuto, true, false));
    EXPECT_TRUE(GlyphOnTop(sklAuto, false, true));
    EXPECT_FALSE(GlyphOnTop(sklGlyphLeft, true, true));
    EXPECT_TRUE(GlyphOnTop(sklGlyphTop, false, false));

    EXPECT_EQ(SkinSeparatorSize(-1, 6, 4), 6);   // the theme's metric 50
    EXPECT_EQ(SkinSeparatorSize(-1, -1, 7), 7);  // the theme has none: the framework's
    EXPECT_EQ(SkinSeparatorSize(3, 6, 4), 3);
    EXPECT_EQ(SkinSeparatorExtent(3, false, 3, 20), (TSize{0, 3}));
    EXPECT_EQ(SkinSeparatorExtent(-1, false, 7, 20), (TSize{20, 7}));
    EXPECT_EQ(SkinSeparatorExtent(-1, true, 6, 20), (TSize{6, 6}));
}

TEST(SkinItemLayout, InformationRecordFromTheViewersState) {
    TSkinItemState s;
    s.viewType = 0x101;
    s.toolbarStyle = s.submenu = s.combo = s.designing = s.appActive = true;
    s.selected = true;
    s.pushed = true;  // a combo shows pushed only while its view has the mouse
    s.checked = true;
    s.imageShown = true;
    s.imageSize = TSize{16, 0};
    s.verticalView = true;
    TSkinItemInfo info = SkinItemInfoFor(s);
    EXPECT_EQ(info.ItemOptions, 0x6D);
    EXPECT_EQ(info.HoverKind, hkHot);
    EXPECT_FALSE(info.Pushed);
    EXPECT_TRUE(info.Selected);
    EXPECT_FALSE(info.ImageShown);
    EXPECT_EQ(info.ImageWidth, 0);
    EXPECT_TRUE(info.IsVertical);
    s.viewHasCapture = true;
    EXPECT_TRUE(SkinItemInfoFor(s).Pushed);

    // Disabled: hover kind 1 only when selected from the keyboard; customizing counts as enabled.
    s = TSkinItemState{};
    s.itemEnabled = false;
    s.selected = true;
    EXPECT_EQ(SkinItemInfoFor(s).HoverKind, hkDisabledKeyboard);
    s.mouseOverSelected = true;
    EXPECT_EQ(SkinItemInfoFor(s).HoverKind, hkNone);
    s.customizing = true;
    EXPECT_TRUE(SkinItemInfoFor(s).Enabled);
    EXPECT_EQ(SkinItemInfoFor(s).HoverKind, hkHot);
    s.verticalView = true;  // menus are never vertical
    EXPECT_FALSE(SkinItemInfoFor(s).IsVertical);

    EXPECT_EQ(ChevronHoverKind(false, true, true), hkNone);
    EXPECT_EQ(ChevronHoverKind(true, true, true), hkHot);
    EXPECT_EQ(ChevronHoverKind(true, false, false), hkDisabledKeyboard);
    EXPECT_EQ(ChevronHoverKind(true, false, true), hkNone);
}
