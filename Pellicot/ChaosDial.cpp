#include "Pellicot/ChaosDial.hpp"

#include "Pellicot/DialFace.hpp"
#include "Pellicot/KitColor.hpp"

namespace Pellicot {

SwiftUI::AnyView ChaosDial::body() const {
    const DialFace face{"knobs/chaos-dial-grey_", {56, 64}, 16, 40, KitColor::pluginGrey(), PelliFont::dosisMedium,
                        knobMinDrag, knobDragScaleFactor, imageCount};
    return DialSettings::body(face);
}

}  // namespace Pellicot
