#pragma once
#include "Orrindle/Buttons/BackButtonCell.hpp"
#include "Orrindle/Buttons/StyledButton.hpp"

namespace Orrindle {

// The navigation back button. Its opacity doubles as its visibility: alpha 0 hides it, any
// positive alpha shows it again (a negative one only changes the stored value). Its alignment
// rectangle is inset by fixed amounts, whatever the style says.
class BackButton : public StyledButton {
    VZ_OBJECT(BackButton, StyledButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<BackButtonCell>(); }
    void setAlphaValue(CGFloat alpha) override;
    AppKit::NSEdgeInsets alignmentRectInsets() const override { return {6, 5, 4, 4}; }

protected:
    using StyledButton::StyledButton;
};

}  // namespace Orrindle
