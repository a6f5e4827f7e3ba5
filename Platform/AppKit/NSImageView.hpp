#pragma once
#include <memory>

#include "AppKit/NSButtonCell.hpp"
#include "AppKit/NSControl.hpp"

namespace AppKit {

// A control that shows one image, placed by its scaling in the bounds and dimmed while
// disabled. It is not editable here: a mouse-down does nothing of its own (recognisers still
// see it), so a subclass decides what a click means.
class NSImageView : public NSControl {
    VZ_OBJECT(NSImageView, NSControl)
public:
    using Ptr = std::shared_ptr<NSImageView>;

    NSImage::Ptr image() const { return cell() ? cell()->image() : nullptr; }
    void setImage(NSImage::Ptr image);
    NSImageScaling imageScaling() const { return scaling_; }
    void setImageScaling(NSImageScaling scaling);

    CGSize intrinsicContentSize() const override;
    void draw(CGRect dirtyRect) override;
    void mouseDown(const NSEvent& event) override { (void)event; }

protected:
    NSImageView() = default;
    explicit NSImageView(CGRect frame) : NSControl(frame) {}

private:
    NSImageScaling scaling_ = NSImageScaling::scaleProportionallyDown;
};

}  // namespace AppKit
