#include "TessikShaders/MetalShaderRenderer.hpp"

#include <random>

#include "TessikShaders/RenderPipeline.hpp"

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
    : QuadRenderer(view, RendererError::noValidDevice()), seed_(randomSeed()), name_(std::move(name)) {
    finishSetUp(view, makeRenderPipelineState(*device(), vertxShaderName, fragmentShaderName), RendererError::noValidDevice());
}

void MetalShaderRenderer::drawInMTKView(MetalKit::MTKView& view) {
    drawQuad(view, name_ + " Command Buffer", {}, [&](Metal::MTLRenderCommandEncoder& encoder) {
        const Metal::shading::float2 size = viewSize();
        const float t = time();
        encoder.setFragmentBytes(&size, sizeof(size), 0);
        encoder.setFragmentBytes(&seed_, sizeof(seed_), 1);
        encoder.setFragmentBytes(&t, sizeof(t), 2);
    });
}

}  // namespace TessikShaders
