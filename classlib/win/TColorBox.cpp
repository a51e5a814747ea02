#include "classlib/win/TColorBox.h"

#include <cstdint>

#include "classlib/core/ScopeGuard.h"

namespace {

struct TNamedColor {
    TColor Color;
    const char* Name;
};

constexpr TNamedColor kStandard[] = {
    {clBlack, "Black"},   {clMaroon, "Maroon"},   {clGreen, "Green"}, {clOlive, "Olive"},
    {clNavy, "Navy"},     {clPurple, "Purple"},   {clTeal, "Teal"},   {clGray, "Gray"},
    {clSilver, "Silver"}, {clRed, "Red"},         {clLime, "Lime"},   {clYellow, "Yellow"},
    {clBlue, "Blue"},     {clFuchsia, "Fuchsia"}, {clAqua, "Aqua"},   {clWhite, "White"},
};

constexpr TNamedColor kExtended[] = {
    {clMoneyGreen, "Money Green"},
    {clSkyBlue, "Sky Blue"},
    {clCream, "Cream"},
    {clMedGray, "Medium Gray"},
};

constexpr TNamedColor kSystem[] = {
    {clScrollBar, "Scroll Bar"},
    {clBackground, "Background"},
    {clActiveCaption, "Active Caption"},
    {clInactiveCaption, "Inactive Caption"},
    {clMenu, "Menu"},
    {clWindow, "Window"},
    {clWindowFrame, "Window Frame"},
    {clMenuText, "Menu Text"},
    {clWindowText, "Window Text"},
    {clCaptionText, "Caption Text"},
    {clActiveBorder, "Active Border"},
    {clInactiveBorder, "Inactive Border"},
    {clAppWorkSpace, "Application Workspace"},
    {clHighlight, "Highlight"},
    {clHighlightText, "Highlight Text"},
    {clBtnFace, "Button Face"},
    {clBtnShadow, "Button Shadow"},
    {clGrayText, "Gray Text"},
    {clBtnText, "Button Text"},
    {clInactiveCaptionText, "Inactive Caption Text"},
    {clBtnHighlight, "Button Highlight"},
    {cl3DDkShadow, "3D Dark Shadow"},
    {cl3DLight, "3D Light"},
    {clInfoText, "Info Text"},
    {clInfoBk, "Info Background"},
    {clHotLight, "Hot Light"},
    {clGradientActiveCaption, "Gradient Active Caption"},
    {clGradientInactiveCaption, "Gradient Inactive Caption"},
    {clMenuHighlight, "Menu Highlight"},
    {clMenuBar, "Menu Bar"},
};

// The colour travels as the item's object value.
TObject* AsObject(TColor color) {
    return reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(static_cast<std::uint32_t>(color)));
}

}  // namespace

TColorBox::TColorBox(TComponent* owner) : TCustomComboBox(owner) {
    SetStyle(csOwnerDrawFixed);
    PopulateList();
    SetSelected(clBlack);
}

TColor TColorBox::Colors(int index) const {
    return static_cast<TColor>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Items()->Objects(index))));
}

void TColorBox::PopulateList() {
    TStrings* items = Items();
    TUpdateGuard update(*items);
    items->Clear();
    const auto add = [items](const TNamedColor& c) { items->AddObject(c.Name, AsObject(c.Color)); };
    if (colorStyle_.Contains(cbIncludeNone)) add({clNone, "None"});
    if (colorStyle_.Contains(cbIncludeDefault)) add({clDefault, "Default"});
    if (colorStyle_.Contains(cbStandardColors))
        for (const auto& c : kStandard) add(c);
    if (colorStyle_.Contains(cbExtendedColors))
        for (const auto& c : kExtended) add(c);
    if (colorStyle_.Contains(cbSystemColors))
        for (const auto& c : kSystem) add(c);
}

void TColorBox::SetColorStyle(TColorBoxStyle value) {
    if (value == colorStyle_) return;
    const TColor keep = Selected();
    colorStyle_ = value;
    PopulateList();
    SetSelected(keep);
}

void TColorBox::SetColorName(TColor color, const AnsiString& name) {
    const int selected = ItemIndex();
    for (int i = 0; i < Items()->Count(); ++i)
        if (Colors(i) == color && Items()->Get(i) != name) {
            Items()->Put(i, name);
            if (i == selected) SetItemIndex(i);
        }
}

TColor TColorBox::Selected() {
    const int index = ItemIndex();
    if (index >= 0 && index < Items()->Count()) selected_ = Colors(index);
    return selected_;
}

void TColorBox::SetSelected(TColor value) {
    selected_ = value;
    for (int i = 0; i < Items()->Count(); ++i)
        if (Colors(i) == value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TColorBox::Select() {
    Selected();
    TCustomComboBox::Select();
}

void TColorBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        TCustomComboBox::DrawItem(index, rect, state);
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->FillRect(rect);
    const int side = rect.Height();
    const TRect swatch{rect.Left + 1, rect.Top + 1, rect.Left + side - 1, rect.Bottom - 1};
    const TColor textBrush = canvas->Brush()->Color();
    const TColor colour = Colors(index);
    if (colour != clNone && colour != clDefault) {
        canvas->Brush()->SetColor(colour);
        canvas->FillRect(swatch);
    }
    canvas->Brush()->SetColor(clBlack);
    canvas->FrameRect(swatch);
    canvas->Brush()->SetColor(textBrush);
    canvas->TextOut(rect.Left + side + 2, rect.Top + (side - canvas->TextHeight(ColorNames(index))) / 2,
                    ColorNames(index));
}
