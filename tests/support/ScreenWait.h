// Waiting, through the shared pump, until the display shows what a window has drawn: the step before a test
// grabs the display (tests/support/ScreenPicture.h).
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/support/MessagePump.h"
#include "tests/support/ScreenPicture.h"

namespace testsupport {

// Handles messages (through step) until the display shows the window as it has drawn itself; fails the test,
// saying how many pixels still differ and leaving the display's picture, when the time limit passes.
inline bool WaitUntilOnScreen(HWND window, const MessageStep& step = DispatchThreadMessages) {
    if (PumpUntil([&] { return ScreenShows(window); }, kPumpTimeoutMs, step)) return true;
    const std::string shot = ArtifactPath("not-on-screen.bmp");  // the display as it was, to look at
    SaveScreen(shot);
    ADD_FAILURE() << "the display does not show the window as drawn: " << ScreenDifference(window)
                  << " pixels differ (-1: hidden); the display is in " << shot;
    return false;
}

}  // namespace testsupport
