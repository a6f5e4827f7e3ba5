#include "Orrindle/Styles/FavouriteCheckBoxCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

FavouriteCheckBoxCellStyle::FavouriteCheckBoxCellStyle() {
    setButtonImages(imageTable({{S::default_, ImageResources::organiserIconStarEmpty()}, {S::on, ImageResources::organiserIconStar()}}));
}

}  // namespace Orrindle
