#include "AudioToolbox/AUAudioUnitBus.hpp"

#include <string>

namespace AudioToolbox {

std::shared_ptr<AUAudioUnitBus> AUAudioUnitBus::make(std::shared_ptr<AVAudioFormat> format) {
    if (!format) throw Foundation::NSError(Foundation::NSOSStatusErrorDomain, kAudioUnitErr_FormatNotSupported, "a bus needs a format");
    return Runtime::make<AUAudioUnitBus>(std::move(format));
}

void AUAudioUnitBus::setFormat(std::shared_ptr<AVAudioFormat> format) {
    using Foundation::NSError;
    if (!format) throw NSError(Foundation::NSOSStatusErrorDomain, kAudioUnitErr_FormatNotSupported, "a bus needs a format");
    if (format->channelCount() > maximumChannelCount_)
        throw NSError(Foundation::NSOSStatusErrorDomain, kAudioUnitErr_FormatNotSupported,
                      std::to_string(format->channelCount()) + " channels exceed the bus's maximum of " +
                          std::to_string(maximumChannelCount_));
    if (auto owner = owner_.lock(); owner && owner->allocated.load(std::memory_order_acquire))
        throw NSError(Foundation::NSOSStatusErrorDomain, kAudioUnitErr_Initialized,
                      "a bus format cannot change while render resources are allocated");
    format_ = std::move(format);
}

AUAudioUnit* AUAudioUnitBus::ownerAudioUnit() const {
    auto owner = owner_.lock();
    return owner ? owner->owner.load() : nullptr;
}

}  // namespace AudioToolbox
