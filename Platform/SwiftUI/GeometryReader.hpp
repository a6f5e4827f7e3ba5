#pragma once
#include <functional>

#include "SwiftUI/View.hpp"

namespace SwiftUI {

struct GeometryProxy {
    CGSize size;
    CGRect globalFrame;
    CGRect frameInGlobal() const { return globalFrame; }
};

// Takes all the space it is offered and builds its content for that size; the content sits
// at the top-leading corner and is offered the whole size. The content is built again when
// the size changes.
class GeometryReader : public ViewImpl, public View<GeometryReader> {
public:
    explicit GeometryReader(std::function<AnyView(const GeometryProxy&)> content) : content_(std::move(content)) {}
    void makeChildren(ViewNode& node, ChildList& out) const override;
    CGSize sizeThatFits(ViewNode&, ProposedViewSize p) const override { return p.replacingUnspecifiedDimensions(); }
    void placeChildren(ViewNode& node, const CGRect& frame) const override;

private:
    std::function<AnyView(const GeometryProxy&)> content_;
};

}  // namespace SwiftUI
