#include "tools/win/TKelvoPanelTool.h"

#include "app/win/TKelvoFrame.h"
#include "app/win/TKelvoGraphicsEditor.h"
#include "app/win/TMainForm.h"
#include "themed/win/TSkinCustomItem.h"
#include "themed/win/TSkinToolbar.h"

void TKelvoPanelTool::AddButton(TKelvoToolPanelModule* panel, const AnsiString& image, const WideString& caption) {
    TKelvoGraphicsEditor* editor = Editor();
    TMainForm* form = editor ? editor->MainForm() : nullptr;
    if (!form) return;
    Button = form->AddToolButton<TSkinItem>(panel ? panel->Toolbar : editor->StandardToolbar, form->GetImages(),
                                            nullptr, caption, form->LoadImage(image),
                                            MakeMethod<&TKelvoPanelTool::ButtonClick>(this));
}

bool TKelvoPanelTool::UpdateButtonAndFrame() {
    TKelvoGraphicsEditor* editor = Editor();
    if (!Button || !editor) return false;
    const bool enabled = editor->CanToolEdit(this);
    const bool checked = editor->ActiveTool() == this;
    Button->SetChecked(checked);
    Button->SetEnabled(enabled);
    if (frame_) frame_->SetControlsEnabled(enabled && checked);
    return enabled && checked;
}

bool TKelvoPanelTool::ButtonCentre(TPoint& point) const {
    TKelvoToolPanelModule* panel = kelvo::FindToolPanel();
    TKelvoGraphicsEditor* editor = Editor();
    TSkinToolbar* toolbar = panel ? panel->Toolbar : editor ? editor->StandardToolbar : nullptr;
    return kelvo::ItemCentre(toolbar, Button, point);
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
