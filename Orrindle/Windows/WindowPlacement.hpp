#pragma once
#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"

// Placement of windows on the screen's usable area and over views, and the window shake.
namespace Orrindle {

// Centred on the usable area of the window's screen (without menu bar and Dock); nothing
// when the window is on no screen.
void properlyCenter(AppKit::NSWindow& window);
// Centred horizontally, the top edge `topOffset` below the top of the usable area.
void properlyCenterHorizontally(AppKit::NSWindow& window, AppKit::CGFloat topOffset);
// Centred over `view` (its bounds on the screen), pixel-aligned; nothing when the view is in
// no window.
void centerFrame(AppKit::NSWindow& window, const AppKit::NSView& view, bool display);
// Centred horizontally over `view`, the window's bottom edge on the view's top edge.
void horizontallyCenterFrame(AppKit::NSWindow& window, const AppKit::NSView& view, bool display);
// The height the title bar takes above the content.
AppKit::CGFloat titlebarHeight(const AppKit::NSWindow& window);
// A short horizontal shake, as for a refused entry.
void shake(AppKit::NSWindow& window);

}  // namespace Orrindle
