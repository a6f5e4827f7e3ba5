#pragma once

namespace AppKit {
class NSControl;
}

namespace Orrindle {

// Whether the control has the keyboard focus: its window's first responder is the control
// itself, or the field editor that is editing it (its current editor). False outside a window.
// The kit's focus rings ask this before they draw.
bool isFirstResponderOrEditing(const AppKit::NSControl& control);

}  // namespace Orrindle
