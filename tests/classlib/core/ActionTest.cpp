// Actions, action lists, action links and the application route.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/TActionLink.h"
#include "classlib/core/TCustomActionList.h"

namespace {

struct TClient : TComponent {
    explicit TClient(TComponent* owner) : TComponent(owner) {}
    AnsiString caption;
    bool enabled = true;
    std::vector<std::string> log;
    void Click(TObject* sender) { log.push_back("click"); }
};

// A client link that copies the action's caption and enabled state while the client still follows them.
class TClientLink : public TActionLink {
public:
    explicit TClientLink(TClient* client) : TActionLink(client), client_(client) {}
    bool IsCaptionLinked() override {
        return TActionLink::IsCaptionLinked() && client_->caption == CustomAction()->Caption();
    }
    void SetCaption(const AnsiString& value) override {
        if (IsCaptionLinked()) client_->caption = value;
    }
    void SetEnabled(bool value) override {
        if (IsEnabledLinked()) client_->enabled = value;
    }

private:
    TClient* client_;
};

struct THandlers {
    std::vector<std::string> log;
    TComponent* seenComponent = nullptr;
    TBasicAction* action = nullptr;
    bool handleInList = false;
    void Execute(TObject* sender) {
        log.push_back("execute");
        seenComponent = action ? action->ActionComponent() : nullptr;
    }
    void Update(TObject*) { log.push_back("update"); }
    void ListExecute(TBasicAction*, bool& handled) {
        log.push_back("list execute");
        handled = handleInList;
    }
    bool AppExecute(TBasicAction* a) {
        log.push_back("app execute " + a->ClassName());
        return true;
    }
    bool AppUpdate(TBasicAction*) {
        log.push_back("app update");
        return false;
    }
    void Hint(AnsiString& text, bool& canShow) {
        text += "!";
        canShow = text.size() < 4;
    }
};

class Actions : public ::testing::Test {
protected:
    void SetUp() override { owner = Create<TComponent>(nullptr); }
    void TearDown() override {
        Free(owner);
        SetApplicationActionRoutes(nullptr, nullptr);
    }
    TComponent* owner = nullptr;
    THandlers h;
};

TEST_F(Actions, ExecuteRunsOnExecuteWithTheClientAsActionComponent) {
    auto* action = Create<TAction>(owner);
    auto* client = Create<TClient>(owner);
    h.action = action;
    action->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    TClientLink link(client);
    link.SetAction(action);
    EXPECT_EQ(action->ClientCount(), 1);
    EXPECT_TRUE(link.Execute(client));
    EXPECT_EQ(h.seenComponent, client);
    EXPECT_EQ(action->ActionComponent(), nullptr);
    // Freeing the client while it is the action component clears it.
    action->SetActionComponent(client);
    Free(client);
    EXPECT_EQ(action->ActionComponent(), nullptr);
}

TEST_F(Actions, RunningAnActionKeepsTheClientsOwnFreeNotificationLink) {
    auto* action = Create<TAction>(owner);
    auto* client = Create<TClient>(owner);
    action->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    // A client that wants to hear of the action's destruction links itself to it.
    client->FreeNotification(action);
    TClientLink link(client);
    link.SetAction(action);
    EXPECT_TRUE(link.Execute(client));
    EXPECT_TRUE(client->HasFreeNotification(action));
    // Without a link of its own, the component's link made for the run goes with the run.
    auto* other = Create<TClient>(owner);
    action->SetActionComponent(other);
    action->SetActionComponent(nullptr);
    EXPECT_FALSE(other->HasFreeNotification(action));
}

TEST_F(Actions, WithoutHandlerTheApplicationRouteDecides) {
    auto* action = Create<THintAction>(owner);
    action->SetHint("Ready");
    EXPECT_FALSE(action->Execute());
    SetApplicationActionRoutes(MakeMethod<&THandlers::AppExecute>(&h), MakeMethod<&THandlers::AppUpdate>(&h));
    EXPECT_TRUE(action->Execute());
    EXPECT_FALSE(action->Update());
    // Execute updates first.
    EXPECT_EQ(h.log, (std::vector<std::string>{"app update", "app execute THintAction", "app update"}));
    h.log.clear();
    action->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    action->OnUpdate = MakeMethod<&THandlers::Update>(&h);
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(h.log, (std::vector<std::string>{"update", "execute"}));
}

TEST_F(Actions, ListHandlerComesFirstAndCanHandle) {
    auto* list = Create<TActionList>(owner);
    auto* action = Create<TAction>(owner);
    action->SetActionList(list);
    action->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    list->OnExecute = MakeMethod<&THandlers::ListExecute>(&h);
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(h.log, (std::vector<std::string>{"list execute", "execute"}));
    h.log.clear();
    h.handleInList = true;
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(h.log, (std::vector<std::string>{"list execute"}));
    h.log.clear();
    list->SetState(asSuspended);
    EXPECT_FALSE(action->Execute());
    EXPECT_TRUE(h.log.empty());
}

TEST_F(Actions, DisabledActionDoesNotRunAndAutoCheckToggles) {
    auto* action = Create<TAction>(owner);
    action->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    action->SetEnabled(false);
    EXPECT_FALSE(action->Execute());
    EXPECT_TRUE(h.log.empty());
    action->SetEnabled(true);
    action->SetAutoCheck(true);
    EXPECT_TRUE(action->Execute());
    EXPECT_TRUE(action->Checked());
    EXPECT_TRUE(action->Execute());
    EXPECT_FALSE(action->Checked());
    // In a radio group a click only ever checks.
    action->SetGroupIndex(3);
    EXPECT_TRUE(action->Execute());
    EXPECT_TRUE(action->Execute());
    EXPECT_TRUE(action->Checked());
}

TEST_F(Actions, CheckingOneOfAGroupUnchecksTheOthers) {
    auto* list = Create<TActionList>(owner);
    std::vector<TAction*> a;
    for (int i = 0; i < 4; ++i) {
        a.push_back(Create<TAction>(owner));
        a[i]->SetActionList(list);
        a[i]->SetGroupIndex(i < 3 ? 1 : 0);
    }
    a[3]->SetChecked(true);
    a[0]->SetChecked(true);
    a[1]->SetChecked(true);
    EXPECT_FALSE(a[0]->Checked());
    EXPECT_TRUE(a[1]->Checked());
    EXPECT_FALSE(a[2]->Checked());
    EXPECT_TRUE(a[3]->Checked());  // group 0 is independent
    // A checked action that joins a group with a checked member gives way.
    a[3]->SetGroupIndex(1);
    EXPECT_FALSE(a[3]->Checked());
    EXPECT_TRUE(a[1]->Checked());
}

TEST_F(Actions, LinkedClientsFollowOnlyWhileTheirValueIsTheActions) {
    auto* action = Create<TAction>(owner);
    auto* followed = Create<TClient>(owner);
    auto* edited = Create<TClient>(owner);
    TClientLink l1(followed), l2(edited);
    l1.SetAction(action);
    l2.SetAction(action);
    // Both clients still show the action's (empty) caption, so both follow.
    action->SetCaption("Open");
    EXPECT_EQ(followed->caption, "Open");
    EXPECT_EQ(edited->caption, "Open");
    edited->caption = "Mine";
    action->SetCaption("&Open...");
    EXPECT_EQ(followed->caption, "&Open...");
    EXPECT_EQ(edited->caption, "Mine");
    action->SetEnabled(false);
    EXPECT_FALSE(followed->enabled);
    EXPECT_FALSE(edited->enabled);
    // Freeing the action detaches the links.
    Free(action);
    EXPECT_EQ(l1.Action(), nullptr);
    EXPECT_FALSE(l1.Execute());
    EXPECT_FALSE(l1.IsCaptionLinked());
}

TEST_F(Actions, LinkMovesBetweenActionsAndDyingLinkLeaves) {
    auto* a = Create<TAction>(owner);
    auto* b = Create<TAction>(owner);
    {
        TActionLink link(nullptr);
        link.SetAction(a);
        link.SetAction(b);
        EXPECT_EQ(a->ClientCount(), 0);
        EXPECT_EQ(b->ClientCount(), 1);
        EXPECT_EQ(b->Clients(0), &link);
        EXPECT_TRUE(link.IsHintLinked());
        EXPECT_TRUE(link.IsOnExecuteLinked());
    }
    EXPECT_EQ(b->ClientCount(), 0);
    EXPECT_THROW(b->Clients(0), EListError);
    // A client creates its link through a class reference.
    TActionLinkClass linkClass = TActionLinkClass::Of<TActionLink>();
    TObjectPtr<TActionLink> made(linkClass.Create(owner));
    made->SetAction(a);
    EXPECT_EQ(a->Clients(0), made.get());
}

TEST_F(Actions, ListOrderShortcutsAndLifetime) {
    auto* list = Create<TActionList>(owner);
    auto* open = Create<TAction>(owner);
    auto* save = Create<TAction>(owner);
    auto* other = Create<TAction>(nullptr);
    open->SetActionList(list);
    save->SetActionList(list);
    other->SetActionList(list);
    EXPECT_EQ(list->ActionCount(), 3);
    EXPECT_EQ(save->Index(), 1);
    save->SetIndex(0);
    EXPECT_EQ(list->Actions(0), save);
    EXPECT_EQ(open->GetParentComponent(), list);
    std::vector<TComponent*> children;
    struct Collect {
        std::vector<TComponent*>* out;
        void Add(TComponent* c) { out->push_back(c); }
    } collect{&children};
    list->GetChildren(MakeMethod<&Collect::Add>(&collect), owner);
    EXPECT_EQ(children, (std::vector<TComponent*>{save, open}));
    Free(other);
    EXPECT_EQ(list->ActionCount(), 2);

    open->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    open->SetShortCut(ShortCut('O', {ssCtrl}));
    EXPECT_TRUE(list->IsShortCut(16463));
    EXPECT_FALSE(list->IsShortCut(ShortCut('O', {ssCtrl, ssShift})));
    open->SetEnabled(false);
    EXPECT_FALSE(list->IsShortCut(16463));
    EXPECT_EQ(h.log.size(), 1u);

    Free(list);
    EXPECT_EQ(open->ActionList(), nullptr);
    EXPECT_EQ(open->Index(), -1);
}

TEST_F(Actions, HintAndAssign) {
    auto* a = Create<TAction>(owner);
    AnsiString text = "Hi";
    EXPECT_TRUE(a->DoHint(text));
    a->OnHint = MakeMethod<&THandlers::Hint>(&h);
    EXPECT_TRUE(a->DoHint(text));
    EXPECT_EQ(text, "Hi!");
    EXPECT_FALSE(a->DoHint(text));
    a->SetCaption("Save");
    a->SetShortCut(16464);
    a->SetImageIndex(4);
    a->OnExecute = MakeMethod<&THandlers::Execute>(&h);
    auto* b = Create<TAction>(owner);
    b->Assign(a);
    EXPECT_EQ(b->Caption(), "Save");
    EXPECT_EQ(b->ShortCut(), 16464);
    EXPECT_EQ(b->ImageIndex(), 4);
    EXPECT_EQ(b->OnExecute, a->OnExecute);
    EXPECT_THROW(b->Assign(owner), EConvertError);
}

}  // namespace
