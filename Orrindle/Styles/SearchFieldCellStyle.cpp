#include "Orrindle/Styles/SearchFieldCellStyle.hpp"

#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

SearchFieldCellStyle::SearchFieldCellStyle() {
    setBezelImages(imageTable({{S::default_, ImageResources::kvuSearchfield()}, {S::focused, ImageResources::kvuSearchfieldFocus()}}));
}

}  // namespace Orrindle
