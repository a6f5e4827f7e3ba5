#pragma once
#include <memory>

#include "AppKit/NSSegmentedControl.hpp"
#include "Orrindle/SegmentedControls/StyledSegmentedCell.hpp"

namespace Orrindle {

// The kit's segmented control, drawn by a StyledSegmentedCell; at least as large as the
// cell's bezel image. Main thread only: an entry point called from another thread stops the
// program.
class StyledSegmentedControl : public AppKit::NSSegmentedControl {
    VZ_OBJECT(StyledSegmentedControl, AppKit::NSSegmentedControl)
public:
    using Ptr = std::shared_ptr<StyledSegmentedControl>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledSegmentedCell>(); }
    StyledSegmentedCell::Ptr styledCell() const { return std::dynamic_pointer_cast<StyledSegmentedCell>(cell()); }

    // The cell's; false without a styled cell. Setting always redraws.
    bool hideSelection() const;
    void setHideSelection(bool flag);
    AppKit::CGSize intrinsicContentSize() const override;

protected:
    StyledSegmentedControl() = default;
    explicit StyledSegmentedControl(AppKit::CGRect frame) : AppKit::NSSegmentedControl(frame) {}
};

}  // namespace Orrindle
