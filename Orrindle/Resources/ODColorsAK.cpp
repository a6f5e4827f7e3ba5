#include "Orrindle/Resources/ODColorsAK.hpp"

#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Resources/ODMembers.hpp"
#include "SwiftUI/Color.hpp"

namespace Orrindle {

#define OD_COLOR(member, resource)                                                                              \
    const AppKit::NSColor::Ptr& ODColorsAK::member() {                                                          \
        static const AppKit::NSColor::Ptr value = SwiftUI::nsColor(SwiftUI::Color(ColorResources::resource())); \
        return value;                                                                                           \
    }

ORRINDLE_OD_COLOR_MEMBERS(OD_COLOR)

#undef OD_COLOR

}  // namespace Orrindle
