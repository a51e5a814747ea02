// Menu items linked to actions: the item takes the action's values, follows later changes of the values it
// has not changed itself (and its native entry with it), executes the action when clicked, updates through
// it, and lets go of an action that is freed.
#include "tests/classlib/gui/MenuTestHelpers.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/win/TMenuActionLink.h"

using namespace menutest;

namespace {

struct ActionLog : TObject {
    int executed = 0;
    int updated = 0;
    TObject* sender = nullptr;
    TComponent* component = nullptr;
    bool disableOnUpdate = false;
    void Execute(TObject* s) {
        ++executed;
        sender = s;
        if (auto* action = dynamic_cast<TBasicAction*>(s)) component = action->ActionComponent();
    }
    void Update(TObject* s) {
        ++updated;
        if (disableOnUpdate) static_cast<TCustomAction*>(s)->SetEnabled(false);
    }
};

class MenuAction : public MenuFixture {
protected:
    TAction* NewAction() {
        TAction* action = Create<TAction>(Owner());
        action->SetCaption("&Print");
        action->SetHint("Print|Prints the picture");
        action->SetShortCut(16464);
        action->SetImageIndex(3);
        action->SetChecked(true);
        action->OnExecute = MakeMethod<&ActionLog::Execute>(&log);
        action->OnUpdate = MakeMethod<&ActionLog::Update>(&log);
        return action;
    }
    ActionLog log;
};

}  // namespace

TEST_F(MenuAction, TheItemTakesAndFollowsTheActionsValues) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "");
    TAction* action = NewAction();
    item->SetAction(action);
    EXPECT_TRUE(item->ActionLink()->Is<TMenuActionLink>());
    EXPECT_EQ(item->Caption(), "&Print");
    EXPECT_EQ(item->Hint(), "Print|Prints the picture");
    EXPECT_EQ(item->ShortCut(), 16464);
    EXPECT_EQ(item->ImageIndex(), 3);
    EXPECT_TRUE(item->Checked());
    EXPECT_TRUE(item->OnClick == action->OnExecute);

    const HMENU h = menu->Handle();
    EXPECT_EQ(EntryText(h, 0), "&Print\tCtrl+P");
    action->SetCaption("&Print...");
    action->SetEnabled(false);
    action->SetChecked(false);
    EXPECT_EQ(item->Caption(), "&Print...");
    EXPECT_FALSE(item->Enabled());
    EXPECT_FALSE(item->Checked());
    EXPECT_EQ(EntryText(h, 0), "&Print...\tCtrl+P");
    EXPECT_TRUE(EntryInfo(h, 0).fState & MFS_DISABLED);
    EXPECT_FALSE(EntryInfo(h, 0).fState & MFS_CHECKED);

    // A value the item changed itself no longer follows; the others still do.
    item->SetCaption("Own caption");
    action->SetCaption("Action caption");
    action->SetEnabled(true);
    EXPECT_EQ(item->Caption(), "Own caption");
    EXPECT_TRUE(item->Enabled());
    action->SetVisible(false);
    EXPECT_FALSE(item->Visible());
    EXPECT_EQ(::GetMenuItemCount(h), 0);
}

TEST_F(MenuAction, ClickingExecutesTheActionUnlessTheItemHasAHandlerOfItsOwn) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "");
    TAction* action = NewAction();
    item->SetAction(action);
    EXPECT_TRUE(menu->DispatchCommand(item->Command()));
    EXPECT_EQ(log.executed, 1);
    EXPECT_EQ(log.sender, action);
    EXPECT_EQ(log.component, item) << "the action knows which client fired it";
    EXPECT_EQ(action->ActionComponent(), nullptr);

    ClickLog own;
    item->OnClick = own.Handler();
    item->Click();
    EXPECT_EQ(own.count, 1);
    EXPECT_EQ(log.executed, 1);

    // Replacing the action's handler does not overwrite the item's own one.
    ActionLog other;
    action->SetOnExecute(MakeMethod<&ActionLog::Execute>(&other));
    EXPECT_TRUE(item->OnClick == own.Handler());
}

TEST_F(MenuAction, UpdatesRunThroughTheActionBeforeShortcutsAndSubmenus) {
    TMainMenu* menu = Create<TMainMenu>(Owner());
    TMenuItem* file = NewItem(menu->Items(), "File");
    TMenuItem* print = NewItem(file, "");
    TAction* action = NewAction();
    print->SetAction(action);

    print->InitiateAction();
    EXPECT_EQ(log.updated, 1);
    EXPECT_TRUE(menu->DispatchPopup(file->Handle()));
    EXPECT_EQ(log.updated, 2);
    // The idle update of a menu reaches the bar's own items, not those of closed submenus.
    TMenuItem* onBar = NewItem(menu->Items(), "");
    ActionLog barLog;
    TAction* barAction = Create<TAction>(Owner());
    barAction->OnUpdate = MakeMethod<&ActionLog::Update>(&barLog);
    onBar->SetAction(barAction);
    menu->Items()->InitiateAction();
    EXPECT_EQ(barLog.updated, 1);
    EXPECT_EQ(log.updated, 2);

    // The update disables the action: the shortcut finds the item disabled and does nothing.
    log.disableOnUpdate = true;
    BYTE saved[256], state[256] = {};
    ::GetKeyboardState(saved);
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    TMessage key;
    key.Msg = WM_KEYDOWN;
    key.WParam = 'P';
    const bool handled = menu->IsShortCut(key);
    ::SetKeyboardState(saved);
    EXPECT_FALSE(handled);
    EXPECT_EQ(log.updated, 3);
    EXPECT_EQ(log.executed, 0);
    EXPECT_FALSE(print->Enabled());
}

TEST_F(MenuAction, AFreedActionLeavesTheItemAndLoadingKeepsTheItemsOwnValues) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "");
    TAction* action = NewAction();
    item->SetAction(action);
    Free(action);
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(item->Caption(), "&Print");
    // The item keeps the handler it took over from the action; clicking runs it with the item as sender.
    item->Click();
    EXPECT_EQ(log.executed, 1);
    EXPECT_EQ(log.sender, item);

    // Values set before loading finished win over the action's where they differ from the defaults.
    TMenuItem* loaded = Create<TMenuItem>(Owner());
    loaded->Loading();
    loaded->SetCaption("Mine");
    TAction* second = NewAction();
    loaded->SetAction(second);
    loaded->Loaded();
    EXPECT_EQ(loaded->Caption(), "Mine");
    EXPECT_EQ(loaded->ShortCut(), 16464);
    EXPECT_EQ(loaded->Hint(), "Print|Prints the picture");

    loaded->SetAction(nullptr);
    EXPECT_EQ(loaded->ActionLink(), nullptr);
    EXPECT_EQ(second->ClientCount(), 0);
    Free(loaded);
}
