#include "TessikShaders/ShaderQuad.hpp"

namespace TessikShaders {

std::shared_ptr<Metal::MTLBuffer> ShaderQuad::makeBuffer(Metal::MTLDevice& device) {
    return device.newBuffer(vertices.data(), sizeof(vertices), 0);
}

void ShaderQuad::draw(MetalKit::MTKView& view, Metal::MTLCommandQueue& queue, const Frame& frame,
                      const std::function<void(Metal::MTLRenderCommandEncoder&)>& bindFragmentInputs) {
    auto pass = view.currentRenderPassDescriptor();
    if (!pass) return;
    auto commandBuffer = queue.commandBuffer();
    if (!commandBuffer) return;
    auto encoder = commandBuffer->renderCommandEncoder(*pass);
    if (!encoder) return;
    commandBuffer->setLabel(frame.commandBufferLabel);
    if (!frame.encoderLabel.empty()) encoder->setLabel(frame.encoderLabel);
    encoder->setRenderPipelineState(frame.pipeline);
    encoder->setViewport(frame.viewport);
    encoder->setVertexBuffer(frame.quad, 0, 0);
    bindFragmentInputs(*encoder);
    encoder->drawPrimitives(Metal::MTLPrimitiveType::triangleStrip, 0, vertexCount);
    encoder->endEncoding();
    if (auto drawable = view.currentDrawable()) commandBuffer->present(drawable);
    commandBuffer->commit();
}

}  // namespace TessikShaders
