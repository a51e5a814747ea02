// A themed toolbar with an edit item and a combo box, driven by real input: typed Cyrillic text taken on
// Enter and dropped on Esc, the combo box's list dropped, scrolled with the wheel and its bar and a line
// picked with the mouse, typed text completed from the lines while a paste is not.
#include <functional>
#include <string>
#include <vector>

#include "classlib/win/SystemLookups.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/themed/support/ThemedGuiTest.h"
#include "tests/toolbar/support/AccessibleClient.h"
#include "tests/toolbar/support/StepScript.h"
#include "themed/win/TSkinComboBoxItem.h"
#include "themed/win/TSkinCustomListViewer.h"
#include "themed/win/TSkinDock.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/core/TTBRootItem.h"
#include "tests/support/RealInput.h"

using namespace formtest;
using namespace toolbartest;
using testsupport::ClickAt;
using testsupport::Press;

namespace {

// Characters as a keyboard of any layout would type them (VK_PACKET key-downs with their character).
void TypeText(std::u16string_view text) {
    for (char16_t c : text) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = c;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        ::SendInput(2, input, sizeof(INPUT));
    }
}

void Wheel(int delta) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    ::SendInput(1, &input, sizeof input);
}

// Presses at the first point, moves through the others and releases at the last, from another thread, so
// that the menu loop here handles the moves one by one; rests at the last point before the release.
struct TDrag {
    std::vector<TPoint> points;
    DWORD restMs = 0;
};
DWORD WINAPI RunDrag(LPVOID p) {
    const TDrag& drag = *static_cast<const TDrag*>(p);
    auto send = [](TPoint at, DWORD flags) {
        INPUT input = testsupport::PointerMove(at);
        input.mi.dwFlags |= flags;
        ::SendInput(1, &input, sizeof input);
        ::Sleep(40);
    };
    send(drag.points.front(), 0);
    send(drag.points.front(), MOUSEEVENTF_LEFTDOWN);
    for (std::size_t i = 1; i < drag.points.size(); ++i) send(drag.points[i], 0);
    ::Sleep(drag.restMs);
    send(drag.points.back(), MOUSEEVENTF_LEFTUP);
    return 0;
}

TPoint ToScreen(TTBItemViewer* v, int x, int y) {
    const TRect b = v->BoundsRect();
    return v->View()->Window()->ClientToScreen(TPoint{b.Left + x, b.Top + y});
}

const std::vector<std::u16string> kCities = {u"Архангельск", u"Астрахань", u"Белгород", u"Брянск",   u"Владимир",
                                             u"Волгоград",   u"Вологда",   u"Воронеж",  u"Иваново",  u"Иркутск",
                                             u"Калуга",      u"Кемерово",  u"Киров",    u"Кострома", u"Курган",
                                             u"Курск",       u"Липецк",    u"Магадан",  u"Мурманск", u"Омск"};

class ThemedEditItems : public ThemedGuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form_ = NewForm(520, 200);
        dock_ = Create<TSkinDock>(Owner());
        dock_->SetParent(form_);
        bar_ = Create<TSkinToolbar>(Owner());
        edit_ = Create<TSkinEditItem>(nullptr);
        edit_->SetEditCaption(u"Имя");
        edit_->SetEditWidth(100);
        edit_->SetText(u"Старый");
        bar_->Items()->Add(edit_);
        combo_ = Create<TSkinComboBoxItem>(nullptr);
        combo_->SetEditWidth(140);
        for (const auto& city : kCities) combo_->Lines()->Add(city);
        combo_->OnTyping = MakeMethod<&ThemedEditItems::Typed>(this);
        bar_->Items()->Add(combo_);
        bar_->SetCurrentDock(dock_);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Active(); }));
        ::SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(bar_->Handle()) != FALSE; }));
    }

public:
    void Typed(TObject*, const WideString& text) { typed_.push_back(text); }
    void Accepting(TObject*, WideString& text, bool&) { accepted_.push_back(text); }

protected:
    TTBEditItemViewer* EditViewer() const { return static_cast<TTBEditItemViewer*>(bar_->View()->Find(edit_)); }
    TSkinComboBoxItemViewer* ComboViewer() const {
        return static_cast<TSkinComboBoxItemViewer*>(bar_->View()->Find(combo_));
    }
    TSkinCustomListViewer* ListViewer() const {
        TTBView* open = bar_->View()->OpenView();
        if (!open || open->ViewerCount() != 1) return nullptr;
        return dynamic_cast<TSkinCustomListViewer*>(open->Viewers(0));
    }
    // The list shown and painted, so that its scroll bar exists.
    bool ListShown() const {
        TSkinCustomListViewer* list = ListViewer();
        return list && list->ScrollBar() && ::IsWindowVisible(list->View()->Window()->Handle());
    }
    HWND EditWindowOf(TTBEditItemViewer* v) const { return v ? v->EditWindow() : nullptr; }
    bool Editing(TTBEditItemViewer* v) const { return v->EditWindow() && ::GetFocus() == v->EditWindow(); }

    TForm* form_ = nullptr;
    TSkinDock* dock_ = nullptr;
    TSkinToolbar* bar_ = nullptr;
    TSkinEditItem* edit_ = nullptr;
    TSkinComboBoxItem* combo_ = nullptr;
    std::vector<WideString> typed_;
    std::vector<WideString> accepted_;
};

}  // namespace

TEST_F(ThemedEditItems, TypedTextIsTakenOnEnterOrTabAndDroppedOnEscape) {
    TTBEditItemViewer* viewer = EditViewer();
    const TRect field = viewer->BoundsRect();
    const TPoint inField = ToScreen(viewer, field.Width() - 10, field.Height() / 2);
    edit_->OnAcceptText = MakeMethod<&ThemedEditItems::Accepting>(this);
    Script script;
    script.steps = {
        {"click into the field",
         [&] {
             ClickAt(inField);
             return true;
         }},
        {"the field edits", [&] { return Editing(viewer); }},
        {"type",
         [&] {
             TypeText(u"Новый текст");
             return true;
         }},
        {"typed", [&] { return edit_->Text() == u"Старый" && ::GetWindowTextLengthW(viewer->EditWindow()) == 11; }},
        {"enter",
         [&] {
             Press(VK_RETURN);
             return true;
         }},
        {"taken", [&] { return !viewer->EditWindow() && edit_->Text() == u"Новый текст"; }},
        {"click again",
         [&] {
             ClickAt(inField);
             return true;
         }},
        {"edits again", [&] { return Editing(viewer); }},
        {"type more",
         [&] {
             TypeText(u"Ёж");
             return true;
         }},
        {"typed more", [&] { return ::GetWindowTextLengthW(viewer->EditWindow()) == 2; }},
        {"escape",
         [&] {
             Press(VK_ESCAPE);
             return true;
         }},
        {"dropped", [&] { return !viewer->EditWindow() && edit_->Text() == u"Новый текст"; }},
        // Esc left the field only; the toolbar still has the keyboard.
        {"still in the toolbar", [&] { return (bar_->View()->State() & kVsModal) != 0; }},
        {"click a third time",
         [&] {
             ClickAt(inField);
             return true;
         }},
        {"edits a third time", [&] { return Editing(viewer); }},
        {"type once more",
         [&] {
             TypeText(u"Ёж");
             return true;
         }},
        {"typed once more", [&] { return ::GetWindowTextLengthW(viewer->EditWindow()) == 2; }},
        {"tab",
         [&] {
             Press(VK_TAB);
             return true;
         }},
        {"taken, the next item selected",
         [&] { return !viewer->EditWindow() && edit_->Text() == u"Ёж" && bar_->View()->Selected() == ComboViewer(); }},
        {"escape again",
         [&] {
             Press(VK_ESCAPE);
             return true;
         }},
        {"toolbar left", [&] { return !(bar_->View()->State() & kVsModal); }},
    };
    EXPECT_EQ(RunScript(script, bar_->View()), "");
    EXPECT_EQ(edit_->Text(), u"Ёж");
    EXPECT_EQ(accepted_, (std::vector<WideString>{u"Новый текст", u"Ёж"}));
    EXPECT_FALSE(bar_->View()->State() & kVsModal);
}

TEST_F(ThemedEditItems, ComboListDropsScrollsAndPicksALine) {
    TSkinComboBoxItemViewer* viewer = ComboViewer();
    const TRect b = viewer->BoundsRect();
    const TPoint button = ToScreen(viewer, b.Width() - viewer->GetDropDownPartWidth() / 2 - 2, b.Height() / 2);
    combo_->List()->SetItemIndex(15);
    int barWidth = 0, lineHeight = 0;
    Script script;
    script.steps = {
        {"click the button",
         [&] {
             ClickAt(button);
             return true;
         }},
        {"the list shows", [&] { return ListShown(); }},
        {"opened at line 15",
         [&] {
             TSkinCustomListViewer* list = ListViewer();
             EXPECT_EQ(list->VisibleLines(), 8);
             EXPECT_EQ(list->Offset(), 8);
             EXPECT_EQ(list->Highlighted(), 15);
             barWidth = list->ScrollBarWidth();
             lineHeight = list->LineHeight();
             testsupport::MoveTo(ToScreen(list, 10, 5));
             return true;
         }},
        {"wheel three small turns up",
         [&] {
             Wheel(40);
             Wheel(40);
             Wheel(40);
             return true;
         }},
        {"one line up", [&] { return ListViewer()->Offset() == 7; }},
        {"click the bar's up arrow",
         [&] {
             TSkinCustomListViewer* list = ListViewer();
             const TRect lb = list->BoundsRect();
             ClickAt(ToScreen(list, lb.Width() - barWidth / 2, 3));
             return true;
         }},
        {"one more line up, still open", [&] { return ListViewer() && ListViewer()->Offset() == 6; }},
        {"pick the first line shown",
         [&] {
             ClickAt(ToScreen(ListViewer(), 10, lineHeight / 2));
             return true;
         }},
        {"picked", [&] { return combo_->Text() == kCities[6] && !bar_->View()->OpenView(); }},
    };
    EXPECT_EQ(RunScript(script, bar_->View()), "");
    EXPECT_EQ(barWidth, ::GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(combo_->List()->ItemIndex(), 6);
    EXPECT_EQ(combo_->Text(), u"Вологда");
}

TEST_F(ThemedEditItems, DraggingBelowTheListScrollsItAndAReleaseThereChoosesNothing) {
    TSkinComboBoxItemViewer* viewer = ComboViewer();
    const TRect b = viewer->BoundsRect();
    const TPoint button = ToScreen(viewer, b.Width() - viewer->GetDropDownPartWidth() / 2 - 2, b.Height() / 2);
    TDrag drag;
    HANDLE thread = nullptr;
    int highlightedDuringDrag = -2;
    Script script;
    script.steps = {
        {"click the button",
         [&] {
             ClickAt(button);
             return true;
         }},
        {"the list shows", [&] { return ListShown(); }},
        {"drag from line 2 to 60 pixels below the list",
         [&] {
             TSkinCustomListViewer* list = ListViewer();
             const int h = list->BoundsRect().Height();
             drag.points = {ToScreen(list, 10, list->LineHeight() * 2 + 2), ToScreen(list, 10, h - 3),
                            ToScreen(list, 10, h + 60)};
             drag.restMs = 500;
             thread = ::CreateThread(nullptr, 0, &RunDrag, &drag, 0, nullptr);
             return thread != nullptr;
         }},
        {"scrolled while held",
         [&] {
             if (ListViewer()->Offset() == 0) return false;
             highlightedDuringDrag = ListViewer()->Highlighted();
             return true;
         }},
        {"released", [&] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }},
        {"nothing chosen, the list still open",
         [&] { return combo_->List()->ItemIndex() == -1 && ListViewer() && ListViewer()->Highlighted() == -1; }},
        {"escape closes the list",
         [&] {
             Press(VK_ESCAPE);
             return true;
         }},
        {"closed", [&] { return !bar_->View()->OpenView(); }},
        {"escape leaves the toolbar",
         [&] {
             Press(VK_ESCAPE);
             return true;
         }},
        {"left", [&] { return !(bar_->View()->State() & kVsModal); }},
    };
    EXPECT_EQ(RunScript(script, bar_->View()), "");
    if (thread) {
        ::WaitForSingleObject(thread, 5000);
        ::CloseHandle(thread);
    }
    EXPECT_EQ(highlightedDuringDrag, -1);
    EXPECT_EQ(combo_->Text(), u"");
}

TEST_F(ThemedEditItems, TypedTextIsCompletedAPasteIsNot) {
    TSkinComboBoxItemViewer* viewer = ComboViewer();
    const TPoint inField = ToScreen(viewer, 10, viewer->BoundsRect().Height() / 2);
    DWORD selStart = 0, selEnd = 0;
    Script script;
    script.steps = {
        {"click into the field",
         [&] {
             ClickAt(inField);
             return true;
         }},
        {"the field edits", [&] { return Editing(viewer); }},
        {"type",
         [&] {
             TypeText(u"бр");
             return true;
         }},
        {"completed",
         [&] {
             if (::GetWindowTextLengthW(viewer->EditWindow()) != 6) return false;
             ::SendMessageW(viewer->EditWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                            reinterpret_cast<LPARAM>(&selEnd));
             return true;
         }},
        {"paste over it",
         [&] {
             typed_.clear();
             ::SendMessageW(viewer->EditWindow(), EM_SETSEL, 0, -1);
             ::SendMessageW(viewer->EditWindow(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"к"));
             return true;
         }},
        {"enter",
         [&] {
             Press(VK_RETURN);
             return true;
         }},
        {"taken", [&] { return !viewer->EditWindow(); }},
    };
    EXPECT_EQ(RunScript(script, bar_->View()), "");
    EXPECT_EQ(selStart, 2u);
    EXPECT_EQ(selEnd, 6u);
    // The paste stays as it is though "Калуга" begins with it.
    ASSERT_FALSE(typed_.empty());
    EXPECT_EQ(typed_.back(), u"к");
    EXPECT_EQ(combo_->Text(), u"к");
    EXPECT_EQ(combo_->List()->ItemIndex(), -1);
}

TEST_F(ThemedEditItems, AccessibilityToolsReadTheFieldsAsTextAndComboBox) {
    const AccessibleRef toolbar = AccessibleOf(bar_->Handle());
    ASSERT_TRUE(toolbar);
    const AccessibleRef edit = ChildOf(toolbar, 1);
    const AccessibleRef combo = ChildOf(toolbar, 2);
    ASSERT_TRUE(edit && combo);
    EXPECT_EQ(AccRole(edit), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(AccRole(combo), ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(AccText([&](BSTR* t) { return edit->get_accValue(Self(), t); }), u"Старый");
}

TEST_F(ThemedEditItems, AClickOnAnotherItemEndsTheEditTakingTheTextOnlyWithExtendedAccept) {
    TTBEditItemViewer* viewer = EditViewer();
    TSkinComboBoxItemViewer* combo = ComboViewer();
    const TPoint inField = ToScreen(viewer, viewer->BoundsRect().Width() - 10, viewer->BoundsRect().Height() / 2);
    const TPoint inCombo = ToScreen(combo, 10, combo->BoundsRect().Height() / 2);
    Script script;
    const auto editThenClickAway = [&](const char16_t* text) {
        return std::vector<Script::Step>{
            {"click into the field",
             [&] {
                 ClickAt(inField);
                 return true;
             }},
            {"the field edits", [&] { return Editing(viewer); }},
            {"type",
             [&, text] {
                 TypeText(text);
                 return true;
             }},
            {"typed", [&] { return ::GetWindowTextLengthW(viewer->EditWindow()) == 1; }},
            {"click the combo box",
             [&] {
                 ClickAt(inCombo);
                 return true;
             }},
            {"the combo box edits", [&] { return !viewer->EditWindow() && Editing(combo); }},
            {"escape from it",
             [&] {
                 Press(VK_ESCAPE);
                 return true;
             }},
            {"escape from the toolbar", [&] { return !combo->EditWindow() && (Press(VK_ESCAPE), true); }},
            {"left", [&] { return !(bar_->View()->State() & kVsModal); }},
        };
    };
    script.steps = editThenClickAway(u"Ю");
    EXPECT_EQ(RunScript(script, bar_->View()), "");
    EXPECT_EQ(edit_->Text(), u"Старый");
    edit_->SetExtendedAccept(true);
    Script again;
    again.steps = editThenClickAway(u"Я");
    EXPECT_EQ(RunScript(again, bar_->View()), "");
    EXPECT_EQ(edit_->Text(), u"Я");
}
