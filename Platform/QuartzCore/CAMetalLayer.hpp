#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/Color.hpp"
#include "Metal/MTLDevice.hpp"
#include "QuartzCore/CALayer.hpp"
#include "QuartzCore/CAMetalDrawable.hpp"

namespace QuartzCore {

// A layer whose contents come from Metal textures: hands out drawables of `drawableSize`
// pixels in `pixelFormat`, and turns a presented one into 8-bit sRGB contents by its colour
// space.
class CAMetalLayer : public CALayer {
    VZ_OBJECT(CAMetalLayer, CALayer)
public:
    static std::shared_ptr<CAMetalLayer> make() { return Runtime::make<CAMetalLayer>(); }

    std::shared_ptr<Metal::MTLDevice> device() const { return device_; }
    void setDevice(std::shared_ptr<Metal::MTLDevice> device) { device_ = std::move(device); }
    Metal::MTLPixelFormat pixelFormat() const { return pixelFormat_; }
    void setPixelFormat(Metal::MTLPixelFormat format) { pixelFormat_ = format; }
    // Absent: values are taken as sRGB for 8-bit formats and extended linear sRGB for half
    // floats.
    const std::optional<CoreGraphics::CGColorSpace>& colorspace() const { return colorspace_; }
    void setColorspace(std::optional<CoreGraphics::CGColorSpace> space) { colorspace_ = space; }
    CoreGraphics::CGSize drawableSize() const { return drawableSize_; }
    void setDrawableSize(CoreGraphics::CGSize size) { drawableSize_ = size; }

    // nullptr without a device or with an empty drawable size.
    std::shared_ptr<CAMetalDrawable> nextDrawable();

    // The texture as display pixels (premultiplied ARGB32, sRGB) by this layer's format and
    // colour space.
    std::shared_ptr<CoreGraphics::CGImage> displayImage(const Metal::MTLTexture& texture) const;

protected:
    CAMetalLayer() = default;

private:
    std::shared_ptr<Metal::MTLDevice> device_;
    Metal::MTLPixelFormat pixelFormat_ = Metal::MTLPixelFormat::bgra8Unorm;
    std::optional<CoreGraphics::CGColorSpace> colorspace_;
    CoreGraphics::CGSize drawableSize_{0, 0};
    std::vector<std::shared_ptr<Metal::MTLTexture>> textures_;  // reused while no one else holds them
};

}  // namespace QuartzCore
