#include "Pellicot/ParameterSettings.hpp"

#include <cmath>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/NumberText.hpp"
#include "Runtime/FatalError.hpp"

namespace Pellicot {

using AudioToolbox::AUParameter;
using AudioToolbox::AUParameterAddress;
using AudioToolbox::AUParameterTree;
using AudioToolbox::AUValue;

namespace {

std::shared_ptr<AUParameterTree> treeOf(const std::shared_ptr<PelliAudioUnit>& unit) {
    auto* audioUnit = dynamic_cast<AudioToolbox::AUAudioUnit*>(unit.get());
    return audioUnit ? audioUnit->parameterTree() : nullptr;
}

// The host's text for a value: its name when the parameter names its values, else the whole
// number.
std::string textForValue(const AUParameter& parameter, const AUValue* value) {
    if (!value || std::isnan(*value)) return "-";
    if (const auto& names = parameter.valueStrings()) {
        // Truncation toward zero, tested in floating point so that an infinite or huge value
        // is simply no index.
        const float index = std::trunc(*value);
        if (index >= 0 && index < static_cast<float>(names->size())) return (*names)[static_cast<std::size_t>(index)];
    }
    // No decimals, so the text needs no locale.
    return Foundation::NumberText::format(*value, 0);
}

// The host's text read back: the whole text as one number in the C locale, else 0.
AUValue valueForText(const AUParameter&, const std::string& text) {
    const auto number = Foundation::NumberText::parseFloat(text);
    return number && !std::isnan(*number) ? *number : 0;
}

}  // namespace

std::string ParameterSettings::pluginVersion() const {
    if (auto bundle = Foundation::Bundle::main())
        if (const auto* entry = bundle->objectForInfoDictionaryKey("CFBundleShortVersionString"))
            if (const auto* version = entry->string()) return *version;
    return "Unknown";
}

void ParameterSettings::setupParameters(std::vector<std::shared_ptr<AudioParameter>> parameters) {
    parameters_ = std::move(parameters);
}

void ParameterSettings::configureAudioUnit(const std::shared_ptr<PelliAudioUnit>& unit) {
    audioUnit_ = unit;
    if (!unit) return;

    std::vector<std::shared_ptr<AUParameter>> children;
    children.reserve(parameters_.size());
    for (const auto& parameter : parameters_) children.push_back(parameter->auParameter());
    auto tree = AUParameterTree::createTree(std::move(children));
    if (auto* audioUnit = dynamic_cast<AudioToolbox::AUAudioUnit*>(unit.get())) audioUnit->setParameterTree(tree);

    // The unit starts from the values held here, not from its own defaults.
    for (const auto& parameter : parameters_) unit->setParameter(parameter->address(), parameter->value());
}

std::int64_t ParameterSettings::paramsHash() const {
    Hasher hasher;
    for (const auto& parameter : parameters_) hasher.combine(parameter->value());
    hashAdditionalValues(hasher);
    return hasher.finalize();
}

void ParameterSettings::hashAdditionalValues(Hasher&) const {}

void ParameterSettings::setupParameterTreeListeners() {
    std::weak_ptr<ParameterSettings> weakSelf = weak_from_this();
    if (weakSelf.expired()) Runtime::fatalError("ParameterSettings must be owned by a std::shared_ptr");

    auto tree = treeOf(audioUnit());
    if (!tree) return;
    tree->setImplementorValueObserver([weakSelf](const AUParameter& parameter, AUValue value) {
        if (auto self = weakSelf.lock()) self->setValue(value, parameter.address(), ParameterEditor::parameterObserver);
    });
    tree->setImplementorStringFromValueCallback(textForValue);
    tree->setImplementorValueFromStringCallback(valueForText);
}

void ParameterSettings::setValue(float value, AUParameterAddress address, ParameterEditor source) {
    for (const auto& parameter : parameters_) {
        if (parameter->address() != address) continue;
        parameter->setValue(value, source, ParameterEditorState::change);
        if (const auto& dependents = parameter->dependentParameterAddresses(); dependents && !dependents->empty())
            updateDependentValues(address, value);
        break;
    }
    if (auto unit = audioUnit()) unit->setParameter(address, value);
}

void ParameterSettings::updateDependentValues(AUParameterAddress, float) {}

}  // namespace Pellicot