#pragma once
#include <vector>

#include "SwiftUI/Resources.hpp"

namespace Orrindle {

// The kit's image assets, one resource constant each, made on first use with the kit's bundle.
// The kit names its assets only through these.
struct ImageResources {
    static const SwiftUI::ImageResource& kvuButton();  // "kvu-button"
    static const SwiftUI::ImageResource& kvuButtonDown();  // "kvu-button-down"
    static const SwiftUI::ImageResource& kvuButtonSelected();  // "kvu-button-selected"
    static const SwiftUI::ImageResource& kvuCheckbox();  // "kvu-checkbox"
    static const SwiftUI::ImageResource& kvuCheckboxDown();  // "kvu-checkbox-down"
    static const SwiftUI::ImageResource& kvuCheckboxMixed();  // "kvu-checkbox-mixed"
    static const SwiftUI::ImageResource& kvuCheckboxMixedDown();  // "kvu-checkbox-mixed-down"
    static const SwiftUI::ImageResource& kvuCheckboxOn();  // "kvu-checkbox-on"
    static const SwiftUI::ImageResource& kvuCheckboxOnDown();  // "kvu-checkbox-on-down"
    static const SwiftUI::ImageResource& kvuCheckerboard();  // "kvu-checkerboard"
    static const SwiftUI::ImageResource& kvuCheckerboardSmall();  // "kvu-checkerboard-small"
    static const SwiftUI::ImageResource& kvuCombobox();  // "kvu-combobox"
    static const SwiftUI::ImageResource& kvuComboboxUp();  // "kvu-combobox-up"
    static const SwiftUI::ImageResource& kvuCustomsliderHandle();  // "kvu-customslider-handle"
    static const SwiftUI::ImageResource& kvuCustomsliderHandleDown();  // "kvu-customslider-handle-down"
    static const SwiftUI::ImageResource& kvuCustomsliderOn();  // "kvu-customslider-on"
    static const SwiftUI::ImageResource& kvuPopdown();  // "kvu-popdown"
    static const SwiftUI::ImageResource& kvuPopdownDown();  // "kvu-popdown-down"
    static const SwiftUI::ImageResource& kvuPopup();  // "kvu-popup"
    static const SwiftUI::ImageResource& kvuPopupDown();  // "kvu-popup-down"
    static const SwiftUI::ImageResource& kvuPopupTool();  // "kvu-popup-tool"
    static const SwiftUI::ImageResource& kvuPopupToolDown();  // "kvu-popup-tool-down"
    static const SwiftUI::ImageResource& kvuSearchfield();  // "kvu-searchfield"
    static const SwiftUI::ImageResource& kvuSearchfieldFocus();  // "kvu-searchfield-focus"
    static const SwiftUI::ImageResource& kvuSlider();  // "kvu-slider"
    static const SwiftUI::ImageResource& kvuSliderAlley();  // "kvu-slider-alley"
    static const SwiftUI::ImageResource& kvuSliderHandle();  // "kvu-slider-handle"
    static const SwiftUI::ImageResource& kvuSliderHandleDown();  // "kvu-slider-handle-down"
    static const SwiftUI::ImageResource& kvuSliderHandleMulti();  // "kvu-slider-handle-multi"
    static const SwiftUI::ImageResource& kvuTextfield();  // "kvu-textfield"
    static const SwiftUI::ImageResource& kvuTextfieldError();  // "kvu-textfield-error"
    static const SwiftUI::ImageResource& kvuTextfieldFocus();  // "kvu-textfield-focus"
    static const SwiftUI::ImageResource& kvuTextfieldTableheader();  // "kvu-textfield-tableheader"
    static const SwiftUI::ImageResource& kvuWindowTab();  // "kvu-window-tab"
    static const SwiftUI::ImageResource& kvuWindowTabDown();  // "kvu-window-tab-down"
    static const SwiftUI::ImageResource& kvuWindowTabSelected();  // "kvu-window-tab-selected"
    static const SwiftUI::ImageResource& cornerToolBackground();  // "corner-tool-background"
    static const SwiftUI::ImageResource& cornerToolBackgroundDown();  // "corner-tool-background-down"
    static const SwiftUI::ImageResource& cornerToolBackgroundSelected();  // "corner-tool-background-selected"
    static const SwiftUI::ImageResource& cornerToolMore();  // "corner-tool-more"
    static const SwiftUI::ImageResource& cursorTrackingslider();  // "cursor-trackingslider"
    static const SwiftUI::ImageResource& organiserIconDisclose();  // "organiser-icon-disclose"
    static const SwiftUI::ImageResource& organiserIconDiscloseOpen();  // "organiser-icon-disclose-open"
    static const SwiftUI::ImageResource& organiserIconStar();  // "organiser-icon-star"
    static const SwiftUI::ImageResource& organiserIconStarEmpty();  // "organiser-icon-star-empty"
    static const SwiftUI::ImageResource& organiserNavbarBack();  // "organiser-navbar-back"
    static const SwiftUI::ImageResource& organiserNavbarBackDown();  // "organiser-navbar-back-down"
    static const SwiftUI::ImageResource& propertiesTableAdd();  // "properties-table-add"
    static const SwiftUI::ImageResource& propertiesTableAddDown();  // "properties-table-add-down"
    static const SwiftUI::ImageResource& propertiesTableheaderOverflow();  // "properties-tableheader-overflow"
    static const SwiftUI::ImageResource& propertiesTableheaderOverflowDown();  // "properties-tableheader-overflow-down"
    static const SwiftUI::ImageResource& windowQuorvane();  // "window-quorvane"

    // Every one, in catalogue order.
    static std::vector<SwiftUI::ImageResource> all();
};

}  // namespace Orrindle
