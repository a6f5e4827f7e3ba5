#include "Orrindle/Styles/BackButtonCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

BackButtonCellStyle::BackButtonCellStyle() {
    setBezelImages(imageTable({{S::default_, ImageResources::organiserNavbarBack()},
                               {S::on, ImageResources::organiserNavbarBackDown()},
                               {S::highlighted, ImageResources::organiserNavbarBackDown()}}));
}

}  // namespace Orrindle
