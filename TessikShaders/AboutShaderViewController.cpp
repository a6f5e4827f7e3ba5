#include "TessikShaders/AboutShaderViewController.hpp"

namespace TessikShaders {

std::shared_ptr<AboutShaderViewController> AboutShaderViewController::make(const AppKit::NSView::Ptr& view) {
    auto controller = Runtime::make<AboutShaderViewController>();
    controller->setView(view);
    return controller;
}

std::shared_ptr<ShaderRenderer> AboutShaderViewController::makeRenderer(MetalKit::MTKView& view) {
    return AboutRenderer::make(view);
}

}  // namespace TessikShaders
