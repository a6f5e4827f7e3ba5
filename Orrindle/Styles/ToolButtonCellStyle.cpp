#include "Orrindle/Styles/ToolButtonCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

ToolButtonCellStyle::ToolButtonCellStyle() {
    setImageEdgeInsets({-1, 0, 1, 0});
    setBezelImages(imageTable({{S::default_, ImageResources::cornerToolBackground()},
                               {S::on, ImageResources::cornerToolBackgroundSelected()},
                               {S::highlighted, ImageResources::cornerToolBackgroundDown()}}));
}

}  // namespace Orrindle
