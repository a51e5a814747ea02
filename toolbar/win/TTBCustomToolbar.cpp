#include "toolbar/win/TTBCustomToolbar.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/TReader.h"
#include "classlib/core/TWriter.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TFont.h"
#include "classlib/win/THintWindow.h"
#include "toolbar/core/TTBRootItem.h"
#include "toolbar/core/WideStringValues.h"
#include "toolbar/win/MessageHooks.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBChevronItem.h"
#include "toolbar/win/TTBControlItem.h"
#include "toolbar/win/TTBDock.h"
#include "toolbar/win/TTBFloatingWindowParent.h"
#include "toolbar/win/TTBHintWindow.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBViewAccObject.h"
#include "toolbar/win/ToolbarShortCuts.h"

using namespace tb;

namespace {

// The hint window for the UTF-8 hint strings of toolbar items.
THintWindowClass ToolbarHintWindowClass() { return THintWindowClass::Of<TTBHintWindow>(); }

TTBViewOrientation OrientationOf(TTBDockType type) {
    switch (type) {
        case dtFloating: return TTBViewOrientation::Floating;
        case dtLeftRight: return TTBViewOrientation::Vertical;
        default: return TTBViewOrientation::Horizontal;
    }
}

}  // namespace

TTBCustomToolbar::TTBCustomToolbar(TComponent* owner) : TTBCustomToolbar(owner, TParts{}) {}

TTBCustomToolbar::TTBCustomToolbar(TComponent* owner, const TParts& parts) : TTBCustomDockableWindow(owner) {
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    style.Exclude(csCaptureMouse);
    style.Include(csActionClient);
    SetControlStyle(style);
    SetCornerSizing(false);
    SetConfineCursorWhileSizing(false);

    items_ = MakeObject<TTBRootItem>(nullptr);
    items_->SetParentComponentField(this);
    chevron_ = TObjectPtr<TTBChevronItem>(parts.makeChevron ? parts.makeChevron() : Create<TTBChevronItem>(nullptr));
    chevron_->SetToolbar(this);
    chevron_->SetLinkSubitems(items_.get());
    const bool usePriorityList = !ComponentState().Contains(csDesigning);
    view_ = TObjectPtr<TTBToolbarView>(parts.makeView ? parts.makeView(this, items_.get(), usePriorityList)
                                                      : Create<TTBToolbarView>(this, items_.get(), usePriorityList));
    view_->ShowAccelMarks(false);

    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 23, 22);
}

TTBCustomToolbar::~TTBCustomToolbar() = default;

void TTBCustomToolbar::BeforeDestruction() {
    UninstallHookProc(this, &ToolbarHookProc);
    SetShortCutRegistration(this, false);
    registered_ = false;
    view_.reset();
    chevron_.reset();
    items_.reset();
    TTBCustomDockableWindow::BeforeDestruction();
}

TTBCustomItem* TTBCustomToolbar::GetItems() { return items_.get(); }

// ---- Properties ----

void TTBCustomToolbar::SetShrinkMode(TTBShrinkMode value) {
    if (shrinkMode_ == value) return;
    shrinkMode_ = value;
    if (Docked() && CurrentDock()) {
        CurrentDock()->ArrangeToolbars();
    } else if (!Floating()) {
        ArrangeOnce();
    }
}

void TTBCustomToolbar::SetMenuBar(bool value) {
    if (menuBar_ == value) return;
    menuBar_ = value;
    TControlStyle style = ControlStyle();
    if (value) {
        style.Include(csMenuEvents);
    } else {
        style.Exclude(csMenuEvents);
    }
    SetControlStyle(style);
    const unsigned bits = kVssMenuBar | kVssHideAccels;
    view_->SetStyle(value ? (view_->Style() | bits) : (view_->Style() & ~bits));
    view_->ShowAccelMarks(false);
    if (!ComponentState().Contains(csLoading)) {
        SetFullSize(value);
        SetShrinkMode(value ? tbsmWrap : tbsmChevron);
        SetCloseButton(!value);
        SetProcessShortCuts(value);
    }
    if (!ComponentState().Contains(csDesigning)) {
        if (value) {
            InstallHookProc(this, &ToolbarHookProc, {hkGetMessage});
        } else {
            UninstallHookProc(this, &ToolbarHookProc);
        }
    }
    UpdateShortCutRegistration();
}

void TTBCustomToolbar::SetProcessShortCuts(bool value) {
    if (processShortCuts_ == value) return;
    processShortCuts_ = value;
    UpdateShortCutRegistration();
}

void TTBCustomToolbar::SetSystemFont(bool value) {
    if (systemFont_ == value) return;
    systemFont_ = value;
    view_->InvalidatePositions();
    ArrangeOnce();
}

void TTBCustomToolbar::SetChevronMoveItems(bool value) {
    if (chevronMoveItems_ == value) return;
    chevronMoveItems_ = value;
    view_->SetUsePriorityList(value && !ComponentState().Contains(csDesigning));
}

void TTBCustomToolbar::SetMDISystemMenuItem(TTBCustomItem* value) {
    if (mdiSystemMenuItem_ == value) return;
    mdiSystemMenuItem_ = value;
    view_->RebuildViewers();
}

void TTBCustomToolbar::SetMDIButtonsItem(TTBCustomItem* value) {
    if (mdiButtonsItem_ == value) return;
    mdiButtonsItem_ = value;
    view_->RebuildViewers();
}

void TTBCustomToolbar::SetChevronPriorityForNewItems(TTBChevronPriorityForNewItems value) {
    chevronPriorityForNewItems_ = value;
    view_->SetNewViewersFirst(value == tbcpHighest);
}

WideString TTBCustomToolbar::ChevronHint() const { return chevron_->Hint(); }

void TTBCustomToolbar::SetChevronHint(const WideString& value) { chevron_->SetChevronHint(value); }

TCustomImageList* TTBCustomToolbar::Images() const { return items_->SubMenuImages(); }
void TTBCustomToolbar::SetImages(TCustomImageList* value) { items_->SetSubMenuImages(value); }
TTBCustomItem* TTBCustomToolbar::LinkSubitems() const { return items_->LinkSubitems(); }
void TTBCustomToolbar::SetLinkSubitems(TTBCustomItem* value) { items_->SetLinkSubitems(value); }
TTBItemOptions TTBCustomToolbar::Options() const { return items_->Options(); }
void TTBCustomToolbar::SetOptions(TTBItemOptions value) { items_->SetOptions(value); }

void TTBCustomToolbar::SetFloatingWidth(int value) {
    if (floatingWidth_ == value) return;
    floatingWidth_ = value;
    if (Floating()) {
        view_->InvalidatePositions();
        ArrangeOnce();
    }
}

void TTBCustomToolbar::BeginUpdate() {
    ++updateCount_;
    view_->BeginUpdate();
}

void TTBCustomToolbar::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    view_->EndUpdate();
}

void TTBCustomToolbar::UpdateShortCutRegistration() {
    registered_ = (processShortCuts_ || menuBar_) && !ComponentState().Contains(csDesigning);
    SetShortCutRegistration(this, registered_);
}

// ---- Layout ----

void TTBCustomToolbar::ArrangeOnce() {
    if (!view_) return;
    if (arranging_ > 0) return;
    Arrange();
}

void TTBCustomToolbar::OffsetsFor(TTBDockType type, TTBDock* dock, bool current, int& wrap, int& chevron) {
    wrap = 0;
    chevron = 0;
    if (dock) {
        const TSize nc =
            current ? GetDockedNCArea().Total()
                    : DockedNCExtents(dock->Position(), dock->AllowDrag(), DragHandleStyle(), CloseButtonWhenDocked())
                          .Total();
        const bool vertical = dock->IsVertical();
        wrap = DockWrapOffset(shrinkMode_, vertical, TSize{dock->Width(), dock->Height()}, dock->NonClientSize(), nc);
        chevron = DockChevronOffset(shrinkMode_, current, ShrunkLength(), vertical ? nc.cy : nc.cx);
    } else if (type == dtFloating) {
        wrap = floatingWidth_;
    }
}

void TTBCustomToolbar::OrderControls(bool canMoveControls, TTBDockType wasDockedTo, TTBDock* dockingTo,
                                     TSize& newClientSize) {
    if (!view_) {
        newClientSize = TSize{};
        return;
    }
    ++arranging_;
    TScopeExit done([this] { --arranging_; });
    int wrap = 0, chevron = 0;
    TTBDockType type = wasDockedTo;
    if (canMoveControls) {
        type = CurrentDockType();
        if (type == dtNotDocked) {
            const bool keepsWidth = !AutoResize() || (Anchors().Contains(akLeft) && Anchors().Contains(akRight));
            const TToolbarOffsets o =
                FreeToolbarOffsets(shrinkMode_, keepsWidth, Width() - GetDockedNCArea().Total().cx);
            wrap = o.wrap;
            chevron = o.chevron;
        } else {
            OffsetsFor(type, Docked() ? CurrentDock() : nullptr, true, wrap, chevron);
        }
    } else {
        if (dockingTo) type = DockTypeOf(dockingTo->Position());
        OffsetsFor(type, dockingTo, Docked() && dockingTo == CurrentDock(), wrap, chevron);
    }
    // A full-size toolbar is as long as its row.
    const TTBViewOrientation orientation = OrientationOf(type);
    TPoint least;
    if (FullSize() && wrap > 0) least = orientation == TTBViewOrientation::Vertical ? TPoint{0, wrap} : TPoint{wrap, 0};
    TPoint size;
    if (canMoveControls) {
        view_->SetOrientation(orientation);
        view_->SetChevron(chevron, kChevronSize);
        view_->SetWrapOffset(wrap);
        view_->SetBaseSize(least);
        size = view_->UpdatePositions();
        arrangedSize_ = size;
    } else {
        size = view_->MeasurePositions(orientation, wrap, chevron, kChevronSize, least);
    }
    newClientSize = TSize{size.X, size.Y};
}

void TTBCustomToolbar::GetBaseSize(TSize& size) {
    if (!view_) return;
    if (!baseValid_) {
        ++arranging_;
        TScopeExit done([this] { --arranging_; });
        const TTBDockType type = CurrentDockType();
        const TPoint natural =
            view_->MeasurePositions(OrientationOf(type), type == dtFloating ? floatingWidth_ : 0, 0, kChevronSize, {});
        baseSize_ = TSize{natural.X, natural.Y};
        baseValid_ = true;
    }
    size = baseSize_;
}

void TTBCustomToolbar::GetMinShrinkSize(int& size) {
    if (!view_) return;
    ++arranging_;
    TScopeExit done([this] { --arranging_; });
    const bool vertical = Docked() && CurrentDock() && CurrentDock()->IsVertical();
    int length = 0;
    if (TTBItemViewer* top = view_->TopPriorityViewer()) {
        length = vertical ? top->BoundsRect().Height() : top->BoundsRect().Width();
    }
    const TSize nc = GetDockedNCArea().Total();
    size = ToolbarMinShrinkSize(length, vertical ? nc.cy : nc.cx);
}

void TTBCustomToolbar::ControlExistsAtPos(TPoint point, bool& exists) {
    TTBCustomDockableWindow::ControlExistsAtPos(point, exists);
    if (!view_) return;
    // A press on a button never starts a drag (the hover state follows the point as a side effect).
    view_->UpdateMouseOver(ClientToScreen(point), false);
    if (TTBItemViewer* v = view_->Selected(); v && !v->Item()->ItemStyle().Contains(tbisClicksTransparent)) {
        exists = true;
    }
}

void TTBCustomToolbar::AlignControls(TControl*, TRect&) { ArrangeOnce(); }

void TTBCustomToolbar::PaintWindow(HDC dc) {
    if (view_) view_->PaintAllViewers(dc);
}

void TTBCustomToolbar::InitiateAction() {
    TTBCustomDockableWindow::InitiateAction();
    if (!updateActions_) return;
    const std::shared_ptr<bool> alive = AliveFlag();
    // An update may rebuild the viewers: walk by index and stop when the toolbar went.
    for (int i = 0; *alive && view_ && i < view_->ViewerCount(); ++i) view_->Viewers(i)->Item()->InitiateAction();
}

std::vector<TFloatingSize> TTBCustomToolbar::CollectFloatingSizes() {
    TRect margins;
    view_->GetMargins(TTBViewOrientation::Floating, margins);
    ++arranging_;
    TScopeExit done([this] { --arranging_; });
    // The lines of a wrapped layout are as many as its height holds the unwrapped one's.
    const TPoint single = view_->MeasurePositions(TTBViewOrientation::Floating, 0, 0, kChevronSize, TPoint{});
    const int lineHeight = std::max(1, single.Y - margins.Top - margins.Bottom);
    return tb::CollectFloatingSizes(margins.Left + margins.Right, [this, margins, lineHeight](int wrapWidth) {
        const TPoint size = view_->MeasurePositions(TTBViewOrientation::Floating, wrapWidth, 0, kChevronSize, TPoint{});
        return TFloatingMeasure{size.X, size.Y, std::max(1, (size.Y - margins.Top - margins.Bottom) / lineHeight)};
    });
}

void TTBCustomToolbar::SizingStarted(int handle) {
    resize_.reset();
    TTBFloatingWindowParent* frame = FloatingParent();
    if (!frame || (handle != 0 && handle != 1 && handle != 2 && handle != 5)) return;
    auto r = std::make_unique<TFloatingResize>();
    r->handle = handle;
    r->byHeight = handle == 2 || handle == 5;
    r->nc = TSize{frame->Width() - Width(), frame->Height() - Height()};
    r->savedWidth = floatingWidth_;
    std::vector<TFloatingSize> list = CollectFloatingSizes();
    r->unwrapped = TSize{list.front().width + r->nc.cx, list.front().height + r->nc.cy};
    SortFloatingSizes(list, r->byHeight);
    for (const TFloatingSize& s : list) {
        const TSize size{s.width + r->nc.cx, s.height + r->nc.cy};
        r->sizes.push_back(size);
        r->lengths.push_back(r->byHeight ? size.cy : size.cx);
    }
    const int length = r->byHeight ? frame->Height() : frame->Width();
    r->current = static_cast<int>(NearestLength(r->lengths, length));
    r->threshold = FloatingStepThreshold(r->lengths, length);
    resize_ = std::move(r);
}

void TTBCustomToolbar::SizingRect(TRect& rect, const TRect& startRect) {
    if (!resize_ || resize_->sizes.empty()) return;
    TFloatingResize& r = *resize_;
    r.current = FloatingStep(r.lengths, r.current, r.byHeight ? rect.Height() : rect.Width(), r.threshold);
    const TSize s = r.sizes[static_cast<std::size_t>(r.current)];
    // Anchored at the edge opposite to the dragged one.
    const TRect& st = startRect;
    switch (r.handle) {
        case 0: rect = TRect{st.Right - s.cx, st.Top, st.Right, st.Top + s.cy}; break;
        case 2: rect = TRect{st.Left, st.Bottom - s.cy, st.Left + s.cx, st.Bottom}; break;
        default: rect = TRect{st.Left, st.Top, st.Left + s.cx, st.Top + s.cy}; break;
    }
    const int width = s == r.unwrapped ? 0 : s.cx - r.nc.cx;
    if (width != floatingWidth_) {
        floatingWidth_ = width;
        view_->InvalidatePositions();
    }
}

void TTBCustomToolbar::SizingEnded(bool accepted) {
    if (resize_ && !accepted && floatingWidth_ != resize_->savedWidth) {
        floatingWidth_ = resize_->savedWidth;
        view_->InvalidatePositions();
    }
    resize_.reset();
}

void TTBCustomToolbar::ReadPositionData(const TTBPositionReadIntProc& read) {
    TTBCustomDockableWindow::ReadPositionData(read);
    SetFloatingWidth(read(Name(), "FloatRightX", 0));
}

void TTBCustomToolbar::WritePositionData(const TTBPositionWriteIntProc& write) {
    TTBCustomDockableWindow::WritePositionData(write);
    write(Name(), "FloatRightX", floatingWidth_);
}

// ---- Controls on the toolbar ----

bool TTBCustomToolbar::HasControlItem(const TControl* control) const {
    for (int i = 0; i < items_->Count(); ++i) {
        if (auto* ci = dynamic_cast<TTBControlItem*>(items_->Items(i)); ci && ci->Control() == control) return true;
    }
    return false;
}

void TTBCustomToolbar::WrapControl(TControl* control) {
    TTBControlItem* item = Create<TTBControlItem>(nullptr);
    item->SetControl(control);
    items_->Add(item);
}

void TTBCustomToolbar::WrapAllControls() {
    for (int i = 0; i < ControlCount(); ++i) {
        if (!HasControlItem(Controls(i))) WrapControl(Controls(i));
    }
}

void TTBCustomToolbar::Loaded() {
    TTBCustomDockableWindow::Loaded();
    WrapAllControls();
}

void TTBCustomToolbar::CMControlChange(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    auto* control = reinterpret_cast<TControl*>(message.WParam);
    if (message.LParam != 0 && control && items_ && !ComponentState().Contains(csLoading) && updateCount_ == 0 &&
        !HasControlItem(control)) {
        WrapControl(control);
    }
}

void TTBCustomToolbar::CMControlListChange(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    auto* control = reinterpret_cast<TControl*>(message.WParam);
    if (message.LParam != 0 || !control || !items_) return;
    for (int i = items_->Count() - 1; i >= 0; --i) {
        auto* ci = dynamic_cast<TTBControlItem*>(items_->Items(i));
        if (!ci || ci->Control() != control) continue;
        ci->SetDontFreeControl(true);
        Free(ci);
    }
}

void TTBCustomToolbar::GetTabOrderList(std::vector<TWinControl*>& list) {
    if (!view_) return;
    TTBCustomDockableWindow::GetTabOrderList(list);
    // The controls behind the chevron, and everything inside them, cannot take the focus.
    for (int i = 0; i < view_->ViewerCount(); ++i) {
        TTBItemViewer* v = view_->Viewers(i);
        auto* ci = dynamic_cast<TTBControlItem*>(v->Item());
        auto* hidden = ci ? dynamic_cast<TWinControl*>(ci->Control()) : nullptr;
        if (!hidden || !v->OffEdge()) continue;
        std::erase_if(list, [hidden](TWinControl* c) {
            for (TWinControl* p = c; p; p = p->Parent()) {
                if (p == hidden) return true;
            }
            return false;
        });
    }
}

void TTBCustomToolbar::GetChildren(TGetChildProc proc, TComponent* root) {
    if (items_) items_->GetChildren(proc, root);
    TTBCustomDockableWindow::GetChildren(proc, root);
}

void TTBCustomToolbar::SetChildOrder(TComponent* child, int order) {
    if (items_ && dynamic_cast<TTBCustomItem*>(child)) {
        items_->SetChildOrder(child, order);
        return;
    }
    TTBCustomDockableWindow::SetChildOrder(child, order);
}

void TTBCustomToolbar::DefineProperties(TFiler* filer) {
    TTBCustomDockableWindow::DefineProperties(filer);
    filer->DefineProperty(
        "ChevronHint", [this](TReader& r) { SetChevronHint(ReadWideStringValue(r)); },
        [this](TWriter& w) { WriteWideStringValue(w, ChevronHint()); }, ChevronHint() != TTBChevronItem::DefaultHint());
}

// ---- Mouse ----

void TTBCustomToolbar::MouseMove(TShiftState shift, int x, int y) {
    if (view_ && !ComponentState().Contains(csDesigning)) {
        const TPoint screen = ClientToScreen(TPoint{x, y});
        view_->UpdateMouseOver(screen, false);
        if (TTBItemViewer* v = view_->Selected()) {
            const bool menuOnly = v->Item()->EffectiveOptions().Contains(tboLongHintInMenuOnly);
            SetHint(menuOnly ? AnsiString() : WideToAnsi(v->Item()->Hint(), CodePageUtf8));
            const TPoint local = v->ScreenToViewer(screen);
            v->MouseMove(local.X, local.Y);
        } else {
            SetHint(AnsiString());
        }
        if (HandleAllocated()) CallTrackMouseEvent(Handle(), TME_LEAVE);
    }
    TTBCustomDockableWindow::MouseMove(shift, x, y);
}

void TTBCustomToolbar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TWinControl* parent = Parent();
    const std::shared_ptr<bool> alive = AliveFlag();
    TTBCustomDockableWindow::MouseDown(button, shift, x, y);
    if (!*alive || !view_ || Parent() != parent || ComponentState().Contains(csDesigning) || button != mbLeft) return;
    view_->UpdateMouseOver(ClientToScreen(TPoint{x, y}), false);
    TTBItemViewer* v = view_->Selected();
    if (!v || v->Item()->ItemStyle().Contains(tbisClicksTransparent)) return;
    inMouseDown_ = true;
    TScopeExit done([this, alive] {
        if (*alive) inMouseDown_ = false;
    });
    view_->RunMenuLoop(1);
}

void TTBCustomToolbar::ClearHover() {
    if (!view_) return;
    if (!HandleAllocated() || ::GetCapture() == Handle()) return;
    if (!(view_->State() & kVsModal)) view_->Select(nullptr, false);
}

void TTBCustomToolbar::CMMouseLeave(TMessage& message) {
    ClearHover();
    DispatchInherited<TTBCustomToolbar>(this, message);
}

void TTBCustomToolbar::WMMouseLeave(TMessage& message) {
    if (!inMouseDown_) ClearHover();
    DispatchInherited<TTBCustomToolbar>(this, message);
}

void TTBCustomToolbar::WMNCMouseMove(TMessage& message) {
    ClearHover();
    SetHint(AnsiString());
    DispatchInherited<TTBCustomToolbar>(this, message);
}

void TTBCustomToolbar::WMContextMenu(TMessage& message) {
    ClearHover();
    DispatchInherited<TTBCustomToolbar>(this, message);
}

void TTBCustomToolbar::WMCancelMode(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    if (view_ && (view_->State() & kVsModal)) view_->CancelMode();
}

void TTBCustomToolbar::WMSetCursor(TMessage& message) {
    if (view_ && !ComponentState().Contains(csDesigning) && HandleAllocated() &&
        reinterpret_cast<HWND>(message.WParam) == Handle() && LOWORD(message.LParam) == HTCLIENT) {
        POINT p{};
        ::GetCursorPos(&p);
        const TPoint screen{p.x, p.y};
        view_->UpdateMouseOver(screen, false);
        if (TTBItemViewer* v = view_->Selected()) {
            const TPoint local = v->ScreenToViewer(screen);
            if (HCURSOR cursor = v->GetCursor(local.X, local.Y, nullptr)) {
                ::SetCursor(cursor);
                message.Result = 1;
                return;
            }
        }
    }
    DispatchInherited<TTBCustomToolbar>(this, message);
}

// ---- Keyboard ----

bool TTBCustomToolbar::OpenByKey(char16_t key, bool acceleratorsOnly) {
    const std::shared_ptr<bool> alive = AliveFlag();
    view_->ShowAccelMarks(true);
    TTBItemViewer* found = nullptr;
    bool onlyMatch = false;
    if (key == 0) {
        // The first selectable item that does not refuse to be selected first; after a full circle the first.
        TTBItemViewer* first = view_->NextSelectable(nullptr, true);
        found = first;
        while (found && found->Item()->ItemStyle().Contains(tbisDontSelectFirst)) {
            found = view_->NextSelectable(found, true);
            if (found == first) break;
        }
    } else {
        found = view_->FindViewerByKey(nullptr, key, onlyMatch, acceleratorsOnly);
    }
    if (!found) return false;  // the underlines stay, to show what the keys would be
    TScopeExit underlines([this, alive] {
        if (*alive && view_) view_->ShowAccelMarks(false);
    });
    unsigned options = 0;
    if (key != 0) {
        if (!found->Item()->Enabled()) return false;
        if (onlyMatch) {
            options = 2;
        } else if (!menuBar_) {
            return false;
        }
    }
    view_->Select(found, false);
    view_->RunMenuLoop(options);
    return true;
}

void TTBCustomToolbar::CMDialogKey(TMessage& message) {
    if (message.WParam == VK_MENU && menuBar_ && view_) view_->ShowAccelMarks(true);
    DispatchInherited<TTBCustomToolbar>(this, message);
}

void TTBCustomToolbar::CMDialogChar(TMessage& message) {
    if (view_ && !menuBar_ && Enabled() && Showing() && message.WParam != 0 &&
        OpenByKey(static_cast<char16_t>(message.WParam & 0xFFFF), true)) {
        message.Result = 1;
        return;
    }
    DispatchInherited<TTBCustomToolbar>(this, message);
}

void TTBCustomToolbar::WMSysCommand(TMessage& message) {
    if (menuBar_ && (message.WParam & 0xFFF0) != SC_KEYMENU) {
        // The form's other system commands pass the menu bar on their way (the application's hook shows them
        // to it first): they are not this window's, whose default handling would apply them to the menu bar
        // itself (SC_CLOSE closing it, under the form's save question).
        message.Result = 0;
        return;
    }
    if (!view_ || !menuBar_ || !Enabled() || !Showing() || (message.WParam & 0xFFF0) != SC_KEYMENU) {
        DispatchInherited<TTBCustomToolbar>(this, message);
        return;
    }
    // The form does the default handling of what the menu bar leaves (the system menu for Space, an MDI
    // child's system menu for "-"): answering 0 hands it back.
    message.Result = 0;
    if (message.LParam == ' ' || ::GetCapture()) return;
    char16_t key = 0;
    if (IsWindowsNT()) {
        // Delivered as a UTF-16 code unit; anything above is not a key.
        key = static_cast<char16_t>(message.LParam & 0xFFFF);
    } else {
        const char ansi = static_cast<char>(message.LParam & 0xFF);
        const WideString wide = AnsiToWide(std::string_view(&ansi, 1));
        key = wide.empty() ? 0 : wide[0];
    }
    if (OpenByKey(key, false)) {
        message.Result = 1;
        return;
    }
    if (key == u'-') return;
    ::MessageBeep(0);
    message.Result = 1;
}

// ---- Other messages ----

void TTBCustomToolbar::CMColorChanged(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    Invalidate();
}

void TTBCustomToolbar::CMFontChanged(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    if (!systemFont_ && view_) {
        view_->InvalidatePositions();
        ArrangeOnce();
    }
}

void TTBCustomToolbar::CMWinIniChange(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    if (message.WParam == SPI_SETNONCLIENTMETRICS && view_) {
        RecreateMenuFont();
        view_->InvalidatePositions();
        ArrangeOnce();
    }
}

void TTBCustomToolbar::CMShowHintChanged(TMessage& message) {
    DispatchInherited<TTBCustomToolbar>(this, message);
    if (view_) view_->SetStyle(ShowHint() ? (view_->Style() | kVssShowHints) : (view_->Style() & ~kVssShowHints));
}

void TTBCustomToolbar::CMHintShow(TMessage& message) {
    auto* info = reinterpret_cast<THintInfo*>(message.LParam);
    message.Result = 0;
    if (!info) return;
    TTBItemViewer* v = view_ ? view_->ViewerAtPoint(info->CursorPos) : nullptr;
    if (v && !v->BoundsRect().IsEmpty()) {
        info->CursorRect = v->BoundsRect();
        info->HintStr = WideToAnsi(v->GetHintText(), CodePageUtf8);
        info->HintWindowClass = ToolbarHintWindowClass();
    } else {
        info->HintStr.clear();
    }
}

void TTBCustomToolbar::WMGetObject(TMessage& message) {
    if (view_ && AnswerGetObject(view_.get(), message)) return;
    DispatchInherited<TTBCustomToolbar>(this, message);
}
