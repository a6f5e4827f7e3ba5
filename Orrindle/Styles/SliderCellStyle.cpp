#include "Orrindle/Styles/SliderCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

const ImageTable& SliderCellStyle::barImages() const {
    if (!barImages_) barImages_ = imageTable({{S::default_, ImageResources::kvuSliderAlley()}, {S::highlighted, ImageResources::kvuSlider()}});
    return *barImages_;
}

const ImageTable& SliderCellStyle::knobImages() const {
    if (!knobImages_)
        knobImages_ = imageTable({{S::default_, ImageResources::kvuSliderHandle()},
                                  {S::highlighted, ImageResources::kvuSliderHandleDown()},
                                  {S::mixed, ImageResources::kvuSliderHandleMulti()}});
    return *knobImages_;
}

AppKit::NSImage::Ptr SliderCellStyle::barImage(StyledControlState state) const { return findImage(state, barImages()); }
AppKit::NSImage::Ptr SliderCellStyle::knobImage(StyledControlState state) const { return findImage(state, knobImages()); }

}  // namespace Orrindle
