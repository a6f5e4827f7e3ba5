#include "Orrindle/Buttons/StyledCheckBox.hpp"

#include "Runtime/MainActor.hpp"

namespace Orrindle {

CGRect StyledCheckBox::focusRingMaskBounds() const {
    Runtime::assertMainActor();
    if (auto c = std::dynamic_pointer_cast<StyledCheckBoxCell>(cell()))
        return c->focusRingMaskBounds(bounds(), const_cast<StyledCheckBox&>(*this));
    return StyledButton::focusRingMaskBounds();
}

}  // namespace Orrindle
