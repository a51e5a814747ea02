#include "themed/win/TSkinCustomList.h"

#include <algorithm>

#include "classlib/win/TCustomImageList.h"
#include "themed/win/TSkinCustomListViewer.h"
#include "themed/win/TSkinNexus.h"
#include "toolbar/win/TextDrawing.h"

TSkinCustomList::TSkinCustomList(TComponent* owner) : TSkinCustomItem(owner) {}

TSkinCustomList::~TSkinCustomList() = default;

void TSkinCustomList::SetItemIndex(std::int32_t value) {
    if (value < 0) value = -1;
    itemIndex_ = value;
    // A viewer may go while the others hear of it: walk a copy.
    const std::vector<TSkinCustomListViewer*> viewers = viewers_;
    for (TSkinCustomListViewer* v : viewers)
        if (std::find(viewers_.begin(), viewers_.end(), v) != viewers_.end()) v->ChangeHighlight(value);
    DoChange();
}

void TSkinCustomList::DoChange() {
    if (OnChange) OnChange(this);
}

bool TSkinCustomList::DoClearItem(HDC dc, const TRect& rect, int index, int highlighted) {
    bool drawDefault = true;
    if (OnClearItem) OnClearItem(this, dc, rect, index, highlighted, drawDefault);
    return drawDefault;
}

bool TSkinCustomList::DoDrawItem(HDC dc, const TRect& rect, int index, int highlighted) {
    bool drawDefault = true;
    if (OnDrawItem) OnDrawItem(this, dc, rect, index, highlighted, drawDefault);
    return drawDefault;
}

void TSkinCustomList::DoMeasureHeight(HDC dc, int& height) {
    if (OnMeasureHeight) OnMeasureHeight(this, dc, height);
}

void TSkinCustomList::DoMeasureWidth(HDC dc, int index, int& width) {
    if (OnMeasureWidth) OnMeasureWidth(this, dc, index, width);
}

int TSkinCustomList::GetImageIndex(int index) {
    int image = index;
    if (OnAdjustImageIndex) OnAdjustImageIndex(this, index, image);
    return image;
}

void TSkinCustomList::DrawItem(HDC dc, TSkinCustomListViewer* viewer, int highlighted, int index, const TRect& rect) {
    const bool lit = index == highlighted;
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (DoClearItem(dc, rect, index, highlighted))
        ::FillRect(dc, &r, ::GetSysColorBrush(lit ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    if (!DoDrawItem(dc, rect, index, highlighted)) return;
    RECT inner{r.left + 4, r.top - 1, r.right - 4, r.bottom + 1};
    TCustomImageList* images = viewer->GetImageList();
    if (showImages_ && images) {
        skin::TSkinItemInfo info;
        info.ViewType = GetViewType(viewer->View());
        info.Enabled = Enabled();
        info.ImageShown = true;
        const int top = (inner.top + inner.bottom - images->Height()) / 2;
        const TRect at{inner.left, top, inner.left + images->Width(), top + images->Height()};
        if (SkinNexus()) CurrentTheme().PaintImage(dc, at, info, images, GetImageIndex(index));
        inner.left += images->Width() + 4;
    }
    const WideString text = GetItemText(index);
    if (!text.empty()) tb::DrawTextWide(dc, text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TSkinCustomList::AddViewer(TSkinCustomListViewer* viewer) { viewers_.push_back(viewer); }

void TSkinCustomList::RemoveViewer(TSkinCustomListViewer* viewer) {
    viewers_.erase(std::remove(viewers_.begin(), viewers_.end(), viewer), viewers_.end());
}

TTBItemViewer* TSkinCustomList::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    if (chevron) return nullptr;
    return Create<TSkinCustomListViewer>(view, this, groupLevel);
}

TSkinStringList::TSkinStringList(TComponent* owner) : TSkinCustomList(owner), lines_(MakeObject<TStringListW>()) {}
