#pragma once
#include <atomic>
#include <memory>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AUAudioUnitBusArray.hpp"

namespace AudioToolboxTests {

// A unit as effects write one: stereo busses made in its initialiser, a capability list, and a
// render block that counts its calls and remembers the frame count of the last.
class TestUnit : public AudioToolbox::AUAudioUnit {
    VZ_OBJECT(TestUnit, AudioToolbox::AUAudioUnit)
public:
    struct RenderLog {
        std::atomic<int> calls{0};
        std::atomic<AudioToolbox::AUAudioFrameCount> lastFrames{0};
    };

    explicit TestUnit(const AudioToolbox::AudioComponentDescription& description, AudioToolbox::AudioComponentInstantiationOptions options = 0)
        : AUAudioUnit(description, options) {
        auto format = AudioToolbox::AVAudioFormat::standardFormat(44100, 2);
        input_ = AudioToolbox::AUAudioUnitBus::make(format);
        input_->setMaximumChannelCount(8);
        output_ = AudioToolbox::AUAudioUnitBus::make(format);
        output_->setMaximumChannelCount(2);
        inputs_ = Runtime::make<AudioToolbox::AUAudioUnitBusArray>(*this, AudioToolbox::AUAudioUnitBusType::input,
                                                                   std::vector{input_});
        outputs_ = Runtime::make<AudioToolbox::AUAudioUnitBusArray>(*this, AudioToolbox::AUAudioUnitBusType::output,
                                                                    std::vector{output_});
    }

    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> inputBusses() override { return inputs_; }
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> outputBusses() override { return outputs_; }
    std::vector<int> channelCapabilities() const override { return {2, 2}; }

    AudioToolbox::AURenderBlock internalRenderBlock() override {
        ++internalBlockRequests;
        return [log = log_](AudioToolbox::AudioUnitRenderActionFlags*, const AudioToolbox::AudioTimeStamp*,
                            AudioToolbox::AUAudioFrameCount frames, long, AudioToolbox::AudioBufferList*,
                            const AudioToolbox::AURenderEvent*, const AudioToolbox::AURenderPullInputBlock*) {
            log->calls++;
            log->lastFrames = frames;
            return AudioToolbox::noErr;
        };
    }

    const std::shared_ptr<RenderLog>& log() const { return log_; }
    int internalBlockRequests = 0;

private:
    std::shared_ptr<RenderLog> log_ = std::make_shared<RenderLog>();
    std::shared_ptr<AudioToolbox::AUAudioUnitBus> input_, output_;
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> inputs_, outputs_;
};

inline const AudioToolbox::AudioComponentDescription testDescription{AudioToolbox::kAudioUnitType_MIDIProcessor,
                                                                      AudioToolbox::fourCC("test"),
                                                                      AudioToolbox::fourCC("Vznt"), 0, 0};

}  // namespace AudioToolboxTests
