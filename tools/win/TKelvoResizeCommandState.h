// The undo step of a resize: the whole image from before it, and the new size to resize to again on redo.
#pragma once
#include <cstdint>

#include "tools/win/TKelvoWholeImageCommandState.h"

class TKelvoResizeCommandState : public TKelvoWholeImageCommandState {
public:
    TKelvoResizeCommandState(IKelvoGraphicsTool* tool, TKelvoGraphicsDocument& document, std::int32_t newWidth,
                             std::int32_t newHeight)
        : TKelvoWholeImageCommandState(tool, document), newWidth_(newWidth), newHeight_(newHeight) {}

    std::int32_t NewWidth() const { return newWidth_; }
    std::int32_t NewHeight() const { return newHeight_; }

protected:
    // Both bitmaps resampled, the image area scaled along.
    bool RunAgain() override {
        return Document().Resize(newWidth_, newHeight_, /*resizeOriginal=*/true, /*scaleArea=*/true);
    }

private:
    std::int32_t newWidth_;
    std::int32_t newHeight_;
};
