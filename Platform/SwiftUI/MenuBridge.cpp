#include "SwiftUI/MenuBridge.hpp"

namespace SwiftUI::detail {

namespace {
class ClosureTarget : public Runtime::NSObject {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("performClosure:", &ClosureTarget::perform)};
    }
    VZ_OBJECT(ClosureTarget, Runtime::NSObject)
public:
    std::function<void()> action;
    void perform() {
        if (action) action();
    }
};
}  // namespace

AppKit::NSMenuItem::Ptr makeMenuItem(const MenuItem& item, std::vector<std::shared_ptr<Runtime::NSObject>>& targets) {
    if (item.kind == MenuItem::Kind::separator) return AppKit::NSMenuItem::separatorItem();
    auto target = Runtime::make<ClosureTarget>();
    target->action = item.action;
    targets.push_back(target);
    auto ns = AppKit::NSMenuItem::make(item.title, Runtime::Selector("performClosure:"));
    ns->setTarget(target);
    return ns;
}

}  // namespace SwiftUI::detail
