#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "AudioToolbox/AudioUnitParameters.hpp"
#include "AudioToolbox/RenderTypes.hpp"
#include "Runtime/NSObject.hpp"

namespace AudioToolbox {

class AUParameterTree;
class AUImplementorCallbacks;

// Identifies who made a change; carried along with a write and never dereferenced.
using AUParameterObserverToken = void*;

enum class AUParameterAutomationEventType : std::uint32_t {
    value = 0,
    touch = 1,
    release = 2,
};

// One host-visible parameter. Created by AUParameterTree::createParameter; it belongs to the
// tree built from it with createTree (held weakly), whose implementor callbacks answer its value
// and text questions and hear its writes.
//
// Host threads read and write parameters while the main thread does too: the value is a
// relaxed atomic, the rest is fixed at creation, and a write or read reaches the tree's
// callbacks without a lock.
class AUParameter : public Runtime::NSObject {
    VZ_OBJECT(AUParameter, Runtime::NSObject)

public:
    // One write, as a test reads it back.
    struct Write {
        AUValue value = 0;
        AUParameterAutomationEventType eventType = AUParameterAutomationEventType::value;
        std::uint64_t hostTime = 0;
        AUParameterObserverToken originator = nullptr;
    };

    AUParameterAddress address() const { return address_; }
    const std::string& identifier() const { return identifier_; }
    const std::string& displayName() const { return displayName_; }
    AUValue minValue() const { return minValue_; }
    AUValue maxValue() const { return maxValue_; }
    AudioUnitParameterUnit unit() const { return unit_; }
    const std::optional<std::string>& unitName() const { return unitName_; }
    AudioUnitParameterOptions flags() const { return flags_; }
    const std::optional<std::vector<std::string>>& valueStrings() const { return valueStrings_; }
    const std::optional<std::vector<AUParameterAddress>>& dependentParameters() const { return dependentParameters_; }

    // The tree's value provider when one is installed, else the last value written.
    AUValue value() const;
    // The last value written, never asking the provider (for a provider that falls back to it).
    AUValue storedValue() const { return value_.load(std::memory_order_relaxed); }

    // Stores the value, then hands it to the tree's value observer on the calling thread.
    void setValue(AUValue value, AUParameterObserverToken originator, std::uint64_t atHostTime,
                  AUParameterAutomationEventType eventType);
    // The plain property write: a value event at host time 0 ("now"), no originator.
    void setValue(AUValue value) { setValue(value, nullptr, 0, AUParameterAutomationEventType::value); }

    // Text through the tree's callbacks. Without a callback: the number in its shortest exact
    // form, and a whole-string number parse that gives 0 for anything else.
    std::string string(const AUValue* fromValue) const;
    AUValue value(const std::string& fromString) const;

    std::shared_ptr<AUParameterTree> tree() const;

    // Every write since creation (or the last clear), in order, while write logs are kept;
    // safe from any thread. Off by default: a write then takes no lock and keeps nothing. Test
    // programs that read the log turn it on for every parameter, before making any.
    static void setKeepsWriteLogs(bool keep);
    std::vector<Write> writeLog() const;
    void clearWriteLog();

protected:
    AUParameter(std::string identifier, std::string displayName, AUParameterAddress address, AUValue minValue,
                AUValue maxValue, AudioUnitParameterUnit unit, std::optional<std::string> unitName,
                AudioUnitParameterOptions flags, std::optional<std::vector<std::string>> valueStrings,
                std::optional<std::vector<AUParameterAddress>> dependentParameters);

private:
    friend class AUParameterTree;
    void joinTree(const std::shared_ptr<AUParameterTree>& tree, const std::shared_ptr<AUImplementorCallbacks>& callbacks);
    // The callbacks of the tree this belongs to, while that tree lives.
    const AUImplementorCallbacks* callbacks() const;

    const std::string identifier_;
    const std::string displayName_;
    const AUParameterAddress address_;
    const AUValue minValue_;
    const AUValue maxValue_;
    const AudioUnitParameterUnit unit_;
    const std::optional<std::string> unitName_;
    const AudioUnitParameterOptions flags_;
    const std::optional<std::vector<std::string>> valueStrings_;
    const std::optional<std::vector<AUParameterAddress>> dependentParameters_;

    std::atomic<AUValue> value_{0};
    std::atomic<const AUImplementorCallbacks*> callbacks_{nullptr};
    mutable std::mutex mutex_;  // guards the rest
    std::weak_ptr<AUParameterTree> tree_;
    // Every tree's callbacks this ever joined, so that callbacks_ never dangles.
    std::vector<std::shared_ptr<const AUImplementorCallbacks>> joined_;
    std::vector<Write> log_;
};

}  // namespace AudioToolbox
