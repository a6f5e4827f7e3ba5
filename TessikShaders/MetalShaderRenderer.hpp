#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/ShaderMath.hpp"
#include "MetalKit/MTKView.hpp"
#include "Runtime/NSObject.hpp"
#include "TessikShaders/RendererError.hpp"
#include "TessikShaders/ShaderClock.hpp"
#include "TessikShaders/ShaderRenderer.hpp"

namespace TessikShaders {

// Draws one named pair of shader functions over the whole of a Metal view, every frame,
// with three fragment inputs: the drawable size (index 0, two floats), a seed fixed per
// renderer (1, 32-bit unsigned) and the time in seconds less every pause (2, float). The
// view's owner makes it the view's delegate and opens and closes its pauses. Main thread.
class MetalShaderRenderer : public Runtime::NSObject, public ShaderRenderer {
    VZ_OBJECT(MetalShaderRenderer, Runtime::NSObject)
public:
    struct ErrorTag;
    using RendererError = RendererErrorOf<ErrorTag>;

    // Throws RendererError::noValidDevice without a device, command queue or quad buffer,
    // and the platform's error (Foundation::NSError) from library or pipeline creation.
    static std::shared_ptr<MetalShaderRenderer> make(MetalKit::MTKView& view, std::string name,
                                                     const std::string& vertxShaderName,
                                                     const std::string& fragmentShaderName);

    void mtkViewDrawableSizeWillChange(MetalKit::MTKView& view, CoreGraphics::CGSize size) override;
    void drawInMTKView(MetalKit::MTKView& view) override;
    void willPause() override { clock_.setPauseTime(ShaderClock::now()); }
    void willResume() override { clock_.willResume(); }

    const std::optional<double>& pauseTime() const { return clock_.pauseTime(); }
    void setPauseTime(std::optional<double> time) { clock_.setPauseTime(time); }
    double pausedTime() const { return clock_.pausedTime(); }
    // The time input a frame drawn now gets.
    float time() const { return float(clock_.elapsed()); }

    Metal::shading::float2 viewSize() const { return {float(viewport_.width), float(viewport_.height)}; }
    std::uint32_t seed() const { return seed_; }
    const Metal::MTLViewport& viewport() const { return viewport_; }
    const std::string& name() const { return name_; }
    const std::shared_ptr<Metal::MTLDevice>& device() const { return device_; }

    MetalShaderRenderer(MetalKit::MTKView& view, std::string name, const std::string& vertxShaderName,
                        const std::string& fragmentShaderName);

private:
    std::shared_ptr<Metal::MTLDevice> device_;
    std::shared_ptr<Metal::MTLCommandQueue> commandQueue_;
    std::shared_ptr<Metal::MTLRenderPipelineState> pipelineState_;
    std::uint32_t seed_;
    std::shared_ptr<Metal::MTLBuffer> vertexBuffer_;
    Metal::MTLViewport viewport_;
    std::string name_;
    ShaderClock clock_;
};

// 64 bits from the system's random source, the low 32 kept.
std::uint32_t randomSeed();

}  // namespace TessikShaders
