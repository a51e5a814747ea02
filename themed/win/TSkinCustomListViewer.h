// How a list item shows in its popup: as many lines as fit (up to MaxVisibleItems), a window-less scroll
// bar when not all do, the highlighted line following the mouse and the keys, and the chosen line set in
// the list's ItemIndex on a release or a navigation key. Dragging past the ends scrolls on a timer.
#pragma once
#include "classlib/core/Types.h"
#include "themed/core/SkinListRules.h"
#include "themed/win/TSkinItemViewer.h"
#include "themed/win/TSkinScrollBar.h"

class TSkinCustomList;

class TSkinCustomListViewer : public TSkinItemViewer {
    CLASSLIB_CLASS(TSkinCustomListViewer, TSkinItemViewer)
public:
    TSkinCustomListViewer(TTBView* view, TTBCustomItem* item, int groupLevel);
    ~TSkinCustomListViewer() override;

    TSkinCustomList* List() const;
    int Offset() const { return offset_; }
    int Highlighted() const { return highlighted_; }
    int VisibleLines() const { return visible_; }
    int LineHeight() const { return lineHeight_; }
    int ScrollBarWidth() const { return barWidth_; }
    TSkinScrollBar* ScrollBar() const { return bar_.get(); }

    // The list's ItemIndex changed: highlight that line and scroll it into view.
    void ChangeHighlight(int index);
    // The line under a point in viewer coordinates, -1 for none.
    int LineAtPoint(int x, int y) const;
    TRect LineRect(int index) const;
    void ScrollIntoView(int index);

    void CalcSize(HDC dc, int& width, int& height) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int x, int y, bool mouseWasDownOnMenu) override;
    void MouseWheel(int wheelDelta, int x, int y) override;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;

protected:
    // While dragging past the ends: the line under the pointer becomes none.
    virtual void AutoScrollHook(int& index, int direction) { index = -1; }
    virtual int MeasureLineHeight(HDC dc);
    virtual int MeasureLineWidth(HDC dc, int index);
    // After each auto-scroll step.
    virtual void AutoScrolled() {}

private:
    void DrawLines(HDC dc);
    void RedrawLines();
    void RedrawBarRequest(TObject* sender);
    void BarChanged(TObject* sender);
    void BarAutoScroll(TSkinScrollBar* sender, int& direction, int& interval);
    void SetHighlighted(int index, bool byMouse);
    void StopAutoScroll();

    int count_ = 0;
    int lineHeight_ = 1;
    int visible_ = 1;
    int offset_ = 0;
    int highlighted_ = -1;
    int barWidth_ = 0;
    TObjectPtr<TSkinScrollBar> bar_;
    TRect client_{};
    int width_ = 0;
    int height_ = 0;
    skin::TListWheel wheel_;
    bool mouseDown_ = false;
    bool mouseInBar_ = false;
    bool changingHighlight_ = false;
    int autoLines_ = 0;
};
