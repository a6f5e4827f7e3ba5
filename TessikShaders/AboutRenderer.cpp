#include "TessikShaders/AboutRenderer.hpp"

#include "AppKit/NSWindow.hpp"
#include "Metal/ShaderMath.hpp"
#include "MetalKit/MTKTextureLoader.hpp"
#include "TessikShaders/ModuleBundle.hpp"

namespace TessikShaders {

namespace {
std::shared_ptr<Metal::MTLRenderPipelineState> makeAboutPipelineState(MetalKit::MTKView& view) {
    auto& device = *view.device();
    std::shared_ptr<Metal::MTLLibrary> library;
    try {
        library = device.newDefaultLibrary(*ModuleBundle::module());
    } catch (const std::exception&) {
        // Without a library the functions stay absent and the pipeline reports it.
    }
    Metal::MTLRenderPipelineDescriptor descriptor;
    descriptor.label = "About View Pipeline";
    if (library) {
        descriptor.vertexFunction = library->newFunction("aboutVertexShader");
        descriptor.fragmentFunction = library->newFunction("aboutFragmentShader");
    }
    descriptor.colorAttachments[0].pixelFormat = view.colorPixelFormat();
    return device.newRenderPipelineState(descriptor);
}
}  // namespace

std::shared_ptr<AboutRenderer> AboutRenderer::make(MetalKit::MTKView& view) { return Runtime::make<AboutRenderer>(view); }

AboutRenderer::AboutRenderer(MetalKit::MTKView& view) : QuadRenderer(view, RendererError::noValidDevice()) {
    auto pipeline = makeAboutPipelineState(view);
    auto window = view.window();
    const double scale = window ? window->backingScaleFactor() : 1.0;
    MetalKit::MTKTextureLoader loader(device());
    logoTexture_ = loader.newTexture("skeln-logo", scale, *ModuleBundle::module());
    noiseTexture_ = loader.newTexture("skeln-noise", scale, *ModuleBundle::module());
    finishSetUp(view, std::move(pipeline), RendererError::noValidDevice());
}

void AboutRenderer::drawInMTKView(MetalKit::MTKView& view) {
    drawQuad(view, "About View Command Buffer", "About View Render Encoder", [&](Metal::MTLRenderCommandEncoder& encoder) {
        const Metal::shading::float2 size = viewSize();
        const float t = time();
        encoder.setFragmentBytes(&size, sizeof(size), 0);
        encoder.setFragmentBytes(&t, sizeof(t), 1);
        encoder.setFragmentTexture(logoTexture_, 0);
        encoder.setFragmentTexture(noiseTexture_, 1);
    });
}

}  // namespace TessikShaders
