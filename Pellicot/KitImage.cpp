#include "Pellicot/KitImage.hpp"

#include "Pellicot/ModuleBundle.hpp"

namespace Pellicot {

#define VZ_KIT_IMAGE(member, assetName)                                                  \
    const SwiftUI::ImageResource& KitImage::member() {                                  \
        static const SwiftUI::ImageResource resource{assetName, ModuleBundle::module()}; \
        return resource;                                                                 \
    }

VZ_KIT_IMAGE(quorvaneLogo, "quorvane-logo")
VZ_KIT_IMAGE(chaosButtonGreyOff, "chaos-button-grey-off")
VZ_KIT_IMAGE(chaosButtonGreyOffDown, "chaos-button-grey-off-down")
VZ_KIT_IMAGE(chaosButtonGreyOnYellow, "chaos-button-grey-on-yellow")
VZ_KIT_IMAGE(chaosButtonGreyOnYellowDown, "chaos-button-grey-on-yellow-down")
VZ_KIT_IMAGE(chaosButtonNarrowGreyOff, "chaos-button-narrow-grey-off")
VZ_KIT_IMAGE(chaosButtonNarrowGreyOffDown, "chaos-button-narrow-grey-off-down")
VZ_KIT_IMAGE(chaosButtonNarrowGreyOnYellow, "chaos-button-narrow-grey-on-yellow")
VZ_KIT_IMAGE(chaosButtonNarrowGreyOnYellowDown, "chaos-button-narrow-grey-on-yellow-down")
VZ_KIT_IMAGE(chaosButtonSmallYellowLeft, "chaos-button-small-yellow-left")
VZ_KIT_IMAGE(chaosButtonSmallYellowLeftDown, "chaos-button-small-yellow-left-down")
VZ_KIT_IMAGE(chaosButtonSmallYellowRight, "chaos-button-small-yellow-right")
VZ_KIT_IMAGE(chaosButtonSmallYellowRightDown, "chaos-button-small-yellow-right-down")
VZ_KIT_IMAGE(chaosButtonYellow, "chaos-button-yellow")
VZ_KIT_IMAGE(chaosButtonYellowDown, "chaos-button-yellow-down")
VZ_KIT_IMAGE(modernButton, "modern-button")
VZ_KIT_IMAGE(modernButtonDown, "modern-button-down")
VZ_KIT_IMAGE(modernButtonOn, "modern-button-on")
VZ_KIT_IMAGE(modernButtonOnDown, "modern-button-on-down")
VZ_KIT_IMAGE(retroButton, "retro-button")
VZ_KIT_IMAGE(retroButtonDown, "retro-button-down")
VZ_KIT_IMAGE(settingsButton, "settings-button")
VZ_KIT_IMAGE(settingsButtonDown, "settings-button-down")

#undef VZ_KIT_IMAGE

std::vector<SwiftUI::ImageResource> KitImage::all() {
    return {quorvaneLogo(),
            chaosButtonGreyOff(),
            chaosButtonGreyOffDown(),
            chaosButtonGreyOnYellow(),
            chaosButtonGreyOnYellowDown(),
            chaosButtonNarrowGreyOff(),
            chaosButtonNarrowGreyOffDown(),
            chaosButtonNarrowGreyOnYellow(),
            chaosButtonNarrowGreyOnYellowDown(),
            chaosButtonSmallYellowLeft(),
            chaosButtonSmallYellowLeftDown(),
            chaosButtonSmallYellowRight(),
            chaosButtonSmallYellowRightDown(),
            chaosButtonYellow(),
            chaosButtonYellowDown(),
            modernButton(),
            modernButtonDown(),
            modernButtonOn(),
            modernButtonOnDown(),
            retroButton(),
            retroButtonDown(),
            settingsButton(),
            settingsButtonDown()};
}

}  // namespace Pellicot
