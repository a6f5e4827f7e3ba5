#include "Pellicot/ImageButton.hpp"

#include "AppKit/NSEvent.hpp"
#include "Pellicot/ButtonPress.hpp"

namespace Pellicot {

SwiftUI::AnyView ImageButton::body() const {
    auto action = onPressed;
    return ButtonPress::momentary(SwiftUI::AnyView(isPressed.get() ? downImage : image), isPressed, buttonSize, [action] {
        if (action) action(AppKit::NSEvent::modifierFlags().contains(AppKit::ModifierFlags::option()));
    });
}

}  // namespace Pellicot
