// Menus and modal prompts in the whole program, driven with the real pointer: a submenu whose items take seconds
// to gather, the save question over the menu bar, the click that answers a prompt, and what a reopened file
// starts with.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/core/TKelvoGraphicsDocument.h"
#include "app/core/TKelvoGraphicsEditorDocuments.h"
#include "app/win/KelvoGraphicsIO.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TMainForm.h"
#include "classlib/core/CodePages.h"
#include "classlib/win/WindowDC.h"
#include "support/DialogDriver.h"
#include "support/RealInput.h"
#include "support/ScreenPicture.h"
#include "support/TwainTestSource.h"
#include "tests/app/win/PixelTestSupport.h"
#include "tests/main/gui/ProgramTestSupport.h"
#include "tests/support/MessagePump.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBPopupWindow.h"
#include "toolbar/win/TTBToolbarView.h"
#include "toolbar/win/TTBView.h"
#include "tools/win/TKelvoPersp4Tool.h"
#include "tools/win/TKelvoPersp4ToolFrame.h"
#include "unicode/win/TUniButton.h"

using testsupport::PumpUntil;

namespace {

class MenusAndPrompts : public kelvotest::ProgramTest {};

// The viewer of the item in the view, in screen coordinates; empty when the view does not show it.
TRect ScreenBounds(TTBView* view, HWND window, TTBCustomItem* item) {
    TTBItemViewer* viewer = view ? view->Find(item) : nullptr;
    if (!viewer) return TRect{};
    const TRect b = viewer->BoundsRect();
    POINT p{b.Left, b.Top};
    ::ClientToScreen(window, &p);
    return TRect{p.x, p.y, p.x + b.Width(), p.y + b.Height()};
}

TPoint Centre(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// Whether the display shows the window as it drew itself, left of x (screen coordinates).
bool ShownLeftOf(HWND window, int x) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const int w = std::min<int>(r.right, x) - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    const TWindowDC screen;
    const TWindowDC own(window, true);
    return testsupport::CopyPixels(screen.Get(), r.left, r.top, w, h) == testsupport::CopyPixels(own.Get(), 0, 0, w, h);
}

HWND OpenPopup(TTBView* view) {
    TTBPopupWindow* window = view ? view->OpenWindow() : nullptr;
    return window && window->HandleAllocated() && ::IsWindowVisible(window->Handle()) ? window->Handle() : nullptr;
}

}  // namespace

// Gathering the scanner sources takes seconds under Wine (its camera source): meanwhile the File menu stays open
// and painted, and the Import submenu then opens beside its item with the sources in it.
TEST_F(MenusAndPrompts, ImportOpensBesideTheFileMenuWhileASlowSourceListIsGathered) {
    ASSERT_NO_FATAL_FAILURE(testsupport::InstallTwainTestSource());
    testsupport::TEnvironmentSwitch slow("VANTOREL_TESTDS_HANG", "IDENTITY.GET:3000");
    TTBView* bar = form_->Menu->View();
    const TRect file = ScreenBounds(bar, form_->Menu->Handle(), form_->FileMenuItem);
    ASSERT_FALSE(file.IsEmpty());
    ASSERT_TRUE(editor_->ImportMenuItem->Visible());

    // The menus run their own loop from the click on: the pointer and the watch on the menus are another
    // thread's, which only reads window states and the views' layout while the loop waits.
    std::atomic<bool> done{false}, hidden{false}, opened{false}, onScreen{false};
    std::atomic<HWND> fileWindow{nullptr}, importWindow{nullptr};
    std::atomic<ULONGLONG> longestUnpainted{0};
    TRect import{}, importItem{};
    std::thread user([&] {
        const ULONGLONG deadline = ::GetTickCount64() + 6 * testsupport::kPumpTimeoutMs;
        testsupport::MoveTo(Centre(file));
        testsupport::WaitUntilHandled(form_->Handle());
        testsupport::ClickAt(Centre(file));
        while (!fileWindow && ::GetTickCount64() < deadline) {
            fileWindow = OpenPopup(bar);
            ::Sleep(5);
        }
        if (!fileWindow) return void(done = true);
        TTBView* fileView = bar->OpenView();
        importItem = ScreenBounds(fileView, fileWindow, editor_->ImportMenuItem);
        testsupport::MoveTo(Centre(importItem));
        // Until the submenu shows, the File menu is made to repaint over and over, as a window moved across it
        // would: each time it must be painted again at once, not when the list is complete.
        ULONGLONG dirtySince = 0;
        while (!importWindow && ::GetTickCount64() < deadline) {
            if (!::IsWindowVisible(fileWindow)) hidden = true;
            const ULONGLONG now = ::GetTickCount64();
            if (!::GetUpdateRect(fileWindow, nullptr, FALSE)) {
                if (dirtySince) longestUnpainted = std::max<ULONGLONG>(longestUnpainted.load(), now - dirtySince);
                ::InvalidateRect(fileWindow, nullptr, FALSE);
                dirtySince = now;
            }
            importWindow = OpenPopup(fileView);
            ::Sleep(10);
        }
        if (dirtySince && ::GetUpdateRect(fileWindow, nullptr, FALSE))
            longestUnpainted = std::max<ULONGLONG>(longestUnpainted.load(), ::GetTickCount64() - dirtySince);
        opened = importWindow != nullptr;
        if (opened) {
            RECT r{};
            ::GetWindowRect(importWindow, &r);
            import = TRect{r.left, r.top, r.right, r.bottom};
            if (!::IsWindowVisible(fileWindow)) hidden = true;
            // The submenu overlaps its parent's edge: the display is compared with the submenu, and with the File
            // menu beside it (under Wine it once showed the submenu alone while the File menu, painted, stayed
            // behind the main window).
            while (!(onScreen = testsupport::ScreenShows(importWindow) &&
                                !::GetUpdateRect(fileWindow, nullptr, FALSE) && ShownLeftOf(fileWindow, import.Left)) &&
                   ::GetTickCount64() < deadline)
                ::Sleep(10);
            testsupport::SaveScreen(testsupport::ArtifactPath("menu-file-import.bmp"));
        }
        for (int i = 0; i < 3; ++i) {
            testsupport::Press(VK_ESCAPE);
            testsupport::WaitUntilHandled(form_->Handle());
        }
        done = true;
    });
    const bool finished = testsupport::WaitFor(
        "the menus opened and closed", [&] { return done.load(); }, 8 * testsupport::kPumpTimeoutMs);
    user.join();
    ASSERT_TRUE(finished);
    ASSERT_TRUE(fileWindow.load());
    ASSERT_TRUE(opened) << "the Import submenu did not open";
    EXPECT_FALSE(hidden) << "the File menu went away while the sources were gathered";
    EXPECT_LT(longestUnpainted.load(), 1500u) << "the File menu stayed unpainted while the sources were gathered";
    EXPECT_TRUE(onScreen) << "the display does not show the File menu and the Import submenu beside it";
    // A submenu of a popup menu: its left at the parent item's right - 3, its top at the item's top - 3.
    EXPECT_EQ(import.Left, importItem.Right - 3);
    EXPECT_EQ(import.Top, importItem.Top - 3);
    bool listed = false;
    for (int i = 0; i < editor_->ImportMenuItem->Count(); ++i)
        listed =
            listed || editor_->ImportMenuItem->Items(i)->Caption() == AnsiToWide(testsupport::kTwainTestSourceName);
    EXPECT_TRUE(listed);
    EXPECT_TRUE(PumpUntil([&] { return !OpenPopup(bar); }));
}

namespace {

// The pixels the display shows of a window's area.
std::vector<std::uint32_t> ShownPixels(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const TWindowDC screen;
    return testsupport::CopyPixels(screen.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

// Closing the window (its caption's close button) with a changed image asks to save: while the question is up
// the menu bar shows its items, and after Cancel it still does.
TEST_F(MenusAndPrompts, TheMenuBarStaysPaintedUnderTheSaveQuestionAndAfterItsCancel) {
    ASSERT_TRUE(OpenGradient());
    editor_->GetActiveDocument()->SetSaved(false);
    const HWND bar = form_->Menu->Handle();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return testsupport::ScreenShows(bar); }));
    const std::vector<std::uint32_t> painted = ShownPixels(bar);

    std::wstring question;
    testsupport::DialogDriver cancel(
        {L""},
        [&](HWND box) {
            wchar_t text[256] = {};
            ::GetDlgItemTextW(box, 0xFFFF, text, 256);
            question = text;
            testsupport::SaveScreen(testsupport::ArtifactPath("save-question-menu-bar.bmp"));
            testsupport::PressButton(box, IDCANCEL);
        },
        1, [&] { return ShownPixels(bar) == painted; });
    // What the caption's close button sends.
    ::PostMessageW(form_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const bool answered = testsupport::WaitFor(
        "the save question answered", [&] { return cancel.Answered() > 0; }, 4 * testsupport::kPumpTimeoutMs);
    ASSERT_TRUE(answered);
    EXPECT_EQ(question, L"Do you want to save the changes to photo.png?");
    EXPECT_TRUE(editor_->GetActiveDocument());
    EXPECT_TRUE(::IsWindowVisible(form_->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return ShownPixels(bar) == painted; })) << "the menu bar stayed blank";
}

namespace {

// A 1600 x 1200 gradient as a PNG file of the test's folder, opened: it fills the view at best fit.
bool OpenLargeImage(TKelvoGraphicsEditor& editor, const std::string& path) {
    TKelvoPixelBuffer pixels(KelvoFormatBGR24, MakeRect(0, 0, 1600, 1200));
    pixeltest::FillGradient(pixels);
    TKelvoProperties none;
    return WriteGraphicsFile(AnsiToWide(path), KelvoFormatPNG, pixels, TKelvoRect{}, none, TKelvoResolution{}, 80) &&
           editor.Documents().Open(AnsiToWide(path), nullptr, true) && editor.GetActiveView();
}

}  // namespace

// A prompt that comes up while a button is held on the image (a drag interrupted by a key's command): neither
// the release of that button while the prompt is up nor the click on the prompt's button reaches the image's
// tool; the click answers the prompt.
TEST_F(MenusAndPrompts, TheClickThatAnswersAPromptNeverReachesTheImage) {
    auto* tool = Find<TKelvoPersp4Tool>();
    ASSERT_TRUE(tool);
    ASSERT_EQ(editor_->ActiveTool(), tool);
    ASSERT_TRUE(OpenLargeImage(*editor_, dir_.File("large.png")));
    TKelvoGraphicsView* view = editor_->GetActiveView();
    POINT press{view->ClientWidth() / 3, view->ClientHeight() / 3};
    ::ClientToScreen(view->Handle(), &press);
    ASSERT_TRUE(testsupport::PumpQueued());

    // The user's click on the prompt's button, once the prompt is up; answered is whether it answered it.
    std::atomic<bool> answered{false};
    const DWORD uiThread = ::GetCurrentThreadId();
    std::thread user([&] {
        const HWND box = testsupport::WaitForDialog({L"Prompt", L"#32770", uiThread});
        if (!box) return;
        testsupport::SendPointer(TPoint{press.x, press.y}, MOUSEEVENTF_LEFTUP);
        testsupport::WaitUntilHandled(box);
        RECT r{};
        ::GetWindowRect(::GetDlgItem(box, IDOK), &r);
        testsupport::ClickAt(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        const ULONGLONG deadline = ::GetTickCount64() + testsupport::kPumpTimeoutMs;
        while (::IsWindow(box) && ::IsWindowVisible(box) && ::GetTickCount64() < deadline) ::Sleep(10);
        answered = !::IsWindowVisible(box);
        if (!answered) ::PostMessageW(box, WM_COMMAND, IDOK, 0);  // so that the test ends
    });
    // The button goes down on the image, and the view takes the pointer for the drag it starts.
    testsupport::SendPointer(TPoint{press.x, press.y}, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == view->Handle(); }));
    const int result = KelvoApplication->MessageBox(u"Go on?", u"Prompt", MB_OK);
    user.join();
    ASSERT_TRUE(testsupport::PumpQueued());
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(answered) << "the click on the prompt's button did not reach it";
    EXPECT_TRUE(tool->Points().empty()) << "a corner was put on the image";
}

// Open, correct, save, open again: the reopened file starts with nothing to undo and nothing to save, also with
// the lens correction on (its preview is how the file is shown, not a change made to it).
TEST_F(MenusAndPrompts, AReopenedFileStartsWithNothingToUndo) {
    auto* tool = Find<TKelvoPersp4Tool>();
    ASSERT_TRUE(tool);
    const std::string path = dir_.File("large.png");
    ASSERT_TRUE(OpenLargeImage(*editor_, path));
    const auto idle = [&] {
        editor_->UpdateState();
        tool->UpdateState();
        return true;
    };
    // Four corners of a slanted quadrilateral, clicked on the image.
    TKelvoGraphicsView* view = editor_->GetActiveView();
    const TKelvoPoint corners[] = {{300, 200}, {1250, 260}, {1300, 1000}, {250, 950}};
    for (std::size_t i = 0; i < 4; ++i) {
        const TKelvoPoint d = view->MapMode().LogicalToDevicePoint(corners[i]);
        POINT p{d.X, d.Y};
        ::ClientToScreen(view->Handle(), &p);
        testsupport::ClickAt(TPoint{p.x, p.y});
        ASSERT_TRUE(PumpUntil([&] { return tool->Points().size() == i + 1; })) << "corner " << i;
    }
    tool->Persp4Frame()->btFinish->Click();
    ASSERT_TRUE(PumpUntil([&] { return idle() && !tool->Busy() && editor_->UndoMenuItem->Enabled(); }));
    ASSERT_TRUE(editor_->GetActiveDocument()->Save());

    for (const int lens : {0, 1}) {
        // The lens setting is the tool's, made with no image open.
        ASSERT_TRUE(editor_->GetActiveDocument()->CloseQuery());
        tool->Persp4Frame()->SetDistortionMode(lens);
        tool->Persp4Frame()->SetManualValue(30);
        ASSERT_TRUE(editor_->Documents().Open(AnsiToWide(path), nullptr, true)) << "lens " << lens;
        ASSERT_TRUE(testsupport::PumpQueued());
        idle();
        EXPECT_FALSE(editor_->Documents().CanUndo()) << "lens " << lens;
        EXPECT_FALSE(editor_->UndoMenuItem->Enabled()) << "lens " << lens;
        EXPECT_TRUE(editor_->GetActiveDocument()->IsSaved()) << "lens " << lens;
    }
    tool->Persp4Frame()->SetDistortionMode(0);
}
