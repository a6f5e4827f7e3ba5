#pragma once
#include <algorithm>
#include <cmath>
#include <limits>

namespace CoreGraphics {

using CGFloat = double;

struct CGPoint {
    CGFloat x = 0, y = 0;
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
    CGPoint operator+(const CGPoint& o) const { return {x + o.x, y + o.y}; }
    CGPoint operator-(const CGPoint& o) const { return {x - o.x, y - o.y}; }
    CGPoint operator*(CGFloat k) const { return {x * k, y * k}; }
    CGPoint& operator+=(const CGPoint& o) { x += o.x, y += o.y; return *this; }
    CGPoint& operator-=(const CGPoint& o) { x -= o.x, y -= o.y; return *this; }
    static constexpr CGPoint zero() { return {0, 0}; }
};

struct CGSize {
    CGFloat width = 0, height = 0;
    friend bool operator==(const CGSize&, const CGSize&) = default;
    CGSize operator*(CGFloat k) const { return {width * k, height * k}; }
    static constexpr CGSize zero() { return {0, 0}; }
};

struct CGVector {
    CGFloat dx = 0, dy = 0;
    friend bool operator==(const CGVector&, const CGVector&) = default;
};

struct EdgeInsets;

// Origin and size; the platform's rectangles may have negative sizes, and the min/max
// accessors and containment use the standardised rectangle.
struct CGRect {
    CGPoint origin;
    CGSize size;

    constexpr CGRect() = default;
    constexpr CGRect(CGPoint o, CGSize s) : origin(o), size(s) {}
    constexpr CGRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) : origin{x, y}, size{w, h} {}
    friend bool operator==(const CGRect&, const CGRect&) = default;
    static constexpr CGRect zero() { return {}; }
    // The rectangle that is nowhere (what an empty intersection is on the platform): an
    // infinite origin and no size.
    static constexpr CGRect null() { return {std::numeric_limits<CGFloat>::infinity(), std::numeric_limits<CGFloat>::infinity(), 0, 0}; }
    bool isNull() const { return std::isinf(origin.x) || std::isinf(origin.y); }

    CGFloat minX() const { return std::min(origin.x, origin.x + size.width); }
    CGFloat maxX() const { return std::max(origin.x, origin.x + size.width); }
    CGFloat minY() const { return std::min(origin.y, origin.y + size.height); }
    CGFloat maxY() const { return std::max(origin.y, origin.y + size.height); }
    CGFloat midX() const { return (minX() + maxX()) / 2; }
    CGFloat midY() const { return (minY() + maxY()) / 2; }
    CGFloat width() const { return std::abs(size.width); }
    CGFloat height() const { return std::abs(size.height); }
    CGPoint center() const { return {midX(), midY()}; }
    bool isEmpty() const { return size.width == 0 || size.height == 0; }

    CGRect standardized() const { return {minX(), minY(), width(), height()}; }

    // Half-open: points on the minimum edges are inside, points on the maximum edges are not.
    bool contains(CGPoint p) const { return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY(); }
    bool contains(const CGRect& r) const {
        return r.minX() >= minX() && r.maxX() <= maxX() && r.minY() >= minY() && r.maxY() <= maxY();
    }
    bool intersects(const CGRect& r) const {
        return r.minX() < maxX() && r.maxX() > minX() && r.minY() < maxY() && r.maxY() > minY();
    }
    CGRect intersection(const CGRect& r) const {
        CGFloat x0 = std::max(minX(), r.minX()), y0 = std::max(minY(), r.minY());
        CGFloat x1 = std::min(maxX(), r.maxX()), y1 = std::min(maxY(), r.maxY());
        if (x1 <= x0 || y1 <= y0) return {};
        return {x0, y0, x1 - x0, y1 - y0};
    }
    CGRect unionWith(const CGRect& r) const {
        if (isEmpty()) return r;
        if (r.isEmpty()) return *this;
        CGFloat x0 = std::min(minX(), r.minX()), y0 = std::min(minY(), r.minY());
        CGFloat x1 = std::max(maxX(), r.maxX()), y1 = std::max(maxY(), r.maxY());
        return {x0, y0, x1 - x0, y1 - y0};
    }
    // Positive dx/dy shrink the rectangle on both sides.
    CGRect insetBy(CGFloat dx, CGFloat dy) const { return {minX() + dx, minY() + dy, width() - 2 * dx, height() - 2 * dy}; }
    CGRect offsetBy(CGFloat dx, CGFloat dy) const { return {origin.x + dx, origin.y + dy, size.width, size.height}; }
    // The smallest rectangle with whole-number edges that holds this one (null stays null).
    CGRect integral() const {
        if (isNull()) return *this;
        CGFloat x0 = std::floor(minX()), y0 = std::floor(minY());
        return {x0, y0, std::ceil(maxX()) - x0, std::ceil(maxY()) - y0};
    }
    // Snaps outwards to the device pixel grid of a display with `scale` pixels per point
    // (unchanged for a scale that is not positive).
    CGRect integral(CGFloat scale) const {
        if (!(scale > 0) || isNull()) return *this;
        CGRect r = CGRect{minX() * scale, minY() * scale, width() * scale, height() * scale}.integral();
        return {r.origin.x / scale, r.origin.y / scale, r.size.width / scale, r.size.height / scale};
    }
    // Rounds each edge to the nearest device pixel (halves away from zero): the rectangle a
    // crisp one-pixel line or fill should use.
    CGRect roundedToPixels(CGFloat scale) const {
        if (!(scale > 0)) return *this;
        CGFloat x0 = std::round(minX() * scale) / scale, y0 = std::round(minY() * scale) / scale;
        CGFloat x1 = std::round(maxX() * scale) / scale, y1 = std::round(maxY() * scale) / scale;
        return {x0, y0, x1 - x0, y1 - y0};
    }
    CGRect inset(const EdgeInsets& e) const;
};

struct CGAffineTransform {
    CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
    friend bool operator==(const CGAffineTransform&, const CGAffineTransform&) = default;

    static constexpr CGAffineTransform identity() { return {}; }
    static CGAffineTransform translation(CGFloat x, CGFloat y) { return {1, 0, 0, 1, x, y}; }
    static CGAffineTransform scale(CGFloat sx, CGFloat sy) { return {sx, 0, 0, sy, 0, 0}; }
    static CGAffineTransform rotation(CGFloat radians) {
        CGFloat cs = std::cos(radians), sn = std::sin(radians);
        return {cs, sn, -sn, cs, 0, 0};
    }
    bool isIdentity() const { return *this == identity(); }

    // this, then t (the platform's CGAffineTransformConcat(this, t)).
    CGAffineTransform concatenating(const CGAffineTransform& t) const {
        return {a * t.a + b * t.c,         a * t.b + b * t.d,         c * t.a + d * t.c,
                c * t.b + d * t.d,         tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
    }
    CGAffineTransform translatedBy(CGFloat x, CGFloat y) const { return translation(x, y).concatenating(*this); }
    CGAffineTransform scaledBy(CGFloat sx, CGFloat sy) const { return scale(sx, sy).concatenating(*this); }
    CGAffineTransform rotatedBy(CGFloat r) const { return rotation(r).concatenating(*this); }
    CGAffineTransform inverted() const {
        CGFloat det = a * d - b * c;
        if (det == 0) return *this;
        return {d / det, -b / det, -c / det, a / det, (c * ty - d * tx) / det, (b * tx - a * ty) / det};
    }
    CGPoint apply(CGPoint p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    CGSize apply(CGSize s) const { return {a * s.width + c * s.height, b * s.width + d * s.height}; }
    // The bounding box of the transformed rectangle.
    CGRect apply(const CGRect& r) const {
        CGPoint p[4] = {apply(CGPoint{r.minX(), r.minY()}), apply(CGPoint{r.maxX(), r.minY()}),
                        apply(CGPoint{r.minX(), r.maxY()}), apply(CGPoint{r.maxX(), r.maxY()})};
        CGFloat x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
        for (auto& q : p) {
            x0 = std::min(x0, q.x), x1 = std::max(x1, q.x);
            y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
        }
        return {x0, y0, x1 - x0, y1 - y0};
    }
};

// Edge insets (AppKit's NSEdgeInsets, SwiftUI's EdgeInsets share the shape).
struct EdgeInsets {
    CGFloat top = 0, left = 0, bottom = 0, right = 0;
    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
};

// In a y-down space: top moves the minimum y edge.
inline CGRect CGRect::inset(const EdgeInsets& e) const {
    return {minX() + e.left, minY() + e.top, width() - e.left - e.right, height() - e.top - e.bottom};
}

constexpr CGFloat pi = 3.14159265358979323846;

}  // namespace CoreGraphics
