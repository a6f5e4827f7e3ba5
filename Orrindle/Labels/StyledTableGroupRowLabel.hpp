#pragma once
#include <memory>

#include "Orrindle/Labels/StyledTableGroupRowLabelCell.hpp"
#include "Orrindle/TextFields/WidthResizingTextField.hpp"

namespace Orrindle {

// The label of a table group row: as wide as its text, in the group row font and colour. It keeps the editability and bezel its creator gives it; its
// alignment insets are its style's (2 points on every side) even without a bezel or border.
class StyledTableGroupRowLabel : public WidthResizingTextField {
    VZ_OBJECT(StyledTableGroupRowLabel, WidthResizingTextField)
public:
    using Ptr = std::shared_ptr<StyledTableGroupRowLabel>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledTableGroupRowLabelCell>(); }
    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    AppKit::CGSize intrinsicContentSize() const override;

protected:
    using WidthResizingTextField::WidthResizingTextField;
};

}  // namespace Orrindle
