#pragma once
#include <memory>

#include "Metal/MTLDrawable.hpp"
#include "Metal/MTLTexture.hpp"

namespace QuartzCore {

class CAMetalLayer;

// A texture of a Metal layer that becomes the layer's contents when presented.
class CAMetalDrawable : public Metal::MTLDrawable {
public:
    CAMetalDrawable(std::shared_ptr<Metal::MTLTexture> texture, const std::shared_ptr<CAMetalLayer>& layer)
        : texture_(std::move(texture)), layer_(layer) {}
    const std::shared_ptr<Metal::MTLTexture>& texture() const { return texture_; }
    std::shared_ptr<CAMetalLayer> layer() const { return layer_.lock(); }
    void present() override;
    bool isPresented() const { return presented_; }

private:
    std::shared_ptr<Metal::MTLTexture> texture_;
    std::weak_ptr<CAMetalLayer> layer_;
    bool presented_ = false;
};

}  // namespace QuartzCore
