// The perspective tool's part on a view: a line drawn over the image becomes a reference line.
#pragma once
#include "tools/win/TKelvoCorrectionToolControl.h"

class TKelvoPerspectiveToolControl : public TKelvoCorrectionToolControl {
    CLASSLIB_CLASS(TKelvoPerspectiveToolControl, TKelvoCorrectionToolControl)

public:
    using TKelvoCorrectionToolControl::TKelvoCorrectionToolControl;

protected:
    // Two different points become a reference line.
    void LineFinished(const TRealPoint& start, const TRealPoint& end) override;
};
