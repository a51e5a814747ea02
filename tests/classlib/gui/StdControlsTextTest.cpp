// Edits and memos driven by real messages: typing through WM_CHAR with key-press filtering, one OnChange
// per change, text, lines and settings surviving RecreateWnd, the selection, and memo lines kept in the
// text with or without a window.
#include "classlib/win/TEdit.h"
#include "classlib/win/TMemo.h"
#include "support/RealInput.h"
#include "tests/classlib/gui/FormTestHelpers.h"

using namespace formtest;

namespace {

struct TEditEvents : TObject {
    int changes = 0;
    AnsiString lastText;
    TCustomEdit* edit = nullptr;
    void Change(TObject*) {
        ++changes;
        lastText = edit->Text();
    }
    // Lets digits and Backspace through.
    void DigitsOnly(TObject*, char& key) {
        if (!((key >= '0' && key <= '9') || key == '\b')) key = 0;
    }
};

class StdText : public GuiTest {
protected:
    template <class E>
    E* NewEdit(int top) {
        E* e = Create<E>(Owner());
        e->SetBounds(10, top, 150, 60);
        e->SetParent(form);
        return e;
    }
    void SetUp() override {
        GuiTest::SetUp();
        form = NewForm(320, 260);
        edit = NewEdit<TEdit>(10);
        events.edit = edit;
        edit->OnChange = MakeMethod<&TEditEvents::Change>(&events);
    }
    // Posts the characters to the edit's window and runs them through the application's loop until every one
    // has been handled.
    void Type(TWinControl* target, const char* chars) {
        for (const char* c = chars; *c; ++c)
            ::PostMessageA(target->Handle(), WM_CHAR, static_cast<unsigned char>(*c), 1);
        EXPECT_TRUE(PumpPostedMessages());
    }
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    TEditEvents events;
};

TEST_F(StdText, TypingChangesTheTextOnceACharacterAndKeyPressFilters) {
    Type(edit, "ab");
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(events.changes, 2);
    EXPECT_EQ(events.lastText, "ab");
    EXPECT_TRUE(edit->Modified());

    edit->OnKeyPress = MakeMethod<&TEditEvents::DigitsOnly>(&events);
    Type(edit, "1x2\b3");
    EXPECT_EQ(edit->Text(), "ab13");
    EXPECT_EQ(events.changes, 6);
}

// As the system's edit fields: the focus that comes by Tab selects a single-line edit's whole text, and Ctrl+A
// selects it wherever the caret is, so that typing replaces the text. A click only places the caret.
TEST_F(StdText, TabAndCtrlASelectTheWholeTextOfAnEdit) {
    edit->SetText("first");
    TEdit* second = NewEdit<TEdit>(80);
    second->SetText("second");
    form->Show();
    ::SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); }));
    ASSERT_TRUE(FocusOn(edit));
    testsupport::Press(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }));
    EXPECT_EQ(second->SelStart(), 0);
    EXPECT_EQ(second->SelLength(), 6);

    second->SetSelStart(3);
    ASSERT_EQ(second->SelLength(), 0);
    testsupport::PressWith(VK_CONTROL, 'A');
    ASSERT_TRUE(PumpUntil([&] { return second->SelLength() == 6; }));
    EXPECT_EQ(second->SelStart(), 0);
    EXPECT_EQ(second->Text(), "second");  // Ctrl+A types nothing
}

TEST_F(StdText, ProgramChangesRaiseOnChangeOnceWithOrWithoutAWindow) {
    TEdit* loose = Create<TEdit>(Owner());
    TEditEvents looseEvents;
    looseEvents.edit = loose;
    loose->OnChange = MakeMethod<&TEditEvents::Change>(&looseEvents);
    loose->SetText("no window");
    EXPECT_EQ(looseEvents.changes, 1);
    EXPECT_EQ(loose->Text(), "no window");
    EXPECT_FALSE(loose->HandleAllocated());
    // Getting a window does not count as a change.
    loose->SetParent(form);
    loose->HandleNeeded();
    EXPECT_EQ(looseEvents.changes, 1);
    EXPECT_EQ(loose->Text(), "no window");

    edit->HandleNeeded();
    edit->SetText("set");
    EXPECT_EQ(events.changes, 1);
    EXPECT_EQ(events.lastText, "set");  // the handler sees the new text
    EXPECT_FALSE(edit->Modified());
}

TEST_F(StdText, TextAndSettingsSurviveANewWindow) {
    edit->SetMaxLength(5);
    edit->SetPasswordChar('*');
    edit->SetReadOnly(true);
    edit->SetText("secret");  // the limit is for the user only
    edit->RecreateWnd();
    HWND wnd = edit->Handle();
    EXPECT_EQ(edit->Text(), "secret");
    EXPECT_EQ(::SendMessageA(wnd, EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_TRUE(::GetWindowLongPtrA(wnd, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(::SendMessageA(wnd, EM_GETLIMITTEXT, 0, 0), 5);

    edit->SetReadOnly(false);
    edit->SetPasswordChar(0);
    EXPECT_FALSE(::GetWindowLongPtrA(wnd, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(::SendMessageA(wnd, EM_GETPASSWORDCHAR, 0, 0), 0);
    // The user cannot type past the limit.
    edit->SetText("");
    Type(edit, "1234567");
    EXPECT_EQ(edit->Text(), "12345");
    // Modified survives the new window as well.
    EXPECT_TRUE(edit->Modified());
    edit->SetBorderStyle(bsNone);
    EXPECT_TRUE(edit->Modified());
    EXPECT_FALSE(::GetWindowLongPtrA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(StdText, SelectionReadsAndReplaces) {
    edit->SetText("Hello world");
    edit->SetSelStart(6);
    edit->SetSelLength(5);
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 5);
    EXPECT_EQ(edit->SelText(), "world");
    const int before = events.changes;
    edit->SetSelText("there");
    EXPECT_EQ(edit->Text(), "Hello there");
    EXPECT_EQ(events.changes, before + 1);
    // Out-of-range requests are limited by the window, never read past the text.
    edit->SetSelStart(100);
    edit->SetSelLength(100);
    EXPECT_EQ(edit->SelText(), "");
    edit->SetSelStart(-3);
    EXPECT_EQ(edit->SelStart(), 0);
    edit->SelectAll();
    EXPECT_EQ(edit->SelText(), "Hello there");
}

TEST_F(StdText, MemoLinesAreTheLinesOfItsTextWithAndWithoutAWindow) {
    TMemo* memo = Create<TMemo>(Owner());
    TEditEvents memoEvents;
    memoEvents.edit = memo;
    memo->OnChange = MakeMethod<&TEditEvents::Change>(&memoEvents);
    TStrings* lines = memo->Lines();
    // Before the memo has a parent (and so a window).
    lines->Add("first");
    lines->Add("third");
    lines->Insert(1, "second");
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\nthird\r\n");
    EXPECT_EQ(memoEvents.changes, 3);

    memo->SetParent(form);
    memo->HandleNeeded();
    ASSERT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Strings(1), "second");
    lines->Put(0, "1st");
    lines->Delete(2);
    lines->Add("last");
    EXPECT_EQ(memo->Text(), "1st\r\nsecond\r\nlast\r\n");
    EXPECT_EQ(memoEvents.changes, 6);
    EXPECT_EQ(::SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 4);  // the window's own view agrees

    memo->RecreateWnd();
    ASSERT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Strings(2), "last");
    EXPECT_THROW(lines->Strings(3), EStringListError);
    EXPECT_THROW(lines->Delete(-1), EStringListError);
    EXPECT_THROW(lines->Insert(4, "x"), EStringListError);

    // A text without a final break: a new line starts after it.
    memo->SetText("a\r\nb");
    lines->Add("c");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc\r\n");
    // Any line breaks become the window's.
    lines->SetText("x\ny\rz");
    EXPECT_EQ(memo->Text(), "x\r\ny\r\nz");
    EXPECT_EQ(lines->Count(), 3);
    lines->Clear();
    EXPECT_EQ(lines->Count(), 0);
    EXPECT_EQ(memo->Text(), "");
    // Read-only keeps the user out, not the program.
    memo->SetReadOnly(true);
    lines->Add("log");
    lines->Add("more");
    lines->Delete(0);
    EXPECT_EQ(memo->Text(), "more\r\n");
}

TEST_F(StdText, WrappedMemoLineIsStillOneLine) {
    TMemo* memo = NewEdit<TMemo>(80);
    memo->SetScrollBars(ssBoth);
    const AnsiString longLine(300, 'w');
    memo->Lines()->Add(AnsiString("short"));
    memo->Lines()->Add(longLine + " " + longLine);
    EXPECT_GT(::SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);  // wrapped on screen
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(1), longLine + " " + longLine);
    // Wrapping leaves the horizontal scroll bar out; without it, the bar is there.
    const LONG_PTR wrapped = ::GetWindowLongPtrA(memo->Handle(), GWL_STYLE);
    EXPECT_TRUE(wrapped & WS_VSCROLL);
    EXPECT_FALSE(wrapped & WS_HSCROLL);
    memo->SetWordWrap(false);
    EXPECT_TRUE(::GetWindowLongPtrA(memo->Handle(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(::SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(StdText, MemoKeysFollowWantReturnsAndWantTabs) {
    TMemo* memo = NewEdit<TMemo>(80);
    HWND wnd = memo->Handle();
    EXPECT_TRUE(::SendMessageA(wnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(::SendMessageA(wnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
    memo->SetWantTabs(true);
    EXPECT_TRUE(::SendMessageA(memo->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
    memo->SetWantReturns(false);
    EXPECT_FALSE(::SendMessageA(memo->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(::GetWindowLongPtrA(memo->Handle(), GWL_STYLE) & ES_WANTRETURN);
}

}  // namespace
