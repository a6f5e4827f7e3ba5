#include "CoreGraphics/Path.hpp"

#include <algorithm>
#include <cmath>

namespace CoreGraphics {

namespace {
constexpr CGFloat kappa = 0.5522847498307936;  // quarter circle as one cubic
// A continuous corner starts this many radii before the corner, with its control points
// closer to the corner than a circle's: the curvature eases in instead of jumping.
constexpr CGFloat continuousExtent = 1.528;
constexpr CGFloat continuousControl = 0.32;

CGFloat clampRadius(CGFloat r, CGFloat limit) { return std::isnan(r) ? 0 : std::clamp(r, CGFloat(0), limit); }
}  // namespace

void CGPath::move(CGPoint p) {
    elements_.push_back({ElementType::moveToPoint, {p, {}, {}}});
    current_ = subpathStart_ = p;
    hasCurrent_ = true;
}

void CGPath::addLine(CGPoint p) {
    if (!hasCurrent_) return move(p);
    elements_.push_back({ElementType::addLineToPoint, {p, {}, {}}});
    current_ = p;
}

void CGPath::addQuadCurve(CGPoint control, CGPoint to) {
    if (!hasCurrent_) move(control);
    elements_.push_back({ElementType::addQuadCurveToPoint, {control, to, {}}});
    current_ = to;
}

void CGPath::addCurve(CGPoint c1, CGPoint c2, CGPoint to) {
    if (!hasCurrent_) move(c1);
    elements_.push_back({ElementType::addCurveToPoint, {c1, c2, to}});
    current_ = to;
}

void CGPath::closeSubpath() {
    if (!hasCurrent_) return;
    elements_.push_back({ElementType::closeSubpath, {}});
    current_ = subpathStart_;
}

void CGPath::addArc(CGPoint c, CGFloat r, CGFloat a0, CGFloat a1, bool clockwise) {
    constexpr CGFloat twoPi = 2 * pi;
    if (!clockwise) {
        if (a1 < a0) a1 = a0 + std::fmod(a1 - a0, twoPi) + twoPi;
        if (a1 - a0 > twoPi) a1 = a0 + twoPi;
    } else {
        if (a1 > a0) a1 = a0 - (std::fmod(a0 - a1, twoPi) + twoPi);
        if (a0 - a1 > twoPi) a1 = a0 - twoPi;
    }
    CGPoint start{c.x + r * std::cos(a0), c.y + r * std::sin(a0)};
    if (hasCurrent_) addLine(start);
    else move(start);
    CGFloat sweep = a1 - a0;
    if (sweep == 0 || r == 0) return;
    int n = std::max(1, int(std::ceil(std::abs(sweep) / (pi / 2) - 1e-9)));
    CGFloat step = sweep / n;
    CGFloat k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < n; ++i) {
        CGFloat s = a0 + i * step, e = s + step;
        CGPoint p0{c.x + r * std::cos(s), c.y + r * std::sin(s)};
        CGPoint p3{c.x + r * std::cos(e), c.y + r * std::sin(e)};
        CGPoint c1{p0.x - k * r * std::sin(s), p0.y + k * r * std::cos(s)};
        CGPoint c2{p3.x + k * r * std::sin(e), p3.y - k * r * std::cos(e)};
        addCurve(c1, c2, p3);
    }
}

void CGPath::addRect(const CGRect& r0) {
    CGRect r = r0.standardized();
    move({r.minX(), r.minY()});
    addLine({r.maxX(), r.minY()});
    addLine({r.maxX(), r.maxY()});
    addLine({r.minX(), r.maxY()});
    closeSubpath();
    shapes_.push_back({ShapeKind::rect, r, {}, CornerStyle::circular});
}

void CGPath::addRoundedRect(const CGRect& r0, CornerRadii rad, CornerStyle style) {
    CGRect r = r0.standardized();
    CGFloat limit = std::min(r.width(), r.height()) / 2;
    rad = {clampRadius(rad.topLeft, limit), clampRadius(rad.topRight, limit), clampRadius(rad.bottomRight, limit),
           clampRadius(rad.bottomLeft, limit)};
    CGFloat x0 = r.minX(), x1 = r.maxX(), y0 = r.minY(), y1 = r.maxY();
    if (style == CornerStyle::circular) {
        move({x0 + rad.topLeft, y0});
        addLine({x1 - rad.topRight, y0});
        if (rad.topRight > 0) addArc({x1 - rad.topRight, y0 + rad.topRight}, rad.topRight, 3 * pi / 2, 0, false);
        addLine({x1, y1 - rad.bottomRight});
        if (rad.bottomRight > 0) addArc({x1 - rad.bottomRight, y1 - rad.bottomRight}, rad.bottomRight, 0, pi / 2, false);
        addLine({x0 + rad.bottomLeft, y1});
        if (rad.bottomLeft > 0) addArc({x0 + rad.bottomLeft, y1 - rad.bottomLeft}, rad.bottomLeft, pi / 2, pi, false);
        addLine({x0, y0 + rad.topLeft});
        if (rad.topLeft > 0) addArc({x0 + rad.topLeft, y0 + rad.topLeft}, rad.topLeft, pi, 3 * pi / 2, false);
    } else {
        auto ext = [&](CGFloat rr) { return std::min(rr * continuousExtent, limit); };
        CGFloat tl = ext(rad.topLeft), tr = ext(rad.topRight), br = ext(rad.bottomRight), bl = ext(rad.bottomLeft);
        CGFloat q = continuousControl;
        move({x0 + tl, y0});
        addLine({x1 - tr, y0});
        if (tr > 0) addCurve({x1 - tr * q, y0}, {x1, y0 + tr * q}, {x1, y0 + tr});
        addLine({x1, y1 - br});
        if (br > 0) addCurve({x1, y1 - br * q}, {x1 - br * q, y1}, {x1 - br, y1});
        addLine({x0 + bl, y1});
        if (bl > 0) addCurve({x0 + bl * q, y1}, {x0, y1 - bl * q}, {x0, y1 - bl});
        addLine({x0, y0 + tl});
        if (tl > 0) addCurve({x0, y0 + tl * q}, {x0 + tl * q, y0}, {x0 + tl, y0});
    }
    closeSubpath();
    shapes_.push_back({ShapeKind::roundedRect, r, rad, style});
}

void CGPath::addEllipse(const CGRect& r0) {
    CGRect r = r0.standardized();
    CGFloat cx = r.midX(), cy = r.midY(), rx = r.width() / 2, ry = r.height() / 2;
    CGFloat kx = kappa * rx, ky = kappa * ry;
    move({cx + rx, cy});
    addCurve({cx + rx, cy + ky}, {cx + kx, cy + ry}, {cx, cy + ry});
    addCurve({cx - kx, cy + ry}, {cx - rx, cy + ky}, {cx - rx, cy});
    addCurve({cx - rx, cy - ky}, {cx - kx, cy - ry}, {cx, cy - ry});
    addCurve({cx + kx, cy - ry}, {cx + rx, cy - ky}, {cx + rx, cy});
    closeSubpath();
    shapes_.push_back({ShapeKind::ellipse, r, {}, CornerStyle::circular});
}

void CGPath::addCapsule(const CGRect& r0, CornerStyle style) {
    CGRect r = r0.standardized();
    addRoundedRect(r, CornerRadii::all(std::min(r.width(), r.height()) / 2), style);
    shapes_.back().kind = ShapeKind::capsule;
}

void CGPath::addPath(const CGPath& o) {
    elements_.insert(elements_.end(), o.elements_.begin(), o.elements_.end());
    shapes_.insert(shapes_.end(), o.shapes_.begin(), o.shapes_.end());
    if (o.hasCurrent_) current_ = o.current_, subpathStart_ = o.subpathStart_, hasCurrent_ = true;
}

CGRect CGPath::boundingBox() const {
    bool any = false;
    CGFloat x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (auto& e : elements_) {
        int n = e.type == ElementType::addCurveToPoint ? 3 : e.type == ElementType::addQuadCurveToPoint ? 2
              : e.type == ElementType::closeSubpath   ? 0 : 1;
        for (int i = 0; i < n; ++i) {
            auto p = e.points[i];
            if (!any) x0 = x1 = p.x, y0 = y1 = p.y, any = true;
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
    }
    return any ? CGRect{x0, y0, x1 - x0, y1 - y0} : CGRect{};
}

std::vector<std::vector<CGPoint>> CGPath::polygons(CGFloat tolerance) const {
    std::vector<std::vector<CGPoint>> out;
    CGPoint cur{};
    auto segments = [&](CGFloat len) {
        return std::clamp(int(std::ceil(std::sqrt(len / std::max(tolerance, CGFloat(1e-3))))), 1, 64);
    };
    auto dist = [](CGPoint a, CGPoint b) { return std::hypot(a.x - b.x, a.y - b.y); };
    for (auto& e : elements_) {
        switch (e.type) {
            case ElementType::moveToPoint:
                out.push_back({e.points[0]});
                cur = e.points[0];
                break;
            case ElementType::addLineToPoint:
                if (out.empty()) out.push_back({cur});
                out.back().push_back(e.points[0]);
                cur = e.points[0];
                break;
            case ElementType::addQuadCurveToPoint: {
                if (out.empty()) out.push_back({cur});
                auto c = e.points[0], p = e.points[1];
                int n = segments(dist(cur, c) + dist(c, p));
                for (int i = 1; i <= n; ++i) {
                    CGFloat t = CGFloat(i) / n, u = 1 - t;
                    out.back().push_back({u * u * cur.x + 2 * u * t * c.x + t * t * p.x,
                                          u * u * cur.y + 2 * u * t * c.y + t * t * p.y});
                }
                cur = p;
                break;
            }
            case ElementType::addCurveToPoint: {
                if (out.empty()) out.push_back({cur});
                auto c1 = e.points[0], c2 = e.points[1], p = e.points[2];
                int n = segments(dist(cur, c1) + dist(c1, c2) + dist(c2, p));
                for (int i = 1; i <= n; ++i) {
                    CGFloat t = CGFloat(i) / n, u = 1 - t;
                    CGFloat a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
                    out.back().push_back({a * cur.x + b * c1.x + c * c2.x + d * p.x, a * cur.y + b * c1.y + c * c2.y + d * p.y});
                }
                cur = p;
                break;
            }
            case ElementType::closeSubpath:
                if (!out.empty() && !out.back().empty()) cur = out.back().front();
                break;
        }
    }
    return out;
}

CGRect CGPath::boundingBoxOfPath() const {
    bool any = false;
    CGFloat x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (auto& poly : polygons(0.01))
        for (auto p : poly) {
            if (!any) x0 = x1 = p.x, y0 = y1 = p.y, any = true;
            x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        }
    return any ? CGRect{x0, y0, x1 - x0, y1 - y0} : CGRect{};
}

bool CGPath::contains(CGPoint p, bool evenOdd) const {
    int winding = 0, crossings = 0;
    for (auto& poly : polygons()) {
        size_t n = poly.size();
        if (n < 3) continue;
        for (size_t i = 0; i < n; ++i) {
            CGPoint a = poly[i], b = poly[(i + 1) % n];
            if ((a.y <= p.y) != (b.y <= p.y)) {
                CGFloat x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
                if (x > p.x) {
                    ++crossings;
                    winding += b.y > a.y ? 1 : -1;
                }
            }
        }
    }
    return evenOdd ? (crossings % 2) != 0 : winding != 0;
}

CGPath CGPath::transformed(const CGAffineTransform& t) const {
    CGPath p = *this;
    for (auto& e : p.elements_)
        for (auto& q : e.points) q = t.apply(q);
    p.current_ = t.apply(current_);
    p.subpathStart_ = t.apply(subpathStart_);
    // Shapes stay meaningful only under a translation.
    if (t.a == 1 && t.b == 0 && t.c == 0 && t.d == 1)
        for (auto& s : p.shapes_) s.rect = s.rect.offsetBy(t.tx, t.ty);
    else
        p.shapes_.clear();
    return p;
}

}  // namespace CoreGraphics
