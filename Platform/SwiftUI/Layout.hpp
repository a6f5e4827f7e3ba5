#pragma once
#include <cstdint>
#include <limits>
#include <optional>

#include "CoreGraphics/Geometry.hpp"

namespace SwiftUI {

using CoreGraphics::CGAffineTransform;
using CoreGraphics::CGFloat;
using CoreGraphics::CGPoint;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;

inline constexpr CGFloat infinity = std::numeric_limits<CGFloat>::infinity();

// The spacing the layout system puts between neighbours when a stack or grid gives none,
// and the least length of a Spacer.
inline constexpr CGFloat defaultSpacing = 8;
inline constexpr CGFloat defaultSpacerMinLength = 8;

enum class Axis { horizontal, vertical };

// A size offered to a view; an absent dimension asks for the view's ideal size.
struct ProposedViewSize {
    std::optional<CGFloat> width, height;

    static ProposedViewSize unspecified() { return {}; }
    static ProposedViewSize zero() { return {0.0, 0.0}; }
    static ProposedViewSize infinite() { return {infinity, infinity}; }
    static ProposedViewSize of(CGSize s) { return {s.width, s.height}; }
    CGSize replacingUnspecifiedDimensions(CGSize by = {10, 10}) const {
        return {width.value_or(by.width), height.value_or(by.height)};
    }
    std::optional<CGFloat> along(Axis a) const { return a == Axis::horizontal ? width : height; }
    friend bool operator==(const ProposedViewSize&, const ProposedViewSize&) = default;
};

enum class HorizontalAlignment { leading, center, trailing };
enum class VerticalAlignment { top, center, bottom, firstTextBaseline, lastTextBaseline };

struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::center;
    VerticalAlignment vertical = VerticalAlignment::center;
    friend bool operator==(const Alignment&, const Alignment&) = default;

    static constexpr Alignment center() { return {}; }
    static constexpr Alignment leading() { return {HorizontalAlignment::leading, VerticalAlignment::center}; }
    static constexpr Alignment trailing() { return {HorizontalAlignment::trailing, VerticalAlignment::center}; }
    static constexpr Alignment top() { return {HorizontalAlignment::center, VerticalAlignment::top}; }
    static constexpr Alignment bottom() { return {HorizontalAlignment::center, VerticalAlignment::bottom}; }
    static constexpr Alignment topLeading() { return {HorizontalAlignment::leading, VerticalAlignment::top}; }
    static constexpr Alignment topTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::top}; }
    static constexpr Alignment bottomLeading() { return {HorizontalAlignment::leading, VerticalAlignment::bottom}; }
    static constexpr Alignment bottomTrailing() { return {HorizontalAlignment::trailing, VerticalAlignment::bottom}; }
};

// Where a child of `size` sits inside `box` for an alignment (baselines align as centres).
CGPoint alignedOrigin(CGSize size, const CGRect& box, Alignment alignment);
CGFloat alignedOffset(CGFloat length, CGFloat available, HorizontalAlignment a);
CGFloat alignedOffset(CGFloat length, CGFloat available, VerticalAlignment a);

// A point in a view's unit square: (0, 0) top-left, (1, 1) bottom-right.
struct UnitPoint {
    CGFloat x = 0.5, y = 0.5;
    friend bool operator==(const UnitPoint&, const UnitPoint&) = default;
    static constexpr UnitPoint center() { return {0.5, 0.5}; }
    static constexpr UnitPoint topLeading() { return {0, 0}; }
    static constexpr UnitPoint top() { return {0.5, 0}; }
    static constexpr UnitPoint topTrailing() { return {1, 0}; }
    static constexpr UnitPoint leading() { return {0, 0.5}; }
    static constexpr UnitPoint trailing() { return {1, 0.5}; }
    static constexpr UnitPoint bottomLeading() { return {0, 1}; }
    static constexpr UnitPoint bottom() { return {0.5, 1}; }
    static constexpr UnitPoint bottomTrailing() { return {1, 1}; }
};

// A set of edges (Edge.Set).
struct Edges {
    std::uint8_t rawValue = 0;
    static constexpr Edges top() { return {1}; }
    static constexpr Edges leading() { return {2}; }
    static constexpr Edges bottom() { return {4}; }
    static constexpr Edges trailing() { return {8}; }
    static constexpr Edges horizontal() { return {2 | 8}; }
    static constexpr Edges vertical() { return {1 | 4}; }
    static constexpr Edges all() { return {15}; }
    constexpr bool contains(Edges e) const { return (rawValue & e.rawValue) == e.rawValue; }
    friend constexpr Edges operator|(Edges a, Edges b) { return {std::uint8_t(a.rawValue | b.rawValue)}; }
    friend constexpr bool operator==(Edges, Edges) = default;
};

// Insets in the layout's own terms (leading/trailing rather than left/right).
struct EdgeInsets {
    CGFloat top = 0, leading = 0, bottom = 0, trailing = 0;
    friend bool operator==(const EdgeInsets&, const EdgeInsets&) = default;
    static EdgeInsets uniform(CGFloat v) { return {v, v, v, v}; }
    static EdgeInsets on(Edges edges, CGFloat v) {
        return {edges.contains(Edges::top()) ? v : 0, edges.contains(Edges::leading()) ? v : 0,
                edges.contains(Edges::bottom()) ? v : 0, edges.contains(Edges::trailing()) ? v : 0};
    }
};

enum class ContentMode { fit, fill };

}  // namespace SwiftUI
