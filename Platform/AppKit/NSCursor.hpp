#pragma once
#include <memory>
#include <string>

#include "AppKit/NSImage.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// A pointer shape: an image with a hot spot. The current cursor is the top of a process-wide
// stack (push/pop) or the one last set; the SDL back end shows the system shape of the same
// name where there is one.
class NSCursor : public Runtime::NSObject {
    VZ_OBJECT(NSCursor, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSCursor>;

    static Ptr make(const NSImage::Ptr& image, CoreGraphics::CGPoint hotSpot);
    static Ptr arrow();
    static Ptr iBeam();
    static Ptr pointingHand();
    static Ptr crosshair();
    static Ptr openHand();
    static Ptr closedHand();
    static Ptr resizeLeftRight();
    static Ptr resizeUpDown();

    static Ptr current();
    void set();
    void push();
    // Both pop the top of the stack, whichever cursor it is, as on the platform; popping the
    // last one leaves the arrow.
    void pop();
    static void popCursor();
    static std::size_t stackDepth();
    static void resetForTesting();

    NSImage::Ptr image() const { return image_; }
    CoreGraphics::CGPoint hotSpot() const { return hotSpot_; }
    // The system shape's name ("arrow", "iBeam", ...); empty for image cursors.
    const std::string& systemName() const { return name_; }

protected:
    NSCursor() = default;

private:
    static Ptr system(const char* name);
    NSImage::Ptr image_;
    CoreGraphics::CGPoint hotSpot_;
    std::string name_;
};

}  // namespace AppKit
