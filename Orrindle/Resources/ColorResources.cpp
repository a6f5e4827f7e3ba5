#include "Orrindle/Resources/ColorResources.hpp"

#include "Orrindle/Resources/ModuleBundle.hpp"

namespace Orrindle {

#define OD_COLOR_RESOURCE(member, assetName)                                             \
    const SwiftUI::ColorResource& ColorResources::member() {                             \
        static const SwiftUI::ColorResource resource{assetName, ModuleBundle::module()}; \
        return resource;                                                                 \
    }

OD_COLOR_RESOURCE(backgroundDarker, "Background/Darker")
OD_COLOR_RESOURCE(backgroundDarkest, "Background/Darkest")
OD_COLOR_RESOURCE(backgroundNormal, "Background/Normal")
OD_COLOR_RESOURCE(error, "Error")
OD_COLOR_RESOURCE(grey100, "Grey 100%")
OD_COLOR_RESOURCE(grey20, "Grey 20%")
OD_COLOR_RESOURCE(grey30, "Grey 30%")
OD_COLOR_RESOURCE(grey40, "Grey 40%")
OD_COLOR_RESOURCE(grey50, "Grey 50%")
OD_COLOR_RESOURCE(grey60, "Grey 60%")
OD_COLOR_RESOURCE(grey70, "Grey 70%")
OD_COLOR_RESOURCE(grey85, "Grey 85%")
OD_COLOR_RESOURCE(highlightSystem, "Highlight/System")
OD_COLOR_RESOURCE(tessikAqua, "Tessik/Aqua")
OD_COLOR_RESOURCE(tessikBlue, "Tessik/Blue")
OD_COLOR_RESOURCE(tessikDarkPurple, "Tessik/DarkPurple")
OD_COLOR_RESOURCE(tessikLightBlue, "Tessik/LightBlue")
OD_COLOR_RESOURCE(tessikOrange, "Tessik/Orange")
OD_COLOR_RESOURCE(tessikPurple, "Tessik/Purple")
OD_COLOR_RESOURCE(tessikRed, "Tessik/Red")
OD_COLOR_RESOURCE(tessikYellow, "Tessik/Yellow")

#undef OD_COLOR_RESOURCE

std::vector<SwiftUI::ColorResource> ColorResources::all() {
    return {backgroundDarker(),
            backgroundDarkest(),
            backgroundNormal(),
            error(),
            grey100(),
            grey20(),
            grey30(),
            grey40(),
            grey50(),
            grey60(),
            grey70(),
            grey85(),
            highlightSystem(),
            tessikAqua(),
            tessikBlue(),
            tessikDarkPurple(),
            tessikLightBlue(),
            tessikOrange(),
            tessikPurple(),
            tessikRed(),
            tessikYellow()};
}

}  // namespace Orrindle
