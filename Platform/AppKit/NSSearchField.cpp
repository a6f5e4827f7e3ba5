#include "AppKit/NSSearchField.hpp"

#include "AppKit/NSEvent.hpp"

namespace AppKit {

void NSSearchField::textDidChange(NSText& text) {
    NSTextField::textDidChange(text);
    sendAction(action(), target().get());
}

void NSSearchField::mouseDown(const NSEvent& event) {
    auto cell = searchFieldCell();
    if (cell && isEnabled() && !stringValue().empty() && cell->cancelButtonRect(bounds()).contains(convert(event.locationInWindow(), nullptr))) {
        if (auto editor = currentEditor()) {
            editor->selectAll();
            editor->insertText("");
            return;
        }
        setStringValue("");
        sendAction(action(), target().get());
        return;
    }
    NSTextField::mouseDown(event);
}

}  // namespace AppKit
