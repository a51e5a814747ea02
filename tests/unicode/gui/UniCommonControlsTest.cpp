// The Unicode list view, tab control and track bar on a Unicode form, driven through their windows'
// messages, under the ANSI code page of the run (1252, and 1251 in the child run of UniControlsCyrillic).

#include "tests/unicode/gui/UniGuiTestSupport.h"
#include "unicode/core/UniExceptions.h"
#include "unicode/win/TUniForm.h"
#include "unicode/win/TUniListView.h"
#include "unicode/win/TUniTabControl.h"
#include "unicode/win/TUniTrackBar.h"
#include "classlib/win/WideChars.h"

using namespace formtest;
using namespace unigui;

namespace {

const WideString kGreek = u"\u03a9\u03bc\u03b5\u03b3\u03b1";
const WideString kCyr = u"\u0416\u0443\u043a";

struct Seen : TObject {
    int changes = 0;
    std::vector<AnsiString> edited;
    void Changed(TObject*) { ++changes; }
    void Edited(TObject*, TListItem*, AnsiString& s) { edited.push_back(s); }
    void PlainItems(TCustomListView*, TListItemClass& itemClass) { itemClass = TListItemClass::Of<TListItem>(); }
};

class UniCommonControls : public UniGuiTest {
protected:
    TUniForm* form_ = nullptr;
    void SetUp() override {
        UniGuiTest::SetUp();
        form_ = NewForm<TUniForm>(420, 300);
        form_->SetCaption(kCyr);
    }
    void ShowForm() {
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return form_->Showing(); }));
    }
};

WideString ItemTextW(HWND lv, int item, int column) {
    wchar_t buf[64] = {};
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = buf;
    it.cchTextMax = 64;
    const LRESULT n = ::SendMessageW(lv, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
    return FromWideChars(buf, static_cast<std::size_t>(n));
}

WideString ColumnTextW(HWND lv, int column) {
    wchar_t buf[64] = {};
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT;
    col.pszText = buf;
    col.cchTextMax = 64;
    ::SendMessageW(lv, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col));
    return FromWideChars(buf);
}

TEST_F(UniCommonControls, ListViewWindowShowsTheWideCaptionsSubItemsAndColumnsAlsoWhenMadeAgain) {
    auto* lv = Create<TUniListView>(form_);
    lv->SetBounds(8, 8, 300, 200);
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add()->SetCaption("A");
    lv->Columns()->Add()->SetCaption("B");
    lv->Columns()->Items(0)->SetCaption(kCyr);
    lv->Columns()->Items(1)->SetCaption(kGreek);
    TUniListItem* first = lv->AddItem(kGreek);
    first->SubItems()->Add(kCyr);
    lv->AddItem(kCyr + u" 2");
    lv->SetParent(form_);
    ShowForm();
    HWND wnd = lv->Handle();
    EXPECT_TRUE(::IsWindowUnicode(wnd));
    EXPECT_EQ(ClassNameW(wnd), u"TUniListView.UnicodeClass");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first window" : "window made again");
        EXPECT_EQ(ItemTextW(lv->Handle(), 0, 0), kGreek);
        EXPECT_EQ(ItemTextW(lv->Handle(), 0, 1), kCyr);
        EXPECT_EQ(ItemTextW(lv->Handle(), 1, 0), kCyr + u" 2");
        EXPECT_EQ(ItemTextW(lv->Handle(), 1, 1), u"");  // past the last sub-item
        EXPECT_EQ(ColumnTextW(lv->Handle(), 0), kCyr);
        EXPECT_EQ(ColumnTextW(lv->Handle(), 1), kGreek);
        lv->RecreateWnd();
    }
    // The 8-bit twins follow.
    EXPECT_EQ(first->TListItem::Caption(), uni::ToAnsi(kGreek));
    EXPECT_EQ(first->TListItem::SubItems()->Get(0), uni::ToAnsi(kCyr));
    // A wide change whose 8-bit form is the same still reaches the window.
    first->SetCaption(kGreek + u"\u03b1");
    EXPECT_EQ(ItemTextW(lv->Handle(), 0, 0), kGreek + u"\u03b1");
}

TEST_F(UniCommonControls, ListViewLabelEditReachesTheEightBitHandlerAndKeepsTheWideText) {
    auto* lv = Create<TUniListView>(form_);
    lv->SetBounds(8, 8, 300, 200);
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add();
    lv->AddItem(kGreek);
    lv->SetParent(form_);
    Seen seen;
    lv->OnEdited = MakeMethod<&Seen::Edited>(&seen);
    ShowForm();
    lv->SetFocus();
    HWND edit = reinterpret_cast<HWND>(::SendMessageW(lv->Handle(), LVM_EDITLABELW, 0, 0));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowTextW(edit), kGreek);
    const WideString typed = kCyr + u"\u00e9";
    ::SetWindowTextW(edit, WideCStr(typed));
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([&] { return !seen.edited.empty(); }));
    ASSERT_EQ(seen.edited.size(), 1u);
    EXPECT_EQ(seen.edited[0], uni::ToAnsi(typed));
    EXPECT_EQ(lv->Item(0)->Caption(), typed);
    EXPECT_EQ(ItemTextW(lv->Handle(), 0, 0), typed);
}

TEST_F(UniCommonControls, ListViewSortsByWideCaptionAndRefusesPlainItems) {
    auto* lv = Create<TUniListView>(form_);
    lv->SetParent(form_);
    lv->AddItem(u"\u0416");
    lv->AddItem(u"\u0410");
    lv->AddItem(u"\u0411");
    ASSERT_TRUE(lv->AlphaSort());
    EXPECT_EQ(lv->Item(0)->Caption(), u"\u0410");
    EXPECT_EQ(lv->Item(1)->Caption(), u"\u0411");
    EXPECT_EQ(lv->Item(2)->Caption(), u"\u0416");
    Seen seen;
    lv->OnCreateItemClass = MakeMethod<&Seen::PlainItems>(&seen);
    EXPECT_THROW(lv->Items()->Add(), EUniInternalError);
    EXPECT_EQ(lv->Items()->Count(), 3);
}

TEST_F(UniCommonControls, TabsKeepTheirWideCaptionsAndAWideHotKeySelectsATab) {
    auto* tabs = Create<TUniTabControl>(form_);
    tabs->SetBounds(8, 8, 300, 120);
    tabs->Tabs()->Add(u"&" + kCyr);
    tabs->Tabs()->Add(u"\u03a9&\u03bc");
    tabs->SetParent(form_);
    Seen seen;
    tabs->OnChange = MakeMethod<&Seen::Changed>(&seen);
    ShowForm();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first window" : "window made again");
        ASSERT_EQ(tabs->Tabs()->GetCount(), 2);
        EXPECT_EQ(tabs->Tabs()->Get(0), u"&" + kCyr);
        EXPECT_EQ(tabs->Tabs()->Get(1), u"\u03a9&\u03bc");
        tabs->RecreateWnd();
    }
    tabs->Tabs()->Put(0, kGreek);
    EXPECT_EQ(tabs->Tabs()->Get(0), kGreek);
    EXPECT_EQ(tabs->TCustomTabControl::Tabs()->Get(0), uni::ToAnsi(kGreek));
    EXPECT_NE(form_->Perform(CM_DIALOGCHAR, 0x039c, 0), 0);  // M: the hot key of the second tab
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(seen.changes, 1);
    EXPECT_THROW(tabs->Tabs()->Get(5), EUniGeneralError);
}

TEST_F(UniCommonControls, TrackBarIsAUnicodeWindowAndReportsKeyMovesThroughOnChange) {
    auto* bar = Create<TUniTrackBar>(form_);
    bar->SetBounds(8, 8, 200, 40);
    bar->SetHint(kCyr + u"|" + kGreek);
    bar->SetParent(form_);
    Seen seen;
    bar->OnChange = MakeMethod<&Seen::Changed>(&seen);
    ShowForm();
    EXPECT_TRUE(::IsWindowUnicode(bar->Handle()));
    EXPECT_EQ(ClassNameW(bar->Handle()), u"TUniTrackBar.UnicodeClass");
    EXPECT_EQ(::SendMessageW(bar->Handle(), CCM_GETUNICODEFORMAT, 0, 0), 1);
    ::SendMessageW(bar->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageW(bar->Handle(), WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_GE(seen.changes, 1);
    ::SendMessageW(bar->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(bar->Hint(), kCyr + u"|" + kGreek);
    bar->RecreateWnd();
    EXPECT_EQ(::SendMessageW(bar->Handle(), TBM_GETPOS, 0, 0), 10);
}

}  // namespace
