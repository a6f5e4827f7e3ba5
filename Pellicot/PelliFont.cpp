#include "Pellicot/PelliFont.hpp"

namespace Pellicot {

const std::string& fontName(PelliFont font) {
    static const std::string rocket = "Rocket", light = "Dosis-Light", medium = "Dosis-Medium";
    switch (font) {
    case PelliFont::dosisLight: return light;
    case PelliFont::dosisMedium: return medium;
    case PelliFont::rocket: break;
    }
    return rocket;
}

}  // namespace Pellicot
