#include "themed/win/TSkinDockablePanel.h"

#include <algorithm>
#include <optional>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/WindowDC.h"
#include "themed/core/SkinViewTypes.h"
#include "themed/win/SkinNonClient.h"
#include "themed/win/TSkinFloatingWindowParent.h"
#include "themed/win/TSkinMultiDock.h"
#include "themed/win/TSkinNexus.h"
#include "toolbar/win/CaptureLoop.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBFloatingWindowParent.h"
#include "toolbar/win/WindowPainting.h"

namespace {

TRect ScreenRectOf(HWND wnd) {
    RECT r;
    ::GetWindowRect(wnd, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

bool IsEdgeHitCode(int hit) {
    return hit == tb::kHitLeft || hit == tb::kHitRight || hit == tb::kHitTop || hit == tb::kHitBottom;
}

// The room a parent leaves free along one direction: its client less what its side-aligned children take.
int FreeSpaceOf(TWinControl* parent, bool width) {
    if (!parent) return 0;
    int free = width ? parent->ClientWidth() : parent->ClientHeight();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        const TAlign a = c->Align();
        if (width && (a == alLeft || a == alRight)) free -= c->Width();
        if (!width && (a == alTop || a == alBottom)) free -= c->Height();
    }
    return std::max(free, 0);
}

// The rectangle of a resize: the dragged side moved so that the length becomes size.
TRect ResizedRect(const TRect& start, int hit, int size) {
    switch (hit) {
        case tb::kHitLeft:
        case skin::kHitSplitterLeft: return Rect(start.Right - size, start.Top, start.Right, start.Bottom);
        case tb::kHitRight:
        case skin::kHitSplitterRight: return Rect(start.Left, start.Top, start.Left + size, start.Bottom);
        case tb::kHitTop:
        case skin::kHitSplitterTop: return Rect(start.Left, start.Bottom - size, start.Right, start.Bottom);
        default: return Rect(start.Left, start.Top, start.Right, start.Top + size);
    }
}

constexpr SIZE kOutlineRing{3, 3};

}  // namespace

TSkinDockablePanel::TSkinDockablePanel(TComponent* owner) : TTBCustomDockableWindow(owner) {
    SetCloseButtonWhenDocked(true);
    SetDblClickUndock(false);
    SetBounds(Left(), Top(), skin::kPanelDefaultSize, skin::kPanelDefaultSize);
    SetFullSize(true);
    SetParentColor(false);
    AddThemeNotification(this);
    TakeThemeColor();
}

TSkinDockablePanel::~TSkinDockablePanel() { RemoveThemeNotification(this); }

// ---- Sizes ----

void TSkinDockablePanel::SetMinClientWidth(int value) {
    minClientWidth_ = skin::ClampMinClientSize(value);
    ReclampDockedSizes();
}

void TSkinDockablePanel::SetMinClientHeight(int value) {
    minClientHeight_ = skin::ClampMinClientSize(value);
    ReclampDockedSizes();
}

void TSkinDockablePanel::SetMaxClientWidth(int value) {
    maxClientWidth_ = std::max(value, 0);
    ReclampDockedSizes();
}

void TSkinDockablePanel::SetMaxClientHeight(int value) {
    maxClientHeight_ = std::max(value, 0);
    ReclampDockedSizes();
}

// New limits hold for the docked sizes at once, so that setting the minimum and maximum to one width fixes the
// panel at that width whatever order they are set in.
void TSkinDockablePanel::ReclampDockedSizes() {
    SetDockedWidth(dockedWidth_);
    SetDockedHeight(dockedHeight_);
}

void TSkinDockablePanel::SetDockedWidth(int value) {
    value = skin::ClampDockedSize(value, minClientWidth_, maxClientWidth_);
    if (value == dockedWidth_) return;
    dockedWidth_ = value;
    if (Docked() && CurrentDock()->IsVertical()) CurrentDock()->ArrangeToolbars();
}

void TSkinDockablePanel::SetDockedHeight(int value) {
    value = skin::ClampDockedSize(value, minClientHeight_, maxClientHeight_);
    if (value == dockedHeight_) return;
    dockedHeight_ = value;
    if (Docked() && !CurrentDock()->IsVertical()) CurrentDock()->ArrangeToolbars();
}

void TSkinDockablePanel::SetFloatingWidth(int value) {
    value = skin::ClampFloatingSize(value, minClientWidth_, Docked());
    if (value == floatingWidth_) return;
    floatingWidth_ = value;
    if (Floating()) Arrange();
}

void TSkinDockablePanel::SetFloatingHeight(int value) {
    value = skin::ClampFloatingSize(value, minClientHeight_, Docked());
    if (value == floatingHeight_) return;
    floatingHeight_ = value;
    if (Floating()) Arrange();
}

void TSkinDockablePanel::SetSplitWidth(int value) {
    value = std::max(value, 0);
    if (value == splitWidth_) return;
    splitWidth_ = value;
    if (Docked() && CurrentDock()->Is<TSkinMultiDock>() && !CurrentDock()->IsVertical()) ArrangeDock();
}

void TSkinDockablePanel::SetSplitHeight(int value) {
    value = std::max(value, 0);
    if (value == splitHeight_) return;
    splitHeight_ = value;
    if (Docked() && CurrentDock()->Is<TSkinMultiDock>() && CurrentDock()->IsVertical()) ArrangeDock();
}

void TSkinDockablePanel::SetBorderSize(int value) {
    value = std::max(value, 0);
    if (value == borderSize_) return;
    borderSize_ = value;
    Realign();
}

void TSkinDockablePanel::SetCaptionRotation(TDPCaptionRotation value) {
    if (value == captionRotation_) return;
    captionRotation_ = value;
    RefreshPanelFrame();
    ArrangeDock();
}

void TSkinDockablePanel::SetShowCaptionWhenDocked(bool value) {
    if (value == showCaptionWhenDocked_) return;
    showCaptionWhenDocked_ = value;
    RefreshPanelFrame();
    ArrangeDock();
}

void TSkinDockablePanel::SetSnapDistance(int value) {
    snapDistance_ = std::max(value, 0);
    if (auto* frame = dynamic_cast<TSkinFloatingWindowParent*>(FloatingParent())) frame->SetSnapDistance(snapDistance_);
}

TTBFloatingWindowParent* TSkinDockablePanel::CreateFloatingParent() {
    auto* frame = Create<TSkinFloatingWindowParent>(nullptr);
    frame->SetSnapDistance(snapDistance_);
    return frame;
}

TSize TSkinDockablePanel::GetFloatingBorderSize() {
    if (!SkinNexus()) return TTBCustomDockableWindow::GetFloatingBorderSize();
    return CurrentTheme().GetViewBorder(skin::DockPanelViewType(true) | (Resizable() ? skin::vtResizable : 0));
}

void TSkinDockablePanel::ArrangeDock() {
    if (Docked()) CurrentDock()->ArrangeToolbars();
}

void TSkinDockablePanel::AdjustClientRect(TRect& rect) {
    TTBCustomDockableWindow::AdjustClientRect(rect);
    rect = Rect(rect.Left + borderSize_, rect.Top + borderSize_, rect.Right - borderSize_, rect.Bottom - borderSize_);
}

void TSkinDockablePanel::Resize() {
    TTBCustomDockableWindow::Resize();
    // A floating panel's window is all client: its size is the floating size, however the frame was sized.
    if (Floating() && !ComponentState().Contains(csLoading)) {
        floatingWidth_ = Width();
        floatingHeight_ = Height();
    }
}

// ---- Theme ----

std::int32_t TSkinDockablePanel::ViewType() const {
    return skin::DockPanelViewType(Floating()) | (Resizable() ? skin::vtResizable : 0);
}

void TSkinDockablePanel::SetUseThemeColor(bool value) {
    if (value == useThemeColor_) return;
    useThemeColor_ = value;
    TakeThemeColor();
}

void TSkinDockablePanel::TakeThemeColor() {
    if (!useThemeColor_ || !SkinNexus()) return;
    settingThemeColor_ = true;
    TScopeExit done([this] { settingThemeColor_ = false; });
    SetColor(CurrentTheme().GetViewColor(ViewType()));
}

void TSkinDockablePanel::RefreshPanelFrame() {
    if (TTBFloatingWindowParent* frame = FloatingParent())
        RefreshFrame(frame);
    else if (HandleAllocated())
        RefreshFrame(this);
}

void TSkinDockablePanel::CMColorChanged(TMessage& message) {
    DispatchInherited<TSkinDockablePanel>(this, message);
    // A colour set from outside the theme stays.
    if (!settingThemeColor_) useThemeColor_ = false;
    if (Docked() && HandleAllocated()) DrawNCArea(false, nullptr, nullptr);
}

void TSkinDockablePanel::CMSkinViewType(TMessage& message) { message.Result = ViewType(); }

void TSkinDockablePanel::CMSkinThemeChanged(TMessage& message) {
    if (message.WParam != tcStyleChanged) return;
    TakeThemeColor();
    RefreshPanelFrame();
    Invalidate();
}

// ---- The framework's operations ----

skin::TPanelFrameInput TSkinDockablePanel::FrameInput() {
    skin::TPanelFrameInput in;
    in.WindowSize = TSize{Width(), Height()};
    in.Border = SkinNexus() ? CurrentTheme().GetViewBorder(ViewType()) : TSize{2, 2};
    in.SmallCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION);
    in.ShowCaption = DockedCaptionShown();
    in.CloseButton = CloseButtonWhenDocked();
    in.Resizable = Resizable();
    if (TTBDock* dock = CurrentDock()) {
        in.Position = dock->Position();
        in.Vertical = skin::DockedCaptionVertical(captionRotation_, dock->Position());
        if (dock->Is<TSkinMultiDock>())
            for (TTBCustomDockableWindow* w : dock->Windows()) {
                if (w == this || w->Parent() != dock || !w->Visible()) continue;
                if (w->EffectivePos() < EffectivePos()) in.PanelBefore = true;
                if (w->EffectivePos() > EffectivePos()) in.PanelAfter = true;
            }
    }
    return in;
}

bool TSkinDockablePanel::DockedCaptionShown() { return showCaptionWhenDocked_ && Docked(); }

TRect TSkinDockablePanel::DockedCaptionRect() { return skin::PanelCaptionRect(FrameInput()); }

tb::TNCExtents TSkinDockablePanel::GetDockedNCArea() {
    if (!Docked() || !CurrentDock()) return tb::TNCExtents{};
    const skin::TPanelNCExtents e = skin::PanelNCExtents(FrameInput());
    return tb::TNCExtents{e.TopLeft, e.BottomRight};
}

TRect TSkinDockablePanel::GetDockedCloseButtonRect(bool) { return skin::PanelCloseButtonRect(FrameInput()); }

bool TSkinDockablePanel::CanDockTo(TTBDock* dock) {
    const TDPSupportedDock kind = dock->Is<TSkinMultiDock>() ? dkMultiDock : dkStandardDock;
    return supportedDocks_.Contains(kind) && TTBCustomDockableWindow::CanDockTo(dock);
}

void TSkinDockablePanel::OrderControls(bool, TTBDockType, TTBDock* dockingTo, TSize& newClientSize) {
    if (dockingTo) {
        newClientSize = TSize{dockedWidth_, dockedHeight_};
        return;
    }
    // A floating size read from stored settings may be anything: the frame never outgrows the work area.
    const RECT area = tb::GetWorkArea(true, POINT{FloatingPosition().X, FloatingPosition().Y});
    const TSize frame =
        tb::FloatingNCExtents(GetFloatingBorderSize(), ShowCaption(), ::GetSystemMetrics(SM_CYSMCAPTION)).Total();
    newClientSize = TSize{std::min<int>(floatingWidth_, area.right - area.left - frame.cx),
                          std::min<int>(floatingHeight_, area.bottom - area.top - frame.cy)};
}

void TSkinDockablePanel::GetBaseSize(TSize& size) {
    size = Docked() ? TSize{dockedWidth_, dockedHeight_} : TSize{floatingWidth_, floatingHeight_};
}

void TSkinDockablePanel::GetMinMaxSize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) {
    minWidth = minClientWidth_;
    minHeight = minClientHeight_;
    maxWidth = maxClientWidth_;
    maxHeight = maxClientHeight_;
}

void TSkinDockablePanel::DrawNCArea(bool drawToDC, HDC dc, HRGN clip) {
    if (!Docked() || !HandleAllocated()) return;
    const skin::TPanelFrameInput in = FrameInput();
    skin::PaintFrame(Handle(), drawToDC, dc, clip, [&](HDC target, const TRect& whole) {
        // The theme paints the border and the caption bar; the rest of the frame is the panel's colour.
        const RECT all{whole.Left, whole.Top, whole.Right, whole.Bottom};
        TGdiHandle<HBRUSH> brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
        ::FillRect(target, &all, brush.Get());
        if (!SkinNexus()) return;
        skin::TSkinWindowFrameInfo frame;
        frame.ViewType = ViewType();
        frame.BorderWidth = in.Border.cx;
        frame.BorderHeight = in.Border.cy;
        frame.IsVertical = in.Vertical;
        frame.ShowCaption = in.ShowCaption;
        frame.ShowCloseButton = in.ShowCaption && in.CloseButton;
        frame.CloseButtonHot = CloseButtonHot();
        frame.CloseButtonDown = CloseButtonPressed();
        frame.Caption = Caption();
        CurrentTheme().PaintDockPanelNCArea(target, whole, frame);
    });
}

// ---- Position data ----

namespace {
struct TPositionKey {
    const char* Key;
    int (TSkinDockablePanel::*Get)() const;
    void (TSkinDockablePanel::*Set)(int);
};
constexpr TPositionKey kPositionKeys[] = {
    {"DPDockedWidth", &TSkinDockablePanel::DockedWidth, &TSkinDockablePanel::SetDockedWidth},
    {"DPDockedHeight", &TSkinDockablePanel::DockedHeight, &TSkinDockablePanel::SetDockedHeight},
    {"DPFloatingWidth", &TSkinDockablePanel::FloatingWidth, &TSkinDockablePanel::SetFloatingWidth},
    {"DPFloatingHeight", &TSkinDockablePanel::FloatingHeight, &TSkinDockablePanel::SetFloatingHeight},
    {"DPSplitWidth", &TSkinDockablePanel::SplitWidth, &TSkinDockablePanel::SetSplitWidth},
    {"DPSplitHeight", &TSkinDockablePanel::SplitHeight, &TSkinDockablePanel::SetSplitHeight},
};
}  // namespace

void TSkinDockablePanel::ReadPositionData(const TTBPositionReadIntProc& read) {
    for (const TPositionKey& k : kPositionKeys) (this->*k.Set)(read(Name(), k.Key, (this->*k.Get)()));
}

void TSkinDockablePanel::WritePositionData(const TTBPositionWriteIntProc& write) {
    for (const TPositionKey& k : kPositionKeys) write(Name(), k.Key, (this->*k.Get)());
}

// ---- Docked hit codes ----

void TSkinDockablePanel::WMNCHitTest(TMessage& message) {
    if (!Docked()) {
        DispatchInherited<TSkinDockablePanel>(this, message);
        return;
    }
    const TRect wr = ScreenRectOf(Handle());
    const TPoint p = Point(static_cast<short>(LOWORD(message.LParam)) - wr.Left,
                           static_cast<short>(HIWORD(message.LParam)) - wr.Top);
    message.Result = skin::PanelHitTest(FrameInput(), p);
}

void TSkinDockablePanel::WMSetCursor(TMessage& message) {
    const int hit = static_cast<short>(LOWORD(message.LParam));
    if (Docked() && skin::IsSplitterHitCode(hit)) {
        const bool across = hit == skin::kHitSplitterLeft || hit == skin::kHitSplitterRight;
        ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(across ? IDC_SIZEWE : IDC_SIZENS)));
        message.Result = 1;
        return;
    }
    // The caption is no drag handle of the framework's kind: the plain arrow there.
    if (Docked() && hit == tb::kHitDragHandle) {
        DispatchInherited<TTBCustomDockableWindow>(this, message);
        return;
    }
    DispatchInherited<TSkinDockablePanel>(this, message);
}

// A second press on an edge soon after the first comes as a double click: it starts a resize all the same.
void TSkinDockablePanel::WMNCLButtonDown(TMessage& message) {
    const int hit = static_cast<int>(message.WParam);
    if (Docked() && (IsEdgeHitCode(hit) || skin::IsSplitterHitCode(hit))) {
        BeginDockedSizing(hit);
        message.Result = 0;
        return;
    }
    DispatchInherited<TSkinDockablePanel>(this, message);
}

// ---- Docked edge resizing ----

bool TSkinDockablePanel::AskDockedResizing(TDPResizeDirection direction, int stage, int& size) {
    bool allow = true;
    // A copy: the handler may free the panel, and the event with it.
    if (const TDPDockedResizingEvent handler = OnDockedResizing) handler(this, direction, allow, stage, size);
    return allow;
}

bool TSkinDockablePanel::DockedResizeStart(TDPResizeDirection direction, int& size) {
    return AskDockedResizing(direction, 0, size);
}

bool TSkinDockablePanel::DockedSizingLimit(TDPResizeDirection direction, int& size) {
    const bool width = direction == dprWidth;
    const TSize nc = GetDockedNCArea().Total();
    if (splitNeighbour_) {
        // A splitter shares the two panels' lengths: each keeps at least its minimum.
        const int ncAlong = width ? nc.cx : nc.cy;
        const int total = width ? Width() + splitNeighbour_->Width() : Height() + splitNeighbour_->Height();
        const TSize other = splitNeighbour_->GetDockedNCArea().Total();
        const int otherMin =
            (width ? splitNeighbour_->minClientWidth_ + other.cx : splitNeighbour_->minClientHeight_ + other.cy);
        const int ownMin = (width ? minClientWidth_ : minClientHeight_) + ncAlong;
        size = std::max(std::min(size, total - otherMin), ownMin);
    } else {
        skin::TDockedSizingInput in;
        in.Proposed = size;
        in.Current = width ? Width() : Height();
        in.ParentFree = CurrentDock() ? FreeSpaceOf(CurrentDock()->Parent(), width) : 0;
        in.NCSize = width ? nc.cx : nc.cy;
        in.MinClient = width ? minClientWidth_ : minClientHeight_;
        in.MaxClient = width ? maxClientWidth_ : maxClientHeight_;
        size = skin::DockedSizingLimit(in);
    }
    return AskDockedResizing(direction, 1, size);
}

bool TSkinDockablePanel::DockedResizeEnd(TDPResizeDirection direction, int& size) {
    return AskDockedResizing(direction, 2, size);
}

void TSkinDockablePanel::ApplyDockedSize(int hitCode, int size, int splitStart, int neighbourStart) {
    TTBDock* dock = CurrentDock();
    if (!dock) return;
    const bool width = skin::ResizesWidth(hitCode);
    TUpdateGuard update(*dock);
    if (splitNeighbour_) {
        // The two panels share what they had: the one across the splitter takes the rest.
        const int total = splitStart + neighbourStart;
        const int own = std::clamp(size, 0, total);
        if (width) {
            SetSplitWidth(own);
            splitNeighbour_->SetSplitWidth(total - own);
        } else {
            SetSplitHeight(own);
            splitNeighbour_->SetSplitHeight(total - own);
        }
        return;
    }
    const TSize nc = GetDockedNCArea().Total();
    if (width)
        SetDockedWidth(size - nc.cx);
    else
        SetDockedHeight(size - nc.cy);
}

void TSkinDockablePanel::BeginDockedSizing(int hitCode) {
    TTBDock* dock = CurrentDock();
    if (!Docked() || !dock || !HandleAllocated()) return;
    const bool splitter = skin::IsSplitterHitCode(hitCode);
    const TDPResizeDirection direction = skin::ResizesWidth(hitCode) ? dprWidth : dprHeight;
    const bool width = direction == dprWidth;

    // The panel across a splitter: the nearest visible one on that side of the line.
    TSkinDockablePanel* neighbour = nullptr;
    if (splitter) {
        const bool after = hitCode == skin::kHitSplitterBottom || hitCode == skin::kHitSplitterRight;
        for (TTBCustomDockableWindow* w : dock->Windows()) {
            auto* p = dynamic_cast<TSkinDockablePanel*>(w);
            if (!p || p == this || p->Parent() != dock || !p->Visible()) continue;
            const bool onSide = after ? p->EffectivePos() > EffectivePos() : p->EffectivePos() < EffectivePos();
            if (!onSide) continue;
            if (!neighbour ||
                (after ? p->EffectivePos() < neighbour->EffectivePos() : p->EffectivePos() > neighbour->EffectivePos()))
                neighbour = p;
        }
        if (!neighbour) return;
    }
    splitNeighbour_ = neighbour;
    const std::shared_ptr<bool> aliveFlag = AliveFlag();
    const bool& alive = *aliveFlag;
    // The loop also ends when the panel across the splitter goes.
    const std::shared_ptr<bool> neighbourFlag = neighbour ? neighbour->AliveFlag() : aliveFlag;
    const bool& neighbourAlive = *neighbourFlag;
    // Whatever the handlers of the resize do meanwhile: a panel freed, hidden or moved off its dock, or a
    // neighbour freed, ends the resize and is left alone.
    auto stillThere = [&] { return alive && neighbourAlive && Visible() && Docked() && CurrentDock() == dock; };
    TScopeExit forgetNeighbour([&] {
        if (alive) splitNeighbour_ = nullptr;
    });
    const int splitStart = width ? splitWidth_ : splitHeight_;
    const int neighbourStart = neighbour ? (width ? neighbour->splitWidth_ : neighbour->splitHeight_) : 0;
    const int dockedStart = width ? dockedWidth_ : dockedHeight_;

    int size = width ? Width() : Height();
    const int startSize = size;
    if (!DockedResizeStart(direction, size) || !stillThere()) return;
    if (size != startSize) ApplyDockedSize(hitCode, size, splitStart, neighbourStart);
    if (!stillThere() || !HandleAllocated()) return;

    const HWND wnd = Handle();
    const TRect start = ScreenRectOf(wnd);
    POINT startPos;
    ::GetCursorPos(&startPos);
    std::optional<TWindowDC> screen;
    if (!smoothDockedResize_) screen.emplace();
    TRect current = start;
    bool outlineShown = false;
    auto moveOutline = [&](const TRect* to) {
        const RECT now = to ? RECT{to->Left, to->Top, to->Right, to->Bottom} : RECT{};
        const RECT old{current.Left, current.Top, current.Right, current.Bottom};
        tb::DrawHalftoneInvertRect(screen->Get(), to ? &now : nullptr, kOutlineRing, outlineShown ? &old : nullptr,
                                   kOutlineRing);
        outlineShown = to != nullptr;
    };
    if (screen) moveOutline(&start);

    // Ends with the new size (a left button, pressed or released), or with the start size (Esc, a lost
    // capture, WM_QUIT).
    bool accepted = false;
    ::SetCapture(wnd);
    {
        TScopeExit cleanUp([&] {
            if (::GetCapture() == wnd) ::ReleaseCapture();
            if (screen && outlineShown) moveOutline(nullptr);
        });
        const TSize startOuter{start.Width(), start.Height()};
        auto step = [&] {
            POINT p;
            ::GetCursorPos(&p);
            int proposed = skin::DockedResizeProposal(hitCode, startOuter, Point(p.x - startPos.x, p.y - startPos.y));
            if (!DockedSizingLimit(direction, proposed) || !stillThere()) return;
            const TRect next = ResizedRect(start, hitCode, proposed);
            if (next == current) return;
            if (screen) {
                moveOutline(&next);
                current = next;
            } else {
                current = next;
                ApplyDockedSize(hitCode, proposed, splitStart, neighbourStart);
            }
        };
        accepted = tb::RunCaptureLoop(
            wnd, tb::TLeftPress::Accepts, stillThere,
            [](const MSG& msg) {
                return msg.wParam == VK_ESCAPE && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP);
            },
            [&](const MSG&) { step(); });
    }
    if (!stillThere()) return;

    int endSize = width ? current.Width() : current.Height();
    const bool allow = DockedResizeEnd(direction, endSize) && accepted;
    if (!stillThere()) return;
    if (allow && !smoothDockedResize_) {
        if (!current.IsEmpty()) ApplyDockedSize(hitCode, endSize, splitStart, neighbourStart);
    } else if (!allow) {
        // Refused or cancelled: the sizes the resize started with.
        TUpdateGuard update(*dock);
        if (neighbour) {
            if (width) {
                SetSplitWidth(splitStart);
                neighbour->SetSplitWidth(neighbourStart);
            } else {
                SetSplitHeight(splitStart);
                neighbour->SetSplitHeight(neighbourStart);
            }
        } else if (width) {
            SetDockedWidth(dockedStart);
        } else {
            SetDockedHeight(dockedStart);
        }
    }
}
