#pragma once
#include "CoreGraphics/Geometry.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

// A 3x3 projective transform; the affine ones are all this platform draws.
struct ProjectionTransform {
    CoreGraphics::CGAffineTransform affine;
    ProjectionTransform() = default;
    explicit ProjectionTransform(const CoreGraphics::CGAffineTransform& t) : affine(t) {}
    friend bool operator==(const ProjectionTransform&, const ProjectionTransform&) = default;
};

// A modifier that moves its content by a transform computed from the content's size and an
// animatable value. The content's frame is kept; only its translation is shown here.
class GeometryEffect {
public:
    virtual ~GeometryEffect() = default;
    virtual ProjectionTransform effectValue(CoreGraphics::CGSize size) const = 0;
    AnyView body(const AnyView& content) const;
};

}  // namespace SwiftUI
