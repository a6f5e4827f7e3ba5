#include "Orrindle/Extensions/FocusState.hpp"

#include "AppKit/NSControl.hpp"
#include "AppKit/NSText.hpp"
#include "AppKit/NSWindow.hpp"

namespace Orrindle {

bool isFirstResponderOrEditing(const AppKit::NSControl& control) {
    auto window = control.window();
    if (!window) return false;
    auto responder = window->firstResponder();
    if (!responder) return false;
    if (dynamic_cast<const AppKit::NSText*>(responder.get()) && responder == control.currentEditor()) return true;
    return responder.get() == &control;
}

}  // namespace Orrindle
