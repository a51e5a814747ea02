// A graphics tool with a button on the tool panel's toolbar that makes it current and a frame of its own in
// the panel. In a program without the panel, a tool that names a caption for the standard toolbar gets its
// button there and no frame; any other gets neither.
#pragma once
#include <functional>
#include <optional>

#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoToolPanelModule.h"

class TControl;
class TKelvoFrame;
class TSkinItem;
class TSkinToolbar;

class TKelvoPanelTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoPanelTool, TKelvoGraphicsTool)

    explicit TKelvoPanelTool(TComponent* owner) : TKelvoGraphicsTool(owner) {}

    // The application's tool panel, or null when the program has none.
    static TKelvoToolPanelModule* ToolPanel();
    // The screen centre of a toolbar's item, or of a control; false while it is not shown.
    static bool ItemCentre(TSkinToolbar* toolbar, TSkinItem* item, TPoint& point);
    static bool ControlCentre(TControl* control, TPoint& point);

    // While recording a change made through a control: "MouseCurvedMove <target>", then the line that makes it.
    void RecordChange(const AnsiString& target, const AnsiString& line);

    // Shown (button and frame) only while the tool is enabled.
    void SetEnabled(bool value) override;
    // Its frame comes to the front of the panel.
    void Activate() override;
    // The button and the frame belong to the tool panel: the tool forgets them when they go first.
    void Notification(TComponent* component, TOperation operation) override;

    TSkinItem* Button = nullptr;

protected:
    // The button with the picture of the named resource and, with the panel, a frame of class T put in frame
    // (null without; set back to null when the panel frees the frame). The button's caption is panelCaption on
    // the panel, standardCaption on the standard toolbar; without a standardCaption there is no button either
    // when the program has no panel.
    template <class T>
    void AddButtonAndFrame(T*& frame, const AnsiString& image, const WideString& panelCaption,
                           const std::optional<WideString>& standardCaption = std::nullopt);
    // A frame the tool made itself: shown, brought to the front and forgotten (frame set back to null when
    // its owner frees it first) as one from AddButtonAndFrame. Given the same frame again, the further
    // pointer is set back to null too.
    template <class T>
    void UseFrame(T*& frame);
    // The button on the panel's toolbar, or on the standard toolbar without a panel.
    void AddButton(TKelvoToolPanelModule* panel, const AnsiString& image, const WideString& caption);
    // The button checked while the tool is current and enabled while it may edit. Returns whether both.
    bool UpdateButton();
    // UpdateButton, and the frame's controls enabled when it returns true.
    bool UpdateButtonAndFrame();
    // The screen centre of the button, for demonstrations.
    bool ButtonCentre(TPoint& point) const;
    // The tool's control on the editor's active view, or null.
    TKelvoGraphicsToolControl* ActiveViewControl() const;
    // While recording: the options link's target, then the line that shows or hides the options.
    void RecordOptionsShown(bool shown);

private:
    void ButtonClick(TObject* sender) { Select(); }

    TKelvoFrame* frame_ = nullptr;
    // Clears the tools' own typed pointers to the frame.
    std::function<void()> forgetFrame_;
};

template <class T>
void TKelvoPanelTool::AddButtonAndFrame(T*& frame, const AnsiString& image, const WideString& panelCaption,
                                        const std::optional<WideString>& standardCaption) {
    frame = nullptr;
    TKelvoToolPanelModule* panel = ToolPanel();
    if (!panel && !standardCaption) return;
    AddButton(panel, image, panel ? panelCaption : *standardCaption);
    if (!panel || !Button) return;
    T::RegisterBuilder();
    frame = panel->AddToolFrame<T>();
    UseFrame(frame);
}

template <class T>
void TKelvoPanelTool::UseFrame(T*& frame) {
    if (!frame) return;
    if (frame != frame_) {
        // The frames lie on top of each other in the panel: one that drew the panel's background behind its
        // controls would show the other frames' controls through its own.
        frame->SetParentBackground(false);
        frame->FreeNotification(this);
        frame_ = frame;
        forgetFrame_ = nullptr;
    }
    // A base and a derived tool may each keep a typed pointer to the same frame: all are forgotten.
    forgetFrame_ = [previous = std::move(forgetFrame_), &frame] {
        if (previous) previous();
        frame = nullptr;
    };
}
