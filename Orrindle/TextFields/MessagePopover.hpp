#pragma once
#include <memory>
#include <optional>
#include <string>

namespace AppKit {
class NSView;
}

namespace Orrindle {

class SimpleTextViewPopoverController;

// The message popover of a validating field, brought up to date: while the field has the focus
// and a message, shown against `anchor`'s top edge (only its text replaced when it is open
// already); otherwise closed, the anchor as sender, when it is open.
void refreshMessagePopover(SimpleTextViewPopoverController& controller, bool focused, const std::optional<std::string>& message,
                           const std::shared_ptr<AppKit::NSView>& anchor);

}  // namespace Orrindle
