#include "Orrindle/Publishers/NSControlPublisher.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSControlPublisher::classActions() {
    return {Runtime::action("controlActionWithSender:", &NSControlPublisher::controlAction)};
}

NSControlPublisher::Ptr NSControlPublisher::make(const AppKit::NSControl::Ptr& control) {
    auto publisher = Runtime::make<NSControlPublisher>();
    publisher->control_ = control;
    control->setTarget(publisher);
    control->setAction("controlActionWithSender:");
    return publisher;
}

NSControlPublisher::~NSControlPublisher() { subject_->send(Combine::Subscribers::Completion<Failure>::finished()); }

void NSControlPublisher::controlAction(Runtime::NSObject* sender) {
    auto control = sender ? std::dynamic_pointer_cast<AppKit::NSControl>(sender->shared_from_this()) : nullptr;
    if (control) subject_->send(control);
}

}  // namespace Orrindle
