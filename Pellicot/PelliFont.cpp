#include "Pellicot/PelliFont.hpp"

#include "CoreGraphics/AssetCatalog.hpp"
#include "Pellicot/ModuleBundle.hpp"

namespace Pellicot {

const std::string& fontName(PelliFont font) {
    // The faces come with the kit's bundle, whose catalogue registers them when it is first
    // opened: a window that shows the kit's text but none of its pictures opens it here.
    static const bool registered = [] {
        (void)CoreGraphics::AssetCatalog::forBundle(*ModuleBundle::module());
        return true;
    }();
    (void)registered;
    static const std::string rocket = "Rocket", light = "Dosis-Light", medium = "Dosis-Medium";
    switch (font) {
    case PelliFont::dosisLight: return light;
    case PelliFont::dosisMedium: return medium;
    case PelliFont::rocket: break;
    }
    return rocket;
}

}  // namespace Pellicot
