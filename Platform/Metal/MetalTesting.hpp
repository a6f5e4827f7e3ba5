#pragma once
#include <atomic>

// Switches that make the platform's failure paths reachable in tests. All off by default.
namespace Metal::Testing {

struct Switches {
    std::atomic<bool> noSystemDefaultDevice{false};
    std::atomic<bool> noCommandQueue{false};
    std::atomic<bool> noBuffer{false};
    std::atomic<bool> noCommandBuffer{false};
    std::atomic<bool> noRenderCommandEncoder{false};
};
Switches& switches();
// Everything back off.
void reset();

}  // namespace Metal::Testing
