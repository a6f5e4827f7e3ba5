#pragma once
#include <atomic>
#include <functional>
#include <memory>

#include "Dispatch/RunLoop.hpp"

namespace Dispatch {

// A timer on the main run loop, on the shared clock. A repeating timer keeps its phase:
// each fire date is the previous one plus the interval (late fires are not bunched up).
class Timer : public std::enable_shared_from_this<Timer> {
public:
    using Block = std::function<void(Timer&)>;

    // Created but not scheduled; add it to a run loop.
    static std::shared_ptr<Timer> make(double interval, bool repeats, Block block);
    // Created and added to the main run loop in the default mode.
    static std::shared_ptr<Timer> scheduledTimer(double interval, bool repeats, Block block);

    void invalidate();  // thread-safe; the run loop lets go of it
    bool isValid() const { return valid_.load(); }
    double timeInterval() const { return interval_; }
    double fireDate() const { return fireDate_; }
    void fire();  // runs the block once now, without changing the schedule

private:
    friend class RunLoop;
    Timer(double interval, bool repeats, Block block);

    double interval_;
    bool repeats_;
    Block block_;
    double fireDate_ = 0;
    std::atomic<bool> valid_{true};
};

}  // namespace Dispatch
