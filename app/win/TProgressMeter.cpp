#include "app/win/TProgressMeter.h"

#include "classlib/win/TProgressBar.h"
#include "themed/win/TSkinStatusBar.h"

void TProgressMeter::Start(std::int32_t max) {
    bar_->SetMax(max == 0 ? defaultMax_ : max);
    bar_->SetPosition(0);
    position_ = 0;
}

void TProgressMeter::StepIt() {
    // A render steps once per column, thousands of times, and the system's bar paints itself at every position
    // it is given: that cost far more than the render. The bar is given the position when its filled part
    // changes by a pixel, so it paints at most once per pixel of its width.
    position_ = TProgressBar::SteppedPosition(position_, bar_->Step(), bar_->Min(), bar_->Max());
    const int width = bar_->HandleAllocated() ? bar_->ClientWidth() : 0;
    if (width > 0 && FilledWidth(position_, width) == FilledWidth(bar_->Position(), width)) return;
    bar_->SetPosition(position_);
    if (bar_->HandleAllocated()) ::UpdateWindow(bar_->Handle());
}

std::int64_t TProgressMeter::FilledWidth(std::int32_t position, int width) const {
    const std::int64_t range = std::int64_t{bar_->Max()} - bar_->Min();
    if (range <= 0) return 0;
    return (std::int64_t{position} - bar_->Min()) * width / range;
}

TProgressBar* AddStatusProgressBar(TSkinCustomStatusBar* statusBar) {
    auto* bar = Create<TProgressBar>(statusBar);
    bar->SetStep(1);
    bar->SetParent(statusBar);
    TSkinStatusPanels* panels = statusBar->Panels();
    panels->Items(panels->Count() - 1)->SetSize(200);
    return bar;
}
