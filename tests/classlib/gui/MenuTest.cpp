// Menus: the native menu built from the item tree and kept in step with it, command ids, finding items,
// shortcuts, submenu preparation, the menu bar on a window, and owner drawing.
#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "tests/classlib/gui/MenuTestHelpers.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TCustomImageList.h"

using namespace menutest;

namespace {

// Sets the listed keys down in the thread's keyboard state for the life of the object.
class KeysDown {
public:
    explicit KeysDown(std::initializer_list<int> keys) {
        ::GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof(state));
        for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) state[key] = 0;
        for (int key : keys) state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    ~KeysDown() { ::SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

TMessage KeyDown(WPARAM key, bool alt = false) {
    TMessage m;
    m.Msg = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    m.WParam = key;
    m.LParam = alt ? (1 << 29) : 0;
    return m;
}

class Menu : public MenuFixture {};

}  // namespace

TEST_F(Menu, TheNativeMenuMirrorsTheTreeWithStatesAndShortcutTexts) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* file = NewItem(menu->Items(), "&File");
    TMenuItem* open = NewItem(file, "&Open", ShortCut('O', {ssCtrl}));
    NewItem(file, "-");
    TMenuItem* exit = NewItem(file, "E&xit");
    exit->SetEnabled(false);
    TMenuItem* view = NewItem(menu->Items(), "&View");
    TMenuItem* grid = NewItem(view, "Grid");
    grid->SetChecked(true);
    grid->SetRadioItem(true);
    NewItem(view, "Hidden")->SetVisible(false);
    TMenuItem* ruler = NewItem(view, "Ruler");
    ruler->SetDefault(true);

    const HMENU top = menu->Handle();
    ASSERT_EQ(::GetMenuItemCount(top), 2);
    EXPECT_EQ(::GetSubMenu(top, 0), file->Handle());
    EXPECT_EQ(EntryText(top, 1), "&View");

    const HMENU fileMenu = file->Handle();
    ASSERT_EQ(::GetMenuItemCount(fileMenu), 3);
    EXPECT_EQ(EntryText(fileMenu, 0), "&Open\tCtrl+O");
    EXPECT_EQ(EntryInfo(fileMenu, 0).wID, open->Command());
    EXPECT_TRUE(EntryInfo(fileMenu, 1).fType & MFT_SEPARATOR);
    EXPECT_TRUE(EntryInfo(fileMenu, 2).fState & MFS_DISABLED);
    EXPECT_FALSE(EntryInfo(fileMenu, 0).fState & MFS_DISABLED);

    // The hidden item has no entry.
    const HMENU viewMenu = view->Handle();
    ASSERT_EQ(::GetMenuItemCount(viewMenu), 2);
    EXPECT_TRUE(EntryInfo(viewMenu, 0).fState & MFS_CHECKED);
    EXPECT_TRUE(EntryInfo(viewMenu, 0).fType & MFT_RADIOCHECK);
    EXPECT_EQ(EntryText(viewMenu, 1), "Ruler");
    EXPECT_TRUE(EntryInfo(viewMenu, 1).fState & MFS_DEFAULT);
}

TEST_F(Menu, ChangesAfterCreationReachTheRightNativeEntry) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* a = NewItem(menu->Items(), "A");
    TMenuItem* b = NewItem(menu->Items(), "B");
    TMenuItem* c = NewItem(menu->Items(), "C");
    const HMENU h = menu->Handle();

    // With A hidden, C's entry is the second one: its change must land there and not on B.
    a->SetVisible(false);
    ASSERT_EQ(::GetMenuItemCount(h), 2);
    c->SetCaption("C2");
    c->SetShortCut(ShortCut('D', {ssCtrl, ssShift}));
    EXPECT_EQ(EntryText(h, 0), "B");
    EXPECT_EQ(EntryText(h, 1), "C2\tShift+Ctrl+D");
    b->SetEnabled(false);
    EXPECT_TRUE(EntryInfo(h, 0).fState & MFS_DISABLED);
    c->SetCaption("-");
    EXPECT_TRUE(EntryInfo(h, 1).fType & MFT_SEPARATOR);

    a->SetVisible(true);
    ASSERT_EQ(::GetMenuItemCount(h), 3);
    EXPECT_EQ(EntryText(h, 0), "A");

    // A leaf that gets a child becomes a submenu entry, and back.
    TMenuItem* child = NewItem(a, "Child");
    EXPECT_EQ(EntryInfo(h, 0).hSubMenu, a->Handle());
    EXPECT_EQ(::GetMenuItemCount(a->Handle()), 1);
    a->Remove(child);
    EXPECT_EQ(EntryInfo(h, 0).hSubMenu, nullptr);
    EXPECT_EQ(child->Parent(), nullptr);

    // Moving and deleting.
    a->SetMenuIndex(2);
    EXPECT_EQ(a->MenuIndex(), 2);
    EXPECT_EQ(EntryText(h, 2), "A");
    EXPECT_EQ(EntryText(h, 0), "B");
    menu->Items()->Delete(0);
    EXPECT_EQ(::GetMenuItemCount(h), 2);
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(b->Owner(), Owner());
}

TEST_F(Menu, TheTreeRefusesBadInsertionsAndFindsCaptionsWithoutHotkeys) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* parent = NewItem(menu->Items(), "&Save &As");
    TMenuItem* child = NewItem(parent, "Fish && &Chips");
    EXPECT_THROW(menu->Items()->Add(child), EMenuError);
    EXPECT_THROW(child->Add(parent), EMenuError) << "a parent cannot go below its own child";
    EXPECT_THROW(child->Add(nullptr), EMenuError);
    EXPECT_THROW(parent->Insert(5, NewItem(nullptr, "x")), EMenuError);
    EXPECT_THROW(parent->Items(1), EMenuError);
    EXPECT_THROW(parent->Delete(-1), EMenuError);
    EXPECT_THROW(parent->SetGroupIndex(256), ERangeError);

    EXPECT_EQ(StripHotkey("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(menu->Items()->Find("save as"), parent);
    EXPECT_EQ(parent->Find("FISH && CHIPS"), child);
    EXPECT_EQ(parent->Find("Fish"), nullptr);
    EXPECT_EQ(child->GetParentMenu(), menu);
    EXPECT_EQ(parent->GetParentComponent(), menu);
    EXPECT_EQ(child->GetParentComponent(), parent);
}

TEST_F(Menu, FreeingItemsAndMenusLeavesNoDanglingEntries) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* sub = NewItem(menu->Items(), "Sub");
    TMenuItem* leaf = NewItem(sub, "Leaf");
    NewItem(menu->Items(), "After");
    const HMENU h = menu->Handle();
    const int ownedBefore = Owner()->ComponentCount();

    Free(leaf);
    EXPECT_EQ(sub->Count(), 0);
    EXPECT_EQ(EntryInfo(h, 0).hSubMenu, nullptr);
    Free(sub);
    EXPECT_EQ(::GetMenuItemCount(h), 1);
    EXPECT_EQ(EntryText(h, 0), "After");
    EXPECT_EQ(Owner()->ComponentCount(), ownedBefore - 2);

    // A submenu's items go with it, and their owner forgets them.
    TMenuItem* sub2 = NewItem(menu->Items(), "Sub2");
    NewItem(sub2, "x");
    NewItem(sub2, "y");
    const HMENU subHandle = sub2->Handle();
    sub2->Clear();
    EXPECT_EQ(sub2->Count(), 0);
    EXPECT_TRUE(::IsMenu(subHandle));
    Free(menu);
    EXPECT_FALSE(::IsMenu(h));
    EXPECT_EQ(Owner()->ComponentCount(), 0);
}

TEST_F(Menu, CommandIdsAreUniqueAndItemsAreFoundByCommandHandleAndShortcut) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    std::set<int> ids;
    TMenuItem* sub = NewItem(menu->Items(), "Sub");
    for (int i = 0; i < 300; ++i) {
        TMenuItem* item = NewItem(sub, "item");
        EXPECT_NE(item->Command(), 0);
        ids.insert(item->Command());
    }
    ids.insert(sub->Command());
    EXPECT_EQ(ids.size(), 301u);

    TMenuItem* deep = NewItem(NewItem(sub, "Deeper"), "Deep", ShortCut('O', {ssCtrl}));
    EXPECT_EQ(menu->FindItem(deep->Command(), fkCommand), deep);
    EXPECT_EQ(menu->FindItem(16463, fkShortCut), deep);
    EXPECT_EQ(menu->FindItemByHandle(sub->Handle()), sub);
    EXPECT_EQ(menu->FindItem(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(sub->Handle())), fkHandle), sub);
    EXPECT_EQ(menu->FindItemByHandle(menu->Handle()), menu->Items());
    EXPECT_EQ(menu->FindItem(24644, fkShortCut), nullptr);

    // A freed item's id is not handed straight out again.
    const std::uint16_t freed = deep->Command();
    Free(deep);
    TMenuItem* next = NewItem(sub, "Next");
    EXPECT_NE(next->Command(), freed);
    EXPECT_EQ(menu->FindItem(freed, fkCommand), nullptr);
}

TEST_F(Menu, RadioItemsOfOneGroupExcludeEachOther) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    auto radio = [&](const char* caption, int group) {
        TMenuItem* item = NewItem(menu->Items(), caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(group);
        return item;
    };
    TMenuItem* a = radio("a", 1);
    TMenuItem* b = radio("b", 1);
    TMenuItem* other = radio("other", 2);
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_FALSE(EntryInfo(menu->Handle(), 0).fState & MFS_CHECKED);
    EXPECT_TRUE(EntryInfo(menu->Handle(), 1).fState & MFS_CHECKED);
}

TEST_F(Menu, CommandsClickEnabledItemsOnly) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "Item");
    ClickLog log;
    item->OnClick = log.Handler();
    EXPECT_TRUE(menu->DispatchCommand(item->Command()));
    EXPECT_EQ(log.count, 1);
    EXPECT_EQ(log.sender, item);
    item->SetEnabled(false);
    // A command still queued for an item disabled meanwhile runs nothing.
    EXPECT_TRUE(menu->DispatchCommand(item->Command()));
    EXPECT_EQ(log.count, 1);
    EXPECT_FALSE(menu->DispatchCommand(0));
}

TEST_F(Menu, ShortcutsClickTheFirstEnabledItemWithThatKey) {
    TMainMenu* menu = Create<TMainMenu>(Owner());
    TMenuItem* file = NewItem(menu->Items(), "File");
    TMenuItem* disabled = NewItem(file, "Open (off)", 16463);
    disabled->SetEnabled(false);
    TMenuItem* lockedSub = NewItem(file, "Locked");
    lockedSub->SetEnabled(false);
    TMenuItem* insideLocked = NewItem(lockedSub, "Open (locked)", 16463);
    TMenuItem* open = NewItem(file, "Open", 16463);
    TMenuItem* altX = NewItem(file, "Exit", ShortCut('X', {ssAlt}));
    ClickLog offLog, lockedLog, openLog, altLog;
    disabled->OnClick = offLog.Handler();
    insideLocked->OnClick = lockedLog.Handler();
    open->OnClick = openLog.Handler();
    altX->OnClick = altLog.Handler();

    {
        KeysDown ctrl{VK_CONTROL};
        TMessage m = KeyDown('O');
        EXPECT_TRUE(menu->IsShortCut(m));
        TMessage shifted = KeyDown('P');
        EXPECT_FALSE(menu->IsShortCut(shifted));
    }
    EXPECT_EQ(openLog.count, 1);
    EXPECT_EQ(offLog.count, 0);
    EXPECT_EQ(lockedLog.count, 0);
    {
        KeysDown none{};
        TMessage plain = KeyDown('O');
        EXPECT_FALSE(menu->IsShortCut(plain)) << "O without Ctrl is no shortcut";
        TMessage alt = KeyDown('X', true);
        EXPECT_TRUE(menu->IsShortCut(alt));
    }
    EXPECT_EQ(altLog.count, 1);
    EXPECT_EQ(openLog.count, 1);

    open->SetEnabled(false);
    KeysDown ctrl{VK_CONTROL};
    TMessage m = KeyDown('O');
    EXPECT_FALSE(menu->IsShortCut(m));
}

TEST_F(Menu, OpeningASubmenuLetsItsItemsUpdateAndFiresTheSubmenuHandler) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* recent = NewItem(menu->Items(), "Recent");
    NewItem(recent, "placeholder");
    ClickLog log;
    recent->OnClick = log.Handler();
    EXPECT_TRUE(menu->DispatchPopup(recent->Handle()));
    EXPECT_EQ(log.count, 1);
    EXPECT_FALSE(menu->DispatchPopup(nullptr));
    HMENU foreign = ::CreatePopupMenu();
    EXPECT_FALSE(menu->DispatchPopup(foreign));
    ::DestroyMenu(foreign);
}

TEST_F(Menu, TheMainMenuSitsOnItsWindowAndSurvivesTheWindow) {
    TMainMenu* menu = Create<TMainMenu>(Owner());
    TMenuItem* file = NewItem(menu->Items(), "&File");
    NewItem(file, "&Open", 16463);
    NewItem(menu->Items(), "&Help", 16463);  // no shortcut text on the bar

    HWND wnd = ::CreateWindowExA(0, "STATIC", "menu test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(wnd, nullptr);
    menu->SetWindowHandle(wnd);
    EXPECT_EQ(::GetMenu(wnd), menu->Handle());
    EXPECT_EQ(EntryText(menu->Handle(), 1), "&Help");
    EXPECT_EQ(EntryText(file->Handle(), 0), "&Open\tCtrl+O");
    EXPECT_EQ(menu->SelectedItem(MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu->Handle())), file);
    EXPECT_EQ(menu->SelectedItem(MAKEWPARAM(file->Items(0)->Command(), 0), reinterpret_cast<LPARAM>(file->Handle())),
              file->Items(0));
    EXPECT_EQ(menu->SelectedItem(MAKEWPARAM(0, 0xFFFF), 0), nullptr);
    NewItem(menu->Items(), "&Tools");
    EXPECT_EQ(::GetMenuItemCount(::GetMenu(wnd)), 3);

    // Detached before the window goes: the native menu outlives it.
    const HMENU h = menu->Handle();
    menu->SetWindowHandle(nullptr);
    EXPECT_EQ(::GetMenu(wnd), nullptr);
    ::DestroyWindow(wnd);
    EXPECT_TRUE(::IsMenu(h));

    // Freed while attached: the window is left without it.
    HWND second = ::CreateWindowExA(0, "STATIC", "menu test 2", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(second, nullptr);
    menu->SetWindowHandle(second);
    Free(menu);
    EXPECT_EQ(::GetMenu(second), nullptr);
    EXPECT_FALSE(::IsMenu(h));
    ::DestroyWindow(second);
}

namespace {

struct DrawLog : TObject {
    int measured = 0;
    TOwnerDrawState state;
    TRect rect;
    void Measure(TObject*, TCanvas*, int& width, int& height) {
        ++measured;
        width += 7;
        height = 30;
    }
    void Draw(TObject*, TCanvas* canvas, TRect r, TOwnerDrawState s) {
        state = s;
        rect = r;
        canvas->Brush()->SetColor(clRed);
        canvas->FillRect(r);
    }
};

}  // namespace

TEST_F(Menu, OwnerDrawnItemsMeasureAndDrawThemselves) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "A rather long caption", 16463);
    TMenuItem* sep = NewItem(menu->Items(), "-");
    const HMENU h = menu->Handle();
    EXPECT_FALSE(EntryInfo(h, 0).fType & MFT_OWNERDRAW);
    menu->SetOwnerDraw(true);
    EXPECT_TRUE(EntryInfo(h, 0).fType & MFT_OWNERDRAW);
    EXPECT_TRUE(EntryInfo(h, 1).fType & MFT_SEPARATOR);

    // The default measure: wider for a longer caption and for the shortcut text.
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = item->Command();
    ASSERT_TRUE(menu->DispatchMeasureItem(measure));
    const UINT longWidth = measure.itemWidth;
    EXPECT_GT(measure.itemHeight, 0u);
    item->SetShortCut(0);
    ASSERT_TRUE(menu->DispatchMeasureItem(measure));
    EXPECT_LT(measure.itemWidth, longWidth);
    item->SetCaption("A");
    ASSERT_TRUE(menu->DispatchMeasureItem(measure));
    const UINT shortWidth = measure.itemWidth;
    EXPECT_GT(shortWidth, 16u) << "room for the check column";

    // The item's own handler corrects the default.
    DrawLog log;
    item->OnMeasureItem = MakeMethod<&DrawLog::Measure>(&log);
    ASSERT_TRUE(menu->DispatchMeasureItem(measure));
    EXPECT_EQ(log.measured, 1);
    EXPECT_EQ(measure.itemWidth, shortWidth + 7);
    EXPECT_EQ(measure.itemHeight, 30u);

    // Default drawing of a selected item fills it with the highlight colour; the handler takes over when set.
    graphicstest::Surface dc(100, 20);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item->Command();
    draw.itemState = ODS_SELECTED | ODS_CHECKED;
    draw.hDC = dc.Dc();
    draw.rcItem = RECT{0, 0, 100, 20};
    ASSERT_TRUE(menu->DispatchDrawItem(draw));
    EXPECT_EQ(dc.At(98, 1), static_cast<COLORREF>(ColorToRGB(clHighlight)));
    item->OnAdvancedDrawItem = MakeMethod<&DrawLog::Draw>(&log);
    ASSERT_TRUE(menu->DispatchDrawItem(draw));
    EXPECT_EQ(dc.At(98, 1), RGB(255, 0, 0));
    EXPECT_TRUE(log.state.Contains(odSelected));
    EXPECT_TRUE(log.state.Contains(odChecked));
    EXPECT_FALSE(log.state.Contains(odDisabled));
    EXPECT_EQ(log.rect, Rect(0, 0, 100, 20));

    // Entries of other menus and other controls are not this menu's.
    draw.CtlType = ODT_BUTTON;
    EXPECT_FALSE(menu->DispatchDrawItem(draw));
    draw.CtlType = ODT_MENU;
    draw.itemID = sep->Command() + 1000;
    EXPECT_FALSE(menu->DispatchDrawItem(draw));
    menu->SetOwnerDraw(false);
    EXPECT_FALSE(EntryInfo(h, 0).fType & MFT_OWNERDRAW);
}

TEST_F(Menu, ImagesMakeTheMenuOwnerDrawnUntilTheListIsFreed) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "Picture");
    item->SetImageIndex(0);
    const HMENU h = menu->Handle();

    TImageList* images = Create<TImageList>(Owner());
    images->SetHeight(24);
    auto red = MakeObject<TBitmap>();
    red->SetSize(16, 24);
    red->Canvas()->Brush()->SetColor(clRed);
    red->Canvas()->FillRect(Rect(0, 0, 16, 24));
    ASSERT_EQ(images->AddMasked(red.get(), clFuchsia), 0);
    menu->SetImages(images);
    EXPECT_TRUE(EntryInfo(h, 0).fType & MFT_OWNERDRAW);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = item->Command();
    ASSERT_TRUE(menu->DispatchMeasureItem(measure));
    EXPECT_GE(measure.itemHeight, 28u) << "the image's height and a margin";

    // The image sits in the column at the left; the caption starts after it.
    graphicstest::Surface dc(120, 28);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item->Command();
    draw.hDC = dc.Dc();
    draw.rcItem = RECT{0, 0, 120, 28};
    ASSERT_TRUE(menu->DispatchDrawItem(draw));
    EXPECT_EQ(dc.At(8, 14), RGB(255, 0, 0));
    EXPECT_EQ(dc.At(118, 2), static_cast<COLORREF>(ColorToRGB(clMenu)));

    Free(images);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_FALSE(EntryInfo(h, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(EntryText(h, 0), "Picture");
}
