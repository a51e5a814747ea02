// The Unicode standard controls on a Unicode form, under the ANSI code page of the run (1252, and 1251 in
// the child run of UniControlsCyrillic): wide captions, items and texts read back unchanged, also after the
// window is made again; hot keys of wide captions; the radio group's buttons.
#include "classlib/win/ControlText.h"
#include "classlib/win/WideChars.h"
#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/core/RadioGroupLayout.h"
#include "unicode/win/TUniButton.h"
#include "unicode/win/TUniCheckBox.h"
#include "unicode/win/TUniComboBox.h"
#include "unicode/win/TUniEdit.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniLabel.h"
#include "unicode/win/TUniRadioButton.h"
#include "unicode/win/TUniRadioGroup.h"

using namespace formtest;
using namespace unigui;

namespace {

// Greek and Cyrillic: no single ANSI code page holds both.
const WideString kGreek = u"\u03a9\u03bc\u03b5\u03b3\u03b1";
const WideString kCyr = u"\u0416\u0443\u043a";
const WideString kBoth = kGreek + u" " + kCyr;

struct Clicks : TObject {
    int count = 0;
    void Clicked(TObject*) { ++count; }
};

class UniStdControls : public UniGuiTest {
protected:
    TUniForm* form_ = nullptr;
    void SetUp() override {
        UniGuiTest::SetUp();
        form_ = NewForm<TUniForm>(420, 300);
        form_->SetCaption(kBoth);
    }
    template <class C>
    C* Place(int left, int top, int width = 160, int height = 24) {
        C* control = Create<C>(form_);
        control->SetBounds(left, top, width, height);
        control->SetParent(form_);
        return control;
    }
};

template <class C>
void ExpectWindowCaption(C* control, const WideString& text) {
    ASSERT_TRUE(control->HandleAllocated());
    EXPECT_TRUE(::IsWindowUnicode(control->Handle()));
    EXPECT_EQ(WindowTextW(control->Handle()), text);
    EXPECT_EQ(control->Caption(), text);
}

TEST_F(UniStdControls, EveryControlShowsItsWideTextAndKeepsItWhenItsWindowIsMadeAgain) {
    auto* edit = Place<TUniEdit>(8, 8);
    auto* button = Place<TUniButton>(8, 40);
    auto* check = Place<TUniCheckBox>(8, 72);
    auto* radio = Place<TUniRadioButton>(8, 104);
    auto* group = Place<TUniGroupBox>(200, 8, 200, 80);
    auto* label = Place<TUniLabel>(8, 136);
    auto* combo = Place<TUniComboBox>(200, 100);
    edit->SetText(kBoth);
    button->SetCaption(u"&" + kCyr);
    check->SetCaption(kGreek + u"?");
    radio->SetCaption(kCyr + u"\u00e9");
    group->SetCaption(kBoth);
    label->SetCaption(kBoth);
    combo->Items()->Add(kGreek);
    combo->Items()->Add(kCyr);
    combo->SetText(kBoth);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Showing(); }));
    EXPECT_EQ(WindowTextW(form_->Handle()), kBoth);

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first window" : "window made again");
        EXPECT_EQ(WindowTextW(edit->Handle()), kBoth);
        EXPECT_EQ(edit->Text(), kBoth);
        ExpectWindowCaption(button, u"&" + kCyr);
        ExpectWindowCaption(check, kGreek + u"?");
        ExpectWindowCaption(radio, kCyr + u"\u00e9");
        ExpectWindowCaption(group, kBoth);
        EXPECT_EQ(label->Caption(), kBoth);
        ASSERT_EQ(combo->Items()->GetCount(), 2);
        EXPECT_EQ(combo->Items()->Get(0), kGreek);
        EXPECT_EQ(combo->Items()->Get(1), kCyr);
        EXPECT_EQ(combo->Items()->IndexOf(kCyr), 1);
        EXPECT_EQ(combo->Text(), kBoth);
        wchar_t item[32] = {};
        ::SendMessageW(combo->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(FromWideChars(item), kCyr);
        for (TWinControl* c : std::initializer_list<TWinControl*>{edit, button, check, radio, group, combo})
            c->RecreateWnd();
        form_->RecreateWnd();
        ASSERT_TRUE(PumpPostedMessages());
    }
    // The label is not a window: it sized itself to its wide text, which is wider than its 8-bit form
    // would be in a font without Greek and Cyrillic only by chance; it has a line's height at least.
    EXPECT_GT(label->Width(), 20);
    EXPECT_GT(label->Height(), 8);
}

TEST_F(UniStdControls, ItemsAddedBeforeTheWindowExistsKeepTheirWideText) {
    auto* combo = Create<TUniComboBox>(form_);
    combo->Items()->Add(kCyr);
    combo->Items()->Insert(0, kGreek);
    EXPECT_EQ(combo->Items()->Get(1), kCyr);
    combo->SetParent(form_);
    combo->SetItemIndex(1);
    ASSERT_TRUE(::IsWindowUnicode(combo->Handle()));
    EXPECT_EQ(::SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo->Items()->Get(0), kGreek);
    EXPECT_EQ(combo->Items()->Get(1), kCyr);
    combo->RecreateWnd();
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Items()->Get(1), kCyr);
    combo->Items()->Clear();
    EXPECT_EQ(combo->Items()->GetCount(), 0);
}

TEST_F(UniStdControls, AHotKeyOutsideTheCodePageReachesTheControlOfItsWideCaption) {
    auto* button = Place<TUniButton>(8, 8);
    auto* check = Place<TUniCheckBox>(8, 40);
    auto* other = Place<TUniButton>(8, 72);
    button->SetCaption(u"&\u0416\u0443\u043a");  // hot key Ж
    check->SetCaption(u"\u03a9\u03bc&\u03b5");   // hot key ε
    other->SetCaption(u"O&mega");
    Clicks clicks, otherClicks;
    button->OnClick = MakeMethod<&Clicks::Clicked>(&clicks);
    other->OnClick = MakeMethod<&Clicks::Clicked>(&otherClicks);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Showing(); }));
    // Lower case typed: the match ignores case.
    EXPECT_NE(form_->Perform(CM_DIALOGCHAR, 0x0436, 0), 0);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(otherClicks.count, 0);
    EXPECT_NE(form_->Perform(CM_DIALOGCHAR, 0x0395, 0), 0);  // Ε
    EXPECT_TRUE(check->Checked());
    // 'O' is the first letter of "O&mega", not its hot key; the Greek Omega is no hot key of any.
    EXPECT_EQ(form_->Perform(CM_DIALOGCHAR, 'o', 0), 0);
    EXPECT_EQ(form_->Perform(CM_DIALOGCHAR, 0x03a9, 0), 0);
    EXPECT_NE(form_->Perform(CM_DIALOGCHAR, 'M', 0), 0);
    EXPECT_EQ(otherClicks.count, 1);
}

TEST_F(UniStdControls, TypingOutsideTheCodePageCompletesFromTheWideItems) {
    auto* list = Place<TUniComboBox>(8, 8);
    list->SetStyle(csDropDownList);
    auto* edit = Place<TUniComboBox>(8, 40);
    for (TUniComboBox* c : {list, edit}) {
        c->Items()->Add(u"\u0416\u0443\u043a");
        c->Items()->Add(u"\u0416\u0430\u0431\u0430");
        c->Items()->Add(kGreek);
    }
    Clicks selects;
    list->OnSelect = MakeMethod<&Clicks::Clicked>(&selects);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Showing(); }));
    // The list: "ж", then "жа" within the pause; a character that begins nothing changes nothing.
    ::SendMessageW(list->Handle(), WM_CHAR, 0x0436, 0);
    EXPECT_EQ(list->ItemIndex(), 0);
    ::SendMessageW(list->Handle(), WM_CHAR, 0x0430, 0);
    EXPECT_EQ(list->ItemIndex(), 1);
    ::SendMessageW(list->Handle(), WM_CHAR, 0x03c9, 0);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(selects.count, 2);
    // The edit: "ω" completes to the Greek item's text after the typed character, the rest selected.
    ::SendMessageW(edit->EditHandle(), WM_CHAR, 0x03c9, 0);
    EXPECT_EQ(edit->ItemIndex(), 2);
    EXPECT_EQ(WindowTextW(edit->EditHandle()), u"\u03c9" + kGreek.substr(1));
    DWORD start = 0, end = 0;
    ::SendMessageW(edit->Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 5u);
}

TEST_F(UniStdControls, APasswordCharacterAbove255IsTheWindowsAndStarForTheLibrary) {
    auto* edit = Place<TUniEdit>(8, 8);
    edit->SetPasswordChar(u'\u25cf');
    EXPECT_EQ(::SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0x25cf);
    EXPECT_EQ(edit->TCustomEdit::PasswordChar(), '*');
    edit->RecreateWnd();
    EXPECT_EQ(::SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), 0x25cf);
}

TEST_F(UniStdControls, EditSelectionCountsUtf16UnitsOfTheWideText) {
    auto* edit = Place<TUniEdit>(8, 8);
    edit->SetText(kBoth);  // "Ωμεγα Жук"
    edit->SetSelStart(6);
    edit->SetSelLength(3);
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(edit->SelTextW(), kCyr);
    edit->SetSelTextW(u"\u03a9");
    EXPECT_EQ(edit->Text(), kGreek + u" \u03a9");
}

TEST_F(UniStdControls, RadioGroupWithoutItemsPaintsAndWithItemsArrangesAndClicks) {
    auto* group = Place<TUniRadioGroup>(8, 8, 210, 100);
    group->SetCaption(kCyr);
    group->SetColumns(3);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Showing(); }));
    group->SetBounds(8, 8, 210, 101);  // arranging nothing
    group->Repaint();
    EXPECT_EQ(group->ButtonCount(), 0);
    EXPECT_EQ(group->ItemIndex(), -1);

    for (int i = 0; i < 5; ++i) group->Items()->Add(kGreek + WideString(1, static_cast<char16_t>(u'1' + i)));
    group->SetColumns(2);
    group->SetBounds(8, 8, 210, 100);
    ASSERT_EQ(group->ButtonCount(), 5);
    const int textHeight = FontTextHeight(group->Font());
    const auto rects = uni::ArrangeRadioButtons({5, 2, 210, 100, textHeight, false, group->ClientWidth()});
    for (int i = 0; i < 5; ++i) {
        TUniGroupButton* b = group->Buttons(i);
        EXPECT_EQ(b->Caption(), kGreek + WideString(1, static_cast<char16_t>(u'1' + i)));
        EXPECT_EQ(WindowTextW(b->Handle()), b->Caption());
        EXPECT_EQ(b->Left(), rects[static_cast<std::size_t>(i)].Left);
        EXPECT_EQ(b->Top(), rects[static_cast<std::size_t>(i)].Top);
    }
    EXPECT_EQ(group->Buttons(3)->Left(), 8 + 100);

    Clicks clicks;
    group->OnClick = MakeMethod<&Clicks::Clicked>(&clicks);
    ::SendMessageW(group->Buttons(3)->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return clicks.count == 1; }));
    EXPECT_EQ(group->ItemIndex(), 3);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_TRUE(group->Buttons(3)->Checked());
    group->SetItemIndex(99);
    EXPECT_EQ(group->ItemIndex(), 4);
    EXPECT_FALSE(group->Buttons(3)->Checked());
    group->Items()->Clear();
    EXPECT_EQ(group->ButtonCount(), 0);
    EXPECT_EQ(group->ItemIndex(), -1);
    group->Repaint();
}

}  // namespace
