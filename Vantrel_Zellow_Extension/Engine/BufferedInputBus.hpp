#pragma once
#include <memory>

#include "AudioToolbox/AUAudioUnitBus.hpp"
#include "AudioToolbox/AVAudioFormat.hpp"
#include "AudioToolbox/AVAudioPCMBuffer.hpp"

namespace Vantrel_Zellow_Extension {

// An input bus with a buffer sized at allocation. The effect pulls no audio, so the buffer is
// never read or written; hosts still expect an input bus that can hold a cycle.
struct BufferedInputBus {
    std::shared_ptr<AudioToolbox::AUAudioUnitBus> bus;
    AudioToolbox::AUAudioFrameCount maxFrames = 0;
    std::shared_ptr<AudioToolbox::AVAudioPCMBuffer> pcmBuffer;
    const AudioToolbox::AudioBufferList* audioBufferList = nullptr;
    AudioToolbox::AudioBufferList* mutableAudioBufferList = nullptr;

    BufferedInputBus() = default;
    BufferedInputBus(std::shared_ptr<AudioToolbox::AVAudioFormat> format, AudioToolbox::AVAudioChannelCount maxChannels);

    // Replaces the buffer with one of maxFrames frames in the bus's current format.
    void allocateRenderResources(AudioToolbox::AUAudioFrameCount maxFrames);
};

}  // namespace Vantrel_Zellow_Extension
