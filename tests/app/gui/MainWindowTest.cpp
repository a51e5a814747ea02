// The real main window as the program's own start-up builds it (the main form and the tool panel module, the
// state walk over the state file, the language files beside the program), run in this test program: its
// menu bar read through the accessibility objects in English and in German after a switch that lasts to the
// next start, the toolbar toggles of View > Toolbars, the tool panel's width and place and the window's placement
// across a restart, and files dropped from the shell.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include "app/core/TKelvoLocalizer.h"
#include "app/win/KelvoFiles.h"
#include "app/win/KelvoLanguageFolder.h"
#include "app/win/TKelvoFrame.h"
#include "app/win/TKelvoToolFrame.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "app/win/TMainForm.h"
#include "app/win/TProgressMeter.h"
#include "classlib/win/TProgressBar.h"
#include "classlib/core/CodePages.h"
#include "classlib/core/FormBuilder.h"
#include "classlib/core/Messages.h"
#include "classlib/win/TCustomControl.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestSupport.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/win/FileDropSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/toolbar/support/AccessibleClient.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinMultiDock.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "themed/win/TSkinStatusBar.h"
#include "themed/win/TSkinToolbar.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/WideChars.h"
#include "toolbar/core/AccessibilityRules.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/win/TTBImageList.h"
#include "unicode/win/WideFiles.h"

using kelvotest::KelvoAppTest;
using testsupport::PumpUntil;
using namespace toolbartest;

namespace {

AnsiString ReadState() {
    AnsiString bytes;
    kelvo::ReadFileBytes(KelvoApplication->GetStateFileName(), bytes, 1 << 20);
    return bytes;
}

class TOptionsFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TOptionsFrame, TKelvoFrame)
    explicit TOptionsFrame(TComponent* owner) : TKelvoFrame(owner) {}
};

class MainWindow : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        languages_ = kelvotest::ProgramLanguages();
        ::DeleteFileW(WideCStr(KelvoApplication->GetStateFileName()));
        tb::StartAccessibility(false);
        Start();
    }
    void TearDown() override {
        Stop();
        tb::EndAccessibility();
        languages_.reset();
        KelvoAppTest::TearDown();
    }

    // The program's start: its windows, the state walk, the main window shown.
    void Start() {
        kelvotest::CreateMainWindowModules();
        form_ = dynamic_cast<TMainForm*>(Application->MainForm());
        ASSERT_TRUE(form_);
        for (int i = 0; i < Application->ComponentCount() && !panel_; ++i)
            panel_ = dynamic_cast<TKelvoToolPanelModule*>(Application->Components(i));
        ASSERT_TRUE(panel_);
        KelvoApplication->LoadState();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form_->Handle()) && form_->Menu->HandleAllocated(); }));
    }
    // The program's end: the state written, its windows freed.
    void Stop() {
        if (!form_) return;
        // The deferred calls the window queued run while it exists.
        EXPECT_TRUE(PumpUntil([] { return KelvoApplication->PostponedCount() == 0; }));
        KelvoApplication->SaveState();
        kelvotest::FreeProgramWindows(form_);
        panel_ = nullptr;
        form_ = nullptr;
        testsupport::PumpQueued();  // what freeing the windows queued
    }
    void Restart() {
        Stop();
        Start();
    }

    // The names of the menu bar's items as a screen reader reads them.
    std::vector<WideString> MenuNames() {
        std::vector<WideString> names;
        AccessibleRef bar = AccessibleOf(form_->Menu->Handle());
        if (!bar) return names;
        LONG count = 0;
        bar->get_accChildCount(&count);
        for (LONG i = 1; i <= count; ++i) names.push_back(AccName(ChildOf(bar, i)));
        return names;
    }

    TSkinItem* LanguageItem(std::intptr_t id) {
        for (int i = 0; i < form_->LanguageMenuItem->Count(); ++i)
            if (form_->LanguageMenuItem->Items(i)->Tag() == id)
                return dynamic_cast<TSkinItem*>(form_->LanguageMenuItem->Items(i));
        return nullptr;
    }

    TMainForm* form_ = nullptr;
    TKelvoToolPanelModule* panel_ = nullptr;

private:
    std::unique_ptr<kelvotest::TTestLanguages> languages_;
};

}  // namespace

TEST_F(MainWindow, StartsWithItsMenuBarAnEmptyToolPanelAtTheRightAndTheStatusBar) {
    EXPECT_EQ(MenuNames(), (std::vector<WideString>{u"File", u"View", u"Help"}));
    EXPECT_EQ(form_->Menu->Caption(), u"Menu");
    EXPECT_TRUE(panel_->Panel->Visible());
    EXPECT_EQ(panel_->Panel->CurrentDock(), form_->RightMultiDock);
    EXPECT_EQ(panel_->Panel->Caption(), u"Tools");
    EXPECT_EQ(panel_->Toolbar->Items()->Count(), 0);
    EXPECT_EQ(panel_->TopFrame->Height(), panel_->Toolbar->Height() + 6);
    EXPECT_EQ(panel_->VisibleMenuItem->Parent(), form_->ViewMenuItem);
    EXPECT_EQ(form_->ViewMenuItem->IndexOf(panel_->VisibleMenuItem) + 1,
              form_->ViewMenuItem->IndexOf(form_->ToolbarsMenuItem));
    // The panel lies at the right edge of the client area, the status bar along the bottom.
    RECT client, panel, status;
    ::GetClientRect(form_->Handle(), &client);
    ::MapWindowPoints(form_->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::GetWindowRect(panel_->Panel->Handle(), &panel);
    ::GetWindowRect(form_->StatusBar->Handle(), &status);
    EXPECT_EQ(panel.right, client.right);
    EXPECT_GT(panel.right - panel.left, 150);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_LE(panel.bottom, status.top);
    EXPECT_TRUE(::SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL, 0));
    testsupport::SaveScreen(testsupport::ArtifactPath("main-window.bmp"));
}

TEST_F(MainWindow, LoadImageAddsANamedPictureAndItsGreyedTwinOrNothing) {
    TCustomImageList* images = form_->GetImages();
    const int before = images->Count();
    EXPECT_EQ(form_->LoadImage("NoSuchPicture"), -1);
    EXPECT_EQ(images->Count(), before);
    EXPECT_EQ(form_->LoadImage("Undo"), before);
    EXPECT_EQ(form_->LoadImage("CONTRAST"), before + 1);
    EXPECT_EQ(images->Count(), before + 2);

    // A toolbar image list as the shared one: the greyed twin goes to its disabled images at the same index.
    auto* shared = Create<TTBImageList>(form_);
    auto* disabled = Create<TImageList>(form_);
    for (TCustomImageList* list : {static_cast<TCustomImageList*>(shared), static_cast<TCustomImageList*>(disabled)}) {
        list->SetWidth(24);
        list->SetHeight(24);
    }
    shared->SetDisabledImages(disabled);
    form_->SetImages(shared);
    EXPECT_EQ(form_->LoadImage("Redo"), 0);
    EXPECT_EQ(form_->LoadImage("RIGHT"), 1);
    EXPECT_EQ(disabled->Count(), 2);
}

TEST_F(MainWindow, DeutschReCaptionsEverythingAtOnceAndTheNextStartIsGerman) {
    ASSERT_EQ(form_->LanguageMenuItem->Count(), 2);
    ASSERT_TRUE(LanguageItem(1033) && LanguageItem(1031));
    EXPECT_EQ(LanguageItem(1033)->Caption(), u"English");
    EXPECT_TRUE(LanguageItem(1033)->Checked());
    TSkinToolbar* toolbar = form_->AddToolbar(u"Standard");
    TTBCustomItem* toggle = form_->ToolbarsMenuItem->Items(0);

    LanguageItem(1031)->Click();
    // At once, without a message: every caption of the window.
    EXPECT_EQ(MenuNames(), (std::vector<WideString>{u"Datei", u"Ansicht", u"Hilfe"}));
    EXPECT_EQ(form_->ExitMenuItem->Caption(), u"&Beenden");
    EXPECT_EQ(form_->ToolbarsMenuItem->Caption(), u"&Symbolleisten");
    EXPECT_EQ(form_->LanguageMenuItem->Caption(), u"&Sprache");
    EXPECT_EQ(form_->Menu->Caption(), u"Menü");
    EXPECT_EQ(panel_->Panel->Caption(), u"Werkzeuge");
    EXPECT_EQ(panel_->VisibleMenuItem->Caption(), u"Werkzeuge");
    EXPECT_TRUE(LanguageItem(1031)->Checked());
    EXPECT_FALSE(LanguageItem(1033)->Checked());
    // A toolbar that took a new name in its own module's Localize: its toggle follows once the queue ran.
    toolbar->SetCaption(u"Standard (de)");
    ASSERT_TRUE(PumpUntil([&] { return toggle->Caption() == u"Standard (de)"; }));

    Restart();
    EXPECT_EQ(GetCurrentLanguageId(), 1031);
    EXPECT_EQ(MenuNames(), (std::vector<WideString>{u"Datei", u"Ansicht", u"Hilfe"}));
    EXPECT_EQ(panel_->Panel->Caption(), u"Werkzeuge");
    LanguageItem(1033)->Click();
    EXPECT_EQ(MenuNames(), (std::vector<WideString>{u"File", u"View", u"Help"}));
}

TEST_F(MainWindow, ItemsAndButtonsGoBeforeTheirSiblingOrAtTheEnd) {
    const TNotifyEvent none;
    TSkinSubmenuItem* edit = form_->AddSubmenu(u"&Edit", nullptr, form_->ViewMenuItem);
    EXPECT_EQ(form_->Menu->Items()->IndexOf(edit), 1);
    TSkinItem* undo = form_->AddMenuItem(u"&Undo", scCtrl | 'Z', nullptr, edit, 8, none);
    // A "before" item of another menu: appended.
    TSkinItem* redo = form_->AddMenuItem(u"&Redo", 0, form_->ExitMenuItem, edit, 9, none);
    TSkinSeparatorItem* line = form_->AddSeparator(edit, redo);
    EXPECT_EQ(edit->IndexOf(undo), 0);
    EXPECT_EQ(edit->IndexOf(line), 1);
    EXPECT_EQ(edit->IndexOf(redo), 2);
    EXPECT_EQ(undo->Images(), form_->GetImages());
    EXPECT_EQ(undo->ImageIndex(), 8);
    EXPECT_EQ(undo->ShortCut(), TShortCut(scCtrl | 'Z'));

    TSkinToolbar* bar = form_->AddToolbar(u"Standard");
    TSkinItem* open = form_->AddToolButton<TSkinItem>(bar, form_->GetImages(), nullptr, u"Open", 1, none);
    TSkinItem* save = form_->AddToolButton<TSkinItem>(bar, form_->GetImages(), open, u"Save", 2, none);
    EXPECT_EQ(bar->Items()->IndexOf(save), 0);
    EXPECT_EQ(bar->Items()->IndexOf(open), 1);
    EXPECT_EQ(save->Hint(), u"Save");
    EXPECT_EQ(save->Caption(), u"Save");
    EXPECT_EQ(save->Owner(), bar);
}

TEST_F(MainWindow, ViewToolbarsHidesAndShowsEachToolbar) {
    TSkinToolbar* standard = form_->AddToolbar(u"Standard");
    TSkinToolbar* edit = form_->AddToolbar(u"Edit");
    ASSERT_EQ(form_->ToolbarsMenuItem->Count(), 2);
    EXPECT_EQ(standard->CurrentDock(), form_->TopDock);
    EXPECT_EQ(standard->Images(), form_->GetImages());
    TTBCustomItem* toggleEdit = form_->ToolbarsMenuItem->Items(1);
    EXPECT_EQ(toggleEdit->Caption(), u"Edit");
    EXPECT_TRUE(toggleEdit->Checked());
    toggleEdit->Click();
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(standard->Visible());
    EXPECT_FALSE(toggleEdit->Checked());
    toggleEdit->Click();
    EXPECT_TRUE(edit->Visible());
}

TEST_F(MainWindow, TheViewMenuItemShowsAndHidesTheToolPanelAndIsCheckedWhileItShows) {
    // The messages, then an idle pass, as the application's loop runs them.
    const auto idleStep = [] {
        Application->ProcessMessages();
        bool done = true;
        if (Application->OnIdle) Application->OnIdle(Application, done);
    };
    EXPECT_TRUE(PumpUntil([&] { return panel_->VisibleMenuItem->Checked(); }, testsupport::kPumpTimeoutMs, idleStep));
    panel_->VisibleMenuItem->Click();
    EXPECT_FALSE(panel_->GetPanelVisible());
    EXPECT_TRUE(PumpUntil([&] { return !panel_->VisibleMenuItem->Checked(); }, testsupport::kPumpTimeoutMs, idleStep));
    panel_->VisibleMenuItem->Click();
    EXPECT_TRUE(panel_->GetPanelVisible());
    EXPECT_TRUE(PumpUntil([&] { return panel_->VisibleMenuItem->Checked(); }, testsupport::kPumpTimeoutMs, idleStep));
}

TEST_F(MainWindow, ToolPanelWidthAndPlaceAndTheWindowPlacementLastAcrossARestart) {
    panel_->Panel->SetMinClientWidth(200);
    const int width = panel_->Panel->DockedWidth();
    panel_->SetPanelWidth(150);
    EXPECT_EQ(panel_->Panel->DockedWidth(), width);
    panel_->SetPanelWidth(260);
    EXPECT_EQ(panel_->Panel->DockedWidth(), 260);
    EXPECT_EQ(panel_->Panel->MinClientWidth(), 260);
    EXPECT_EQ(panel_->Panel->MaxClientWidth(), 260);
    panel_->Panel->SetCurrentDock(form_->LeftMultiDock);
    form_->SetBounds(123, 77, 640, 480);
    // A tool's options fill the panel below the toolbar frame.
    RegisterFormBuilder(TOptionsFrame::StaticClass(), [](TComponent*) {});
    auto* options = panel_->AddToolFrame<TOptionsFrame>();
    EXPECT_EQ(options->Parent(), panel_->Panel);
    EXPECT_EQ(options->Owner(), panel_);
    EXPECT_EQ(options->Align(), alClient);

    Restart();
    EXPECT_EQ(panel_->Panel->CurrentDock(), form_->LeftMultiDock);
    EXPECT_EQ(panel_->Panel->DockedWidth(), 260);
    RECT r;
    ::GetWindowRect(form_->Handle(), &r);
    EXPECT_EQ(r.left, 123);
    EXPECT_EQ(r.top, 77);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);

    // Nothing changed: the next state file is the same, byte for byte.
    KelvoApplication->SaveState();
    const AnsiString first = ReadState();
    Restart();
    KelvoApplication->SaveState();
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(ReadState(), first);
}

TEST_F(MainWindow, OfThreeDroppedFilesOnlyTheFirstIsOpenedAndAFolderNothing) {
    testsupport::TempDir dir;
    const WideString folder = AnsiToWide(dir.Path()) + u"\\";
    std::vector<WideString> names = {folder + u"a.jpg", folder + u"b.jpg", folder + u"c.jpg"};
    for (const WideString& name : names) ASSERT_TRUE(kelvo::ReplaceFileContent(name, "x", 1));
    struct Opened {
        std::vector<WideString> names;
        void Open(const WideString& name) { names.push_back(name); }
    } opened;
    form_->OnDropFile = MakeMethod<&Opened::Open>(&opened);
    ::PostMessageW(form_->Handle(), WM_DROPFILES, WPARAM(testsupport::MakeFileDrop(names)), 0);
    ASSERT_TRUE(PumpUntil([&] { return !opened.names.empty(); }));
    ::PostMessageW(form_->Handle(), WM_DROPFILES, WPARAM(testsupport::MakeFileDrop({AnsiToWide(dir.Path())})), 0);
    ASSERT_TRUE(testsupport::PumpQueued());  // the folder's drop has been handled
    EXPECT_EQ(opened.names, std::vector<WideString>{names[0]});
}

namespace {

// A control that notes when it is told the mouse left it.
class TLeaveNoted : public TCustomControl {
    CLASSLIB_COMPONENT(TLeaveNoted, TCustomControl)
    CLASSLIB_MESSAGES(TLeaveNoted, CLASSLIB_ON(CM_MOUSELEAVE, &TLeaveNoted::CMMouseLeave))
    explicit TLeaveNoted(TComponent* owner) : TCustomControl(owner) {}
    int leaves = 0;

private:
    void CMMouseLeave(TMessage&) { ++leaves; }
};

}  // namespace

TEST_F(MainWindow, TheKeyboardMenuFirstTellsTheDisabledControlUnderThePointerThatTheMouseLeft) {
    auto* control = Create<TLeaveNoted>(form_);
    control->SetBounds(20, 80, 100, 60);
    control->SetEnabled(false);
    control->SetParent(form_);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(control->Handle()); }));
    POINT p{60, 100};
    ::ClientToScreen(form_->Handle(), &p);
    ::SetCursorPos(p.x, p.y);
    // Alt with a letter no menu item has: the menu bar's keyboard handling runs and opens nothing.
    ::SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'q');
    EXPECT_EQ(control->leaves, 1);
}

TEST_F(MainWindow, TheProgressBarOfTheRendersIsTheStatusBarsLast200PixelPanel) {
    form_->StatusBar->Panels()->Add()->SetCaption(u"X:");
    TProgressBar* bar = AddStatusProgressBar(form_->StatusBar);
    TSkinStatusPanels* panels = form_->StatusBar->Panels();
    ASSERT_EQ(panels->Count(), 2);
    EXPECT_EQ(panels->Items(1)->Control(), bar);
    EXPECT_EQ(panels->Items(1)->Size(), 200);
    EXPECT_EQ(bar->Step(), 1);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(bar->Handle()); }));
}
