#pragma once
#include <optional>

#include "SwiftUI/View.hpp"

namespace SwiftUI {

// One row of a Grid; its cells are the grid's, and a modifier on the row applies to each cell.
class GridRow : public ViewImpl, public View<GridRow> {
public:
    GridRow(ViewList cells) : cells_(std::move(cells)) {}
    void makeChildren(ViewNode&, ChildList& out) const override;
    bool isTransparent() const override { return true; }
    std::optional<AnyView> mapChildren(const std::function<AnyView(const AnyView&)>& f) const override;
    void placeChildren(ViewNode&, const CGRect&) const override {}  // the grid places the cells

private:
    ViewList cells_;
};

// Rows of cells in shared columns. A column is as wide as its widest single-column cell; a
// cell with gridCellColumns(n) spans n columns and the spacing between them. A child that is
// not a GridRow spans the whole grid.
class Grid : public ViewImpl, public View<Grid> {
public:
    Grid(ViewList rows) : Grid(Alignment::center(), std::nullopt, std::nullopt, std::move(rows)) {}
    Grid(Alignment alignment, std::optional<CGFloat> horizontalSpacing, std::optional<CGFloat> verticalSpacing, ViewList rows)
        : alignment_(alignment), hs_(horizontalSpacing.value_or(defaultSpacing)), vs_(verticalSpacing.value_or(defaultSpacing)),
          rows_(std::move(rows)) {}

    void makeChildren(ViewNode&, ChildList& out) const override;
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

private:
    struct Cell {
        ViewNode* node;
        int column, span;
    };
    struct Plan {
        std::vector<std::vector<Cell>> rows;
        std::vector<CGFloat> widths, heights;
    };
    Plan plan(ViewNode& node) const;
    Alignment alignment_;
    CGFloat hs_, vs_;
    ViewList rows_;
};

}  // namespace SwiftUI
