#include "TessikShaders/QuadRenderer.hpp"

namespace TessikShaders {

void QuadRenderer::mtkViewDrawableSizeWillChange(MetalKit::MTKView&, CoreGraphics::CGSize size) {
    viewport_ = ShaderQuad::viewport(size);
}

void QuadRenderer::drawQuad(MetalKit::MTKView& view, std::string commandBufferLabel, std::string encoderLabel,
                            const std::function<void(Metal::MTLRenderCommandEncoder&)>& bindFragmentInputs) {
    ShaderQuad::draw(view, *commandQueue_,
                     {std::move(commandBufferLabel), std::move(encoderLabel), pipelineState_, viewport_, vertexBuffer_},
                     bindFragmentInputs);
}

}  // namespace TessikShaders
