#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "AudioToolbox/AUParameterTree.hpp"
#include "AudioToolbox/HostTime.hpp"
#include "TestSupport/RealtimeCheck.hpp"

namespace {

using namespace AudioToolbox;
using Event = AUParameterAutomationEventType;

std::shared_ptr<AUParameter> makeParameter(AUParameterAddress address, std::string identifier = "gain",
                                           std::optional<std::vector<std::string>> valueStrings = std::nullopt) {
    return AUParameterTree::createParameter(identifier, "Gain", address, -1, 1, AudioUnitParameterUnit::decibels,
                                            "dB", kAudioUnitParameterFlag_IsReadable, std::move(valueStrings),
                                            std::vector<AUParameterAddress>{7});
}

TEST(AUParameter, KeepsWhatItWasCreatedWithAndStartsAtZeroOutsideAnyTree) {
    auto p = makeParameter(3, "gain", std::vector<std::string>{"a"});
    EXPECT_EQ(p->address(), 3u);
    EXPECT_EQ(p->identifier(), "gain");
    EXPECT_EQ(p->displayName(), "Gain");
    EXPECT_EQ(p->minValue(), -1);
    EXPECT_EQ(p->maxValue(), 1);
    EXPECT_EQ(p->unit(), AudioUnitParameterUnit::decibels);
    EXPECT_EQ(p->unitName(), std::optional<std::string>("dB"));
    EXPECT_EQ(p->flags(), kAudioUnitParameterFlag_IsReadable);
    EXPECT_EQ(p->valueStrings(), (std::optional<std::vector<std::string>>{{"a"}}));
    EXPECT_EQ(p->dependentParameters(), (std::optional<std::vector<AUParameterAddress>>{{7}}));
    EXPECT_EQ(p->value(), 0);
    EXPECT_EQ(p->tree(), nullptr);
    EXPECT_TRUE(p->writeLog().empty());
    EXPECT_EQ(p->className(), "AUParameter");
}

// The log kept for one test, as a test program asks for it.
struct KeptWriteLogs {
    KeptWriteLogs() { AUParameter::setKeepsWriteLogs(true); }
    ~KeptWriteLogs() { AUParameter::setKeepsWriteLogs(false); }
};

TEST(AUParameter, LogsEveryWriteInOrderAndTellsTheTreesObserverOnTheWritingThread) {
    KeptWriteLogs kept;
    auto p = makeParameter(1);
    auto tree = AUParameterTree::createTree({p});
    std::vector<std::pair<AUParameterAddress, AUValue>> seen;
    std::thread::id observerThread;
    tree->setImplementorValueObserver([&](const AUParameter& param, AUValue v) {
        seen.emplace_back(param.address(), v);
        observerThread = std::this_thread::get_id();
        EXPECT_EQ(param.storedValue(), v);  // stored before the observer hears of it
    });
    int token = 0;
    p->setValue(0.25f, &token, 42, Event::touch);
    std::thread([&] { p->setValue(0.5f, nullptr, 43, Event::value); }).join();
    EXPECT_NE(observerThread, std::this_thread::get_id());
    p->setValue(0.75f);

    auto log = p->writeLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].value, 0.25f);
    EXPECT_EQ(log[0].eventType, Event::touch);
    EXPECT_EQ(log[0].hostTime, 42u);
    EXPECT_EQ(log[0].originator, &token);
    EXPECT_EQ(log[1].eventType, Event::value);
    EXPECT_EQ(log[1].hostTime, 43u);
    EXPECT_EQ(log[2].value, 0.75f);
    EXPECT_EQ(log[2].hostTime, 0u);
    EXPECT_EQ(seen, (std::vector<std::pair<AUParameterAddress, AUValue>>{{1, 0.25f}, {1, 0.5f}, {1, 0.75f}}));
    EXPECT_EQ(p->value(), 0.75f);

    p->clearWriteLog();
    EXPECT_TRUE(p->writeLog().empty());
    tree->setImplementorValueObserver(nullptr);
    p->setValue(0.1f);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_FALSE(bool(tree->implementorValueObserver()));
}

TEST(AUParameter, WithoutALogAWriteOrReadTakesNoLockAndKeepsNothing) {
    auto p = makeParameter(1);
    auto tree = AUParameterTree::createTree({p});
    int observed = 0;
    tree->setImplementorValueObserver([&](const AUParameter&, AUValue) { ++observed; });
    tree->setImplementorValueProvider([](const AUParameter& param) { return param.storedValue(); });
    {
        TestSupport::RealtimeCheck check;
        for (int i = 0; i < 100000; ++i) {
            p->setValue(float(i), nullptr, 0, Event::value);
            (void)p->value();
        }
    }
    EXPECT_EQ(observed, 100000);
    EXPECT_TRUE(p->writeLog().empty());
}

TEST(AUParameter, AskTheValueProviderWhenOneIsInstalled) {
    auto p = makeParameter(2);
    auto tree = AUParameterTree::createTree({p});
    p->setValue(0.5f);
    tree->setImplementorValueProvider([](const AUParameter& param) { return param.storedValue() * 2; });
    EXPECT_EQ(p->value(), 1.0f);
    EXPECT_EQ(p->storedValue(), 0.5f);
    tree->setImplementorValueProvider(nullptr);
    EXPECT_EQ(p->value(), 0.5f);
}

TEST(AUParameter, TextGoesThroughTheTreesCallbacksWithTheValuePointerAsGiven) {
    auto p = makeParameter(2);
    auto tree = AUParameterTree::createTree({p});
    tree->setImplementorStringFromValueCallback(
        [](const AUParameter& param, const AUValue* v) { return param.identifier() + (v ? ":" + std::to_string(int(*v)) : ":none"); });
    tree->setImplementorValueFromStringCallback([](const AUParameter&, const std::string& s) { return AUValue(s.size()); });
    AUValue three = 3;
    EXPECT_EQ(p->string(&three), "gain:3");
    EXPECT_EQ(p->string(nullptr), "gain:none");
    EXPECT_EQ(p->value(std::string("abcd")), 4.0f);
}

TEST(AUParameter, WithoutCallbacksTextIsThePlainNumber) {
    auto p = makeParameter(2);
    p->setValue(0.25f);
    AUValue v = 12.5f;
    EXPECT_EQ(p->string(&v), "12.5");
    EXPECT_EQ(p->string(nullptr), "0.25");
    EXPECT_EQ(p->value(std::string("1e2")), 100.0f);
    for (const char* text : {"", " 1", "1x", "nan", "name"}) EXPECT_EQ(p->value(std::string(text)), 0.0f) << text;
}

TEST(AUParameterTree, FindsTheFirstChildWithAnAddressAndListsChildrenInOrder) {
    auto a = makeParameter(5, "a"), b = makeParameter(1, "b"), c = makeParameter(5, "c");
    auto tree = AUParameterTree::createTree({a, b, nullptr, c});
    ASSERT_EQ(tree->allParameters().size(), 3u);
    EXPECT_EQ(tree->allParameters()[1], b);
    EXPECT_EQ(tree->parameter(5), a);
    EXPECT_EQ(tree->parameter(1), b);
    EXPECT_EQ(tree->parameter(9), nullptr);
    EXPECT_EQ(a->tree(), tree);
    EXPECT_TRUE(AUParameterTree::createTree({})->allParameters().empty());
}

TEST(AUParameterTree, HoldsItsChildrenWhileAChildHoldsItsTreeOnlyWeakly) {
    auto p = makeParameter(1);
    int calls = 0;
    {
        auto tree = AUParameterTree::createTree({p});
        tree->setImplementorValueObserver([&](const AUParameter&, AUValue) { ++calls; });
        tree->setImplementorValueProvider([](const AUParameter&) { return 9.0f; });
    }
    EXPECT_EQ(p->tree(), nullptr);
    p->setValue(0.5f);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(p->value(), 0.5f);
}

TEST(AUParameterTree, CallbacksMayBeReplacedWhileOtherThreadsWrite) {
    KeptWriteLogs kept;
    auto p = makeParameter(1);
    auto tree = AUParameterTree::createTree({p});
    std::atomic<int> calls{0};
    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t)
        writers.emplace_back([&] {
            for (int i = 0; i < 500; ++i) {
                p->setValue(float(i) / 500, nullptr, AudioGetCurrentHostTime(), Event::value);
                (void)p->value();
            }
        });
    for (int i = 0; i < 200; ++i) {
        tree->setImplementorValueObserver([&](const AUParameter&, AUValue) { calls.fetch_add(1, std::memory_order_relaxed); });
        tree->setImplementorValueProvider(i % 2 ? AUImplementorValueProvider([](const AUParameter&) { return 1.0f; }) : nullptr);
    }
    for (auto& w : writers) w.join();
    EXPECT_EQ(p->writeLog().size(), 1500u);
    EXPECT_LE(calls.load(), 1500);
}

TEST(HostTime, IsMonotonicNanoseconds) {
    auto first = AudioGetCurrentHostTime();
    std::this_thread::yield();
    auto second = AudioGetCurrentHostTime();
    EXPECT_GT(first, 0u);
    EXPECT_GE(second, first);
    EXPECT_LT(second - first, 5'000'000'000u);  // nanoseconds, not some coarser unit
}

}  // namespace
