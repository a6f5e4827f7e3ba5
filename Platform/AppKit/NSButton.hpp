#pragma once
#include <memory>
#include <string>

#include "AppKit/NSButtonCell.hpp"
#include "AppKit/NSControl.hpp"

namespace AppKit {

// A button: a control over an NSButtonCell. The base rules the kit's buttons override:
// - Its coordinates are flipped (y down), as on the platform.
// - Title, image, state, type, bezel, border and image placement are the cell's (see
//   NSButtonCell); with a cell of another class they read as the defaults and setting them
//   does nothing.
// - The intrinsic size is the cell's cellSize (NSControl).
// - highlight(_:) goes through the cell's highlight(_:withFrame:in:), so a cell can react.
// - mouseDown tracks as NSControl does: highlighted while the pointer is inside, and on a
//   mouse-up inside the cell takes its next state and the action is sent; performClick does the
//   same at once. rightMouseDown is NSResponder's (passed up the chain).
class NSButton : public NSControl {
    VZ_OBJECT(NSButton, NSControl)
public:
    using Ptr = std::shared_ptr<NSButton>;

    NSCellClass cellClass() const override { return NSCellClass::of<NSButtonCell>(); }
    // The cell when it is a button cell.
    NSButtonCell::Ptr buttonCell() const { return std::dynamic_pointer_cast<NSButtonCell>(cell()); }

    bool isFlipped() const override { return true; }

    // --- The cell's content and look ------------------------------------------------------
    virtual std::string title() const;
    virtual void setTitle(std::string title);
    std::string alternateTitle() const;
    void setAlternateTitle(std::string title);
    CoreGraphics::AttributedText attributedTitle() const;
    void setAttributedTitle(CoreGraphics::AttributedText title);
    NSImage::Ptr image() const;
    void setImage(NSImage::Ptr image);
    NSImage::Ptr alternateImage() const;
    void setAlternateImage(NSImage::Ptr image);
    StateValue state() const;
    void setState(StateValue state);
    bool allowsMixedState() const;
    void setAllowsMixedState(bool flag);
    void setButtonType(NSButtonType type);
    NSBezelStyle bezelStyle() const;
    void setBezelStyle(NSBezelStyle style);
    bool isBordered() const;
    void setBordered(bool flag);
    NSCellImagePosition imagePosition() const;
    void setImagePosition(NSCellImagePosition position);
    NSImageScaling imageScaling() const;
    void setImageScaling(NSImageScaling scaling);

    // Highlights (or not) the cell through its highlight(_:withFrame:in:).
    void highlight(bool flag);
    // A click without the mouse: highlight, next state, the action, unhighlight.
    virtual void performClick(Runtime::NSObject* sender = nullptr);

protected:
    NSButton() = default;
    explicit NSButton(CGRect frame) : NSControl(frame) {}
};

}  // namespace AppKit
