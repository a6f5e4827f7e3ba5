#pragma once
#include <memory>

#include "MetalKit/MTKView.hpp"
#include "TessikShaders/AboutRenderer.hpp"

namespace TessikShaders {

// A Metal view that shows the about art on its own: every time it is put into a view (or
// taken out) it takes the system's device, draws wide-gamut (rgba16Float, extended linear
// Display P3) and starts a new AboutRenderer as its delegate; none when that cannot be built.
class AboutSampleView : public MetalKit::MTKView {
    VZ_OBJECT(AboutSampleView, MetalKit::MTKView)
public:
    static std::shared_ptr<AboutSampleView> make(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device);

    const std::shared_ptr<AboutRenderer>& renderer() const { return renderer_; }
    void viewDidMoveToSuperview() override;

    AboutSampleView(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device)
        : MetalKit::MTKView(frame, std::move(device)) {}

private:
    std::shared_ptr<AboutRenderer> renderer_;
};

}  // namespace TessikShaders
