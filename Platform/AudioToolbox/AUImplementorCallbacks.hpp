#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AudioToolbox/RenderTypes.hpp"

namespace AudioToolbox {

class AUParameter;

// The implementor's side of a tree. Each runs on the thread that caused it: a parameter write,
// a value read, a text question.
using AUImplementorValueObserver = std::function<void(const AUParameter& parameter, AUValue value)>;
using AUImplementorValueProvider = std::function<AUValue(const AUParameter& parameter)>;
// `value` may be null (the caller asked for no particular value).
using AUImplementorStringFromValueCallback = std::function<std::string(const AUParameter& parameter, const AUValue* value)>;
using AUImplementorValueFromStringCallback = std::function<AUValue(const AUParameter& parameter, const std::string& string)>;

// The callbacks of one tree, shared with its parameters, so that a parameter write or read on
// a host thread reaches them without a lock. Installing is rare (set-up) and locks; calling
// only loads a pointer. A replaced callback stays alive as long as this object, since another
// thread may still be running it, or it may be the very callback that replaced itself.
class AUImplementorCallbacks {
public:
    template <class F>
    class Slot {
    public:
        // The installed callback, or null.
        const F* get() const { return current_.load(std::memory_order_acquire); }

    private:
        friend class AUImplementorCallbacks;
        std::atomic<const F*> current_{nullptr};
    };

    Slot<AUImplementorValueObserver> observer;
    Slot<AUImplementorValueProvider> provider;
    Slot<AUImplementorStringFromValueCallback> stringFromValue;
    Slot<AUImplementorValueFromStringCallback> valueFromString;

    // An empty callback uninstalls.
    template <class F>
    void install(Slot<F>& slot, F callback) {
        if (!callback) {
            slot.current_.store(nullptr, std::memory_order_release);
            return;
        }
        auto kept = std::make_shared<const F>(std::move(callback));
        std::lock_guard lock(mutex_);
        kept_.push_back(kept);
        slot.current_.store(kept.get(), std::memory_order_release);
    }

    // Cleared when the tree goes: its parameters then answer for themselves.
    bool treeAlive() const { return treeAlive_.load(std::memory_order_acquire); }
    void treeEnded() { treeAlive_.store(false, std::memory_order_release); }

private:
    std::atomic<bool> treeAlive_{true};
    std::mutex mutex_;
    std::vector<std::shared_ptr<const void>> kept_;
};

}  // namespace AudioToolbox
