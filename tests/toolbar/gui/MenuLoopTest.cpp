// The menu loop end to end on a form with a menu bar: real mouse and keyboard input (SendInput) while the
// loop runs, driven by a script of steps on a thread timer (the loop dispatches its WM_TIMER). A
// screenshot of an open menu is saved as artifacts/menu.bmp and checked pixel by pixel.
#include <functional>
#include <string>
#include <vector>

#include "tests/classlib/gui/FormTestHelpers.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TBitmap.h"
#include "classlib/win/THintWindow.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/RealInput.h"
#include "tests/toolbar/support/MenuBarHost.h"
#include "tests/toolbar/support/StepScript.h"
#include "toolbar/core/TTBSeparatorItem.h"
#include "toolbar/win/AnimationThread.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBPopupWindow.h"

using namespace formtest;
using namespace toolbartest;
using testsupport::ClickAt;
using testsupport::MoveTo;
using testsupport::Press;
using testsupport::SendKey;

namespace {

// The screen centre of a viewer.
TPoint CentreOf(TTBItemViewer* v) {
    const TRect b = v->BoundsRect();
    return v->View()->Window()->ClientToScreen(Point((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
}
TRect ScreenBounds(TTBItemViewer* v) {
    const TRect b = v->BoundsRect();
    const TPoint tl = v->View()->Window()->ClientToScreen(b.TopLeft());
    return Bounds(tl.X, tl.Y, b.Width(), b.Height());
}

BOOL CALLBACK CountVisiblePopup(HWND w, LPARAM count) {
    if (::IsWindowVisible(w) && dynamic_cast<TTBPopupWindow*>(FindControl(w))) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK FindVisiblePopup(HWND w, LPARAM found) {
    auto* popup = dynamic_cast<TTBPopupWindow*>(FindControl(w));
    if (popup && ::IsWindowVisible(w)) *reinterpret_cast<TTBPopupWindow**>(found) = popup;
    return TRUE;
}

// Visible popup windows of this thread.
int VisiblePopups() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountVisiblePopup, reinterpret_cast<LPARAM>(&count));
    return count;
}

struct Clicked {
    int count = 0;
    int popupsAtClick = -1;
    bool captureAtClick = true;
    void Click(TObject*) {
        ++count;
        popupsAtClick = VisiblePopups();
        captureAtClick = ::GetCapture() != nullptr;
    }
};

class MenuLoop : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        root_ = MakeObject<TTBCustomItem>(nullptr);
        file_ = Add<SubmenuItem>(root_.get(), u"&File");
        Add<TTBSeparatorItem>(file_, u"");  // leading: pruned
        open_ = Add<TTBCustomItem>(file_, u"&Open\tCtrl+O");
        save_ = Add<TTBCustomItem>(file_, u"&Save");
        Add<TTBSeparatorItem>(file_, u"");
        Add<TTBSeparatorItem>(file_, u"");  // doubled: pruned
        recent_ = Add<SubmenuItem>(file_, u"&Recent");
        one_ = Add<TTBCustomItem>(recent_, u"One");
        Add<TTBCustomItem>(recent_, u"Two");
        Add<TTBSeparatorItem>(file_, u"");
        exit_ = Add<TTBCustomItem>(file_, u"E&xit");
        Add<TTBSeparatorItem>(file_, u"");  // trailing: pruned
        edit_ = Add<SubmenuItem>(root_.get(), u"&Edit");
        Add<TTBCustomItem>(edit_, u"&Undo");
        for (TTBCustomItem* item : {open_, save_, exit_, one_}) item->OnClick = MakeMethod<&Clicked::Click>(&clicked_);

        form_ = NewForm(400, 300);
        form_->SetCaption("Menu form");
        host_ = Create<MenuBarHost>(Owner(), root_.get());
        ASSERT_TRUE(ShowBarOnForm(host_, form_));
    }
    void TearDown() override {
        Free(host_);
        host_ = nullptr;
        root_.reset();
        GuiTest::TearDown();
    }
    template <class T>
    static T* Add(TTBCustomItem* parent, const char16_t* caption) {
        return AddItem<T>(parent, caption);
    }
    TTBView* Bar() const { return host_->View(); }
    TTBView* FileView() const { return Bar()->OpenView(); }
    // Runs the script until it finishes (the loop runs inside the pump when a step starts it).
    void RunScript(Script& script) { EXPECT_EQ(toolbartest::RunScript(script, Bar()), ""); }
    // The same with the loop entered as F10 enters it, from here.
    void RunKeyboardScript(Script& script) {
        script.root = Bar();
        {
            ScriptRun run(script);
            host_->EnterKeyboardMode();
            WaitForScript(script);
        }
        EXPECT_EQ(script.failure, "");
    }
    bool LoopRunning() const { return (Bar()->State() & kVsModal) != 0; }

    TObjectPtr<TTBCustomItem> root_;
    SubmenuItem* file_ = nullptr;
    SubmenuItem* edit_ = nullptr;
    SubmenuItem* recent_ = nullptr;
    TTBCustomItem* open_ = nullptr;
    TTBCustomItem* save_ = nullptr;
    TTBCustomItem* exit_ = nullptr;
    TTBCustomItem* one_ = nullptr;
    TForm* form_ = nullptr;
    MenuBarHost* host_ = nullptr;
    Clicked clicked_;
};

}  // namespace

TEST_F(MenuLoop, AClickOpensTheDropDownAndTheChosenCommandRunsAfterTheMenuIsGone) {
    TTBItemViewer* fileViewer = Bar()->Find(file_);
    Script script;
    script.steps = {
        {"click File",
         [&] {
             ClickAt(CentreOf(fileViewer));
             return true;
         }},
        {"drop-down open", [&] { return FileView() && VisiblePopups() == 1; }},
        {"placed under File",
         [&] {
             const TRect parent = ScreenBounds(fileViewer);
             EXPECT_EQ(Bar()->OpenWindow()->Left(), parent.Left);
             EXPECT_EQ(Bar()->OpenWindow()->Top(), parent.Bottom);
             // Separators first, doubled and last never show: Open, Save, sep, Recent, sep, Exit.
             int shown = 0;
             int separators = 0;
             for (int i = 0; i < FileView()->ViewerCount(); ++i) {
                 TTBItemViewer* v = FileView()->Viewers(i);
                 if (!v->Show()) continue;
                 ++shown;
                 separators += v->Item()->ItemStyle().Contains(tbisSeparator);
             }
             EXPECT_EQ(shown, 6);
             EXPECT_EQ(separators, 2);
             return true;
         }},
        {"click Save",
         [&] {
             ClickAt(CentreOf(FileView()->Find(save_)));
             return true;
         }},
        {"loop ended", [&] { return !LoopRunning(); }},
        {"command ran", [&] { return clicked_.count == 1; }},
    };
    RunScript(script);
    EXPECT_EQ(clicked_.count, 1);
    EXPECT_EQ(clicked_.popupsAtClick, 0);
    EXPECT_FALSE(clicked_.captureAtClick);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MenuLoop, KeyboardOpensWithDownClosesOneLevelWithEscAndRunsAnAccelerator) {
    Script script;
    script.steps = {
        {"down opens File",
         [&] {
             Press(VK_DOWN);
             return true;
         }},
        {"first item selected",
         [&] { return FileView() && FileView()->Selected() && FileView()->Selected()->Item() == open_; }},
        {"Esc",
         [&] {
             Press(VK_ESCAPE);
             return true;
         }},
        {"one level back", [&] { return !FileView() && LoopRunning() && VisiblePopups() == 0; }},
        {"right, down",
         [&] {
             Press(VK_RIGHT);
             Press(VK_DOWN);
             return true;
         }},
        {"Edit open", [&] { return FileView() && Bar()->OpenViewer()->Item() == edit_; }},
        {"left",
         [&] {
             Press(VK_LEFT);
             return true;
         }},  // the bar follows: File opens with its first item
        {"File open again", [&] { return FileView() && Bar()->OpenViewer()->Item() == file_; }},
        {"unknown letter",
         [&] {
             Press('Q');
             return true;
         }},
        {"nothing changed", [&] { return FileView() && FileView()->Selected()->Item() == open_; }},
        {"accelerator x",
         [&] {
             Press('X');
             return true;
         }},
        {"loop ended", [&] { return !LoopRunning(); }},
    };
    RunKeyboardScript(script);
    ASSERT_TRUE(PumpQueued());  // the posted click runs from the message loop
    EXPECT_EQ(clicked_.count, 1);
    EXPECT_EQ(clicked_.popupsAtClick, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MenuLoop, EscAtTheTopAndAltEndTheLoop) {
    for (WORD key : {static_cast<WORD>(VK_ESCAPE), static_cast<WORD>(VK_MENU)}) {
        Script script;
        script.steps = {
            {"down",
             [&] {
                 Press(VK_DOWN);
                 return true;
             }},
            {"open", [&] { return FileView() != nullptr; }},
            {"end key",
             [&] {
                 Press(key == VK_ESCAPE ? VK_ESCAPE : VK_MENU);
                 return true;
             }},
            {"second Esc for the top",
             [&] {
                 if (key == VK_ESCAPE) Press(VK_ESCAPE);
                 return true;
             }},
            {"loop ended", [&] { return !LoopRunning(); }},
        };
        script.root = Bar();
        ScriptRun run(script);
        host_->EnterKeyboardMode();
        WaitForScript(script);
        EXPECT_EQ(script.failure, "") << key;
        EXPECT_EQ(VisiblePopups(), 0) << key;
        EXPECT_EQ(::GetCapture(), nullptr) << key;
    }
    ASSERT_TRUE(PumpQueued());  // a click would have been posted
    EXPECT_EQ(clicked_.count, 0);
}

TEST_F(MenuLoop, RestingOnASubmenuItemOpensItBesideTheItemAndRestingElsewhereClosesIt) {
    DWORD opened = 0;
    DWORD rested = 0;
    Script script;
    script.steps = {
        {"click File",
         [&] {
             ClickAt(CentreOf(Bar()->Find(file_)));
             return true;
         }},
        {"open", [&] { return FileView() != nullptr; }},
        {"rest on Recent",
         [&] {
             MoveTo(CentreOf(FileView()->Find(recent_)));
             rested = ::GetTickCount();
             return true;
         }},
        {"submenu open",
         [&] {
             if (!FileView()->OpenView()) return false;
             opened = ::GetTickCount();
             return true;
         }},
        {"placed beside Recent",
         [&] {
             const TRect parent = ScreenBounds(FileView()->Find(recent_));
             TTBPopupWindow* sub = FileView()->OpenWindow();
             EXPECT_EQ(sub->Left(), parent.Right - 3);
             EXPECT_EQ(sub->Top(), parent.Top - 3);
             return true;
         }},
        {"rest on Exit",
         [&] {
             MoveTo(CentreOf(FileView()->Find(exit_)));
             return true;
         }},
        {"submenu closed", [&] { return FileView()->OpenView() == nullptr; }},
        {"Esc Esc",
         [&] {
             Press(VK_ESCAPE);
             Press(VK_ESCAPE);
             return true;
         }},
        {"loop ended", [&] { return !LoopRunning(); }},
    };
    RunScript(script);
    // Not before the system's menu show delay.
    EXPECT_GE(opened - rested + 30, static_cast<DWORD>(tb::GetMenuShowDelay()));
    EXPECT_EQ(VisiblePopups(), 0);
}

TEST_F(MenuLoop, AnExceptionInsideTheLoopEndsItCleanly) {
    file_->onPopup = [] { throw std::runtime_error("popup refused"); };
    Script script;
    script.steps = {{"down", [&] {
                         Press(VK_DOWN);
                         return true;
                     }}};
    script.root = Bar();
    ScriptRun run(script);
    EXPECT_THROW(host_->EnterKeyboardMode(), std::runtime_error);
    EXPECT_FALSE(LoopRunning());
    EXPECT_EQ(VisiblePopups(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Bar()->Selected(), nullptr);
}

TEST_F(MenuLoop, DestroyingTheMenuBarInsideTheLoopEndsIt) {
    Script script;
    script.steps = {
        {"down",
         [&] {
             Press(VK_DOWN);
             return true;
         }},
        {"open", [&] { return FileView() != nullptr; }},
        {"destroy the bar",
         [&] {
             Free(host_);
             host_ = nullptr;
             return true;
         }},
    };
    ScriptRun run(script);
    host_->EnterKeyboardMode();  // returns once the bar is gone
    EXPECT_EQ(host_, nullptr);
    EXPECT_EQ(VisiblePopups(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(MenuLoop, ScreenshotOfAnOpenMenu) {
    // The classic look: flat menus off for the test, as they were afterwards.
    BOOL flat = FALSE;
    ::SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0);
    ::SystemParametersInfoA(SPI_SETFLATMENU, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(FALSE)), 0);
    TScopeExit restoreFlat(
        [&] { ::SystemParametersInfoA(SPI_SETFLATMENU, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(flat)), 0); });
    ASSERT_FALSE(tb::AreFlatMenusEnabled());
    COLORREF background = 0;
    std::vector<COLORREF> pixels;
    TRect rect;
    TRect selectedRow;
    TRect separator;
    Script script;
    script.steps = {
        {"down",
         [&] {
             Press(VK_DOWN);
             return true;
         }},
        {"open", [&] { return FileView() && FileView()->Selected(); }},
        {"painted",
         [&] {
             TTBPopupWindow* w = Bar()->OpenWindow();
             // The whole menu on the screen: shown, and its animation (a growing region) over.
             if (!::IsWindowVisible(w->Handle()) || tb::AnimationRunning(w->Handle())) return false;
             background = static_cast<COLORREF>(ColorToRGB(w->Color()));
             ::RedrawWindow(w->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
             RECT r{};
             ::GetWindowRect(w->Handle(), &r);
             rect = TRect{r.left, r.top, r.right, r.bottom};
             const TPoint origin = w->ClientToScreen(Point(0, 0));
             const TRect sel = FileView()->Selected()->BoundsRect();
             selectedRow =
                 Bounds(origin.X + sel.Left - rect.Left, origin.Y + sel.Top - rect.Top, sel.Width(), sel.Height());
             for (int i = 0; i < FileView()->ViewerCount(); ++i) {
                 TTBItemViewer* v = FileView()->Viewers(i);
                 if (v->Show() && v->Item()->ItemStyle().Contains(tbisSeparator)) {
                     const TRect b = v->BoundsRect();
                     separator =
                         Bounds(origin.X + b.Left - rect.Left, origin.Y + b.Top - rect.Top, b.Width(), b.Height());
                     break;
                 }
             }
             return true;
         }},
        {"on the display", [&] { return testsupport::ScreenShows(Bar()->OpenWindow()->Handle()); }},
        {"grabbed",
         [&] {
             const std::string path = testsupport::ArtifactPath("menu.bmp");
             testsupport::SaveScreen(path);
             const testsupport::SavedPicture shot(path);
             for (int y = rect.Top; y < rect.Bottom; ++y)
                 for (int x = rect.Left; x < rect.Right; ++x) pixels.push_back(shot.Pixel(x, y));
             return true;
         }},
        {"Alt",
         [&] {
             Press(VK_MENU);
             return true;
         }},
        {"ended", [&] { return !LoopRunning(); }},
    };
    RunKeyboardScript(script);
    const int w = rect.Width();
    const int h = rect.Height();
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(w * h));
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * w + x)]; };
    // The raised frame: light and dark outer edges, highlight and shadow inner ones, then a face line.
    EXPECT_EQ(at(0, 0), ::GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(w - 1, h - 1), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(1, 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(w - 2, h - 2), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(2, h / 2), ::GetSysColor(COLOR_BTNFACE));
    // The selected row is a highlight bar; its image column (as wide as the row is high) a raised button.
    const COLORREF bar = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(at(selectedRow.Right - 2, selectedRow.Top + 1), bar);
    EXPECT_EQ(at(selectedRow.Right - 2, selectedRow.Bottom - 2), bar);
    EXPECT_EQ(at(selectedRow.Left, selectedRow.Top), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(selectedRow.Left + selectedRow.Height() / 2, selectedRow.Top + selectedRow.Height() / 2),
              ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(selectedRow.Left + selectedRow.Height() - 1, selectedRow.Bottom - 1), ::GetSysColor(COLOR_BTNSHADOW));
    // The separator: an etched line (shadow over highlight) through its middle, 12 pixels in from each end.
    const int mid = (separator.Top + separator.Bottom) / 2;
    EXPECT_EQ(at(separator.Left + 12, mid - 1), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(separator.Left + 12, mid), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(at(separator.Left + 11, mid - 1), background);
    EXPECT_EQ(at(separator.Right - 13, mid - 1), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(at(separator.Right - 12, mid - 1), background);
}

namespace {

// A form that notes the system-menu key commands it gets instead of opening its window menu.
class TSysCommandForm : public TForm {
public:
    TSysCommandForm(TComponent* owner, TNoBuilders) : TForm(owner, NoBuilders) {}
    std::vector<LPARAM> keyMenus;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_SYSCOMMAND && (message.WParam & 0xFFF0) == SC_KEYMENU) {
            keyMenus.push_back(message.LParam);
            return;
        }
        TForm::WndProc(message);
    }
};

}  // namespace

TEST_F(MenuLoop, SpaceInKeyboardModeOpensTheWindowMenu) {
    auto* form = NewForm<TSysCommandForm>(300, 200);
    auto* host = Create<MenuBarHost>(Owner(), root_.get());
    host->SetParent(form);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return form->Active(); }));
    host->Fit();
    Script script;
    script.steps = {{"space", [&] {
                         Press(VK_SPACE);
                         return true;
                     }}};
    script.root = host->View();
    ScriptRun run(script);
    EXPECT_EQ(host->View()->RunMenuLoop(0), TTBDoneActionKind::SysMenu);
    ASSERT_EQ(form->keyMenus.size(), 1u);
    EXPECT_EQ(form->keyMenus[0], static_cast<LPARAM>(' '));
    EXPECT_EQ(clicked_.count, 0);
}

TEST_F(MenuLoop, ATallMenuScrollsWhileThePointerRestsOnItsArrow) {
    SubmenuItem* tall = Add<SubmenuItem>(root_.get(), u"&Tall");
    std::vector<TTBCustomItem*> rows;
    for (int i = 0; i < 120; ++i) {
        rows.push_back(Add<TTBCustomItem>(tall, u"Row"));
        rows.back()->OnClick = MakeMethod<&Clicked::Click>(&clicked_);
    }
    host_->Fit();
    TTBView* view = nullptr;
    int firstShown = -1;
    Script script;
    script.steps = {
        // Too tall to fit below the bar, the menu is pulled up over it, under the pointer: the release of
        // the click that opened it runs nothing.
        {"click Tall",
         [&] {
             ClickAt(CentreOf(Bar()->Find(tall)));
             return true;
         }},
        {"open",
         [&] {
             view = Bar()->OpenView();
             return view != nullptr;
         }},
        {"still open after the release",
         [&] {
             if (testsupport::MessagesQueued()) return false;  // the release is handled once the queue is empty
             EXPECT_TRUE(LoopRunning());
             EXPECT_EQ(Bar()->OpenView(), view);
             return true;
         }},
        {"arrows",
         [&] {
             EXPECT_FALSE(view->ShowsUpArrow());
             EXPECT_TRUE(view->ShowsDownArrow());
             TTBPopupWindow* w = Bar()->OpenWindow();
             const RECT work = tb::GetWorkArea(true, w->Handle());
             EXPECT_LE(w->Top() + w->Height(), work.bottom);  // the window stays within the work area
             EXPECT_TRUE(view->Viewers(119)->Clipped());
             const TRect client = w->ClientRect();
             MoveTo(w->ClientToScreen(Point(client.Width() / 2, client.Height() - 5)));
             return true;
         }},
        {"scrolled", [&] { return view->ShowsUpArrow(); }},
        {"leave the arrow",
         [&] {
             MoveTo(CentreOf(Bar()->Find(file_)));
             for (int i = 0; i < view->ViewerCount(); ++i) {
                 if (view->Viewers(i)->Show()) {
                     firstShown = i;
                     break;
                 }
             }
             return true;
         }},
        {"Esc",
         [&] {
             Press(VK_ESCAPE);
             Press(VK_ESCAPE);
             return true;
         }},
        {"ended", [&] { return !LoopRunning(); }},
    };
    RunScript(script);
    EXPECT_GT(firstShown, 0);  // the first rows went under the up arrow
    EXPECT_EQ(clicked_.count, 0);
}

TEST_F(MenuLoop, APopupMenuAtAPointRunsItsCommandAfterItCloses) {
    TTBPopupWindow* window = nullptr;
    bool chosen = false;
    Script script;
    script.steps = {
        {"shown",
         [&] {
             ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisiblePopup, reinterpret_cast<LPARAM>(&window));
             return window != nullptr;
         }},
        {"at the point",
         [&] {
             EXPECT_EQ(window->Left(), 300);
             EXPECT_EQ(window->Top(), 200);
             return true;
         }},
        {"click One",
         [&] {
             ClickAt(CentreOf(window->View()->Find(one_)));
             return true;
         }},
    };
    {
        ScriptRun run(script);
        chosen = tb::PopupMenuAt(recent_, Point(300, 200), tb::TTBPopupAlignment::Left);
    }
    EXPECT_TRUE(chosen);
    EXPECT_EQ(script.failure, "");
    EXPECT_EQ(clicked_.count, 0);  // posted, not yet run
    PumpUntil([&] { return clicked_.count == 1; });
    EXPECT_EQ(clicked_.count, 1);
    EXPECT_EQ(clicked_.popupsAtClick, 0);
}

TEST_F(MenuLoop, AClickOnAnotherWindowClosesTheMenuAndStillReachesThatWindow) {
    // Another bar of the program whose one button runs a command on a click.
    TObjectPtr<TTBCustomItem> otherRoot = MakeObject<TTBCustomItem>(nullptr);
    TTBCustomItem* button = Add<TTBCustomItem>(otherRoot.get(), u"Other");
    button->OnClick = MakeMethod<&Clicked::Click>(&clicked_);
    auto* other = Create<MenuBarHost>(Owner(), otherRoot.get());
    other->SetParent(form_);
    other->SetBounds(100, 150, 10, 10);
    other->Fit();
    ASSERT_TRUE(PumpQueued());
    Script script;
    script.steps = {
        {"down",
         [&] {
             Press(VK_DOWN);
             return true;
         }},
        {"open", [&] { return FileView() != nullptr; }},
        {"click the other bar",
         [&] {
             ClickAt(CentreOf(other->View()->Viewers(0)));
             return true;
         }},
    };
    script.root = Bar();
    {
        ScriptRun run(script);
        host_->EnterKeyboardMode();
        // The press was left in the queue: it reaches the other bar from the ordinary message loop.
        PumpUntil([&] { return clicked_.count > 0; });
    }
    EXPECT_FALSE(LoopRunning());
    EXPECT_EQ(clicked_.count, 1);
    EXPECT_EQ(clicked_.popupsAtClick, 0);
    Free(other);
}

TEST_F(MenuLoop, AnItemThatShowsItsHintGetsTheShortPartAsUtf8) {
    TTBItemOptions options;
    options.Include(tboShowHint);
    save_->SetOptions(options);
    save_->SetHint(u"Sav\u00e9s the file|Writes it to disk");
    Application->SetShowHint(true);
    Application->SetHintPause(50);
    const auto hintShowing = [] {
        THintWindow* hint = Application->HintWindow();
        return hint && hint->HandleAllocated() && ::IsWindowVisible(hint->WindowHandle());
    };
    AnsiString caption;
    AnsiString statusHint;
    Script script;
    script.steps = {
        {"click File",
         [&] {
             ClickAt(CentreOf(Bar()->Find(file_)));
             return true;
         }},
        {"open", [&] { return FileView() != nullptr; }},
        {"rest on Save",
         [&] {
             MoveTo(CentreOf(FileView()->Find(save_)));
             return true;
         }},
        {"hint shown",
         [&] {
             if (!hintShowing()) {
                 static int wiggle = 0;
                 const TPoint c = CentreOf(FileView()->Find(save_));
                 MoveTo(Point(c.X + (++wiggle / 10) % 2, c.Y));
                 return false;
             }
             caption = Application->HintWindow()->Caption();
             statusHint = Application->Hint();
             return true;
         }},
        {"Esc Esc",
         [&] {
             Press(VK_ESCAPE);
             Press(VK_ESCAPE);
             return true;
         }},
        {"ended", [&] { return !LoopRunning(); }},
    };
    RunScript(script);
    EXPECT_EQ(caption, "Sav\xC3\xA9s the file");
    EXPECT_EQ(statusHint, "Writes it to disk");
    EXPECT_EQ(Application->Hint(), "");
}

namespace {

std::vector<WPARAM> g_handshakes;

LRESULT CALLBACK RecordHandshake(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == tb::kPopupShowMessage) g_handshakes.push_back(msg->wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(MenuLoop, APopupShownWithoutAnimationTellsItselfWith1578) {
    BOOL animation = FALSE;
    ::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &animation, 0);
    ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(FALSE)), 0);
    TScopeExit restore([&] {
        ::SystemParametersInfoA(SPI_SETMENUANIMATION, 0, reinterpret_cast<PVOID>(static_cast<UINT_PTR>(animation)), 0);
    });
    g_handshakes.clear();
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &RecordHandshake, nullptr, ::GetCurrentThreadId());
    TScopeExit unhook([&] { ::UnhookWindowsHookEx(hook); });
    Script script;
    script.steps = {
        {"down",
         [&] {
             Press(VK_DOWN);
             return true;
         }},
        {"open", [&] { return FileView() != nullptr; }},
        {"told once", [&] { return g_handshakes == std::vector<WPARAM>{3}; }},
        {"Esc Esc",
         [&] {
             Press(VK_ESCAPE);
             Press(VK_ESCAPE);
             return true;
         }},
        {"ended", [&] { return !LoopRunning(); }},
    };
    RunKeyboardScript(script);
    EXPECT_EQ(g_handshakes, std::vector<WPARAM>{3});
}
