#pragma once
#include <memory>

#include "SwiftUI/NSViewRepresentable.hpp"
#include "TessikShaders/MetalShaderViewController.hpp"

namespace Vantrel_Zellow {

// The welcome window's animated header: the shader views' controller with the waveform
// functions, in the SwiftUI layout. Main thread.
struct ContentViewShader : SwiftUI::NSViewControllerRepresentable<ContentViewShader, TessikShaders::MetalShaderViewController> {
    // A 300 x 300 view to start with (the layout then sizes it) under a controller drawing
    // "audioWaveformVertexShader" and "audioWaveformFragmentShader" as the renderer "Main".
    std::shared_ptr<TessikShaders::MetalShaderViewController> makeNSViewController(Context& context) const;
    // Asks the Metal view, once it exists, for one more frame.
    void updateNSViewController(TessikShaders::MetalShaderViewController& controller, Context& context) const;
};

}  // namespace Vantrel_Zellow
