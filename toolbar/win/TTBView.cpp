#include "toolbar/win/TTBView.h"

#include <algorithm>
#include <climits>

#include "classlib/core/CodePages.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/MemoryDC.h"
#include "classlib/win/WindowDC.h"
#include "toolbar/core/Captions.h"
#include "toolbar/core/ETBItemError.h"
#include "toolbar/core/KeySearch.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBControlItem.h"
#include "toolbar/win/TTBCustomAccObject.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBModalHandler.h"
#include "toolbar/win/TTBPopupWindow.h"
#include "toolbar/win/ViewerPainting.h"

using namespace tb;

namespace {

constexpr int kMaxGroupLevel = 10;

bool SameCharIgnoringCase(char16_t a, char16_t b) {
    return CompareTextSystem(std::u16string_view(&a, 1), std::u16string_view(&b, 1)) == 0;
}

// A bold copy of a font, for the default item of a menu.
TGdiHandle<HFONT> BoldFont(HFONT font) {
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    return TGdiHandle<HFONT>(::CreateFontIndirectW(&lf));
}

bool IsSelectableViewer(const TTBItemViewer* v) {
    return (v->Show() || v->Clipped()) && v->Item()->Visible() && v->Item()->ItemStyle().Contains(tbisSelectable);
}

// The program's menu font, made from the system's non-client metrics (the 340-byte structure every system
// accepts) and freed when the program ends or the metrics change.
struct TMenuFont {
    TGdiHandle<HFONT> font;
    bool made = false;
};
TMenuFont& MenuFontSlot() {
    static TMenuFont slot;
    return slot;
}

}  // namespace

HFONT tb::GetMenuFont() {
    TMenuFont& slot = MenuFontSlot();
    if (!slot.made) {
        slot.made = true;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = 340 + (sizeof(NONCLIENTMETRICSW) - sizeof(NONCLIENTMETRICSA));
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
            slot.font.Reset(::CreateFontIndirectW(&metrics.lfMenuFont));
        }
    }
    return slot.font.Get();
}

void tb::RecreateMenuFont() {
    TMenuFont& slot = MenuFontSlot();
    slot.made = false;
    slot.font.Reset(nullptr);
    GetMenuFont();
}

TTBView::TTBView(TComponent* owner, TTBView* parentView, TTBCustomItem* parentItem, TWinControl* window, bool isToolbar,
                 bool customizing, bool usePriorityList)
    : TComponent(owner),
      parentView_(parentView),
      parentItem_(parentItem),
      window_(window),
      isToolbar_(isToolbar),
      customizing_(customizing),
      usePriority_(usePriorityList),
      alive_(std::make_shared<bool>(true)) {
    const TTBItemChangedProc proc = MakeMethod<&TTBView::ItemNotification>(this);
    if (parentItem_) {
        parentItem_->FreeNotification(this);
        parentItem_->RegisterNotification(proc, this);
        sourceItem_ = parentItem_->LinkSubitems() ? parentItem_->LinkSubitems() : parentItem_;
        if (sourceItem_ != parentItem_) {
            sourceItem_->FreeNotification(this);
            sourceItem_->RegisterNotification(proc, this);
        }
    }
    RebuildViewers();
}

TTBView::~TTBView() {
    tb::DetachAccObject(accObject_);
    *alive_ = false;
}

void TTBView::BeforeDestruction() {
    destroying_ = true;
    CloseChildPopups();
    StopAllTimers();
    const TTBItemChangedProc proc = MakeMethod<&TTBView::ItemNotification>(this);
    if (sourceItem_ && sourceItem_ != parentItem_) sourceItem_->UnregisterNotification(proc, this);
    if (parentItem_) parentItem_->UnregisterNotification(proc, this);
    FreeViewers();
    TComponent::BeforeDestruction();
}

void TTBView::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == sourceItem_ || component == parentItem_) {
        CloseChildPopups();
        FreeViewers();
        if (component == sourceItem_) sourceItem_ = nullptr;
        if (component == parentItem_) {
            parentItem_ = nullptr;
            sourceItem_ = nullptr;
        }
        InvalidatePositions();
    }
}

int TTBView::IndexOf(const TTBItemViewer* viewer) const {
    if (!viewer) return -1;
    for (std::size_t i = 0; i < viewers_.size(); ++i) {
        if (viewers_[i].get() == viewer) return static_cast<int>(i);
    }
    return -1;
}

TTBItemViewer* TTBView::Find(const TTBCustomItem* item) const {
    for (const auto& v : viewers_) {
        if (v->Item() == item) return v.get();
    }
    throw ETBItemError("An item viewer associated the specified item could not be found");
}

TTBView* TTBView::GetRootView() {
    TTBView* v = this;
    while (v->parentView_) v = v->parentView_;
    return v;
}

TTBView* TTBView::ToolbarView() {
    for (TTBView* v = this; v; v = v->parentView_) {
        if (v->isToolbar_) return v;
    }
    return nullptr;
}

void TTBView::SetOrientation(TTBViewOrientation value) {
    if (orientation_ == value) return;
    orientation_ = value;
    InvalidatePositions();
}

void TTBView::SetWrapOffset(int value) {
    if (wrapOffset_ == value) return;
    wrapOffset_ = value;
    InvalidatePositions();
}

void TTBView::GetMargins(TTBViewOrientation orientation, TRect& margins) { margins = ViewMargins(orientation); }

HFONT TTBView::GetFont() {
    if (HFONT menu = GetMenuFont()) return menu;
    return window_->Font()->Handle();
}

// Viewers

void TTBView::FreeViewers() {
    selected_ = nullptr;
    openViewer_ = nullptr;
    priority_.clear();
    internalAtFront_ = 0;
    internalAtEnd_ = 0;
    viewers_.clear();
    paintThroughBitmap_.clear();
}

void TTBView::AddItemViewers(std::size_t& index, TTBCustomItem* item, int groupLevel, bool toFront, bool usePriority) {
    if (groupLevel > kMaxGroupLevel) return;
    TTBItemViewer* viewer = CreateItemViewer(this, item, groupLevel, false);
    viewers_.emplace(viewers_.begin() + static_cast<std::ptrdiff_t>(index), viewer);
    paintThroughBitmap_.insert(paintThroughBitmap_.begin() + static_cast<std::ptrdiff_t>(index), false);
    ++index;
    if (usePriority && usePriority_) {
        if (toFront) {
            priority_.insert(priority_.begin(), viewer);
        } else {
            priority_.push_back(viewer);
        }
    }
    if (!customizing_ && item->ItemStyle().Contains(tbisEmbeddedGroup)) {
        TTBCustomItem* shown = item->LinkSubitems() ? item->LinkSubitems() : item;
        for (int i = 0; i < shown->Count(); ++i)
            AddItemViewers(index, shown->Items(i), groupLevel + 1, toFront, usePriority);
    }
}

void TTBView::RebuildViewers() {
    CloseChildPopups();
    selected_ = nullptr;
    InvalidatePositions();
    FreeViewers();
    if (!sourceItem_) return;
    if (TTBCustomItem* systemMenu = GetMDISystemMenuItem()) {
        AddInternalViewer(systemMenu, false);
        internalAtFront_ = 1;
    }
    std::size_t index = viewers_.size();
    for (int i = 0; i < sourceItem_->Count(); ++i) AddItemViewers(index, sourceItem_->Items(i), 0, false, true);
    if (TTBCustomItem* buttons = GetMDIButtonsItem()) {
        for (int i = 0; i < buttons->Count(); ++i) {
            AddInternalViewer(buttons->Items(i), false);
            ++internalAtEnd_;
        }
    }
    if (TTBCustomItem* chevron = GetChevronItem()) {
        AddInternalViewer(chevron, true);
        ++internalAtEnd_;
    }
}

void TTBView::AddInternalViewer(TTBCustomItem* item, bool chevron) {
    viewers_.emplace_back(CreateItemViewer(this, item, 0, chevron));
    paintThroughBitmap_.push_back(false);
}

void TTBView::SetUsePriorityList(bool value) {
    if (usePriority_ == value) return;
    usePriority_ = value;
    RebuildViewers();
}

void TTBView::SetChevron(int offset, int size) {
    if (offset == chevronOffset_ && size == chevronSize_) return;
    chevronOffset_ = offset;
    chevronSize_ = size;
    InvalidatePositions();
}

int TTBView::PriorityIndexOf(const TTBItemViewer* viewer) const {
    const auto it = std::find(priority_.begin(), priority_.end(), viewer);
    return it == priority_.end() ? -1 : static_cast<int>(it - priority_.begin());
}

void TTBView::PromoteViewer(TTBItemViewer* viewer) {
    if (chevronParentView_) {
        // An item used from the chevron's menu moves up in the toolbar's order.
        const int index = IndexOf(viewer) + chevronParentView_->InternalAtFront();
        if (index >= chevronParentView_->InternalAtFront() && index < chevronParentView_->ViewerCount()) {
            chevronParentView_->PromoteViewer(chevronParentView_->Viewers(index));
        }
        return;
    }
    const auto it = std::find(priority_.begin(), priority_.end(), viewer);
    if (it != priority_.end()) {
        priority_.erase(it);
        priority_.insert(priority_.begin(), viewer);
        if (!validated_ || viewer->OffEdge()) {
            InvalidatePositions();
            ValidatePositions();
        }
    }
    if (parentView_ && parentView_->openViewer_) parentView_->PromoteViewer(parentView_->openViewer_);
}

TTBItemViewer* TTBView::TopPriorityViewer() {
    ValidatePositions();
    const auto qualifies = [](const TTBItemViewer* v) {
        return v->Show() && !v->Item()->ItemStyle().Contains(tbisSeparator);
    };
    if (!priority_.empty()) {
        for (TTBItemViewer* v : priority_) {
            if (qualifies(v)) return v;
        }
        return nullptr;
    }
    for (const auto& v : viewers_) {
        if (qualifies(v.get())) return v.get();
    }
    return nullptr;
}

void TTBView::ClearSelectionFor(TTBItemViewer* viewer) {
    if (viewer == openViewer_) CloseChildPopups();
    if (viewer == selected_) selected_ = nullptr;
}

void TTBView::ItemNotification(TTBCustomItem* sender, bool relayed, TTBItemChangedAction action, int,
                               TTBCustomItem* item) {
    if (destroying_) return;
    if (sender == parentItem_ && sender != sourceItem_) {
        // The parent item's own news: only a new LinkSubitems target or new submenu images matter.
        if (action == tbicSubitemsChanged && !relayed) {
            TTBCustomItem* source = parentItem_->LinkSubitems() ? parentItem_->LinkSubitems() : parentItem_;
            if (source != sourceItem_) {
                const TTBItemChangedProc proc = MakeMethod<&TTBView::ItemNotification>(this);
                sourceItem_->UnregisterNotification(proc, this);
                sourceItem_ = source;
                if (sourceItem_ != parentItem_) {
                    sourceItem_->FreeNotification(this);
                    sourceItem_->RegisterNotification(proc, this);
                }
                RebuildViewers();
            }
        } else if (action == tbicSubMenuImagesChanged) {
            for (TTBView* v = this; v; v = v->openView_) v->InvalidatePositions();
        }
        if (action != tbicSubitemsChanged && action != tbicSubMenuImagesChanged) return;
    } else {
        switch (action) {
            case tbicInserted:
                if (relayed || !sourceItem_ || sender != sourceItem_) {
                    RebuildViewers();
                    break;
                }
                InsertItemViewers(item);
                break;
            case tbicSubitemsChanged:
            case tbicRecreateItemViewers: RebuildViewers(); break;
            case tbicDeleting: {
                // The item's viewer and those of its embedded children (the deeper levels after it) go.
                for (std::size_t i = 0; i < viewers_.size(); ++i) {
                    if (viewers_[i]->Item() != item) continue;
                    std::size_t end = i + 1;
                    while (end < viewers_.size() && viewers_[end]->GroupLevel() > viewers_[i]->GroupLevel()) ++end;
                    for (std::size_t k = i; k < end; ++k) {
                        ClearSelectionFor(viewers_[k].get());
                        const int p = PriorityIndexOf(viewers_[k].get());
                        if (p >= 0) priority_.erase(priority_.begin() + p);
                    }
                    viewers_.erase(viewers_.begin() + static_cast<std::ptrdiff_t>(i),
                                   viewers_.begin() + static_cast<std::ptrdiff_t>(end));
                    paintThroughBitmap_.erase(paintThroughBitmap_.begin() + static_cast<std::ptrdiff_t>(i),
                                              paintThroughBitmap_.begin() + static_cast<std::ptrdiff_t>(end));
                    InvalidatePositions();
                    break;
                }
                break;
            }
            case tbicSubitemsBeginUpdate: BeginUpdate(); return;
            case tbicSubitemsEndUpdate: EndUpdate(); return;
            case tbicInvalidate:
                for (const auto& v : viewers_) {
                    if (v->Item() == item) Invalidate(v.get());
                }
                break;
            case tbicInvalidateAndResize: InvalidatePositions(); break;
            case tbicSubMenuImagesChanged:
                for (TTBView* v = this; v; v = v->openView_) v->InvalidatePositions();
                break;
            case tbicNameChanged: return;
        }
    }
    const bool loading =
        (parentItem_ && parentItem_->ComponentState().Contains(csLoading)) ||
        (parentItem_ && parentItem_->Owner() && parentItem_->Owner()->ComponentState().Contains(csLoading));
    if (updateCount_ == 0 && !loading) ValidatePositions();
}

void TTBView::InsertItemViewers(TTBCustomItem* item) {
    // In front of the viewer of the item that now follows it, else before the internal viewers at the end.
    std::size_t index = viewers_.size() - static_cast<std::size_t>(internalAtEnd_);
    const int at = sourceItem_->IndexOf(item);
    if (at >= 0 && at + 1 < sourceItem_->Count()) {
        const TTBCustomItem* next = sourceItem_->Items(at + 1);
        for (std::size_t i = 0; i < viewers_.size(); ++i) {
            if (viewers_[i]->Item() == next && viewers_[i]->GroupLevel() == 0) {
                index = i;
                break;
            }
        }
    }
    const bool loading = item->ComponentState().Contains(csLoading);
    AddItemViewers(index, item, 0, !loading && newViewersFirst_, true);
    InvalidatePositions();
}

void TTBView::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) ValidatePositions();
}

// Layout

void TTBView::ValidatePositions() {
    if (!validated_) UpdatePositions();
}

void TTBView::SetChevronParentView(TTBView* value) {
    if (chevronParentView_ == value) return;
    chevronParentView_ = value;
    InvalidatePositions();
}

void TTBView::SetBaseSize(TPoint value) {
    if (baseSize_ == value) return;
    baseSize_ = value;
    InvalidatePositions();
}

std::vector<TLayoutItem> TTBView::MeasureViewers() {
    TWindowDC screen;
    const HGDIOBJ oldFont = ::SelectObject(screen.Get(), GetFont());
    std::vector<TLayoutItem> items(viewers_.size());
    for (std::size_t i = 0; i < viewers_.size(); ++i) {
        TTBItemViewer* v = viewers_[i].get();
        TTBCustomItem* item = v->Item();
        const TTBItemStyle style = item->ItemStyle();
        TLayoutItem& li = items[i];
        li.candidate = item->Visible() && (customizing_ || !style.Contains(tbisEmbeddedGroup));
        li.control = dynamic_cast<TTBControlItem*>(item) != nullptr;
        if (chevronParentView_ && li.candidate) {
            // Only what the toolbar could not show, never its controls: the viewers correspond one to one.
            const int inParentAt = static_cast<int>(i) + chevronParentView_->InternalAtFront();
            const bool inParent = inParentAt < chevronParentView_->ViewerCount();
            li.candidate = inParent && chevronParentView_->Viewers(inParentAt)->OffEdge() && !li.control;
        }
        li.separator = style.Contains(tbisSeparator);
        li.toolbarSize = v->IsToolbarSize();
        li.rightAlign = style.Contains(tbisRightAlign);
        li.stretch = style.Contains(tbisStretch);
        li.sameWidth = v->UsesSameWidth();
        li.chevron = dynamic_cast<TTBChevronItemViewer*>(v) != nullptr;
        if (!li.candidate) continue;
        if (item->EffectiveOptions().Contains(tboDefault)) {
            TGdiHandle<HFONT> bold = BoldFont(GetFont());
            ::SelectObject(screen.Get(), bold.Get());
            v->CalcSize(screen.Get(), li.width, li.height);
            ::SelectObject(screen.Get(), GetFont());
        } else {
            v->CalcSize(screen.Get(), li.width, li.height);
        }
    }
    ::SelectObject(screen.Get(), oldFont);
    return items;
}

void TTBView::FillLayoutInput(TLayoutInput& in) {
    in.orientation = orientation_;
    in.isToolbar = isToolbar_;
    GetMargins(orientation_, in.margins);
    in.baseSize = baseSize_;
    in.wrapOffset = wrapOffset_;
    in.maxHeight = isToolbar_ ? 0 : maxHeight_;
    in.scrollOffset = scrollOffset_;
    in.chevronOffset = chevronOffset_;
    in.chevronSize = chevronSize_;
    for (const TTBItemViewer* v : priority_) in.priority.push_back(IndexOf(v));
}

TPoint TTBView::MeasurePositions(TTBViewOrientation orientation, int wrapOffset, int chevronOffset, int chevronSize,
                                 TPoint baseSize) {
    const std::vector<TLayoutItem> items = MeasureViewers();
    TLayoutInput in;
    FillLayoutInput(in);
    in.orientation = orientation;
    GetMargins(orientation, in.margins);
    in.wrapOffset = wrapOffset;
    in.chevronOffset = chevronOffset;
    in.chevronSize = chevronSize;
    in.baseSize = baseSize;
    return LayoutView(in, items).size;
}

TPoint TTBView::UpdatePositions() {
    const std::vector<TLayoutItem> items = MeasureViewers();
    TLayoutInput in;
    FillLayoutInput(in);
    const TLayoutResult result = LayoutView(in, items);

    std::vector<TLayoutViewer> before(viewers_.size());
    for (std::size_t i = 0; i < viewers_.size(); ++i) {
        const TTBItemViewer* v = viewers_[i].get();
        before[i] = TLayoutViewer{v->BoundsRect(), v->Show(), v->OffEdge(), v->Clipped(), v->IsLineSeparator()};
    }
    const bool changed = !validated_ || LayoutChanged(before, result.viewers) || result.size != size_;
    for (std::size_t i = 0; i < viewers_.size(); ++i) {
        const TLayoutViewer& r = result.viewers[i];
        viewers_[i]->SetLayout(r.bounds, r.shown, r.offEdge, r.clipped, r.lineSeparator);
    }
    scrollOffset_ = result.scrollOffset;
    upArrow_ = result.upArrow;
    downArrow_ = result.downArrow;
    size_ = result.size;
    validated_ = true;
    if (TTBCustomItem* chevron = GetChevronItem(); chevron && result.chevronUsed)
        chevron->SetEnabled(result.chevronEnabled);
    AutoSize(size_.X, size_.Y);

    // A changed layout is repainted at once through a bitmap, so that the window never shows it erased.
    if (changed && window_->HandleAllocated() && ::IsWindowVisible(window_->WindowHandle())) {
        const HWND wnd = window_->WindowHandle();
        RECT client{};
        ::GetClientRect(wnd, &client);
        if (client.right > 0 && client.bottom > 0) {
            TWindowDC dc(wnd);
            const TGdiHandle<HBITMAP> bits(::CreateCompatibleBitmap(dc.Get(), client.right, client.bottom));
            TMemoryDC bitmap(bits.Get(), dc.Get());
            ::SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.Get()), 0);
            ::SendMessageA(wnd, WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Get()), 0);
            ::BitBlt(dc.Get(), 0, 0, client.right, client.bottom, bitmap.Get(), 0, 0, SRCCOPY);
            ::ValidateRect(wnd, nullptr);
        }
    }
    return size_;
}

// Painting

void TTBView::PaintAllViewers(HDC dc) {
    ValidatePositions();
    const bool inOrder = (state_ & kVsDrawInOrder) != 0;
    state_ &= ~kVsDrawInOrder;
    for (const auto& v : viewers_) {
        if (inOrder || v.get() != selected_) PaintViewer(dc, v.get(), false);
    }
    if (!inOrder && selected_) PaintViewer(dc, selected_, false);
}

void TTBView::PaintViewer(HDC dc, TTBItemViewer* viewer, bool throughBitmap) {
    ValidatePositions();
    const int index = IndexOf(viewer);
    if (index < 0) return;
    if (paintThroughBitmap_[static_cast<std::size_t>(index)]) {
        throughBitmap = true;
        paintThroughBitmap_[static_cast<std::size_t>(index)] = false;
    }
    const TRect b = viewer->BoundsRect();
    if (!viewer->Show() || b.IsEmpty()) return;

    const bool selected = viewer == selected_;
    const bool pushed = selected && (viewer == openViewer_ || (mouseOverSelected_ && capture_));
    const int saved = ::SaveDC(dc);
    TScopeExit restore([&] { ::RestoreDC(dc, saved); });
    ::IntersectClipRect(dc, b.Left, b.Top, b.Right, b.Bottom);
    RECT clip{};
    if (::GetClipBox(dc, &clip) == NULLREGION) return;

    const bool menuStyle = !viewer->IsToolbarStyle();
    const TColor windowColor = window_->Color();
    const bool enabled = viewer->Item()->Enabled();
    COLORREF text = 0;
    bool shadow = false;
    if (enabled) {
        text = ::GetSysColor(selected && menuStyle ? COLOR_HIGHLIGHTTEXT : menuStyle ? COLOR_MENUTEXT : COLOR_BTNTEXT);
    } else {
        text = ::GetSysColor(COLOR_GRAYTEXT);
        shadow = !menuStyle || windowColor == clGrayText || (!selected && windowColor == clBtnFace);
    }
    TGdiHandle<HBRUSH> highlight;
    if (selected && menuStyle) {
        highlight.Reset(::CreateSolidBrush(::GetSysColor(AreFlatMenusEnabled() ? COLOR_MENUHILIGHT : COLOR_HIGHLIGHT)));
    }
    TGdiHandle<HFONT> bold;
    HFONT font = GetFont();
    if (viewer->Item()->EffectiveOptions().Contains(tboDefault)) {
        bold = BoldFont(font);
        font = bold.Get();
    }
    const auto prepare = [&](HDC target) {
        ::SelectObject(target, highlight ? static_cast<HGDIOBJ>(highlight.Get()) : ::GetStockObject(NULL_BRUSH));
        ::SelectObject(target, font);
        ::SetBkMode(target, TRANSPARENT);
        ::SetTextColor(target, text);
    };
    const TRect own{0, 0, b.Width(), b.Height()};
    if (throughBitmap) {
        const TGdiHandle<HBITMAP> bits(::CreateCompatibleBitmap(dc, b.Width(), b.Height()));
        TMemoryDC bitmap(bits.Get(), dc);
        ::SetWindowOrgEx(bitmap.Get(), b.Left, b.Top, nullptr);
        ::SendMessageA(window_->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.Get()), 0);
        ::SetWindowOrgEx(bitmap.Get(), 0, 0, nullptr);
        // The checked pattern stays in step with the window's pixels.
        ::SetBrushOrgEx(bitmap.Get(), b.Left % 2, b.Top % 2, nullptr);
        const int inner = ::SaveDC(bitmap.Get());
        prepare(bitmap.Get());
        viewer->Paint(bitmap.Get(), own, selected, pushed, shadow);
        ::RestoreDC(bitmap.Get(), inner);
        ::BitBlt(dc, b.Left, b.Top, b.Width(), b.Height(), bitmap.Get(), 0, 0, SRCCOPY);
    } else {
        ::OffsetViewportOrgEx(dc, b.Left, b.Top, nullptr);
        prepare(dc);
        viewer->Paint(dc, own, selected, pushed, shadow);
    }
}

void TTBView::Invalidate(TTBItemViewer* viewer) {
    const int index = IndexOf(viewer);
    if (index < 0 || !validated_ || !window_->HandleAllocated() || !viewer->Show() || viewer->BoundsRect().IsEmpty()) {
        return;
    }
    paintThroughBitmap_[static_cast<std::size_t>(index)] = true;
    const RECT r = ToRECT(viewer->BoundsRect());
    ::InvalidateRect(window_->WindowHandle(), &r, FALSE);
}

// Selection

TTBItemViewer* TTBView::ViewerAtPoint(TPoint p) const {
    for (const auto& v : viewers_) {
        if (v->Show() && v->BoundsRect().Contains(p)) return v.get();
    }
    return nullptr;
}

TTBItemViewer* TTBView::NextSelectable(TTBItemViewer* from, bool forward) {
    ValidatePositions();
    std::vector<bool> selectable(viewers_.size());
    for (std::size_t i = 0; i < viewers_.size(); ++i) selectable[i] = IsSelectableViewer(viewers_[i].get());
    const int next = tb::NextSelectable(selectable, IndexOf(from), forward);
    return next < 0 ? nullptr : viewers_[static_cast<std::size_t>(next)].get();
}

void TTBView::Select(TTBItemViewer* viewer, bool byMouse) {
    TTBItemViewer* old = selected_;
    if (viewer != old) {
        if (viewer && parentView_ && parentView_->openViewer_ && parentView_->selected_ != parentView_->openViewer_) {
            parentView_->Select(parentView_->openViewer_, false);
            parentView_->StopTimer(kTimerOpen);
            parentView_->StopTimer(kTimerClose);
        }
        if (state_ & kVsModal) {
            if (isToolbar_ || !byMouse) {
                StopTimer(kTimerClose);
                if (viewer != openViewer_) CloseChildPopups();
            } else if (openViewer_ && !TimerRunning(kTimerClose)) {
                StartTimer(kTimerClose, static_cast<UINT>(GetMenuShowDelay()));
            }
        }
        if (old) old->Leaving();
        selected_ = viewer;
        selectedByMouse_ = byMouse;
    }

    bool over = false;
    if (viewer && window_->HandleAllocated()) {
        const DWORD pos = ::GetMessagePos();
        const TPoint screen{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        if (::WindowFromPoint(POINT{screen.X, screen.Y}) == window_->WindowHandle()) {
            const TPoint client = window_->ScreenToClient(screen);
            const TPoint local = viewer->ScreenToViewer(screen);
            over = ViewerAtPoint(client) == viewer && (!capture_ || viewer->IsPtInButtonPart(local.X, local.Y));
        }
    }
    if (viewer == old) {
        if (over != mouseOverSelected_) {
            mouseOverSelected_ = over;
            if (viewer && capture_ && viewer->Item()->ItemStyle().Contains(tbisRedrawOnMouseOverChange)) {
                Invalidate(viewer);
            }
        }
        return;
    }
    mouseOverSelected_ = over;
    if (old && old->Item()->ItemStyle().Contains(tbisRedrawOnSelChange)) Invalidate(old);
    if (viewer && viewer->Item()->ItemStyle().Contains(tbisRedrawOnSelChange)) Invalidate(viewer);
    if (viewer) viewer->Entering(old);
    NotifyFocusEvent();

    if (!(state_ & kVsModal) || !viewer) return;
    if (!isToolbar_) {
        StopTimer(kTimerOpen);
        if (byMouse && viewer->Item()->ItemStyle().Contains(tbisSubmenu)) {
            StartTimer(kTimerOpen, static_cast<UINT>(GetMenuShowDelay()));
        }
    } else if ((state_ & kVsMouseInTb) && (byMouse || !viewer->Item()->ItemStyle().Contains(tbisNoAutoOpen))) {
        OpenChildPopup(!byMouse);
    }
}

void TTBView::NotifyFocusEvent() {
    TTBView* root = GetRootView();
    if (!(state_ & kVsModal) || !(root->state_ & kVsModal) || IsModalEnding() || !window_->HandleAllocated() ||
        !::IsWindowVisible(window_->WindowHandle())) {
        return;
    }
    if (!selected_ || !selected_->IsAccessible()) {
        if (parentView_) parentView_->NotifyFocusEvent();
        return;
    }
    LONG child = 1;
    for (const auto& v : viewers_) {
        if (v.get() == selected_) break;
        if (v->IsAccessible()) ++child;
    }
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window_->WindowHandle(), OBJID_CLIENT, child);
}

void TTBView::UpdateMouseOver(TPoint screen, bool hoverTiming) {
    if (!window_->HandleAllocated()) return;
    TTBItemViewer* v = nullptr;
    if (::WindowFromPoint(POINT{screen.X, screen.Y}) == window_->WindowHandle()) {
        v = ViewerAtPoint(window_->ScreenToClient(screen));
        if (v && !IsSelectableViewer(v)) v = nullptr;
    }
    if (!v) {
        // Leaving the view: a viewer pressed in it keeps the selection (it follows the pointer until the
        // release, as a list dragged past its ends does); a popup drops its highlight unless a submenu is
        // open from it; a toolbar keeps its selection while the loop runs.
        if (capture_ && selected_) {
            v = selected_;
        } else if (!isToolbar_ && !openViewer_) {
            v = nullptr;
        } else if (!isToolbar_) {
            v = openViewer_;
        } else {
            v = (state_ & kVsModal) ? selected_ : nullptr;
        }
    }
    const unsigned timers = timers_;
    Select(v, true);
    if (!hoverTiming && !(timers & (1u << kTimerOpen))) StopTimer(kTimerOpen);
}

bool TTBView::OpenChildPopup(bool selectFirst) {
    StopTimer(kTimerClose);
    StopTimer(kTimerOpen);
    if (selected_ != openViewer_) {
        CloseChildPopups();
        TTBItemViewer* v = selected_;
        if (v && v->Item()->Enabled() && v->Item()->ItemStyle().Contains(tbisSubmenu)) {
            CreatePopup(this, v, !isToolbar_, selectFirst);
        }
    }
    if (openViewer_ && isToolbar_) state_ |= kVsMouseInTb;
    return openViewer_ != nullptr;
}

void TTBView::SetOpenPopup(TTBItemViewer* viewer, TTBView* view, TTBPopupWindow* window) {
    openViewer_ = viewer;
    openView_ = view;
    openWindow_ = window;
    if (isToolbar_) Invalidate(viewer);
}

void TTBView::ForgetOpenPopup(TTBPopupWindow* window) {
    if (openWindow_ != window) return;
    TTBItemViewer* v = openViewer_;
    openWindow_ = nullptr;
    openView_ = nullptr;
    openViewer_ = nullptr;
    if (isToolbar_) {
        state_ |= kVsDropDownMenus;
        Invalidate(v);
    }
}

void TTBView::CloseChildPopups() {
    if (openView_) openView_->CloseChildPopups();
    StopTimer(kTimerClose);
    if (TTBPopupWindow* w = openWindow_) {
        ForgetOpenPopup(w);
        Free(w);
    }
}

void TTBView::CancelChildPopups() {
    if (isToolbar_) state_ &= ~kVsMouseInTb;
    CloseChildPopups();
}

// Keyboard

void TTBView::ExecuteSelected(bool selectFirst) {
    TTBItemViewer* v = selected_;
    if (!v || !v->Item()->Enabled()) {
        EndModal();
        return;
    }
    const TTBItemStyle style = v->Item()->ItemStyle();
    bool opened = false;
    if (style.Contains(tbisSubmenu) && !style.Contains(tbisCombo)) opened = OpenChildPopup(selectFirst);
    if (!opened && style.Contains(tbisSelectable)) v->Execute(true);
}

TTBItemViewer* TTBView::FindViewerByKey(TTBItemViewer* from, char16_t key, bool& onlyMatch, bool acceleratorsOnly) {
    ValidatePositions();
    std::vector<TKeySearchItem> items(viewers_.size());
    for (std::size_t i = 0; i < viewers_.size(); ++i) {
        const TTBItemViewer* v = viewers_[i].get();
        const WideString caption = v->GetCaptionText();
        TKeySearchItem& k = items[i];
        k.candidate = IsSelectableViewer(v) && v->CaptionShown() && !caption.empty();
        k.enabled = v->Item()->Enabled();
        k.accel = FindAccelChar(caption);
        k.firstChar = caption.empty() ? 0 : caption[0];
    }
    const TKeySearchResult r = tb::FindViewerByKey(items, IndexOf(from), key, acceleratorsOnly, SameCharIgnoringCase);
    onlyMatch = r.onlyMatch;
    return r.index < 0 ? nullptr : viewers_[static_cast<std::size_t>(r.index)].get();
}

void TTBView::KeyDown(std::uint16_t& key, TShiftState shift) {
    TTBView* toolbar = ToolbarView();
    const bool horizontalToolbar = toolbar && toolbar->orientation_ != TTBViewOrientation::Vertical;
    const bool vertical = orientation_ == TTBViewOrientation::Vertical;
    const auto toolbarStep = [&](bool forward) {
        if (toolbar && horizontalToolbar) toolbar->Select(toolbar->NextSelectable(toolbar->selected_, forward), false);
    };
    switch (key) {
        case VK_TAB: Select(NextSelectable(selected_, !shift.Contains(ssShift)), false); break;
        case VK_RETURN: ExecuteSelected(true); break;
        case VK_ESCAPE:
            // One level back; a menu bar keeps its item highlighted without opening the next one.
            if (parentView_) {
                parentView_->CancelChildPopups();
            } else {
                EndModal();
            }
            break;
        case VK_MENU:
        case VK_F10: EndModal(); break;
        case VK_HOME:
        case VK_END:
            Select(NextSelectable(nullptr, key == VK_HOME), false);
            ScrollSelectedIntoView();
            break;
        case VK_LEFT:
            if (isToolbar_ && vertical) {
                OpenChildPopup(true);
            } else if (!toolbar || !horizontalToolbar) {
                if (parentView_) parentView_->CloseChildPopups();
            } else if (toolbar == this) {
                Select(NextSelectable(selected_, false), false);
            } else if (parentView_ == toolbar) {
                toolbarStep(false);
            } else if (parentView_) {
                parentView_->CloseChildPopups();
            }
            break;
        case VK_RIGHT:
            if (isToolbar_ && vertical) {
                OpenChildPopup(true);
            } else if (this == toolbar) {
                toolbarStep(true);
            } else {
                TTBItemViewer* v = selected_;
                const bool canOpen = v && v->Item()->Enabled() && v->Item()->ItemStyle().Contains(tbisSubmenu);
                if (!canOpen || !OpenChildPopup(true)) toolbarStep(true);
            }
            break;
        case VK_UP:
        case VK_DOWN:
            if (!isToolbar_ || vertical) {
                Select(NextSelectable(selected_, key == VK_DOWN), false);
                ScrollSelectedIntoView();
            } else {
                OpenChildPopup(true);
            }
            break;
        case VK_F1: {
            std::int32_t context = 0;
            for (TTBView* v = this; v && context == 0; v = v->parentView_) {
                if (v->selected_) context = v->selected_->Item()->HelpContext();
            }
            EndModalWithHelp(context);
            break;
        }
        default: return;
    }
    key = 0;
}

void TTBView::ShowAccelMarks(bool show) {
    const bool want = show || !(style_ & kVssHideAccels) || AreKeyboardCuesEnabled();
    if (want == ((state_ & kVsShowAccels) != 0)) return;
    state_ = want ? (state_ | kVsShowAccels) : (state_ & ~kVsShowAccels);
    if (!window_->HandleAllocated() || !::IsWindowVisible(window_->WindowHandle())) return;
    for (const auto& v : viewers_) {
        if (v->CaptionShown() && FindAccelChar(v->GetCaptionText()) != 0) Invalidate(v.get());
    }
}

// Menu scrolling

void TTBView::ScrollStep(bool down) {
    ValidatePositions();
    const int bottomEdge = maxHeight_ - kMenuScrollArrowHeight;
    int step = 0;
    bool found = false;
    for (const auto& v : viewers_) {
        if (!v->Clipped() || v->Item()->ItemStyle().Contains(tbisSeparator)) continue;
        const TRect b = v->BoundsRect();
        if (down && b.Bottom > bottomEdge && (!found || b.Bottom - bottomEdge < step)) {
            step = b.Bottom - bottomEdge;
            found = true;
        } else if (!down && b.Top < kMenuScrollArrowHeight && (!found || b.Top - kMenuScrollArrowHeight > step)) {
            step = b.Top - kMenuScrollArrowHeight;
            found = true;
        }
    }
    if (!found) return;
    scrollOffset_ += step;
    InvalidatePositions();
    ValidatePositions();
}

void TTBView::RevealSelected() {
    if (!selected_ || !selected_->Clipped()) return;
    const TRect b = selected_->BoundsRect();
    if (b.Top >= kMenuScrollArrowHeight) {
        scrollOffset_ += b.Bottom - (maxHeight_ - kMenuScrollArrowHeight);
    } else {
        scrollOffset_ -= kMenuScrollArrowHeight - b.Top;
    }
    InvalidatePositions();
    ValidatePositions();
}

void TTBView::ScrollSelectedIntoView() { RevealSelected(); }

// Timers

void TTBView::StartTimer(int id, UINT ms) {
    StopTimer(id);
    if (!dynamic_cast<TTBPopupWindow*>(window_) || !window_->HandleAllocated()) return;
    if (::SetTimer(window_->WindowHandle(), kTimerIdBase + static_cast<UINT_PTR>(id), ms, nullptr)) {
        timers_ |= 1u << id;
    }
}

void TTBView::StopTimer(int id) {
    if (!(timers_ & (1u << id))) return;
    timers_ &= ~(1u << id);
    if (window_->HandleAllocated()) ::KillTimer(window_->WindowHandle(), kTimerIdBase + static_cast<UINT_PTR>(id));
}

void TTBView::StopAllTimers() {
    for (int id = 0; id < 8; ++id) StopTimer(id);
}

void TTBView::HandleTimer(int id) {
    switch (id) {
        case kTimerOpen:
            StopTimer(kTimerOpen);
            OpenChildPopup(false);
            break;
        case kTimerClose:
            StopTimer(kTimerClose);
            CloseChildPopups();
            break;
        case kTimerScrollUp:
        case kTimerScrollDown:
            if (id == kTimerScrollUp ? upArrow_ : downArrow_) {
                ScrollStep(id == kTimerScrollDown);
            } else {
                StopTimer(id);
            }
            break;
        default: break;
    }
}

// The loop and its done action

void TTBView::SetModal(bool value) { state_ = value ? (state_ | kVsModal) : (state_ & ~kVsModal); }

bool TTBView::IsModalEnding() { return GetRootView()->done_.kind != TTBDoneActionKind::None; }

void TTBView::EndModal() { GetRootView()->done_ = TTBDoneAction{TTBDoneActionKind::Cancel}; }

void TTBView::EndModalWithItem(TTBItemViewer* viewer) {
    TTBDoneAction& done = GetRootView()->done_;
    done = TTBDoneAction{TTBDoneActionKind::ClickItem};
    done.clickItem = viewer->Item();
    done.sound = viewer->View()->IsPopup();
}

void TTBView::EndModalWithSystemMenu(HWND window, char16_t key) {
    TTBDoneAction& done = GetRootView()->done_;
    done = TTBDoneAction{TTBDoneActionKind::SysMenu};
    done.sysMenuWindow = window;
    done.sysMenuKey = key;
}

void TTBView::EndModalWithHelp(std::int32_t context) {
    TTBDoneAction& done = GetRootView()->done_;
    done = TTBDoneAction{TTBDoneActionKind::Help};
    done.helpContext = context;
}

void TTBView::CancelMode() {
    EndModal();
    std::vector<TTBView*> chain;
    for (TTBView* v = GetRootView(); v; v = v->openView_) chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->StopAllTimers();
        if (dynamic_cast<TTBPopupWindow*>((*it)->window_) && (*it)->window_->HandleAllocated()) {
            ::ShowWindow((*it)->window_->WindowHandle(), SW_HIDE);
        }
    }
}

TTBDoneActionKind TTBView::RunMenuLoop(unsigned options) {
    if (state_ & kVsModal) return TTBDoneActionKind::None;
    const std::shared_ptr<bool> alive = alive_;
    TTBDoneAction done;
    {
        TObjectPtr<TTBModalHandler> handler = MakeObject<TTBModalHandler>(window_->Handle());
        state_ = (state_ & kVsShowAccels) | kVsModal;
        done_ = TTBDoneAction{};
        NotifyFocusEvent();
        TScopeExit after([&] {
            if (*alive) {
                state_ &= ~(kVsModal | kVsMouseInTb);
                StopAllTimers();
                CloseChildPopups();
                done = done_;
            }
            handler.reset();  // releases the capture
            if (*alive) {
                ShowAccelMarks(false);
                Select(nullptr, false);
                done_ = TTBDoneAction{};
            }
        });
        handler->Loop(this, alive, (options & 1) != 0, false, (options & 4) != 0, (options & 2) != 0);
    }
    CarryOutDoneAction(done);
    return done.kind;
}
