#include "Dispatch/RunLoop.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "Dispatch/Clock.hpp"
#include "Dispatch/Timer.hpp"
#include "Runtime/MainActor.hpp"

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
    wakeSource();
}

void RunLoop::setInputSource(std::shared_ptr<InputSource> source) {
    std::lock_guard lock(mutex_);
    source_ = std::move(source);
}

std::shared_ptr<RunLoop::InputSource> RunLoop::inputSource() const {
    std::lock_guard lock(mutex_);
    return source_;
}

void RunLoop::wakeSource() {
    // The main thread is awake when it queues work or stops the loop, and looks at both
    // before it sleeps again.
    if (Runtime::isMainThread()) return;
    if (auto s = inputSource(); s && s->wake) s->wake();
}

void RunLoop::takeInput() {
    if (auto s = inputSource()) s->wait(0);
}

void RunLoop::sleep(std::unique_lock<std::mutex>& lock, double seconds, bool untilStop) {
    if (auto s = source_) {
        lock.unlock();
        s->wait(seconds);
        lock.lock();
        return;
    }
    auto woken = [&] { return !queue_.empty() || (untilStop && stopRequested_); };
    if (std::isinf(seconds))
        wake_.wait(lock, woken);
    else
        wake_.wait_for(lock, std::chrono::duration<double>(seconds), woken);
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
    wakeSource();
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
    // What came meanwhile is taken at every step, as a sleeping loop would have woken for it.
    auto step = [this] {
        takeInput();
        runUntilIdle();
    };
    step();
    for (;;) {
        double next;
        {
            std::lock_guard lock(mutex_);
            next = nextFireDate();
        }
        if (next > end) break;
        clock.setVirtualNow(next);
        step();
    }
    clock.setVirtualNow(end);
    step();
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
            if (busy) takeInput();
            std::lock_guard lock(mutex_);
            if (stopRequested_ || clock.now() >= end) busy = false;
        }
        std::unique_lock lock(mutex_);
        if (stopRequested_) break;
        double now = clock.now();
        if (now >= end) break;
        double until = std::min(end, nextFireDate());
        if (!queue_.empty()) continue;
        sleep(lock, std::max(0.0, until - now), true);
    }
}

void RunLoop::run() { runFor(std::numeric_limits<double>::infinity()); }

bool RunLoop::runUntil(const std::function<bool()>& condition, double timeoutSeconds, double pollSeconds) {
    using namespace std::chrono;
    Clock& clock = Clock::shared();
    const auto start = steady_clock::now();
    auto elapsed = [&] { return duration<double>(steady_clock::now() - start).count(); };
    for (;;) {
        // Turn by turn, as runFor: timers that run late (a slow frame) keep the loop from ever
        // being idle, and the condition and the timeout must hold all the same.
        for (bool busy = true; busy;) {
            busy = turn();
            if (busy) takeInput();
            if (condition()) return true;
            if (elapsed() >= timeoutSeconds) return false;
        }
        std::unique_lock lock(mutex_);
        if (!queue_.empty()) continue;
        // Virtual timers fall due only when a test advances the clock.
        const double timer = clock.isVirtual() ? std::numeric_limits<double>::infinity() : nextFireDate() - clock.now();
        sleep(lock, std::max(0.0, std::min({pollSeconds, timeoutSeconds - elapsed(), timer})), false);
    }
}

void RunLoop::stop() {
    {
        std::lock_guard lock(mutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    wakeSource();
}

}  // namespace Dispatch
