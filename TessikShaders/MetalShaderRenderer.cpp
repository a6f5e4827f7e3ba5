#include "TessikShaders/MetalShaderRenderer.hpp"

#include <random>

#include "TessikShaders/RenderPipeline.hpp"
#include "TessikShaders/ShaderQuad.hpp"

namespace TessikShaders {

std::uint32_t randomSeed() {
    std::random_device source;
    std::uint64_t bits = (std::uint64_t(source()) << 32) | source();
    return std::uint32_t(bits);
}

std::shared_ptr<MetalShaderRenderer> MetalShaderRenderer::make(MetalKit::MTKView& view, std::string name,
                                                               const std::string& vertxShaderName,
                                                               const std::string& fragmentShaderName) {
    return Runtime::make<MetalShaderRenderer>(view, std::move(name), vertxShaderName, fragmentShaderName);
}

MetalShaderRenderer::MetalShaderRenderer(MetalKit::MTKView& view, std::string name, const std::string& vertxShaderName,
                                         const std::string& fragmentShaderName)
    : seed_(randomSeed()) {
    device_ = view.device();
    if (!device_) throw RendererError::noValidDevice();
    commandQueue_ = device_->newCommandQueue();
    if (!commandQueue_) throw RendererError::noValidDevice();
    name_ = std::move(name);
    pipelineState_ = makeRenderPipelineState(*device_, vertxShaderName, fragmentShaderName);
    // Without memory for four vertices there is nothing to draw with either.
    vertexBuffer_ = ShaderQuad::makeBuffer(*device_);
    if (!vertexBuffer_) throw RendererError::noValidDevice();
    viewport_ = ShaderQuad::viewport(view.drawableSize());
    clock_.restart();
}

void MetalShaderRenderer::mtkViewDrawableSizeWillChange(MetalKit::MTKView&, CoreGraphics::CGSize size) {
    viewport_ = ShaderQuad::viewport(size);
}

void MetalShaderRenderer::drawInMTKView(MetalKit::MTKView& view) {
    ShaderQuad::draw(view, *commandQueue_, {name_ + " Command Buffer", {}, pipelineState_, viewport_, vertexBuffer_},
                     [&](Metal::MTLRenderCommandEncoder& encoder) {
                         const Metal::shading::float2 size = viewSize();
                         const float t = time();
                         encoder.setFragmentBytes(&size, sizeof(size), 0);
                         encoder.setFragmentBytes(&seed_, sizeof(seed_), 1);
                         encoder.setFragmentBytes(&t, sizeof(t), 2);
                     });
}

}  // namespace TessikShaders
