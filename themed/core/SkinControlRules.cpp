#include "themed/core/SkinControlRules.h"

#include <algorithm>

namespace skin {

TRect ShrinkRect(const TRect& r, const TEdges& e) {
    return Rect(r.Left + e.Left, r.Top + e.Top, r.Right - e.Right, r.Bottom - e.Bottom);
}

int ChildHeight(const TChildExtent& child) { return child.Align == alClient ? child.MinHeight : child.Height; }
int ChildWidth(const TChildExtent& child) { return child.Align == alClient ? child.MinWidth : child.Width; }

TRect PanelChildArea(const TRect& client, const TEdges& margins, const TEdges& paddings, bool border) {
    TRect r = ShrinkRect(ShrinkRect(client, margins), paddings);
    if (border) r = ShrinkRect(r, Rect(1, 1, 1, 1));
    return r;
}

int PanelMinHeight(const std::vector<TChildExtent>& children, const TEdges& margins, const TEdges& paddings,
                   bool border) {
    int sum = margins.Top + margins.Bottom + paddings.Top + paddings.Bottom + (border ? 2 : 0);
    for (const TChildExtent& c : children)
        if (c.Visible && (c.Align == alTop || c.Align == alBottom || c.Align == alClient)) sum += ChildHeight(c);
    return sum;
}

int PanelMinWidth(const std::vector<TChildExtent>& children, const TEdges& margins, const TEdges& paddings,
                  bool border) {
    int sum = margins.Left + margins.Right + paddings.Left + paddings.Right + (border ? 2 : 0);
    for (const TChildExtent& c : children)
        if (c.Visible && (c.Align == alLeft || c.Align == alRight || c.Align == alClient)) sum += ChildWidth(c);
    return sum;
}

std::uint32_t TextDrawFlags(TAlignment alignment, bool rightToLeft, TTextWrapping wrapping, bool showAccelChar,
                            bool cuesVisible) {
    if (rightToLeft && alignment != taCenter) alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    std::uint32_t flags = alignment == taRightJustify ? std::uint32_t(kDtRight)
                          : alignment == taCenter     ? std::uint32_t(kDtCenter)
                                                      : 0u;
    switch (wrapping) {
        case twNone: flags |= kDtSingleLine; break;
        case twEndEllipsis: flags |= kDtSingleLine | kDtEndEllipsis; break;
        case twPathEllipsis: flags |= kDtSingleLine | kDtPathEllipsis; break;
        case twWrap: flags |= kDtWordBreak; break;
    }
    flags |= kDtExpandTabs;
    if (!showAccelChar)
        flags |= kDtNoPrefix;
    else if (!cuesVisible)
        flags |= kDtHidePrefix;
    return flags;
}

std::u16string MeasuredCaption(const std::u16string& caption) {
    if (caption.empty() || caption == u"&") return caption + u" ";
    return caption;
}

// ---- Buttons ----------------------------------------------------------------------------------------------

namespace {
bool ImageBesideText(const TButtonShape& s) { return s.Layout == blGlyphLeft || s.Layout == blGlyphRight; }
int Spacing(const TButtonShape& s) { return s.HasText ? s.GlyphSpacing : 0; }
// x of a block of width w placed in [left, right) by alignment.
int AlignedX(TAlignment a, int left, int right, int w) {
    return a == taLeftJustify ? left : a == taRightJustify ? right - w : (left + right - w) / 2;
}
}  // namespace

TEdges ButtonTextMargins(const TButtonShape& s) {
    TEdges m = Rect(s.BorderSize, s.BorderSize, s.BorderSize, s.BorderSize);
    if (s.HasImages) {
        switch (s.Layout) {
            case blGlyphLeft: m.Left += s.ImageWidth + Spacing(s); break;
            case blGlyphTop: m.Top += s.ImageHeight + Spacing(s); break;
            case blGlyphRight: m.Right += s.ImageWidth + Spacing(s); break;
            case blGlyphBottom: m.Bottom += s.ImageHeight + Spacing(s); break;
        }
    }
    if (s.DropDown) {
        if (s.Combo)
            m.Right += s.SplitWidth;
        else if (!(s.HasImages && s.HasText && !ImageBesideText(s)))
            m.Right += s.ArrowWidth;
    }
    return m;
}

int ButtonTextHeight(const TButtonShape& s, int textHeight) {
    const int framed = s.ImageHeight + 2 * s.BorderSize;
    if (s.HasText) return s.HasImages && ImageBesideText(s) ? std::max(textHeight, framed) : textHeight;
    if (s.HasImages) return framed;
    return 2 * s.BorderSize < 15 ? 16 : 2 * s.BorderSize;
}

TButtonFrame ButtonFrame(const TRect& area, const TButtonShape& s) {
    TButtonFrame f;
    f.Main = area;
    if (s.DropDown && s.Combo) {
        const int split = area.Right - s.SplitWidth;
        f.Main.Right = split;
        f.Arrow = Rect(split, area.Top, area.Right, area.Bottom);
    }
    const int b = s.BorderSize;
    f.Content = ShrinkRect(f.Main, Rect(b, b, b, b));
    if (s.DropDown && !s.Combo) {
        f.Arrow = Rect(f.Content.Right - s.ArrowWidth, f.Content.Top, f.Content.Right, f.Content.Bottom);
        f.Content.Right = f.Arrow.Left - s.ArrowSpacing;
    }
    return f;
}

bool InComboArrow(const TRect& area, const TButtonShape& s, int x) {
    return s.DropDown && s.Combo && x >= area.Right - s.SplitWidth;
}

TButtonContent PlaceButtonContent(const TRect& c, const TButtonShape& s,
                                  const std::function<TSize(int width)>& measure) {
    TButtonContent out;
    const bool image = s.HasImages;
    const int iw = s.ImageWidth, ih = s.ImageHeight;
    if (s.HasText && image && ImageBesideText(s)) {
        const TSize t = measure(c.Width() - iw - s.GlyphSpacing);
        const int imageTop = (c.Top + c.Bottom - ih) / 2, textTop = (c.Top + c.Bottom - t.cy) / 2;
        const int x = AlignedX(s.Alignment, c.Left, c.Right, iw + s.GlyphSpacing + t.cx);
        if (s.Layout == blGlyphLeft) {
            const int ix = std::max(x, c.Left);
            out.Image = Bounds(ix, imageTop, iw, ih);
            const int tx = out.Image.Right + s.GlyphSpacing;
            out.Text = Rect(tx, textTop, std::min(tx + t.cx, c.Right), textTop + t.cy);
            out.TextAlign = 0;
        } else {
            out.Text = Bounds(x, textTop, t.cx, t.cy);
            out.Image = Bounds(out.Text.Right + s.GlyphSpacing, imageTop, iw, ih);
            out.TextAlign = kDtRight;
        }
        return out;
    }
    const std::uint32_t align = s.Alignment == taRightJustify ? std::uint32_t(kDtRight)
                                : s.Alignment == taCenter     ? std::uint32_t(kDtCenter)
                                                              : 0u;
    if (s.HasText && image) {
        const int h = measure(c.Width()).cy;
        const int start = (c.Top + c.Bottom - ih - s.GlyphSpacing - h) / 2;
        const int ix = AlignedX(s.Alignment, c.Left, c.Right, iw);
        if (s.Layout == blGlyphTop) {
            out.Image = Bounds(ix, start, iw, ih);
            out.Text = Rect(c.Left, start + ih + s.GlyphSpacing, c.Right, start + ih + s.GlyphSpacing + h);
        } else {
            out.Text = Rect(c.Left, start, c.Right, start + h);
            out.Image = Bounds(ix, start + h + s.GlyphSpacing, iw, ih);
        }
        out.TextAlign = align;
        return out;
    }
    if (s.HasText) {
        const int h = measure(c.Width()).cy;
        const int top = (c.Top + c.Bottom - h) / 2;
        out.Text = Rect(c.Left, top, c.Right, top + h);
        out.TextAlign = align;
    } else if (image) {
        out.Image = Bounds(AlignedX(s.Alignment, c.Left, c.Right, iw), (c.Top + c.Bottom - ih) / 2, iw, ih);
    }
    return out;
}

TSkinItemInfo ButtonItemInfo(const TButtonState& s) {
    TSkinItemInfo info;
    info.ViewType = s.Style == bsNormal ? (vtToolbarGroup | vtOpaqueItems) : vtToolbarGroup;
    info.ItemOptions = ioToolbarStyle | ioAppActive;
    info.Enabled = s.Enabled;
    info.Pushed = s.DropDownOpen ? !s.Combo : ((s.Pushed && s.Hot) || s.KeyPushed);
    info.Selected = s.Checked;
    info.HoverKind = s.Hot || s.DropDownOpen ? hkHot : hkNone;
    info.ComboPart = s.ShowsComboArrow ? 1 : 0;
    return info;
}

bool ApplyGroupCheck(std::vector<TGroupedButton*>& siblings, TGroupedButton* self, bool value) {
    if (self->GroupIndex == 0)
        value = false;
    else if (!value && self->Checked && !self->AllowAllUnchecked)
        value = true;
    bool changed = self->Checked != value;
    self->Checked = value;
    if (!value) return changed;
    for (TGroupedButton* other : siblings) {
        if (other == self || other->GroupIndex != self->GroupIndex) continue;
        changed |= other->Checked;
        other->Checked = false;
        other->AllowAllUnchecked = self->AllowAllUnchecked;
    }
    return changed;
}

// ---- Links, check boxes, radio buttons -----------------------------------------------------------------------

TEdges LinkTextMargins(bool rightAligned, bool image, int imageWidth) {
    TEdges m = Rect(2, 1, 2, 1);
    if (image) (rightAligned ? m.Right : m.Left) += imageWidth + 5;
    return m;
}

TRect LinkImageRect(const TRect& inner, bool rightAligned, int imageWidth, int imageHeight) {
    const int x = rightAligned ? inner.Right - 2 - imageWidth : inner.Left + 2;
    return Bounds(x, (inner.Top + inner.Bottom - imageHeight) / 2, imageWidth, imageHeight);
}

TCheckBoxState ToggledState(TCheckBoxState state, bool allowGrayed) {
    switch (state) {
        case cbUnchecked: return allowGrayed ? cbGrayed : cbChecked;
        case cbGrayed: return cbChecked;
        case cbChecked: break;
    }
    return cbUnchecked;
}

TRect CheckGlyphRect(const TRect& inner, bool rightAligned) {
    const int x = rightAligned ? inner.Right - 13 : inner.Left;
    return Bounds(x, (inner.Top + inner.Bottom - 13 + 1) / 2, 13, 13);
}

TEdges CheckTextMargins(bool rightAligned) {
    TEdges m = Rect(2, 2, 2, 2);
    (rightAligned ? m.Right : m.Left) += 13 + 6;
    return m;
}

int CheckStateWord(int check, bool enabled, bool hot, bool keyPushed, bool pushed, bool focused) {
    if (!enabled) return check | 4;
    const bool lit = hot || keyPushed;
    return check | (lit ? 8 : 0) | (pushed && lit ? 16 : 0) | (focused ? 32 : 0);
}

}  // namespace skin
