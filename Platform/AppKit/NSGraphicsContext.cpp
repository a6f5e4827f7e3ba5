#include "AppKit/NSGraphicsContext.hpp"

namespace AppKit {

std::shared_ptr<NSGraphicsContext> NSGraphicsContext::current() {
    auto* ctx = CoreGraphics::CGContext::current();
    return ctx ? std::make_shared<NSGraphicsContext>(ctx) : nullptr;
}

}  // namespace AppKit
