#include "tools/win/TKelvoRotateFrame.h"

#include "classlib/core/FormBuilder.h"
#include "classlib/win/TCanvas.h"
#include "classlib/win/TFont.h"
#include "classlib/win/TPaintBox.h"
#include "classlib/win/TPanel.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/core/Orientation.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoRotateCommandState.h"
#include "tools/win/TKelvoRotateTool.h"

TKelvoRotateFrame::TKelvoRotateFrame(TComponent* owner) : TKelvoFrame(owner) {}

TKelvoRotateFrame::~TKelvoRotateFrame() = default;

void TKelvoRotateFrame::RegisterBuilder() { RegisterFormBuilder(StaticClass(), &TKelvoRotateFrame::Build); }

void TKelvoRotateFrame::Build(TComponent* root) {
    auto* frame = static_cast<TKelvoRotateFrame*>(root);
    frame->SetWidth(192);
    frame->SetHeight(476);
    frame->TitleLabel = kelvo::MakeControl<TSkinLabel>(frame, frame, "TitleLabel", 8, 0, 176, 20);
    frame->TitleLabel->SetCaption(u"Rotation & Flip");
    frame->TitleLabel->Font()->SetStyle(TFontStyles{fsBold});
    frame->TitleLabel->SetShowAccelChar(false);

    const TNotifyEvent direct = MakeMethod<&TKelvoRotateFrame::DirectButtonClick>(frame);
    auto button = [&](const char* name, const char16_t* caption) {
        TSkinButton* b = kelvo::MakeControl<TSkinButton>(frame, frame, name, 8, 0, 176, 31);
        b->SetCaption(caption);
        b->OnClick = direct;
        return b;
    };
    frame->RotateRightButton = button("RotateRightButton", u"Rotate Right");
    frame->RotateLeftButton = button("RotateLeftButton", u"Rotate Left");
    frame->FlipHorizontalButton = button("FlipHorizontalButton", u"Flip Horizontal");
    frame->FlipVerticalButton = button("FlipVerticalButton", u"Flip Vertical");

    frame->PreviewControl = kelvo::MakeControl<TSkinAlignmentPanel>(frame, frame, "PreviewControl", 0, 0, 192, 320);
    TSkinAlignmentPanel* preview = frame->PreviewControl;
    const TNotifyEvent change = MakeMethod<&TKelvoRotateFrame::RotateRadioButtonChange>(frame);
    auto radio = [&](const char* name, const char16_t* caption, int top) {
        TSkinRadioButton* r = kelvo::MakeControl<TSkinRadioButton>(frame, preview, name, 8, top, 176, 20);
        r->SetCaption(caption);
        return r;
    };
    frame->RotateRightRadioButton = radio("RotateRightRadioButton", u"Rotate Right", 4);
    frame->RotateLeftRadioButton = radio("RotateLeftRadioButton", u"Rotate Left", 26);
    frame->FlipHorizontalRadioButton = radio("FlipHorizontalRadioButton", u"Flip Horizontal", 48);
    frame->FlipVerticalRadioButton = radio("FlipVerticalRadioButton", u"Flip Vertical", 70);
    // Checked before the handlers are set: the button and the preview it would update are not made yet.
    frame->RotateRightRadioButton->SetChecked(true);
    for (TSkinRadioButton* r : {frame->RotateRightRadioButton, frame->RotateLeftRadioButton,
                                frame->FlipHorizontalRadioButton, frame->FlipVerticalRadioButton})
        r->OnChange = change;
    frame->RotateButton = kelvo::MakeControl<TSkinButton>(frame, preview, "RotateButton", 8, 96, 176, 31);
    frame->RotateButton->SetCaption(u"Rotate Right");
    frame->RotateButton->OnClick = MakeMethod<&TKelvoRotateFrame::RotateButtonClick>(frame);
    frame->PreviewPanel = kelvo::MakeControl<TPanel>(frame, preview, "PreviewPanel", 8, 134, 176, 150);
    frame->PreviewPanel->SetBevelOuter(bvNone);
    frame->PreviewPanel->SetCaption("");
    frame->PreviewPanel->SetDoubleBuffered(true);
    frame->ThumbnailView = kelvo::MakeControl<TPaintBox>(frame, frame->PreviewPanel, "ThumbnailView", 0, 0, 176, 150);
    frame->ThumbnailView->OnPaint = MakeMethod<&TKelvoRotateFrame::ThumbnailViewPaint>(frame);
    preview->SetHeight(290);

    frame->ShowOptions = kelvo::MakeControl<TSkinLink>(frame, frame, "ShowOptions", 8, 0, 176, 20);
    frame->ShowOptions->OnClick = MakeMethod<&TKelvoRotateFrame::ShowOptionsButtonClick>(frame);
    frame->LayOut(false);
}

void TKelvoRotateFrame::LayOut(bool optionsShown) {
    for (TControl* direct : {static_cast<TControl*>(RotateRightButton), static_cast<TControl*>(RotateLeftButton),
                             static_cast<TControl*>(FlipHorizontalButton), static_cast<TControl*>(FlipVerticalButton)})
        direct->SetVisible(!optionsShown);
    PreviewControl->SetVisible(optionsShown);
    const int top = kelvo::StackTopDown({TitleLabel}, 0) + 4;
    kelvo::StackTopDown(
        {PreviewControl, RotateRightButton, RotateLeftButton, FlipHorizontalButton, FlipVerticalButton, ShowOptions},
        top);
}

TSkinRadioButton* TKelvoRotateFrame::RadioButtonOf(std::uint8_t op) const {
    switch (op) {
        case RotateOpLeft: return RotateLeftRadioButton;
        case RotateOpRight: return RotateRightRadioButton;
        case RotateOpFlipHorizontal: return FlipHorizontalRadioButton;
        case RotateOpFlipVertical: return FlipVerticalRadioButton;
        default: return nullptr;
    }
}

std::uint8_t TKelvoRotateFrame::ChosenOperation() const {
    for (std::uint8_t op : {RotateOpLeft, RotateOpRight, RotateOpFlipHorizontal, RotateOpFlipVertical})
        if (RadioButtonOf(op)->Checked()) return op;
    return RotateOpRight;
}

void TKelvoRotateFrame::ChooseOperation(std::uint8_t op) {
    if (TSkinRadioButton* radio = RadioButtonOf(op)) radio->SetChecked(true);
}

void TKelvoRotateFrame::SetThumbnail(std::unique_ptr<TKelvoLTBitmap> thumbnail) {
    thumbnail_ = std::move(thumbnail);
    RebuildPreview();
}

void TKelvoRotateFrame::RebuildPreview() {
    preview_ = thumbnail_ ? thumbnail_->Clone() : nullptr;
    if (preview_ && !RunRotateOp(*preview_, ChosenOperation())) preview_.reset();
    ThumbnailView->Invalidate();
}

void TKelvoRotateFrame::ThumbnailViewPaint(TObject*) {
    TCanvas* canvas = ThumbnailView->Canvas();
    const int w = ThumbnailView->Width(), h = ThumbnailView->Height();
    canvas->Rectangle(0, 0, w, h);
    if (!preview_) return;
    const TKelvoPoint at = PreviewOffset(w, h, preview_->GetWidth(), preview_->GetHeight());
    const TKelvoRect dest{at.X, at.Y, at.X + preview_->GetWidth(), at.Y + preview_->GetHeight()};
    preview_->Draw(canvas->Handle(), dest, dest, preview_->GetBounds());
}

void TKelvoRotateFrame::DirectButtonClick(TObject* sender) {
    if (!Tool) return;
    const std::uint8_t op = sender == RotateLeftButton       ? RotateOpLeft
                            : sender == RotateRightButton    ? RotateOpRight
                            : sender == FlipHorizontalButton ? RotateOpFlipHorizontal
                                                             : RotateOpFlipVertical;
    Tool->RunOperation(op);
    if (IKelvoDemoPlayback* recorder = Tool->Recorder()) {
        const AnsiString name = AnsiString("Rotation") + RotateOpName(op);
        recorder->RecordCommand(name, name);
    }
}

void TKelvoRotateFrame::RotateRadioButtonChange(TObject* sender) {
    auto* radio = static_cast<TSkinRadioButton*>(sender);
    if (!radio->Checked()) return;
    RotateButton->SetCaption(radio->Caption());
    RebuildPreview();
    if (Tool) {
        const AnsiString name = AnsiString("Rotation") + RotateOpName(ChosenOperation()) + "Option";
        kelvo::RecordMoveAndLine(Tool->Recorder(), name, name);
    }
}

void TKelvoRotateFrame::RotateButtonClick(TObject*) {
    if (!Tool) return;
    Tool->RunOperation(ChosenOperation());
    RebuildPreview();
    if (IKelvoDemoPlayback* recorder = Tool->Recorder()) recorder->RecordCommand("RotationPerform", "RotationPerform");
}

void TKelvoRotateFrame::ShowOptionsButtonClick(TObject*) {
    if (Tool) Tool->SetOptionsShown(!Tool->OptionsShown());
}
