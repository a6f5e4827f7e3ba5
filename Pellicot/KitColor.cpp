#include "Pellicot/KitColor.hpp"

#include "Pellicot/ModuleBundle.hpp"

namespace Pellicot {

#define VZ_KIT_COLOR(member, assetName)                                                  \
    const SwiftUI::ColorResource& KitColor::member() {                                  \
        static const SwiftUI::ColorResource resource{assetName, ModuleBundle::module()}; \
        return resource;                                                                 \
    }

VZ_KIT_COLOR(chaosYellowText, "ChaosYellowText")
VZ_KIT_COLOR(background, "background")
VZ_KIT_COLOR(buttonText, "buttonText")
VZ_KIT_COLOR(chaosToggleText, "chaosToggleText")
VZ_KIT_COLOR(chaosToggleTextPressed, "chaosToggleTextPressed")
VZ_KIT_COLOR(pluginBlue, "pluginBlue")
VZ_KIT_COLOR(pluginGrey, "pluginGrey")
VZ_KIT_COLOR(pluginPurple, "pluginPurple")
VZ_KIT_COLOR(pluginRed, "pluginRed")
VZ_KIT_COLOR(pluginYellow, "pluginYellow")
VZ_KIT_COLOR(tabSelected, "tabSelected")
VZ_KIT_COLOR(tabUnselected, "tabUnselected")
VZ_KIT_COLOR(tinyDialLabel, "tinyDialLabel")
VZ_KIT_COLOR(updateBackground, "updateBackground")
VZ_KIT_COLOR(versionInfo, "versionInfo")

#undef VZ_KIT_COLOR

std::vector<SwiftUI::ColorResource> KitColor::all() {
    return {chaosYellowText(), background(),   buttonText(),    chaosToggleText(), chaosToggleTextPressed(),
            pluginBlue(),      pluginGrey(),   pluginPurple(),  pluginRed(),       pluginYellow(),
            tabSelected(),     tabUnselected(), tinyDialLabel(), updateBackground(), versionInfo()};
}

}  // namespace Pellicot
