#pragma once
#include <array>
#include <atomic>
#include <cstdint>

#include "AudioToolbox/RenderTypes.hpp"
#include "Vantrel_Zellow_Extension/Engine/RenderCore/ParameterAddress.hpp"
#include "Vantrel_Zellow_Extension/Engine/RenderCore/PendingNote.hpp"

namespace Vantrel_Zellow_Extension {

// The effect's render state. The main thread writes parameter values and the bypass flag;
// the render thread reads them and owns the musical context, the note table and the steps.
// Everything that crosses threads is a relaxed atomic word, so neither side ever waits.
//
// Not copyable: a copy taken while the host renders would race with the note table. The
// main thread reads what it needs (displayStep, parameterMirror, dirtyMask) atomically.
class MidiProcessor {
public:
    static constexpr int maxSteps = 16;
    static constexpr std::size_t parameterCount = ParameterAddress::count;

    MidiProcessor();
    MidiProcessor(const MidiProcessor&) = delete;
    MidiProcessor& operator=(const MidiProcessor&) = delete;

    // Set when render resources are allocated, while the host is not rendering.
    AudioToolbox::AUMIDIOutputEventBlock midiOutputEventBlock;
    AudioToolbox::AUHostMusicalContextBlock musicalContextBlock;

    // Musical context of the current cycle (render thread only).
    double tempo = 0;
    double beatPosition = 0;
    double measureDownbeatPosition = 0;

    AudioToolbox::AUHostTransportStateBlock transportStateBlock;
    std::atomic<float> sampleRate{44100.0f};
    std::atomic<bool> bypass{false};

    // Parameter values in the units the timing works in (seconds, fractions).
    std::atomic<float> swingOneFour{0.5f};
    std::atomic<float> swingOneEight{0.5f};
    std::atomic<float> swingOneSixteen{0.5f};
    std::atomic<float> random{0.0f};
    std::atomic<float> delay{0.0f};
    std::atomic<float> seed{32.0f};
    std::array<std::atomic<float>, maxSteps> stepDelays{};
    std::array<std::atomic<float>, maxSteps> stepVelocities{};
    std::atomic<std::int32_t> stepCount{16};

    // Render thread only.
    std::int32_t lastStep = -1;
    // Notes sounding through the effect, one entry for every channel and data byte a note-on
    // can carry, so no note-on goes unremembered however many are held.
    using PendingNotes = std::array<std::array<PendingNote, 256>, 16>;
    const PendingNotes& pendingNotes() const { return pendingNotes_; }

    // The render thread's report to the editor.
    std::atomic<std::int32_t> displayStep{-1};
    std::array<std::atomic<float>, parameterCount> parameterMirror{};
    std::atomic<std::uint64_t> dirtyMask{0};

    // Stores a value given in the parameter's own unit (ms, %, index). From the render, the
    // address is also marked in dirtyMask so the editor hears of the host's change.
    void setParameter(AudioToolbox::AUParameterAddress address, bool fromRender, AudioToolbox::AUValue value);

    // The body of the render block: re-times and re-scales the cycle's notes.
    AudioToolbox::OSStatus render(const AudioToolbox::AudioTimeStamp* timestamp,
                                  const AudioToolbox::AURenderEvent* eventList);

    // Output time of a note event: its own time plus the delays, summed apart from it so that
    // the host's uptime never coarsens them.
    AudioToolbox::AUEventSampleTime schedule(AudioToolbox::AUEventSampleTime sampleTime, std::int32_t step,
                                             float randomOffset, double position) const;

    // Position in beats after swinging pairs of 1/division notes by amount (0.5 = straight).
    static float swingWarp(std::int32_t division, float amount, double position);

    // Notes a note-on as pending; striking a pending note again refreshes its random part.
    void rememberNote(std::uint8_t note, std::uint8_t channel, float randomOffset,
                      AudioToolbox::AUEventSampleTime noteOnTime);
    // The note's entry while it is pending, or null.
    const PendingNote* pendingNote(std::uint8_t note, std::uint8_t channel) const;

    // The step (0 ... stepCount - 1) that a beat position falls on.
    std::int32_t stepAt(double beat) const;

    // The dirty mask's bits taken and cleared in one go (main thread).
    std::uint64_t takeDirtyMask() { return dirtyMask.exchange(0, std::memory_order_acquire); }

private:
    struct Timing;
    Timing timing() const;
    AudioToolbox::AUEventSampleTime schedule(const Timing& timing, AudioToolbox::AUEventSampleTime sampleTime,
                                             std::int32_t step, float randomOffset, double position) const;
    void sendNote(const Timing& timing, const AudioToolbox::AUMIDIEvent& event,
                  AudioToolbox::AUEventSampleTime cycleStart, double beatsPerSample);
    void send(AudioToolbox::AUEventSampleTime time, std::uint8_t cable, long length, const std::uint8_t* bytes) const;
    float randomOffsetFor(const Timing& timing, std::uint8_t note, double eventBeat) const;

    PendingNotes pendingNotes_{};
};

}  // namespace Vantrel_Zellow_Extension
