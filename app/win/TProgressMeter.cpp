#include "app/win/TProgressMeter.h"

#include "classlib/win/TProgressBar.h"

void TProgressMeter::Start(std::int32_t max) {
    bar_->SetMax(max == 0 ? defaultMax_ : max);
    bar_->SetPosition(0);
}

void TProgressMeter::StepIt() {
    bar_->StepIt();
    if (bar_->HandleAllocated()) ::UpdateWindow(bar_->Handle());
}
