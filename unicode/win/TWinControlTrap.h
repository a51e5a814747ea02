// The trap that makes a class-library control live in a Unicode window. The window's procedure is the trap's
// window procedure, which calls the control's own procedure; the trap's message handler sits in the control's
// WindowProc chain and re-sends the library's own 8-bit text messages with SendMessageA, so that the system
// converts them, and packs wide characters for 8-bit key handlers; the control's default procedure is the
// trap's default procedure, which answers WM_NOTIFYFORMAT, unpacks characters and ends at the wide procedure
// of the window class.
//
// Lifetime: one trap per control, made on the control's first Unicode window and kept, with the stored wide
// text, across re-created windows. Traps belong to the layer's trap list (uni::TrapOf), never to themselves:
// when the control goes, its trap only forgets it and is retired; the list frees retired traps later, when
// no call on them is running (at the next window creation, or at the layer's shutdown).
#pragma once
#include "classlib/core/Messages.h"
#include "classlib/core/TComponent.h"
#include "classlib/win/ObjectInstance.h"
#include "classlib/win/TWinControl.h"

class TWinControlTrap : public TComponent {
    CLASSLIB_CLASS(TWinControlTrap, TComponent)

public:
    explicit TWinControlTrap(TWinControl* control);
    ~TWinControlTrap() override;

    // Null once the control is gone.
    TWinControl* Control() const { return control_; }
    // The Unicode window the trap serves now, or null.
    HWND Window() const { return window_; }
    // Whether a message is being handled by the trap's window procedure now.
    bool Busy() const { return depth_ > 0; }

    // Before the window is made: the wide procedure unhandled messages end at; the control's default
    // procedure becomes the trap's.
    void PrepareDefaultProcedure(WNDPROC wideDefault);
    // The window runs the trap's window procedure from now on, which passes messages on to previous (for a
    // window the layer made: the control's own procedure).
    void Attach(HWND window, WNDPROC previous);
    // After the window is made: the trap joins the control's WindowProc chain (unless it already is in it).
    void HookWindowProc();
    // Gives the window back its previous procedures, keeping the wide text for the next window (unless the
    // control is being destroyed).
    void Unsubclass();

    void Notification(TComponent* component, TOperation operation) override;

private:
    void WindowProcedure(TMessage& message);
    void DefaultProcedure(TMessage& message);
    void MessageHandler(TMessage& message);
    TWndMethod Handler() { return MakeMethod<&TWinControlTrap::MessageHandler>(this); }

    TObjectInstance windowThunk_;
    TObjectInstance defaultThunk_;
    TWinControl* control_;
    HWND window_ = nullptr;
    WNDPROC previousWndProc_ = nullptr;
    WNDPROC previousDefProc_ = nullptr;
    TWndMethod previousHandler_;
    bool probeActive_ = false;
    bool probeSeen_ = false;
    // The message the window procedure is passing on now (0: the message came from the library itself).
    std::uint32_t lastSystemMessage_ = 0;
    int depth_ = 0;
};

namespace uni {

// The trap of a control; with create one is made when it has none. Frees retired traps that are not busy.
TWinControlTrap* TrapOf(TWinControl* control, bool create);
// How many traps the layer holds (live and retired): for tests.
int TrapCount();

}  // namespace uni
