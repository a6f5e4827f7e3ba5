#include "SwiftUI/Shapes.hpp"

#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

ShapeView ShapeView::fill(const Color& color) const {
    ShapeView s = *this;
    s.shape_.fill = color;
    return s;
}

ShapeView ShapeView::stroke(const Color& color, CGFloat lineWidth) const {
    ShapeView s = *this;
    s.shape_.stroke = color;
    s.shape_.lineWidth = lineWidth;
    return s;
}

CGSize ShapeView::sizeThatFits(ViewNode&, ProposedViewSize p) const { return p.replacingUnspecifiedDimensions(); }

void ShapeView::render(const ViewNode& node, RenderNode& r) const {
    r.kind = RenderNode::Kind::shape;
    r.shape = shape_;
    if (!r.shape.fill && !r.shape.stroke) r.shape.fill = node.environment().resolvedForeground();
    if (r.shape.kind == ShapeDescription::Kind::circle) {
        // The circle is drawn in the largest centred square of the frame.
        CGFloat d = std::min(r.frame.width(), r.frame.height());
        r.frame = {r.frame.midX() - d / 2, r.frame.midY() - d / 2, d, d};
    }
    r.color = r.shape.fill ? *r.shape.fill : *r.shape.stroke;
}

}  // namespace SwiftUI
