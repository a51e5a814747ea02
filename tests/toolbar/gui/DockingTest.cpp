// Docks and dockable windows on a real form: four docks and two dockable windows. The drag and resize loops are
// driven the way the system drives them: a button press on a hit code starts the modal loop, and the pointer
// moves, key presses and the release it reads from the queue decide where the window lands.
#include <memory>

#include "classlib/win/TEdit.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenWait.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/TTBCustomDockableWindow.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBFloatingWindowParent.h"

using namespace formtest;

namespace {

// A dockable window whose contents are 60 x 22 pixels lying along a dock (22 x 60 on a side dock).
class TTestBar : public TTBCustomDockableWindow {
    CLASSLIB_COMPONENT(TTestBar, TTBCustomDockableWindow)
    explicit TTestBar(TComponent* owner) : TTBCustomDockableWindow(owner) {}
    // As after reading the window from a form stream (run-time stream when savedAtRunTime).
    void LoadedFromStream() { Loaded(); }
    void OrderControls(bool, TTBDockType, TTBDock* dockingTo, TSize& newClientSize) override {
        newClientSize = ContentsFor(dockingTo);
    }
    void GetBaseSize(TSize& size) override { size = ContentsFor(CurrentDock()); }

private:
    static TSize ContentsFor(TTBDock* dock) { return dock && dock->IsVertical() ? TSize{22, 60} : TSize{60, 22}; }
};

TRect WindowRect(HWND w) {
    RECT r;
    ::GetWindowRect(w, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

LPARAM ScreenLParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// Messages for a window of this thread that stand in for what can happen in the middle of a loop.
constexpr UINT kReleaseCapture = WM_USER + 1;
constexpr UINT kFreeObject = WM_USER + 2;
constexpr UINT kMovePointer = WM_USER + 3;  // wParam: the window told of the move; lParam: the screen point
constexpr UINT kRepost = WM_USER + 4;       // lParam: index into Reposts()
// Messages posted through the helper window, so that they arrive after the moves queued before them.
std::vector<MSG>& Reposts() {
    static std::vector<MSG> list;
    return list;
}
LRESULT CALLBACK HelperProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRepost) {
        const MSG& m = Reposts().at(static_cast<std::size_t>(lp));
        ::PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    }
    if (msg == kReleaseCapture) ::ReleaseCapture();
    if (msg == kMovePointer) {
        ::SetCursorPos(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        ::PostMessageA(reinterpret_cast<HWND>(wp), WM_MOUSEMOVE, 0, 0);
    }
    if (msg == kFreeObject) Free(reinterpret_cast<TObject*>(lp));
    return ::DefWindowProcA(w, msg, wp, lp);
}

// Another thread's window that takes the activation until done is set.
struct ActivationThread {
    HANDLE ready, done;
};
DWORD WINAPI ActivateAnotherThreadsWindow(LPVOID p) {
    auto* c = static_cast<ActivationThread*>(p);
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 500, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
    ::SetForegroundWindow(other);
    ::SetActiveWindow(other);
    ::SetEvent(c->ready);
    // Serves its window until told to end (or, should the test have stopped short, until the time limit).
    const ULONGLONG end = ::GetTickCount64() + 4 * testsupport::kPumpTimeoutMs;
    while (::MsgWaitForMultipleObjects(1, &c->done, FALSE, 10, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           ::GetTickCount64() < end)
        testsupport::DispatchThreadMessages();
    ::DestroyWindow(other);
    return 0;
}

class Docking : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form_ = NewForm(480, 360);
        form_->SetBounds(60, 60, 480, 360);
        for (TTBDockPosition p : {dpTop, dpBottom, dpLeft, dpRight}) {
            TTBDock* d = Create<TTBDock>(Owner());
            d->SetPosition(p);
            d->SetParent(form_);
            docks_[p] = d;
        }
        a_ = NewBar(0);
        b_ = NewBar(100);
        form_->Show();
        ASSERT_TRUE(PumpQueued());

        WNDCLASSA wc{};
        wc.lpfnWndProc = &HelperProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "DockingTestHelper";
        ::RegisterClassA(&wc);
        helper_ =
            ::CreateWindowExA(0, "DockingTestHelper", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    void TearDown() override {
        ::DestroyWindow(helper_);
        GuiTest::TearDown();
    }

    TTestBar* NewBar(int pos) {
        TTestBar* bar = Create<TTestBar>(Owner());
        bar->SetDockPos(pos);
        bar->SetCurrentDock(Top());
        return bar;
    }

    TTBDock* Top() const { return docks_[dpTop]; }
    TTBDock* Left() const { return docks_[dpLeft]; }

    // Queues a pointer move to a screen point: when the loop comes to it the pointer moves and the window is told.
    void QueueMove(HWND capture, int x, int y) const {
        ::PostMessageA(helper_, kMovePointer, reinterpret_cast<WPARAM>(capture), ScreenLParam(x, y));
    }
    void QueuePost(HWND target, UINT msg, WPARAM wp, LPARAM lp) const {
        MSG m{};
        m.hwnd = target;
        m.message = msg;
        m.wParam = wp;
        m.lParam = lp;
        Reposts().push_back(m);
        ::PostMessageA(helper_, kRepost, 0, static_cast<LPARAM>(Reposts().size() - 1));
    }
    // Presses on the drag handle of bar, queues the moves (and finally the release when release is set) and runs
    // the drag loop, which reads them.
    void Drag(TTBCustomDockableWindow* bar, std::vector<POINT> path, bool release = true, UINT lastMessage = 0,
              WPARAM lastWParam = 0, LPARAM lastLParam = 0, HWND lastTarget = nullptr) {
        HWND w = bar->Handle();
        const TRect r = WindowRect(w);
        const bool floating = bar->Floating();
        const POINT press = floating ? POINT{r.Left + 20, r.Top - 8} : POINT{r.Left + 4, r.Top + 10};
        ::SetCursorPos(press.x, press.y);
        for (POINT p : path) QueueMove(w, p.x, p.y);
        if (lastMessage) QueuePost(lastTarget ? lastTarget : w, lastMessage, lastWParam, lastLParam);
        if (release) QueuePost(w, WM_LBUTTONUP, 0, 0);
        if (floating)
            ::SendMessageA(bar->FloatingParent()->Handle(), WM_NCLBUTTONDOWN, tb::kHitFloatingCaption,
                           ScreenLParam(press.x, press.y));
        else
            ::SendMessageA(w, WM_NCLBUTTONDOWN, tb::kHitDragHandle, ScreenLParam(press.x, press.y));
    }

    TForm* form_ = nullptr;
    TTBDock* docks_[4] = {};
    TTestBar* a_ = nullptr;
    TTestBar* b_ = nullptr;
    HWND helper_ = nullptr;
};

TEST_F(Docking, DockThicknessIsTheSumOfItsRowsAndZeroWhenEmpty) {
    // One row of two windows: 22 pixels of contents plus the 4-pixel frame.
    EXPECT_EQ(Top()->Height(), 26);
    EXPECT_EQ(docks_[dpBottom]->Height(), 0);
    EXPECT_EQ(Left()->Width(), 0);
    EXPECT_EQ(docks_[dpRight]->Width(), 0);
    EXPECT_EQ(a_->BoundsRect(), Bounds(0, 0, 70, 26));
    EXPECT_EQ(b_->BoundsRect(), Bounds(100, 0, 70, 26));

    b_->SetDockRow(1);
    EXPECT_EQ(Top()->Height(), 52);
    EXPECT_EQ(b_->BoundsRect(), Bounds(100, 26, 70, 26));
    b_->SetCurrentDock(Left());
    EXPECT_EQ(Top()->Height(), 26);
    EXPECT_EQ(Left()->Width(), 26);
    // The form aligns the side dock below the top one.
    EXPECT_EQ(Left()->Top(), 26);
    b_->SetVisible(false);
    EXPECT_EQ(Left()->Width(), 0);

    // Bound lines take a pixel each from the client area and add it to the thickness.
    Top()->SetBoundLines(TTBDockBoundLines{blTop, blBottom});
    EXPECT_EQ(Top()->Height(), 28);
    RECT client;
    ::GetClientRect(Top()->Handle(), &client);
    EXPECT_EQ(client.bottom, 26);
    EXPECT_EQ(a_->Top(), 0) << "in client coordinates, below the top line";
}

TEST_F(Docking, DockedFrameSizesAndHitCodes) {
    HWND w = a_->Handle();
    auto clientOffset = [](HWND wnd) {
        POINT o{0, 0};
        ::ClientToScreen(wnd, &o);
        const TRect r = WindowRect(wnd);
        return TPoint{o.x - r.Left, o.y - r.Top};
    };
    // The single drag handle (6 pixels) and the 2-pixel frame.
    EXPECT_EQ(a_->ClientRect(), Rect(0, 0, 60, 22));
    EXPECT_EQ(clientOffset(w), (TPoint{8, 2}));
    const TRect r = WindowRect(w);
    auto hit = [&](int x, int y) { return ::SendMessageA(w, WM_NCHITTEST, 0, ScreenLParam(r.Left + x, r.Top + y)); };
    EXPECT_EQ(hit(4, 10), tb::kHitDragHandle);
    EXPECT_EQ(hit(40, 1), tb::kHitDragHandle);
    EXPECT_EQ(hit(20, 10), HTCLIENT);

    // The docked close button widens the handle to 14 pixels and takes its own code.
    a_->SetCloseButtonWhenDocked(true);
    EXPECT_EQ(a_->Width(), 78);
    const TRect r2 = WindowRect(w);
    EXPECT_EQ(::SendMessageA(w, WM_NCHITTEST, 0, ScreenLParam(r2.Left + 5, r2.Top + 5)), tb::kHitCloseButton);
    EXPECT_EQ(::SendMessageA(w, WM_NCHITTEST, 0, ScreenLParam(r2.Left + 8, r2.Top + 20)), tb::kHitDragHandle);

    // On a side dock the handle runs across the top.
    b_->SetCurrentDock(Left());
    EXPECT_EQ(b_->BoundsRect(), Bounds(0, 100, 26, 70)) << "its position along the dock is kept";
    EXPECT_EQ(clientOffset(b_->Handle()), (TPoint{2, 8}));

    // The floating frame: its client is the window; its caption and close button have their codes.
    a_->SetFloating(true);
    TTBFloatingWindowParent* frame = a_->FloatingParent();
    ASSERT_NE(frame, nullptr);
    HWND f = frame->Handle();
    RECT client;
    ::GetClientRect(f, &client);
    EXPECT_EQ(client.right, a_->Width());
    EXPECT_EQ(client.bottom, a_->Height());
    EXPECT_EQ(a_->ClientRect(), Rect(0, 0, 60, 22)) << "no docked frame while floating";
    EXPECT_TRUE(::GetWindowLongPtrA(f, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::GetWindowLongPtrA(f, GWL_STYLE) & WS_THICKFRAME);
    const TRect fr = WindowRect(f);
    const TSize border = a_->GetFloatingBorderSize();
    const int caption = ::GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(fr.Width(), a_->Width() + 2 * border.cx);
    EXPECT_EQ(fr.Height(), a_->Height() + 2 * border.cy + caption);
    EXPECT_EQ(::SendMessageA(f, WM_NCHITTEST, 0, ScreenLParam(fr.Left + 20, fr.Top + border.cy + 2)),
              tb::kHitFloatingCaption);
    EXPECT_EQ(::SendMessageA(f, WM_NCHITTEST, 0, ScreenLParam(fr.Right - border.cx - 4, fr.Top + border.cy + 4)),
              tb::kHitCloseButton);
    EXPECT_EQ(::SendMessageA(f, WM_NCHITTEST, 0, ScreenLParam(fr.Left, fr.Top + fr.Height() / 2)), HTLEFT);
}

TEST_F(Docking, DockingFloatingAndDockingAgainKeepTheWindows) {
    TEdit* edit = Create<TEdit>(Owner());
    edit->SetBounds(2, 2, 40, 18);
    edit->SetParent(a_);
    edit->SetText("kept");
    const HWND w = a_->Handle();
    const HWND e = edit->Handle();

    a_->SetFloating(true);
    ASSERT_NE(a_->FloatingParent(), nullptr);
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(::GetParent(w), a_->FloatingParent()->Handle());
    EXPECT_EQ(Top()->GetToolbarCount(), 1);

    a_->SetCurrentDock(Left());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(::GetParent(w), Left()->Handle());
    EXPECT_EQ(Left()->Width(), 26);

    a_->SetCurrentDock(Top());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(::GetParent(w), Top()->Handle());
    EXPECT_EQ(edit->Handle(), e);
    EXPECT_EQ(edit->Text(), "kept");
    EXPECT_TRUE(::IsWindowVisible(w));
    EXPECT_EQ(Left()->Width(), 0);
}

// The hooks watch floating windows alone: while every window is docked, no message of the thread goes through them.
TEST_F(Docking, TheThreadIsHookedOnlyWhileAWindowFloats) {
    const auto hooked = [] {
        const TTBSystemHooks installed = tb::InstalledSystemHooks();
        return installed.Contains(shCallWndProc) && installed.Contains(shCBT);
    };
    const auto unhooked = [] {
        const TTBSystemHooks installed = tb::InstalledSystemHooks();
        return !installed.Contains(shCallWndProc) && !installed.Contains(shCBT);
    };
    EXPECT_TRUE(unhooked());
    a_->SetFloating(true);
    b_->SetFloating(true);
    EXPECT_TRUE(hooked());
    a_->SetCurrentDock(Left());
    EXPECT_TRUE(hooked()) << "one window still floats";
    b_->SetCurrentDock(Top());
    EXPECT_TRUE(unhooked());
}

TEST_F(Docking, DraggingMovesTheWindowBetweenDocksAndFloating) {
    const HWND w = a_->Handle();
    const TRect form = WindowRect(form_->Handle());
    POINT leftDock{0, 0};
    ::ClientToScreen(form_->Handle(), &leftDock);

    // Onto the left edge of the form: the left dock takes it.
    Drag(a_, {{leftDock.x + 20, leftDock.y + 80}, {leftDock.x + 1, leftDock.y + 120}});
    EXPECT_EQ(a_->CurrentDock(), Left());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(Left()->Width(), 26);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Into the middle of the form, far from every dock: it floats.
    Drag(a_, {{form.Left + 200, form.Top + 200}, {form.Left + 240, form.Top + 180}});
    ASSERT_TRUE(a_->Floating());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(Left()->Width(), 0);
    EXPECT_TRUE(::IsWindowVisible(a_->FloatingParent()->Handle()));

    // Back by its caption onto the top dock, after the window that is there.
    POINT topDock{200, 10};
    ::ClientToScreen(form_->Handle(), &topDock);
    Drag(a_, {{topDock.x, topDock.y + 20}, {topDock.x, topDock.y}});
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_FALSE(a_->Floating());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(Top()->Height(), 26);
    EXPECT_GE(a_->Left(), b_->Left() + b_->Width());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Docking, CtrlKeepsTheWindowFromDocking) {
    POINT leftDock{0, 0};
    ::ClientToScreen(form_->Handle(), &leftDock);
    SetModifiers(false, true);
    Drag(a_, {{leftDock.x + 1, leftDock.y + 120}}, true, WM_KEYDOWN, VK_CONTROL);
    SetModifiers(false, false);
    EXPECT_TRUE(a_->Floating());
    EXPECT_EQ(Left()->Width(), 0);
}

TEST_F(Docking, EscLostCaptureAndDestructionEndTheDragAndPutBackWhatItChanged) {
    const TRect start = a_->BoundsRect();
    POINT leftDock{0, 0};
    ::ClientToScreen(form_->Handle(), &leftDock);

    // Esc after the window went to the left dock: back in the top dock where it was.
    Drag(a_, {{leftDock.x + 1, leftDock.y + 120}}, false, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_EQ(a_->BoundsRect(), start);
    EXPECT_EQ(Left()->Width(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);

    // The capture taken away in the middle: the same.
    const TRect form = WindowRect(form_->Handle());
    Drag(a_, {{form.Left + 200, form.Top + 200}}, false, kReleaseCapture, 0, 0, helper_);
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_FALSE(a_->Floating());
    EXPECT_EQ(a_->BoundsRect(), start);
    EXPECT_EQ(::GetCapture(), nullptr);

    // The window destroyed in the middle: the loop ends without touching it, and nothing is left behind.
    Drag(b_, {{form.Left + 200, form.Top + 200}}, false, kFreeObject, 0, reinterpret_cast<LPARAM>(b_), helper_);
    EXPECT_EQ(::GetCapture(), nullptr);
    ASSERT_TRUE(PumpQueued());
    EXPECT_EQ(Top()->GetToolbarCount(), 1);
    Free(a_);
    EXPECT_EQ(tb::InstalledSystemHooks(), TTBSystemHooks{});
}

TEST_F(Docking, ResizingTheFloatingFrameFollowsThePointerAndEscPutsItBack) {
    a_->SetFloating(true);
    ASSERT_TRUE(PumpQueued());
    TTBFloatingWindowParent* frame = a_->FloatingParent();
    HWND f = frame->Handle();
    const TRect start = WindowRect(f);
    const int y = start.Top + start.Height() / 2;

    ::SetCursorPos(start.Right - 1, y);
    QueueMove(a_->Handle(), start.Right + 39, y);
    QueuePost(a_->Handle(), WM_LBUTTONUP, 0, 0);
    ::SendMessageA(f, WM_NCLBUTTONDOWN, HTRIGHT, ScreenLParam(start.Right - 1, y));
    EXPECT_EQ(WindowRect(f), Rect(start.Left, start.Top, start.Right + 40, start.Bottom));
    EXPECT_EQ(a_->Width(), 100) << "the window takes the frame's new client";
    EXPECT_EQ(::GetCapture(), nullptr);

    const TRect grown = WindowRect(f);
    ::SetCursorPos(grown.Right - 1, y);
    QueueMove(a_->Handle(), grown.Right + 30, y);
    QueuePost(a_->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageA(f, WM_NCLBUTTONDOWN, HTRIGHT, ScreenLParam(grown.Right - 1, y));
    EXPECT_EQ(WindowRect(f), grown);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(Docking, FloatingWindowsHideWhileTheirFormIsMinimisedOrInactive) {
    a_->SetFloating(true);
    ASSERT_TRUE(PumpQueued());
    HWND f = a_->FloatingParent()->Handle();
    ASSERT_TRUE(::IsWindowVisible(f));
    EXPECT_EQ(::GetWindow(f, GW_OWNER), form_->Handle());

    ::ShowWindow(form_->Handle(), SW_MINIMIZE);
    PumpUntil([&] { return !::IsWindowVisible(f); });
    EXPECT_FALSE(::IsWindowVisible(f)) << "minimised form";
    ::ShowWindow(form_->Handle(), SW_RESTORE);
    PumpUntil([&] { return ::IsWindowVisible(f) != FALSE; });
    EXPECT_TRUE(::IsWindowVisible(f));

    // The thread loses its active window: another thread's window is activated.
    HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ActivationThread ctx{ready, done};
    HANDLE thread = ::CreateThread(nullptr, 0, &ActivateAnotherThreadsWindow, &ctx, 0, nullptr);
    ::WaitForSingleObject(ready, testsupport::kPumpTimeoutMs);
    PumpUntil([&] { return ::GetActiveWindow() == nullptr && !::IsWindowVisible(f); });
    ASSERT_EQ(::GetActiveWindow(), nullptr) << "another thread took the activation";
    EXPECT_FALSE(::IsWindowVisible(f)) << "application inactive";
    a_->SetHideWhenInactive(false);
    PumpUntil([&] { return ::IsWindowVisible(f) != FALSE; });
    EXPECT_TRUE(::IsWindowVisible(f));
    ::SetEvent(done);
    ::WaitForSingleObject(thread, testsupport::kPumpTimeoutMs);
    ::CloseHandle(thread);
    ::CloseHandle(ready);
    ::CloseHandle(done);
}

}  // namespace

namespace {

TEST_F(Docking, ScreenshotOfTheDockedAndFloatingFrames) {
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                   face = ::GetSysColor(COLOR_BTNFACE);
    ::UpdateWindow(form_->Handle());
    ASSERT_TRUE(PumpQueued());
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(form_->Handle(), apptest::ApplicationStep));
    {
        const TRect r = WindowRect(a_->Handle());
        const std::string path = testsupport::ArtifactPath("docking-docked.bmp");
        testsupport::SaveScreen(path);
        const testsupport::SavedPicture shot(path);
        // The window's own colour fills around the bars (the library's button face).
        const COLORREF colour = static_cast<COLORREF>(ColorToRGB(a_->Color()));
        // The raised frame and the single drag handle: a raised bar 3 pixels wide at 3..5 across, from 3 down.
        EXPECT_EQ(shot.Pixel(r.Left, r.Top), highlight);
        EXPECT_EQ(shot.Pixel(r.Right - 1, r.Bottom - 1), shadow);
        EXPECT_EQ(shot.Pixel(r.Left + 1, r.Top + 10), colour) << "second ring";
        EXPECT_EQ(shot.Pixel(r.Left + 3, r.Top + 10), highlight);
        EXPECT_EQ(shot.Pixel(r.Left + 4, r.Top + 10), face) << "the bar's middle";
        EXPECT_EQ(shot.Pixel(r.Left + 5, r.Top + 10), shadow);
        EXPECT_EQ(shot.Pixel(r.Left + 6, r.Top + 10), colour) << "the strip around the bar";
        EXPECT_EQ(shot.Pixel(r.Left + 4, r.Top + 2), colour) << "the bar starts one pixel in";
        // The dock beside and behind the windows shows its own colour.
        EXPECT_EQ(shot.Pixel(r.Right + 10, r.Top + 10), static_cast<COLORREF>(ColorToRGB(Top()->Color())));
    }

    a_->SetFloatingPosition(Point(300, 300));
    a_->SetFloating(true);
    TTBFloatingWindowParent* frame = a_->FloatingParent();
    ::UpdateWindow(frame->Handle());
    ASSERT_TRUE(PumpQueued());
    ASSERT_TRUE(testsupport::WaitUntilOnScreen(frame->Handle(), apptest::ApplicationStep));
    const TRect fr = WindowRect(frame->Handle());
    EXPECT_EQ(fr.TopLeft(), Point(300, 300));
    const TSize border = a_->GetFloatingBorderSize();
    const int h = ::GetSystemMetrics(SM_CYSMCAPTION);
    const tb::TFloatingCaptionRects caption = tb::FloatingCaptionRects(border, a_->Width(), h, true);
    BOOL gradient = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    const bool active = !a_->CaptionInactive();
    const COLORREF ring =
        ::GetSysColor(gradient ? (active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)
                               : (active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    const std::string path = testsupport::ArtifactPath("docking-floating.bmp");
    testsupport::SaveScreen(path);
    const testsupport::SavedPicture shot(path);
    auto at = [&](int x, int y) { return shot.Pixel(fr.Left + x, fr.Top + y); };
    // The border ring beyond the raised edge is face-coloured, and so is the line under the caption.
    EXPECT_EQ(at(2, fr.Height() / 2), face);
    EXPECT_EQ(at(caption.FullCaption.Left + 10, caption.FullCaption.Bottom), face);
    // The ring around the close button has the caption's colour; its face is a button face.
    EXPECT_EQ(at(caption.CloseButton.Left + 5, caption.CloseButton.Top), ring);
    EXPECT_EQ(at(caption.CloseButton.Right - 1, caption.CloseButton.Top + 5), ring);
    EXPECT_NE(at(caption.CloseButton.Left + 1, caption.CloseButton.Top + 3), ring) << "the button's face";
    // The caption is painted, not left as it was.
    EXPECT_NE(at(caption.Caption.Right - 3, caption.Caption.Top + h / 2), face);
}

TEST_F(Docking, AFramePositionOffEveryMonitorComesOntoTheWorkArea) {
    a_->SetFloating(true);
    a_->SetFloatingPosition(Point(-5000, 20000));
    a_->LoadedFromStream();
    const TRect fr = WindowRect(a_->FloatingParent()->Handle());
    RECT work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(fr.Left, work.left);
    EXPECT_EQ(fr.Bottom, work.bottom);
    EXPECT_EQ(a_->FloatingPosition(), fr.TopLeft());
}

// Real input from another thread while this one runs the loops: the system's own hit test starts the drag.
TEST_F(Docking, SyntheticMouseInputDragsTheWindowToTheLeftDockAndBack) {
    const HWND w = a_->Handle();
    const TRect r = WindowRect(w);
    POINT leftDock{0, 0};
    ::ClientToScreen(form_->Handle(), &leftDock);
    auto run = [&](std::vector<TPoint> path) {
        EXPECT_TRUE(testsupport::DragAlong(path, form_->Handle(), apptest::ApplicationStep));
        ASSERT_TRUE(PumpQueued());
    };
    run({{r.Left + 4, r.Top + 10}, {leftDock.x + 10, leftDock.y + 100}, {leftDock.x + 1, leftDock.y + 120}});
    EXPECT_EQ(a_->CurrentDock(), Left());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(::GetCapture(), nullptr);

    const TRect l = WindowRect(w);
    POINT topDock{200, 10};
    ::ClientToScreen(form_->Handle(), &topDock);
    run({{l.Left + 10, l.Top + 4}, {topDock.x, topDock.y + 30}, {topDock.x, topDock.y}});
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_EQ(a_->Handle(), w);
    EXPECT_EQ(Left()->Width(), 0);
}

}  // namespace

namespace {

struct CloseCounter {
    int closes = 0;
    void Closed(TObject*) { ++closes; }
};

TEST_F(Docking, ACloseButtonClosesOnlyOnAReleaseOverIt) {
    CloseCounter counter;
    a_->OnClose = MakeMethod<&CloseCounter::Closed>(&counter);
    a_->SetCloseButtonWhenDocked(true);
    const TRect r = WindowRect(a_->Handle());
    const POINT button{r.Left + 6, r.Top + 6};

    // Pressed, then released away from it: nothing.
    ::SetCursorPos(button.x, button.y);
    QueueMove(a_->Handle(), r.Left + 40, r.Top + 10);
    QueuePost(a_->Handle(), WM_LBUTTONUP, 0, 0);
    ::SendMessageA(a_->Handle(), WM_NCLBUTTONDOWN, tb::kHitCloseButton, ScreenLParam(button.x, button.y));
    EXPECT_TRUE(a_->Visible());
    EXPECT_EQ(::GetCapture(), nullptr);

    // Released over it: the window closes.
    ::SetCursorPos(button.x, button.y);
    QueuePost(a_->Handle(), WM_LBUTTONUP, 0, 0);
    ::SendMessageA(a_->Handle(), WM_NCLBUTTONDOWN, tb::kHitCloseButton, ScreenLParam(button.x, button.y));
    EXPECT_FALSE(a_->Visible());
    EXPECT_EQ(counter.closes, 1);
    EXPECT_EQ(Top()->GetToolbarCount(), 1);

    // The floating frame's close button.
    b_->SetFloating(true);
    ASSERT_TRUE(PumpQueued());
    HWND f = b_->FloatingParent()->Handle();
    const TRect fr = WindowRect(f);
    const TSize border = b_->GetFloatingBorderSize();
    const POINT fb{fr.Right - border.cx - 4, fr.Top + border.cy + 4};
    ::SetCursorPos(fb.x, fb.y);
    QueuePost(b_->Handle(), WM_LBUTTONUP, 0, 0);
    ::SendMessageA(f, WM_NCLBUTTONDOWN, tb::kHitCloseButton, ScreenLParam(fb.x, fb.y));
    EXPECT_FALSE(b_->Visible());
    PumpUntil([&] { return !::IsWindowVisible(f); });
    EXPECT_FALSE(::IsWindowVisible(f));
}

}  // namespace

namespace {

TEST_F(Docking, AnOutlineDragMovesTheWindowOnlyWhenAccepted) {
    a_->SetSmoothDrag(false);
    const TRect start = a_->BoundsRect();
    POINT leftDock{0, 0};
    ::ClientToScreen(form_->Handle(), &leftDock);
    // Esc: the outline goes and the window never moved.
    Drag(a_, {{leftDock.x + 1, leftDock.y + 120}}, false, WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_EQ(a_->BoundsRect(), start);
    // A left press instead of the release cancels as Esc does.
    Drag(a_, {{leftDock.x + 1, leftDock.y + 120}}, false, WM_LBUTTONDOWN);
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_EQ(a_->BoundsRect(), start);
    EXPECT_EQ(::GetCapture(), nullptr);
    // Released: it lands where the outline was.
    Drag(a_, {{leftDock.x + 1, leftDock.y + 120}});
    EXPECT_EQ(a_->CurrentDock(), Left());
    EXPECT_EQ(::GetCapture(), nullptr);
}

}  // namespace

namespace {

TEST_F(Docking, LastDockFollowsUseLastDockAndADoubleClickDocksBack) {
    EXPECT_EQ(a_->LastDock(), Top());
    a_->SetUseLastDock(false);
    EXPECT_EQ(a_->LastDock(), nullptr);
    a_->SetUseLastDock(true);
    EXPECT_EQ(a_->LastDock(), Top());

    // A double-click on the floating caption docks the window back into its last dock.
    const HWND w = a_->Handle();
    a_->SetFloating(true);
    HWND f = a_->FloatingParent()->Handle();
    const TRect fr = WindowRect(f);
    ::SendMessageA(f, WM_NCLBUTTONDBLCLK, tb::kHitFloatingCaption, ScreenLParam(fr.Left + 10, fr.Top + 5));
    EXPECT_EQ(a_->CurrentDock(), Top());
    EXPECT_EQ(a_->Handle(), w);
    // And one on the docked handle floats it.
    const TRect r = WindowRect(w);
    ::SendMessageA(w, WM_NCLBUTTONDBLCLK, tb::kHitDragHandle, ScreenLParam(r.Left + 4, r.Top + 10));
    EXPECT_TRUE(a_->Floating());
    EXPECT_EQ(a_->Handle(), w);
}

}  // namespace
