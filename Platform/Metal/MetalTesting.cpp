#include "Metal/MetalTesting.hpp"

namespace Metal::Testing {

Switches& switches() {
    static Switches s;
    return s;
}

void reset() {
    auto& s = switches();
    s.noSystemDefaultDevice = false;
    s.noCommandQueue = false;
    s.noBuffer = false;
    s.noCommandBuffer = false;
    s.noRenderCommandEncoder = false;
}

}  // namespace Metal::Testing
