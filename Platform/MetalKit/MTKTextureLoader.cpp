#include "MetalKit/MTKTextureLoader.hpp"

#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/NSError.hpp"

namespace MetalKit {

namespace {
enum : long { kNotFound = 1, kCannotRead = 2 };

std::shared_ptr<Metal::MTLTexture> fromImage(Metal::MTLDevice& device, const CoreGraphics::CGImage& image,
                                             const std::string& what) {
    auto texture = device.newTexture(
        Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::bgra8Unorm, image.width(), image.height()));
    if (!texture) throw Foundation::NSError(MTKTextureLoaderErrorDomain, kCannotRead, "no memory for the texture of " + what);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            auto c = image.pixel(x, y);
            texture->write(x, y, {float(c.r), float(c.g), float(c.b), float(c.a)});
        }
    return texture;
}
}  // namespace

std::shared_ptr<Metal::MTLTexture> MTKTextureLoader::newTexture(const std::string& name, CoreGraphics::CGFloat scaleFactor,
                                                                const Foundation::Bundle& bundle) {
    auto asset = CoreGraphics::AssetCatalog::forBundle(bundle)->findImage(name);
    auto bitmap = asset ? asset->bestBitmap(scaleFactor > 0 ? scaleFactor : 1) : nullptr;
    if (!bitmap)
        throw Foundation::NSError(MTKTextureLoaderErrorDomain, kNotFound,
                                  "Could not find resource " + name + " at specified location.");
    return fromImage(*device_, *bitmap, "\"" + name + "\"");
}

std::shared_ptr<Metal::MTLTexture> MTKTextureLoader::newTexture(const Foundation::URL& url) {
    auto image = CoreGraphics::CGImage::readPNG(url.path());
    if (!image) throw Foundation::NSError(MTKTextureLoaderErrorDomain, kCannotRead, "cannot read a PNG image at " + url.path());
    return fromImage(*device_, *image, url.path());
}

}  // namespace MetalKit
