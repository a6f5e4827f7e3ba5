#pragma once
#include <functional>

#include "SwiftUI/View.hpp"

namespace SwiftUI {

// The base of the modifiers: one child, the modified content, whose text and menu items
// are the modifier's own.
class ModifierView : public ViewImpl {
public:
    explicit ModifierView(AnyView content) : content_(std::move(content)) {}
    void makeChildren(ViewNode&, ChildList& out) const override { out.push_back({content_, {}}); }
    std::string textContent() const override { return content_.impl()->textContent(); }
    void collectMenuItems(std::vector<MenuItem>& out) const override { content_.impl()->collectMenuItems(out); }
    const AnyView& content() const { return content_; }

protected:
    AnyView content_;
};

// `.gridCellColumns(n)`: how many grid columns the cell spans.
class GridCellColumnsModifier : public ModifierView {
public:
    GridCellColumnsModifier(AnyView content, int columns) : ModifierView(std::move(content)), columns_(columns < 1 ? 1 : columns) {}
    int columns() const { return columns_; }

private:
    int columns_;
};

namespace detail {
// Applies `wrap` to the view, or to each child of a transparent container (Group, ForEach,
// GridRow), as the platform does for modifiers on a group.
AnyView distribute(const AnyView& content, const std::function<AnyView(const AnyView&)>& wrap);
}  // namespace detail

}  // namespace SwiftUI
