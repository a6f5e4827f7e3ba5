#include <cmath>
#include <limits>

#include "Engine/RenderHarness.hpp"

namespace EngineTests {
namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();

TEST(MidiProcessor, StartsEmptyWithNoStepPublished) {
    MidiProcessor p;
    EXPECT_EQ(pendingCount(p), 0u);
    EXPECT_EQ(p.lastStep, -1);
    EXPECT_EQ(p.displayStep.load(), -1);
    EXPECT_EQ(p.dirtyMask.load(), 0u);
    EXPECT_EQ(p.sampleRate.load(), 44100.0f);
    EXPECT_EQ(p.seed.load(), 32.0f);
    EXPECT_EQ(p.stepCount.load(), 16);
    EXPECT_EQ(p.swingOneEight.load(), 0.5f);
    EXPECT_FALSE(p.musicalContextBlock);
    EXPECT_FALSE(p.midiOutputEventBlock);
}

TEST(MidiProcessor, ConvertsValuesToSecondsAndFractionsAndMirrorsThemRaw) {
    MidiProcessor p;
    p.setParameter(Address::delay, false, 25);
    p.setParameter(Address::random, false, 10);
    p.setParameter(Address::seed, false, 7);
    p.setParameter(Address::swingOneFour, false, 60);
    p.setParameter(Address::swingOneEight, false, 75);
    p.setParameter(Address::swingOneSixteen, false, 52);
    p.setParameter(Address::stepDelay(4), false, 40);
    p.setParameter(Address::stepVelocity(15), false, 80);
    EXPECT_EQ(p.delay.load(), 25.0f / 1000.0f);
    EXPECT_EQ(p.random.load(), 10.0f / 1000.0f);
    EXPECT_EQ(p.seed.load(), 7.0f);
    EXPECT_EQ(p.swingOneFour.load(), 60.0f / 100.0f);
    EXPECT_EQ(p.swingOneEight.load(), 0.75f);
    EXPECT_EQ(p.swingOneSixteen.load(), 52.0f / 100.0f);
    EXPECT_EQ(p.stepDelays[4].load(), 40.0f / 1000.0f);
    EXPECT_EQ(p.stepVelocities[15].load(), 0.8f);
    EXPECT_EQ(p.parameterMirror[Address::delay].load(), 25.0f);
    EXPECT_EQ(p.parameterMirror[Address::stepVelocity(15)].load(), 80.0f);
    EXPECT_EQ(p.dirtyMask.load(), 0u) << "the editor's own values are not echoed back";
}

TEST(MidiProcessor, StepCountIsTruncatedAndRangeTestedButAlwaysMirrored) {
    struct Case {
        float value;
        int expected;
    };
    const Case cases[] = {{16.9f, 16}, {0.7f, 0}, {-0.5f, 0}, {1, 1}, {0, 0}, {4, 4},
                          {17, 9}, {-1, 9}, {nan, 9}, {1e20f, 9}, {-std::numeric_limits<float>::infinity(), 9}};
    for (const Case& c : cases) {
        MidiProcessor p;
        p.setParameter(Address::stepCount, false, 9);
        p.setParameter(Address::stepCount, true, c.value);
        EXPECT_EQ(p.stepCount.load(), c.expected) << "value " << c.value;
        const float mirrored = p.parameterMirror[Address::stepCount].load();
        EXPECT_TRUE(mirrored == c.value || (std::isnan(mirrored) && std::isnan(c.value))) << "value " << c.value;
        EXPECT_EQ(p.dirtyMask.load(), std::uint64_t(1) << 38) << "refused values go back to the editor too";
    }
}

TEST(MidiProcessor, AddressesBeyondTheLastParameterChangeNothing) {
    MidiProcessor p;
    for (AUParameterAddress a : {39ull, 40ull, 63ull, 64ull, ~0ull}) p.setParameter(a, true, 5);
    EXPECT_EQ(p.dirtyMask.load(), 0u);
    for (const auto& m : p.parameterMirror) EXPECT_EQ(m.load(), 0.0f);
}

TEST(MidiProcessor, RenderEventsMarkTheMaskOnceAndKeepTheLaterValue) {
    RenderHarness h;
    EventList events;
    events.parameter(0, Address::delay, 10).parameter(5, Address::delay, 20).parameter(6, Address::stepCount, 4);
    ASSERT_EQ(h.render(0, events), noErr);
    EXPECT_EQ(h.processor.parameterMirror[0].load(), 20.0f);
    EXPECT_EQ(h.processor.delay.load(), 0.02f);
    EXPECT_EQ(h.processor.takeDirtyMask(), (std::uint64_t(1) << 0) | (std::uint64_t(1) << 38));
    EXPECT_EQ(h.processor.takeDirtyMask(), 0u) << "taking the mask clears it";
}

TEST(MidiProcessor, NotesArePendingUntilTheirNoteOffAndStrikingAgainKeepsOneEntry) {
    RenderHarness h;
    EventList events;
    for (std::uint8_t note = 60; note < 65; ++note) events.noteOn(note, note, 100);
    events.noteOff(70, 62).noteOn(71, 64, 90).noteOn(72, 70, 100);
    h.render(0, events);
    EXPECT_EQ(pendingCount(h.processor), 5u);
    ASSERT_NE(h.processor.pendingNote(64, 0), nullptr);
    EXPECT_EQ(h.processor.pendingNote(64, 0)->noteOnTime, 71);
    EXPECT_EQ(h.processor.pendingNote(62, 0), nullptr);
    EXPECT_EQ(h.processor.pendingNote(64, 1), nullptr);
}

}  // namespace
}  // namespace EngineTests
