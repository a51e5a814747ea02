// The track bar: a thumb the user slides between Min and Max, with tick marks. The settings are kept by the
// control and given to every window it makes; OnChange reports every change of Position, by the user or
// by the program.
#pragma once
#include "classlib/win/TWinControl.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
    CLASSLIB_COMPONENT(TTrackBar, TWinControl)
    CLASSLIB_MESSAGES(TTrackBar, CLASSLIB_ON(CN_HSCROLL, &TTrackBar::CNScroll),
                      CLASSLIB_ON(CN_VSCROLL, &TTrackBar::CNScroll))

    explicit TTrackBar(TComponent* owner);

    int Min() const { return min_; }
    // Position is kept inside the new range (with OnChange when that moves it).
    void SetMin(int value) { SetRange(value, max_ < value ? value : max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetRange(min_ > value ? value : min_, value); }
    void SetRange(int min, int max);
    int Position() const { return position_; }
    // Clamped to Min..Max; OnChange when it changes.
    void SetPosition(int value);
    // A tick every Frequency positions (tsAuto).
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    int ThumbLength() const { return thumbLength_; }
    void SetThumbLength(int value);
    // Steps of the arrow keys and of Page Up / Page Down.
    int LineSize() const { return lineSize_; }
    void SetLineSize(int value);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle value);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    virtual void Changed();
    void CNScroll(TMessage& message);

private:
    // Sends the stored settings to the window.
    void ApplySettings();
    std::intptr_t Send(UINT msg, WPARAM wParam, LPARAM lParam);

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int frequency_ = 1;
    int thumbLength_ = 20;
    int lineSize_ = 1;
    int pageSize_ = 2;
    TTrackBarOrientation orientation_ = trHorizontal;
    TTickMark tickMarks_ = tmBottomRight;
    TTickStyle tickStyle_ = tsAuto;
};
