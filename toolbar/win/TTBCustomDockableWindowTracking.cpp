// The dockable window's mouse tracking: dragging between docks and floating, sizing a floating frame, and
// the close buttons.
#include "toolbar/win/TTBCustomDockableWindow.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomForm.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/core/WideStringValues.h"
#include "toolbar/win/CaptureLoop.h"
#include "toolbar/win/FloatingWindows.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBFloatingWindowParent.h"
#include "toolbar/win/WindowPainting.h"
#include "toolbar/win/WindowRects.h"

using tb::FromRECT;
using tb::PointOfLParam;
using tb::ScreenRectOf;
using tb::ToRECT;

namespace {

// The docks inside a container: its own docks in the order top, bottom, left, right, then the docks inside its
// other windowed children; a control that contains the dragged window or is not showing is skipped.
void CollectDocks(TWinControl* container, TControl* dragged, std::vector<TTBDock*>& docks) {
    std::vector<TTBDock*> own;
    std::vector<TWinControl*> others;
    for (int i = 0; i < container->ControlCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(container->Controls(i));
        if (!c || !c->Showing() || c == dragged) continue;
        bool containsDragged = false;
        for (TControl* p = dragged; p; p = p->Parent())
            if (p == c) containsDragged = true;
        if (containsDragged) continue;
        if (auto* d = dynamic_cast<TTBDock*>(c))
            own.push_back(d);
        else
            others.push_back(c);
    }
    std::stable_sort(own.begin(), own.end(), [](TTBDock* a, TTBDock* b) { return a->Position() < b->Position(); });
    for (TTBDock* d : own)
        if (std::find(docks.begin(), docks.end(), d) == docks.end()) docks.push_back(d);
    for (TWinControl* c : others) CollectDocks(c, dragged, docks);
}

}  // namespace

// ---- The drag loop ----

struct TTBCustomDockableWindow::TDragState {
    struct TCandidate {
        TTBDock* Dock = nullptr;
        TRect ScreenRect;
        TSize Size;
        std::vector<tb::TDockRowInfo> Rows;
    };
    // Where the window was, to go back on a cancel.
    TTBDock* StartDock = nullptr;
    int StartRow = 0, StartPos = 0;
    bool StartFloating = false;
    TPoint StartFloatingPosition;

    TPoint Press;  // relative to the outer rectangle
    TSize Outer;
    TPoint PressScreen;
    bool DoNotDock = false;
    bool CannotFloat = false;
    std::vector<TCandidate> Docks;
    TSize FloatSize;
    TSize FloatBorder;
    int CaptionOffset = 0;
    HCURSOR StartCursor = nullptr;

    int Target = -1;  // index into Docks, -1 floating
    TRect TargetRect;
    TPoint LastPos{INT32_MIN, INT32_MIN};
    // Outline mode.
    std::optional<TWindowDC> Outline;  // the screen's DC while the outline is drawn instead of the window
    bool OutlineShown = false;
    TRect OutlineRect;
    TSize OutlineSize;

    // The steps of BeginMoving, in order.
    TTBFloatingWindowParent* RememberStart(TTBCustomDockableWindow& w);
    void MeasurePress(TTBCustomDockableWindow& w, TTBFloatingWindowParent* startFrame, int initX, int initY);
    void CollectCandidates(TTBCustomDockableWindow& w);
    bool Track(TTBCustomDockableWindow& w, const bool& alive);
    void Finish(TTBCustomDockableWindow& w, bool accepted);

private:
    static std::vector<TTBDock*> CandidateDocks(TTBCustomDockableWindow& w);
};

namespace {

// The screen's DC for drawing a drag outline over every window, with window updates locked meanwhile; none
// when the system gives none. The caller releases the DC, then unlocks.
std::optional<TWindowDC> LockScreenForOutline() {
    ::LockWindowUpdate(::GetDesktopWindow());
    TWindowDC dc = TWindowDC::Ex(::GetDesktopWindow(), DCX_LOCKWINDOWUPDATE | DCX_CACHE | DCX_WINDOW);
    if (!dc) return std::nullopt;
    return dc;
}

}  // namespace

void TTBCustomDockableWindow::BeginMoving(int initX, int initY) {
    TDragState st;
    TTBFloatingWindowParent* startFrame = st.RememberStart(*this);

    dragging_ = true;
    keepPlace_ = false;
    const std::shared_ptr<bool> aliveFlag = alive_;
    const bool& alive = *aliveFlag;
    if (docked_) {
        canSplit_ = false;
        currentDock_->SetCommitPositions();
        currentDock_->ArrangeToolbars();
    }
    smoothDragging_ = smoothDrag_;

    st.MeasurePress(*this, startFrame, initX, initY);
    st.CollectCandidates(*this);

    tb::ProcessPaintMessages();
    if (!smoothDrag_) st.Outline = LockScreenForOutline();
    const bool accepted = st.Track(*this, alive);
    if (!alive) return;
    st.Finish(*this, accepted);
}

// ---- The drag's steps ----

TTBFloatingWindowParent* TTBCustomDockableWindow::TDragState::RememberStart(TTBCustomDockableWindow& w) {
    StartDock = w.currentDock_;
    StartRow = w.dockRow_;
    StartPos = w.dockPos_;
    StartFloating = w.floating_;
    TTBFloatingWindowParent* startFrame = w.FloatingParent();
    if (startFrame) StartFloatingPosition = startFrame->BoundsRect().TopLeft();
    return startFrame;
}

void TTBCustomDockableWindow::TDragState::MeasurePress(TTBCustomDockableWindow& w, TTBFloatingWindowParent* startFrame,
                                                       int initX, int initY) {
    const TRect outer = startFrame ? ScreenRectOf(startFrame->Handle()) : ScreenRectOf(w.Handle());
    POINT press{initX, initY};
    ::ClientToScreen(w.Handle(), &press);
    PressScreen = Point(press.x, press.y);
    Press = Point(press.x - outer.Left, press.y - outer.Top);
    Outer = TSize{outer.Width(), outer.Height()};
    DoNotDock = ::GetKeyState(VK_CONTROL) < 0;
    CannotFloat = w.dockMode_ != dmCanFloat;
    StartCursor = ::GetCursor();
    FloatBorder = w.GetFloatingBorderSize();
    CaptionOffset = FloatBorder.cy + (w.showCaption_ ? ::GetSystemMetrics(SM_CYSMCAPTION) : 0);
}

// The docks the window may go to: only its own when it cannot change docks; else its own (when dragging is
// allowed there) and every other accepting dock of its form and of the forms it was given.
std::vector<TTBDock*> TTBCustomDockableWindow::TDragState::CandidateDocks(TTBCustomDockableWindow& w) {
    std::vector<TTBDock*> docks;
    if (w.dockMode_ == dmCannotFloatOrChangeDocks) {
        if (w.docked_) docks.push_back(w.currentDock_);
        return docks;
    }
    if (w.docked_ && w.currentDock_->AllowDrag() && w.CanDockTo(w.currentDock_)) docks.push_back(w.currentDock_);
    std::vector<TTBDock*> found;
    if (TCustomForm* form = w.WindowForm()) CollectDocks(form, &w, found);
    for (TCustomForm* f : w.dockForms_) CollectDocks(f, &w, found);
    for (TTBDock* d : found)
        if (d->AllowDrag() && w.CanDockTo(d) && std::find(docks.begin(), docks.end(), d) == docks.end())
            docks.push_back(d);
    return docks;
}

// The window's floating size, and for each candidate dock its rectangle, the window's size there and the rows.
void TTBCustomDockableWindow::TDragState::CollectCandidates(TTBCustomDockableWindow& w) {
    const std::vector<TTBDock*> docks = CandidateDocks(w);
    TSize client;
    w.OrderControls(false, w.docked_ ? tb::DockTypeOf(w.currentDock_->Position()) : dtFloating, nullptr, client);
    const TSize floatNC =
        tb::FloatingNCExtents(FloatBorder, w.showCaption_, ::GetSystemMetrics(SM_CYSMCAPTION)).Total();
    FloatSize = TSize{client.cx + floatNC.cx, client.cy + floatNC.cy};
    for (TTBDock* d : docks) {
        for (TTBCustomDockableWindow* other : d->Windows()) {
            other->dockRow_ = other->effectiveRow_ < 0 ? other->dockRow_ : other->effectiveRow_;
            other->dockPos_ = other->effectiveRow_ < 0 ? other->dockPos_ : other->effectivePos_;
        }
        TCandidate c;
        c.Dock = d;
        c.ScreenRect = d->HandleAllocated() ? ScreenRectOf(d->Handle()) : TRect{};
        if (d == w.currentDock_) {
            c.Size = TSize{w.Width(), w.Height()};
        } else {
            TSize there;
            w.OrderControls(false, tb::DockTypeOf(d->Position()), d, there);
            const TSize nc =
                tb::DockedNCExtents(d->Position(), d->AllowDrag(), w.dragHandleStyle_, w.closeButtonWhenDocked_)
                    .Total();
            c.Size = TSize{there.cx + nc.cx, there.cy + nc.cy};
        }
        for (int r = 0; r <= d->GetHighestRow(true); ++r) {
            bool full = false;
            const int size = d->GetRowSize(r, full);
            c.Rows.push_back({size, full});
        }
        Docks.push_back(c);
    }
}

// Follows the pointer until the button goes up (true), or Esc, another button or a lost capture cancels;
// Ctrl held keeps the window from docking. On every way out the outline goes and the drag flags are cleared.
bool TTBCustomDockableWindow::TDragState::Track(TTBCustomDockableWindow& w, const bool& alive) {
    HWND captureWindow = w.Handle();
    ::SetCapture(captureWindow);
    TScopeExit cleanUp([&] {
        if (::GetCapture() == captureWindow) ::ReleaseCapture();
        if (Outline) {
            if (OutlineShown) {
                const RECT old = ToRECT(OutlineRect);
                tb::DrawHalftoneInvertRect(Outline->Get(), nullptr, {}, &old, SIZE{OutlineSize.cx, OutlineSize.cy});
            }
            Outline.reset();
            ::LockWindowUpdate(nullptr);
        }
        if (!alive) return;
        w.dragging_ = false;
        w.keepPlace_ = false;
        w.smoothDragging_ = false;
    });

    w.DragStep(*this, true);
    return tb::RunCaptureLoop(
        captureWindow, tb::TLeftPress::Cancels, [&] { return alive; },
        [&](const MSG& msg) {
            if (msg.wParam == VK_CONTROL && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)) {
                DoNotDock = msg.message == WM_KEYDOWN;
                w.DragStep(*this, false);
                return false;
            }
            return msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN;
        },
        [&](const MSG&) {
            const DWORD pos = ::GetMessagePos();
            if (Point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))) != LastPos)
                w.DragStep(*this, false);
        });
}

// An accepted outline drag moves the window now; a cancelled live drag puts it back where it started.
void TTBCustomDockableWindow::TDragState::Finish(TTBCustomDockableWindow& w, bool accepted) {
    if (accepted) {
        if (!w.smoothDrag_ && !TargetRect.IsEmpty()) w.ApplyDragRect(*this, TargetRect);
    } else if (w.smoothDrag_) {
        w.smoothDragging_ = false;
        if (StartDock) {
            w.dockRow_ = StartRow;
            w.dockPos_ = StartPos;
            if (w.Parent() != StartDock) w.SetParent(StartDock);
            StartDock->ArrangeToolbars();
        } else if (StartFloating) {
            w.floatingPosition_ = StartFloatingPosition;
            if (!w.floating_) w.SetFloating(true);
            w.SetFloatingPosition(StartFloatingPosition);
        }
    }
    if (w.useLastDock_ && w.currentDock_) w.SetLastDock(w.currentDock_);
    // A frame set aside during the drag and no longer used goes.
    if (w.floatParent_ && w.floatParent_ != w.Parent()) {
        TTBFloatingWindowParent* frame = w.floatParent_;
        w.floatParent_ = nullptr;
        frame->window_ = nullptr;
        frame->SetVisible(false);
        frame->Release();
    }
    if (!w.docked_) {
        w.dockRow_ = StartRow;
        w.dockPos_ = StartPos;
    }
    if (w.floating_) w.MoveOnScreen(true);
}

void TTBCustomDockableWindow::DragStep(TDragState& st, bool firstStep) {
    POINT cursor;
    ::GetCursorPos(&cursor);
    TPoint pos = Point(cursor.x, cursor.y);
    st.LastPos = pos;

    int target = -1;
    if (keepPlace_) {
        for (std::size_t i = 0; i < st.Docks.size(); ++i)
            if (st.Docks[i].Dock == currentDock_) target = static_cast<int>(i);
    } else if (!st.DoNotDock && !(firstStep && st.StartFloating)) {
        for (std::size_t i = 0; i < st.Docks.size(); ++i) {
            const auto& c = st.Docks[i];
            const TRect there = tb::PlaceAtGrabPoint(pos, c.Size, st.Press, st.Outer);
            if (!tb::PointerInDockZone(c.ScreenRect, c.Dock->IsVertical(), pos, st.Press, st.Outer, there)) continue;
            bool accept = true;
            if (c.Dock->OnRequestDock) c.Dock->OnRequestDock(c.Dock, this, accept);
            if (!accept) continue;
            target = static_cast<int>(i);
            break;
        }
    }
    const TRect work = FromRECT(tb::GetWorkArea(true, POINT{pos.X, pos.Y}));
    if (target < 0) {
        pos.X = std::clamp(pos.X, work.Left, std::max(work.Left, work.Right - 1));
        pos.Y = std::clamp(pos.Y, work.Top, std::max(work.Top, work.Bottom - 1));
    }
    TRect rect = tb::PlaceAtGrabPoint(pos, target >= 0 ? st.Docks[target].Size : st.FloatSize, st.Press, st.Outer);
    if (target < 0) rect = tb::KeepFloatingReachable(rect, work, st.FloatBorder, st.CaptionOffset);

    if (target < 0 && st.CannotFloat) {
        rect = TRect{};
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_NO)));
    } else if (keepPlace_) {
        ::SetCursor(::LoadCursorA(
            nullptr, reinterpret_cast<LPCSTR>(currentDock_ && currentDock_->IsVertical() ? IDC_SIZENS : IDC_SIZEWE)));
    } else {
        ::SetCursor(st.StartCursor);
    }
    st.Target = target;
    st.TargetRect = rect;

    if (st.Outline) {
        const TSize size = target >= 0 ? TSize{1, 1} : TSize{st.FloatBorder.cx, st.FloatBorder.cx};
        const RECT now = ToRECT(rect);
        const RECT old = ToRECT(st.OutlineRect);
        tb::DrawHalftoneInvertRect(st.Outline->Get(), rect.IsEmpty() ? nullptr : &now, SIZE{size.cx, size.cy},
                                   st.OutlineShown ? &old : nullptr, SIZE{st.OutlineSize.cx, st.OutlineSize.cy});
        st.OutlineShown = !rect.IsEmpty();
        st.OutlineRect = rect;
        st.OutlineSize = size;
    } else if (!rect.IsEmpty()) {
        ApplyDragRect(st, rect);
    }
}

void TTBCustomDockableWindow::ApplyDragRect(TDragState& st, const TRect& rect) {
    if (st.Target >= 0) {
        const auto& c = st.Docks[static_cast<std::size_t>(st.Target)];
        TTBDock* dock = c.Dock;
        POINT origin{0, 0};
        ::ClientToScreen(dock->Handle(), &origin);
        const TRect local = Bounds(rect.Left - origin.x, rect.Top - origin.y, rect.Width(), rect.Height());
        const bool vertical = dock->IsVertical();
        int row = dockRow_;
        bool newRow = false;
        if (!keepPlace_) {
            const int centre = vertical ? local.Left + local.Width() / 2 : local.Top + local.Height() / 2;
            const tb::TRowChoice choice = tb::ChooseDockRow(c.Rows, centre, fullSize_);
            row = choice.Row;
            newRow = choice.NewRow;
            if (newRow) canSplit_ = false;
        }
        if (canSplit_ && dock == currentDock_ && row == st.StartRow && !newRow) {
            if (tb::MovedFarEnoughToKeepPlace(st.PressScreen, st.LastPos, vertical)) {
                canSplit_ = false;
                keepPlace_ = true;
                ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(vertical ? IDC_SIZENS : IDC_SIZEWE)));
            }
        } else if (!keepPlace_) {
            canSplit_ = false;
        }
        dockRow_ = row;
        dockPos_ = vertical ? local.Top : local.Left;
        insertAsNewRow_ = newRow;
        TScopeExit clearInsert([this] { insertAsNewRow_ = false; });
        if (Parent() != dock) SetParent(dock);
        if (!smoothDragging_) dock->SetCommitPositions();
        dock->ArrangeToolbars();
    } else {
        canSplit_ = false;
        floatingPosition_ = rect.TopLeft();
        if (!floating_)
            SetFloating(true);
        else
            SetFloatingPosition(rect.TopLeft());
    }
    if (HandleAllocated()) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

// ---- The resize loop ----

void TTBCustomDockableWindow::BeginSizing(int handle) {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame || !frame->HandleAllocated()) return;
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    GetMinMaxSize(minW, minH, maxW, maxH);
    const TRect start = ScreenRectOf(frame->Handle());
    const int frameW = start.Width() - Width(), frameH = start.Height() - Height();
    const TSize minSize{minW + frameW, minH + frameH};
    const TSize maxSize{maxW > 0 ? maxW + frameW : 0, maxH > 0 ? maxH + frameH : 0};

    const std::shared_ptr<bool> aliveFlag = alive_;
    const bool& alive = *aliveFlag;
    SizingStarted(handle);
    bool sizingEnded = false;
    TScopeExit endSizing([&] {
        if (alive && !sizingEnded) SizingEnded(false);
    });
    tb::ProcessPaintMessages();
    std::optional<TWindowDC> outline;
    if (!smoothDrag_) outline = LockScreenForOutline();
    const bool outlined = outline.has_value();
    HWND captureWindow = Handle();
    ::SetCapture(captureWindow);
    const int monitors = ::GetSystemMetrics(SM_CMONITORS);
    if (confineCursor_ && monitors <= 1) {
        const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        ::ClipCursor(&screen);
    }
    POINT startPos;
    ::GetCursorPos(&startPos);
    TRect current = start;
    bool shown = false;
    const SIZE ring{GetFloatingBorderSize().cx, GetFloatingBorderSize().cx};
    bool accepted = false;
    {
        TScopeExit cleanUp([&] {
            ::ClipCursor(nullptr);
            if (::GetCapture() == captureWindow) ::ReleaseCapture();
            if (outline) {
                if (shown) {
                    const RECT old = ToRECT(current);
                    tb::DrawHalftoneInvertRect(outline->Get(), nullptr, {}, &old, ring);
                }
                outline.reset();
                ::LockWindowUpdate(nullptr);
            }
        });
        TPoint last = Point(startPos.x, startPos.y);
        accepted = tb::RunCaptureLoop(
            captureWindow, tb::TLeftPress::Cancels, [&] { return alive; },
            [](const MSG& msg) { return msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN; },
            [&](const MSG&) {
                POINT p;
                ::GetCursorPos(&p);
                if (Point(p.x, p.y) == last) return;
                last = Point(p.x, p.y);
                TRect next = tb::SizedRect(start, handle, Point(p.x - startPos.x, p.y - startPos.y), minSize, maxSize);
                SizingRect(next, start);
                if (outline) {
                    const RECT now = ToRECT(next), old = ToRECT(current);
                    tb::DrawHalftoneInvertRect(outline->Get(), &now, ring, shown ? &old : nullptr, ring);
                    shown = true;
                    current = next;
                } else if (next != current) {
                    current = next;
                    ApplySizingRect(current);
                }
            });
    }
    if (!alive) return;
    sizingEnded = true;
    SizingEnded(accepted);
    if (!accepted)
        ApplySizingRect(start);  // cancelled: the frame takes its first size back
    else if (outlined)
        ApplySizingRect(current);
}

void TTBCustomDockableWindow::ApplySizingRect(const TRect& rect) {
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame) return;
    {
        TUpdateGuard update(*this);
        frame->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
        floatingPosition_ = rect.TopLeft();
        const TRect client = frame->ClientRect();
        TCustomControl::SetBounds(0, 0, client.Width(), client.Height());
    }
    if (OnMove) OnMove(this);
    MoveOnScreen(true);
}

// ---- Close buttons ----

bool TTBCustomDockableWindow::TrackCloseButton(bool floatingButton) {
    TTBFloatingWindowParent* frame = floatingButton ? FloatingParent() : nullptr;
    if (floatingButton && (!frame || !frame->HandleAllocated())) return false;
    HWND wnd = floatingButton ? frame->Handle() : Handle();
    auto buttonRect = [&] {
        const TRect wr = ScreenRectOf(wnd);
        TRect local;
        if (floatingButton) {
            RECT client;
            ::GetClientRect(wnd, &client);
            local = tb::FloatingCaptionRects(GetFloatingBorderSize(), client.right, ::GetSystemMetrics(SM_CYSMCAPTION),
                                             true)
                        .CloseButton;
        } else {
            local = GetDockedCloseButtonRect(currentDock_ && currentDock_->IsVertical());
        }
        return Bounds(wr.Left + local.Left, wr.Top + local.Top, local.Width(), local.Height());
    };
    auto show = [&](bool pressed) {
        if (floatingButton)
            frame->SetCloseButtonDown(pressed);
        else
            SetCloseButtonState(closeHot_, pressed);
    };
    const std::shared_ptr<bool> aliveFlag = alive_;
    const bool& alive = *aliveFlag;
    ::SetCapture(wnd);
    show(true);
    bool clicked = false;
    {
        TScopeExit cleanUp([&] {
            if (::GetCapture() == wnd) ::ReleaseCapture();
            if (alive) show(false);
        });
        auto overButton = [&] {
            POINT p;
            ::GetCursorPos(&p);
            return buttonRect().Contains(Point(p.x, p.y));
        };
        clicked = tb::RunCaptureLoop(
            wnd, tb::TLeftPress::Cancels, [&] { return alive; }, [](const MSG&) { return false; },
            [&](const MSG&) { show(overButton()); });
        clicked = clicked && alive && overButton();
    }
    return alive && clicked;
}
