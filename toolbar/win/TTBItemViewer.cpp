#include "toolbar/win/TTBItemViewer.h"

#include <algorithm>

#include "classlib/core/CodePages.h"
#include "classlib/core/TCustomAction.h"
#include "classlib/win/GdiHandle.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TCustomImageList.h"
#include "classlib/win/TWinControl.h"
#include "toolbar/core/Captions.h"
#include "toolbar/core/ShortCutText.h"
#include "toolbar/core/TTBCustomItem.h"
#include "toolbar/core/TTBCustomItemActionLink.h"
#include "toolbar/core/TTBSeparatorItem.h"
#include "toolbar/core/ViewerMetrics.h"
#include "toolbar/win/SystemSettings.h"
#include "toolbar/win/TTBCustomAccObject.h"
#include "toolbar/win/TTBView.h"
#include "toolbar/win/TextDrawing.h"
#include "toolbar/win/ViewerPainting.h"

using namespace tb;

TTBItemViewer::TTBItemViewer(TTBView* view, TTBCustomItem* item, int groupLevel)
    : view_(view), item_(item), groupLevel_(groupLevel) {
    AddDeferredClickUser();
}

TTBItemViewer::~TTBItemViewer() {
    tb::DetachAccObject(accObject_);
    CancelDeferredClicks(this);
    RemoveDeferredClickUser();
}

void TTBItemViewer::SetLayout(const TRect& bounds, bool show, bool offEdge, bool clipped, bool lineSep) {
    bounds_ = bounds;
    show_ = show;
    offEdge_ = offEdge;
    clipped_ = clipped;
    lineSep_ = lineSep;
}

bool TTBItemViewer::IsToolbarSize() const {
    return view_->IsToolbar() || item_->EffectiveOptions().Contains(tboToolbarSize);
}

bool TTBItemViewer::IsToolbarStyle() const {
    return view_->IsToolbar() || item_->EffectiveOptions().Contains(tboToolbarStyle);
}

bool TTBItemViewer::IsRotated() const {
    const TTBItemOptions o = item_->EffectiveOptions();
    return view_->Orientation() == TTBViewOrientation::Vertical && !o.Contains(tboNoRotation) &&
           !o.Contains(tboImageAboveCaption);
}

bool TTBItemViewer::CaptionShown() const {
    if (item_->EffectiveOptions().Contains(tboImageAboveCaption)) return true;
    const TTBItemDisplayMode mode = item_->DisplayMode();
    return !GetCaptionText().empty() &&
           (!IsToolbarSize() || item_->ImageIndex() < 0 || mode == nbdmTextOnly || mode == nbdmImageAndText);
}

bool TTBItemViewer::ImageShown() const {
    const TTBItemDisplayMode mode = item_->DisplayMode();
    return item_->ImageIndex() >= 0 &&
           (mode == nbdmDefault || mode == nbdmImageAndText || (mode == nbdmTextOnlyInMenus && IsToolbarStyle()));
}

bool TTBItemViewer::UsesSameWidth() const {
    const TTBItemOptions o = item_->EffectiveOptions();
    return o.Contains(tboImageAboveCaption) && o.Contains(tboSameWidth) && IsToolbarSize();
}

bool TTBItemViewer::IsPtInButtonPart(int x, int) const {
    const TTBItemStyle style = item_->ItemStyle();
    if (!style.Contains(tbisSubmenu)) return true;
    if (!style.Contains(tbisCombo)) return false;
    const int arrow = IsToolbarStyle() ? kComboArrowWidth : ::GetSystemMetrics(SM_CXMENUCHECK);
    return x < bounds_.Width() - arrow;
}

TCustomImageList* TTBItemViewer::GetImageList() const {
    if (item_->Images()) return item_->Images();
    for (TTBView* v = view_; v; v = v->ParentView()) {
        if (v->SourceItem() && v->SourceItem()->SubMenuImages()) return v->SourceItem()->SubMenuImages();
        if (v->ParentItem() && v->ParentItem()->SubMenuImages()) return v->ParentItem()->SubMenuImages();
    }
    return nullptr;
}

WideString TTBItemViewer::GetCaptionText() const { return ViewerCaptionText(item_->Caption()); }

WideString TTBItemViewer::GetHintText() const {
    const TTBItemStyle style = item_->ItemStyle();
    const bool submenuCaption = style.Contains(tbisSubmenu) && !style.Contains(tbisCombo) && CaptionShown();
    WideString text = ViewerHintText(item_->Hint(), item_->Caption(), item_->EffectiveOptions().Contains(tboNoAutoHint),
                                     submenuCaption);
    if (TTBCustomItemActionLink* link = item_->ActionLink()) {
        if (auto* action = dynamic_cast<TCustomAction*>(link->Action())) {
            const AnsiString before = WideToAnsi(text);
            AnsiString hint = before;
            if (!action->DoHint(hint)) {
                text.clear();
            } else if (hint != before) {
                text = AnsiToWide(hint);
            }
        }
    }
    const bool shortCuts = Application && Application->HintShortCuts();
    return AppendShortCutToHint(text, shortCuts && item_->ShortCut() != 0, ShortCutText(item_->ShortCut()));
}

void TTBItemViewer::Execute(bool givePriority) {
    if (DoExecute() && givePriority) view_->PromoteViewer(this);
}

TPoint TTBItemViewer::ScreenToViewer(TPoint screen) const {
    const TPoint client = view_->Window()->ScreenToClient(screen);
    return TPoint{client.X - bounds_.Left, client.Y - bounds_.Top};
}

bool TTBItemViewer::DoExecute() {
    view_->GetRootView()->EndModalWithItem(this);
    return true;
}

void TTBItemViewer::Entering(TTBItemViewer*) {
    if (item_->OnSelect) item_->OnSelect(item_, this, true);
}

void TTBItemViewer::Leaving() {
    if (item_->OnSelect) item_->OnSelect(item_, this, false);
}

void TTBItemViewer::LosingCapture() { view_->Invalidate(this); }

void TTBItemViewer::MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu) {
    const bool topToolbar = !view_->ParentView() && view_->IsToolbar();
    if (!item_->Enabled()) {
        if (topToolbar) view_->EndModal();
        return;
    }
    if (!IsPtInButtonPart(x, y)) {
        if (topToolbar && view_->OpenViewer() == this && !shift.Contains(ssDouble)) {
            mouseDownOnMenu = true;
        } else {
            view_->OpenChildPopup(false);
        }
        // A double-click on a submenu runs its default item.
        const TTBItemStyle style = item_->ItemStyle();
        TTBView* sub = view_->OpenViewer() == this ? view_->OpenView() : nullptr;
        if (shift.Contains(ssDouble) && sub && style.Contains(tbisSubmenu) && !style.Contains(tbisCombo)) {
            for (int i = 0; i < sub->ViewerCount(); ++i) {
                TTBItemViewer* v = sub->Viewers(i);
                TTBCustomItem* it = v->Item();
                if ((v->Show() || v->Clipped()) && it->EffectiveOptions().Contains(tboDefault) &&
                    it->ItemStyle().Contains(tbisSelectable) && it->Enabled() && it->Visible()) {
                    v->Execute(true);
                    break;
                }
            }
        }
    } else if (IsToolbarStyle()) {
        view_->CloseChildPopups();
        view_->SetCapture(true);
        view_->Invalidate(this);
    }
}

void TTBItemViewer::MouseUp(int x, int y, bool mouseWasDownOnMenu) {
    const bool captured = view_->Capture();
    view_->SetCapture(false);
    if (captured) view_->Invalidate(this);
    const bool topToolbar = !view_->ParentView() && view_->IsToolbar();
    const bool over = view_->Selected() == this && view_->MouseOverSelected();
    if (over && item_->Enabled() && !item_->ItemStyle().Contains(tbisClicksTransparent)) {
        if (item_->ItemStyle().Contains(tbisSubmenu) && !IsPtInButtonPart(x, y)) {
            if (mouseWasDownOnMenu && topToolbar) view_->EndModal();
        } else if (captured || !IsToolbarStyle()) {
            Execute(true);
        }
    } else if (topToolbar) {
        view_->EndModal();
    }
}

void TTBItemViewer::CalcSize(HDC dc, int& width, int& height) {
    TViewerSizeInput in;
    in.toolbarStyle = IsToolbarStyle();
    in.rotated = IsRotated();
    in.captionShown = CaptionShown();
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    in.textHeight = tm.tmHeight;
    in.externalLeading = tm.tmExternalLeading;
    if (in.captionShown) in.captionWidth = GetTextWidthW(dc, GetCaptionText(), true);
    TCustomImageList* images = GetImageList();
    in.imageShown = ImageShown();
    in.hasImageList = images != nullptr;
    if (images) in.imageSize = TPoint{images->Width(), images->Height()};
    const TTBItemOptions o = item_->EffectiveOptions();
    in.imageAboveCaption = o.Contains(tboImageAboveCaption);
    in.submenu = item_->ItemStyle().Contains(tbisSubmenu);
    in.combo = item_->ItemStyle().Contains(tbisCombo);
    in.dropdownArrow = o.Contains(tboDropdownArrow);
    in.verticalView = view_->Orientation() == TTBViewOrientation::Vertical;
    if (!in.toolbarStyle) {
        const WideString shortCut = item_->GetShortCutText();
        if (!shortCut.empty()) in.shortCutWidth = GetTextWidthW(dc, shortCut, false);
    }
    const TPoint size = ViewerSize(in);
    width = size.X;
    height = size.Y;
}

void TTBItemViewer::DrawItemCaption(HDC dc, RECT rect, UINT format, bool useDisabledShadow, const WideString& caption) {
    const auto draw = [&](RECT r) {
        if (IsRotated()) {
            DrawRotatedText(dc, caption, r, format);
        } else {
            DrawTextWide(dc, caption, r, format);
        }
    };
    if (!useDisabledShadow) {
        draw(rect);
        return;
    }
    const COLORREF saved = ::GetTextColor(dc);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = rect;
    ::OffsetRect(&shifted, 1, 1);
    draw(shifted);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    draw(rect);
    ::SetTextColor(dc, saved);
}

void TTBItemViewer::Paint(HDC dc, const TRect& clientArea, bool isSelected, bool isPushed, bool useDisabledShadow) {
    if (IsToolbarStyle()) {
        PaintToolbarStyle(dc, clientArea, isSelected, isPushed, useDisabledShadow);
    } else {
        PaintMenuStyle(dc, clientArea, isSelected, isPushed, useDisabledShadow);
    }
}

namespace {

UINT PrefixFlags(TTBView* view) {
    if ((view->Style() & kVssHideAccels) && !(view->State() & kVsShowAccels) && !AreKeyboardCuesEnabled()) {
        return DT_HIDEPREFIX;
    }
    return 0;
}

void DrawImage(HDC dc, TCustomImageList* images, const RECT& area, int index, bool enabled) {
    const int x = area.left + (area.right - area.left - images->Width()) / 2;
    const int y = area.top + (area.bottom - area.top - images->Height()) / 2;
    TObjectPtr<TCanvas> canvas = MakeObject<TCanvas>();
    canvas->SetHandle(dc);
    images->Draw(canvas.get(), x, y, index, enabled);
    canvas->SetHandle(nullptr);
}

}  // namespace

void TTBItemViewer::PaintToolbarStyle(HDC dc, const TRect& client, bool isSelected, bool isPushed, bool shadow) {
    const TTBItemStyle style = item_->ItemStyle();
    const TTBItemOptions o = item_->EffectiveOptions();
    const bool enabled = item_->Enabled() || view_->Customizing();
    const bool vertical = view_->Orientation() == TTBViewOrientation::Vertical;
    const bool combo = style.Contains(tbisSubmenu) && style.Contains(tbisCombo);
    const bool hasArrow = style.Contains(tbisSubmenu) && (combo || o.Contains(tboDropdownArrow));
    const bool checked = item_->Checked();
    const bool capture = view_->Capture();
    const TToolbarButtonParts parts = ToolbarButtonParts(client, combo, hasArrow, vertical);

    if ((isSelected && enabled) || checked) {
        if (combo) {
            DrawEdgeRect(dc, parts.button, (isPushed && capture) || checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                         BF_RECT);
            if (isSelected && enabled) {
                DrawEdgeRect(dc, parts.arrow, isPushed && !capture ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            }
        } else {
            DrawEdgeRect(dc, client, isPushed || checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
    }
    if (hasArrow) {
        TRect arrow = parts.arrow;
        if (!combo && isPushed) arrow = TRect{arrow.Left + 1, arrow.Top + 1, arrow.Right + 1, arrow.Bottom + 1};
        DrawDropArrow(dc, arrow, !combo && vertical, shadow);
    }

    TRect content = parts.button;
    InflateRectBy(content, -1);
    if (checked && !(isSelected && enabled)) FillCheckedPattern(dc, content);
    const bool pushedLook = checked || (isSelected && isPushed && (!combo || capture));
    InflateRectBy(content, -1);
    if (pushedLook) OffsetRectBy(content, 1, 1);
    if (hasArrow && !combo) {
        if (vertical) {
            content.Bottom -= kDropdownArrowSize;
        } else {
            content.Right -= kDropdownArrowSize;
        }
    }

    TCustomImageList* images = GetImageList();
    const bool image = ImageShown() && images;
    const bool above = IsRotated() || o.Contains(tboImageAboveCaption);
    if (CaptionShown()) {
        RECT text = ToRECT(content);
        if (image) {
            if (above) {
                text.top += images->Height() + 1;
            } else {
                text.left += images->Width() + 1;
            }
        }
        DrawItemCaption(dc, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | PrefixFlags(view_), shadow,
                        GetCaptionText());
    }
    if (image) {
        RECT area = ToRECT(content);
        if (above) {
            area.bottom = area.top + images->Height() + 2;
        } else {
            area.right = area.left + images->Width() + 2;
        }
        DrawImage(dc, images, area, item_->ImageIndex(), enabled);
    }
}

void TTBItemViewer::PaintMenuStyle(HDC dc, const TRect& client, bool isSelected, bool isPushed, bool shadow) {
    const TTBItemStyle style = item_->ItemStyle();
    const bool enabled = item_->Enabled() || view_->Customizing();
    const bool checked = item_->Checked();
    const bool combo = style.Contains(tbisSubmenu) && style.Contains(tbisCombo);
    TCustomImageList* images = GetImageList();
    const bool image = ImageShown() && images;
    const int h = client.Height();
    const int column =
        MenuImageColumnWidth(h, images != nullptr, images ? TPoint{images->Width(), images->Height()} : TPoint{});
    const int check = ::GetSystemMetrics(SM_CXMENUCHECK);

    if (isSelected) {
        RECT bar = ToRECT(client);
        if (image || checked) bar.left = column + 1;
        if (combo && enabled) bar.right -= check;
        ::FillRect(dc, &bar, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
    }

    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    RECT text = ToRECT(client);
    text.left = column + 3;
    if (h - (tm.tmHeight + tm.tmExternalLeading) == 4) text.bottom -= 1;
    text.top += tm.tmExternalLeading;
    if (CaptionShown()) {
        DrawItemCaption(dc, text, DT_VCENTER | DT_SINGLELINE | PrefixFlags(view_), shadow, GetCaptionText());
    }
    const WideString shortCut = item_->GetShortCutText();
    if (!shortCut.empty()) {
        RECT sc = text;
        sc.right = client.Right - h;
        DrawItemCaption(dc, sc, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, shadow, shortCut);
    }

    if (style.Contains(tbisSubmenu)) {
        TRect arrowPart{client.Right - check, client.Top, client.Right, client.Bottom};
        if (combo) {
            if (isSelected && enabled) {
                DrawEdgeRect(dc, arrowPart, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
            } else {
                TRect line = arrowPart;
                line.Left -= 1;
                DrawEdgeRect(dc, line, isSelected ? BDR_SUNKENOUTER : EDGE_ETCHED, BF_LEFT);
            }
        }
        const TRect glyph{
            client.Right - check, client.Top + (h - ::GetSystemMetrics(SM_CYMENUCHECK)) / 2, client.Right,
            client.Top + (h - ::GetSystemMetrics(SM_CYMENUCHECK)) / 2 + ::GetSystemMetrics(SM_CYMENUCHECK)};
        if (shadow) {
            DrawMenuArrow(dc, TRect{glyph.Left + 1, glyph.Top + 1, glyph.Right + 1, glyph.Bottom + 1},
                          ::GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawMenuArrow(dc, glyph, ::GetSysColor(COLOR_BTNSHADOW));
        } else if (combo && isPushed && isSelected) {
            DrawMenuArrow(dc, TRect{glyph.Left + 1, glyph.Top + 1, glyph.Right + 1, glyph.Bottom + 1},
                          ::GetSysColor(COLOR_BTNTEXT));
        } else {
            DrawMenuArrow(dc, glyph, ::GetTextColor(dc));
        }
    }

    TRect col{client.Left, client.Top, client.Left + column, client.Bottom};
    if ((isSelected && enabled) || checked) {
        DrawEdgeRect(dc, col, checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        if (checked && !isSelected) {
            TRect inner = col;
            InflateRectBy(inner, -1);
            FillCheckedPattern(dc, inner);
        }
    }
    if (checked) OffsetRectBy(col, 1, 1);
    if (image) {
        DrawImage(dc, images, ToRECT(col), item_->ImageIndex(), enabled);
    } else if (checked) {
        const TPoint centre{(col.Left + col.Right) / 2, (col.Top + col.Bottom) / 2};
        if (item_->RadioItem()) {
            DrawRadioMark(dc, centre);
        } else {
            DrawCheckMark(dc, centre);
        }
    }
}

void TTBSeparatorItemViewer::CalcSize(HDC dc, int& width, int& height) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    const TPoint size = SeparatorSize(IsToolbarStyle(), tm.tmHeight);
    width = size.X;
    height = size.Y;
}

void TTBSeparatorItemViewer::Paint(HDC dc, const TRect& r, bool, bool, bool) {
    auto* separator = dynamic_cast<TTBSeparatorItem*>(Item());
    if (separator && separator->Blank()) return;
    const bool horizontalView = View()->Orientation() != TTBViewOrientation::Vertical;
    DrawSeparatorLine(dc, r,
                      SeparatorLineFor(IsToolbarStyle(), horizontalView, IsLineSeparator(),
                                       View()->Orientation() == TTBViewOrientation::Floating));
}

void TTBChevronItemViewer::Paint(HDC dc, const TRect& r, bool isSelected, bool isPushed, bool) {
    const bool enabled = Item()->Enabled();
    if (enabled) {
        if (isPushed) {
            DrawEdgeRect(dc, r, BDR_SUNKENOUTER, BF_RECT);
        } else if (isSelected) {
            DrawEdgeRect(dc, r, BDR_RAISEDINNER, BF_RECT);
        }
    }
    const bool vertical = View()->Orientation() == TTBViewOrientation::Vertical;
    TRect glyph = vertical ? TRect{r.Right - 4 - 5, r.Top + 2, r.Right - 4, r.Top + 10}
                           : TRect{r.Left + 2, r.Top + 4, r.Left + 10, r.Top + 9};
    if (isPushed) OffsetRectBy(glyph, 1, 1);
    DrawChevronGlyph(dc, glyph, vertical, enabled);
}

TTBItemViewer* tb::CreateItemViewer(TTBView* view, TTBCustomItem* item, int groupLevel, bool chevron) {
    if (TTBItemViewer* own = item->CreateViewer(view, groupLevel, chevron)) return own;
    if (chevron) return Create<TTBChevronItemViewer>(view, item, groupLevel);
    if (item->ItemStyle().Contains(tbisSeparator)) return Create<TTBSeparatorItemViewer>(view, item, groupLevel);
    return Create<TTBItemViewer>(view, item, groupLevel);
}
