#pragma once
#include <string>
#include <vector>

#include "SwiftUI/Resources.hpp"

namespace Pellicot {

// The colours of the kit's asset catalogue. Each is made on first use from its name and the
// kit's bundle; views take their colours from here and never spell a name themselves.
struct KitColor {
    static const SwiftUI::ColorResource& chaosYellowText();
    static const SwiftUI::ColorResource& background();
    static const SwiftUI::ColorResource& buttonText();
    static const SwiftUI::ColorResource& chaosToggleText();
    static const SwiftUI::ColorResource& chaosToggleTextPressed();
    static const SwiftUI::ColorResource& pluginBlue();
    static const SwiftUI::ColorResource& pluginGrey();
    static const SwiftUI::ColorResource& pluginPurple();
    static const SwiftUI::ColorResource& pluginRed();
    static const SwiftUI::ColorResource& pluginYellow();
    static const SwiftUI::ColorResource& tabSelected();
    static const SwiftUI::ColorResource& tabUnselected();
    static const SwiftUI::ColorResource& tinyDialLabel();
    static const SwiftUI::ColorResource& updateBackground();
    static const SwiftUI::ColorResource& versionInfo();

    // Every colour, in catalogue order.
    static std::vector<SwiftUI::ColorResource> all();
};

}  // namespace Pellicot
