#pragma once
#include <memory>
#include <optional>

#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MTLDevice.hpp"
#include "MetalKit/MTKView.hpp"
#include "Runtime/NSObject.hpp"
#include "TessikShaders/RendererError.hpp"
#include "TessikShaders/ShaderClock.hpp"
#include "TessikShaders/ShaderRenderer.hpp"

namespace TessikShaders {

// The about art: "aboutVertexShader" and "aboutFragmentShader" over the whole view, with the
// module's logo and noise textures (fragment textures 0 and 1, loaded at the window's scale)
// and the inputs size (fragment bytes 0) and time (1). Draws in the view's own pixel format.
class AboutRenderer : public Runtime::NSObject, public ShaderRenderer {
    VZ_OBJECT(AboutRenderer, Runtime::NSObject)
public:
    struct ErrorTag;
    using RendererError = RendererErrorOf<ErrorTag>;

    // Throws RendererError::noValidDevice without a device, command queue or quad buffer; the
    // platform's error (Foundation::NSError) when the pipeline cannot be made (a missing
    // library leaves its functions absent) or a texture cannot be loaded.
    static std::shared_ptr<AboutRenderer> make(MetalKit::MTKView& view);
    explicit AboutRenderer(MetalKit::MTKView& view);

    void mtkViewDrawableSizeWillChange(MetalKit::MTKView& view, CoreGraphics::CGSize size) override;
    void drawInMTKView(MetalKit::MTKView& view) override;
    void willPause() override { clock_.setPauseTime(ShaderClock::now()); }
    void willResume() override { clock_.willResume(); }

    const std::optional<double>& pauseTime() const { return clock_.pauseTime(); }
    float time() const { return float(clock_.elapsed()); }
    const Metal::MTLViewport& viewport() const { return viewport_; }
    const std::shared_ptr<Metal::MTLTexture>& logoTexture() const { return logoTexture_; }
    const std::shared_ptr<Metal::MTLTexture>& noiseTexture() const { return noiseTexture_; }

private:
    std::shared_ptr<Metal::MTLDevice> device_;
    std::shared_ptr<Metal::MTLCommandQueue> commandQueue_;
    std::shared_ptr<Metal::MTLRenderPipelineState> pipelineState_;
    std::shared_ptr<Metal::MTLTexture> logoTexture_, noiseTexture_;
    std::shared_ptr<Metal::MTLBuffer> vertexBuffer_;
    Metal::MTLViewport viewport_;
    ShaderClock clock_;
};

}  // namespace TessikShaders
