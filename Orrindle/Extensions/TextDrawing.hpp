#pragma once
#include <cstddef>
#include <string_view>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSView.hpp"
#include "CoreGraphics/AttributedText.hpp"

namespace Orrindle {

// Measures the text wrapped to `rect`'s width and draws it in a box of rect's size moved so
// that the measured height sits in the vertical middle of `rect`. Nothing outside a drawing pass.
void drawVerticallyCentered(const CoreGraphics::AttributedText& text, const CoreGraphics::CGRect& rect);

// A range over the whole string in UTF-16 units, as the platform's text APIs count.
struct NSRange {
    std::size_t location = 0;
    std::size_t length = 0;
    friend bool operator==(const NSRange&, const NSRange&) = default;
};
// Invalid UTF-8 bytes count one unit each.
NSRange nsRange(std::string_view utf8);

// Rotates the view by -1 and back by +1 degree: a net no-op that makes the platform redraw a
// field and drop a stale focus ring.
void focusRingClearingWorkaround(AppKit::NSView& field);

// Opens the button's menu below the button (at its bounds' minX, maxY), no item positioned;
// nothing for a button without a menu.
void popUpContextMenu(const AppKit::NSButton& button);

}  // namespace Orrindle
