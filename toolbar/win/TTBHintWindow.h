// The hint window of toolbars and popup menus. The class library's hint string is 8-bit, so toolbars put their
// items' wide hints into it as UTF-8 and choose this class; the window decodes the text again and puts it into
// its (Unicode) window text, which the Unicode hint window measures and paints, and shows itself with the
// system's tooltip animation.
#pragma once
#include <cstdint>

#include "classlib/core/Types.h"
#include "unicode/win/TUniHintWindow.h"

class TTBHintWindow : public TUniCustomHintWindow {
    CLASSLIB_COMPONENT(TTBHintWindow, TUniCustomHintWindow)
    CLASSLIB_MESSAGES(TTBHintWindow, CLASSLIB_ON(CM_TEXTCHANGED, &TTBHintWindow::CMTextChanged))

    explicit TTBHintWindow(TComponent* owner) : TUniCustomHintWindow(owner) {}

    // rect: screen coordinates; hint: UTF-8. Kept inside the virtual screen, topmost, never activated.
    void ActivateHint(TRect rect, const AnsiString& hint) override;
    // Toolbar hints carry no data: the same as ActivateHint.
    void ActivateHintData(TRect rect, const AnsiString& hint, void* data) override;
    // The decoded hint wrapped to maxWidth, with room for the border and margins.
    TRect CalcHintRect(int maxWidth, const AnsiString& hint, void* data) override;
    // Refuses every resize while the inherited text change runs (it would size the window to the 8-bit text).
    bool CanResize(int& newWidth, int& newHeight) override;

    // The decoded text of the last activation.
    const WideString& WideCaption() const { return caption_; }

protected:
    void CMTextChanged(TMessage& message);

private:
    WideString caption_;
    std::uint32_t lastActivation_ = 0;
    bool activating_ = false;
    bool changingText_ = false;
};
