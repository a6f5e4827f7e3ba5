#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

#include "AudioToolbox/AUParameterTree.hpp"
#include "AudioToolbox/HostTime.hpp"
#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/ParameterEdit.hpp"
#include "TestSupport/KeptParameterWriteLogs.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using AudioToolbox::AudioUnitParameterUnit;
using Event = AudioToolbox::AUParameterAutomationEventType;
using Unit = AudioUnitParameterUnit;
using ValueIncrement = AudioParameter::ValueIncrement;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();

std::shared_ptr<AudioParameter> delayParameter(float defaultValue = 10) {
    return AudioParameter::make(0, "delay", "Delay", Unit::milliseconds, {0, 50}, defaultValue, ValueIncrement::linear());
}

// Counts the changes of one parameter's observed fields, resubscribing after each (the
// platform's tracking is one-shot).
struct ChangeCounter {
    explicit ChangeCounter(std::function<void()> read) : read_(std::move(read)) { subscribe(); }
    int changes = 0;

private:
    void subscribe() {
        token_ = Observation::withObservationTracking(read_, [this] {
            ++changes;
            Dispatch::RunLoop::main().perform([this] { subscribe(); });
        });
    }
    std::function<void()> read_;
    Observation::ObservationToken token_;
};

class AudioParameterTest : public TestSupport::VirtualTimeTest {};

TEST_F(AudioParameterTest, CreationFillsTheFieldsAndTheHostVisibleParameter) {
    auto p = AudioParameter::make(38, "stepCount", "Steps", Unit::indexed, {1, 16}, 16, ValueIncrement::linear());
    EXPECT_EQ(p->address(), 38u);
    EXPECT_EQ(p->id(), "stepCount");
    EXPECT_EQ(p->name(), "Steps");
    EXPECT_EQ(p->value(), 16);
    EXPECT_FALSE(p->isBeingInteractivelyEdited());
    EXPECT_TRUE(p->isIndexed());

    const auto& au = *p->auParameter();
    EXPECT_EQ(au.identifier(), "stepCount");
    EXPECT_EQ(au.displayName(), "Steps");
    EXPECT_EQ(au.address(), 38u);
    EXPECT_EQ(au.minValue(), 1);
    EXPECT_EQ(au.maxValue(), 16);
    EXPECT_EQ(au.unit(), Unit::indexed);
    EXPECT_EQ(au.unitName(), std::optional<std::string>(""));  // present, empty
    EXPECT_EQ(au.flags(), 0xC0000000u);
    EXPECT_FALSE(au.valueStrings().has_value());
    EXPECT_FALSE(au.dependentParameters().has_value());
    EXPECT_EQ(au.storedValue(), 16);
    EXPECT_EQ(au.tree(), nullptr);
}

TEST_F(AudioParameterTest, FlagsFollowTheUnitTheValueStringsAndTheDependents) {
    using Strings = std::optional<std::vector<std::string>>;
    using Addresses = std::optional<std::vector<std::uint64_t>>;
    struct Case {
        Unit unit;
        Strings strings;
        Addresses dependents;
        std::uint32_t flags;
    } cases[] = {
        {Unit::decibels, {}, {}, 0xC2000000},
        {Unit::linearGain, {}, {}, 0xC2000000},
        {Unit::absoluteCents, {}, {}, 0xC2000000},
        {Unit::milliseconds, {}, {}, 0xC0000000},
        {Unit::percent, {}, {}, 0xC0000000},
        {Unit::indexed, {}, {}, 0xC0000000},
        {Unit::customUnit, {}, {}, 0xC0000000},
        {Unit::mixerFaderCurve1, {}, {}, 0xC0000000},
        {static_cast<Unit>(45), {}, {}, 0xC0000000},  // beyond the table: no ramp, no crash
        {Unit::indexed, std::vector<std::string>{"a", "b"}, {}, 0xC0200000},
        {Unit::indexed, std::vector<std::string>{}, {}, 0xC0000000},
        {Unit::generic, {}, std::vector<std::uint64_t>{1}, 0xD0100000},
        {Unit::generic, {}, std::vector<std::uint64_t>{}, 0xC0000000},
        {Unit::decibels, std::vector<std::string>{"x"}, std::vector<std::uint64_t>{2}, 0xD2300000},
    };
    for (const auto& c : cases) {
        auto p = AudioParameter::make(1, "p", "P", c.unit, {0, 1}, 0, ValueIncrement::linear(), c.strings, c.dependents);
        EXPECT_EQ(p->auParameter()->flags(), c.flags) << "unit " << static_cast<unsigned>(c.unit);
        // Present lists reach the platform even when empty; absent ones stay absent.
        EXPECT_EQ(p->auParameter()->valueStrings(), c.strings);
        EXPECT_EQ(p->auParameter()->dependentParameters(), c.dependents);
    }
}

TEST_F(AudioParameterTest, UnitSuffixesAndScaleFactors) {
    struct Case {
        Unit unit;
        const char* suffix;
    } cases[] = {{Unit::percent, "%"},   {Unit::hertz, "Hz"},  {Unit::decibels, "dB"}, {Unit::milliseconds, "MS"},
                 {Unit::generic, ""},    {Unit::indexed, ""},  {Unit::absoluteCents, ""}, {Unit::customUnit, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(displayableSuffix(c.unit), c.suffix);
        auto p = AudioParameter::make(1, "p", "P", c.unit, {0, 1}, 0, ValueIncrement::linear());
        EXPECT_EQ(p->displayableSuffix(), c.suffix);
        EXPECT_EQ(p->auParameter()->unitName(), std::optional<std::string>(c.suffix));
    }

    auto cents = AudioParameter::make(1, "detune", "Detune", Unit::absoluteCents, {0, 2400}, 1200, ValueIncrement::linear());
    EXPECT_EQ(cents->displayableValue(), 12);
    EXPECT_EQ(cents->saveScaleFactor(), 0.01f);
    EXPECT_EQ(cents->displayScaleFactor(), 100);
    auto ms = delayParameter(12);
    EXPECT_EQ(ms->displayableValue(), 12);
    EXPECT_EQ(ms->saveScaleFactor(), 1);
    EXPECT_EQ(ms->displayScaleFactor(), 1);
    EXPECT_FALSE(ms->isIndexed());
}

TEST_F(AudioParameterTest, TheDefaultIsTakenAsGivenEvenOutsideTheRange) {
    auto p = AudioParameter::make(1, "p", "P", Unit::percent, {50, 75}, 20, ValueIncrement::linear());
    EXPECT_EQ(p->value(), 20);
    EXPECT_EQ(p->auParameter()->storedValue(), 20);
}

TEST_F(AudioParameterTest, ValueIncrementEquality) {
    struct Case {
        ValueIncrement a, b;
        bool equal;
    } cases[] = {
        {ValueIncrement::linear(), ValueIncrement::linear(), true},
        {ValueIncrement::logarithmic(), ValueIncrement::logarithmic(), true},
        {ValueIncrement::logarithmic(1000), ValueIncrement::logarithmic(1000), true},
        {ValueIncrement::logarithmic(1000), ValueIncrement::logarithmic(999), false},
        {ValueIncrement::logarithmic(1000), ValueIncrement::logarithmic(), false},
        {ValueIncrement::logarithmic(), ValueIncrement::linear(), false},
        {ValueIncrement::logarithmic(nan), ValueIncrement::logarithmic(nan), false},
        {ValueIncrement::logarithmic(0.0f), ValueIncrement::logarithmic(-0.0f), true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.a == c.b, c.equal);
}

TEST_F(AudioParameterTest, TheStoreHappensLaterOnTheMainQueue) {
    auto p = delayParameter();
    p->setValue(20, ParameterEditor::ui, ParameterEditorState::change);
    EXPECT_EQ(p->value(), 10);
    drain();
    EXPECT_EQ(p->value(), 20);
}

TEST_F(AudioParameterTest, ValuesAreClampedToTheRange) {
    struct Case {
        float in, stored;
    } cases[] = {{60, 50}, {-1, 0}, {nan, 0}, {std::numeric_limits<float>::infinity(), 50},
                 {-std::numeric_limits<float>::infinity(), 0}, {25.5f, 25.5f}};
    for (auto source : {ParameterEditor::ui, ParameterEditor::parameterObserver})
        for (const auto& c : cases) {
            auto p = delayParameter();
            p->setValue(c.in, source, ParameterEditorState::change);
            drain();
            EXPECT_EQ(p->value(), c.stored) << c.in;
        }
}

TEST_F(AudioParameterTest, AUiChangeIsWrittenAtOnceWithHostTimeAndPhase) {
    auto p = delayParameter();
    const auto& au = p->auParameter();
    au->clearWriteLog();
    const auto before = AudioToolbox::AudioGetCurrentHostTime();
    p->setValue(10, ParameterEditor::ui, ParameterEditorState::beginInteractive);
    p->setValue(99, ParameterEditor::ui, ParameterEditorState::change);
    drain();
    p->setValue(50, ParameterEditor::ui, ParameterEditorState::endInteractive);
    const auto after = AudioToolbox::AudioGetCurrentHostTime();

    auto log = au->writeLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].value, 10);
    EXPECT_EQ(log[0].eventType, Event::touch);
    EXPECT_EQ(log[1].value, 50);  // clamped before it is written
    EXPECT_EQ(log[1].eventType, Event::value);
    EXPECT_EQ(log[2].value, 50);
    EXPECT_EQ(log[2].eventType, Event::release);
    for (const auto& w : log) {
        EXPECT_GE(w.hostTime, before);
        EXPECT_LE(w.hostTime, after);
        EXPECT_EQ(w.originator, nullptr);
    }
}

TEST_F(AudioParameterTest, AnUnchangedChangeWritesAndQueuesNothing) {
    auto p = delayParameter();
    p->auParameter()->clearWriteLog();
    ChangeCounter counter([&] { (void)p->value(); });
    p->setValue(10, ParameterEditor::ui, ParameterEditorState::change);
    p->setValue(10, ParameterEditor::parameterObserver, ParameterEditorState::change);
    EXPECT_TRUE(p->auParameter()->writeLog().empty());
    EXPECT_FALSE(loop().hasPendingWork());
    p->setValue(-5, ParameterEditor::ui, ParameterEditorState::change);  // clamps to 0: a real change
    EXPECT_EQ(p->auParameter()->writeLog().size(), 1u);
    drain();
    EXPECT_EQ(counter.changes, 1);
}

// The stored value lags behind what is queued: a value equal to it is still the newest one when
// another update is waiting, and must not be lost behind that older one.
TEST_F(AudioParameterTest, AValueEqualToTheStoredOneIsKeptWhileAnOlderOneIsQueued) {
    auto p = delayParameter();
    p->setValue(42, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    p->setValue(0, ParameterEditor::parameterObserver, ParameterEditorState::change);
    p->setValue(42, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    EXPECT_EQ(p->value(), 42);
}

TEST_F(AudioParameterTest, AnUnchangedPhaseStillWritesButNotifiesNobody) {
    auto p = delayParameter();
    p->auParameter()->clearWriteLog();
    ChangeCounter counter([&] { (void)p->value(); });
    p->setValue(10, ParameterEditor::ui, ParameterEditorState::beginInteractive);
    drain();
    auto log = p->auParameter()->writeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].value, 10);
    EXPECT_EQ(log[0].eventType, Event::touch);
    EXPECT_EQ(p->value(), 10);
    EXPECT_EQ(counter.changes, 0);
}

TEST_F(AudioParameterTest, HostAndEffectValuesAreNeverWrittenBack) {
    auto p = delayParameter();
    p->auParameter()->clearWriteLog();
    for (auto state : {ParameterEditorState::change, ParameterEditorState::beginInteractive, ParameterEditorState::endInteractive})
        p->setValue(30, ParameterEditor::parameterObserver, state);
    drain();
    EXPECT_TRUE(p->auParameter()->writeLog().empty());
    EXPECT_EQ(p->value(), 30);
}

TEST_F(AudioParameterTest, AGestureDropsHostValuesByTheFlagAtTheTimeOfTheStore) {
    auto p = delayParameter();
    // Flag raised after the call, before the store: dropped.
    p->setValue(30, ParameterEditor::parameterObserver, ParameterEditorState::change);
    p->setIsBeingInteractivelyEdited(true);
    drain();
    EXPECT_EQ(p->value(), 10);

    // Raised at the call, lowered before the store: stored.
    p->setValue(40, ParameterEditor::parameterObserver, ParameterEditorState::change);
    p->setIsBeingInteractivelyEdited(false);
    drain();
    EXPECT_EQ(p->value(), 40);

    // The control's own values go through during its gesture.
    p->setIsBeingInteractivelyEdited(true);
    p->setValue(45, ParameterEditor::ui, ParameterEditorState::change);
    drain();
    EXPECT_EQ(p->value(), 45);
}

TEST_F(AudioParameterTest, AnEditIsOneGestureAndADragHoldsOffHostValuesForItsLength) {
    using ParameterEdit::Hold;
    auto p = delayParameter();
    const auto& au = p->auParameter();
    au->clearWriteLog();

    ParameterEdit::begin(*p, 10, Hold::whileEditing);
    EXPECT_TRUE(p->isBeingInteractivelyEdited());
    ParameterEdit::change(*p, 20);
    p->setValue(40, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    EXPECT_EQ(p->value(), 20) << "a host value during the drag is dropped";
    ParameterEdit::end(*p, 20, Hold::whileEditing);
    EXPECT_FALSE(p->isBeingInteractivelyEdited());

    // A press holds nothing; a commit is the last change and the release at it.
    ParameterEdit::begin(*p, 20);
    EXPECT_FALSE(p->isBeingInteractivelyEdited());
    ParameterEdit::commit(*p, 30);
    drain();
    EXPECT_EQ(p->value(), 30);

    std::vector<std::pair<float, Event>> writes;
    for (const auto& w : au->writeLog()) writes.emplace_back(w.value, w.eventType);
    EXPECT_EQ(writes, (std::vector<std::pair<float, Event>>{{10, Event::touch}, {20, Event::value}, {20, Event::release},
                                                            {20, Event::touch}, {30, Event::value}, {30, Event::release}}));
}

TEST_F(AudioParameterTest, ObserversHearEachChangedStoreOnTheMainThreadAndNoEqualOne) {
    auto p = delayParameter();
    ChangeCounter values([&] { (void)p->value(); });
    ChangeCounter editing([&] { (void)p->isBeingInteractivelyEdited(); });
    p->setValue(20, ParameterEditor::ui, ParameterEditorState::change);
    p->setValue(20, ParameterEditor::parameterObserver, ParameterEditorState::change);  // same, still queued
    drain();
    EXPECT_EQ(values.changes, 1);
    p->setIsBeingInteractivelyEdited(false);
    drain();
    EXPECT_EQ(editing.changes, 0);
    p->setIsBeingInteractivelyEdited(true);
    drain();
    EXPECT_EQ(editing.changes, 1);
}

TEST_F(AudioParameterTest, AQueuedStoreKeepsTheParameterAlive) {
    auto p = delayParameter();
    std::weak_ptr<AudioParameter> weak = p;
    p->setValue(20, ParameterEditor::ui, ParameterEditorState::change);
    p.reset();
    EXPECT_FALSE(weak.expired());
    drain();
    EXPECT_TRUE(weak.expired());
}

TEST_F(AudioParameterTest, TheDummyParameterIsAnEmptyCustomUnitOutsideAnyTree) {
    auto d = AudioParameter::dummyParam();
    EXPECT_EQ(d->address(), 0u);
    EXPECT_EQ(d->identifier(), "");
    EXPECT_EQ(d->name(), "");
    EXPECT_EQ(d->units(), Unit::customUnit);
    EXPECT_EQ(d->valueRange(), (AudioParameter::ValueRange{0, 0}));
    EXPECT_EQ(d->defaultValue(), 0);
    EXPECT_EQ(d->valueIncrement(), ValueIncrement::linear());
    EXPECT_FALSE(d->valueStrings());
    EXPECT_FALSE(d->dependentParameterAddresses());
    EXPECT_EQ(d->value(), 0);
    const auto& au = *d->auParameter();
    EXPECT_EQ(au.unit(), Unit::customUnit);
    EXPECT_EQ(au.unitName(), std::optional<std::string>(""));
    EXPECT_EQ(au.flags(), 0xC0000000u);
    EXPECT_EQ(au.minValue(), 0);
    EXPECT_EQ(au.maxValue(), 0);
    EXPECT_EQ(au.tree(), nullptr);
    EXPECT_NE(AudioParameter::dummyParam(), AudioParameter::dummyParam());
}

// Host threads set values while the main thread drains; TSan checks the cross-thread reads.
TEST_F(AudioParameterTest, ValuesSetFromAWorkerWhileTheMainThreadDrains) {
    auto p = delayParameter(0);
    auto tree = AudioToolbox::AUParameterTree::createTree({p->auParameter()});
    std::atomic<int> observed{0};
    tree->setImplementorValueObserver([&](const AudioToolbox::AUParameter&, float) { observed.fetch_add(1); });
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 1; i <= 400; ++i) {
            auto source = i % 2 ? ParameterEditor::parameterObserver : ParameterEditor::ui;
            p->setValue(float(i % 50), source, ParameterEditorState::change);
            (void)p->value();
        }
        p->setValue(42, ParameterEditor::parameterObserver, ParameterEditorState::change);
        done = true;
    });
    while (!done) {
        loop().runUntilIdle();
        (void)p->value();
    }
    worker.join();
    drain();
    EXPECT_EQ(p->value(), 42);
    EXPECT_EQ(std::size_t(observed.load()), p->auParameter()->writeLog().size() - 1);  // all but the creation write
}

}  // namespace
