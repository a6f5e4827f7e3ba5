#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "AudioToolbox/RenderTypes.hpp"
#include "TestSupport/RealtimeCheck.hpp"
#include "Vantrel_Zellow_Extension/Engine/RenderCore/MidiProcessor.hpp"

namespace EngineTests {

using namespace AudioToolbox;
using Vantrel_Zellow_Extension::MidiProcessor;
namespace Address = Vantrel_Zellow_Extension::ParameterAddress;

// One event as the effect handed it to the host's MIDI output.
struct SentEvent {
    AUEventSampleTime time = 0;
    std::uint8_t cable = 0;
    long length = 0;
    std::array<std::uint8_t, 3> bytes{};
    friend bool operator==(const SentEvent&, const SentEvent&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const SentEvent& e) {
    return out << "{t=" << e.time << " cable=" << int(e.cable) << " len=" << e.length << " " << std::hex
               << int(e.bytes[0]) << " " << int(e.bytes[1]) << " " << int(e.bytes[2]) << std::dec << "}";
}

// A render event list built outside the render call, linked in order.
class EventList {
public:
    EventList() { events_.reserve(64); }
    EventList& midi(AUEventSampleTime time, std::uint8_t status, std::uint8_t data1 = 0, std::uint8_t data2 = 0,
                    std::uint16_t length = 3, std::uint8_t cable = 0) {
        AURenderEvent e;
        e.MIDI = AUMIDIEvent{};
        e.MIDI.eventSampleTime = time;
        e.MIDI.length = length;
        e.MIDI.cable = cable;
        e.MIDI.data[0] = status;
        e.MIDI.data[1] = data1;
        e.MIDI.data[2] = data2;
        return push(e);
    }
    EventList& noteOn(AUEventSampleTime time, std::uint8_t note, std::uint8_t velocity, std::uint8_t channel = 0) {
        return midi(time, std::uint8_t(0x90 | channel), note, velocity);
    }
    EventList& noteOff(AUEventSampleTime time, std::uint8_t note, std::uint8_t velocity = 64, std::uint8_t channel = 0) {
        return midi(time, std::uint8_t(0x80 | channel), note, velocity);
    }
    EventList& parameter(AUEventSampleTime time, AUParameterAddress address, AUValue value) {
        AURenderEvent e;
        e.parameter = AUParameterEvent{};
        e.parameter.eventSampleTime = time;
        e.parameter.parameterAddress = address;
        e.parameter.value = value;
        return push(e);
    }
    EventList& other(AURenderEventType type, AUEventSampleTime time) {
        AURenderEvent e;
        e.head = AURenderEventHeader{};
        e.head.eventType = type;
        e.head.eventSampleTime = time;
        return push(e);
    }
    const AURenderEvent* head() {
        for (std::size_t i = 0; i < events_.size(); ++i) {
            events_[i].head.next = i + 1 < events_.size() ? &events_[i + 1] : nullptr;
        }
        return events_.empty() ? nullptr : &events_[0];
    }
    bool empty() const { return events_.empty(); }
    void clear() { events_.clear(); }

private:
    EventList& push(const AURenderEvent& e) {
        events_.push_back(e);
        return *this;
    }
    std::vector<AURenderEvent> events_;
};

// A MIDI output block that keeps what it is sent in `sent`, which must have its capacity
// reserved: on the render thread it never grows, it counts what did not fit instead.
inline AUMIDIOutputEventBlock recordInto(std::vector<SentEvent>& sent, std::size_t& overflow) {
    return [&sent, &overflow](AUEventSampleTime time, std::uint8_t cable, long length, const std::uint8_t* bytes) {
        if (sent.size() == sent.capacity()) {
            ++overflow;
            return OSStatus(0);
        }
        SentEvent e{time, cable, length, {}};
        for (long i = 0; i < length && i < 3; ++i) e.bytes[std::size_t(i)] = bytes[i];
        sent.push_back(e);
        return OSStatus(0);
    };
}

// The host side of the render cycle: musical context, MIDI output, and the defaults the
// settings push at configuration. Every render runs under the real-time check.
class RenderHarness {
public:
    struct Context {
        double tempo = 120;
        double beat = 0;
        double downbeat = 0;
        bool available = true;
    };

    explicit RenderHarness(float sampleRate = 44100, bool pushDefaults = true) {
        sent.reserve(1 << 16);
        processor.sampleRate.store(sampleRate);
        processor.musicalContextBlock = [this](double* tempo, double* numerator, long* denominator, double* beat,
                                               long* offsetToNextBeat, double* downbeat) {
            ++contextCalls;
            if (!context.available) return false;
            if (tempo) *tempo = context.tempo;
            if (beat) *beat = context.beat;
            if (downbeat) *downbeat = context.downbeat;
            if (numerator) *numerator = 4;
            if (denominator) *denominator = 4;
            if (offsetToNextBeat) *offsetToNextBeat = 0;
            return true;
        };
        processor.midiOutputEventBlock = recordInto(sent, overflow);
        if (pushDefaults) this->pushDefaults();
    }

    // The parameter defaults, pushed in address order as the settings do.
    void pushDefaults() {
        for (AUParameterAddress a = 0; a < Address::count; ++a) set(a, defaultValue(a));
    }
    static float defaultValue(AUParameterAddress a) {
        if (a >= Address::swingOneFour && a <= Address::swingOneSixteen) return 50;
        if (a >= Address::firstStepVelocity && a < Address::stepCount) return 100;
        if (a == Address::stepCount) return 16;
        return 0;
    }
    void set(AUParameterAddress address, float value) { processor.setParameter(address, false, value); }

    OSStatus render(double sampleTime, EventList& events) { return render(sampleTime, events.head()); }
    OSStatus render(double sampleTime, const AURenderEvent* head = nullptr) {
        AudioTimeStamp stamp;
        stamp.mSampleTime = sampleTime;
        stamp.mFlags = kAudioTimeStampSampleTimeValid;
        TestSupport::RealtimeCheck check;
        return processor.render(&stamp, head);
    }
    // Renders one cycle starting at beat; events given with absolute sample times.
    OSStatus renderAt(double sampleTime, double beat, EventList& events) {
        context.beat = beat;
        return render(sampleTime, events);
    }

    MidiProcessor processor;
    Context context;
    std::vector<SentEvent> sent;
    std::size_t overflow = 0;
    int contextCalls = 0;
};

// How many notes the effect holds for a later note-off.
inline std::size_t pendingCount(const MidiProcessor& processor) {
    std::size_t count = 0;
    for (const auto& channel : processor.pendingNotes())
        for (const auto& note : channel) count += note.active;
    return count;
}

inline SentEvent midiOut(AUEventSampleTime time, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, long length = 3) {
    return SentEvent{time, 0, length, {b0, b1, b2}};
}

}  // namespace EngineTests
