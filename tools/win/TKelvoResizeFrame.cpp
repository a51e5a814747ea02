#include "tools/win/TKelvoResizeFrame.h"

#include <charconv>
#include <string>

#include "classlib/core/FormBuilder.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/win/TFont.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/core/ResizeSize.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoResizeTool.h"
#include "unicode/win/TUniEdit.h"

namespace {

// The whole number the text is (a sign and digits, nothing else), if it is one.
bool WholeNumber(const WideString& text, std::int64_t& value) {
    std::string narrow;
    for (char16_t c : text) {
        if (c > 0x7F) return false;
        narrow += char(c);
    }
    const char* end = narrow.data() + narrow.size();
    const auto [at, error] = std::from_chars(narrow.data(), end, value);
    return error == std::errc{} && at == end && !narrow.empty();
}

}  // namespace

TKelvoResizeFrame::TKelvoResizeFrame(TComponent* owner) : TKelvoFrame(owner) {}

void TKelvoResizeFrame::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoResizeFrame::Build); }

void TKelvoResizeFrame::Build(TComponent* root) {
    auto* frame = static_cast<TKelvoResizeFrame*>(root);
    frame->SetWidth(193);
    frame->SetHeight(366);
    frame->TitleLabel = kelvo::MakeControl<TSkinLabel>(frame, frame, "TitleLabel", 8, 0, 177, 20);
    frame->TitleLabel->SetCaption(u"Resize");
    frame->TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
    frame->NewSizeLabel = kelvo::MakeControl<TSkinLabel>(frame, frame, "NewSizeLabel", 8, 24, 177, 20);
    frame->NewSizeLabel->SetCaption(u"New Size:");

    frame->SizePanel = kelvo::MakeFramePanel(frame, "SizePanel", 58);
    TSkinAlignmentPanel* size = frame->SizePanel;
    frame->WidthLabel = kelvo::MakeControl<TSkinLabel>(frame, size, "WidthLabel", 8, 6, 60, 16);
    frame->WidthLabel->SetCaption(u"Width:");
    frame->WidthEdit = kelvo::MakeControl<TUniEdit>(frame, size, "WidthEdit", 72, 2, 64, 21);
    frame->WidthEdit->SetText(u"1");
    frame->WidthUpDown = kelvo::MakeControl<TUpDown>(frame, size, "WidthUpDown", 136, 2, 16, 21);
    frame->HeightLabel = kelvo::MakeControl<TSkinLabel>(frame, size, "HeightLabel", 8, 34, 60, 16);
    frame->HeightLabel->SetCaption(u"Height:");
    frame->HeightEdit = kelvo::MakeControl<TUniEdit>(frame, size, "HeightEdit", 72, 30, 64, 21);
    frame->HeightEdit->SetText(u"1");
    frame->HeightUpDown = kelvo::MakeControl<TUpDown>(frame, size, "HeightUpDown", 136, 30, 16, 21);
    for (TUpDown* upDown : {frame->WidthUpDown, frame->HeightUpDown}) {
        upDown->SetMin(MinResizeSide);
        upDown->SetMax(MaxResizeSide);
    }
    frame->WidthUpDown->SetAssociate(frame->WidthEdit);
    frame->HeightUpDown->SetAssociate(frame->HeightEdit);

    frame->ConstrainProportionsCheckBox =
        kelvo::MakeControl<TSkinCheckBox>(frame, frame, "ConstrainProportionsCheckBox", 8, 0, 177, 24);
    frame->ConstrainProportionsCheckBox->SetCaption(u"Constrain Proportions");
    frame->OkPanel = kelvo::MakeFramePanel(frame, "OkPanel", 37);
    frame->OkButton = kelvo::MakeControl<TSkinButton>(frame, frame->OkPanel, "OkButton", 8, 6, 80, 25);
    frame->OkButton->SetCaption(u"Ok");
    frame->CancelButton = kelvo::MakeControl<TSkinButton>(frame, frame->OkPanel, "CancelButton", 96, 6, 80, 25);
    frame->CancelButton->SetCaption(u"Cancel");
    frame->ShowOptions = kelvo::MakeControl<TSkinLink>(frame, frame, "ShowOptions", 8, 0, 177, 20);
    frame->ShowOptions->SetVisible(false);

    frame->WidthEdit->OnChange = MakeMethod<&TKelvoResizeFrame::WidthEditChange>(frame);
    frame->HeightEdit->OnChange = MakeMethod<&TKelvoResizeFrame::HeightEditChange>(frame);
    frame->WidthUpDown->OnChangingEx = MakeMethod<&TKelvoResizeFrame::WidthUpDownChangingEx>(frame);
    frame->HeightUpDown->OnChangingEx = MakeMethod<&TKelvoResizeFrame::HeightUpDownChangingEx>(frame);
    frame->ConstrainProportionsCheckBox->OnChange =
        MakeMethod<&TKelvoResizeFrame::ConstrainProportionsCheckBoxChange>(frame);
    frame->OkButton->OnClick = MakeMethod<&TKelvoResizeFrame::OkButtonClick>(frame);
    frame->CancelButton->OnClick = MakeMethod<&TKelvoResizeFrame::CancelButtonClick>(frame);
    frame->ShowOptions->OnClick = MakeMethod<&TKelvoResizeFrame::ShowOptionsButtonClick>(frame);
    frame->LayOut();
}

void TKelvoResizeFrame::LayOut() {
    const int top = kelvo::StackTopDown({TitleLabel, NewSizeLabel}, 0);
    kelvo::StackTopDown({SizePanel, ConstrainProportionsCheckBox, OkPanel, ShowOptions}, top + 4);
}

void TKelvoResizeFrame::ShowSize(std::int32_t width, std::int32_t height) {
    showing_ = true;
    TScopeExit done([this] { showing_ = false; });
    if (WidthEdit->Text() != kelvo::DecimalText(width)) WidthEdit->SetText(kelvo::DecimalText(width));
    if (HeightEdit->Text() != kelvo::DecimalText(height)) HeightEdit->SetText(kelvo::DecimalText(height));
}

void TKelvoResizeFrame::ShowConstrain(bool on) {
    showing_ = true;
    TScopeExit done([this] { showing_ = false; });
    ConstrainProportionsCheckBox->SetChecked(on);
}

void TKelvoResizeFrame::WidthEditChange(TObject*) {
    std::int64_t n = 0;
    if (showing_ || !Tool || !WholeNumber(WidthEdit->Text(), n)) return;
    Tool->SetNewWidth(BoundResizeSide(n));
    if (IKelvoDemoPlayback* recorder = Tool->Recorder()) recorder->AddLine("ResizeWidth " + std::to_string(n));
}

void TKelvoResizeFrame::HeightEditChange(TObject*) {
    std::int64_t n = 0;
    if (showing_ || !Tool || !WholeNumber(HeightEdit->Text(), n)) return;
    Tool->SetNewHeight(BoundResizeSide(n));
    if (IKelvoDemoPlayback* recorder = Tool->Recorder()) recorder->AddLine("ResizeHeight " + std::to_string(n));
}

void TKelvoResizeFrame::WidthUpDownChangingEx(TObject*, bool&, std::int16_t newValue, TUpDownDirection) {
    if (!showing_ && Tool) Tool->SetNewWidth(newValue);
}

void TKelvoResizeFrame::HeightUpDownChangingEx(TObject*, bool&, std::int16_t newValue, TUpDownDirection) {
    if (!showing_ && Tool) Tool->SetNewHeight(newValue);
}

void TKelvoResizeFrame::ConstrainProportionsCheckBoxChange(TObject*) {
    if (showing_ || !Tool) return;
    const bool on = ConstrainProportionsCheckBox->Checked();
    Tool->SetConstrain(on);
    kelvo::RecordMoveAndLine(Tool->Recorder(), "ResizeProportions",
                             on ? "ResizeProportional" : "ResizeDisproportional");
}

void TKelvoResizeFrame::OkButtonClick(TObject*) {
    if (!Tool) return;
    Tool->Apply();
    if (IKelvoDemoPlayback* recorder = Tool->Recorder()) recorder->RecordCommand("ResizePerform", "ResizePerform");
}

void TKelvoResizeFrame::CancelButtonClick(TObject*) {
    if (!Tool) return;
    Tool->ResetSize();
    if (IKelvoDemoPlayback* recorder = Tool->Recorder()) recorder->RecordCommand("ResizeCancel", "ResizeCancel");
}

void TKelvoResizeFrame::ShowOptionsButtonClick(TObject*) {
    if (Tool) Tool->SetOptionsShown(!Tool->OptionsShown());
}
