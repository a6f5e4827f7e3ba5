#include "TessikShaders/AboutRenderer.hpp"

#include "AppKit/NSWindow.hpp"
#include "Metal/ShaderMath.hpp"
#include "MetalKit/MTKTextureLoader.hpp"
#include "TessikShaders/ModuleBundle.hpp"
#include "TessikShaders/ShaderQuad.hpp"

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

AboutRenderer::AboutRenderer(MetalKit::MTKView& view) {
    device_ = view.device();
    if (!device_) throw RendererError::noValidDevice();
    commandQueue_ = device_->newCommandQueue();
    if (!commandQueue_) throw RendererError::noValidDevice();
    pipelineState_ = makeAboutPipelineState(view);
    auto window = view.window();
    const double scale = window ? window->backingScaleFactor() : 1.0;
    MetalKit::MTKTextureLoader loader(device_);
    logoTexture_ = loader.newTexture("skeln-logo", scale, *ModuleBundle::module());
    noiseTexture_ = loader.newTexture("skeln-noise", scale, *ModuleBundle::module());
    vertexBuffer_ = ShaderQuad::makeBuffer(*device_);
    if (!vertexBuffer_) throw RendererError::noValidDevice();
    viewport_ = ShaderQuad::viewport(view.drawableSize());
    clock_.restart();
}

void AboutRenderer::mtkViewDrawableSizeWillChange(MetalKit::MTKView&, CoreGraphics::CGSize size) {
    viewport_ = ShaderQuad::viewport(size);
}

void AboutRenderer::drawInMTKView(MetalKit::MTKView& view) {
    ShaderQuad::draw(view, *commandQueue_,
                     {"About View Command Buffer", "About View Render Encoder", pipelineState_, viewport_, vertexBuffer_},
                     [&](Metal::MTLRenderCommandEncoder& encoder) {
                         const Metal::shading::float2 size{float(viewport_.width), float(viewport_.height)};
                         const float t = time();
                         encoder.setFragmentBytes(&size, sizeof(size), 0);
                         encoder.setFragmentBytes(&t, sizeof(t), 1);
                         encoder.setFragmentTexture(logoTexture_, 0);
                         encoder.setFragmentTexture(noiseTexture_, 1);
                     });
}

}  // namespace TessikShaders
