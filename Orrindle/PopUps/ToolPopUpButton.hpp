#pragma once
#include "Orrindle/PopUps/StyledPopUpButton.hpp"
#include "Orrindle/PopUps/ToolPopUpButtonCell.hpp"

namespace Orrindle {

// The pop-up button in a toolbar's compact look: a ToolPopUpButtonCell and no alignment insets,
// so its frame is exactly its bezel image. Creation as StyledPopUpButton.
class ToolPopUpButton : public StyledPopUpButton {
    VZ_OBJECT(ToolPopUpButton, StyledPopUpButton)
public:
    using Ptr = std::shared_ptr<ToolPopUpButton>;

    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<ToolPopUpButtonCell>(); }

    // The tool style's (zero) insets with a ToolPopUpButtonCell; else the pop-up button's.
    AppKit::NSEdgeInsets alignmentRectInsets() const override;
    // The pop-up button's size; bordered with a tool cell and a bezel image, that rule once more
    // with this button's insets: at least the image's width, the image's height.
    CGSize intrinsicContentSize() const override;

protected:
    using StyledPopUpButton::StyledPopUpButton;
};

}  // namespace Orrindle
