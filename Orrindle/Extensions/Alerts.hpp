#pragma once
#include <functional>
#include <string>

#include "AppKit/NSAlert.hpp"

namespace Orrindle {

// An alert with the two texts and one button, run modally; the answer does not matter.
void showBasicModalAlert(const std::string& message, const std::string& informativeText, const std::string& buttonTitle);

// An alert with the two texts and no buttons of its own (the platform shows "OK").
AppKit::NSAlert::Ptr makeAlert(const std::string& message, const std::string& informativeText);

// An alert with `confirmTitle` and "Cancel", run modally; `onActionConfirmed` runs only when the
// first button was pressed, and is not kept after the call.
void showConfirmationAlert(const std::string& message, const std::string& informativeText, const std::string& confirmTitle,
                           const std::function<void()>& onActionConfirmed);

}  // namespace Orrindle
