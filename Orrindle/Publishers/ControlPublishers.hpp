#pragma once
#include <concepts>
#include <functional>
#include <memory>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSControl.hpp"
#include "Combine/Combine.hpp"
#include "Orrindle/Publishers/NSControlPublisher.hpp"

namespace Orrindle {

// A control's action publisher seen through the control's own class: emits the control as
// `Control` each time it sends its action. Copies share the control's one NSControlPublisher.
template <class Control>
class ControlEventPublisher
    : public Combine::PublisherOperators<ControlEventPublisher<Control>, std::shared_ptr<Control>, Combine::Never> {
public:
    using Output = std::shared_ptr<Control>;
    using Failure = Combine::Never;

    explicit ControlEventPublisher(NSControlPublisher::Ptr publisher) : publisher_(std::move(publisher)) {}

    void receive(Combine::SubscriberPtr<Output, Failure> subscriber) const {
        publisher_->receive(std::make_shared<Downcast>(std::move(subscriber)));
    }
    // The shared, untyped publisher: the same object for every request on one control.
    const NSControlPublisher::Ptr& publisher() const { return publisher_; }

private:
    class Downcast final : public Combine::Subscriber<AppKit::NSControl::Ptr, Failure> {
    public:
        explicit Downcast(Combine::SubscriberPtr<Output, Failure> downstream) : downstream_(std::move(downstream)) {}
        void receive(std::shared_ptr<Combine::Subscription> s) override { downstream_->receive(std::move(s)); }
        Combine::Subscribers::Demand receive(AppKit::NSControl::Ptr control) override {
            // The sender is the control itself; anything else is not this view's to deliver.
            if (auto typed = std::dynamic_pointer_cast<Control>(control)) return downstream_->receive(std::move(typed));
            return Combine::Subscribers::Demand::max(1);
        }
        void receive(Combine::Subscribers::Completion<Failure> c) override { downstream_->receive(c); }
        Combine::CombineIdentifier combineIdentifier() const override { return downstream_->combineIdentifier(); }

    private:
        Combine::SubscriberPtr<Output, Failure> downstream_;
    };

    NSControlPublisher::Ptr publisher_;
};

// The control's one action publisher, created and attached to the control on first request;
// it becomes the control's target and action (replacing the previous pair) and lives as long
// as the control.
NSControlPublisher::Ptr controlPublisher(AppKit::NSControl& control);

template <class Control>
    requires std::derived_from<Control, AppKit::NSControl>
ControlEventPublisher<Control> controlEventPublisher(Control& control) {
    return ControlEventPublisher<Control>(controlPublisher(control));
}

// Values read from the control at the moment of each action.
Combine::AnyPublisher<double> doubleValuePublisher(AppKit::NSControl& slider);
Combine::AnyPublisher<AppKit::NSControl::StateValue> controlStatePublisher(AppKit::NSButton& button);
// A pop-up button's selected item (null when none) at each action.
template <class PopUpButton>
auto selectedItemPublisher(PopUpButton& popUp) {
    return controlEventPublisher(popUp)
        .map([](const std::shared_ptr<PopUpButton>& p) { return p->selectedItem(); })
        .eraseToAnyPublisher();
}

// What makeFirstResponder does on each value.
void focusControl(const AppKit::NSControl::Ptr& control);

// Moves the keyboard focus to `control` each time `publisher` emits: makes the control's
// window key when it is not, then asks it to make the control first responder. Nothing
// happens once the control is gone or while it is outside a window. The control is held
// weakly; the behaviour lasts as long as the returned cancellable. Main thread only.
template <Combine::Publisher P>
    requires std::same_as<typename P::Failure, Combine::Never>
[[nodiscard]] Combine::AnyCancellable makeFirstResponder(const P& publisher, const AppKit::NSControl::Ptr& control) {
    std::weak_ptr<AppKit::NSControl> weak = control;
    return publisher.sink([weak](const typename P::Output&) { focusControl(weak.lock()); });
}

// Replaces the control's target and action with a closure that gets the control. Setting it
// again replaces (and releases) the previous closure.
void setAction(AppKit::NSControl& control, std::function<void(AppKit::NSControl&)> action);
template <class Control>
    requires(std::derived_from<Control, AppKit::NSControl> && !std::same_as<Control, AppKit::NSControl>)
void setAction(Control& control, std::function<void(Control&)> action) {
    setAction(static_cast<AppKit::NSControl&>(control),
              [action = std::move(action)](AppKit::NSControl& c) { action(static_cast<Control&>(c)); });
}
// Sets the target, then the action; either may be null.
void setAction(AppKit::NSControl& control, Runtime::Selector action, const std::shared_ptr<Runtime::NSObject>& target);

}  // namespace Orrindle
