#pragma once
#include <memory>

#include "Orrindle/Buttons/StyledButton.hpp"
#include "Orrindle/Buttons/StyledCheckBoxCell.hpp"

namespace Orrindle {

// The kit's check box: a styled button over a StyledCheckBoxCell. Like any check box it is
// given the switch button type (borderless, image beside the title), as interface files do.
// Its focus ring surrounds the box image only, as its cell's mask bounds say.
class StyledCheckBox : public StyledButton {
    VZ_OBJECT(StyledCheckBox, StyledButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<StyledCheckBoxCell>(); }
    CGRect focusRingMaskBounds() const override;

protected:
    using StyledButton::StyledButton;
};

}  // namespace Orrindle
