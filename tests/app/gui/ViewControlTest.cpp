// The scrolling view on a form on the display: a small image centred with equal margins on the view's
// background, a large one scrolled by the scroll bars' messages (and a click on a bar's arrow) and by the
// wheel, checked pixel by pixel on screen grabs; view objects taking the mouse topmost first; painting held
// by the clip stack and by the update region.
#include <functional>
#include <string>
#include <vector>

#include "app/win/TKelvoScrollViewControl.h"
#include "classlib/win/TCustomForm.h"
#include "tests/support/RealInput.h"
#include "tests/support/ScreenWait.h"
#include "tests/app/gui/KelvoAppTestSupport.h"
#include "tests/app/gui/ViewTestSupport.h"

using kelvotest::KelvoAppTest;
using namespace viewtest;

namespace {

constexpr COLORREF Background = RGB(0x40, 0x40, 0x40);
constexpr COLORREF Red = RGB(255, 0, 0);

using apptest::PumpQueued;
using apptest::PumpUntil;

void MoveMouse(POINT p, DWORD extraFlags = 0) { testsupport::SendPointer(Point(p.x, p.y), extraFlags); }
void Click(POINT p) { testsupport::ClickAt(Point(p.x, p.y)); }

class ViewControl : public KelvoAppTest {
protected:
    void SetUp() override {
        KelvoAppTest::SetUp();
        owner_ = MakeObject<TComponent>(nullptr);
        form_ = Create<TForm>(owner_.get(), NoBuilders);
        form_->SetBounds(20, 20, 700, 560);
        view_ = Create<TKelvoScrollViewControl>(owner_.get());
        view_->SetBounds(10, 10, 400, 300);
        view_->SetParent(form_);
    }
    void TearDown() override {
        owner_.reset();
        PumpQueued();
        KelvoAppTest::TearDown();
    }

    void ShowWith(TKelvoViewObject* object) {
        if (object) view_->AddObject(object);
        form_->Show();
        ::SetForegroundWindow(form_->Handle());
        view_->Recalculate();
        ::UpdateWindow(view_->Handle());
        ASSERT_TRUE(PumpQueued());
    }
    // The view's client area on screen, once the display shows the form as it has drawn itself.
    RECT ClientOnScreen() {
        EXPECT_TRUE(testsupport::WaitUntilOnScreen(form_->Handle(), apptest::ApplicationStep));
        POINT o{0, 0};
        ::ClientToScreen(view_->Handle(), &o);
        return RECT{o.x, o.y, o.x + view_->ClientWidth(), o.y + view_->ClientHeight()};
    }
    POINT ScreenPoint(int x, int y) {
        POINT p{x, y};
        ::ClientToScreen(view_->Handle(), &p);
        return p;
    }
    bool HasBar(LONG_PTR bar) { return (::GetWindowLongPtrA(view_->Handle(), GWL_STYLE) & bar) != 0; }
    void SendScroll(UINT msg, int request) {
        ::SendMessageA(view_->Handle(), msg, WPARAM(request), 0);
        ASSERT_TRUE(PumpQueued());
    }
    // Every pixel of the client area shows the pattern scrolled to the view's position; the count of those
    // that do not.
    long PatternMismatches(const char* artifact) {
        const TScreenShot shot(ClientOnScreen(), ArtifactPath(artifact));
        const int px = view_->ScrollPosX(), py = view_->ScrollPosY();
        long bad = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) bad += shot.At(x, y) != PatternAt(x + px, y + py);
        return bad;
    }

    TObjectPtr<TComponent> owner_;
    TForm* form_ = nullptr;
    TKelvoScrollViewControl* view_ = nullptr;
};

}  // namespace

TEST_F(ViewControl, SmallImageIsCentredWithEqualMarginsOnTheBackgroundWithoutBars) {
    TKelvoLTBitmap image;
    FillColour(image, 100, 100, Red);
    ShowWith(new TImageObject(image));
    EXPECT_FALSE(HasBar(WS_HSCROLL));
    EXPECT_FALSE(HasBar(WS_VSCROLL));

    const auto margins = [&](const char* artifact) {
        const TScreenShot shot(ClientOnScreen(), ArtifactPath(artifact));
        int left = shot.Width(), right = -1, top = shot.Height(), bottom = -1;
        long red = 0, other = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) {
                const COLORREF c = shot.At(x, y);
                if (c == Red) {
                    ++red;
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                } else {
                    other += c != Background;
                }
            }
        EXPECT_EQ(red, 100 * 100);
        EXPECT_EQ(other, 0) << "pixels neither image nor background";
        EXPECT_NEAR(left, shot.Width() - 1 - right, 1);
        EXPECT_NEAR(top, shot.Height() - 1 - bottom, 1);
        return std::vector<int>{left, top};
    };
    EXPECT_EQ(margins("view-centred.bmp"), (std::vector<int>{150, 100}));
    // Widened past the content: centred again.
    view_->SetBounds(10, 10, 500, 300);
    ASSERT_TRUE(PumpQueued());
    EXPECT_EQ(margins("view-centred-wider.bmp"), (std::vector<int>{200, 100}));
}

TEST_F(ViewControl, LargeImageScrollsByLinesPagesAndTheWheelAndStopsAtTheEnd) {
    TKelvoLTBitmap image;
    FillPattern(image, 1200, 900);
    ShowWith(new TImageObject(image));
    ASSERT_TRUE(HasBar(WS_HSCROLL));
    ASSERT_TRUE(HasBar(WS_VSCROLL));
    const int vbar = ::GetSystemMetrics(SM_CXVSCROLL), hbar = ::GetSystemMetrics(SM_CYHSCROLL);
    ASSERT_EQ(view_->ClientWidth(), 400 - vbar);
    ASSERT_EQ(view_->ClientHeight(), 300 - hbar);
    EXPECT_EQ(PatternMismatches("view-scroll-0.bmp"), 0);

    // A click on the vertical bar's down arrow: the system's own line request.
    Click(ScreenPoint(view_->ClientWidth() + vbar / 2, view_->ClientHeight() - 4));
    EXPECT_TRUE(PumpUntil([&] { return view_->ScrollPosY() != 0; }));
    ASSERT_TRUE(PumpQueued());  // the release too: one line, no repeat
    EXPECT_EQ(view_->ScrollPosY(), 10);
    SendScroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(view_->ScrollPosY(), 20);
    SendScroll(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(view_->ScrollPosY(), 20 + ::MulDiv(300 - hbar, 3, 4));
    SendScroll(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(view_->ScrollPosX(), ::MulDiv(400 - vbar, 3, 4));
    SendScroll(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(view_->ScrollPosX(), ::MulDiv(400 - vbar, 3, 4) - 10);
    // One notch of the wheel towards the user: the system's wheel lines of 10 pixels down.
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int beforeWheel = view_->ScrollPosY();
    const POINT inside = ScreenPoint(50, 50);
    ::SendMessageA(view_->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(inside.x, inside.y));
    ASSERT_TRUE(PumpQueued());
    EXPECT_EQ(view_->ScrollPosY(), beforeWheel + int(lines) * 10);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    ::GetScrollInfo(view_->Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nPos, view_->ScrollPosY());
    EXPECT_EQ(PatternMismatches("view-scroll-1.bmp"), 0);

    // Paging on stops at the last position, where the image's last row and column are the client's last.
    for (int i = 0; i < 10; ++i) SendScroll(WM_VSCROLL, SB_PAGEDOWN);
    for (int i = 0; i < 10; ++i) SendScroll(WM_HSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(view_->ScrollPosY(), 900 - (300 - hbar));
    EXPECT_EQ(view_->ScrollPosX(), 1200 - (400 - vbar));
    SendScroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(view_->ScrollPosY(), 900 - (300 - hbar));
    EXPECT_EQ(PatternMismatches("view-scroll-end.bmp"), 0);
    // Scrolling by a line repaints one line's strip only.
    SendScroll(WM_VSCROLL, SB_LINEUP);
    auto* object = static_cast<TImageObject*>(view_->GetObject(0));
    EXPECT_EQ(object->lastClip, MakeRect(0, 0, view_->ClientWidth(), 10));
    EXPECT_EQ(PatternMismatches("view-scroll-lineup.bmp"), 0);

    // CenterOn: the image's middle in the client's middle.
    view_->CenterOn(TKelvoPoint{600, 450});
    ASSERT_TRUE(PumpQueued());
    EXPECT_EQ(view_->ScrollPosX(), 600 - view_->ClientWidth() / 2);
    EXPECT_EQ(view_->ScrollPosY(), 450 - view_->ClientHeight() / 2);

    // The vertical thumb dragged 40 pixels down with the mouse: the view follows the system's track position.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(::GetScrollBarInfo(view_->Handle(), OBJID_VSCROLL, &bar));
    const int thumbMiddle = (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    const POINT grip{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.top + thumbMiddle};
    const int beforeDrag = view_->ScrollPosY();
    // All of the drag is queued before any of it is handled: the system's tracking loop runs inside the
    // handling of the press and only returns at the release.
    MoveMouse(grip);
    MoveMouse(grip, MOUSEEVENTF_LEFTDOWN);
    for (int dy = 10; dy <= 40; dy += 10) MoveMouse(POINT{grip.x, grip.y + dy});
    MoveMouse(POINT{grip.x, grip.y + 40}, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpQueued());
    ::GetScrollInfo(view_->Handle(), SB_VERT, &info);
    EXPECT_GT(view_->ScrollPosY(), beforeDrag + 40);
    EXPECT_EQ(info.nPos, view_->ScrollPosY());
    EXPECT_EQ(PatternMismatches("view-scroll-thumb.bmp"), 0);
}

namespace {

// An object that takes a mouse press inside its bounds and notes every time it is asked.
class TClickable : public TKelvoViewObject {
public:
    TClickable(std::string name, TKelvoRect bounds, TKelvoMapMode& map, std::vector<std::string>& log)
        : name_(std::move(name)), map_(map), log_(log) {
        SetFlags(KelvoViewVisible | KelvoViewHasOverlay | KelvoViewNoExtent);
        SetBounds(bounds);
    }
    bool MouseDown(TMouseButton, TShiftState, TKelvoPoint p) override {
        const bool mine = HitTestPoint(map_, p, 0) == KelvoHitInside;
        log_.push_back(name_ + (mine ? " takes" : " passes"));
        return mine;
    }
    bool KeyDown(std::uint16_t&, TShiftState) override {
        log_.push_back(name_ + " key");
        return true;
    }

private:
    std::string name_;
    TKelvoMapMode& map_;
    std::vector<std::string>& log_;
};

}  // namespace

TEST_F(ViewControl, TheTopmostObjectTakesTheMouseBeforeTheOneBeneathIt) {
    TKelvoLTBitmap image;
    FillColour(image, 300, 200, Red);
    std::vector<std::string> log;
    view_->AddObject(new TImageObject(image));
    view_->AddObject(new TClickable("lower", MakeRect(0, 0, 100, 100), view_->MapMode(), log));
    view_->AddObject(new TClickable("upper", MakeRect(50, 50, 150, 150), view_->MapMode(), log));
    ShowWith(nullptr);
    const int ox = view_->MapMode().ViewportOrgX, oy = view_->MapMode().ViewportOrgY;
    ASSERT_EQ(ox, 50);                     // centred: the logical origin is the image's corner
    Click(ScreenPoint(ox + 75, oy + 75));  // both objects
    EXPECT_TRUE(PumpUntil([&] { return !log.empty(); }));
    ASSERT_TRUE(PumpQueued());  // the rest of the click, which must ask no other object
    EXPECT_EQ(log, (std::vector<std::string>{"upper takes"}));
    log.clear();
    Click(ScreenPoint(ox + 20, oy + 20));  // the lower one only
    EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    ASSERT_TRUE(PumpQueued());
    EXPECT_EQ(log, (std::vector<std::string>{"upper passes", "lower takes"}));

    // Keys: the view's own event first, then the objects from the top; the upper one takes it.
    struct TKeyWatch : TObject {
        std::vector<std::string>* log;
        void KeyDown(TObject*, std::uint16_t&, TShiftState) { log->push_back("view key"); }
    } watch;
    watch.log = &log;
    view_->OnKeyDown = MakeMethod<&TKeyWatch::KeyDown>(&watch);
    view_->SetFocus();
    log.clear();
    ::PostMessageA(view_->Handle(), WM_KEYDOWN, VK_F5, 1);
    EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    ASSERT_TRUE(PumpQueued());
    EXPECT_EQ(log, (std::vector<std::string>{"view key", "upper key"}));
    view_->OnKeyDown = nullptr;
}

namespace {

// A plain colour as body (kept from what is painted after it) or as overlay.
class TColourObject : public TKelvoViewObject {
public:
    TColourObject(std::uint8_t flags, TKelvoRect bounds, COLORREF colour) : colour_(colour) {
        SetFlags(flags);
        SetBounds(bounds);
    }
    void PaintBody(TKelvoViewCanvas& canvas) override {
        Fill(canvas);
        TKelvoRect r;
        GetBodyRect(canvas.MapMode(), r);
        canvas.ExcludeFromClip(r);
    }
    void PaintOverlay(TKelvoViewCanvas& canvas) override { Fill(canvas); }

private:
    void Fill(TKelvoViewCanvas& canvas) {
        TKelvoRect r;
        GetBodyRect(canvas.MapMode(), r);
        const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
        TGdiHandle<HBRUSH> brush(::CreateSolidBrush(colour_));
        ::FillRect(canvas.MemoryDC(), &rc, brush.Get());
    }
    COLORREF colour_;
};

}  // namespace

TEST_F(ViewControl, OverlaysPaintWithinTheClipTheirObjectWasVisitedWith) {
    constexpr COLORREF Blue = RGB(0, 0, 255), Green = RGB(0, 255, 0);
    TKelvoLTBitmap image;
    FillColour(image, 300, 200, Red);
    view_->AddObject(new TImageObject(image));
    // The lower object's overlay reaches under the upper object's body, and must not cover it.
    view_->AddObject(new TColourObject(KelvoViewVisible | KelvoViewHasOverlay, MakeRect(20, 20, 120, 120), Blue));
    view_->AddObject(new TColourObject(KelvoViewVisible | KelvoViewHasBody, MakeRect(80, 80, 180, 180), Green));
    ShowWith(nullptr);
    const int ox = view_->MapMode().ViewportOrgX, oy = view_->MapMode().ViewportOrgY;
    const TScreenShot shot(ClientOnScreen(), ArtifactPath("view-clip-stack.bmp"));
    const auto at = [&](int x, int y) { return shot.At(ox + x, oy + y); };
    EXPECT_EQ(at(30, 30), Blue);
    EXPECT_EQ(at(119, 79), Blue);
    EXPECT_EQ(at(80, 80), Green);  // under both: the upper body stays
    EXPECT_EQ(at(119, 119), Green);
    EXPECT_EQ(at(179, 179), Green);
    EXPECT_EQ(at(10, 10), Red);
    EXPECT_EQ(at(299, 199), Red);
    EXPECT_EQ(at(-1, -1), Background);
    EXPECT_EQ(at(300, 100), Background);

    // A paint of part of the window draws only that part; a paint with nothing invalid draws nothing.
    auto* imageObject = static_cast<TImageObject*>(view_->GetObject(0));
    const int before = imageObject->paints;
    const RECT part{200, 40, 260, 60};
    ::InvalidateRect(view_->Handle(), &part, FALSE);
    ::UpdateWindow(view_->Handle());
    EXPECT_EQ(imageObject->paints, before + 1);
    EXPECT_EQ(imageObject->lastClip, MakeRect(200, 40, 260, 60));
    ::ValidateRect(view_->Handle(), nullptr);
    EXPECT_FALSE(view_->ViewCanvas().BeginPaint(view_->Handle()));
    ::SendMessageA(view_->Handle(), WM_PAINT, 0, 0);
    EXPECT_EQ(imageObject->paints, before + 1);
}
