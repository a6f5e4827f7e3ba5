#pragma once
#include <memory>

#include "AppKit/NSControl.hpp"
#include "Combine/Combine.hpp"
#include "Runtime/NSObject.hpp"

namespace Orrindle {

// The relay between a control's target/action and Combine: the control's target, it emits
// the control each time the control sends its action. One per control (see
// controlEventPublisher), kept alive by the control, so its subscribers see the stream finish
// when the control goes. It is untyped: typed views (ControlEventPublisher) downcast what it
// emits, so asking through any static type reaches the same object.
class NSControlPublisher : public Runtime::NSObject,
                           public Combine::PublisherOperators<NSControlPublisher, AppKit::NSControl::Ptr, Combine::Never> {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(NSControlPublisher, Runtime::NSObject)
public:
    using Output = AppKit::NSControl::Ptr;
    using Failure = Combine::Never;
    using Ptr = std::shared_ptr<NSControlPublisher>;

    // Becomes the control's target with the action "controlActionWithSender:", replacing
    // whatever target and action it had.
    static Ptr make(const AppKit::NSControl::Ptr& control);
    ~NSControlPublisher() override;

    void receive(Combine::SubscriberPtr<Output, Failure> subscriber) const { subject_->receive(std::move(subscriber)); }
    void controlAction(Runtime::NSObject* sender);
    AppKit::NSControl::Ptr control() const { return control_.lock(); }

protected:
    NSControlPublisher() = default;

private:
    std::weak_ptr<AppKit::NSControl> control_;
    std::shared_ptr<Combine::PassthroughSubject<Output>> subject_ = Combine::PassthroughSubject<Output>::make();
};

}  // namespace Orrindle
