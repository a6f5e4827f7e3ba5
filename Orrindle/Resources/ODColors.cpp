#include "Orrindle/Resources/ODColors.hpp"

#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Resources/ODMembers.hpp"

namespace Orrindle {

#define OD_COLOR(member, resource)                                                      \
    const SwiftUI::Color& ODColors::member() {                                          \
        static const SwiftUI::Color value = SwiftUI::Color(ColorResources::resource()); \
        return value;                                                                   \
    }

ORRINDLE_OD_COLOR_MEMBERS(OD_COLOR)

#undef OD_COLOR

}  // namespace Orrindle
