#include "AudioToolbox/AVAudioFormat.hpp"

#include <cmath>

namespace AudioToolbox {

std::shared_ptr<AVAudioFormat> AVAudioFormat::standardFormat(double sampleRate, AVAudioChannelCount channels) {
    if (!(std::isfinite(sampleRate) && sampleRate > 0) || channels == 0 || channels > maximumChannelCount)
        return nullptr;
    return Runtime::make<AVAudioFormat>(sampleRate, channels);
}

}  // namespace AudioToolbox
