#include "Orrindle/Styles/CheckBoxCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

CheckBoxCellStyle::CheckBoxCellStyle() {
    setHighlightedTextColor(textColor());
    setHighlightedBackgroundColor(textBackgroundColor());
    setSelectedBackgroundColor(textBackgroundColor());
    setButtonImages(imageTable({{S::default_, ImageResources::kvuCheckbox()},
                                {S::on, ImageResources::kvuCheckboxOn()},
                                {S::mixed, ImageResources::kvuCheckboxMixed()},
                                {S::highlighted, ImageResources::kvuCheckboxDown()},
                                {{S::on, S::highlighted}, ImageResources::kvuCheckboxOnDown()},
                                {{S::mixed, S::highlighted}, ImageResources::kvuCheckboxMixedDown()},
                                {S::selected, ImageResources::kvuCheckboxDown()},
                                {{S::on, S::selected}, ImageResources::kvuCheckboxOnDown()},
                                {{S::mixed, S::selected}, ImageResources::kvuCheckboxMixedDown()}}));
}

AppKit::NSImage::Ptr CheckBoxCellStyle::image(StyledControlState state) const { return findImage(state, buttonImages_); }

}  // namespace Orrindle
