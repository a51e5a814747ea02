// What every windowed Unicode standard control adds to its class-library base: a Unicode window on the
// system class it builds on, wide Caption/Text and Hint, the wide property-stream entries, and the
// Unicode action links. A control class derives from TUniWindowed<LibraryBase> and names its system class.
//
//     class TUniButton : public uni::TUniWindowed<TButton> {
//         CLASSLIB_COMPONENT(TUniButton, TButton)
//         explicit TUniButton(TComponent* owner) : TUniWindowed(owner, L"BUTTON") {}
//     };
#pragma once
#include "classlib/core/Messages.h"
#include "classlib/core/Types.h"
#include "classlib/win/TCanvas.h"
#include "unicode/core/WideProperties.h"
#include "unicode/win/TUniAction.h"
#include "unicode/win/UniActionLinks.h"
#include "unicode/win/UniControls.h"

namespace uni {

template <class Base>
class TUniWindowed : public Base {
public:
    // subClass: the system window class whose procedure ends the window's messages; null for a plain
    // Unicode window (DefWindowProcW).
    TUniWindowed(TComponent* owner, const wchar_t* subClass) : Base(owner), subClass_(subClass) {}

    WideString Caption() { return GetControlWideText(this); }
    void SetCaption(const WideString& value) { SetControlWideText(this, value); }
    WideString Text() { return GetControlWideText(this); }
    void SetText(const WideString& value) { SetControlWideText(this, value); }
    WideString Hint() { return GetControlWideHint(this); }
    void SetHint(const WideString& value) { SetControlWideHint(this, value); }

    void DefineProperties(TFiler* filer) override {
        Base::DefineProperties(filer);
        DefineWideProperties(filer, this);
    }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { CreateWideWindow(this, params, subClass_); }
    void ActionChange(TObject* sender, bool checkDefaults) override {
        ApplyWideActionTexts(this, sender, checkDefaults);
        Base::ActionChange(sender, checkDefaults);
    }
    TControlActionLinkClass GetActionLinkClass() override { return WideActionLinkClassFor(this); }

private:
    const wchar_t* subClass_;
};

// Whether the character of a CM_DIALOGCHAR (widened with the keyboard's code page) is the hot key of
// caption.
bool IsAccelMessageW(const TMessage& message, const WideString& caption);

// Tells a common control of this layer to send its notifications in their wide form (CCM_SETUNICODEFORMAT).
void UseUnicodeNotifications(TWinControl* control);

// DrawTextAsMeasured (ControlText.h) with the canvas's font and brush; with DT_CALCRECT rect receives the
// extent.
void CanvasDrawTextW(TCanvas* canvas, const WideString& text, TRect& rect, UINT flags);

}  // namespace uni
