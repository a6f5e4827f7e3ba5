#include "TessikShaders/MetalShaderViewController.hpp"

namespace TessikShaders {

std::shared_ptr<MetalShaderViewController> MetalShaderViewController::make(const AppKit::NSView::Ptr& view,
                                                                         std::string rendererName,
                                                                         std::string vertxShaderName,
                                                                         std::string fragmentShaderName) {
    auto controller = Runtime::make<MetalShaderViewController>(std::move(rendererName), std::move(vertxShaderName),
                                                               std::move(fragmentShaderName));
    controller->setView(view);
    return controller;
}

MetalShaderViewController::MetalShaderViewController(std::string rendererName, std::string vertxShaderName,
                                                     std::string fragmentShaderName)
    : rendererName_(std::move(rendererName)), vertxShaderName_(std::move(vertxShaderName)),
      fragmentShaderName_(std::move(fragmentShaderName)) {}

std::shared_ptr<ShaderRenderer> MetalShaderViewController::makeRenderer(MetalKit::MTKView& view) {
    return MetalShaderRenderer::make(view, rendererName_, vertxShaderName_, fragmentShaderName_);
}

}  // namespace TessikShaders
