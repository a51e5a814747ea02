// Dockable panels in a right multi-dock on a real form: the docked frame with its caption and close button as
// the theme paints it, the line the multi-dock shares among its panels, and the docked edge resize driven by
// real pointer and key input through its own modal loop.
#include "classlib/win/SystemLookups.h"
#include "classlib/win/TButton.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenPicture.h"
#include "tests/classlib/gui/FormTestHelpers.h"
#include "tests/themed/support/ThemedGuiTest.h"
#include "themed/win/TSkinDockablePanel.h"
#include "themed/win/TSkinFloatingWindowParent.h"
#include "themed/win/TSkinMultiDock.h"
#include "themed/win/TSkinNexus.h"

using namespace formtest;

namespace {

TRect WindowRect(HWND w) {
    RECT r;
    ::GetWindowRect(w, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

// A left-button drag through the points, as a user's: press at the first, moves, release at the last (or an
// Esc typed before the release when escape is set). Runs on a thread of its own so that the modal loop on this
// one reads it from the queue.
struct TMouseDrag {
    std::vector<TPoint> points;
    bool escape = false;
};
DWORD WINAPI SendDrag(LPVOID p) {
    auto* drag = static_cast<TMouseDrag*>(p);
    auto send = [](TPoint at, DWORD flags) {
        INPUT input = testsupport::PointerMove(at);
        input.mi.dwFlags |= flags;
        ::SendInput(1, &input, sizeof input);
        ::Sleep(60);
    };
    send(drag->points.front(), 0);
    send(drag->points.front(), MOUSEEVENTF_LEFTDOWN);
    for (std::size_t i = 1; i < drag->points.size(); ++i) send(drag->points[i], 0);
    if (drag->escape) {
        testsupport::Press(VK_ESCAPE);
        ::Sleep(60);
    }
    send(drag->points.back(), MOUSEEVENTF_LEFTUP);
    return 0;
}

// What OnDockedResizing saw, and what it does on the first proposed size.
struct TResizeWatch {
    enum TAction { None, LoseCapture, Hide, Free };
    std::vector<int> stages;
    TAction action = None;
    void Resizing(TObject* sender, TDPResizeDirection direction, bool&, int stage, int&) {
        EXPECT_EQ(direction, dprWidth);
        stages.push_back(stage);
        if (stage != 1 || action == None) return;
        const TAction now = std::exchange(action, None);
        if (now == LoseCapture) ::ReleaseCapture();
        if (now == Hide) static_cast<TControl*>(sender)->SetVisible(false);
        if (now == Free) ::Free(sender);
    }
};

class DockablePanel : public ThemedGuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        form_ = NewForm(480, 360);
        form_->SetBounds(60, 60, 480, 360);
        right_ = Create<TSkinMultiDock>(Owner());
        right_->SetPosition(dpRight);
        right_->SetParent(form_);
        left_ = Create<TSkinMultiDock>(Owner());
        left_->SetPosition(dpLeft);
        left_->SetParent(form_);
        panel_ = Create<TSkinDockablePanel>(Owner());
        panel_->SetName("ToolPanel");
        panel_->SetCaption(u"Tools");
        panel_->SetBorderSize(8);
        panel_->SetDockableTo({dpLeft, dpRight});
        panel_->SetMinClientWidth(100);
        panel_->SetMaxClientWidth(220);
        panel_->SetDockedWidth(150);
        panel_->SetCurrentDock(right_);
        panel_->OnDockedResizing = MakeMethod<&TResizeWatch::Resizing>(&watch_);
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(panel_->Handle()) != FALSE; }));
    }

    // Sends the drag and waits until its input is handled.
    static void Run(TMouseDrag drag) {
        HANDLE thread = ::CreateThread(nullptr, 0, &SendDrag, &drag, 0, nullptr);
        EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }));
        ::CloseHandle(thread);
        PumpPostedMessages();
    }
    // Drags the middle of the panel's inner (left) edge by dx.
    void DragEdge(int dx, bool escape = false) {
        const TRect r = WindowRect(panel_->Handle());
        const TPoint at = Point(r.Left + 1, r.Top + r.Height() / 2);
        Run(TMouseDrag{{at, Point(at.X + dx / 2, at.Y), Point(at.X + dx, at.Y)}, escape});
    }
    // The screen as it is now, saved among the artifacts and read back.
    testsupport::SavedPicture Screenshot(const char* name) {
        ::RedrawWindow(form_->Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const std::string path = testsupport::ArtifactPath(name);
        testsupport::SaveScreen(path);
        return testsupport::SavedPicture(path);
    }

    TForm* form_ = nullptr;
    TSkinMultiDock* right_ = nullptr;
    TSkinMultiDock* left_ = nullptr;
    TSkinDockablePanel* panel_ = nullptr;
    TResizeWatch watch_;
};

}  // namespace

TEST_F(DockablePanel, TheDockedFrameShowsTheCaptionAndCloseButtonTheThemePaints) {
    const int caption = ::GetSystemMetrics(SM_CYSMCAPTION);
    EXPECT_EQ(GetWinViewType(right_), 0x602);
    EXPECT_EQ(GetWinViewType(panel_), 0x20400);
    // 150 of client plus the theme's 2-pixel border on each side; the whole height of the form's client.
    EXPECT_EQ(right_->Width(), 154);
    EXPECT_EQ(panel_->BoundsRect(), Bounds(0, 0, 154, form_->ClientHeight()));
    EXPECT_EQ(panel_->ClientRect(), Rect(0, 0, 150, form_->ClientHeight() - 4 - caption));
    EXPECT_EQ(panel_->Color(), CurrentTheme().GetViewColor(0x400));
    panel_->SetColor(clRed);
    EXPECT_FALSE(panel_->UseThemeColor()) << "a colour set by hand";
    panel_->SetUseThemeColor(true);
    EXPECT_EQ(panel_->Color(), CurrentTheme().GetViewColor(0x400));

    TButton* button = Create<TButton>(Owner());
    try {
        button->SetParent(right_);
        ADD_FAILURE() << "a button went into the multi-dock";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot insert TButton into TSkinMultiDock");
    }
    EXPECT_EQ(button->Parent(), nullptr);

    const testsupport::SavedPicture shot = Screenshot("dockable-panel.bmp");
    const TRect w = WindowRect(panel_->Handle());
    const COLORREF bar = static_cast<COLORREF>(ColorToRGB(CurrentTheme().GetViewColor(0x101)));
    const COLORREF text = static_cast<COLORREF>(ColorToRGB(clBtnText));
    const int side = caption - 1;
    // The close button, a square of the small-caption height less one 2 pixels in from the top right, holds
    // the cross in button text; the caption bar left of it holds the caption's text on the bar colour.
    const RECT close{w.Right - 2 - side, w.Top + 2, w.Right - 2, w.Top + 2 + side};
    EXPECT_GT(shot.Matching(close, text), 6);
    const RECT captionBar{w.Left + 2, w.Top + 2, close.left, w.Top + 2 + side};
    EXPECT_GT(shot.Matching(captionBar, bar), (captionBar.right - captionBar.left) * side / 2);
    EXPECT_GT(shot.Matching(captionBar, text), 10) << "the caption's text";
    const RECT client{w.Left + 4, w.Top + 2 + caption + 4, w.Right - 4, w.Bottom - 4};
    EXPECT_EQ(shot.Differing(client, static_cast<COLORREF>(ColorToRGB(panel_->Color()))), 0);
}

TEST_F(DockablePanel, OnATopMultiDockTheCaptionRunsDownTheLeftWithTheCloseButtonAtItsBottom) {
    TSkinMultiDock* top = Create<TSkinMultiDock>(Owner());
    top->SetParent(form_);
    panel_->SetDockableTo({dpTop, dpLeft, dpRight});
    panel_->SetDockedHeight(80);
    panel_->SetCurrentDock(top);
    const int side = ::GetSystemMetrics(SM_CYSMCAPTION) - 1;
    EXPECT_EQ(top->Height(), 84);
    // Along the dock the line's length, held at the maximum client width 220.
    EXPECT_EQ(panel_->ClientRect(), Rect(0, 0, 220, 80));
    EXPECT_EQ(panel_->Width(), 220 + 4 + side + 1);

    const testsupport::SavedPicture shot = Screenshot("dockable-panel-vertical.bmp");
    const TRect w = WindowRect(panel_->Handle());
    const COLORREF text = static_cast<COLORREF>(ColorToRGB(clBtnText));
    const RECT close{w.Left + 2, w.Bottom - 2 - side, w.Left + 2 + side, w.Bottom - 2};
    EXPECT_GT(shot.Matching(close, text), 6);
    EXPECT_EQ(shot.Matching(RECT{w.Left + 2, w.Top + 2, w.Left + 2 + side, w.Top + 2 + side}, text), 0)
        << "nothing at the top of the bar: the caption's text starts from the bottom";
    // The close button there closes the panel.
    testsupport::ClickAt(Point(close.left + side / 2, close.top + side / 2));
    EXPECT_TRUE(PumpUntil([&] { return !panel_->Visible(); }));
}

TEST_F(DockablePanel, TheMultiDockSharesItsLengthAmongThePanelsInItsLine) {
    panel_->OnDockedResizing = {};
    form_->SetClientHeight(360);
    TSkinDockablePanel* second = Create<TSkinDockablePanel>(Owner());
    right_->BeginUpdate();
    panel_->SetSplitHeight(100);
    second->SetSplitHeight(300);
    second->SetDockPos(500);
    second->SetCurrentDock(right_);
    right_->EndUpdate();
    const int length = form_->ClientHeight();
    // 400 wished; the 40 pixels too many come off both evenly.
    ASSERT_EQ(length, 360);
    EXPECT_EQ(panel_->BoundsRect(), Bounds(0, 0, 154, 80));
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 80, 154, 280));
    EXPECT_EQ(second->SplitHeight(), 280);
    EXPECT_EQ(second->DockPos(), 80);

    // The splitter between them moves the length from one to the other.
    const TRect r = WindowRect(panel_->Handle());
    Run(TMouseDrag{
        {Point(r.Left + 60, r.Bottom - 1), Point(r.Left + 60, r.Bottom + 20), Point(r.Left + 60, r.Bottom + 40)}});
    // The press and the moves come through the pointer's absolute units: a pixel either way.
    EXPECT_NEAR(panel_->Height(), 120, 1);
    EXPECT_EQ(second->BoundsRect(), Bounds(0, panel_->Height(), 154, 360 - panel_->Height()));
}

TEST_F(DockablePanel, DraggingTheInnerEdgeResizesWithinTheLimits) {
    DragEdge(-40);
    EXPECT_EQ(panel_->DockedWidth(), 190);
    EXPECT_EQ(right_->Width(), 194);
    EXPECT_EQ(::GetCapture(), nullptr);
    ASSERT_FALSE(watch_.stages.empty());
    EXPECT_EQ(watch_.stages.front(), 0);
    EXPECT_EQ(watch_.stages.back(), 2);

    DragEdge(-200);
    EXPECT_EQ(panel_->DockedWidth(), 220) << "the maximum client width";
    DragEdge(300);
    EXPECT_EQ(panel_->DockedWidth(), 100) << "the minimum client width";

    // As an outline: the size changes only when the drag ends.
    panel_->SetSmoothDockedResize(false);
    DragEdge(-30);
    EXPECT_EQ(panel_->DockedWidth(), 130);

    // Limits of one width (as the program's tool panel has) hold it at that width.
    panel_->SetMinClientWidth(200);
    panel_->SetMaxClientWidth(200);
    EXPECT_EQ(panel_->DockedWidth(), 200);
    panel_->SetSmoothDockedResize(true);
    DragEdge(-50);
    EXPECT_EQ(panel_->DockedWidth(), 200);
    EXPECT_EQ(right_->Width(), 204);
}

TEST_F(DockablePanel, EscOrALostCaptureEndsTheResizeWithTheStartSize) {
    const TRect start = panel_->BoundsRect();
    DragEdge(-60, true);
    EXPECT_EQ(panel_->DockedWidth(), 150);
    EXPECT_EQ(panel_->BoundsRect(), start);
    EXPECT_EQ(::GetCapture(), nullptr);

    watch_.action = TResizeWatch::LoseCapture;
    DragEdge(-60);
    EXPECT_EQ(panel_->DockedWidth(), 150);
    EXPECT_EQ(panel_->BoundsRect(), start);

    panel_->SetSmoothDockedResize(false);
    DragEdge(-60, true);
    EXPECT_EQ(panel_->DockedWidth(), 150);
}

namespace {
// Moves the pointer 40 pixels left on the first proposed size and, with quit, posts WM_QUIT on the second.
struct TQuitOnSecondStep {
    TPoint start;
    bool quit = true;
    int steps = 0;
    int second = 0;  // the size proposed at the second step
    void Resizing(TObject*, TDPResizeDirection, bool&, int stage, int& size) {
        if (stage != 1) return;
        if (++steps == 1) ::SetCursorPos(start.X - 40, start.Y);
        if (steps != 2) return;
        second = size;
        if (quit) ::PostQuitMessage(7);
    }
};
}  // namespace

TEST_F(DockablePanel, AQuitMessageEndsTheResizeWithTheStartSizeAndIsPostedAgain) {
    const TRect r = WindowRect(panel_->Handle());
    TQuitOnSecondStep quit{Point(r.Left + 1, r.Top + 100)};
    panel_->OnDockedResizing = MakeMethod<&TQuitOnSecondStep::Resizing>(&quit);
    ::SetCursorPos(quit.start.X, quit.start.Y);
    PumpPostedMessages();
    ::PostMessageA(panel_->Handle(), WM_MOUSEMOVE, 0, 0);
    ::PostMessageA(panel_->Handle(), WM_MOUSEMOVE, 0, 0);
    panel_->BeginDockedSizing(HTLEFT);
    EXPECT_EQ(quit.steps, 2);
    EXPECT_EQ(quit.second, 194) << "the edge followed the pointer before the quit came";
    EXPECT_EQ(panel_->DockedWidth(), 150);
    EXPECT_EQ(::GetCapture(), nullptr);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(DockablePanel, ALeftPressEndsTheResizeWithTheNewSize) {
    const TRect r = WindowRect(panel_->Handle());
    TQuitOnSecondStep move{Point(r.Left + 1, r.Top + 100), false};
    panel_->OnDockedResizing = MakeMethod<&TQuitOnSecondStep::Resizing>(&move);
    ::SetCursorPos(move.start.X, move.start.Y);
    PumpPostedMessages();
    ::PostMessageA(panel_->Handle(), WM_MOUSEMOVE, 0, 0);
    ::PostMessageA(panel_->Handle(), WM_MOUSEMOVE, 0, 0);
    ::PostMessageA(panel_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    panel_->BeginDockedSizing(HTLEFT);
    EXPECT_EQ(move.steps, 2);
    EXPECT_EQ(panel_->DockedWidth(), 190) << "the size the edge had when the button went down";
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockablePanel, APanelHiddenOrFreedInsideTheResizeIsLeftAlone) {
    watch_.action = TResizeWatch::Hide;
    DragEdge(-60);
    EXPECT_FALSE(panel_->Visible());
    EXPECT_EQ(panel_->DockedWidth(), 150);
    EXPECT_EQ(right_->Width(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(watch_.stages, (std::vector<int>{0, 1})) << "no end stage for a panel that went";

    panel_->SetVisible(true);
    watch_.stages.clear();
    watch_.action = TResizeWatch::Free;
    DragEdge(-60);
    EXPECT_EQ(right_->GetToolbarCount(), 0);
    EXPECT_EQ(right_->Width(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(watch_.stages, (std::vector<int>{0, 1}));
}

TEST_F(DockablePanel, TheCloseButtonHidesThePanel) {
    const int side = ::GetSystemMetrics(SM_CYSMCAPTION) - 1;
    const TRect w = WindowRect(panel_->Handle());
    testsupport::ClickAt(Point(w.Right - 2 - side / 2, w.Top + 2 + side / 2));
    EXPECT_TRUE(PumpUntil([&] { return !panel_->Visible(); }));
    EXPECT_EQ(right_->Width(), 0);
    panel_->SetVisible(true);
    EXPECT_EQ(right_->Width(), 154);
}

TEST_F(DockablePanel, ThePanelThatCannotFloatIsDraggedByItsCaptionToTheOtherSide) {
    panel_->SetDockMode(dmCannotFloat);
    panel_->SetSupportedDocks({dkMultiDock});
    const TRect w = WindowRect(panel_->Handle());
    const TPoint caption = Point(w.Left + 40, w.Top + 8);
    const TRect form = WindowRect(form_->Handle());
    // Let go over the middle of the form: no floating, the panel stays where it was.
    Run(TMouseDrag{{caption, Point(caption.X - 60, caption.Y + 40), Point(form.Left + 240, form.Top + 200)}});
    EXPECT_EQ(panel_->CurrentDock(), right_);
    EXPECT_FALSE(panel_->Floating());
    // Over the left edge: into the left multi-dock, with its docked width (pressed elsewhere on the caption, so
    // that the press does not make a double click with the one before).
    const TPoint again = Point(caption.X + 30, caption.Y);
    Run(TMouseDrag{{again, Point(form.Left + 100, caption.Y + 40), Point(form.Left + 8, form.Top + 120)}});
    EXPECT_EQ(panel_->CurrentDock(), left_);
    EXPECT_EQ(left_->Width(), 154);
    EXPECT_EQ(right_->Width(), 0);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(DockablePanel, FloatingAndDockingBackKeepTheSizes) {
    panel_->SetFloatingWidth(180);
    panel_->SetFloatingHeight(90);
    panel_->SetFloating(true);
    ASSERT_NE(dynamic_cast<TSkinFloatingWindowParent*>(panel_->FloatingParent()), nullptr);
    EXPECT_EQ(panel_->ClientRect(), Rect(0, 0, 180, 90));
    EXPECT_EQ(GetWinViewType(panel_), 0x30400);
    EXPECT_EQ(right_->Width(), 0);

    panel_->SetCurrentDock(left_);
    EXPECT_EQ(left_->Width(), 154);
    EXPECT_EQ(panel_->DockedWidth(), 150);
    EXPECT_EQ(panel_->FloatingWidth(), 180);
    panel_->SetFloating(true);
    EXPECT_EQ(panel_->ClientRect(), Rect(0, 0, 180, 90));
    // A size from stored settings that no screen holds: the frame stays within the work area.
    panel_->SetFloatingWidth(100000);
    EXPECT_LE(panel_->FloatingParent()->Width(), ::GetSystemMetrics(SM_CXSCREEN));

    // A panel that may not float, nor go into a plain dock, stays where it is.
    panel_->SetCurrentDock(right_);
    panel_->SetDockMode(dmCannotFloat);
    panel_->SetSupportedDocks({dkMultiDock});
    EXPECT_TRUE(panel_->CanDockTo(left_));
    TSkinDock* plain = Create<TSkinDock>(Owner());
    plain->SetParent(form_);
    plain->SetPosition(dpLeft);
    EXPECT_FALSE(panel_->CanDockTo(plain)) << "docks only in multi-docks";
    plain->SetPosition(dpBottom);
    panel_->SetSupportedDocks({dkStandardDock, dkMultiDock});
    EXPECT_FALSE(panel_->CanDockTo(plain)) << "docks only left or right";
}

namespace {
struct TPositionStore {
    std::vector<std::string>* out;
    void Write(const AnsiString& section, const AnsiString& key, int value) {
        out->push_back(section + "." + key + "=" + std::to_string(value));
    }
    int Read(const AnsiString&, const AnsiString& key, int value) { return key == "DPDockedWidth" ? 3 : value; }
};
}  // namespace

TEST_F(DockablePanel, PositionDataUsesTheSixKeys) {
    std::vector<std::string> written;
    TPositionStore store{&written};
    panel_->WritePositionData(MakeMethod<&TPositionStore::Write>(&store));
    EXPECT_EQ(written, (std::vector<std::string>{"ToolPanel.DPDockedWidth=150", "ToolPanel.DPDockedHeight=128",
                                                 "ToolPanel.DPFloatingWidth=128", "ToolPanel.DPFloatingHeight=128",
                                                 "ToolPanel.DPSplitWidth=0",
                                                 "ToolPanel.DPSplitHeight=" + std::to_string(panel_->SplitHeight())}));
    panel_->ReadPositionData(MakeMethod<&TPositionStore::Read>(&store));
    EXPECT_EQ(panel_->DockedWidth(), 100) << "read back through the clamps";
}
