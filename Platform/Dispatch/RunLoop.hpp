#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <deque>
#include <vector>

namespace Dispatch {

class Timer;

// The main run loop: one per process, run by the main thread. It carries the main queue's
// work, the timers scheduled on it and the observers that run at the end of each turn
// (view updates).
class RunLoop {
public:
    enum class Mode { defaultMode, common, eventTracking };

    static RunLoop& main();

    // Thread-safe: queue work for the next turn.
    void perform(std::function<void()> work);

    void add(const std::shared_ptr<Timer>& timer, Mode mode = Mode::defaultMode);

    // What the loop sleeps on besides its own work and timers: a window system's input. `wait`
    // sleeps up to `seconds` (infinite: until something comes) for input or wake(), and
    // handles what came; `wake` is called from any thread when work is queued or the loop is
    // stopped, and a wake that comes before the wait begins ends the next wait at once.
    struct InputSource {
        std::function<void(double seconds)> wait;
        std::function<void()> wake;
    };
    // Replaces the loop's own sleep (null: back to it). Main thread.
    void setInputSource(std::shared_ptr<InputSource> source);
    std::shared_ptr<InputSource> inputSource() const;

    // Observers run after the queued work of a turn; one returns true when it did work,
    // which makes the loop take another turn before it counts as idle.
    using ObserverId = std::uint64_t;
    ObserverId addObserver(std::function<bool()> observer);
    void removeObserver(ObserverId id);

    // Test drivers (main thread): drain queued work, observers and timers that are due,
    // until nothing is left. Returns the number of items run.
    std::size_t runUntilIdle();
    // Virtual time: move the clock forward by `seconds`, firing every timer that falls due, in
    // order of fire date, with the loop drained around each one.
    void advance(double seconds);

    // Programs: run until stop() is called, sleeping until the next timer or queued work.
    void run();
    // Run for at most `seconds` of clock time (real or virtual), then return; stop() ends it
    // sooner. Both are looked at after every turn, also while the loop never gets idle. On
    // virtual time the input source is asked for what came (without waiting) at every step.
    void runFor(double seconds);
    void stop();
    // Run (real time) until the condition holds or the timeout passes; returns the condition's
    // last value. The condition is looked at after every turn and at least every
    // `pollSeconds`, for conditions that other threads change without queueing work; with an
    // infinite one the loop sleeps until its next timer, work or input.
    static constexpr double otherThreadsPoll = 0.002;
    bool runUntil(const std::function<bool()>& condition, double timeoutSeconds = 10.0,
                  double pollSeconds = otherThreadsPoll);

    bool hasPendingWork() const;
    std::size_t timerCount() const;

private:
    RunLoop() = default;
    bool turn();  // one pass; true when anything ran
    bool fireDueTimers(double now);
    double nextFireDate() const;  // +inf when no timer
    // Sleeps up to `seconds` until work is queued, input comes or (`untilStop`) the loop is
    // stopped; the lock is held on entry and on return.
    void sleep(std::unique_lock<std::mutex>& lock, double seconds, bool untilStop);
    void wakeSource();
    // What input came, without waiting: a loop kept busy by late timers never sleeps, and
    // would otherwise never hear of a click or a closed window.
    void takeInput();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    std::vector<std::shared_ptr<Timer>> timers_;
    std::vector<std::pair<ObserverId, std::function<bool()>>> observers_;
    ObserverId nextObserverId_ = 1;
    bool stopRequested_ = false;
    std::shared_ptr<InputSource> source_;
};

}  // namespace Dispatch
