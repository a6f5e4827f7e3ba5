#pragma once
#include <memory>

#include "AudioToolbox/AVAudioFormat.hpp"
#include "AudioToolbox/RenderTypes.hpp"

namespace AudioToolbox {

// A buffer of deinterleaved float samples, allocated once with its frame capacity. The two
// buffer lists point into the same memory; callers may repoint the mutable one, the other
// keeps describing the buffer's own memory.
class AVAudioPCMBuffer : public Runtime::NSObject {
    VZ_OBJECT(AVAudioPCMBuffer, Runtime::NSObject)
public:
    // nullptr for a missing format, as the platform's failable initialiser.
    static std::shared_ptr<AVAudioPCMBuffer> make(std::shared_ptr<AVAudioFormat> format, AVAudioFrameCount frameCapacity);

    const std::shared_ptr<AVAudioFormat>& format() const { return format_; }
    AVAudioFrameCount frameCapacity() const { return frameCapacity_; }
    AVAudioFrameCount frameLength() const { return frameLength_; }
    // Throws std::invalid_argument above the capacity. Also sets the lists' byte sizes.
    void setFrameLength(AVAudioFrameCount length);

    // One pointer per channel, channelCount() entries.
    float* const* floatChannelData() const { return channels_; }
    const AudioBufferList* audioBufferList() const { return &list_; }
    AudioBufferList* mutableAudioBufferList() { return &mutableList_; }

protected:
    AVAudioPCMBuffer(std::shared_ptr<AVAudioFormat> format, AVAudioFrameCount frameCapacity);

private:
    std::shared_ptr<AVAudioFormat> format_;
    AVAudioFrameCount frameCapacity_;
    AVAudioFrameCount frameLength_ = 0;
    std::unique_ptr<float[]> samples_;
    float* channels_[AVAudioFormat::maximumChannelCount] = {};
    AudioBufferList list_;
    AudioBufferList mutableList_;
};

}  // namespace AudioToolbox
