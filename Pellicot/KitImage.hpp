#pragma once
#include <string>
#include <vector>

#include "SwiftUI/Resources.hpp"

namespace Pellicot {

// The images of the kit's asset catalogue, made on first use from their names and the kit's
// bundle. (The dial frame sequences are looked up by name.)
struct KitImage {
    static const SwiftUI::ImageResource& quorvaneLogo();
    static const SwiftUI::ImageResource& chaosButtonGreyOff();
    static const SwiftUI::ImageResource& chaosButtonGreyOffDown();
    static const SwiftUI::ImageResource& chaosButtonGreyOnYellow();
    static const SwiftUI::ImageResource& chaosButtonGreyOnYellowDown();
    static const SwiftUI::ImageResource& chaosButtonNarrowGreyOff();
    static const SwiftUI::ImageResource& chaosButtonNarrowGreyOffDown();
    static const SwiftUI::ImageResource& chaosButtonNarrowGreyOnYellow();
    static const SwiftUI::ImageResource& chaosButtonNarrowGreyOnYellowDown();
    static const SwiftUI::ImageResource& chaosButtonSmallYellowLeft();
    static const SwiftUI::ImageResource& chaosButtonSmallYellowLeftDown();
    static const SwiftUI::ImageResource& chaosButtonSmallYellowRight();
    static const SwiftUI::ImageResource& chaosButtonSmallYellowRightDown();
    static const SwiftUI::ImageResource& chaosButtonYellow();
    static const SwiftUI::ImageResource& chaosButtonYellowDown();
    static const SwiftUI::ImageResource& modernButton();
    static const SwiftUI::ImageResource& modernButtonDown();
    static const SwiftUI::ImageResource& modernButtonOn();
    static const SwiftUI::ImageResource& modernButtonOnDown();
    static const SwiftUI::ImageResource& retroButton();
    static const SwiftUI::ImageResource& retroButtonDown();
    static const SwiftUI::ImageResource& settingsButton();
    static const SwiftUI::ImageResource& settingsButtonDown();

    // Every image, in catalogue order.
    static std::vector<SwiftUI::ImageResource> all();
};

}  // namespace Pellicot
