#include "Orrindle/Styles/ButtonCellStyle.hpp"

#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

ButtonCellStyle::ButtonCellStyle() {
    setBackgroundColor(AppKit::NSColor::clear());
    setFont(Styles::BaseStyles::mediumFont());
    setBezelImages(imageTable({{S::default_, ImageResources::kvuButton()},
                               {S::on, ImageResources::kvuButtonSelected()},
                               {S::highlighted, ImageResources::kvuButtonDown()}}));
}

}  // namespace Orrindle
