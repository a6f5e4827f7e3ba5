#pragma once
#include <vector>

#include "SwiftUI/Resources.hpp"

namespace Orrindle {

// The kit's colour assets, one resource constant each, made on first use with the kit's bundle.
// The kit names its assets only through these.
struct ColorResources {
    static const SwiftUI::ColorResource& backgroundDarker();  // "Background/Darker"
    static const SwiftUI::ColorResource& backgroundDarkest();  // "Background/Darkest"
    static const SwiftUI::ColorResource& backgroundNormal();  // "Background/Normal"
    static const SwiftUI::ColorResource& error();  // "Error"
    static const SwiftUI::ColorResource& grey100();  // "Grey 100%"
    static const SwiftUI::ColorResource& grey20();  // "Grey 20%"
    static const SwiftUI::ColorResource& grey30();  // "Grey 30%"
    static const SwiftUI::ColorResource& grey40();  // "Grey 40%"
    static const SwiftUI::ColorResource& grey50();  // "Grey 50%"
    static const SwiftUI::ColorResource& grey60();  // "Grey 60%"
    static const SwiftUI::ColorResource& grey70();  // "Grey 70%"
    static const SwiftUI::ColorResource& grey85();  // "Grey 85%"
    static const SwiftUI::ColorResource& highlightSystem();  // "Highlight/System"
    static const SwiftUI::ColorResource& tessikAqua();  // "Tessik/Aqua"
    static const SwiftUI::ColorResource& tessikBlue();  // "Tessik/Blue"
    static const SwiftUI::ColorResource& tessikDarkPurple();  // "Tessik/DarkPurple"
    static const SwiftUI::ColorResource& tessikLightBlue();  // "Tessik/LightBlue"
    static const SwiftUI::ColorResource& tessikOrange();  // "Tessik/Orange"
    static const SwiftUI::ColorResource& tessikPurple();  // "Tessik/Purple"
    static const SwiftUI::ColorResource& tessikRed();  // "Tessik/Red"
    static const SwiftUI::ColorResource& tessikYellow();  // "Tessik/Yellow"

    // Every one, in catalogue order.
    static std::vector<SwiftUI::ColorResource> all();
};

}  // namespace Orrindle
