#pragma once
#include <cstdint>

// Parameter units and option flags, with the platform's numbers.

namespace AudioToolbox {

enum class AudioUnitParameterUnit : std::uint32_t {
    generic = 0,
    indexed = 1,
    boolean = 2,
    percent = 3,
    seconds = 4,
    sampleFrames = 5,
    phase = 6,
    rate = 7,
    hertz = 8,
    cents = 9,
    relativeSemiTones = 10,
    midiNoteNumber = 11,
    midiController = 12,
    decibels = 13,
    linearGain = 14,
    degrees = 15,
    equalPowerCrossfade = 16,
    mixerFaderCurve1 = 17,
    pan = 18,
    meters = 19,
    absoluteCents = 20,
    octaves = 21,
    BPM = 22,
    beats = 23,
    milliseconds = 24,
    ratio = 25,
    customUnit = 26,
    midi2Controller = 27,
};

using AudioUnitParameterOptions = std::uint32_t;

inline constexpr AudioUnitParameterOptions kAudioUnitParameterFlag_HasClump = 1u << 20;
inline constexpr AudioUnitParameterOptions kAudioUnitParameterFlag_ValuesHaveStrings = 1u << 21;
inline constexpr AudioUnitParameterOptions kAudioUnitParameterFlag_CanRamp = 1u << 25;
inline constexpr AudioUnitParameterOptions kAudioUnitParameterFlag_IsGlobalMeta = 1u << 28;
inline constexpr AudioUnitParameterOptions kAudioUnitParameterFlag_IsReadable = 1u << 30;
inline constexpr AudioUnitParameterOptions kAudioUnitParameterFlag_IsWritable = 1u << 31;

}  // namespace AudioToolbox
