#pragma once
#include <cstdint>

#include "AudioToolbox/RenderTypes.hpp"

namespace AudioHost {

// One event the host hands to a unit, or one the unit sent back: a short MIDI message or a
// parameter change, at a sample time.
struct HostEvent {
    enum class Kind : std::uint8_t { midi, parameter };

    AudioToolbox::AUEventSampleTime sampleTime = 0;
    Kind kind = Kind::midi;
    std::uint8_t length = 0;  // MIDI: 1...3 bytes
    std::uint8_t bytes[3] = {};
    AudioToolbox::AUParameterAddress address = 0;
    AudioToolbox::AUValue value = 0;

    static HostEvent midi(AudioToolbox::AUEventSampleTime time, std::uint8_t status, std::uint8_t data1, std::uint8_t data2,
                          std::uint8_t length = 3) {
        HostEvent e;
        e.sampleTime = time;
        e.length = length;
        e.bytes[0] = status;
        e.bytes[1] = length > 1 ? data1 : 0;
        e.bytes[2] = length > 2 ? data2 : 0;
        return e;
    }
    static HostEvent parameter(AudioToolbox::AUEventSampleTime time, AudioToolbox::AUParameterAddress address,
                               AudioToolbox::AUValue value) {
        HostEvent e;
        e.sampleTime = time;
        e.kind = Kind::parameter;
        e.address = address;
        e.value = value;
        return e;
    }
};

// Length of the short MIDI message that starts with `status`, 0 for a byte that starts no
// message a render event can carry (data bytes, system exclusive, undefined codes).
constexpr int midiMessageLength(std::uint8_t status) {
    if (status < 0x80) return 0;
    if (status < 0xF0) return (status & 0xE0) == 0xC0 ? 2 : 3;  // program change, channel pressure: 2
    switch (status) {
        case 0xF1: case 0xF3: return 2;
        case 0xF2: return 3;
        case 0xF6: case 0xF8: case 0xFA: case 0xFB: case 0xFC: case 0xFE: case 0xFF: return 1;
        default: return 0;
    }
}

// A complete short MIDI message: a status that starts one, its length, data bytes below 80.
constexpr bool isShortMessage(const HostEvent& e) {
    if (e.kind != HostEvent::Kind::midi || e.length != midiMessageLength(e.bytes[0])) return false;
    for (int i = 1; i < e.length; ++i)
        if (e.bytes[i] >= 0x80) return false;
    return true;
}

}  // namespace AudioHost
