#pragma once
#include <any>
#include <vector>

#include "AppKit/NSOutlineView.hpp"
#include "Foundation/IndexSet.hpp"

namespace Orrindle {

// Questions about an outline's rows and items, asked of what it shows now.

// Every row, 0 up to the number of rows.
Foundation::IndexSet allRows(const AppKit::NSOutlineView& outline);
// The item of every row, in row order; rows without an item are left out.
std::vector<std::any> allItems(const AppKit::NSOutlineView& outline);
// The child indexes from the top-level ancestor down to the item; empty for no item or one
// the outline does not hold.
std::vector<long> indexPath(const AppKit::NSOutlineView& outline, const std::any& item);
bool isItemCollapsed(const AppKit::NSOutlineView& outline, const std::any& item);

}  // namespace Orrindle
