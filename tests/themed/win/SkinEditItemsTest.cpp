// Edit and combo-box items without windows: the case of the stored text, the accept veto, the list that
// follows the text, a picked line, completion from Cyrillic lines, and where a list opens.
#include <gtest/gtest.h>

#include "themed/win/TSkinComboBoxItem.h"
#include "themed/win/TSkinCustomListViewer.h"

namespace {

struct Recorder {
    std::vector<WideString> offered;
    bool refuse = false;
    WideString replaceWith;
    int clicks = 0;
    int changes = 0;
    void Changed(TObject*) { ++changes; }
    void Accepting(TObject*, WideString& text, bool& accept) {
        offered.push_back(text);
        if (!replaceWith.empty()) text = replaceWith;
        accept = !refuse;
    }
    void Clicked(TObject*) { ++clicks; }
};

TObjectPtr<TSkinComboBoxItem> NewCombo() {
    TObjectPtr<TSkinComboBoxItem> combo = MakeObject<TSkinComboBoxItem>(nullptr);
    for (const char16_t* line : {u"Мурманск", u"Москва", u"Мур", u"Омск", u"Орёл"}) combo->Lines()->Add(line);
    return combo;
}

}  // namespace

TEST(SkinEditItems, CharCaseMapsTheStoredTextAndAcceptMayRefuseOrChange) {
    TObjectPtr<TTBEditItem> item = MakeObject<TTBEditItem>(nullptr);
    item->SetText(u"Ёлка");
    item->SetCharCase(ecUpperCase);
    EXPECT_EQ(item->Text(), u"ЁЛКА");
    item->SetCharCase(ecLowerCase);
    item->SetText(u"ДОМ");
    EXPECT_EQ(item->Text(), u"дом");

    Recorder r;
    item->OnAcceptText = MakeMethod<&Recorder::Accepting>(&r);
    r.refuse = true;
    EXPECT_FALSE(item->AcceptText(u"сад"));
    EXPECT_EQ(item->Text(), u"дом");
    r.refuse = false;
    r.replaceWith = u"ЛЕС";
    EXPECT_TRUE(item->AcceptText(u"сад"));
    EXPECT_EQ(item->Text(), u"лес");
    EXPECT_EQ(r.offered, (std::vector<WideString>{u"сад", u"сад"}));
}

TEST(SkinEditItems, NewComboAndTheListFollowingTheText) {
    TObjectPtr<TSkinComboBoxItem> combo = NewCombo();
    EXPECT_TRUE(combo->AutoComplete());
    EXPECT_EQ(combo->MinListWidth(), 64);
    EXPECT_EQ(combo->Count(), 1);  // the list is its one sub-item
    combo->SetText(u"омск");
    EXPECT_EQ(combo->List()->ItemIndex(), 3);
    combo->SetText(u"Тверь");
    EXPECT_EQ(combo->List()->ItemIndex(), -1);
    combo->List()->SetItemIndex(-7);
    EXPECT_EQ(combo->List()->ItemIndex(), -1);
    // Stepping through the lines shows each in the field.
    combo->List()->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), u"Москва");
}

TEST(SkinEditItems, PickingTheCurrentLineStillReportsTheClick) {
    TObjectPtr<TSkinComboBoxItem> combo = NewCombo();
    Recorder r;
    combo->OnItemClick = MakeMethod<&Recorder::Clicked>(&r);
    combo->SetText(u"Орёл");
    combo->OnChange = MakeMethod<&Recorder::Changed>(&r);
    combo->List()->Click();
    EXPECT_EQ(r.clicks, 1);
    EXPECT_EQ(combo->Text(), u"Орёл");
    EXPECT_EQ(r.changes, 0);
    combo->List()->SetItemIndex(0);
    combo->List()->Click();
    EXPECT_EQ(r.clicks, 2);
    EXPECT_EQ(r.changes, 1);
    EXPECT_EQ(combo->Text(), u"Мурманск");
}

TEST(SkinEditItems, CompletionTakesTheShortestLineBeginningWithTheTypedText) {
    TObjectPtr<TSkinComboBoxItem> combo = NewCombo();
    WideString text = u"мур";
    EXPECT_TRUE(combo->DoAutoComplete(text));
    EXPECT_EQ(text, u"Мур");
    text = u"МУРМ";
    EXPECT_TRUE(combo->DoAutoComplete(text));
    EXPECT_EQ(text, u"Мурманск");
    text = u"орё";
    EXPECT_TRUE(combo->DoAutoComplete(text));
    EXPECT_EQ(text, u"Орёл");
    text = u"Тв";
    EXPECT_FALSE(combo->DoAutoComplete(text));
    combo->SetAutoComplete(false);
    text = u"мур";
    EXPECT_FALSE(combo->DoAutoComplete(text));
}

TEST(SkinEditItems, ALineShorterThanTheTypedTextIsNeverReadPastItsEnd) {
    // The line is the first three characters of a longer text that goes on as typed does: reading past the
    // line's end would make it match.
    const std::u16string_view whole = u"МурманскМурманск";
    EXPECT_FALSE(TSkinComboBoxItem::LineBeginsWith(whole.substr(0, 3), u"МУРМАНСК"));
    EXPECT_TRUE(TSkinComboBoxItem::LineBeginsWith(whole.substr(0, 8), u"мурм"));
    EXPECT_TRUE(TSkinComboBoxItem::LineBeginsWith(whole.substr(0, 8), u"МУРМАНСК"));
    EXPECT_FALSE(TSkinComboBoxItem::LineBeginsWith(whole.substr(0, 8), u"Москва"));
}

TEST(SkinEditItems, AListOpensWithNoHighlightWhenItsChoiceWasRemoved) {
    TObjectPtr<TSkinComboBoxItem> combo = NewCombo();
    combo->List()->SetItemIndex(4);
    TStringListW shorter;
    for (int i = 0; i < 4; ++i) shorter.Add(combo->Lines()->Get(i));
    combo->SetLines(&shorter);
    ASSERT_EQ(combo->List()->ItemIndex(), 4);  // the list keeps the index of a line now gone
    TObjectPtr<TSkinCustomListViewer> viewer = MakeObject<TSkinCustomListViewer>(nullptr, combo->List(), 0);
    EXPECT_EQ(viewer->Highlighted(), -1);
    EXPECT_EQ(viewer->Offset(), 0);
}
