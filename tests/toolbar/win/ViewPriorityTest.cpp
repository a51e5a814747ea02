// The chevron order of a toolbar view: items used last stay on the toolbar, new items come first, and the
// chevron is enabled only when something went behind it.
#include <gtest/gtest.h>

#include "classlib/win/TCustomControl.h"
#include "tests/toolbar/support/MenuBarHost.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBView.h"

using toolbartest::SubmenuItem;

namespace {

// A toolbar view with a chevron, as the toolbar class makes it.
class ChevronView : public TTBView {
public:
    ChevronView(TTBCustomItem* root, TWinControl* window, TTBCustomItem* chevron)
        : TTBView(nullptr, nullptr, root, window, true, false, true), chevron_(chevron) {
        RebuildViewers();
    }
    TTBCustomItem* GetChevronItem() override { return chevron_; }

private:
    TTBCustomItem* chevron_;
};

class ViewPriority : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 5; ++i) Append();
        view_ = MakeObject<ChevronView>(root_.get(), window_.get(), chevron_.get());
        // Buttons without caption or image are 6 wide: room for three before the chevron.
        view_->SetChevron(18, 12);
    }
    TTBCustomItem* Append() {
        TTBCustomItem* item = Create<TTBCustomItem>(nullptr);
        root_->Add(item);
        return item;
    }
    std::vector<bool> Shown() {
        view_->ValidatePositions();
        std::vector<bool> out;
        for (int i = 0; i < view_->ViewerCount() - 1; ++i) out.push_back(view_->Viewers(i)->Show());
        return out;
    }

    TObjectPtr<TTBCustomItem> root_ = MakeObject<TTBCustomItem>(nullptr);
    TObjectPtr<SubmenuItem> chevron_ = MakeObject<SubmenuItem>(nullptr);
    TObjectPtr<TCustomControl> window_ = MakeObject<TCustomControl>(nullptr);
    TObjectPtr<ChevronView> view_;
    TTBItemViewer* delete_ = nullptr;
};

}  // namespace

TEST_F(ViewPriority, TheLeastRecentlyUsedGoBehindTheChevron) {
    EXPECT_EQ(Shown(), (std::vector<bool>{true, true, true, false, false}));
    EXPECT_TRUE(chevron_->Enabled());
    TTBItemViewer* chevron = view_->Viewers(5);
    EXPECT_TRUE(chevron->Show());
    EXPECT_EQ(chevron->BoundsRect(), Rect(18, 0, 30, 6));

    // An item used from behind the chevron comes back; the least recently used one goes instead.
    view_->Viewers(4)->Execute(true);
    EXPECT_EQ(view_->PriorityIndexOf(view_->Viewers(4)), 0);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, true, false, false, true}));
    EXPECT_EQ(view_->TopPriorityViewer(), view_->Viewers(4));
    view_->Viewers(3)->Execute(true);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false, true, true}));
    view_->Viewers(3)->Execute(false);  // without priority nothing moves
    EXPECT_EQ(Shown(), (std::vector<bool>{true, false, false, true, true}));

    // A new item comes first in the order, before the internal chevron viewer at the end.
    TTBCustomItem* added = Append();
    ASSERT_EQ(view_->ViewerCount(), 7);
    EXPECT_EQ(view_->Viewers(5)->Item(), added);
    EXPECT_EQ(view_->PriorityIndexOf(view_->Viewers(5)), 0);
    EXPECT_EQ(Shown(), (std::vector<bool>{false, false, false, true, true, true}));

    // A deleted item leaves the order; with room for all the chevron goes and stays as it was.
    delete_ = view_->Viewers(3);
    TObjectPtr<TTBCustomItem> removed(root_->Items(3));
    root_->Delete(3);
    EXPECT_EQ(view_->PriorityIndexOf(delete_), -1);
    view_->SetChevron(200, 12);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, true, true, true, true}));
    EXPECT_FALSE(view_->Viewers(view_->ViewerCount() - 1)->Show());
}
