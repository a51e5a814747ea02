// Ownership, destruction order, notification fan-out, names and state of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TComponent.h"

namespace {

std::vector<std::string> g_events;

class TPart : public TComponent {
    CLASSLIB_COMPONENT(TPart, TComponent)
    explicit TPart(TComponent* owner, std::string label = "") : TComponent(owner), label_(std::move(label)) {}
    ~TPart() override { g_events.push_back("free " + label_); }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        auto* p = dynamic_cast<TPart*>(c);
        g_events.push_back(label_ + (op == opInsert ? " +" : " -") + (p ? p->label_ : c->Name()));
        if (op == opRemove && c == watched) watched = nullptr;
    }
    std::string label_;
    TComponent* watched = nullptr;
};

TEST(Ownership, ComponentsInCreationOrderAndFreedLastFirst) {
    g_events.clear();
    TPart* owner = Create<TPart>(nullptr, "owner");
    TPart* a = Create<TPart>(owner, "a");
    TPart* b = Create<TPart>(owner, "b");
    TPart* c = Create<TPart>(owner, "c");
    ASSERT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(owner->Components(2), c);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(b->Owner(), owner);
    EXPECT_EQ(owner->ComponentIndex(), -1);
    g_events.clear();
    Free(owner);
    // The owner's own destructor body runs first (its components are still there), then the components go.
    EXPECT_EQ(g_events, (std::vector<std::string>{"free owner", "free c", "free b", "free a"}));
}

TEST(Ownership, NestedOwnersFreeDepthFirst) {
    g_events.clear();
    TPart* root = Create<TPart>(nullptr, "root");
    TPart* mid = Create<TPart>(root, "mid");
    Create<TPart>(mid, "leaf1");
    Create<TPart>(mid, "leaf2");
    Create<TPart>(root, "last");
    g_events.clear();
    Free(root);
    EXPECT_EQ(g_events, (std::vector<std::string>{"free root", "free last", "free mid", "free leaf2", "free leaf1"}));
}

TEST(Ownership, DestroyComponentsEarlyAndFreeingOneLeavesTheOwner) {
    TObjectPtr<TPart> owner(Create<TPart>(nullptr, "owner"));
    TPart* a = Create<TPart>(owner.get(), "a");
    Create<TPart>(owner.get(), "b");
    Free(a);
    ASSERT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(static_cast<TPart*>(owner->Components(0))->label_, "b");
    g_events.clear();
    owner->DestroyComponents();
    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_EQ(g_events, (std::vector<std::string>{"free b"}));
}

TEST(Ownership, BadIndexRaisesListError) {
    TComponent owner(nullptr);
    try {
        owner.Components(0);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (0)");
    }
    EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(Ownership, InsertMovesBetweenOwnersAndIndexCanBeChanged) {
    TObjectPtr<TPart> first(Create<TPart>(nullptr, "first"));
    TObjectPtr<TPart> second(Create<TPart>(nullptr, "second"));
    TPart* a = Create<TPart>(first.get(), "a");
    TPart* b = Create<TPart>(first.get(), "b");
    TPart* c = Create<TPart>(first.get(), "c");
    second->InsertComponent(b);
    EXPECT_EQ(b->Owner(), second.get());
    EXPECT_EQ(first->ComponentCount(), 2);
    EXPECT_EQ(second->Components(0), b);
    c->SetComponentIndex(0);
    EXPECT_EQ(first->Components(0), c);
    EXPECT_EQ(first->Components(1), a);
    c->SetComponentIndex(99);
    EXPECT_EQ(first->Components(1), c);
    EXPECT_THROW(a->InsertComponent(first.get()), EComponentError);
    EXPECT_THROW(a->InsertComponent(a), EComponentError);
}

TEST(Notification, InsertAndRemoveReachOwnerAndEveryOwnedComponent) {
    TObjectPtr<TPart> owner(Create<TPart>(nullptr, "owner"));
    Create<TPart>(owner.get(), "a");
    Create<TPart>(owner.get(), "b");
    g_events.clear();
    TPart* c = Create<TPart>(owner.get(), "c");
    // The receivers are told once the new component is complete, so they can recognise its class.
    EXPECT_EQ(g_events, (std::vector<std::string>{"owner +c", "a +c", "b +c"}));
    g_events.clear();
    owner->RemoveComponent(c);
    EXPECT_EQ(g_events, (std::vector<std::string>{"owner -c", "a -c", "b -c"}));
    EXPECT_EQ(c->Owner(), nullptr);
    Free(c);
}

TEST(Notification, FreeNotificationIsSymmetricAndFiresOnce) {
    TObjectPtr<TPart> x(Create<TPart>(nullptr, "x"));
    TPart* y = Create<TPart>(nullptr, "y");
    x->watched = y;
    x->FreeNotification(y);
    x->FreeNotification(y);
    g_events.clear();
    Free(y);
    EXPECT_EQ(g_events, (std::vector<std::string>{"x -y", "free y"}));
    EXPECT_EQ(x->watched, nullptr);

    // Subscribing the other way round works the same: y asked, x is told.
    TPart* z = Create<TPart>(nullptr, "z");
    z->FreeNotification(x.get());
    g_events.clear();
    Free(z);
    EXPECT_EQ(g_events, (std::vector<std::string>{"x -z", "free z"}));
}

TEST(Notification, RemovedSubscriptionStaysSilentAndDeadSubscriberIsForgotten) {
    TObjectPtr<TPart> x(Create<TPart>(nullptr, "x"));
    TPart* y = Create<TPart>(nullptr, "y");
    x->FreeNotification(y);
    y->RemoveFreeNotification(x.get());
    g_events.clear();
    Free(y);
    EXPECT_EQ(g_events, (std::vector<std::string>{"free y"}));

    // A subscriber destroyed first must not be called later.
    TPart* s = Create<TPart>(nullptr, "s");
    s->FreeNotification(x.get());
    Free(s);
    g_events.clear();
    x.reset();
    EXPECT_EQ(g_events, (std::vector<std::string>{"free x"}));
}

TEST(Notification, SubscriberIsToldWhileTheWholeObjectExists) {
    // The subscriber can still recognise the dying component's class.
    struct TProbe : TComponent {
        CLASSLIB_COMPONENT(TProbe, TComponent)
        explicit TProbe(TComponent* owner) : TComponent(owner) {}
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            if (op == opRemove) {
                sawPart = dynamic_cast<TPart*>(c) != nullptr;
                sawDestroying = c->ComponentState().Contains(csDestroying);
            }
        }
        bool sawPart = false;
        bool sawDestroying = false;
    };
    TObjectPtr<TProbe> probe(Create<TProbe>(nullptr));
    TPart* p = Create<TPart>(nullptr, "p");
    p->FreeNotification(probe.get());
    Free(p);
    EXPECT_TRUE(probe->sawPart);
    EXPECT_TRUE(probe->sawDestroying);
}

TEST(Notification, OwnedComponentFreedByAnotherDuringBroadcastIsSkipped) {
    struct TKiller : TPart {
        TKiller(TComponent* owner, std::string label) : TPart(owner, std::move(label)) {}
        void Notification(TComponent* c, TOperation op) override {
            TPart::Notification(c, op);
            if (op == opInsert && victim) {
                TPart* v = victim;
                victim = nullptr;
                Free(v);
            }
        }
        TPart* victim = nullptr;
    };
    TObjectPtr<TPart> owner(Create<TPart>(nullptr, "owner"));
    auto* killer = Create<TKiller>(owner.get(), "killer");
    killer->victim = Create<TPart>(owner.get(), "victim");
    g_events.clear();
    Create<TPart>(owner.get(), "new");
    // The victim is gone before its turn: it is not asked; its removal reaches the owner and the others (by
    // then it is a bare component, so it is seen without its label).
    EXPECT_EQ(g_events,
              (std::vector<std::string>{"owner +new", "killer +new", "free victim", "owner -", "killer -", "new -"}));
    EXPECT_EQ(owner->ComponentCount(), 2);
}

TEST(Names, ValidUniqueAndCaseInsensitive) {
    TObjectPtr<TComponent> owner(Create<TComponent>(nullptr));
    TComponent* a = Create<TComponent>(owner.get());
    TComponent* b = Create<TComponent>(owner.get());
    a->SetName("OpenButton");
    EXPECT_EQ(owner->FindComponent("openbutton"), a);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    EXPECT_EQ(owner->FindComponent("Missing"), nullptr);
    try {
        b->SetName("OPENBUTTON");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named OPENBUTTON already exists");
    }
    EXPECT_EQ(b->Name(), "");
    a->SetName("openButton");  // its own name in another case is no clash
    EXPECT_EQ(a->Name(), "openButton");
    for (const char* bad : {"1st", "with space", "dash-ed", "\xE9t\xE9"}) {
        EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
    }
    try {
        b->SetName("9");
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "\"9\" is not a valid component name");
    }
    b->SetName("_Save2");
    EXPECT_EQ(owner->FindComponent("_save2"), b);
    b->SetName("");
    EXPECT_EQ(owner->FindComponent("_save2"), nullptr);
    // Names of components without owner only need to be identifiers.
    TObjectPtr<TComponent> lone(Create<TComponent>(nullptr));
    Create<TComponent>(lone.get())->SetName("OpenButton");
    lone->SetName("OpenButton");  // its components' names are another scope
    lone->DestroyComponents();
    // Inserting a component whose name is taken fails and leaves it where it was.
    EXPECT_THROW(owner->InsertComponent(lone.get()), EComponentError);
    EXPECT_EQ(lone->Owner(), nullptr);
    EXPECT_EQ(owner->ComponentCount(), 2);
}

TEST(State, LoadingUpdatingAndDestroyingFlags) {
    TObjectPtr<TComponent> c(Create<TComponent>(nullptr));
    TComponent* child = Create<TComponent>(c.get());
    EXPECT_TRUE(c->ComponentState().Empty());
    c->Loading();
    EXPECT_TRUE(c->ComponentState().Contains(csLoading));
    c->Loaded();
    EXPECT_FALSE(c->ComponentState().Contains(csLoading));
    c->Updating();
    EXPECT_TRUE(c->ComponentState().Contains(csUpdating));
    c->Updated();
    c->IncludeState(csDesigning);  // there is no design time
    EXPECT_TRUE(c->ComponentState().Empty());
    c->Destroying();
    EXPECT_TRUE(child->ComponentState().Contains(csDestroying));
    c->SetTag(-7);
    c->SetDesignInfo(0x00200010);
    EXPECT_EQ(c->Tag(), -7);
    EXPECT_EQ(c->DesignInfo() & 0xFFFF, 0x10);
    EXPECT_EQ(c->DesignInfo() >> 16, 0x20);
}

TEST(Persistent, AssignWithoutSupportRaisesConvertError) {
    TObjectPtr<TComponent> a(Create<TComponent>(nullptr));
    TPersistent p;
    try {
        a->Assign(&p);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TComponent");
    }
    try {
        a->Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a nil to a TComponent");
    }
}

}  // namespace
