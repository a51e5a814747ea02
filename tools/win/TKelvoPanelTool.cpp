#include "tools/win/TKelvoPanelTool.h"

#include "app/core/IKelvoDemoParticipant.h"
#include "app/win/TKelvoFrame.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TKelvoGraphicsToolControl.h"
#include "app/win/TKelvoGraphicsView.h"
#include "app/win/TMainForm.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TControl.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinToolbar.h"
#include "toolbar/win/TTBItemViewer.h"
#include "toolbar/win/TTBToolbarView.h"

TKelvoToolPanelModule* TKelvoPanelTool::ToolPanel() {
    if (!Application) return nullptr;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* panel = dynamic_cast<TKelvoToolPanelModule*>(Application->Components(i))) return panel;
    return nullptr;
}

bool TKelvoPanelTool::ItemCentre(TSkinToolbar* toolbar, TSkinItem* item, TPoint& point) {
    if (!toolbar || !item || !toolbar->HandleAllocated()) return false;
    TTBItemViewer* viewer = toolbar->View()->Find(item);
    if (!viewer || !viewer->Show()) return false;
    const TRect bounds = viewer->BoundsRect();
    point = toolbar->ClientToScreen(Point(bounds.Left + bounds.Width() / 2, bounds.Top + bounds.Height() / 2));
    return true;
}

bool TKelvoPanelTool::ControlCentre(TControl* control, TPoint& point) {
    // Showing, not only visible: a control on a hidden panel or frame has no point on the screen.
    if (!control || !control->Showing()) return false;
    point = control->ClientToScreen(Point(control->Width() / 2, control->Height() / 2));
    return true;
}

void TKelvoPanelTool::RecordChange(const AnsiString& target, const AnsiString& line) {
    IKelvoDemoPlayback* recorder = Recorder();
    if (!recorder) return;
    recorder->AddLine("MouseCurvedMove " + target);
    recorder->AddLine(line);
}

void TKelvoPanelTool::AddButton(TKelvoToolPanelModule* panel, const AnsiString& image, const WideString& caption) {
    TKelvoGraphicsEditor* editor = Editor();
    TMainForm* form = editor ? editor->MainForm() : nullptr;
    if (!form) return;
    Button = form->AddToolButton<TSkinItem>(panel ? panel->Toolbar : editor->StandardToolbar, form->GetImages(),
                                            nullptr, caption, form->LoadImage(image),
                                            MakeMethod<&TKelvoPanelTool::ButtonClick>(this));
    Button->FreeNotification(this);
}

bool TKelvoPanelTool::UpdateButton() {
    TKelvoGraphicsEditor* editor = Editor();
    if (!Button || !editor) return false;
    const bool enabled = editor->CanToolEdit(this);
    const bool checked = editor->ActiveTool() == this;
    Button->SetChecked(checked);
    Button->SetEnabled(enabled);
    return enabled && checked;
}

bool TKelvoPanelTool::UpdateButtonAndFrame() {
    if (!Button || !Editor()) return false;
    const bool editable = UpdateButton();
    if (frame_) frame_->SetControlsEnabled(editable);
    return editable;
}

bool TKelvoPanelTool::ButtonCentre(TPoint& point) const {
    TKelvoToolPanelModule* panel = ToolPanel();
    TKelvoGraphicsEditor* editor = Editor();
    TSkinToolbar* toolbar = panel ? panel->Toolbar : editor ? editor->StandardToolbar : nullptr;
    return ItemCentre(toolbar, Button, point);
}

TKelvoGraphicsToolControl* TKelvoPanelTool::ActiveViewControl() const {
    TKelvoGraphicsEditor* editor = Editor();
    TKelvoGraphicsView* view = editor ? editor->GetActiveView() : nullptr;
    for (int i = 0; view && i < GetControlCount(); ++i)
        if (&GetControl(i)->View() == view) return GetControl(i);
    return nullptr;
}

void TKelvoPanelTool::RecordOptionsShown(bool shown) {
    RecordChange(toolName_ + "Options", toolName_ + (shown ? "ShowOptions" : "HideOptions"));
}

void TKelvoPanelTool::SetEnabled(bool value) {
    if (frame_) frame_->SetVisible(value);
    if (Button) Button->SetVisible(value);
    TKelvoGraphicsTool::SetEnabled(value);
}

void TKelvoPanelTool::Activate() {
    TKelvoGraphicsTool::Activate();
    if (frame_) frame_->BringToFront();
}

void TKelvoPanelTool::Notification(TComponent* component, TOperation operation) {
    TKelvoGraphicsTool::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == Button) Button = nullptr;
    if (component == frame_) {
        frame_ = nullptr;
        if (forgetFrame_) forgetFrame_();
    }
}
