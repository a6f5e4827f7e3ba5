#pragma once
#include <vector>

#include "CoreGraphics/Geometry.hpp"

namespace CoreGraphics {

// Radii of a rectangle's four corners; "top" is the minimum y edge.
struct CornerRadii {
    CGFloat topLeft = 0, topRight = 0, bottomRight = 0, bottomLeft = 0;
    static CornerRadii all(CGFloat r) { return {r, r, r, r}; }
    friend bool operator==(const CornerRadii&, const CornerRadii&) = default;
};

// Circular corners (quarter circles) or continuous ones (curvature eases in, as on the
// platform's "squircle" shapes).
enum class CornerStyle { circular, continuous };

// A path: subpaths of lines and cubic curves (arcs and ellipses become curves, as on the
// platform), plus the shapes it was built from, kept as data so that callers and tests can
// read a rounded rectangle's radii back.
class CGPath {
public:
    enum class ElementType { moveToPoint, addLineToPoint, addQuadCurveToPoint, addCurveToPoint, closeSubpath };
    struct Element {
        ElementType type;
        CGPoint points[3];  // 1 for move/line, 2 for quad, 3 for curve (controls then end)
        friend bool operator==(const Element&, const Element&) = default;
    };
    enum class ShapeKind { rect, roundedRect, ellipse, capsule };
    struct Shape {
        ShapeKind kind;
        CGRect rect;
        CornerRadii radii;          // roundedRect only (after clamping)
        CornerStyle style = CornerStyle::circular;
        friend bool operator==(const Shape&, const Shape&) = default;
    };

    CGPath() = default;

    // Whole shapes.
    static CGPath rect(const CGRect& r) { CGPath p; p.addRect(r); return p; }
    static CGPath roundedRect(const CGRect& r, CGFloat radius, CornerStyle s = CornerStyle::circular) {
        CGPath p; p.addRoundedRect(r, CornerRadii::all(radius), s); return p;
    }
    static CGPath roundedRect(const CGRect& r, CornerRadii radii, CornerStyle s = CornerStyle::circular) {
        CGPath p; p.addRoundedRect(r, radii, s); return p;
    }
    static CGPath ellipse(const CGRect& r) { CGPath p; p.addEllipse(r); return p; }
    static CGPath capsule(const CGRect& r, CornerStyle s = CornerStyle::circular) { CGPath p; p.addCapsule(r, s); return p; }

    void addRect(const CGRect& r);
    // Each radius is clamped to 0...min(width, height)/2, so no radius makes spikes or a
    // self-crossing outline. Corners with radius 0 stay square.
    void addRoundedRect(const CGRect& r, CornerRadii radii, CornerStyle style = CornerStyle::circular);
    void addEllipse(const CGRect& r);
    // Fully rounded ends on the shorter side.
    void addCapsule(const CGRect& r, CornerStyle style = CornerStyle::circular);

    // Path construction as on the platform.
    void move(CGPoint p);
    void addLine(CGPoint p);
    void addQuadCurve(CGPoint control, CGPoint to);
    void addCurve(CGPoint c1, CGPoint c2, CGPoint to);
    // An arc of a circle; draws a line from the current point to the arc's start (or moves
    // there when the path has no current point). Angles in radians; clockwise=false means
    // increasing angle, as with the platform's function.
    void addArc(CGPoint center, CGFloat radius, CGFloat startAngle, CGFloat endAngle, bool clockwise);
    void closeSubpath();
    void addPath(const CGPath& other);

    const std::vector<Element>& elements() const { return elements_; }
    const std::vector<Shape>& shapes() const { return shapes_; }
    bool isEmpty() const { return elements_.empty(); }
    bool hasCurrentPoint() const { return hasCurrent_; }
    CGPoint currentPoint() const { return current_; }

    // All points including control points.
    CGRect boundingBox() const;
    // Only the curve itself.
    CGRect boundingBoxOfPath() const;
    // Non-zero winding by default.
    bool contains(CGPoint p, bool evenOdd = false) const;
    CGPath transformed(const CGAffineTransform& t) const;

    // The outline as polygons (curves flattened), for hit tests.
    std::vector<std::vector<CGPoint>> polygons(CGFloat tolerance = 0.1) const;

    friend bool operator==(const CGPath&, const CGPath&) = default;

private:
    std::vector<Element> elements_;
    std::vector<Shape> shapes_;
    CGPoint current_{}, subpathStart_{};
    bool hasCurrent_ = false;
};

}  // namespace CoreGraphics
