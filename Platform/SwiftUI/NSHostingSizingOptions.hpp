#pragma once
#include <cstdint>

namespace SwiftUI {

// Which of its content's sizes a hosting controller hands on to AppKit: the size for a zero
// proposal (minSize), for no proposal (intrinsicContentSize, preferredContentSize) and for an
// infinite one (maxSize).
struct NSHostingSizingOptions {
    std::uint8_t rawValue = 0;
    static constexpr NSHostingSizingOptions minSize() { return {1}; }
    static constexpr NSHostingSizingOptions intrinsicContentSize() { return {2}; }
    static constexpr NSHostingSizingOptions maxSize() { return {4}; }
    static constexpr NSHostingSizingOptions preferredContentSize() { return {8}; }
    static constexpr NSHostingSizingOptions standardBounds() { return {1 | 2 | 4}; }
    constexpr bool contains(NSHostingSizingOptions o) const { return (rawValue & o.rawValue) == o.rawValue; }
    friend constexpr NSHostingSizingOptions operator|(NSHostingSizingOptions a, NSHostingSizingOptions b) {
        return {std::uint8_t(a.rawValue | b.rawValue)};
    }
    friend constexpr bool operator==(NSHostingSizingOptions, NSHostingSizingOptions) = default;
};

}  // namespace SwiftUI
