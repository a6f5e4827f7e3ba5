#pragma once
#include <memory>
#include <vector>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AUAudioUnitBusArray.hpp"
#include "Pellicot/PelliAudioUnit.hpp"
#include "Vantrel_Zellow_Extension/Engine/BufferedInputBus.hpp"
#include "Vantrel_Zellow_Extension/Engine/RenderCore/MidiProcessor.hpp"

namespace Vantrel_Zellow_Extension {

// The effect as the host sees it: a MIDI processor with one stereo input and output bus, a
// bypass switch and a render block that runs MidiProcessor::render. Parameters and their tree
// belong to Settings, which assigns the tree and pushes every value in.
class MidiZellowAudioUnit : public AudioToolbox::AUAudioUnit, public Pellicot::PelliAudioUnit {
    VZ_OBJECT(MidiZellowAudioUnit, AudioToolbox::AUAudioUnit)
public:
    // Throws the base's or the output bus's error.
    explicit MidiZellowAudioUnit(const AudioToolbox::AudioComponentDescription& componentDescription,
                                 AudioToolbox::AudioComponentInstantiationOptions options = 0);

    // Main thread: stores the value (in the parameter's own unit) for the next render cycle.
    void setParameter(AudioToolbox::AUParameterAddress address, AudioToolbox::AUValue value) override;

    bool isMusicDeviceOrEffect() const override { return true; }
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> inputBusses() override { return inputs_; }
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> outputBusses() override { return outputs_; }
    double latency() const override { return 0; }
    std::vector<int> channelCapabilities() const override { return {2, 2}; }
    AudioToolbox::AUAudioFrameCount maximumFramesToRender() const override { return maxFrames_; }
    void setMaximumFramesToRender(AudioToolbox::AUAudioFrameCount frames) override;
    bool shouldBypassEffect() const override;
    void setShouldBypassEffect(bool bypass) override;

    // A new block on each request; it reaches the processor by pointer, never the unit.
    AudioToolbox::AURenderBlock internalRenderBlock() override;
    // Throws the base's allocation error (the processor keeps the values set before it).
    void allocateRenderResources() override;
    void deallocateRenderResources() override;

    MidiProcessor& midiProcessor() { return midiProcessor_; }
    const MidiProcessor& midiProcessor() const { return midiProcessor_; }
    const BufferedInputBus& inputBus() const { return inputBus_; }

private:
    MidiProcessor midiProcessor_;
    BufferedInputBus inputBus_;
    std::shared_ptr<AudioToolbox::AUAudioUnitBus> outputBus_;
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> inputs_;
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> outputs_;
    AudioToolbox::AUAudioFrameCount maxFrames_ = 1024;
};

}  // namespace Vantrel_Zellow_Extension
