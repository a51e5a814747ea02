// The platform-free decisions of the themed items, toolbars and frames: font settings, view-type codes and
// the flag word of the control drawing calls.
#include <gtest/gtest.h>

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
