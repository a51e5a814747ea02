#include <gtest/gtest.h>

#include <vector>

#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TLabel.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBControlItem.h"

namespace {

class Listener : public TObject {
public:
    void Heard(TTBCustomItem*, bool, TTBItemChangedAction action, int, TTBCustomItem*) { actions.push_back(action); }
    TTBItemChangedProc Proc() { return MakeMethod<&Listener::Heard>(this); }
    std::vector<int> actions;
};

class ItemImages : public ::testing::Test {
protected:
    void SetUp() override {
        root->Add(item);
        root->RegisterNotification(listener.Proc(), nullptr);
        item->RegisterNotification(listener.Proc(), nullptr);
    }
    void TearDown() override {
        root->UnregisterNotification(listener.Proc(), nullptr);
        item->UnregisterNotification(listener.Proc(), nullptr);
    }
    Listener listener;
    TObjectPtr<TTBRootItem> root = MakeObject<TTBRootItem>(nullptr);
    TTBCustomItem* item = Create<TTBCustomItem>(root.get());
};

}  // namespace

TEST_F(ItemImages, ImageListsResizeOnlyWhenTheirImageSizeChanges) {
    TObjectPtr<TCustomImageList> small16 = MakeObject<TCustomImageList>(nullptr, 16, 16);
    TObjectPtr<TCustomImageList> other16 = MakeObject<TCustomImageList>(nullptr, 16, 16);
    TObjectPtr<TCustomImageList> large24 = MakeObject<TCustomImageList>(nullptr, 24, 24);
    item->SetImages(small16.get());  // from none: a size change
    item->SetImages(other16.get());  // same size: repaint only
    item->SetImages(large24.get());
    EXPECT_EQ(listener.actions, (std::vector<int>{6, 5, 6}));
    listener.actions.clear();

    large24->Change();      // the list changed, its size did not
    large24->SetWidth(32);  // the size changed
    EXPECT_EQ(listener.actions, (std::vector<int>{5, 6}));
    listener.actions.clear();

    // Freeing the list leaves the item without it; the old lists no longer reach the item.
    large24.reset();
    EXPECT_EQ(item->Images(), nullptr);
    small16->Change();
    EXPECT_EQ(listener.actions, (std::vector<int>{6}));
}

TEST_F(ItemImages, SubmenuImagesNotifyTheItemsOwnListeners) {
    TObjectPtr<TCustomImageList> list = MakeObject<TCustomImageList>(nullptr, 16, 16);
    item->SetSubMenuImages(list.get());
    item->SetImages(list.get());  // one list for both
    listener.actions.clear();
    list->Change();
    EXPECT_EQ(listener.actions, (std::vector<int>{9, 5}));  // in the order the links joined
    item->SetSubMenuImages(nullptr);                        // the images still hold the list's free notification
    listener.actions.clear();
    list.reset();
    EXPECT_EQ(item->Images(), nullptr);
    EXPECT_EQ(listener.actions, (std::vector<int>{6}));
}

TEST(ControlItem, TheItemFreesItsControlUnlessToldNotTo) {
    TObjectPtr<TTBRootItem> root = MakeObject<TTBRootItem>(nullptr);
    auto* item = Create<TTBControlItem>(root.get());
    EXPECT_EQ(item->ItemStyle(),
              (TTBItemStyle{tbisClicksTransparent, tbisRedrawOnSelChange, tbisRedrawOnMouseOverChange}));
    TLabel* label = Create<TLabel>(nullptr);
    item->SetControl(label);
    bool labelFreed = false;
    struct Watch : TComponent {
        using TComponent::TComponent;
        bool* freed = nullptr;
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            if (op == opRemove) *freed = true;
        }
    };
    TObjectPtr<Watch> watch(Create<Watch>(nullptr));
    watch->freed = &labelFreed;
    label->FreeNotification(watch.get());
    Free(item);
    EXPECT_TRUE(labelFreed);

    auto* keeper = Create<TTBControlItem>(root.get());
    TObjectPtr<TLabel> kept(Create<TLabel>(nullptr));
    keeper->SetControl(kept.get());
    keeper->SetDontFreeControl(true);
    Free(keeper);
    EXPECT_EQ(kept->Name(), "");  // still alive

    auto* emptied = Create<TTBControlItem>(root.get());
    TLabel* gone = Create<TLabel>(nullptr);
    emptied->SetControl(gone);
    Free(gone);
    EXPECT_EQ(emptied->Control(), nullptr);
}
