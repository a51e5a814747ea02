// The four-point tool's distortion track bar: the correction tools' track bar under a name of its own.
#pragma once
#include "tools/win/TUniMyTrackBar.h"

class TUniMyTrack4Bar : public TUniMyTrackBar {
    CLASSLIB_COMPONENT(TUniMyTrack4Bar, TUniMyTrackBar)
    explicit TUniMyTrack4Bar(TComponent* owner) : TUniMyTrackBar(owner) {}
};
