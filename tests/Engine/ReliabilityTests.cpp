#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <thread>

#include "Engine/RenderHarness.hpp"
#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"

namespace EngineTests {
namespace {

using Vantrel_Zellow_Extension::ParameterPreset;
using Vantrel_Zellow_Extension::RandomPresetType;

// One input event on the host's timeline.
struct Input {
    AUEventSampleTime time;
    bool isParameter;
    std::array<std::uint8_t, 3> bytes;
    AUParameterAddress address;
    float value;
};

// Well-formed notes on a few channels (each note-on is followed by its note-off before the
// same note starts again), with controller messages and, optionally, host automation.
std::vector<Input> randomInput(std::uint32_t seed, AUEventSampleTime length, bool withAutomation) {
    std::mt19937 rng(seed);
    std::vector<Input> input;
    std::uniform_int_distribution<int> noteDist(36, 84), channelDist(0, 2), velocityDist(1, 127);
    std::uniform_int_distribution<AUEventSampleTime> timeDist(0, length - 1), durationDist(1, length / 16);
    std::map<std::pair<int, int>, std::vector<std::pair<AUEventSampleTime, AUEventSampleTime>>> held;
    for (int i = 0; i < 300; ++i) {
        const int note = noteDist(rng), channel = channelDist(rng);
        const AUEventSampleTime start = timeDist(rng);
        const AUEventSampleTime end = std::min(start + durationDist(rng), length - 1);
        if (end <= start) continue;
        auto& spans = held[{note, channel}];
        const bool overlaps = std::any_of(spans.begin(), spans.end(),
                                          [&](const auto& span) { return !(span.second < start || end < span.first); });
        if (overlaps) continue;
        spans.emplace_back(start, end);
        const auto ch = std::uint8_t(channel);
        input.push_back({start, false, {std::uint8_t(0x90 | ch), std::uint8_t(note), std::uint8_t(velocityDist(rng))}, 0, 0});
        input.push_back({end, false, {std::uint8_t(0x80 | ch), std::uint8_t(note), std::uint8_t(velocityDist(rng))}, 0, 0});
        if (i % 10 == 0) input.push_back({timeDist(rng), false, {0xB0, 1, std::uint8_t(velocityDist(rng))}, 0, 0});
        if (withAutomation && i % 20 == 0) {
            const auto address = AUParameterAddress(std::uniform_int_distribution<int>(0, 37)(rng));
            const float maximum = address >= Address::firstStepVelocity ? 100 : 50;
            input.push_back({timeDist(rng), true, {}, address, std::uniform_real_distribution<float>(0, maximum)(rng)});
        }
    }
    std::stable_sort(input.begin(), input.end(), [](const Input& a, const Input& b) { return a.time < b.time; });
    return input;
}

// Where the song sits on the host's clock: its first sample at hostStart, its first beat
// songStart samples into the timeline (measures start every four beats).
struct Placement {
    AUEventSampleTime hostStart = 0;
    AUEventSampleTime songStart = 0;
};

// Drives the processor cycle by cycle like a host at a constant tempo.
std::vector<SentEvent> play(RenderHarness& h, const std::vector<Input>& input, AUEventSampleTime length,
                            const std::vector<AUAudioFrameCount>& blockSizes, double tempo, double sampleRate,
                            Placement at = {}) {
    h.sent.clear();
    h.context.tempo = tempo;
    std::size_t next = 0, cycle = 0;
    EventList events;
    for (AUEventSampleTime start = 0; start < length; ++cycle) {
        const AUEventSampleTime frames = blockSizes[cycle % blockSizes.size()];
        events.clear();
        for (; next < input.size() && input[next].time < start + frames; ++next) {
            const Input& e = input[next];
            if (e.isParameter) {
                events.parameter(e.time + at.hostStart, e.address, e.value);
            } else {
                events.midi(e.time + at.hostStart, e.bytes[0], e.bytes[1], e.bytes[2]);
            }
        }
        h.context.beat = double(start + at.songStart) * tempo / (60.0 * sampleRate);
        h.context.downbeat = std::floor(h.context.beat / 4) * 4;
        EXPECT_EQ(h.render(double(start + at.hostStart), events), noErr);
        start += frames;
    }
    EXPECT_EQ(h.overflow, 0u);
    return h.sent;
}

std::vector<SentEvent> byTime(std::vector<SentEvent> events) {
    std::stable_sort(events.begin(), events.end(), [](const SentEvent& a, const SentEvent& b) { return a.time < b.time; });
    return events;
}

void apply(RenderHarness& h, const ParameterPreset& preset, std::mt19937& rng) {
    h.pushDefaults();
    if (preset.randomType == RandomPresetType::stepDelay) {
        for (int i = 0; i < 16; ++i) h.set(Address::stepDelay(i), float(std::uniform_int_distribution<int>(0, 50)(rng)));
        return;
    }
    if (preset.randomType == RandomPresetType::stepVelocity) {
        for (int i = 0; i < 16; ++i) h.set(Address::stepVelocity(i), float(std::uniform_int_distribution<int>(0, 100)(rng)));
        return;
    }
    h.set(Address::delay, float(preset.delay));
    h.set(Address::random, float(preset.random));
    h.set(Address::seed, float(preset.seed));
    for (int i = 0; i < 3; ++i) h.set(Address::swingOneFour + AUParameterAddress(i), float(preset.swings[std::size_t(i)]));
    for (int i = 0; i < 16; ++i) {
        h.set(Address::stepDelay(i), float(preset.stepValues[std::size_t(i)]));
        h.set(Address::stepVelocity(i), float(preset.stepVelocities[std::size_t(i)]));
    }
    h.set(Address::stepCount, float(preset.steps));
}

// Presets with a random delay, swing and step delays, and a seed of their own.
void hardSettings(RenderHarness& h) {
    h.set(Address::random, 20);
    h.set(Address::seed, 123);
    h.set(Address::swingOneFour, 60);
    h.set(Address::swingOneEight, 70);
    h.set(Address::swingOneSixteen, 55);
    h.set(Address::delay, 5);
    for (int i = 0; i < 16; ++i) h.set(Address::stepDelay(i), float((i * 37) % 51));
    h.set(Address::stepCount, 11);
}

TEST(Reliability, BlockSizeDoesNotChangeTheOutput) {
    // Beats per sample is a power of two here, so every beat position is exact however the
    // timeline is cut into cycles.
    constexpr double sampleRate = 32768, tempo = 120;
    constexpr AUEventSampleTime length = 4 * 32768;
    std::mt19937 sizes(7);
    std::vector<AUAudioFrameCount> randomSizes;
    for (int i = 0; i < 997; ++i) randomSizes.push_back(std::uniform_int_distribution<AUAudioFrameCount>(1, 4096)(sizes));
    for (bool automation : {false, true}) {
        const auto input = randomInput(42, length, automation);
        std::vector<SentEvent> reference;
        for (const auto& blocks : std::vector<std::vector<AUAudioFrameCount>>{{1}, {17}, {64}, {512}, {4096}, randomSizes}) {
            RenderHarness h{float(sampleRate)};
            hardSettings(h);
            const auto out = byTime(play(h, input, length, blocks, tempo, sampleRate));
            if (reference.empty()) {
                reference = out;
                ASSERT_GT(reference.size(), 400u);
            } else {
                EXPECT_EQ(out, reference) << "block size " << blocks[0] << (blocks.size() > 1 ? " (random)" : "")
                                          << (automation ? " with automation" : "");
            }
        }
    }
}

TEST(Reliability, ASongLateOnTheHostsClockComesOutExactlyAsLate) {
    // 2^31 samples is 32768 measures here, and every beat position is exact.
    constexpr double sampleRate = 32768, tempo = 120;
    constexpr AUEventSampleTime length = 4 * 32768, late = AUEventSampleTime(1) << 31;
    struct Case {
        const char* what;
        Placement placement;
        float random;  // drawn from the beat position, which moves in the second case
        float steps;   // a pattern of 11 steps does not repeat every measure
    };
    const Case cases[] = {
        {"the host's clock runs on, the song starts at its beginning", {late, 0}, 20, 11},
        {"the song itself starts 32768 measures in", {late, late}, 0, 16},
    };
    const auto input = randomInput(5, length, true);
    for (const Case& c : cases) {
        RenderHarness early{float(sampleRate)}, shifted{float(sampleRate)};
        for (RenderHarness* h : {&early, &shifted}) {
            hardSettings(*h);
            h->set(Address::random, c.random);
            h->set(Address::stepCount, c.steps);
        }
        auto expected = play(early, input, length, {512}, tempo, sampleRate);
        for (auto& e : expected) e.time += late;
        const auto out = play(shifted, input, length, {512}, tempo, sampleRate, c.placement);
        ASSERT_GT(out.size(), 400u);
        EXPECT_EQ(out, expected) << c.what;
    }
}

TEST(Reliability, EveryPresetEndsEveryNoteAndSendsValidMidiNoEarlierThanItsInput) {
    constexpr double sampleRate = 44100, tempo = 97;
    constexpr AUEventSampleTime length = 3 * 44100;
    std::mt19937 rng(3);
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const auto input = randomInput(seed, length, false);
        for (const auto& preset : ParameterPreset::factoryPresets()) {
            RenderHarness h{float(sampleRate)};
            apply(h, preset, rng);
            const auto out = play(h, input, length, {512}, tempo, sampleRate);
            ASSERT_EQ(out.size(), input.size()) << preset.name;

            for (std::size_t i = 0; i < out.size(); ++i) {
                EXPECT_GE(out[i].time, input[i].time) << preset.name << " event " << i;
                EXPECT_GE(out[i].bytes[0], 0x80) << preset.name;
                EXPECT_LT(out[i].bytes[1], 0x80) << preset.name;
                EXPECT_LT(out[i].bytes[2], 0x80) << preset.name;
                EXPECT_EQ(out[i].length, 3) << preset.name;
            }
            // A note sounds from a note-on with a velocity until a note-off or velocity-0 note-on.
            std::map<std::pair<int, int>, bool> sounding;
            for (const auto& e : byTime(out)) {
                const int kind = e.bytes[0] & 0xF0;
                if (kind != 0x80 && kind != 0x90) continue;
                sounding[std::pair<int, int>(e.bytes[0] & 0x0F, e.bytes[1])] = kind == 0x90 && e.bytes[2] > 0;
            }
            for (const auto& [key, on] : sounding) {
                EXPECT_FALSE(on) << preset.name << ": note " << key.second << " hangs on channel " << key.first;
            }
            EXPECT_EQ(pendingCount(h.processor), 0u) << preset.name;
        }
    }
}

TEST(Reliability, RendersWhileTheMainThreadSetsParametersAndPolls) {
    RenderHarness h;
    std::atomic<bool> done{false};
    std::thread renderThread([&] {
        EventList events;
        for (int cycle = 0; cycle < 20000; ++cycle) {
            const AUEventSampleTime start = AUEventSampleTime(cycle) * 64;
            events.clear();
            events.noteOn(start + 3, std::uint8_t(cycle % 128), 100).noteOff(start + 40, std::uint8_t(cycle % 128));
            if (cycle % 50 == 0) events.parameter(start, Address::stepDelay(cycle % 16), float(cycle % 50));
            h.context.beat = double(start) * 120 / (60.0 * 44100);
            h.render(double(start), events);
        }
        done = true;
    });
    std::uint64_t seenBits = 0;
    int iteration = 0;
    float sink = 0;
    while (!done) {
        h.set(AUParameterAddress(iteration % 39), float(iteration % 50));
        h.processor.bypass.store(iteration % 1000 == 0);
        const std::uint64_t mask = h.processor.takeDirtyMask();
        seenBits |= mask;
        for (AUParameterAddress a = 0; a < Address::count; ++a) {
            if (mask & (std::uint64_t(1) << a)) sink += h.processor.parameterMirror[a].load(std::memory_order_relaxed);
        }
        sink += float(h.processor.displayStep.load(std::memory_order_relaxed));
        ++iteration;
    }
    renderThread.join();
    seenBits |= h.processor.takeDirtyMask();
    EXPECT_EQ(seenBits & ~((std::uint64_t(1) << 22) - (std::uint64_t(1) << 6)), 0u) << "only step delays were automated";
    EXPECT_NE(seenBits, 0u);
    EXPECT_EQ(h.overflow, 0u);
    (void)sink;
}

}  // namespace
}  // namespace EngineTests
