// The correction tools' track bar beside a spin edit (distortion, strength): the Unicode track bar, with its
// wide hint and the library track bar's properties, and nothing of its own.
#pragma once
#include "unicode/win/TUniTrackBar.h"

class TUniMyTrackBar : public TUniTrackBar {
    CLASSLIB_COMPONENT(TUniMyTrackBar, TUniTrackBar)
    explicit TUniMyTrackBar(TComponent* owner) : TUniTrackBar(owner) {}
};
