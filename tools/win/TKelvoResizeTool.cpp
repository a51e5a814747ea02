#include "tools/win/TKelvoResizeTool.h"

#include <memory>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/StringUtils.h"
#include "themed/win/TSkinButton.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoResizeCommandState.h"
#include "tools/win/TKelvoResizeFrame.h"
#include "unicode/win/TUniEdit.h"

namespace {

constexpr std::int32_t kDefaultDemoSide = 100;

}  // namespace

TKelvoResizeTool::TKelvoResizeTool(TComponent* owner) : TKelvoPanelTool(owner) {
    toolName_ = "Resize";
    const WideString caption = GetText(KelvoTextResize, u"Resize");
    AddButtonAndFrame(Frame, "RESIZE", caption, caption);
    if (Frame) Frame->Tool = this;
    SetOptionsShown(false);
    SetConstrain(true);
}

TKelvoResizeTool::~TKelvoResizeTool() {
    if (Frame) Frame->Tool = nullptr;
}

TSize TKelvoResizeTool::ImageSize() const {
    TKelvoGraphicsEditor* editor = Editor();
    TKelvoGraphicsDocument* document = editor ? editor->GetActiveDocument() : nullptr;
    if (!document) return TSize{};
    return TSize{document->Working().GetWidth(), document->Working().GetHeight()};
}

void TKelvoResizeTool::ShowSize() {
    if (Frame) Frame->ShowSize(size_.Width, size_.Height);
}

void TKelvoResizeTool::SetNewWidth(std::int32_t width) {
    const TSize image = ImageSize();
    const TResizeSize next = ConstrainedResizeWidth(size_, image.cx, image.cy, width, constrain_ && image.cx > 0);
    if (next == size_) return;
    size_ = next;
    ShowSize();
}

void TKelvoResizeTool::SetNewHeight(std::int32_t height) {
    const TSize image = ImageSize();
    const TResizeSize next = ConstrainedResizeHeight(size_, image.cx, image.cy, height, constrain_ && image.cy > 0);
    if (next == size_) return;
    size_ = next;
    ShowSize();
}

void TKelvoResizeTool::SetConstrain(bool on) {
    if (on == constrain_) return;
    constrain_ = on;
    if (Frame) Frame->ShowConstrain(on);
    if (!on) return;
    const TSize image = ImageSize();
    size_ = FitResizeToImage(size_, image.cx, image.cy);
    ShowSize();
}

void TKelvoResizeTool::ResetSize() {
    const TSize image = ImageSize();
    // Straight to the image's size: with the proportions kept, setting one side first could change the other.
    size_ = TResizeSize{BoundResizeSide(std::max(image.cx, 1)), BoundResizeSide(std::max(image.cy, 1))};
    ShowSize();
}

bool TKelvoResizeTool::Apply() {
    TKelvoGraphicsEditor* editor = Editor();
    TKelvoGraphicsView* view = editor ? editor->GetActiveView() : nullptr;
    if (!view) return false;
    TKelvoGraphicsDocument& document = view->Document();
    auto hourglass = kelvo::HourglassCursor();
    bool done = false;
    if (ResizeFitsInMemory(size_)) {
        BeginEdit(*view);
        try {
            auto state = std::make_unique<TKelvoResizeCommandState>(this, document, size_.Width, size_.Height);
            done = document.Resize(size_.Width, size_.Height, /*resizeOriginal=*/true, /*scaleArea=*/true);
            // A resize that fails half-way may have changed the original already.
            if (done)
                document.AddCommandState(std::move(state));
            else
                state->Restore();
        } catch (const EOutOfMemory&) {
            done = false;
        } catch (const std::bad_alloc&) {
            done = false;
        }
        EndEdit();
    }
    if (!done) {
        editor->ShowError(GetText(KelvoTextResizeFailed,
                                  u"The image cannot be resized to this size: there is not enough "
                                  u"memory for it."));
        return false;
    }
    ResetSize();
    return true;
}

void TKelvoResizeTool::SetOptionsShown(bool shown) {
    optionsShown_ = shown;
    if (Frame) {
        kelvo::SetOptionsLink(*Frame->ShowOptions, shown);
        Frame->LayOut();
    }
    RecordOptionsShown(shown);
}

void TKelvoResizeTool::Localize() {
    TKelvoPanelTool::Localize();
    const WideString title = GetText(KelvoTextResize, u"Resize");
    if (Button) Button->SetHint(title);
    if (!Frame) return;
    Frame->TitleLabel->SetCaption(title);
    Frame->NewSizeLabel->SetCaption(GetText(KelvoTextNewSize, u"New Size") + u":");
    Frame->WidthLabel->SetCaption(GetText(KelvoTextWidth, u"Width") + u":");
    Frame->HeightLabel->SetCaption(GetText(KelvoTextHeight, u"Height") + u":");
    Frame->ConstrainProportionsCheckBox->SetCaption(GetText(KelvoTextConstrain, u"Constrain Proportions"));
    Frame->OkButton->SetCaption(GetText(KelvoTextOk, u"Ok"));
    Frame->CancelButton->SetCaption(GetText(KelvoTextCancel, u"Cancel"));
    kelvo::SetOptionsLink(*Frame->ShowOptions, optionsShown_);
}

void TKelvoResizeTool::UpdateState() {
    TKelvoPanelTool::UpdateState();
    if (!UpdateButtonAndFrame() || !Frame) return;
    const TSize image = ImageSize();
    const bool changes = ResizeChangesImage(size_, image.cx, image.cy);
    Frame->OkButton->SetEnabled(changes);
    Frame->CancelButton->SetEnabled(changes);
}

void TKelvoResizeTool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                          IKelvoDemoMacro& macro, const TKelvoProperties& params) {
    handled = true;
    double value = kDefaultDemoSide;
    if (command == "RESIZEWIDTH" || command == "RESIZEHEIGHT") {
        DemoParamNumber(params, 0, value);
        const std::int32_t side = BoundResizeSide(std::int64_t(std::clamp(value, -1e9, 1e9)));
        command == "RESIZEWIDTH" ? SetNewWidth(side) : SetNewHeight(side);
    } else if (command == "RESIZEPERFORM") {
        Apply();
    } else if (command == "RESIZECANCEL") {
        ResetSize();
    } else if (command == "RESIZEPROPORTIONAL" || command == "RESIZEDISPROPORTIONAL") {
        SetConstrain(command == "RESIZEPROPORTIONAL");
    } else if (command == "RESIZESHOWOPTIONS" || command == "RESIZEHIDEOPTIONS") {
        SetOptionsShown(command == "RESIZESHOWOPTIONS");
    } else {
        handled = false;
        TKelvoPanelTool::ExecuteDemoCommand(playback, command, handled, macro, params);
    }
}

void TKelvoResizeTool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name)) return;
    name = UpperCase(name);
    if (name == "RESIZE") {
        found = ButtonCentre(point);
    } else if (Frame) {
        TControl* target = nullptr;
        if (name == "RESIZEWIDTH") target = Frame->WidthEdit;
        if (name == "RESIZEHEIGHT") target = Frame->HeightEdit;
        if (name == "RESIZEPROPORTIONS") target = Frame->ConstrainProportionsCheckBox;
        if (name == "RESIZEPERFORM") target = Frame->OkButton;
        if (name == "RESIZECANCEL") target = Frame->CancelButton;
        if (name == "RESIZEOPTIONS") target = Frame->ShowOptions;
        found = ControlCentre(target, point);
    }
}

void TKelvoResizeTool::DocumentOpened(TKelvoGraphicsDocument& document) {
    TKelvoPanelTool::DocumentOpened(document);
    size_ =
        TResizeSize{BoundResizeSide(document.Working().GetWidth()), BoundResizeSide(document.Working().GetHeight())};
    if (TKelvoGraphicsEditor* editor = Editor()) {
        editor->SetWidthStatus(document.Working().GetWidth());
        editor->SetHeightStatus(document.Working().GetHeight());
    }
    ShowSize();
    if (Frame) Frame->ShowConstrain(constrain_);
}

void TKelvoResizeTool::Activate() {
    TKelvoPanelTool::Activate();
    ResetSize();
    if (!Frame) return;
    ShowSize();
    Frame->ShowConstrain(constrain_);
}
