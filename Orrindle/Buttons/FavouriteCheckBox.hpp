#pragma once
#include <memory>

#include "Orrindle/Buttons/FavouriteCheckBoxCell.hpp"
#include "Orrindle/Buttons/StyledCheckBox.hpp"

namespace Orrindle {

// The favourite star as a check box; it dims itself (alpha 0.5) while the mouse button is held
// on it and is fully opaque again after every click, whatever its alpha was before.
class FavouriteCheckBox : public StyledCheckBox {
    VZ_OBJECT(FavouriteCheckBox, StyledCheckBox)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<FavouriteCheckBoxCell>(); }
    void mouseDown(const AppKit::NSEvent& event) override;

protected:
    using StyledCheckBox::StyledCheckBox;
};

}  // namespace Orrindle
