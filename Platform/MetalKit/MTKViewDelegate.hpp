#pragma once
#include "CoreGraphics/Geometry.hpp"

namespace MetalKit {

class MTKView;

// Draws a Metal view's frames; the view calls it on the main thread.
class MTKViewDelegate {
public:
    virtual ~MTKViewDelegate() = default;
    // The drawable is about to take `size` pixels; the next frame has it.
    virtual void mtkViewDrawableSizeWillChange(MTKView& view, CoreGraphics::CGSize size) = 0;
    virtual void drawInMTKView(MTKView& view) = 0;
};

}  // namespace MetalKit
