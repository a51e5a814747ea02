// Panel minimum sizes, text flags, button layout and state, the group check rule, link and check-box geometry.
#include <gtest/gtest.h>

#include "themed/core/SkinControlRules.h"

using namespace skin;

namespace {
TChildExtent Child(TAlign align, int w, int h, int minW = 0, int minH = 0, bool visible = true) {
    TChildExtent c;
    c.Align = align;
    c.Width = w;
    c.Height = h;
    c.MinWidth = minW;
    c.MinHeight = minH;
    c.Visible = visible;
    return c;
}
// Text 7 pixels per character width-limited, 13 high per line.
TSize Measure(int width, int chars) {
    const int w = chars * 7;
    if (width >= w || width <= 0) return TSize{w, 13};
    return TSize{width, 13 * ((w + width - 1) / width)};
}
TButtonShape Shape(bool text, bool images, TButtonLayout layout, TAlignment alignment = taCenter) {
    TButtonShape s;
    s.HasText = text;
    s.HasImages = images;
    s.ImageWidth = 16;
    s.ImageHeight = 12;
    s.Layout = layout;
    s.Alignment = alignment;
    return s;
}
}  // namespace

TEST(SkinControlRules, PanelMinimumSizesSumAlignedChildren) {
    const std::vector<TChildExtent> children = {
        Child(alTop, 50, 20),   Child(alBottom, 50, 15), Child(alClient, 300, 400, 30, 40),
        Child(alLeft, 25, 99),  Child(alRight, 35, 99),  Child(alTop, 50, 70, 0, 0, false),
        Child(alNone, 500, 500)};
    const TEdges margins = Rect(1, 2, 3, 4), paddings = Rect(5, 6, 7, 8);
    // 20 + 15 + 40 + 2 + 4 + 6 + 8 (+ 2 with a border).
    EXPECT_EQ(PanelMinHeight(children, margins, paddings, false), 95);
    EXPECT_EQ(PanelMinHeight(children, margins, paddings, true), 97);
    // 25 + 35 + 30 + 1 + 3 + 5 + 7.
    EXPECT_EQ(PanelMinWidth(children, margins, paddings, false), 106);
    EXPECT_EQ(PanelChildArea(Rect(0, 0, 200, 100), margins, paddings, true), Rect(7, 9, 189, 87));
}

TEST(SkinControlRules, TextFlagsFollowAlignmentWrappingAndCues) {
    EXPECT_EQ(TextDrawFlags(taLeftJustify, false, twNone, true, false), kDtSingleLine | kDtExpandTabs | kDtHidePrefix);
    EXPECT_EQ(TextDrawFlags(taLeftJustify, false, twNone, true, true), kDtSingleLine | kDtExpandTabs);
    EXPECT_EQ(TextDrawFlags(taRightJustify, false, twEndEllipsis, false, true),
              kDtRight | kDtSingleLine | kDtEndEllipsis | kDtExpandTabs | kDtNoPrefix);
    EXPECT_EQ(TextDrawFlags(taCenter, true, twPathEllipsis, false, false),
              kDtCenter | kDtSingleLine | kDtPathEllipsis | kDtExpandTabs | kDtNoPrefix);
    EXPECT_EQ(TextDrawFlags(taLeftJustify, true, twWrap, true, true), kDtRight | kDtWordBreak | kDtExpandTabs);
    EXPECT_EQ(TextDrawFlags(taRightJustify, true, twWrap, true, true), kDtWordBreak | kDtExpandTabs);
    EXPECT_EQ(MeasuredCaption(u""), u" ");
    EXPECT_EQ(MeasuredCaption(u"&"), u"& ");
    EXPECT_EQ(MeasuredCaption(u"&&"), u"&&");
}

TEST(SkinControlRules, ButtonTextMarginsAndHeight) {
    EXPECT_EQ(ButtonTextMargins(Shape(true, false, blGlyphLeft)), Rect(4, 4, 4, 4));
    EXPECT_EQ(ButtonTextMargins(Shape(true, true, blGlyphLeft)), Rect(24, 4, 4, 4));
    EXPECT_EQ(ButtonTextMargins(Shape(false, true, blGlyphRight)), Rect(4, 4, 20, 4));
    EXPECT_EQ(ButtonTextMargins(Shape(true, true, blGlyphBottom)), Rect(4, 4, 4, 20));
    TButtonShape drop = Shape(true, true, blGlyphTop);
    drop.DropDown = true;
    EXPECT_EQ(ButtonTextMargins(drop), Rect(4, 20, 4, 4));  // the arrow sits beside an image above the text
    drop.Layout = blGlyphLeft;
    EXPECT_EQ(ButtonTextMargins(drop), Rect(24, 4, 12, 4));
    drop.Combo = true;
    EXPECT_EQ(ButtonTextMargins(drop), Rect(24, 4, 15, 4));

    EXPECT_EQ(ButtonTextHeight(Shape(true, false, blGlyphLeft), 21), 21);
    EXPECT_EQ(ButtonTextHeight(Shape(true, true, blGlyphLeft), 17), 20);
    EXPECT_EQ(ButtonTextHeight(Shape(true, true, blGlyphTop), 17), 17);
    EXPECT_EQ(ButtonTextHeight(Shape(false, true, blGlyphTop), 0), 20);
    TButtonShape bare = Shape(false, false, blGlyphLeft);
    EXPECT_EQ(ButtonTextHeight(bare, 0), 16);
    bare.BorderSize = 8;
    EXPECT_EQ(ButtonTextHeight(bare, 0), 16);
    bare.BorderSize = 7;
    EXPECT_EQ(ButtonTextHeight(bare, 0), 16);
    bare.BorderSize = 9;
    EXPECT_EQ(ButtonTextHeight(bare, 0), 18);
}

TEST(SkinControlRules, ButtonFrameSplitsTheComboAndPlacesThePlainArrow) {
    TButtonShape s = Shape(true, false, blGlyphLeft);
    s.DropDown = true;
    TButtonFrame f = ButtonFrame(Rect(0, 0, 100, 24), s);
    EXPECT_EQ(f.Arrow, Rect(88, 4, 96, 20));
    EXPECT_EQ(f.Content, Rect(4, 4, 85, 20));
    s.Combo = true;
    f = ButtonFrame(Rect(0, 0, 100, 24), s);
    EXPECT_EQ(f.Main, Rect(0, 0, 89, 24));
    EXPECT_EQ(f.Arrow, Rect(89, 0, 100, 24));
    EXPECT_EQ(f.Content, Rect(4, 4, 85, 20));
    EXPECT_TRUE(InComboArrow(Rect(0, 0, 100, 24), s, 89));
    EXPECT_FALSE(InComboArrow(Rect(0, 0, 100, 24), s, 88));
}

TEST(SkinControlRules, ButtonImageBesideTheTextByAlignment) {
    const TRect c = Rect(4, 4, 104, 30);                 // 100 x 26
    auto measure = [](int w) { return Measure(w, 4); };  // 28 x 13
    // Group 16 + 4 + 28 = 48.
    auto p = PlaceButtonContent(c, Shape(true, true, blGlyphLeft, taCenter), measure);
    EXPECT_EQ(p.Image, Rect(30, 11, 46, 23));
    EXPECT_EQ(p.Text, Rect(50, 10, 78, 23));
    EXPECT_EQ(p.TextAlign, 0u);
    p = PlaceButtonContent(c, Shape(true, true, blGlyphLeft, taRightJustify), measure);
    EXPECT_EQ(p.Image, Rect(56, 11, 72, 23));
    p = PlaceButtonContent(c, Shape(true, true, blGlyphRight, taLeftJustify), measure);
    EXPECT_EQ(p.Text, Rect(4, 10, 32, 23));
    EXPECT_EQ(p.Image, Rect(36, 11, 52, 23));
    EXPECT_EQ(p.TextAlign, kDtRight);
    // Too long a text: the image keeps the content's left and the text is clipped at its right.
    p = PlaceButtonContent(c, Shape(true, true, blGlyphLeft, taCenter), [](int w) { return Measure(w, 40); });
    EXPECT_EQ(p.Image.Left, 4);
    EXPECT_EQ(p.Text.Right, 104);
}

TEST(SkinControlRules, ButtonImageAboveOrBelowAndAlone) {
    const TRect c = Rect(4, 4, 104, 54);  // 100 x 50
    auto measure = [](int w) { return Measure(w, 4); };
    // start = (4 + 54 - 12 - 4 - 13) / 2 = 14.
    auto p = PlaceButtonContent(c, Shape(true, true, blGlyphTop, taCenter), measure);
    EXPECT_EQ(p.Image, Rect(46, 14, 62, 26));
    EXPECT_EQ(p.Text, Rect(4, 30, 104, 43));
    EXPECT_EQ(p.TextAlign, kDtCenter);
    p = PlaceButtonContent(c, Shape(true, true, blGlyphBottom, taRightJustify), measure);
    EXPECT_EQ(p.Text, Rect(4, 14, 104, 27));
    EXPECT_EQ(p.Image, Rect(88, 31, 104, 43));
    p = PlaceButtonContent(c, Shape(false, true, blGlyphTop, taLeftJustify), measure);
    EXPECT_EQ(p.Image, Rect(4, 23, 20, 35));
    EXPECT_TRUE(p.Text.IsEmpty());
    p = PlaceButtonContent(c, Shape(true, false, blGlyphTop, taCenter), measure);
    EXPECT_EQ(p.Text, Rect(4, 22, 104, 35));
    EXPECT_TRUE(p.Image.IsEmpty());
}

TEST(SkinControlRules, ButtonItemInfoForTheTheme) {
    TButtonState s;
    TSkinItemInfo info = ButtonItemInfo(s);
    EXPECT_EQ(info.ViewType, 0x40100);
    EXPECT_EQ(info.ItemOptions, 0x41);
    EXPECT_FALSE(info.Pushed);
    EXPECT_EQ(info.HoverKind, hkNone);
    s.Style = bsFlat;
    s.Pushed = true;  // pressed but the mouse left it: not shown pushed
    info = ButtonItemInfo(s);
    EXPECT_EQ(info.ViewType, 0x100);
    EXPECT_FALSE(info.Pushed);
    s.Hot = true;
    s.Checked = true;
    info = ButtonItemInfo(s);
    EXPECT_TRUE(info.Pushed);
    EXPECT_TRUE(info.Selected);
    EXPECT_EQ(info.HoverKind, hkHot);
    s = TButtonState{};
    s.KeyPushed = true;
    EXPECT_TRUE(ButtonItemInfo(s).Pushed);
    s = TButtonState{};
    s.DropDownOpen = true;
    s.Combo = true;
    s.ShowsComboArrow = true;
    info = ButtonItemInfo(s);
    EXPECT_FALSE(info.Pushed);
    EXPECT_EQ(info.HoverKind, hkHot);
    EXPECT_EQ(info.ComboPart, 1);
    s.Combo = false;
    EXPECT_TRUE(ButtonItemInfo(s).Pushed);
}

TEST(SkinControlRules, GroupedButtonsCheckOneAtATime) {
    TGroupedButton a{1, false, false}, b{1, true, false}, c{2, true, true}, none{0, false, true};
    std::vector<TGroupedButton*> all = {&a, &b, &c, &none};
    EXPECT_TRUE(ApplyGroupCheck(all, &a, true));
    EXPECT_TRUE(a.Checked);
    EXPECT_FALSE(b.Checked);
    EXPECT_TRUE(c.Checked);  // another group
    // A checked button of a group that does not allow all unchecked stays checked.
    EXPECT_FALSE(ApplyGroupCheck(all, &a, false));
    EXPECT_TRUE(a.Checked);
    // Group 2 allows it; checking copies that to the group.
    EXPECT_TRUE(ApplyGroupCheck(all, &c, false));
    EXPECT_FALSE(c.Checked);
    a.AllowAllUnchecked = true;
    b.AllowAllUnchecked = false;
    ApplyGroupCheck(all, &a, true);
    EXPECT_TRUE(b.AllowAllUnchecked);
    // Without a group nothing can be checked.
    EXPECT_FALSE(ApplyGroupCheck(all, &none, true));
    EXPECT_FALSE(none.Checked);
}

TEST(SkinControlRules, LinkAndCheckBoxGeometry) {
    EXPECT_EQ(LinkTextMargins(false, false, 16), Rect(2, 1, 2, 1));
    EXPECT_EQ(LinkTextMargins(false, true, 16), Rect(23, 1, 2, 1));
    EXPECT_EQ(LinkTextMargins(true, true, 16), Rect(2, 1, 23, 1));
    EXPECT_EQ(LinkImageRect(Rect(0, 0, 100, 20), false, 16, 16), Rect(2, 2, 18, 18));
    EXPECT_EQ(LinkImageRect(Rect(0, 0, 100, 20), true, 16, 16), Rect(82, 2, 98, 18));
    EXPECT_EQ(CheckGlyphRect(Rect(0, 0, 100, 17), false), Rect(0, 2, 13, 15));
    EXPECT_EQ(CheckGlyphRect(Rect(0, 0, 100, 20), true), Rect(87, 4, 100, 17));
    EXPECT_EQ(CheckTextMargins(false), Rect(21, 2, 2, 2));
    EXPECT_EQ(CheckTextMargins(true), Rect(2, 2, 21, 2));
}

TEST(SkinControlRules, CheckBoxCycleAndStateWord) {
    EXPECT_EQ(ToggledState(cbUnchecked, false), cbChecked);
    EXPECT_EQ(ToggledState(cbChecked, false), cbUnchecked);
    EXPECT_EQ(ToggledState(cbUnchecked, true), cbGrayed);
    EXPECT_EQ(ToggledState(cbGrayed, true), cbChecked);
    EXPECT_EQ(ToggledState(cbGrayed, false), cbChecked);
    EXPECT_EQ(CheckStateWord(1, false, true, true, true, true), 1 | 4);
    EXPECT_EQ(CheckStateWord(0, true, true, false, false, false), 8);
    EXPECT_EQ(CheckStateWord(2, true, false, false, true, true), 2 | 32);  // pushed, but the mouse left it
    EXPECT_EQ(CheckStateWord(1, true, false, true, true, false), 1 | 8 | 16);
}
