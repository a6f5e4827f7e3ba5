#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "Metal/MTLDevice.hpp"
#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MTLRenderCommandEncoder.hpp"
#include "MetalKit/MTKView.hpp"

namespace TessikShaders {

// The four clip-space corners every renderer draws as a triangle strip over the whole view:
// (-1, -1), (-1, 1), (1, -1), (1, 1), two floats each, 32 bytes.
struct ShaderQuad {
    static constexpr std::size_t vertexCount = 4;
    static constexpr std::array<float, 8> vertices{-1, -1, -1, 1, 1, -1, 1, 1};
    // (0, 0, width, height, znear 0, zfar 1): the whole drawable.
    static Metal::MTLViewport viewport(CoreGraphics::CGSize drawableSize) {
        return {0, 0, drawableSize.width, drawableSize.height, 0.0, 1.0};
    }
    // nullptr when the device has no memory for it.
    static std::shared_ptr<Metal::MTLBuffer> makeBuffer(Metal::MTLDevice& device);

    // One frame of a renderer: skipped without a render pass, command buffer or encoder;
    // otherwise the pipeline, the viewport and the quad at vertex 0, then `bindFragmentInputs`,
    // the strip, the drawable presented when there is one, and commit (never waited for).
    struct Frame {
        std::string commandBufferLabel;
        std::string encoderLabel;  // empty: the encoder keeps none
        const std::shared_ptr<Metal::MTLRenderPipelineState>& pipeline;
        const Metal::MTLViewport& viewport;
        const std::shared_ptr<Metal::MTLBuffer>& quad;
    };
    static void draw(MetalKit::MTKView& view, Metal::MTLCommandQueue& queue, const Frame& frame,
                     const std::function<void(Metal::MTLRenderCommandEncoder&)>& bindFragmentInputs);
};

}  // namespace TessikShaders
