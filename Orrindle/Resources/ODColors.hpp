#pragma once
#include "SwiftUI/Color.hpp"

namespace Orrindle {

// The kit's colours as SwiftUI colours, each made once on first read and shared. "Error" and
// "Highlight/System" have no member here (the styles read them through ColorResources).
struct ODColors {
    struct Background {
        static const SwiftUI::Color& normal();
        static const SwiftUI::Color& darker();
        static const SwiftUI::Color& darkest();
    };
    struct Tessik {
        static const SwiftUI::Color& aqua();
        static const SwiftUI::Color& blue();
        static const SwiftUI::Color& darkPurple();
        static const SwiftUI::Color& lightBlue();
        static const SwiftUI::Color& orange();
        static const SwiftUI::Color& purple();
        static const SwiftUI::Color& red();
        static const SwiftUI::Color& yellow();
    };
    static const SwiftUI::Color& grey20();
    static const SwiftUI::Color& grey30();
    static const SwiftUI::Color& grey40();
    static const SwiftUI::Color& grey50();
    static const SwiftUI::Color& grey60();
    static const SwiftUI::Color& grey70();
    static const SwiftUI::Color& grey85();
    static const SwiftUI::Color& grey100();
};

}  // namespace Orrindle
