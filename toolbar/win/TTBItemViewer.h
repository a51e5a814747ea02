// An item viewer: how one item of the tree shows in one view. It knows its bounds in the view's window and
// its layout flags, measures and paints the item in the classic look (raised and sunken edges on
// toolbars, a highlight bar in menus), and turns mouse presses and releases into opened submenus and
// executed items. The view creates one per shown child of its item (CreateItemViewer picks the class).
//
// Mouse coordinates are the viewer's own (0, 0 at its top-left corner).
#pragma once
#include <cstdint>

#include "classlib/core/Geometry.h"
#include "classlib/core/TObject.h"
#include "classlib/core/TShortCut.h"
#include "classlib/core/Types.h"
#include "classlib/win/Win32.h"
#include "toolbar/core/DeferredClicks.h"

class TTBCustomAccObject;
class TTBCustomItem;
class TTBView;
class TCustomImageList;

class TTBItemViewer : public TObject, public TTBDeferredClickTarget {
    CLASSLIB_CLASS(TTBItemViewer, TObject)

    TTBItemViewer(TTBView* view, TTBCustomItem* item, int groupLevel);
    ~TTBItemViewer() override;

    TTBView* View() const { return view_; }
    TTBCustomItem* Item() const { return item_; }
    int GroupLevel() const { return groupLevel_; }

    // Layout state, set by the view's layout pass.
    TRect BoundsRect() const { return bounds_; }
    bool Show() const { return show_; }
    bool OffEdge() const { return offEdge_; }
    bool Clipped() const { return clipped_; }
    bool IsLineSeparator() const { return lineSep_; }
    void SetLayout(const TRect& bounds, bool show, bool offEdge, bool clipped, bool lineSep);
    void SetBoundsRect(const TRect& bounds) { bounds_ = bounds; }

    // Shown, behind the chevron or clipped by menu scrolling.
    bool IsAccessible() const { return show_ || offEdge_ || clipped_; }
    bool IsRotated() const;
    bool CaptionShown() const;
    bool ImageShown() const;
    // The toolbar image list or the submenu images of the views above.
    TCustomImageList* GetImageList() const;
    WideString GetCaptionText() const;
    WideString GetHintText() const;

    // Runs DoExecute; with givePriority an executed item is promoted for the chevron.
    void Execute(bool givePriority);
    // The screen point in the viewer's own coordinates.
    TPoint ScreenToViewer(TPoint screen) const;

    // Virtual operations.
    virtual void CalcSize(HDC dc, int& width, int& height);
    virtual bool DoExecute();
    virtual void DrawItemCaption(HDC dc, RECT rect, UINT format, bool useDisabledShadow, const WideString& caption);
    virtual void Entering(TTBItemViewer* oldSelected);
    virtual void Leaving();
    virtual HCURSOR GetCursor(int x, int y, HCURSOR cursor) { return cursor; }
    virtual bool IsToolbarSize() const;
    virtual bool IsToolbarStyle() const;
    virtual bool IsPtInButtonPart(int x, int y) const;
    virtual void KeyDown(std::uint16_t& key, TShiftState shift) {}
    virtual void LosingCapture();
    // mouseDownOnMenu: set when the press was on an already open menu of a top-level toolbar (the release
    // then closes it).
    virtual void MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu);
    virtual void MouseMove(int x, int y) {}
    virtual void MouseUp(int x, int y, bool mouseWasDownOnMenu);
    virtual void MouseWheel(int wheelDelta, int x, int y) {}
    virtual void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow);
    virtual bool UsesSameWidth() const;
    // What accessibility tools are told: a role of the viewer's own (0: the framework's by its kind) and a
    // value (false: none).
    virtual std::int32_t GetAccRole() const { return 0; }
    virtual bool GetAccValue(WideString& value) const { return false; }

    // The viewer's accessibility object while it lives (a weak link, changed under that object's lock).
    TTBCustomAccObject*& AccObjectSlot() { return accObject_; }

protected:
    void DeferredClick() override { Execute(true); }

private:
    void PaintToolbarStyle(HDC dc, const TRect& r, bool isSelected, bool isPushed, bool useDisabledShadow);
    void PaintMenuStyle(HDC dc, const TRect& r, bool isSelected, bool isPushed, bool useDisabledShadow);

    TTBView* view_;
    TTBCustomItem* item_;
    int groupLevel_;
    TRect bounds_;
    bool show_ = false;
    bool offEdge_ = false;
    bool clipped_ = false;
    bool lineSep_ = false;
    TTBCustomAccObject* accObject_ = nullptr;
};

class TTBSeparatorItemViewer : public TTBItemViewer {
    CLASSLIB_CLASS(TTBSeparatorItemViewer, TTBItemViewer)

    using TTBItemViewer::TTBItemViewer;
    void CalcSize(HDC dc, int& width, int& height) override;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;
    bool UsesSameWidth() const override { return false; }
};

// The chevron button at the end of a toolbar that shows the items that did not fit.
class TTBChevronItemViewer : public TTBItemViewer {
    CLASSLIB_CLASS(TTBChevronItemViewer, TTBItemViewer)

    using TTBItemViewer::TTBItemViewer;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;
};

namespace tb {

// The viewer class an item asks for: the chevron viewer for a view's chevron item, a separator viewer for
// separators, the base viewer otherwise.
TTBItemViewer* CreateItemViewer(TTBView* view, TTBCustomItem* item, int groupLevel, bool chevron);

}  // namespace tb
