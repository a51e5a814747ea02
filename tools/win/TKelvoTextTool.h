// The text tool: the memo's lines, drawn white on black in the chosen font, are stretched to a box the user drags
// on the image and blended into it as a coverage mask, towards the chosen colour or the inverse of each pixel.
// The box is moved and resized by its eight handles until Enter or a click outside keeps the text (one undo
// step) or Esc or a right click drops it. From the press that starts a box the tool holds the document's edit, so
// nothing else changes the image (nor undoes a step) while the text is placed. It is the one tool that plug-in
// mode keeps.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/TKelvoPixelBuffer.h"
#include "app/win/TKelvoGraphicsTool.h"
#include "app/win/TKelvoGraphicsToolControl.h"
#include "classlib/win/GdiHandle.h"
#include "tools/core/TextBox.h"
#include "tools/core/TextControlState.h"

class TKelvoTextFrame;
class TKelvoTextToolControl;
class TSkinItem;

class TKelvoTextTool : public TKelvoGraphicsTool {
    CLASSLIB_COMPONENT(TKelvoTextTool, TKelvoGraphicsTool)

    explicit TKelvoTextTool(TComponent* owner);
    ~TKelvoTextTool() override;

    const TTextSettings& Settings() const { return settings_; }
    // Each acts only on a new value; the size and the style draw the text anew, the colour blends it anew.
    void SetFontSize(std::int32_t value);
    void SetColorMode(std::int32_t value);
    void SetTextColor(std::uint32_t value);
    void SetMaxInverse(bool value);
    void SetFontStyle(std::int32_t value);
    // The frame's font and memo: the font the text is drawn in, and the text.
    std::u16string FontName() const;
    std::vector<std::u16string> TextLines() const;

    // Draws the memo's text in the font, then stretches it to the box and blends it.
    void RenderText();
    // The drawn text stretched to the control's box.
    void ScaleText();
    // Takes the text out of the pixels where it was last blended, and blends it into the box now.
    void BlendText();
    // The placed text becomes one undo step.
    void CommitText();
    // The control's box and the pixels under it back to nothing placed.
    void ResetControl();
    // The width and height of the drawn text (0 x 0 without text).
    TKelvoRect TextBounds() const { return textBounds_; }
    // The control on the active view, or null.
    TKelvoTextToolControl* ActiveControl() const;

    // The text leaves the pixels; the box goes.
    void CancelEdit() override;
    // The button and the frame belong to the tool panel: the tool forgets them when they go first.
    void Notification(TComponent* component, TOperation operation) override;
    void Localize() override;
    // Node 1 {663FE753-B6FB-4703-B7E5-6E8A8E0DD5E0}: items 1 size, 2 colour mode, 3 colour, 4 maximum inverse,
    // 5 style, each held to what the frame can show.
    void LoadState(TKelvoSDFReader& reader) override;
    void SaveState(TKelvoSDFWriter& writer) override;
    void UpdateState() override;
    void DocumentClosing(TKelvoGraphicsDocument& document) override;
    void SetEnabled(bool value) override;
    void Activate() override;

    // The targets "Text", "TextFontColor", "TextColor", "TextMaxInverse", "TextFontSize", "TextFontBI" and
    // "TextMemo"; the commands of the same names (their values) and "TextMemoYalta", which types "Yalta".
    void ExecuteDemoCommand(IKelvoDemoPlayback& playback, const AnsiString& command, bool& handled,
                            IKelvoDemoMacro& macro, const TKelvoProperties& params) override;
    void GetDemoTargetPoint(const TKelvoProperties& params, bool& found, TPoint& point) override;

    TSkinItem* Button = nullptr;
    TKelvoTextFrame* Frame = nullptr;

private:
    void ButtonClick(TObject* sender);
    // Shows the settings in the frame's controls without taking their events as the user's.
    void ShowSettings();
    void Record(const char* suffix, std::int64_t value);

    TTextSettings settings_;
    bool drawn_ = false;
    TTextBox lastBox_;
    TGdiHandle<HBITMAP> textBitmap_;
    TKelvoRect textBounds_;
    TKelvoPixelBuffer boxMask_;
    bool colorPending_ = true;
    bool showing_ = false;
};

class TKelvoTextToolControl : public TKelvoGraphicsToolControl {
    CLASSLIB_CLASS(TKelvoTextToolControl, TKelvoGraphicsToolControl)

public:
    TKelvoTextToolControl(TKelvoGraphicsTool& tool, TKelvoGraphicsView& view);

    const TTextControlState& State() const { return state_; }
    void ResetState();

    void Show() override;
    void Hide() override;
    bool GetCursor(TShiftState shift, TKelvoPoint point, int& cursor) override;
    bool MouseDown(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool MouseMove(TShiftState shift, TKelvoPoint point) override;
    bool MouseUp(TMouseButton button, TShiftState shift, TKelvoPoint point) override;
    bool KeyDown(std::uint16_t& key, TShiftState shift) override;
    // The box and, while it is placed, its handles.
    void GetOverlayRect(const TKelvoMapMode& map, TKelvoRect& rect) override;
    void PaintOverlay(TKelvoViewCanvas& canvas) override;

private:
    TKelvoTextTool& TextTool() const { return static_cast<TKelvoTextTool&>(*Tool()); }
    TKelvoRect ScreenBox() const;
    TKelvoRect ImageArea() const;
    void Carry(TTextAction action);
    // The box follows the pointer in a drag: the text is stretched anew when its size changed, and blended.
    void Follow(TKelvoPoint point);

    TTextControlState state_;
};
