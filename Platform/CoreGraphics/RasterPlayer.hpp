#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/DisplayList.hpp"

namespace CoreGraphics {

// Draws display lists with cairo.
class RasterPlayer {
public:
    static constexpr int maxPixelsPerSide = 16384;

    // A fresh bitmap of size x scale pixels (transparent, or `background`), with the list
    // played into it. The list's base space is `size` points, y-up unless `flipped`. A side
    // that is not a number, not positive or above maxPixelsPerSide gives an empty bitmap.
    static std::shared_ptr<CGImage> render(const DisplayList& list, CGSize size, CGFloat scale = 1, bool flipped = false,
                                           std::optional<CGColor> background = std::nullopt);
    // Plays the list onto an existing bitmap; `deviceFromBase` maps the list's base space to
    // the bitmap's pixels (y-down).
    static void play(const DisplayList& list, CGImage& target, const CGAffineTransform& deviceFromBase);
    // The same, limited to whole-pixel rectangles of the bitmap, which are cleared first: what
    // a full play would leave there, and nothing outside them changes.
    static void play(const DisplayList& list, CGImage& target, const CGAffineTransform& deviceFromBase,
                     const std::vector<CGRect>& onlyIn);
    // The pixels (y-down) an operation may paint, outset for antialiasing; empty for those
    // that paint nothing themselves (state, clips); none when that cannot be told (layers).
    static std::optional<CGRect> paintedPixels(const DisplayOp& op, const CGAffineTransform& deviceFromBase);
    // A transparency layer that is in no other: the operations from its begin to its end (the
    // list's end when it is never ended) and the pixels (y-down) it may change, its shadow
    // included; none when that cannot be told.
    struct LayerSpan {
        std::size_t begin = 0, end = 0;
        std::optional<CGRect> pixels;
    };
    static std::vector<LayerSpan> layerSpans(const DisplayList& list, const CGAffineTransform& deviceFromBase);
    // The base-to-pixels transform render() uses.
    static CGAffineTransform deviceTransform(CGSize size, CGFloat scale, bool flipped);
};

}  // namespace CoreGraphics
