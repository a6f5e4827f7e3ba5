#include "AppKit/NSPanel.hpp"

namespace AppKit {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSPanel::classActions() {
    return {Runtime::action("cancelOperation:", &NSPanel::cancelOperation)};
}

void NSPanel::cancelOperation(Runtime::NSObject*) {
    if (styleMask().contains(StyleMask::closable())) performClose(this);
}

}  // namespace AppKit
