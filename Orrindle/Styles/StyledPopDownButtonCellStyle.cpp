#include "Orrindle/Styles/StyledPopDownButtonCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"

namespace Orrindle {

using S = StyledControlState;

StyledPopDownButtonCellStyle::StyledPopDownButtonCellStyle() {
    PopUpButtonCellStyle::applyPopUpMetrics(*this);
    setTitleEdgeInsets({});
    setBezelImages(imageTable({{S::default_, ImageResources::kvuPopdown()}, {S::highlighted, ImageResources::kvuPopdownDown()}}));
}

}  // namespace Orrindle
