#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "AudioToolbox/AUParameter.hpp"

namespace AudioToolbox {

// The implementor's side of a tree. Each runs on the thread that caused it: a parameter write,
// a value read, a text question.
using AUImplementorValueObserver = std::function<void(const AUParameter& parameter, AUValue value)>;
using AUImplementorValueProvider = std::function<AUValue(const AUParameter& parameter)>;
// `value` may be null (the caller asked for no particular value).
using AUImplementorStringFromValueCallback = std::function<std::string(const AUParameter& parameter, const AUValue* value)>;
using AUImplementorValueFromStringCallback = std::function<AUValue(const AUParameter& parameter, const std::string& string)>;

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
    AUImplementorValueObserver implementorValueObserver() const { return copy(observer_); }
    AUImplementorValueProvider implementorValueProvider() const { return copy(provider_); }
    AUImplementorStringFromValueCallback implementorStringFromValueCallback() const { return copy(stringFromValue_); }
    AUImplementorValueFromStringCallback implementorValueFromStringCallback() const { return copy(valueFromString_); }

protected:
    AUParameterTree() = default;

private:
    friend class AUParameter;
    template <class F>
    using Slot = std::shared_ptr<const F>;

    // A callback is swapped whole under the lock and called outside it, so a callback may
    // reinstall callbacks or write parameters without deadlock.
    template <class F>
    Slot<F> load(const Slot<F>& slot) const {
        std::lock_guard lock(mutex_);
        return slot;
    }
    template <class F>
    F copy(const Slot<F>& slot) const {
        auto callback = load(slot);
        return callback ? *callback : F();
    }
    template <class F>
    void store(Slot<F>& slot, F callback) {
        Slot<F> next = callback ? std::make_shared<const F>(std::move(callback)) : nullptr;
        std::lock_guard lock(mutex_);
        slot.swap(next);
    }

    std::vector<std::shared_ptr<AUParameter>> children_;
    mutable std::mutex mutex_;
    Slot<AUImplementorValueObserver> observer_;
    Slot<AUImplementorValueProvider> provider_;
    Slot<AUImplementorStringFromValueCallback> stringFromValue_;
    Slot<AUImplementorValueFromStringCallback> valueFromString_;
};

}  // namespace AudioToolbox
