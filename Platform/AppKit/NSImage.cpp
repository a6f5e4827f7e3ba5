#include "AppKit/NSImage.hpp"

#include "AppKit/AssetLookup.hpp"
#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

NSImage::Ptr NSImage::named(const std::string& name, const std::shared_ptr<Foundation::Bundle>& bundle) {
    auto catalog = assetCatalog(bundle);
    if (!catalog) return nullptr;
    auto asset = catalog->findImage(name);
    return asset ? withAsset(asset) : nullptr;
}

NSImage::Ptr NSImage::withResource(const CoreGraphics::ImageResource& resource) {
    auto catalog = assetCatalog(resource.bundle.get());
    if (!catalog) return withAsset(std::make_shared<CoreGraphics::ImageAsset>(resource.name, CoreGraphics::CGSize{}));
    return withAsset(catalog->image(resource.name));
}

NSImage::Ptr NSImage::withAsset(CoreGraphics::ImageRef asset) {
    auto image = Runtime::make<NSImage>();
    if (!asset) asset = std::make_shared<CoreGraphics::ImageAsset>();
    image->size_ = asset->size();
    image->template_ = asset->isTemplate();
    image->asset_ = std::move(asset);
    return image;
}

NSImage::Ptr NSImage::withSize(CoreGraphics::CGSize size) {
    return withAsset(std::make_shared<CoreGraphics::ImageAsset>(std::string(), size));
}

NSImage::Ptr NSImage::copy() const {
    auto image = withAsset(asset_);
    image->size_ = size_;
    image->template_ = template_;
    image->resizingMode_ = resizingMode_;
    image->capInsets_ = capInsets_;
    image->representations_ = representations_;
    return image;
}

void NSImage::draw(CoreGraphics::CGRect in, CoreGraphics::CGRect from, CompositingOperation operation,
                   CoreGraphics::CGFloat fraction, bool respectFlipped) const {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    ctx->draw(asset_, in, from, operation, fraction, respectFlipped);
}

}  // namespace AppKit
