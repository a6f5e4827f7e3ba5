#include "AudioToolbox/AVAudioPCMBuffer.hpp"

#include <stdexcept>
#include <string>

namespace AudioToolbox {

std::shared_ptr<AVAudioPCMBuffer> AVAudioPCMBuffer::make(std::shared_ptr<AVAudioFormat> format,
                                                         AVAudioFrameCount frameCapacity) {
    if (!format) return nullptr;
    return Runtime::make<AVAudioPCMBuffer>(std::move(format), frameCapacity);
}

AVAudioPCMBuffer::AVAudioPCMBuffer(std::shared_ptr<AVAudioFormat> format, AVAudioFrameCount frameCapacity)
    : format_(std::move(format)), frameCapacity_(frameCapacity) {
    const std::uint32_t channelCount = format_->channelCount();
    const std::size_t total = std::size_t(channelCount) * frameCapacity;
    if (total > 0) samples_ = std::make_unique<float[]>(total);  // zeroed
    list_.mNumberBuffers = channelCount;
    for (std::uint32_t c = 0; c < channelCount; ++c) {
        channels_[c] = total > 0 ? samples_.get() + std::size_t(c) * frameCapacity : nullptr;
        list_.mBuffers[c].mNumberChannels = 1;
        list_.mBuffers[c].mDataByteSize = 0;
        list_.mBuffers[c].mData = channels_[c];
    }
    mutableList_ = list_;
}

void AVAudioPCMBuffer::setFrameLength(AVAudioFrameCount length) {
    if (length > frameCapacity_)
        throw std::invalid_argument("frame length " + std::to_string(length) + " exceeds the capacity " +
                                    std::to_string(frameCapacity_));
    frameLength_ = length;
    for (std::uint32_t c = 0; c < list_.mNumberBuffers; ++c) {
        list_.mBuffers[c].mDataByteSize = length * sizeof(float);
        mutableList_.mBuffers[c].mDataByteSize = length * sizeof(float);
    }
}

}  // namespace AudioToolbox
