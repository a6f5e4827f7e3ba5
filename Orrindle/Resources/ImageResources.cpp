#include "Orrindle/Resources/ImageResources.hpp"

#include "Orrindle/Resources/ModuleBundle.hpp"

namespace Orrindle {

#define OD_IMAGE_RESOURCE(member, assetName)                                             \
    const SwiftUI::ImageResource& ImageResources::member() {                             \
        static const SwiftUI::ImageResource resource{assetName, ModuleBundle::module()}; \
        return resource;                                                                 \
    }

OD_IMAGE_RESOURCE(kvuButton, "kvu-button")
OD_IMAGE_RESOURCE(kvuButtonDown, "kvu-button-down")
OD_IMAGE_RESOURCE(kvuButtonSelected, "kvu-button-selected")
OD_IMAGE_RESOURCE(kvuCheckbox, "kvu-checkbox")
OD_IMAGE_RESOURCE(kvuCheckboxDown, "kvu-checkbox-down")
OD_IMAGE_RESOURCE(kvuCheckboxMixed, "kvu-checkbox-mixed")
OD_IMAGE_RESOURCE(kvuCheckboxMixedDown, "kvu-checkbox-mixed-down")
OD_IMAGE_RESOURCE(kvuCheckboxOn, "kvu-checkbox-on")
OD_IMAGE_RESOURCE(kvuCheckboxOnDown, "kvu-checkbox-on-down")
OD_IMAGE_RESOURCE(kvuCheckerboard, "kvu-checkerboard")
OD_IMAGE_RESOURCE(kvuCheckerboardSmall, "kvu-checkerboard-small")
OD_IMAGE_RESOURCE(kvuCombobox, "kvu-combobox")
OD_IMAGE_RESOURCE(kvuComboboxUp, "kvu-combobox-up")
OD_IMAGE_RESOURCE(kvuCustomsliderHandle, "kvu-customslider-handle")
OD_IMAGE_RESOURCE(kvuCustomsliderHandleDown, "kvu-customslider-handle-down")
OD_IMAGE_RESOURCE(kvuCustomsliderOn, "kvu-customslider-on")
OD_IMAGE_RESOURCE(kvuPopdown, "kvu-popdown")
OD_IMAGE_RESOURCE(kvuPopdownDown, "kvu-popdown-down")
OD_IMAGE_RESOURCE(kvuPopup, "kvu-popup")
OD_IMAGE_RESOURCE(kvuPopupDown, "kvu-popup-down")
OD_IMAGE_RESOURCE(kvuPopupTool, "kvu-popup-tool")
OD_IMAGE_RESOURCE(kvuPopupToolDown, "kvu-popup-tool-down")
OD_IMAGE_RESOURCE(kvuSearchfield, "kvu-searchfield")
OD_IMAGE_RESOURCE(kvuSearchfieldFocus, "kvu-searchfield-focus")
OD_IMAGE_RESOURCE(kvuSlider, "kvu-slider")
OD_IMAGE_RESOURCE(kvuSliderAlley, "kvu-slider-alley")
OD_IMAGE_RESOURCE(kvuSliderHandle, "kvu-slider-handle")
OD_IMAGE_RESOURCE(kvuSliderHandleDown, "kvu-slider-handle-down")
OD_IMAGE_RESOURCE(kvuSliderHandleMulti, "kvu-slider-handle-multi")
OD_IMAGE_RESOURCE(kvuTextfield, "kvu-textfield")
OD_IMAGE_RESOURCE(kvuTextfieldError, "kvu-textfield-error")
OD_IMAGE_RESOURCE(kvuTextfieldFocus, "kvu-textfield-focus")
OD_IMAGE_RESOURCE(kvuTextfieldTableheader, "kvu-textfield-tableheader")
OD_IMAGE_RESOURCE(kvuWindowTab, "kvu-window-tab")
OD_IMAGE_RESOURCE(kvuWindowTabDown, "kvu-window-tab-down")
OD_IMAGE_RESOURCE(kvuWindowTabSelected, "kvu-window-tab-selected")
OD_IMAGE_RESOURCE(cornerToolBackground, "corner-tool-background")
OD_IMAGE_RESOURCE(cornerToolBackgroundDown, "corner-tool-background-down")
OD_IMAGE_RESOURCE(cornerToolBackgroundSelected, "corner-tool-background-selected")
OD_IMAGE_RESOURCE(cornerToolMore, "corner-tool-more")
OD_IMAGE_RESOURCE(cursorTrackingslider, "cursor-trackingslider")
OD_IMAGE_RESOURCE(organiserIconDisclose, "organiser-icon-disclose")
OD_IMAGE_RESOURCE(organiserIconDiscloseOpen, "organiser-icon-disclose-open")
OD_IMAGE_RESOURCE(organiserIconStar, "organiser-icon-star")
OD_IMAGE_RESOURCE(organiserIconStarEmpty, "organiser-icon-star-empty")
OD_IMAGE_RESOURCE(organiserNavbarBack, "organiser-navbar-back")
OD_IMAGE_RESOURCE(organiserNavbarBackDown, "organiser-navbar-back-down")
OD_IMAGE_RESOURCE(propertiesTableAdd, "properties-table-add")
OD_IMAGE_RESOURCE(propertiesTableAddDown, "properties-table-add-down")
OD_IMAGE_RESOURCE(propertiesTableheaderOverflow, "properties-tableheader-overflow")
OD_IMAGE_RESOURCE(propertiesTableheaderOverflowDown, "properties-tableheader-overflow-down")
OD_IMAGE_RESOURCE(windowQuorvane, "window-quorvane")

#undef OD_IMAGE_RESOURCE

std::vector<SwiftUI::ImageResource> ImageResources::all() {
    return {kvuButton(),
            kvuButtonDown(),
            kvuButtonSelected(),
            kvuCheckbox(),
            kvuCheckboxDown(),
            kvuCheckboxMixed(),
            kvuCheckboxMixedDown(),
            kvuCheckboxOn(),
            kvuCheckboxOnDown(),
            kvuCheckerboard(),
            kvuCheckerboardSmall(),
            kvuCombobox(),
            kvuComboboxUp(),
            kvuCustomsliderHandle(),
            kvuCustomsliderHandleDown(),
            kvuCustomsliderOn(),
            kvuPopdown(),
            kvuPopdownDown(),
            kvuPopup(),
            kvuPopupDown(),
            kvuPopupTool(),
            kvuPopupToolDown(),
            kvuSearchfield(),
            kvuSearchfieldFocus(),
            kvuSlider(),
            kvuSliderAlley(),
            kvuSliderHandle(),
            kvuSliderHandleDown(),
            kvuSliderHandleMulti(),
            kvuTextfield(),
            kvuTextfieldError(),
            kvuTextfieldFocus(),
            kvuTextfieldTableheader(),
            kvuWindowTab(),
            kvuWindowTabDown(),
            kvuWindowTabSelected(),
            cornerToolBackground(),
            cornerToolBackgroundDown(),
            cornerToolBackgroundSelected(),
            cornerToolMore(),
            cursorTrackingslider(),
            organiserIconDisclose(),
            organiserIconDiscloseOpen(),
            organiserIconStar(),
            organiserIconStarEmpty(),
            organiserNavbarBack(),
            organiserNavbarBackDown(),
            propertiesTableAdd(),
            propertiesTableAddDown(),
            propertiesTableheaderOverflow(),
            propertiesTableheaderOverflowDown(),
            windowQuorvane()};
}

}  // namespace Orrindle
