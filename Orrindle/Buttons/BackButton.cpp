#include "Orrindle/Buttons/BackButton.hpp"

#include "Runtime/MainActor.hpp"

namespace Orrindle {

void BackButton::setAlphaValue(CGFloat alpha) {
    Runtime::assertMainActor();
    StyledButton::setAlphaValue(alpha);
    if (alpha > 0 && isHidden())
        setHidden(false);
    else if (alpha == 0 && !isHidden())
        setHidden(true);
}

}  // namespace Orrindle
