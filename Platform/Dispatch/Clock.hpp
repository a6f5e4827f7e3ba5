#pragma once
#include <atomic>

namespace Dispatch {

// The one clock behind Date, Timer, dispatch timers and the display link.
// Real (monotonic) time in the programs; tests switch it to virtual time, which moves only
// when RunLoop::advance moves it.
class Clock {
public:
    static Clock& shared();

    double now() const;  // seconds since an arbitrary, fixed origin

    void useVirtualTime(double start = 0.0);
    void useRealTime();
    bool isVirtual() const { return virtual_.load(std::memory_order_relaxed); }
    void setVirtualNow(double t);  // RunLoop::advance uses it; never moves backwards

private:
    Clock() = default;
    std::atomic<bool> virtual_{false};
    std::atomic<double> virtualNow_{0.0};
};

}  // namespace Dispatch
