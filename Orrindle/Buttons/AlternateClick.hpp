#pragma once
#include "AppKit/NSButton.hpp"
#include "AppKit/NSEvent.hpp"

namespace Orrindle {

// The kit's alternate (secondary) click: a right mouse-down, or a left mouse-down with the
// Control key.
inline bool isAlternateClick(const AppKit::NSEvent& event) {
    return event.type() == AppKit::EventType::rightMouseDown ||
           (event.type() == AppKit::EventType::leftMouseDown && event.flags().contains(AppKit::ModifierFlags::control()));
}

// Handles an alternate click on a button: highlighted while `respond` runs; false (and nothing
// done) for any other event.
template <class Respond>
bool handleAlternateClick(AppKit::NSButton& button, const AppKit::NSEvent& event, Respond&& respond) {
    if (!isAlternateClick(event)) return false;
    button.highlight(true);
    respond();
    button.highlight(false);
    return true;
}

}  // namespace Orrindle
