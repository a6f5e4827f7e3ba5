#include "SwiftUI/GeometryReader.hpp"

#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

namespace {
struct Geometry {
    GeometryProxy proxy;
};
}  // namespace

void GeometryReader::makeChildren(ViewNode& node, ChildList& out) const {
    out.push_back({content_(node.storage<Geometry>().proxy), {}});
}

void GeometryReader::placeChildren(ViewNode& node, const CGRect& frame) const {
    auto& g = node.storage<Geometry>();
    if (g.proxy.size != frame.size || g.proxy.globalFrame != frame) {
        g.proxy = {frame.size, frame};
        // Built again for the new size in the next pass of this update.
        node.setNeedsEvaluation();
    }
    for (ViewNode* child : node.layoutChildren()) {
        CGSize s = child->sizeThatFits(ProposedViewSize::of(frame.size));
        child->place({frame.origin, s});
    }
}

}  // namespace SwiftUI
