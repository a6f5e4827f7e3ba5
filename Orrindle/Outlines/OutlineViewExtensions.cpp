#include "Orrindle/Outlines/OutlineViewExtensions.hpp"

#include <algorithm>

namespace Orrindle {

namespace {

std::vector<std::any> itemsOf(const AppKit::NSOutlineView& outline, const Foundation::IndexSet& rows) {
    std::vector<std::any> items;
    for (long row : rows)
        if (auto item = outline.item(row); item.has_value()) items.push_back(std::move(item));
    return items;
}

}  // namespace

Foundation::IndexSet allRows(const AppKit::NSOutlineView& outline) { return Foundation::IndexSet::range(0, outline.numberOfRows()); }

std::vector<std::any> allItems(const AppKit::NSOutlineView& outline) { return itemsOf(outline, allRows(outline)); }

std::any clickedItem(const AppKit::NSOutlineView& outline) { return outline.item(outline.clickedRow()); }

std::vector<std::any> clickedItems(const AppKit::NSOutlineView& outline) {
    const long clicked = outline.clickedRow();
    if (outline.isRowSelected(clicked)) return selectedItems(outline);
    if (auto item = outline.item(clicked); item.has_value()) return {std::move(item)};
    return {};
}

std::any selectedItem(const AppKit::NSOutlineView& outline) {
    return outline.numberOfSelectedRows() == 1 ? outline.item(outline.selectedRow()) : std::any();
}

std::vector<std::any> selectedItems(const AppKit::NSOutlineView& outline) { return itemsOf(outline, outline.selectedRowIndexes()); }

void setSelectedItems(AppKit::NSOutlineView& outline, const std::vector<std::any>& items) {
    Foundation::IndexSet rows;
    for (const auto& item : items)
        if (const long row = outline.row(item); row >= 0) rows.insert(row);
    outline.selectRowIndexes(rows, false);
}

std::vector<long> indexPath(const AppKit::NSOutlineView& outline, const std::any& item) {
    std::vector<long> path;
    for (std::any at = item; at.has_value(); at = outline.parent(at)) {
        const long index = outline.childIndex(at);
        if (index < 0) return {};
        path.push_back(index);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

bool isItemCollapsed(const AppKit::NSOutlineView& outline, const std::any& item) { return !outline.isItemExpanded(item); }

}  // namespace Orrindle
