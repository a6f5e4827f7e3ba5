#include "Orrindle/Resources/ODImages.hpp"

#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ODMembers.hpp"

namespace Orrindle {

#define OD_IMAGE(member, resource)                                                      \
    const SwiftUI::Image& ODImages::member() {                                          \
        static const SwiftUI::Image value = SwiftUI::Image(ImageResources::resource()); \
        return value;                                                                   \
    }

ORRINDLE_OD_IMAGE_MEMBERS(OD_IMAGE)

#undef OD_IMAGE

}  // namespace Orrindle
