#include "Dispatch/RunLoop.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "Dispatch/Clock.hpp"
#include "Dispatch/Timer.hpp"

namespace Dispatch {

RunLoop& RunLoop::main() {
    static RunLoop loop;
    return loop;
}

void RunLoop::perform(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
    }
    wake_.notify_all();
}

void RunLoop::add(const std::shared_ptr<Timer>& timer, Mode) {
    // Every mode we model is part of the common modes, and the loop only ever runs in one
    // of them, so the mode does not change when a timer fires.
    {
        std::lock_guard lock(mutex_);
        timer->fireDate_ = Clock::shared().now() + timer->interval_;
        timers_.push_back(timer);
    }
    wake_.notify_all();
}

RunLoop::ObserverId RunLoop::addObserver(std::function<bool()> observer) {
    std::lock_guard lock(mutex_);
    ObserverId id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void RunLoop::removeObserver(ObserverId id) {
    std::lock_guard lock(mutex_);
    std::erase_if(observers_, [id](auto& o) { return o.first == id; });
}

bool RunLoop::hasPendingWork() const {
    std::lock_guard lock(mutex_);
    return !queue_.empty();
}

std::size_t RunLoop::timerCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(timers_.begin(), timers_.end(), [](auto& t) { return t->isValid(); }));
}

double RunLoop::nextFireDate() const {
    double next = std::numeric_limits<double>::infinity();
    for (auto& t : timers_)
        if (t->isValid()) next = std::min(next, t->fireDate_);
    return next;
}

bool RunLoop::fireDueTimers(double now) {
    bool fired = false;
    for (;;) {
        std::shared_ptr<Timer> due;
        {
            std::lock_guard lock(mutex_);
            std::erase_if(timers_, [](auto& t) { return !t->isValid(); });
            for (auto& t : timers_)
                if (t->fireDate_ <= now && (!due || t->fireDate_ < due->fireDate_)) due = t;
            if (!due) return fired;
            if (due->repeats_) {
                // Keep the phase; skip fires that were missed entirely.
                due->fireDate_ += due->interval_;
                if (due->fireDate_ <= now) due->fireDate_ = now + due->interval_ - std::fmod(now - due->fireDate_, due->interval_);
            } else {
                due->valid_.store(false);
            }
        }
        fired = true;
        if (due->block_) due->block_(*due);
        if (!due->repeats_) due->block_ = nullptr;
    }
}

bool RunLoop::turn() {
    bool didWork = false;
    std::deque<std::function<void()>> work;
    {
        std::lock_guard lock(mutex_);
        work.swap(queue_);
    }
    for (auto& w : work) {
        w();
        didWork = true;
    }
    std::vector<std::pair<ObserverId, std::function<bool()>>> observers;
    {
        std::lock_guard lock(mutex_);
        observers = observers_;
    }
    for (auto& [id, o] : observers)
        if (o()) didWork = true;
    if (fireDueTimers(Clock::shared().now())) didWork = true;
    return didWork;
}

std::size_t RunLoop::runUntilIdle() {
    std::size_t turns = 0;
    while (turn()) ++turns;
    return turns;
}

void RunLoop::advance(double seconds) {
    Clock& clock = Clock::shared();
    const double end = clock.now() + seconds;
    runUntilIdle();
    for (;;) {
        double next;
        {
            std::lock_guard lock(mutex_);
            next = nextFireDate();
        }
        if (next > end) break;
        clock.setVirtualNow(next);
        runUntilIdle();
    }
    clock.setVirtualNow(end);
    runUntilIdle();
}

void RunLoop::runFor(double seconds) {
    Clock& clock = Clock::shared();
    if (clock.isVirtual()) {
        advance(seconds);
        return;
    }
    const double end = clock.now() + seconds;
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = false;
    }
    for (;;) {
        // Turn by turn: the end and a stop hold even while timers that run late (a frame that
        // takes longer than its interval) keep the loop from ever being idle.
        for (bool busy = true; busy;) {
            busy = turn();
            std::lock_guard lock(mutex_);
            if (stopRequested_ || clock.now() >= end) busy = false;
        }
        std::unique_lock lock(mutex_);
        if (stopRequested_) break;
        double now = clock.now();
        if (now >= end) break;
        double until = std::min(end, nextFireDate());
        if (!queue_.empty()) continue;
        double wait = std::max(0.0, until - now);
        wake_.wait_for(lock, std::chrono::duration<double>(wait),
                       [this] { return !queue_.empty() || stopRequested_; });
    }
}

void RunLoop::run() { runFor(std::numeric_limits<double>::infinity()); }

bool RunLoop::runUntil(const std::function<bool()>& condition, double timeoutSeconds) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + duration_cast<steady_clock::duration>(duration<double>(timeoutSeconds));
    for (;;) {
        // Turn by turn, as runFor: timers that run late (a slow frame) keep the loop from ever
        // being idle, and the condition and the timeout must hold all the same.
        for (bool busy = true; busy;) {
            busy = turn();
            if (condition()) return true;
            if (steady_clock::now() >= end) return false;
        }
        std::unique_lock lock(mutex_);
        wake_.wait_for(lock, milliseconds(2), [this] { return !queue_.empty(); });
    }
}

void RunLoop::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
}

}  // namespace Dispatch
