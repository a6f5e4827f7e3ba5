#include "Orrindle/Buttons/FavouriteCheckBox.hpp"

namespace Orrindle {

void FavouriteCheckBox::mouseDown(const AppKit::NSEvent& event) {
    setAlphaValue(0.5);
    StyledCheckBox::mouseDown(event);
    setAlphaValue(1.0);
}

}  // namespace Orrindle
