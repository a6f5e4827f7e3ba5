#include "Orrindle/Outlines/OutlineViewExtensions.hpp"

#include <algorithm>

namespace Orrindle {

Foundation::IndexSet allRows(const AppKit::NSOutlineView& outline) { return Foundation::IndexSet::range(0, outline.numberOfRows()); }

std::vector<std::any> allItems(const AppKit::NSOutlineView& outline) {
    std::vector<std::any> items;
    for (long row : allRows(outline))
        if (auto item = outline.item(row); item.has_value()) items.push_back(std::move(item));
    return items;
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
