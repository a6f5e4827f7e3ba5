#include "Vantrel_Zellow_Extension/Editor/RestoreMainResponder.hpp"

#include "AppKit/NSWindow.hpp"

namespace Vantrel_Zellow_Extension {

void restoreMainResponder(const Settings& settings) {
    if (auto window = settings.pluginWindow.lock()) window->makeFirstResponder(settings.pluginMainResponder.lock());
}

}  // namespace Vantrel_Zellow_Extension
