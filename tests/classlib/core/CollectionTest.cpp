// Collections and component lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TCollection.h"
#include "classlib/core/TComponentList.h"

namespace {

class TPanelItem : public TCollectionItem {
    CLASSLIB_CLASS(TPanelItem, TCollectionItem)
    explicit TPanelItem(TCollection* c) : TCollectionItem(c) {}
    void Assign(TPersistent* source) override {
        if (auto* p = dynamic_cast<TPanelItem*>(source)) {
            width = p->width;
            Changed(false);
        } else {
            TCollectionItem::Assign(source);
        }
    }
    void SetWidth(int w) {
        width = w;
        Changed(false);
    }
    int width = 50;
};

class TPanels : public TCollection {
public:
    TPanels() : TCollection(TCollectionItemClass::Of<TPanelItem>()) {}
    std::vector<std::string> log;

protected:
    void Update(TCollectionItem* item) override {
        log.push_back(item ? "item " + std::to_string(item->Index()) : "all");
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        log.push_back(action == cnAdded ? "added" : action == cnExtracting ? "extracting" : "deleting");
    }
};

TPanelItem* Panel(TCollection& c, int i) { return static_cast<TPanelItem*>(c.Items(i)); }

TEST(Collection, AddInsertDeleteAndIds) {
    TPanels panels;
    TCollectionItem* a = panels.Add();
    TCollectionItem* b = panels.Add();
    EXPECT_EQ(a->ClassType(), TPanelItem::StaticClass());
    EXPECT_EQ(a->Collection(), &panels);
    TCollectionItem* c = panels.Insert(0);
    EXPECT_EQ(panels.Count(), 3);
    EXPECT_EQ(panels.Items(0), c);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(c->ID(), 2);
    EXPECT_EQ(panels.FindItemID(1), b);
    panels.Delete(1);  // a
    EXPECT_EQ(panels.Count(), 2);
    EXPECT_EQ(panels.FindItemID(0), nullptr);
    // Ids are never reused.
    EXPECT_EQ(panels.Add()->ID(), 3);
    EXPECT_THROW(panels.Items(3), EListError);
    EXPECT_THROW(panels.Delete(-1), EListError);
    EXPECT_THROW(panels.Insert(5), EListError);
    EXPECT_EQ(panels.Count(), 3);
}

TEST(Collection, ChangesAreReportedOnceWhileUpdating) {
    TPanels panels;
    panels.Add();
    panels.Add();
    panels.log.clear();
    Panel(panels, 1)->SetWidth(80);
    EXPECT_EQ(panels.log, (std::vector<std::string>{"item 1"}));
    panels.log.clear();
    panels.BeginUpdate();
    Panel(panels, 0)->SetWidth(10);
    panels.Add();
    panels.BeginUpdate();
    panels.Delete(0);
    panels.EndUpdate();
    EXPECT_EQ(panels.log, (std::vector<std::string>{"added", "deleting", "extracting"}));
    panels.EndUpdate();
    EXPECT_EQ(panels.log.back(), "all");
    EXPECT_EQ(panels.log.size(), 4u);
    panels.EndUpdate();  // unmatched: ignored
    EXPECT_EQ(panels.UpdateCount(), 0);
}

TEST(Collection, ItemsMoveAndFreeingAnItemLeavesTheCollection) {
    TPanels panels;
    TCollectionItem* a = panels.Add();
    TCollectionItem* b = panels.Add();
    TCollectionItem* c = panels.Add();
    c->SetIndex(0);
    EXPECT_EQ(panels.Items(0), c);
    EXPECT_EQ(panels.Items(1), a);
    a->SetIndex(100);
    EXPECT_EQ(panels.Items(2), a);
    Free(b);
    EXPECT_EQ(panels.Count(), 2);
    TPanels other;
    a->SetCollection(&other);
    EXPECT_EQ(other.Items(0), a);
    EXPECT_EQ(panels.Count(), 1);
}

TEST(Collection, AssignCopiesItemsAndOwnerIsReported) {
    TPanels source;
    source.Add();
    Panel(source, 0)->SetWidth(11);
    source.Add();
    Panel(source, 1)->SetWidth(22);
    TPanels dest;
    dest.Add();
    dest.Add();
    dest.Add();
    dest.log.clear();
    dest.Assign(&source);
    ASSERT_EQ(dest.Count(), 2);
    EXPECT_EQ(Panel(dest, 0)->width, 11);
    EXPECT_EQ(Panel(dest, 1)->width, 22);
    EXPECT_EQ(dest.log.back(), "all");
    TPersistent owner;
    TOwnedCollection owned(&owner, TCollectionItemClass::Of<TPanelItem>());
    EXPECT_EQ(owned.GetOwner(), &owner);
    EXPECT_EQ(owned.Add()->GetOwner(), &owned);
    EXPECT_THROW(owned.Assign(&owner), EConvertError);
}

int g_freed = 0;
struct TCounted : TComponent {
    explicit TCounted(TComponent* owner) : TComponent(owner) {}
    ~TCounted() override { ++g_freed; }
};

TEST(ComponentList, DropsComponentsFreedElsewhere) {
    TComponentList list(false);
    auto* a = Create<TCounted>(nullptr);
    auto* b = Create<TCounted>(nullptr);
    list.Add(a);
    list.Add(b);
    list.Add(a);
    Free(a);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), b);
    // An extracted component is no longer watched, and freeing it later does not touch the list.
    EXPECT_EQ(list.Extract(b), b);
    EXPECT_EQ(list.Count(), 0);
    list.Add(nullptr);
    Free(b);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), nullptr);
}

TEST(ComponentList, OwningListFreesItsComponents) {
    g_freed = 0;
    auto* owner = Create<TComponent>(nullptr);
    {
        TComponentList list;
        list.Add(Create<TCounted>(owner));
        list.Add(Create<TCounted>(nullptr));
        auto* third = Create<TCounted>(nullptr);
        list.Insert(0, third);
        list.Move(0, 2);
        EXPECT_EQ(list.Last(), third);
        list.Exchange(0, 2);
        EXPECT_EQ(list.First(), third);
        EXPECT_EQ(list.Remove(third), 0);
        EXPECT_EQ(g_freed, 1);
        EXPECT_THROW(list.Delete(5), EListError);
        EXPECT_THROW(list.Insert(3, nullptr), EListError);
    }
    EXPECT_EQ(g_freed, 3);
    // The owned one also left its owner.
    EXPECT_EQ(owner->ComponentCount(), 0);
    Free(owner);
}

TEST(ComponentList, FreeingTheOwnerOfListedComponentsEmptiesTheList) {
    TComponentList list;
    auto* owner = Create<TComponent>(nullptr);
    list.Add(Create<TCounted>(owner));
    list.Add(Create<TCounted>(owner));
    Free(owner);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
