// The speech balloon a demonstration's message shows beside the pointer: a top-most, borderless window that
// never takes the activation, with rounded corners and a triangular tail whose tip touches the given screen
// point. The balloon stays on the monitor of that point (see LayoutBalloon).
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"
#include "demo/core/KelvoBalloonLayout.h"
#include "unicode/win/TUniHintWindow.h"

class TKelvoBalloon : public TUniHintWindow {
    CLASSLIB_COMPONENT(TKelvoBalloon, TUniHintWindow)
    CLASSLIB_MESSAGES(TKelvoBalloon, CLASSLIB_ON(CM_TEXTCHANGED, &TKelvoBalloon::CMTextChanged))

    // Texts wrap at this width.
    static constexpr int kMaxTextWidth = 350;

    explicit TKelvoBalloon(TComponent* owner) : TUniHintWindow(owner) {}

    // Shows text with the tail's tip on (x, y); corner 0 chooses it, 1 to 4 as in LayoutBalloon. Every call
    // makes a new window.
    void ShowAt(std::int32_t x, std::int32_t y, std::int32_t corner, const WideString& text);
    // Hides the window (destroying it, and its region with it).
    void Hide() { ReleaseHandle(); }
    const TKelvoBalloonLayout& Layout() const { return layout_; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    // The balloon sizes itself to its wrapped text and tail: the hint windows' sizing to one line is skipped.
    void CMTextChanged(TMessage& message) { DispatchInherited<THintWindow>(this, message); }

private:
    TKelvoBalloonLayout layout_;
};
