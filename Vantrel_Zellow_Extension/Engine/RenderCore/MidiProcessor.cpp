#include "Vantrel_Zellow_Extension/Engine/RenderCore/MidiProcessor.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace Vantrel_Zellow_Extension {

using namespace AudioToolbox;

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// A float or double made into a sample time or index without undefined behaviour: values
// that no 64-bit integer holds (NaN, infinities, huge numbers) give the fallback.
template <typename Real>
std::int64_t truncateToInt64(Real value, std::int64_t fallback) {
    constexpr Real limit = Real(9223372036854775808.0);  // 2^63
    if (!(value > -limit && value < limit)) return fallback;
    return static_cast<std::int64_t>(value);
}

// Four lanes of floats, doubles or 32-bit integers: the three swings are worked out side by
// side (the fourth lane idles). Every lane computes exactly what one swing alone would, in the
// same order and precision; the lanes only save instructions.
typedef float Floats __attribute__((vector_size(16)));
typedef double Doubles __attribute__((vector_size(32)));
typedef std::int32_t Ints __attribute__((vector_size(16)));
typedef double Halves __attribute__((vector_size(16)));

// Per lane: a where mask is set (all ones), else b.
[[gnu::always_inline]] inline Floats select(Ints mask, Floats a, Floats b) {
    return reinterpret_cast<Floats>((reinterpret_cast<Ints>(a) & mask) | (reinterpret_cast<Ints>(b) & ~mask));
}

// std::round for floats (halves away from zero), without a library call or a jump. Adding the
// float just below one half before truncating rounds every float exactly: a true half reaches
// the next whole number, anything less does not.
[[gnu::always_inline]] inline Floats roundHalfAwayFromZero(Floats x) {
    const Ints bits = reinterpret_cast<Ints>(x);
    // 2^23 and beyond is whole already; NaN stays.
    const Ints small = reinterpret_cast<Floats>(bits & 0x7FFFFFFF) < 8388608.0f;
    const Ints within = bits & small;
    const Ints half = (within & std::numeric_limits<std::int32_t>::min()) | std::bit_cast<std::int32_t>(0.49999997f);
    const Ints nearest = __builtin_convertvector(reinterpret_cast<Floats>(within) + reinterpret_cast<Floats>(half), Ints);
    return select(small, __builtin_convertvector(nearest, Floats), x);
}

// Swinging pairs of 1/division notes by an amount, with what depends on those two alone worked
// out once instead of for every note: one swing a lane.
struct Swings {
    Doubles division{};
    Doubles unit{};          // beats a swing unit lasts
    Floats stretched{};      // the first note's length per unit: amount × 2 units
    Floats secondLength{};   // the second note's: (1 - amount) × 2 units
    Ints active{};           // all ones where the lane swings
};

void setSwing(Swings& s, int lane, std::int32_t division, float amount) {
    if (division <= 0 || amount == 0.5f) return;
    s.active[lane] = -1;
    s.division[lane] = division;
    const auto w = static_cast<float>(division * 0.25);  // units per beat
    const float u = 2.0f / w;
    s.unit[lane] = static_cast<double>(1.0f / w);
    s.stretched[lane] = amount * u;
    s.secondLength[lane] = static_cast<float>(static_cast<double>(u) * (1.0 - static_cast<double>(amount)));
}

// Position in beats after each lane's swing; a lane that does not swing keeps the position.
[[gnu::always_inline]] inline Floats warp(const Swings& s, double position) {
    // Broadcast in registers: built element by element, the vector would go through memory and
    // stall on the store forwarding.
    const Doubles p = __builtin_shufflevector(Halves{position, position}, Halves{}, 0, 1, 0, 1);
    const Floats straight = __builtin_shufflevector(Floats{static_cast<float>(position)}, Floats{}, 0, 0, 0, 0);
    const Floats x = __builtin_convertvector((p * s.division) * 0.25, Floats);
    // Beyond the 32-bit pair index (or not a number) there is nothing meaningful to swing.
    const Ints swung = s.active & (reinterpret_cast<Floats>(reinterpret_cast<Ints>(x) & 0x7FFFFFFF) < 2147483520.0f);
    const Floats within = reinterpret_cast<Floats>(reinterpret_cast<Ints>(x) & swung);
    // floor: truncation is one too high below zero (a true comparison is -1).
    const Ints t = __builtin_convertvector(within, Ints);
    const Ints k = t + (__builtin_convertvector(t, Floats) > within);
    const Floats f = within - __builtin_convertvector(k, Floats);
    const Ints pairStart = (k / 2) * 2;
    const Doubles base = s.unit * __builtin_convertvector(pairStart, Doubles);
    // First note of the pair: stretched to amount × 2 units.
    const Floats first = __builtin_convertvector(__builtin_convertvector(s.stretched * f, Doubles) + base, Floats);
    // Second note: starts late and shrinks to (1 - amount) × 2 units.
    const Doubles secondStart = __builtin_convertvector(s.stretched, Doubles) + base;
    const Floats second = __builtin_convertvector(__builtin_convertvector(f * s.secondLength, Doubles) + secondStart, Floats);
    return select(swung, select((k & 1) != 0, second, first), straight);
}

// The step grid: n mod count by multiplication (exact for every 32-bit n), since a division
// on every note costs more than the rest of the step lookup.
struct Steps {
    std::int32_t count = 0;
    std::uint64_t inverse = 0;
};

Steps stepsOf(std::int32_t count) {
    Steps s;
    s.count = count;
    if (count >= 2) s.inverse = ~std::uint64_t(0) / std::uint32_t(count) + 1;
    return s;
}

[[gnu::always_inline]] inline std::int32_t stepOf(const Steps& steps, double beat) {
    const std::int32_t count = steps.count;
    if (count < 2) return 0;
    // A beat a hair below a step boundary already counts as the new step.
    const double unfloored = beat * 4.0 + 0.0001;
    const auto remainderOf = [&](std::int32_t i) {
        const std::uint32_t magnitude = i < 0 ? 0u - std::uint32_t(i) : std::uint32_t(i);
        const auto r = static_cast<std::uint32_t>(
            (static_cast<unsigned __int128>(steps.inverse * magnitude) * std::uint32_t(count)) >> 64);
        return i < 0 && r != 0 ? count - std::int32_t(r) : std::int32_t(r);
    };
    if (std::fabs(unfloored) < 2147483647.0) {  // the usual case: floor without a library call or a jump
        const auto t = static_cast<std::int32_t>(unfloored);
        return remainderOf(t - std::int32_t(static_cast<double>(t) > unfloored));
    }
    const double index = std::floor(unfloored);
    std::int64_t remainder;
    if (std::fabs(index) < 2147483648.0) {
        return remainderOf(static_cast<std::int32_t>(index));
    } else if (std::fabs(index) < 9.0e18) {
        remainder = static_cast<std::int64_t>(index) % count;
    } else if (std::isfinite(index)) {
        remainder = static_cast<std::int64_t>(std::fmod(index, double(count)));
    } else {
        return 0;
    }
    return static_cast<std::int32_t>(remainder < 0 ? remainder + count : remainder);
}

// MIDI data bytes stay below 128 whatever velocity factor host automation sets; negative and
// NaN give 0. Without a jump, as velocities and step factors vary from note to note.
std::uint8_t velocityByte(float scaled) {
    const float clamped = std::min(scaled > 0.0f ? scaled : 0.0f, 127.0f);
    return static_cast<std::uint8_t>(static_cast<std::int32_t>(clamped));
}

bool isUsableContext(double tempo, double beat, double downbeat, float sampleRate) {
    return std::isfinite(tempo) && tempo > 0 && std::isfinite(beat) && std::isfinite(downbeat) &&
           std::isfinite(sampleRate) && sampleRate > 0;
}

// Events carry at most three bytes; a longer length must not make the host read past them.
long sendableLength(std::uint16_t length) { return std::min<long>(length, 3); }

}  // namespace

MidiProcessor::MidiProcessor() {
    for (auto& value : stepDelays) value.store(0.0f, relaxed);
    for (auto& value : stepVelocities) value.store(0.0f, relaxed);
    for (auto& value : parameterMirror) value.store(0.0f, relaxed);
}

void MidiProcessor::setParameter(AUParameterAddress address, bool fromRender, AUValue value) {
    using namespace ParameterAddress;
    if (address >= count) return;
    switch (address) {
        case ParameterAddress::delay: delay.store(value / 1000.0f, relaxed); break;
        case ParameterAddress::random: random.store(value / 1000.0f, relaxed); break;
        case ParameterAddress::seed: seed.store(value, relaxed); break;
        case ParameterAddress::swingOneFour: swingOneFour.store(value / 100.0f, relaxed); break;
        case ParameterAddress::swingOneEight: swingOneEight.store(value / 100.0f, relaxed); break;
        case ParameterAddress::swingOneSixteen: swingOneSixteen.store(value / 100.0f, relaxed); break;
        case ParameterAddress::stepCount:
            // Truncated toward zero; only 0 ... 16 is taken (NaN fails both tests).
            if (value > -1.0f && value < float(maxSteps + 1)) stepCount.store(static_cast<std::int32_t>(value), relaxed);
            break;
        default:
            if (address < firstStepVelocity) {
                stepDelays[address - firstStepDelay].store(value / 1000.0f, relaxed);
            } else {
                stepVelocities[address - firstStepVelocity].store(value / 100.0f, relaxed);
            }
    }
    parameterMirror[address].store(value, relaxed);
    // Release: whoever sees the bit also sees the mirror value stored above.
    if (fromRender) dirtyMask.fetch_or(std::uint64_t(1) << address, std::memory_order_release);
}

// What an event's timing needs from the parameters and the tempo, read once a cycle and again
// after a parameter event, instead of once an event.
struct MidiProcessor::Timing {
    float rate, delaySamples, secondsPerBeat, randomSeconds;
    double seedPhase;
    Swings swings;  // 1/4, 1/8, 1/16
    Steps steps;
};

MidiProcessor::Timing MidiProcessor::timing() const {
    Timing t;
    t.rate = sampleRate.load(relaxed);
    t.delaySamples = delay.load(relaxed) * t.rate;
    t.secondsPerBeat = static_cast<float>(60.0 / tempo);
    t.randomSeconds = random.load(relaxed);
    t.seedPhase = static_cast<double>(seed.load(relaxed)) * 57.15;
    setSwing(t.swings, 0, 4, swingOneFour.load(relaxed));
    setSwing(t.swings, 1, 8, swingOneEight.load(relaxed));
    setSwing(t.swings, 2, 16, swingOneSixteen.load(relaxed));
    t.steps = stepsOf(stepCount.load(relaxed));
    return t;
}

std::int32_t MidiProcessor::stepAt(double beat) const { return stepOf(stepsOf(stepCount.load(relaxed)), beat); }

float MidiProcessor::swingWarp(std::int32_t division, float amount, double position) {
    Swings swing;
    setSwing(swing, 0, division, amount);
    return warp(swing, position)[0];
}

AUEventSampleTime MidiProcessor::schedule(AUEventSampleTime sampleTime, std::int32_t step, float randomOffset,
                                          double position) const {
    return schedule(timing(), sampleTime, step, randomOffset, position);
}

AUEventSampleTime MidiProcessor::schedule(const Timing& t, AUEventSampleTime sampleTime, std::int32_t step,
                                          float randomOffset, double position) const {
    const float rate = t.rate;
    const auto positionF = static_cast<float>(position);
    const Floats shifts = roundHalfAwayFromZero((t.secondsPerBeat * (warp(t.swings, position) - positionF)) * rate);
    const float stepSamples = rate * stepDelays[static_cast<std::size_t>(step)].load(relaxed);

    // The delays in one single-precision sum, added in exactly this order; the sample time
    // stays out of it, so a late hour of the host's clock moves nothing.
    float delaySum = t.delaySamples + randomOffset;
    delaySum = delaySum + shifts[0];
    delaySum = delaySum + shifts[1];
    delaySum = delaySum + shifts[2];
    delaySum = delaySum + stepSamples;
    const std::int64_t delay = truncateToInt64(delaySum, 0);
    AUEventSampleTime time;
    if (__builtin_add_overflow(sampleTime, delay, &time)) return std::numeric_limits<AUEventSampleTime>::max();
    return time;
}

void MidiProcessor::rememberNote(std::uint8_t note, std::uint8_t channel, float randomOffset,
                                 AUEventSampleTime noteOnTime) {
    PendingNote& pending = pendingNotes_[channel & 0x0F][note];
    pending.noteOnTime = pending.active ? std::max(pending.noteOnTime, noteOnTime) : noteOnTime;
    pending.randomOffset = randomOffset;
    pending.active = true;
}

const PendingNote* MidiProcessor::pendingNote(std::uint8_t note, std::uint8_t channel) const {
    const PendingNote& pending = pendingNotes_[channel & 0x0F][note];
    return pending.active ? &pending : nullptr;
}

float MidiProcessor::randomOffsetFor(const Timing& t, std::uint8_t note, double eventBeat) const {
    if (t.randomSeconds == 0.0f) return 0.0f;
    // Reproducible: the same note at the same beat with the same seed gets the same delay.
    const double noise = std::sin((eventBeat + static_cast<double>(note)) * 281.53 + t.seedPhase) * 131.13;
    const auto s = static_cast<float>(noise);
    const float fraction = s - std::floor(s);
    return (t.randomSeconds * fraction) * t.rate;
}

void MidiProcessor::send(AUEventSampleTime time, std::uint8_t cable, long length, const std::uint8_t* bytes) const {
    if (midiOutputEventBlock) midiOutputEventBlock(time, cable, length, bytes);
}

void MidiProcessor::sendNote(const Timing& t, const AUMIDIEvent& event, AUEventSampleTime cycleStart,
                             double beatsPerSample) {
    const AUEventSampleTime sampleTime = event.eventSampleTime;
    const std::int64_t offset =
        sampleTime == AUEventSampleTimeImmediate
            ? 0
            : static_cast<std::int64_t>(static_cast<std::uint64_t>(sampleTime) - static_cast<std::uint64_t>(cycleStart));
    const double eventBeat = static_cast<double>(offset) * beatsPerSample + beatPosition;
    const double position = eventBeat - measureDownbeatPosition;
    const std::int32_t eventStep = stepOf(t.steps, eventBeat);

    std::uint8_t bytes[3] = {event.data[0], event.length >= 2 ? event.data[1] : std::uint8_t(0),
                             event.length >= 3 ? event.data[2] : std::uint8_t(0)};
    const std::uint8_t kind = bytes[0] & 0xF0;
    const std::uint8_t channel = bytes[0] & 0x0F;
    const bool noteOn = kind == 0x90 && bytes[2] > 0;
    const bool noteOff = kind == 0x80 || (kind == 0x90 && bytes[2] == 0);
    if (!noteOn && !noteOff) {
        send(sampleTime, event.cable, sendableLength(event.length), bytes);
        return;
    }

    AUEventSampleTime time = sampleTime;
    if (noteOn) {
        const float randomOffset = randomOffsetFor(t, bytes[1], eventBeat);
        time = std::max(schedule(t, sampleTime, eventStep, randomOffset, position), sampleTime);
        rememberNote(bytes[1], channel, randomOffset, time);
    } else {
        PendingNote& pending = pendingNotes_[channel][bytes[1]];
        if (pending.active) {
            // A long delay on the note-on's step and none on this one must not end the note
            // before it began.
            time = std::max({schedule(t, sampleTime, eventStep, pending.randomOffset, position), sampleTime,
                             pending.noteOnTime});
            pending.active = false;
        }
    }
    bytes[2] = velocityByte(static_cast<float>(bytes[2]) * stepVelocities[static_cast<std::size_t>(eventStep)].load(relaxed));
    send(time, event.cable, sendableLength(event.length), bytes);
}

OSStatus MidiProcessor::render(const AudioTimeStamp* timestamp, const AURenderEvent* eventList) {
    if (!musicalContextBlock ||
        !musicalContextBlock(&tempo, nullptr, nullptr, &beatPosition, nullptr, &measureDownbeatPosition)) {
        return kAudioUnitErr_CannotDoInCurrentContext;
    }
    const float rate = sampleRate.load(relaxed);
    // A context no time can be computed from is no context at all.
    if (!isUsableContext(tempo, beatPosition, measureDownbeatPosition, rate)) {
        return kAudioUnitErr_CannotDoInCurrentContext;
    }
    Timing t = timing();
    const std::int32_t cycleStep = stepOf(t.steps, beatPosition);

    if (eventList) {
        const double beatsPerSample = (tempo / 60.0) * (1.0 / static_cast<double>(rate));
        const AUEventSampleTime cycleStart = timestamp ? truncateToInt64(timestamp->mSampleTime, 0) : 0;
        for (const AURenderEvent* event = eventList; event; event = event->head.next) {
            switch (event->head.eventType) {
                case AURenderEventType::Parameter:
                    setParameter(event->parameter.parameterAddress, true, event->parameter.value);
                    t = timing();
                    break;
                case AURenderEventType::MIDI:
                    if (bypass.load(relaxed)) {
                        const AUMIDIEvent& midi = event->MIDI;
                        send(midi.eventSampleTime, midi.cable, sendableLength(midi.length), midi.data);
                    } else {
                        sendNote(t, event->MIDI, cycleStart, beatsPerSample);
                    }
                    break;
                default:  // ramps, SysEx and event lists are not ours to handle
                    break;
            }
        }
    }

    if (cycleStep != lastStep) {
        lastStep = cycleStep;
        displayStep.store(cycleStep, relaxed);
    }
    return noErr;
}

}  // namespace Vantrel_Zellow_Extension
