#pragma once
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace Vantrel_Zellow_Extension {

// Gives the keyboard back to what held it when the editor appeared, after a value label's text
// field took it: the remembered responder, or the window itself when that responder is gone.
// Nothing when the plug-in window is gone.
void restoreMainResponder(const Settings& settings);

}  // namespace Vantrel_Zellow_Extension
