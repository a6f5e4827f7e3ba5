#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/MTLRenderCommandEncoder.hpp"
#include "Metal/ShaderMath.hpp"
#include "MetalKit/MTKView.hpp"
#include "TessikShaders/ShaderClock.hpp"
#include "TessikShaders/ShaderQuad.hpp"
#include "TessikShaders/ShaderRenderer.hpp"

namespace TessikShaders {

// What the renderers share: the view's device and a command queue of it, the renderer's
// pipeline, the quad over the whole drawable at the drawable's viewport, and the animation
// clock, which stands still while a pause is open. A renderer makes its pipeline and binds its
// own fragment inputs. Main thread.
class QuadRenderer : public ShaderRenderer {
public:
    // The next frame draws over the whole of the new size.
    void mtkViewDrawableSizeWillChange(MetalKit::MTKView& view, CoreGraphics::CGSize size) override;
    void willPause() override { clock_.setPauseTime(ShaderClock::now()); }
    void willResume() override { clock_.willResume(); }

    const std::optional<double>& pauseTime() const { return clock_.pauseTime(); }
    void setPauseTime(std::optional<double> time) { clock_.setPauseTime(time); }
    double pausedTime() const { return clock_.pausedTime(); }
    // The time input a frame drawn now gets.
    float time() const { return float(clock_.elapsed()); }

    // The size input: the viewport's width and height.
    Metal::shading::float2 viewSize() const { return {float(viewport_.width), float(viewport_.height)}; }
    const Metal::MTLViewport& viewport() const { return viewport_; }
    const std::shared_ptr<Metal::MTLDevice>& device() const { return device_; }

protected:
    // The view's device and a new command queue of it; throws `noValidDevice` without either.
    template <class Error>
    QuadRenderer(MetalKit::MTKView& view, const Error& noValidDevice) : device_(view.device()) {
        if (device_) commandQueue_ = device_->newCommandQueue();
        if (!commandQueue_) throw noValidDevice;
    }

    // Once the renderer's pipeline is made: the quad, the viewport of the view's drawable, and
    // the clock started now. Throws `noValidDevice` without memory for the quad.
    template <class Error>
    void finishSetUp(MetalKit::MTKView& view, std::shared_ptr<Metal::MTLRenderPipelineState> pipeline, const Error& noValidDevice) {
        pipelineState_ = std::move(pipeline);
        vertexBuffer_ = ShaderQuad::makeBuffer(*device_);
        if (!vertexBuffer_) throw noValidDevice;
        viewport_ = ShaderQuad::viewport(view.drawableSize());
        clock_.restart();
    }

    // One frame with the pipeline, viewport and quad (see ShaderQuad::draw); an empty encoder
    // label leaves the encoder without one.
    void drawQuad(MetalKit::MTKView& view, std::string commandBufferLabel, std::string encoderLabel,
                  const std::function<void(Metal::MTLRenderCommandEncoder&)>& bindFragmentInputs);

private:
    std::shared_ptr<Metal::MTLDevice> device_;
    std::shared_ptr<Metal::MTLCommandQueue> commandQueue_;
    std::shared_ptr<Metal::MTLRenderPipelineState> pipelineState_;
    std::shared_ptr<Metal::MTLBuffer> vertexBuffer_;
    Metal::MTLViewport viewport_;
    ShaderClock clock_;
};

}  // namespace TessikShaders
