#include "tools/win/TKelvoTextFrame.h"

#include "classlib/core/FormBuilder.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TColorBox.h"
#include "classlib/win/TComboBox.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TScreen.h"
#include "classlib/win/TSpinEdit.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinLabel.h"
#include "tools/core/TextBox.h"
#include "unicode/win/TUniGroupBox.h"
#include "unicode/win/TUniRadioGroup.h"

namespace {

constexpr int kFrameWidth = 264;
constexpr int kStyleButtonSize = 24;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
    T* control = Create<T>(owner);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

TSkinButton* MakeStyleButton(TKelvoTextFrame* frame, const char* name, const char16_t* caption, int index) {
    auto* button = Make<TSkinButton>(frame, frame->FontUniGroupBox, name, 8 + index * (kStyleButtonSize + 4), 52,
                                     kStyleButtonSize, kStyleButtonSize);
    button->SetAutoSize(false);
    button->SetCaption(caption);
    // A check button of its own group that may be up.
    button->SetGroupIndex(index + 1);
    button->SetAllowAllUnchecked(true);
    button->OnClick = MakeMethod<&TKelvoTextFrame::BISkinButtonClick>(frame);
    return button;
}

}  // namespace

std::vector<std::u16string> TKelvoTextMemo::WideLines() {
    const WideString text = Text();
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            lines.push_back(line);
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

TKelvoTextFrame::TKelvoTextFrame(TComponent* owner) : TKelvoFrame(owner) {}

void TKelvoTextFrame::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoTextFrame::Build); }

void TKelvoTextFrame::Build(TComponent* root) {
    auto* frame = static_cast<TKelvoTextFrame*>(root);
    frame->SetWidth(kFrameWidth);
    frame->SetHeight(420);
    const int inner = kFrameWidth - 16;

    frame->TitleLabel = Make<TSkinLabel>(frame, frame, "TitleLabel", 0, 0, kFrameWidth, 20);
    frame->TitleLabel->SetUnderline(true);
    frame->TitleLabel->SetCaption(u"Text");

    frame->FontUniGroupBox = Make<TUniGroupBox>(frame, frame, "FontUniGroupBox", 0, 24, kFrameWidth, 84);
    frame->FontUniGroupBox->SetCaption(u"Font");
    frame->FontNameComboBox = Make<TComboBox>(frame, frame->FontUniGroupBox, "FontNameComboBox", 8, 20, inner, 22);
    frame->FontNameComboBox->SetStyle(csOwnerDrawVariable);
    frame->FontNameComboBox->SetDropDownCount(16);
    frame->FontNameComboBox->OnChange = MakeMethod<&TKelvoTextFrame::TextMemoChange>(frame);
    frame->FontNameComboBox->OnDrawItem = MakeMethod<&TKelvoTextFrame::FontNameDrawItem>(frame);
    frame->FontNameComboBox->OnMeasureItem = MakeMethod<&TKelvoTextFrame::FontNameMeasureItem>(frame);
    frame->BoldSkinButton = MakeStyleButton(frame, "BoldSkinButton", u"B", 0);
    frame->ItalicSkinButton = MakeStyleButton(frame, "ItalicSkinButton", u"I", 1);
    frame->UnderlineSkinButton = MakeStyleButton(frame, "UnderlineSkinButton", u"U", 2);
    frame->StrikeoutSkinButton = MakeStyleButton(frame, "StrikeoutSkinButton", u"S", 3);
    frame->SizeSkinLabel = Make<TSkinLabel>(frame, frame->FontUniGroupBox, "SizeSkinLabel", 128, 56, 50, 18);
    frame->SizeSkinLabel->SetCaption(u"Size:");
    frame->SizeSpinEdit = Make<TSpinEdit>(frame, frame->FontUniGroupBox, "SizeSpinEdit", 184, 52, 64, 22);
    frame->SizeSpinEdit->SetMinValue(MinTextFontSize);
    frame->SizeSpinEdit->SetMaxValue(MaxTextFontSize);
    frame->SizeSpinEdit->SetEditorEnabled(false);
    frame->SizeSpinEdit->SetValue(32);
    frame->SizeSpinEdit->OnChange = MakeMethod<&TKelvoTextFrame::SizeSpinEditChange>(frame);
    frame->SizeSpinEdit->OnExit = MakeMethod<&TKelvoTextFrame::SizeSpinEditExit>(frame);

    frame->FontColorUniRadioGroup =
        Make<TUniRadioGroup>(frame, frame, "FontColorUniRadioGroup", 0, 112, kFrameWidth, 64);
    frame->FontColorUniRadioGroup->SetCaption(u"Color");
    frame->FontColorUniRadioGroup->Items()->Add(u"Selected");
    frame->FontColorUniRadioGroup->Items()->Add(u"Inverted");
    frame->FontColorUniRadioGroup->SetItemIndex(0);
    frame->FontColorUniRadioGroup->OnClick = MakeMethod<&TKelvoTextFrame::FontColorUniRadioGroupClick>(frame);
    frame->ColorBox = Make<TColorBox>(frame, frame, "ColorBox", 0, 180, kFrameWidth, 22);
    frame->ColorBox->SetColorStyle(TColorBoxStyle{cbStandardColors, cbExtendedColors});
    frame->ColorBox->SetDropDownCount(20);
    frame->ColorBox->OnSelect = MakeMethod<&TKelvoTextFrame::ColorBoxSelect>(frame);
    frame->MaxInverseSkinCheckBox =
        Make<TSkinCheckBox>(frame, frame, "MaxInverseSkinCheckBox", 0, 208, kFrameWidth, 20);
    frame->MaxInverseSkinCheckBox->SetCaption(u"Maximum inverse");
    frame->MaxInverseSkinCheckBox->OnChange = MakeMethod<&TKelvoTextFrame::MaxInverseSkinCheckBoxChange>(frame);

    frame->TextMemo = Make<TKelvoTextMemo>(frame, frame, "TextMemo", 0, 234, kFrameWidth, 180);
    frame->TextMemo->SetScrollBars(ssBoth);
    frame->TextMemo->OnChange = MakeMethod<&TKelvoTextFrame::TextMemoChange>(frame);
}

int TKelvoTextFrame::CheckedStyle() const {
    return (BoldSkinButton->Checked() ? 1 : 0) | (ItalicSkinButton->Checked() ? 2 : 0) |
           (UnderlineSkinButton->Checked() ? 4 : 0) | (StrikeoutSkinButton->Checked() ? 8 : 0);
}

void TKelvoTextFrame::CheckStyle(int style) {
    BoldSkinButton->SetChecked(style & 1);
    ItalicSkinButton->SetChecked(style & 2);
    UnderlineSkinButton->SetChecked(style & 4);
    StrikeoutSkinButton->SetChecked(style & 8);
}

void TKelvoTextFrame::BISkinButtonClick(TObject*) {
    if (OnStyleClick) OnStyleClick();
}

void TKelvoTextFrame::ColorBoxSelect(TObject*) {
    if (OnColorSelect) OnColorSelect();
}

void TKelvoTextFrame::FontColorUniRadioGroupClick(TObject*) {
    if (OnColorModeClick) OnColorModeClick();
}

void TKelvoTextFrame::MaxInverseSkinCheckBoxChange(TObject*) {
    if (OnMaxInverseChange) OnMaxInverseChange();
}

void TKelvoTextFrame::SizeSpinEditChange(TObject*) {
    if (OnSizeChange) OnSizeChange();
}

void TKelvoTextFrame::SizeSpinEditExit(TObject*) {
    if (SizeSpinEdit->Text().empty()) SizeSpinEdit->SetValue(SizeSpinEdit->MinValue());
}

void TKelvoTextFrame::TextMemoChange(TObject*) {
    if (OnTextChange) OnTextChange();
}

void TKelvoTextFrame::FontNameDrawItem(TWinControl*, int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = FontNameComboBox->Canvas();
    canvas->FillRect(rect);
    if (index < 0 || index >= FontNameComboBox->Items()->Count()) return;
    const AnsiString name = FontNameComboBox->Items()->Get(index);
    canvas->Font()->SetName(name);
    canvas->TextOut(rect.Left, rect.Top + 2, name);
}

void TKelvoTextFrame::FontNameMeasureItem(TWinControl*, int index, int& height) {
    if (index < 0 || index >= FontNameComboBox->Items()->Count()) return;
    TCanvas* canvas = FontNameComboBox->Canvas();
    canvas->Font()->SetName(FontNameComboBox->Items()->Get(index));
    height = canvas->TextHeight("Wy") + 4;
}
