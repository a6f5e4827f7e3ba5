#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "AudioToolbox/AUAudioUnitBusArray.hpp"
#include "Engine/RenderHarness.hpp"
#include "TestSupport/RealtimeCheck.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"

namespace EngineTests {
namespace {

using ::testing::ElementsAre;
using Vantrel_Zellow_Extension::MidiZellowAudioUnit;

const AudioComponentDescription description{kAudioUnitType_MIDIProcessor, fourCC("vzlw"), fourCC("Vtrl"), 0, 0};

// A host around one unit: musical context, MIDI output, and the render block called the way a
// host's render thread calls it, under the real-time check.
struct UnitHost {
    std::shared_ptr<MidiZellowAudioUnit> unit = Runtime::make<MidiZellowAudioUnit>(description);
    RenderHarness::Context context;
    std::vector<SentEvent> sent;
    std::size_t overflow = 0;
    AURenderBlock block;

    UnitHost() { sent.reserve(1 << 16); }

    void connect(bool withContext = true) {
        if (withContext) {
            unit->setMusicalContextBlock([this](double* tempo, double*, long*, double* beat, long*, double* downbeat) {
                if (!context.available) return false;
                *tempo = context.tempo;
                *beat = context.beat;
                *downbeat = context.downbeat;
                return true;
            });
        }
        unit->setMIDIOutputEventBlock(recordInto(sent, overflow));
        block = unit->renderBlock();
    }
    void pushDefaults() {
        for (AUParameterAddress a = 0; a < Address::count; ++a) unit->setParameter(a, RenderHarness::defaultValue(a));
    }
    OSStatus render(double sampleTime, AUAudioFrameCount frames, EventList& events) {
        AudioTimeStamp stamp;
        stamp.mSampleTime = sampleTime;
        AudioUnitRenderActionFlags flags = 0;
        const AURenderEvent* head = events.head();
        TestSupport::RealtimeCheck check;
        return block(&flags, &stamp, frames, 0, nullptr, head, nullptr);
    }
};

TEST(MidiZellowAudioUnit, DeclaresOneStereoBusEachWayAndItsProperties) {
    auto unit = Runtime::make<MidiZellowAudioUnit>(description);
    ASSERT_EQ(unit->inputBusses()->count(), 1u);
    ASSERT_EQ(unit->outputBusses()->count(), 1u);
    auto input = (*unit->inputBusses())[0], output = (*unit->outputBusses())[0];
    for (const auto& bus : {input, output}) {
        EXPECT_EQ(bus->format()->sampleRate(), 44100);
        EXPECT_EQ(bus->format()->channelCount(), 2u);
    }
    EXPECT_EQ(input->maximumChannelCount(), 8u);
    EXPECT_EQ(output->maximumChannelCount(), 2u);
    EXPECT_EQ(input->busType(), AUAudioUnitBusType::input);
    EXPECT_EQ(unit->inputBusses()->ownerAudioUnit(), unit.get());
    EXPECT_EQ(unit->maximumFramesToRender(), 1024u);
    EXPECT_EQ(unit->latency(), 0);
    EXPECT_EQ(unit->channelCapabilities(), (std::vector<int>{2, 2}));
    EXPECT_TRUE(unit->isMusicDeviceOrEffect());
    EXPECT_FALSE(unit->shouldBypassEffect());
    EXPECT_EQ(unit->inputBus().pcmBuffer, nullptr);
    EXPECT_EQ(unit->inputBus().audioBufferList, nullptr);
}

TEST(MidiZellowAudioUnit, CreationFailsWithTheBaseError) {
    AUAudioUnit::failNextInitialisation(Foundation::NSError(Foundation::NSOSStatusErrorDomain, -50, "refused"));
    try {
        Runtime::make<MidiZellowAudioUnit>(description);
        FAIL() << "expected the base's error";
    } catch (const Foundation::NSError& error) {
        EXPECT_EQ(error.code(), -50);
    }
}

TEST(MidiZellowAudioUnit, SetParameterStoresWithoutMarkingTheMask) {
    auto unit = Runtime::make<MidiZellowAudioUnit>(description);
    unit->setParameter(40, 3);
    unit->setParameter(Address::stepCount, 4);
    const auto& p = unit->midiProcessor();
    EXPECT_EQ(p.stepCount.load(), 4);
    EXPECT_EQ(p.parameterMirror[Address::stepCount].load(), 4.0f);
    EXPECT_EQ(p.dirtyMask.load(), 0u);
    unit->setShouldBypassEffect(true);
    EXPECT_TRUE(p.bypass.load());
    EXPECT_TRUE(unit->shouldBypassEffect());
}

TEST(MidiZellowAudioUnit, AllocationTakesTheOutputRateTheFrameLimitAndTheHostBlocks) {
    UnitHost host;
    host.unit->setMaximumFramesToRender(256);
    auto format48k = AVAudioFormat::standardFormat(48000, 2);
    (*host.unit->outputBusses())[0]->setFormat(format48k);
    (*host.unit->inputBusses())[0]->setFormat(format48k);
    host.connect();
    host.unit->allocateRenderResources();
    EXPECT_EQ(host.unit->midiProcessor().sampleRate.load(), 48000.0f);
    ASSERT_NE(host.unit->inputBus().pcmBuffer, nullptr);
    EXPECT_EQ(host.unit->inputBus().pcmBuffer->frameCapacity(), 256u);
    EXPECT_EQ(host.unit->inputBus().audioBufferList, host.unit->inputBus().pcmBuffer->audioBufferList());
    EXPECT_TRUE(host.unit->midiProcessor().musicalContextBlock);
    EXPECT_TRUE(host.unit->midiProcessor().midiOutputEventBlock);
    EXPECT_FALSE(host.unit->midiProcessor().transportStateBlock) << "the host gave none";
}

TEST(MidiZellowAudioUnit, RendersOnlyWhenAllocatedAndWithinTheFrameLimit) {
    UnitHost host;
    host.connect();
    host.pushDefaults();
    EventList events;
    events.noteOn(0, 60, 100);
    EXPECT_EQ(host.render(0, 512, events), kAudioUnitErr_Uninitialized);
    host.unit->allocateRenderResources();
    EXPECT_EQ(host.render(0, 1025, events), kAudioUnitErr_TooManyFramesToProcess);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(host.render(0, 1024, events), noErr);
    EXPECT_THAT(host.sent, ElementsAre(midiOut(0, 0x90, 60, 100)));
    host.unit->deallocateRenderResources();
    EXPECT_EQ(host.render(0, 512, events), kAudioUnitErr_Uninitialized);
}

TEST(MidiZellowAudioUnit, WithoutAMusicalContextEveryRenderFails) {
    UnitHost host;
    host.connect(false);
    host.pushDefaults();
    host.unit->allocateRenderResources();
    EventList events;
    events.noteOn(0, 60, 100);
    EXPECT_EQ(host.render(0, 512, events), kAudioUnitErr_CannotDoInCurrentContext);
    EXPECT_TRUE(host.sent.empty());
}

TEST(MidiZellowAudioUnit, ValuesAndHeldNotesSurviveReallocation) {
    UnitHost host;
    host.connect();
    host.pushDefaults();
    host.unit->setParameter(Address::delay, 10);
    host.unit->allocateRenderResources();
    EventList on;
    on.noteOn(0, 60, 100);
    host.render(0, 512, on);
    host.unit->deallocateRenderResources();
    host.unit->allocateRenderResources();
    EventList off;
    off.noteOff(600, 60);
    host.render(512, 512, off);
    EXPECT_EQ(host.unit->midiProcessor().delay.load(), 0.01f);
    ASSERT_EQ(host.sent.size(), 2u);
    EXPECT_EQ(host.sent[0].time, 441);
    EXPECT_EQ(host.sent[1].time, 600 + 441) << "the note-off still found its note";
}

TEST(MidiZellowAudioUnit, BypassPassesEveryEventUnchanged) {
    UnitHost host;
    host.connect();
    host.pushDefaults();
    host.unit->setParameter(Address::delay, 30);
    host.unit->setParameter(Address::stepVelocity(0), 10);
    host.unit->setShouldBypassEffect(true);
    host.unit->allocateRenderResources();
    EventList events;
    events.noteOn(3, 60, 100).midi(4, 0xB2, 7, 99).noteOff(5, 60, 12).midi(6, 0xD0, 40, 0, 2);
    EXPECT_EQ(host.render(0, 512, events), noErr);
    EXPECT_THAT(host.sent, ElementsAre(midiOut(3, 0x90, 60, 100), midiOut(4, 0xB2, 7, 99), midiOut(5, 0x80, 60, 12),
                                       midiOut(6, 0xD0, 40, 0, 2)));
}

TEST(MidiZellowAudioUnit, BlockSizeDoesNotChangeWhatTheUnitSends) {
    // Beats per sample is a power of two at this rate and tempo: every position is exact.
    constexpr double rate = 32768, tempo = 120;
    std::vector<SentEvent> reference;
    for (AUAudioFrameCount frames : {1u, 17u, 64u, 512u, 4096u}) {
        UnitHost host;
        host.context.tempo = tempo;
        auto format = AVAudioFormat::standardFormat(rate, 2);
        (*host.unit->outputBusses())[0]->setFormat(format);
        host.unit->setMaximumFramesToRender(4096);
        host.connect();
        host.pushDefaults();
        host.unit->setParameter(Address::random, 12);
        host.unit->setParameter(Address::swingOneSixteen, 65);
        host.unit->setParameter(Address::stepDelay(3), 25);
        host.unit->allocateRenderResources();
        std::mt19937 rng(5);
        std::vector<std::pair<AUEventSampleTime, std::uint8_t>> notes;
        for (int i = 0; i < 64; ++i) notes.emplace_back(AUEventSampleTime(i) * 1000 + rng() % 200, std::uint8_t(40 + i));
        EventList events;
        for (AUEventSampleTime start = 0; start < 70000; start += frames) {
            events.clear();
            for (const auto& [time, note] : notes) {
                if (time >= start && time < start + frames) events.noteOn(time, note, 100);
                if (time + 700 >= start && time + 700 < start + frames) events.noteOff(time + 700, note);
            }
            host.context.beat = double(start) * tempo / (60.0 * rate);
            ASSERT_EQ(host.render(double(start), frames, events), noErr);
        }
        std::stable_sort(host.sent.begin(), host.sent.end(),
                         [](const SentEvent& a, const SentEvent& b) { return a.time < b.time; });
        ASSERT_EQ(host.sent.size(), 128u);
        if (reference.empty()) {
            reference = host.sent;
        } else {
            EXPECT_EQ(host.sent, reference) << frames << " frames per cycle";
        }
    }
}

}  // namespace
}  // namespace EngineTests
