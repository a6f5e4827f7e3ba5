#include "TessikShaders/AboutSampleView.hpp"

namespace TessikShaders {

std::shared_ptr<AboutSampleView> AboutSampleView::make(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device) {
    return Runtime::make<AboutSampleView>(frame, std::move(device));
}

void AboutSampleView::viewDidMoveToSuperview() {
    setDevice(Metal::MTLCreateSystemDefaultDevice());
    setColorPixelFormat(Metal::MTLPixelFormat::rgba16Float);
    setColorspace(CoreGraphics::CGColorSpace::extendedLinearDisplayP3);
    try {
        renderer_ = AboutRenderer::make(*this);
    } catch (const std::exception&) {
        renderer_.reset();
    }
    setDelegate(renderer_);
}

}  // namespace TessikShaders
