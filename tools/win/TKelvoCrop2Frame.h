// The crop tool's part of the tool panel: with the options shown, the choice of a free ratio (two numbers, or
// none), a print format or a screen format, the screen formats' typical resolutions and this screen's own.
// The frame passes the chosen ratio on to the tool.
#pragma once
#include "app/win/TKelvoFrame.h"
#include "tools/core/CropSelection.h"

class TKelvoCrop2Tool;
class TSkinAlignmentPanel;
class TSkinButton;
class TSkinLabel;
class TSkinLink;
class TSkinRadioButton;
class TSpinEdit;
class TUniComboBox;
class TUniGroupBox;
class TUniLabel;

class TKelvoCrop2Frame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoCrop2Frame, TKelvoFrame)

    explicit TKelvoCrop2Frame(TComponent* owner);
    static void RegisterBuilder();

    // The controls of the checked mode, one below the other; the mode buttons only with the options.
    void LayOut(bool optionsShown);
    TCropRatioMode Mode() const;
    // The ratio of the checked mode, given to the tool; a screen format also shows its resolutions.
    void SetRatio();
    // The texts of the modes, the screen formats and this screen (at once and after every language change).
    void Localize() override;

    TKelvoCrop2Tool* Tool = nullptr;

    TSkinLabel* TitleLabel = nullptr;
    TSkinLabel* DescriptionLabel = nullptr;
    TSkinRadioButton* rbFree = nullptr;
    TSkinRadioButton* rbFoto = nullptr;
    TSkinRadioButton* rbScreen = nullptr;
    TSkinAlignmentPanel* SizePanel = nullptr;
    TSkinLabel* WidthLabel = nullptr;
    TSkinLabel* HeightLabel = nullptr;
    TSpinEdit* WidthEdit = nullptr;
    TSpinEdit* HeightEdit = nullptr;
    TSkinButton* btClear = nullptr;
    TSkinAlignmentPanel* panelFoto = nullptr;
    TUniComboBox* cmbFoto = nullptr;
    TSkinAlignmentPanel* panelScreen = nullptr;
    TUniComboBox* cmbScreen = nullptr;
    TUniGroupBox* gbListResolution = nullptr;
    TUniLabel* lblListResolution = nullptr;
    TUniGroupBox* gbCurrentResolution = nullptr;
    TUniLabel* lblCurrentResolution = nullptr;
    TSkinLink* ShowOptions = nullptr;

private:
    static void Build(TComponent* root);
    void RatioChange(TObject* sender);
    void ModeChange(TObject* sender);
    void btClearClick(TObject* sender);
    void ShowOptionsButtonClick(TObject* sender);
};
