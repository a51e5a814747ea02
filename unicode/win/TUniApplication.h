// The Unicode companion of the class library's application object: the wide title of the application
// window, the wide application hint (kept beside the library's 8-bit hint), a wide message box, and the
// message hook that hands a typed character outside the ANSI code page to its Unicode window intact (the
// library's message loop is 8-bit and would turn it into "?").
//
// Start-up: uni::RegisterUniApplicationUnit() before classlib::Startup(); it makes UniApplication once the
// library's Application exists (before Application->Initialize(), so that a title set early reaches the
// application window when it is made) and installs the hook; shutdown removes both.
#pragma once
#include "classlib/core/TComponent.h"
#include "classlib/core/Types.h"
#include "classlib/win/TApplication.h"
#include "classlib/win/TControl.h"

class TUniAction;

// Placed on a main form that is not a Unicode form, so that the idle action cycle keeps the application's
// wide hint in step there too.
class TUniAppIdleEventControl : public TControl {
    CLASSLIB_COMPONENT(TUniAppIdleEventControl, TControl)
    explicit TUniAppIdleEventControl(TComponent* owner);

private:
    void SyncHint(TObject* sender);
};

class TUniApplication : public TComponent {
    CLASSLIB_COMPONENT(TUniApplication, TComponent)

    // Hooks the application window (Application must exist).
    explicit TUniApplication(TComponent* owner);
    ~TUniApplication() override;

    // The application window's wide text (the pending title before the window exists).
    WideString GetTitle();
    void SetTitle(const WideString& text);
    // The wide application hint: the long wide hint of the control under the mouse while the library's
    // 8-bit hint is its 8-bit form.
    WideString GetHint();
    void SetHint(const WideString& text);
    // Makes the wide hint follow the control under the mouse when the library's 8-bit hint still matches it.
    void SyncWideHint();
    // MessageBoxW owned by the active form (else the application window), other task windows disabled,
    // focus and activation restored afterwards; an empty caption is the application's title. Returns the
    // pressed button's id.
    int MessageBox(const WideString& text, const WideString& caption = WideString(), unsigned flags = MB_OK);
    // Keyboard navigation of the application's current dialog window, wide or 8-bit as the window is.
    bool IsDialogMessage(MSG& msg);

    // The time (tick count) of the last system-setting change the application window saw.
    DWORD LastSettingChange() const { return lastSettingChange_; }

    // The WH_GETMESSAGE hook's work on a message being removed from the queue: true when it took the message
    // (dispatched it wide) and turned it into WM_NULL.
    bool FilterMessage(MSG& msg);

    void Notification(TComponent* component, TOperation operation) override;

private:
    bool MainWindowHook(TMessage& message);
    void CheckMainForm();
    WideString HintUnderMouse();

    WideString pendingTitle_;
    bool titlePending_ = false;
    WideString wideHint_;
    bool mainFormChecked_ = false;
    TUniAppIdleEventControl* idleEventControl_ = nullptr;
    DWORD lastSettingChange_ = 0;
};

extern TUniApplication* UniApplication;

namespace uni {

// After the class library's forms unit (Application exists), before the program's own units.
inline constexpr int UniApplicationUnitOrder = 110;
// Registers the unit that makes UniApplication and the message hook. Calling it again does nothing.
void RegisterUniApplicationUnit();

}  // namespace uni
