#pragma once
#include <memory>
#include <vector>

#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/DisplayList.hpp"

namespace CoreGraphics {

// Rasterises display lists one after another, as a window shows its frames: it keeps the
// last list and picture, and when a new list has the same shape (size, scale, orientation,
// the same operations in the same order, only some of them drawing something else) it
// rasterises again only where the changed operations paint, before and after. Anything it
// cannot bound or a change over most of the picture draws it all; a transparency layer that a
// change reaches is drawn again whole, with its shadow.
// The pixels are those RasterPlayer::render gives. Not thread-safe.
class RasterCache {
public:
    // The list's picture. A picture handed out earlier is never changed afterwards.
    std::shared_ptr<CGImage> render(const DisplayList& list, CGSize size, CGFloat scale = 1, bool flipped = false);
    // The pixel rectangles the last render() drew (one for the whole picture, none when
    // nothing had changed).
    const std::vector<CGRect>& lastDrawn() const { return drawn_; }
    void clear();

private:
    std::shared_ptr<CGImage> renderAll(const DisplayList& list, CGSize size, CGFloat scale, bool flipped);
    // The pixel rectangles to draw again, or none with `all` set when the whole must be.
    std::vector<CGRect> changes(const DisplayList& list, const CGAffineTransform& device, bool& all) const;

    DisplayList list_;
    std::shared_ptr<CGImage> image_;
    CGSize size_;
    CGFloat scale_ = 0;
    bool flipped_ = false;
    std::vector<CGRect> drawn_;
};

}  // namespace CoreGraphics
