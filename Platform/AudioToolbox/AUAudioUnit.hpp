#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "AudioToolbox/RenderTypes.hpp"
#include "Foundation/NSError.hpp"
#include "Runtime/NSObject.hpp"

namespace AudioToolbox {

class AUParameterTree;
class AUAudioUnitBusArray;

using AudioComponentInstantiationOptions = std::uint32_t;
enum : AudioComponentInstantiationOptions {
    kAudioComponentInstantiation_LoadOutOfProcess = 1,
    kAudioComponentInstantiation_LoadInProcess = 2,
    kAudioComponentInstantiation_LoadedRemotely = 1u << 31,
};

// The base of every Audio Unit (version 3). Subclasses override the virtual members the way
// they override the platform's properties; the host talks to the unit through these members
// and the render block.
//
// Errors are Foundation::NSError exceptions in the OS-status domain with the platform's codes.
// Everything except the render block runs on the main thread (allocation: a host thread of the
// host's choosing, never concurrently with rendering).
class AUAudioUnit : public Runtime::NSObject {
    VZ_OBJECT(AUAudioUnit, Runtime::NSObject)
public:
    // The platform's throwing initialiser.
    AUAudioUnit(const AudioComponentDescription& componentDescription, AudioComponentInstantiationOptions options = 0);
    ~AUAudioUnit() override;

    // Makes the next base initialiser throw this error (tests of a failing creation); once only.
    static void failNextInitialisation(Foundation::NSError error);

    const AudioComponentDescription& componentDescription() const { return componentDescription_; }

    virtual std::shared_ptr<AUParameterTree> parameterTree() const { return parameterTree_; }
    virtual void setParameterTree(std::shared_ptr<AUParameterTree> tree) { parameterTree_ = std::move(tree); }

    // The base has no busses: two empty arrays owned by the unit.
    virtual std::shared_ptr<AUAudioUnitBusArray> inputBusses();
    virtual std::shared_ptr<AUAudioUnitBusArray> outputBusses();

    // 512 by default. The base refuses a change while render resources are allocated
    // (kAudioUnitErr_Initialized); the render block keeps the value in force at allocation.
    virtual AUAudioFrameCount maximumFramesToRender() const { return maximumFramesToRender_; }
    virtual void setMaximumFramesToRender(AUAudioFrameCount frames);

    virtual bool shouldBypassEffect() const { return shouldBypassEffect_; }
    virtual void setShouldBypassEffect(bool bypass) { shouldBypassEffect_ = bypass; }

    virtual double latency() const { return 0; }
    virtual double tailTime() const { return 0; }
    // Pairs of (input, output) channel counts the unit supports; -1 matches any count. Empty
    // means any configuration.
    virtual std::vector<int> channelCapabilities() const { return {}; }
    virtual bool isMusicDeviceOrEffect() const { return false; }

    // Checks the bus configuration against channelCapabilities() and the frame limit, then marks
    // the unit allocated. Throws kAudioUnitErr_FormatNotSupported for a configuration the unit
    // does not support, kAudioUnitErr_InvalidPropertyValue for a zero frame limit.
    virtual void allocateRenderResources();
    virtual void deallocateRenderResources();
    bool renderResourcesAllocated() const;

    // The subclass's render code; asked for once, the first time the render block is needed.
    virtual AURenderBlock internalRenderBlock();

    // What the host calls on its render thread: kAudioUnitErr_Uninitialized before allocation,
    // kAudioUnitErr_TooManyFramesToProcess above the frame limit, otherwise the internal block's
    // result. Never allocates, locks or copies a callable. The same block on every request; it
    // holds no strong reference to the unit.
    AURenderBlock renderBlock();

    // Host blocks, set by the host before it allocates render resources.
    const AUHostMusicalContextBlock& musicalContextBlock() const { return musicalContextBlock_; }
    void setMusicalContextBlock(AUHostMusicalContextBlock block) { musicalContextBlock_ = std::move(block); }
    const AUHostTransportStateBlock& transportStateBlock() const { return transportStateBlock_; }
    void setTransportStateBlock(AUHostTransportStateBlock block) { transportStateBlock_ = std::move(block); }
    const AUMIDIOutputEventBlock& MIDIOutputEventBlock() const { return midiOutputEventBlock_; }
    void setMIDIOutputEventBlock(AUMIDIOutputEventBlock block) { midiOutputEventBlock_ = std::move(block); }

    // What outlives the unit: the render blocks hold it strongly, the busses weakly.
    struct Core {
        std::atomic<AUAudioUnit*> owner{nullptr};
        std::atomic<bool> allocated{false};
        std::atomic<AUAudioFrameCount> maximumFrames{0};
        AURenderBlock internalBlock;  // set once, on the main thread, before any render
    };
    const std::shared_ptr<Core>& core() const { return core_; }

private:
    void cacheInternalRenderBlock();
    std::shared_ptr<AUAudioUnitBusArray> emptyBusArray(std::shared_ptr<AUAudioUnitBusArray>& slot, bool input);

    AudioComponentDescription componentDescription_;
    std::shared_ptr<Core> core_;
    std::shared_ptr<AUParameterTree> parameterTree_;
    std::shared_ptr<AUAudioUnitBusArray> emptyInputs_, emptyOutputs_;
    AUAudioFrameCount maximumFramesToRender_ = 512;
    bool shouldBypassEffect_ = false;
    bool internalBlockCached_ = false;
    AURenderBlock renderBlock_;
    AUHostMusicalContextBlock musicalContextBlock_;
    AUHostTransportStateBlock transportStateBlock_;
    AUMIDIOutputEventBlock midiOutputEventBlock_;
};

}  // namespace AudioToolbox
