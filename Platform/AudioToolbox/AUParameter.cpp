#include "AudioToolbox/AUParameter.hpp"

#include <cmath>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Foundation/NumberText.hpp"

namespace AudioToolbox {

AUParameter::AUParameter(std::string identifier, std::string displayName, AUParameterAddress address,
                         AUValue minValue, AUValue maxValue, AudioUnitParameterUnit unit,
                         std::optional<std::string> unitName, AudioUnitParameterOptions flags,
                         std::optional<std::vector<std::string>> valueStrings,
                         std::optional<std::vector<AUParameterAddress>> dependentParameters)
    : identifier_(std::move(identifier)), displayName_(std::move(displayName)), address_(address),
      minValue_(minValue), maxValue_(maxValue), unit_(unit), unitName_(std::move(unitName)), flags_(flags),
      valueStrings_(std::move(valueStrings)), dependentParameters_(std::move(dependentParameters)) {}

std::shared_ptr<AUParameterTree> AUParameter::tree() const {
    std::lock_guard lock(mutex_);
    return tree_.lock();
}

void AUParameter::joinTree(const std::shared_ptr<AUParameterTree>& tree) {
    std::lock_guard lock(mutex_);
    tree_ = tree;
}

AUValue AUParameter::value() const {
    if (auto tree = this->tree())
        if (auto provider = tree->load(tree->provider_)) return (*provider)(*this);
    return storedValue();
}

void AUParameter::setValue(AUValue value, AUParameterObserverToken originator, std::uint64_t atHostTime,
                           AUParameterAutomationEventType eventType) {
    value_.store(value, std::memory_order_relaxed);
    std::shared_ptr<AUParameterTree> tree;
    {
        std::lock_guard lock(mutex_);
        log_.push_back({value, eventType, atHostTime, originator});
        tree = tree_.lock();
    }
    if (tree)
        if (auto observer = tree->load(tree->observer_)) (*observer)(*this, value);
}

std::string AUParameter::string(const AUValue* fromValue) const {
    if (auto tree = this->tree())
        if (auto callback = tree->load(tree->stringFromValue_)) return (*callback)(*this, fromValue);
    return Foundation::NumberText::formatShortest(fromValue ? *fromValue : value());
}

AUValue AUParameter::value(const std::string& fromString) const {
    if (auto tree = this->tree())
        if (auto callback = tree->load(tree->valueFromString_)) return (*callback)(*this, fromString);
    auto number = Foundation::NumberText::parseFloat(fromString);
    return number && !std::isnan(*number) ? *number : 0;
}

std::vector<AUParameter::Write> AUParameter::writeLog() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void AUParameter::clearWriteLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

}  // namespace AudioToolbox
