#include "Pellicot/MediumDial.hpp"

#include "Pellicot/DialFace.hpp"
#include "Pellicot/KitColor.hpp"

namespace Pellicot {

namespace {
const SwiftUI::ColorResource& labelColor(SmallDialColor color) {
    switch (color) {
    case SmallDialColor::yellow: return KitColor::pluginYellow();
    case SmallDialColor::red: return KitColor::pluginRed();
    case SmallDialColor::purple: return KitColor::pluginPurple();
    case SmallDialColor::blue: break;
    }
    return KitColor::pluginBlue();
}
}  // namespace

SwiftUI::AnyView MediumDial::body() const {
    const DialFace face{"knobs/dial-medium-" + colorWord(color) + "-", {68, 84}, 16, 44, labelColor(color), PelliFont::rocket,
                        knobMinDrag, knobDragScaleFactor, imageCount};
    return DialSettings::body(face);
}

}  // namespace Pellicot
