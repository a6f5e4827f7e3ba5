#include "Orrindle/Buttons/PopUpCyclingButton.hpp"

#include "AppKit/NSPopUpButton.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void PopUpCyclingButton::didInit() {
    Runtime::assertMainActor();
    CursorButton::didInit();
    setImagePosition(AppKit::NSCellImagePosition::imageTrailing);
}

bool PopUpCyclingButton::sendAction(Runtime::Selector action, Runtime::NSObject* target) {
    Runtime::assertMainActor();
    // Any other target gets the button's own action rather than a message it cannot answer.
    if (!dynamic_cast<AppKit::NSPopUpButton*>(target)) return CursorButton::sendAction(action, target);
    const bool backwards = (AppKit::NSEvent::modifierFlags() & AppKit::ModifierFlags::shift()) == AppKit::ModifierFlags::shift();
    return CursorButton::sendAction(backwards ? "selectPreviousItem:" : "selectNextItem:", target);
}

}  // namespace Orrindle
