#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "Combine/Combine.hpp"
#include "Runtime/MainActor.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Combine;
using Subscribers::Completion;
using Subscribers::Demand;

TEST(Demand, ArithmeticStaysWithinNoneAndUnlimited) {
    struct Row {
        Demand result, expected;
    };
    const Row rows[] = {
        {Demand::max(2) + Demand::max(3), Demand::max(5)},
        {Demand::max(2) + Demand::unlimited(), Demand::unlimited()},
        {Demand::unlimited() - Demand::max(7), Demand::unlimited()},
        {Demand::unlimited() - Demand::unlimited(), Demand::unlimited()},
        {Demand::max(2) - Demand::max(5), Demand::none()},
        {Demand::max(5) - Demand::unlimited(), Demand::none()},
        {Demand::max(-3), Demand::none()},
        {Demand::max(INT64_MAX - 1) + Demand::max(5), Demand::max(INT64_MAX - 1)},
    };
    for (const Row& row : rows) EXPECT_EQ(row.result, row.expected) << row.result.description();
    EXPECT_GT(Demand::unlimited(), Demand::max(INT64_MAX - 1));
    EXPECT_FALSE(Demand::unlimited().max().has_value());
    EXPECT_EQ(Demand::max(4).max(), 4);
}

struct Knob {
    double value = 0;
    double doubleValue() const { return value; }
};

TEST(Operators, MapTakesAClosureOrAMemberLikeAKeyPath) {
    auto subject = PassthroughSubject<std::shared_ptr<Knob>>::make();
    auto knob = std::make_shared<Knob>();
    std::vector<double> read;
    std::vector<std::string> text;
    auto a = subject->map(&Knob::doubleValue).sink([&](double v) { read.push_back(v); });
    auto b = subject->map([](const std::shared_ptr<Knob>& k) { return std::to_string(int(k->value)); })
                 .sink([&](std::string s) { text.push_back(std::move(s)); });
    knob->value = 3;
    subject->send(knob);
    knob->value = 7;  // read when the value passes, not when subscribing
    subject->send(knob);
    EXPECT_EQ(read, (std::vector<double>{3, 7}));
    EXPECT_EQ(text, (std::vector<std::string>{"3", "7"}));
}

TEST(Operators, RemoveDuplicatesAsksAgainForWhatItLeavesOut) {
    auto subject = PassthroughSubject<int>::make();
    std::vector<int> all;
    auto c = subject->removeDuplicates().sink([&](int v) { all.push_back(v); });

    class Two final : public Subscriber<int> {
    public:
        void receive(std::shared_ptr<Subscription> s) override { s->request(Demand::max(2)); }
        Demand receive(int v) override {
            got.push_back(v);
            return Demand::none();
        }
        void receive(Completion<Never>) override {}
        std::vector<int> got;
    };
    auto two = std::make_shared<Two>();
    subject->removeDuplicates().subscribe(two);

    for (int v : {1, 1, 1, 2, 2, 1, 3}) subject->send(v);
    EXPECT_EQ(all, (std::vector<int>{1, 2, 1, 3}));
    EXPECT_EQ(two->got, (std::vector<int>{1, 2}));

    auto byParity = subject->removeDuplicates([](int a, int b) { return a % 2 == b % 2; });
    std::vector<int> parity;
    auto p = byParity.sink([&](int v) { parity.push_back(v); });
    for (int v : {1, 3, 4, 6, 7}) subject->send(v);
    EXPECT_EQ(parity, (std::vector<int>{1, 4, 7}));
}

class QueuedDelivery : public TestSupport::VirtualTimeTest {};

TEST_F(QueuedDelivery, ReceiveOnTheMainLoopKeepsOrderAndRunsOnTheMainThread) {
    auto subject = PassthroughSubject<int>::make();
    std::vector<int> got;
    std::atomic<int> offMain{0};
    bool finished = false;
    auto c = subject->receiveOn(Dispatch::DispatchQueue::main())
                 .sink([&](Completion<Never>) { finished = true; },
                       [&](int v) {
                           if (!Runtime::isMainThread()) ++offMain;
                           got.push_back(v);
                       });
    std::thread worker([&] {
        for (int v = 0; v < 50; ++v) subject->send(v);
        subject->send(Completion<Never>::finished());
    });
    worker.join();
    EXPECT_TRUE(got.empty());  // nothing before the loop turns
    drain();
    ASSERT_EQ(got.size(), 50u);
    for (int v = 0; v < 50; ++v) EXPECT_EQ(got[v], v);
    EXPECT_TRUE(finished);
    EXPECT_EQ(offMain, 0);
}

TEST(Published, GivesTheCurrentValueFirstAndPublishesBeforeItChanges) {
    Published<std::string> name("a");
    std::vector<std::pair<std::string, std::string>> seen;  // (published, property at that moment)
    auto c = name.publisher().sink([&](std::string v) { seen.emplace_back(v, name.get()); });
    name = "b";
    name.set("b");
    EXPECT_EQ(name.get(), "b");
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::string>>{{"a", "a"}, {"b", "a"}, {"b", "b"}}));
}

struct Failed {
    int code;
};

TEST(Sink, ReportsAFailureOnceAndReleasesItsClosures) {
    auto subject = PassthroughSubject<int, Failed>::make();
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    std::vector<int> values;
    std::vector<int> failures;
    auto c = subject->sink(
        [&, token](Completion<Failed> completion) {
            ASSERT_FALSE(completion.isFinished());
            failures.push_back(completion.error().code);
        },
        [&](int v) { values.push_back(v); });
    token.reset();
    subject->send(1);
    subject->send(Completion<Failed>::failure({42}));
    subject->send(2);
    subject->send(Completion<Failed>::finished());
    EXPECT_EQ(values, (std::vector<int>{1}));
    EXPECT_EQ(failures, (std::vector<int>{42}));
    EXPECT_TRUE(watch.expired());
}

TEST(AnyCancellable, CancelsOnceWhetherCalledReplacedOrDestroyed) {
    int cancels = 0;
    {
        AnyCancellable a([&] { ++cancels; });
        a.cancel();
        a.cancel();
    }
    EXPECT_EQ(cancels, 1);
    {
        AnyCancellable a([&] { ++cancels; });
        a = AnyCancellable([&] { cancels += 10; });  // the old one goes
        EXPECT_EQ(cancels, 2);
    }
    EXPECT_EQ(cancels, 12);
    {
        Cancellables kept;
        AnyCancellable([&] { ++cancels; }).store(kept);
        AnyCancellable moved([&] { ++cancels; });
        std::move(moved).store(kept);
        EXPECT_EQ(cancels, 12);
    }
    EXPECT_EQ(cancels, 14);
}

TEST(AnyCancellable, ACancelThatReleasesItsOwnerIsSafe) {
    // A subscription whose value closure owns the object that keeps the cancellable.
    struct Owner {
        Cancellables cancellables;
    };
    auto subject = PassthroughSubject<int>::make();
    auto owner = std::make_shared<Owner>();
    int got = 0;
    subject->sink([&got, keep = owner](int) { ++got; }).store(owner->cancellables);
    subject->send(1);
    std::weak_ptr<Owner> watch = owner;
    owner->cancellables.clear();
    owner.reset();
    subject->send(2);
    EXPECT_EQ(got, 1);
    EXPECT_TRUE(watch.expired());
}

TEST(Subjects, SendSubscribeAndCancelFromSeveralThreads) {
    auto subject = PassthroughSubject<int>::make();
    std::atomic<int> steady{0};
    auto c = subject->sink([&](int) { ++steady; });
    constexpr int kThreads = 4, kEach = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kEach; ++i) {
                subject->send(i);
                if (i % 50 == 0) {
                    auto passing = subject->map([](int v) { return v + 1; }).sink([](int) {});
                }
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(steady, kThreads * kEach);
    EXPECT_EQ(subject->subscriberCount(), 1u);
}

}  // namespace

namespace {

TEST(Merge, PassesBothStreamsOnInOrderAndFinishesWhenBothHave) {
    auto a = Combine::PassthroughSubject<int>::make();
    auto b = Combine::PassthroughSubject<int>::make();
    std::vector<int> got;
    int finished = 0;
    auto sub = Combine::merge(*a, *b).sink([&](Combine::Subscribers::Completion<Combine::Never>) { ++finished; },
                                           [&](int v) { got.push_back(v); });
    a->send(1);
    b->send(2);
    a->send(3);
    a->send(Combine::Subscribers::Completion<Combine::Never>::finished());
    b->send(4);
    EXPECT_EQ(finished, 0) << "one side is still going";
    b->send(Combine::Subscribers::Completion<Combine::Never>::finished());
    EXPECT_EQ(got, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(finished, 1);
}

TEST(Merge, ACancelEndsBothSubscriptions) {
    auto a = Combine::PassthroughSubject<int>::make();
    auto b = Combine::PassthroughSubject<int>::make();
    std::vector<int> got;
    auto sub = Combine::merge(*a, *b).map([](int v) { return v * 10; }).sink([&](int v) { got.push_back(v); });
    a->send(1);
    sub.cancel();
    a->send(2);
    b->send(3);
    EXPECT_EQ(got, (std::vector<int>{10}));
    EXPECT_EQ(a->subscriberCount(), 0u);
    EXPECT_EQ(b->subscriberCount(), 0u);
}

}  // namespace
