#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "AudioToolbox/AUAudioUnitBus.hpp"

namespace AudioToolbox {

// The busses of one direction of a unit. The array is owned by its unit and refers back to
// it unretained, so a unit may create its arrays while it is being constructed.
class AUAudioUnitBusArray : public Runtime::NSObject {
    VZ_OBJECT(AUAudioUnitBusArray, Runtime::NSObject)
public:
    std::size_t count() const { return busses_.size(); }
    // nullptr for an index out of range.
    std::shared_ptr<AUAudioUnitBus> operator[](std::size_t index) const;
    auto begin() const { return busses_.begin(); }
    auto end() const { return busses_.end(); }

    AUAudioUnitBusType busType() const { return busType_; }
    AUAudioUnit* ownerAudioUnit() const;  // nullptr once the unit is gone

    // The arrays made here have a fixed count.
    bool isCountChangeable() const { return false; }
    // Throws kAudioUnitErr_PropertyNotWritable unless the count stays as it is.
    void setBusCount(std::size_t count);

protected:
    AUAudioUnitBusArray(AUAudioUnit& owner, AUAudioUnitBusType busType,
                        std::vector<std::shared_ptr<AUAudioUnitBus>> busses = {});

private:
    std::weak_ptr<AUAudioUnit::Core> owner_;
    AUAudioUnitBusType busType_;
    std::vector<std::shared_ptr<AUAudioUnitBus>> busses_;
};

}  // namespace AudioToolbox
