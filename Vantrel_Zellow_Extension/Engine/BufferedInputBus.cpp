#include "Vantrel_Zellow_Extension/Engine/BufferedInputBus.hpp"

namespace Vantrel_Zellow_Extension {

using namespace AudioToolbox;

BufferedInputBus::BufferedInputBus(std::shared_ptr<AVAudioFormat> format, AVAudioChannelCount maxChannels) {
    try {
        bus = AUAudioUnitBus::make(std::move(format));
    } catch (const Foundation::NSError&) {
        return;  // no bus: the unit's bus array reports it
    }
    bus->setMaximumChannelCount(maxChannels);
}

void BufferedInputBus::allocateRenderResources(AUAudioFrameCount frames) {
    maxFrames = frames;
    pcmBuffer = bus ? AVAudioPCMBuffer::make(bus->format(), frames) : nullptr;
    audioBufferList = pcmBuffer ? pcmBuffer->audioBufferList() : nullptr;
    mutableAudioBufferList = pcmBuffer ? pcmBuffer->mutableAudioBufferList() : nullptr;
}

}  // namespace Vantrel_Zellow_Extension
