// The options frame of a correction tool in the tool panel: the crop type, the lens distortion (none,
// manual with its value, automatic from the lens profile, with the camera it was found for), the reference
// rectangle and the Finish button. A derived frame adds its own controls in the slot between the
// distortion group and the reference rectangle (ArrangeExtra).
#pragma once
#include <cstdint>

#include "app/win/TKelvoFrame.h"

class TSpinEdit;
class TUniButton;
class TUniCheckBox;
class TUniEdit;
class TUniGroupBox;
class TUniLabel;
class TUniRadioButton;
class TUniRadioGroup;
class TUniMyTrackBar;

class TKelvoCorrectionToolFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoCorrectionToolFrame, TKelvoFrame)

    explicit TKelvoCorrectionToolFrame(TComponent* owner);
    // The builder of the shared controls; registered (again) by every tool before its frame is made.
    static void RegisterBuilder();

    // Places the groups one below the other at the frame's width.
    virtual void Arrange();

    // 0 none, 1 manual, 2 automatic.
    int DistortionMode() const;
    void SetDistortionMode(int mode);
    int ManualValue();
    // The spin edit and its track bar.
    void SetManualValue(int value);
    int CropType() const;
    void SetCropType(int value);
    // The entered reference width and height; 0 when a field is empty or holds no number.
    double ReferenceWidth();
    double ReferenceHeight();
    void SetReferenceSize(double width, double height);

    TUniLabel* TitleLabel = nullptr;
    TUniRadioGroup* trgCrop = nullptr;
    TUniGroupBox* tgbDistor = nullptr;
    TUniRadioButton* trbDistorNo = nullptr;
    TUniRadioButton* trbDistorMan = nullptr;
    TUniRadioButton* trbDistorAuto = nullptr;
    TSpinEdit* seDistorD3 = nullptr;
    TUniMyTrackBar* DistorTrackBar = nullptr;
    TUniLabel* sklEquipMake = nullptr;
    TUniLabel* sklEquipModel = nullptr;
    TUniLabel* sklFocalLength = nullptr;
    TUniLabel* sklKoef = nullptr;
    TUniGroupBox* TGBRefRecSize = nullptr;
    TUniCheckBox* CBRefSize = nullptr;
    TUniLabel* LabelWidth = nullptr;
    TUniEdit* EditWidth = nullptr;
    TUniLabel* LabelHeight = nullptr;
    TUniEdit* EditHeight = nullptr;
    TUniButton* btFinish = nullptr;

protected:
    // The derived frame's controls go at top; top is moved below them.
    virtual void ArrangeExtra(int& top, int width) {}
    // The distortion track bar of this kind of frame.
    virtual TUniMyTrackBar* MakeDistortionTrackBar();

private:
    static void Build(TComponent* root);
};

// A number as the frame shows it: "." as decimal point, no trailing zeros; empty for 0.
WideString FrameNumberText(double value);
// The number of a text field ("." or "," as decimal point); 0 when it holds none.
double FrameNumber(const WideString& text);
