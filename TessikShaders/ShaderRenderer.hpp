#pragma once
#include "MetalKit/MTKViewDelegate.hpp"

namespace TessikShaders {

// What the view controllers need of any renderer: it draws the view's frames and keeps
// its clock still while the window is not key.
class ShaderRenderer : public MetalKit::MTKViewDelegate {
public:
    // Opens a pause now (its clock stops).
    virtual void willPause() = 0;
    // Closes an open pause; nothing without one.
    virtual void willResume() = 0;
};

}  // namespace TessikShaders
