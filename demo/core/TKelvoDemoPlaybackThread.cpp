#include "demo/core/TKelvoDemoPlaybackThread.h"

#include <chrono>
#include <thread>

void TKelvoDemoPlaybackThread::Execute() {
    while (!Terminated()) {
        bool more = false;
        // Terminate is called on the user-interface thread, so checking it there, inside the call, leaves no
        // moment in which a tick could run after the run ended.
        Synchronize([&] { more = !Terminated() && tick_(); });
        if (!more) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
