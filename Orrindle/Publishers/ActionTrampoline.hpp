#pragma once
#include <functional>
#include <memory>

#include "AppKit/NSControl.hpp"
#include "Runtime/NSObject.hpp"

namespace Orrindle {

// A closure in the place of a target/action pair: the control's target, it calls the closure
// with the control on "actionWithSender:". Made only with a closure.
class ActionTrampoline : public Runtime::NSObject {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(ActionTrampoline, Runtime::NSObject)
public:
    using Action = std::function<void(AppKit::NSControl&)>;
    static std::shared_ptr<ActionTrampoline> make(Action action);

    void action(Runtime::NSObject* sender);

protected:
    explicit ActionTrampoline(Action action) : action_(std::move(action)) {}

private:
    Action action_;
};

}  // namespace Orrindle
