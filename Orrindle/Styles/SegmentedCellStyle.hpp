#pragma once
#include "Orrindle/Styles/ControlStyle.hpp"

namespace Orrindle {

// The segmented control's tabs: "kvu-window-tab" bezels, the properties-tab font and colours.
class SegmentedCellStyle : public ControlStyle {
public:
    SegmentedCellStyle();

    const AppKit::NSEdgeInsets& segmentPadding() const { return segmentPadding_; }
    void setSegmentPadding(const AppKit::NSEdgeInsets& insets) { segmentPadding_ = insets; }
    const AppKit::NSEdgeInsets& segmentMargin() const { return segmentMargin_; }
    void setSegmentMargin(const AppKit::NSEdgeInsets& insets) { segmentMargin_ = insets; }

private:
    AppKit::NSEdgeInsets segmentPadding_{0, 21, 0, 21};
    AppKit::NSEdgeInsets segmentMargin_;
};

}  // namespace Orrindle
