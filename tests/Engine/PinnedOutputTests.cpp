// The render's output, pinned bit for bit: work on its speed must not move a single event.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "Engine/RenderHarness.hpp"

namespace EngineTests {
namespace {

// FNV-1a over everything fed to it, byte by byte.
class Fingerprint {
public:
    template <typename T>
    void add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 0x100000001b3ull;
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

// A generator whose numbers are the same on every platform (the standard distributions are not).
class Numbers {
public:
    explicit Numbers(std::uint64_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return std::uint32_t(state_ >> 16);
    }
    int below(int n) { return int(next() % std::uint32_t(n)); }
    float between(float lo, float hi) { return lo + (hi - lo) * float(next() % 10001) / 10000.0f; }

private:
    std::uint64_t state_;
};

struct Section {
    float sampleRate;
    double tempo;
    double firstBeat;  // before 0 for a count-in
    AUEventSampleTime hostStart;
    int cycles;
    AUAudioFrameCount frames;
};

// Sets every parameter from `numbers`, at times past the parameters' ranges as a host may.
void randomSettings(RenderHarness& h, Numbers& numbers, bool wild) {
    h.set(Address::delay, numbers.between(0, 50));
    h.set(Address::random, numbers.below(4) == 0 ? 0 : numbers.between(0, 50));
    h.set(Address::seed, float(numbers.below(1000)));
    for (AUParameterAddress a = Address::swingOneFour; a <= Address::swingOneSixteen; ++a)
        h.set(a, numbers.below(3) == 0 ? 50 : numbers.between(wild ? 30 : 50, wild ? 90 : 75));
    for (int i = 0; i < 16; ++i) {
        h.set(Address::stepDelay(i), numbers.below(3) == 0 ? 0 : numbers.between(wild ? -20 : 0, 50));
        h.set(Address::stepVelocity(i), numbers.between(0, wild ? 150 : 100));
    }
    h.set(Address::stepCount, float(1 + numbers.below(16)));
}

struct Rendered {
    std::uint64_t fingerprint;
    std::size_t events;
};

// Renders a song of random notes, controllers and automation through the sections, and
// fingerprints every event sent and every step published.
Rendered renderedSong() {
    const Section sections[] = {
        {44100, 120, 0, 0, 6000, 512},
        {48000, 97.3, -2, 1 << 20, 6000, 256},
        {96000, 174, 3.3, std::int64_t(1) << 33, 6000, 1024},
        {32768, 120, 131072, std::int64_t(1) << 31, 6000, 64},
        {44100, 60.5, -0.37, 3'800'000'000, 6000, 2048},
    };
    Fingerprint fingerprint;
    std::size_t sent = 0;
    Numbers numbers(20240611);
    for (const Section& s : sections) {
        RenderHarness h{s.sampleRate};
        for (int settings = 0; settings < 4; ++settings) {
            randomSettings(h, numbers, settings == 3);
            h.context.tempo = s.tempo;
            const double beatsPerFrame = s.tempo / (60.0 * s.sampleRate);
            EventList events;
            for (int cycle = 0; cycle < s.cycles; ++cycle) {
                const AUEventSampleTime start = s.hostStart + AUEventSampleTime(cycle) * s.frames;
                h.context.beat = s.firstBeat + double(cycle) * s.frames * beatsPerFrame;
                h.context.downbeat = std::floor(h.context.beat / 4) * 4;
                events.clear();
                const int count = numbers.below(48);
                for (int e = 0; e < count; ++e) {
                    const AUEventSampleTime time =
                        numbers.below(40) == 0 ? AUEventSampleTimeImmediate : start + numbers.below(int(s.frames));
                    const auto note = std::uint8_t(24 + numbers.below(72));
                    const auto channel = std::uint8_t(numbers.below(3));
                    switch (numbers.below(10)) {
                        case 0: events.midi(time, std::uint8_t(0xB0 | channel), 1, std::uint8_t(numbers.below(128))); break;
                        case 1: events.noteOn(time, note, 0, channel); break;
                        case 2: {
                            // Drawn one at a time: the order of a call's arguments is the compiler's.
                            const float value = numbers.between(0, 60);
                            const auto address = AUParameterAddress(numbers.below(39));
                            events.parameter(time, address, value);
                            break;
                        }
                        case 3: case 4: case 5: events.noteOff(time, note, std::uint8_t(numbers.below(128)), channel); break;
                        default: events.noteOn(time, note, std::uint8_t(1 + numbers.below(127)), channel); break;
                    }
                }
                h.sent.clear();
                EXPECT_EQ(h.render(double(start), events), noErr);
                sent += h.sent.size();
                for (const SentEvent& e : h.sent) {
                    fingerprint.add(e.time);
                    fingerprint.add(e.length);
                    fingerprint.add(e.bytes);
                }
                fingerprint.add(h.processor.displayStep.load());
            }
        }
    }
    return {fingerprint.value(), sent};
}

// The helpers over grids that reach past what a song meets: negative and far positions, every
// division, amounts outside the parameter's range.
std::uint64_t helpersOverGrids() {
    Fingerprint fingerprint;
    const float amounts[] = {0.5f, 0.52f, 0.6f, 0.75f, 0.3f, 0.99f, 1.5f};
    for (int division : {4, 8, 16, 3, 32}) {
        for (float amount : amounts) {
            for (int i = -20000; i < 20000; ++i) {
                fingerprint.add(MidiProcessor::swingWarp(division, amount, i * 0.0137 + 0.001 * division));
            }
        }
    }
    MidiProcessor p;
    for (int steps = 0; steps <= 16; ++steps) {
        p.stepCount.store(steps);
        for (int i = -30000; i < 30000; ++i) fingerprint.add(p.stepAt(i * 0.0025 - 0.0001));
        for (double beat : {1e12, -1e12, 4.5e18, -9.3e18, 1e300}) fingerprint.add(p.stepAt(beat));
    }
    return fingerprint.value();
}

TEST(PinnedOutput, AFixedSongRendersToTheSameEventsBitForBit) {
    const Rendered song = renderedSong();
    EXPECT_GT(song.events, 2'000'000u);
    EXPECT_EQ(song.fingerprint, 3262457412060124843u);
}

TEST(PinnedOutput, TheTimingHelpersGiveTheSameValuesBitForBit) {
    EXPECT_EQ(helpersOverGrids(), 623264330713055281u);
}

}  // namespace
}  // namespace EngineTests
