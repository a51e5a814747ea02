// Combo and colour boxes, track bar, up-down, spin edit and tab control on a form: items and settings that
// survive a new window, owner drawing, events from real window messages, and the refusal of a tab change.
#include <gtest/gtest.h>

#include <vector>

#include "tests/classlib/gui/FormTestHelpers.h"
#include "classlib/win/TButton.h"
#include "classlib/win/TColorBox.h"
#include "classlib/win/TComboBox.h"
#include "classlib/win/TSpinEdit.h"
#include "classlib/win/TTabControl.h"
#include "classlib/win/TTrackBar.h"
#include "classlib/win/TUpDown.h"
#include "classlib/win/WindowDC.h"

using formtest::PumpPostedMessages;

namespace {

class StdControlsChoice : public formtest::GuiTest {
protected:
    template <class C>
    C* NewControl(TForm* form, int left = 10, int top = 10) {
        C* c = Create<C>(Owner());
        c->SetLeft(left);
        c->SetTop(top);
        c->SetParent(form);
        return c;
    }
};

// Counts notifications of any sender.
struct Events {
    int change = 0, select = 0, click = 0;
    void Change(TObject*) { ++change; }
    void Select(TObject*) { ++select; }
    void Click(TObject*) { ++click; }
};

LRESULT Send(TWinControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::SendMessageA(c->Handle(), msg, w, l); }

AnsiString WindowItem(HWND wnd, int index) {
    char buffer[256] = {};
    ::SendMessageA(wnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

TObject* Tag(std::uintptr_t n) { return reinterpret_cast<TObject*>(n); }

}  // namespace

TEST_F(StdControlsChoice, ComboItemsAndSelectionSurviveANewWindow) {
    TForm* form = NewForm();
    auto* combo = NewControl<TComboBox>(form);
    // Filled before there is a window: kept in memory.
    combo->Items()->AddObject("apple", Tag(1));
    combo->Items()->Add("banana");
    combo->Items()->Insert(1, "apricot");
    combo->SetItemIndex(2);
    EXPECT_FALSE(combo->HandleAllocated());
    EXPECT_EQ(combo->Items()->Count(), 3);

    HWND first = combo->Handle();
    EXPECT_EQ(::SendMessageA(first, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(WindowItem(first, 1), "apricot");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "banana");
    // Added with a window: straight into it.
    combo->Items()->Add("cherry");
    EXPECT_EQ(::SendMessageA(first, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo->Items()->IndexOf("CHERRY"), 3);
    EXPECT_EQ(combo->Items()->IndexOf("date"), -1);

    combo->SetStyle(csDropDownList);  // a new window
    HWND second = combo->Handle();
    EXPECT_NE(::GetWindowLongA(second, GWL_STYLE) & CBS_DROPDOWNLIST, 0);
    ASSERT_EQ(combo->Items()->Count(), 4);
    EXPECT_EQ(::SendMessageA(second, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo->Items()->Get(0), "apple");
    EXPECT_EQ(combo->Items()->Objects(0), Tag(1));
    EXPECT_EQ(combo->Items()->Get(3), "cherry");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "banana");

    // A list style has no edit part; an edit style has one with the control's own procedure.
    EXPECT_EQ(combo->EditHandle(), nullptr);
    EXPECT_NE(combo->ListHandle(), nullptr);
    combo->SetStyle(csDropDown);
    combo->HandleNeeded();
    ASSERT_NE(combo->EditHandle(), nullptr);
    EXPECT_NE(combo->DefEditProc(), nullptr);
    EXPECT_NE(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(combo->EditHandle(), GWLP_WNDPROC)), combo->DefEditProc());

    // Clearing keeps typed text in an edit style.
    combo->SetText("typed");
    combo->Items()->Clear();
    EXPECT_EQ(combo->Items()->Count(), 0);
    EXPECT_EQ(combo->Text(), "typed");
    EXPECT_THROW(combo->Items()->Delete(0), EStringListError);
}

TEST_F(StdControlsChoice, ComboSelectionByTheUserRaisesClickSelectAndChange) {
    TForm* form = NewForm();
    auto* combo = NewControl<TComboBox>(form);
    combo->SetStyle(csDropDownList);
    for (const char* s : {"one", "two", "three"}) combo->Items()->Add(s);
    Events events;
    combo->OnChange = MakeMethod<&Events::Change>(&events);
    combo->OnSelect = MakeMethod<&Events::Select>(&events);
    combo->OnClick = MakeMethod<&Events::Click>(&events);
    combo->SetItemIndex(0);  // by the program: no events
    EXPECT_EQ(events.change + events.select + events.click, 0);

    Send(combo, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(events.click, 1);
    EXPECT_EQ(events.select, 1);
    EXPECT_EQ(events.change, 1);

    // Typing in the list style finds the first item the typed text begins.
    Send(combo, WM_CHAR, 't', 1);
    EXPECT_EQ(combo->ItemIndex(), 1);  // "two" was selected already: nothing new
    EXPECT_EQ(events.select, 1);
    Send(combo, WM_CHAR, 'h', 1);
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(events.select, 2);
}

TEST_F(StdControlsChoice, ComboEditPartCompletesTypedTextAndReachesKeyEvents) {
    TForm* form = NewForm();
    auto* combo = NewControl<TComboBox>(form);
    for (const char* s : {"Tahoma", "Times New Roman", "Verdana"}) combo->Items()->Add(s);
    struct Keys {
        std::vector<char> pressed;
        void Press(TObject*, char& key) {
            pressed.push_back(key);
            if (key == '!') key = 0;
        }
    } keys;
    combo->OnKeyPress = MakeMethod<&Keys::Press>(&keys);
    Events events;
    combo->OnSelect = MakeMethod<&Events::Select>(&events);
    combo->OnChange = MakeMethod<&Events::Change>(&events);
    combo->HandleNeeded();
    HWND edit = combo->EditHandle();
    ASSERT_NE(edit, nullptr);

    ::SendMessageA(edit, WM_CHAR, 'T', 1);
    EXPECT_EQ(combo->Text(), "Tahoma");
    DWORD start = 0, end = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 6u);
    ::SendMessageA(edit, WM_CHAR, 'i', 1);
    EXPECT_EQ(combo->Text(), "Times New Roman");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(events.select, 2);
    ::SendMessageA(edit, WM_CHAR, '!', 1);  // eaten by the handler: the edit never sees it
    EXPECT_EQ(combo->Text(), "Times New Roman");
    ASSERT_EQ(keys.pressed.size(), 3u);
    EXPECT_EQ(keys.pressed[0], 'T');

    // The edit part's focus is the control's: entered once, left once, and the form knows it.
    struct Focus {
        int enter = 0, exit = 0;
        void Enter(TObject*) { ++enter; }
        void Exit(TObject*) { ++exit; }
    } focus;
    combo->OnEnter = MakeMethod<&Focus::Enter>(&focus);
    combo->OnExit = MakeMethod<&Focus::Exit>(&focus);
    auto* other = NewControl<TEdit>(form, 10, 80);
    ::SetFocus(combo->Handle());  // the combo box hands it to its edit part
    EXPECT_EQ(::GetFocus(), edit);
    EXPECT_EQ(focus.enter, 1);
    EXPECT_EQ(focus.exit, 0);
    EXPECT_EQ(form->ActiveControl(), combo);
    ::SetFocus(other->Handle());
    EXPECT_EQ(focus.exit, 1);
    EXPECT_EQ(form->ActiveControl(), other);

    // Typing that completes nothing is the user's own text: OnChange from the edit part.
    const int changes = events.change;
    combo->SetText("");
    events.change = changes;
    ::SendMessageA(edit, WM_CHAR, 'q', 1);
    EXPECT_EQ(combo->Text(), "q");
    EXPECT_EQ(events.change, changes + 1);
    EXPECT_EQ(events.select, 2);
}

// Both owner-drawn boxes share one shown form: showing and destroying a window costs time here.
TEST_F(StdControlsChoice, OwnerDrawnCombosDrawAndMeasureTheirItems) {
    TForm* form = NewForm();
    auto* combo = NewControl<TComboBox>(form);
    combo->SetStyle(csOwnerDrawVariable);
    struct Owner {
        std::vector<int> measured, drawn;
        bool sawField = false;
        TCanvas* canvas = nullptr;
        HDC dc = nullptr;
        void Measure(TWinControl*, int index, int& height) {
            measured.push_back(index);
            height = 20 + index;
        }
        void Draw(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
            drawn.push_back(index);
            if (state.Contains(odComboBoxEdit)) sawField = true;
            canvas = static_cast<TComboBox*>(control)->Canvas();
            dc = canvas->Handle();
            canvas->Brush()->SetColor(clRed);
            canvas->FillRect(rect);
        }
    } owner;
    combo->OnMeasureItem = MakeMethod<&Owner::Measure>(&owner);
    combo->OnDrawItem = MakeMethod<&Owner::Draw>(&owner);
    for (const char* s : {"a", "b", "c"}) combo->Items()->Add(s);
    combo->SetItemIndex(1);
    HWND wnd = combo->Handle();
    EXPECT_EQ(owner.measured, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(::SendMessageA(wnd, CB_GETITEMHEIGHT, 2, 0), 22);

    auto* colours = NewControl<TColorBox>(form, 10, 60);
    colours->SetColorStyle({cbStandardColors, cbIncludeNone});
    colours->SetSelected(clLime);
    form->Show();
    PumpPostedMessages();
    ::UpdateWindow(wnd);
    ASSERT_FALSE(owner.drawn.empty());
    // The colour box draws a swatch of the selected colour in its field.
    ::UpdateWindow(colours->Handle());
    const TWindowDC dcWindowDC(colours->Handle());
    HDC dc = dcWindowDC.Get();
    RECT field{};
    ::GetClientRect(colours->Handle(), &field);
    bool lime = false;
    for (int x = 0; x < 30 && !lime; ++x) lime = ::GetPixel(dc, x, field.bottom / 2) == RGB(0, 255, 0);
    EXPECT_TRUE(lime);
    EXPECT_TRUE(owner.sawField);
    EXPECT_NE(owner.dc, nullptr);
    // The canvas is lent the item's DC only while the item is drawn.
    EXPECT_EQ(owner.canvas, combo->Canvas());

    owner.drawn.clear();
    combo->SetDroppedDown(true);
    PumpPostedMessages();
    ::UpdateWindow(combo->ListHandle());
    combo->SetDroppedDown(false);
    for (int index : {0, 1, 2})
        EXPECT_NE(std::find(owner.drawn.begin(), owner.drawn.end(), index), owner.drawn.end()) << index;

    // The dropped list is as high as DropDownCount items (20 and 21 pixels here), not the whole list.
    combo->SetDropDownCount(2);
    combo->SetDroppedDown(true);
    RECT list{};
    ::GetClientRect(combo->ListHandle(), &list);
    combo->SetDroppedDown(false);
    EXPECT_GE(list.bottom - list.top, 41);
    EXPECT_LT(list.bottom - list.top, 41 + 22);

    // Measured again for a new window: the items are put back one by one.
    owner.measured.clear();
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetStyle(csOwnerDrawVariable);
    combo->HandleNeeded();
    EXPECT_EQ(owner.measured, (std::vector<int>{0, 1, 2}));
}

TEST_F(StdControlsChoice, ColorBoxListsNamedColoursAndSelectsByColour) {
    TForm* form = NewForm();
    auto* box = NewControl<TColorBox>(form);
    EXPECT_EQ(box->Style(), csOwnerDrawFixed);
    EXPECT_EQ(box->ColorNames(0), "Black");
    EXPECT_EQ(box->Colors(9), clRed);
    EXPECT_EQ(box->Selected(), clBlack);
    box->SetSelected(clTeal);
    box->HandleNeeded();
    EXPECT_EQ(box->ColorNames(box->ItemIndex()), "Teal");
    box->SetColorStyle({cbStandardColors});
    EXPECT_EQ(box->ColorCount(), 16);
    EXPECT_EQ(box->Selected(), clTeal);
    box->SetSelected(clSkyBlue);  // not listed now
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(box->Selected(), clSkyBlue);
    box->SetColorStyle({cbStandardColors, cbExtendedColors});
    EXPECT_EQ(box->ColorCount(), 20);
    EXPECT_EQ(box->ColorNames(box->ItemIndex()), "Sky Blue");
}

TEST_F(StdControlsChoice, TrackBarReportsEveryNewPositionAndKeepsSettingsInANewWindow) {
    TForm* form = NewForm();
    auto* bar = NewControl<TTrackBar>(form);
    Events events;
    bar->OnChange = MakeMethod<&Events::Change>(&events);
    bar->SetRange(-127, 127);
    EXPECT_EQ(events.change, 0);
    bar->SetPosition(5);  // without a window
    EXPECT_EQ(events.change, 1);
    bar->SetPosition(5);
    EXPECT_EQ(events.change, 1);
    bar->SetFrequency(16);
    bar->SetThumbLength(16);

    HWND wnd = bar->Handle();
    EXPECT_EQ(::SendMessageA(wnd, TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(::SendMessageA(wnd, TBM_GETRANGEMIN, 0, 0), -127);
    bar->SetPosition(300);  // held at the end
    EXPECT_EQ(bar->Position(), 127);
    EXPECT_EQ(::SendMessageA(wnd, TBM_GETPOS, 0, 0), 127);
    EXPECT_EQ(events.change, 2);
    bar->SetMax(100);  // moves the position with it
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(events.change, 3);

    // The user's keys: through the window's own scroll notification.
    Send(bar, WM_KEYDOWN, VK_LEFT, 1);
    Send(bar, WM_KEYUP, VK_LEFT, 1);
    EXPECT_EQ(bar->Position(), 99);
    EXPECT_EQ(events.change, 4);

    bar->SetOrientation(trVertical);
    HWND vertical = bar->Handle();
    EXPECT_NE(::GetWindowLongA(vertical, GWL_STYLE) & TBS_VERT, 0);
    EXPECT_EQ(::SendMessageA(vertical, TBM_GETPOS, 0, 0), 99);
    EXPECT_EQ(::SendMessageA(vertical, TBM_GETRANGEMAX, 0, 0), 100);
    EXPECT_EQ(::SendMessageA(vertical, TBM_GETTHUMBLENGTH, 0, 0), 16);
    EXPECT_EQ(events.change, 4);
}

namespace {

// Presses an up-down's upper or lower arrow with the mouse.
void PressArrow(HWND updown, bool up) {
    RECT r{};
    ::GetClientRect(updown, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    ::SendMessageA(updown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(updown, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST_F(StdControlsChoice, UpDownShowsItsPositionInTheBuddyAndAsksBeforeEachStep) {
    TForm* form = NewForm();
    auto* edit = NewControl<TEdit>(form);
    auto* updown = NewControl<TUpDown>(form, 100);
    updown->SetMax(10);
    updown->SetAssociate(edit);
    updown->SetPosition(4);
    EXPECT_EQ(edit->Text(), "4");
    updown->SetPosition(50);
    EXPECT_EQ(edit->Text(), "10");

    struct Guard {
        bool allow = true;
        std::vector<int> asked;
        std::vector<TUpDownDirection> directions;
        std::vector<TUDBtnType> clicks;
        void Changing(TObject*, bool& allowChange, std::int16_t newValue, TUpDownDirection direction) {
            asked.push_back(newValue);
            directions.push_back(direction);
            allowChange = allow;
        }
        void Click(TObject*, TUDBtnType button) { clicks.push_back(button); }
    } guard;
    updown->OnChangingEx = MakeMethod<&Guard::Changing>(&guard);
    updown->OnClick = MakeMethod<&Guard::Click>(&guard);
    updown->SetPosition(4);

    PressArrow(updown->Handle(), true);
    EXPECT_EQ(updown->Position(), 5);
    EXPECT_EQ(edit->Text(), "5");
    ASSERT_EQ(guard.asked.size(), 1u);
    EXPECT_EQ(guard.asked[0], 5);
    EXPECT_EQ(guard.directions[0], updUp);
    ASSERT_EQ(guard.clicks.size(), 1u);
    EXPECT_EQ(guard.clicks[0], btNext);

    guard.allow = false;
    PressArrow(updown->Handle(), false);
    EXPECT_EQ(updown->Position(), 5);
    EXPECT_EQ(edit->Text(), "5");
    ASSERT_EQ(guard.asked.size(), 2u);
    EXPECT_EQ(guard.asked[1], 4);
    EXPECT_EQ(guard.directions[1], updDown);
    EXPECT_EQ(guard.clicks.size(), 1u);

    // The buddy goes first: the up-down forgets it.
    Free(edit);
    EXPECT_EQ(updown->Associate(), nullptr);
    updown->SetPosition(3);
    EXPECT_EQ(updown->Position(), 3);
}

TEST_F(StdControlsChoice, SpinEditReadsItsTextStepsAndFiltersTyping) {
    TForm* form = NewForm();
    auto* spin = NewControl<TSpinEdit>(form);
    spin->SetMinValue(8);
    spin->SetMaxValue(400);
    Events events;
    spin->OnChange = MakeMethod<&Events::Change>(&events);

    spin->SetText("120");
    EXPECT_EQ(spin->Value(), 120);
    spin->SetText("oops");
    EXPECT_EQ(spin->Value(), 8);
    spin->SetText("");
    EXPECT_EQ(spin->Value(), 8);
    EXPECT_EQ(spin->Text(), "");
    spin->SetText("1000");
    EXPECT_EQ(spin->Value(), 400);
    spin->SetValue(-3);
    EXPECT_EQ(spin->Text(), "8");
    spin->SetMaxValue(8);  // equal ends: no range
    spin->SetValue(-3);
    EXPECT_EQ(spin->Value(), -3);
    spin->SetMaxValue(400);

    spin->SetValue(398);
    spin->SetIncrement(5);
    spin->UpClick();
    EXPECT_EQ(spin->Value(), 400);
    const int changesBefore = events.change;
    spin->DownClick();
    EXPECT_EQ(spin->Text(), "395");
    EXPECT_GT(events.change, changesBefore);

    // The button inside the edit steps the value.
    PressArrow(spin->Button()->Handle(), true);
    EXPECT_EQ(spin->Value(), 400);
    PressArrow(spin->Button()->Handle(), false);
    EXPECT_EQ(spin->Value(), 395);
    // So do the arrow keys.
    Send(spin, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(spin->Value(), 390);

    // Typing: digits only, and nothing while the editor is disabled.
    spin->SetText("");
    Send(spin, WM_CHAR, '4', 1);
    Send(spin, WM_CHAR, 'x', 1);
    Send(spin, WM_CHAR, '2', 1);
    EXPECT_EQ(spin->Text(), "42");
    spin->SetEditorEnabled(false);
    Send(spin, WM_CHAR, '7', 1);
    Send(spin, WM_CHAR, '\b', 1);
    EXPECT_EQ(spin->Text(), "42");
    Send(spin, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(spin->Value(), 47);

    // Enter stays with the spin edit instead of pressing a default button.
    EXPECT_EQ(spin->Perform(CM_WANTSPECIALKEY, VK_RETURN), 1);
    EXPECT_EQ(spin->Perform(CM_WANTSPECIALKEY, VK_ESCAPE), 0);
}

TEST_F(StdControlsChoice, TabsSurviveANewWindowAndTheUserMayBeRefusedAChange) {
    TForm* form = NewForm(400, 300);
    auto* tabs = NewControl<TTabControl>(form);
    tabs->Tabs()->Add("General");
    tabs->Tabs()->AddObject("Details", Tag(7));
    tabs->Tabs()->Add("About");
    tabs->SetTabIndex(1);
    HWND first = tabs->Handle();
    EXPECT_EQ(::SendMessageA(first, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(tabs->TabIndex(), 1);
    tabs->Tabs()->SetStrings(2, "Credits");
    EXPECT_EQ(tabs->Tabs()->Get(2), "Credits");

    tabs->Perform(CM_RECREATEWND);
    HWND second = tabs->Handle();
    EXPECT_EQ(::SendMessageA(second, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(tabs->Tabs()->Get(1), "Details");
    EXPECT_EQ(tabs->Tabs()->Objects(1), Tag(7));
    EXPECT_EQ(tabs->Tabs()->Get(2), "Credits");
    EXPECT_EQ(tabs->TabIndex(), 1);

    const TRect page = tabs->DisplayRect();
    EXPECT_GT(page.Top, 0);
    EXPECT_LT(page.Bottom, tabs->ClientHeight());

    struct Guard {
        bool allow = false;
        int asked = 0, changed = 0;
        void Changing(TObject*, bool& allowChange) {
            ++asked;
            allowChange = allow;
        }
        void Change(TObject*) { ++changed; }
    } guard;
    tabs->OnChanging = MakeMethod<&Guard::Changing>(&guard);
    tabs->OnChange = MakeMethod<&Guard::Change>(&guard);
    RECT tab0{};
    ::SendMessageA(second, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab0));
    const LPARAM at = MAKELPARAM((tab0.left + tab0.right) / 2, (tab0.top + tab0.bottom) / 2);
    ::SendMessageA(second, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(second, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(guard.asked, 1);
    EXPECT_EQ(guard.changed, 0);
    EXPECT_EQ(tabs->TabIndex(), 1);

    guard.allow = true;
    ::SendMessageA(second, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(second, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(guard.asked, 2);
    EXPECT_EQ(guard.changed, 1);
    EXPECT_EQ(tabs->TabIndex(), 0);

    // Children sit in the page area.
    auto* child = NewControl<TEdit>(form);
    child->SetParent(tabs);
    child->SetAlign(alClient);
    EXPECT_EQ(child->Top(), tabs->DisplayRect().Top);
}

TEST_F(StdControlsChoice, TabsScrollWithTheSystemsArrowsWhenTheyDoNotFit) {
    TForm* form = NewForm(400, 300);
    auto* tabs = NewControl<TTabControl>(form);
    tabs->SetWidth(120);
    for (int i = 0; i < 12; ++i) tabs->Tabs()->Add("Tab number " + std::to_string(i));
    HWND wnd = tabs->Handle();
    const HWND arrows = ::FindWindowExA(wnd, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    RECT before{};
    ::SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&before));
    // The right arrow: the arrows tell the tab control, which shows the next tab first.
    RECT r{};
    ::GetClientRect(arrows, &r);
    const LPARAM at = MAKELPARAM(r.right * 3 / 4, r.bottom / 2);
    ::SendMessageA(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(arrows, WM_LBUTTONUP, 0, at);
    RECT after{};
    ::SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&after));
    EXPECT_LT(after.left, before.left);
}

TEST_F(StdControlsChoice, EnterInASpinEditStaysThereInsteadOfPressingTheDefaultButton) {
    TForm* form = NewForm();
    auto* spin = NewControl<TSpinEdit>(form);
    auto* button = NewControl<TButton>(form, 10, 60);
    button->SetDefault(true);
    auto* edit = NewControl<TEdit>(form, 10, 100);
    struct Seen {
        int clicks = 0;
        std::vector<std::uint16_t> keys;
        void Click(TObject*) { ++clicks; }
        void Key(TObject*, std::uint16_t& key, TShiftState) { keys.push_back(key); }
    } seen;
    button->OnClick = MakeMethod<&Seen::Click>(&seen);
    spin->OnKeyDown = MakeMethod<&Seen::Key>(&seen);
    // The same key in a plain edit presses the default button: the form's part works.
    ::SetFocus(edit->Handle());
    ASSERT_TRUE(formtest::PumpUntil([&] { return ::GetFocus() == edit->Handle(); }));
    formtest::PressKey(VK_RETURN);
    EXPECT_EQ(seen.clicks, 1);

    ::SetFocus(spin->Handle());
    ASSERT_TRUE(formtest::PumpUntil([&] { return ::GetFocus() == spin->Handle(); }));
    formtest::PressKey(VK_RETURN);
    EXPECT_EQ(seen.clicks, 1);
    EXPECT_EQ(::GetFocus(), spin->Handle());
    ASSERT_FALSE(seen.keys.empty());
    EXPECT_EQ(seen.keys.back(), VK_RETURN);
}
