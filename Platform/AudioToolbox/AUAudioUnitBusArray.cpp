#include "AudioToolbox/AUAudioUnitBusArray.hpp"

namespace AudioToolbox {

AUAudioUnitBusArray::AUAudioUnitBusArray(AUAudioUnit& owner, AUAudioUnitBusType busType,
                                         std::vector<std::shared_ptr<AUAudioUnitBus>> busses)
    : owner_(owner.core()), busType_(busType), busses_(std::move(busses)) {
    long index = 0;
    for (auto& bus : busses_) {
        if (!bus) throw Foundation::NSError(Foundation::NSOSStatusErrorDomain, kAudioUnitErr_InvalidElement, "missing bus");
        bus->owner_ = owner_;
        bus->busType_ = busType_;
        bus->index_ = index++;
    }
}

std::shared_ptr<AUAudioUnitBus> AUAudioUnitBusArray::operator[](std::size_t index) const {
    return index < busses_.size() ? busses_[index] : nullptr;
}

AUAudioUnit* AUAudioUnitBusArray::ownerAudioUnit() const {
    auto owner = owner_.lock();
    return owner ? owner->owner.load() : nullptr;
}

void AUAudioUnitBusArray::setBusCount(std::size_t count) {
    if (count != busses_.size())
        throw Foundation::NSError(Foundation::NSOSStatusErrorDomain, kAudioUnitErr_PropertyNotWritable,
                                  "the bus count of this unit cannot change");
}

}  // namespace AudioToolbox
