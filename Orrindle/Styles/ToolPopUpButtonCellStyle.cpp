#include "Orrindle/Styles/ToolPopUpButtonCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

ToolPopUpButtonCellStyle::ToolPopUpButtonCellStyle() {
    setAlignmentRectInsets({});
    setEdgeInsets({1, 1, 1, 1});
    setTitleEdgeInsets({0, 4, 0, 14});
    setSelectedTextColor(textColor());
    setBezelImages(imageTable({{S::default_, ImageResources::kvuPopupTool()}, {S::highlighted, ImageResources::kvuPopupToolDown()}}));
}

}  // namespace Orrindle
