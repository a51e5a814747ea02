// The main window's node and the tool panel's record as the state file holds them: what a damaged file may
// carry never reaches the window, and an unchanged state is written byte for byte the same.
#include <gtest/gtest.h>

#include <vector>

#include "app/core/KelvoMainWindowState.h"
#include "app/core/KelvoPanelPosition.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "classlib/core/Stream.h"

namespace {

const TKelvoRect WorkArea{0, 0, 1024, 738};

TKelvoWindowPlacement Placement(std::uint32_t showCmd, TKelvoRect normal) {
    TKelvoWindowPlacement p;
    p.ShowCmd = showCmd;
    p.Flags = 2;
    p.NormalPosition = normal;
    return p;
}

}  // namespace

TEST(MainWindowPlacement, OnlyNormalAndMaximizedComeBack) {
    const TKelvoRect r{100, 80, 740, 560};
    EXPECT_EQ(UsablePlacement(Placement(3, r), WorkArea)->ShowCmd, KelvoShowMaximized);
    for (std::uint32_t show : {0u /* hidden */, 2u /* minimized */, 6u, 7u, 1234u}) {
        const auto p = UsablePlacement(Placement(show, r), WorkArea);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->ShowCmd, KelvoShowNormal) << show;
        EXPECT_EQ(p->Flags, 0u);
        EXPECT_EQ(p->NormalPosition, r);
    }
}

TEST(MainWindowPlacement, TheNormalRectangleIsKeptInsideTheWorkArea) {
    // Left on a monitor that is gone: moved back, same size.
    EXPECT_EQ(UsablePlacement(Placement(1, {3000, -900, 3640, -420}), WorkArea)->NormalPosition,
              (TKelvoRect{384, 0, 1024, 480}));
    // Larger than the whole work area: shrunk to it.
    EXPECT_EQ(UsablePlacement(Placement(1, {-50, 10, 5000, 4000}), WorkArea)->NormalPosition, WorkArea);
    // Within a work area that does not start at the origin (a second monitor at the left).
    EXPECT_EQ(UsablePlacement(Placement(1, {-2000, 5, -1800, 205}), {-1280, 0, 0, 1024})->NormalPosition,
              (TKelvoRect{-1280, 5, -1080, 205}));
}

TEST(MainWindowPlacement, AWrongLengthOrAnEmptyRectangleIsNotUsed) {
    TKelvoWindowPlacement wrong = Placement(1, {10, 10, 300, 300});
    wrong.Length = 40;
    EXPECT_FALSE(UsablePlacement(wrong, WorkArea));
    EXPECT_FALSE(UsablePlacement(Placement(1, {300, 10, 10, 300}), WorkArea));
    EXPECT_FALSE(UsablePlacement(Placement(1, {10, 10, 10, 300}), WorkArea));
}

TEST(MainWindowNode, ALanguageIdOutside16BitsIsIgnoredAndTheNodeIsClosed) {
    const TGUID nextKey = TGUID::Parse("{9FC124C8-2014-4832-8878-3489538D623F}");
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        w.BeginNode(KelvoMainWindowNodeId, KelvoMainWindowNodeKey);
        const TKelvoWindowPlacement p = Placement(1, {10, 20, 330, 260});
        w.WriteBinary(2, &p, sizeof(p));
        w.WriteInteger(1, 65536 + 1031);
        w.EndNode();
        w.BeginNode(1, nextKey);
        w.WriteInteger(1, 7);
        w.EndNode();
    }
    s.SetPosition(0);
    TKelvoSDFReader reader(&s);
    const TKelvoMainWindowState state = ReadMainWindowState(reader);
    EXPECT_FALSE(state.LanguageId);
    ASSERT_TRUE(state.Placement);
    EXPECT_EQ(state.Placement->NormalPosition, (TKelvoRect{10, 20, 330, 260}));
    // The next component still finds its node.
    EXPECT_TRUE(reader.AtRoot());
    ASSERT_TRUE(reader.OpenNode(1, nextKey));
    std::int32_t value = 0;
    EXPECT_TRUE(reader.ReadInteger(1, value));
    EXPECT_EQ(value, 7);
}

TEST(MainWindowNode, WrittenStateReadsBack) {
    TMemoryStream s;
    {
        TKelvoSDFWriter w(&s);
        WriteMainWindowState(w, Placement(3, {1, 2, 301, 402}), 1031);
    }
    s.SetPosition(0);
    TKelvoSDFReader reader(&s);
    const TKelvoMainWindowState state = ReadMainWindowState(reader);
    ASSERT_TRUE(state.LanguageId);
    EXPECT_EQ(*state.LanguageId, 1031);
    ASSERT_TRUE(state.Placement);
    EXPECT_EQ(state.Placement->ShowCmd, 3u);
    EXPECT_EQ(state.Placement->NormalPosition, (TKelvoRect{1, 2, 301, 402}));
}

TEST(PanelPositionRecord, DockedRecordIsExactAndLeavesTheFloatingFieldsZero) {
    TKelvoPanelPosition p;
    p.Visible = true;
    // Values of a floating state left over from earlier: not in force, so not written.
    p.FloatingX = 0x11111111;
    p.FloatingHeight = -1;
    p.Dock = TKelvoPanelDock::Right;
    p.DockPos = 5;
    p.DockRow = 1;
    p.DockedWidth = 200;
    p.DockedHeight = 0x01020304;
    p.SplitWidth = -2;
    p.SplitHeight = 300;
    const std::vector<std::uint8_t> expected = {
        47, 0, 0, 0, 1, 0,                                  // size, visible, docked
        0,  0, 0, 0, 0, 0, 0, 0, 0,   0, 0, 0, 0, 0, 0, 0,  // floating position and size
        3,                                                  // right
        5,  0, 0, 0, 1, 0, 0, 0, 200, 0, 0, 0, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0x2C, 1, 0, 0};
    const TKelvoPanelPositionBytes bytes = PackPanelPosition(p);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(PanelPositionRecord, FloatingRecordRoundTripsWithTheDockedFieldsZero) {
    TKelvoPanelPosition p;
    p.Floating = true;
    p.FloatingX = -30;
    p.FloatingY = 40;
    p.FloatingWidth = 210;
    p.FloatingHeight = 500;
    p.DockedWidth = 999;
    const TKelvoPanelPositionBytes bytes = PackPanelPosition(p);
    for (std::size_t i = 22; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], 0) << i;
    const auto back = UnpackPanelPosition(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->Floating);
    EXPECT_FALSE(back->Visible);
    EXPECT_EQ(back->FloatingX, -30);
    EXPECT_EQ(back->FloatingY, 40);
    EXPECT_EQ(back->FloatingWidth, 210);
    EXPECT_EQ(back->FloatingHeight, 500);
    EXPECT_EQ(back->DockedWidth, 0);
}

TEST(PanelPositionRecord, RecordsOfAnotherSizeOrAnUnknownDockAreIgnored) {
    TKelvoPanelPosition p;
    p.DockedWidth = 260;
    TKelvoPanelPositionBytes bytes = PackPanelPosition(p);
    ASSERT_TRUE(UnpackPanelPosition(bytes.data(), bytes.size()));
    EXPECT_FALSE(UnpackPanelPosition(bytes.data(), bytes.size() - 1));
    std::vector<std::uint8_t> longer(bytes.begin(), bytes.end());
    longer.push_back(0);
    EXPECT_FALSE(UnpackPanelPosition(longer.data(), longer.size()));
    bytes[0] = 48;
    EXPECT_FALSE(UnpackPanelPosition(bytes.data(), bytes.size()));
    bytes[0] = 47;
    bytes[22] = 4;
    EXPECT_FALSE(UnpackPanelPosition(bytes.data(), bytes.size()));
}
