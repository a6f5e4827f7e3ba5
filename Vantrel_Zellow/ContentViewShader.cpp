#include "Vantrel_Zellow/ContentViewShader.hpp"

#include "Runtime/MainActor.hpp"

namespace Vantrel_Zellow {

std::shared_ptr<TessikShaders::MetalShaderViewController> ContentViewShader::makeNSViewController(Context&) const {
    Runtime::assertMainActor();
    auto view = Runtime::make<AppKit::NSView>(AppKit::CGRect{0, 0, 300, 300});
    return TessikShaders::MetalShaderViewController::make(view, "Main", "audioWaveformVertexShader", "audioWaveformFragmentShader");
}

void ContentViewShader::updateNSViewController(TessikShaders::MetalShaderViewController& controller, Context&) const {
    Runtime::assertMainActor();
    if (auto view = controller.metalKitView()) view->setNeedsDisplay(true);
}

}  // namespace Vantrel_Zellow
