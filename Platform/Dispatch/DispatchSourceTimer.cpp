#include "Dispatch/DispatchSourceTimer.hpp"

#include <algorithm>

#include "Dispatch/Clock.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Dispatch/Timer.hpp"

namespace Dispatch {

std::shared_ptr<DispatchSourceTimer> DispatchSourceTimer::make(DispatchQueue& queue) {
    return std::shared_ptr<DispatchSourceTimer>(new DispatchSourceTimer(queue));
}

DispatchSourceTimer::~DispatchSourceTimer() {
    if (pending_) pending_->invalidate();
}

void DispatchSourceTimer::schedule(double deadline, double repeating, double) {
    std::lock_guard lock(mutex_);
    deadline_ = deadline;
    repeating_ = repeating;
    scheduled_ = true;
    if (resumed_ && !cancelled_) arm(std::max(0.0, deadline_ - Clock::shared().now()));
}

void DispatchSourceTimer::setEventHandler(std::function<void()> handler) {
    std::lock_guard lock(mutex_);
    handler_ = std::move(handler);
}

void DispatchSourceTimer::resume() {
    std::lock_guard lock(mutex_);
    if (resumed_ || cancelled_) return;
    resumed_ = true;
    if (scheduled_) arm(std::max(0.0, deadline_ - Clock::shared().now()));
}

void DispatchSourceTimer::cancel() {
    std::shared_ptr<Timer> pending;
    std::function<void()> handler;  // released outside the lock: it may own anything
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        pending = std::move(pending_);
        handler = std::move(handler_);
    }
    if (pending) pending->invalidate();
}

bool DispatchSourceTimer::isCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

// Called with the lock held. The run loop's timer holds the source weakly: a source nobody
// keeps stops, as it would once released and cancelled.
// A deadline already passed fires on the next turn of the main loop.
void DispatchSourceTimer::arm(double delay) {
    if (pending_) pending_->invalidate();
    pending_.reset();
    const std::uint64_t generation = ++generation_;
    std::weak_ptr<DispatchSourceTimer> weak = weak_from_this();
    auto fire = [weak, generation] {
        if (auto self = weak.lock()) self->fired(generation);
    };
    if (delay <= 0) {
        RunLoop::main().perform(fire);
        return;
    }
    pending_ = Timer::make(delay, false, [fire](Timer&) { fire(); });
    RunLoop::main().add(pending_);
}

void DispatchSourceTimer::fired(std::uint64_t generation) {
    {
        std::lock_guard lock(mutex_);
        if (cancelled_ || generation != generation_) return;
        pending_.reset();
        if (repeating_ > 0) arm(repeating_);
    }
    std::weak_ptr<DispatchSourceTimer> weak = weak_from_this();
    queue_.async([weak] {
        auto self = weak.lock();
        if (!self) return;
        std::function<void()> handler;
        {
            std::lock_guard lock(self->mutex_);
            if (self->cancelled_) return;
            handler = self->handler_;
        }
        if (handler) handler();
    });
}

}  // namespace Dispatch
