#include "Orrindle/Buttons/FavouriteCheckBox.hpp"

#include "Runtime/MainActor.hpp"

namespace Orrindle {

void FavouriteCheckBox::mouseDown(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    setAlphaValue(0.5);
    StyledCheckBox::mouseDown(event);
    setAlphaValue(1.0);
}

}  // namespace Orrindle
