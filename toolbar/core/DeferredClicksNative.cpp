// Native half of the deferred clicks (the Windows half is toolbar/win/DeferredClickWindow.cpp): the posted
// slot numbers wait in a per-thread queue until DeliverPostedClicks.
#ifndef _WIN32

#include <cstdint>
#include <deque>

#include "toolbar/core/DeferredClicks.h"

namespace tb {

namespace {
thread_local std::deque<std::intptr_t>* t_queue = nullptr;
}  // namespace

bool detail::PostDeferredClickMessage(std::intptr_t slot) {
    if (!t_queue) t_queue = new std::deque<std::intptr_t>();
    t_queue->push_back(slot);
    return true;
}

void detail::ReleaseDeferredClickWindow() {
    delete t_queue;
    t_queue = nullptr;
}

void DeliverPostedClicks() {
    // Each click may post more, or end the thread's last user (and with it the queue).
    while (t_queue && !t_queue->empty()) {
        const std::intptr_t slot = t_queue->front();
        t_queue->pop_front();
        RunDeferredClick(slot);
    }
}

}  // namespace tb

#endif
