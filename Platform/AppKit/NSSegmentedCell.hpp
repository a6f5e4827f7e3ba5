#pragma once
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSBackgroundStyle.hpp"
#include "AppKit/NSCell.hpp"

namespace AppKit {

// How a segmented control selects, with the platform's raw values.
enum class NSSegmentSwitchTracking : unsigned long { selectOne = 0, selectAny = 1, momentary = 2 };

// The cell of a segmented control: a row of segments, each with a label, an optional fixed
// width (0: as wide as its label needs), an enabled and a selected flag. drawInterior lays the
// segments out left to right in the frame and draws each through drawSegment, which a subclass
// replaces to draw them its own way.
// Two numbers stand in for what the platform keeps privately:
// - segmentHighlightState(s): 0 normally, 2 while the mouse is pressed on segment s (tracking
//   sets it; 1 to 5 are the platform's states, 2, 3 and 5 meaning pressed);
// - keySegment(): the segment with keyboard focus, -1 before the control was first responder;
//   the arrow keys move it.
class NSSegmentedCell : public NSCell {
    VZ_OBJECT(NSSegmentedCell, NSCell)
public:
    using Ptr = std::shared_ptr<NSSegmentedCell>;

    using NSCell::image;
    using NSCell::isEnabled;
    using NSCell::setEnabled;
    using NSCell::setImage;

    long segmentCount() const { return long(segments_.size()); }
    void setSegmentCount(long count);
    std::string label(long forSegment) const;
    void setLabel(std::string label, long forSegment);
    NSImage::Ptr image(long forSegment) const;
    void setImage(NSImage::Ptr image, long forSegment);
    CGFloat width(long forSegment) const;
    virtual void setWidth(CGFloat width, long forSegment);
    bool isEnabled(long forSegment) const;
    void setEnabled(bool flag, long forSegment);
    bool isSelected(long forSegment) const;
    void setSelected(bool flag, long forSegment);
    // The selected segment (for selectAny the last one selected); -1 when none.
    long selectedSegment() const;
    void setSelectedSegment(long segment);
    NSSegmentSwitchTracking trackingMode() const { return tracking_; }
    void setTrackingMode(NSSegmentSwitchTracking mode) { tracking_ = mode; }

    long segmentHighlightState(long segment) const;
    void setSegmentHighlightState(long segment, long state);
    long keySegment() const { return keySegment_; }
    void setKeySegment(long segment);

    // The segments' frames in a cell frame, left to right.
    std::vector<CGRect> segmentFrames(CGRect cellFrame) const;
    // The segment at a point of the cell frame; -1 when none.
    long segment(CGPoint at, CGRect cellFrame) const;
    // The width a segment gets when it has no fixed one.
    CGFloat automaticWidth(long segment) const;

    virtual void drawSegment(long segment, CGRect inFrame, NSView& with);
    using NSCell::interiorBackgroundStyle;  // the whole cell's, beside each segment's
    virtual NSBackgroundStyle interiorBackgroundStyle(long forSegment) const { (void)forSegment; return NSBackgroundStyle::normal; }
    void drawInterior(CGRect withFrame, NSView& in) override;
    CGSize cellSize(CGRect forBounds) const override;
    bool acceptsFirstResponder() const override { return true; }

protected:
    NSSegmentedCell() = default;

private:
    struct Segment {
        std::string label;
        NSImage::Ptr image;
        CGFloat width = 0;
        bool enabled = true, selected = false;
        long highlight = 0;
    };
    bool valid(long s) const { return s >= 0 && s < segmentCount(); }
    std::vector<Segment> segments_;
    NSSegmentSwitchTracking tracking_ = NSSegmentSwitchTracking::selectOne;
    long lastSelected_ = -1;
    long keySegment_ = -1;
};

}  // namespace AppKit
