// An undo step that keeps the whole image from before it: the working and the original bitmap and the image
// area. Crops and resizes change the size of both bitmaps, so no rectangle of pixels could bring them back;
// undo puts the kept copies back exactly, and redo runs the operation again.
#pragma once
#include "app/core/TKelvoGraphicsCommandState.h"
#include "app/core/TKelvoPixelBuffer.h"

class TKelvoWholeImageCommandState : public TKelvoCustomGraphicsCommandState {
public:
    // Copies both bitmaps and the area of document; raises EOutOfMemory (nothing changed) when the copies
    // cannot be had.
    TKelvoWholeImageCommandState(IKelvoGraphicsTool* tool, TKelvoGraphicsDocument& document);

    // The kept bitmaps and area back, then every tool told.
    bool Undo() override;
    // The operation again, then every tool told; the document is unsaved.
    bool Redo() override;

    // Puts the image as it was before the step back (also when the operation failed half-way).
    bool Restore();

protected:
    virtual bool RunAgain() = 0;

private:
    TKelvoPixelBuffer working_;
    TKelvoPixelBuffer original_;
    TKelvoRect area_;
};
