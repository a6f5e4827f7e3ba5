#include "AppKit/NSAnimationContext.hpp"

#include <vector>

#include "Runtime/MainActor.hpp"

namespace AppKit {

namespace {
std::vector<NSAnimationContext>& stack() {
    // The outermost context is always there.
    static std::vector<NSAnimationContext> contexts(1);
    return contexts;
}
}  // namespace

void NSAnimationContext::beginGrouping() {
    Runtime::assertMainActor();
    auto& s = stack();
    s.push_back(s.back());
}

void NSAnimationContext::endGrouping() {
    Runtime::assertMainActor();
    auto& s = stack();
    if (s.size() > 1) s.pop_back();
}

NSAnimationContext& NSAnimationContext::current() { return stack().back(); }

}  // namespace AppKit
