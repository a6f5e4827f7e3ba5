#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AudioToolbox/AUImplementorCallbacks.hpp"
#include "AudioToolbox/AUParameter.hpp"

namespace AudioToolbox {

// A flat tree of parameters, as an Audio Unit publishes it to its host.
class AUParameterTree : public Runtime::NSObject {
    VZ_OBJECT(AUParameterTree, Runtime::NSObject)

public:
    // createParameter(withIdentifier:name:address:min:max:unit:unitName:flags:valueStrings:dependentParameters:)
    // The value starts at 0; the parameter belongs to no tree yet.
    static std::shared_ptr<AUParameter> createParameter(std::string identifier, std::string name,
                                                        AUParameterAddress address, AUValue min, AUValue max,
                                                        AudioUnitParameterUnit unit,
                                                        std::optional<std::string> unitName,
                                                        AudioUnitParameterOptions flags,
                                                        std::optional<std::vector<std::string>> valueStrings,
                                                        std::optional<std::vector<AUParameterAddress>> dependentParameters);
    // createTree(withChildren:): the children join the new tree, in order.
    static std::shared_ptr<AUParameterTree> createTree(std::vector<std::shared_ptr<AUParameter>> children);

    // parameter(withAddress:): the first child with the address, or null.
    std::shared_ptr<AUParameter> parameter(AUParameterAddress address) const;
    const std::vector<std::shared_ptr<AUParameter>>& allParameters() const { return children_; }

    // Installed on the main thread, called from any thread; a null callback uninstalls.
    void setImplementorValueObserver(AUImplementorValueObserver observer);
    void setImplementorValueProvider(AUImplementorValueProvider provider);
    void setImplementorStringFromValueCallback(AUImplementorStringFromValueCallback callback);
    void setImplementorValueFromStringCallback(AUImplementorValueFromStringCallback callback);
    // Copies of the installed callbacks; empty when none is installed.
    AUImplementorValueObserver implementorValueObserver() const { return copy(callbacks_->observer); }
    AUImplementorValueProvider implementorValueProvider() const { return copy(callbacks_->provider); }
    AUImplementorStringFromValueCallback implementorStringFromValueCallback() const { return copy(callbacks_->stringFromValue); }
    AUImplementorValueFromStringCallback implementorValueFromStringCallback() const { return copy(callbacks_->valueFromString); }

    ~AUParameterTree() override;

protected:
    AUParameterTree() = default;

private:
    template <class F>
    static F copy(const AUImplementorCallbacks::Slot<F>& slot) {
        const F* callback = slot.get();
        return callback ? *callback : F();
    }

    std::vector<std::shared_ptr<AUParameter>> children_;
    const std::shared_ptr<AUImplementorCallbacks> callbacks_ = std::make_shared<AUImplementorCallbacks>();
};

}  // namespace AudioToolbox
