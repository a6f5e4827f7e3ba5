#pragma once
#include <memory>
#include <string>

#include "CoreGraphics/Geometry.hpp"
#include "Foundation/URL.hpp"
#include "Metal/MTLDevice.hpp"

namespace Foundation {
class Bundle;
}

namespace MetalKit {

inline constexpr const char* MTKTextureLoaderErrorDomain = "MTKTextureLoaderErrorDomain";

// Makes textures from pictures: a named image of a bundle's asset catalogue (the bitmap
// that suits `scaleFactor`) or a PNG file. Textures are bgra8Unorm holding straight sRGB
// values. Throws Foundation::NSError (MTKTextureLoaderErrorDomain) when there is no such
// picture or it cannot be read.
class MTKTextureLoader {
public:
    explicit MTKTextureLoader(std::shared_ptr<Metal::MTLDevice> device) : device_(std::move(device)) {}
    const std::shared_ptr<Metal::MTLDevice>& device() const { return device_; }

    std::shared_ptr<Metal::MTLTexture> newTexture(const std::string& name, CoreGraphics::CGFloat scaleFactor,
                                                  const Foundation::Bundle& bundle);
    std::shared_ptr<Metal::MTLTexture> newTexture(const Foundation::URL& url);

private:
    std::shared_ptr<Metal::MTLDevice> device_;
};

}  // namespace MetalKit
