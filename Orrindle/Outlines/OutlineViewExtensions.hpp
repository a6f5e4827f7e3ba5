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
// The item of the clicked row (see NSTableView::clickedRow); empty without one.
std::any clickedItem(const AppKit::NSOutlineView& outline);
// What a click's action is about: the selected items when the clicked row is one of the
// selected rows, otherwise the clicked row's item alone (none without one).
std::vector<std::any> clickedItems(const AppKit::NSOutlineView& outline);
// The item of the selected row when exactly one row is selected; otherwise empty.
std::any selectedItem(const AppKit::NSOutlineView& outline);
// The items of the selected rows, in row order; rows without an item are left out.
std::vector<std::any> selectedItems(const AppKit::NSOutlineView& outline);
// Selects exactly the rows of the given items, in place of the selection; items not shown
// (under a collapsed parent, or not in the outline) are passed over.
void setSelectedItems(AppKit::NSOutlineView& outline, const std::vector<std::any>& items);
// The child indexes from the top-level ancestor down to the item; empty for no item or one
// the outline does not hold.
std::vector<long> indexPath(const AppKit::NSOutlineView& outline, const std::any& item);
bool isItemCollapsed(const AppKit::NSOutlineView& outline, const std::any& item);

}  // namespace Orrindle
