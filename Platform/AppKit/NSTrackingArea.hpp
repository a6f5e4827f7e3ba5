#pragma once
#include <cstdint>
#include <memory>

#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSResponder;

// A region of a view that reports the pointer entering and leaving to its owner
// (mouseEntered/mouseExited), and mouse moves inside it when asked.
class NSTrackingArea : public Runtime::NSObject {
    VZ_OBJECT(NSTrackingArea, Runtime::NSObject)
public:
    struct Options {
        std::uint64_t rawValue = 0;
        static constexpr Options mouseEnteredAndExited() { return {0x01}; }
        static constexpr Options mouseMoved() { return {0x02}; }
        static constexpr Options cursorUpdate() { return {0x04}; }
        static constexpr Options activeWhenFirstResponder() { return {0x10}; }
        static constexpr Options activeInKeyWindow() { return {0x20}; }
        static constexpr Options activeInActiveApp() { return {0x40}; }
        static constexpr Options activeAlways() { return {0x80}; }
        static constexpr Options inVisibleRect() { return {0x200}; }
        constexpr bool contains(Options o) const { return (rawValue & o.rawValue) == o.rawValue; }
        friend constexpr Options operator|(Options a, Options b) { return {a.rawValue | b.rawValue}; }
    };

    // `rect` is in the view's coordinates; the owner is held weakly.
    static std::shared_ptr<NSTrackingArea> make(CoreGraphics::CGRect rect, Options options,
                                                const std::shared_ptr<NSResponder>& owner);

    CoreGraphics::CGRect rect() const { return rect_; }
    Options options() const { return options_; }
    std::shared_ptr<NSResponder> owner() const { return owner_.lock(); }

protected:
    NSTrackingArea() = default;

private:
    CoreGraphics::CGRect rect_;
    Options options_;
    std::weak_ptr<NSResponder> owner_;
};

}  // namespace AppKit
