#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"

namespace Vantrel_Zellow_Extension {

using namespace AudioToolbox;

MidiZellowAudioUnit::MidiZellowAudioUnit(const AudioComponentDescription& componentDescription,
                                         AudioComponentInstantiationOptions options)
    : AUAudioUnit(componentDescription, options) {
    auto format = AVAudioFormat::standardFormat(44100, 2);
    outputBus_ = AUAudioUnitBus::make(format);
    outputBus_->setMaximumChannelCount(2);
    inputBus_ = BufferedInputBus(format, 8);
    inputs_ = Runtime::make<AUAudioUnitBusArray>(*this, AUAudioUnitBusType::input, std::vector{inputBus_.bus});
    outputs_ = Runtime::make<AUAudioUnitBusArray>(*this, AUAudioUnitBusType::output, std::vector{outputBus_});
}

void MidiZellowAudioUnit::setParameter(AUParameterAddress address, AUValue value) {
    midiProcessor_.setParameter(address, false, value);
}

void MidiZellowAudioUnit::setMaximumFramesToRender(AUAudioFrameCount frames) {
    AUAudioUnit::setMaximumFramesToRender(frames);  // refuses while allocated
    maxFrames_ = frames;
}

bool MidiZellowAudioUnit::shouldBypassEffect() const {
    return midiProcessor_.bypass.load(std::memory_order_relaxed);
}

void MidiZellowAudioUnit::setShouldBypassEffect(bool bypass) {
    midiProcessor_.bypass.store(bypass, std::memory_order_relaxed);
}

AURenderBlock MidiZellowAudioUnit::internalRenderBlock() {
    return [processor = &midiProcessor_](AudioUnitRenderActionFlags*, const AudioTimeStamp* timestamp,
                                         AUAudioFrameCount, long, AudioBufferList*, const AURenderEvent* events,
                                         const AURenderPullInputBlock*) -> AUAudioUnitStatus {
        return processor->render(timestamp, events);
    };
}

void MidiZellowAudioUnit::allocateRenderResources() {
    inputBus_.allocateRenderResources(maximumFramesToRender());
    if (auto output = outputBusses()->operator[](0); output && output->format()) {
        midiProcessor_.sampleRate.store(static_cast<float>(output->format()->sampleRate()), std::memory_order_relaxed);
    }
    midiProcessor_.musicalContextBlock = musicalContextBlock();
    midiProcessor_.transportStateBlock = transportStateBlock();
    midiProcessor_.midiOutputEventBlock = MIDIOutputEventBlock();
    AUAudioUnit::allocateRenderResources();
}

void MidiZellowAudioUnit::deallocateRenderResources() { AUAudioUnit::deallocateRenderResources(); }

}  // namespace Vantrel_Zellow_Extension
