// The resize tool's part of the tool panel: the new width and height (typed or stepped, 1 .. 32767), the
// choice to keep the image's proportions, OK and Cancel. The tool owns the numbers; the frame shows them and
// passes on what the user does.
#pragma once
#include <cstdint>

#include "app/win/TKelvoFrame.h"
#include "classlib/win/TUpDown.h"

class TKelvoResizeTool;
class TSkinAlignmentPanel;
class TSkinButton;
class TSkinCheckBox;
class TSkinLabel;
class TSkinLink;
class TUniEdit;
class TUpDown;

class TKelvoResizeFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoResizeFrame, TKelvoFrame)

    explicit TKelvoResizeFrame(TComponent* owner);
    // The builder that makes the frame's controls; registered before the first frame is made.
    static void RegisterBuilder();

    // The size panel, the check box, the OK panel and the options link one below the other under the labels.
    void LayOut();

    TKelvoResizeTool* Tool = nullptr;

    TSkinLabel* TitleLabel = nullptr;
    TSkinLink* ShowOptions = nullptr;
    TSkinLabel* NewSizeLabel = nullptr;
    TSkinAlignmentPanel* SizePanel = nullptr;
    TSkinLabel* WidthLabel = nullptr;
    TUniEdit* WidthEdit = nullptr;
    TUpDown* WidthUpDown = nullptr;
    TSkinLabel* HeightLabel = nullptr;
    TUniEdit* HeightEdit = nullptr;
    TUpDown* HeightUpDown = nullptr;
    TSkinCheckBox* ConstrainProportionsCheckBox = nullptr;
    TSkinAlignmentPanel* OkPanel = nullptr;
    TSkinButton* OkButton = nullptr;
    TSkinButton* CancelButton = nullptr;

    // The tool's numbers shown without the change handlers taking them for the user's.
    void ShowSize(std::int32_t width, std::int32_t height);
    void ShowConstrain(bool on);

private:
    static void Build(TComponent* root);
    void WidthEditChange(TObject* sender);
    void HeightEditChange(TObject* sender);
    void WidthUpDownChangingEx(TObject* sender, bool& allowChange, std::int16_t newValue, TUpDownDirection direction);
    void HeightUpDownChangingEx(TObject* sender, bool& allowChange, std::int16_t newValue, TUpDownDirection direction);
    void ConstrainProportionsCheckBoxChange(TObject* sender);
    void OkButtonClick(TObject* sender);
    void CancelButtonClick(TObject* sender);
    void ShowOptionsButtonClick(TObject* sender);

    bool showing_ = false;  // the frame itself is changing the controls
};
