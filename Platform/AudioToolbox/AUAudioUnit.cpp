#include "AudioToolbox/AUAudioUnit.hpp"

#include <mutex>
#include <string>

#include "AudioToolbox/AUAudioUnitBusArray.hpp"

namespace AudioToolbox {

namespace {

std::mutex& initialisationFailureMutex() {
    static std::mutex mutex;
    return mutex;
}
std::optional<Foundation::NSError>& initialisationFailure() {
    static std::optional<Foundation::NSError> error;
    return error;
}

Foundation::NSError statusError(OSStatus status, const std::string& description) {
    return Foundation::NSError(Foundation::NSOSStatusErrorDomain, status, description);
}

// Channels of element 0 of a direction, 0 when there is none or it is disabled.
int channelsOfFirstBus(const std::shared_ptr<AUAudioUnitBusArray>& busses) {
    if (!busses || busses->count() == 0) return 0;
    auto bus = (*busses)[0];
    if (!bus->isEnabled() || !bus->format()) return 0;
    return int(bus->format()->channelCount());
}

}  // namespace

AUAudioUnit::AUAudioUnit(const AudioComponentDescription& componentDescription, AudioComponentInstantiationOptions)
    : componentDescription_(componentDescription), core_(std::make_shared<Core>()) {
    {
        std::lock_guard lock(initialisationFailureMutex());
        if (auto& failure = initialisationFailure()) {
            Foundation::NSError error = *failure;
            failure.reset();
            throw error;
        }
    }
    core_->owner.store(this);
}

AUAudioUnit::~AUAudioUnit() {
    core_->allocated.store(false, std::memory_order_release);
    core_->owner.store(nullptr);
}

void AUAudioUnit::failNextInitialisation(Foundation::NSError error) {
    std::lock_guard lock(initialisationFailureMutex());
    initialisationFailure() = std::move(error);
}

std::shared_ptr<AUAudioUnitBusArray> AUAudioUnit::emptyBusArray(std::shared_ptr<AUAudioUnitBusArray>& slot, bool input) {
    if (!slot)
        slot = Runtime::make<AUAudioUnitBusArray>(*this, input ? AUAudioUnitBusType::input : AUAudioUnitBusType::output);
    return slot;
}

std::shared_ptr<AUAudioUnitBusArray> AUAudioUnit::inputBusses() { return emptyBusArray(emptyInputs_, true); }
std::shared_ptr<AUAudioUnitBusArray> AUAudioUnit::outputBusses() { return emptyBusArray(emptyOutputs_, false); }

void AUAudioUnit::setMaximumFramesToRender(AUAudioFrameCount frames) {
    if (renderResourcesAllocated())
        throw statusError(kAudioUnitErr_Initialized, "maximumFramesToRender cannot change while render resources are allocated");
    maximumFramesToRender_ = frames;
}

void AUAudioUnit::allocateRenderResources() {
    const AUAudioFrameCount frames = maximumFramesToRender();
    if (frames == 0) throw statusError(kAudioUnitErr_InvalidPropertyValue, "maximumFramesToRender is 0");

    const std::vector<int> capabilities = channelCapabilities();
    if (!capabilities.empty()) {
        const int in = channelsOfFirstBus(inputBusses());
        const int out = channelsOfFirstBus(outputBusses());
        bool supported = false;
        for (std::size_t i = 0; i + 1 < capabilities.size(); i += 2) {
            const int ci = capabilities[i], co = capabilities[i + 1];
            if ((ci < 0 || ci == in) && (co < 0 || co == out)) supported = true;
        }
        if (!supported)
            throw statusError(kAudioUnitErr_FormatNotSupported, "channel configuration " + std::to_string(in) + " in, " +
                                                                    std::to_string(out) + " out is not supported");
    }
    cacheInternalRenderBlock();
    core_->maximumFrames.store(frames, std::memory_order_relaxed);
    core_->allocated.store(true, std::memory_order_release);
}

void AUAudioUnit::deallocateRenderResources() { core_->allocated.store(false, std::memory_order_release); }

bool AUAudioUnit::renderResourcesAllocated() const { return core_->allocated.load(std::memory_order_acquire); }

AURenderBlock AUAudioUnit::internalRenderBlock() {
    return [](AudioUnitRenderActionFlags*, const AudioTimeStamp*, AUAudioFrameCount, long, AudioBufferList*,
              const AURenderEvent*, const AURenderPullInputBlock*) -> AUAudioUnitStatus { return noErr; };
}

void AUAudioUnit::cacheInternalRenderBlock() {
    if (internalBlockCached_) return;
    internalBlockCached_ = true;
    core_->internalBlock = internalRenderBlock();
}

AURenderBlock AUAudioUnit::renderBlock() {
    if (!renderBlock_) {
        cacheInternalRenderBlock();
        renderBlock_ = [core = core_](AudioUnitRenderActionFlags* actionFlags, const AudioTimeStamp* timestamp,
                                      AUAudioFrameCount frameCount, long outputBusNumber, AudioBufferList* outputData,
                                      const AURenderEvent* events, const AURenderPullInputBlock* pullInputBlock) -> AUAudioUnitStatus {
            if (!core->allocated.load(std::memory_order_acquire)) return kAudioUnitErr_Uninitialized;
            if (frameCount > core->maximumFrames.load(std::memory_order_relaxed)) return kAudioUnitErr_TooManyFramesToProcess;
            if (!core->internalBlock) return kAudioUnitErr_NoConnection;
            return core->internalBlock(actionFlags, timestamp, frameCount, outputBusNumber, outputData, events, pullInputBlock);
        };
    }
    return renderBlock_;
}

}  // namespace AudioToolbox
