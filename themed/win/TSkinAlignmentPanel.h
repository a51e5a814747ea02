// A themed panel that aligns its children inside its margins and paddings (and a one-pixel border when a
// border colour is set), paints an optional (rounded) rectangle inside its margins, and answers minimum
// sizes summed over its aligned children, so that panels nest into tool frames that size themselves.
#pragma once
#include "classlib/core/Method.h"
#include "themed/win/TSkinControl.h"
#include "themed/win/TSkinControlMargins.h"

// What a panel that sums its children counts for a child: a client-aligned one by its minimum (a themed
// control's own, else its minimum constraint), any other by its height or width.
int GetControlHeight(TControl* control);
int GetControlWidth(TControl* control);

class TSkinAlignmentPanel : public TSkinControl {
    CLASSLIB_COMPONENT(TSkinAlignmentPanel, TSkinControl)
    CLASSLIB_MESSAGES(TSkinAlignmentPanel, CLASSLIB_ON(WM_ERASEBKGND, &TSkinAlignmentPanel::WMEraseBkgnd))

    explicit TSkinAlignmentPanel(TComponent* owner);
    ~TSkinAlignmentPanel() override;

    TSkinControlMargins* Margins() const { return margins_.get(); }
    TSkinControlPaddings* Paddings() const { return paddings_.get(); }
    // clNone: no border.
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    int BorderRadius() const { return borderRadius_; }
    void SetBorderRadius(int value);

    TNotifyEvent OnPaint;

    int GetMinHeight() override;
    int GetMinWidth() override;

protected:
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void WMEraseBkgnd(TMessage& message);

private:
    void EdgesChanged(TObject* sender);

    TObjectPtr<TSkinControlMargins> margins_;
    TObjectPtr<TSkinControlPaddings> paddings_;
    TColor borderColor_ = clNone;
    int borderRadius_ = 0;
};
