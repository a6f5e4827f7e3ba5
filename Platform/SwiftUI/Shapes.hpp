#pragma once
#include <optional>

#include "SwiftUI/Color.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

enum class RoundedCornerStyle { circular, continuous };

// A shape filling the space it is offered, filled with the foreground colour unless given a
// fill or a stroke.
class ShapeView : public ViewImpl, public View<ShapeView> {
public:
    explicit ShapeView(ShapeDescription shape) : shape_(std::move(shape)) {}
    ShapeView fill(const Color& color) const;
    ShapeView stroke(const Color& color, CGFloat lineWidth = 1) const;
    // Circles keep their aspect: the largest square that fits, centred.
    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void render(const ViewNode& node, RenderNode& r) const override;
    const ShapeDescription& shape() const { return shape_; }

private:
    ShapeDescription shape_;
};

namespace detail {
inline ShapeDescription shape(ShapeDescription::Kind kind, CGSize corners = {}, bool continuous = false) {
    ShapeDescription s;
    s.kind = kind;
    s.cornerSize = corners;
    s.continuousCorners = continuous;
    return s;
}
}  // namespace detail

struct Rectangle : ShapeView {
    Rectangle() : ShapeView(detail::shape(ShapeDescription::Kind::rectangle)) {}
};
struct RoundedRectangle : ShapeView {
    explicit RoundedRectangle(CGFloat cornerRadius, RoundedCornerStyle style = RoundedCornerStyle::continuous)
        : RoundedRectangle(CGSize{cornerRadius, cornerRadius}, style) {}
    explicit RoundedRectangle(CGSize cornerSize, RoundedCornerStyle style = RoundedCornerStyle::continuous)
        : ShapeView(detail::shape(ShapeDescription::Kind::roundedRectangle, cornerSize, style == RoundedCornerStyle::continuous)) {}
};
struct Circle : ShapeView {
    Circle() : ShapeView(detail::shape(ShapeDescription::Kind::circle)) {}
};
struct Capsule : ShapeView {
    Capsule() : ShapeView(detail::shape(ShapeDescription::Kind::capsule)) {}
};
struct Ellipse : ShapeView {
    Ellipse() : ShapeView(detail::shape(ShapeDescription::Kind::ellipse)) {}
};

}  // namespace SwiftUI
