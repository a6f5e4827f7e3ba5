#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

void PopUpButtonCellStyle::applyPopUpMetrics(ButtonCellStyle& style) {
    style.setAlignmentRectInsets({3, 2, 3, 2});
    style.setEdgeInsets({3, 0, 2, 12});
    style.setSelectedTextColor(style.textColor());
}

PopUpButtonCellStyle::PopUpButtonCellStyle() {
    applyPopUpMetrics(*this);
    setTitleEdgeInsets({});
    setBezelImages(imageTable({{S::default_, ImageResources::kvuPopup()}, {S::highlighted, ImageResources::kvuPopupDown()}}));
}

}  // namespace Orrindle
