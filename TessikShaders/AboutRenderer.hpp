#pragma once
#include <memory>

#include "Metal/MTLTexture.hpp"
#include "MetalKit/MTKView.hpp"
#include "Runtime/NSObject.hpp"
#include "TessikShaders/QuadRenderer.hpp"
#include "TessikShaders/RendererError.hpp"

namespace TessikShaders {

// The about art: "aboutVertexShader" and "aboutFragmentShader" over the whole view, with the
// module's logo and noise textures (fragment textures 0 and 1, loaded at the window's scale)
// and the inputs size (fragment bytes 0) and time (1). Draws in the view's own pixel format.
class AboutRenderer : public Runtime::NSObject, public QuadRenderer {
    VZ_OBJECT(AboutRenderer, Runtime::NSObject)
public:
    struct ErrorTag;
    using RendererError = RendererErrorOf<ErrorTag>;

    // Throws RendererError::noValidDevice without a device, command queue or quad buffer; the
    // platform's error (Foundation::NSError) when the pipeline cannot be made (a missing
    // library leaves its functions absent) or a texture cannot be loaded.
    static std::shared_ptr<AboutRenderer> make(MetalKit::MTKView& view);
    explicit AboutRenderer(MetalKit::MTKView& view);

    void drawInMTKView(MetalKit::MTKView& view) override;

    const std::shared_ptr<Metal::MTLTexture>& logoTexture() const { return logoTexture_; }
    const std::shared_ptr<Metal::MTLTexture>& noiseTexture() const { return noiseTexture_; }

private:
    std::shared_ptr<Metal::MTLTexture> logoTexture_, noiseTexture_;
};

}  // namespace TessikShaders
