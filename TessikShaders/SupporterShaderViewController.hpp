#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSView.hpp"
#include "TessikShaders/ShaderViewHost.hpp"
#include "TessikShaders/SupporterShaderRenderer.hpp"

namespace TessikShaders {

// The switch art in any view, shown, paused and torn down as MetalShaderViewController does,
// with six switches (indices 0...5; others are ignored) to turn on and off and to hold down.
// The switches live with the renderer; the states set with setInitialButtonStates are kept
// and applied to every new one.
class SupporterShaderViewController : public ShaderViewHost {
    VZ_OBJECT(SupporterShaderViewController, ShaderViewHost)
public:
    static std::shared_ptr<SupporterShaderViewController> make(const AppKit::NSView::Ptr& view, std::string rendererName);
    explicit SupporterShaderViewController(std::string rendererName) : rendererName_(std::move(rendererName)) {}

    void setInitialButtonStates(bool on1, bool on2, bool on3, bool on4, bool on5, bool on6);
    void switchOn(int index);
    void switchOff(int index);
    void switchDown(int index);
    void switchUp(int index);

    std::shared_ptr<SupporterShaderRenderer> renderer() const {
        return std::dynamic_pointer_cast<SupporterShaderRenderer>(currentRenderer());
    }

protected:
    std::shared_ptr<ShaderRenderer> makeRenderer(MetalKit::MTKView& view) override;

private:
    std::string rendererName_;
    std::optional<SupporterShaderRenderer::Switches> switchOnStateToSetOnAppear_;
};

}  // namespace TessikShaders
