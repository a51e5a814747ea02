// The Unicode hint window: a hint window in a Unicode window that shows the wide hint of a Unicode control.
// A Unicode control's trap marks its hints (uni::PrepareUnicodeHint): the hint record's HintData points at
// the record itself, and HintStr holds the 8-bit form of the wide short hint; the window then takes the wide
// text from the hint control. Any other hint is shown as the class library shows it.
#pragma once
#include "classlib/core/Types.h"
#include "classlib/win/THintWindow.h"

class TUniCustomHintWindow : public THintWindow {
    CLASSLIB_COMPONENT(TUniCustomHintWindow, THintWindow)
    CLASSLIB_MESSAGES(TUniCustomHintWindow, CLASSLIB_ON(CM_TEXTCHANGED, &TUniCustomHintWindow::CMTextChanged))

    explicit TUniCustomHintWindow(TComponent* owner) : THintWindow(owner) {}

    void ActivateHint(TRect rect, const AnsiString& hint) override;
    void ActivateHintData(TRect rect, const AnsiString& hint, void* data) override;
    TRect CalcHintRect(int maxWidth, const AnsiString& hint, void* data) override;
    // The rectangle (at 0, 0) that fits text wrapped to maxWidth, with room for the border and margins.
    virtual TRect MeasureWideHint(int maxWidth, const WideString& text);

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void Paint() override;
    void CMTextChanged(TMessage& message);

private:
    bool blockPaint_ = false;
    bool activating_ = false;
};

class TUniHintWindow : public TUniCustomHintWindow {
    CLASSLIB_COMPONENT(TUniHintWindow, TUniCustomHintWindow)
    explicit TUniHintWindow(TComponent* owner) : TUniCustomHintWindow(owner) {}
};

namespace uni {

// Whether data (the HintData of a hint) marks a Unicode hint for a window of the given class.
bool IsUnicodeHint(const void* data, TClass hintWindowClass);
// The wide text of a Unicode hint (data: its hint record) whose 8-bit text is hint.
WideString WideTextOfUnicodeHint(const AnsiString& hint, const void* data);
// " (Ctrl+O)" when the application shows shortcuts in hints, the hint is not empty and the control's action
// has a shortcut; empty otherwise. wide gives the wide form.
AnsiString HintShortCutSuffix(TControl* control, const AnsiString& hint);

}  // namespace uni
