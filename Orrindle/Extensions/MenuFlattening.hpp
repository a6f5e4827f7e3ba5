#pragma once
#include <vector>

#include "AppKit/NSMenu.hpp"

namespace Orrindle {

// Every item of the menu depth first: each item followed at once by its submenu's items.
std::vector<AppKit::NSMenuItem::Ptr> flattenedItems(const AppKit::NSMenu& menu);

}  // namespace Orrindle
