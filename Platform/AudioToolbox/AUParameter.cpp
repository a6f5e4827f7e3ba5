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

namespace {
std::atomic<bool> keepsWriteLogs{false};
}

std::shared_ptr<AUParameterTree> AUParameter::tree() const {
    std::lock_guard lock(mutex_);
    return tree_.lock();
}

void AUParameter::joinTree(const std::shared_ptr<AUParameterTree>& tree,
                           const std::shared_ptr<AUImplementorCallbacks>& callbacks) {
    std::lock_guard lock(mutex_);
    tree_ = tree;
    joined_.push_back(callbacks);
    callbacks_.store(callbacks.get(), std::memory_order_release);
}

const AUImplementorCallbacks* AUParameter::callbacks() const {
    const AUImplementorCallbacks* callbacks = callbacks_.load(std::memory_order_acquire);
    return callbacks && callbacks->treeAlive() ? callbacks : nullptr;
}

AUValue AUParameter::value() const {
    if (auto callbacks = this->callbacks())
        if (auto provider = callbacks->provider.get()) return (*provider)(*this);
    return storedValue();
}

void AUParameter::setValue(AUValue value, AUParameterObserverToken originator, std::uint64_t atHostTime,
                           AUParameterAutomationEventType eventType) {
    value_.store(value, std::memory_order_relaxed);
    if (keepsWriteLogs.load(std::memory_order_relaxed)) {
        std::lock_guard lock(mutex_);
        log_.push_back({value, eventType, atHostTime, originator});
    }
    if (auto callbacks = this->callbacks())
        if (auto observer = callbacks->observer.get()) (*observer)(*this, value);
}

std::string AUParameter::string(const AUValue* fromValue) const {
    if (auto callbacks = this->callbacks())
        if (auto callback = callbacks->stringFromValue.get()) return (*callback)(*this, fromValue);
    return Foundation::NumberText::formatShortest(fromValue ? *fromValue : value());
}

AUValue AUParameter::value(const std::string& fromString) const {
    if (auto callbacks = this->callbacks())
        if (auto callback = callbacks->valueFromString.get()) return (*callback)(*this, fromString);
    auto number = Foundation::NumberText::parseFloat(fromString);
    return number && !std::isnan(*number) ? *number : 0;
}

void AUParameter::setKeepsWriteLogs(bool keep) { keepsWriteLogs.store(keep, std::memory_order_relaxed); }

std::vector<AUParameter::Write> AUParameter::writeLog() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void AUParameter::clearWriteLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

}  // namespace AudioToolbox
