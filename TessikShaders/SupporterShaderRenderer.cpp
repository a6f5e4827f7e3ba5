#include "TessikShaders/SupporterShaderRenderer.hpp"

#include "AppKit/NSScreen.hpp"
#include "Metal/ShaderMath.hpp"
#include "TessikShaders/RenderPipeline.hpp"

namespace TessikShaders {

std::shared_ptr<SupporterShaderRenderer> SupporterShaderRenderer::make(MetalKit::MTKView& view, std::string name) {
    return Runtime::make<SupporterShaderRenderer>(view, std::move(name));
}

SupporterShaderRenderer::SupporterShaderRenderer(MetalKit::MTKView& view, std::string name)
    : QuadRenderer(view, RendererError::noValidDevice()), name_(std::move(name)) {
    switchHistory_.fill(-1.0f);
    auto screen = AppKit::NSScreen::main();
    scale_ = screen ? float(screen->backingScaleFactor()) : 1.0f;
    finishSetUp(view, makeRenderPipelineState(*device(), "supporterVertexShader", "supporterFragmentShader"),
                RendererError::noValidDevice());
}

void SupporterShaderRenderer::recordSwitchOn(int index) {
    if (index < 0 || index >= int(switchHistory_.size())) return;
    for (std::size_t i = switchHistory_.size() - 1; i >= 1; --i) {
        switchHistory_[i] = switchHistory_[i - 1];
        switchHistoryTime_[i] = switchHistoryTime_[i - 1];
    }
    switchHistoryTime_[0] = time();
    switchHistory_[0] = float(index);
}

void SupporterShaderRenderer::drawInMTKView(MetalKit::MTKView& view) {
    // The lists as they are now, copied for this frame alone.
    std::array<std::shared_ptr<Metal::MTLBuffer>, 4> lists;
    const Switches* sources[] = {&switchOnState, &switchDownState, &switchHistory_, &switchHistoryTime_};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lists[i] = device()->newBuffer(sources[i]->data(), animationBufferSize, 0);
        if (!lists[i]) return;  // no memory for this frame: skip it
    }
    drawQuad(view, name_ + " Command Buffer", {}, [&](Metal::MTLRenderCommandEncoder& encoder) {
        const Metal::shading::float2 size = viewSize();
        const float t = time();
        encoder.setFragmentBytes(&size, sizeof(size), 0);
        encoder.setFragmentBytes(&t, sizeof(t), 1);
        encoder.setFragmentBytes(&scale_, sizeof(scale_), 2);
        for (std::size_t i = 0; i < lists.size(); ++i) encoder.setFragmentBuffer(lists[i], 0, int(3 + i));
    });
}

}  // namespace TessikShaders
