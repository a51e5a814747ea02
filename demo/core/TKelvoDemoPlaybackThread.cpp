#include "demo/core/TKelvoDemoPlaybackThread.h"

#include <chrono>
#include <thread>

void TKelvoDemoPlaybackThread::Run(std::function<bool()> tick) {
    Create<TKelvoDemoPlaybackThread>(std::move(tick))->Start();
}

void TKelvoDemoPlaybackThread::Execute() {
    while (!Terminated()) {
        bool more = false;
        Synchronize([&] { more = tick_(); });
        if (!more) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
