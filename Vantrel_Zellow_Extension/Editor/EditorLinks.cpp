#include "Vantrel_Zellow_Extension/Editor/EditorLinks.hpp"

#include "AppKit/NSWorkspace.hpp"

namespace Vantrel_Zellow_Extension {

const Foundation::URL& EditorLinks::openAndUpdateURL() {
    static const Foundation::URL url = *Foundation::URL::fromString("vantrelzellow://openAndUpdate");
    return url;
}

const Foundation::URL& EditorLinks::morePluginsURL() {
    static const Foundation::URL url = *Foundation::URL::fromString("https://www.example.com/plugins/");
    return url;
}

void EditorLinks::openMorePlugins() { AppKit::NSWorkspace::shared().open(morePluginsURL()); }

std::string stepCountLabel(int n) { return std::to_string(n) + (n == 1 ? " Step" : " Steps"); }

}  // namespace Vantrel_Zellow_Extension
