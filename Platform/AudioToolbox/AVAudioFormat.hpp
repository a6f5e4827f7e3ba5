#pragma once
#include <cstdint>
#include <memory>

#include "Runtime/NSObject.hpp"

namespace AudioToolbox {

using AVAudioChannelCount = std::uint32_t;
using AVAudioFrameCount = std::uint32_t;

enum class AVAudioCommonFormat { otherFormat = 0, pcmFormatFloat32 = 1 };

// An immutable audio format. Only the platform's standard format exists here: deinterleaved
// 32-bit float, one buffer per channel.
class AVAudioFormat : public Runtime::NSObject {
    VZ_OBJECT(AVAudioFormat, Runtime::NSObject)
public:
    // The most channels a format may have: an AudioBufferList holds this many buffers.
    static constexpr AVAudioChannelCount maximumChannelCount = 8;

    // nullptr, as the platform's failable initialiser, for a sample rate that is not a positive
    // finite number or a channel count outside 1...maximumChannelCount.
    static std::shared_ptr<AVAudioFormat> standardFormat(double sampleRate, AVAudioChannelCount channels);

    double sampleRate() const { return sampleRate_; }
    AVAudioChannelCount channelCount() const { return channelCount_; }
    AVAudioCommonFormat commonFormat() const { return AVAudioCommonFormat::pcmFormatFloat32; }
    bool isInterleaved() const { return false; }
    bool isStandard() const { return true; }

    bool isEqual(const AVAudioFormat& other) const {
        return sampleRate_ == other.sampleRate_ && channelCount_ == other.channelCount_;
    }

protected:
    AVAudioFormat(double sampleRate, AVAudioChannelCount channels) : sampleRate_(sampleRate), channelCount_(channels) {}

private:
    double sampleRate_;
    AVAudioChannelCount channelCount_;
};

}  // namespace AudioToolbox
