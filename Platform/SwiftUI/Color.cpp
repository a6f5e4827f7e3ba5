#include "SwiftUI/Color.hpp"

#include "AppKit/NSColor.hpp"
#include "Foundation/Bundle.hpp"
#include "SwiftUI/RenderTree.hpp"

namespace SwiftUI {

Color::Color(std::string name, std::shared_ptr<const Foundation::Bundle> bundle)
    : name_(std::move(name)), bundle_(std::move(bundle)) {}

Color::Color(const AppKit::NSColor& color) : color_(color.cgColor()) {}

Color Color::opacity(double factor) const {
    Color c = *this;
    c.factor_ *= factor;
    return c;
}

CoreGraphics::CGColor Color::resolved() const {
    CoreGraphics::CGColor c = color_;
    if (!name_.empty()) c = AssetLookup::color(name_, bundle_.get()).value_or(CoreGraphics::CGColor::clear());
    return factor_ == 1 ? c : c.withAlpha(c.alpha() * factor_);
}

void Color::render(const ViewNode&, RenderNode& r) const {
    r.kind = RenderNode::Kind::color;
    r.shape.fill = *this;
    r.color = *this;
    r.hitTestable = r.hitTestable && !isClear();
}

std::shared_ptr<AppKit::NSColor> nsColor(const Color& color) {
    const auto value = color.resolved();
    return AppKit::NSColor::dynamic(color.assetName(), value, value);
}

}  // namespace SwiftUI
