#pragma once
#include <string>
#include <vector>

#include "CoreGraphics/AttributedText.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace CoreGraphics {

// Font metrics in points (pango on fontconfig).
struct FontMetrics {
    CGFloat ascent = 0;      // above the baseline
    CGFloat descent = 0;     // below the baseline, positive
    CGFloat lineHeight = 0;  // baseline to baseline
};

// Text measurement and the layout used to draw: drawing lays text out exactly as measured
// here, so a measured size is what the raster shows. Coordinates are y-down from the top
// left of the layout box. Thread-safe.
class TextLayout {
public:
    // The size the text takes when laid out no wider than `maxWidth` (<= 0: unbounded, one
    // line per paragraph). Truncating line-break modes keep one line and end in "…" when the
    // text is wider than maxWidth.
    static CGSize size(const AttributedText& text, CGFloat maxWidth = 0);
    // Logical bounds (the line boxes) of the text placed in `box` with its alignment.
    static CGRect boundingRect(const AttributedText& text, const CGRect& box);
    // Where the ink (the glyphs' painted pixels) lies for the same placement.
    static CGRect inkRect(const AttributedText& text, const CGRect& box);
    // Baseline of the first line, from the top of the box.
    static CGFloat firstBaseline(const AttributedText& text, CGFloat maxWidth = 0);
    static FontMetrics metrics(const Font& font);
    // Whether the text had to be shortened to fit `maxWidth`.
    static bool isTruncated(const AttributedText& text, CGFloat maxWidth);
    // The text of each line, laid out no wider than `maxWidth` as it is drawn (a shortened
    // line gives the part of the text it shows).
    static std::vector<std::string> lines(const AttributedText& text, CGFloat maxWidth = 0);
};

}  // namespace CoreGraphics
