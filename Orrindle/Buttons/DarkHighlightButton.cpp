#include "Orrindle/Buttons/DarkHighlightButton.hpp"

#include "Runtime/MainActor.hpp"

namespace Orrindle {

void DarkHighlightButton::resetCursorRects() {
    Runtime::assertMainActor();
    AppKit::NSButton::resetCursorRects();
    addCursorRect(bounds(), customCursor_);
}

}  // namespace Orrindle
