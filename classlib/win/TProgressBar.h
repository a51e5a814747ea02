// A progress bar on the system's progress class. Position stays within Min..Max; StepIt moves it by Step
// and starts over at Min once it would pass Max.
#pragma once
#include <algorithm>

#include "classlib/win/TWinControl.h"

class TProgressBar : public TWinControl {
    CLASSLIB_COMPONENT(TProgressBar, TWinControl)

    explicit TProgressBar(TComponent* owner);

    // Setting Min above Max raises Max with it (and Max below Min lowers Min), so the two can be set in
    // either order.
    int Min() const { return min_; }
    void SetMin(int value) { SetRange(value, std::max(value, max_)); }
    int Max() const { return max_; }
    void SetMax(int value) { SetRange(std::min(value, min_), value); }
    int Position() const { return position_; }
    // Clamped to Min..Max.
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value);
    // Position + Step; past Max (or, for a negative step, below Min) it starts over at Min (Max).
    void StepIt();
    // Where StepIt goes from position.
    static int SteppedPosition(int position, int step, int min, int max);
    // Position + delta, clamped.
    void StepBy(int delta);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void SetRange(int min, int max);
    void SendPosition();

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
};
