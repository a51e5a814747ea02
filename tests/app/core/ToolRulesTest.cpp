// The tools' control decisions against fake controls and a fake editor selection: which control takes an
// event, the wheel step, the hand's keys and drag, and a take-over that gives back the tool it replaced.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/KelvoToolRules.h"
#include "app/core/TKelvoViewObject.h"

namespace {

// A control that answers the keys it is given and records that it was asked.
class TFakeControl : public TKelvoViewObject {
public:
    TFakeControl(std::string name, std::vector<std::string>& log, std::uint16_t takes)
        : name_(std::move(name)), log_(log), takes_(takes) {}
    bool KeyDown(std::uint16_t& key, TShiftState) override {
        log_.push_back(name_);
        return key == takes_;
    }

private:
    std::string name_;
    std::vector<std::string>& log_;
    std::uint16_t takes_;
};

struct FakeSelection : IKelvoToolSelection {
    void* Current = nullptr;
    std::vector<void*> Changes;
    void* CurrentTool() const override { return Current; }
    void SetCurrentTool(void* tool) override {
        Current = tool;
        Changes.push_back(tool);
    }
};

int perspective, hand, original;

}  // namespace

TEST(ToolRules, OnlyTheTopmostControlThatTakesAnEventGetsIt) {
    std::vector<std::string> log;
    TKelvoViewObjectList objects;
    objects.Add(new TFakeControl("bottom", log, 65));
    objects.Add(new TFakeControl("middle", log, 65));
    objects.Add(new TFakeControl("top", log, 66));
    std::uint16_t key = 65;
    EXPECT_TRUE(RouteTopmostFirst(objects, [&](TKelvoViewObject& o) { return o.KeyDown(key, TShiftState{}); }));
    EXPECT_EQ(log, (std::vector<std::string>{"top", "middle"}));
    log.clear();
    key = 67;  // nobody takes it: everyone was asked, top down
    EXPECT_FALSE(RouteTopmostFirst(objects, [&](TKelvoViewObject& o) { return o.KeyDown(key, TShiftState{}); }));
    EXPECT_EQ(log, (std::vector<std::string>{"top", "middle", "bottom"}));
}

TEST(ToolRules, TheWheelReachesTheControlsAsItsSign) {
    EXPECT_EQ(KelvoWheelStep(-120), -1);
    EXPECT_EQ(KelvoWheelStep(-1), -1);
    EXPECT_EQ(KelvoWheelStep(0), 1);
    EXPECT_EQ(KelvoWheelStep(120), 1);
}

TEST(ToolRules, SpaceTakesTheHandOnceAndGivesBackTheToolItReplaced) {
    FakeSelection editor;
    editor.Current = &perspective;
    TKelvoToolTakeover takeover(&hand);
    ASSERT_EQ(HandKeyDown(KelvoKeySpace, false), TKelvoHandKey::Take);
    EXPECT_TRUE(takeover.Take(editor));
    // The auto-repeated Space arrives while the hand's control is shown: nothing more happens.
    EXPECT_EQ(HandKeyDown(KelvoKeySpace, true), TKelvoHandKey::None);
    EXPECT_FALSE(takeover.Take(editor));
    ASSERT_EQ(HandKeyUp(KelvoKeySpace, takeover.Pending()), TKelvoHandKey::GiveBack);
    EXPECT_TRUE(takeover.GiveBack(editor));
    EXPECT_EQ(editor.Changes, (std::vector<void*>{&hand, &perspective}));
    // Released again without a take: the tool stays.
    EXPECT_EQ(HandKeyUp(KelvoKeySpace, takeover.Pending()), TKelvoHandKey::None);
}

TEST(ToolRules, SpaceWhileTheHandIsCurrentDoesNothingAndAChoiceInBetweenIsUndoneOnRelease) {
    FakeSelection editor;
    editor.Current = &hand;
    TKelvoToolTakeover takeover(&hand);
    EXPECT_FALSE(takeover.Take(editor));
    EXPECT_EQ(HandKeyUp(KelvoKeySpace, takeover.Pending()), TKelvoHandKey::None);
    EXPECT_TRUE(editor.Changes.empty());

    editor.Current = &perspective;
    takeover.Take(editor);
    editor.SetCurrentTool(&original);  // a click on another tool while Space is held
    takeover.GiveBack(editor);
    EXPECT_EQ(editor.Current, &perspective);
}

TEST(ToolRules, FocusLeavingTheViewWhileSpaceIsHeldGivesBackTheToolOnce) {
    FakeSelection editor;
    editor.Current = &perspective;
    TKelvoToolTakeover takeover(&hand);
    EXPECT_EQ(HandFocusLost(takeover.Pending()), TKelvoHandKey::None);  // no Space held: nothing to give back
    ASSERT_TRUE(takeover.Take(editor));
    ASSERT_EQ(HandFocusLost(takeover.Pending()), TKelvoHandKey::GiveBack);
    EXPECT_TRUE(takeover.GiveBack(editor));
    EXPECT_EQ(editor.Current, &perspective);
    // The release seen after the focus came back, or a second loss, changes nothing more.
    EXPECT_EQ(HandKeyUp(KelvoKeySpace, takeover.Pending()), TKelvoHandKey::None);
    EXPECT_EQ(HandFocusLost(takeover.Pending()), TKelvoHandKey::None);
    EXPECT_EQ(editor.Changes, (std::vector<void*>{&hand, &perspective}));
}

TEST(ToolRules, TheZoomKeysZoomWhetherOrNotTheHandIsShown) {
    EXPECT_EQ(HandKeyDown(KelvoKeyZoomIn, false), TKelvoHandKey::ZoomIn);
    EXPECT_EQ(HandKeyDown(KelvoKeyZoomOut, true), TKelvoHandKey::ZoomOut);
    EXPECT_EQ(HandKeyDown(KelvoKeyOriginal, false), TKelvoHandKey::None);
}

TEST(ToolRules, OnlyALeftDragOfTheShownHandPans) {
    TKelvoPanDrag drag;
    std::int32_t dx = 0, dy = 0;
    EXPECT_FALSE(drag.Down(mbRight, MakePoint(10, 10), true));
    EXPECT_FALSE(drag.Move(MakePoint(30, 5), dx, dy));
    EXPECT_FALSE(drag.Down(mbLeft, MakePoint(10, 10), false));
    ASSERT_TRUE(drag.Down(mbLeft, MakePoint(10, 10), true));
    ASSERT_TRUE(drag.Move(MakePoint(30, 5), dx, dy));
    EXPECT_EQ(dx, 20);
    EXPECT_EQ(dy, -5);
    // The view could move only part of the way: the next delta counts from where the content went.
    drag.Moved(12, -5);
    ASSERT_TRUE(drag.Move(MakePoint(30, 5), dx, dy));
    EXPECT_EQ(dx, 8);
    EXPECT_EQ(dy, 0);
    EXPECT_FALSE(drag.Up(mbRight, true));
    EXPECT_TRUE(drag.Up(mbLeft, true));
    EXPECT_FALSE(drag.Move(MakePoint(0, 0), dx, dy));
}

#include "app/core/KelvoPrintLayout.h"

TEST(PrintLayout, TheImageFillsThePrintableAreaOneWayAndIsCentredTheOther) {
    // A landscape photo on an A4 portrait page (high-metric units): as wide as the page, centred vertically.
    EXPECT_EQ(FitOnPage(6000, 4000, 20000, 28700), (TKelvoRect{0, 7683, 20000, 21016}));
    // A tall narrow image: as high as the page.
    EXPECT_EQ(FitOnPage(100, 1000, 20000, 28700), (TKelvoRect{8565, 0, 11435, 28700}));
    // A small image is enlarged to the page.
    EXPECT_EQ(FitOnPage(2, 2, 100, 50), (TKelvoRect{25, 0, 75, 50}));
    EXPECT_TRUE(FitOnPage(0, 10, 100, 100).IsEmpty());
    EXPECT_TRUE(FitOnPage(10, 10, 100, 0).IsEmpty());
}
