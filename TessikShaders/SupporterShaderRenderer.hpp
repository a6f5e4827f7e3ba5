#pragma once
#include <array>
#include <memory>
#include <string>

#include "MetalKit/MTKView.hpp"
#include "Runtime/NSObject.hpp"
#include "TessikShaders/QuadRenderer.hpp"
#include "TessikShaders/RendererError.hpp"

namespace TessikShaders {

// The switch art: "supporterVertexShader" and "supporterFragmentShader" driven by six
// switches. Fragment inputs: size (bytes 0), time (1), the main screen's scale (2), and four
// lists of six floats in buffers made for each frame: on (3), held down (4), the indices of
// the latest switch-ons, newest first, -1 for none (5), and their clock times (6).
class SupporterShaderRenderer : public Runtime::NSObject, public QuadRenderer {
    VZ_OBJECT(SupporterShaderRenderer, Runtime::NSObject)
public:
    struct ErrorTag;
    using RendererError = RendererErrorOf<ErrorTag>;
    using Switches = std::array<float, 6>;
    static constexpr int animationBufferSize = 24;

    // Throws RendererError::noValidDevice without a device, command queue or quad buffer, and
    // the platform's error from library or pipeline creation.
    static std::shared_ptr<SupporterShaderRenderer> make(MetalKit::MTKView& view, std::string name);
    SupporterShaderRenderer(MetalKit::MTKView& view, std::string name);

    void drawInMTKView(MetalKit::MTKView& view) override;

    // 1.0 where a switch is on / held down.
    Switches switchOnState{};
    Switches switchDownState{};
    const Switches& switchHistory() const { return switchHistory_; }
    const Switches& switchHistoryTime() const { return switchHistoryTime_; }

    // Puts switch `index` at the head of the history, at the shader's current time; the
    // oldest entry falls out. An index outside 0...5 is ignored.
    void recordSwitchOn(int index);

    float scale() const { return scale_; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    float scale_ = 1;
    Switches switchHistory_;
    Switches switchHistoryTime_{};
};

}  // namespace TessikShaders
