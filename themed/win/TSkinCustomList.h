// Items that show a scrollable list of lines inside a popup view (the drop-down of a combo box). The item
// draws its lines; its viewer (TSkinCustomListViewer) measures, scrolls, highlights and picks them.
// ItemIndex is the chosen line (-1 for none) and survives the popup; every live viewer follows it.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/core/Method.h"
#include "themed/core/TStringListW.h"
#include "themed/win/TSkinCustomItem.h"

class TSkinCustomList;
class TSkinCustomListViewer;

// OnClearItem, OnDrawItem: drawDefault (true on entry) lets the list paint the background or the content.
using TSkinListDrawEvent =
    Method<void(TSkinCustomList* sender, HDC dc, const TRect& rect, int index, int highlighted, bool& drawDefault)>;
using TSkinListMeasureHeightEvent = Method<void(TSkinCustomList* sender, HDC dc, int& height)>;
using TSkinListMeasureWidthEvent = Method<void(TSkinCustomList* sender, HDC dc, int index, int& width)>;
using TSkinListImageIndexEvent = Method<void(TSkinCustomList* sender, int index, int& imageIndex)>;

class TSkinCustomList : public TSkinCustomItem {
    CLASSLIB_COMPONENT(TSkinCustomList, TSkinCustomItem)

    explicit TSkinCustomList(TComponent* owner);
    ~TSkinCustomList() override;

    std::int32_t ItemIndex() const { return itemIndex_; }
    // A negative value is stored as -1; the viewers move their highlight to it, then OnChange.
    void SetItemIndex(std::int32_t value);
    // The list's own width limits (they hide the item's least size, which a list does not use).
    std::int32_t MinWidth() const { return minWidth_; }
    void SetMinWidth(std::int32_t value) { minWidth_ = value; }
    std::int32_t MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(std::int32_t value) { maxWidth_ = value; }
    std::int32_t MaxVisibleItems() const { return maxVisibleItems_; }
    void SetMaxVisibleItems(std::int32_t value) { maxVisibleItems_ = value; }
    bool ShowImages() const { return showImages_; }
    void SetShowImages(bool value) { showImages_ = value; }

    TNotifyEvent OnChange;
    TSkinListDrawEvent OnClearItem;
    TSkinListDrawEvent OnDrawItem;
    TSkinListImageIndexEvent OnAdjustImageIndex;
    TSkinListMeasureHeightEvent OnMeasureHeight;
    TSkinListMeasureWidthEvent OnMeasureWidth;

    // Hooks, in the order the lines are measured and drawn.
    virtual bool DoClearItem(HDC dc, const TRect& rect, int index, int highlighted);
    virtual bool DoDrawItem(HDC dc, const TRect& rect, int index, int highlighted);
    virtual void DoMeasureHeight(HDC dc, int& height);
    virtual void DoMeasureWidth(HDC dc, int index, int& width);
    // Draws one line, highlighted when index is the highlighted one.
    virtual void DrawItem(HDC dc, TSkinCustomListViewer* viewer, int highlighted, int index, const TRect& rect);
    virtual int GetImageIndex(int index);
    virtual WideString GetItemText(int index) = 0;
    virtual int GetCount() = 0;
    virtual void DoChange();
    virtual void HighlightChanged(int highlighted) {}

    void AddViewer(TSkinCustomListViewer* viewer);
    void RemoveViewer(TSkinCustomListViewer* viewer);

    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;
    bool IsSkinList() const override { return true; }
    skin::TPopupKind SkinPopupKind() const override { return skin::TPopupKind::List; }

private:
    std::int32_t itemIndex_ = -1;
    std::int32_t minWidth_ = 32;
    std::int32_t maxWidth_ = 0;
    std::int32_t maxVisibleItems_ = 8;
    bool showImages_ = false;
    std::vector<TSkinCustomListViewer*> viewers_;
};

class TSkinStringList : public TSkinCustomList {
    CLASSLIB_COMPONENT(TSkinStringList, TSkinCustomList)

    explicit TSkinStringList(TComponent* owner);
    TStringListW* Lines() const { return lines_.get(); }
    void SetLines(TStringListW* value) { lines_->Assign(value); }
    WideString GetItemText(int index) override { return lines_->Get(index); }
    int GetCount() override { return lines_->Count(); }

private:
    TObjectPtr<TStringListW> lines_;
};
