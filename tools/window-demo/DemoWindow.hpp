#pragma once
#include <memory>

#include "AppKit/NSWindow.hpp"

namespace WindowDemo {

// The demo's window: a title, a line of text, a counter, two buttons ("Count" adds one,
// "Theme" switches between the light and the dark appearance) and a row of swatches, laid
// out with constraints. Not yet ordered front.
std::shared_ptr<AppKit::NSWindow> makeDemoWindow();

}  // namespace WindowDemo
