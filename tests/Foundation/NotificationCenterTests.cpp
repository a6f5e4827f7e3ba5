#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "Foundation/NotificationCenter.hpp"

using namespace Foundation;
using Token = NotificationCenter::Token;

namespace {

class Sender : public Runtime::NSObject {
    VZ_OBJECT(Sender, Runtime::NSObject)
};

class SelectorObserver : public Runtime::NSObject {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("windowDidBecomeKey:", &SelectorObserver::windowDidBecomeKey)};
    }
    VZ_OBJECT(SelectorObserver, Runtime::NSObject)

public:
    std::vector<std::string> received;
    void windowDidBecomeKey(Runtime::NSObject* sender) {
        auto* n = dynamic_cast<Notification*>(sender);
        received.push_back(n ? n->name : "?");
    }
};

// Spins until `condition` holds, for at most two seconds.
template <class F>
bool waitFor(F condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

}  // namespace

TEST(NotificationCenter, DeliversByNameAndSenderInRegistrationOrder) {
    NotificationCenter center;
    const auto window = Runtime::make<Sender>();
    const auto other = Runtime::make<Sender>();
    std::vector<std::string> log;
    Token a = center.addObserver("key", nullptr, [&](const Notification& n) {
        log.push_back("a " + n.name + (n.object == window.get() ? " window" : " other"));
    });
    Token b = center.addObserver("key", window, [&](const Notification& n) {
        log.push_back("b " + std::any_cast<std::string>(n.userInfo.at("why")));
    });
    Token all = center.addObserver(std::nullopt, nullptr, [&](const Notification& n) { log.push_back("all " + n.name); });

    center.post("key", window.get(), {{"why", std::string("click")}});
    center.post("key", other.get(), {{"why", std::string("tab")}});
    center.post("resign");
    EXPECT_EQ(log, (std::vector<std::string>{"a key window", "b click", "all key", "a key other", "all key", "all resign"}));
}

TEST(NotificationCenter, TokensRemoveTheirObserver) {
    NotificationCenter center;
    int count = 0;
    {
        Token scoped = center.addObserver("n", nullptr, [&](const Notification&) { ++count; });
        center.post("n");
    }
    center.post("n");
    EXPECT_EQ(count, 1);

    Token first = center.addObserver("n", nullptr, [&](const Notification&) { count += 10; });
    EXPECT_TRUE(first.isActive());
    first = center.addObserver("n", nullptr, [&](const Notification&) { count += 100; });  // the old one goes
    center.post("n");
    EXPECT_EQ(count, 101);
    first.cancel();
    EXPECT_FALSE(first.isActive());
    center.post("n");
    EXPECT_EQ(count, 101);

    Token moved = center.addObserver("n", nullptr, [&](const Notification&) { ++count; });
    Token target(std::move(moved));
    center.post("n");
    EXPECT_EQ(count, 102);
}

TEST(NotificationCenter, ChangesDuringDeliveryAreSafe) {
    NotificationCenter center;
    std::vector<std::string> log;
    Token second, late;
    Token self;
    Token first = center.addObserver("n", nullptr, [&](const Notification&) {
        log.push_back("first");
        second.cancel();  // removed before its turn: not called
        if (!late.isActive()) late = center.addObserver("n", nullptr, [&](const Notification&) { log.push_back("late"); });
    });
    second = center.addObserver("n", nullptr, [&](const Notification&) { log.push_back("second"); });
    self = center.addObserver("n", nullptr, [&](const Notification&) {
        log.push_back("self");
        self.cancel();  // from inside its own call: no deadlock
    });
    center.post("n");
    center.post("n");
    EXPECT_EQ(log, (std::vector<std::string>{"first", "self", "first", "late"}));
}

TEST(NotificationCenter, AGoneSenderMatchesNothingAndTokensMayOutliveTheCenter) {
    Token token;
    int count = 0;
    {
        NotificationCenter center;
        auto sender = Runtime::make<Sender>();
        Runtime::NSObject* address = sender.get();
        token = center.addObserver("n", sender, [&](const Notification&) { ++count; });
        sender.reset();
        center.post("n", address);  // same address, but the registered sender is gone
        EXPECT_EQ(count, 0);
    }
    token.cancel();
}

TEST(NotificationCenter, SelectorObserversAreHeldWeakly) {
    NotificationCenter center;
    auto observer = Runtime::make<SelectorObserver>();
    auto window = Runtime::make<Sender>();
    center.addObserver(observer, "windowDidBecomeKey:", std::string("didBecomeKey"), window);
    center.addObserver(observer, "windowDidBecomeKey:", std::string("other"));
    center.post("didBecomeKey", window.get());
    center.post("didBecomeKey", nullptr);
    center.post("other");
    EXPECT_EQ(observer->received, (std::vector<std::string>{"didBecomeKey", "other"}));

    center.removeObserver(observer.get(), std::string("other"));
    center.post("other");
    EXPECT_EQ(observer->received.size(), 2u);
    center.removeObserver(observer.get());
    center.post("didBecomeKey", window.get());
    EXPECT_EQ(observer->received.size(), 2u);

    center.addObserver(observer, "windowDidBecomeKey:", std::string("n"));
    observer.reset();
    center.post("n");  // nothing to call, nothing crashes
}

TEST(NotificationCenter, CancelWaitsForACallOnAnotherThread) {
    NotificationCenter center;
    std::atomic<bool> started{false}, cancelling{false}, finished{false};
    std::thread::id deliveredOn;
    Token token = center.addObserver("n", nullptr, [&](const Notification&) {
        deliveredOn = std::this_thread::get_id();
        started = true;
        waitFor([&] { return cancelling.load(); });
        for (int i = 0; i < 2000; ++i) std::this_thread::yield();  // a call that takes a while
        finished = true;
    });
    std::thread poster([&] { center.post("n"); });
    ASSERT_TRUE(waitFor([&] { return started.load(); }));
    cancelling = true;
    token.cancel();
    EXPECT_TRUE(finished);
    const auto posterId = poster.get_id();
    poster.join();
    EXPECT_EQ(deliveredOn, posterId);
}

TEST(NotificationCenter, ConcurrentPostsAddsAndRemovals) {
    NotificationCenter center;
    std::atomic<int> delivered{0};
    Token steady = center.addObserver("n", nullptr, [&](const Notification&) { ++delivered; });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                Token temporary = center.addObserver("n", nullptr, [](const Notification&) {});
                center.post("n");
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(delivered.load(), 2000);
    EXPECT_EQ(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
}

#include "Foundation/NotificationPublisher.hpp"

namespace {

TEST(NotificationPublisher, DeliversPostsOfItsNameAndSenderWhileSubscribed) {
    NotificationCenter center;
    auto sender = Runtime::make<Sender>();
    auto other = Runtime::make<Sender>();
    std::vector<std::string> anySender, fromSender;
    auto a = publisher(center, "changed").sink([&](Notification n) { anySender.push_back(n.object == sender.get() ? "s" : "o"); });
    auto b = publisher(center, "changed", sender).sink([&](Notification n) { fromSender.push_back(n.name); });
    center.post("changed", sender.get());
    center.post("changed", other.get());
    center.post("other", sender.get());
    EXPECT_EQ(anySender, (std::vector<std::string>{"s", "o"}));
    EXPECT_EQ(fromSender, (std::vector<std::string>{"changed"}));
    a.cancel();
    center.post("changed", sender.get());
    EXPECT_EQ(anySender.size(), 2u) << "nothing after the cancel";
    EXPECT_EQ(fromSender.size(), 2u);
}

}  // namespace
