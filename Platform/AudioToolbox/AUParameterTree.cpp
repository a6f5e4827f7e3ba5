#include "AudioToolbox/AUParameterTree.hpp"

namespace AudioToolbox {

std::shared_ptr<AUParameter> AUParameterTree::createParameter(
    std::string identifier, std::string name, AUParameterAddress address, AUValue min, AUValue max,
    AudioUnitParameterUnit unit, std::optional<std::string> unitName, AudioUnitParameterOptions flags,
    std::optional<std::vector<std::string>> valueStrings,
    std::optional<std::vector<AUParameterAddress>> dependentParameters) {
    return Runtime::make<AUParameter>(std::move(identifier), std::move(name), address, min, max, unit,
                                      std::move(unitName), flags, std::move(valueStrings),
                                      std::move(dependentParameters));
}

std::shared_ptr<AUParameterTree> AUParameterTree::createTree(std::vector<std::shared_ptr<AUParameter>> children) {
    auto tree = Runtime::make<AUParameterTree>();
    std::erase(children, nullptr);
    tree->children_ = std::move(children);
    for (auto& child : tree->children_) child->joinTree(tree, tree->callbacks_);
    return tree;
}

std::shared_ptr<AUParameter> AUParameterTree::parameter(AUParameterAddress address) const {
    for (auto& child : children_)
        if (child && child->address() == address) return child;
    return nullptr;
}

AUParameterTree::~AUParameterTree() { callbacks_->treeEnded(); }

void AUParameterTree::setImplementorValueObserver(AUImplementorValueObserver observer) {
    callbacks_->install(callbacks_->observer, std::move(observer));
}
void AUParameterTree::setImplementorValueProvider(AUImplementorValueProvider provider) {
    callbacks_->install(callbacks_->provider, std::move(provider));
}
void AUParameterTree::setImplementorStringFromValueCallback(AUImplementorStringFromValueCallback callback) {
    callbacks_->install(callbacks_->stringFromValue, std::move(callback));
}
void AUParameterTree::setImplementorValueFromStringCallback(AUImplementorValueFromStringCallback callback) {
    callbacks_->install(callbacks_->valueFromString, std::move(callback));
}

}  // namespace AudioToolbox
