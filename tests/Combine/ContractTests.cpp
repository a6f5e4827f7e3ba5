// The rules every publisher of the module keeps, checked over each kind in one table:
// delivery only against demand, one completion and nothing after it, and a cancel that stops
// delivery and lets go of the subscriber.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Combine/Combine.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Combine;
using Subscribers::Completion;
using Subscribers::Demand;

// Records what reaches it; asks for `initial` on subscription and `perValue` after each value.
class Recorder final : public Subscriber<int> {
public:
    Recorder(Demand initial, Demand perValue = Demand::none()) : initial_(initial), perValue_(perValue) {}

    void receive(std::shared_ptr<Subscription> s) override {
        ++subscriptions;
        subscription = s;
        if (initial_ > 0) s->request(initial_);
    }
    Demand receive(int v) override {
        values.push_back(v);
        return perValue_;
    }
    void receive(Completion<Never>) override {
        ++completions;
        subscription.reset();
    }

    std::shared_ptr<Subscription> subscription;
    std::vector<int> values;
    int subscriptions = 0;
    int completions = 0;

private:
    Demand initial_, perValue_;
};

// One publisher under test, fed by a subject the case controls.
struct Source {
    AnyPublisher<int> publisher;
    std::function<void(int)> send;
    std::function<void()> finish;
    std::function<std::size_t()> subscriberCount;
    std::vector<int> replayed;  // what a new subscriber gets before anything is sent
};

struct Case {
    std::string name;
    std::function<Source()> make;
    bool queued = false;  // delivers through the main run loop
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

Source passthrough(std::function<AnyPublisher<int>(const PassthroughSubject<int>::Ptr&)> wrap) {
    auto subject = PassthroughSubject<int>::make();
    return {wrap(subject), [subject](int v) { subject->send(v); }, [subject] { subject->send(Completion<Never>::finished()); },
            [subject] { return subject->subscriberCount(); }, {}};
}

std::vector<Case> cases() {
    return {
        {"PassthroughSubject", [] { return passthrough([](auto& s) { return s->eraseToAnyPublisher(); }); }},
        {"CurrentValueSubject",
         [] {
             auto subject = CurrentValueSubject<int>::make(0);
             return Source{subject->eraseToAnyPublisher(), [subject](int v) { subject->send(v); },
                           [subject] { subject->send(Completion<Never>::finished()); }, [subject] { return subject->subscriberCount(); },
                           {0}};
         }},
        {"Published",
         [] {
             auto property = std::make_shared<Published<int>>(0);
             auto publisher = property->publisher().eraseToAnyPublisher();
             // A property never completes.
             return Source{publisher, [property](int v) { property->set(v); }, nullptr, nullptr, {0}};
         }},
        {"map", [] { return passthrough([](auto& s) { return s->map([](int v) { return v; }).eraseToAnyPublisher(); }); }},
        {"removeDuplicates", [] { return passthrough([](auto& s) { return s->removeDuplicates().eraseToAnyPublisher(); }); }},
        {"receiveOn", [] { return passthrough([](auto& s) { return s->receiveOn(Dispatch::RunLoop::main()).eraseToAnyPublisher(); }); },
         true},
        {"chain", [] {
             return passthrough([](auto& s) {
                 return s->map([](int v) { return v * 1; }).removeDuplicates().receiveOn(Dispatch::DispatchQueue::main()).eraseToAnyPublisher();
             });
         }, true},
    };
}

class Contract : public TestSupport::VirtualTimeTest, public ::testing::WithParamInterface<Case> {
protected:
    Source source = GetParam().make();
    std::vector<int> expect(std::vector<int> sent) {
        std::vector<int> all = source.replayed;
        all.insert(all.end(), sent.begin(), sent.end());
        return all;
    }
};

TEST_P(Contract, DeliversOnlyWhatWasAskedFor) {
    auto r = std::make_shared<Recorder>(Demand::max(2));
    source.publisher.subscribe(r);
    for (int v : {1, 2, 3, 4}) source.send(v);
    drain();
    auto all = expect({1, 2, 3, 4});
    EXPECT_EQ(r->values, std::vector<int>(all.begin(), all.begin() + 2));

    // More demand never brings back what was sent without it; a value publisher offers its
    // latest value.
    std::size_t before = r->values.size();
    r->subscription->request(Demand::max(1));
    source.send(5);
    drain();
    ASSERT_LE(r->values.size(), before + 1);
    if (r->values.size() == before + 1) {
        EXPECT_TRUE(r->values.back() == 4 || r->values.back() == 5);
    }
    r->subscription->cancel();  // a subscriber that keeps its subscription is kept by it
}

TEST_P(Contract, DemandReturnedFromEachValueAddsUp) {
    auto r = std::make_shared<Recorder>(Demand::max(1), Demand::max(1));
    source.publisher.subscribe(r);
    for (int v : {1, 2, 3}) {
        source.send(v);
        drain();  // a queued delivery returns its demand when it runs
    }
    EXPECT_EQ(r->values, expect({1, 2, 3}));
    r->subscription->cancel();
}

TEST_P(Contract, CompletesOnceAndSendsNothingAfter) {
    if (!source.finish) GTEST_SKIP() << "never completes";
    auto r = std::make_shared<Recorder>(Demand::unlimited());
    source.publisher.subscribe(r);
    source.send(1);
    source.finish();
    source.finish();
    source.send(2);
    drain();
    EXPECT_EQ(r->values, expect({1}));
    EXPECT_EQ(r->completions, 1);

    auto late = std::make_shared<Recorder>(Demand::unlimited());
    source.publisher.subscribe(late);
    drain();
    EXPECT_EQ(late->subscriptions, 1);
    EXPECT_TRUE(late->values.empty());
    EXPECT_EQ(late->completions, 1);
}

TEST_P(Contract, CancelStopsDeliveryAndReleasesTheSubscriber) {
    auto r = std::make_shared<Recorder>(Demand::unlimited());
    std::weak_ptr<Recorder> watch = r;
    source.publisher.subscribe(r);
    source.send(1);  // a queued delivery is still waiting when the cancel comes
    r->subscription->cancel();
    source.send(3);
    if (source.finish) source.finish();
    drain();
    EXPECT_EQ(r->values, GetParam().queued ? source.replayed : expect({1}));
    EXPECT_EQ(r->completions, 0);
    if (source.subscriberCount) {
        EXPECT_EQ(source.subscriberCount(), 0u);
    }

    r->subscription.reset();
    r.reset();
    drain();
    EXPECT_TRUE(watch.expired());
}

TEST_P(Contract, DroppingTheSinksCancellableEndsTheSubscription) {
    std::vector<int> got;
    {
        AnyCancellable c = source.publisher.sink([&](int v) { got.push_back(v); });
        source.send(1);
        drain();
    }
    source.send(2);
    drain();
    EXPECT_EQ(got, expect({1}));
    if (source.subscriberCount) {
        EXPECT_EQ(source.subscriberCount(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Publishers, Contract, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
