// The about box's picture: a PNG (or any picture GDI+ reads) from the program's RCDATA resources, stretched
// over the whole control. It paints every pixel itself, so it never erases its background first (the labels
// on it would flicker).
#pragma once
#include "app/win/KelvoGdiPlus.h"
#include "classlib/core/MessageDispatch.h"
#include "classlib/win/TCustomControl.h"

class TKelvoLogoBackground : public TCustomControl {
    CLASSLIB_COMPONENT(TKelvoLogoBackground, TCustomControl)
    CLASSLIB_MESSAGES(TKelvoLogoBackground, CLASSLIB_ON(WM_ERASEBKGND, &TKelvoLogoBackground::WMEraseBkgnd))

    explicit TKelvoLogoBackground(TComponent* owner);
    ~TKelvoLogoBackground() override;

    // Decodes the RCDATA resource of that name; false (and no picture) when there is none or it is not a picture.
    bool LoadPicture(const AnsiString& resourceName);
    // The picture's own width (0 without a picture).
    int PictureWidth() const { return pictureWidth_; }

protected:
    void Paint() override;

private:
    void WMEraseBkgnd(TMessage& message);

    TKelvoGdiPlusUser gdiplus_;
    TGdipImage picture_;  // freed before the share of GDI+ above
    int pictureWidth_ = 0;
};
