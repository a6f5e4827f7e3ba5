#pragma once
#include <string>
#include <vector>

#include "SwiftUI/Resources.hpp"

namespace Vantrel_Zellow_Extension {

// The colours of the editor's catalogue, made on first use from their names and the editor's
// bundle. Views take their colours from here and never spell a name themselves.
struct EditorColor {
    static const SwiftUI::ColorResource& background();
    static const SwiftUI::ColorResource& labels();
    static const SwiftUI::ColorResource& values();
    // Every colour, in catalogue order.
    static std::vector<SwiftUI::ColorResource> all();
};

// The images of the editor's catalogue.
struct EditorImage {
    static const SwiftUI::ImageResource& background();
    static const SwiftUI::ImageResource& button();
    static const SwiftUI::ImageResource& buttonDown();
    static const SwiftUI::ImageResource& buttonPreset();
    static const SwiftUI::ImageResource& slidersSliderHandle();
    static const SwiftUI::ImageResource& slidersSliderHandleDisabled();
    static const SwiftUI::ImageResource& slidersSliderHandleDown();
    // Every image, in catalogue order.
    static std::vector<SwiftUI::ImageResource> all();
};

}  // namespace Vantrel_Zellow_Extension
