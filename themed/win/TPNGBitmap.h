// The picture class for PNG files: one 32-bit alpha bitmap, drawn composed over what is under it.
#pragma once
#include "classlib/win/TGraphic.h"
#include "themed/win/TDIB32.h"

class TPNGBitmap : public TGraphic {
    CLASSLIB_GRAPHIC(TPNGBitmap, TGraphic)
public:
    TPNGBitmap();
    ~TPNGBitmap() override;

    // Resampled into rect and composed with its alpha.
    void Draw(TCanvas* canvas, const TRect& rect) override;
    bool Empty() const override;
    int Width() const override;
    void SetWidth(int width) override;
    int Height() const override;
    void SetHeight(int height) override;
    bool Transparent() const override { return true; }

    // Reads one PNG; errors pass on and leave the picture as it was.
    void LoadFromStream(TStream& stream) override;
    // Raises EStreamError "Invalid image dimensions" when empty.
    void SaveToStream(TStream& stream) override;

    // Null empties; another PNG picture's image is copied; a bitmap's pixels are copied (opaque unless it is
    // a 32-bit bitmap that carries alpha). Other sources go to the base class.
    void Assign(TPersistent* source) override;

    // The image (null while empty).
    TDIB32* DIB() const { return dib_.get(); }

private:
    void Resize(int width, int height);

    TObjectPtr<TDIB32> dib_;
};

// Registers the unit that readies the alpha graphics at start-up: the colour effects and the "png" picture
// format (undone at shutdown). Started by classlib::Startup.
void RegisterSkinGraphicsUnit();
