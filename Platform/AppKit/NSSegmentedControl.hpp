#pragma once
#include <memory>
#include <string>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSSegmentedCell.hpp"

namespace AppKit {

// A row of segments over an NSSegmentedCell (or a subclass's cell), flipped. The mouse presses one
// segment (its highlight state is 2 while the pointer is over it) and selects it on release
// inside, by the tracking mode, then sends the action; the left and right arrow keys move the
// key segment while the control is first responder and the space bar selects it.
class NSSegmentedControl : public NSControl {
    VZ_OBJECT(NSSegmentedControl, NSControl)
public:
    using Ptr = std::shared_ptr<NSSegmentedControl>;

    NSCellClass cellClass() const override { return NSCellClass::of<NSSegmentedCell>(); }
    NSSegmentedCell::Ptr segmentedCell() const { return std::dynamic_pointer_cast<NSSegmentedCell>(cell()); }

    long segmentCount() const;
    void setSegmentCount(long count);
    std::string label(long forSegment) const;
    void setLabel(std::string label, long forSegment);
    CGFloat width(long forSegment) const;
    void setWidth(CGFloat width, long forSegment);
    long selectedSegment() const;
    void setSelectedSegment(long segment);
    bool isSelected(long forSegment) const;
    void setSelected(bool flag, long forSegment);
    NSSegmentSwitchTracking trackingMode() const;
    void setTrackingMode(NSSegmentSwitchTracking mode);

    // Its coordinates run y-down, as on the platform.
    bool isFlipped() const override { return true; }
    void mouseDown(const NSEvent& event) override;
    void keyDown(const NSEvent& event) override;
    bool becomeFirstResponder() override;

protected:
    NSSegmentedControl() = default;
    explicit NSSegmentedControl(CGRect frame) : NSControl(frame) {}

private:
    // Selects a segment the way the tracking mode says and sends the action.
    void choose(NSSegmentedCell& cell, long segment);
};

}  // namespace AppKit
