#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace AppKit {

// A frame around content, or (separator) a one-point line along its longer side.
class NSBox : public NSView {
    VZ_OBJECT(NSBox, NSView)
public:
    using Ptr = std::shared_ptr<NSBox>;
    // The platform's raw values.
    enum class BoxType : unsigned long { primary = 0, separator = 2, custom = 4 };

    BoxType boxType() const { return type_; }
    void setBoxType(BoxType type);

    void draw(CGRect dirtyRect) override;

protected:
    NSBox() = default;
    explicit NSBox(CGRect frame) : NSView(frame) {}

private:
    BoxType type_ = BoxType::primary;
};

}  // namespace AppKit
