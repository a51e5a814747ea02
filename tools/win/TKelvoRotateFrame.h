// The rotate and flip tool's part of the tool panel: four buttons that turn or mirror the image at once, or,
// with the options shown, a choice of the four with a small picture of the result and one button that does
// the chosen one. The frame keeps the two pictures: the image scaled down, and that turned as chosen.
#pragma once
#include <cstdint>
#include <memory>

#include "app/core/TKelvoBitmap.h"
#include "app/win/TKelvoFrame.h"

class TKelvoRotateTool;
class TPaintBox;
class TPanel;
class TSkinAlignmentPanel;
class TSkinButton;
class TSkinLabel;
class TSkinLink;
class TSkinRadioButton;

class TKelvoRotateFrame : public TKelvoFrame {
    CLASSLIB_COMPONENT(TKelvoRotateFrame, TKelvoFrame)

    explicit TKelvoRotateFrame(TComponent* owner);
    ~TKelvoRotateFrame() override;
    static void RegisterBuilder();

    // The direct buttons while the options are hidden, the preview while they are shown.
    void LayOut(bool optionsShown);
    // The operation of the checked radio button (left 1, right 2, horizontal 3, vertical 4).
    std::uint8_t ChosenOperation() const;
    // Checks the radio button of op.
    void ChooseOperation(std::uint8_t op);
    TSkinRadioButton* RadioButtonOf(std::uint8_t op) const;

    // The scaled-down image (null: none), and its preview turned by the chosen operation.
    void SetThumbnail(std::unique_ptr<TKelvoLTBitmap> thumbnail);
    void RebuildPreview();
    const TKelvoLTBitmap* Thumbnail() const { return thumbnail_.get(); }
    const TKelvoLTBitmap* Preview() const { return preview_.get(); }

    TKelvoRotateTool* Tool = nullptr;

    TSkinLabel* TitleLabel = nullptr;
    TSkinButton* RotateRightButton = nullptr;
    TSkinButton* RotateLeftButton = nullptr;
    TSkinButton* FlipHorizontalButton = nullptr;
    TSkinButton* FlipVerticalButton = nullptr;
    TSkinAlignmentPanel* PreviewControl = nullptr;
    TSkinRadioButton* RotateRightRadioButton = nullptr;
    TSkinRadioButton* RotateLeftRadioButton = nullptr;
    TSkinRadioButton* FlipHorizontalRadioButton = nullptr;
    TSkinRadioButton* FlipVerticalRadioButton = nullptr;
    TSkinButton* RotateButton = nullptr;
    TPanel* PreviewPanel = nullptr;
    TPaintBox* ThumbnailView = nullptr;
    TSkinLink* ShowOptions = nullptr;

private:
    static void Build(TComponent* root);
    void DirectButtonClick(TObject* sender);
    void RotateRadioButtonChange(TObject* sender);
    void RotateButtonClick(TObject* sender);
    void ShowOptionsButtonClick(TObject* sender);
    void ThumbnailViewPaint(TObject* sender);

    std::unique_ptr<TKelvoLTBitmap> thumbnail_;
    std::unique_ptr<TKelvoLTBitmap> preview_;
};
