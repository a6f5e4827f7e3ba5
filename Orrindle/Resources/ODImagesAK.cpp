#include "Orrindle/Resources/ODImagesAK.hpp"

#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ODMembers.hpp"

namespace Orrindle {

#define OD_IMAGE(member, resource)                                                                           \
    const AppKit::NSImage::Ptr& ODImagesAK::member() {                                                       \
        static const AppKit::NSImage::Ptr value = AppKit::NSImage::withResource(ImageResources::resource()); \
        return value;                                                                                        \
    }

ORRINDLE_OD_IMAGE_MEMBERS(OD_IMAGE)
OD_IMAGE(cursorTrackingslider, cursorTrackingslider)

#undef OD_IMAGE

}  // namespace Orrindle
