#pragma once
#include <cstdint>
#include <functional>

// The plain records and callable types of the Audio Unit render cycle, with the
// platform's numbers. Everything here is safe to touch on the render thread: records are
// plain data and host blocks are only ever called there, never copied.

namespace AudioToolbox {

using OSStatus = std::int32_t;
using AUAudioUnitStatus = OSStatus;
using AUEventSampleTime = std::int64_t;
using AUAudioFrameCount = std::uint32_t;
using AUParameterAddress = std::uint64_t;
using AUValue = float;
using AudioUnitRenderActionFlags = std::uint32_t;

// An event time that means "as soon as possible" (the platform's marker value).
inline constexpr AUEventSampleTime AUEventSampleTimeImmediate = static_cast<AUEventSampleTime>(0xffffffff00000000ULL);

// OS status codes, the platform's numbers.
inline constexpr OSStatus noErr = 0;
inline constexpr OSStatus kAudioUnitErr_InvalidProperty = -10879;
inline constexpr OSStatus kAudioUnitErr_InvalidParameter = -10878;
inline constexpr OSStatus kAudioUnitErr_InvalidElement = -10877;
inline constexpr OSStatus kAudioUnitErr_NoConnection = -10876;
inline constexpr OSStatus kAudioUnitErr_FailedInitialization = -10875;
inline constexpr OSStatus kAudioUnitErr_TooManyFramesToProcess = -10874;
inline constexpr OSStatus kAudioUnitErr_InvalidFile = -10871;
inline constexpr OSStatus kAudioUnitErr_FormatNotSupported = -10868;
inline constexpr OSStatus kAudioUnitErr_Uninitialized = -10867;
inline constexpr OSStatus kAudioUnitErr_InvalidScope = -10866;
inline constexpr OSStatus kAudioUnitErr_PropertyNotWritable = -10865;
inline constexpr OSStatus kAudioUnitErr_CannotDoInCurrentContext = -10863;
inline constexpr OSStatus kAudioUnitErr_InvalidPropertyValue = -10851;
inline constexpr OSStatus kAudioUnitErr_PropertyNotInUse = -10850;
inline constexpr OSStatus kAudioUnitErr_Initialized = -10849;
inline constexpr OSStatus kAudioUnitErr_InvalidOfflineRender = -10848;
inline constexpr OSStatus kAudioUnitErr_Unauthorized = -10847;
inline constexpr OSStatus kAudioComponentErr_InstanceInvalidated = -66749;

struct SMPTETime {
    std::int16_t mSubframes = 0, mSubframeDivisor = 0;
    std::uint32_t mCounter = 0, mType = 0, mFlags = 0;
    std::int16_t mHours = 0, mMinutes = 0, mSeconds = 0, mFrames = 0;
};

enum : std::uint32_t {
    kAudioTimeStampSampleTimeValid = 1u << 0,
    kAudioTimeStampHostTimeValid = 1u << 1,
    kAudioTimeStampRateScalarValid = 1u << 2,
    kAudioTimeStampWordClockTimeValid = 1u << 3,
    kAudioTimeStampSMPTETimeValid = 1u << 4,
};

struct AudioTimeStamp {
    double mSampleTime = 0;
    std::uint64_t mHostTime = 0;
    double mRateScalar = 0;
    std::uint64_t mWordClockTime = 0;
    SMPTETime mSMPTETime;
    std::uint32_t mFlags = 0;
    std::uint32_t mReserved = 0;
};

struct AudioBuffer {
    std::uint32_t mNumberChannels = 0;
    std::uint32_t mDataByteSize = 0;
    void* mData = nullptr;
};

// Variable length on the platform; here it holds up to 8 buffers (the most any bus allows).
struct AudioBufferList {
    std::uint32_t mNumberBuffers = 0;
    AudioBuffer mBuffers[8];
};

enum class AURenderEventType : std::uint8_t {
    Parameter = 1,
    ParameterRamp = 2,
    MIDI = 8,
    MIDISysEx = 9,
    MIDIEventList = 10,
};

union AURenderEvent;

struct AURenderEventHeader {
    AURenderEvent* next = nullptr;
    AUEventSampleTime eventSampleTime = 0;
    AURenderEventType eventType = AURenderEventType::MIDI;
    std::uint8_t reserved = 0;
};

struct AUParameterEvent {
    AURenderEvent* next = nullptr;
    AUEventSampleTime eventSampleTime = 0;
    AURenderEventType eventType = AURenderEventType::Parameter;
    std::uint8_t reserved[3] = {};
    AUAudioFrameCount rampDurationSampleFrames = 0;
    AUParameterAddress parameterAddress = 0;
    AUValue value = 0;
};

struct AUMIDIEvent {
    AURenderEvent* next = nullptr;
    AUEventSampleTime eventSampleTime = 0;
    AURenderEventType eventType = AURenderEventType::MIDI;
    std::uint8_t reserved = 0;
    std::uint16_t length = 0;
    std::uint8_t cable = 0;
    std::uint8_t data[3] = {};
};

// A render event: read `head.eventType`, then the matching member.
union AURenderEvent {
    AURenderEventHeader head;
    AUParameterEvent parameter;
    AUMIDIEvent MIDI;
    AURenderEvent() : head() {}
};

struct AudioComponentDescription {
    std::uint32_t componentType = 0;
    std::uint32_t componentSubType = 0;
    std::uint32_t componentManufacturer = 0;
    std::uint32_t componentFlags = 0;
    std::uint32_t componentFlagsMask = 0;
    friend bool operator==(const AudioComponentDescription&, const AudioComponentDescription&) = default;
};

// Four-character codes ('aumi' and friends) as the platform packs them.
constexpr std::uint32_t fourCC(const char (&code)[5]) {
    return (std::uint32_t(std::uint8_t(code[0])) << 24) | (std::uint32_t(std::uint8_t(code[1])) << 16) |
           (std::uint32_t(std::uint8_t(code[2])) << 8) | std::uint32_t(std::uint8_t(code[3]));
}
inline constexpr std::uint32_t kAudioUnitType_MIDIProcessor = fourCC("aumi");
inline constexpr std::uint32_t kAudioUnitType_Effect = fourCC("aufx");
inline constexpr std::uint32_t kAudioUnitType_MusicDevice = fourCC("aumu");

using AUHostTransportStateFlags = std::uint32_t;
enum : AUHostTransportStateFlags {
    AUHostTransportStateChanged = 1,
    AUHostTransportStateMoving = 2,
    AUHostTransportStateRecording = 4,
    AUHostTransportStateCycling = 8,
};

// Host blocks. A null pointer argument means the caller does not want that value.
using AUHostMusicalContextBlock =
    std::function<bool(double* currentTempo, double* timeSignatureNumerator, long* timeSignatureDenominator,
                       double* currentBeatPosition, long* sampleOffsetToNextBeat, double* currentMeasureDownbeatPosition)>;
using AUHostTransportStateBlock =
    std::function<bool(AUHostTransportStateFlags* transportStateFlags, double* currentSamplePosition,
                       double* cycleStartBeatPosition, double* cycleEndBeatPosition)>;
using AUMIDIOutputEventBlock =
    std::function<OSStatus(AUEventSampleTime eventSampleTime, std::uint8_t cable, long length, const std::uint8_t* midiBytes)>;

using AURenderPullInputBlock =
    std::function<AUAudioUnitStatus(AudioUnitRenderActionFlags* actionFlags, const AudioTimeStamp* timestamp,
                                    AUAudioFrameCount frameCount, long inputBusNumber, AudioBufferList* inputData)>;
// The pull-input block is passed by pointer (may be null) so that calling a render block
// never copies a callable.
using AURenderBlock =
    std::function<AUAudioUnitStatus(AudioUnitRenderActionFlags* actionFlags, const AudioTimeStamp* timestamp,
                                    AUAudioFrameCount frameCount, long outputBusNumber, AudioBufferList* outputData,
                                    const AURenderEvent* realtimeEventListHead, const AURenderPullInputBlock* pullInputBlock)>;

}  // namespace AudioToolbox
