#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>
#include <vector>

#include "Combine/Combine.hpp"
#include "Dispatch/Clock.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Orrindle/Publishers/ReceiveOnMainThread.hpp"
#include "Orrindle/Utilities/UIEventThrottler.hpp"
#include "Runtime/MainActor.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using Orrindle::UIEventThrottler;

class ThrottlerTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        Dispatch::DispatchQueue::waitForGlobalQueues();
        VirtualTimeTest::TearDown();
    }
    // Moves virtual time and lets the global queue finish what fell due.
    static void advance(double seconds) {
        loop().advance(seconds);
        Dispatch::DispatchQueue::waitForGlobalQueues();
    }
    // Fire times relative to the test's start, in milliseconds.
    void record(std::vector<long>& log, std::mutex& m, const char* which) {
        std::lock_guard lock(m);
        log.push_back(long(std::lround((Dispatch::Clock::shared().now() - start) * 1000)));
        names.push_back(which);
    }
    double start = Dispatch::Clock::shared().now();
    std::vector<std::string> names;
};

TEST_F(ThrottlerTest, ABurstRunsOnlyItsLastActionAnIntervalAfterItThenEveryInterval) {
    start = Dispatch::Clock::shared().now();
    UIEventThrottler throttler(0.5);
    std::mutex m;
    std::vector<long> fired;
    std::atomic<bool> onMain{false};
    throttler.throttle([&] { record(fired, m, "first"); });
    advance(0.1);
    throttler.throttle([&] {
        if (Runtime::isMainThread()) onMain = true;
        record(fired, m, "second");
    });
    advance(0.49);
    EXPECT_TRUE(fired.empty());
    advance(0.01);
    advance(0.5);
    advance(0.5);
    EXPECT_EQ(fired, (std::vector<long>{600, 1100, 1600}));
    EXPECT_EQ(names, (std::vector<std::string>{"second", "second", "second"}));
    EXPECT_FALSE(onMain) << "the action runs on a global queue";
    throttler.cancelAll();
    EXPECT_FALSE(throttler.hasPendingTimer());
    advance(2.0);
    EXPECT_EQ(fired.size(), 3u);
    throttler.cancelAll();  // nothing pending: nothing happens
}

TEST_F(ThrottlerTest, AThrottlerGoneWithAPendingTimerNeverRunsItsAction) {
    std::atomic<int> runs{0};
    {
        UIEventThrottler throttler(0.2);
        throttler.throttle([&] { ++runs; });
    }
    advance(2.0);
    EXPECT_EQ(runs, 0);
}

TEST_F(ThrottlerTest, CallsFromTheActionAndFromOtherThreadsAreSafe) {
    UIEventThrottler throttler(0.05);
    std::atomic<int> runs{0};
    std::function<void()> again = [&] {
        if (++runs < 20) throttler.throttle(again);  // from the action's own thread
    };
    std::vector<std::thread> callers;
    for (int t = 0; t < 4; ++t)
        callers.emplace_back([&] {
            for (int i = 0; i < 50; ++i) throttler.throttle(again);
        });
    for (auto& c : callers) c.join();
    for (int i = 0; i < 60 && runs < 20; ++i) advance(0.05);
    EXPECT_GE(runs, 20);
    throttler.cancelAll();
}

// --- The main-thread gate -------------------------------------------------------------------

class MainThreadGateTest : public TestSupport::VirtualTimeTest {};

TEST_F(MainThreadGateTest, MainThreadSignalsArriveAtOnceOthersLaterOnTheMainThread) {
    auto subject = Combine::PassthroughSubject<int>::make();
    std::vector<int> values;
    bool offMain = false, finished = false;
    auto sink = Orrindle::receiveOnMainThread(subject).sink(
        [&](auto) { finished = true; },
        [&](int v) {
            if (!Runtime::isMainThread()) offMain = true;
            values.push_back(v);
        });
    subject->send(1);
    EXPECT_EQ(values, std::vector<int>{1}) << "delivered before send returns";
    std::thread([&] {
        subject->send(2);
        subject->send(3);
    }).join();
    EXPECT_EQ(values.size(), 1u);
    drain();
    EXPECT_EQ(values, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(offMain);

    subject->send(Combine::Subscribers::Completion<Combine::Never>::finished());
    EXPECT_TRUE(finished);
}

// A publisher that misbehaves: it keeps sending after its completion or a cancel.
struct Unruly {
    using Output = int;
    using Failure = Combine::Never;
    struct Link : Combine::Subscription {
        void request(Combine::Subscribers::Demand) override {}
        void cancel() override { cancelled = true; }
        bool cancelled = false;
    };
    struct State {
        Combine::SubscriberPtr<int, Failure> subscriber;
        std::shared_ptr<Link> link = std::make_shared<Link>();
    };
    void receive(Combine::SubscriberPtr<int, Failure> s) const {
        state->subscriber = s;
        s->receive(state->link);
    }
    std::shared_ptr<State> state = std::make_shared<State>();
};

TEST_F(MainThreadGateTest, NothingReachesTheSubscriberAfterACompletionOrACancel) {
    using Completion = Combine::Subscribers::Completion<Combine::Never>;
    for (bool cancelFirst : {false, true}) {
        SCOPED_TRACE(cancelFirst ? "cancelled" : "completed");
        Unruly upstream;
        std::vector<int> values;
        int completions = 0;
        auto sink = Orrindle::receiveOnMainThread(upstream).sink([&](auto) { ++completions; },
                                                                 [&](int v) { values.push_back(v); });
        auto& s = *upstream.state->subscriber;
        EXPECT_TRUE(s.receive(1) == Combine::Subscribers::Demand::unlimited());
        if (cancelFirst) {
            sink.cancel();
            EXPECT_TRUE(upstream.state->link->cancelled);
        } else {
            s.receive(Completion::finished());
        }
        s.receive(2);
        s.receive(Completion::finished());
        drain();
        EXPECT_EQ(values, std::vector<int>{1});
        EXPECT_EQ(completions, cancelFirst ? 0 : 1);
    }
}

TEST_F(MainThreadGateTest, SignalsFromManyThreadsAllArriveOnTheMainThread) {
    auto subject = Combine::PassthroughSubject<int>::make();
    std::atomic<int> offMain{0};
    int received = 0;
    auto sink = Orrindle::receiveOnMainThread(subject).sink([&](int) {
        if (!Runtime::isMainThread()) ++offMain;
        ++received;
    });
    std::vector<std::thread> senders;
    for (int t = 0; t < 4; ++t)
        senders.emplace_back([&] {
            for (int i = 0; i < 100; ++i) subject->send(i);
        });
    for (auto& t : senders) t.join();
    drain();
    EXPECT_EQ(received, 400);
    EXPECT_EQ(offMain, 0);
}

}  // namespace
