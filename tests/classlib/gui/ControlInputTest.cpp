// Controls and their input and output: the control half of the keyboard path, mouse routing to graphic
// children, capture, wheel and context menu, painting into a given device context, erasing, double
// buffering, alignment inside a window, and finding the control under a screen point.
#include <gtest/gtest.h>

#include "tests/classlib/gui/ControlTestSupport.h"
#include "classlib/win/TFont.h"
#include "classlib/win/WindowDC.h"

using namespace controltest;

namespace {

// A graphic child that paints its whole area (and more, to show the clipping) and records the mouse.
class TSpot : public TGraphicControl {
    CLASSLIB_COMPONENT(TSpot, TGraphicControl)
    explicit TSpot(TComponent* owner) : TGraphicControl(owner) {}
    COLORREF paintColor = RGB(255, 0, 0);
    std::vector<TPoint> downs;
    int clicks = 0;
    std::vector<Logged> dialogKeys;
    void Paint() override {
        HBRUSH b = ::CreateSolidBrush(paintColor);
        RECT r{0, 0, 500, 500};
        ::FillRect(Canvas()->Handle(), &r, b);
        ::DeleteObject(b);
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        downs.push_back(TPoint{x, y});
        TGraphicControl::MouseDown(button, shift, x, y);
    }
    void Click() override {
        ++clicks;
        TGraphicControl::Click();
    }
    void WndProc(TMessage& message) override {
        if (message.Msg == CM_DIALOGKEY) dialogKeys.push_back({message.Msg, message.WParam, message.LParam});
        TGraphicControl::WndProc(message);
    }
};

// A self-painting control that remembers the device context it painted on.
class TCanvasProbe : public TLogPanel {
    CLASSLIB_COMPONENT(TCanvasProbe, TLogPanel)
    CLASSLIB_MESSAGES(TCanvasProbe, CLASSLIB_ON(WM_ERASEBKGND, &TCanvasProbe::Erase))
    explicit TCanvasProbe(TComponent* owner) : TLogPanel(owner) {}
    int paints = 0;
    DWORD paintDCType = 0;
    int bufferErases = 0;
    void Paint() override {
        ++paints;
        paintDCType = ::GetObjectType(Canvas()->Handle());
        HBRUSH b = ::CreateSolidBrush(RGB(0, 0, 255));
        RECT r{0, 0, 10, 10};
        ::FillRect(Canvas()->Handle(), &r, b);
        ::DeleteObject(b);
    }
    void Erase(TMessage& message) {
        if (message.WParam == static_cast<std::uintptr_t>(message.LParam)) ++bufferErases;
        DispatchInherited<TCanvasProbe>(this, message);
    }
};

// A 32-bit memory bitmap to paint into and read back.
struct MemorySurface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    MemorySurface(int w, int h) {
        const TWindowDC screenWindowDC;
        HDC screen = screenWindowDC.Get();
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, w, h);
        old = ::SelectObject(dc, bitmap);
        RECT r{0, 0, w, h};
        ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~MemorySurface() {
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y) & 0xFFFFFF; }
};

std::intptr_t Pos(int x, int y) { return static_cast<std::intptr_t>(MAKELPARAM(x, y)); }

// Erases control into a white surface whose origin is moved by (10, 10), as the parent-background path does
// to make a child's corner the device's (0, 0): the fill in color moves with the origin.
void ExpectErasedWithMovedOrigin(TWinControl* control, COLORREF color) {
    MemorySurface surface(control->Width() + 20, control->Height() + 20);
    ::SetWindowOrgEx(surface.dc, 10, 10, nullptr);
    EXPECT_EQ(control->Perform(WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(surface.dc)), 1);
    ::SetWindowOrgEx(surface.dc, 0, 0, nullptr);
    EXPECT_EQ(surface.At(0, 0), color);
    EXPECT_EQ(surface.At(control->Width() - 11, control->Height() - 11), color);
    EXPECT_EQ(surface.At(control->Width() - 9, control->Height() - 9), RGB(255, 255, 255))
        << "the fill moved with the origin";
}

}  // namespace

TEST_F(ControlTest, PaintingUsesTheGivenDeviceContextAndClipsGraphicChildren) {
    TCanvasProbe* probe = Child<TCanvasProbe>(root_, 10, 10, 60, 60);
    TSpot* spot = Child<TSpot>(probe, 20, 20, 10, 10);
    ASSERT_TRUE(probe->HandleAllocated());
    testsupport::DispatchThreadMessages();
    ::InvalidateRect(probe->Handle(), nullptr, TRUE);

    MemorySurface surface(60, 60);
    probe->Perform(WM_PAINT, reinterpret_cast<std::uintptr_t>(surface.dc));
    EXPECT_EQ(surface.At(5, 5), RGB(0, 0, 255)) << "the control painted into the given DC";
    EXPECT_EQ(surface.At(25, 25), RGB(255, 0, 0)) << "the graphic child at its place";
    EXPECT_EQ(surface.At(35, 35), RGB(255, 255, 255)) << "and clipped to its bounds";
    RECT update{};
    EXPECT_TRUE(::GetUpdateRect(probe->Handle(), &update, FALSE)) << "no BeginPaint on a given DC";

    // WM_PRINTCLIENT paints into its DC as well, erasing first when asked.
    MemorySurface printed(60, 60);
    probe->SetColor(RGB(0, 255, 0));
    probe->Perform(WM_PRINTCLIENT, reinterpret_cast<std::uintptr_t>(printed.dc), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(printed.At(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(printed.At(50, 50), RGB(0, 255, 0));
    EXPECT_EQ(printed.At(25, 25), RGB(255, 0, 0));

    // A hidden graphic child is not painted.
    spot->SetVisible(false);
    MemorySurface again(60, 60);
    probe->Perform(WM_PAINT, reinterpret_cast<std::uintptr_t>(again.dc));
    EXPECT_EQ(again.At(25, 25), RGB(255, 255, 255));
}

TEST_F(ControlTest, ErasingFillsTheClientAreaInTheCurrentCoordinates) {
    TLogPanel* panel = Child(root_, 0, 0, 40, 40);
    panel->SetColor(RGB(0, 255, 0));
    ExpectErasedWithMovedOrigin(panel, RGB(0, 255, 0));

    // An opaque control paints every pixel itself: erasing does nothing but say it is done.
    panel->SetControlStyle(panel->ControlStyle() + TControlStyle{csOpaque});
    MemorySurface opaque(60, 60);
    EXPECT_EQ(panel->Perform(WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(opaque.dc)), 1);
    EXPECT_EQ(opaque.At(5, 5), RGB(255, 255, 255));
}

TEST_F(ControlTest, DoubleBufferedControlsPaintThroughAMemoryBitmap) {
    TCanvasProbe* probe = Child<TCanvasProbe>(root_, 10, 10, 60, 60);
    probe->SetDoubleBuffered(true);
    testsupport::DispatchThreadMessages();
    probe->paints = 0;
    probe->bufferErases = 0;
    ::InvalidateRect(probe->Handle(), nullptr, TRUE);
    ::UpdateWindow(probe->Handle());
    EXPECT_EQ(probe->paints, 1);
    EXPECT_EQ(probe->paintDCType, static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(probe->bufferErases, 1) << "erased into the bitmap";
    RECT update{};
    EXPECT_FALSE(::GetUpdateRect(probe->Handle(), &update, FALSE)) << "the window was validated";

    // The system's erase of the window itself is left to the buffered paint...
    const TWindowDC ownWindowDC(probe->Handle());
    HDC own = ownWindowDC.Get();
    RECT mark{20, 20, 40, 40};
    ::FillRect(own, &mark, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(probe->Perform(WM_ERASEBKGND, reinterpret_cast<std::uintptr_t>(own)), 1);
    EXPECT_EQ(::GetPixel(own, 30, 30) & 0xFFFFFF, RGB(0, 0, 0)) << "nothing erased on screen";
    // ...but a foreign DC, a child's drawing this control's background behind itself with the origin moved
    // to the child's corner, gets the background.
    probe->SetColor(RGB(0, 255, 0));
    ExpectErasedWithMovedOrigin(probe, RGB(0, 255, 0));

    probe->SetDoubleBuffered(false);
    ::InvalidateRect(probe->Handle(), nullptr, TRUE);
    ::UpdateWindow(probe->Handle());
    EXPECT_EQ(probe->paints, 2);
    EXPECT_NE(probe->paintDCType, static_cast<DWORD>(OBJ_MEMDC));
}

TEST_F(ControlTest, DialogKeysGoToTheRootAndAreBroadcastUntilHandled) {
    TLogPanel* group = Child(root_, 0, 0, 100, 100);
    TSpot* first = Child<TSpot>(group, 0, 0, 5, 5);
    TLogPanel* second = Child(group, 10, 10, 20, 20);
    TLogPanel* third = Child(group, 40, 40, 20, 20);
    TLogPanel* focus = Child(root_, 150, 10, 40, 20);
    second->DialogKeyAnswer = 1;

    // Enter at a control that does not want it: asked first, then the dialog key goes round.
    EXPECT_EQ(focus->Perform(CN_KEYDOWN, VK_RETURN), 1);
    EXPECT_EQ(focus->Count(CM_WANTSPECIALKEY), 1);
    EXPECT_EQ(root_->Count(CM_DIALOGKEY), 1);
    EXPECT_EQ(group->Count(CM_DIALOGKEY), 1);
    EXPECT_EQ(first->dialogKeys.size(), 1u);
    EXPECT_EQ(second->Count(CM_DIALOGKEY), 1);
    EXPECT_EQ(third->Count(CM_DIALOGKEY), 0) << "the broadcast stops at the first taker";

    // A control that keeps the key through CM_WANTSPECIALKEY gets it itself.
    focus->WantSpecialKeyAnswer = 1;
    EXPECT_EQ(focus->Perform(CN_KEYDOWN, VK_ESCAPE), 0);
    EXPECT_EQ(root_->Count(CM_DIALOGKEY), 1);
    focus->WantSpecialKeyAnswer = 0;

    // An ordinary key is no dialog key; Alt alone from a system key-down is.
    EXPECT_EQ(focus->Perform(CN_KEYDOWN, 'A'), 0);
    EXPECT_EQ(root_->Count(CM_DIALOGKEY), 1);
    EXPECT_EQ(focus->Perform(CN_SYSKEYDOWN, VK_MENU, 0x20000000), 1);
    EXPECT_EQ(root_->Count(CM_DIALOGKEY), 2);

    // Nobody takes it: the key stays with the control.
    second->DialogKeyAnswer = 0;
    EXPECT_EQ(focus->Perform(CN_KEYDOWN, VK_TAB), 0);
    EXPECT_EQ(third->Count(CM_DIALOGKEY), 1);

    // An edit wants arrows (its dialog code says so): no dialog key.
    TTestEdit* edit = Child<TTestEdit>(root_, 150, 40, 80, 20);
    int before = root_->Count(CM_DIALOGKEY);
    EXPECT_EQ(edit->Perform(CN_KEYDOWN, VK_LEFT), 0);
    EXPECT_EQ(root_->Count(CM_DIALOGKEY), before);

    // Characters: a control without DLGC_WANTCHARS offers them as dialog characters; the edit keeps them.
    second->DialogKeyAnswer = 1;
    EXPECT_EQ(focus->Perform(CN_CHAR, 's'), 1);
    EXPECT_EQ(root_->Count(CM_DIALOGCHAR), 1);
    EXPECT_EQ(edit->Perform(CN_CHAR, 's'), 0);
    EXPECT_EQ(root_->Count(CM_DIALOGCHAR), 1);
    EXPECT_EQ(edit->Perform(CN_SYSCHAR, 's', 0x20000000), 1) << "Alt+letter always goes to the dialog characters";
    EXPECT_EQ(root_->Count(CM_DIALOGCHAR), 2);
}

TEST_F(ControlTest, KeyMessagesReachKeyDownIncludingSystemKeys) {
    TLogPanel* c = Child(root_, 10, 10, 50, 20);
    std::vector<std::uint16_t> keys;
    struct Sink {
        std::vector<std::uint16_t>* keys;
        std::vector<char> chars;
        void Down(TObject*, std::uint16_t& key, TShiftState shift) {
            keys->push_back(key);
            if (key == VK_F3) key = 0;
            if (key == VK_F2) {
                EXPECT_TRUE(shift.Contains(ssAlt));
            }
        }
        void Press(TObject*, char& ch) {
            chars.push_back(ch);
            if (ch == 'a') ch = 'b';
        }
    } sink{&keys, {}};
    c->OnKeyDown = MakeMethod<&Sink::Down>(&sink);
    c->OnKeyPress = MakeMethod<&Sink::Press>(&sink);
    ::SendMessageA(c->Handle(), WM_SYSKEYDOWN, VK_F2, 0x20000001);
    ::SendMessageA(c->Handle(), WM_KEYDOWN, VK_F3, 1);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], VK_F2) << "Alt+F2 reaches KeyDown";
    EXPECT_EQ(keys[1], VK_F3);

    TMessage ch;
    ch.Msg = WM_CHAR;
    ch.WParam = 'a';
    c->WindowProc(ch);
    EXPECT_EQ(ch.WParam, static_cast<std::uintptr_t>('b'));
    // A character the handler leaves alone keeps the rest of wParam (wide characters travel there).
    ch.WParam = 0x04100000u | 0xFFu;
    c->WindowProc(ch);
    EXPECT_EQ(ch.WParam, 0x041000FFu);
}

TEST_F(ControlTest, MouseGoesToTheGraphicChildUnderThePointAndItsCapture) {
    TSpot* spot = Child<TSpot>(root_, 100, 10, 30, 30);
    int parentDowns = 0;
    struct Sink {
        int* downs;
        TMouseButton button = mbLeft;
        TShiftState shift{};
        void Down(TObject*, TMouseButton b, TShiftState s, int, int) {
            ++*downs;
            button = b;
            shift = s;
        }
    } sink{&parentDowns};
    root_->OnMouseDown = MakeMethod<&Sink::Down>(&sink);
    HWND wnd = root_->Handle();

    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, Pos(105, 15));
    ASSERT_EQ(spot->downs.size(), 1u);
    EXPECT_EQ(spot->downs[0], (TPoint{5, 5})) << "in the child's coordinates";
    EXPECT_EQ(parentDowns, 0);
    EXPECT_EQ(GetCaptureControl(), spot);
    EXPECT_EQ(::GetCapture(), wnd) << "captured through the parent's window";
    EXPECT_TRUE(spot->MouseCapture());

    // While captured, the release goes to the child even outside it; outside means no click.
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, Pos(5, 150));
    EXPECT_EQ(spot->clicks, 0);
    EXPECT_EQ(GetCaptureControl(), nullptr);

    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, Pos(110, 20));
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, Pos(111, 21));
    EXPECT_EQ(spot->clicks, 1);

    // Cancel mode releases the capture.
    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, Pos(110, 20));
    EXPECT_EQ(GetCaptureControl(), spot);
    spot->Perform(WM_CANCELMODE);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, Pos(111, 21));
    EXPECT_EQ(spot->clicks, 1) << "a cancelled press is no click";

    // A disabled graphic child lets the parent have the mouse.
    spot->SetEnabled(false);
    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, Pos(105, 15));
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, Pos(105, 15));
    EXPECT_EQ(spot->downs.size(), 3u);
    EXPECT_EQ(parentDowns, 1);

    // Other buttons: a right double press is a right press with ssDouble.
    ::SendMessageA(wnd, WM_RBUTTONDBLCLK, MK_RBUTTON, Pos(200, 100));
    EXPECT_EQ(parentDowns, 2);
    EXPECT_EQ(sink.button, mbRight);
    EXPECT_TRUE(sink.shift.Contains(ssDouble));
    EXPECT_TRUE(sink.shift.Contains(ssRight));
    ::SendMessageA(wnd, WM_MBUTTONDOWN, MK_MBUTTON, Pos(200, 100));
    EXPECT_EQ(sink.button, mbMiddle);
    EXPECT_FALSE(sink.shift.Contains(ssDouble));
}

TEST_F(ControlTest, WheelGoesToTheControlAndNeverToTheParentWindow) {
    TLogPanel* c = Child(root_, 10, 10, 50, 50);
    struct Sink {
        int calls = 0;
        int delta = 0;
        void Wheel(TObject*, TShiftState, int d, TPoint, bool& handled) {
            ++calls;
            delta = d;
            handled = false;
        }
    } sink;
    c->OnMouseWheel = MakeMethod<&Sink::Wheel>(&sink);
    root_->Log.clear();
    ::SendMessageA(c->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), Pos(60, 60));
    EXPECT_EQ(sink.calls, 1);
    EXPECT_EQ(sink.delta, -120);
    EXPECT_EQ(root_->Count(WM_MOUSEWHEEL), 0) << "unhandled, still not passed up";
}

TEST_F(ControlTest, ContextMenuFromTheKeyboardIsOnlyTheAllOnesPoint) {
    TLogPanel* c = Child(root_, 10, 10, 50, 50);
    struct Sink {
        std::vector<TPoint> points;
        void Popup(TObject*, TPoint p, bool& handled) {
            points.push_back(p);
            handled = true;
        }
    } sink;
    c->OnContextPopup = MakeMethod<&Sink::Popup>(&sink);
    EXPECT_EQ(::SendMessageA(c->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c->Handle()), -1), 1);
    TPoint origin = c->ClientToScreen(TPoint{0, 0});
    TPoint screen{origin.X - 5, origin.Y - 3};
    ::SendMessageA(c->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c->Handle()),
                   Pos(static_cast<short>(screen.X), static_cast<short>(screen.Y)));
    ::SendMessageA(c->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c->Handle()), Pos(-1, -2));
    ASSERT_EQ(sink.points.size(), 3u);
    EXPECT_EQ(sink.points[0], (TPoint{-1, -1}));
    EXPECT_EQ(sink.points[1], (TPoint{-5, -3}));
    EXPECT_EQ(sink.points[2], (TPoint{-1 - origin.X, -2 - origin.Y})) << "a negative mouse point is a point";
}

TEST_F(ControlTest, AlignedChildrenStackAndKeepTheirPlacesInAWindow) {
    TLogPanel* a = Child(root_, 0, 0, 10, 20);
    TLogPanel* b = Child(root_, 0, 30, 10, 30);
    TLogPanel* client = Child(root_, 0, 0, 10, 10);
    TLogPanel* right = Child(root_, 250, 170, 40, 20);
    right->SetAnchors(TAnchors{akRight, akBottom});
    a->SetAlign(alTop);
    b->SetAlign(alTop);
    client->SetAlign(alClient);
    EXPECT_EQ(a->BoundsRect(), Rect(0, 0, 300, 20));
    EXPECT_EQ(b->BoundsRect(), Rect(0, 20, 300, 50));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 50, 300, 200));
    EXPECT_EQ(a->Anchors(), (TAnchors{akLeft, akTop, akRight}));

    a->SetVisible(false);
    EXPECT_EQ(b->Top(), 0);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 300, 200));
    a->SetVisible(true);
    EXPECT_EQ(a->Top(), 0) << "back in its place";
    EXPECT_EQ(b->Top(), 20);

    RECT r{};
    ::GetWindowRect(b->Handle(), &r);
    ::MapWindowPoints(nullptr, root_->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 20) << "the window moved too";

    int resizes = 0;
    struct Sink {
        int* n;
        void Resized(TObject*) { ++*n; }
    } sink{&resizes};
    client->OnResize = MakeMethod<&Sink::Resized>(&sink);
    root_->SetBounds(0, 0, 260, 220);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 50, 260, 220));
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(right->BoundsRect(), Bounds(210, 190, 40, 20)) << "anchored right and bottom";

    // Alignment waits while disabled.
    root_->DisableAlign();
    b->SetHeight(50);
    EXPECT_EQ(client->Top(), 50);
    root_->EnableAlign();
    EXPECT_EQ(client->Top(), 70);
}

namespace {

// A window whose whole area lets the mouse through to the window below.
class TSeeThrough : public TLogPanel {
    CLASSLIB_COMPONENT(TSeeThrough, TLogPanel)
    CLASSLIB_MESSAGES(TSeeThrough, CLASSLIB_ON(WM_NCHITTEST, &TSeeThrough::HitTest))
    explicit TSeeThrough(TComponent* owner) : TLogPanel(owner) {}
    void HitTest(TMessage& message) { message.Result = HTTRANSPARENT; }
};

}  // namespace

TEST_F(ControlTest, DragTargetFindsDisabledControlsOnlyWhenAsked) {
    TLogPanel* panel = Child(root_, 10, 10, 60, 60);
    TSpot* spot = Child<TSpot>(root_, 100, 10, 40, 40);
    TLogPanel* inner = Child(panel, 10, 10, 30, 30);
    ::SetWindowPos(host_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    testsupport::DispatchThreadMessages();
    TPoint overInner = inner->ClientToScreen(TPoint{5, 5});
    TPoint overSpot = spot->ClientToScreen(TPoint{5, 5});
    ASSERT_EQ(FindDragTarget(overInner, false), inner);
    ASSERT_EQ(FindDragTarget(overSpot, false), spot);

    panel->SetEnabled(false);
    spot->SetEnabled(false);
    EXPECT_EQ(FindDragTarget(overInner, true), inner);
    EXPECT_EQ(FindDragTarget(overSpot, true), spot);
    EXPECT_EQ(FindDragTarget(overInner, false), root_);
    EXPECT_EQ(FindDragTarget(overSpot, false), root_);

    // Where a window answers HTTRANSPARENT (its margin around a child) the window below is found.
    auto* glass = Child<TSeeThrough>(root_, 200, 100, 50, 50);
    TLogPanel* inside = Child(glass, 10, 10, 20, 20);
    testsupport::DispatchThreadMessages();
    EXPECT_EQ(FindDragTarget(glass->ClientToScreen(TPoint{2, 2}), false), root_);
    EXPECT_EQ(FindDragTarget(inside->ClientToScreen(TPoint{5, 5}), false), inside);
}

TEST_F(ControlTest, FontAndColourFollowTheParentUntilSetOwn) {
    TLogPanel* c = Child(root_, 0, 0, 10, 10);
    root_->Font()->SetSize(14);
    EXPECT_EQ(c->Font()->Size(), 14);
    EXPECT_TRUE(c->ParentFont());
    c->Font()->SetSize(9);
    EXPECT_FALSE(c->ParentFont());
    root_->Font()->SetSize(20);
    EXPECT_EQ(c->Font()->Size(), 9);
    c->SetParentFont(true);
    EXPECT_EQ(c->Font()->Size(), 20);

    root_->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(c->Color(), RGB(1, 2, 3));
    c->SetColor(RGB(9, 9, 9));
    root_->SetColor(RGB(4, 5, 6));
    EXPECT_EQ(c->Color(), RGB(9, 9, 9));
}
