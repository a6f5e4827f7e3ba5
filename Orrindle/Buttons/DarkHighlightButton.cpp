#include "Orrindle/Buttons/DarkHighlightButton.hpp"

namespace Orrindle {

void DarkHighlightButton::resetCursorRects() {
    AppKit::NSButton::resetCursorRects();
    addCursorRect(bounds(), customCursor_);
}

}  // namespace Orrindle
