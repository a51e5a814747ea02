// Focus and tab order of windowed controls, cancel mode, the parent's background behind a child, limits on
// bounds, and the canvas a graphic control draws on outside painting.
#include <gtest/gtest.h>

#include "tests/classlib/gui/ControlTestSupport.h"
#include "classlib/win/WindowDC.h"

using namespace controltest;

namespace {

struct FocusLog {
    std::vector<std::pair<TObject*, bool>> events;  // (control, entered)
    void Enter(TObject* sender) { events.push_back({sender, true}); }
    void Exit(TObject* sender) { events.push_back({sender, false}); }
};

class TCancelProbe : public TLogPanel {
    CLASSLIB_COMPONENT(TCancelProbe, TLogPanel)
    CLASSLIB_MESSAGES(TCancelProbe, CLASSLIB_ON(WM_CANCELMODE, &TCancelProbe::Cancel))
    explicit TCancelProbe(TComponent* owner) : TLogPanel(owner) {}
    int cancels = 0;
    void Cancel(TMessage& message) {
        ++cancels;
        DispatchInherited<TCancelProbe>(this, message);
    }
};

class TCanvasDot : public TGraphicControl {
    CLASSLIB_COMPONENT(TCanvasDot, TGraphicControl)
    explicit TCanvasDot(TComponent* owner) : TGraphicControl(owner) {}
};

}  // namespace

TEST_F(ControlTest, TabOrderSkipsControlsThatCannotTakeTheFocus) {
    TLogPanel* a = Child(root_, 0, 0, 20, 20);
    TLogPanel* group = Child(root_, 30, 0, 100, 50);
    TLogPanel* b = Child(group, 0, 0, 20, 20);
    TLogPanel* c = Child(root_, 140, 0, 20, 20);
    for (TLogPanel* p : {a, b, c}) p->SetTabStop(true);
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(group->TabOrder(), 1);
    EXPECT_EQ(c->TabOrder(), 2);
    EXPECT_TRUE(::GetWindowLongPtrA(a->Handle(), GWL_STYLE) & WS_TABSTOP);

    std::vector<TWinControl*> list;
    root_->GetTabOrderList(list);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1], group);
    EXPECT_EQ(list[2], b) << "a child follows its parent";

    EXPECT_EQ(root_->FindNextControl(a, true, true, false), b) << "the group itself is no tab stop";
    EXPECT_EQ(root_->FindNextControl(b, true, true, false), c);
    EXPECT_EQ(root_->FindNextControl(c, true, true, false), a) << "round again";
    EXPECT_EQ(root_->FindNextControl(a, false, true, false), c);
    EXPECT_EQ(root_->FindNextControl(nullptr, true, true, false), a);

    group->SetEnabled(false);
    EXPECT_EQ(root_->FindNextControl(a, true, true, false), c) << "inside a disabled parent";
    c->SetVisible(false);
    EXPECT_EQ(root_->FindNextControl(a, true, true, false), nullptr) << "only the current one is left";

    c->SetTabOrder(0);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    c->SetTabOrder(99);
    EXPECT_EQ(c->TabOrder(), 2);
}

TEST_F(ControlTest, FocusEntersAndLeavesAndRefusesHiddenOrDisabledControls) {
    TLogPanel* a = Child(root_, 0, 0, 20, 20);
    TLogPanel* b = Child(root_, 30, 0, 20, 20);
    FocusLog log;
    for (TLogPanel* p : {a, b}) {
        p->OnEnter = MakeMethod<&FocusLog::Enter>(&log);
        p->OnExit = MakeMethod<&FocusLog::Exit>(&log);
    }
    ::SetForegroundWindow(host_);
    ASSERT_TRUE(testsupport::PumpUntil([] { return ::GetForegroundWindow() == host_; }));
    a->SetFocus();
    ASSERT_TRUE(a->Focused());
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    EXPECT_FALSE(a->Focused());
    ASSERT_GE(log.events.size(), 3u);
    std::vector<std::pair<TObject*, bool>> tail(log.events.end() - 3, log.events.end());
    EXPECT_EQ(tail[0], (std::pair<TObject*, bool>{a, true}));
    EXPECT_EQ(tail[1], (std::pair<TObject*, bool>{a, false}));
    EXPECT_EQ(tail[2], (std::pair<TObject*, bool>{b, true}));

    a->SetEnabled(false);
    EXPECT_FALSE(a->CanFocus());
    try {
        a->SetFocus();
        ADD_FAILURE() << "a disabled control took the focus";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
    }
    a->SetEnabled(true);
    root_->SetVisible(false);
    EXPECT_FALSE(a->CanFocus()) << "a hidden parent";
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
    root_->SetVisible(true);
    EXPECT_TRUE(a->CanFocus());

    root_->SelectNext(b, true, false);
    EXPECT_TRUE(a->Focused()) << "the next one round from the last";

    // Re-creating the focused control's window gives the focus back to the new window.
    b->SetFocus();
    b->RecreateWnd();
    EXPECT_TRUE(b->Focused());
}

TEST_F(ControlTest, CancelModeReachesTheCapturingAndTheFocusedControlButNotTheSender) {
    auto* focused = Child<TCancelProbe>(root_, 0, 0, 20, 20);
    auto* capturing = Child<TCancelProbe>(root_, 30, 0, 20, 20);
    ::SetForegroundWindow(host_);
    ASSERT_TRUE(testsupport::PumpUntil([] { return ::GetForegroundWindow() == host_; }));
    focused->SetFocus();
    ASSERT_TRUE(focused->Focused());
    capturing->SetMouseCapture(true);
    ASSERT_TRUE(capturing->MouseCapture());

    root_->SendCancelMode(root_);
    EXPECT_EQ(focused->cancels, 1);
    EXPECT_EQ(capturing->cancels, 1);
    EXPECT_FALSE(capturing->MouseCapture()) << "cancel mode releases the capture";

    capturing->SetMouseCapture(true);
    capturing->SendCancelMode(capturing);
    EXPECT_EQ(capturing->cancels, 1);
    EXPECT_EQ(focused->cancels, 2);
    capturing->SetMouseCapture(false);
}

TEST_F(ControlTest, ParentBackgroundIsDrawnBehindAChild) {
    TLogPanel* panel = Child(root_, 0, 0, 100, 100);
    panel->SetColor(RGB(0, 255, 0));
    TLogPanel* child = Child(panel, 20, 20, 40, 40);
    child->SetColor(RGB(255, 0, 0));

    auto eraseInto = [&](int x, int y) {
        const TWindowDC screenWindowDC;
        HDC screen = screenWindowDC.Get();
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 40, 40);
        HGDIOBJ old = ::SelectObject(dc, bmp);
        child->Perform(WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(dc));
        COLORREF c = ::GetPixel(dc, x, y) & 0xFFFFFF;
        ::SelectObject(dc, old);
        ::DeleteObject(bmp);
        ::DeleteDC(dc);
        return c;
    };
    EXPECT_EQ(eraseInto(5, 5), RGB(255, 0, 0)) << "its own colour";
    child->SetParentBackground(true);
    EXPECT_TRUE(child->ControlStyle().Contains(csParentBackground));
    EXPECT_EQ(eraseInto(5, 5), RGB(0, 255, 0)) << "the parent's background";
}

TEST_F(ControlTest, AGraphicControlsCanvasDrawsAtItsPlaceOnTheParent) {
    auto* dot = Child<TCanvasDot>(root_, 30, 40, 20, 10);
    HDC dc = dot->Canvas()->Handle();
    ASSERT_NE(dc, nullptr);
    POINT origin{};
    ::GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 30);
    EXPECT_EQ(origin.y, 40);
    RECT clip{};
    ::GetClipBox(dc, &clip);
    EXPECT_LE(clip.right, 20);
    EXPECT_LE(clip.bottom, 10);
    EXPECT_EQ(::WindowFromDC(dc), root_->Handle());

    // The next paint gives that context back and uses the paint's own.
    const TWindowDC screenWindowDC;
    HDC screen = screenWindowDC.Get();
    HDC memory = ::CreateCompatibleDC(screen);
    dot->Perform(WM_PAINT, reinterpret_cast<std::uintptr_t>(memory));
    EXPECT_FALSE(dot->Canvas()->HandleAllocated()) << "detached again after painting";
    ::DeleteDC(memory);
}

namespace {

// A control that sizes itself to a fixed content size and refuses to grow wider than 100.
class TSizedDot : public TGraphicControl {
    CLASSLIB_COMPONENT(TSizedDot, TGraphicControl)
    explicit TSizedDot(TComponent* owner) : TGraphicControl(owner) {}
    int resizes = 0;

protected:
    bool CanAutoSize(int& w, int& h) override {
        w = 42;
        h = 17;
        return true;
    }
    bool CanResize(int& w, int&) override { return w <= 100; }
    void Resize() override {
        ++resizes;
        TGraphicControl::Resize();
    }
};

}  // namespace

TEST_F(ControlTest, BoundsFollowConstraintsAutoSizeAndRefusedResizes) {
    auto* dot = Child<TSizedDot>(root_, 10, 10, 30, 30);
    dot->SetConstraints(TSizeConstraintsData{5, 5, 80, 60});
    dot->SetBounds(10, 10, 200, 2);
    EXPECT_EQ(dot->BoundsRect(), Bounds(10, 10, 80, 5)) << "limited both ways";
    dot->SetConstraints(TSizeConstraintsData{});
    int before = dot->resizes;
    dot->SetBounds(20, 20, 150, 50);
    EXPECT_EQ(dot->BoundsRect(), Bounds(20, 20, 80, 5)) << "a refused resize still moves";
    EXPECT_EQ(dot->resizes, before);
    dot->SetAutoSize(true);
    EXPECT_EQ(dot->BoundsRect(), Bounds(20, 20, 42, 17));
    EXPECT_EQ(dot->resizes, before + 1);
    dot->SetClientWidth(50);
    EXPECT_EQ(dot->Width(), 50);
}
