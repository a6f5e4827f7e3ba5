#include <cmath>
#include <limits>

#include <gtest/gtest-spi.h>

#include "Engine/RenderHarness.hpp"

namespace EngineTests {
namespace {

using ::testing::ElementsAre;

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

TEST(StepRule, CountsSixteenthsWithATolerance) {
    MidiProcessor p;
    struct Case {
        double beat;
        int steps;
        int expected;
    };
    const Case cases[] = {
        {0, 16, 0},         {0.25, 16, 1},     {3.99995, 16, 15}, {3.99998, 16, 0},  {-0.25, 16, 15},
        {-0.00001, 16, 0},  {-0.00002, 16, 0}, {5.0, 16, 4},      {1.0, 3, 1},       {-1.0, 3, 2},
        {1e18, 16, 0},      {1e300, 16, 0},    {0.75, 0, 0},      {0.75, 1, 0},      {0.75, 2, 1},
    };
    for (const Case& c : cases) {
        p.stepCount.store(c.steps);
        EXPECT_EQ(p.stepAt(c.beat), c.expected) << "beat " << c.beat << ", " << c.steps << " steps";
    }
}

TEST(SwingWarp, SwingsPairsAndLeavesStraightTimeAlone) {
    struct Case {
        int division;
        float amount;
        double position;
        float expected;
    };
    const Case cases[] = {
        {8, 0.75f, 0.5, 0.75f},   {8, 0.75f, 0.25, 0.375f}, {8, 0.75f, 1.0, 1.0f},  {8, 0.75f, 1.5, 1.75f},
        {4, 0.5f, 1.3, 1.3f},     {0, 0.75f, 0.7, 0.7f},    {-4, 0.6f, 0.7, 0.7f},  {16, 0.75f, 0.125, 0.1875f},
        {4, 0.75f, 1.0, 1.5f},    {4, 0.6f, 2.0, 2.0f},
    };
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(MidiProcessor::swingWarp(c.division, c.amount, c.position), c.expected)
            << "1/" << c.division << " at " << c.amount << ", position " << c.position;
    }
    EXPECT_EQ(MidiProcessor::swingWarp(8, 0.75f, 1e12), 1e12f) << "no pair index that far out";
    EXPECT_TRUE(std::isnan(MidiProcessor::swingWarp(8, 0.75f, std::nan(""))));
}

TEST(NoteTiming, DefaultsSendEveryEventAtItsOwnTimeAndVelocity) {
    RenderHarness h;
    EventList events;
    events.noteOn(100, 60, 100).midi(200, 0xB0, 7, 90).noteOff(300, 60, 40).midi(310, 0xC3, 5, 0, 2);
    ASSERT_EQ(h.render(0, events), noErr);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(100, 0x90, 60, 100), midiOut(200, 0xB0, 7, 90), midiOut(300, 0x80, 60, 40),
                                    midiOut(310, 0xC3, 5, 0, 2)));
}

TEST(NoteTiming, RandomDelayWorkedExample) {
    for (auto [seed, expected] : {std::pair{0.0f, 1380}, std::pair{7.0f, 1265}}) {
        RenderHarness h;
        h.set(Address::random, 10);
        h.set(Address::seed, seed);
        h.context.beat = 1.0;
        EventList events;
        events.noteOn(1000, 60, 100).noteOff(1500, 60);
        ASSERT_EQ(h.render(1000, events), noErr);
        ASSERT_EQ(h.sent.size(), 2u);
        EXPECT_EQ(h.sent[0], midiOut(expected, 0x90, 60, 100)) << "seed " << seed;
        EXPECT_EQ(h.sent[1].time - 1500, expected - 1000) << "the note-off keeps the note-on's random part";
    }
}

TEST(NoteTiming, RandomZeroIgnoresTheSeed) {
    RenderHarness h;
    h.set(Address::seed, 999);
    EventList events;
    events.noteOn(10, 61, 90);
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(10, 0x90, 61, 90)));
}

TEST(NoteTiming, SwingWorkedExample) {
    RenderHarness h;
    h.set(Address::swingOneEight, 75);
    EventList events;
    events.noteOn(11025, 64, 100);  // beat 0.5 at 120 BPM and 44100 Hz
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(11025 + 5513, 0x90, 64, 100)));
}

TEST(NoteTiming, GlobalAndStepDelaysAddUp) {
    RenderHarness h;
    h.set(Address::delay, 10);         // 441 samples
    h.set(Address::stepDelay(1), 20);  // 882 samples on step 2
    h.context.beat = 0.25;             // step 2
    EventList events;
    events.noteOn(0, 60, 100).noteOff(100, 60);
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(441 + 882, 0x90, 60, 100), midiOut(100 + 441 + 882, 0x80, 60, 64)));
}

TEST(NoteTiming, EachEventUsesItsOwnStepForDelayAndVelocity) {
    RenderHarness h;
    h.set(Address::stepVelocity(0), 50);
    h.set(Address::stepVelocity(1), 25);
    h.set(Address::stepDelay(1), 10);
    EventList events;
    events.noteOn(0, 60, 100).noteOff(5513, 60, 100);  // beat 0.25002: step 2
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(0, 0x90, 60, 50), midiOut(5513 + 441, 0x80, 60, 25)));
}

TEST(NoteTiming, RepeatedNoteOnsShareOneSlot) {
    RenderHarness h;
    h.set(Address::random, 10);
    h.context.beat = 1.0;
    EventList events;
    events.noteOn(1000, 60, 100).noteOn(1100, 60, 100).noteOff(1200, 60).noteOff(1300, 60);
    h.render(1000, events);
    ASSERT_EQ(h.sent.size(), 4u);
    const auto second = h.sent[1].time - 1100;
    EXPECT_EQ(h.sent[2].time - 1200, second) << "the first note-off takes the refreshed random part";
    EXPECT_EQ(h.sent[3].time, 1300) << "the second note-off finds no slot and is sent undelayed";
    EXPECT_EQ(pendingCount(h.processor), 0u);
}

TEST(NoteTiming, NoteOffWithoutNoteOnIsSentAtItsOwnTimeScaled) {
    RenderHarness h;
    h.set(Address::delay, 30);
    h.set(Address::stepVelocity(0), 50);
    EventList events;
    events.noteOff(77, 62, 100).noteOn(80, 62, 0);  // a velocity-0 note-on ends a note too
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(77, 0x80, 62, 50), midiOut(80, 0x90, 62, 0)));
}

TEST(NoteTiming, ZeroVelocityStepKeepsANoteOn) {
    RenderHarness h;
    h.set(Address::stepVelocity(0), 0);
    EventList on;
    on.noteOn(0, 60, 127);
    h.render(0, on);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(0, 0x90, 60, 0)));
    EXPECT_NE(h.processor.pendingNote(60, 0), nullptr) << "the note waits for its own note-off";
}

TEST(NoteTiming, NoteOffIsNeverSentBeforeItsNoteOn) {
    RenderHarness h;
    h.set(Address::stepDelay(0), 50);  // 2205 samples on step 1, none on step 2
    EventList events;
    events.noteOn(5000, 60, 100).noteOff(5600, 60);  // beat 0.2268 and 0.2540: steps 1 and 2
    h.render(0, events);
    ASSERT_EQ(h.sent.size(), 2u);
    EXPECT_EQ(h.sent[0].time, 5000 + 2205);
    EXPECT_EQ(h.sent[1].time, 5000 + 2205) << "the literal rule would end the note at 5600, before it began";
}

TEST(NoteTiming, OverdrivenVelocityIsClampedToAValidDataByte) {
    RenderHarness h;
    EventList events;
    events.parameter(0, Address::stepVelocity(0), 200).noteOn(1, 60, 100).parameter(2, Address::stepVelocity(0), inf)
        .noteOff(3, 60, 100).parameter(4, Address::stepVelocity(0), nan).noteOn(5, 61, 100)
        .parameter(6, Address::stepVelocity(0), -50).noteOn(7, 62, 100);
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(1, 0x90, 60, 127), midiOut(3, 0x80, 60, 127), midiOut(5, 0x90, 61, 0),
                                    midiOut(7, 0x90, 62, 0)));
}

TEST(NoteTiming, NotesAreKeyedByChannelAsWellAsNumber) {
    RenderHarness h;
    h.set(Address::stepDelay(0), 10);
    EventList events;
    events.noteOn(0, 60, 100, 0).noteOn(10, 60, 100, 1).noteOff(20, 60, 64, 0).noteOff(30, 60, 64, 1);
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(441, 0x90, 60, 100), midiOut(451, 0x91, 60, 100),
                                    midiOut(461, 0x80, 60, 64), midiOut(471, 0x81, 60, 64)));
}

TEST(NoteTiming, EveryHeldNoteIsRememberedHoweverManyAreHeld) {
    RenderHarness h;
    h.set(Address::delay, 20);  // 882 samples
    EventList held;
    for (int note = 0; note < 128; ++note) held.noteOn(0, std::uint8_t(note), 100, 0);
    h.render(0, held);
    EventList more;
    more.noteOn(100, 60, 100, 1).noteOff(200, 60, 64, 1);
    h.render(0, more);
    ASSERT_EQ(h.sent.size(), 130u);
    EXPECT_EQ(h.sent[128], midiOut(982, 0x91, 60, 100));
    EXPECT_EQ(h.sent[129], midiOut(1082, 0x81, 60, 64)) << "the note-off follows its note-on";
    EXPECT_EQ(pendingCount(h.processor), 128u);
}

TEST(NoteTiming, BypassForwardsMidiUnchangedButAppliesParameters) {
    RenderHarness h;
    h.set(Address::delay, 20);
    EventList first;
    first.noteOn(0, 60, 100);
    h.render(0, first);
    ASSERT_EQ(h.sent.size(), 1u);
    const auto onTime = h.sent[0].time;

    h.processor.bypass.store(true);
    EventList bypassed;
    bypassed.noteOff(10, 60, 30).midi(11, 0xF8, 0, 0, 1).parameter(12, Address::delay, 40).noteOn(13, 61, 0);
    h.render(0, bypassed);
    EXPECT_THAT(std::vector(h.sent.begin() + 1, h.sent.end()),
                ElementsAre(midiOut(10, 0x80, 60, 30), midiOut(11, 0xF8, 0, 0, 1), midiOut(13, 0x90, 61, 0)));
    EXPECT_EQ(h.processor.delay.load(), 0.04f);
    EXPECT_NE(h.processor.pendingNote(60, 0), nullptr) << "a forwarded note-off leaves the note pending";

    h.processor.bypass.store(false);
    EventList after;
    after.noteOff(20, 60);
    h.render(0, after);
    EXPECT_EQ(h.sent.back().time, std::max<AUEventSampleTime>(20 + 1764, onTime));
    EXPECT_EQ(h.processor.pendingNote(60, 0), nullptr);
}

TEST(NoteTiming, ShortAndOverlongEventsAreSentSafely) {
    RenderHarness h;
    EventList events;
    events.midi(1, 0x90, 60, 0, 2).midi(2, 0xB0, 1, 2, 9).other(AURenderEventType::MIDISysEx, 3)
        .other(AURenderEventType::ParameterRamp, 4).other(AURenderEventType::MIDIEventList, 5);
    h.render(0, events);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(1, 0x90, 60, 0, 2), midiOut(2, 0xB0, 1, 2, 3)));
}

TEST(NoteTiming, ImmediateEventsSitAtTheCycleStart) {
    RenderHarness h;
    h.set(Address::swingOneEight, 75);
    h.context.beat = 0.5;
    EventList events;
    events.noteOn(AUEventSampleTimeImmediate, 60, 100).noteOff(AUEventSampleTimeImmediate, 60);
    h.render(22050, events);
    // The marker takes the delay as an offset into the cycle.
    EXPECT_THAT(h.sent, ElementsAre(midiOut(AUEventSampleTimeImmediate + 5513, 0x90, 60, 100),
                                    midiOut(AUEventSampleTimeImmediate + 5513, 0x80, 60, 64)));
}

TEST(NoteTiming, OnlyParameterEventsSendNothingAndPublishTheStep) {
    RenderHarness h;
    h.context.beat = 0.5;
    EventList events;
    events.parameter(0, Address::delay, 3);
    ASSERT_EQ(h.render(0, events), noErr);
    EXPECT_TRUE(h.sent.empty());
    EXPECT_EQ(h.processor.lastStep, 2);
    EXPECT_EQ(h.processor.displayStep.load(), 2);
    h.context.beat = 0.75;
    h.render(1000);
    EXPECT_EQ(h.processor.displayStep.load(), 3) << "an empty list publishes too";
}

TEST(NoteTiming, StepCountOfOneOrZeroPutsEverythingOnStepOne) {
    for (float steps : {0.0f, 1.0f}) {
        RenderHarness h;
        h.set(Address::stepCount, steps);
        h.set(Address::stepDelay(0), 1);
        h.set(Address::stepDelay(3), 30);
        h.context.beat = 0.75;
        EventList events;
        events.noteOn(0, 60, 100);
        h.render(0, events);
        EXPECT_THAT(h.sent, ElementsAre(midiOut(44, 0x90, 60, 100))) << steps << " steps";
        EXPECT_EQ(h.processor.displayStep.load(), 0);
    }
}

TEST(NoteTiming, WithoutAUsableMusicalContextNothingHappens) {
    struct Case {
        const char* what;
        bool noBlock;
        bool available;
        double tempo;
        double beat;
    };
    const Case cases[] = {
        {"no block", true, true, 120, 0},
        {"block returns false", false, false, 120, 0},
        {"tempo 0", false, true, 0, 0},
        {"negative tempo", false, true, -120, 0},
        {"tempo NaN", false, true, std::nan(""), 0},
        {"tempo infinite", false, true, HUGE_VAL, 0},
        {"beat NaN", false, true, 120, std::nan("")},
    };
    for (const Case& c : cases) {
        RenderHarness h;
        if (c.noBlock) h.processor.musicalContextBlock = nullptr;
        h.context = {c.tempo, c.beat, 0, c.available};
        EventList events;
        events.parameter(0, Address::delay, 30).noteOn(0, 60, 100).noteOff(10, 60);
        EXPECT_EQ(h.render(0, events), kAudioUnitErr_CannotDoInCurrentContext) << c.what;
        EXPECT_TRUE(h.sent.empty()) << c.what;
        EXPECT_EQ(h.processor.delay.load(), 0.0f) << c.what << ": parameter events are not applied";
        EXPECT_EQ(h.processor.dirtyMask.load(), 0u) << c.what;
        EXPECT_EQ(h.processor.displayStep.load(), -1) << c.what;
    }
}

TEST(NoteTiming, NoOutputBlockStillTracksNotes) {
    RenderHarness h;
    h.processor.midiOutputEventBlock = nullptr;
    EventList events;
    events.noteOn(0, 60, 100);
    EXPECT_EQ(h.render(0, events), noErr);
    EXPECT_NE(h.processor.pendingNote(60, 0), nullptr);
}

TEST(NoteTiming, DelaysStayExactLateOnTheHostsClock) {
    // Hosts count samples from engine start: at 3.8e9 (a day at 44.1 kHz) 0 ms stays 0 and
    // 10 ms stays 441 samples.
    constexpr AUEventSampleTime late = 3'800'000'001;
    RenderHarness h;
    EventList events;
    events.noteOn(late, 60, 100).noteOff(late + 2, 60);
    h.render(double(late), events);
    h.set(Address::delay, 10);
    EventList delayed;
    delayed.noteOn(late + 3, 61, 100).noteOff(late + 5, 61);
    h.render(double(late), delayed);
    EXPECT_THAT(h.sent, ElementsAre(midiOut(late, 0x90, 60, 100), midiOut(late + 2, 0x80, 60, 64),
                                    midiOut(late + 3 + 441, 0x90, 61, 100), midiOut(late + 5 + 441, 0x80, 61, 64)));
}

TEST(NoteTiming, ExtremeHostAutomationNeverSendsBeforeTheInputOrCrashes) {
    const float values[] = {-1e9f, -50, 0, 50, 75, 100, 1e9f, inf, -inf, nan};
    for (AUParameterAddress address = 0; address < Address::count; ++address) {
        for (float value : values) {
            RenderHarness h;
            h.context.beat = 0.3;
            EventList events;
            events.parameter(0, address, value).noteOn(100, 60, 100).midi(150, 0xE0, 0, 64).noteOff(200, 60, 100);
            ASSERT_EQ(h.render(0, events), noErr);
            ASSERT_EQ(h.sent.size(), 3u);
            const AUEventSampleTime inputTimes[] = {100, 150, 200};
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_GE(h.sent[i].time, inputTimes[i]) << "address " << address << " value " << value;
                EXPECT_LT(h.sent[i].bytes[2], 128) << "address " << address << " value " << value;
            }
            EXPECT_GE(h.sent[2].time, h.sent[0].time) << "address " << address << " value " << value;
        }
    }
}

TEST(NoteTiming, EveryHarnessRenderIsCheckedForRealTimeSafety) {
    RenderHarness h;
    std::vector<AUEventSampleTime> growing;
    h.processor.midiOutputEventBlock = [&](AUEventSampleTime time, std::uint8_t, long, const std::uint8_t*) {
        growing.push_back(time);
        return OSStatus(0);
    };
    EventList events;
    events.noteOn(0, 60, 100);
    EXPECT_NONFATAL_FAILURE(h.render(0, events), "not real-time safe");
}

}  // namespace
}  // namespace EngineTests
