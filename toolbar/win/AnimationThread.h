// The opening animation of popup menus: the window's finished image is captured once (WM_PRINT), then a
// worker thread paces the steps and sends the window message 2389 for each; the window's handler draws
// the step on its own thread (HandleAnimationStep): a constant alpha for a fade through a layered window,
// or a region and the image at an offset for a slide. The end restores the window and sends 2390.
//
// One animation at a time per UI thread. The worker never draws and only uses SendNotifyMessage, so the
// UI thread may wait for it (EndAnimation) from any handler, painting included. The window must end its
// animation when it goes (EndAnimation(window) on destruction).
#pragma once
#include <cstdint>

#include "classlib/win/Win32.h"

struct TMessage;

namespace tb {

// Ends a running animation, then shows window without moving, sizing or activating it and animates it:
// a fade when asked and layered windows exist, else a slide from the sides of direction (kSlideFrom...).
void StartAnimation(HWND window, bool fade, unsigned direction);
// The window's handler of message 2389: draws the step when it belongs to the running animation of this
// window (and ends it after the last step). True when the message was 2389.
bool HandleAnimationStep(HWND window, const TMessage& message);
// Ends the running animation when window is the animated one, or any when window is null: waits for the
// worker, shows the whole image and sends 2390.
void EndAnimation(HWND window);
// Whether window is being animated now.
bool AnimationRunning(HWND window);
// Whether the system animates menus: menu animation on, and menu fading on (fade set) or a slide direction
// given.
bool MenuAnimationWanted(unsigned direction, bool& fade);
// The id of this thread's latest animation (the lParam of its steps).
std::uint32_t AnimationId();

}  // namespace tb
