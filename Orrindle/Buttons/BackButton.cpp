#include "Orrindle/Buttons/BackButton.hpp"

namespace Orrindle {

void BackButton::setAlphaValue(CGFloat alpha) {
    StyledButton::setAlphaValue(alpha);
    if (alpha > 0 && isHidden())
        setHidden(false);
    else if (alpha == 0 && !isHidden())
        setHidden(true);
}

}  // namespace Orrindle
