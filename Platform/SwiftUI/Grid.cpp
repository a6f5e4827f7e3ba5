#include "SwiftUI/Grid.hpp"

#include <algorithm>

#include "SwiftUI/Modifiers.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

void GridRow::makeChildren(ViewNode&, ChildList& out) const {
    for (auto& c : cells_) out.push_back({c, {}});
}

std::optional<AnyView> GridRow::mapChildren(const std::function<AnyView(const AnyView&)>& f) const {
    ViewList mapped;
    for (auto& c : cells_) mapped.push_back(f(c));
    return AnyView(GridRow(std::move(mapped)));
}

void Grid::makeChildren(ViewNode&, ChildList& out) const {
    for (auto& r : rows_) out.push_back({r, {}});
}

Grid::Plan Grid::plan(ViewNode& node) const {
    Plan p;
    int columns = 1;
    std::vector<ViewNode*> wide;  // children that are not rows
    for (auto& child : node.children()) {
        std::vector<Cell> row;
        if (child->viewAs<GridRow>()) {
            int col = 0;
            for (ViewNode* cell : child->layoutChildren()) {
                auto* spanning = cell->findInChain<GridCellColumnsModifier>();
                int span = spanning ? spanning->columns() : 1;
                row.push_back({cell, col, span});
                col += span;
            }
            columns = std::max(columns, col);
        } else {
            row.push_back({child.get(), 0, -1});
        }
        p.rows.push_back(std::move(row));
    }
    for (auto& row : p.rows)
        for (auto& c : row)
            if (c.span < 0) c.span = columns;
    p.widths.assign(columns, 0);
    for (auto& row : p.rows)
        for (auto& c : row)
            if (c.span == 1 && c.column < columns)
                p.widths[c.column] = std::max(p.widths[c.column], c.node->sizeThatFits({}).width);
    // A spanning cell wider than its columns widens them evenly.
    for (auto& row : p.rows)
        for (auto& c : row) {
            if (c.span <= 1) continue;
            const int last = std::min(columns, c.column + c.span);
            CGFloat have = hs_ * (c.span - 1);
            for (int k = c.column; k < last; ++k) have += p.widths[k];
            CGFloat want = c.node->sizeThatFits({}).width;
            if (want > have && last > c.column)
                for (int k = c.column; k < last; ++k) p.widths[k] += (want - have) / (last - c.column);
        }
    for (auto& row : p.rows) {
        CGFloat h = 0;
        for (auto& c : row) {
            CGFloat w = 0;
            for (int k = c.column; k < std::min(columns, c.column + c.span); ++k) w += p.widths[k];
            w += hs_ * (c.span - 1);
            h = std::max(h, c.node->sizeThatFits({w, std::nullopt}).height);
        }
        p.heights.push_back(h);
    }
    return p;
}

CGSize Grid::sizeThatFits(ViewNode& node, ProposedViewSize) const {
    Plan p = plan(node);
    CGSize s;
    for (CGFloat w : p.widths) s.width += w;
    if (!p.widths.empty()) s.width += hs_ * CGFloat(p.widths.size() - 1);
    for (CGFloat h : p.heights) s.height += h;
    if (!p.heights.empty()) s.height += vs_ * CGFloat(p.heights.size() - 1);
    return s;
}

void Grid::placeChildren(ViewNode& node, const CGRect& frame) const {
    Plan p = plan(node);
    std::vector<CGFloat> xs(p.widths.size());
    CGFloat x = frame.origin.x;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        xs[i] = x;
        x += p.widths[i] + hs_;
    }
    CGFloat y = frame.origin.y;
    for (std::size_t r = 0; r < p.rows.size(); ++r) {
        for (auto& c : p.rows[r]) {
            CGFloat w = 0;
            const int last = std::min<int>(int(p.widths.size()), c.column + c.span);
            for (int k = c.column; k < last; ++k) w += p.widths[k];
            w += hs_ * (c.span - 1);
            CGRect box{c.column < int(xs.size()) ? xs[c.column] : x, y, w, p.heights[r]};
            CGSize s = c.node->sizeThatFits(ProposedViewSize::of(box.size));
            c.node->place({alignedOrigin(s, box, alignment_), s});
        }
        // Row nodes themselves span the row.
        if (r < node.children().size()) {
            ViewNode* rowNode = node.children()[r].get();
            if (rowNode->viewAs<GridRow>()) rowNode->place({frame.origin.x, y, frame.size.width, p.heights[r]});
        }
        y += p.heights[r] + vs_;
    }
}

}  // namespace SwiftUI
