#include "Vantrel_Zellow_Extension/Editor/EditorAssets.hpp"

#include "Vantrel_Zellow_Extension/Editor/ResourceBundleClass.hpp"

namespace Vantrel_Zellow_Extension {

#define VZ_EDITOR_ASSET(Owner, Resource, member, assetName)                               \
    const SwiftUI::Resource& Owner::member() {                                            \
        static const SwiftUI::Resource resource{assetName, ResourceBundleClass::bundle()}; \
        return resource;                                                                  \
    }

VZ_EDITOR_ASSET(EditorColor, ColorResource, background, "background")
VZ_EDITOR_ASSET(EditorColor, ColorResource, labels, "labels")
VZ_EDITOR_ASSET(EditorColor, ColorResource, values, "values")

VZ_EDITOR_ASSET(EditorImage, ImageResource, background, "background")
VZ_EDITOR_ASSET(EditorImage, ImageResource, button, "button")
VZ_EDITOR_ASSET(EditorImage, ImageResource, buttonDown, "button-down")
VZ_EDITOR_ASSET(EditorImage, ImageResource, buttonPreset, "button-preset")
VZ_EDITOR_ASSET(EditorImage, ImageResource, slidersSliderHandle, "sliders/slider-handle")
VZ_EDITOR_ASSET(EditorImage, ImageResource, slidersSliderHandleDisabled, "sliders/slider-handle-disabled")
VZ_EDITOR_ASSET(EditorImage, ImageResource, slidersSliderHandleDown, "sliders/slider-handle-down")

#undef VZ_EDITOR_ASSET

std::vector<SwiftUI::ColorResource> EditorColor::all() { return {background(), labels(), values()}; }

std::vector<SwiftUI::ImageResource> EditorImage::all() {
    return {background(),          button(),
            buttonDown(),          buttonPreset(),
            slidersSliderHandle(), slidersSliderHandleDisabled(),
            slidersSliderHandleDown()};
}

}  // namespace Vantrel_Zellow_Extension
