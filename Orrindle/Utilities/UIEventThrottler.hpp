#pragma once
#include <functional>
#include <memory>
#include <mutex>

#include "Dispatch/DispatchSourceTimer.hpp"

namespace Orrindle {

// Runs an action once a burst of events has been quiet for `interval` seconds: each call of
// throttle() drops the pending timer and starts a new one. The action runs on a global queue,
// `interval` after the last call, and then again every `interval` until the next throttle()
// or cancelAll(). The pending timer is cancelled when the throttler goes, so an action never
// outlives its owner's throttler. Safe to call from the action itself.
class UIEventThrottler {
public:
    explicit UIEventThrottler(double interval) : interval_(interval) {}
    ~UIEventThrottler();
    UIEventThrottler(const UIEventThrottler&) = delete;
    UIEventThrottler& operator=(const UIEventThrottler&) = delete;

    double interval() const { return interval_; }
    void throttle(std::function<void()> action);
    void cancelAll();
    bool hasPendingTimer() const;

private:
    const double interval_;
    mutable std::mutex mutex_;
    std::shared_ptr<Dispatch::DispatchSourceTimer> timer_;
};

}  // namespace Orrindle
