#include "Orrindle/TextFields/MessagePopover.hpp"

#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"

namespace Orrindle {

void refreshMessagePopover(SimpleTextViewPopoverController& controller, bool focused, const std::optional<std::string>& message,
                           const std::shared_ptr<AppKit::NSView>& anchor) {
    const auto& popover = controller.popover();
    if (focused && message) {
        if (popover->isShown())
            popover->contentTextField()->setStringValue(*message);
        else
            controller.show(message, anchor, AppKit::NSRectEdge::maxY);
        return;
    }
    if (popover->isShown()) controller.close(anchor.get());
}

}  // namespace Orrindle
