#include "tools/win/TKelvoCrop2Tool.h"

#include <memory>

#include "app/core/KelvoEditorDemo.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/core/TKelvoSDFReader.h"
#include "app/core/TKelvoSDFWriter.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/Exceptions.h"
#include "classlib/core/ScopeGuard.h"
#include "classlib/core/StringUtils.h"
#include "themed/win/TSkinCheckBox.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinLabel.h"
#include "themed/win/TSkinLink.h"
#include "tools/win/KelvoImageToolSupport.h"
#include "tools/win/TKelvoCrop2CommandState.h"
#include "tools/win/TKelvoCrop2Frame.h"
#include "tools/win/TKelvoCrop2ToolControl.h"

namespace {

constexpr std::uint32_t kNodeId = 1;
constexpr TGUID kNodeKey = TGUID::Parse("{FA533C1A-B74B-486B-BB5E-7AEA47608D79}");
constexpr std::uint32_t kOptionsItem = 1;

}  // namespace

TKelvoCrop2Tool::TKelvoCrop2Tool(TComponent* owner) : TKelvoPanelTool(owner) {
    toolName_ = "Crop";
    exclusive_ = true;
    controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoCrop2ToolControl>;
    const WideString caption = GetText(KelvoTextCrop, u"Crop");
    AddButtonAndFrame(Frame, "CROP", caption, caption);
    if (Frame) Frame->Tool = this;
    SetOptionsShown(false);
}

TKelvoCrop2Tool::~TKelvoCrop2Tool() {
    if (Frame) Frame->Tool = nullptr;
}

void TKelvoCrop2Tool::SetOptionsShown(bool shown) {
    optionsShown_ = shown;
    if (!Frame) return;
    Frame->rbFree->SetChecked(true);
    Frame->SetRatio();
    Frame->LayOut(shown);
    kelvo::SetOptionsLink(*Frame->ShowOptions, shown);
}

TKelvoCrop2ToolControl* TKelvoCrop2Tool::ActiveControl() const {
    return static_cast<TKelvoCrop2ToolControl*>(ActiveViewControl());
}

bool TKelvoCrop2Tool::Perform() {
    TKelvoCrop2ToolControl* control = ActiveControl();
    TKelvoGraphicsEditor* editor = Editor();
    if (!control || !editor || control->State().State == CropIdle || control->State().Selection.IsEmpty()) return false;
    TKelvoGraphicsView& view = control->View();
    TKelvoGraphicsDocument& document = view.Document();
    const TKelvoRect selection = control->State().Selection;
    auto hourglass = kelvo::HourglassCursor();
    BeginEdit(view);
    bool done = false;
    try {
        auto state = std::make_unique<TKelvoCrop2CommandState>(this, document, selection);
        done = document.Crop(selection);
        if (done)
            document.AddCommandState(std::move(state));
        else
            state->Restore();
    } catch (const EOutOfMemory&) {
    } catch (const std::bad_alloc&) {}
    EndEdit();
    control->ResetSelection();
    if (IKelvoDemoPlayback* recorder = Recorder()) recorder->AddLine("CropPerform");
    if (!done)
        editor->ShowError(GetText(KelvoTextCropFailed, u"The image cannot be cropped: there is not enough memory."));
    return done;
}

void TKelvoCrop2Tool::Cancel() {
    CancelEdit();
    if (TKelvoCrop2ToolControl* control = ActiveControl()) control->ResetSelection();
    if (IKelvoDemoPlayback* recorder = Recorder()) recorder->AddLine("CropCancel");
}

void TKelvoCrop2Tool::StateApplied(TKelvoGraphicsDocument& document, IKelvoGraphicsTool*, const TKelvoRect&) {
    for (int i = 0; i < GetControlCount(); ++i) {
        auto* control = static_cast<TKelvoCrop2ToolControl*>(GetControl(i));
        if (&control->View().Document() == &document) control->ImageChanged();
    }
}

void TKelvoCrop2Tool::Localize() {
    TKelvoPanelTool::Localize();
    const WideString title = GetText(KelvoTextCrop, u"Crop");
    if (Button) Button->SetHint(title);
    if (!Frame) return;
    Frame->TitleLabel->SetCaption(title);
    Frame->DescriptionLabel->SetCaption(
        GetText(KelvoTextCropDescription, u"Drag a frame over the image; press Enter or click outside it to crop."));
    Frame->WidthLabel->SetCaption(GetText(KelvoTextWidth, u"Width") + u":");
    Frame->HeightLabel->SetCaption(GetText(KelvoTextHeight, u"Height") + u":");
    kelvo::SetOptionsLink(*Frame->ShowOptions, optionsShown_);
    Frame->LayOut(optionsShown_);
}

void TKelvoCrop2Tool::UpdateState() {
    TKelvoPanelTool::UpdateState();
    UpdateButtonAndFrame();
}

void TKelvoCrop2Tool::LoadState(TKelvoSDFReader& reader) {
    TKelvoPanelTool::LoadState(reader);
    if (!reader.OpenNode(kNodeId, kNodeKey)) return;
    TScopeExit close([&] { reader.CloseNode(); });
    std::int32_t shown = 0;
    if (reader.ReadInteger(kOptionsItem, shown)) SetOptionsShown(shown != 0);
}

void TKelvoCrop2Tool::SaveState(TKelvoSDFWriter& writer) {
    TKelvoPanelTool::SaveState(writer);
    writer.BeginNode(kNodeId, kNodeKey);
    writer.WriteInteger(kOptionsItem, optionsShown_ ? 1 : 0);
    writer.EndNode();
}

void TKelvoCrop2Tool::ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                                         IKelvoDemoMacro& macro, const TKelvoProperties& params) {
    if (command == "CROPPERFORM") {
        handled = true;
        Perform();
    } else if (command == "CROPCANCEL") {
        handled = true;
        Cancel();
    } else {
        TKelvoPanelTool::ExecuteDemoCommand(playback, command, handled, macro, params);
    }
}

void TKelvoCrop2Tool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    if (!DemoParamText(params, 0, name) || UpperCase(name) != "CROP") return;
    found = ButtonCentre(point);
}
