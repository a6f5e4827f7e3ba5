#pragma once
#include <string>

#include "Foundation/URL.hpp"

namespace Vantrel_Zellow_Extension {

// The two places the editor sends the user, each made once from a fixed address.
struct EditorLinks {
    // Asks the host application to look for updates.
    static const Foundation::URL& openAndUpdateURL();
    // The maker's page of plug-ins, in the browser.
    static const Foundation::URL& morePluginsURL();
    // Opens the plug-ins page through the shared workspace; a page nobody can open is no error.
    static void openMorePlugins();
};

// "1 Step" for 1, "<n> Steps" for every other n.
std::string stepCountLabel(int n);

}  // namespace Vantrel_Zellow_Extension
