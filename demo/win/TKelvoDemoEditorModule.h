// The demonstration script editor's entry: a hidden File menu item "Demo" whose shortcut Ctrl+Shift+D opens
// the editor window (made on first use, then shown again).
#pragma once
#include "app/win/TKelvoModuleWithControls.h"
#include "classlib/core/TShortCut.h"

class TKelvoDemoEditorForm;
class TMainForm;
class TSkinItem;

class TKelvoDemoEditorModule : public TKelvoModuleWithControls {
    CLASSLIB_COMPONENT(TKelvoDemoEditorModule, TKelvoModuleWithControls)

    explicit TKelvoDemoEditorModule(TComponent* owner);
    TKelvoDemoEditorModule(TComponent* owner, TMainForm* mainForm);

    // Shows the editor window, made when first needed.
    void CmDemoEditor(TObject* = nullptr);
    // The window while it exists.
    TKelvoDemoEditorForm* Form() const { return form_; }

    TSkinItem* DemoEditorMenuItem = nullptr;

    static constexpr TShortCut kShortCut = ShortCut('D', {ssCtrl, ssShift});

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TKelvoDemoEditorForm* form_ = nullptr;
};
