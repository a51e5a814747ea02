// The menu loop. While a menu is open, input goes through this loop instead of the program's message
// loop: it holds the mouse capture on one window, routes keys to the deepest open view and mouse messages
// to the view under the pointer (or the one holding the capture), and ends when the root view records a
// done action, when the capture or the active window changes, or when a press lands outside the menus
// (that press is left in the queue for the window that was clicked). On every way out, an exception or a
// destroyed view included, the views drop their capture and the application's hint is cleared; the
// caller closes the popups and only then carries out the done action (CarryOutDoneAction), so that a
// chosen command runs with every menu gone.
#pragma once
#include <memory>

#include "classlib/core/TObject.h"
#include "classlib/win/Win32.h"
#include "toolbar/win/TTBView.h"

class TTBModalHandler : public TObject {
    CLASSLIB_CLASS(TTBModalHandler, TObject)

    // Works with window (null: a hidden window of its own), takes the capture and raises the menu-start
    // event.
    explicit TTBModalHandler(HWND window);
    ~TTBModalHandler() override;

    HWND Wnd() const { return wnd_; }
    // alive: false once root is destroyed (the loop then ends without touching it again).
    void Loop(TTBView* root, const std::shared_ptr<bool>& alive, bool fromMouseDown, bool trackRightButton,
              bool executeFlag, bool executeSelected);

private:
    static LRESULT CALLBACK OwnWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND wnd_ = nullptr;
    bool ownWindow_ = false;
    bool startEventRaised_ = false;
    TTBView* root_ = nullptr;
};

namespace tb {

// After the loop, with the menus closed: posts the chosen item's click (after the command sound when the
// user's scheme has one), opens the system menu, or asks for help.
void CarryOutDoneAction(const TTBDoneAction& done);

// The last known mouse position of the loop is forgotten (its x becomes INT_MIN).
void ForgetLastMousePosition();

}  // namespace tb
