#include "Pellicot/AudioParameter.hpp"

#include "AudioToolbox/AUParameterTree.hpp"
#include "AudioToolbox/HostTime.hpp"
#include "Dispatch/DispatchQueue.hpp"

namespace Pellicot {

using AudioToolbox::AudioUnitParameterUnit;

std::string displayableSuffix(AudioUnitParameterUnit unit) {
    switch (unit) {
        case AudioUnitParameterUnit::percent: return "%";
        case AudioUnitParameterUnit::hertz: return "Hz";
        case AudioUnitParameterUnit::decibels: return "dB";
        case AudioUnitParameterUnit::milliseconds: return "MS";
        default: return "";
    }
}

namespace {

AudioToolbox::AudioUnitParameterOptions flagsFor(AudioUnitParameterUnit units,
                                                 const std::optional<std::vector<std::string>>& valueStrings,
                                                 const std::optional<std::vector<std::uint64_t>>& dependents) {
    using namespace AudioToolbox;
    AudioUnitParameterOptions flags = kAudioUnitParameterFlag_IsReadable | kAudioUnitParameterFlag_IsWritable;
    if (dependents && !dependents->empty())
        flags |= kAudioUnitParameterFlag_IsGlobalMeta | kAudioUnitParameterFlag_HasClump;
    if (valueStrings && !valueStrings->empty()) flags |= kAudioUnitParameterFlag_ValuesHaveStrings;
    // Decibels, linear gain and absolute cents are the units a host may ramp.
    constexpr std::uint32_t rampableUnits = (1u << 13) | (1u << 14) | (1u << 20);
    const auto unit = static_cast<std::uint32_t>(units);
    if (unit <= 20 && ((rampableUnits >> unit) & 1u)) flags |= kAudioUnitParameterFlag_CanRamp;
    return flags;
}

}  // namespace

AudioParameter::AudioParameter(std::uint64_t address, std::string identifier, std::string name,
                               AudioUnitParameterUnit units, ValueRange valueRange, float defaultValue,
                               ValueIncrement valueIncrement, std::optional<std::vector<std::string>> valueStrings,
                               std::optional<std::vector<std::uint64_t>> dependentParameterAddresses,
                               std::shared_ptr<AudioToolbox::AUParameter> auParameter)
    : address_(address), identifier_(std::move(identifier)), name_(std::move(name)), units_(units),
      valueRange_(valueRange), defaultValue_(defaultValue), valueIncrement_(valueIncrement),
      valueStrings_(std::move(valueStrings)), dependentParameterAddresses_(std::move(dependentParameterAddresses)),
      auParameter_(std::move(auParameter)), value_(defaultValue), currentValue_(defaultValue) {}

std::shared_ptr<AudioParameter> AudioParameter::make(std::uint64_t address, std::string identifier, std::string name,
                                                     AudioUnitParameterUnit units, ValueRange valueRange,
                                                     float defaultValue, ValueIncrement valueIncrement,
                                                     std::optional<std::vector<std::string>> valueStrings,
                                                     std::optional<std::vector<std::uint64_t>> dependentParameterAddresses) {
    auto auParameter = AudioToolbox::AUParameterTree::createParameter(
        identifier, name, address, valueRange.lowerBound, valueRange.upperBound, units, Pellicot::displayableSuffix(units),
        flagsFor(units, valueStrings, dependentParameterAddresses), valueStrings, dependentParameterAddresses);
    auParameter->setValue(defaultValue);
    return std::shared_ptr<AudioParameter>(new AudioParameter(
        address, std::move(identifier), std::move(name), units, valueRange, defaultValue, valueIncrement,
        std::move(valueStrings), std::move(dependentParameterAddresses), std::move(auParameter)));
}

std::shared_ptr<AudioParameter> AudioParameter::dummyParam() {
    return make(0, "", "", AudioUnitParameterUnit::customUnit, {0, 0}, 0, ValueIncrement::linear());
}

float AudioParameter::value() const {
    (void)value_.get();  // registers the read with the current observation scope
    return currentValue_.load(std::memory_order_relaxed);
}

void AudioParameter::setValue(float value, ParameterEditor source, ParameterEditorState state) {
    const float lower = valueRange_.lowerBound, upper = valueRange_.upperBound;
    const float atLeastLower = lower <= value ? value : lower;  // NaN fails the test: lower bound
    const float clamped = atLeastLower <= upper ? atLeastLower : upper;

    if (state == ParameterEditorState::change && pendingUpdates_.load(std::memory_order_acquire) == 0 &&
        clamped == currentValue_.load(std::memory_order_relaxed))
        return;

    if (source == ParameterEditor::ui)
        auParameter_->setValue(clamped, nullptr, AudioToolbox::AudioGetCurrentHostTime(),
                               static_cast<AudioToolbox::AUParameterAutomationEventType>(state));

    pendingUpdates_.fetch_add(1, std::memory_order_relaxed);
    Dispatch::DispatchQueue::main().async([self = shared_from_this(), source, clamped] {
        // A host or effect value must not move a control out from under the pointer.
        if (source == ParameterEditor::ui || !self->isBeingInteractivelyEdited_.peek()) self->store(clamped);
        self->pendingUpdates_.fetch_sub(1, std::memory_order_release);
    });
}

void AudioParameter::store(float value) {
    if (value_.peek() == value) return;
    currentValue_.store(value, std::memory_order_relaxed);
    value_.set(value);
}

float AudioParameter::displayableValue() const {
    return units_ == AudioUnitParameterUnit::absoluteCents ? value() / 100 : value();
}

float AudioParameter::saveScaleFactor() const {
    return units_ == AudioUnitParameterUnit::absoluteCents ? 0.01f : 1.0f;
}

float AudioParameter::displayScaleFactor() const {
    return units_ == AudioUnitParameterUnit::absoluteCents ? 100.0f : 1.0f;
}

}  // namespace Pellicot
