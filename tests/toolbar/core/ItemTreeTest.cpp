#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TCustomAction.h"
#include "tests/support/PropertyStreams.h"
#include "toolbar/core/ETBItemError.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/TTBCustomItemActionLink.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/core/TTBSeparatorItem.h"

namespace {

struct Note {
    TTBCustomItem* sender;
    bool relayed;
    int action;
    int index;
    TTBCustomItem* item;
    bool operator==(const Note&) const = default;
};

// A listener that records what it hears and can act on it (unregister itself, free an item).
class Listener : public TObject {
public:
    void Heard(TTBCustomItem* sender, bool relayed, TTBItemChangedAction action, int index, TTBCustomItem* item) {
        notes.push_back({sender, relayed, int(action), index, item});
        if (onHear) onHear();
    }
    TTBItemChangedProc Proc() { return MakeMethod<&Listener::Heard>(this); }
    void Listen(TTBCustomItem* item) { item->RegisterNotification(Proc(), nullptr); }
    std::vector<int> Actions() const {
        std::vector<int> a;
        for (const Note& n : notes) a.push_back(n.action);
        return a;
    }
    std::vector<Note> notes;
    std::function<void()> onHear;
};

class ItemTree : public ::testing::Test {
protected:
    TObjectPtr<TTBRootItem> root = MakeObject<TTBRootItem>(nullptr);
    TTBCustomItem* Child(const char16_t* caption = u"") {
        auto* item = Create<TTBCustomItem>(root.get());
        item->SetCaption(caption);
        return item;
    }
};

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ETBItemError& e) {
        return e.Message();
    }
    return "no error";
}

}  // namespace

TEST_F(ItemTree, InsertChecksItsIndexAndTheItem) {
    TTBCustomItem* a = Child(u"a");
    TTBCustomItem* b = Child(u"b");
    root->Insert(0, a);
    root->Insert(root->Count(), b);  // Count appends
    EXPECT_EQ(root->Items(1), b);
    EXPECT_EQ(b->Parent(), root.get());

    TTBCustomItem* c = Child(u"c");
    EXPECT_EQ(ErrorOf([&] { root->Insert(3, c); }), "Toolbar item index out of range");
    EXPECT_EQ(ErrorOf([&] { root->Items(2); }), "Toolbar item index out of range");
    EXPECT_EQ(ErrorOf([&] { root->Items(-1); }), "Toolbar item index out of range");
    // Already a child elsewhere: both trees stay as they were.
    EXPECT_EQ(ErrorOf([&] { a->Insert(0, b); }), "Toolbar item already inserted");
    EXPECT_EQ(a->Count(), 0);
    EXPECT_EQ(root->IndexOf(b), 1);
    // An item into itself or below itself would make a cycle.
    root->Remove(a);
    EXPECT_EQ(ErrorOf([&] { a->Insert(0, a); }), "Toolbar item cannot be inserted into itself");
    a->Add(c);
    EXPECT_EQ(ErrorOf([&] { c->Add(a); }), "Toolbar item cannot be inserted into itself");
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(root->IndexOf(a), -1);
}

TEST_F(ItemTree, NotificationCodesOfInsertDeleteMoveAndChanges) {
    Listener l;
    l.Listen(root.get());
    TTBCustomItem* a = Child();
    TTBCustomItem* b = Child();
    root->Add(a);
    root->Add(b);
    EXPECT_EQ(l.notes[4], (Note{root.get(), false, 0, 1, b}));
    EXPECT_EQ(l.Actions(), (std::vector<int>{3, 0, 4, 3, 0, 4}));
    l.notes.clear();

    root->Move(0, 1);  // the insert brings its own bracket
    EXPECT_EQ(l.Actions(), (std::vector<int>{3, 1, 3, 0, 4, 4}));
    EXPECT_EQ(root->Items(1), a);
    root->Move(1, 1);  // nothing
    EXPECT_THROW(root->Move(0, 2), ETBItemError);
    l.notes.clear();

    a->SetCaption(u"x");    // 6: resize
    a->SetCaption(u"x");    // unchanged: nothing
    a->SetChecked(true);    // 5
    a->SetImageIndex(2);    // -1 -> 2: gains an image, 6
    a->SetImageIndex(3);    // 5
    a->SetImageIndex(-1);   // loses it, 6
    a->SetEnabled(false);   // 5
    a->SetVisible(false);   // 6
    a->SetName("Renamed");  // 8
    a->SetHint(u"no notice");
    EXPECT_EQ(l.Actions(), (std::vector<int>{6, 5, 6, 5, 6, 5, 6, 8}));
    EXPECT_EQ(l.notes[0], (Note{root.get(), false, 6, 1, a}));
    l.notes.clear();

    root->Delete(1);
    EXPECT_EQ(l.notes, (std::vector<Note>{{root.get(), false, 1, 1, a}}));
    EXPECT_EQ(a->Parent(), nullptr);
    Free(a);
    root->UnregisterNotification(l.Proc(), nullptr);
}

TEST_F(ItemTree, GroupIndexMakesCheckedItemsExclusive) {
    TTBCustomItem* g[3];
    for (auto*& item : g) {
        item = Child();
        item->SetGroupIndex(1);
        root->Add(item);
    }
    g[2]->SetChecked(true);
    TTBCustomItem* free1 = Child();
    TTBCustomItem* free2 = Child();
    root->Add(free1);
    root->Add(free2);
    free1->SetChecked(true);
    free2->SetChecked(true);

    g[1]->SetChecked(true);
    g[0]->SetChecked(true);
    EXPECT_TRUE(g[0]->Checked());
    EXPECT_FALSE(g[1]->Checked());
    EXPECT_FALSE(g[2]->Checked());
    EXPECT_TRUE(free1->Checked());  // group 0 items are independent
    EXPECT_TRUE(free2->Checked());
    // Joining the group while checked unchecks the others.
    free1->SetGroupIndex(1);
    EXPECT_FALSE(g[0]->Checked());
    EXPECT_TRUE(free1->Checked());
}

TEST_F(ItemTree, EffectiveOptionsFollowTheParent) {
    Listener l;
    l.Listen(root.get());
    TTBCustomItem* sub = Child();
    TTBCustomItem* leaf = Create<TTBCustomItem>(root.get());
    sub->Add(leaf);
    root->Add(sub);
    l.notes.clear();

    root->SetOptions({tboDefault, tboShowHint, tboToolbarSize});  // size without style is dropped
    EXPECT_EQ(root->Options(), (TTBItemOptions{tboDefault, tboShowHint}));
    EXPECT_EQ(sub->EffectiveOptions(), TTBItemOptions{tboShowHint});  // tboDefault is not inherited
    EXPECT_EQ(leaf->EffectiveOptions(), TTBItemOptions{tboShowHint});
    EXPECT_TRUE(l.notes.empty());  // a hint option changes no layout

    root->SetOptions({tboToolbarStyle, tboToolbarSize});
    EXPECT_EQ(l.notes, (std::vector<Note>{{root.get(), false, 6, 0, sub}}));
    sub->SetMaskOptions({tboToolbarStyle});
    EXPECT_EQ(sub->EffectiveOptions(), TTBItemOptions{});  // style masked, so size goes too
    EXPECT_EQ(leaf->EffectiveOptions(), TTBItemOptions{});
    sub->SetOptions({tboImageAboveCaption});
    leaf->SetInheritOptions(false);
    EXPECT_EQ(leaf->EffectiveOptions(), TTBItemOptions{});
    leaf->SetInheritOptions(true);
    EXPECT_EQ(leaf->EffectiveOptions(), TTBItemOptions{tboImageAboveCaption});
    root->UnregisterNotification(l.Proc(), nullptr);
}

TEST_F(ItemTree, EmbeddedGroupsAndLinkedItemsRelayWithABoundedDepth) {
    // root > group (embedded) > child; a chevron-like item links to root.
    TTBCustomItem* group = Child();
    struct Group : TTBCustomItem {
        using TTBCustomItem::TTBCustomItem;
        void MakeEmbedded() { SetItemStyle(ItemStyle() + TTBItemStyle{tbisEmbeddedGroup}); }
    };
    auto* embedded = Create<Group>(root.get());
    embedded->MakeEmbedded();
    root->Add(group);
    root->Add(embedded);
    TTBCustomItem* child = Child();
    TTBCustomItem* linker = Child();
    linker->SetLinkSubitems(root.get());
    ASSERT_EQ(root->LinkParentCount(), 1);
    EXPECT_EQ(root->LinkParents(0), linker);
    EXPECT_THROW(root->LinkParents(1), ETBItemError);

    Listener atRoot, atLinker;
    atRoot.Listen(root.get());
    atLinker.Listen(linker);
    embedded->Add(child);
    EXPECT_EQ(atRoot.notes,
              (std::vector<Note>{
                  {embedded, true, 3, 0, nullptr}, {embedded, true, 0, 0, child}, {embedded, true, 4, 0, nullptr}}));
    EXPECT_EQ(atLinker.notes.size(), 3u);
    EXPECT_EQ(atLinker.notes[1], (Note{embedded, true, 0, 0, child}));
    atRoot.notes.clear();
    group->Add(Child());  // a plain submenu does not relay
    EXPECT_TRUE(atRoot.notes.empty());

    // Two items linking to each other: the relay stops after 10 steps.
    TTBCustomItem* p = Child();
    TTBCustomItem* q = Child();
    p->SetLinkSubitems(q);
    q->SetLinkSubitems(p);
    Listener atP;
    atP.Listen(p);
    p->Notify(tbicInvalidate, 0, nullptr);
    EXPECT_EQ(atP.notes.size(), 6u);  // depth 0, 2, 4, 6, 8, 10
    // Relays go first, so the deepest one is heard first and p's own notice last.
    EXPECT_TRUE(atP.notes.front().relayed);
    EXPECT_EQ(atP.notes.front().sender, p);
    EXPECT_FALSE(atP.notes.back().relayed);
    p->UnregisterNotification(atP.Proc(), nullptr);
    root->UnregisterNotification(atRoot.Proc(), nullptr);
    linker->UnregisterNotification(atLinker.Proc(), nullptr);

    // Freeing the target of a link leaves the linking item without it.
    Free(q);
    EXPECT_EQ(p->LinkSubitems(), nullptr);
    EXPECT_EQ(p->LinkParentCount(), 0);
}

TEST_F(ItemTree, ListenersMayLeaveOrFreeTheItemDuringDelivery) {
    Listener first, second, third;
    TTBCustomItem* a = Child();
    root->Add(a);
    first.Listen(root.get());
    second.Listen(root.get());
    third.Listen(root.get());
    // Registering twice needs two unregistrations.
    third.Listen(root.get());
    first.onHear = [&] { root->UnregisterNotification(first.Proc(), nullptr); };
    a->SetCaption(u"1");
    EXPECT_EQ(first.notes.size(), 1u);
    EXPECT_EQ(second.notes.size(), 1u);  // not skipped by the first one's leaving
    EXPECT_EQ(third.notes.size(), 1u);
    a->SetCaption(u"2");
    EXPECT_EQ(first.notes.size(), 1u);
    EXPECT_EQ(second.notes.size(), 2u);
    root->UnregisterNotification(third.Proc(), nullptr);
    a->SetCaption(u"3");
    EXPECT_EQ(third.notes.size(), 3u);
    root->UnregisterNotification(third.Proc(), nullptr);
    root->UnregisterNotification(second.Proc(), nullptr);

    // The last listener leaves, and then one frees the very item that is notifying.
    TTBCustomItem* parent = Child();
    TTBCustomItem* kid = Child();
    parent->Add(kid);
    Listener only, freer, after;
    only.Listen(parent);
    only.onHear = [&] { parent->UnregisterNotification(only.Proc(), nullptr); };
    kid->SetCaption(u"x");
    EXPECT_EQ(only.notes.size(), 1u);
    freer.Listen(parent);
    after.Listen(parent);
    freer.onHear = [&] { FreeAndNil(parent); };  // it hears the parent's own going as well
    kid->SetVisible(false);                      // parent and kid are freed inside the delivery
    EXPECT_EQ(root->ComponentCount(), 1);        // only a is left: kid went with parent
    // The later listener hears the kid leave the dying parent, but the walk of the visibility notice
    // stopped with the parent.
    EXPECT_EQ(after.Actions(), std::vector<int>{1});
}

TEST_F(ItemTree, FreeingAnItemLeavesItsParentAndFreesItsChildren) {
    Listener l;
    TTBCustomItem* sub = Child();
    TTBCustomItem* leaf = Child();
    sub->Add(leaf);
    root->Add(sub);
    l.Listen(root.get());
    Free(sub);  // leaf, owned by root as well, goes with it
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(root->ComponentCount(), 0);
    EXPECT_EQ(l.Actions(), (std::vector<int>{1}));
    root->UnregisterNotification(l.Proc(), nullptr);
    EXPECT_EQ(tb::DeferredClickUsers(), 1);  // the root only
}

TEST_F(ItemTree, SeparatorAndPlainItemStyles) {
    TTBCustomItem* plain = Child();
    auto* sep = Create<TTBSeparatorItem>(root.get());
    EXPECT_EQ(plain->ItemStyle(), (TTBItemStyle{tbisSelectable, tbisRedrawOnSelChange, tbisRedrawOnMouseOverChange}));
    EXPECT_EQ(sep->ItemStyle(), (TTBItemStyle{tbisSeparator, tbisClicksTransparent}));
}

namespace {
class Handlers : public TObject {
public:
    void ItemClick(TObject*) { ++itemClicks; }
    void ActionExecute(TObject*) { ++actionRuns; }
    int itemClicks = 0;
    int actionRuns = 0;
};
}  // namespace

TEST_F(ItemTree, ClickRunsTheItemsHandlerOrItsAction) {
    Handlers h;
    TTBCustomItem* item = Child();
    item->OnClick = MakeMethod<&Handlers::ItemClick>(&h);
    item->Click();  // no action: OnClick
    EXPECT_EQ(h.itemClicks, 1);
    item->SetAutoCheck(true);
    item->Click();
    EXPECT_TRUE(item->Checked());
    item->SetEnabled(false);
    item->Click();
    EXPECT_EQ(h.itemClicks, 2);
    item->SetEnabled(true);

    auto* action = Create<TAction>(root.get());
    action->OnExecute = MakeMethod<&Handlers::ActionExecute>(&h);
    TTBCustomItem* linked = Child();
    linked->SetAction(action);
    EXPECT_EQ(linked->OnClick, action->OnExecute);
    linked->Click();
    EXPECT_EQ(h.actionRuns, 1);
    linked->OnClick = MakeMethod<&Handlers::ItemClick>(&h);  // an own handler wins
    linked->Click();
    EXPECT_EQ(h.actionRuns, 1);
    EXPECT_EQ(h.itemClicks, 3);
}

TEST_F(ItemTree, ActionLinkCopiesAndFollowsTheAction) {
    auto* action = Create<TAction>(root.get());
    action->SetCaption("&Open");
    action->SetHint("Open|Opens a file");
    action->SetShortCut(16463);
    action->SetImageIndex(4);
    action->SetChecked(true);
    TTBCustomItem* item = Child();
    item->SetAction(action);
    EXPECT_EQ(item->Caption(), u"&Open");
    EXPECT_EQ(item->Hint(), u"Open|Opens a file");
    EXPECT_EQ(item->ShortCut(), 16463);
    EXPECT_EQ(item->ImageIndex(), 4);
    EXPECT_TRUE(item->Checked());

    action->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
    item->SetCaption(u"Mine");  // no longer follows the caption
    action->SetCaption("Other");
    EXPECT_EQ(item->Caption(), u"Mine");
    action->SetImageIndex(5);
    EXPECT_EQ(item->ImageIndex(), 5);

    // With defaults only, an item keeps what it set itself.
    TTBCustomItem* other = Child();
    other->SetCaption(u"Own");
    other->IncludeState(csLoading);
    other->SetAction(action);
    EXPECT_EQ(other->Caption(), u"Own");
    EXPECT_EQ(other->ImageIndex(), 5);
    other->ExcludeState(csLoading);

    // Freeing the action detaches both items.
    Free(action);
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(other->Action(), nullptr);
    EXPECT_EQ(item->ActionLink(), nullptr);
}

TEST_F(ItemTree, WideCaptionAndHintStreamUnlessTheActionSuppliesThem) {
    TTBCustomItem* item = Child(u"\u041e\u0442\u043a\u0440\u044b\u0442\u044c");
    item->SetHint(u"h\u00e9");
    const std::vector<Byte> bytes = testsupport::WriteProperties(item);
    TTBCustomItem* copy = Child();
    testsupport::ReadProperties(bytes, copy);
    EXPECT_EQ(copy->Caption(), item->Caption());
    EXPECT_EQ(copy->Hint(), u"h\u00e9");

    auto* action = Create<TAction>(root.get());
    action->SetCaption("Act");
    TTBCustomItem* linked = Child();
    linked->SetAction(action);
    linked->SetHint(u"own hint");
    const std::vector<Byte> linkedBytes = testsupport::WriteProperties(linked);
    EXPECT_FALSE(testsupport::ContainsText(linkedBytes, "Caption"));
    EXPECT_TRUE(testsupport::ContainsText(linkedBytes, "Hint"));
}

TEST_F(ItemTree, ShortCutTextAfterATabInTheCaption) {
    TTBCustomItem* item = Child(u"&Open\tCtrl+Shift+O\tx");
    item->SetShortCut(16463);
    EXPECT_EQ(item->GetShortCutText(), u"Ctrl+Shift+O\tx");
    item->SetCaption(u"&Open");
    EXPECT_EQ(item->GetShortCutText().substr(0, 5), u"Ctrl+");
    item->SetShortCut(0);
    EXPECT_EQ(item->GetShortCutText(), u"");
}

TEST_F(ItemTree, StreamingParentsAndChildOrder) {
    TTBCustomItem* a = Child();
    TTBCustomItem* b = Child();
    a->SetParentComponent(root.get());
    b->SetParentComponent(root.get());
    EXPECT_EQ(a->GetParentComponent(), root.get());
    root->SetChildOrder(b, 0);
    EXPECT_EQ(root->Items(0), b);
    std::vector<TComponent*> listed;
    struct Collect : TObject {
        std::vector<TComponent*>* out;
        void Add(TComponent* c) { out->push_back(c); }
    } collect;
    collect.out = &listed;
    root->GetChildren(MakeMethod<&Collect::Add>(&collect), nullptr);
    EXPECT_EQ(listed, (std::vector<TComponent*>{b, a}));

    // A component offering the items interface takes the item into its root.
    struct Bar : TComponent, ITBItems {
        using TComponent::TComponent;
        TTBRootItem* items = nullptr;
        TTBCustomItem* GetItems() override { return items; }
    };
    TObjectPtr<Bar> bar(Create<Bar>(nullptr));
    bar->items = root.get();
    root->SetParentComponentField(bar.get());
    EXPECT_EQ(root->GetParentComponent(), bar.get());
    TTBCustomItem* c = Child();
    c->SetParentComponent(bar.get());
    EXPECT_EQ(c->Parent(), root.get());
}

TEST(ItemOwnership, AnOwnerFreesItsItemsInAnyTreeOrder) {
    // The child is created before its parent, so the owner frees the parent first, which frees the child.
    TObjectPtr<TComponent> form = MakeObject<TComponent>(nullptr);
    auto* child = Create<TTBCustomItem>(form.get());
    auto* parent = Create<TTBCustomItem>(form.get());
    auto* grandchild = Create<TTBCustomItem>(form.get());
    parent->Add(child);
    child->Add(grandchild);
    ASSERT_EQ(form->ComponentCount(), 3);
    form.reset();
    EXPECT_EQ(tb::DeferredClickUsers(), 0);
}
