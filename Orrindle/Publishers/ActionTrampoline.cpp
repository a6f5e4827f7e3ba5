#include "Orrindle/Publishers/ActionTrampoline.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> ActionTrampoline::classActions() {
    return {Runtime::action("actionWithSender:", &ActionTrampoline::action)};
}

std::shared_ptr<ActionTrampoline> ActionTrampoline::make(Action action) { return Runtime::make<ActionTrampoline>(std::move(action)); }

void ActionTrampoline::action(Runtime::NSObject* sender) {
    if (auto* control = dynamic_cast<AppKit::NSControl*>(sender); control && action_) action_(*control);
}

}  // namespace Orrindle
