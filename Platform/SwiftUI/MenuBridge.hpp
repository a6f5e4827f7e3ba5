#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSMenuItem.hpp"
#include "SwiftUI/Menu.hpp"

namespace SwiftUI::detail {

// An AppKit menu item for a menu model's item: a separator, or an item whose target runs the
// item's action. `targets` keeps the (weakly held) targets alive.
AppKit::NSMenuItem::Ptr makeMenuItem(const MenuItem& item, std::vector<std::shared_ptr<Runtime::NSObject>>& targets);

}  // namespace SwiftUI::detail
