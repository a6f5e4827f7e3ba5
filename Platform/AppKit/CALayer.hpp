#pragma once
#include <memory>
#include <optional>

#include "CoreGraphics/Color.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// The backing layer of a layer-backed view: here only its background colour, painted under the
// view's own drawing.
class CALayer : public Runtime::NSObject {
    VZ_OBJECT(CALayer, Runtime::NSObject)
public:
    const std::optional<CoreGraphics::CGColor>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<CoreGraphics::CGColor> color) { backgroundColor_ = std::move(color); }

protected:
    CALayer() = default;

private:
    std::optional<CoreGraphics::CGColor> backgroundColor_;
};

}  // namespace AppKit
