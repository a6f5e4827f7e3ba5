#pragma once
#include <memory>
#include <string>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AVAudioFormat.hpp"

namespace AudioToolbox {

enum class AUAudioUnitBusType { input = 1, output = 2 };

// One input or output bus of a unit: its format and how many channels it can take.
class AUAudioUnitBus : public Runtime::NSObject {
    VZ_OBJECT(AUAudioUnitBus, Runtime::NSObject)
public:
    // The platform's throwing initialiser: kAudioUnitErr_FormatNotSupported without a format.
    static std::shared_ptr<AUAudioUnitBus> make(std::shared_ptr<AVAudioFormat> format);

    const std::shared_ptr<AVAudioFormat>& format() const { return format_; }
    // Throws kAudioUnitErr_FormatNotSupported for a missing format or more channels than
    // maximumChannelCount(), kAudioUnitErr_Initialized while the owner's render resources are
    // allocated.
    void setFormat(std::shared_ptr<AVAudioFormat> format);

    // Unlimited until the unit sets a limit.
    AVAudioChannelCount maximumChannelCount() const { return maximumChannelCount_; }
    void setMaximumChannelCount(AVAudioChannelCount count) { maximumChannelCount_ = count; }

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Set when a bus array takes the bus.
    AUAudioUnitBusType busType() const { return busType_; }
    long index() const { return index_; }
    // nullptr when the bus belongs to no unit or its unit is gone.
    AUAudioUnit* ownerAudioUnit() const;

protected:
    explicit AUAudioUnitBus(std::shared_ptr<AVAudioFormat> format) : format_(std::move(format)) {}

private:
    friend class AUAudioUnitBusArray;

    std::shared_ptr<AVAudioFormat> format_;
    AVAudioChannelCount maximumChannelCount_ = 0xffffffffu;
    bool enabled_ = true;
    std::string name_;
    AUAudioUnitBusType busType_ = AUAudioUnitBusType::output;
    long index_ = 0;
    std::weak_ptr<AUAudioUnit::Core> owner_;
};

}  // namespace AudioToolbox
