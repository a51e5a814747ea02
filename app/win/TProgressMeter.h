// The progress of the long renders of the correction tools, shown in a progress bar that sits in the last panel
// of the main window's status bar. The renders run on the user-interface thread; the meter repaints the bar at
// once whenever a step widens its filled part, or nothing would show until the render ended.
#pragma once
#include <cstdint>

#include "classlib/core/TObject.h"

class TProgressBar;
class TSkinCustomStatusBar;

class TProgressMeter : public TObject {
    CLASSLIB_CLASS(TProgressMeter, TObject)

public:
    // The bar stays its owner's.
    explicit TProgressMeter(TProgressBar* bar) : bar_(bar) {}

    // Maximum max (the default maximum when max is 0), position 0.
    void Start(std::int32_t max);
    // One step of the bar's step, painted when the filled part of the bar grows.
    void StepIt();

    std::int32_t DefaultMax() const { return defaultMax_; }
    void SetDefaultMax(std::int32_t value) { defaultMax_ = value; }
    TProgressBar* Bar() const { return bar_; }

private:
    std::int64_t FilledWidth(std::int32_t position, int width) const;

    TProgressBar* bar_;
    std::int32_t position_ = 0;
    std::int32_t defaultMax_ = 0;
};

// A progress bar with step 1 put into the status bar, where it becomes the last panel, 200 pixels wide. The
// status bar owns the bar.
TProgressBar* AddStatusProgressBar(TSkinCustomStatusBar* statusBar);
