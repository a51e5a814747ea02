// The help file the program picks and the viewer requests for each Help menu topic; the about box's link
// hosts, label placement and tabs.
#include <gtest/gtest.h>

#include <set>

#include "app/core/KelvoAboutLayout.h"
#include "app/core/KelvoHelpRules.h"

TEST(HelpRules, TheApplicationsFileElseTheProgramsChmElseItsHlp) {
    const std::set<AnsiString> present{"C:\\P\\Vantorel.chm"};
    const auto exists = [&](const AnsiString& name) { return present.count(name) > 0; };
    EXPECT_EQ(KelvoChooseHelpFile("D:\\own.hlp", "C:\\P\\Vantorel.exe", exists), "D:\\own.hlp");
    EXPECT_EQ(KelvoChooseHelpFile("", "C:\\P\\Vantorel.exe", exists), "C:\\P\\Vantorel.chm");
    EXPECT_EQ(KelvoChooseHelpFile("", "C:\\Q\\Vantorel.exe", exists), "C:\\Q\\Vantorel.hlp");
    EXPECT_TRUE(KelvoIsHtmlHelpFile("C:\\P\\VANTOREL.Chm"));
    EXPECT_FALSE(KelvoIsHtmlHelpFile("C:\\P\\Vantorel.hlp"));
    EXPECT_FALSE(KelvoIsHtmlHelpFile("C:\\P.chm\\Vantorel"));
}

TEST(HelpRules, ContentsAndNumberedTopicsInBothViewers) {
    const std::int32_t topics[] = {0, 20, 30, 40};
    const TKelvoHelpCall html[] = {{0, 0}, {15, 20}, {15, 30}, {15, 40}};
    const TKelvoHelpCall classic[] = {{3, 0}, {1, 20}, {1, 30}, {1, 40}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(KelvoHelpTopicCall(true, topics[i]), html[i]) << topics[i];
        EXPECT_EQ(KelvoHelpTopicCall(false, topics[i]), classic[i]) << topics[i];
    }
}

TEST(AboutLayout, ALinkShowsItsHostAndColonFlagAppendsAColon) {
    EXPECT_EQ(KelvoAboutLinkHost(u"https://www.kelvo.example/support"), u"www.kelvo.example");
    EXPECT_EQ(KelvoAboutLinkHost(u"mailto:help@kelvo.example"), u"help@kelvo.example");
    EXPECT_EQ(KelvoAboutLinkHost(u"file:\\\\server\\share"), u"server");
    EXPECT_EQ(KelvoAboutLinkHost(u"www.kelvo.example"), u"www.kelvo.example");
    EXPECT_EQ(KelvoAboutLinkHost(u"https://"), u"");
    TKelvoAboutEntry entry;
    entry.Flags = KelvoAboutLink | KelvoAboutColon;
    EXPECT_EQ(KelvoAboutLabelText(entry, u"http://a.b/c"), u"a.b:");
}

TEST(AboutLayout, LabelsFollowTheRunningTextScaledToTheShownPicture) {
    // Shown at 536 of 550 picture pixels; Tahoma-like metrics: 13 high, 1 leading, 5 wide.
    TKelvoAboutLayout layout({13, 1, 5, 536, 550});
    TKelvoAboutEntry first{u"a", 0, 0, 24, 44, 0, 0, 1.5f, -1};
    EXPECT_EQ(layout.Next(first), (TKelvoAboutPlace{23, 43, 0, 0}));  // MulDiv(24, 536, 550) = 23.4 -> 23
    layout.Placed(60);
    TKelvoAboutEntry next{u"b", 0, 0, 0, 0, 0, 0, 1.0f, -1};
    // 43 + Round(14 x 1.5) = 64, then 2 leadings below it, in the block's left.
    EXPECT_EQ(layout.Next(next), (TKelvoAboutPlace{23, 66, 0, 0}));
    layout.Placed(50);
    TKelvoAboutEntry sameLine{u"c", 0, KelvoAboutSameLine, 300, 300, 0, 0, 9.0f, -1};
    EXPECT_EQ(layout.Next(sameLine), (TKelvoAboutPlace{55, 66, 0, 0}));
    layout.Placed(80);
    // The line it continued does not move the running text: 66 + 14 + 2.
    TKelvoAboutEntry sized{u"d", 0, 0, 0, 0, 280, 44, 1.0f, -1};
    EXPECT_EQ(layout.Next(sized), (TKelvoAboutPlace{23, 82, 273, 43}));
    // A picture that could not be read leaves the positions unscaled.
    TKelvoAboutLayout unscaled({13, 0, 5, 536, 0});
    EXPECT_EQ(unscaled.Next(first), (TKelvoAboutPlace{24, 44, 0, 0}));
}

TEST(AboutLayout, TabsInOrderOfFirstUseAndLabelsShowOnTheirTabOrOnEvery) {
    const TKelvoAboutEntry entries[] = {{u"a", 0, 0, 0, 0, 0, 0, 1, 2},
                                        {u"b", 0, 0, 0, 0, 0, 0, 1, -1},
                                        {u"c", 0, 0, 0, 0, 0, 0, 1, 1},
                                        {u"d", 0, 0, 0, 0, 0, 0, 1, 2}};
    const std::vector<std::int32_t> tabs = KelvoAboutTabs(entries, 4);
    EXPECT_EQ(tabs, (std::vector<std::int32_t>{0, 2, 1}));
    // The second tab (position 1) carries index 2.
    EXPECT_TRUE(KelvoAboutLabelShows(tabs, 1, 2));
    EXPECT_FALSE(KelvoAboutLabelShows(tabs, 1, 1));
    EXPECT_TRUE(KelvoAboutLabelShows(tabs, 1, -1));
    EXPECT_FALSE(KelvoAboutLabelShows(tabs, -1, 0));
    EXPECT_EQ(KelvoAboutTabTextId(0), 47);
    EXPECT_EQ(KelvoAboutTabTextId(1), 53);
    EXPECT_EQ(KelvoAboutTabTextId(2), 167);
    EXPECT_EQ(KelvoAboutTabTextId(3), 0);
}
