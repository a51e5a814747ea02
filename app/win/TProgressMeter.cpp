#include "app/win/TProgressMeter.h"

#include "classlib/win/TProgressBar.h"
#include "themed/win/TSkinStatusBar.h"

void TProgressMeter::Start(std::int32_t max) {
    bar_->SetMax(max == 0 ? defaultMax_ : max);
    bar_->SetPosition(0);
}

void TProgressMeter::StepIt() {
    bar_->StepIt();
    if (bar_->HandleAllocated()) ::UpdateWindow(bar_->Handle());
}

TProgressBar* AddStatusProgressBar(TSkinCustomStatusBar* statusBar) {
    auto* bar = Create<TProgressBar>(statusBar);
    bar->SetStep(1);
    bar->SetParent(statusBar);
    TSkinStatusPanels* panels = statusBar->Panels();
    panels->Items(panels->Count() - 1)->SetSize(200);
    return bar;
}
