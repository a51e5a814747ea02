// The text tool's settings in the tool panel: the font (its name from a list that shows each name in its own
// font, bold, italic, underline, strikeout, size), the colour (chosen or the inverse of the image) and the text
// itself in a Unicode memo. The frame passes its events on; the tool decides.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/win/TKelvoFrame.h"
#include "classlib/win/TMemo.h"
#include "unicode/win/UniStdControl.h"

class TColorBox;
class TComboBox;
class TSkinButton;
class TSkinCheckBox;
class TSkinLabel;
class TSpinEdit;
class TUniGroupBox;
class TUniRadioGroup;

// A memo whose text is UTF-16: the lines are the system edit's own, not narrowed to a code page.
class TKelvoTextMemo : public uni::TUniWindowed<TMemo> {
    CLASSLIB_COMPONENT(TKelvoTextMemo, TMemo)
    explicit TKelvoTextMemo(TComponent* owner) : TUniWindowed(owner, L"EDIT") {}

    // The text split at its line breaks.
    std::vector<std::u16string> WideLines();
};

class TKelvoTextFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoTextFrame, TKelvoFrame)

    explicit TKelvoTextFrame(TComponent* owner);
    static void RegisterBuilder();

    // Bit 0 bold, 1 italic, 2 underline, 3 strikeout, as the four buttons are checked; and back.
    int CheckedStyle() const;
    void CheckStyle(int style);

    TSkinLabel* TitleLabel = nullptr;
    TUniGroupBox* FontUniGroupBox = nullptr;
    TComboBox* FontNameComboBox = nullptr;
    TSkinButton* BoldSkinButton = nullptr;
    TSkinButton* ItalicSkinButton = nullptr;
    TSkinButton* UnderlineSkinButton = nullptr;
    TSkinButton* StrikeoutSkinButton = nullptr;
    TSkinLabel* SizeSkinLabel = nullptr;
    TSpinEdit* SizeSpinEdit = nullptr;
    TUniRadioGroup* FontColorUniRadioGroup = nullptr;
    TColorBox* ColorBox = nullptr;
    TSkinCheckBox* MaxInverseSkinCheckBox = nullptr;
    TKelvoTextMemo* TextMemo = nullptr;

    // The tool's handlers.
    std::function<void()> OnStyleClick;
    std::function<void()> OnColorSelect;
    std::function<void()> OnColorModeClick;
    std::function<void()> OnMaxInverseChange;
    std::function<void()> OnSizeChange;
    std::function<void()> OnTextChange;

    // Any of the four style buttons.
    void BISkinButtonClick(TObject* sender);

private:
    static void Build(TComponent* root);
    void ColorBoxSelect(TObject* sender);
    void FontColorUniRadioGroupClick(TObject* sender);
    void MaxInverseSkinCheckBoxChange(TObject* sender);
    void SizeSpinEditChange(TObject* sender);
    void SizeSpinEditExit(TObject* sender);
    void TextMemoChange(TObject* sender);
    // Each font name drawn in its own font.
    void FontNameDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void FontNameMeasureItem(TWinControl* control, int index, int& height);
};
