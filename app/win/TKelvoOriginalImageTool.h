// The original-image tool: while its toolbar button or the "O" key is held, the view shows the document's
// original bitmap, as it was read, at its own size in place of the working one; releasing gives the editor
// back the tool it had.
#pragma once
#include "app/core/KelvoToolRules.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoGraphicsToolControl.h"
#include "themed/win/TSkinCustomItem.h"

// A toolbar button that tells when it is pressed down and when it comes up again (or loses the mouse).
class TKelvoHoldButton : public TSkinItem {
    CLASSLIB_COMPONENT(TKelvoHoldButton, TSkinItem)

    explicit TKelvoHoldButton(TComponent* owner) : TSkinItem(owner) {}
    TTBItemViewer* CreateViewer(TTBView* view, int groupLevel, bool chevron) override;

    std::function<void(bool pressed)> OnPressedChange;
};

class TKelvoOriginalImageTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoOriginalImageTool, TKelvoGraphicsTool)

    // Adds its button at the end of the editor's standard toolbar.
    explicit TKelvoOriginalImageTool(TComponent* owner);
    ~TKelvoOriginalImageTool() override;

    // The tool becomes current, remembering the one it replaces; GiveBack restores that one.
    void Take();
    void GiveBack();

    void Localize() override;
    void UpdateState() override;
    // Recorded as the button's press and release.
    void Activate() override;
    // A script shows the original by holding the button down ("OriginalImage" and "OriginalImageButton" are
    // its centre), never by a command of the tool's name.
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override {}
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TKelvoHoldButton* OriginalImageToolButton = nullptr;

private:
    TKelvoToolTakeover takeover_{this};
};

class TKelvoOriginalImageToolControl : public TKelvoGraphicsToolControl {
    CLASSLIB_CLASS(TKelvoOriginalImageToolControl, TKelvoGraphicsToolControl)

public:
    TKelvoOriginalImageToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);

    void InitControl() override;
    bool KeyDown(std::uint16_t& key, TShiftState shift) override;
    bool KeyUp(std::uint16_t& key, TShiftState shift) override;
    // The original takes the document layer's place (and the scroll extent) while shown.
    void Show() override;
    void Hide() override;
    void PaintBody(TKelvoViewCanvas& canvas) override;
    // The key held when the focus left: the tool it replaced comes back (a hold by the button stays).
    void FocusLost() override;

private:
    TKelvoOriginalImageTool& OriginalTool() const { return static_cast<TKelvoOriginalImageTool&>(*Tool()); }

    std::uint16_t key_ = KelvoKeyOriginal;
    bool keyHeld_ = false;  // this control's key took the tool
};
