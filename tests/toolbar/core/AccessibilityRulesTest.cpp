#include "toolbar/core/AccessibilityRules.h"

#include <gtest/gtest.h>

using namespace tb;

TEST(AccessibilityRules, StateBitsOfSelectedHiddenDisabledAndCheckedViewers) {
    TAccViewerFacts menu;
    menu.selected = true;
    menu.menuMode = true;
    menu.mouseOverWithCapture = true;
    menu.hasSubmenu = true;
    menu.shownOrClipped = true;
    menu.available = true;
    EXPECT_EQ(AccViewerState(menu),
              kStateHotTracked | kStateFocused | kStatePressed | kStateHasPopup | kStateFocusable);

    TAccViewerFacts toolbar;
    toolbar.selected = true;
    toolbar.shownOrClipped = true;
    toolbar.available = true;
    toolbar.checked = true;
    EXPECT_EQ(AccViewerState(toolbar), kStateHotTracked | kStateFocusable | kStateChecked);

    TAccViewerFacts disabled;
    disabled.shownOrClipped = true;
    disabled.enabled = false;
    EXPECT_EQ(AccViewerState(disabled), kStateUnavailable);

    TAccViewerFacts hidden;
    hidden.available = true;
    EXPECT_EQ(AccViewerState(hidden), kStateInvisible);
}

TEST(AccessibilityRules, RolesOfViewersAndViews) {
    EXPECT_EQ(AccViewerRole(TAccViewerKind::Control, true, false), 10);
    EXPECT_EQ(AccViewerRole(TAccViewerKind::Separator, false, false), 21);
    EXPECT_EQ(AccViewerRole(TAccViewerKind::Item, true, true), 12);
    EXPECT_EQ(AccViewerRole(TAccViewerKind::Item, false, true), 57);
    EXPECT_EQ(AccViewerRole(TAccViewerKind::Item, false, false), 43);
    EXPECT_EQ(AccViewRole(true, false), 11);
    EXPECT_EQ(AccViewRole(false, true), 2);
    EXPECT_EQ(AccViewRole(false, false), 22);
}

TEST(AccessibilityRules, DefaultActionsNamesAndShortcuts) {
    EXPECT_EQ(AccDefaultAction(true, true, true), u"Close");
    EXPECT_EQ(AccDefaultAction(false, true, false), u"Open");
    EXPECT_EQ(AccDefaultAction(false, false, true), u"Execute");
    EXPECT_EQ(AccDefaultAction(false, false, false), u"Press");

    EXPECT_EQ(AccViewerName(u"&Open...", false, u"Ctrl+O"), u"Open...\tCtrl+O");
    EXPECT_EQ(AccViewerName(u"&Open", true, u"Ctrl+O"), u"Open");
    EXPECT_EQ(AccViewerName(u"Save && &Close", false, u""), u"Save & Close");

    EXPECT_EQ(AccKeyboardShortcut(u"&File", true, u"Alt"), u"f");
    EXPECT_EQ(AccKeyboardShortcut(u"&File", false, u"Alt"), u"Alt+f");
    EXPECT_EQ(AccKeyboardShortcut(u"Save && Close", false, u"Alt"), u"");
}

TEST(AccessibilityRules, NavigationSkipsUnavailableViewers) {
    const std::vector<bool> available{true, false, true, false};
    EXPECT_EQ(AccNavigateSibling(available, 0, kNavDown), 2);
    EXPECT_EQ(AccNavigateSibling(available, 0, kNavNext), 2);
    EXPECT_EQ(AccNavigateSibling(available, 2, kNavLeft), 0);
    EXPECT_EQ(AccNavigateSibling(available, 2, kNavRight), -1);
    EXPECT_EQ(AccNavigateSibling(available, 0, kNavPrevious), -1);
    EXPECT_EQ(AccNavigateSibling(available, 0, kNavFirstChild), -1);
}
