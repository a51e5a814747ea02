#include "toolbar/win/TTBDock.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/win/TTBCustomDockableWindow.h"
#include "toolbar/win/TTBFloatingWindowParent.h"
#include "toolbar/win/WindowPainting.h"

namespace {

TAlign AlignOf(TTBDockPosition p) {
    switch (p) {
        case dpTop: return alTop;
        case dpBottom: return alBottom;
        case dpLeft: return alLeft;
        case dpRight: return alRight;
    }
    return alTop;
}

bool IsInsideDockOrWindow(TWinControl* parent) {
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p->Is<TTBDock>() || p->Is<TTBCustomDockableWindow>()) return true;
    return false;
}

}  // namespace

TTBDock::TTBDock(TComponent* owner) : TCustomControl(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    style.Include(csOpaque);
    SetControlStyle(style);
    SetColor(clBtnFace);
    SetAlign(AlignOf(position_));
}

TTBDock::~TTBDock() { SetBackground(nullptr); }

void TTBDock::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    // The layout resizes the dock often; redrawing it whole at every size change would flicker.
    params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW);
}

void TTBDock::SetParent(TWinControl* value) {
    if (value && IsInsideDockOrWindow(value))
        throw EInvalidOperation("A TTBDock control cannot be placed inside a tool window or another TTBDock");
    TCustomControl::SetParent(value);
}

void TTBDock::SetPosition(TTBDockPosition value) {
    if (value == position_) return;
    if (ControlCount() > 0)
        throw EInvalidOperation("Cannot change Position of a TTBDock if it already contains controls");
    position_ = value;
    SetAlign(AlignOf(value));
}

void TTBDock::SetAllowDrag(bool value) {
    if (value == allowDrag_) return;
    allowDrag_ = value;
    // The drag handle comes and goes with it: every window's frame changes.
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* w = dynamic_cast<TTBCustomDockableWindow*>(Controls(i)); w && w->HandleAllocated())
            ::SetWindowPos(w->Handle(), nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangeToolbars();
}

void TTBDock::SetBoundLines(TTBDockBoundLines value) {
    if (value == boundLines_) return;
    boundLines_ = value;
    UpdateNCSize();
    if (HandleAllocated())
        ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangeToolbars();
}

void TTBDock::UpdateNCSize() {
    ncSize_ = TSize{(boundLines_.Contains(blLeft) ? 1 : 0) + (boundLines_.Contains(blRight) ? 1 : 0),
                    (boundLines_.Contains(blTop) ? 1 : 0) + (boundLines_.Contains(blBottom) ? 1 : 0)};
}

void TTBDock::SetBackground(TTBBasicBackground* value) {
    if (value == background_) return;
    if (background_) {
        background_->UnregisterChanges(MakeMethod<&TTBDock::BackgroundChanged>(this));
        background_->RemoveFreeNotification(this);
    }
    background_ = value;
    if (background_) {
        background_->FreeNotification(this);
        background_->RegisterChanges(MakeMethod<&TTBDock::BackgroundChanged>(this));
    }
    InvalidateAll();
}

void TTBDock::SetBackgroundOnToolbars(bool value) {
    if (value == backgroundOnToolbars_) return;
    backgroundOnToolbars_ = value;
    InvalidateAll();
}

void TTBDock::SetFixAlign(bool value) {
    if (value == fixAlign_) return;
    fixAlign_ = value;
    ArrangeToolbars();
}

void TTBDock::SetLimitToOneRow(bool value) {
    if (value == limitToOneRow_) return;
    limitToOneRow_ = value;
    ArrangeToolbars();
}

void TTBDock::BackgroundChanged(TObject*) { InvalidateAll(); }

void TTBDock::InvalidateAll() {
    if (!HandleAllocated()) return;
    ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TTBDock::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == background_) {
        background_ = nullptr;
        InvalidateAll();
    }
    auto* window = dynamic_cast<TTBCustomDockableWindow*>(component);
    if (window) {
        std::erase(windows_, window);
        // A shown window that goes leaves its place to the others (or the dock empty).
        if (std::erase(visible_, window) > 0 && !ComponentState().Contains(csDestroying)) ArrangeToolbars();
    }
}

void TTBDock::DrawBackground(HDC dc, const TRect& drawRect) {
    if (background_) background_->Draw(dc, drawRect);
}

bool TTBDock::UsingBackground() { return background_ && background_->UsingBackground(); }

void TTBDock::EndUpdate() {
    if (updateCount_ <= 0) return;
    if (--updateCount_ == 0 && arrangeNeeded_) ArrangeToolbars();
}

TTBCustomDockableWindow* TTBDock::GetToolbar(int index) const { return visible_.at(static_cast<std::size_t>(index)); }

int TTBDock::GetHighestRow(bool effective) const {
    int highest = -1;
    for (TTBCustomDockableWindow* w : windows_) highest = std::max(highest, effective ? w->effectiveRow_ : w->dockRow_);
    return highest;
}

int TTBDock::GetRowSize(int row, bool& containsFullSize) const {
    containsFullSize = false;
    if (row < 0) return 0;
    int size = 0;
    for (TTBCustomDockableWindow* w : visible_) {
        if (w->effectiveRow_ != row) continue;
        size = std::max(size, IsVertical() ? w->Width() : w->Height());
        if (w->fullSize_) containsFullSize = true;
    }
    return size;
}

int TTBDock::GetRowThicknessExcept(int row, TTBCustomDockableWindow* except) const {
    int size = 0;
    for (TTBCustomDockableWindow* w : visible_)
        if (w != except && w->effectiveRow_ == row) size = std::max(size, w->dockedThickness_);
    return size;
}

int TTBDock::GetDesiredRow(int offset) const {
    std::vector<std::int32_t> rows;
    bool full = false;
    for (int r = 0; r <= GetHighestRow(true); ++r) rows.push_back(GetRowSize(r, full));
    return tb::DesiredRowForOffset(rows, offset);
}

void TTBDock::ChangeWidthHeight(int newWidth, int newHeight) {
    if (Align() == alClient || Align() == alCustom) return;
    const TRect r = tb::ChangeDockSize(position_, BoundsRect(), newWidth, newHeight);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TTBDock::AddWindow(TTBCustomDockableWindow* window) {
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end()) {
        windows_.push_back(window);
        window->FreeNotification(this);
    }
    UpdateVisibleList(window);
}

void TTBDock::RemoveWindow(TTBCustomDockableWindow* window) {
    std::erase(windows_, window);
    UpdateVisibleList(window);
}

void TTBDock::UpdateVisibleList(TTBCustomDockableWindow* window) {
    const bool listed = std::find(windows_.begin(), windows_.end(), window) != windows_.end();
    const bool belongs = listed && window->Parent() == this && window->Visible() && !window->Destroying();
    const auto at = std::find(visible_.begin(), visible_.end(), window);
    const bool was = at != visible_.end();
    if (belongs == was) return;
    if (belongs)
        visible_.push_back(window);
    else
        visible_.erase(at);
    ArrangeToolbars();
    if (OnInsertRemoveBar) OnInsertRemoveBar(this, belongs, window);
}

void TTBDock::Loaded() {
    TCustomControl::Loaded();
    ArrangeToolbars();
}

void TTBDock::AlignControls(TControl*, TRect&) {
    // The dock places its windows itself; a resize of the dock re-runs the layout.
    ArrangeToolbars();
}

void TTBDock::ArrangeToolbars() {
    if (updateCount_ > 0 || ComponentState().Contains(csLoading)) {
        arrangeNeeded_ = true;
        return;
    }
    ++updateCount_;
    TScopeExit done([this] {
        --updateCount_;
        arrangeNeeded_ = false;
        commitPositions_ = false;
    });

    // Windows that are being destroyed leave both lists.
    for (auto i = windows_.size(); i-- > 0;)
        if (windows_[i]->Destroying()) {
            std::erase(visible_, windows_[i]);
            windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    LayOutWindows();
}

void TTBDock::SetEffectivePlace(TTBCustomDockableWindow* window, int row, int pos, int thickness) {
    window->effectiveRow_ = row;
    window->effectivePos_ = pos;
    window->dockedThickness_ = thickness;
    window->shrunkLength_ = 0;
}

void TTBDock::LayOutWindows() {
    const bool vertical = IsVertical();
    tb::TDockLayoutInput in;
    in.Position = position_;
    in.ClientSize = TSize{std::max(0, Width() - ncSize_.cx), std::max(0, Height() - ncSize_.cy)};
    in.NCSize = ncSize_;
    in.LimitToOneRow = limitToOneRow_;
    in.FixAlign = fixAlign_;
    for (TTBCustomDockableWindow* w : windows_) {
        tb::TDockLayoutWindow d;
        d.DockRow = w->dockRow_;
        d.DockPos = w->dockPos_;
        d.VisibleChild = w->Parent() == this && w->Visible();
        d.FullSize = w->fullSize_;
        d.Stretch = w->stretch_;
        d.Dragging = w->dragging_;
        d.KeepPlace = w->keepPlace_;
        d.InsertAsNewRow = w->insertAsNewRow_;
        d.ShrinkMode = w->GetShrinkMode();
        if (d.VisibleChild) {
            w->GetBaseSize(d.BaseSize);
            d.DockedNCSize = w->GetDockedNCArea().Total();
            w->GetMinShrinkSize(d.MinShrinkSize);
        }
        d.CurrentSize = TSize{w->Width(), w->Height()};
        d.ShrunkLength = w->shrunkLength_;
        in.Windows.push_back(d);
    }
    const TTBDockType dockType = tb::DockTypeOf(position_);
    in.OrderControls = [&](int index, std::int32_t shrunk) {
        TTBCustomDockableWindow* w = windows_[static_cast<std::size_t>(index)];
        w->shrunkLength_ = shrunk;
        TSize client;
        w->OrderControls(false, dockType, this, client);
        return client;
    };

    const tb::TDockLayoutResult r = tb::ArrangeDock(in);
    if (r.Empty) {
        if (vertical)
            ChangeWidthHeight(r.DockThickness, Height());
        else
            ChangeWidthHeight(Width(), r.DockThickness);
        return;
    }

    // The list as the layout saw it: Places and SortedOrder index it.
    const std::vector<TTBCustomDockableWindow*> list = windows_;
    for (std::size_t i = 0; i < list.size(); ++i) {
        TTBCustomDockableWindow* w = list[i];
        const tb::TDockLayoutPlace& p = r.Places[i];
        w->effectiveRow_ = p.EffectiveRow;
        w->effectivePos_ = p.EffectivePos;
        if (p.CanSplit) w->canSplit_ = true;
        if (commitPositions_) {
            w->dockRow_ = p.EffectiveRow;
            w->dockPos_ = p.EffectivePos;
        }
    }
    if (commitPositions_) {
        windows_.clear();
        for (int i : r.SortedOrder) windows_.push_back(list[static_cast<std::size_t>(i)]);
    }
    std::stable_sort(visible_.begin(), visible_.end(), [](TTBCustomDockableWindow* a, TTBCustomDockableWindow* b) {
        if (a->effectiveRow_ != b->effectiveRow_) return a->effectiveRow_ < b->effectiveRow_;
        return a->effectivePos_ < b->effectivePos_;
    });

    // Bounds, each window inside its own update bracket; the recorded shrunk length survives the bounds call.
    for (int i : r.SortedOrder) {
        const tb::TDockLayoutPlace& p = r.Places[static_cast<std::size_t>(i)];
        if (!p.Placed) continue;
        TTBCustomDockableWindow* w = list[static_cast<std::size_t>(i)];
        w->shrunkLength_ = p.ShrunkLength;
        w->dockedThickness_ = p.Thickness;
        {
            TUpdateGuard update(*w);
            const int shrunk = w->shrunkLength_;
            w->SetBounds(p.Bounds.Left, p.Bounds.Top, p.Bounds.Width(), p.Bounds.Height());
            w->shrunkLength_ = shrunk;
        }
        if (p.NeedsArrange) w->Arrange();
    }

    const int thickness = r.DockThickness;
    if (vertical)
        ChangeWidthHeight(thickness, Height());
    else
        ChangeWidthHeight(Width(), thickness);
}

void TTBDock::Paint() {
    if (UsingBackground()) return;  // painted in WM_ERASEBKGND
    const TRect r = ClientRect();
    const RECT client{r.Left, r.Top, r.Right, r.Bottom};
    TGdiHandle<HBRUSH> brush(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    ::FillRect(Canvas()->Handle(), &client, brush.Get());
}

void TTBDock::WMEraseBkgnd(TMessage& message) {
    if (!UsingBackground()) {
        DispatchInherited<TTBDock>(this, message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    RECT client;
    ::GetClientRect(Handle(), &client);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    // Shifted by the dock's place in its parent so that neighbouring docks show one picture.
    const TRect r = Bounds(-Left(), -Top(), Left() + client.right, Top() + client.bottom);
    DrawBackground(dc, r);
    ::RestoreDC(dc, saved);
    message.Result = 1;
}

void TTBDock::WMNCCalcSize(TMessage& message) {
    DispatchInherited<TTBDock>(this, message);
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam);
    RECT& r = params->rgrc[0];
    if (boundLines_.Contains(blTop)) ++r.top;
    if (boundLines_.Contains(blBottom)) --r.bottom;
    if (boundLines_.Contains(blLeft)) ++r.left;
    if (boundLines_.Contains(blRight)) --r.right;
}

void TTBDock::DrawBoundLines(HDC dc) {
    RECT wr;
    ::GetWindowRect(Handle(), &wr);
    const int w = wr.right - wr.left, h = wr.bottom - wr.top;
    RECT client;
    ::GetClientRect(Handle(), &client);
    const int left = boundLines_.Contains(blLeft) ? 1 : 0, top = boundLines_.Contains(blTop) ? 1 : 0;
    ::ExcludeClipRect(dc, left, top, left + client.right, top + client.bottom);
    TGdiHandle<HBRUSH> face(::CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    const RECT all{0, 0, w, h};
    ::FillRect(dc, &all, face.Get());
    if (GetToolbarCount() == 0) return;
    TGdiHandle<HPEN> shadow(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW)));
    TGdiHandle<HPEN> highlight(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
    const HGDIOBJ old = ::SelectObject(dc, shadow.Get());
    if (boundLines_.Contains(blTop)) {
        ::MoveToEx(dc, 0, 0, nullptr);
        ::LineTo(dc, w, 0);
    }
    if (boundLines_.Contains(blLeft)) {
        ::MoveToEx(dc, 0, 0, nullptr);
        ::LineTo(dc, 0, h);
    }
    ::SelectObject(dc, highlight.Get());
    if (boundLines_.Contains(blBottom)) {
        ::MoveToEx(dc, 0, h - 1, nullptr);
        ::LineTo(dc, w, h - 1);
    }
    if (boundLines_.Contains(blRight)) {
        ::MoveToEx(dc, w - 1, 0, nullptr);
        ::LineTo(dc, w - 1, h);
    }
    ::SelectObject(dc, old);
}

void TTBDock::PaintNC(HWND, HDC dc, TObject* control) { static_cast<TTBDock*>(control)->DrawBoundLines(dc); }

void TTBDock::WMNCPaint(TMessage& message) {
    TWindowDC dc(Handle(), true);
    tb::SelectNCUpdateRgn(Handle(), dc.Get(), reinterpret_cast<HRGN>(message.WParam));
    DrawBoundLines(dc.Get());
    message.Result = 0;
}

void TTBDock::WMMove(TMessage& message) {
    DispatchInherited<TTBDock>(this, message);
    if (UsingBackground()) InvalidateAll();
}

void TTBDock::RelayToFloating(TMessage& message) {
    // Keys reach a floating window's controls through the dock it came from.
    for (TTBCustomDockableWindow* w : std::vector<TTBCustomDockableWindow*>(windows_)) {
        if (!w->Floating() || !w->ControlStyle().Contains(csMenuEvents) || !w->HandleAllocated() || !w->Enabled())
            continue;
        TMessage copy = message;
        copy.Result = 0;
        w->WndProc(copy);
        if (copy.Result != 0) {
            message.Result = copy.Result;
            return;
        }
    }
    DispatchInherited<TTBDock>(this, message);
}
