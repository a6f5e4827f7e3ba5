#include "Pellicot/TinyDial.hpp"

#include "Pellicot/DialFace.hpp"
#include "Pellicot/KitColor.hpp"

namespace Pellicot {

SwiftUI::AnyView TinyDial::body() const {
    const DialFace face{"knobs/dial-small-grey-", {34, 40}, 0, 30, KitColor::tinyDialLabel(), PelliFont::rocket,
                        knobMinDrag, knobDragScaleFactor, imageCount};
    return DialSettings::body(face);
}

}  // namespace Pellicot
