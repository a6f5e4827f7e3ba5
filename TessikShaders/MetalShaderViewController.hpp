#pragma once
#include <memory>
#include <string>

#include "AppKit/NSView.hpp"
#include "TessikShaders/MetalShaderRenderer.hpp"
#include "TessikShaders/ShaderViewHost.hpp"

namespace TessikShaders {

// Shows one named pair of shader functions over the whole of a given view: when the view is
// about to appear it gets a Metal view at 60 fps with a MetalShaderRenderer (none without a
// Metal device or when the functions cannot be had: the view then stays empty); the
// animation and its clock stop while the window is not key and go on from where they stood
// when it is key again; on disappearance the Metal view and renderer go, and the next
// appearance starts afresh (time 0, a new seed). Main thread.
class MetalShaderViewController : public ShaderViewHost {
    VZ_OBJECT(MetalShaderViewController, ShaderViewHost)
public:
    // `view` becomes the controller's view; nothing Metal-related happens yet.
    static std::shared_ptr<MetalShaderViewController> make(const AppKit::NSView::Ptr& view, std::string rendererName,
                                                           std::string vertxShaderName, std::string fragmentShaderName);

    // While on screen; nullptr otherwise or when it could not be built.
    std::shared_ptr<MetalShaderRenderer> renderer() const {
        return std::dynamic_pointer_cast<MetalShaderRenderer>(currentRenderer());
    }

    MetalShaderViewController(std::string rendererName, std::string vertxShaderName, std::string fragmentShaderName);

protected:
    std::shared_ptr<ShaderRenderer> makeRenderer(MetalKit::MTKView& view) override;

private:
    std::string rendererName_, vertxShaderName_, fragmentShaderName_;
};

}  // namespace TessikShaders
