#include "Orrindle/Publishers/ControlPublishers.hpp"

#include "AppKit/NSWindow.hpp"
#include "Orrindle/Publishers/ActionTrampoline.hpp"
#include "Runtime/Associations.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

namespace {
// Unique addresses, one per kind of attachment.
constexpr char kPublisherKey[] = "PublisherHelperKey";
constexpr char kActionKey = 0;
}  // namespace

NSControlPublisher::Ptr controlPublisher(AppKit::NSControl& control) {
    if (auto existing = std::dynamic_pointer_cast<NSControlPublisher>(Runtime::getAssociatedObject(control, kPublisherKey)))
        return existing;
    auto publisher = NSControlPublisher::make(control.sharedAs<AppKit::NSControl>());
    Runtime::setAssociatedObject(control, kPublisherKey, publisher, Runtime::AssociationPolicy::retainNonatomic);
    return publisher;
}

Combine::AnyPublisher<double> doubleValuePublisher(AppKit::NSControl& slider) {
    return controlEventPublisher(slider)
        .map([](const AppKit::NSControl::Ptr& c) { return c->doubleValue(); })
        .eraseToAnyPublisher();
}

Combine::AnyPublisher<AppKit::NSControl::StateValue> controlStatePublisher(AppKit::NSButton& button) {
    return controlEventPublisher(button)
        .map([](const std::shared_ptr<AppKit::NSButton>& b) { return b->state(); })
        .eraseToAnyPublisher();
}

void focusControl(const AppKit::NSControl::Ptr& control) {
    Runtime::assertMainActor();
    if (!control) return;
    auto window = control->window();
    if (!window) return;
    if (!window->isKeyWindow()) window->makeKeyWindow();
    window->makeFirstResponder(control);
}

void setAction(AppKit::NSControl& control, std::function<void(AppKit::NSControl&)> action) {
    auto trampoline = ActionTrampoline::make(std::move(action));
    control.setTarget(trampoline);
    control.setAction("actionWithSender:");
    Runtime::setAssociatedObject(control, &kActionKey, trampoline, Runtime::AssociationPolicy::retain);
}

void setAction(AppKit::NSControl& control, Runtime::Selector action, const std::shared_ptr<Runtime::NSObject>& target) {
    control.setTarget(target);
    control.setAction(action);
}

}  // namespace Orrindle
