#include <gtest/gtest.h>

#include <map>

#include "toolbar/core/FloatingVisibility.h"

namespace {

struct FakeWindow {
    tb::TWindowId Owner = 0, Parent = 0;
    bool Child = false, Visible = true, Enabled = true, Iconic = false, Topmost = false, Popup = false;
    tb::TWindowId FrameForm = 0;
};

// Windows by number; ZOrder lists the top-level windows top first.
class FakeWindows : public tb::IWindowQuery {
public:
    std::map<tb::TWindowId, FakeWindow> W;
    std::vector<tb::TWindowId> ZOrder;
    tb::TWindowId Active = 0, App = 1;

    tb::TWindowId Owner(tb::TWindowId w) const override { return Get(w).Owner; }
    tb::TWindowId Parent(tb::TWindowId w) const override { return Get(w).Parent; }
    bool IsChildWindow(tb::TWindowId w) const override { return Get(w).Child; }
    bool Visible(tb::TWindowId w) const override { return Get(w).Visible; }
    bool Enabled(tb::TWindowId w) const override { return Get(w).Enabled; }
    bool Iconic(tb::TWindowId w) const override { return Get(w).Iconic; }
    bool Topmost(tb::TWindowId w) const override { return Get(w).Topmost; }
    tb::TWindowId ActiveWindow() const override { return Active; }
    tb::TWindowId ApplicationWindow() const override { return App; }
    std::vector<tb::TWindowId> ThreadWindows() const override { return ZOrder; }
    tb::TWindowId WindowAbove(tb::TWindowId w) const override {
        for (std::size_t i = 1; i < ZOrder.size(); ++i)
            if (ZOrder[i] == w) return ZOrder[i - 1];
        return 0;
    }
    bool IsPopupMenuWindow(tb::TWindowId w) const override { return Get(w).Popup; }
    tb::TWindowId FloatingFrameForm(tb::TWindowId w) const override { return Get(w).FrameForm; }

private:
    FakeWindow Get(tb::TWindowId w) const {
        auto it = W.find(w);
        return it == W.end() ? FakeWindow{} : it->second;
    }
};

}  // namespace

TEST(FloatingVisibility, ShownWhileItsFormIsVisibleNotMinimisedAndTheThreadActive) {
    FakeWindows q;
    q.W[10] = {};  // the form
    q.W[11] = {.Parent = 10, .Child = true};
    q.Active = 10;
    tb::TVisibilityState s{.Showing = true, .Floating = true, .Form = 10};
    EXPECT_TRUE(tb::ShouldBeVisible(q, s));

    q.W[10].Iconic = true;
    EXPECT_FALSE(tb::ShouldBeVisible(q, s)) << "minimised form";
    s.Mode = fmOnTopOfAllForms;
    EXPECT_TRUE(tb::ShouldBeVisible(q, s)) << "on top of all forms ignores the form";
    s.Mode = fmOnTopOfParentForm;
    q.W[10].Iconic = false;

    q.Active = 0;
    EXPECT_FALSE(tb::ShouldBeVisible(q, s)) << "application inactive";
    s.HideWhenInactive = false;
    EXPECT_TRUE(tb::ShouldBeVisible(q, s));

    s.Suspended = true;
    EXPECT_FALSE(tb::ShouldBeVisible(q, s)) << "parent changing";
    s.Suspended = false;
    s.Form = 0;
    EXPECT_FALSE(tb::ShouldBeVisible(q, s)) << "no form";
    // A docked window only needs to be showing.
    s.Floating = false;
    EXPECT_TRUE(tb::ShouldBeVisible(q, s));

    // A child whose parent is minimised counts as minimised.
    q.W[10].Iconic = true;
    EXPECT_FALSE(tb::IsWindowVisibleAndNotMinimized(q, 11));
}

TEST(FloatingVisibility, CaptionIsActiveWhileItsFormIsActive) {
    FakeWindows q;
    q.W[10] = {};                              // main form
    q.W[20] = {.Owner = 10};                   // floating frame owned by the form
    q.W[30] = {.Owner = 10};                   // a dialog owned by the form
    q.W[40] = {.Owner = 10, .FrameForm = 10};  // another floating frame of the form
    q.W[50] = {.Popup = true};
    q.W[60] = {};  // an unrelated form

    q.Active = 10;
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfParentForm), tb::TCaptionState::Active);
    q.Active = 40;  // another floating frame of the same form stands for the form
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfParentForm), tb::TCaptionState::Active);
    q.Active = 30;
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfParentForm), tb::TCaptionState::Inactive);
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfAllForms), tb::TCaptionState::Active);
    q.Active = 50;  // a menu opened from the toolbar leaves the caption alone
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfParentForm), tb::TCaptionState::Unchanged);
    q.Active = 0;
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfAllForms), tb::TCaptionState::Inactive);
    // Owned by the application window: active whenever the thread is.
    q.W[20].Owner = q.App;
    q.Active = 60;
    EXPECT_EQ(tb::FloatingCaptionState(q, 20, fmOnTopOfParentForm), tb::TCaptionState::Active);
}

TEST(FloatingVisibility, TopmostFollowsTheOwnerOrTheEnabledState) {
    FakeWindows q;
    q.W[10] = {.Topmost = true};
    q.W[11] = {};
    EXPECT_TRUE(tb::WantedTopmost(q, fmOnTopOfParentForm, true, 10));
    EXPECT_FALSE(tb::WantedTopmost(q, fmOnTopOfParentForm, true, 11));
    EXPECT_FALSE(tb::WantedTopmost(q, fmOnTopOfParentForm, true, 0));
    EXPECT_TRUE(tb::WantedTopmost(q, fmOnTopOfAllForms, true, 11));
    EXPECT_FALSE(tb::WantedTopmost(q, fmOnTopOfAllForms, false, 10)) << "a modal dialog disabled it";
}

TEST(FloatingVisibility, ActivationGoesToANonTopmostWindowFirst) {
    FakeWindows q;
    q.W[2] = {.Topmost = true};
    q.W[3] = {.Visible = false};
    q.W[4] = {.Enabled = false};
    q.W[5] = {};
    q.W[6] = {};
    q.ZOrder = {1, 6, 2, 3, 4, 5};
    EXPECT_EQ(tb::FindOtherThreadWindow(q, 6), 5u);
    q.W[5].Topmost = true;
    EXPECT_EQ(tb::FindOtherThreadWindow(q, 6), 2u);
    q.ZOrder = {1, 6};
    EXPECT_EQ(tb::FindOtherThreadWindow(q, 6), 0u);
}

TEST(FloatingVisibility, FrameGoesAboveItsFormAndWhatTheFormOwns) {
    FakeWindows q;
    q.W[10] = {};             // form
    q.W[11] = {.Owner = 10};  // a dialog of the form
    q.W[12] = {.Owner = 11};  // owned through the dialog
    q.W[20] = {};             // another form
    q.W[21] = {.Owner = 20};  // owned by the other, non-topmost form
    q.ZOrder = {20, 21, 12, 11, 10};
    EXPECT_EQ(tb::FrameInsertAfter(q, 10, false), 21u);
    EXPECT_EQ(tb::FrameInsertAfter(q, 10, true), 20u) << "a topmost frame passes windows with non-topmost owners";
    q.ZOrder = {12, 11, 10};
    EXPECT_EQ(tb::FrameInsertAfter(q, 10, false), 0u);
}
