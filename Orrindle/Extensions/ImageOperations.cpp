#include "Orrindle/Extensions/ImageOperations.hpp"

#include <limits>
#include <vector>

#include "CoreGraphics/CGContext.hpp"

namespace Orrindle {

using CoreGraphics::CGContext;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;
using CoreGraphics::CompositingOperation;
using CoreGraphics::ImageAsset;

namespace {

// A new image of `size` points drawn by `draw` once per pixel density of `source`.
AppKit::NSImage::Ptr redrawn(const AppKit::NSImage& source, CGSize size, const std::function<void(CGContext&)>& draw) {
    std::vector<CoreGraphics::CGFloat> scales;
    for (const auto& rep : source.asset()->representations()) scales.push_back(rep.scale);
    if (scales.empty()) scales.push_back(1);
    std::vector<ImageAsset::Representation> reps;
    for (auto scale : scales) {
        CGContext ctx(size, false, scale);
        draw(ctx);
        reps.push_back({scale, ctx.makeImage()});
    }
    auto image = AppKit::NSImage::withAsset(std::make_shared<ImageAsset>(source.name(), size, std::move(reps)));
    image->setSize(size);
    return image;
}

}  // namespace

CGFloat aspectRatio(const AppKit::NSImage& image) { return image.size().width / image.size().height; }
CGRect bounds(const AppKit::NSImage& image) { return {{0, 0}, image.size()}; }
CGFloat width(const AppKit::NSImage& image) { return image.size().width; }
CGFloat height(const AppKit::NSImage& image) { return image.size().height; }

AppKit::NSImage::Ptr withAlpha(const AppKit::NSImage& image, CGFloat alpha) {
    return redrawn(image, image.size(), [&](CGContext& ctx) {
        ctx.draw(image.asset(), bounds(image), {}, CompositingOperation::sourceOver, alpha, true);
    });
}

AppKit::NSImage::Ptr withPadding(const AppKit::NSImage& image, CGFloat leading) {
    const CGSize size = image.size();
    return redrawn(image, {size.width + leading, size.height}, [&](CGContext& ctx) {
        ctx.draw(image.asset(), {{leading, 0}, size}, {}, CompositingOperation::sourceOver, 1, true);
    });
}

AppKit::NSImage::Ptr renderedIfTemplate(const AppKit::NSImage::Ptr& image, const AppKit::NSColor& color) {
    if (!image || !image->isTemplate()) return image;
    auto tinted = redrawn(*image, image->size(), [&](CGContext& ctx) {
        const CGRect whole = bounds(*image);
        ctx.draw(image->asset(), whole, {}, CompositingOperation::sourceOver, 1, true);
        ctx.setCompositingOperation(CompositingOperation::sourceIn);
        ctx.setFillColor(color.cgColor());
        ctx.fill(whole);
    });
    tinted->setTemplate(false);
    return tinted;
}

std::optional<ImageAsset::Representation> firstBitmapImageRep(const AppKit::NSImage& image, CGFloat scale) {
    const auto best = image.asset()->bestBitmap(scale);
    if (!best) return std::nullopt;
    for (const auto& rep : image.asset()->representations())
        if (rep.bitmap == best) return rep;
    return std::nullopt;
}

AppKit::NSImage::Ptr filterRepresentations(const AppKit::NSImage& image,
                                           const std::function<bool(const ImageAsset::Representation&)>& keep) {
    std::vector<ImageAsset::Representation> kept;
    for (const auto& rep : image.asset()->representations())
        if (keep(rep)) kept.push_back(rep);
    auto filtered = AppKit::NSImage::withAsset(
        std::make_shared<ImageAsset>(image.name(), image.asset()->size(), std::move(kept), image.asset()->isTemplate()));
    filtered->setSize(image.size());
    filtered->setTemplate(image.isTemplate());
    return filtered;
}

std::optional<std::vector<std::uint8_t>> pngP3Data(const AppKit::NSImage& image) {
    const auto bitmap = image.asset()->bestBitmap(std::numeric_limits<CGFloat>::infinity());
    if (!bitmap) return std::nullopt;
    return bitmap->pngDataDisplayP3();
}

}  // namespace Orrindle
