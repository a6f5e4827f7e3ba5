#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"

namespace AudioHost {

// Tells which input an event the unit sent came from: the earliest input not yet paired that
// has the same status byte and first data byte (the note, controller or program), since a
// unit passes a message on with its time and its values perhaps changed. Memory grows with the
// inputs that wait, not with all inputs.
class EventPairing {
public:
    struct Input {
        AudioToolbox::AUEventSampleTime sampleTime;
        std::int64_t tick;  // where a file placed it; 0 for an event list
        bool noteOn;        // a note-on with a velocity above zero
    };

    EventPairing();

    // An input MIDI event, in the order the unit gets them; other events are not paired.
    void addInput(const HostEvent& input, std::int64_t tick = 0);
    // The input `sent` came from, no longer waiting; nothing when no input waits for it.
    std::optional<Input> pair(const HostEvent& sent);

private:
    static constexpr std::uint32_t none = ~std::uint32_t(0);
    static std::uint32_t keyOf(const HostEvent& e) {
        return std::uint32_t(e.bytes[0]) << 7 | (e.length > 1 ? e.bytes[1] & 0x7F : 0);
    }
    struct Node {
        Input input;
        std::uint32_t next;
    };
    struct Queue {
        std::uint32_t head = none, tail = none;
    };
    std::vector<Queue> queues_;
    std::vector<Node> nodes_;
    std::uint32_t free_ = none;
};

}  // namespace AudioHost
