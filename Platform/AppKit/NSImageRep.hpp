#pragma once
#include <memory>

#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// One rendition of an image at one size (an icon holds several).
class NSImageRep : public Runtime::NSObject {
    VZ_OBJECT(NSImageRep, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSImageRep>;
    static Ptr withSize(CoreGraphics::CGSize size) {
        auto rep = Runtime::make<NSImageRep>();
        rep->size_ = size;
        return rep;
    }
    CoreGraphics::CGSize size() const { return size_; }
    void setSize(CoreGraphics::CGSize size) { size_ = size; }

protected:
    NSImageRep() = default;

private:
    CoreGraphics::CGSize size_;
};

}  // namespace AppKit
