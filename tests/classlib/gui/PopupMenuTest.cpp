// Popup menus and the popup list: registration, the traffic of the list's window (commands, submenu
// openings, selection hints), a real tracked popup driven by keys, and replacing the list.
#include <algorithm>
#include <vector>

// The application's header first: it brings TColor.h in ahead of the system headers' colour macros.
#include "classlib/win/TApplication.h"

#include "tests/classlib/gui/GraphicsTestSupport.h"
#include "tests/classlib/gui/MenuTestHelpers.h"
#include "classlib/core/CallbackExceptions.h"

using namespace menutest;

namespace {

class RecordingPopupList : public TPopupList {
public:
    std::vector<UINT> seen;
    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }

protected:
    void WndProc(TMessage& message) override {
        seen.push_back(message.Msg);
        TPopupList::WndProc(message);
    }
};

// Installs a recording list for the life of the object and puts the previous one back afterwards.
class ReplacedPopupList {
public:
    ReplacedPopupList() : list_(Create<RecordingPopupList>()), previous_(SetPopupList(list_)) {}
    ~ReplacedPopupList() {
        SetPopupList(previous_);
        Free(list_);
    }
    RecordingPopupList* List() const { return list_; }
    TPopupList* Previous() const { return previous_; }

private:
    RecordingPopupList* list_;
    TPopupList* previous_;
};

// Keys posted to the thread from a timer while a popup menu is being tracked (the menu loop reads the
// thread's keyboard messages).
std::vector<WPARAM> g_keys;
bool g_endMenu = false;
int g_ticks = 0;

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ++g_ticks;
    ::KillTimer(nullptr, id);
    if (g_endMenu) {
        ::EndMenu();
        return;
    }
    HWND target = ::FindWindowA("#32768", nullptr);
    if (!target) target = PopupList->Window();
    for (WPARAM key : g_keys) ::PostMessageA(target, WM_KEYDOWN, key, 1);
}

UINT_PTR StartDriving(std::vector<WPARAM> keys, bool endMenu) {
    g_keys = std::move(keys);
    g_endMenu = endMenu;
    g_ticks = 0;
    return ::SetTimer(nullptr, 0, 100, &DriveMenu);
}

struct PopupLog : TObject {
    int popups = 0;
    TPoint point;
    void Popup(TObject* sender) {
        ++popups;
        point = static_cast<TPopupMenu*>(sender)->PopupPoint();
    }
};

struct ThrowingClick : TObject {
    void Click(TObject*) { throw EMenuError("click failed"); }
};

struct ExceptionLog : TObject {
    int count = 0;
    void Handle(TObject*) { ++count; }
};

// With the application: the selection hint goes to it.
class PopupMenu : public MenuFixture {
protected:
    void SetUp() override {
        RegisterFormsUnit();
        MenuFixture::SetUp();
    }
};

}  // namespace

TEST_F(PopupMenu, PopupMenusJoinTheListAndLeaveItWhenFreed) {
    const int before = PopupList->Count();
    TPopupMenu* a = Create<TPopupMenu>(Owner());
    TPopupMenu* b = Create<TPopupMenu>(Owner());
    ASSERT_EQ(PopupList->Count(), before + 2);
    EXPECT_EQ(PopupList->Items(before), a);
    EXPECT_EQ(PopupList->Items(before + 1), b);
    EXPECT_THROW(PopupList->Items(before + 2), EListError);
    Free(a);
    EXPECT_EQ(PopupList->Count(), before + 1);
    EXPECT_EQ(PopupList->Items(before), b);
    TMainMenu* main = Create<TMainMenu>(Owner());
    EXPECT_EQ(PopupList->Count(), before + 1) << "main menus do not join";
    Free(main);
}

TEST_F(PopupMenu, TheListsWindowCarriesCommandsAndCatchesHandlerErrors) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "Item");
    ClickLog log;
    item->OnClick = log.Handler();
    HWND wnd = PopupList->Window();
    ASSERT_TRUE(::IsWindow(wnd));
    EXPECT_EQ(PopupList->Window(), wnd);

    ::SendMessageA(wnd, WM_COMMAND, item->Command(), 0);
    EXPECT_EQ(log.count, 1);
    // A control notification (non-zero code or a control window) is no menu command.
    ::SendMessageA(wnd, WM_COMMAND, MAKEWPARAM(item->Command(), 1), 0);
    EXPECT_EQ(log.count, 1);

    ThrowingClick thrower;
    ExceptionLog errors;
    item->OnClick = MakeMethod<&ThrowingClick::Click>(&thrower);
    const TCallbackExceptionHandler saved = SetCallbackExceptionHandler(MakeMethod<&ExceptionLog::Handle>(&errors));
    ::SendMessageA(wnd, WM_COMMAND, item->Command(), 0);
    SetCallbackExceptionHandler(saved);
    EXPECT_EQ(errors.count, 1);
}

TEST_F(PopupMenu, TheListsWindowMeasuresAndDrawsOwnerDrawnItems) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    menu->SetOwnerDraw(true);
    TMenuItem* item = NewItem(menu->Items(), "Drawn");
    HWND wnd = PopupList->Window();

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = item->Command();
    EXPECT_EQ(::SendMessageA(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_GT(measure.itemWidth, 0u);
    EXPECT_GT(measure.itemHeight, 0u);

    // An entry no listed menu knows gets the default answer and is left alone.
    MEASUREITEMSTRUCT foreign{};
    foreign.CtlType = ODT_MENU;
    foreign.itemID = item->Command() + 1;
    EXPECT_EQ(::SendMessageA(wnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&foreign)), FALSE);
    EXPECT_EQ(foreign.itemWidth, 0u);

    graphicstest::Surface surface(60, 20, RGB(0, 0, 0));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item->Command();
    draw.hDC = surface.Dc();
    draw.rcItem = RECT{0, 0, 60, 20};
    EXPECT_EQ(::SendMessageA(wnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(surface.At(58, 1), static_cast<COLORREF>(ColorToRGB(clMenu)));
}

TEST_F(PopupMenu, SelectionFindsItemsAndSetsTheApplicationHint) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* sub = NewItem(menu->Items(), "Sub");
    sub->SetHint("Sub|The submenu");
    TMenuItem* leaf = NewItem(sub, "Leaf");
    leaf->SetHint("Leaf|Does the leaf thing");
    const HMENU h = menu->Handle();

    EXPECT_EQ(PopupList->FindSelectedItem(MAKEWPARAM(leaf->Command(), 0), reinterpret_cast<LPARAM>(sub->Handle())),
              leaf);
    EXPECT_EQ(PopupList->FindSelectedItem(MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(h)), sub);
    EXPECT_EQ(PopupList->FindSelectedItem(MAKEWPARAM(0, 0xFFFF), 0), nullptr);

    ASSERT_NE(Application, nullptr);
    ::SendMessageA(PopupList->Window(), WM_MENUSELECT, MAKEWPARAM(leaf->Command(), 0),
                   reinterpret_cast<LPARAM>(sub->Handle()));
    EXPECT_EQ(Application->Hint(), "Does the leaf thing");
    ::SendMessageA(PopupList->Window(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(Application->Hint(), "");
}

TEST_F(PopupMenu, ATrackedPopupDeliversTheChosenItemsClick) {
    ReplacedPopupList replaced;
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* first = NewItem(menu->Items(), "First");
    TMenuItem* second = NewItem(menu->Items(), "Second");
    ClickLog firstLog, secondLog;
    first->OnClick = firstLog.Handler();
    second->OnClick = secondLog.Handler();
    PopupLog popupLog;
    menu->OnPopup = MakeMethod<&PopupLog::Popup>(&popupLog);

    ASSERT_NE(StartDriving({VK_DOWN, VK_DOWN, VK_RETURN}, false), 0u);
    menu->Popup(40, 60);
    EXPECT_EQ(popupLog.popups, 1);
    EXPECT_EQ(popupLog.point, Point(40, 60));
    EXPECT_TRUE(PumpUntil([&] { return secondLog.count > 0; })) << "the command arrives through the loop";
    EXPECT_EQ(firstLog.count, 0);
    EXPECT_EQ(secondLog.count, 1);
    EXPECT_TRUE(replaced.List()->Saw(WM_INITMENUPOPUP));
    EXPECT_TRUE(replaced.List()->Saw(WM_ENTERMENULOOP));
    EXPECT_TRUE(replaced.List()->Saw(WM_COMMAND));
}

TEST_F(PopupMenu, AClosedPopupClicksNothing) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    ClickLog log;
    NewItem(menu->Items(), "Only")->OnClick = log.Handler();
    menu->SetAlignment(paRight);
    menu->SetTrackButton(tbLeftButton);
    ASSERT_NE(StartDriving({}, true), 0u);
    menu->Popup(100, 100);
    EXPECT_EQ(g_ticks, 1) << "the timer ended the menu";
    PumpFor(150);  // proves that no click comes late
    EXPECT_EQ(log.count, 0);
}

TEST_F(PopupMenu, AReplacementListTakesOverTheMenusAndCanBeUndone) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    TMenuItem* item = NewItem(menu->Items(), "Item");
    ClickLog log;
    item->OnClick = log.Handler();
    TPopupList* original = PopupList;
    {
        ReplacedPopupList replaced;
        EXPECT_EQ(replaced.Previous(), original);
        EXPECT_EQ(PopupList, replaced.List());
        EXPECT_EQ(original->Count(), 0);
        ASSERT_EQ(replaced.List()->Count(), 1);
        EXPECT_EQ(replaced.List()->Items(0), menu);
        EXPECT_NE(replaced.List()->Window(), original->Window());
        ::SendMessageA(replaced.List()->Window(), WM_COMMAND, item->Command(), 0);
        EXPECT_EQ(log.count, 1);
        EXPECT_TRUE(replaced.List()->Saw(WM_COMMAND));

        // Menus made while the replacement is installed join it, and move back with the others.
        Create<TPopupMenu>(Owner());
        EXPECT_EQ(replaced.List()->Count(), 2);
        EXPECT_EQ(SetPopupList(PopupList), nullptr) << "installing the current list changes nothing";
    }
    EXPECT_EQ(PopupList, original);
    EXPECT_EQ(original->Count(), 2);
    EXPECT_EQ(original->Items(0), menu);
}

TEST_F(PopupMenu, AMenuFreedWhileItsListIsOutOfServiceIsGoneWhenTheListReturns) {
    TPopupMenu* kept = Create<TPopupMenu>(Owner());
    TPopupMenu* freed = Create<TPopupMenu>(Owner());
    TPopupList* list = SetPopupList(nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(PopupList, nullptr);
    Free(freed);
    EXPECT_EQ(SetPopupList(list), nullptr);
    EXPECT_EQ(PopupList, list);
    for (int i = 0; i < list->Count(); ++i) EXPECT_NE(list->Items(i), freed);
    EXPECT_EQ(list->Items(list->Count() - 1), kept);
}

TEST_F(PopupMenu, ThePopupComponentIsForgottenWhenFreed) {
    TPopupMenu* menu = Create<TPopupMenu>(Owner());
    EXPECT_TRUE(menu->AutoPopup());
    TComponent* control = Create<TComponent>(Owner());
    menu->SetPopupComponent(control);
    EXPECT_EQ(menu->PopupComponent(), control);
    Free(control);
    EXPECT_EQ(menu->PopupComponent(), nullptr);
}
