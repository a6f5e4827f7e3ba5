#pragma once
#include <memory>

#include "AppKit/NSView.hpp"
#include "TessikShaders/AboutRenderer.hpp"
#include "TessikShaders/ShaderViewHost.hpp"

namespace TessikShaders {

// The about art in any view, shown, paused and torn down as MetalShaderViewController does.
class AboutShaderViewController : public ShaderViewHost {
    VZ_OBJECT(AboutShaderViewController, ShaderViewHost)
public:
    static std::shared_ptr<AboutShaderViewController> make(const AppKit::NSView::Ptr& view);

    std::shared_ptr<AboutRenderer> renderer() const { return std::dynamic_pointer_cast<AboutRenderer>(currentRenderer()); }

protected:
    std::shared_ptr<ShaderRenderer> makeRenderer(MetalKit::MTKView& view) override;
};

}  // namespace TessikShaders
