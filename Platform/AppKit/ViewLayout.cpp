#include "AppKit/ViewLayout.hpp"

#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "AppKit/NSView.hpp"

namespace AppKit {

namespace {

enum Axis { horizontal = 0, vertical = 1 };

bool isHorizontal(LayoutAttribute a) {
    switch (a) {
    case LayoutAttribute::left:
    case LayoutAttribute::right:
    case LayoutAttribute::leading:
    case LayoutAttribute::trailing:
    case LayoutAttribute::width:
    case LayoutAttribute::centerX: return true;
    default: return false;
    }
}

// An attribute as a combination of the interval's ends: value = a * min + b * max.
std::array<CGFloat, 2> coefficients(LayoutAttribute a) {
    switch (a) {
    case LayoutAttribute::left:
    case LayoutAttribute::leading:
    case LayoutAttribute::top: return {1, 0};
    case LayoutAttribute::right:
    case LayoutAttribute::trailing:
    case LayoutAttribute::bottom: return {0, 1};
    case LayoutAttribute::centerX:
    case LayoutAttribute::centerY: return {0.5, 0.5};
    case LayoutAttribute::width:
    case LayoutAttribute::height: return {-1, 1};
    case LayoutAttribute::notAnAttribute: break;
    }
    return {0, 0};
}

bool isSize(LayoutAttribute a) { return a == LayoutAttribute::width || a == LayoutAttribute::height; }

// Intervals in the layout space of the superview: x as in its bounds, y measured downward
// from the top of its bounds.
struct Interval {
    CGFloat min = 0, max = 0;
    CGFloat value(LayoutAttribute a) const {
        auto c = coefficients(a);
        return c[0] * min + c[1] * max;
    }
};

struct Equation {
    LayoutAttribute attribute;
    CGFloat value;
};

}  // namespace

void resolveConstraintLayout(NSView& view) {
    const CGRect b = view.bounds();
    const bool flipped = view.isFlipped();
    auto toLayoutY = [&](CGFloat y) { return flipped ? y : b.origin.y + b.size.height - y; };

    auto intervalsOf = [&](const CGRect& f) {
        std::array<Interval, 2> iv;
        iv[horizontal] = {f.minX(), f.maxX()};
        CGFloat y0 = toLayoutY(f.minY()), y1 = toLayoutY(f.maxY());
        iv[vertical] = {std::min(y0, y1), std::max(y0, y1)};
        return iv;
    };
    const std::array<Interval, 2> parent = {Interval{b.minX(), b.maxX()},
                                            Interval{std::min(toLayoutY(b.minY()), toLayoutY(b.maxY())),
                                                     std::max(toLayoutY(b.minY()), toLayoutY(b.maxY()))}};

    std::vector<NSView*> pending;
    for (auto& sub : view.subviews())
        if (!sub->translatesAutoresizingMaskIntoConstraints()) pending.push_back(sub.get());
    if (pending.empty()) return;

    std::vector<NSLayoutConstraint*> constraints;
    auto consider = [&](const NSLayoutConstraint::Ptr& c) {
        if (c->isActive() && c->relation() == LayoutRelation::equal && c->priority() >= 1000) constraints.push_back(c.get());
    };
    for (auto& c : view.constraints()) consider(c);
    for (NSView* v : pending)
        for (auto& c : v->constraints())
            if (c->firstItem().get() == v && (!c->secondItem() || c->secondItem().get() == v)) consider(c);

    // What is known: the superview, siblings placed by their frames, and each axis of a
    // pending subview once it is solved.
    std::map<const NSView*, std::array<std::optional<Interval>, 2>> known;
    for (auto& sub : view.subviews()) {
        if (!sub->translatesAutoresizingMaskIntoConstraints()) continue;
        auto iv = intervalsOf(sub->frame());
        known[sub.get()] = {iv[0], iv[1]};
    }
    auto valueOf = [&](const NSView* item, LayoutAttribute a) -> std::optional<CGFloat> {
        Axis axis = isHorizontal(a) ? horizontal : vertical;
        if (item == &view) {
            // Against the superview, positions are its edges and sizes its size.
            return parent[axis].value(a);
        }
        auto it = known.find(item);
        if (it == known.end() || !it->second[axis]) return std::nullopt;
        return it->second[axis]->value(a);
    };

    std::map<const NSView*, std::array<std::optional<Interval>, 2>> solved;
    bool progress = true;
    while (progress) {
        progress = false;
        for (NSView* v : pending) {
            for (int axis = 0; axis < 2; ++axis) {
                if (solved[v][axis]) continue;
                std::vector<Equation> eqs;
                for (NSLayoutConstraint* c : constraints) {
                    auto first = c->firstItem(), second = c->secondItem();
                    if (first.get() == v && (isHorizontal(c->firstAttribute()) == (axis == horizontal))) {
                        if (!second) {
                            eqs.push_back({c->firstAttribute(), c->constant()});
                        } else if (second.get() != v || isHorizontal(c->secondAttribute()) != (axis == horizontal)) {
                            if (auto val = valueOf(second.get(), c->secondAttribute()))
                                eqs.push_back({c->firstAttribute(), *val * c->multiplier() + c->constant()});
                        }
                    } else if (second.get() == v && first && first.get() != v &&
                               isHorizontal(c->secondAttribute()) == (axis == horizontal) && c->multiplier() != 0) {
                        if (auto val = valueOf(first.get(), c->firstAttribute()))
                            eqs.push_back({c->secondAttribute(), (*val - c->constant()) / c->multiplier()});
                    }
                }
                // The first two independent equations fix the interval.
                std::optional<Interval> result;
                for (std::size_t i = 0; i < eqs.size() && !result; ++i) {
                    for (std::size_t j = i + 1; j < eqs.size() && !result; ++j) {
                        auto p = coefficients(eqs[i].attribute), q = coefficients(eqs[j].attribute);
                        CGFloat det = p[0] * q[1] - p[1] * q[0];
                        if (std::abs(det) < 1e-12) continue;
                        CGFloat mn = (eqs[i].value * q[1] - p[1] * eqs[j].value) / det;
                        CGFloat mx = (p[0] * eqs[j].value - eqs[i].value * q[0]) / det;
                        result = Interval{mn, mx};
                    }
                }
                if (!result && !eqs.empty()) {
                    // One equation: keep the current size (or take the intrinsic one), or
                    // the current position when the equation is a size.
                    Interval current = intervalsOf(v->frame())[axis];
                    CGSize intrinsic = v->intrinsicContentSize();
                    CGFloat size = axis == horizontal ? intrinsic.width : intrinsic.height;
                    if (size == NSViewNoIntrinsicMetric) size = current.max - current.min;
                    const Equation& e = eqs.front();
                    if (isSize(e.attribute)) {
                        result = Interval{current.min, current.min + e.value};
                    } else {
                        auto c = coefficients(e.attribute);
                        // c0 * min + c1 * (min + size) = value
                        CGFloat mn = (e.value - c[1] * size) / (c[0] + c[1]);
                        result = Interval{mn, mn + size};
                    }
                }
                if (result) {
                    solved[v][axis] = result;
                    known[v][axis] = result;
                    progress = true;
                }
            }
        }
    }

    for (NSView* v : pending) {
        auto cur = intervalsOf(v->frame());
        Interval h = solved[v][horizontal].value_or(cur[horizontal]);
        Interval vert = solved[v][vertical].value_or(cur[vertical]);
        CGFloat height = vert.max - vert.min;
        CGFloat y = flipped ? vert.min : b.origin.y + b.size.height - vert.max;
        v->setFrame({h.min, y, h.max - h.min, height});
    }
}

}  // namespace AppKit
