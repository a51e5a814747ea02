#include "themed/win/TSkinItemViewer.h"

#include "classlib/core/CodePages.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCustomImageList.h"
#include "themed/core/ImageEffects.h"
#include "themed/win/SkinLogFont.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinNexus.h"
#include "themed/win/TSkinPopupWindow.h"
#include "themed/win/TSkinSeparatorItem.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/TextDrawing.h"

namespace {

TSkinCustomItem* SkinItem(TTBCustomItem* item) { return dynamic_cast<TSkinCustomItem*>(item); }

bool VerticalView(const TTBView* view) { return view->Orientation() == TTBViewOrientation::Vertical; }

// Accelerator marks hidden while the view hides them and the system's keyboard cues are off.
UINT HidePrefix(const TTBView* view) {
    const bool hide =
        (view->Style() & kVssHideAccels) && !(view->State() & kVsShowAccels) && !tb::AreKeyboardCuesEnabled();
    return hide ? DT_HIDEPREFIX : 0;
}

}  // namespace

bool TSkinItemViewer::IsImageShown() const {
    return skin::SkinImageShown(Item()->ImageIndex(), static_cast<int>(Item()->DisplayMode()), IsToolbarStyle());
}

skin::TSkinItemSizeInput TSkinItemViewer::SizeInput(HDC dc, bool measureText) const {
    const skin::TSkinItemMetrics& metrics = CurrentItemMetrics();
    TTBCustomItem* item = Item();
    TSkinCustomItem* skinItem = SkinItem(item);
    const TTBItemOptions options = item->EffectiveOptions();
    const TTBItemStyle style = item->ItemStyle();
    skin::TSkinItemSizeInput in;
    in.toolbarStyle = IsToolbarStyle();
    in.verticalView = VerticalView(View());
    in.glyphOnTop = skin::GlyphOnTop(skinItem ? skinItem->Layout() : skin::sklAuto,
                                     options.Contains(tboImageAboveCaption), in.verticalView);
    TCustomImageList* images = GetImageList();
    in.imageShown = IsImageShown();
    in.imageSize = images ? TSize{images->Width(), images->Height()} : TSize{16, 16};
    in.captionShown = CaptionShown();
    // A menu row places its texts without their extents; a toolbar button centres them.
    measureText = measureText || in.toolbarStyle;
    if (in.captionShown && measureText) {
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        const int width = tb::GetTextWidthW(dc, GetCaptionText(), true);
        // A caption running down a vertical toolbar is as wide as the text is high.
        in.captionSize = IsRotated() ? TSize{tm.tmHeight, width} : TSize{width, tm.tmHeight};
    }
    in.margins = in.toolbarStyle ? metrics.itemMargins : metrics.menuMargins;
    in.splitButton = style.Contains(tbisSubmenu) && style.Contains(tbisCombo);
    in.dropdownArrow = in.toolbarStyle && !in.splitButton && options.Contains(tboDropdownArrow);
    in.splitArrowWidth = metrics.splitArrowWidth;
    in.dropdownArrowWidth = metrics.dropdownArrowWidth;
    in.dropdownArrowSpace = metrics.dropdownArrowSpace;
    in.menuFrame = metrics.menuFrame;
    in.leftCaptionMargin = metrics.leftCaptionMargin;
    in.rightCaptionMargin = metrics.rightCaptionMargin;
    in.imageTextSpace = metrics.imageTextSpace;
    if (auto* popup = dynamic_cast<TSkinPopupView*>(View()))
        in.popupMargin = popup->PopupMargin();
    else
        in.popupMargin = skin::SkinPopupMargin(in.imageSize.cx);
    if (!in.toolbarStyle && measureText) {
        const WideString shortCut = item->GetShortCutText();
        if (!shortCut.empty()) in.shortCutWidth = tb::GetTextWidthW(dc, shortCut, false);
    }
    in.menuArrowWidth = ::GetSystemMetrics(SM_CXMENUCHECK);
    if (skinItem) {
        in.minWidth = skinItem->MinWidth();
        in.minHeight = skinItem->MinHeight();
    }
    return in;
}

void TSkinItemViewer::DoAdjustFont(skin::TFontDescription& font) {
    if (Item()->EffectiveOptions().Contains(tboDefault)) font.Bold = true;
    TSkinCustomItem* item = SkinItem(Item());
    if (!item) return;
    item->FontSettings()->Apply(font);
    if (item->OnAdjustFont) item->OnAdjustFont(item, this, font);
}

TGdiHandle<HFONT> TSkinItemViewer::AdjustedFont(HDC dc) {
    LOGFONTW log{};
    if (!::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof log, &log)) return {};
    skin::TFontDescription font = skin::FontDescriptionOf(log);
    const skin::TFontDescription before = font;
    DoAdjustFont(font);
    if (font.Size == before.Size && font.Bold == before.Bold && font.Italic == before.Italic &&
        font.Underline == before.Underline && font.StrikeOut == before.StrikeOut && font.Name.empty())
        return {};
    skin::ApplyFontDescription(font, log);
    return TGdiHandle<HFONT>(::CreateFontIndirectW(&log));
}

void TSkinItemViewer::CalcSize(HDC dc, int& width, int& height) {
    const TGdiHandle<HFONT> font = AdjustedFont(dc);
    const HGDIOBJ old = font ? ::SelectObject(dc, font.Get()) : nullptr;
    const TSize size = skin::SkinItemSize(SizeInput(dc, true));
    if (old) ::SelectObject(dc, old);
    width = size.cx;
    height = size.cy;
}

bool TSkinItemViewer::IsPtInButtonPart(int x, int y) const {
    const TTBItemStyle style = Item()->ItemStyle();
    if (!style.Contains(tbisSubmenu)) return true;
    if (!style.Contains(tbisCombo)) return false;
    const int arrow =
        IsToolbarStyle() && SkinNexus() ? CurrentItemMetrics().splitArrowWidth : ::GetSystemMetrics(SM_CXMENUCHECK);
    return x < BoundsRect().Width() - arrow;
}

skin::TSkinItemInfo TSkinItemViewer::ItemInfo(bool isSelected, bool isPushed) const {
    TTBCustomItem* item = Item();
    TTBView* view = View();
    const TTBItemStyle style = item->ItemStyle();
    TCustomImageList* images = GetImageList();
    skin::TSkinItemState s;
    s.viewType = GetViewType(view);
    s.toolbarStyle = IsToolbarStyle();
    s.submenu = style.Contains(tbisSubmenu);
    s.combo = style.Contains(tbisSubmenu) && style.Contains(tbisCombo);
    s.designing = item->ComponentState().Contains(csDesigning);
    s.appActive = Application && Application->Active();
    s.radio = item->RadioItem();
    s.itemEnabled = item->Enabled();
    s.customizing = view->Customizing();
    s.pushed = isPushed;
    s.viewHasCapture = view->Capture();
    s.selected = isSelected;
    s.mouseOverSelected = view->MouseOverSelected();
    s.checked = item->Checked();
    s.imageShown = IsImageShown() && images;
    s.imageSize = images ? TSize{images->Width(), images->Height()} : TSize{0, 0};
    s.verticalView = VerticalView(view);
    if (auto* popup = dynamic_cast<TSkinPopupView*>(view)) s.popupMargin = popup->PopupMargin();
    return skin::SkinItemInfoFor(s);
}

void TSkinItemViewer::DrawItemImage(HDC dc, const TRect& rect, const skin::TSkinItemInfo& info) {
    TCustomImageList* images = GetImageList();
    if (info.ImageShown && images) {
        CurrentTheme().PaintImage(dc, rect, info, images, Item()->ImageIndex());
        TSkinCustomItem* item = SkinItem(Item());
        if (item && item->OnDrawImage) item->OnDrawImage(item, this, dc, rect, info);
    } else if (Item()->Checked()) {
        CurrentTheme().PaintCheckMark(dc, rect, info);
    }
}

void TSkinItemViewer::Paint(HDC dc, const TRect& client, bool isSelected, bool isPushed, bool) {
    if (!SkinNexus()) return;
    TSkinTheme& theme = CurrentTheme();
    const TGdiHandle<HFONT> font = AdjustedFont(dc);
    if (font) ::SelectObject(dc, font.Get());
    const skin::TSkinItemSizeInput in = SizeInput(dc, false);
    skin::TSkinItemInfo info = ItemInfo(isSelected, isPushed);

    if (in.toolbarStyle) {
        if (in.splitButton) {
            const TRect button = skin::SkinButtonPart(client, in);
            const TRect arrow{button.Right, client.Top, client.Right, client.Bottom};
            info.ComboPart = 2;
            theme.PaintButton(dc, button, info);
            skin::TSkinItemInfo arrowInfo = info;
            arrowInfo.ComboPart = 3;
            theme.PaintButton(dc, arrow, arrowInfo);
            theme.PaintDropDownArrow(dc, arrow, arrowInfo);
        } else if (in.dropdownArrow) {
            info.ComboPart = 1;
            theme.PaintButton(dc, client, info);
            const int gap = in.dropdownArrowSpace, size = in.dropdownArrowWidth;
            const TRect arrow = in.verticalView
                                    ? TRect{client.Left, client.Bottom - gap - size, client.Right, client.Bottom - gap}
                                    : TRect{client.Right - gap - size, client.Top, client.Right - gap, client.Bottom};
            theme.PaintDropDownArrow(dc, arrow, info);
        } else {
            theme.PaintButton(dc, client, info);
        }
    } else {
        theme.PaintMenuItem(dc, client, info);
    }

    if (CaptionShown()) {
        TSkinCustomItem* item = SkinItem(Item());
        const TColor own = item ? item->FontSettings()->Color() : TFontSettings::KeepColor;
        const TColor color = own == TFontSettings::KeepColor ? clDefault : own;
        const TRect text = skin::SkinCaptionRect(client, in);
        const UINT rotation = IsRotated() ? (2u << skin::kRotationShift) : 0;
        const UINT format =
            DT_SINGLELINE | DT_VCENTER | (in.toolbarStyle ? DT_CENTER : DT_LEFT) | HidePrefix(View()) | rotation;
        theme.PaintCaption(dc, text, info, GetCaptionText(), format, color);
        if (!in.toolbarStyle) {
            const WideString shortCut = Item()->GetShortCutText();
            if (!shortCut.empty())
                theme.PaintCaption(dc, text, info, shortCut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX,
                                   color);
        }
    }

    if (info.ImageShown || Item()->Checked()) {
        TRect area;
        if (info.ImageShown) {
            const TPoint at = skin::SkinImagePosition(client, in);
            area = TRect{at.X, at.Y, at.X + in.imageSize.cx, at.Y + in.imageSize.cy};
        } else {
            area = in.toolbarStyle ? skin::SkinButtonPart(client, in)
                                   : TRect{client.Left, client.Top, client.Left + in.popupMargin, client.Bottom};
        }
        DrawItemImage(dc, area, info);
    }
}

void TSkinSeparatorItemViewer::CalcSize(HDC dc, int& width, int& height) {
    TTBSeparatorItemViewer::CalcSize(dc, width, height);
    if (!SkinNexus()) return;
    const bool toolbarStyle = IsToolbarStyle();
    auto* item = dynamic_cast<TSkinSeparatorItem*>(Item());
    const int own = item ? item->Size() : -1;
    const skin::TSkinItemMetrics& metrics = CurrentItemMetrics();
    const int metric = toolbarStyle ? metrics.toolbarSeparator : metrics.menuSeparator;
    const int thickness = skin::SkinSeparatorSize(own, metric, toolbarStyle ? width : height);
    const TSize size = skin::SkinSeparatorExtent(own, toolbarStyle, thickness, width);
    width = size.cx;
    height = size.cy;
}

void TSkinSeparatorItemViewer::Paint(HDC dc, const TRect& client, bool, bool, bool) {
    if (!SkinNexus()) return;
    auto* separator = dynamic_cast<TTBSeparatorItem*>(Item());
    if (separator && separator->Blank()) return;
    skin::TSkinItemInfo info;
    info.ViewType = GetViewType(View());
    info.ItemOptions = IsToolbarStyle() ? skin::ioToolbarStyle : 0;
    info.Enabled = Item()->Enabled();
    // A line across a popup, or across a toolbar row; a mark between the items of a row.
    const bool horizontal = !IsToolbarStyle() || (VerticalView(View()) != IsLineSeparator());
    CurrentTheme().PaintSeparator(dc, client, info, horizontal, IsLineSeparator());
}

void TSkinChevronItemViewer::Paint(HDC dc, const TRect& client, bool isSelected, bool isPushed, bool) {
    if (!SkinNexus()) return;
    skin::TSkinItemInfo info;
    info.ViewType = GetViewType(View());
    info.ItemOptions = skin::ioToolbarStyle;
    info.Enabled = Item()->Enabled() || View()->Customizing();
    info.HoverKind = skin::ChevronHoverKind(isSelected, info.Enabled, View()->MouseOverSelected());
    info.Pushed = isPushed;
    info.IsVertical = VerticalView(View());
    CurrentTheme().PaintChevron(dc, client, info);
}
