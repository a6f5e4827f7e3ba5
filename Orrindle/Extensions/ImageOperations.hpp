#pragma once
#include <cstdint>
#include <functional>
#include <vector>
#include <optional>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSImage.hpp"
#include "CoreGraphics/ImageAsset.hpp"

// Operations on the kit's images. New images keep the receiver's pixel densities: they are
// drawn once for each scale the receiver has a bitmap at (1x when it has none).
namespace Orrindle {

using CoreGraphics::CGFloat;

CGFloat aspectRatio(const AppKit::NSImage& image);
CoreGraphics::CGRect bounds(const AppKit::NSImage& image);
CGFloat width(const AppKit::NSImage& image);
CGFloat height(const AppKit::NSImage& image);

// A new image of the same size: the receiver drawn over it, source-over at opacity `alpha`.
AppKit::NSImage::Ptr withAlpha(const AppKit::NSImage& image, CGFloat alpha);
// A new image `leading` points wider: a transparent strip, then the receiver at its own size.
AppKit::NSImage::Ptr withPadding(const AppKit::NSImage& image, CGFloat leading);

// The receiver itself unless it is a template; for a template, a new image of its shape filled
// with `color` (source-in over the drawn template, so the colour's own alpha carries through),
// not a template.
AppKit::NSImage::Ptr renderedIfTemplate(const AppKit::NSImage::Ptr& image, const AppKit::NSColor& color);

// The bitmap representation that best suits drawing at `scale` pixels per point: the
// smallest of at least that scale, else the largest; none for an image without bitmaps.
std::optional<CoreGraphics::ImageAsset::Representation> firstBitmapImageRep(const AppKit::NSImage& image, CGFloat scale);
// A new image with those of the receiver's representations, in order, that the predicate
// keeps (it may throw; the error passes through).
AppKit::NSImage::Ptr filterRepresentations(
    const AppKit::NSImage& image, const std::function<bool(const CoreGraphics::ImageAsset::Representation&)>& keep);

// The image's sharpest bitmap as PNG data with 16 bits per component, its colours in Display
// P3; none when the image has no bitmap or encoding fails.
std::optional<std::vector<std::uint8_t>> pngP3Data(const AppKit::NSImage& image);

}  // namespace Orrindle
