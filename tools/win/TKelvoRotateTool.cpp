#include "tools/win/TKelvoRotateTool.h"

#include <memory>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/StringUtils.h"
#include "classlib/win/TPaintBox.h"
#include "themed/win/TSkinAlignmentPanel.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/core/Orientation.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoRotateCommandState.h"
#include "tools/win/TKelvoRotateFrame.h"

TKelvoRotateTool::TKelvoRotateTool(TComponent* owner) : TKelvoPanelTool(owner) {
    toolName_ = "Rotation";
    AddButtonAndFrame(Frame, "RIGHT", GetText(KelvoTextRotation, u"Rotation & Flip"), u"RotationAndFlip");
    if (Frame) Frame->Tool = this;
    SetOptionsShown(false);
}

TKelvoRotateTool::~TKelvoRotateTool() {
    if (Frame) Frame->Tool = nullptr;
}

void TKelvoRotateTool::SetOptionsShown(bool shown) {
    optionsShown_ = shown;
    if (Frame) {
        Frame->LayOut(shown);
        kelvo::SetOptionsLink(*Frame->ShowOptions, shown);
        if (shown) RebuildThumbnail();
    }
    RecordOptionsShown(shown);
}

void TKelvoRotateTool::RebuildThumbnail(TKelvoGraphicsDocument* document) {
    if (!Frame) return;
    TKelvoGraphicsEditor* editor = Editor();
    if (!document && editor) document = editor->GetActiveDocument();
    const std::int32_t side = ThumbnailSide(Frame->ThumbnailView->Width(), Frame->ThumbnailView->Height());
    if (!Active() || !optionsShown_ || !document || side <= 0) {
        Frame->SetThumbnail(nullptr);
        return;
    }
    Frame->SetThumbnail(document->CreateThumbnail(side));
}

bool TKelvoRotateTool::RunOperation(std::uint8_t op) {
    TKelvoGraphicsEditor* editor = Editor();
    TKelvoGraphicsView* view = editor ? editor->GetActiveView() : nullptr;
    if (!view || !editor->CanToolEdit(this)) return false;
    auto hourglass = kelvo::HourglassCursor();
    BeginEdit(*view);
    const bool done = RunRotateOp(view->Document(), op);
    lastOperation_ = done ? op : 0;
    // The left turn's step is made before the thumbnail follows, the others' after.
    if (op == RotateOpLeft) EndEdit();
    RebuildThumbnail();
    if (op != RotateOpLeft) EndEdit();
    if (!done)
        editor->ShowError(GetText(KelvoTextRotateFailed, u"The image cannot be turned: there is not enough memory."));
    return done;
}

bool TKelvoRotateTool::Commit() {
    TKelvoGraphicsDocument* document = EditedDocument();
    if (!document || lastOperation_ == 0) return true;
    const std::uint8_t op = lastOperation_;
    lastOperation_ = 0;
    document->AddCommandState(
        std::make_unique<TKelvoRotateCommandState>(this, *document, op, [this] { RebuildThumbnail(); }));
    return true;
}

void TKelvoRotateTool::Localize() {
    TKelvoPanelTool::Localize();
    const WideString title = GetText(KelvoTextRotation, u"Rotation & Flip");
    if (Button) Button->SetHint(title);
    if (!Frame) return;
    Frame->TitleLabel->SetCaption(title);
    const WideString right = GetText(KelvoTextRotateRight, u"Rotate Right"),
                     left = GetText(KelvoTextRotateLeft, u"Rotate Left");
    const WideString horizontal = GetText(KelvoTextFlipHorizontal, u"Flip Horizontal");
    const WideString vertical = GetText(KelvoTextFlipVertical, u"Flip Vertical");
    Frame->RotateRightButton->SetCaption(right);
    Frame->RotateRightRadioButton->SetCaption(right);
    Frame->RotateLeftButton->SetCaption(left);
    Frame->RotateLeftRadioButton->SetCaption(left);
    Frame->FlipHorizontalButton->SetCaption(horizontal);
    Frame->FlipHorizontalRadioButton->SetCaption(horizontal);
    Frame->FlipVerticalButton->SetCaption(vertical);
    Frame->FlipVerticalRadioButton->SetCaption(vertical);
    kelvo::SetOptionsLink(*Frame->ShowOptions, optionsShown_);
    Frame->RotateButton->SetCaption(Frame->RadioButtonOf(Frame->ChosenOperation())->Caption());
}

void TKelvoRotateTool::UpdateState() {
    TKelvoPanelTool::UpdateState();
    UpdateButtonAndFrame();
}

void TKelvoRotateTool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                          IKelvoDemoMacro& macro, const TKelvoProperties& params) {
    handled = true;
    for (std::uint8_t op : {RotateOpLeft, RotateOpRight, RotateOpFlipHorizontal, RotateOpFlipVertical}) {
        const AnsiString name = UpperCase(AnsiString("Rotation") + RotateOpName(op));
        if (command == name) {
            RunOperation(op);
            return;
        }
        if (command == name + "OPTION") {
            if (Frame) Frame->ChooseOperation(op);
            return;
        }
    }
    if (command == "ROTATIONPERFORM") {
        if (Frame) {
            RunOperation(Frame->ChosenOperation());
            Frame->RebuildPreview();
        }
    } else if (command == "ROTATIONSHOWOPTIONS" || command == "ROTATIONHIDEOPTIONS") {
        SetOptionsShown(command == "ROTATIONSHOWOPTIONS");
    } else {
        handled = false;
        TKelvoPanelTool::ExecuteDemoCommand(playback, command, handled, macro, params);
    }
}

void TKelvoRotateTool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name)) return;
    name = UpperCase(name);
    if (name == "ROTATION") {
        found = ButtonCentre(point);
        return;
    }
    if (!Frame) return;
    TControl* target = nullptr;
    if (name == "ROTATIONVIEW") target = Frame->ThumbnailView;
    if (name == "ROTATIONPERFORM") target = Frame->RotateButton;
    if (name == "ROTATIONOPTIONS") target = Frame->ShowOptions;
    const TControl* direct[] = {nullptr, Frame->RotateLeftButton, Frame->RotateRightButton, Frame->FlipHorizontalButton,
                                Frame->FlipVerticalButton};
    for (std::uint8_t op : {RotateOpLeft, RotateOpRight, RotateOpFlipHorizontal, RotateOpFlipVertical}) {
        const AnsiString word = UpperCase(AnsiString("Rotation") + RotateOpName(op));
        if (name == word) target = const_cast<TControl*>(direct[op]);
        if (name == word + "OPTION") target = Frame->RadioButtonOf(op);
    }
    found = ControlCentre(target, point);
}

void TKelvoRotateTool::DocumentOpened(TKelvoGraphicsDocument& document) {
    RebuildThumbnail(&document);
    TKelvoPanelTool::DocumentOpened(document);
}

void TKelvoRotateTool::Activate() {
    TKelvoPanelTool::Activate();
    RebuildThumbnail();
}
