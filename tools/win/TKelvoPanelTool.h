// A graphics tool with a button on the tool panel's toolbar that makes it current and a frame of its own in
// the panel; in a program without the panel, a button on the editor's standard toolbar and no frame.
#pragma once
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoToolPanelModule.h"
#include "tools/win/KelvoImageToolSupport.h"

class TKelvoFrame;
class TSkinItem;

class TKelvoPanelTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoPanelTool, TKelvoGraphicsTool)

    explicit TKelvoPanelTool(TComponent* owner) : TKelvoGraphicsTool(owner) {}

    // Shown (button and frame) only while the tool is enabled.
    void SetEnabled(bool value) override;
    // Its frame comes to the front of the panel.
    void Activate() override;

    TSkinItem* Button = nullptr;

protected:
    // The button with the picture of the named resource, and with the panel a frame of class T (null
    // without); the button's caption is panelCaption on the panel, standardCaption on the standard toolbar.
    template <class T>
    T* AddButtonAndFrame(const AnsiString& image, const WideString& panelCaption, const WideString& standardCaption);
    // The button checked while the tool is current and enabled while it may edit; the frame's controls
    // enabled when both. Returns whether both.
    bool UpdateButtonAndFrame();
    // The screen centre of the button, for demonstrations.
    bool ButtonCentre(TPoint& point) const;

private:
    // The button on the panel's toolbar, or on the standard toolbar without a panel.
    void AddButton(TKelvoToolPanelModule* panel, const AnsiString& image, const WideString& caption);
    void ButtonClick(TObject* sender) { Select(); }

    TKelvoFrame* frame_ = nullptr;
};

template <class T>
T* TKelvoPanelTool::AddButtonAndFrame(const AnsiString& image, const WideString& panelCaption,
                                      const WideString& standardCaption) {
    TKelvoToolPanelModule* panel = kelvo::FindToolPanel();
    AddButton(panel, image, panel ? panelCaption : standardCaption);
    if (!panel || !Button) return nullptr;
    T::RegisterBuilder();
    T* frame = panel->AddToolFrame<T>();
    // The frames lie on top of each other in the panel: one that drew the panel's background behind its
    // controls would show the other frames' controls through its own.
    frame->SetParentBackground(false);
    frame_ = frame;
    return frame;
}
