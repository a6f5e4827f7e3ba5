#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

#include "Dispatch/DispatchQueue.hpp"
#include "Dispatch/DispatchSourceTimer.hpp"
#include "Dispatch/Timer.hpp"
#include "Runtime/MainActor.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using Dispatch::DispatchQueue;
using Dispatch::RunLoop;
using Dispatch::Timer;

class DispatchTest : public TestSupport::VirtualTimeTest {};

TEST_F(DispatchTest, MainQueueWorkRunsOnALaterTurnInOrder) {
    std::vector<int> order;
    DispatchQueue::main().async([&] { order.push_back(1); });
    DispatchQueue::main().async([&] {
        order.push_back(2);
        DispatchQueue::main().async([&] { order.push_back(3); });
    });
    EXPECT_TRUE(order.empty());
    drain();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(DispatchTest, SyncRunsInlineOnTheMainThreadAndWaitsElsewhere) {
    bool ran = false;
    DispatchQueue::main().sync([&] { ran = true; });
    EXPECT_TRUE(ran);

    std::atomic<bool> workerDone{false};
    std::thread::id ranOn;
    std::thread worker([&] {
        DispatchQueue::main().sync([&] { ranOn = std::this_thread::get_id(); });
        workerDone = true;
    });
    EXPECT_TRUE(loop().runUntil([&] { return workerDone.load(); }, 5.0));
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(DispatchTest, GlobalQueueRunsOffTheMainThread) {
    std::atomic<bool> onMain{true};
    std::atomic<bool> done{false};
    DispatchQueue::global().async([&] {
        onMain = Runtime::isMainThread();
        DispatchQueue::main().async([&] { done = true; });
    });
    DispatchQueue::waitForGlobalQueues();
    drain();
    EXPECT_TRUE(done);
    EXPECT_FALSE(onMain);
}

TEST_F(DispatchTest, TimersFireInOrderOfFireDateOnVirtualTime) {
    std::vector<std::string> fired;
    auto a = Timer::scheduledTimer(0.5, false, [&](Timer&) { fired.push_back("a"); });
    auto b = Timer::scheduledTimer(0.2, false, [&](Timer&) { fired.push_back("b"); });
    int ticks = 0;
    auto c = Timer::scheduledTimer(1.0 / 60.0, true, [&](Timer&) { ++ticks; });
    loop().advance(0.1);
    EXPECT_TRUE(fired.empty());
    loop().advance(0.45);
    EXPECT_EQ(fired, (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(ticks, 33);  // 0.55 s at 60 Hz
    c->invalidate();
    loop().advance(1.0);
    EXPECT_EQ(ticks, 33);
    EXPECT_FALSE(a->isValid());
}

TEST_F(DispatchTest, WorkQueuedByATimerRunsBeforeTheNextTimer) {
    std::vector<int> order;
    int fires = 0;
    auto t = Timer::scheduledTimer(0.1, true, [&](Timer& timer) {
        order.push_back(1);
        DispatchQueue::main().async([&] { order.push_back(2); });
        if (++fires == 2) timer.invalidate();
    });
    loop().advance(1.0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2}));
}

TEST_F(DispatchTest, AsyncAfterUsesTheSharedClock) {
    bool ran = false;
    DispatchQueue::main().asyncAfter(2.0, [&] { ran = true; });
    loop().advance(1.9);
    EXPECT_FALSE(ran);
    loop().advance(0.2);
    EXPECT_TRUE(ran);
}

TEST_F(DispatchTest, ObserversRunAtTheEndOfEachTurn) {
    int pending = 3, runs = 0;
    auto id = loop().addObserver([&] {
        ++runs;
        if (pending == 0) return false;
        --pending;
        return true;
    });
    drain();
    EXPECT_EQ(pending, 0);
    EXPECT_EQ(runs, 4);
    loop().removeObserver(id);
}

TEST(RealTimeRunLoop, RunForSleepsUntilTimersAndStops) {
    ASSERT_FALSE(Dispatch::Clock::shared().isVirtual());
    int fired = 0;
    auto t = Timer::scheduledTimer(0.01, true, [&](Timer&) {
        if (++fired == 3) RunLoop::main().stop();
    });
    RunLoop::main().runFor(5.0);
    t->invalidate();
    EXPECT_EQ(fired, 3);
}

// A timer whose work takes longer than its interval is due again at every turn, so the loop is
// never idle; runFor's end and a stop, and runUntil's condition and timeout, still hold.
TEST(RealTimeRunLoop, RunForAndRunUntilEndWhileALateTimerKeepsThemBusy) {
    int fired = 0;
    auto late = Timer::scheduledTimer(0.002, true, [&](Timer&) {
        ++fired;
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    });
    const auto start = std::chrono::steady_clock::now();
    RunLoop::main().runFor(0.1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_GT(fired, 5);
    auto stopper = Timer::scheduledTimer(0.05, false, [](Timer&) { RunLoop::main().stop(); });
    RunLoop::main().runFor(60);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));

    const int before = fired;
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return fired >= before + 3; }, 30.0));
    EXPECT_FALSE(RunLoop::main().runUntil([] { return false; }, 0.05));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
    late->invalidate();
}

// Input comes while late timers keep the loop from ever sleeping: it is still taken (a window
// closed with frames running late must end a run), by runFor and by runUntil.
TEST(RealTimeRunLoop, InputReachesALoopThatLateTimersKeepBusy) {
    auto& loop = RunLoop::main();
    int waits = 0;
    bool closed = false;
    auto source = std::make_shared<RunLoop::InputSource>();
    source->wait = [&](double seconds) {
        if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(std::min(seconds, 1.0)));
        // The person closes the window on the third look at the input.
        if (++waits == 3) closed = true;
    };
    source->wake = [] {};
    loop.setInputSource(source);
    auto late = Timer::scheduledTimer(0.002, true, [](Timer&) { std::this_thread::sleep_for(std::chrono::milliseconds(4)); });
    EXPECT_TRUE(loop.runUntil([&] { return closed; }, 5, std::numeric_limits<double>::infinity()));

    waits = 0;
    source->wait = [&](double seconds) {
        if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(std::min(seconds, 1.0)));
        if (++waits == 3) loop.stop();
    };
    const auto start = std::chrono::steady_clock::now();
    loop.runFor(5);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << "the input stopped the loop";
    late->invalidate();
    loop.setInputSource(nullptr);
}

// A window system's input is what the loop sleeps on: it waits once per timer that falls due,
// for as long as the timer is away, never in short polls (nor does a run until a condition
// that only the loop's own work changes), and work queued on another thread ends a wait at once.
TEST(RealTimeRunLoop, SleepsInItsInputSourceUntilTheNextTimerAndWakesForWork) {
    auto& loop = RunLoop::main();
    struct Waits {
        std::mutex mutex;
        std::condition_variable changed;
        bool woken = false;
        std::vector<double> seconds;
    } waits;
    auto source = std::make_shared<RunLoop::InputSource>();
    source->wait = [&](double seconds) {
        std::unique_lock lock(waits.mutex);
        waits.seconds.push_back(seconds);
        waits.changed.wait_for(lock, std::chrono::duration<double>(std::min(seconds, 5.0)), [&] { return waits.woken; });
        waits.woken = false;
    };
    source->wake = [&] {
        std::lock_guard lock(waits.mutex);
        waits.woken = true;
        waits.changed.notify_all();
    };
    loop.setInputSource(source);

    int fired = 0;
    auto timer = Timer::scheduledTimer(0.05, true, [&](Timer&) { ++fired; });
    loop.runFor(0.26);
    EXPECT_EQ(fired, 5);
    EXPECT_LT(waits.seconds.size(), 15u) << "one wait per timer, not a poll";
    EXPECT_GT(waits.seconds.front(), 0.03);
    timer->invalidate();

    waits.seconds.clear();
    bool done = false;
    auto last = Timer::scheduledTimer(0.1, false, [&](Timer&) { done = true; });
    EXPECT_TRUE(loop.runUntil([&] { return done; }, 5, std::numeric_limits<double>::infinity()));
    EXPECT_LT(waits.seconds.size(), 4u);

    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        loop.perform([&] { loop.stop(); });
    });
    const auto start = std::chrono::steady_clock::now();
    loop.runFor(30);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "the work woke the loop";
    other.join();
    loop.setInputSource(nullptr);
}

}  // namespace

// --- Timer sources --------------------------------------------------------------------------

namespace {

class TimerSourceTest : public ::testing::Test {
protected:
    void SetUp() override { Dispatch::Clock::shared().useVirtualTime(50.0); }
    void TearDown() override {
        Dispatch::RunLoop::main().runUntilIdle();
        Dispatch::DispatchQueue::waitForGlobalQueues();
        Dispatch::Clock::shared().useRealTime();
    }
    static void advance(double seconds) {
        Dispatch::RunLoop::main().advance(seconds);
        Dispatch::DispatchQueue::waitForGlobalQueues();
    }
};

TEST_F(TimerSourceTest, FiresAtTheDeadlineThenEveryIntervalOnTheTargetQueueUntilCancelled) {
    std::atomic<int> fires{0};
    std::atomic<bool> onMain{false};
    auto source = Dispatch::DispatchSourceTimer::make(Dispatch::DispatchQueue::global());
    source->schedule(Dispatch::Clock::shared().now() + 1.0, 0.25);
    source->setEventHandler([&] {
        ++fires;
        if (Runtime::isMainThread()) onMain = true;
    });
    advance(2.0);
    EXPECT_EQ(fires, 0) << "nothing before resume";
    source->resume();  // the deadline has passed: fires at once
    advance(0.0);
    EXPECT_EQ(fires, 1);
    advance(0.5);
    EXPECT_EQ(fires, 3);
    EXPECT_FALSE(onMain);
    source->cancel();
    EXPECT_TRUE(source->isCancelled());
    advance(5.0);
    EXPECT_EQ(fires, 3);
}

TEST_F(TimerSourceTest, AOneShotSourceFiresOnceAndAReleasedSourceNever) {
    std::atomic<int> fires{0};
    auto once = Dispatch::DispatchSourceTimer::make(Dispatch::DispatchQueue::main());
    once->schedule(Dispatch::Clock::shared().now() + 0.1);
    once->setEventHandler([&] { ++fires; });
    once->resume();
    advance(1.0);
    EXPECT_EQ(fires, 1);

    auto released = Dispatch::DispatchSourceTimer::make(Dispatch::DispatchQueue::global());
    released->schedule(Dispatch::Clock::shared().now() + 0.1, 0.1);
    released->setEventHandler([&] { ++fires; });
    released->resume();
    released.reset();
    advance(1.0);
    EXPECT_EQ(fires, 1);
}

}  // namespace
