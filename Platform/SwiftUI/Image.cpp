#include "SwiftUI/Image.hpp"

#include "Foundation/Bundle.hpp"
#include "SwiftUI/Environment.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/ViewNode.hpp"

namespace SwiftUI {

Image Image::resizable() const {
    Image i = *this;
    i.resizable_ = true;
    return i;
}

Image Image::renderingMode(RenderingMode mode) const {
    Image i = *this;
    i.mode_ = mode;
    return i;
}

CoreGraphics::ImageRef Image::asset() const { return image_ ? image_ : AssetLookup::image(name_, bundle_.get()); }

CGSize Image::sizeThatFits(ViewNode&, ProposedViewSize p) const {
    auto a = asset();
    CGSize own = a ? a->size() : CGSize{};
    if (resizable_) return {p.width.value_or(own.width), p.height.value_or(own.height)};
    // A catalogue image sliced along an axis stretches along it to what it is offered.
    if (a && a->slicing()) {
        const auto& k = *a->slicing();
        return {k.horizontal ? p.width.value_or(own.width) : own.width, k.vertical ? p.height.value_or(own.height) : own.height};
    }
    return own;
}

void Image::render(const ViewNode& node, RenderNode& r) const {
    r.kind = RenderNode::Kind::image;
    r.imageName = name_;
    r.image = asset();
    r.resizable = resizable_;
    const bool tinted = mode_ ? *mode_ == RenderingMode::template_ : (r.image && r.image->isTemplate());
    if (tinted) r.color = node.environment().resolvedForeground();
}

}  // namespace SwiftUI
