#include "Dispatch/Clock.hpp"

#include <chrono>

namespace Dispatch {

Clock& Clock::shared() {
    static Clock clock;
    return clock;
}

double Clock::now() const {
    if (virtual_.load(std::memory_order_relaxed)) return virtualNow_.load(std::memory_order_relaxed);
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void Clock::useVirtualTime(double start) {
    virtualNow_.store(start);
    virtual_.store(true);
}

void Clock::useRealTime() { virtual_.store(false); }

void Clock::setVirtualNow(double t) {
    if (t > virtualNow_.load()) virtualNow_.store(t);
}

}  // namespace Dispatch
