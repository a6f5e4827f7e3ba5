#pragma once

#include <chrono>
#include <thread>

namespace TestSupport {

// Waits (real time) until `condition` holds or `seconds` pass, looking every 10 ms; its last
// value. For what other processes or the desktop change.
template <class F>
bool eventually(F&& condition, double seconds = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace TestSupport
