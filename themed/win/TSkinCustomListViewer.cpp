#include "themed/win/TSkinCustomListViewer.h"

#include <algorithm>

#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TWinControl.h"
#include "classlib/win/WindowDC.h"
#include "themed/win/TSkinCustomList.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/TextDrawing.h"

using namespace skin;

TSkinCustomListViewer::TSkinCustomListViewer(TTBView* view, TTBCustomItem* item, int groupLevel)
    : TSkinItemViewer(view, item, groupLevel) {
    TSkinCustomList* list = List();
    list->AddViewer(this);
    count_ = list->GetCount();
    visible_ = ListVisibleLines(count_, list->MaxVisibleItems());
    const TListStart start = ListStartAt(count_, list->MaxVisibleItems(), list->ItemIndex());
    offset_ = start.offset;
    highlighted_ = start.highlighted;
}

TSkinCustomListViewer::~TSkinCustomListViewer() { List()->RemoveViewer(this); }

TSkinCustomList* TSkinCustomListViewer::List() const { return static_cast<TSkinCustomList*>(Item()); }

int TSkinCustomListViewer::MeasureLineHeight(HDC dc) {
    SIZE q{};
    ::GetTextExtentPoint32W(dc, L"Q", 1, &q);
    int height = q.cy + 2;
    TCustomImageList* images = GetImageList();
    if (List()->ShowImages() && images) height = std::max(height, images->Height() + 2);
    List()->DoMeasureHeight(dc, height);
    return height;
}

int TSkinCustomListViewer::MeasureLineWidth(HDC dc, int index) {
    const WideString text = List()->GetItemText(index);
    int width = tb::GetTextWidthW(dc, text, false);
    TCustomImageList* images = GetImageList();
    if (List()->ShowImages() && images) width += images->Width() + (text.empty() ? 0 : 4);
    width += 8;
    List()->DoMeasureWidth(dc, index, width);
    return width;
}

void TSkinCustomListViewer::CalcSize(HDC dc, int& width, int& height) {
    TSkinCustomList* list = List();
    const HGDIOBJ old = ::SelectObject(dc, View()->GetFont());
    TScopeExit restore([&] { ::SelectObject(dc, old); });
    count_ = list->GetCount();
    lineHeight_ = std::max(MeasureLineHeight(dc), 1);
    visible_ = ListVisibleLines(count_, list->MaxVisibleItems());
    height = visible_ * lineHeight_;
    width = 0;
    for (int i = 0; i < count_; ++i) width = std::max(width, MeasureLineWidth(dc, i));
    barWidth_ = visible_ < count_ ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    width += barWidth_;
    if (width < list->MinWidth()) width = list->MinWidth();
    if (list->MaxWidth() > list->MinWidth() && width > list->MaxWidth()) width = list->MaxWidth();
}

int TSkinCustomListViewer::LineAtPoint(int x, int y) const {
    return ListLineAtPoint(x, y, width_, barWidth_, lineHeight_, offset_, visible_, count_);
}

TRect TSkinCustomListViewer::LineRect(int index) const {
    const int top = client_.Top + (index - offset_) * lineHeight_;
    return TRect{client_.Left, top, client_.Right - barWidth_, top + lineHeight_};
}

void TSkinCustomListViewer::DrawLines(HDC dc) {
    const HGDIOBJ old = ::SelectObject(dc, View()->GetFont());
    TScopeExit restore([&] { ::SelectObject(dc, old); });
    TRect line{client_.Left, client_.Top, client_.Right - barWidth_, client_.Top + lineHeight_};
    for (int i = offset_; i < count_; ++i) {
        RECT r{line.Left, line.Top, line.Right, line.Bottom};
        if (::RectVisible(dc, &r)) List()->DrawItem(dc, this, highlighted_, i, line);
        line = TRect{line.Left, line.Bottom, line.Right, line.Bottom + lineHeight_};
        if (line.Bottom > height_) break;
    }
    RECT rest{client_.Left, line.Top, client_.Right - barWidth_, client_.Bottom};
    if (rest.top < rest.bottom) ::FillRect(dc, &rest, ::GetSysColorBrush(COLOR_WINDOW));
}

void TSkinCustomListViewer::Paint(HDC dc, const TRect& client, bool, bool, bool) {
    client_ = client;
    width_ = client.Width();
    height_ = client.Height();
    DrawLines(dc);
    if (barWidth_ <= 0) return;
    if (!bar_) {
        bar_ = MakeObject<TSkinScrollBar>();
        bar_->SetVertical(true);
        bar_->OnRedrawRequest = TNotifyEvent::Bind<&TSkinCustomListViewer::RedrawBarRequest>(this);
        bar_->OnChange = TNotifyEvent::Bind<&TSkinCustomListViewer::BarChanged>(this);
        bar_->OnAutoScroll = TAutoScrollEvent::Bind<&TSkinCustomListViewer::BarAutoScroll>(this);
    }
    bar_->SetBounds(TRect{client.Right - barWidth_, client.Top, client.Right, client.Bottom});
    bar_->SetRange(count_);
    bar_->SetWindow(visible_);
    bar_->SetPosition(offset_);
    bar_->Paint(dc);
}

namespace {
// The view window's DC with the origin at the viewer's top-left corner.
struct TViewerDC {
    TWindowDC dc;
    explicit TViewerDC(TTBItemViewer* viewer) : dc(viewer->View()->Window()->Handle()) {
        const TRect b = viewer->BoundsRect();
        ::SetViewportOrgEx(dc.Get(), b.Left, b.Top, nullptr);
    }
};
}  // namespace

void TSkinCustomListViewer::RedrawBarRequest(TObject*) {
    if (!bar_ || !View()->Window()->HandleAllocated()) return;
    TViewerDC target(this);
    bar_->Paint(target.dc.Get());
}

void TSkinCustomListViewer::RedrawLines() {
    offset_ = bar_ ? bar_->Position() : 0;
    if (!View()->Window()->HandleAllocated() || width_ == 0) return;
    TViewerDC target(this);
    DrawLines(target.dc.Get());
}

void TSkinCustomListViewer::BarChanged(TObject*) { RedrawLines(); }

void TSkinCustomListViewer::BarAutoScroll(TSkinScrollBar*, int&, int&) { AutoScrolled(); }

void TSkinCustomListViewer::ScrollIntoView(int index) {
    const int target = ListScrollIntoView(index, offset_, visible_, count_);
    if (target == offset_) return;
    if (bar_) {
        bar_->UserSetPosition(target);
    } else {
        offset_ = target;
        RedrawLines();
    }
}

void TSkinCustomListViewer::ChangeHighlight(int index) {
    if (changingHighlight_ || index == highlighted_) return;
    changingHighlight_ = true;
    TScopeExit done([&] { changingHighlight_ = false; });
    highlighted_ = index;
    List()->HighlightChanged(index);
    ScrollIntoView(index);
    RedrawLines();
}

void TSkinCustomListViewer::SetHighlighted(int index, bool) {
    if (index == highlighted_) return;
    const int old = highlighted_;
    highlighted_ = index;
    if (View()->Window()->HandleAllocated() && width_ > 0) {
        TViewerDC target(this);
        const HGDIOBJ font = ::SelectObject(target.dc.Get(), View()->GetFont());
        // Only lines that exist and lie within the viewer; either end may be none.
        const int from = std::max(std::min(old, index), offset_);
        const int to = std::min(std::max(old, index), std::min(count_ - 1, offset_ + visible_ - 1));
        for (int i = from; i <= to; ++i) {
            const TRect r = LineRect(i);
            if (r.Top >= 0 && r.Bottom <= height_) List()->DrawItem(target.dc.Get(), this, highlighted_, i, r);
        }
        ::SelectObject(target.dc.Get(), font);
    }
    List()->HighlightChanged(index);
}

void TSkinCustomListViewer::KeyDown(std::uint16_t& key, TShiftState) {
    TListKey kind;
    switch (key) {
        case VK_RETURN: kind = TListKey::Enter; break;
        case VK_PRIOR: kind = TListKey::PageUp; break;
        case VK_NEXT: kind = TListKey::PageDown; break;
        case VK_HOME: kind = TListKey::Home; break;
        case VK_END: kind = TListKey::End; break;
        case VK_UP: kind = TListKey::Up; break;
        case VK_DOWN: kind = TListKey::Down; break;
        default: return;
    }
    const int target = ListKeyTarget(kind, highlighted_, visible_, count_);
    if (kind != TListKey::Enter) key = 0;  // Enter goes on to the view, which runs the list
    List()->SetItemIndex(target);
}

void TSkinCustomListViewer::MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu) {
    if (bar_ && x > width_ - barWidth_) {
        // The bar lies at its bounds in the viewer and takes the viewer's coordinates.
        bar_->MouseDown(x, y, shift.Contains(ssDouble));
        mouseInBar_ = true;
        TSkinItemViewer::MouseDown(shift, x, y, mouseDownOnMenu);
        View()->SetCapture(true);
        return;
    }
    mouseDown_ = true;
    MouseMove(x, y);
    TSkinItemViewer::MouseDown(shift, x, y, mouseDownOnMenu);
    View()->SetCapture(true);
}

void TSkinCustomListViewer::StopAutoScroll() {
    if (bar_) bar_->StopAutoScroll();
}

void TSkinCustomListViewer::MouseMove(int x, int y) {
    if (mouseInBar_) {
        if (bar_) bar_->MouseMove(x, y);
        return;
    }
    if (!View()->Capture() && ::GetKeyState(VK_LBUTTON) < 0) {
        View()->SetCapture(true);
        mouseDown_ = true;
    }
    int candidate = LineAtPoint(x, y);
    if (bar_) {
        if (!mouseDown_ || (y >= 0 && y < height_)) StopAutoScroll();
        if (mouseDown_ && (y < 0 || y >= height_)) {
            const int distance = y < 0 ? y : y - height_ + 1;
            const TListAutoScroll speed = ListAutoScrollSpeed(distance);
            const int direction = y < 0 ? -1 : 1;
            const bool canMove = direction < 0 ? offset_ > 0 : offset_ + visible_ < count_;
            if (canMove)
                bar_->StartAutoScroll(direction * speed.lines, speed.interval);
            else
                StopAutoScroll();
            AutoScrollHook(candidate, direction);
        }
    }
    if ((mouseDown_ || candidate >= 0) && candidate != highlighted_) SetHighlighted(candidate, true);
}

void TSkinCustomListViewer::MouseUp(int x, int y, bool mouseWasDownOnMenu) {
    StopAutoScroll();
    if (mouseInBar_) {
        TSkinItemViewer::MouseUp(x, y, mouseWasDownOnMenu);
        if (bar_) bar_->MouseUp();
        View()->GetRootView()->ClearDoneAction();
        mouseInBar_ = false;
        return;
    }
    mouseDown_ = false;
    List()->SetItemIndex(highlighted_);
    TSkinItemViewer::MouseUp(x, y, mouseWasDownOnMenu);
    View()->GetRootView()->ClearDoneSound();
}

void TSkinCustomListViewer::MouseWheel(int delta, int, int) {
    if (!bar_) return;
    const int lines = wheel_.Add(delta);
    if (lines != 0) bar_->UserSetPosition(bar_->Position() - lines);
}
