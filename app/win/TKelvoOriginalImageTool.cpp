#include "app/win/TKelvoOriginalImageTool.h"

#include "app/core/KelvoEditorDemo.h"
#include "app/core/KelvoViewPaint.h"
#include "app/core/TKelvoLocalizer.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TKelvoViewCanvas.h"
#include "app/win/TMainForm.h"
#include "app/core/KelvoTextIds.h"
#include "classlib/core/StringUtils.h"
#include "themed/win/TSkinItemViewer.h"
#include "themed/win/TSkinToolbar.h"

namespace {

class THoldButtonViewer : public TSkinItemViewer {
    CLASSLIB_CLASS(THoldButtonViewer, TSkinItemViewer)

public:
    using TSkinItemViewer::TSkinItemViewer;

    void MouseDown(TShiftState shift, int x, int y, bool& mouseDownOnMenu) override {
        TSkinItemViewer::MouseDown(shift, x, y, mouseDownOnMenu);
        Tell(true);
    }
    void MouseUp(int x, int y, bool mouseWasDownOnMenu) override {
        Tell(false);
        TSkinItemViewer::MouseUp(x, y, mouseWasDownOnMenu);
    }
    void LosingCapture() override {
        Tell(false);
        TSkinItemViewer::LosingCapture();
    }

private:
    void Tell(bool pressed) {
        if (pressed == pressed_) return;
        pressed_ = pressed;
        auto* button = dynamic_cast<TKelvoHoldButton*>(Item());
        if (button && button->OnPressedChange && button->Enabled()) button->OnPressedChange(pressed);
    }
    bool pressed_ = false;
};

}  // namespace

TTBItemViewer* TKelvoHoldButton::CreateViewer(TTBView* view, int groupLevel, bool chevron) {
    if (chevron) return nullptr;
    return Create<THoldButtonViewer>(view, this, groupLevel);
}

TKelvoOriginalImageTool::TKelvoOriginalImageTool(TComponent* owner) : TKelvoGraphicsTool(owner) {
    toolName_ = "OriginalImage";
    controlClass_ = &TKelvoGraphicsToolControl::Create<TKelvoOriginalImageToolControl>;
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor || !editor->MainForm()) return;
    TMainForm& form = *editor->MainForm();
    OriginalImageToolButton =
        form.AddToolButton<TKelvoHoldButton>(editor->StandardToolbar, form.GetImages(), nullptr,
                                             GetText(KelvoTextOriginalCaption, u"Original"), -1, nullptr);
    OriginalImageToolButton->SetHint(GetText(KelvoTextOriginalHint, u"Hold down to see the original image"));
    OriginalImageToolButton->SetDisplayMode(nbdmTextOnly);
    OriginalImageToolButton->SetStretch(true);
    OriginalImageToolButton->OnPressedChange = [this](bool pressed) { pressed ? Take() : GiveBack(); };
}

TKelvoOriginalImageTool::~TKelvoOriginalImageTool() {
    if (OriginalImageToolButton) OriginalImageToolButton->OnPressedChange = nullptr;
}

void TKelvoOriginalImageTool::Take() {
    if (TKelvoGraphicsEditor* editor = Editor()) {
        TKelvoEditorToolSelection selection(*editor);
        takeover_.Take(selection);
    }
}

void TKelvoOriginalImageTool::GiveBack() {
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor || editor->ActiveTool() != this) return;
    TKelvoEditorToolSelection selection(*editor);
    takeover_.GiveBack(selection);
}

void TKelvoOriginalImageTool::Localize() {
    TKelvoGraphicsTool::Localize();
    if (!OriginalImageToolButton) return;
    OriginalImageToolButton->SetCaption(GetText(KelvoTextOriginalCaption, u"Original"));
    OriginalImageToolButton->SetHint(GetText(KelvoTextOriginalHint, u"Hold down to see the original image"));
}

void TKelvoOriginalImageTool::UpdateState() {
    TKelvoGraphicsTool::UpdateState();
    TKelvoGraphicsEditor* editor = Editor();
    if (!OriginalImageToolButton || !editor) return;
    OriginalImageToolButton->SetEnabled(editor->GetActiveDocument() != nullptr);
    OriginalImageToolButton->SetChecked(editor->ActiveTool() == this);
}

void TKelvoOriginalImageTool::Activate() {
    TKelvoGraphicsTool::Activate();
    if (IKelvoDemoPlayback* recorder = Recorder()) {
        recorder->AddLine("MouseCurvedMove OriginalImage");
        recorder->AddLine("MouseDown");
        recorder->AddLine("Message \"Original Image\"");
        recorder->AddLine("MouseUp");
        recorder->AddLine("Message \"Corrected Image\"");
    }
}

void TKelvoOriginalImageTool::GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) {
    AnsiString name;
    TKelvoGraphicsEditor* editor = Editor();
    if (!editor || !DemoParamText(params, 0, name)) return;
    name = UpperCase(name);
    if (name == "ORIGINALIMAGE" || name == "ORIGINALIMAGEBUTTON")
        found = editor->ToolButtonCentre(OriginalImageToolButton, point);
}

TKelvoOriginalImageToolControl::TKelvoOriginalImageToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view)
    : TKelvoGraphicsToolControl(tool, view) {}

void TKelvoOriginalImageToolControl::InitControl() {
    TKelvoLTBitmap& original = View().Document().Original();
    SetBounds(MakeRect(0, 0, original.GetWidth(), original.GetHeight()));
    key_ = KelvoKeyOriginal;
}

bool TKelvoOriginalImageToolControl::KeyDown(std::uint16_t& key, TShiftState) {
    if (key != key_ || Shown() || !Tool()) return false;
    keyHeld_ = true;
    OriginalTool().Take();
    return true;
}

bool TKelvoOriginalImageToolControl::KeyUp(std::uint16_t& key, TShiftState) {
    if (key != key_ || !Shown() || !Tool()) return false;
    keyHeld_ = false;
    OriginalTool().GiveBack();
    return true;
}

void TKelvoOriginalImageToolControl::FocusLost() {
    if (!keyHeld_ || !Tool()) return;
    keyHeld_ = false;
    OriginalTool().GiveBack();
}

void TKelvoOriginalImageToolControl::Show() {
    TKelvoGraphicDocumentView& layer = View().DocumentLayer();
    layer.SetFlags(KelvoViewHasBody | KelvoViewNoExtent);
    layer.SetVisible(false);
    TKelvoLTBitmap& original = View().Document().Original();
    // Visible before the extent is taken again: the original is now what scrolls.
    SetFlags(KelvoViewHasBody | KelvoViewVisible);
    SetBounds(MakeRect(0, 0, original.GetWidth(), original.GetHeight()));
    View().Recalculate();
    TKelvoGraphicsToolControl::Show();
}

void TKelvoOriginalImageToolControl::Hide() {
    SetFlags(KelvoViewHasBody | KelvoViewNoExtent);
    // Every control of the tool, on whichever view, goes back to a hidden overlay outside the extent.
    for (int i = 0; Tool() && i < Tool()->GetControlCount(); ++i) Tool()->GetControl(i)->Reset();
    TKelvoGraphicDocumentView& layer = View().DocumentLayer();
    layer.SetFlags(KelvoViewHasBody);
    layer.SetVisible(true);
    View().Recalculate();
    TKelvoGraphicsToolControl::Hide();
}

void TKelvoOriginalImageToolControl::PaintBody(TKelvoViewCanvas& canvas) {
    TKelvoLTBitmap& original = View().Document().Original();
    TKelvoRect dest;
    GetBodyRect(canvas.MapMode(), dest);
    const TKelvoRect clip = canvas.ClipBox();
    const TKelvoVisiblePart part = VisibleImagePart(original.GetBounds(), dest, clip);
    if (!part.Dest.IsEmpty()) original.Draw(canvas.MemoryDC(), part.Dest, clip, part.Source);
    canvas.ExcludeFromClip(dest);
}
