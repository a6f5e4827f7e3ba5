#pragma once
#include <memory>

#include "Orrindle/Labels/StyledTableRowLabelCell.hpp"
#include "Orrindle/TextFields/WidthResizingTextField.hpp"

namespace Orrindle {

// The label of an ordinary table row: as wide as its text, in the table row font and colour. It keeps the editability and bezel its creator gives it; its
// alignment insets are its style's (2 points on every side) even without a bezel or border.
class StyledTableRowLabel : public WidthResizingTextField {
    VZ_OBJECT(StyledTableRowLabel, WidthResizingTextField)
public:
    using Ptr = std::shared_ptr<StyledTableRowLabel>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledTableRowLabelCell>(); }
    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    AppKit::CGSize intrinsicContentSize() const override;

protected:
    using WidthResizingTextField::WidthResizingTextField;
};

}  // namespace Orrindle
