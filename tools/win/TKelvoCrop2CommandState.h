// The undo step of a crop: the whole image from before it, and the rectangle to crop to again on redo.
#pragma once
#include "tools/win/TKelvoWholeImageCommandState.h"

class TKelvoCrop2CommandState : public TKelvoWholeImageCommandState {
public:
    TKelvoCrop2CommandState(IKelvoGraphicsTool* tool, TKelvoGraphicsDocument& document, const TKelvoRect& crop)
        : TKelvoWholeImageCommandState(tool, document), crop_(crop) {}

    const TKelvoRect& CropRect() const { return crop_; }

protected:
    bool RunAgain() override { return Document().Crop(crop_); }

private:
    TKelvoRect crop_;
};
