// Cost of the effect's render per note event, beside a render that only forwards events.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <cstdlib>
#include <new>
#include <vector>

#include "Vantrel_Zellow_Extension/Engine/RenderCore/MidiProcessor.hpp"

using namespace AudioToolbox;
using Vantrel_Zellow_Extension::MidiProcessor;
namespace Address = Vantrel_Zellow_Extension::ParameterAddress;

// Allocations on the benchmark thread, to show that a render cycle makes none.
namespace {
thread_local std::size_t allocations = 0;
}
// Out of line, so the compiler does not pair malloc and free with new and delete at the call sites.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr double sampleRate = 44100, tempo = 120;

// What a host does with the events it is sent: keep them in a ring for the next cycles.
struct OutputRing {
    struct Event {
        AUEventSampleTime time;
        std::uint8_t bytes[3];
    };
    std::array<Event, 4096> events{};
    std::size_t next = 0;
    OSStatus take(AUEventSampleTime time, long length, const std::uint8_t* bytes) {
        Event& e = events[next++ % events.size()];
        e.time = time;
        for (long i = 0; i < 3; ++i) e.bytes[i] = i < length ? bytes[i] : 0;
        return 0;
    }
};

// A cycle's events: `notes` note events spread over `frames`, as note-on/note-off pairs of
// the given note numbers, so the pending table neither fills nor drains.
struct Cycle {
    std::vector<AURenderEvent> events;
    Cycle(int notes, AUAudioFrameCount frames, const std::vector<std::uint8_t>& noteNumbers) {
        events.resize(std::size_t(notes));
        for (int i = 0; i < notes; ++i) {
            AUMIDIEvent& m = events[std::size_t(i)].MIDI;
            m = AUMIDIEvent{};
            m.length = 3;
            m.data[0] = i % 2 == 0 ? 0x80 : 0x90;  // end the note, then start it again
            m.data[1] = noteNumbers[std::size_t(i / 2) % noteNumbers.size()];
            m.data[2] = 100;
        }
        // Every cycle is stamped from sample 0 here; only the beat position moves on.
        const std::size_t n = events.size();
        for (std::size_t i = 0; i < n; ++i) {
            events[i].MIDI.eventSampleTime = AUEventSampleTime(i * frames / n);
            if (i + 1 < n) events[i].head.next = &events[i + 1];
        }
    }
};

struct Host {
    double beat = 0;
    OutputRing ring;
};

void configure(MidiProcessor& p, Host& host) {
    p.sampleRate.store(float(sampleRate));
    p.musicalContextBlock = [&host](double* t, double*, long*, double* beat, long*, double* downbeat) {
        *t = tempo;
        *beat = host.beat;
        *downbeat = std::floor(host.beat / 4) * 4;
        return true;
    };
    p.midiOutputEventBlock = [&host](AUEventSampleTime time, std::uint8_t, long length, const std::uint8_t* bytes) {
        return host.ring.take(time, length, bytes);
    };
    // Every part of the timing at work: delay, random delay, all three swings, step delays.
    const float values[Address::count] = {3, 10, 17, 54, 60, 52, 0, 5, 10, 15, 20, 25, 30, 35, 40, 45,
                                          50, 45, 40, 35, 30, 25, 100, 90, 80, 70, 60, 50, 100, 90, 80, 70,
                                          60, 50, 100, 90, 80, 70, 16};
    for (AUParameterAddress a = 0; a < Address::count; ++a) p.setParameter(a, false, values[a]);
}

// The baseline: a render block that only forwards its MIDI events.
AURenderBlock forwardingBlock(const AUMIDIOutputEventBlock& output) {
    return [&output](AudioUnitRenderActionFlags*, const AudioTimeStamp*, AUAudioFrameCount, long, AudioBufferList*,
                     const AURenderEvent* list, const AURenderPullInputBlock*) -> AUAudioUnitStatus {
        for (const AURenderEvent* e = list; e; e = e->head.next) {
            if (e->head.eventType == AURenderEventType::MIDI) {
                output(e->MIDI.eventSampleTime, e->MIDI.cable, e->MIDI.length, e->MIDI.data);
            }
        }
        return 0;
    };
}

// The effect's render block, as the unit hands it to the host.
AURenderBlock effectBlock(MidiProcessor& processor) {
    return [processor = &processor](AudioUnitRenderActionFlags*, const AudioTimeStamp* timestamp, AUAudioFrameCount,
                                    long, AudioBufferList*, const AURenderEvent* list,
                                    const AURenderPullInputBlock*) -> AUAudioUnitStatus {
        return processor->render(timestamp, list);
    };
}

void run(benchmark::State& state, int notes, AUAudioFrameCount frames, bool heldTable, bool baseline) {
    auto p = std::make_unique<MidiProcessor>();
    Host host;
    configure(*p, host);
    std::vector<std::uint8_t> noteNumbers;
    if (heldTable) {
        // Hold all 128 notes and re-strike some of them: the table stays full.
        for (int n = 0; n < 128; ++n) p->rememberNote(std::uint8_t(n), 0, 0.0f, 0);
        for (int n = 127; n >= 96; --n) noteNumbers.push_back(std::uint8_t(n));
    } else {
        for (int n = 48; n < 80; ++n) noteNumbers.push_back(std::uint8_t(n));
    }
    Cycle cycle(notes, frames, noteNumbers);
    const AURenderBlock block = baseline ? forwardingBlock(p->midiOutputEventBlock) : effectBlock(*p);
    AudioTimeStamp stamp;
    AudioUnitRenderActionFlags flags = 0;
    const double beatsPerCycle = double(frames) * tempo / (60.0 * sampleRate);
    std::size_t renderAllocations = 0;
    std::int64_t cycles = 0;
    for (auto _ : state) {
        const std::size_t before = allocations;
        const OSStatus status = block(&flags, &stamp, frames, 0, nullptr, &cycle.events[0], nullptr);
        benchmark::DoNotOptimize(status);
        renderAllocations += allocations - before;
        host.beat += beatsPerCycle;
        ++cycles;
    }
    // Seconds per note event (printed as e.g. "40n" for 40 ns).
    state.counters["per_event"] =
        benchmark::Counter(double(notes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_cycle"] = double(renderAllocations) / double(cycles ? cycles : 1);
    benchmark::DoNotOptimize(host.ring.events[0]);
}

void Render_4NotesPer512Frames(benchmark::State& s) { run(s, 4, 512, false, false); }
void Forward_4NotesPer512Frames(benchmark::State& s) { run(s, 4, 512, false, true); }
void Render_64NotesPer64Frames(benchmark::State& s) { run(s, 64, 64, false, false); }
void Forward_64NotesPer64Frames(benchmark::State& s) { run(s, 64, 64, false, true); }
void Render_128HeldNotes_8NotesPer256Frames(benchmark::State& s) { run(s, 8, 256, true, false); }
void Forward_128HeldNotes_8NotesPer256Frames(benchmark::State& s) { run(s, 8, 256, true, true); }

}  // namespace

BENCHMARK(Forward_4NotesPer512Frames);
BENCHMARK(Render_4NotesPer512Frames);
BENCHMARK(Forward_64NotesPer64Frames);
BENCHMARK(Render_64NotesPer64Frames);
BENCHMARK(Forward_128HeldNotes_8NotesPer256Frames);
BENCHMARK(Render_128HeldNotes_8NotesPer256Frames);

BENCHMARK_MAIN();
