#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "Dispatch/DispatchQueue.hpp"

namespace Dispatch {

class Timer;

// A timer source (the platform's makeTimerSource(queue:)): once resumed, its handler is queued
// on the target queue at the deadline and then every `repeating` seconds, until cancelled.
// Deadlines are on the shared clock, so tests drive it with RunLoop::advance; the main run
// loop keeps the schedule and the target queue runs the handler. Thread-safe.
class DispatchSourceTimer : public std::enable_shared_from_this<DispatchSourceTimer> {
public:
    static std::shared_ptr<DispatchSourceTimer> make(DispatchQueue& queue);
    ~DispatchSourceTimer();

    // `deadline` is a time on the shared clock (Clock::shared().now() + seconds); a repeating
    // interval of zero or less fires once. Leeway is accepted and ignored.
    void schedule(double deadline, double repeating = 0, double leeway = 0);
    void setEventHandler(std::function<void()> handler);
    void resume();
    // Nothing fires after this returns, apart from a handler already running.
    void cancel();
    bool isCancelled() const;

private:
    explicit DispatchSourceTimer(DispatchQueue& queue) : queue_(queue) {}
    void arm(double delay);
    void fired(std::uint64_t generation);

    DispatchQueue& queue_;
    mutable std::mutex mutex_;
    std::function<void()> handler_;
    double deadline_ = 0, repeating_ = 0;
    std::uint64_t generation_ = 0;  // of the latest arming; older firings are stale
    bool scheduled_ = false, resumed_ = false, cancelled_ = false;
    std::shared_ptr<Timer> pending_;
};

}  // namespace Dispatch
