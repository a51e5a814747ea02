// Item viewers under the theme: they measure an item with the theme's margins and metrics and paint it
// through the theme's item operations from one item information record (button or menu row, arrows,
// caption, image or check mark). Separators and the chevron likewise.
#pragma once
#include "classlib/win/GdiHandle.h"
#include "themed/core/SkinItemLayout.h"
#include "themed/core/TFontSettings.h"
#include "toolbar/win/TTBItemViewer.h"

class TSkinTheme;

class TSkinItemViewer : public TTBItemViewer {
    CLASSLIB_CLASS(TSkinItemViewer, TTBItemViewer)
public:
    using TTBItemViewer::TTBItemViewer;

    void CalcSize(HDC dc, int& width, int& height) override;
    // With a separate arrow part only the area left of it (the theme's split-arrow width in toolbar style,
    // the system's menu-check width in menus).
    bool IsPtInButtonPart(int x, int y) const override;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;

    // The image (or, for a checked item without one, the check mark) at rect.
    virtual void DrawItemImage(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info);
    // Bold for the default item, the item's font settings, then its OnAdjustFont.
    virtual void DoAdjustFont(skin::TFontDescription& font);
    // The image rule of the themed items (see SkinImageShown).
    virtual bool IsImageShown() const;

    // The record the theme paints the item from.
    skin::TSkinItemInfo ItemInfo(bool isSelected, bool isPushed) const;
    // The measures the layout works from, with the font selected in dc; the text extents of menu rows only
    // with measureText.
    skin::TSkinItemSizeInput SizeInput(HDC dc, bool measureText) const;

private:
    // The DC's font adjusted by DoAdjustFont; null when nothing changes.
    TGdiHandle<HFONT> AdjustedFont(HDC dc);
};

class TSkinSeparatorItemViewer : public TTBSeparatorItemViewer {
    CLASSLIB_CLASS(TSkinSeparatorItemViewer, TTBSeparatorItemViewer)
public:
    using TTBSeparatorItemViewer::TTBSeparatorItemViewer;
    void CalcSize(HDC dc, int& width, int& height) override;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;
};

class TSkinChevronItemViewer : public TTBChevronItemViewer {
    CLASSLIB_CLASS(TSkinChevronItemViewer, TTBChevronItemViewer)
public:
    using TTBChevronItemViewer::TTBChevronItemViewer;
    void Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) override;
};
