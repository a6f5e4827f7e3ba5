#pragma once
#include <memory>

#include "Orrindle/Labels/StyledTextLabelCell.hpp"
#include "Orrindle/TextFields/StyledTextField.hpp"

namespace Orrindle {

// The kit's plain label: a styled text field in the label font and colours. It keeps the editability and bezel its creator gives it; its
// alignment insets are its style's (2 points on every side) even without a bezel or border.
class StyledTextLabel : public StyledTextField {
    VZ_OBJECT(StyledTextLabel, StyledTextField)
public:
    using Ptr = std::shared_ptr<StyledTextLabel>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledTextLabelCell>(); }
    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    AppKit::CGSize intrinsicContentSize() const override;

protected:
    using StyledTextField::StyledTextField;
};

}  // namespace Orrindle
